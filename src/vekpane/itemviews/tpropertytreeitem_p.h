#ifndef TPROPERTYTREEITEM_P_H
#define TPROPERTYTREEITEM_P_H

#include "tpropertytreeitem.h"

#include <QString>

class TPropertyTreeItemPrivate
{
public:
    explicit TPropertyTreeItemPrivate(TPropertyTreeItem *iQ)
        : q_ptr(iQ)
    {}

    QString name;
    QString title;
    QString type;
    QString value;
    TPropertyTreeItem *const q_ptr;
};

#endif // TPROPERTYTREEITEM_P_H
