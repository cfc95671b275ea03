#ifndef TPICKLISTSUPPORT_P_H
#define TPICKLISTSUPPORT_P_H

#include "tdialogbuttonbox.h"
#include "tpagetool.h"
#include "tscriptvalue.h"
#include "tsearchentry.h"

#include <QIcon>
#include <QItemSelectionModel>
#include <QRegExp>
#include <QString>
#include <QVariantMap>

#include <functional>

class QAbstractButton;
class QAbstractItemView;
class QVBoxLayout;
class TDialog;

// The search of a pick-list dialog: the entry and pager above its view, the
// keys searched and the callback that answers pages.
class TPickListSearch
{
public:
    using Callback = std::function<QVariant(const QVariantMap &)>;

    // Shows the entry and sets the keys searched (and sent to the callback).
    void setKeys(const QStringList &iKeys);
    // Installs the callback; entry and pager are shown only with one.
    void setCallback(const Callback &iCallback);
    // The search text as a pattern for filtering the loaded rows.
    QRegExp pattern() const;
    /*
     * Asks the callback for a page (the first one with iResetPage), with
     * iExtra added to the request, hands the reply's rows to iLoad and shows
     * its row count. The callback is the caller's code: it may close and
     * delete iOwner, the dialog that holds this search; nothing more happens then.
     */
    void fetchPage(QObject *iOwner, bool iResetPage, const QVariantMap &iExtra,
                   const std::function<void(const QVariantList &)> &iLoad);

    QStringList keys;
    Callback callback;
    TSearchEntry *entry = nullptr;
    TPageTool *pager = nullptr;
};

// What the table and tree pick-list dialogs share.
namespace TPickListSupport {

// The title bar row: icon, title, then the window buttons at the top edge.
void layOutTitleBar(TDialog *iDialog);

// The dialog's column, laid out with its title bar: the search row on top,
// the search's entry and pager made hidden in it.
QVBoxLayout *layOutColumn(TDialog *iDialog, TPickListSearch *oSearch);

// The button box in its row closing the column.
TDialogButtonBox *addButtonRow(TDialog *iDialog, QVBoxLayout *iColumn);

// Links the search, the pager and the buttons to the dialog's handlers, and
// accepting or rejecting buttons to the dialog.
template<typename Dialog>
void connectControls(Dialog *iDialog, const TPickListSearch &iSearch, TDialogButtonBox *iButtons,
                     void (Dialog::*iOnSearch)(), void (Dialog::*iOnPage)(),
                     void (Dialog::*iOnButton)(QAbstractButton *))
{
    QObject::connect(iSearch.entry, &TSearchEntry::search, iDialog, iOnSearch);
    QObject::connect(iSearch.pager, &TPageTool::pageChanged, iDialog, iOnPage);
    QObject::connect(iButtons, &QDialogButtonBox::accepted, iDialog, &Dialog::accept);
    QObject::connect(iButtons, &QDialogButtonBox::rejected, iDialog, &Dialog::reject);
    QObject::connect(iButtons, &QDialogButtonBox::clicked, iDialog, iOnButton);
}

// Buttons named SelectAll and UnselectAll act on the view.
void applyButton(QAbstractItemView *iView, QAbstractButton *iButton);

// Selects the rows with these primary keys, after clearing the selection with iClearBefore.
template<typename View>
void selectRows(View *iView, const QVariantList &iKeys, bool iClearBefore)
{
    if (iClearBefore)
        iView->clearSelection();
    iView->selectRows(TScriptValue::toPlain(iKeys).toList(), QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

// The icon of a name for buttons on the body; no icon at all for the empty name.
QIcon icon(const QString &iName);

// Shows the icon in the title bar (the button only when there is one) and as the window icon.
void setDialogIcon(TDialog *iDialog, const QString &iName);

} // namespace TPickListSupport

#endif // TPICKLISTSUPPORT_P_H
