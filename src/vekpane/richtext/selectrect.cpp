#include "selectrect.h"
#include "selectrect_p.h"

#include "pushpoint.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

namespace {
const QPoint kParked(-100, -100);
} // namespace

void SelectRectPrivate::placeHandles()
{
    if (handles.isEmpty())
        return;
    const int w = handles.at(0)->width();
    const int h = handles.at(0)->height();
    const int x = border.x();
    const int y = border.y();
    const int bw = border.width();
    const int bh = border.height();
    const QPoint places[8] = {
            QPoint(x - 6, y - 6),
            QPoint(x + bw - w + 6, y - 6),
            QPoint(x + (bw - w) / 2, y - 6),
            QPoint(x - 6, y + bh - h + 6),
            QPoint(x + bw - w + 6, y + bh - h + 6),
            QPoint(x + (bw - w) / 2, y + bh - h + 6),
            QPoint(x - 6, y + (bh - h) / 2),
            QPoint(x + bw - w + 6, y + (bh - h) / 2),
    };
    for (int i = 0; i < handles.size() && i < 8; ++i)
        handles.at(i)->move(places[i]);
}

SelectRect::SelectRect(QWidget *iParent)
    : QLabel(iParent)
    , d(new SelectRectPrivate(this))
{
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setStyleSheet(QStringLiteral("background:transparent;"));
    setAttribute(Qt::WA_MouseTracking);
    if (isWindow())
        showFullScreen();
    hide();
    for (int i = 0; i < 8; ++i) {
        auto *handle = new PushPoint(this);
        handle->setIndex(i);
        connect(handle, &PushPoint::moved, this, &SelectRect::slotPointMoved);
        handle->move(kParked);
        d->handles.append(handle);
    }
}

SelectRect::~SelectRect() = default;

void SelectRect::reset()
{
    // As a child of the capture widget the layer covers its parent; on its
    // own it covers the screen.
    if (parentWidget() && !isWindow()) {
        setGeometry(QRect(QPoint(0, 0), parentWidget()->size()));
        show();
    } else {
        showFullScreen();
    }
    setCursor(Qt::CrossCursor);
    QPixmap veil(size());
    veil.fill(QColor(0, 0, 0, 1));
    setPixmap(veil);
    d->hasSelection = false;
    d->dragging = false;
    // A stale rectangle would turn the next plain click into a selection.
    d->selection = QRect();
    d->border = QRect();
    for (PushPoint *handle : qAsConst(d->handles))
        handle->move(kParked);
    update();
}

QRect SelectRect::rect() const { return d->selection; }

void SelectRect::setRect(const QRect &iRect)
{
    d->selection = iRect;
    updateBorder();
}

bool SelectRect::hasSelection() const { return d->hasSelection; }

QRect SelectRect::borderRect() const { return d->border; }

void SelectRect::updateBorder()
{
    QRect border = d->selection;
    border.setTopLeft(border.topLeft() - QPoint(1, 1));
    border.setSize(d->selection.size() + QSize(1, 1));
    d->border = (border.x() < 0 || border.y() < 0) ? d->selection : border;
    d->placeHandles();
    update();
}

QList<PushPoint *> SelectRect::pushPoints() const { return d->handles; }

void SelectRect::paintEvent(QPaintEvent *iEvent)
{
    QLabel::paintEvent(iEvent);
    if (d->border.isNull())
        return;
    QPainter painter(this);
    painter.setPen(QPen(QBrush(Qt::blue), 1.0, Qt::SolidLine, Qt::RoundCap, Qt::BevelJoin));
    painter.drawRect(d->border);
}

void SelectRect::mousePressEvent(QMouseEvent *iEvent)
{
    if (iEvent->button() == Qt::RightButton) {
        // Left for the capture widget's event filter.
        iEvent->ignore();
        return;
    }
    if (iEvent->button() != Qt::LeftButton) {
        QLabel::mousePressEvent(iEvent);
        return;
    }
    d->pressedWithoutMove = true;
    if (!d->hasSelection) {
        d->pressPoint = iEvent->pos();
        iEvent->accept();
        return;
    }
    if (d->selection.contains(iEvent->pos())) {
        d->grabOffset = iEvent->pos();
        d->topLeftAtPress = d->selection.topLeft();
        d->dragging = true;
    } else {
        d->dragging = false;
    }
    iEvent->accept();
}

