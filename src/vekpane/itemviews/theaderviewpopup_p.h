#ifndef THEADERVIEWPOPUP_P_H
#define THEADERVIEWPOPUP_P_H

#include "theaderviewpopup.h"

#include <QAbstractItemView>
#include <QPointer>

class QHeaderView;
class QVBoxLayout;

class THeaderViewPopupPrivate
{
    Q_DECLARE_PUBLIC(THeaderViewPopup)
public:
    explicit THeaderViewPopupPrivate(THeaderViewPopup *iPublic)
        : q_ptr(iPublic)
    {}

    void buildBoxes();
    static void toggleColumn(QHeaderView *iHeader, int iColumn, bool iChecked);

    // Guarded: the pop-up is a top-level window and may outlive a view it was pointed at.
    QPointer<QAbstractItemView> view;
    QVBoxLayout *layout = nullptr;
    THeaderViewPopup *q_ptr;
};

#endif // THEADERVIEWPOPUP_P_H
