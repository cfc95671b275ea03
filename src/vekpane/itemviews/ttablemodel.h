#ifndef TTABLEMODEL_H
#define TTABLEMODEL_H

#include "vekpane_export.h"

#include <QAbstractItemModel>
#include <QMap>
#include <QRegExp>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>

class TTableItem;
class TTableModelPrivate;

/*!
 * The flat row model of the table view and the pick-list dialogs.
 *
 * Rows arrive as script values, a list of values or a map keyed by data key,
 * and are kept positional in the order of the data key list. What a cell
 * shows comes from the header item list: element 0 describes the row header,
 * element c + 1 column c. A column description is a map:
 *
 *   "name"          the column's name (columnNumber(), setColumnVisible())
 *   "display"       the header text; the other role names without "Role"
 *                   ("toolTip", "textAlignment", "decoration", …) give the
 *                   header's other roles
 *   "<role>Role"    what the column's cells show for that role
 *                   ("displayRole", "editRole", "checkStateRole",
 *                   "toolTipRole", "flagsRole", …): a constant, or a key
 *                   reference, a text "$key" that names a data key (a key
 *                   that is no data key asks the data callback)
 *
 * for example {"name": "lot", "display": "Lot", "displayRole": "$lot_no",
 * "toolTipRole": "$remark"}. Only key references are written back by
 * setData() (the "edit" and "checkState" roles).
 *
 * Check states are stored in rows as 1 (checked), -1 (partly checked) and 0.
 * The model never hides a row itself: it keeps a visibility flag per row and
 * announces it with rowVisibleChanged(), which the view turns into hidden rows.
 * With drag mode 1 rows can be dragged within the model in the MIME format
 * "application/vek.tmodel_drag".
 */
class VEKPANE_EXPORT TTableModel : public QAbstractItemModel
{
    Q_OBJECT
    Q_PROPERTY(int dragMode READ dragMode WRITE setDragMode)
public:
    //! Supplies the value of a key reference whose key is not a data key.
    using DataCallback = std::function<QVariant(const QModelIndex &iIndex, int iRole, TTableItem *iItem)>;
    //! One step of foreachItem(); returning true stops the walk.
    using ForeachFunction = std::function<bool(const QModelIndex &iIndex, TTableModel *iModel,
                                               const QVariantList &iArgs, QVariantList *oOut)>;

    explicit TTableModel(QObject *iParent = nullptr);
    ~TTableModel() override;

    QModelIndex index(int iRow, int iColumn, const QModelIndex &iParent = QModelIndex()) const override;
    //! The column-0 index of \a iItem's row; invalid for null or for an item this model does not hold.
    QModelIndex index(TTableItem *iItem) const;
    QModelIndex parent(const QModelIndex &iIndex) const override;
    using QObject::parent;
    //! The number of rows; 0 below a row, the model being flat.
    int rowCount(const QModelIndex &iParent = QModelIndex()) const override;
    //! The number of column descriptions; 0 below a row.
    int columnCount(const QModelIndex &iParent = QModelIndex()) const override;
    QVariant data(const QModelIndex &iIndex, int iRole = Qt::DisplayRole) const override;
    QVariant headerData(int iSection, Qt::Orientation iOrientation, int iRole = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &iIndex) const override;
    //! Writes the "edit" and "checkState" roles of a cell whose description refers to a data key.
    bool setData(const QModelIndex &iIndex, const QVariant &iValue, int iRole = Qt::EditRole) override;

    //! A row value converted for \a iRole: icon names, font and colour texts,
    //! alignment texts and check states 1 / -1 / 0 become what views expect.
    QVariant roleDataConvert(int iRole, const QVariant &iValue) const;
    //! Alignment flags from "|"-separated names ("HLeft|VCenter").
    static Qt::Alignment str2alignment(const QString &iText);

    //! Installs the supplier of computed columns; an empty function removes it.
    void setDataCallback(const DataCallback &iCallback);

    //! The row item of an index of this model; null for any other index.
    TTableItem *item(const QModelIndex &iIndex) const;
    //! The rows in display order; the model keeps owning them.
    QList<TTableItem *> dataList() const;
    //! A new row item from a script value, owned by the caller until inserted.
    TTableItem *itemFromVariant(const QVariant &iValue);

