#include "ttreemodel.h"
#include "ttreemodel_p.h"

#include "titemdatarole.h"
#include "titemdatarole_p.h"
#include "tlogger.h"
#include "tscriptvalue.h"
#include "tuiutil.h"

#include <QDataStream>
#include <QDebug>
#include <QMap>
#include <QMimeData>
#include <QRandomGenerator>

#include <algorithm>
#include <limits>

namespace {

const char dragMimeType[] = "application/vek.tmodel_drag";
// The "flags" role, whose column key "flagsRole" gives a cell's item flags.
const int flagsRole = Qt::UserRole + 6;
// Drag identities still answered; older ones are forgotten.
const int dragRegistryLimit = 32;
const QString defaultChildKey = QStringLiteral("CHILDREN");

// Identities are unique across the models of the process, and start at a
// random place so that a payload from another process is unlikely to name
// any row here.
qint32 nextDragId()
{
    static qint32 next = qint32(QRandomGenerator::global()->bounded(1, 1 << 30));
    const qint32 id = next;
    next = next == std::numeric_limits<qint32>::max() ? 1 : next + 1;
    return id;
}

} // namespace

// --- private helpers ----------------------------------------------------------

TTreeModelPrivate::TTreeModelPrivate(TTreeModel *iPublic)
    : rootItem(new TTreeItem)
    , q_ptr(iPublic)
{
    adopt(rootItem);
}

TTreeModelPrivate::~TTreeModelPrivate() { delete rootItem; }

void TTreeModelPrivate::adopt(TTreeItem *iNode) const
{
    TTreeItemPrivate *node = iNode->d.get();
    if (node->owner == this)
        return;
    // A node taken over from another model's tree leaves that model's registry.
    if (node->owner)
        node->owner->forget(iNode);
    quint32 slot;
    if (freeSlots.empty()) {
        slot = quint32(nodeSlots.size());
        nodeSlots.push_back(NodeSlot {iNode, 0});
    } else {
        slot = freeSlots.back();
        freeSlots.pop_back();
        nodeSlots[slot].node = iNode;
    }
    node->owner = const_cast<TTreeModelPrivate *>(this);
    node->handle = handleOf(slot, nodeSlots[slot].generation);
    liveNodes.insert(iNode);
}

void TTreeModelPrivate::adoptTree(TTreeItem *iTop) const
{
    if (!iTop)
        return;
    adopt(iTop);
    walkBelow(iTop, [this](TTreeItem *iChild) {
        adopt(iChild);
        return Walk::Descend;
    });
}

void TTreeModelPrivate::forget(TTreeItem *iNode)
{
    TTreeItemPrivate *node = iNode->d.get();
    const quint32 slot = slotOf(node->handle);
    if (slot < nodeSlots.size() && nodeSlots[slot].node == iNode) {
        nodeSlots[slot].node = nullptr;
        ++nodeSlots[slot].generation;
        freeSlots.push_back(slot);
    }
    liveNodes.remove(iNode);
    node->owner = nullptr;
    node->handle = 0;
}

QModelIndex TTreeModelPrivate::indexOf(TTreeItem *iItem, int iColumn) const
{
    Q_Q(const TTreeModel);
    if (!iItem || iItem == rootItem)
        return QModelIndex();
    const int row = iItem->row();
    if (row < 0)
        return QModelIndex();
    if (Q_UNLIKELY(iItem->d->owner != this))
        adopt(iItem);
    return q->createIndex(row, iColumn, iItem->d->handle);
}

template<typename Visit>
bool TTreeModelPrivate::walkBelow(TTreeItem *iStart, Visit iVisit)
{
    if (!iStart)
        return false;
    struct Frame
    {
        TTreeItem *node;
        int next;
    };
    QVector<Frame> stack;
    stack.append(Frame {iStart, 0});
    while (!stack.isEmpty()) {
        Frame &top = stack.last();
        const QList<TTreeItem *> &children = top.node->d->children;
        if (top.next >= children.size()) {
            stack.removeLast();
            continue;
        }
        TTreeItem *child = children.at(top.next++);
        if (!child)
            continue;
        const Walk step = iVisit(child);
        if (step == Walk::Stop)
            return true;
        if (step == Walk::Descend && !child->d->children.isEmpty())
            stack.append(Frame {child, 0});
    }
    return false;
}

void TTreeModelPrivate::renumber(TTreeItem *iParent, int iFrom, int iTo)
{
    QList<TTreeItem *> &children = iParent->d->children;
    const int last = qMin(iTo, children.size() - 1);
    for (int row = qMax(iFrom, 0); row <= last; ++row) {
        if (TTreeItem *child = children.at(row))
            child->d->rowHint = row;
    }
}

TTreeItem *TTreeModelPrivate::newNode(const QVariant &iValue)
{
    // Built in place: the row's values are not made twice.
    auto *node = new TTreeItem;
    TTreeItemPrivate *fields = node->d.get();
    fields->values = TItemModelSupport::rowVector(TScriptValue::toPlain(iValue), dataKeyList);
    fields->expanded = TItemModelSupport::rowFlag(fields->values, dataKeyList, expandedKey);
    fields->visible = TItemModelSupport::rowFlag(fields->values, dataKeyList, visibleKey);
    return node;
}

QList<TTreeItem *> TTreeModelPrivate::itemsFromVariants(const QVariantList &iValues)
{
    Q_Q(TTreeModel);
    QList<TTreeItem *> result;
    result.reserve(iValues.size());
    for (const QVariant &value : iValues)
        result.append(q->itemFromVariant(value, defaultChildKey));
    return result;
}

void TTreeModelPrivate::insertItems(TTreeItem *iParent, int iRow, const QList<TTreeItem *> &iItems)
{
    Q_Q(TTreeModel);
    if (!iParent)
        return;
    // A node that already has a parent belongs to a tree (also one listed
    // twice here): taking it again would give it two owners.
    QList<TTreeItem *> newItems;
    newItems.reserve(iItems.size());
    for (TTreeItem *newItem : iItems) {
        if (!newItem || newItem->d->parent || newItem == rootItem)
            continue;
        newItem->d->parent = iParent;
        newItems.append(newItem);
    }
    if (newItems.isEmpty())
        return;
    SkipSorting skip(skipSortingBol);
    QList<TTreeItem *> &children = iParent->d->children;
    const int row = qBound(0, iRow, children.size());
    q->beginInsertRows(indexOf(iParent), row, row + newItems.size() - 1);
    if (row == children.size()) {
        children.append(newItems);
    } else {
        // One pass over the children, however many rows go in.
        QList<TTreeItem *> merged;
        merged.reserve(children.size() + newItems.size());
        merged.append(children.mid(0, row));
        merged.append(newItems);
        merged.append(children.mid(row));
        children.swap(merged);
    }
    renumber(iParent, row, children.size() - 1);
    for (TTreeItem *newItem : qAsConst(newItems))
        adoptTree(newItem);
    q->endInsertRows();
}

