#ifndef TPROPERTYTREEVIEW_P_H
#define TPROPERTYTREEVIEW_P_H

#include "tpropertytreeview.h"

class TPropertyTreeViewPrivate
{
    Q_DECLARE_PUBLIC(TPropertyTreeView)
public:
    explicit TPropertyTreeViewPrivate(TPropertyTreeView *iQ)
        : q_ptr(iQ)
    {}

    TPropertyTreeView *const q_ptr;
};

#endif // TPROPERTYTREEVIEW_P_H
