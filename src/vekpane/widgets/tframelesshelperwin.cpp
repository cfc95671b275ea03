#include "tframelesshelperwin.h"

#ifdef Q_OS_WIN

#include "tframelesshelperwin_p.h"

#include "ttheme.h"

#include <QApplication>
#include <QEvent>
#include <QLibrary>
#include <QOperatingSystemVersion>
#include <QPainter>
#include <QResizeEvent>
#include <QStyle>
#include <QWindow>
#include <qpa/qplatformnativeinterface.h>

#include <windowsx.h>

namespace {

using DwmIsCompositionEnabledFn = HRESULT(WINAPI *)(BOOL *);
using DwmSetWindowAttributeFn = HRESULT(WINAPI *)(HWND, DWORD, LPCVOID, DWORD);
using DwmDefWindowProcFn = BOOL(WINAPI *)(HWND, UINT, WPARAM, LPARAM, LRESULT *);
struct FrameMargins
{
    int left, right, top, bottom;
};
using DwmExtendFrameIntoClientAreaFn = HRESULT(WINAPI *)(HWND, const FrameMargins *);
using SetWinEventHookFn = HWINEVENTHOOK(WINAPI *)(DWORD, DWORD, HMODULE, WINEVENTPROC, DWORD, DWORD, DWORD);
using UnhookWinEventFn = BOOL(WINAPI *)(HWINEVENTHOOK);

// Process-wide, set up by the first helper.
UINT frameHookMessage = 0;
bool functionsLoaded = false;
DwmIsCompositionEnabledFn dwmIsCompositionEnabled = nullptr;
DwmSetWindowAttributeFn dwmSetWindowAttribute = nullptr;
DwmDefWindowProcFn dwmDefWindowProc = nullptr;
DwmExtendFrameIntoClientAreaFn dwmExtendFrameIntoClientArea = nullptr;
HWINEVENTHOOK reorderHook = nullptr;
int reorderHookUsers = 0;
bool firstShowAdjusted = false;

constexpr LONG frameStyles = WS_DLGFRAME | WS_VSCROLL | WS_HSCROLL;                    // 0x00700000
constexpr LONG foreignFrameStyles = WS_BORDER | WS_DLGFRAME | WS_VSCROLL | WS_HSCROLL; // 0x00F00000
constexpr UINT refreshFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;
constexpr UINT moveFlags = SWP_NOZORDER | SWP_NOACTIVATE;
constexpr int dwmwaNcRenderingPolicy = 2;
constexpr DWORD eventObjectReorder = 0x8004;
constexpr UINT systemMenuMessage = 0x313;

LONG style(HWND iHandle) { return GetWindowLongW(iHandle, GWL_STYLE); }
LONG exStyle(HWND iHandle) { return GetWindowLongW(iHandle, GWL_EXSTYLE); }

bool isMaximisedMdiChild(HWND iHandle) { return (style(iHandle) & WS_MAXIMIZE) && (exStyle(iHandle) & WS_EX_MDICHILD); }

} // namespace

TFramelessHelperWinPrivate::TFramelessHelperWinPrivate(TFramelessHelperWin *iPublic)
    : q_ptr(iPublic)
{}

void TFramelessHelperWinPrivate::loadSystemFunctions()
{
    if (functionsLoaded)
        return;
    functionsLoaded = true;
    QLibrary dwm(QStringLiteral("dwmapi"));
    dwmIsCompositionEnabled = reinterpret_cast<DwmIsCompositionEnabledFn>(dwm.resolve("DwmIsCompositionEnabled"));
    dwmSetWindowAttribute = reinterpret_cast<DwmSetWindowAttributeFn>(dwm.resolve("DwmSetWindowAttribute"));
    if (dwmIsCompositionEnabled && dwmSetWindowAttribute) {
        dwmDefWindowProc = reinterpret_cast<DwmDefWindowProcFn>(dwm.resolve("DwmDefWindowProc"));
        dwmExtendFrameIntoClientArea
                = reinterpret_cast<DwmExtendFrameIntoClientAreaFn>(dwm.resolve("DwmExtendFrameIntoClientArea"));
    }
}

