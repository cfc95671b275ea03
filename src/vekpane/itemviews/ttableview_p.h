#ifndef TTABLEVIEW_P_H
#define TTABLEVIEW_P_H

#include "titemviewprivate_p.h"
#include "ttablemodel.h"
#include "ttableview.h"

class TTableViewPrivate : public TItemViewPrivate<TTableView, TTableModel>
{
    Q_DECLARE_PUBLIC(TTableView)
public:
    explicit TTableViewPrivate(TTableView *iPublic)
        : TItemViewPrivate(iPublic)
    {}

    // The indexes of rows just inserted at iFirst, in the order of iItems.
    template<typename Items>
    QModelIndexList indexesOf(const Items &iItems, int iFirst) const;
    // Keeps the row header from repainting until control returns to the
    // event loop; see setRowVisible().
    void holdRowHeaderUpdates();

    bool rowHeaderHeld = false;
    THeaderViewPopup *headerPopup = nullptr;
};

#endif // TTABLEVIEW_P_H
