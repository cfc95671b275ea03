#include "ttablemodel.h"
#include "ttablemodel_p.h"

#include "titemdatarole.h"
#include "titemdatarole_p.h"
#include "tscriptvalue.h"
#include "ttableitem.h"
#include "ttableitem_p.h"
#include "tuiutil.h"

#include <QDataStream>
#include <QMimeData>

#include <algorithm>

namespace {

const char dragMimeType[] = "application/vek.tmodel_drag";
// The "flags" role, whose column key "flagsRole" gives a cell's item flags.
const int flagsRole = Qt::UserRole + 6;

} // namespace

QVariant TTableModelPrivate::resolve(const TCellRules::Rule &iRule, const QModelIndex &iIndex, int iRole,
                                     TTableItem *iItem) const
{
    return TCellRules::resolve(iRule, iItem->d->values, iIndex, iRole, iItem, dataCallback);
}

TTableModel::TTableModel(QObject *iParent)
    : QAbstractItemModel(iParent)
    , d(new TTableModelPrivate(this))
{
    qRegisterMetaType<TTableItem *>("TTableItem*");
    qRegisterMetaType<QList<TTableItem *>>("QList<TTableItem*>");
}

TTableModel::~TTableModel()
{
    // No views to tell any more: the rows just go.
    qDeleteAll(d->items);
}

QModelIndex TTableModel::index(int iRow, int iColumn, const QModelIndex &iParent) const
{
    if (iParent.isValid() || iRow < 0 || iRow >= d->items.size() || iColumn < 0 || iColumn >= columnCount())
        return QModelIndex();
    return createIndex(iRow, iColumn, d->items.at(iRow));
}

QModelIndex TTableModel::index(TTableItem *iItem) const
{
    if (!iItem)
        return QModelIndex();
    return index(d->items.indexOf(iItem), 0);
}

QModelIndex TTableModel::parent(const QModelIndex &iIndex) const
{
    Q_UNUSED(iIndex)
    return QModelIndex();
}

int TTableModel::rowCount(const QModelIndex &iParent) const { return iParent.isValid() ? 0 : d->items.size(); }

int TTableModel::columnCount(const QModelIndex &iParent) const
{
    if (iParent.isValid())
        return 0;
    return qMax(d->headerItem.size() - 1, 0);
}

TTableItem *TTableModel::item(const QModelIndex &iIndex) const { return d->itemAt(iIndex); }

QVariant TTableModel::data(const QModelIndex &iIndex, int iRole) const
{
    TTableItem *rowItem = d->itemAt(iIndex);
    if (!rowItem)
        return QVariant();
    const TCellRules::Rule &rule = d->cellRule(iIndex.column() + 1, iRole);
    if (rule.direct)
        return TCellRules::directValue(rule, rowItem->d->values);
    if (rule.kind == TCellRules::Rule::Missing)
        return QVariant();
    return roleDataConvert(iRole, d->resolve(rule, iIndex, iRole, rowItem));
}

QVariant TTableModel::headerData(int iSection, Qt::Orientation iOrientation, int iRole) const
{
    if (iOrientation == Qt::Horizontal) {
        if (iSection < 0 || d->headerItem.size() <= iSection + 1)
            return QVariant();
        return roleDataConvert(iRole, d->headerItem.at(iSection + 1).toMap().value(TItemDataRole::key(iRole)));
    }
    if (iOrientation == Qt::Vertical && !d->headerItem.isEmpty()) {
        const QModelIndex rowIndex = index(iSection, 0);
        TTableItem *rowItem = item(rowIndex);
        if (!rowItem)
            return QVariant();
        return roleDataConvert(iRole, d->resolve(d->cellRule(0, iRole), rowIndex, iRole, rowItem));
    }
    return QVariant();
}

Qt::ItemFlags TTableModel::flags(const QModelIndex &iIndex) const
{
    TTableItem *rowItem = item(iIndex);
    if (!rowItem)
        return d->dragMode == 1 ? Qt::ItemIsDropEnabled : Qt::NoItemFlags;
    Qt::ItemFlags result = TCellRules::flags(d->cellRule(iIndex.column() + 1, flagsRole), rowItem->d->values,
                                             QAbstractItemModel::flags(iIndex));
    if (d->dragMode == 1)
        result |= Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;
    return result;
}

