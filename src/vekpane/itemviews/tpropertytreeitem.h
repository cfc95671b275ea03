#ifndef TPROPERTYTREEITEM_H
#define TPROPERTYTREEITEM_H

#include <memory>

class TPropertyTreeItemPrivate;

// One node of the property tree; internal to the library, nothing uses it yet.
class TPropertyTreeItem
{
public:
    explicit TPropertyTreeItem(TPropertyTreeItem *iParent = nullptr);
    virtual ~TPropertyTreeItem();

private:
    TPropertyTreeItem(const TPropertyTreeItem &) = delete;
    TPropertyTreeItem &operator=(const TPropertyTreeItem &) = delete;
    const std::unique_ptr<TPropertyTreeItemPrivate> d;
};

#endif // TPROPERTYTREEITEM_H
