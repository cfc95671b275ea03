#include "ttreeview.h"
#include "ttreeview_p.h"

#include "tscriptvalue.h"
#include "tstyleditemdelegate.h"
#include "ttreeitem.h"
#include "ttreemodel.h"

#include <QCursor>

TTreeModel *TTreeViewPrivate::treeModel() const
{
    Q_Q(const TTreeView);
    return qobject_cast<TTreeModel *>(q->model());
}

void TTreeViewPrivate::connectModel(QAbstractItemModel *iModel, bool iConnect)
{
    Q_Q(TTreeView);
    // The view's relay signals share their names with QAbstractItemView's
    // protected slots, so each is taken by its exact (empty) signature.
    const auto relayDataChanged = QOverload<>::of(&TTreeView::dataChanged);
    const auto relayInserted = QOverload<>::of(&TTreeView::rowsInserted);
    const auto relayMoved = QOverload<>::of(&TTreeView::rowsMoved);
    const auto relayRemoved = QOverload<>::of(&TTreeView::rowsRemoved);
    auto *tree = qobject_cast<TTreeModel *>(iModel);
    if (iConnect) {
        if (tree) {
            QObject::connect(tree, &TTreeModel::columnStateChanged, q, &TTreeView::setColumnState);
            QObject::connect(tree, &TTreeModel::rowVisibleChanged, q, &TTreeView::setRowVisible);
            QObject::connect(tree, &TTreeModel::rowExpandedChanged, q, &TTreeView::setRowExpanded);
            QObject::connect(q, &QTreeView::expanded, q, &TTreeView::onExpanded);
            QObject::connect(q, &QTreeView::collapsed, q, &TTreeView::onColloapsed);
            QObject::connect(tree, &TTreeModel::rowCheckStateChanged, q, &TTreeView::rowCheckStateChanged);
        }
        QObject::connect(iModel, &QAbstractItemModel::dataChanged, q, relayDataChanged);
        QObject::connect(iModel, &QAbstractItemModel::rowsInserted, q, relayInserted);
        QObject::connect(iModel, &QAbstractItemModel::rowsMoved, q, relayMoved);
        QObject::connect(iModel, &QAbstractItemModel::rowsRemoved, q, relayRemoved);
    } else {
        if (tree) {
            QObject::disconnect(tree, &TTreeModel::columnStateChanged, q, &TTreeView::setColumnState);
            QObject::disconnect(tree, &TTreeModel::rowVisibleChanged, q, &TTreeView::setRowVisible);
            QObject::disconnect(tree, &TTreeModel::rowExpandedChanged, q, &TTreeView::setRowExpanded);
            QObject::disconnect(q, &QTreeView::expanded, q, &TTreeView::onExpanded);
            QObject::disconnect(q, &QTreeView::collapsed, q, &TTreeView::onColloapsed);
            QObject::disconnect(tree, &TTreeModel::rowCheckStateChanged, q, &TTreeView::rowCheckStateChanged);
        }
        QObject::disconnect(iModel, &QAbstractItemModel::dataChanged, q, relayDataChanged);
        QObject::disconnect(iModel, &QAbstractItemModel::rowsInserted, q, relayInserted);
        QObject::disconnect(iModel, &QAbstractItemModel::rowsMoved, q, relayMoved);
        QObject::disconnect(iModel, &QAbstractItemModel::rowsRemoved, q, relayRemoved);
    }
}

QVariantList TTreeViewPrivate::selectedRows(bool iIncludeHidden, bool iMaps)
{
    Q_Q(TTreeView);
    QVariantList result;
    TTreeModel *tree = treeModel();
    if (!tree)
        return result;
    const QModelIndexList rows = q->selectedIndexes();
    for (const QModelIndex &index : rows) {
        TTreeItem *node = tree->item(index);
        if (!iIncludeHidden && node && !node->visible())
            continue;
        result.append(iMaps ? QVariant(tree->rowDataMap(index)) : tree->rowPrimaryKey(index));
    }
    return result;
}