bool TTableModel::setData(const QModelIndex &iIndex, const QVariant &iValue, int iRole)
{
    if (iRole != Qt::EditRole && iRole != Qt::CheckStateRole)
        return false;
    TTableItem *rowItem = item(iIndex);
    if (!rowItem)
        return false;
    const int position = TCellRules::writablePosition(d->cellRule(iIndex.column() + 1, iRole), rowItem->d->values);
    if (position < 0)
        return false;
    rowItem->d->values[position] = TCellRules::storedValue(iRole, TScriptValue::toPlain(iValue));
    if (iRole == Qt::CheckStateRole)
        Q_EMIT rowCheckStateChanged(iIndex);
    Q_EMIT dataChanged(iIndex, iIndex);
    return true;
}

QVariant TTableModel::roleDataConvert(int iRole, const QVariant &iValue) const
{
    return TItemDataRolePrivate::convert(iRole, iValue);
}

Qt::Alignment TTableModel::str2alignment(const QString &iText) { return TUiUtil::str2alignment(iText); }

void TTableModel::setDataCallback(const DataCallback &iCallback) { d->dataCallback = iCallback; }

void TTableModel::setHeaderItem(const QVariantList &iList)
{
    const QVariantList list = TScriptValue::toPlain(iList).toList();
    const int oldCount = columnCount();
    const int newCount = qMax(list.size() - 1, 0);
    if (newCount > oldCount) {
        beginInsertColumns(QModelIndex(), oldCount, newCount - 1);
        d->headerItem = list;
        d->cellRules.invalidate();
        endInsertColumns();
    } else if (newCount < oldCount) {
        beginRemoveColumns(QModelIndex(), newCount, oldCount - 1);
        d->headerItem = list;
        d->cellRules.invalidate();
        endRemoveColumns();
    } else {
        d->headerItem = list;
        d->cellRules.invalidate();
    }
    if (newCount > 0)
        Q_EMIT headerDataChanged(Qt::Horizontal, 0, newCount - 1);
    for (int column = 0; column < newCount; ++column)
        Q_EMIT columnStateChanged(column, list.at(column + 1).toMap(), true);
}

QVariantList TTableModel::headerItem() { return d->headerItem; }

// Element 0 describes the row header: column c is element c + 1.
QString TTableModel::columnName(int iColumn)
{
    return iColumn < 0 ? QString() : TItemModelSupport::elementName(d->headerItem, iColumn + 1);
}

int TTableModel::columnNumber(QString iName)
{
    const int element = TItemModelSupport::namedElement(d->headerItem, iName, 1);
    return element < 0 ? -1 : element - 1;
}

void TTableModel::setColumnVisible(QString iName, bool iVisible) { setColumnVisible(columnNumber(iName), iVisible); }

void TTableModel::setColumnVisible(int iColumn, bool iVisible)
{
    Q_EMIT columnStateChanged(iColumn, QVariantMap {{QStringLiteral("visible"), iVisible}}, false);
}

void TTableModel::setColumnsVisible(QMap<QString, bool> iVisibles)
{
    for (auto it = iVisibles.cbegin(); it != iVisibles.cend(); ++it)
        setColumnVisible(it.key(), it.value());
}

// --- keys, conversion, rows ------------------------------------------------

QStringList TTableModel::dataKeyList() { return d->dataKeyList; }

void TTableModel::setDataKeyList(QStringList iKeys)
{
    d->dataKeyList = iKeys;
    d->primaryKey = TItemModelSupport::primaryKeyFor(iKeys, d->primaryKey);
    d->cellRules.invalidate();
}

QString TTableModel::primaryKey() { return d->primaryKey; }

void TTableModel::setPrimaryKey(QString iKey) { d->primaryKey = iKey; }

QString TTableModel::visibleKey() { return d->visibleKey; }

void TTableModel::setVisibleKey(QString iKey) { d->visibleKey = iKey; }

QList<TTableItem *> TTableModel::dataList() const { return d->items; }

QString TTableModel::indexString(QModelIndex iIndex)
{
    return iIndex.isValid() ? QString::number(iIndex.row()) : QString();
}

QVariantList TTableModel::variantToItemDataList(QVariant iValue, bool *oVisible)
{
    const QVariantList values = TItemModelSupport::rowValues(TScriptValue::toPlain(iValue), d->dataKeyList);
    if (oVisible)
        *oVisible = TItemModelSupport::rowFlag(values, d->dataKeyList, d->visibleKey);
    return values;
}

