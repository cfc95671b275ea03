#ifndef TTREEMODEL_H
#define TTREEMODEL_H

#include "vekpane_export.h"

#include <QAbstractItemModel>
#include <QMap>
#include <QRegExp>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>

class TTreeItem;
class TTreeModelPrivate;

/*!
 * The hierarchical twin of TTableModel: trees of materials, tooling and
 * categories, fed and read by scripts as nested lists of maps (children under
 * a child key, "CHILDREN" by default) or as flattened lists whose rows carry
 * their position as a dotted index path ("1.2.3").
 *
 * Row values are positional in the order of the data key list. Column c is
 * described by element c of the header item list, in the column description
 * format of the table model: role names followed by "Role" map to a constant
 * or to a key reference, a text starting with "$" that names a data key.
 *
 * The model never hides or expands a row itself: every node keeps a visible
 * and an expanded flag, announced with rowVisibleChanged() and
 * rowExpandedChanged() for the views to follow. With drag mode 1 a row can be
 * dragged with its subtree to another place in the same tree.
 */
class VEKPANE_EXPORT TTreeModel : public QAbstractItemModel
{
    Q_OBJECT
    Q_PROPERTY(int dragMode READ dragMode WRITE setDragMode)
public:
    //! Supplies the value of a key reference whose key is not a data key.
    using DataCallback = std::function<QVariant(const QModelIndex &iIndex, int iRole, const TTreeItem *iItem)>;
    //! One step of foreachItem(); returning true stops the walk.
    using ForeachFunction = std::function<bool(const QModelIndex &iIndex, TTreeModel *iModel, const QVariantList &iArgs,
                                               QVariantList *oResult)>;

    explicit TTreeModel(QObject *iParent = nullptr);
    ~TTreeModel() override;

    QModelIndex index(int iRow, int iColumn, const QModelIndex &iParent = QModelIndex()) const override;
    //! The column-0 index of \a iItem; invalid for null and for the root.
    QModelIndex index(TTreeItem *iItem) const;
    QModelIndex parent(const QModelIndex &iIndex) const override;
    using QObject::parent;
    //! The children of \a iParent's node; 0 beyond the first column.
    int rowCount(const QModelIndex &iParent = QModelIndex()) const override;
    //! The number of column descriptions, for every parent.
    int columnCount(const QModelIndex &iParent = QModelIndex()) const override;
    QVariant data(const QModelIndex &iIndex, int iRole = Qt::DisplayRole) const override;
    //! Writes the "edit" and "checkState" roles of a cell whose description refers to a data key.
    bool setData(const QModelIndex &iIndex, const QVariant &iValue, int iRole = Qt::EditRole) override;
    QVariant headerData(int iSection, Qt::Orientation iOrientation, int iRole = Qt::DisplayRole) const override;
    QStringList mimeTypes() const override;
    //! The node of the first index as drag data; the caller owns the result.
    QMimeData *mimeData(const QModelIndexList &iIndexes) const override;
    /*!
     * Moves the dragged node with its subtree: onto a row it becomes that
     * row's first child, between rows it is inserted there, on empty space it
     * becomes the last first-level row.
     */
    bool dropMimeData(const QMimeData *iData, Qt::DropAction iAction, int iRow, int iColumn,
                      const QModelIndex &iParent) override;
    Qt::DropActions supportedDropActions() const override;
    Qt::ItemFlags flags(const QModelIndex &iIndex) const override;

    //! A row value converted for \a iRole: icon names, font and colour texts,
    //! alignment texts and check states 1 / -1 / 0 become what views expect.
    QVariant roleDataConvert(int iRole, const QVariant &iValue) const;
    //! Alignment flags from "|"-separated names ("Left|VCenter").
    static Qt::Alignment str2alignment(const QString &iText);
    //! Installs the supplier of computed columns; an empty function removes it.
    void setDataCallback(const DataCallback &iCallback);

    /*!
     * Calls \a iFunction for every row below \a iStart (the root when null),
     * parents before their children, until one call returns true; returns
     * whether one did.
     */
    bool foreachItem(const ForeachFunction &iFunction, const QVariantList &iArgs, QVariantList *oResult,
                     TTreeItem *iStart = nullptr);

    //! True while the model itself rebuilds or inserts rows, for layers that sort.
    bool skipSortingBol() const;
    void setSkipSortingBol(bool iSkip);

