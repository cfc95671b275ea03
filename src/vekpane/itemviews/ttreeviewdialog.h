#ifndef TTREEVIEWDIALOG_H
#define TTREEVIEWDIALOG_H

#include "tdialog.h"
#include "tuiinterfaceslots.h"
#include "vekpane_export.h"

#include <QAbstractItemView>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>

class QAbstractButton;
class TDialogButtonBox;
class TPageTool;
class TSearchEntry;
class TTreeView;
class TTreeViewDialogPrivate;

/*!
 * The modal dialog in which a user picks rows from a tree; run() returns the
 * chosen rows as maps.
 *
 * The search entry filters the loaded rows by a wildcard pattern over the
 * search keys (matching rows and their parents stay shown), or, with a search
 * callback installed, asks the callback for one page of nested rows at a time:
 * the request holds "searchText", "searchKeys", "pageNum" and "pageSize", the
 * reply "data" (rows with children under "CHILDREN") and "dataCount".
 *
 * Own keys of setAttr(): "buttons", "title", "icon", "header_item",
 * "data_key_list", "primary_key", "tree_data" (a map with "data_list" and
 * "child_key"), "search_key", "search_text". getAttr() answers the common
 * keys only.
 */
class VEKPANE_EXPORT TTreeViewDialog : public TDialog, public TUiInterface
{
    Q_OBJECT
public:
    //! Answers one page of rows for a request.
    using SearchCallback = std::function<QVariant(const QVariantMap &)>;

    explicit TTreeViewDialog(QWidget *iParent = nullptr);
    ~TTreeViewDialog() override;

public Q_SLOTS:
    //! Applies the common keys, then the dialog's own keys.
    void setAttr(const QString &iKey, const QVariant &iValue) override;
    //! Reads a common key.
    QVariant getAttr(const QString &iKey = QString(), const QVariant &iOptions = QVariant()) override;

    /*!
     * Runs the dialog modally. Accepted: the selected rows as maps (rows the
     * search hid only with \a iIcludeHiddlenBol); otherwise an empty list.
     * \a oAnswerInt, when given, receives 1 (accepted) or 0.
     */
    QVariantList run(bool iIcludeHiddlenBol = false, int *oAnswerInt = nullptr);

    //! The tree of rows.
    TTreeView *treeView();
    //! The button row.
    TDialogButtonBox *buttonBox();
    //! The search entry above the tree.
    TSearchEntry *searchEntry();
    //! The pager beside the search entry.
    TPageTool *pageTool();

    //! Replaces the buttons ("text:name:role" specifications); names SelectAll and UnselectAll act on the tree.
    void setButtons(const QStringList &iButtons);
    //! Sets the window title.
    void setTitle(const QString &iTitle);
    //! Shows the named icon in the title bar; the empty name shows none.
    void setIcon(const QString &iName);
    //! Sets the tree's column descriptions.
    void setHeaderItem(const QVariantList &iList);
    //! Sets the tree's data keys.
    void setDataKeyList(const QStringList &iKeys);
    //! Sets the data key that identifies a row.
    void setPrimaryKey(const QString &iKey);
    //! Replaces the rows by nested rows whose children stand under \a iChildKey.
    void loadTreeData(const QVariantList &iRows, const QString &iChildKey = QStringLiteral("CHILDREN"));
    //! Sets the tree's selection mode.
    void setSelectionMode(QAbstractItemView::SelectionMode iMode);

    //! Shows the search entry and sets the keys searched (and sent to the callback).
    void setSearchKeys(const QStringList &iKeys);
    //! Sets the search text; the entry's own delay decides when it searches.
    void setSearchText(const QString &iText);
    //! Sets the search entry's delay in milliseconds.
    void setSearchDelayTime(int iMilliseconds);
    //! Selects the rows with these primary keys, after clearing the selection unless \a iClearBefore is false.
    void selectRows(const QVariantList &iKeys, bool iClearBefore = true);
    //! Sets the rows per page; the pager announces the change.
    void setPageSize(int iSize);
    //! Installs the callback that answers each page; an empty one returns to local filtering.
    void setSearchCallback(const TTreeViewDialog::SearchCallback &iCallback);
    //! Asks the callback for a page (the first one with \a iResetPage), or filters locally without one.
    void refreshData(bool iResetPage = true);

    TUI_INTERFACE_SLOTS

private Q_SLOTS:
    void onButtonClicked(QAbstractButton *iButton);
    void onDoSearch();
    void onPageChanged();

private:
    Q_DISABLE_COPY(TTreeViewDialog)
    Q_DECLARE_PRIVATE_D(d, TTreeViewDialog)
    const std::unique_ptr<TTreeViewDialogPrivate> d;
};

#endif // TTREEVIEWDIALOG_H
