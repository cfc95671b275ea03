#ifndef TWINDOWTITLEBAR_P_H
#define TWINDOWTITLEBAR_P_H

#include "twindowtitlebar.h"

class TWindowTitleBarPrivate
{
    Q_DECLARE_PUBLIC(TWindowTitleBar)
public:
    explicit TWindowTitleBarPrivate(TWindowTitleBar *iPublic)
        : q_ptr(iPublic)
    {}
    TWindowTitleBar *q_ptr;
};

#endif // TWINDOWTITLEBAR_P_H
