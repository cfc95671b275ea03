#ifndef TTABLEVIEW_H
#define TTABLEVIEW_H

#include "tuiinterfaceslots.h"
#include "vekpane_export.h"

#include <QItemSelectionModel>
#include <QMap>
#include <QRegExp>
#include <QTableView>

#include <memory>

class QMenu;
class THeaderViewPopup;
class TTableViewPrivate;

/*!
 * The script-facing table of the widget library.
 *
 * It owns its TTableModel and TStyledItemDelegate. Scripts load rows with
 * setAttr("value", rows), choose a selection policy, read the selected or
 * current rows back as maps, keys or lists, move and remove rows, show and
 * hide columns (also through a header pop-up with one check box per named
 * column), and save and restore the column layout as JSON text.
 *
 * Row operations forward to the model when it is a TTableModel; with any other
 * model the view is a plain QTableView and they return empty results.
 *
 * Own keys of setAttr(): "drag_mode", "value", "alternating_row_colors",
 * "auto_scroll", "selection_policy", "show_grid", "primary_key",
 * "visible_key", "data_keys", "sort_indicator_shown", "sections_movable",
 * "header_popup_enabled". Own keys of getAttr(): "value", "drag_mode",
 * "primary_keys", "selected_data", "selected_primary_keys",
 * "current_row_data_map", "current_row_data_list", "current_primary_key".
 */
class VEKPANE_EXPORT TTableView : public QTableView, public TUiInterface
{
    Q_OBJECT
    Q_PROPERTY(int dragMode READ dragMode WRITE setDragMode)
public:
    explicit TTableView(QWidget *iParent = nullptr);
    ~TTableView() override;

    //! Installs \a iModel; the view follows a TTableModel's column states, row visibility and check states.
    void setModel(QAbstractItemModel *iModel) override;

public Q_SLOTS:
    //! Applies the common keys, then the view's own key.
    void setAttr(const QString &iKey, const QVariant &iValue) override;
    //! Reads one of the view's own keys, or a common key.
    QVariant getAttr(const QString &iKey, const QVariant &iOptions = QVariant()) override;

    //! Sets the column descriptions.
    void setHeaderItem(const QVariantList &iList);
    //! The column descriptions.
    QVariantList headerItem();
    //! The "name" of a column.
    QString columnName(int iColumn);
    //! The first column named \a iColName; -1 for none.
    int colummNumber(const QString &iColName);
    //! The data keys: the order of the values in every row.
    QStringList dataKeyList();
    //! Sets the data keys.
    void setDataKeyList(const QStringList &iKeys);
    //! Sets the data key that identifies a row.
    void setPrimaryKey(const QString &iKey);
    //! Sets the data key whose value gives a new row's visibility.
    void setVisibleKey(const QString &iKey);

    //! Replaces all rows.
    void loadData(const QVariantList &iRows);
    //! Removes every row.
    void clearData();
    //! Appends a row; returns its index.
    QModelIndex appendRow(const QVariant &iRow);
    //! Inserts a row at the start; returns its index.
    QModelIndex prependRow(const QVariant &iRow);
    //! Appends rows; returns their indexes.
    QModelIndexList appendRows(const QVariantList &iRows);
    //! Inserts rows at the start; returns their indexes.
    QModelIndexList prependRows(const QVariantList &iRows);
    //! Writes one value of a row under a data key.
    void setRowKeyValue(const QModelIndex &iIndex, const QString &iKey, const QVariant &iValue);
    //! Writes a row's values (a map of data keys), or replaces them all with \a iReset.
    void setRowData(const QModelIndex &iIndex, const QVariant &iRow, bool iReset = false);
    //! setRowKeyValue() for the row whose primary key is \a iPrimaryKey.
    void setRowKeyValueByPrimaryKey(const QVariant &iPrimaryKey, const QString &iKey, const QVariant &iValue);
    //! setRowData() for the row whose primary key is \a iPrimaryKey.
    void setRowDataByPrimaryKey(const QVariant &iPrimaryKey, const QVariant &iRow, bool iReset = false);
    //! Removes a row.
    bool removeRow(const QModelIndex &iIndex);
    //! Removes rows.
    bool removeRows(const QModelIndexList &iIndexes);
    //! Removes the selected rows.
    bool removeSelectedRows();

    //! Moves the rows as one block up by one row.
    void moveRowsUp(const QModelIndexList &iIndexes);
    //! Moves the rows as one block down by one row.
    void moveRowsDown(const QModelIndexList &iIndexes);
    //! Moves the rows as one block to the start.
    void moveRowsTop(const QModelIndexList &iIndexes);
    //! Moves the rows as one block to the end.
    void moveRowsBottom(const QModelIndexList &iIndexes);
    //! Moves the selected rows up by one row.
    void moveSelectedRowsUp();
    //! Moves the selected rows down by one row.
    void moveSelectedRowsDown();
    //! Moves the selected rows to the start.
    void moveSelectedRowsTop();
    //! Moves the selected rows to the end.
    void moveSelectedRowsBottom();

    //! The first row whose value under \a iColumn (the primary key when empty) equals \a iValue.
    QModelIndex findRow(const QVariant &iValue, const QString &iColumn = QString());
    //! Rows whose value equals \a iValue; unless \a iFilter is 0 the others are hidden.
    QModelIndexList findRows(const QVariant &iValue, const QString &iColumn = QString(), int iFilter = 1);
    //! Rows whose value is one of \a iValues; unless \a iFilter is 0 the others are hidden.
    QModelIndexList findRows(const QVariantList &iValues, const QString &iColumn = QString(), int iFilter = 1);
    //! Rows in which \a iExpression matches one of \a iColumns; unless \a iFilter is 0 the others are hidden.
    QModelIndexList findRows(const QRegExp &iExpression, const QStringList &iColumns = QStringList(), int iFilter = 1);