void TTreeModelPrivate::replaceRoot(TTreeItem *iRoot)
{
    Q_Q(TTreeModel);
    if (iRoot && iRoot->d->owner && iRoot->d->owner != this) {
        // Two models would free the same nodes.
        VEK_LOG(QStringLiteral("TTreeModel::setRootItem: the node belongs to another model's tree; refused"), "error",
                0);
        return;
    }
    SkipSorting skip(skipSortingBol);
    if (iRoot && iRoot->d->parent) {
        // A node of some tree becomes a root: its old parent lets go of it, so
        // that freeing that tree does not free the new one.
        TTreeItem *oldParent = iRoot->d->parent;
        const int row = iRoot->row();
        if (row >= 0) {
            oldParent->d->children.removeAt(row);
            renumber(oldParent, row, oldParent->d->children.size() - 1);
        }
        iRoot->d->parent = nullptr;
    }
    TTreeItem *oldRoot = rootItem;
    q->beginResetModel();
    rootItem = iRoot ? iRoot : new TTreeItem;
    adoptTree(rootItem);
    dragRegistry.clear();
    q->endResetModel();
    // Freed only now: views let go of every index during the reset.
    if (oldRoot != rootItem)
        delete oldRoot;
}

QString TTreeModelPrivate::pathOf(TTreeItem *iItem) const
{
    QStringList parts;
    for (TTreeItem *node = iItem; node && node != rootItem; node = node->d->parent)
        parts.prepend(QString::number(node->row() + 1));
    return parts.join(QLatin1Char('.'));
}

QVariantMap TTreeModelPrivate::rowMap(TTreeItem *iItem, const QString &iIndexKey) const
{
    if (!iItem || iItem == rootItem || dataKeyList.isEmpty())
        return QVariantMap();
    QVariantMap map = TItemModelSupport::valueMap(iItem->d->values, dataKeyList);
    if (!iIndexKey.isEmpty())
        map.insert(iIndexKey, pathOf(iItem));
    if (!visibleKey.isEmpty())
        map.insert(visibleKey, iItem->d->visible);
    if (!expandedKey.isEmpty())
        map.insert(expandedKey, iItem->d->expanded);
    return map;
}

void TTreeModelPrivate::emitRowChanged(TTreeItem *iItem)
{
    Q_Q(TTreeModel);
    const int columns = q->columnCount();
    const QModelIndex first = indexOf(iItem);
    if (columns > 0 && first.isValid())
        Q_EMIT q->dataChanged(first, first.sibling(first.row(), columns - 1));
}

void TTreeModelPrivate::setExpanded(TTreeItem *iItem, bool iExpanded)
{
    Q_Q(TTreeModel);
    const QModelIndex itemIndex = indexOf(iItem);
    if (!itemIndex.isValid())
        return;
    iItem->d->expanded = iExpanded;
    Q_EMIT q->rowExpandedChanged(itemIndex, iExpanded);
}

void TTreeModelPrivate::setVisible(TTreeItem *iItem, bool iVisible)
{
    Q_Q(TTreeModel);
    const QModelIndex itemIndex = indexOf(iItem);
    if (!itemIndex.isValid())
        return;
    iItem->d->visible = iVisible;
    Q_EMIT q->rowVisibleChanged(itemIndex, iVisible);
}

void TTreeModelPrivate::syncParentItemShow(TTreeItem *iItem, int iMode)
{
    if (!iItem)
        return;
    int mode = iMode;
    for (TTreeItem *ancestor = iItem->d->parent; ancestor && ancestor != rootItem; ancestor = ancestor->d->parent) {
        if (mode >= 1 && !ancestor->d->visible)
            setVisible(ancestor, true);
        if (mode >= 2 && !ancestor->d->expanded)
            setExpanded(ancestor, true);
        // Above the direct parent, ancestors are only shown, never expanded.
        mode = 1;
    }
}

void TTreeModelPrivate::syncChildCheck(TTreeItem *iItem, int iPosition, int iColumn)
{
    Q_Q(TTreeModel);
    const int state = iItem->d->values.value(iPosition).toInt();
    walkBelow(iItem, [&](TTreeItem *iChild) {
        TRowValues &values = iChild->d->values;
        if (iPosition < values.size() && values.at(iPosition).toInt() != state) {
            values[iPosition] = state;
            const QModelIndex cell = indexOf(iChild, iColumn);
            Q_EMIT q->dataChanged(cell, cell);
        }
        return Walk::Descend;
    });
}

void TTreeModelPrivate::syncParentCheck(TTreeItem *iItem, int iPosition, int iColumn)
{
    Q_Q(TTreeModel);
    for (TTreeItem *node = iItem; node && node->d->parent; node = node->d->parent) {
        TTreeItem *parentNode = node->d->parent;
        if (parentNode == rootItem)
            return;
        QVector<int> found;
        for (TTreeItem *sibling : qAsConst(parentNode->d->children)) {
            if (!sibling)
                continue;
            const int state = sibling->d->values.value(iPosition).toInt();
            if (!found.contains(state))
                found.append(state);
            if (found.size() == 2)
                break;
        }
        const int state = found.size() == 1 ? found.first() : -1;
        TRowValues &values = parentNode->d->values;
        if (iPosition < values.size() && values.at(iPosition).toInt() != state) {
            values[iPosition] = state;
            const QModelIndex cell = indexOf(parentNode, iColumn);
            Q_EMIT q->dataChanged(cell, cell);
        }
    }
}

void TTreeModelPrivate::restoreRows(const QVariantMap &iStates, const QModelIndex &iParent, bool iExpanded)
{
    const int position = dataKeyList.indexOf(primaryKey);
    TTreeItem *start = nodeOf(iParent);
    if (dataKeyList.isEmpty() || position < 0 || !start)
        return;
    walkBelow(start, [&](TTreeItem *iChild) {
        const QString key = iChild->d->values.value(position).toString();
        const auto found = iStates.constFind(key);
        if (found != iStates.constEnd()) {
            if (iExpanded)
                setExpanded(iChild, found.value().toBool());
            else
                setVisible(iChild, found.value().toBool());
        }
        return Walk::Descend;
    });
}

