#include "tpopupwindow.h"
#include "tpopupwindow_p.h"

#include <QHoverEvent>
#include <QMouseEvent>
#include <QPropertyAnimation>

namespace {

// The bands in which the cursor grabs an edge or a corner, in plain pixels.
const int CornerBand = 9;
const int LeftTopBand = 7;
const int RightBottomBand = 6;
const int SmallestSide = 50;

bool within(int iValue, int iLow, int iHigh) { return iValue >= iLow && iValue <= iHigh; }

} // namespace

QRect TPopupWindowPrivate::startRect(const QRect &iTarget, TPopupWindow::PopupPosition iDirection)
{
    switch (iDirection) {
    case TPopupWindow::PopupFromRight:
        return QRect(iTarget.topRight(), QSize(1, iTarget.height()));
    case TPopupWindow::PopupFromTop:
        return QRect(iTarget.topLeft(), QSize(iTarget.width(), 1));
    case TPopupWindow::PopupFromBottom:
        return QRect(iTarget.bottomLeft(), QSize(iTarget.width(), 1));
    case TPopupWindow::PopupFromCenter:
        return QRect((iTarget.topLeft() + iTarget.bottomRight()) / 2, QSize(1, 1));
    case TPopupWindow::PopupFromLeft:
    default:
        return QRect(iTarget.topLeft(), QSize(1, iTarget.height()));
    }
}

void TPopupWindowPrivate::hover(const QPoint &iPos)
{
    Q_Q(TPopupWindow);
    const int x = iPos.x();
    const int y = iPos.y();
    const int w = q->width();
    const int h = q->height();
    Qt::CursorShape shape = Qt::ArrowCursor;
    if (within(x, w - CornerBand, w) && within(y, h - CornerBand, h)) {
        region = BottomRight;
        shape = Qt::SizeFDiagCursor;
    } else if (within(x, 0, CornerBand) && within(y, 0, CornerBand)) {
        region = TopLeft;
        shape = Qt::SizeFDiagCursor;
    } else if (within(x, 0, CornerBand) && within(y, h - CornerBand, h)) {
        region = BottomLeft;
        shape = Qt::SizeBDiagCursor;
    } else if (within(x, w - CornerBand, w) && within(y, 0, CornerBand)) {
        region = TopRight;
        shape = Qt::SizeBDiagCursor;
    } else if (x >= 0 && x < LeftTopBand) {
        region = Left;
        shape = Qt::SizeHorCursor;
    } else if (within(x, w - RightBottomBand, w)) {
        region = Right;
        shape = Qt::SizeHorCursor;
    } else if (y >= 0 && y < LeftTopBand) {
        region = Top;
        shape = Qt::SizeVerCursor;
    } else if (within(y, h - RightBottomBand, h)) {
        region = Bottom;
        shape = Qt::SizeVerCursor;
    } else {
        region = None;
    }
    q->setCursor(shape);
}

void TPopupWindowPrivate::resizeTo(const QPoint &iGlobalPos)
{
    Q_Q(TPopupWindow);
    const QRect rect = q->geometry();
    // Right and bottom exclusive, so a width is right - left.
    int left = rect.x();
    int top = rect.y();
    int right = rect.x() + rect.width();
    int bottom = rect.y() + rect.height();
    const int minWidth = qMax(q->minimumWidth(), SmallestSide);
    const int minHeight = qMax(q->minimumHeight(), SmallestSide);
    const bool leftEdge = region == Left || region == TopLeft || region == BottomLeft;
    const bool rightEdge = region == Right || region == TopRight || region == BottomRight;
    const bool topEdge = region == Top || region == TopLeft || region == TopRight;
    const bool bottomEdge = region == Bottom || region == BottomLeft || region == BottomRight;
    const int gx = iGlobalPos.x();
    const int gy = iGlobalPos.y();
    if (leftEdge && right - gx > minWidth)
        left = gx;
    if (rightEdge && gx - left > minWidth)
        right = gx;
    if (topEdge && bottom - gy > minHeight)
        top = gy;
    if (bottomEdge && gy - top > minHeight)
        bottom = gy;
    q->setGeometry(QRect(left, top, right - left, bottom - top));
}