void CALLBACK TFramelessHelperWinPrivate::winEventHook(HWINEVENTHOOK, DWORD iEvent, HWND iWnd, LONG iObject, LONG,
                                                       DWORD, DWORD)
{
    if (iEvent != eventObjectReorder || iObject != OBJID_WINDOW || !iWnd || !IsWindow(iWnd))
        return;
    TFramelessHelperWin *helper = nullptr;
    SendMessageW(iWnd, frameHookMessage, 0, reinterpret_cast<LPARAM>(&helper));
    if (!helper || helper->d->handle != iWnd || helper->d->compositionMode)
        return;
    if (style(iWnd) & foreignFrameStyles)
        helper->d->refreshTimer.start(100);
}

bool TFramelessHelperWinPrivate::compositionUsable() const
{
    if (active && attached)
        return false;
    BOOL enabled = FALSE;
    return dwmIsCompositionEnabled && SUCCEEDED(dwmIsCompositionEnabled(&enabled)) && enabled;
}

bool TFramelessHelperWinPrivate::isChild() const { return handle && (style(handle) & WS_CHILD); }

bool TFramelessHelperWinPrivate::barHidden() const
{
    const bool minimisedChild = handle && (style(handle) & (WS_CHILD | WS_MINIMIZE)) == (WS_CHILD | WS_MINIMIZE);
    return !bar || !bar->isVisible() || minimisedChild;
}

int TFramelessHelperWinPrivate::titleBarHeight() const
{
    if (!barHidden())
        return bar->windowTitleBarHeight();
    return (host ? host->style() : QApplication::style())->pixelMetric(QStyle::PM_TitleBarHeight) + borderWidth;
}

void TFramelessHelperWinPrivate::updateBorderWidth()
{
    RECT frame = {0, 0, 0, 0};
    AdjustWindowRectEx(&frame, DWORD(style(handle)), FALSE, DWORD(exStyle(handle)));
    borderWidth = -frame.left;
}

void TFramelessHelperWinPrivate::updateRegion(bool iForce)
{
    if (inRegionUpdate || !handle)
        return;
    RECT window;
    GetWindowRect(handle, &window);
    const QSize size(window.right - window.left, window.bottom - window.top);
    if (size == cachedSize && !iForce)
        return;
    inRegionUpdate = true;
    updateBorderWidth();
    const LONG windowStyle = style(handle);
    const LONG windowExStyle = exStyle(handle);
    if ((windowStyle & WS_MAXIMIZE) && (windowExStyle & WS_EX_MDICHILD)) {
        SetWindowRgn(handle, nullptr, TRUE);
    } else if (windowStyle & WS_MAXIMIZE) {
        // Cuts off the frame that lies beyond the screen.
        const int b = (windowExStyle & WS_EX_CLIENTEDGE) ? borderWidth - 2 : borderWidth;
        SetWindowRgn(handle, CreateRectRgn(b, b, size.width() - b, size.height() - b), TRUE);
    } else {
        SetWindowRgn(handle, CreateRectRgn(0, 0, size.width() + 1, size.height() + 1), TRUE);
    }
    cachedSize = size;
    inRegionUpdate = false;
}

void TFramelessHelperWinPrivate::stripFrameStyles()
{
    if (!handle)
        return;
    const LONG windowStyle = style(handle);
    if (!(windowStyle & frameStyles))
        return;
    recalculating = true;
    SetWindowLongW(handle, GWL_STYLE, windowStyle & ~frameStyles);
    RECT window;
    GetWindowRect(handle, &window);
    SendMessageW(handle, WM_NCCALCSIZE, 0, reinterpret_cast<LPARAM>(&window));
    SetWindowLongW(handle, GWL_STYLE, windowStyle);
    recalculating = false;
    paintFrame();
}

