#ifndef TCATEGORYTREEVIEW_P_H
#define TCATEGORYTREEVIEW_P_H

#include "tcategorytreeview.h"

class TTreeModel;

class TCategoryTreeViewPrivate
{
    Q_DECLARE_PUBLIC(TCategoryTreeView)
public:
    explicit TCategoryTreeViewPrivate(TCategoryTreeView *iPublic)
        : q_ptr(iPublic)
    {}

    TTreeModel *treeModel() const;
    // Clears the selection and keeps none.
    void selectNothing();

    bool checkable = false;
    QAbstractItemView::SelectionMode selectionMode = QAbstractItemView::SingleSelection;
    QString displayFormat = QStringLiteral("<font color=black>%1%2</font>");
    TCategoryTreeView *q_ptr;
};

#endif // TCATEGORYTREEVIEW_P_H
