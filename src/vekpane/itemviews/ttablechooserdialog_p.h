#ifndef TTABLECHOOSERDIALOG_P_H
#define TTABLECHOOSERDIALOG_P_H

#include "ttablechooserdialog.h"

#include <QModelIndexList>
#include <QPointer>

class QPushButton;

class TTableChooserDialogPrivate
{
    Q_DECLARE_PUBLIC(TTableChooserDialog)
public:
    explicit TTableChooserDialogPrivate(TTableChooserDialog *iPublic)
        : q_ptr(iPublic)
    {}

    // The selected rows of a table that are shown, as maps in selection order,
    // and their indexes: exactly what a transfer moves.
    static QVariantList takeShownSelection(TTableView *iView, QModelIndexList *oIndexes);
    QPushButton *arrowButton(const char *iName, const QString &iIcon);

    QStringList searchKeys;
    TTableView *tableView = nullptr;
    TDialogButtonBox *buttonBox = nullptr;
    QPointer<TSearchEntry> searchEntry;
    TTableView *selectedTableView = nullptr;
    bool repetitionEnabled = false;
    TTableChooserDialog *const q_ptr;
};

#endif // TTABLECHOOSERDIALOG_P_H