void TFramelessHelperWinPrivate::paintFrame()
{
    if (!handle)
        return;
    RECT window, client;
    GetWindowRect(handle, &window);
    GetClientRect(handle, &client);
    POINT clientTopLeft = {client.left, client.top};
    POINT clientBottomRight = {client.right, client.bottom};
    ClientToScreen(handle, &clientTopLeft);
    ClientToScreen(handle, &clientBottomRight);
    const int w = window.right - window.left;
    const int h = window.bottom - window.top;
    const int top = clientTopLeft.y - window.top;
    const int side = clientTopLeft.x - window.left;
    // Window bottom as its last row, client bottom as the first row below the client.
    const int bottom = (window.bottom - 1) - clientBottomRight.y + 2;
    HDC dc = GetWindowDC(handle);
    if (!dc)
        return;
    HBRUSH brush = CreateSolidBrush(activeFrame ? RGB(0x54, 0x60, 0x6A) : RGB(0x38, 0x40, 0x47));
    const RECT parts[] = {{0, 0, w, top}, {0, 0, side, h}, {w - side, 0, w + side, h}, {0, h - bottom, w, h + bottom}};
    for (const RECT &part : parts)
        FillRect(dc, &part, brush);
    DeleteObject(brush);
    ReleaseDC(handle, dc);
}

void TFramelessHelperWinPrivate::refreshFrame() const
{
    if (handle)
        SetWindowPos(handle, nullptr, 0, 0, 0, 0, refreshFlags);
}

void TFramelessHelperWinPrivate::setRenderingPolicy() const
{
    if (!handle || !dwmSetWindowAttribute)
        return;
    const int policy = compositionUsable() ? 2 : 1;
    dwmSetWindowAttribute(handle, dwmwaNcRenderingPolicy, &policy, sizeof(policy));
}

void TFramelessHelperWinPrivate::extendFrameByZero() const
{
    if (!handle || !dwmExtendFrameIntoClientArea)
        return;
    const FrameMargins margins = {0, 0, 0, 0};
    dwmExtendFrameIntoClientArea(handle, &margins);
}

void TFramelessHelperWinPrivate::setDropShadow(bool iOn) const
{
    if (!handle || QOperatingSystemVersion::current().majorVersion() <= 5)
        return;
    const DWORD classStyle = GetClassLongW(handle, GCL_STYLE);
    const bool on = classStyle & CS_DROPSHADOW;
    if (on == iOn)
        return;
    SetClassLongW(handle, GCL_STYLE, iOn ? (classStyle | CS_DROPSHADOW) : (classStyle & ~CS_DROPSHADOW));
    if (!IsWindowVisible(handle))
        return;
    const int show = IsZoomed(handle) ? SW_SHOWMAXIMIZED : (IsIconic(handle) ? SW_SHOWMINIMIZED : SW_SHOW);
    ShowWindow(handle, SW_HIDE);
    ShowWindow(handle, show);
    refreshFrame();
    BringWindowToTop(handle);
}

QMargins TFramelessHelperWinPrivate::platformMargins() const
{
    QWindow *window = host ? host->windowHandle() : nullptr;
    if (!window || !window->handle())
        return {};
    QPlatformNativeInterface *native = QGuiApplication::platformNativeInterface();
    return native->windowProperty(window->handle(), QStringLiteral("WindowsCustomMargins")).value<QMargins>();
}

void TFramelessHelperWinPrivate::writePlatformMargins(const QMargins &iMargins)
{
    QWindow *window = host ? host->windowHandle() : nullptr;
    if (!window || !window->handle())
        return;
    host->setProperty("_q_windowsCustomMargins", QVariant::fromValue(iMargins));
    QGuiApplication::platformNativeInterface()->setWindowProperty(
            window->handle(), QStringLiteral("WindowsCustomMargins"), QVariant::fromValue(iMargins));
}

