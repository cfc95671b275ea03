#include "ttreeview.h"
#include "ttreeview_p.h"

#include "tscriptvalue.h"
#include "tstyleditemdelegate.h"
#include "ttreeitem.h"
#include "ttreemodel.h"
#include "tuiutil.h"

void TTreeViewPrivate::connectModel(QAbstractItemModel *iModel, bool iConnect)
{
    Q_Q(TTreeView);
    if (auto *tree = qobject_cast<TTreeModel *>(iModel)) {
        link(iConnect, tree, &TTreeModel::rowExpandedChanged, q, &TTreeView::setRowExpanded);
        link(iConnect, q, &QTreeView::expanded, q, &TTreeView::onExpanded);
        link(iConnect, q, &QTreeView::collapsed, q, &TTreeView::onColloapsed);
    }
    TItemViewPrivate::connectModel(iModel, iConnect);
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
    d->relayAnyDataChanged();
}

TTreeView::~TTreeView() = default;

void TTreeView::setModel(QAbstractItemModel *iModel)
{
    d->installModel(iModel, [this, iModel] {
        QTreeView::setModel(iModel);
        if (auto *tree = qobject_cast<TTreeModel *>(iModel)) {
            const QVariantList columns = tree->headerItem();
            for (int column = 0; column < columns.size(); ++column)
                setColumnState(column, columns.at(column).toMap(), true);
        }
    });
}

QHeaderView::ResizeMode TTreeView::str2resizeMode(const QString &iText) { return TUiUtil::str2resizeMode(iText); }

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

void TTreeView::setHeaderItem(const QVariantList &iList) { d->forward(&TTreeModel::setHeaderItem, iList); }

QVariantList TTreeView::headerItem() { return d->ask(QVariantList(), &TTreeModel::headerItem); }

void TTreeView::setDataKeyList(const QStringList &iKeys) { d->forward(&TTreeModel::setDataKeyList, iKeys); }

void TTreeView::setPrimaryKey(const QString &iKey) { d->forward(&TTreeModel::setPrimaryKey, iKey); }

void TTreeView::setExpandedKey(const QString &iKey) { d->forward(&TTreeModel::setExpandedKey, iKey); }

void TTreeView::setVisibleKey(const QString &iKey) { d->forward(&TTreeModel::setVisibleKey, iKey); }

void TTreeView::loadTreeData(const QVariantList &iData, const QString &iChildKey)
{
    d->forward(&TTreeModel::loadTreeData, iData, iChildKey);
}

void TTreeView::loadFlattenData(const QVariantList &iData, const QString &iIndexKey)
{
    d->forward(&TTreeModel::loadFlattenData, iData, iIndexKey);
}

void TTreeView::clearData() { d->forward(&TTreeModel::clear); }

QVariantList TTreeView::allDataMap(const QString &iChildKey, const QString &iIndexKey, bool iIncludeHidden,
                                   const QModelIndex &iParent)
{
    return d->ask(QVariantList(), &TTreeModel::allDataMap, iChildKey, iIndexKey, iIncludeHidden, iParent);
}

QModelIndex TTreeView::findRow(const QVariant &iValue, const QString &iColumn, const QModelIndex &iParent)
{
    return d->ask(QModelIndex(), &TTreeModel::findRow, iValue, iColumn, iParent);
}

QModelIndexList TTreeView::findRows(const QVariant &iValue, const QString &iColumn, int iFilter,
                                    const QModelIndex &iParent)
{
    return d->ask(QModelIndexList(),
                  QOverload<const QVariant &, const QString &, int, const QModelIndex &>::of(&TTreeModel::findRows),
                  iValue, iColumn, iFilter, iParent);
}

QModelIndexList TTreeView::findRows(const QVariantList &iValues, const QString &iColumn, int iFilter,
                                    const QModelIndex &iParent)
{
    return d->ask(QModelIndexList(),
                  QOverload<const QVariantList &, const QString &, int, const QModelIndex &>::of(&TTreeModel::findRows),
                  iValues, iColumn, iFilter, iParent);
}

QModelIndexList TTreeView::findRows(const QRegExp &iPattern, const QStringList &iColumns, int iFilter,
                                    const QModelIndex &iParent)
{
    return d->ask(QModelIndexList(),
                  QOverload<const QRegExp &, const QStringList &, int, const QModelIndex &>::of(&TTreeModel::findRows),
                  iPattern, iColumns, iFilter, iParent);
}

