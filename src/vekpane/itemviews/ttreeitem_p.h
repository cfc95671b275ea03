#ifndef TTREEITEM_P_H
#define TTREEITEM_P_H

#include "titemmodelsupport_p.h"
#include "ttreeitem.h"

#include <QtGlobal>

class TTreeModelPrivate;

class TTreeItemPrivate
{
public:
    QList<TTreeItem *> children;
    TRowValues values;
    TTreeItem *parent = nullptr;
    bool visible = true;
    bool expanded = false;
    // Where the node stood among its siblings when last asked; a shift by
    // insertions or removals is found again by looking outward from here.
    mutable int rowHint = 0;
    // The model whose tree holds the node, and the handle its indexes carry
    // there; the node leaves that model's registry when it is destroyed.
    TTreeModelPrivate *owner = nullptr;
    quintptr handle = 0;
};

#endif // TTREEITEM_P_H
