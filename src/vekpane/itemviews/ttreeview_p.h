#ifndef TTREEVIEW_P_H
#define TTREEVIEW_P_H

#include "ttreeview.h"

#include <QMenu>
#include <QPointer>

class TTreeModel;

class TTreeViewPrivate
{
    Q_DECLARE_PUBLIC(TTreeView)
public:
    explicit TTreeViewPrivate(TTreeView *iPublic)
        : q_ptr(iPublic)
    {}

    TTreeModel *treeModel() const;
    void connectModel(QAbstractItemModel *iModel, bool iConnect);
    // Primary keys or maps of the selected rows, hidden ones only on request.
    QVariantList selectedRows(bool iIncludeHidden, bool iMaps);

    int dragMode = 0;
    // Not owned: the caller may delete it at any time.
    QPointer<QMenu> contextMenu;
    TTreeView *q_ptr;
};

#endif // TTREEVIEW_P_H