    // The generic insertion and removal by count stay those of the base, which refuse.
    using QAbstractItemModel::insertRows;
    using QAbstractItemModel::removeRow;
    using QAbstractItemModel::removeRows;

public Q_SLOTS:
    //! The node of an index of this model; null for any other index.
    TTreeItem *item(const QModelIndex &iIndex) const;
    //! The invisible node above the first-level rows.
    TTreeItem *rootItem() const;
    //! Replaces the whole tree by \a iRoot's (a fresh empty one for null); the old tree is freed.
    //! A node of another model's tree is refused.
    void setRootItem(TTreeItem *iRoot);
    //! Removes every row.
    void clear();

    //! Replaces the column descriptions and announces every column's state to the views.
    void setHeaderItem(const QVariantList &iList);
    //! The column descriptions as given.
    QVariantList headerItem() const;
    //! The first column named \a iName exactly; -1 for none or the empty name.
    int columnNumber(const QString &iName) const;
    //! The "name" of column \a iColumn; empty outside the columns.
    QString columnName(int iColumn) const;
    //! Asks the views to show or hide the column named \a iName.
    void setColumnVisible(const QString &iName, bool iVisible);
    //! Asks the views to show or hide column \a iColumn.
    void setColumnVisible(int iColumn, bool iVisible);
    //! setColumnVisible() of each entry, in key order.
    void setColumnsVisible(const QMap<QString, bool> &iVisibles);

    //! The data keys: the order of the values in every row.
    QStringList dataKeyList() const;
    //! Sets the data keys; the primary key becomes the first key when it is not among them. Set before loading.
    void setDataKeyList(const QStringList &iKeys);
    //! The data key that identifies a row.
    QString primaryKey() const;
    void setPrimaryKey(const QString &iKey);
    //! The data key whose value gives a loaded row's expanded flag and receives it on export.
    QString expandedKey() const;
    void setExpandedKey(const QString &iKey);
    //! The data key whose value gives a loaded row's visible flag and receives it on export.
    QString visibleKey() const;
    void setVisibleKey(const QString &iKey);

    /*!
     * A row's values from a script value: a list as it is, a map in data key
     * order, anything else empty. The flags come from the expanded and
     * visible keys, true when the key is not set.
     */
    QVariantList variantToItemDataList(const QVariant &iValue, bool *oExpanded = nullptr, bool *oVisible = nullptr);
    //! A new node with its subtree (children of a map under \a iChildKey), owned by the caller.
    TTreeItem *itemFromVariant(const QVariant &iValue, const QString &iChildKey = QStringLiteral("CHILDREN"));
    //! Replaces the tree by nested rows and announces every row's flags.
    void loadTreeData(const QVariantList &iRows, const QString &iChildKey = QStringLiteral("CHILDREN"));
    /*!
     * The first-level nodes built from rows that carry their dotted index path
     * under \a iIndexKey, owned by the caller. Rows whose parent path did not
     * come just before them are left out with their subtree; of two rows with
     * the same path the later one counts.
     */
    QList<TTreeItem *> itemsFromFlattenData(const QVariantList &iRows, const QString &iIndexKey);
    //! Replaces the tree by flattened rows and announces every row's flags.
    void loadFlattenData(const QVariantList &iRows, const QString &iIndexKey);

    //! A row's value list; empty for an index without node.
    QVariantList rowDataList(const QModelIndex &iIndex) const;
    /*!
     * A row as a map of data key to value; a non-empty \a iIndexKey adds the
     * dotted index path, the visible and expanded keys receive the flags.
     */
    QVariantMap rowDataMap(const QModelIndex &iIndex, const QString &iIndexKey = QString()) const;
    //! rowDataMap() of the direct children of \a iParent.
    QVariantList childDataMap(const QModelIndex &iParent = QModelIndex(), const QString &iIndexKey = QString(),
                              bool iIncludeHidden = true) const;
    /*!
     * The rows below \a iParent, nested under \a iChildKey, or flat in pre-order
     * when \a iChildKey is empty (with an index key, what loadFlattenData() reads).
     */
    QVariantList allDataMap(const QString &iChildKey = QStringLiteral("CHILDREN"), const QString &iIndexKey = QString(),
                            bool iIncludeHidden = true, const QModelIndex &iParent = QModelIndex()) const;
    //! The dotted index path of a row ("1.2.3"); empty for an invalid index.
    QString indexString(const QModelIndex &iIndex) const;
    //! A row's primary-key value; invalid when there is no primary key.
    QVariant rowPrimaryKey(const QModelIndex &iIndex) const;