void TFramelessHelperWinPrivate::updatePlatformMargins()
{
    if (!host || !host->isVisible() || host->isMinimized() || !host->windowHandle() || !host->windowHandle()->handle())
        return;
    int top = GetSystemMetrics(SM_CYCAPTION) + borderWidth / 2;
    if (host->isFullScreen() && !host->isMaximized())
        top = 0;
    int left, right, bottom;
    if (host->isMaximized()) {
        top -= borderWidth / 2;
        left = right = bottom = 0;
    } else {
        left = right = borderWidth - 1;
        bottom = 2 * borderWidth;
    }
    const QMargins margins(-left, -top, -right, -bottom);
    if (margins != platformMargins())
        writePlatformMargins(margins);
}

void TFramelessHelperWinPrivate::restorePlatformMargins()
{
    writePlatformMargins(savedMargins);
    if (!handle)
        return;
    RECT window;
    GetWindowRect(handle, &window);
    SetWindowPos(handle, nullptr, window.left, window.top, window.right - window.left, window.bottom - window.top,
                 moveFlags);
}

void TFramelessHelperWinPrivate::postLayoutRequest() const
{
    if (bar)
        QCoreApplication::postEvent(bar, new QEvent(QEvent::LayoutRequest));
}

void TFramelessHelperWinPrivate::installHook()
{
    if (hooked)
        return;
    // One hook serves every helper of the process.
    if (!reorderHook) {
        QLibrary user32(QStringLiteral("user32"));
        auto setHook = reinterpret_cast<SetWinEventHookFn>(user32.resolve("SetWinEventHook"));
        if (!setHook)
            return;
        reorderHook = setHook(eventObjectReorder, eventObjectReorder, nullptr, &winEventHook, GetCurrentProcessId(), 0,
                              WINEVENT_OUTOFCONTEXT);
        if (!reorderHook)
            return;
    }
    hooked = true;
    ++reorderHookUsers;
}

void TFramelessHelperWinPrivate::removeHook()
{
    if (!hooked)
        return;
    hooked = false;
    if (--reorderHookUsers > 0 || !reorderHook)
        return;
    QLibrary user32(QStringLiteral("user32"));
    if (auto unhook = reinterpret_cast<UnhookWinEventFn>(user32.resolve("UnhookWinEvent")))
        unhook(reorderHook);
    reorderHook = nullptr;
}

void TFramelessHelperWinPrivate::attach(QWidget *iHost)
{
    Q_Q(TFramelessHelperWin);
    bar = qobject_cast<TFramelessWindowBar *>(q->parent());
    host = iHost;
    activeFrame = true;
    attached = true;
    handle = reinterpret_cast<HWND>(iHost->winId());
    savedMargins = platformMargins();
    setRenderingPolicy();
    setDropShadow(active && !isChild());
    compositionMode = !isChild() && compositionUsable();
    iHost->installEventFilter(q);
    if (compositionMode)
        SetWindowRgn(handle, nullptr, TRUE);
    else
        stripFrameStyles();
    updateRegion(true);
    refreshFrame();
    installHook();
    postLayoutRequest();
}

void TFramelessHelperWinPrivate::detach()
{
    Q_Q(TFramelessHelperWin);
    restorePlatformMargins();
    if (host)
        host->removeEventFilter(q);
    const bool wasClosing = closing;
    host = nullptr;
    bar = nullptr;
    attached = false;
    if (!wasClosing)
        setRenderingPolicy();
    if (handle) {
        if (compositionMode)
            extendFrameByZero();
        SetWindowRgn(handle, nullptr, TRUE);
        refreshFrame();
    }
    handle = nullptr;
    compositionMode = false;
    removeHook();
}

bool TFramelessHelperWinPrivate::barHitTest(const MSG *iMessage, long *oResult) const
{
    RECT window;
    GetWindowRect(handle, &window);
    window.bottom = window.top + titleBarHeight();
    const POINT cursor = {GET_X_LPARAM(iMessage->lParam), GET_Y_LPARAM(iMessage->lParam)};
    if (!PtInRect(&window, cursor))
        return false;
    const LRESULT code = DefWindowProcW(handle, WM_NCHITTEST, iMessage->wParam, iMessage->lParam);
    switch (code) {
    case HTMINBUTTON:
    case HTMAXBUTTON:
    case HTCLOSE:
    case HTHELP:
    case HTCLIENT:
        *oResult = HTTRANSPARENT;
        return true;
    case HTSYSMENU:
        *oResult = HTSYSMENU;
        return true;
    default:
        return false;
    }
}