template<typename Match>
QModelIndexList TTreeModelPrivate::findMatches(const QModelIndex &iParent, Match iMatch, int iFilter)
{
    QModelIndexList result;
    TTreeItem *start = nodeOf(iParent);
    if (!start)
        return result;
    // A parent is handled before its children: one that does not match is
    // hidden first and shown again when a descendant matches.
    walkBelow(start, [&](TTreeItem *iChild) {
        const bool match = iMatch(iChild);
        if (match)
            result.append(indexOf(iChild));
        if (iFilter != 0) {
            setVisible(iChild, match);
            if (match)
                syncParentItemShow(iChild, iFilter);
        }
        return Walk::Descend;
    });
    return result;
}

void TTreeModelPrivate::moveItem(TTreeItem *iParent, int iFrom, int iTo)
{
    Q_Q(TTreeModel);
    if (iFrom == iTo)
        return;
    const QModelIndex parentIndex = indexOf(iParent);
    // Qt names the row the moved one is placed before.
    if (!q->beginMoveRows(parentIndex, iFrom, iFrom, parentIndex, iTo > iFrom ? iTo + 1 : iTo))
        return;
    iParent->d->children.move(iFrom, iTo);
    renumber(iParent, qMin(iFrom, iTo), qMax(iFrom, iTo));
    q->endMoveRows();
}

