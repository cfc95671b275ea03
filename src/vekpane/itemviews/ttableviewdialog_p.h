#ifndef TTABLEVIEWDIALOG_P_H
#define TTABLEVIEWDIALOG_P_H

#include "tpicklistsupport_p.h"
#include "ttableviewdialog.h"

class TFramelessWindowBar;

class TTableViewDialogPrivate
{
    Q_DECLARE_PUBLIC(TTableViewDialog)
public:
    explicit TTableViewDialogPrivate(TTableViewDialog *iPublic)
        : q_ptr(iPublic)
    {}

    void layOut();
    // The values the selected categories stand for; "all" among them lifts the restriction.
    QStringList categoryValues() const;

    TPickListSearch search;
    TTableView *tableView = nullptr;
    TDialogButtonBox *buttonBox = nullptr;
    TCategoryTreeView *categoryTreeView = nullptr;
    bool categoryVisible = false;
    QString categoryField;
    QVariantList selectedCategoryList;
    TFramelessWindowBar *titleBar = nullptr;
    TTableViewDialog *q_ptr;
};

#endif // TTABLEVIEWDIALOG_P_H