bool TFramelessHelperWinPrivate::hitTest(const MSG *iMessage, long *oResult) const
{
    LRESULT code = DefWindowProcW(handle, WM_NCHITTEST, iMessage->wParam, iMessage->lParam);
    if (barHidden()) {
        if (code == HTCLOSE || code == HTMAXBUTTON || code == HTMINBUTTON || code == HTHELP)
            code = HTCAPTION;
        *oResult = long(code);
        return true;
    }
    if (code == HTCLIENT) {
        const int x = GET_X_LPARAM(iMessage->lParam);
        const int y = GET_Y_LPARAM(iMessage->lParam);
        RECT window;
        GetWindowRect(handle, &window);
        const int d = TTheme::instance()->dp(3);
        const bool left = x < window.left + d;
        const bool right = x >= window.right - d;
        const bool top = y < window.top + d;
        const bool bottom = y >= window.bottom - d;
        if (bottom && right)
            code = HTBOTTOMRIGHT;
        else if (top && right)
            code = HTTOPRIGHT;
        else if (top && left)
            code = HTTOPLEFT;
        else if (bottom && left)
            code = HTBOTTOMLEFT;
        else if (bottom)
            code = HTBOTTOM;
        else if (right)
            code = HTRIGHT;
        else if (left)
            code = HTLEFT;
        else if (top)
            code = HTTOP;
        else if (bar && bar->isInEditableWidget(QPoint(x, y)))
            code = HTCLIENT;
        else if (y < window.top + titleBarHeight())
            code = HTCAPTION;
    }
    *oResult = long(code);
    return true;
}

bool TFramelessHelperWinPrivate::activate(const MSG *iMessage, long *oResult)
{
    const bool enabled = IsWindowEnabled(handle);
    // A disabled window (a modal child open) keeps the active colour.
    const bool state = iMessage->wParam != 0 || !enabled;
    if (!(style(handle) & WS_VISIBLE)) {
        activeFrame = state;
        return false;
    }
    stripFrameStyles();
    recalculating = true;
    const LONG windowStyle = style(handle);
    if (windowStyle & WS_THICKFRAME)
        SetWindowLongW(handle, GWL_STYLE, windowStyle & ~WS_THICKFRAME);
    if (enabled)
        *oResult = long(DefWindowProcW(handle, WM_NCACTIVATE, state, 0));
    else
        *oResult = long(DefWindowProcW(handle, WM_NCACTIVATE, iMessage->wParam, iMessage->lParam));
    if (windowStyle & WS_THICKFRAME)
        SetWindowLongW(handle, GWL_STYLE, windowStyle);
    recalculating = false;
    if (state != activeFrame) {
        activeFrame = state;
        paintFrame();
    }
    return true;
}

void TFramelessHelperWinPrivate::calcSize(const MSG *iMessage)
{
    fullScreen = host && host->isFullScreen();
    updatePlatformMargins();
    auto *rect = reinterpret_cast<RECT *>(iMessage->lParam);
    const RECT proposed = *rect;
    const bool maximised = IsZoomed(handle);
    if (maximised) {
        rect->left = proposed.left + borderWidth;
        rect->top = proposed.top + borderWidth;
        rect->right = proposed.right - borderWidth;
        rect->bottom = proposed.bottom - borderWidth;
        if (!isChild())
            rect->bottom -= 1;
    } else {
        rect->left = proposed.left + 1;
        rect->top = proposed.top + 1;
        rect->right = proposed.right - 1;
        rect->bottom = proposed.bottom - 1;
    }
}