    //! Appends \a iItems, which pass into the model's ownership.
    void appendRows(const QList<TTableItem *> &iItems);
    //! Inserts \a iItems at the start, the first one becoming row 0.
    void prependRows(const QList<TTableItem *> &iItems);
    //! Inserts \a iItems at \a iRow, clamped to the rows there are.
    void insertRows(int iRow, const QList<TTableItem *> &iItems);
    void addRowsBefore(const QList<TTableItem *> &iItems, const QModelIndex &iIndex = QModelIndex());
    void addRowsAfter(const QList<TTableItem *> &iItems, const QModelIndex &iIndex = QModelIndex());
    //! The row-map reader for an item held by this model.
    QVariantMap rowDataMap(TTableItem *iItem, const QString &iIndexKey, const QString &iVisibleKey);

    /*!
     * Calls \a iFunction for the column-0 index of every row in order until one
     * call returns true; returns whether one did (false for an empty model).
     */
    bool foreachItem(const ForeachFunction &iFunction, const QVariantList &iArgs, QVariantList *oOut);

    // The generic insertion and removal by count stay those of the base, which refuse.
    using QAbstractItemModel::insertRows;
    using QAbstractItemModel::removeRow;
    using QAbstractItemModel::removeRows;

public Q_SLOTS:
    //! Replaces the column descriptions and announces every column's state to the views.
    void setHeaderItem(const QVariantList &iList);
    //! The column descriptions as given.
    QVariantList headerItem();
    //! The "name" of column \a iColumn; empty outside the columns.
    QString columnName(int iColumn);
    //! The first column named \a iName exactly; -1 for none or the empty name.
    int columnNumber(QString iName);
    //! Asks the views to show or hide the column named \a iName.
    void setColumnVisible(QString iName, bool iVisible);
    //! Asks the views to show or hide column \a iColumn.
    void setColumnVisible(int iColumn, bool iVisible);
    //! setColumnVisible() of each entry, in key order.
    void setColumnsVisible(QMap<QString, bool> iVisibles);

    //! The data keys: the order of the values in every row.
    QStringList dataKeyList();
    //! Sets the data keys; the primary key becomes the first key when it is not among them. Set before loading.
    void setDataKeyList(QStringList iKeys);
    //! The data key that identifies a row.
    QString primaryKey();
    //! Sets the data key that identifies a row.
    void setPrimaryKey(QString iKey);
    //! The data key whose value gives a new row's visibility.
    QString visibleKey();
    //! Sets the data key whose value gives a new row's visibility.
    void setVisibleKey(QString iKey);

    //! The row number of an index in decimal; empty for an invalid index.
    QString indexString(QModelIndex iIndex);
    //! A row's value list from a script value: a list as it is, a map in data key order, else empty.
    QVariantList variantToItemDataList(QVariant iValue, bool *oVisible = nullptr);

    //! Replaces all rows by \a iRows and announces every row's visibility.
    void loadData(QVariantList iRows);
    //! Appends one row; returns its item.
    TTableItem *appendRow(QVariant iValue);
    //! Inserts one row at the start; returns its item.
    TTableItem *prependRow(QVariant iValue);
    //! Appends the rows in order; returns their items.
    QList<TTableItem *> appendRows(QVariantList iValues);
    //! Inserts the rows at the start, the first one becoming row 0; returns their items.
    QList<TTableItem *> prependRows(QVariantList iValues);
    //! Inserts the rows at \a iRow, clamped to the rows there are; returns their items.
    QList<TTableItem *> insertRows(int iRow, QVariantList iValues);
    //! Inserts a row at the row of \a iIndex (row 0 for an invalid index).
    TTableItem *addRowBefore(QVariant iValue, QModelIndex iIndex = QModelIndex());
    //! Inserts a row after the row of \a iIndex (row 0 for an invalid index).
    TTableItem *addRowAfter(QVariant iValue, QModelIndex iIndex = QModelIndex());
    //! Inserts the rows at the row of \a iIndex (row 0 for an invalid index).
    QList<TTableItem *> addRowsBefore(QVariantList iValues, QModelIndex iIndex = QModelIndex());
    //! Inserts the rows after the row of \a iIndex (row 0 for an invalid index).
    QList<TTableItem *> addRowsAfter(QVariantList iValues, QModelIndex iIndex = QModelIndex());

    //! Removes the row of \a iIndex; false for an index that names no row.
    bool removeRow(QModelIndex iIndex);
    //! Removes the rows of the indexes; always true.
    bool removeRows(QModelIndexList iIndexes);
    //! Removes every row.
    void clear();

