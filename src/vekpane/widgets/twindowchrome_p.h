#ifndef TWINDOWCHROME_P_H
#define TWINDOWCHROME_P_H

#include "tframelesswindowbar.h"

#include <QPointer>
#include <QWidget>

// What the main window and the dialog do alike with their title bar.
namespace TWindowChrome {

// Installs iBar on iWindow in place of the bar kept in ioBar; the window's
// own former bar is deleted. The bar already kept changes nothing.
inline void replaceBar(QWidget *iWindow, QPointer<TFramelessWindowBar> &ioBar, TFramelessWindowBar *iBar)
{
    if (ioBar == iBar)
        return;
    if (ioBar && ioBar->parent() == iWindow)
        delete ioBar.data();
    ioBar = iBar;
    if (iBar) {
        iBar->setParent(iWindow);
        iBar->setHostWindow(iWindow);
    }
}

// Keeps the room for the bar at the window's top: the bar spans the width
// at its own height, and the contents start below it. A bar that is hidden
// takes no room. iWidenToBar: a dialog grows to the bar's width.
inline void reserveRoom(QWidget *iWindow, TFramelessWindowBar *iBar, bool iWidenToBar)
{
    int height = 0;
    if (iBar && !iBar->isBarHideen()) {
        iBar->adjustSize();
        if (iWidenToBar && iBar->width() > iWindow->width())
            iWindow->resize(iBar->width(), iWindow->height());
        height = iBar->height();
        iBar->setGeometry(0, 0, iWindow->width(), height);
    }
    iWindow->setContentsMargins(0, height, 0, 0);
}

inline bool nativeMessage(TFramelessWindowBar *iBar, void *iMessage, long *iResult)
{
    return iBar && iBar->winEvent(static_cast<TFramelessHelper::NativeMessage *>(iMessage), iResult);
}

} // namespace TWindowChrome

#endif // TWINDOWCHROME_P_H
