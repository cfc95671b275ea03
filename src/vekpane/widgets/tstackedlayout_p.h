#ifndef TSTACKEDLAYOUT_P_H
#define TSTACKEDLAYOUT_P_H

#include "tstackedlayout.h"

class TStackedLayoutPrivate
{
    Q_DECLARE_PUBLIC(TStackedLayout)
public:
    explicit TStackedLayoutPrivate(TStackedLayout *iPublic)
        : q_ptr(iPublic)
    {}
    TStackedLayout *q_ptr;
};

#endif // TSTACKEDLAYOUT_P_H
