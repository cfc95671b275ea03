#ifndef TGRIDLAYOUT_P_H
#define TGRIDLAYOUT_P_H

#include "tgridlayout.h"

class TGridLayoutPrivate
{
    Q_DECLARE_PUBLIC(TGridLayout)
public:
    explicit TGridLayoutPrivate(TGridLayout *iPublic)
        : q_ptr(iPublic)
    {}

    TGridLayout *q_ptr;
};

#endif // TGRIDLAYOUT_P_H
