#include "timageeditwidget.h"
#include "timageeditwidget_p.h"

#include "addshapecommand.h"
#include "imageediterprivatetexteditwidget.h"
#include "moveshapecommand.h"
#include "tarrowsshape.h"
#include "tcircleshape.h"
#include "tlineshape.h"
#include "trectangleshape.h"
#include "ttextshape.h"
#include "ttriangleshape.h"

#include <QMouseEvent>
#include <QPainter>
#include <QUndoStack>

TShape *TImageEditWidgetPrivate::currentShape() const
{
    return currentIndex >= 0 && currentIndex < shapes.size() ? shapes.at(currentIndex) : nullptr;
}

void TImageEditWidgetPrivate::createShape(const QPoint &iPoint)
{
    Q_Q(TImageEditWidget);
    TShape *shape = nullptr;
    switch (shapeType) {
    case TImageEditWidget::RectangleType:
        shape = new TRectangleShape(iPoint, iPoint, pen, brush, font, q);
        break;
    case TImageEditWidget::EllipseType:
        shape = new TCircleShape(iPoint, iPoint, pen, brush, font, q);
        break;
    case TImageEditWidget::TriangleType:
        shape = new TTriangleShape(iPoint, iPoint, pen, brush, font, q);
        break;
    case TImageEditWidget::ArrowType:
        shape = new TArrowsShape(iPoint, iPoint, pen, brush, font, q);
        break;
    case TImageEditWidget::LineType:
        shape = new TLineShape(iPoint, iPoint, pen, brush, font, q);
        break;
    case TImageEditWidget::LightLineType: {
        // The highlighter: three times as wide and mostly see-through.
        QPen lightPen = pen;
        lightPen.setWidthF(pen.widthF() * 3);
        QColor color = pen.color();
        color.setAlphaF(0.4);
        lightPen.setColor(color);
        shape = new TLineShape(iPoint, iPoint, lightPen, brush, font, q);
        break;
    }
    case TImageEditWidget::TextType:
        shape = new TTextShape(iPoint, iPoint, pen, brush, font, q);
        // The canvas owns its shapes, including the ones undo took off.
        shape->setParent(q);
        break;
    default:
        return;
    }
    shapes.append(shape);
    pressOffset = QPoint();
    currentIndex = shapes.size() - 1;
    QObject::connect(shape, &TShape::update, q, QOverload<>::of(&QWidget::update));
    q->update();
}

void TImageEditWidgetPrivate::updateHoverCursor(const QPoint &iPoint)
{
    Q_Q(TImageEditWidget);
    const int index = q->shapeIndexAt(iPoint);
    if (index < 0) {
        q->setCursor(Qt::ArrowCursor);
        return;
    }
    const TShape *shape = shapes.at(index);
    switch (shape->contains(iPoint)) {
    case TShape::BodyHit:
        q->setCursor(Qt::SizeAllCursor);
        break;
    case TShape::ResizeHit: {
        const QPoint s = shape->startPoint();
        const QPoint e = shape->endPoint();
        const bool rising = (s.x() < e.x() && s.y() > e.y()) || (s.x() > e.x() && s.y() < e.y());
        q->setCursor(rising ? Qt::SizeBDiagCursor : Qt::SizeFDiagCursor);
        break;
    }
    default:
        q->setCursor(Qt::ArrowCursor);
        break;
    }
}

TImageEditWidget::TImageEditWidget(QWidget *iParent)
    : QWidget(iParent)
    , d(new TImageEditWidgetPrivate(this))
{
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setStyleSheet(QStringLiteral("background:transparent;"));
    setAttribute(Qt::WA_MouseTracking);
    hide();
    setCursor(Qt::ArrowCursor);
    d->undoStack = new QUndoStack(this);
    d->owner = iParent;
}

TImageEditWidget::~TImageEditWidget()
{
    // Commands refer to shapes; drop them before the shapes (children) go.
    d->undoStack->clear();
}

int TImageEditWidget::shapeType() const { return d->shapeType; }

void TImageEditWidget::setShapeType(int iType) { d->shapeType = iType; }

int TImageEditWidget::mode() const { return d->mode; }

void TImageEditWidget::setMode(int iMode) { d->mode = iMode; }

void TImageEditWidget::reset()
{
    d->currentIndex = -1;
    d->pressOffset = QPoint();
    d->mode = IdleMode;
    if (d->shapes.isEmpty())
        hide();
    update();
}

QPen TImageEditWidget::pen() const { return d->pen; }

void TImageEditWidget::setPen(const QPen &iPen)
{
    d->pen = iPen;
    for (QWidget *editor : textEditors()) {
        if (auto *textEditor = qobject_cast<ImageEditerPrivateTextEditWidget *>(editor))
            textEditor->setTextPen(iPen);
    }
}

QBrush TImageEditWidget::brush() const { return d->brush; }

void TImageEditWidget::setBrush(const QBrush &iBrush) { d->brush = iBrush; }

QFont TImageEditWidget::font() const { return d->font; }

void TImageEditWidget::setFont(const QFont &iFont) { d->font = iFont; }

int TImageEditWidget::currentIndex() const { return d->currentIndex; }

void TImageEditWidget::setCurrentIndex(int iIndex)
{
    d->currentIndex = iIndex;
    if (iIndex != -1)
        update();
}

QUndoStack *TImageEditWidget::undoStack() const { return d->undoStack; }

QList<TShape *> TImageEditWidget::shapes() const { return d->shapes; }