    //! Sets a row's expanded flag and announces it.
    void setRowExpanded(const QModelIndex &iIndex, bool iExpanded);
    void setRowExpanded(TTreeItem *iItem, bool iExpanded);
    //! setRowExpanded() for every valid index, in list order.
    void setRowsExpanded(const QModelIndexList &iIndexes, bool iExpanded);
    //! Sets a row's visible flag and announces it.
    void setRowVisible(const QModelIndex &iIndex, bool iVisible);
    void setRowVisible(TTreeItem *iItem, bool iVisible);
    //! setRowVisible() for every valid index, in list order.
    void setRowsVisible(const QModelIndexList &iIndexes, bool iVisible);
    //! Expands every collapsed ancestor of a row.
    void setRowAllParentExpanded(const QModelIndex &iIndex);
    void setRowAllParentExpanded(TTreeItem *iItem);
    //! Shows every hidden ancestor of a row.
    void setRowAllParentVisible(const QModelIndex &iIndex);
    void setRowAllParentVisible(TTreeItem *iItem);
    //! Announces the expanded flag of every row below \a iStart (the root when null) again.
    void refreshRowExpanded(TTreeItem *iStart = nullptr);
    //! Announces the visible flag of every row below \a iStart, down through visible rows only.
    void refreshRowVisible(TTreeItem *iStart = nullptr);
    //! Applies saved expanded flags, keyed by primary-key text, to the rows below \a iParent.
    void restoreRowsExpanded(const QVariantMap &iStates, const QModelIndex &iParent = QModelIndex());
    //! Applies saved visible flags, keyed by primary-key text, to the rows below \a iParent.
    void restoreRowsVisible(const QVariantMap &iStates, const QModelIndex &iParent = QModelIndex());
    /*!
     * For every visible direct child of \a iItem (the root when null), shows
     * its ancestors; with \a iMode 2 also expands the child's parent.
     */
    void syncParentItemVisible(int iMode = 1, TTreeItem *iItem = nullptr);

    //! Appends one row (with nested "CHILDREN") under \a iParent; returns its node.
    TTreeItem *appendRow(const QVariant &iValue, const QModelIndex &iParent = QModelIndex());
    //! Inserts one row as the first child of \a iParent; returns its node.
    TTreeItem *prependRow(const QVariant &iValue, const QModelIndex &iParent = QModelIndex());
    //! Appends the rows in order; returns their nodes.
    QList<TTreeItem *> appendRows(const QVariantList &iValues, const QModelIndex &iParent = QModelIndex());
    //! Inserts the rows at the start, the first one becoming row 0; returns their nodes.
    QList<TTreeItem *> prependRows(const QVariantList &iValues, const QModelIndex &iParent = QModelIndex());
    //! Appends \a iItems, which pass into the model's ownership; nodes that already have a parent are left out.
    void appendRows(const QList<TTreeItem *> &iItems, const QModelIndex &iParent = QModelIndex());
    //! Inserts \a iItems at the start, which pass into the model's ownership.
    void prependRows(const QList<TTreeItem *> &iItems, const QModelIndex &iParent = QModelIndex());
    //! Inserts the rows at \a iRow, clamped to the children there are; returns their nodes.
    QList<TTreeItem *> insertRows(int iRow, const QVariantList &iValues, const QModelIndex &iParent = QModelIndex());
    //! Inserts \a iItems at \a iRow, clamped to the children there are.
    void insertRows(int iRow, const QList<TTreeItem *> &iItems, const QModelIndex &iParent = QModelIndex());
    //! Inserts a row before \a iBefore (at row 0 of the first level for an invalid index).
    TTreeItem *addRowBefore(const QVariant &iValue, const QModelIndex &iBefore = QModelIndex());
    //! Inserts a row after \a iAfter (at row 0 of the first level for an invalid index).
    TTreeItem *addRowAfter(const QVariant &iValue, const QModelIndex &iAfter = QModelIndex());
    QList<TTreeItem *> addRowsBefore(const QVariantList &iValues, const QModelIndex &iBefore = QModelIndex());
    QList<TTreeItem *> addRowsAfter(const QVariantList &iValues, const QModelIndex &iAfter = QModelIndex());
    void addRowsBefore(const QList<TTreeItem *> &iItems, const QModelIndex &iBefore = QModelIndex());
    void addRowsAfter(const QList<TTreeItem *> &iItems, const QModelIndex &iAfter = QModelIndex());

