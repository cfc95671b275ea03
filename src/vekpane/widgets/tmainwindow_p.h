#ifndef TMAINWINDOW_P_H
#define TMAINWINDOW_P_H

#include "tframelesswindowbar.h"
#include "tmainwindow.h"

#include <QPointer>

class TMainWindowPrivate
{
    Q_DECLARE_PUBLIC(TMainWindow)
public:
    explicit TMainWindowPrivate(TMainWindow *iPublic)
        : q_ptr(iPublic)
    {}

    // Guarded: a caller may delete a bar it installed.
    QPointer<TFramelessWindowBar> titleBar;
    bool hasTitleBar = true;
    TMainWindow *q_ptr;
};

#endif // TMAINWINDOW_P_H
