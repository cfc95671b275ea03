#ifndef TTREEVIEW_H
#define TTREEVIEW_H

#include "tuiinterfaceslots.h"
#include "vekpane_export.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMap>
#include <QRegExp>
#include <QTreeView>

#include <memory>

class QMenu;
class TTreeItem;
class TTreeViewPrivate;

/*!
 * The script-facing tree of the widget library.
 *
 * It starts with its own TTreeModel and TStyledItemDelegate and speaks in
 * primary keys and row maps: scripts load nested or flattened rows, find and
 * filter rows, select them by key and read the selection back as maps. The
 * model's column states, row visibility and expanded flags are mirrored into
 * the header and the tree, and what the user expands or collapses goes back
 * into the model's flags.
 *
 * Row operations forward to the model when it is a TTreeModel; with any other
 * model the view is a plain QTreeView and they return empty results.
 *
 * Own key of setAttr(): "item_list", a map with "index_key" and "data_list"
 * loaded as flattened rows. getAttr() answers the common keys only.
 */
class VEKPANE_EXPORT TTreeView : public QTreeView, public TUiInterface
{
    Q_OBJECT
    Q_PROPERTY(int dragMode READ dragMode WRITE setDragMode)
public:
    explicit TTreeView(QWidget *iParent = nullptr);
    ~TTreeView() override;

    //! Installs \a iModel; the view follows a TTreeModel's column states, row flags and check states.
    void setModel(QAbstractItemModel *iModel) override;

    //! "Fixed", "Stretch" or "ResizeToContents" in any case; anything else is interactive.
    static QHeaderView::ResizeMode str2resizeMode(const QString &iText);

public Q_SLOTS:
    //! Applies the common keys, then "item_list".
    void setAttr(const QString &iKey, const QVariant &iValue) override;
    //! Reads a common key.
    QVariant getAttr(const QString &iKey, const QVariant &iOptions = QVariant()) override;

    //! Sets the column descriptions, one map per column.
    void setHeaderItem(const QVariantList &iList);
    //! The column descriptions.
    QVariantList headerItem();
    //! Sets the data keys: the order of the values in every row.
    void setDataKeyList(const QStringList &iKeys);
    //! Sets the data key that identifies a row.
    void setPrimaryKey(const QString &iKey);
    //! Sets the data key that holds a loaded row's expanded flag.
    void setExpandedKey(const QString &iKey);
    //! Sets the data key that holds a loaded row's visible flag.
    void setVisibleKey(const QString &iKey);

    //! Replaces the rows by nested rows whose children stand under \a iChildKey.
    void loadTreeData(const QVariantList &iData, const QString &iChildKey = QStringLiteral("CHILDREN"));
    //! Replaces the rows by flat rows placed by the dotted path under \a iIndexKey.
    void loadFlattenData(const QVariantList &iData, const QString &iIndexKey);
    //! Removes every row.
    void clearData();

    //! The rows below \a iParent as maps, nested under \a iChildKey.
    QVariantList allDataMap(const QString &iChildKey = QStringLiteral("CHILDREN"), const QString &iIndexKey = QString(),
                            bool iIncludeHidden = true, const QModelIndex &iParent = QModelIndex());

    //! The first row whose value under \a iColumn (the primary key when empty) equals \a iValue.
    QModelIndex findRow(const QVariant &iValue, const QString &iColumn = QString(),
                        const QModelIndex &iParent = QModelIndex());
    //! Rows whose value equals \a iValue; unless \a iFilter is 0 only they and their parents stay shown.
    QModelIndexList findRows(const QVariant &iValue, const QString &iColumn = QString(), int iFilter = 1,
                             const QModelIndex &iParent = QModelIndex());
    //! Rows whose value is one of \a iValues; unless \a iFilter is 0 only they and their parents stay shown.
    QModelIndexList findRows(const QVariantList &iValues, const QString &iColumn = QString(), int iFilter = 1,
                             const QModelIndex &iParent = QModelIndex());
    //! Rows in which \a iPattern matches one of \a iColumns; unless \a iFilter is 0 only they and their parents stay shown.
    QModelIndexList findRows(const QRegExp &iPattern, const QStringList &iColumns = QStringList(), int iFilter = 1,
                             const QModelIndex &iParent = QModelIndex());

    //! Writes the entries of a map into a row, or replaces its values with \a iReset.
    void setRowData(const QModelIndex &iIndex, const QVariant &iData, bool iReset = false);
    //! Writes one value of a row under a data key.
    void setRowKeyValue(const QModelIndex &iIndex, const QString &iKey, const QVariant &iValue,
                        bool iEmitChange = true);
    //! setRowData() for the row whose primary key is \a iPrimaryKey.
    void setRowDataByPrimaryKey(const QVariant &iPrimaryKey, const QVariant &iData, bool iReset = false);
    //! setRowKeyValue() for the row whose primary key is \a iPrimaryKey.
    void setRowKeyValueByPrimaryKey(const QVariant &iPrimaryKey, const QString &iKey, const QVariant &iValue,
                                    bool iEmitChange = true);

