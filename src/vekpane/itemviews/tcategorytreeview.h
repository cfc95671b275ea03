#ifndef TCATEGORYTREEVIEW_H
#define TCATEGORYTREEVIEW_H

#include "ttreeview.h"
#include "vekpane_export.h"

#include <memory>

class TCategoryTreeViewPrivate;

/*!
 * The category column of a pick-list: a one-column tree whose rows show their
 * "text" and, when not 0, their "count" in brackets as an HTML label, with an
 * optional icon and check box. The categories the user selects, or checks when
 * the view is checkable, are reported as row maps through selectionChanged().
 *
 * Category rows are maps with "name" (the primary key), "icon", "text",
 * "count", "data" (what a pick-list filters by), "format" (this row's own
 * display format), "EXPAND", "VISIBLE" and "checked"; children stand under
 * "CHILDREN".
 */
class VEKPANE_EXPORT TCategoryTreeView : public TTreeView
{
    Q_OBJECT
    Q_PROPERTY(bool checkable READ isCheckable WRITE setCheckable)
    Q_PROPERTY(QAbstractItemView::SelectionMode selectionMode READ selectionMode WRITE setSelectionMode)
    Q_PROPERTY(QString displayFormat READ displayFormat WRITE setDisplayFormat)
public:
    explicit TCategoryTreeView(QWidget *iParent = nullptr);
    ~TCategoryTreeView() override;

public Q_SLOTS:
    //! Loads the categories and shows their texts.
    void setItemList(const QVariantList &iList);
    //! Whether the rows carry check boxes.
    bool isCheckable() const;
    //! Check boxes on (no selection then) or off (the selection mode stays as it is).
    void setCheckable(bool iCheckable);
    //! The selection mode last set.
    QAbstractItemView::SelectionMode selectionMode() const;
    //! Sets the selection mode; a checkable view keeps no selection whatever is asked.
    void setSelectionMode(QAbstractItemView::SelectionMode iMode = QAbstractItemView::SingleSelection);
    //! The display format: %1 receives the text, %2 the count in brackets.
    QString displayFormat() const;
    //! Sets the display format; the shown texts follow at the next refresh().
    void setDisplayFormat(const QString &iFormat);
    //! New counts by category name; the rows not named keep theirs.
    void updateCount(const QVariantMap &iCounts);
    //! Shows the header with \a iLabel as its text.
    void setHeaderLabel(const QString &iLabel);
    //! Computes every row's shown text again.
    void refresh();

Q_SIGNALS:
    //! The selected categories, or the fully checked ones of a checkable view, as row maps.
    void selectionChanged(QVariantList iSelectionDataVarLst);

private Q_SLOTS:
    void onSelectionChanged();
    void onRowCheckStateChanged();

private:
    Q_DISABLE_COPY(TCategoryTreeView)
    Q_DECLARE_PRIVATE_D(d, TCategoryTreeView)
    const std::unique_ptr<TCategoryTreeViewPrivate> d;
};

#endif // TCATEGORYTREEVIEW_H