TPopupWindow::TPopupWindow(QWidget *iParent)
    : QWidget(iParent, Qt::Popup | Qt::FramelessWindowHint)
    , TUiInterface()
    , d(new TPopupWindowPrivate(this))
{
    setAttribute(Qt::WA_Hover, true);
}

TPopupWindow::~TPopupWindow() = default;

TUI_WRAPPER_COMMON_KEYS_ONLY(TPopupWindow)

void TPopupWindow::popup(const QRect &iPopupRect, TPopupWindow::PopupPosition iDirection)
{
    const QRect start = TPopupWindowPrivate::startRect(iPopupRect, iDirection);
    setMinimumSize(0, 0);
    setGeometry(QRect(start.topLeft(), QSize(0, 0)));
    show();
    activateWindow();
    if (!d->openAnimation) {
        d->openAnimation = new QPropertyAnimation(this, "geometry", this);
        d->openAnimation->setDuration(300);
        d->openAnimation->setEasingCurve(QEasingCurve::InOutQuart);
    }
    // A running animation ignores start(): a second pop-up restarts it.
    d->openAnimation->stop();
    d->openAnimation->setStartValue(start);
    d->openAnimation->setEndValue(iPopupRect);
    d->openAnimation->start();
}

void TPopupWindow::popup(const QRect &iPopupRect, Qt::Alignment iDirection)
{
    PopupPosition position = PopupFromLeft;
    if (iDirection == Qt::AlignCenter)
        position = PopupFromCenter;
    else if (iDirection == Qt::AlignLeft)
        position = PopupFromLeft;
    else if (iDirection == Qt::AlignRight)
        position = PopupFromRight;
    else if (iDirection == Qt::AlignTop)
        position = PopupFromTop;
    else if (iDirection == Qt::AlignBottom)
        position = PopupFromBottom;
    popup(iPopupRect, position);
}

bool TPopupWindow::isMoveable() const { return d->moveable; }

void TPopupWindow::setMoveable(bool iMoveable) { d->moveable = iMoveable; }

bool TPopupWindow::isResizable() const { return d->resizable; }

void TPopupWindow::setResizable(bool iResizable) { d->resizable = iResizable; }

bool TPopupWindow::event(QEvent *iEvent)
{
    switch (iEvent->type()) {
    case QEvent::HoverMove:
        if (d->resizable && !d->pressed)
            d->hover(static_cast<QHoverEvent *>(iEvent)->pos());
        break;
    case QEvent::MouseButtonPress: {
        auto *mouse = static_cast<QMouseEvent *>(iEvent);
        if (mouse->button() == Qt::LeftButton) {
            d->dragOffset = mouse->globalPos() - frameGeometry().topLeft();
            d->pressed = true;
        }
        break;
    }
    case QEvent::MouseButtonRelease:
        d->pressed = false;
        break;
    case QEvent::MouseMove: {
        auto *mouse = static_cast<QMouseEvent *>(iEvent);
        if (mouse->buttons() & Qt::LeftButton) {
            if (d->resizable && d->region != TPopupWindowPrivate::None) {
                d->resizeTo(mouse->globalPos());
            } else if (d->moveable) {
                move(mouse->globalPos() - d->dragOffset);
                iEvent->accept();
            }
        }
        break;
    }
    default:
        break;
    }
    return QWidget::event(iEvent);
}

bool TPopupWindow::eventFilter(QObject *iWatched, QEvent *iEvent)
{
    switch (iEvent->type()) {
    case QEvent::HoverMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
        if (iWatched != this)
            event(iEvent);
        break;
    default:
        break;
    }
    return QWidget::eventFilter(iWatched, iEvent);
}