    //! A row's value list; empty for an index without row.
    QVariantList rowDataList(QModelIndex iIndex);
    /*!
     * A row as a map of data key to value. A non-empty \a iIndexKey adds the
     * row number as text, a non-empty \a iVisibleKey the visibility as 1 or 0.
     */
    QVariantMap rowDataMap(QModelIndex iIndex, QString iIndexKey = QString(), QString iVisibleKey = QString());
    //! rowDataMap() of every row in order, hidden rows only with \a iIncludeHidden.
    QVariantList allDataMap(QString iIndexKey = QString(), QString iVisibleKey = QString(), bool iIncludeHidden = true);
    //! A row's primary-key value; invalid when there is no primary key.
    QVariant rowPrimaryKey(QModelIndex iIndex);
    //! The primary-key value of every row in order, hidden rows only with \a iIncludeHidden.
    QVariantList allPrimaryKey(bool iIncludeHidden = true);

    /*!
     * Without \a iReset, writes the entries of a map under data keys into the
     * row (within its length); with \a iReset, replaces the row's values by the
     * converted \a iRowData. Nothing for an index without row.
     */
    void setRowData(QModelIndex iIndex, QVariant iRowData, bool iReset = false);
    //! Writes one value under a data key (within the row's length).
    void setRowKeyValue(QModelIndex iIndex, QString iKey, QVariant iValue, bool iEmitChange = true);

    //! Sets a row's visibility flag and announces it.
    void setRowVisible(QModelIndex iIndex, bool iVisible);
    //! setRowVisible() for every valid index, in list order.
    void setRowsVisible(QModelIndexList iIndexes, bool iVisible);
    //! setRowVisible() for every row.
    void setAllRowsVisible(bool iVisible);
    //! Announces every row's visibility flag again, unchanged.
    void refreshRowVisible();

    //! The first row whose value under \a iKey (the primary key when empty) equals \a iValue.
    QModelIndex findRow(QVariant iValue, QString iKey = QString());
    /*!
     * Every row whose value under \a iKey (the primary key when empty) equals
     * \a iValue. Unless \a iFilter is 0, matching rows are shown and the others hidden.
     */
    QModelIndexList findRows(QVariant iValue, QString iKey = QString(), int iFilter = 1);
    //! As above, matching any of \a iValues.
    QModelIndexList findRows(QVariantList iValues, QString iKey = QString(), int iFilter = 1);
    /*!
     * Every row in which \a iExpression matches the text of the value under one
     * of \a iKeys (the primary key when empty). Unless \a iFilter is 0,
     * matching rows are shown and the others hidden.
     */
    QModelIndexList findRows(QRegExp iExpression, QStringList iKeys = QStringList(), int iFilter = 1);

    //! Moves the rows of the indexes as one block up by one row.
    void moveRowsUp(QModelIndexList iIndexes);
    //! Moves the rows of the indexes as one block down by one row.
    void moveRowsDown(QModelIndexList iIndexes);
    //! Moves the rows of the indexes as one block to the start.
    void moveRowsTop(QModelIndexList iIndexes);
    //! Moves the rows of the indexes as one block to the end.
    void moveRowsBottom(QModelIndexList iIndexes);

    //! 1 when rows can be dragged and dropped within the model.
    int dragMode();
    //! 1 turns row dragging on, anything else off.
    void setDragMode(int iMode);

Q_SIGNALS:
    //! A view should apply \a iState ("visible", "size", "resizeMode") to a column, after a reset when \a iReset.
    void columnStateChanged(int iColumn, QVariantMap iState, bool iReset);
    //! A row's visibility flag, announced for the view to follow.
    void rowVisibleChanged(QModelIndex iModelIndex, bool iVisibleBol);
    //! A check state was written through setData().
    void rowCheckStateChanged(QModelIndex iModelIndex);

protected:
    Qt::DropActions supportedDropActions() const override;
    QStringList mimeTypes() const override;
    //! The row of the first index as drag data; the caller owns the result.
    QMimeData *mimeData(const QModelIndexList &iIndexes) const override;
    //! Moves the dragged row before \a iRow (or onto \a iParent's row, or to the end).
    bool dropMimeData(const QMimeData *iData, Qt::DropAction iAction, int iRow, int iColumn,
                      const QModelIndex &iParent) override;

private:
    Q_DISABLE_COPY(TTableModel)
    Q_DECLARE_PRIVATE_D(d, TTableModel)
    const std::unique_ptr<TTableModelPrivate> d;
};

#endif // TTABLEMODEL_H
