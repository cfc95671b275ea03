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

    // Also the expanded flags, both ways.
    void connectModel(QAbstractItemModel *iModel, bool iConnect) override;
};

#endif // TTREEVIEW_P_H