void TImageEditWidget::addShape(TShape *iShape)
{
    if (!iShape)
        return;
    d->shapes.append(iShape);
    update();
}

void TImageEditWidget::removeAt(int iIndex)
{
    if (iIndex >= 0 && iIndex < d->shapes.size())
        d->shapes.removeAt(iIndex);
}

void TImageEditWidget::removeLast()
{
    if (!d->shapes.isEmpty())
        d->shapes.removeLast();
}

void TImageEditWidget::clearShapes()
{
    d->shapes.clear();
    d->textEditors.clear();
    d->currentIndex = -1;
    qDeleteAll(findChildren<TShape *>(QString(), Qt::FindDirectChildrenOnly));
    update();
}

int TImageEditWidget::shapeIndexAt(const QPoint &iPoint) const
{
    for (int i = d->shapes.size() - 1; i >= 0; --i) {
        // A line made by a click has no path; its inverted box would
        // otherwise take every press from the shapes below it.
        const auto *line = qobject_cast<const TLineShape *>(d->shapes.at(i));
        if (line && line->points().isEmpty())
            continue;
        if (d->shapes.at(i)->rect().contains(iPoint))
            return i;
    }
    return -1;
}

void TImageEditWidget::registerTextEditor(QObject *iEditor)
{
    if (!iEditor)
        return;
    for (const QPointer<QObject> &editor : qAsConst(d->textEditors)) {
        if (editor == iEditor)
            return;
    }
    d->textEditors.append(iEditor);
}

QList<QWidget *> TImageEditWidget::textEditors() const
{
    QList<QWidget *> widgets;
    for (const QPointer<QObject> &editor : d->textEditors) {
        if (auto *widget = qobject_cast<QWidget *>(editor.data()))
            widgets.append(widget);
    }
    return widgets;
}

void TImageEditWidget::renderShapes(QPaintDevice *iDevice) const
{
    QPainter painter(iDevice);
    for (TShape *shape : d->shapes)
        shape->paintFinal(&painter);
}

void TImageEditWidget::paintEvent(QPaintEvent *iEvent)
{
    {
        QPainter painter(this);
        for (int i = 0; i < d->shapes.size(); ++i)
            d->shapes.at(i)->paint(&painter, i == d->currentIndex && d->mode != CreateMode);
    }
    QWidget::paintEvent(iEvent);
}

void TImageEditWidget::mousePressEvent(QMouseEvent *iEvent)
{
    if (iEvent->button() != Qt::LeftButton) {
        iEvent->ignore();
        return;
    }
    d->buttonDown = true;
    // A press anywhere ends text editing: the typed text is painted from now on.
    for (QWidget *editor : textEditors()) {
        if (!editor->isHidden())
            editor->hide();
    }
    const QPoint pos = iEvent->pos();
    if (d->mode == CreateMode) {
        d->createShape(pos);
        return;
    }
    iEvent->accept();
    const int index = shapeIndexAt(pos);
    if (index < 0) {
        d->pressOffset = QPoint();
        d->currentIndex = -1;
        update();
        return;
    }
    d->currentIndex = index;
    update();
    TShape *shape = d->shapes.at(index);
    const MoveShapeCommand::Geometry before = MoveShapeCommand::geometryOf(shape);
    d->pressStart = before.start;
    d->pressEnd = before.end;
    d->pressPoints = before.points;
    switch (shape->contains(pos)) {
    case TShape::BodyHit:
        d->mode = MovingMode;
        d->pressOffset = pos - shape->rect().topLeft();
        break;
    case TShape::ResizeHit:
        d->mode = ResizingMode;
        d->pressOffset = shape->rect().bottomRight() - pos;
        break;
    case TShape::TextHit:
        d->mode = EditingTextMode;
        if (auto *text = qobject_cast<TTextShape *>(shape))
            text->setEditorVisible(true);
        update();
        break;
    default:
        d->mode = IdleMode;
        d->pressOffset = QPoint();
        break;
    }
}

void TImageEditWidget::mouseMoveEvent(QMouseEvent *iEvent)
{
    iEvent->accept();
    const QPoint pos = iEvent->pos();
    if (d->mode != CreateMode)
        d->updateHoverCursor(pos);
    TShape *shape = d->currentShape();
    if (!shape || !d->buttonDown)
        return;
    if (d->mode == MovingMode)
        shape->setStartPoint(pos - d->pressOffset, true);
    else if (d->mode == CreateMode || d->mode == ResizingMode)
        shape->setEndPoint(pos + d->pressOffset, false);
    update();
}

void TImageEditWidget::mouseReleaseEvent(QMouseEvent *iEvent)
{
    if (iEvent->button() != Qt::LeftButton) {
        iEvent->ignore();
        return;
    }
    TShape *shape = d->currentShape();
    if (!shape) {
        d->buttonDown = false;
        return;
    }
    d->buttonDown = false;
    if (d->mode == CreateMode) {
        d->undoStack->push(new AddShapeCommand(this, shape));
    } else if (d->mode == MovingMode || d->mode == ResizingMode) {
        MoveShapeCommand::Geometry before;
        before.start = d->pressStart;
        before.end = d->pressEnd;
        before.points = d->pressPoints;
        const MoveShapeCommand::Geometry after = MoveShapeCommand::geometryOf(shape);
        // A click that moved nothing leaves no empty step to undo.
        if (after.start != before.start || after.end != before.end || after.points != before.points)
            d->undoStack->push(new MoveShapeCommand(this, shape, before, after));
    }
    d->pressOffset = QPoint();
    if (d->mode != CreateMode)
        d->mode = IdleMode;
}