TTableItem *TTableModel::itemFromVariant(const QVariant &iValue)
{
    // Built in place: the row's values are not made twice.
    auto *newItem = new TTableItem;
    newItem->d->values = TItemModelSupport::rowVector(TScriptValue::toPlain(iValue), d->dataKeyList);
    newItem->d->visible = TItemModelSupport::rowFlag(newItem->d->values, d->dataKeyList, d->visibleKey);
    return newItem;
}

QList<TTableItem *> TTableModelPrivate::itemsFromVariants(const QVariantList &iValues)
{
    Q_Q(TTableModel);
    QList<TTableItem *> result;
    result.reserve(iValues.size());
    for (const QVariant &value : iValues)
        result.append(q->itemFromVariant(value));
    return result;
}

void TTableModelPrivate::insertItems(int iRow, const QList<TTableItem *> &iItems)
{
    Q_Q(TTableModel);
    QList<TTableItem *> newItems;
    newItems.reserve(iItems.size());
    for (TTableItem *newItem : iItems) {
        if (newItem)
            newItems.append(newItem);
    }
    if (newItems.isEmpty())
        return;
    const int row = qBound(0, iRow, items.size());
    q->beginInsertRows(QModelIndex(), row, row + newItems.size() - 1);
    for (TTableItem *newItem : qAsConst(newItems))
        newItem->d->model = q;
    if (row == items.size()) {
        items.append(newItems);
    } else {
        // One pass over the list, however many rows go in.
        QList<TTableItem *> merged;
        merged.reserve(items.size() + newItems.size());
        merged.append(items.mid(0, row));
        merged.append(newItems);
        merged.append(items.mid(row));
        items.swap(merged);
    }
    q->endInsertRows();
}

void TTableModel::loadData(QVariantList iRows)
{
    clear();
    appendRows(TScriptValue::toPlain(iRows).toList());
    refreshRowVisible();
}

TTableItem *TTableModel::appendRow(QVariant iValue)
{
    TTableItem *newItem = itemFromVariant(iValue);
    d->insertItems(d->items.size(), {newItem});
    return newItem;
}

TTableItem *TTableModel::prependRow(QVariant iValue)
{
    TTableItem *newItem = itemFromVariant(iValue);
    d->insertItems(0, {newItem});
    return newItem;
}

QList<TTableItem *> TTableModel::appendRows(QVariantList iValues)
{
    const QList<TTableItem *> newItems = d->itemsFromVariants(TScriptValue::toPlain(iValues).toList());
    d->insertItems(d->items.size(), newItems);
    return newItems;
}

QList<TTableItem *> TTableModel::prependRows(QVariantList iValues)
{
    const QList<TTableItem *> newItems = d->itemsFromVariants(TScriptValue::toPlain(iValues).toList());
    d->insertItems(0, newItems);
    return newItems;
}

QList<TTableItem *> TTableModel::insertRows(int iRow, QVariantList iValues)
{
    const QList<TTableItem *> newItems = d->itemsFromVariants(TScriptValue::toPlain(iValues).toList());
    d->insertItems(iRow, newItems);
    return newItems;
}

void TTableModel::appendRows(const QList<TTableItem *> &iItems) { d->insertItems(d->items.size(), iItems); }

void TTableModel::prependRows(const QList<TTableItem *> &iItems) { d->insertItems(0, iItems); }

void TTableModel::insertRows(int iRow, const QList<TTableItem *> &iItems) { d->insertItems(iRow, iItems); }

TTableItem *TTableModel::addRowBefore(QVariant iValue, QModelIndex iIndex)
{
    return insertRows(iIndex.row(), QVariantList {iValue}).value(0);
}

TTableItem *TTableModel::addRowAfter(QVariant iValue, QModelIndex iIndex)
{
    return insertRows(iIndex.row() + 1, QVariantList {iValue}).value(0);
}

QList<TTableItem *> TTableModel::addRowsBefore(QVariantList iValues, QModelIndex iIndex)
{
    return insertRows(iIndex.row(), iValues);
}

QList<TTableItem *> TTableModel::addRowsAfter(QVariantList iValues, QModelIndex iIndex)
{
    return insertRows(iIndex.row() + 1, iValues);
}

void TTableModel::addRowsBefore(const QList<TTableItem *> &iItems, const QModelIndex &iIndex)
{
    d->insertItems(iIndex.row(), iItems);
}

void TTableModel::addRowsAfter(const QList<TTableItem *> &iItems, const QModelIndex &iIndex)
{
    d->insertItems(iIndex.row() + 1, iItems);
}

