#ifndef TFRAMELESSHELPERWIN_P_H
#define TFRAMELESSHELPERWIN_P_H

#include <QtGlobal>

#ifdef Q_OS_WIN

#include "tframelesshelperwin.h"
#include "tframelesswindowbar.h"

#include <QMargins>
#include <QPointer>
#include <QSize>
#include <QTimer>
#include <QWidget>

class TFramelessHelperWinPrivate
{
    Q_DECLARE_PUBLIC(TFramelessHelperWin)
public:
    explicit TFramelessHelperWinPrivate(TFramelessHelperWin *iPublic);

    static void loadSystemFunctions();
    static void CALLBACK winEventHook(HWINEVENTHOOK iHook, DWORD iEvent, HWND iWnd, LONG iObject, LONG iChild,
                                      DWORD iThread, DWORD iTime);

    bool compositionUsable() const;
    bool isChild() const;
    bool barHidden() const;
    int titleBarHeight() const;
    void updateBorderWidth();
    void updateRegion(bool iForce);
    void stripFrameStyles();
    void paintFrame();
    void refreshFrame() const;
    void setRenderingPolicy() const;
    void extendFrameByZero() const;
    void setDropShadow(bool iOn) const;
    void updatePlatformMargins();
    void restorePlatformMargins();
    void writePlatformMargins(const QMargins &iMargins);
    QMargins platformMargins() const;
    void postLayoutRequest() const;
    void installHook();
    void removeHook();
    void attach(QWidget *iHost);
    void detach();
    bool hitTest(const MSG *iMessage, long *oResult) const;
    bool barHitTest(const MSG *iMessage, long *oResult) const;
    bool activate(const MSG *iMessage, long *oResult);
    void calcSize(const MSG *iMessage);

    TFramelessHelperWin *q_ptr;
    bool recalculating = false;
    bool inRegionUpdate = false;
    bool sizeMoving = false;
    bool activeFrame = true;
    QPointer<QWidget> host;
    QPointer<TFramelessWindowBar> bar;
    QSize cachedSize;
    int borderWidth = 0;
    HWND handle = nullptr;
    QTimer refreshTimer;
    QMargins savedMargins;
    bool compositionMode = false;
    bool skipNextPaint = false;
    bool attached = false;
    bool fullScreen = false;
    bool closing = false;
    bool active = true;
    bool lastSeenActive = true;
    bool hooked = false;
};

#endif // Q_OS_WIN

#endif // TFRAMELESSHELPERWIN_P_H