    //! The current row's primary key; invalid without one.
    QVariant currentPrimaryKey();
    //! The current row as a map.
    QVariant currentRowDataMap();
    //! The current row's values in data key order.
    QVariant currentRowDataList();

    /*!
     * One column-0 index per fully selected row. A slot of its own: the
     * base's virtual of the same name, which drags use, stays untouched.
     */
    QModelIndexList selectedIndexes();
    //! The selected rows' primary keys, hidden ones only with \a iIncludeHidden.
    QVariantList selectedPrimaryKeys(bool iIncludeHidden = false);
    //! The selected rows as maps, hidden ones only with \a iIncludeHidden.
    QVariantList selectedRowDataMaps(bool iIncludeHidden = false);

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

    //! Moves sibling rows as one block up by one row.
    void moveRowsUp(const QModelIndexList &iIndexes);
    //! Moves sibling rows as one block down by one row.
    void moveRowsDown(const QModelIndexList &iIndexes);
    //! Moves sibling rows as one block to the start of their parent.
    void moveRowsTop(const QModelIndexList &iIndexes);
    //! Moves sibling rows as one block to the end of their parent.
    void moveRowsBottom(const QModelIndexList &iIndexes);
    //! Moves the selected rows up by one row.
    void moveSelectedRowsUp();
    //! Moves the selected rows down by one row.
    void moveSelectedRowsDown();
    //! Moves the selected rows to the start of their parent.
    void moveSelectedRowsTop();
    //! Moves the selected rows to the end of their parent.
    void moveSelectedRowsBottom();

    //! Shows or hides a row, in the model's flag too unless the model itself asked.
    void setRowVisible(const QModelIndex &iIndex, bool iVisible);
    //! Expands or collapses a row, in the model's flag too unless the model itself asked.
    void setRowExpanded(const QModelIndex &iIndex, bool iExpanded);
    //! Applies the visible flags below \a iRoot (the whole tree when null) again.
    void refreshRowVisible(TTreeItem *iRoot = nullptr);
    //! Applies the expanded flags below \a iRoot (the whole tree when null) again.
    void refreshRowExpanded(TTreeItem *iRoot = nullptr);
    //! Applies saved visible flags, keyed by primary-key text, to the rows below \a iParent.
    void restoreRowsVisible(const QVariantMap &iStates, const QModelIndex &iParent = QModelIndex());
    //! Applies saved expanded flags, keyed by primary-key text, to the rows below \a iParent.
    void restoreRowsExpanded(const QVariantMap &iStates, const QModelIndex &iParent = QModelIndex());
    //! Shows every hidden ancestor of a row.
    void setRowAllParentVisible(const QModelIndex &iIndex);
    //! Expands every collapsed ancestor of a row.
    void setRowAllParentExpanded(const QModelIndex &iIndex);
    //! Shows the ancestors of the visible children of \a iParent; mode 2 also expands them.
    void syncParentItemVisible(int iFilterMode = 1, const QModelIndex &iParent = QModelIndex());

    //! Applies "visible", "size" and "resizeMode" to a column, after a reset to shown and interactive.
    void setColumnState(int iColumn, const QVariantMap &iState, bool iReset = false);
    //! Shows or hides a column.
    void setColumnVisible(int iColumn, bool iVisible);
    //! Shows or hides the column named \a iName.
    void setColumnVisible(const QString &iName, bool iVisible);
    //! Shows or hides each named column, in key order.
    void setColumnVisible(const QMap<QString, bool> &iVisibles);
    //! Whether a column is shown.
    bool isColumnVisible(int iColumn);
    //! Whether the column named \a iName is shown.
    bool isColumnVisible(const QString &iName);
    //! Name -> shown for each of \a iNames, or for every named column when empty.
    QMap<QString, bool> isColumnVisible(const QStringList &iNames = QStringList());

    //! 1 when rows can be dragged within the tree.
    int dragMode();
    //! 1 turns row dragging on; any other value turns dragging off.
    void setDragMode(int iMode);

    //! Sets the menu shown on a right click; the caller keeps it.
    void setContextMenu(QMenu *iMenu);
    //! The menu shown on a right click.
    QMenu *contextMenu();
    //! Shows the context menu at the cursor.
    void showContextMenu(const QPoint &iPos);

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

private Q_SLOTS:
    void onExpanded(const QModelIndex &iIndex);
    void onColloapsed(const QModelIndex &iIndex);

private:
    Q_DISABLE_COPY(TTreeView)
    Q_DECLARE_PRIVATE_D(d, TTreeView)
    const std::unique_ptr<TTreeViewPrivate> d;
};

#endif // TTREEVIEW_H