TFramelessHelperWin::TFramelessHelperWin(TFramelessWindowBar *parent)
    : QObject(parent)
    , d(new TFramelessHelperWinPrivate(this))
{
    if (!frameHookMessage)
        frameHookMessage = RegisterWindowMessageW(L"WM_GETFRAMEHOOK");
    connect(&d->refreshTimer, &QTimer::timeout, this, &TFramelessHelperWin::refreshFrameTimer);
    TFramelessHelperWinPrivate::loadSystemFunctions();
}

TFramelessHelperWin::~TFramelessHelperWin()
{
    if (d->host)
        d->host->removeEventFilter(this);
    if (d->attached)
        d->detach();
}

void TFramelessHelperWin::attachHostWindow(QWidget *host)
{
    if (d->attached == (host != nullptr))
        return;
    if (host)
        d->attach(host);
    else
        d->detach();
}

bool TFramelessHelperWin::isHelperActive() const { return d->active; }

void TFramelessHelperWin::setHelperActive(bool active) { d->active = active; }

void TFramelessHelperWin::refreshFrameTimer()
{
    d->stripFrameStyles();
    d->refreshTimer.stop();
}

bool TFramelessHelperWin::handleNativeMessage(MSG *message, long *result)
{
    if (!d->active || !d->host || !message)
        return false;
    if (d->bar && d->bar->testAttribute(Qt::WA_NativeWindow) && message->hwnd == reinterpret_cast<HWND>(d->bar->winId())
        && message->hwnd != d->handle) {
        return message->message == WM_NCHITTEST && d->barHitTest(message, result);
    }
    if (!d->attached || message->hwnd != d->handle)
        return false;
    if (d->recalculating) {
        switch (message->message) {
        case WM_STYLECHANGING:
        case WM_STYLECHANGED:
        case WM_WINDOWPOSCHANGED:
        case WM_NCPAINT:
            return true;
        case WM_WINDOWPOSCHANGING:
            reinterpret_cast<WINDOWPOS *>(message->lParam)->flags &= ~SWP_FRAMECHANGED;
            return true;
        default:
            break;
        }
    }

    const HWND handle = d->handle;
    switch (message->message) {
    case WM_WINDOWPOSCHANGING: {
        const auto *pos = reinterpret_cast<const WINDOWPOS *>(message->lParam);
        if (!(pos->flags & SWP_NOSIZE) && QSize(pos->cx, pos->cy) != d->cachedSize && !d->isChild())
            d->skipNextPaint = true;
        return false;
    }
    case WM_WINDOWPOSCHANGED: {
        const auto *pos = reinterpret_cast<const WINDOWPOS *>(message->lParam);
        if ((pos->flags & SWP_FRAMECHANGED) && !d->inRegionUpdate)
            d->updateRegion(true);
        return false;
    }
    case WM_SIZE:
    case WM_STYLECHANGED: {
        RECT window;
        GetWindowRect(handle, &window);
        const QSize size(window.right - window.left, window.bottom - window.top);
        const bool styleChanged = message->message == WM_STYLECHANGED;
        if (styleChanged || size != d->cachedSize) {
            d->updateRegion(styleChanged);
            d->paintFrame();
        }
        if (styleChanged) {
            d->refreshFrame();
            RedrawWindow(handle, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
        } else if (message->wParam == SIZE_RESTORED && d->sizeMoving) {
            if (d->bar) {
                QResizeEvent resize(d->bar->size(), d->bar->size());
                QCoreApplication::sendEvent(d->bar, &resize);
            }
            d->sizeMoving = false;
        } else if (message->wParam == SIZE_MINIMIZED) {
            const LONG windowStyle = style(handle);
            if (windowStyle & WS_MAXIMIZE)
                SetWindowLongW(handle, GWL_STYLE, windowStyle & ~WS_MAXIMIZE);
        }
        return false;
    }
    case WM_ENTERSIZEMOVE:
        d->sizeMoving = true;
        return false;
    case WM_NCRBUTTONUP:
        SendMessageW(handle, systemMenuMessage, WPARAM(handle), message->lParam);
        return true;
    case WM_SETTEXT:
        *result = long(DefWindowProcW(handle, message->message, message->wParam, message->lParam));
        if (d->bar) {
            QEvent titleChange(QEvent::WindowTitleChange);
            QCoreApplication::sendEvent(d->bar, &titleChange);
        }
        return true;
    case WM_NCHITTEST:
        return d->hitTest(message, result);
    case WM_NCACTIVATE:
        return d->activate(message, result);
    case WM_DWMCOMPOSITIONCHANGED: {
        const bool composition = !d->isChild() && d->compositionUsable();
        if (composition != d->compositionMode) {
            d->compositionMode = composition;
            SetWindowRgn(handle, nullptr, TRUE);
            if (!composition)
                d->stripFrameStyles();
            d->refreshFrame();
        }
        return false;
    }
    case WM_NCCALCSIZE:
        d->calcSize(message);
        return true;
    case WM_SYSCOMMAND:
        if ((message->wParam & 0xFFF0) == SC_MINIMIZE && d->isChild()) {
            *result = long(DefWindowProcW(handle, message->message, message->wParam, message->lParam));
            d->paintFrame();
            return true;
        }
        return false;
    case WM_NCPAINT:
        if (d->skipNextPaint)
            d->skipNextPaint = false;
        else if (!isMaximisedMdiChild(handle))
            d->paintFrame();
        return true;
    case WM_SHOWWINDOW:
        d->skipNextPaint = false;
        if (!firstShowAdjusted) {
            firstShowAdjusted = true;
            RECT window;
            GetWindowRect(handle, &window);
            SetWindowPos(handle, nullptr, window.left - (d->borderWidth - 1),
                         window.top - (GetSystemMetrics(SM_CYCAPTION) + d->borderWidth / 2), window.right - window.left,
                         window.bottom - window.top, moveFlags);
        }
        return false;
    default:
        break;
    }
    if (message->message == frameHookMessage && frameHookMessage) {
        // Only a sender on this thread may have its slot written: a pointer
        // handed over by another thread or process is never written through.
        if (InSendMessageEx(nullptr) != ISMEX_NOSEND || !message->lParam)
            return false;
        *reinterpret_cast<TFramelessHelperWin **>(message->lParam) = this;
        *result = 1;
        return true;
    }
    return false;
}

bool TFramelessHelperWin::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != d->host || !d->handle)
        return QObject::eventFilter(watched, event);
    QWidget *host = d->host;
    switch (event->type()) {
    case QEvent::Paint: {
        QPainter painter(host);
        painter.fillRect(host->rect(), host->palette().brush(host->backgroundRole()));
        break;
    }
    case QEvent::LayoutRequest:
        if (!isMaximisedMdiChild(d->handle)) {
            d->paintFrame();
            d->skipNextPaint = true;
        }
        break;
    case QEvent::Close:
        d->closing = true;
        break;
    case QEvent::StyleChange: {
        const Qt::WindowStates states = host->windowState();
        const bool dropStates = d->active != d->lastSeenActive && host->isMaximized();
        d->lastSeenActive = d->active;
        if (dropStates)
            host->setWindowState(states & ~(Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
        d->setRenderingPolicy();
        d->compositionMode = !d->isChild() && d->compositionUsable();
        if (d->compositionMode)
            SetWindowRgn(d->handle, nullptr, TRUE);
        else
            d->stripFrameStyles();
        d->extendFrameByZero();
        d->updateRegion(true);
        d->updatePlatformMargins();
        d->postLayoutRequest();
        d->skipNextPaint = false;
        d->paintFrame();
        if (dropStates)
            host->setWindowState(states | Qt::WindowMaximized);
        break;
    }
    case QEvent::WindowStateChange:
        d->postLayoutRequest();
        d->skipNextPaint = false;
        break;
    case QEvent::Show:
        d->updatePlatformMargins();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

#endif // Q_OS_WIN