void TTreeModelPrivate::moveRows(const QModelIndexList &iIndexes, MoveKind iKind)
{
    Q_Q(TTreeModel);
    if (iIndexes.isEmpty())
        return;
    TTreeItem *first = q->item(iIndexes.first());
    if (!first)
        return;
    TTreeItem *parentNode = first->d->parent;
    QVector<int> rows;
    for (const QModelIndex &rowIndex : iIndexes) {
        TTreeItem *node = q->item(rowIndex);
        if (!node || node->d->parent != parentNode)
            return;
        rows.append(node->row());
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    QList<QPersistentModelIndex> chosen;
    for (int row : qAsConst(rows))
        chosen.append(QPersistentModelIndex(indexOf(parentNode->d->children.at(row))));

    const int count = parentNode->d->children.size();
    switch (iKind) {
    case MoveUp:
    case MoveTop: {
        const int target = iKind == MoveTop ? 0 : qMax(rows.first() - 1, 0);
        for (int i = chosen.size() - 1; i >= 0; --i)
            moveItem(parentNode, chosen.at(i).row(), target);
        break;
    }
    case MoveDown:
    case MoveBottom: {
        const int target = iKind == MoveBottom ? count : qMin(rows.last() + 2, count);
        for (const QPersistentModelIndex &rowIndex : qAsConst(chosen))
            moveItem(parentNode, rowIndex.row(), target - 1);
        break;
    }
    }
}

// --- item model -----------------------------------------------------------------

TTreeModel::TTreeModel(QObject *iParent)
    : QAbstractItemModel(iParent)
    , d(new TTreeModelPrivate(this))
{
    qRegisterMetaType<TTreeItem *>("TTreeItem*");
    qRegisterMetaType<QList<TTreeItem *>>("QList<TTreeItem*>");
}

TTreeModel::~TTreeModel() = default;

QModelIndex TTreeModel::index(int iRow, int iColumn, const QModelIndex &iParent) const
{
    if (iRow < 0 || iColumn < 0 || iColumn >= d->headerItem.size() || iParent.column() > 0)
        return QModelIndex();
    TTreeItem *parentNode = d->nodeOf(iParent);
    if (!parentNode)
        return QModelIndex();
    const QList<TTreeItem *> &children = parentNode->d->children;
    if (iRow >= children.size())
        return QModelIndex();
    TTreeItem *child = children.at(iRow);
    if (!child)
        return QModelIndex();
    TTreeItemPrivate *node = child->d.get();
    // A node put under a parent by hand, past the model, is entered on first sight.
    if (Q_UNLIKELY(node->owner != d.get()))
        d->adopt(child);
    node->rowHint = iRow;
    return createIndex(iRow, iColumn, node->handle);
}

QModelIndex TTreeModel::index(TTreeItem *iItem) const
{
    // Only a node of this model's tree has an index here; a pointer the
    // model does not know is not read.
    if (!d->isLive(iItem))
        return QModelIndex();
    return d->indexOf(iItem);
}

QModelIndex TTreeModel::parent(const QModelIndex &iIndex) const
{
    TTreeModelPrivate::SkipSorting skip(d->skipSortingBol);
    TTreeItem *node = item(iIndex);
    if (!node)
        return QModelIndex();
    return d->indexOf(node->d->parent);
}

int TTreeModel::rowCount(const QModelIndex &iParent) const
{
    if (iParent.column() > 0)
        return 0;
    TTreeItem *parentNode = d->nodeOf(iParent);
    return parentNode ? parentNode->d->children.size() : 0;
}

int TTreeModel::columnCount(const QModelIndex &iParent) const
{
    Q_UNUSED(iParent)
    return d->headerItem.size();
}

TTreeItem *TTreeModel::item(const QModelIndex &iIndex) const { return d->liveNode(iIndex); }

TTreeItem *TTreeModel::rootItem() const { return d->rootItem; }

void TTreeModel::setRootItem(TTreeItem *iRoot) { d->replaceRoot(iRoot); }

void TTreeModel::clear() { d->replaceRoot(nullptr); }

QVariant TTreeModel::data(const QModelIndex &iIndex, int iRole) const
{
    TTreeItem *node = d->liveNode(iIndex);
    if (!node)
        return QVariant();
    const TCellRules::Rule &rule = d->cellRule(iIndex.column(), iRole);
    if (rule.direct)
        return TCellRules::directValue(rule, node->d->values);
    if (rule.kind == TCellRules::Rule::Missing)
        return QVariant();
    return roleDataConvert(iRole, TCellRules::resolve(rule, node->d->values, iIndex, iRole, node, d->dataCallback));
}

bool TTreeModel::setData(const QModelIndex &iIndex, const QVariant &iValue, int iRole)
{
    if (iRole != Qt::EditRole && iRole != Qt::CheckStateRole)
        return false;
    TTreeItem *node = item(iIndex);
    if (!node)
        return false;
    const int position = TCellRules::writablePosition(d->cellRule(iIndex.column(), iRole), node->d->values);
    if (position < 0)
        return false;
    node->d->values[position] = TCellRules::storedValue(iRole, TScriptValue::toPlain(iValue));
    if (iRole == Qt::EditRole) {
        Q_EMIT dataChanged(iIndex, iIndex);
        return true;
    }
    if (d->headerItem.at(iIndex.column()).toMap().value(QStringLiteral("checkStateSync")).toBool()) {
        d->syncChildCheck(node, position, iIndex.column());
        d->syncParentCheck(node, position, iIndex.column());
    }
    Q_EMIT rowCheckStateChanged(iIndex);
    Q_EMIT dataChanged(iIndex, iIndex);
    return true;
}

QVariant TTreeModel::headerData(int iSection, Qt::Orientation iOrientation, int iRole) const
{
    if (iOrientation != Qt::Horizontal || iSection < 0 || iSection >= d->headerItem.size())
        return QVariant();
    return roleDataConvert(iRole, d->headerItem.at(iSection).toMap().value(TItemDataRole::key(iRole)));
}

Qt::ItemFlags TTreeModel::flags(const QModelIndex &iIndex) const
{
    TTreeItem *node = item(iIndex);
    if (!node)
        return d->dragMode == 1 ? Qt::ItemIsDropEnabled : Qt::NoItemFlags;
    Qt::ItemFlags result = TCellRules::flags(d->cellRule(iIndex.column(), flagsRole), node->d->values,
                                             QAbstractItemModel::flags(iIndex));
    if (d->dragMode == 1)
        result |= Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;
    return result;
}

QVariant TTreeModel::roleDataConvert(int iRole, const QVariant &iValue) const
{
    return TItemDataRolePrivate::convert(iRole, iValue);
}

Qt::Alignment TTreeModel::str2alignment(const QString &iText) { return TUiUtil::str2alignment(iText); }

void TTreeModel::setDataCallback(const DataCallback &iCallback) { d->dataCallback = iCallback; }

bool TTreeModel::skipSortingBol() const { return d->skipSortingBol; }

void TTreeModel::setSkipSortingBol(bool iSkip) { d->skipSortingBol = iSkip; }

// --- columns ----------------------------------------------------------------------

void TTreeModel::setHeaderItem(const QVariantList &iList)
{
    const QVariantList list = TScriptValue::toPlain(iList).toList();
    const int oldCount = d->headerItem.size();
    const int newCount = list.size();
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
    // Only columns that exist now can have changed headers.
    if (newCount > 0)
        Q_EMIT headerDataChanged(Qt::Horizontal, 0, newCount - 1);
    for (int column = 0; column < newCount; ++column)
        Q_EMIT columnStateChanged(column, list.at(column).toMap(), true);
}

QVariantList TTreeModel::headerItem() const { return d->headerItem; }

int TTreeModel::columnNumber(const QString &iName) const
{
    return TItemModelSupport::namedElement(d->headerItem, iName, 0);
}

QString TTreeModel::columnName(int iColumn) const { return TItemModelSupport::elementName(d->headerItem, iColumn); }

void TTreeModel::setColumnVisible(const QString &iName, bool iVisible)
{
    setColumnVisible(columnNumber(iName), iVisible);
}

void TTreeModel::setColumnVisible(int iColumn, bool iVisible)
{
    Q_EMIT columnStateChanged(iColumn, QVariantMap {{QStringLiteral("visible"), iVisible}}, false);
}

void TTreeModel::setColumnsVisible(const QMap<QString, bool> &iVisibles)
{
    for (auto it = iVisibles.cbegin(); it != iVisibles.cend(); ++it)
        setColumnVisible(it.key(), it.value());
}

// --- keys and loading ---------------------------------------------------------------

QStringList TTreeModel::dataKeyList() const { return d->dataKeyList; }

void TTreeModel::setDataKeyList(const QStringList &iKeys)
{
    d->dataKeyList = iKeys;
    d->primaryKey = TItemModelSupport::primaryKeyFor(iKeys, d->primaryKey);
    d->cellRules.invalidate();
}

QString TTreeModel::primaryKey() const { return d->primaryKey; }

void TTreeModel::setPrimaryKey(const QString &iKey) { d->primaryKey = iKey; }

QString TTreeModel::expandedKey() const { return d->expandedKey; }

void TTreeModel::setExpandedKey(const QString &iKey) { d->expandedKey = iKey; }

QString TTreeModel::visibleKey() const { return d->visibleKey; }

void TTreeModel::setVisibleKey(const QString &iKey) { d->visibleKey = iKey; }

QVariantList TTreeModel::variantToItemDataList(const QVariant &iValue, bool *oExpanded, bool *oVisible)
{
    const QVariantList row = TItemModelSupport::rowValues(TScriptValue::toPlain(iValue), d->dataKeyList);
    if (oExpanded)
        *oExpanded = TItemModelSupport::rowFlag(row, d->dataKeyList, d->expandedKey);
    if (oVisible)
        *oVisible = TItemModelSupport::rowFlag(row, d->dataKeyList, d->visibleKey);
    return row;
}

TTreeItem *TTreeModel::itemFromVariant(const QVariant &iValue, const QString &iChildKey)
{
    const QVariant value = TScriptValue::toPlain(iValue);
    TTreeItem *top = d->newNode(value);
    if (iChildKey.isEmpty())
        return top;
    // Children are built without recursion: data nested as deep as it is long
    // must not exhaust the stack.
    struct Frame
    {
        TTreeItem *node;
        QVariantList children;
        int next;
    };
    const auto childrenOf = [&](const QVariant &iRow) {
        if (iRow.userType() != QMetaType::QVariantMap)
            return QVariantList();
        const QVariantMap map = iRow.toMap();
        const auto found = map.constFind(iChildKey);
        return found == map.constEnd() ? QVariantList() : found.value().toList();
    };
    QVector<Frame> stack;
    stack.append(Frame {top, childrenOf(value), 0});
    while (!stack.isEmpty()) {
        Frame &frame = stack.last();
        if (frame.next >= frame.children.size()) {
            stack.removeLast();
            continue;
        }
        const QVariant row = frame.children.at(frame.next++);
        TTreeItem *child = d->newNode(row);
        child->d->parent = frame.node;
        child->d->rowHint = frame.node->d->children.size();
        frame.node->d->children.append(child);
        QVariantList grandChildren = childrenOf(row);
        if (!grandChildren.isEmpty())
            stack.append(Frame {child, grandChildren, 0});
    }
    return top;
}

void TTreeModel::loadTreeData(const QVariantList &iRows, const QString &iChildKey)
{
    clear();
    const QVariantList rows = TScriptValue::toPlain(iRows).toList();
    QList<TTreeItem *> items;
    items.reserve(rows.size());
    for (const QVariant &row : rows)
        items.append(itemFromVariant(row, iChildKey));
    appendRows(items);
    refreshRowVisible();
    refreshRowExpanded();
}

QList<TTreeItem *> TTreeModel::itemsFromFlattenData(const QVariantList &iRows, const QString &iIndexKey)
{
    QList<TTreeItem *> result;
    const QVariantList rows = TScriptValue::toPlain(iRows).toList();
    if (rows.isEmpty())
        return result;
    const int indexPosition = d->dataKeyList.indexOf(iIndexKey);

    // Sort keys: every part of the path left-padded to fifteen digits, so that
    // plain text order is numeric order and a row comes before its descendants.
    QMap<QString, int> order;
    for (int i = 0; i < rows.size(); ++i) {
        const QVariant &row = rows.at(i);
        const int type = row.userType();
        QString key;
        if (type == QMetaType::QVariantMap || type == QMetaType::QVariantList || type == QMetaType::QStringList) {
            QString text;
            if (type == QMetaType::QVariantMap)
                text = row.toMap().value(iIndexKey).toString();
            else if (indexPosition >= 0)
                text = row.toList().value(indexPosition).toString();
            QStringList parts = text.split(QLatin1Char('.'));
            for (QString &part : parts)
                part = part.rightJustified(15, QLatin1Char('0'));
            key = parts.join(QLatin1Char('.'));
        }
        order.insert(key, i);
    }

    const auto numbers = [](const QString &iKey) {
        QVector<qlonglong> parsed;
        if (iKey.isEmpty())
            return parsed;
        const QStringList parts = iKey.split(QLatin1Char('.'));
        parsed.reserve(parts.size());
        for (const QString &part : parts)
            parsed.append(part.toLongLong(nullptr, 10));
        return parsed;
    };

    QVector<qlonglong> path = numbers(order.firstKey());
    if (!path.isEmpty())
        path.removeLast();
    QVector<TTreeItem *> items(path.size(), nullptr);
    for (auto it = order.cbegin(); it != order.cend(); ++it) {
        QVector<qlonglong> parentPath = numbers(it.key());
        const qlonglong last = parentPath.isEmpty() ? 0 : parentPath.takeLast();
        if (path.size() < parentPath.size())
            continue;
        path.resize(parentPath.size());
        items.resize(parentPath.size());
        if (path != parentPath)
            continue;
        TTreeItem *node = itemFromVariant(rows.at(it.value()), defaultChildKey);
        TTreeItem *parentNode = items.isEmpty() ? nullptr : items.last();
        if (parentNode) {
            node->d->parent = parentNode;
            node->d->rowHint = parentNode->d->children.size();
            parentNode->d->children.append(node);
        } else {
            result.append(node);
        }
        path.append(last);
        items.append(node);
    }
    return result;
}

void TTreeModel::loadFlattenData(const QVariantList &iRows, const QString &iIndexKey)
{
    clear();
    appendRows(itemsFromFlattenData(iRows, iIndexKey));
    refreshRowVisible();
    refreshRowExpanded();
}

// --- export -------------------------------------------------------------------------

QVariantList TTreeModel::rowDataList(const QModelIndex &iIndex) const
{
    TTreeItem *node = item(iIndex);
    return node ? node->d->values.toList() : QVariantList();
}

QVariantMap TTreeModel::rowDataMap(const QModelIndex &iIndex, const QString &iIndexKey) const
{
    return d->rowMap(item(iIndex), iIndexKey);
}

QVariantList TTreeModel::childDataMap(const QModelIndex &iParent, const QString &iIndexKey, bool iIncludeHidden) const
{
    QVariantList result;
    TTreeItem *parentNode = d->nodeOf(iParent);
    if (!parentNode)
        return result;
    for (TTreeItem *child : qAsConst(parentNode->d->children)) {
        if (child && (iIncludeHidden || child->d->visible))
            result.append(d->rowMap(child, iIndexKey));
    }
    return result;
}

QVariantList TTreeModel::allDataMap(const QString &iChildKey, const QString &iIndexKey, bool iIncludeHidden,
                                    const QModelIndex &iParent) const
{
    TTreeItem *start = d->nodeOf(iParent);
    if (!start)
        return QVariantList();
    const auto shown = [&](TTreeItem *iNode) { return iIncludeHidden || iNode->d->visible; };
    if (iChildKey.isEmpty()) {
        QVariantList result;
        TTreeModelPrivate::walkBelow(start, [&](TTreeItem *iChild) {
            if (!shown(iChild))
                return TTreeModelPrivate::Walk::Skip;
            result.append(d->rowMap(iChild, iIndexKey));
            return TTreeModelPrivate::Walk::Descend;
        });
        return result;
    }
    // Nested export without recursion: each frame gathers its node's children
    // and hands its finished map to the frame below when done.
    struct Frame
    {
        TTreeItem *node;
        int next;
        QVariantMap map;
        QVariantList children;
    };
    QVector<Frame> stack;
    stack.append(Frame {start, 0, QVariantMap(), QVariantList()});
    for (;;) {
        Frame &top = stack.last();
        const QList<TTreeItem *> &children = top.node->d->children;
        if (top.next < children.size()) {
            TTreeItem *child = children.at(top.next++);
            if (child && shown(child))
                stack.append(Frame {child, 0, d->rowMap(child, iIndexKey), QVariantList()});
            continue;
        }
        Frame done = stack.takeLast();
        if (stack.isEmpty())
            return done.children;
        if (!done.children.isEmpty())
            done.map.insert(iChildKey, done.children);
        stack.last().children.append(done.map);
    }
}

QString TTreeModel::indexString(const QModelIndex &iIndex) const
{
    TTreeItem *node = item(iIndex);
    return node ? d->pathOf(node) : QString();
}

QVariant TTreeModel::rowPrimaryKey(const QModelIndex &iIndex) const
{
    TTreeItem *node = item(iIndex);
    const int position = d->dataKeyList.indexOf(d->primaryKey);
    if (!node || position < 0)
        return QVariant();
    return node->d->values.value(position);
}

// --- expansion and visibility ---------------------------------------------------

void TTreeModel::setRowExpanded(const QModelIndex &iIndex, bool iExpanded) { d->setExpanded(item(iIndex), iExpanded); }

void TTreeModel::setRowExpanded(TTreeItem *iItem, bool iExpanded)
{
    if (d->isLive(iItem))
        d->setExpanded(iItem, iExpanded);
}

void TTreeModel::setRowsExpanded(const QModelIndexList &iIndexes, bool iExpanded)
{
    for (const QModelIndex &rowIndex : iIndexes)
        setRowExpanded(rowIndex, iExpanded);
}

void TTreeModel::setRowVisible(const QModelIndex &iIndex, bool iVisible) { d->setVisible(item(iIndex), iVisible); }

void TTreeModel::setRowVisible(TTreeItem *iItem, bool iVisible)
{
    if (d->isLive(iItem))
        d->setVisible(iItem, iVisible);
}

void TTreeModel::setRowsVisible(const QModelIndexList &iIndexes, bool iVisible)
{
    for (const QModelIndex &rowIndex : iIndexes)
        setRowVisible(rowIndex, iVisible);
}

void TTreeModel::setRowAllParentExpanded(const QModelIndex &iIndex)
{
    if (TTreeItem *node = item(iIndex))
        setRowAllParentExpanded(node);
}

void TTreeModel::setRowAllParentExpanded(TTreeItem *iItem)
{
    if (!d->isLive(iItem))
        return;
    for (TTreeItem *ancestor = iItem->d->parent; ancestor && ancestor != d->rootItem; ancestor = ancestor->d->parent) {
        if (!ancestor->d->expanded)
            d->setExpanded(ancestor, true);
    }
}

void TTreeModel::setRowAllParentVisible(const QModelIndex &iIndex)
{
    if (TTreeItem *node = item(iIndex))
        setRowAllParentVisible(node);
}

void TTreeModel::setRowAllParentVisible(TTreeItem *iItem)
{
    if (!d->isLive(iItem))
        return;
    for (TTreeItem *ancestor = iItem->d->parent; ancestor && ancestor != d->rootItem; ancestor = ancestor->d->parent) {
        if (!ancestor->d->visible)
            d->setVisible(ancestor, true);
    }
}

void TTreeModel::refreshRowExpanded(TTreeItem *iStart)
{
    if (iStart && !d->isLive(iStart))
        return;
    TTreeModelPrivate::walkBelow(iStart ? iStart : d->rootItem, [&](TTreeItem *iChild) {
        Q_EMIT rowExpandedChanged(d->indexOf(iChild), iChild->d->expanded);
        return TTreeModelPrivate::Walk::Descend;
    });
}

void TTreeModel::refreshRowVisible(TTreeItem *iStart)
{
    if (iStart && !d->isLive(iStart))
        return;
    TTreeModelPrivate::walkBelow(iStart ? iStart : d->rootItem, [&](TTreeItem *iChild) {
        Q_EMIT rowVisibleChanged(d->indexOf(iChild), iChild->d->visible);
        return iChild->d->visible ? TTreeModelPrivate::Walk::Descend : TTreeModelPrivate::Walk::Skip;
    });
}

void TTreeModel::restoreRowsExpanded(const QVariantMap &iStates, const QModelIndex &iParent)
{
    d->restoreRows(TScriptValue::toPlain(iStates).toMap(), iParent, true);
}

void TTreeModel::restoreRowsVisible(const QVariantMap &iStates, const QModelIndex &iParent)
{
    d->restoreRows(TScriptValue::toPlain(iStates).toMap(), iParent, false);
}

void TTreeModel::syncParentItemVisible(int iMode, TTreeItem *iItem)
{
    if (iItem && !d->isLive(iItem))
        return;
    TTreeItem *parentNode = iItem ? iItem : d->rootItem;
    const QList<TTreeItem *> children = parentNode->d->children;
    for (TTreeItem *child : children) {
        if (child && child->d->visible)
            d->syncParentItemShow(child, iMode);
    }
}

// --- rows -----------------------------------------------------------------------------

TTreeItem *TTreeModel::appendRow(const QVariant &iValue, const QModelIndex &iParent)
{
    return appendRows(QVariantList {iValue}, iParent).value(0);
}

TTreeItem *TTreeModel::prependRow(const QVariant &iValue, const QModelIndex &iParent)
{
    return prependRows(QVariantList {iValue}, iParent).value(0);
}

QList<TTreeItem *> TTreeModel::appendRows(const QVariantList &iValues, const QModelIndex &iParent)
{
    TTreeItem *parentNode = d->nodeOf(iParent);
    if (!parentNode)
        return QList<TTreeItem *>();
    const QList<TTreeItem *> items = d->itemsFromVariants(TScriptValue::toPlain(iValues).toList());
    d->insertItems(parentNode, parentNode->d->children.size(), items);
    return items;
}

QList<TTreeItem *> TTreeModel::prependRows(const QVariantList &iValues, const QModelIndex &iParent)
{
    return insertRows(0, iValues, iParent);
}

void TTreeModel::appendRows(const QList<TTreeItem *> &iItems, const QModelIndex &iParent)
{
    if (TTreeItem *parentNode = d->nodeOf(iParent))
        d->insertItems(parentNode, parentNode->d->children.size(), iItems);
}

void TTreeModel::prependRows(const QList<TTreeItem *> &iItems, const QModelIndex &iParent)
{
    insertRows(0, iItems, iParent);
}

QList<TTreeItem *> TTreeModel::insertRows(int iRow, const QVariantList &iValues, const QModelIndex &iParent)
{
    TTreeItem *parentNode = d->nodeOf(iParent);
    if (!parentNode)
        return QList<TTreeItem *>();
    const QList<TTreeItem *> items = d->itemsFromVariants(TScriptValue::toPlain(iValues).toList());
    d->insertItems(parentNode, iRow, items);
    return items;
}

void TTreeModel::insertRows(int iRow, const QList<TTreeItem *> &iItems, const QModelIndex &iParent)
{
    if (TTreeItem *parentNode = d->nodeOf(iParent))
        d->insertItems(parentNode, iRow, iItems);
}

TTreeItem *TTreeModel::addRowBefore(const QVariant &iValue, const QModelIndex &iBefore)
{
    return addRowsBefore(QVariantList {iValue}, iBefore).value(0);
}

TTreeItem *TTreeModel::addRowAfter(const QVariant &iValue, const QModelIndex &iAfter)
{
    return addRowsAfter(QVariantList {iValue}, iAfter).value(0);
}

QList<TTreeItem *> TTreeModel::addRowsBefore(const QVariantList &iValues, const QModelIndex &iBefore)
{
    if (!iBefore.isValid())
        return insertRows(0, iValues);
    TTreeItem *node = item(iBefore);
    if (!node)
        return QList<TTreeItem *>();
    return insertRows(node->row(), iValues, d->indexOf(node->d->parent));
}

QList<TTreeItem *> TTreeModel::addRowsAfter(const QVariantList &iValues, const QModelIndex &iAfter)
{
    if (!iAfter.isValid())
        return insertRows(0, iValues);
    TTreeItem *node = item(iAfter);
    if (!node)
        return QList<TTreeItem *>();
    return insertRows(node->row() + 1, iValues, d->indexOf(node->d->parent));
}

void TTreeModel::addRowsBefore(const QList<TTreeItem *> &iItems, const QModelIndex &iBefore)
{
    TTreeItem *node = item(iBefore);
    if (!iBefore.isValid())
        insertRows(0, iItems);
    else if (node)
        insertRows(node->row(), iItems, d->indexOf(node->d->parent));
}

void TTreeModel::addRowsAfter(const QList<TTreeItem *> &iItems, const QModelIndex &iAfter)
{
    TTreeItem *node = item(iAfter);
    if (!iAfter.isValid())
        insertRows(0, iItems);
    else if (node)
        insertRows(node->row() + 1, iItems, d->indexOf(node->d->parent));
}

void TTreeModel::setRowData(const QModelIndex &iIndex, const QVariant &iValue, bool iReset)
{
    TTreeItem *node = item(iIndex);
    if (!node)
        return;
    const QVariant value = TScriptValue::toPlain(iValue);
    if (iReset) {
        node->d->values = TItemModelSupport::rowVector(value, d->dataKeyList);
    } else if (value.userType() == QMetaType::QVariantMap) {
        const QVariantMap map = value.toMap();
        for (auto it = map.cbegin(); it != map.cend(); ++it)
            setRowKeyValue(iIndex, it.key(), it.value(), true);
    }
    d->emitRowChanged(node);
}

void TTreeModel::setRowKeyValue(const QModelIndex &iIndex, const QString &iKey, const QVariant &iValue,
                                bool iEmitChange)
{
    TTreeItem *node = item(iIndex);
    const int position = d->dataKeyList.indexOf(iKey);
    if (!node || position < 0 || position >= node->d->values.size())
        return;
    node->d->values[position] = TScriptValue::toPlain(iValue);
    if (iEmitChange)
        d->emitRowChanged(node);
}

bool TTreeModel::removeRow(const QModelIndex &iIndex)
{
    TTreeItem *node = item(iIndex);
    if (!node)
        return false;
    TTreeItem *parentNode = node->d->parent;
    const int row = node->row();
    if (!parentNode || row < 0)
        return false;
    beginRemoveRows(d->indexOf(parentNode), row, row);
    parentNode->d->children.removeAt(row);
    TTreeModelPrivate::renumber(parentNode, row, parentNode->d->children.size() - 1);
    node->d->parent = nullptr;
    endRemoveRows();
    delete node;
    return true;
}

bool TTreeModel::removeRows(const QModelIndexList &iIndexes)
{
    QList<QPersistentModelIndex> persistent;
    persistent.reserve(iIndexes.size());
    for (const QModelIndex &rowIndex : iIndexes) {
        if (item(rowIndex))
            persistent.append(rowIndex);
    }
    for (const QPersistentModelIndex &rowIndex : qAsConst(persistent)) {
        if (rowIndex.isValid())
            removeRow(rowIndex);
    }
    return true;
}

void TTreeModel::moveRowsUp(const QModelIndexList &iIndexes) { d->moveRows(iIndexes, TTreeModelPrivate::MoveUp); }

void TTreeModel::moveRowsDown(const QModelIndexList &iIndexes) { d->moveRows(iIndexes, TTreeModelPrivate::MoveDown); }

void TTreeModel::moveRowsTop(const QModelIndexList &iIndexes) { d->moveRows(iIndexes, TTreeModelPrivate::MoveTop); }

void TTreeModel::moveRowsBottom(const QModelIndexList &iIndexes)
{
    d->moveRows(iIndexes, TTreeModelPrivate::MoveBottom);
}

// --- search and traversal -------------------------------------------------------

QModelIndex TTreeModel::findRow(const QVariant &iValue, const QString &iColumn, const QModelIndex &iParent)
{
    const int position = d->dataKeyList.indexOf(iColumn.isEmpty() ? d->primaryKey : iColumn);
    TTreeItem *start = d->nodeOf(iParent);
    if (position < 0 || !start)
        return QModelIndex();
    const QVariant value = TScriptValue::toPlain(iValue);
    TTreeItem *found = nullptr;
    TTreeModelPrivate::walkBelow(start, [&](TTreeItem *iChild) {
        if (iChild->d->values.value(position) != value)
            return TTreeModelPrivate::Walk::Descend;
        found = iChild;
        return TTreeModelPrivate::Walk::Stop;
    });
    return d->indexOf(found);
}

QModelIndexList TTreeModel::findRows(const QVariant &iValue, const QString &iColumn, int iFilter,
                                     const QModelIndex &iParent)
{
    const int position = d->dataKeyList.indexOf(iColumn.isEmpty() ? d->primaryKey : iColumn);
    if (position < 0)
        return QModelIndexList();
    const QVariant value = TScriptValue::toPlain(iValue);
    return d->findMatches(
            iParent, [&](TTreeItem *iNode) { return iNode->d->values.value(position) == value; }, iFilter);
}

QModelIndexList TTreeModel::findRows(const QVariantList &iValues, const QString &iColumn, int iFilter,
                                     const QModelIndex &iParent)
{
    const int position = d->dataKeyList.indexOf(iColumn.isEmpty() ? d->primaryKey : iColumn);
    if (position < 0)
        return QModelIndexList();
    const QVariantList values = TScriptValue::toPlain(iValues).toList();
    return d->findMatches(
            iParent, [&](TTreeItem *iNode) { return values.contains(iNode->d->values.value(position)); }, iFilter);
}

QModelIndexList TTreeModel::findRows(const QRegExp &iExpression, const QStringList &iColumns, int iFilter,
                                     const QModelIndex &iParent)
{
    const QVector<int> positions = TItemModelSupport::keyPositions(iColumns, d->dataKeyList, d->primaryKey);
    if (positions.isEmpty())
        return QModelIndexList();
    // Matching records its captures in the expression: the caller's stays untouched.
    const QRegExp expression = iExpression;
    return d->findMatches(
            iParent,
            [&](TTreeItem *iNode) { return TItemModelSupport::matchesAny(expression, iNode->d->values, positions); },
            iFilter);
}

QModelIndexList TTreeModel::allIndexs(const QModelIndex &iParent, bool iIncludeHidden) const
{
    QModelIndexList result;
    TTreeItem *start = d->nodeOf(iParent);
    TTreeModelPrivate::walkBelow(start, [&](TTreeItem *iChild) {
        // Hidden rows are left out among the direct children only.
        if (!iIncludeHidden && iChild->d->parent == start && !iChild->d->visible)
            return TTreeModelPrivate::Walk::Skip;
        result.append(d->indexOf(iChild));
        return TTreeModelPrivate::Walk::Descend;
    });
    return result;
}

QModelIndexList TTreeModel::childIndexs(const QModelIndex &iParent, bool iIncludeHidden) const
{
    QModelIndexList result;
    TTreeItem *parentNode = d->nodeOf(iParent);
    if (!parentNode)
        return result;
    const QList<TTreeItem *> &children = parentNode->d->children;
    for (int row = 0; row < children.size(); ++row) {
        TTreeItem *child = children.at(row);
        if (child && (iIncludeHidden || child->d->visible)) {
            child->d->rowHint = row;
            result.append(d->indexOf(child));
        }
    }
    return result;
}

bool TTreeModel::foreachItem(const ForeachFunction &iFunction, const QVariantList &iArgs, QVariantList *oResult,
                             TTreeItem *iStart)
{
    if (!iFunction)
        return false;
    // The callback may change the tree: frames hold persistent indexes, so a
    // removed node ends its part of the walk instead of being read after free.
    struct Frame
    {
        QPersistentModelIndex index;
        bool isRoot;
        int next;
    };
    QVector<Frame> stack;
    if (iStart && !d->isLive(iStart))
        return false;
    TTreeItem *start = iStart ? iStart : d->rootItem;
    if (start == d->rootItem)
        stack.append(Frame {QPersistentModelIndex(), true, 0});
    else if (d->indexOf(start).isValid())
        stack.append(Frame {QPersistentModelIndex(d->indexOf(start)), false, 0});
    while (!stack.isEmpty()) {
        Frame &top = stack.last();
        TTreeItem *node = top.isRoot ? d->rootItem : item(top.index);
        if (!node || top.next >= node->d->children.size()) {
            stack.removeLast();
            continue;
        }
        TTreeItem *child = node->d->children.at(top.next++);
        if (!child)
            continue;
        const QPersistentModelIndex childIndex(d->indexOf(child));
        if (iFunction(childIndex, this, iArgs, oResult))
            return true;
        TTreeItem *after = item(childIndex);
        if (childIndex.isValid() && after && !after->d->children.isEmpty())
            stack.append(Frame {childIndex, false, 0});
    }
    return false;
}

// --- drag and drop -------------------------------------------------------------------

int TTreeModel::dragMode() const { return d->dragMode; }

void TTreeModel::setDragMode(int iMode) { d->dragMode = iMode; }

Qt::DropActions TTreeModel::supportedDropActions() const
{
    return d->dragMode == 1 ? Qt::MoveAction : QAbstractItemModel::supportedDropActions();
}

QStringList TTreeModel::mimeTypes() const { return QStringList {QLatin1String(dragMimeType)}; }

QMimeData *TTreeModel::mimeData(const QModelIndexList &iIndexes) const
{
    if (iIndexes.isEmpty())
        return nullptr;
    TTreeItem *node = item(iIndexes.first());
    const QModelIndex rowIndex = d->indexOf(node);
    if (!rowIndex.isValid())
        return nullptr;
    // Forget identities whose rows are gone, then the oldest beyond the limit.
    for (auto it = d->dragRegistry.begin(); it != d->dragRegistry.end();) {
        if (it.value().isValid())
            ++it;
        else
            it = d->dragRegistry.erase(it);
    }
    while (d->dragRegistry.size() >= dragRegistryLimit) {
        QList<qint32> ids = d->dragRegistry.keys();
        d->dragRegistry.remove(*std::min_element(ids.begin(), ids.end()));
    }
    const qint32 id = nextDragId();
    d->dragRegistry.insert(id, QPersistentModelIndex(rowIndex));

    QByteArray payload;
    QDataStream stream(&payload, QIODevice::WriteOnly);
    stream << id << qint32(rowIndex.row());
    auto *mime = new QMimeData;
    mime->setData(QLatin1String(dragMimeType), payload);
    return mime;
}

bool TTreeModel::dropMimeData(const QMimeData *iData, Qt::DropAction iAction, int iRow, int iColumn,
                              const QModelIndex &iParent)
{
    Q_UNUSED(iColumn)
    if (iAction != Qt::MoveAction)
        return true;
    if (!iData || !iData->hasFormat(QLatin1String(dragMimeType)))
        return false;
    const QByteArray payload = iData->data(QLatin1String(dragMimeType));
    QDataStream stream(payload);
    qint32 id = 0;
    stream >> id;
    if (stream.status() != QDataStream::Ok)
        return false;
    const QPersistentModelIndex dragged = d->dragRegistry.value(id);
    TTreeItem *moving = item(dragged);
    TTreeItem *target = d->nodeOf(iParent);
    if (!moving || !target)
        return false;

    for (TTreeItem *node = target; node; node = node->d->parent) {
        if (node == moving) {
            qDebug("can't move parent to child or self to self!");
            return false;
        }
    }
    int row = iRow;
    if (row < 0)
        row = iParent.isValid() ? 0 : target->d->children.size();
    // Checked before anything moves: a refused drop leaves the tree as it was.
    if (row > target->d->children.size()) {
        qDebug("drag treeitem error");
        return false;
    }
    TTreeItem *oldParent = moving->d->parent;
    const int oldRow = moving->row();
    if (!oldParent || oldRow < 0)
        return false;
    // Dropped on its own upper or lower edge: the row stays where it is.
    if (oldParent == target && (row == oldRow || row == oldRow + 1))
        return true;
    // A move keeps the views' selection and expansion of the dragged subtree.
    if (!beginMoveRows(d->indexOf(oldParent), oldRow, oldRow, d->indexOf(target), row))
        return false;
    oldParent->d->children.removeAt(oldRow);
    TTreeModelPrivate::renumber(oldParent, oldRow, oldParent->d->children.size() - 1);
    const int newRow = oldParent == target && row > oldRow ? row - 1 : row;
    moving->d->parent = target;
    target->d->children.insert(newRow, moving);
    TTreeModelPrivate::renumber(target, newRow, target->d->children.size() - 1);
    endMoveRows();
    return true;
}
