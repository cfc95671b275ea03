#ifndef TTREEVIEWDIALOG_P_H
#define TTREEVIEWDIALOG_P_H

#include "tpicklistsupport_p.h"
#include "ttreeviewdialog.h"

class TTreeViewDialogPrivate
{
    Q_DECLARE_PUBLIC(TTreeViewDialog)
public:
    explicit TTreeViewDialogPrivate(TTreeViewDialog *iPublic)
        : q_ptr(iPublic)
    {}

    void layOut();

    TPickListSearch search;
    TTreeView *treeView = nullptr;
    TDialogButtonBox *buttonBox = nullptr;
    TTreeViewDialog *q_ptr;
};

#endif // TTREEVIEWDIALOG_P_H
