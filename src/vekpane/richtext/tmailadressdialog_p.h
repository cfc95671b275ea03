#ifndef TMAILADRESSDIALOG_P_H
#define TMAILADRESSDIALOG_P_H

#include "tmailadressdialog.h"

class TDialogButtonBox;
class TTableView;
class TTitleBox;
class TTreeView;

class TMailAdressDialogPrivate
{
    Q_DECLARE_PUBLIC(TMailAdressDialog)
public:
    explicit TMailAdressDialogPrivate(TMailAdressDialog *iPublic)
        : q_ptr(iPublic)
    {}

    // Appends to the target the rows whose display name it does not hold yet.
    static void addRows(TTableView *iTarget, const QVariantList &iRows);
    static void loadRecipients(TTableView *iTarget, const QStringList &iEntries);
    static QStringList recipients(TTableView *iSource);
    static void removeAll(TTableView *iTarget);

    TTableView *tableView = nullptr;
    TDialogButtonBox *buttonBox = nullptr;
    TTitleBox *titleBox = nullptr;
    TTreeView *treeView = nullptr;
    TTableView *toTableView = nullptr;
    TTableView *ccTableView = nullptr;
    TTableView *bccTableView = nullptr;
    QStringList searchKeys;
    QVariantList mailList;
    TMailAdressDialog *const q_ptr;
};

#endif // TMAILADRESSDIALOG_P_H
