#ifndef TPROPERTYTREEMODEL_P_H
#define TPROPERTYTREEMODEL_P_H

#include "tpropertytreemodel.h"

class TPropertyTreeModelPrivate
{
    Q_DECLARE_PUBLIC(TPropertyTreeModel)
public:
    explicit TPropertyTreeModelPrivate(TPropertyTreeModel *iQ)
        : q_ptr(iQ)
    {}

    TPropertyTreeModel *const q_ptr;
};

#endif // TPROPERTYTREEMODEL_P_H