void TTreeView::setRowData(const QModelIndex &iIndex, const QVariant &iData, bool iReset)
{
    d->forward(&TTreeModel::setRowData, iIndex, iData, iReset);
}

void TTreeView::setRowKeyValue(const QModelIndex &iIndex, const QString &iKey, const QVariant &iValue, bool iEmitChange)
{
    d->forward(&TTreeModel::setRowKeyValue, iIndex, iKey, iValue, iEmitChange);
}

void TTreeView::setRowDataByPrimaryKey(const QVariant &iPrimaryKey, const QVariant &iData, bool iReset)
{
    if (TTreeModel *tree = d->model())
        tree->setRowData(tree->findRow(iPrimaryKey, QString(), QModelIndex()), iData, iReset);
}

void TTreeView::setRowKeyValueByPrimaryKey(const QVariant &iPrimaryKey, const QString &iKey, const QVariant &iValue,
                                           bool iEmitChange)
{
    if (TTreeModel *tree = d->model())
        tree->setRowKeyValue(tree->findRow(iPrimaryKey, QString(), QModelIndex()), iKey, iValue, iEmitChange);
}

QVariant TTreeView::currentPrimaryKey() { return d->readCurrent(&TTreeModel::rowPrimaryKey); }

QVariant TTreeView::currentRowDataMap()
{
    return d->readCurrent([](TTreeModel *iTree, const QModelIndex &iIndex) { return iTree->rowDataMap(iIndex); });
}

QVariant TTreeView::currentRowDataList() { return d->readCurrent(&TTreeModel::rowDataList); }

// --- selection -----------------------------------------------------------------

QModelIndexList TTreeView::selectedIndexes() { return d->selectedIndexes(); }

QVariantList TTreeView::selectedPrimaryKeys(bool iIncludeHidden) { return d->selectedRows(iIncludeHidden, false); }

QVariantList TTreeView::selectedRowDataMaps(bool iIncludeHidden) { return d->selectedRows(iIncludeHidden, true); }

void TTreeView::selectRow(const QModelIndex &iIndex, QItemSelectionModel::SelectionFlags iFlags)
{
    d->selectRow(iIndex, iFlags);
}

void TTreeView::selectRow(const QVariant &iKey, QItemSelectionModel::SelectionFlags iFlags)
{
    if (TTreeModel *tree = d->model())
        selectRow(tree->findRow(iKey, QString(), QModelIndex()), iFlags);
}

void TTreeView::selectRows(const QModelIndexList &iIndexes, QItemSelectionModel::SelectionFlags iFlags)
{
    d->selectRows(iIndexes, iFlags);
}

void TTreeView::selectRows(const QVariantList &iKeys, QItemSelectionModel::SelectionFlags iFlags)
{
    // Filter 0: selecting by key must not hide the rows that are not selected.
    if (TTreeModel *tree = d->model())
        selectRows(tree->findRows(TScriptValue::toPlain(iKeys).toList(), QString(), 0, QModelIndex()), iFlags);
}

void TTreeView::unselectAll() { d->unselectAll(); }

// --- moving rows -----------------------------------------------------------------

void TTreeView::moveRowsUp(const QModelIndexList &iIndexes) { d->forward(&TTreeModel::moveRowsUp, iIndexes); }

void TTreeView::moveRowsDown(const QModelIndexList &iIndexes) { d->forward(&TTreeModel::moveRowsDown, iIndexes); }

void TTreeView::moveRowsTop(const QModelIndexList &iIndexes) { d->forward(&TTreeModel::moveRowsTop, iIndexes); }

void TTreeView::moveRowsBottom(const QModelIndexList &iIndexes) { d->forward(&TTreeModel::moveRowsBottom, iIndexes); }

void TTreeView::moveSelectedRowsUp() { moveRowsUp(selectedIndexes()); }

void TTreeView::moveSelectedRowsDown() { moveRowsDown(selectedIndexes()); }

void TTreeView::moveSelectedRowsTop() { moveRowsTop(selectedIndexes()); }

void TTreeView::moveSelectedRowsBottom() { moveRowsBottom(selectedIndexes()); }