bool TTableModel::removeRow(QModelIndex iIndex)
{
    if (!item(iIndex))
        return false;
    const int row = iIndex.row();
    beginRemoveRows(QModelIndex(), row, row);
    TTableItem *removed = d->items.takeAt(row);
    endRemoveRows();
    delete removed;
    return true;
}

bool TTableModel::removeRows(QModelIndexList iIndexes)
{
    QList<QPersistentModelIndex> persistent;
    persistent.reserve(iIndexes.size());
    for (const QModelIndex &rowIndex : qAsConst(iIndexes)) {
        if (item(rowIndex))
            persistent.append(rowIndex);
    }
    for (const QPersistentModelIndex &rowIndex : qAsConst(persistent)) {
        if (rowIndex.isValid())
            removeRow(index(rowIndex.row(), 0));
    }
    return true;
}

void TTableModel::clear()
{
    beginResetModel();
    const QList<TTableItem *> removed = d->items;
    d->items.clear();
    qDeleteAll(removed);
    endResetModel();
}

QVariantList TTableModel::rowDataList(QModelIndex iIndex)
{
    TTableItem *rowItem = item(iIndex);
    return rowItem ? rowItem->d->values.toList() : QVariantList();
}

QVariantMap TTableModelPrivate::rowMap(TTableItem *iItem, int iRow, const QString &iIndexKey,
                                       const QString &iVisibleKey) const
{
    if (!iItem || dataKeyList.isEmpty())
        return QVariantMap();
    QVariantMap map = TItemModelSupport::valueMap(iItem->d->values, dataKeyList);
    if (!iIndexKey.isEmpty())
        map.insert(iIndexKey, iRow >= 0 ? QString::number(iRow) : QString());
    if (!iVisibleKey.isEmpty())
        map.insert(iVisibleKey, iItem->d->visible ? 1 : 0);
    return map;
}

QVariantMap TTableModel::rowDataMap(QModelIndex iIndex, QString iIndexKey, QString iVisibleKey)
{
    TTableItem *rowItem = item(iIndex);
    return d->rowMap(rowItem, rowItem ? iIndex.row() : -1, iIndexKey, iVisibleKey);
}

QVariantMap TTableModel::rowDataMap(TTableItem *iItem, const QString &iIndexKey, const QString &iVisibleKey)
{
    if (!iItem)
        return QVariantMap();
    return d->rowMap(iItem, d->items.indexOf(iItem), iIndexKey, iVisibleKey);
}

QVariantList TTableModel::allDataMap(QString iIndexKey, QString iVisibleKey, bool iIncludeHidden)
{
    QVariantList result;
    result.reserve(d->items.size());
    for (int row = 0; row < d->items.size(); ++row) {
        TTableItem *rowItem = d->items.at(row);
        if (iIncludeHidden || rowItem->d->visible)
            result.append(d->rowMap(rowItem, row, iIndexKey, iVisibleKey));
    }
    return result;
}

QVariant TTableModel::rowPrimaryKey(QModelIndex iIndex)
{
    TTableItem *rowItem = item(iIndex);
    const int position = d->dataKeyList.indexOf(d->primaryKey);
    if (!rowItem || position < 0)
        return QVariant();
    return rowItem->d->values.value(position);
}

QVariantList TTableModel::allPrimaryKey(bool iIncludeHidden)
{
    const int position = d->dataKeyList.indexOf(d->primaryKey);
    QVariantList result;
    result.reserve(d->items.size());
    for (TTableItem *rowItem : qAsConst(d->items)) {
        if (iIncludeHidden || rowItem->d->visible)
            result.append(rowItem->d->values.value(position));
    }
    return result;
}

void TTableModelPrivate::emitRowChanged(int iRow)
{
    Q_Q(TTableModel);
    const int columns = q->columnCount();
    if (columns > 0)
        Q_EMIT q->dataChanged(q->index(iRow, 0), q->index(iRow, columns - 1));
}

void TTableModel::setRowData(QModelIndex iIndex, QVariant iRowData, bool iReset)
{
    TTableItem *rowItem = item(iIndex);
    if (!rowItem)
        return;
    const QVariant rowData = TScriptValue::toPlain(iRowData);
    if (iReset) {
        rowItem->d->values = TItemModelSupport::rowVector(rowData, d->dataKeyList);
    } else if (rowData.userType() == QMetaType::QVariantMap) {
        const QVariantMap map = rowData.toMap();
        for (auto it = map.cbegin(); it != map.cend(); ++it)
            rowItem->setData(d->dataKeyList.indexOf(it.key()), it.value());
    }
    d->emitRowChanged(iIndex.row());
}