TTreeView::TTreeView(QWidget *iParent)
    : QTreeView(iParent)
    , d(new TTreeViewPrivate(this))
{
    setModel(new TTreeModel(this));
    setAlternatingRowColors(true);
    setItemDelegate(new TStyledItemDelegate(this));

    QHeaderView *head = header();
    head->setMinimumSectionSize(75);
    head->setStretchLastSection(false);
    head->setHighlightSections(false);

    setContextMenuPolicy(Qt::CustomContextMenu);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setAutoScroll(false);

    connect(this, &QWidget::customContextMenuRequested, this, &TTreeView::showContextMenu);
    connect(this, QOverload<>::of(&TTreeView::dataChanged), this, &TTreeView::anyDataChanged);
    connect(this, &TTreeView::rowCheckStateChanged, this, &TTreeView::anyDataChanged);
    connect(this, QOverload<>::of(&TTreeView::rowsInserted), this, &TTreeView::anyDataChanged);
    connect(this, QOverload<>::of(&TTreeView::rowsMoved), this, &TTreeView::anyDataChanged);
    connect(this, QOverload<>::of(&TTreeView::rowsRemoved), this, &TTreeView::anyDataChanged);
}

TTreeView::~TTreeView() = default;

void TTreeView::setModel(QAbstractItemModel *iModel)
{
    QAbstractItemModel *current = model();
    if (iModel == current)
        return;
    if (current)
        d->connectModel(current, false);
    QTreeView::setModel(iModel);
    if (auto *tree = qobject_cast<TTreeModel *>(iModel)) {
        const QVariantList columns = tree->headerItem();
        for (int column = 0; column < columns.size(); ++column)
            setColumnState(column, columns.at(column).toMap(), true);
    }
    if (iModel)
        d->connectModel(iModel, true);
}

QHeaderView::ResizeMode TTreeView::str2resizeMode(const QString &iText)
{
    const QString text = iText.toUpper();
    if (text == QLatin1String("FIXED"))
        return QHeaderView::Fixed;
    if (text == QLatin1String("STRETCH"))
        return QHeaderView::Stretch;
    if (text == QLatin1String("RESIZETOCONTENTS"))
        return QHeaderView::ResizeToContents;
    return QHeaderView::Interactive;
}

void TTreeView::setAttr(const QString &iKey, const QVariant &iValue)
{
    const QVariant value = TScriptValue::toPlain(iValue);
    _setData(this, iKey, value);
    if (iKey == QLatin1String("item_list")) {
        const QVariantMap map = value.toMap();
        loadFlattenData(map.value(QStringLiteral("data_list")).toList(),
                        map.value(QStringLiteral("index_key")).toString());
    }
}

QVariant TTreeView::getAttr(const QString &iKey, const QVariant &iOptions)
{
    return _getData(this, iKey, TScriptValue::toPlain(iOptions));
}

// --- forwards to the model ---------------------------------------------------

void TTreeView::setHeaderItem(const QVariantList &iList)
{
    if (TTreeModel *tree = d->treeModel())
        tree->setHeaderItem(iList);
}

QVariantList TTreeView::headerItem()
{
    TTreeModel *tree = d->treeModel();
    return tree ? tree->headerItem() : QVariantList();
}

void TTreeView::setDataKeyList(const QStringList &iKeys)
{
    if (TTreeModel *tree = d->treeModel())
        tree->setDataKeyList(iKeys);
}

void TTreeView::setPrimaryKey(const QString &iKey)
{
    if (TTreeModel *tree = d->treeModel())
        tree->setPrimaryKey(iKey);
}

void TTreeView::setExpandedKey(const QString &iKey)
{
    if (TTreeModel *tree = d->treeModel())
        tree->setExpandedKey(iKey);
}

void TTreeView::setVisibleKey(const QString &iKey)
{
    if (TTreeModel *tree = d->treeModel())
        tree->setVisibleKey(iKey);
}

void TTreeView::loadTreeData(const QVariantList &iData, const QString &iChildKey)
{
    if (TTreeModel *tree = d->treeModel())
        tree->loadTreeData(iData, iChildKey);
}

void TTreeView::loadFlattenData(const QVariantList &iData, const QString &iIndexKey)
{
    if (TTreeModel *tree = d->treeModel())
        tree->loadFlattenData(iData, iIndexKey);
}

void TTreeView::clearData()
{
    if (TTreeModel *tree = d->treeModel())
        tree->clear();
}