// --- row flags -------------------------------------------------------------------

void TTreeView::setRowVisible(const QModelIndex &iIndex, bool iVisible)
{
    // A change the model announced is only mirrored; a caller's change goes to the model's flag first.
    if (sender() != model()) {
        if (TTreeModel *tree = d->model())
            tree->setRowVisible(iIndex, iVisible);
    }
    if (d->isLive(iIndex))
        setRowHidden(iIndex.row(), iIndex.parent(), !iVisible);
}

void TTreeView::setRowExpanded(const QModelIndex &iIndex, bool iExpanded)
{
    if (sender() != model()) {
        if (TTreeModel *tree = d->model())
            tree->setRowExpanded(iIndex, iExpanded);
    }
    // The model announces every flag it sets, also one set from onExpanded():
    // only a real change may reach the tree, or the two would call each other.
    if (d->isLive(iIndex) && isExpanded(iIndex) != iExpanded)
        setExpanded(iIndex, iExpanded);
}

void TTreeView::refreshRowVisible(TTreeItem *iRoot) { d->forward(&TTreeModel::refreshRowVisible, iRoot); }

void TTreeView::refreshRowExpanded(TTreeItem *iRoot) { d->forward(&TTreeModel::refreshRowExpanded, iRoot); }

void TTreeView::restoreRowsVisible(const QVariantMap &iStates, const QModelIndex &iParent)
{
    d->forward(&TTreeModel::restoreRowsVisible, iStates, iParent);
}

void TTreeView::restoreRowsExpanded(const QVariantMap &iStates, const QModelIndex &iParent)
{
    d->forward(&TTreeModel::restoreRowsExpanded, iStates, iParent);
}

void TTreeView::setRowAllParentVisible(const QModelIndex &iIndex)
{
    d->forward(QOverload<const QModelIndex &>::of(&TTreeModel::setRowAllParentVisible), iIndex);
}

void TTreeView::setRowAllParentExpanded(const QModelIndex &iIndex)
{
    d->forward(QOverload<const QModelIndex &>::of(&TTreeModel::setRowAllParentExpanded), iIndex);
}

void TTreeView::syncParentItemVisible(int iFilterMode, const QModelIndex &iParent)
{
    TTreeModel *tree = d->model();
    // A parent that names no row is no reason to walk the first level.
    if (tree && (!iParent.isValid() || tree->item(iParent)))
        tree->syncParentItemVisible(iFilterMode, tree->item(iParent));
}

void TTreeView::onExpanded(const QModelIndex &iIndex)
{
    d->forward(QOverload<const QModelIndex &, bool>::of(&TTreeModel::setRowExpanded), iIndex, true);
}

void TTreeView::onColloapsed(const QModelIndex &iIndex)
{
    d->forward(QOverload<const QModelIndex &, bool>::of(&TTreeModel::setRowExpanded), iIndex, false);
}

// --- columns ---------------------------------------------------------------------

void TTreeView::setColumnState(int iColumn, const QVariantMap &iState, bool iReset)
{
    d->setColumnState(iColumn, iState, iReset);
}

void TTreeView::setColumnVisible(int iColumn, bool iVisible) { d->setColumnVisible(iColumn, iVisible); }

void TTreeView::setColumnVisible(const QString &iName, bool iVisible) { d->setColumnVisible(iName, iVisible); }

void TTreeView::setColumnVisible(const QMap<QString, bool> &iVisibles) { d->setColumnVisible(iVisibles); }

bool TTreeView::isColumnVisible(int iColumn) { return d->isColumnVisible(iColumn); }

bool TTreeView::isColumnVisible(const QString &iName) { return d->isColumnVisible(iName); }

QMap<QString, bool> TTreeView::isColumnVisible(const QStringList &iNames) { return d->isColumnVisible(iNames); }

// --- drag mode and context menu ----------------------------------------------------

int TTreeView::dragMode() { return d->dragMode; }

void TTreeView::setDragMode(int iMode) { d->setDragMode(iMode); }

void TTreeView::setContextMenu(QMenu *iMenu) { d->contextMenu = iMenu; }

QMenu *TTreeView::contextMenu() { return d->contextMenu; }

void TTreeView::showContextMenu(const QPoint &iPos)
{
    Q_UNUSED(iPos)
    d->showContextMenu();
}