void TTableModel::setRowKeyValue(QModelIndex iIndex, QString iKey, QVariant iValue, bool iEmitChange)
{
    TTableItem *rowItem = item(iIndex);
    if (!rowItem)
        return;
    const int position = d->dataKeyList.indexOf(iKey);
    if (position < 0 || position >= rowItem->d->values.size())
        return;
    rowItem->d->values[position] = TScriptValue::toPlain(iValue);
    if (iEmitChange)
        d->emitRowChanged(iIndex.row());
}

bool TTableModel::foreachItem(const ForeachFunction &iFunction, const QVariantList &iArgs, QVariantList *oOut)
{
    if (d->items.isEmpty() || !iFunction)
        return false;
    for (int row = 0; row < d->items.size(); ++row) {
        if (iFunction(index(row, 0), this, iArgs, oOut))
            return true;
    }
    return false;
}

// --- visibility and search --------------------------------------------------

void TTableModel::setRowVisible(QModelIndex iIndex, bool iVisible)
{
    TTableItem *rowItem = item(iIndex);
    if (!rowItem)
        return;
    rowItem->d->visible = iVisible;
    Q_EMIT rowVisibleChanged(createIndex(iIndex.row(), 0, rowItem), iVisible);
}

void TTableModel::setRowsVisible(QModelIndexList iIndexes, bool iVisible)
{
    for (const QModelIndex &rowIndex : qAsConst(iIndexes))
        setRowVisible(rowIndex, iVisible);
}

void TTableModel::setAllRowsVisible(bool iVisible)
{
    for (int row = 0; row < d->items.size(); ++row) {
        TTableItem *rowItem = d->items.at(row);
        rowItem->d->visible = iVisible;
        Q_EMIT rowVisibleChanged(createIndex(row, 0, rowItem), iVisible);
    }
}

void TTableModel::refreshRowVisible()
{
    for (int row = 0; row < d->items.size(); ++row) {
        TTableItem *rowItem = d->items.at(row);
        Q_EMIT rowVisibleChanged(createIndex(row, 0, rowItem), rowItem->d->visible);
    }
}

void TTableModelPrivate::applyFilter(const QVector<bool> &iMatches, int iFilter)
{
    Q_Q(TTableModel);
    if (iFilter == 0)
        return;
    for (int row = 0; row < items.size(); ++row) {
        TTableItem *rowItem = items.at(row);
        rowItem->d->visible = iMatches.at(row);
        Q_EMIT q->rowVisibleChanged(q->createIndex(row, 0, rowItem), rowItem->d->visible);
    }
}

QModelIndex TTableModel::findRow(QVariant iValue, QString iKey)
{
    const int position = d->dataKeyList.indexOf(iKey.isEmpty() ? d->primaryKey : iKey);
    if (position < 0)
        return QModelIndex();
    const QVariant value = TScriptValue::toPlain(iValue);
    for (int row = 0; row < d->items.size(); ++row) {
        if (d->items.at(row)->d->values.value(position) == value)
            return index(row, 0);
    }
    return QModelIndex();
}

QModelIndexList TTableModel::findRows(QVariant iValue, QString iKey, int iFilter)
{
    return findRows(QVariantList {TScriptValue::toPlain(iValue)}, iKey, iFilter);
}

QModelIndexList TTableModel::findRows(QVariantList iValues, QString iKey, int iFilter)
{
    QModelIndexList result;
    const int position = d->dataKeyList.indexOf(iKey.isEmpty() ? d->primaryKey : iKey);
    if (position < 0)
        return result;
    const QVariantList values = TScriptValue::toPlain(iValues).toList();
    QVector<bool> matches(d->items.size());
    for (int row = 0; row < d->items.size(); ++row) {
        matches[row] = values.contains(d->items.at(row)->d->values.value(position));
        if (matches.at(row))
            result.append(index(row, 0));
    }
    d->applyFilter(matches, iFilter);
    return result;
}

QModelIndexList TTableModel::findRows(QRegExp iExpression, QStringList iKeys, int iFilter)
{
    QModelIndexList result;
    const QVector<int> positions = TItemModelSupport::keyPositions(iKeys, d->dataKeyList, d->primaryKey);
    if (positions.isEmpty())
        return result;
    QVector<bool> matches(d->items.size());
    for (int row = 0; row < d->items.size(); ++row) {
        matches[row] = TItemModelSupport::matchesAny(iExpression, d->items.at(row)->d->values, positions);
        if (matches.at(row))
            result.append(index(row, 0));
    }
    d->applyFilter(matches, iFilter);
    return result;
}

