#ifndef TTABLEVIEW_P_H
#define TTABLEVIEW_P_H

#include "ttableview.h"

#include <QMenu>
#include <QPointer>

class TTableModel;

class TTableViewPrivate
{
    Q_DECLARE_PUBLIC(TTableView)
public:
    explicit TTableViewPrivate(TTableView *iPublic)
        : q_ptr(iPublic)
    {}

    TTableModel *tableModel() const;
    void connectModel(QAbstractItemModel *iModel, bool iConnect);
    // The indexes of rows just inserted at iFirst, in the order of iItems.
    template<typename Items>
    QModelIndexList indexesOf(const Items &iItems, int iFirst) const;
    // Keeps the row header from repainting until control returns to the
    // event loop; see setRowVisible().
    void holdRowHeaderUpdates();

    bool rowHeaderHeld = false;

    int dragMode = 0;
    // Not owned: the caller may delete it at any time.
    QPointer<QMenu> contextMenu;
    THeaderViewPopup *headerPopup = nullptr;
    TTableView *q_ptr;
};

#endif // TTABLEVIEW_P_H
