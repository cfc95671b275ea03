#ifndef TTABLEVIEWDIALOG_H
#define TTABLEVIEWDIALOG_H

#include "tdialog.h"
#include "tuiinterfaceslots.h"
#include "vekpane_export.h"

#include <QAbstractItemView>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>

class QAbstractButton;
class TCategoryTreeView;
class TDialogButtonBox;
class TPageTool;
class TSearchEntry;
class TTableView;
class TTableViewDialogPrivate;

/*!
 * The modal dialog in which a user picks rows from a table: a search entry
 * and a pager above the table, an optional category tree at its left, and a
 * row of buttons. run() returns the chosen rows as maps.
 *
 * Rows come from the caller all at once (the search then filters them in
 * place, restricted to the selected categories) or page by page from a
 * search callback. The callback receives a map with "searchText",
 * "searchKeys", "pageNum", "pageSize", "categoryField" and
 * "selectedCategoryList" and answers a map with "data" (the page's rows) and
 * "dataCount" (the rows of all pages).
 *
 * Own keys of setAttr(): "buttons", "title", "icon", "header_item",
 * "data_key_list", "primary_key", "table_data", "search_key", "search_text",
 * "category_visible", "category_checkable", "category_itemlist",
 * "category_head_label", "category_search_string". getAttr() answers the
 * common keys only.
 */
class VEKPANE_EXPORT TTableViewDialog : public TDialog, public TUiInterface
{
    Q_OBJECT
    Q_PROPERTY(bool categoryVisible READ isCategoryVisible WRITE setCategoryVisible)
public:
    //! Answers one page of rows for a request.
    using SearchCallback = std::function<QVariant(const QVariantMap &)>;

    explicit TTableViewDialog(QWidget *iParent = nullptr);
    ~TTableViewDialog() override;

public Q_SLOTS:
    //! Applies the common keys, then the dialog's own keys.
    void setAttr(const QString &iKey, const QVariant &iValue) override;
    //! Reads a common key.
    QVariant getAttr(const QString &iKey, const QVariant &iOptions = QVariant()) override;

    /*!
     * Runs the dialog modally and closes it. Accepted: the selected rows as
     * maps (rows the search hid only with \a iIncludeHidden); otherwise an
     * empty list. \a oAnswer, when given, receives 1 (accepted) or 0.
     */
    QVariantList run(bool iIncludeHidden = false, int *oAnswer = nullptr);

    //! The table of rows.
    TTableView *tableView();
    //! The button row.
    TDialogButtonBox *buttonBox();
    //! The search entry above the table.
    TSearchEntry *searchEntry();
    //! The pager beside the search entry.
    TPageTool *pageTool();
    //! The category tree left of the table.
    TCategoryTreeView *categoryTreeView();

    //! Replaces the buttons ("text:name:role" specifications); names SelectAll and UnselectAll act on the table.
    void setButtons(const QStringList &iButtons);
    //! Sets the window title.
    void setTitle(const QString &iTitle);
    //! Shows the named icon in the title bar; the empty name shows none.
    void setIcon(const QString &iName);
    //! Sets the table's column descriptions (element 0 for the rows).
    void setHeaderItem(const QVariantList &iList);
    //! Sets the table's data keys.
    void setDataKeyList(const QStringList &iKeys);
    //! Sets the data key that identifies a row.
    void setPrimaryKey(const QString &iKey);
    //! Replaces the table's rows.
    void loadData(const QVariantList &iRows);
    //! Sets the table's selection mode.
    void setSelectionMode(QAbstractItemView::SelectionMode iMode);

    //! Shows the search entry and sets the keys searched (and sent to the callback).
    void setSearchKeys(const QStringList &iKeys);
    //! The keys searched.
    QStringList searchKeys();
    //! Sets the search text; the entry's own delay decides when it searches.
    void setSearchText(const QString &iText);
    //! Sets the search entry's delay in milliseconds.
    void setSearchDelayTime(int iMilliseconds);
    //! Selects the rows with these primary keys, after clearing the selection unless \a iClearBefore is false.
    void selectRows(const QVariantList &iKeys, bool iClearBefore = true);

    //! Shows or hides the category tree; hiding forgets the selected categories.
    void setCategoryVisible(bool iVisible);
    //! Whether the category tree is to be shown.
    bool isCategoryVisible();
    //! Loads the categories.
    void setCategoryItemList(const QVariantList &iList);
    //! Shows the category tree's header with this text.
    void setCategoryHeadLabel(const QString &iLabel);
    //! Sets how categories are selected.
    void setCategorySelectionMode(QAbstractItemView::SelectionMode iMode = QAbstractItemView::SingleSelection);
    //! New category counts by category name.
    void updateCategoryItemCount(const QVariantMap &iCounts);
    //! Check boxes on the categories on or off.
    void setCategoryCheckable(bool iCheckable);
    //! The categories' display format (%1 text, %2 count).
    void setCategoryDisplayFormat(const QString &iFormat);
    //! The row key the categories restrict; from now on each category choice searches again.
    void setCategorySearchString(const QString &iField);

    //! Filters the loaded rows by the search text, the search keys and the selected categories.
    void applyFilter();
    //! Sets the rows per page; the pager announces the change.
    void setPageSize(int iSize);
    //! Installs the callback that answers each page; an empty one returns to local filtering.
    void setSearchCallback(const TTableViewDialog::SearchCallback &iCallback);
    //! Asks the callback for a page (the first one with \a iResetPage), or filters locally without one.
    void refreshData(bool iResetPage = true);

    TUI_INTERFACE_SLOTS

private Q_SLOTS:
    void onButtonClicked(QAbstractButton *iButton);
    void onSelectedCategoryListChanged(const QVariantList &iList);
    void onDoSearch();
    void onPageChanged();

private:
    Q_DISABLE_COPY(TTableViewDialog)
    Q_DECLARE_PRIVATE_D(d, TTableViewDialog)
    const std::unique_ptr<TTableViewDialogPrivate> d;
};

#endif // TTABLEVIEWDIALOG_H