// --- moves -------------------------------------------------------------------

QList<QPersistentModelIndex> TTableModelPrivate::chosenRows(const QModelIndexList &iIndexes) const
{
    Q_Q(const TTableModel);
    QVector<int> rows;
    for (const QModelIndex &rowIndex : iIndexes) {
        if (q->item(rowIndex))
            rows.append(rowIndex.row());
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    QList<QPersistentModelIndex> result;
    result.reserve(rows.size());
    for (int row : qAsConst(rows))
        result.append(QPersistentModelIndex(q->createIndex(row, 0, items.at(row))));
    return result;
}

void TTableModelPrivate::moveItem(int iFrom, int iTo)
{
    Q_Q(TTableModel);
    if (iFrom == iTo)
        return;
    // Qt names the row the moved one is placed before.
    if (!q->beginMoveRows(QModelIndex(), iFrom, iFrom, QModelIndex(), iTo > iFrom ? iTo + 1 : iTo))
        return;
    items.move(iFrom, iTo);
    q->endMoveRows();
}

void TTableModel::moveRowsUp(QModelIndexList iIndexes)
{
    const QList<QPersistentModelIndex> rows = d->chosenRows(iIndexes);
    if (rows.isEmpty())
        return;
    const int target = qMax(rows.first().row() - 1, 0);
    for (int i = rows.size() - 1; i >= 0; --i)
        d->moveItem(rows.at(i).row(), target);
}

void TTableModel::moveRowsDown(QModelIndexList iIndexes)
{
    const QList<QPersistentModelIndex> rows = d->chosenRows(iIndexes);
    if (rows.isEmpty())
        return;
    const int last = qMin(rows.last().row() + 2, d->items.size()) - 1;
    for (const QPersistentModelIndex &rowIndex : rows)
        d->moveItem(rowIndex.row(), last);
}

void TTableModel::moveRowsTop(QModelIndexList iIndexes)
{
    const QList<QPersistentModelIndex> rows = d->chosenRows(iIndexes);
    for (int i = rows.size() - 1; i >= 0; --i)
        d->moveItem(rows.at(i).row(), 0);
}

void TTableModel::moveRowsBottom(QModelIndexList iIndexes)
{
    const QList<QPersistentModelIndex> rows = d->chosenRows(iIndexes);
    for (const QPersistentModelIndex &rowIndex : rows)
        d->moveItem(rowIndex.row(), d->items.size() - 1);
}

// --- drag and drop -----------------------------------------------------------

int TTableModel::dragMode() { return d->dragMode; }

void TTableModel::setDragMode(int iMode) { d->dragMode = iMode; }

Qt::DropActions TTableModel::supportedDropActions() const
{
    return d->dragMode == 1 ? Qt::MoveAction : QAbstractItemModel::supportedDropActions();
}

QStringList TTableModel::mimeTypes() const { return QStringList {QLatin1String(dragMimeType)}; }

QMimeData *TTableModel::mimeData(const QModelIndexList &iIndexes) const
{
    if (iIndexes.isEmpty())
        return nullptr;
    QByteArray payload;
    QDataStream stream(&payload, QIODevice::WriteOnly);
    stream << qint32(iIndexes.first().row());
    auto *mime = new QMimeData;
    mime->setData(QLatin1String(dragMimeType), payload);
    return mime;
}

bool TTableModel::dropMimeData(const QMimeData *iData, Qt::DropAction iAction, int iRow, int iColumn,
                               const QModelIndex &iParent)
{
    Q_UNUSED(iColumn)
    if (iAction != Qt::MoveAction)
        return true;
    if (!iData || !iData->hasFormat(QLatin1String(dragMimeType)) || iRow < -1)
        return false;
    const QByteArray payload = iData->data(QLatin1String(dragMimeType));
    QDataStream stream(payload);
    qint32 source = -1;
    stream >> source;
    if (stream.status() != QDataStream::Ok || source < 0 || source >= d->items.size())
        return false;
    int target = iRow;
    if (iRow == -1)
        target = iParent.isValid() ? iParent.row() : d->items.size();
    target = qMin(target, d->items.size());
    if (target != source && target != source + 1)
        d->moveItem(source, target > source ? target - 1 : target);
    return true;
}
