#include "ttextshape.h"
#include "ttextshape_p.h"

#include "timageeditwidget.h"
#include "ttextedit.h"

#include <QEvent>
#include <QPainter>
#include <QTextOption>

namespace {
// The editor sits inside the shape's rectangle by this much on every side.
const int kInset = 6;
} // namespace

TTextShape::TTextShape(const QPoint &iStart, const QPoint &iEnd, const QPen &iPen, const QBrush &iBrush,
                       const QFont &iFont, TImageEditWidget *iCanvas, QWidget *iUnused)
    : TShape(iStart, iEnd, iPen, iBrush, iFont)
    , d(new TTextShapePrivate(this))
{
    Q_UNUSED(iUnused)
    const QSize defaultSize = ImageEditerPrivateTextEditWidget::kTextDefaultSize;
    setCorners(iStart, iStart + QPoint(defaultSize.width() + 2 * kInset, defaultSize.height() + 2 * kInset));
    d->canvas = iCanvas;
    d->editor = new ImageEditerPrivateTextEditWidget(nullptr);
    d->editor->setTextPen(iPen);
    d->editor->setTextFont(iFont);
    if (iCanvas && iCanvas->parentWidget())
        d->editor->setParent(iCanvas->parentWidget());
    d->editor->installEventFilter(this);
    connect(d->editor, &ImageEditerPrivateTextEditWidget::locationOrSizeChanged, this, &TTextShape::doResize);
}

TTextShape::~TTextShape() { delete d->editor.data(); }

void TTextShape::setEndPoint(const QPoint &iPoint, bool iMove)
{
    if (iMove)
        TShape::setStartPoint(startPoint() + (iPoint - endPoint()), false);
    const int w = iPoint.x() - startPoint().x() - 2 * kInset;
    const int h = iPoint.y() - startPoint().y() - 2 * kInset;
    const QSize minimum = ImageEditerPrivateTextEditWidget::kTextMinimumSize;
    if (w < minimum.width() + 1 || h < minimum.height() + 1)
        return;
    setCorners(startPoint(), iPoint);
    if (d->editor)
        d->editor->resize(w, h);
}

QRect TTextShape::bodyRect() const { return QRect(startPoint(), startPoint() + QPoint(kInset, kInset)); }

QRect TTextShape::resizeHandleRect() const { return QRect(endPoint() - QPoint(kInset, kInset), endPoint()); }

QRect TTextShape::textRect() const
{
    return QRect(startPoint() + QPoint(kInset, kInset), endPoint() - QPoint(kInset, kInset));
}

void TTextShape::paint(QPainter *iPainter, bool iSelected)
{
    setSelected(iSelected);
    if (!d->editingFinished) {
        if (d->editor && d->canvas) {
            d->editor->moveTo(d->canvas->pos() + QPoint(kInset, kInset) + startPoint(), true);
            if (d->editor->isHidden())
                d->editor->show();
            d->canvas->registerTextEditor(d->editor);
        }
    } else {
        paintFinal(iPainter);
    }

    iPainter->save();
    QRect frame = rect().adjusted(3, 3, -3, -3);
    frame.setSize(frame.size().expandedTo(ImageEditerPrivateTextEditWidget::kTextMinimumSize));
    QPen framePen = iPainter->pen();
    if (iSelected || d->framed) {
        framePen.setStyle(Qt::DotLine);
        iPainter->setPen(framePen);
        iPainter->drawRect(frame);
    }
    if (iSelected) {
        framePen.setStyle(Qt::SolidLine);
        iPainter->setPen(framePen);
        iPainter->setBrush(QBrush(Qt::white, Qt::SolidPattern));
        iPainter->drawRect(bodyRect());
        framePen.setWidth(2);
        iPainter->setPen(framePen);
        const QRect handle = resizeHandleRect();
        iPainter->drawLine(QPoint(handle.left(), handle.top() + handle.height() / 2),
                           QPoint(handle.right(), handle.top() + handle.height() / 2));
        iPainter->drawLine(QPoint(handle.left() + handle.width() / 2, handle.top()),
                           QPoint(handle.left() + handle.width() / 2, handle.bottom()));
    }
    iPainter->restore();
}

void TTextShape::paintFinal(QPainter *iPainter)
{
    if (!d->editor)
        return;
    const QPen savedPen = iPainter->pen();
    const QFont savedFont = iPainter->font();
    iPainter->setPen(pen());
    iPainter->setFont(font());
    const QRect area(startPoint() + QPoint(11, 11), d->editor->size() - QSize(10, 10));
    iPainter->drawText(area, d->editor->textEdit()->toPlainText(), QTextOption());
    iPainter->setFont(savedFont);
    iPainter->setPen(savedPen);
}

void TTextShape::restoreGeometry(const QPoint &iStart, const QPoint &iEnd, const QList<QPoint> &iPoints)
{
    if (d->editor)
        d->editor->resize(iEnd.x() - iStart.x() - 2 * kInset, iEnd.y() - iStart.y() - 2 * kInset);
    TShape::restoreGeometry(iStart, iEnd, iPoints);
}

bool TTextShape::isEditingFinished() const { return d->editingFinished; }

void TTextShape::setEditingFinished(bool iFinished) { d->editingFinished = iFinished; }

bool TTextShape::isFramed() const { return d->framed; }

void TTextShape::setFramed(bool iFramed) { d->framed = iFramed; }

ImageEditerPrivateTextEditWidget *TTextShape::editor() const { return d->editor; }

void TTextShape::setEditorVisible(bool iVisible)
{
    if (d->editor)
        d->editor->setVisible(iVisible);
}

bool TTextShape::eventFilter(QObject *iWatched, QEvent *iEvent)
{
    // An editor being destroyed still sends events (its children leave it)
    // but is no editor any more: the cast tells, comparing first would not.
    auto *editor = qobject_cast<ImageEditerPrivateTextEditWidget *>(iWatched);
    if (editor && editor == d->editor) {
        if (iEvent->type() == QEvent::Hide) {
            d->editingFinished = true;
            d->framed = false;
        } else if (iEvent->type() == QEvent::Show) {
            d->editingFinished = false;
        }
    }
    return TShape::eventFilter(iWatched, iEvent);
}

void TTextShape::doResize(const QSize &iSize)
{
    setCorners(startPoint(), startPoint() + QPoint(iSize.width(), iSize.height()) + QPoint(12, 12));
    Q_EMIT update();
}
