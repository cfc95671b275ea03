#ifndef TTREEVIEWDIALOG_P_H
#define TTREEVIEWDIALOG_P_H

#include "ttreeviewdialog.h"

class TTreeViewDialogPrivate
{
    Q_DECLARE_PUBLIC(TTreeViewDialog)
public:
    explicit TTreeViewDialogPrivate(TTreeViewDialog *iPublic)
        : q_ptr(iPublic)
    {}

    void layOut();

    QStringList searchKeys;
    TTreeView *treeView = nullptr;
    TDialogButtonBox *buttonBox = nullptr;
    TSearchEntry *searchEntry = nullptr;
    TPageTool *pageTool = nullptr;
    TTreeViewDialog::SearchCallback searchCallback;
    TTreeViewDialog *q_ptr;
};

#endif // TTREEVIEWDIALOG_P_H
