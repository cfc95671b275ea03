#ifndef TTREEITEM_H
#define TTREEITEM_H

#include "vekpane_export.h"

#include <QList>
#include <QMetaType>
#include <QVariant>

#include <memory>

class TTreeItemPrivate;

/*!
 * One node of a TTreeModel: its values, positional in the order of the
 * model's data key list, its children, and the visibility and expansion flags
 * that the model hands to its views.
 *
 * A node owns its children: destroying it destroys its whole subtree. The
 * setters change only the node; the model's operations are the ones that tell
 * views about a change.
 */
class VEKPANE_EXPORT TTreeItem
{
public:
    //! An empty root-like node: no values, no parent.
    TTreeItem();
    /*!
     * A node holding \a iValues. A non-null \a iParent takes it as its last
     * child and owns it from then on.
     */
    explicit TTreeItem(const QVariantList &iValues, TTreeItem *iParent = nullptr);
    //! Destroys the subtree and takes the node out of its parent's children.
    virtual ~TTreeItem();

    //! The children in order; the node keeps owning them.
    QList<TTreeItem *> children() const;

    QVariantList dataList() const;
    void setDataList(const QVariantList &iValues);
    //! The value at \a iIndex; invalid outside the row.
    QVariant data(int iIndex) const;
    //! Replaces the value at \a iIndex; nothing outside the row.
    void setData(int iIndex, const QVariant &iValue);

    TTreeItem *parent() const;
    //! Sets the parent pointer only; the parent's children are not changed.
    void setParent(TTreeItem *iParent);
    //! The position among the parent's children; -1 without parent.
    int row() const;

    bool visible() const;
    void setVisible(bool iVisible);
    bool expanded() const;
    void setExpanded(bool iExpanded);

private:
    Q_DISABLE_COPY(TTreeItem)
    friend class TTreeModel;
    friend class TTreeModelPrivate;
    std::unique_ptr<TTreeItemPrivate> d;
};

// Script calls of the model's slots that return nodes get them as opaque values.
Q_DECLARE_METATYPE(TTreeItem *)
Q_DECLARE_METATYPE(QList<TTreeItem *>)

#endif // TTREEITEM_H