    //! Every row as a map, hidden ones only with \a iIncludeHidden.
    QVariantList allDataMap(const QString &iIndexKey = QString(), const QString &iVisibleKey = QString(),
                            bool iIncludeHidden = true);
    //! Every row's primary key, hidden ones only with \a iIncludeHidden.
    QVariantList allPrimaryKey(bool iIncludeHidden = true);
    //! The current row as a map; invalid without one.
    QVariant currentRowDataMap();
    //! The current row's values; invalid without one.
    QVariant currentRowDataList();
    //! The current row's primary key.
    QVariant currentPrimaryKey();
    //! The row whose primary key is \a iPrimaryKey as a map; empty when none.
    QVariantMap rowDataMap(const QVariant &iPrimaryKey);
    //! The selected rows' primary keys, hidden ones only with \a iIncludeHidden.
    QVariantList selectedPrimaryKeys(bool iIncludeHidden = false);
    //! The selected rows as maps, hidden ones only with \a iIncludeHidden.
    QVariantList selectedRowDataMaps(bool iIncludeHidden = false);

    //! One column-0 index per fully selected row.
    QModelIndexList selectedIndexes();
    //! Adds a row to the selection.
    void selectRow(const QModelIndex &iIndex, QItemSelectionModel::SelectionFlags iFlags
                                              = QItemSelectionModel::Select | QItemSelectionModel::Rows);
    //! Adds the row whose primary key is \a iKey to the selection.
    void selectRow(const QVariant &iKey, QItemSelectionModel::SelectionFlags iFlags
                                         = QItemSelectionModel::Select | QItemSelectionModel::Rows);
    //! Adds rows to the selection.
    void selectRows(const QModelIndexList &iIndexes, QItemSelectionModel::SelectionFlags iFlags
                                                     = QItemSelectionModel::Select | QItemSelectionModel::Rows);
    //! Adds the rows whose primary keys are among \a iKeys to the selection; hides nothing.
    void selectRows(const QVariantList &iKeys, QItemSelectionModel::SelectionFlags iFlags
                                               = QItemSelectionModel::Select | QItemSelectionModel::Rows);
    //! Clears the selection and the current row.
    void unselectAll();

    //! Shows or hides a row, in the model's flag too unless the model itself asked.
    void setRowVisible(const QModelIndex &iIndex, bool iVisible);
    //! Hides every row whose flag is off, shows the others.
    void refreshRowVisible();
    //! Shows or hides a column.
    void setColumnVisible(int iColumn, bool iVisible);
    //! Shows or hides the column named \a iName.
    void setColumnVisible(const QString &iName, bool iVisible);
    //! Shows or hides each named column.
    void setColumnVisible(const QMap<QString, bool> &iVisibles);
    //! Whether a column is shown.
    bool isColumnVisible(int iColumn);
    //! Whether the column named \a iName is shown.
    bool isColumnVisible(const QString &iName);
    //! Name -> shown for each of \a iNames, or for every named column when empty.
    QMap<QString, bool> isColumnVisible(const QStringList &iNames = QStringList());
    //! Applies "visible", "size" and "resizeMode" to a column, after a reset to shown and interactive.
    void setColumnState(int iColumn, const QVariantMap &iState, bool iReset = false);

    //! The delegate's grid line mode.
    int gridLineMode();
    //! 0 no grid lines, 1 horizontal, 2 vertical, 3 both.
    void setGridLineMode(int iMode);

    //! Sets the menu shown on a right click; the caller keeps it.
    void setContextMenu(QMenu *iMenu);
    //! The menu shown on a right click.
    QMenu *contextMenu();
    //! Shows the context menu at the cursor.
    void showContextMenu(const QPoint &iPos);
    //! The column pop-up, created on first use.
    THeaderViewPopup *headerPopup();
    //! Shows the column pop-up at a point of the horizontal header.
    void showHeaderPopup(const QPoint &iPos);
    //! Whether a right click on the horizontal header opens the column pop-up.
    void setHeaderPopupEnabled(bool iEnabled);

    //! The column layout as JSON: name -> position, visible, size.
    QString saveState();
    /*!
     * Applies a column layout saved by saveState(): the named columns take
     * their positions, sizes and visibility. Entries naming a column the
     * table lacks are skipped, a position outside the columns or taken by an
     * earlier entry leaves that column in place, and columns the text does
     * not name keep their state. Only text that is no JSON object changes
     * nothing and returns false.
     */
    bool restorSaveState(const QString &iState);

    //! 1 when rows can be dragged within the table.
    int dragMode();
    //! 1 turns row dragging on; any other value turns dragging off.
    void setDragMode(int iMode);

    TUI_INTERFACE_SLOTS

Q_SIGNALS:
    //! A cell's button was clicked.
    void indexWidgetCommit(QWidget *oWidget, QModelIndex iModelIndex);
    //! The model changed cell data.
    void dataChanged();
    //! The model inserted rows.
    void rowsInserted();
    //! The model moved rows.
    void rowsMoved();
    //! The model removed rows.
    void rowsRemoved();
    //! A check state was written.
    void rowCheckStateChanged(QModelIndex iModelIndex);
    //! Right after any of the five signals above.
    void anyDataChanged();

private:
    Q_DISABLE_COPY(TTableView)
    Q_DECLARE_PRIVATE_D(d, TTableView)
    const std::unique_ptr<TTableViewPrivate> d;
};

#endif // TTABLEVIEW_H
