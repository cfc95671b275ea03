#include "tpropertytreeitem.h"
#include "tpropertytreeitem_p.h"

TPropertyTreeItem::TPropertyTreeItem(TPropertyTreeItem *iParent)
    : d(new TPropertyTreeItemPrivate(this))
{
    Q_UNUSED(iParent)
}

TPropertyTreeItem::~TPropertyTreeItem() = default;
