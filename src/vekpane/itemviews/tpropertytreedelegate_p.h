#ifndef TPROPERTYTREEDELEGATE_P_H
#define TPROPERTYTREEDELEGATE_P_H

#include "tpropertytreedelegate.h"

class TPropertyTreeDelegatePrivate
{
    Q_DECLARE_PUBLIC(TPropertyTreeDelegate)
public:
    explicit TPropertyTreeDelegatePrivate(TPropertyTreeDelegate *iQ)
        : q_ptr(iQ)
    {}

    TPropertyTreeDelegate *const q_ptr;
};

#endif // TPROPERTYTREEDELEGATE_P_H