QVariantList TTreeView::allDataMap(const QString &iChildKey, const QString &iIndexKey, bool iIncludeHidden,
                                   const QModelIndex &iParent)
{
    TTreeModel *tree = d->treeModel();
    return tree ? tree->allDataMap(iChildKey, iIndexKey, iIncludeHidden, iParent) : QVariantList();
}

QModelIndex TTreeView::findRow(const QVariant &iValue, const QString &iColumn, const QModelIndex &iParent)
{
    TTreeModel *tree = d->treeModel();
    return tree ? tree->findRow(iValue, iColumn, iParent) : QModelIndex();
}

QModelIndexList TTreeView::findRows(const QVariant &iValue, const QString &iColumn, int iFilter,
                                    const QModelIndex &iParent)
{
    TTreeModel *tree = d->treeModel();
    return tree ? tree->findRows(iValue, iColumn, iFilter, iParent) : QModelIndexList();
}

QModelIndexList TTreeView::findRows(const QVariantList &iValues, const QString &iColumn, int iFilter,
                                    const QModelIndex &iParent)
{
    TTreeModel *tree = d->treeModel();
    return tree ? tree->findRows(iValues, iColumn, iFilter, iParent) : QModelIndexList();
}

QModelIndexList TTreeView::findRows(const QRegExp &iPattern, const QStringList &iColumns, int iFilter,
                                    const QModelIndex &iParent)
{
    TTreeModel *tree = d->treeModel();
    return tree ? tree->findRows(iPattern, iColumns, iFilter, iParent) : QModelIndexList();
}

void TTreeView::setRowData(const QModelIndex &iIndex, const QVariant &iData, bool iReset)
{
    if (TTreeModel *tree = d->treeModel())
        tree->setRowData(iIndex, iData, iReset);
}

void TTreeView::setRowKeyValue(const QModelIndex &iIndex, const QString &iKey, const QVariant &iValue, bool iEmitChange)
{
    if (TTreeModel *tree = d->treeModel())
        tree->setRowKeyValue(iIndex, iKey, iValue, iEmitChange);
}

void TTreeView::setRowDataByPrimaryKey(const QVariant &iPrimaryKey, const QVariant &iData, bool iReset)
{
    if (TTreeModel *tree = d->treeModel())
        tree->setRowData(tree->findRow(iPrimaryKey, QString(), QModelIndex()), iData, iReset);
}

void TTreeView::setRowKeyValueByPrimaryKey(const QVariant &iPrimaryKey, const QString &iKey, const QVariant &iValue,
                                           bool iEmitChange)
{
    if (TTreeModel *tree = d->treeModel())
        tree->setRowKeyValue(tree->findRow(iPrimaryKey, QString(), QModelIndex()), iKey, iValue, iEmitChange);
}

QVariant TTreeView::currentPrimaryKey()
{
    TTreeModel *tree = d->treeModel();
    if (!tree || !selectionModel())
        return QVariant();
    return tree->rowPrimaryKey(selectionModel()->currentIndex());
}

QVariant TTreeView::currentRowDataMap()
{
    TTreeModel *tree = d->treeModel();
    if (!tree || !selectionModel())
        return QVariant();
    return tree->rowDataMap(selectionModel()->currentIndex());
}

QVariant TTreeView::currentRowDataList()
{
    TTreeModel *tree = d->treeModel();
    if (!tree || !selectionModel())
        return QVariant();
    return tree->rowDataList(selectionModel()->currentIndex());
}

// --- selection -----------------------------------------------------------------

QModelIndexList TTreeView::selectedIndexes()
{
    return selectionModel() ? selectionModel()->selectedRows(0) : QModelIndexList();
}

QVariantList TTreeView::selectedPrimaryKeys(bool iIncludeHidden) { return d->selectedRows(iIncludeHidden, false); }

QVariantList TTreeView::selectedRowDataMaps(bool iIncludeHidden) { return d->selectedRows(iIncludeHidden, true); }

void TTreeView::selectRow(const QModelIndex &iIndex, QItemSelectionModel::SelectionFlags iFlags)
{
    if (iIndex.isValid() && selectionModel())
        selectionModel()->select(iIndex, iFlags);
}

void TTreeView::selectRow(const QVariant &iKey, QItemSelectionModel::SelectionFlags iFlags)
{
    if (TTreeModel *tree = d->treeModel())
        selectRow(tree->findRow(iKey, QString(), QModelIndex()), iFlags);
}