void SelectRect::mouseMoveEvent(QMouseEvent *iEvent)
{
    d->pressedWithoutMove = false;
    const QPoint pos = iEvent->pos();
    if (iEvent->buttons() & Qt::LeftButton) {
        if (!d->hasSelection) {
            d->selection = QRect(d->pressPoint, pos).normalized();
            updateBorder();
        } else if (d->dragging) {
            QPoint topLeft = d->topLeftAtPress + (pos - d->grabOffset);
            // Pushed against an edge the selection stops there; it never shrinks.
            topLeft.setX(qBound(0, topLeft.x(), qMax(0, width() - d->selection.width())));
            topLeft.setY(qBound(0, topLeft.y(), qMax(0, height() - d->selection.height())));
            d->selection.moveTopLeft(topLeft);
            updateBorder();
        }
        Q_EMIT rectChanged(d->selection);
    }
    if (d->hasSelection)
        setCursor(d->selection.contains(pos) ? Qt::SizeAllCursor : Qt::ArrowCursor);
    iEvent->accept();
}

void SelectRect::mouseReleaseEvent(QMouseEvent *iEvent)
{
    if (iEvent->button() != Qt::LeftButton || d->hasSelection) {
        d->dragging = false;
        QLabel::mouseReleaseEvent(iEvent);
        return;
    }
    if (d->pressedWithoutMove)
        Q_EMIT releaseWithoutMove();
    // Read after the signal: a receiver may have given a rectangle to a plain click.
    if (d->selection.width() >= 4 && d->selection.height() >= 4)
        d->hasSelection = true;
    else
        Q_EMIT releaseWithoutMove();
    iEvent->accept();
}

void SelectRect::mouseDoubleClickEvent(QMouseEvent *iEvent)
{
    if (iEvent->button() == Qt::LeftButton && d->selection.contains(iEvent->pos())) {
        // Left for the capture widget's event filter, which finishes the capture.
        iEvent->ignore();
        return;
    }
    QLabel::mouseDoubleClickEvent(iEvent);
}

void SelectRect::slotPointMoved(const QPoint &iPoint)
{
    auto *handle = qobject_cast<PushPoint *>(sender());
    if (!handle)
        return;
    const int x = d->selection.x();
    const int y = d->selection.y();
    const int w = d->selection.width();
    const int h = d->selection.height();
    const int minW = 5 * handle->width();
    const int minH = 5 * handle->height();
    const QPoint p(qMax(0, iPoint.x()), qMax(0, iPoint.y()));
    QPoint place;
    QRect selection = d->selection;
    switch (handle->index()) {
    case 0:
        place = QPoint(qMin(p.x(), x + w - minW), qMin(p.y(), y + h - minH));
        selection.setTopLeft(place);
        break;
    case 1:
        place = QPoint(qMax(p.x(), x + minW), qMin(p.y(), y + h - minH));
        selection.setTop(place.y());
        selection.setWidth(place.x() - x);
        break;
    case 2:
        place = QPoint(p.x(), qMin(p.y(), y + h - minH));
        selection.setTop(place.y());
        break;
    case 3:
        place = QPoint(qMin(p.x(), x + w - minW), qMax(p.y(), y + minH));
        selection.setLeft(place.x());
        selection.setHeight(place.y() - y);
        break;
    case 4:
        place = QPoint(qMax(p.x(), x + minW), qMax(p.y(), y + minH));
        selection.setWidth(place.x() - x);
        selection.setHeight(place.y() - y);
        break;
    case 5:
        place = QPoint(p.x(), qMax(p.y(), y + minH));
        selection.setHeight(place.y() - y);
        break;
    case 6:
        place = QPoint(qMin(p.x(), x + w - minW), p.y());
        selection.setLeft(place.x());
        break;
    case 7:
        place = QPoint(qMax(p.x(), x + minW), p.y());
        selection.setWidth(place.x() - x);
        break;
    default:
        return;
    }
    handle->move(place);
    d->selection = selection;
    updateBorder();
    Q_EMIT rectChanged(d->selection);
}