    /*!
     * Without \a iReset, writes the entries of a map under data keys into the
     * row; with \a iReset, replaces the row's values by the converted
     * \a iValue (the flags stay).
     */
    void setRowData(const QModelIndex &iIndex, const QVariant &iValue, bool iReset = false);
    //! Writes one value under a data key; other keys are ignored.
    void setRowKeyValue(const QModelIndex &iIndex, const QString &iKey, const QVariant &iValue,
                        bool iEmitChange = true);

    //! Removes the row of \a iIndex with its subtree; false for an index that names no row.
    bool removeRow(const QModelIndex &iIndex);
    //! Removes the rows of the indexes with their subtrees; always true.
    bool removeRows(const QModelIndexList &iIndexes);

    //! Moves sibling rows as one block up by one row.
    void moveRowsUp(const QModelIndexList &iIndexes);
    //! Moves sibling rows as one block down by one row.
    void moveRowsDown(const QModelIndexList &iIndexes);
    //! Moves sibling rows as one block to the start of their parent.
    void moveRowsTop(const QModelIndexList &iIndexes);
    //! Moves sibling rows as one block to the end of their parent.
    void moveRowsBottom(const QModelIndexList &iIndexes);

    //! The first row below \a iParent, parents first, whose value under \a iColumn (the primary key when empty) equals \a iValue.
    QModelIndex findRow(const QVariant &iValue, const QString &iColumn = QString(),
                        const QModelIndex &iParent = QModelIndex());
    /*!
     * Every row below \a iParent whose value under \a iColumn (the primary key
     * when empty) equals \a iValue. Unless \a iFilter is 0, exactly the matches
     * and their ancestors stay visible; with 2 the parents of matches are also
     * expanded.
     */
    QModelIndexList findRows(const QVariant &iValue, const QString &iColumn = QString(), int iFilter = 1,
                             const QModelIndex &iParent = QModelIndex());
    //! As above, matching any of \a iValues.
    QModelIndexList findRows(const QVariantList &iValues, const QString &iColumn = QString(), int iFilter = 1,
                             const QModelIndex &iParent = QModelIndex());
    //! As above, matching where \a iExpression finds text in one of \a iColumns (the primary key when empty).
    QModelIndexList findRows(const QRegExp &iExpression, const QStringList &iColumns = QStringList(), int iFilter = 1,
                             const QModelIndex &iParent = QModelIndex());
    //! Every row below \a iParent, parents first; hidden direct children only with \a iIncludeHidden.
    QModelIndexList allIndexs(const QModelIndex &iParent = QModelIndex(), bool iIncludeHidden = true) const;
    //! The direct children of \a iParent; hidden ones only with \a iIncludeHidden.
    QModelIndexList childIndexs(const QModelIndex &iParent = QModelIndex(), bool iIncludeHidden = true) const;

    //! 1 when rows can be dragged and dropped within the model.
    int dragMode() const;
    //! 1 turns row dragging on, anything else off.
    void setDragMode(int iMode);

Q_SIGNALS:
    //! A view should apply \a iState ("visible", "size", "resizeMode") to a column, after a reset when \a iResetBol.
    void columnStateChanged(int iNumInt, QVariantMap iState, bool iResetBol);
    //! A row's visible flag, announced for the view to follow.
    void rowVisibleChanged(QModelIndex iModelIndex, bool iVisibleBol);
    //! A row's expanded flag, announced for the view to follow.
    void rowExpandedChanged(QModelIndex iModelIndex, bool iVisibleBol);
    //! A check state was written through setData().
    void rowCheckStateChanged(QModelIndex iModelIndex);

private:
    Q_DISABLE_COPY(TTreeModel)
    Q_DECLARE_PRIVATE_D(d, TTreeModel)
    const std::unique_ptr<TTreeModelPrivate> d;
};

#endif // TTREEMODEL_H