void TTreeView::selectRows(const QModelIndexList &iIndexes, QItemSelectionModel::SelectionFlags iFlags)
{
    for (const QModelIndex &index : iIndexes)
        selectRow(index, iFlags);
}

void TTreeView::selectRows(const QVariantList &iKeys, QItemSelectionModel::SelectionFlags iFlags)
{
    // Filter 0: selecting by key must not hide the rows that are not selected.
    if (TTreeModel *tree = d->treeModel())
        selectRows(tree->findRows(TScriptValue::toPlain(iKeys).toList(), QString(), 0, QModelIndex()), iFlags);
}

void TTreeView::unselectAll()
{
    if (!selectionModel())
        return;
    selectionModel()->clear();
    selectionModel()->clearCurrentIndex();
}

// --- moving rows -----------------------------------------------------------------

void TTreeView::moveRowsUp(const QModelIndexList &iIndexes)
{
    if (TTreeModel *tree = d->treeModel())
        tree->moveRowsUp(iIndexes);
}

void TTreeView::moveRowsDown(const QModelIndexList &iIndexes)
{
    if (TTreeModel *tree = d->treeModel())
        tree->moveRowsDown(iIndexes);
}

void TTreeView::moveRowsTop(const QModelIndexList &iIndexes)
{
    if (TTreeModel *tree = d->treeModel())
        tree->moveRowsTop(iIndexes);
}

void TTreeView::moveRowsBottom(const QModelIndexList &iIndexes)
{
    if (TTreeModel *tree = d->treeModel())
        tree->moveRowsBottom(iIndexes);
}

void TTreeView::moveSelectedRowsUp() { moveRowsUp(selectedIndexes()); }

void TTreeView::moveSelectedRowsDown() { moveRowsDown(selectedIndexes()); }

void TTreeView::moveSelectedRowsTop() { moveRowsTop(selectedIndexes()); }

void TTreeView::moveSelectedRowsBottom() { moveRowsBottom(selectedIndexes()); }

// --- row flags -------------------------------------------------------------------

void TTreeView::setRowVisible(const QModelIndex &iIndex, bool iVisible)
{
    // A change the model announced is only mirrored; a caller's change goes to the model's flag first.
    if (sender() != model()) {
        if (TTreeModel *tree = d->treeModel())
            tree->setRowVisible(iIndex, iVisible);
    }
    if (iIndex.isValid() && iIndex.model() == model())
        setRowHidden(iIndex.row(), iIndex.parent(), !iVisible);
}

void TTreeView::setRowExpanded(const QModelIndex &iIndex, bool iExpanded)
{
    if (sender() != model()) {
        if (TTreeModel *tree = d->treeModel())
            tree->setRowExpanded(iIndex, iExpanded);
    }
    // The model announces every flag it sets, also one set from onExpanded():
    // only a real change may reach the tree, or the two would call each other.
    if (iIndex.isValid() && iIndex.model() == model() && isExpanded(iIndex) != iExpanded)
        setExpanded(iIndex, iExpanded);
}

void TTreeView::refreshRowVisible(TTreeItem *iRoot)
{
    if (TTreeModel *tree = d->treeModel())
        tree->refreshRowVisible(iRoot);
}

void TTreeView::refreshRowExpanded(TTreeItem *iRoot)
{
    if (TTreeModel *tree = d->treeModel())
        tree->refreshRowExpanded(iRoot);
}

void TTreeView::restoreRowsVisible(const QVariantMap &iStates, const QModelIndex &iParent)
{
    if (TTreeModel *tree = d->treeModel())
        tree->restoreRowsVisible(iStates, iParent);
}

void TTreeView::restoreRowsExpanded(const QVariantMap &iStates, const QModelIndex &iParent)
{
    if (TTreeModel *tree = d->treeModel())
        tree->restoreRowsExpanded(iStates, iParent);
}

void TTreeView::setRowAllParentVisible(const QModelIndex &iIndex)
{
    if (TTreeModel *tree = d->treeModel())
        tree->setRowAllParentVisible(iIndex);
}

void TTreeView::setRowAllParentExpanded(const QModelIndex &iIndex)
{
    if (TTreeModel *tree = d->treeModel())
        tree->setRowAllParentExpanded(iIndex);
}

