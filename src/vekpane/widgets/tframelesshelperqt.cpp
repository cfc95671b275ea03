#include "tframelesshelperqt.h"
#include "tframelesshelperqt_p.h"

#include "ttheme.h"

#include <QGuiApplication>
#include <QMouseEvent>

void TFramelessHelperQtPrivate::applyFrameless(bool iFrameless)
{
    if (!host)
        return;
    const Qt::WindowFlags flags = host->windowFlags().setFlag(Qt::FramelessWindowHint, iFrameless);
    if (flags == host->windowFlags())
        return;
    host->overrideWindowFlags(flags);
    if (QWindow *handle = host->windowHandle())
        handle->setFlags(flags);
}

void TFramelessHelperQtPrivate::watchWindow()
{
    Q_Q(TFramelessHelperQt);
    QWindow *handle = host ? host->windowHandle() : nullptr;
    if (handle == window)
        return;
    if (window)
        window->removeEventFilter(q);
    window = handle;
    if (window)
        window->installEventFilter(q);
}

void TFramelessHelperQtPrivate::detach()
{
    Q_Q(TFramelessHelperQt);
    if (window)
        window->removeEventFilter(q);
    if (host) {
        host->removeEventFilter(q);
        if (cursorSet)
            host->unsetCursor();
        applyFrameless(wasFrameless);
    }
    window = nullptr;
    host = nullptr;
    bar = nullptr;
    attached = false;
    cursorSet = false;
}

bool TFramelessHelperQtPrivate::startSystemAction(TFramelessHitTest::Area iArea)
{
    if (!window)
        return false;
    if (iArea == TFramelessHitTest::Caption)
        return window->startSystemMove();
    const Qt::Edges edges = TFramelessHitTest::edges(iArea);
    return edges && window->startSystemResize(edges);
}

void TFramelessHelperQtPrivate::updateCursor(TFramelessHitTest::Area iArea)
{
    Qt::CursorShape shape = Qt::ArrowCursor;
    switch (iArea) {
    case TFramelessHitTest::Left:
    case TFramelessHitTest::Right:
        shape = Qt::SizeHorCursor;
        break;
    case TFramelessHitTest::Top:
    case TFramelessHitTest::Bottom:
        shape = Qt::SizeVerCursor;
        break;
    case TFramelessHitTest::TopLeft:
    case TFramelessHitTest::BottomRight:
        shape = Qt::SizeFDiagCursor;
        break;
    case TFramelessHitTest::TopRight:
    case TFramelessHitTest::BottomLeft:
        shape = Qt::SizeBDiagCursor;
        break;
    default:
        // Leaving the band gives the widgets their own cursors back.
        if (cursorSet) {
            host->unsetCursor();
            cursorSet = false;
        }
        return;
    }
    host->setCursor(shape);
    cursorSet = true;
}

TFramelessHelperQt::TFramelessHelperQt(TFramelessWindowBar *parent)
    : QObject(parent)
    , d(new TFramelessHelperQtPrivate(this))
{}

TFramelessHelperQt::~TFramelessHelperQt()
{
    if (d->attached)
        d->detach();
}

bool TFramelessHelperQt::isSupportedPlatform()
{
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"));
}

void TFramelessHelperQt::attachHostWindow(QWidget *host)
{
    // Only a change of the attached state acts, as on every platform.
    if (d->attached == (host != nullptr))
        return;
    if (!host) {
        d->detach();
        return;
    }
    d->host = host;
    d->bar = qobject_cast<TFramelessWindowBar *>(parent());
    d->attached = true;
    d->wasFrameless = host->windowFlags().testFlag(Qt::FramelessWindowHint);
    d->applyFrameless(true);
    host->installEventFilter(this);
    d->watchWindow();
}

bool TFramelessHelperQt::isHelperActive() const { return d->active; }

void TFramelessHelperQt::setHelperActive(bool active) { d->active = active; }

bool TFramelessHelperQt::handleNativeMessage(NativeMessage *message, long *result)
{
    Q_UNUSED(message)
    Q_UNUSED(result)
    return false;
}

TFramelessHitTest::Area TFramelessHelperQt::areaAt(const QPoint &windowPos) const
{
    if (!d->attached || !d->host)
        return TFramelessHitTest::Outside;
    QWidget *host = d->host;
    // A maximised or full-screen window has nothing to resize.
    const bool fixed = host->isMaximized() || host->isFullScreen();
    const int band = fixed ? 0 : TTheme::instance()->dp(3);
    const TFramelessWindowBar *bar = d->bar;
    const bool barShown = bar && bar->isVisible() && !bar->isBarHideen();
    int titleHeight = 0;
    if (barShown) {
        titleHeight = bar->windowTitleBarHeight();
        if (host->isAncestorOf(bar))
            titleHeight += bar->mapTo(host, QPoint(0, 0)).y();
    }
    const bool overControl = barShown && bar->isInEditableWidget(host->mapToGlobal(windowPos));
    return TFramelessHitTest::hitTest(host->rect(), windowPos, band, titleHeight, overControl);
}

bool TFramelessHelperQt::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == d->host) {
        // The native window is made anew when the host's flags change.
        if (event->type() == QEvent::WinIdChange || event->type() == QEvent::Show)
            d->watchWindow();
        return QObject::eventFilter(watched, event);
    }
    if (watched != d->window || !d->active || !d->host)
        return QObject::eventFilter(watched, event);

    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton)
            break;
        const TFramelessHitTest::Area area = areaAt(mouse->pos());
        if (event->type() == QEvent::MouseButtonDblClick) {
            if (area != TFramelessHitTest::Caption)
                break;
            QWidget *host = d->host;
            if (host->isMaximized())
                host->showNormal();
            else
                host->showMaximized();
            return true;
        }
        if (area != TFramelessHitTest::Client && area != TFramelessHitTest::Outside && d->startSystemAction(area))
            return true;
        break;
    }
    case QEvent::MouseMove: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->buttons() == Qt::NoButton)
            d->updateCursor(areaAt(mouse->pos()));
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
