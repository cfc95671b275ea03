#ifndef TDIALOG_P_H
#define TDIALOG_P_H

#include "tdialog.h"
#include "tframelesswindowbar.h"

#include <QPointer>

class TDialogPrivate
{
    Q_DECLARE_PUBLIC(TDialog)
public:
    explicit TDialogPrivate(TDialog *iPublic)
        : q_ptr(iPublic)
    {}

    // Guarded: a caller may delete a bar it installed.
    QPointer<TFramelessWindowBar> titleBar;
    TDialog *q_ptr;
};

#endif // TDIALOG_P_H
