#ifndef TTREEVIEW_P_H
#define TTREEVIEW_P_H

#include "titemviewprivate_p.h"
#include "ttreemodel.h"
#include "ttreeview.h"

class TTreeViewPrivate : public TItemViewPrivate<TTreeView, TTreeModel>
{
    Q_DECLARE_PUBLIC(TTreeView)
public:
    explicit TTreeViewPrivate(TTreeView *iPublic)
        : TItemViewPrivate(iPublic)
    {}

    // Whether iIndex names a row of the view's model that still exists: a
    // script's index kept across a removal or a reload must not reach the
    // tree, where it would stand for another row.
    bool isLive(const QModelIndex &iIndex) const
    {
        if (!iIndex.isValid() || iIndex.model() != q_ptr->model())
            return false;
        const TTreeModel *tree = model();
        return !tree || tree->item(iIndex);
    }

    // Also the expanded flags, both ways.
    void connectModel(QAbstractItemModel *iModel, bool iConnect) override;
};

#endif // TTREEVIEW_P_H
