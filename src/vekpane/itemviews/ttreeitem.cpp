#include "ttreeitem.h"
#include "ttreeitem_p.h"
#include "ttreemodel_p.h"

#include <QVector>

TTreeItem::TTreeItem()
    : d(new TTreeItemPrivate)
{}

TTreeItem::TTreeItem(const QVariantList &iValues, TTreeItem *iParent)
    : d(new TTreeItemPrivate)
{
    d->values = TRowValues::fromList(iValues);
    if (iParent) {
        d->parent = iParent;
        d->rowHint = iParent->d->children.size();
        iParent->d->children.append(this);
    }
}

TTreeItem::~TTreeItem()
{
    // An index or pointer kept by a caller must not reach a freed node.
    if (d->owner)
        d->owner->forget(this);
    if (d->parent) {
        QList<TTreeItem *> &siblings = d->parent->d->children;
        const int position = row();
        if (position >= 0)
            siblings.removeAt(position);
    }
    // Without recursion: a tree as deep as it is long must not exhaust the stack.
    QVector<TTreeItem *> pending;
    pending.reserve(d->children.size());
    for (TTreeItem *child : qAsConst(d->children))
        pending.append(child);
    d->children.clear();
    while (!pending.isEmpty()) {
        TTreeItem *node = pending.takeLast();
        if (!node)
            continue;
        for (TTreeItem *child : qAsConst(node->d->children))
            pending.append(child);
        node->d->children.clear();
        node->d->parent = nullptr;
        delete node;
    }
}

QList<TTreeItem *> TTreeItem::children() const { return d->children; }

QVariantList TTreeItem::dataList() const { return d->values.toList(); }

void TTreeItem::setDataList(const QVariantList &iValues) { d->values = TRowValues::fromList(iValues); }

QVariant TTreeItem::data(int iIndex) const { return d->values.value(iIndex); }

void TTreeItem::setData(int iIndex, const QVariant &iValue)
{
    if (iIndex >= 0 && iIndex < d->values.size())
        d->values[iIndex] = iValue;
}

TTreeItem *TTreeItem::parent() const { return d->parent; }

void TTreeItem::setParent(TTreeItem *iParent) { d->parent = iParent; }

int TTreeItem::row() const
{
    if (!d->parent)
        return -1;
    const QList<TTreeItem *> &siblings = d->parent->d->children;
    const int count = siblings.size();
    if (count == 0)
        return -1;
    const int hint = qBound(0, d->rowHint, count - 1);
    if (siblings.at(hint) == this)
        return hint;
    // Insertions and removals shift siblings by a few places; look outward so
    // that finding the node again costs the size of the shift, not of the list.
    for (int distance = 1; distance <= count; ++distance) {
        const int below = hint - distance;
        const int above = hint + distance;
        if (below < 0 && above >= count)
            break;
        if (above < count && siblings.at(above) == this) {
            d->rowHint = above;
            return above;
        }
        if (below >= 0 && siblings.at(below) == this) {
            d->rowHint = below;
            return below;
        }
    }
    return -1;
}

bool TTreeItem::visible() const { return d->visible; }

void TTreeItem::setVisible(bool iVisible) { d->visible = iVisible; }

bool TTreeItem::expanded() const { return d->expanded; }

void TTreeItem::setExpanded(bool iExpanded) { d->expanded = iExpanded; }