void TTreeView::syncParentItemVisible(int iFilterMode, const QModelIndex &iParent)
{
    if (TTreeModel *tree = d->treeModel())
        tree->syncParentItemVisible(iFilterMode, tree->item(iParent));
}

void TTreeView::onExpanded(const QModelIndex &iIndex)
{
    if (TTreeModel *tree = d->treeModel())
        tree->setRowExpanded(iIndex, true);
}

void TTreeView::onColloapsed(const QModelIndex &iIndex)
{
    if (TTreeModel *tree = d->treeModel())
        tree->setRowExpanded(iIndex, false);
}

// --- columns ---------------------------------------------------------------------

void TTreeView::setColumnState(int iColumn, const QVariantMap &iState, bool iReset)
{
    QHeaderView *head = header();
    if (iColumn < 0 || iColumn >= head->count())
        return;
    if (iReset) {
        head->showSection(iColumn);
        head->setSectionResizeMode(iColumn, QHeaderView::Interactive);
    }
    const QVariant visible = iState.value(QStringLiteral("visible"));
    if (visible.isValid())
        head->setSectionHidden(iColumn, !visible.toBool());
    const QVariant size = iState.value(QStringLiteral("size"));
    if (size.isValid())
        head->resizeSection(iColumn, size.toInt());
    const QVariant resizeMode = iState.value(QStringLiteral("resizeMode"));
    if (resizeMode.isValid())
        head->setSectionResizeMode(iColumn, str2resizeMode(resizeMode.toString()));
}

void TTreeView::setColumnVisible(int iColumn, bool iVisible)
{
    if (iColumn >= 0 && iColumn < header()->count())
        setColumnHidden(iColumn, !iVisible);
}

void TTreeView::setColumnVisible(const QString &iName, bool iVisible)
{
    if (TTreeModel *tree = d->treeModel())
        setColumnVisible(tree->columnNumber(iName), iVisible);
}

void TTreeView::setColumnVisible(const QMap<QString, bool> &iVisibles)
{
    for (auto it = iVisibles.cbegin(); it != iVisibles.cend(); ++it)
        setColumnVisible(it.key(), it.value());
}

bool TTreeView::isColumnVisible(int iColumn)
{
    return iColumn >= 0 && iColumn < header()->count() && !isColumnHidden(iColumn);
}

bool TTreeView::isColumnVisible(const QString &iName)
{
    TTreeModel *tree = d->treeModel();
    return tree ? isColumnVisible(tree->columnNumber(iName)) : false;
}

QMap<QString, bool> TTreeView::isColumnVisible(const QStringList &iNames)
{
    QMap<QString, bool> result;
    TTreeModel *tree = d->treeModel();
    if (!tree)
        return result;
    QStringList names = iNames;
    if (names.isEmpty()) {
        const QVariantList columns = tree->headerItem();
        for (const QVariant &column : columns) {
            const QString name = column.toMap().value(QStringLiteral("name")).toString();
            if (!name.isEmpty())
                names.append(name);
        }
    }
    for (const QString &name : qAsConst(names))
        result.insert(name, isColumnVisible(tree->columnNumber(name)));
    return result;
}

// --- drag mode and context menu ----------------------------------------------------

int TTreeView::dragMode() { return d->dragMode; }

void TTreeView::setDragMode(int iMode)
{
    d->dragMode = iMode;
    if (TTreeModel *tree = d->treeModel())
        tree->setDragMode(iMode);
    if (iMode == 1) {
        setDefaultDropAction(Qt::MoveAction);
        setDragEnabled(true);
        setDragDropMode(InternalMove);
        setAcceptDrops(true);
        setDropIndicatorShown(true);
    } else {
        setDefaultDropAction(Qt::IgnoreAction);
        setDragEnabled(false);
        setDropIndicatorShown(false);
    }
    setDragDropOverwriteMode(false);
}

void TTreeView::setContextMenu(QMenu *iMenu) { d->contextMenu = iMenu; }

QMenu *TTreeView::contextMenu() { return d->contextMenu; }

void TTreeView::showContextMenu(const QPoint &iPos)
{
    Q_UNUSED(iPos)
    if (d->contextMenu)
        d->contextMenu->exec(QCursor::pos());
}
