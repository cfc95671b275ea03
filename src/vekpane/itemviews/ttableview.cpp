#include "ttableview.h"
#include "ttableview_p.h"

#include "tdataparse.h"
#include "theaderviewpopup.h"
#include "tscriptvalue.h"
#include "tstyleditemdelegate.h"
#include "ttableitem.h"
#include "ttablemodel.h"
#include "tuiutil.h"

#include <QCursor>
#include <QHeaderView>

namespace {

const QString positionKey = QStringLiteral("position");
const QString visibleKey = QStringLiteral("visible");
const QString sizeKey = QStringLiteral("size");

} // namespace

TTableModel *TTableViewPrivate::tableModel() const
{
    Q_Q(const TTableView);
    return qobject_cast<TTableModel *>(q->model());
}

void TTableViewPrivate::connectModel(QAbstractItemModel *iModel, bool iConnect)
{
    Q_Q(TTableView);
    // The view's relay signals share their names with QAbstractItemView's
    // protected slots, so each is taken by its exact (empty) signature.
    const auto relayDataChanged = QOverload<>::of(&TTableView::dataChanged);
    const auto relayInserted = QOverload<>::of(&TTableView::rowsInserted);
    const auto relayMoved = QOverload<>::of(&TTableView::rowsMoved);
    const auto relayRemoved = QOverload<>::of(&TTableView::rowsRemoved);
    auto *table = qobject_cast<TTableModel *>(iModel);
    if (iConnect) {
        if (table) {
            QObject::connect(table, &TTableModel::columnStateChanged, q, &TTableView::setColumnState);
            QObject::connect(table, &TTableModel::rowVisibleChanged, q, &TTableView::setRowVisible);
            QObject::connect(table, &TTableModel::rowCheckStateChanged, q, &TTableView::rowCheckStateChanged);
        }
        QObject::connect(iModel, &QAbstractItemModel::dataChanged, q, relayDataChanged);
        QObject::connect(iModel, &QAbstractItemModel::rowsInserted, q, relayInserted);
        QObject::connect(iModel, &QAbstractItemModel::rowsMoved, q, relayMoved);
        QObject::connect(iModel, &QAbstractItemModel::rowsRemoved, q, relayRemoved);
    } else {
        if (table) {
            QObject::disconnect(table, &TTableModel::columnStateChanged, q, &TTableView::setColumnState);
            QObject::disconnect(table, &TTableModel::rowVisibleChanged, q, &TTableView::setRowVisible);
            QObject::disconnect(table, &TTableModel::rowCheckStateChanged, q, &TTableView::rowCheckStateChanged);
        }
        QObject::disconnect(iModel, &QAbstractItemModel::dataChanged, q, relayDataChanged);
        QObject::disconnect(iModel, &QAbstractItemModel::rowsInserted, q, relayInserted);
        QObject::disconnect(iModel, &QAbstractItemModel::rowsMoved, q, relayMoved);
        QObject::disconnect(iModel, &QAbstractItemModel::rowsRemoved, q, relayRemoved);
    }
}

template<typename Items>
QModelIndexList TTableViewPrivate::indexesOf(const Items &iItems, int iFirst) const
{
    TTableModel *table = tableModel();
    QModelIndexList result;
    result.reserve(iItems.size());
    for (int i = 0; i < iItems.size(); ++i) {
        // The rows sit where they were inserted unless a listener moved them:
        // check before falling back to searching the item.
        const QModelIndex guess = table->index(iFirst + i, 0);
        result.append(table->item(guess) == iItems.at(i) ? guess : table->index(iItems.at(i)));
    }
    return result;
}

void TTableViewPrivate::holdRowHeaderUpdates()
{
    Q_Q(TTableView);
    QHeaderView *header = q->verticalHeader();
    if (rowHeaderHeld || !header->updatesEnabled())
        return;
    rowHeaderHeld = true;
    header->setUpdatesEnabled(false);
    QMetaObject::invokeMethod(
            q,
            [this] {
                rowHeaderHeld = false;
                q_func()->verticalHeader()->setUpdatesEnabled(true);
            },
            Qt::QueuedConnection);
}

TTableView::TTableView(QWidget *iParent)
    : QTableView(iParent)
    , d(new TTableViewPrivate(this))
{
    setModel(new TTableModel(this));
    setItemDelegate(new TStyledItemDelegate(this));

    setAlternatingRowColors(true);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);

    QHeaderView *header = horizontalHeader();
    header->setStretchLastSection(true);
    header->setHighlightSections(false);
    header->setMinimumSectionSize(75);
    header->setSectionsMovable(true);
    header->setSortIndicatorShown(true);

    verticalHeader()->hide();
    setShowGrid(false);
    setAutoScroll(false);

    connect(this, &QWidget::customContextMenuRequested, this, &TTableView::showContextMenu);
    connect(header, &QWidget::customContextMenuRequested, this, &TTableView::showHeaderPopup);

    const auto relayDataChanged = QOverload<>::of(&TTableView::dataChanged);
    connect(this, relayDataChanged, this, &TTableView::anyDataChanged);
    connect(this, &TTableView::rowCheckStateChanged, this, &TTableView::anyDataChanged);
    connect(this, QOverload<>::of(&TTableView::rowsInserted), this, &TTableView::anyDataChanged);
    connect(this, QOverload<>::of(&TTableView::rowsMoved), this, &TTableView::anyDataChanged);
    connect(this, QOverload<>::of(&TTableView::rowsRemoved), this, &TTableView::anyDataChanged);
}

TTableView::~TTableView() { delete d->headerPopup; }

void TTableView::setModel(QAbstractItemModel *iModel)
{
    QAbstractItemModel *current = model();
    if (iModel == current)
        return;
    if (current)
        d->connectModel(current, false);
    QTableView::setModel(iModel);
    if (iModel)
        d->connectModel(iModel, true);
}

void TTableView::setAttr(const QString &iKey, const QVariant &iValue)
{
    const QVariant value = TScriptValue::toPlain(iValue);
    _setData(this, iKey, value);
    if (iKey == QLatin1String("drag_mode")) {
        setDragMode(value.toInt());
    } else if (iKey == QLatin1String("value")) {
        if (value.userType() == QMetaType::QVariantList && d->tableModel())
            d->tableModel()->loadData(value.toList());
    } else if (iKey == QLatin1String("alternating_row_colors")) {
        setAlternatingRowColors(value.toBool());
    } else if (iKey == QLatin1String("auto_scroll")) {
        setAutoScroll(value.toBool());
    } else if (iKey == QLatin1String("selection_policy")) {
        const QString policy = value.toString();
        if (policy == QLatin1String("single_row")) {
            setSelectionBehavior(SelectRows);
            setSelectionMode(SingleSelection);
        } else if (policy == QLatin1String("multi_row")) {
            setSelectionBehavior(SelectRows);
            setSelectionMode(MultiSelection);
        } else if (policy == QLatin1String("single_cell")) {
            setSelectionBehavior(SelectItems);
            setSelectionMode(SingleSelection);
        } else if (policy == QLatin1String("multi_cell")) {
            setSelectionBehavior(SelectItems);
            setSelectionMode(MultiSelection);
        } else if (policy == QLatin1String("ignore")) {
            setSelectionMode(NoSelection);
        }
    } else if (iKey == QLatin1String("show_grid")) {
        setShowGrid(value.toBool());
    } else if (iKey == QLatin1String("primary_key")) {
        const QString key = value.toString().trimmed();
        if (!key.isEmpty())
            setPrimaryKey(key);
    } else if (iKey == QLatin1String("visible_key")) {
        if (!value.toString().trimmed().isEmpty())
            setVisibleKey(value.toString());
    } else if (iKey == QLatin1String("data_keys")) {
        setDataKeyList(value.toStringList());
    } else if (iKey == QLatin1String("sort_indicator_shown")) {
        horizontalHeader()->setSortIndicatorShown(value.toBool());
    } else if (iKey == QLatin1String("sections_movable")) {
        horizontalHeader()->setSectionsMovable(value.toBool());
    } else if (iKey == QLatin1String("header_popup_enabled")) {
        setHeaderPopupEnabled(value.toBool());
    }
}

QVariant TTableView::getAttr(const QString &iKey, const QVariant &iOptions)
{
    const QVariant options = TScriptValue::toPlain(iOptions);
    const bool flag = options.userType() == QMetaType::Bool && options.toBool();
    if (iKey == QLatin1String("value")) {
        if (options.userType() != QMetaType::QVariantList && options.userType() != QMetaType::QStringList)
            return allDataMap(QString(), QString(), true);
        const QVariantList list = options.toList();
        return allDataMap(list.value(0).toString(), list.value(1).toString(),
                          list.size() > 2 ? list.at(2).toBool() : true);
    }
    if (iKey == QLatin1String("drag_mode"))
        return dragMode();
    if (iKey == QLatin1String("primary_keys"))
        return allPrimaryKey(options.toBool());
    if (iKey == QLatin1String("selected_data"))
        return selectedRowDataMaps(flag);
    if (iKey == QLatin1String("selected_primary_keys"))
        return selectedPrimaryKeys(flag);
    if (iKey == QLatin1String("current_row_data_map"))
        return currentRowDataMap();
    if (iKey == QLatin1String("current_row_data_list"))
        return currentRowDataList();
    if (iKey == QLatin1String("current_primary_key"))
        return currentPrimaryKey();
    return _getData(this, iKey, options);
}

// --- forwards to the model ---------------------------------------------------

void TTableView::setHeaderItem(const QVariantList &iList)
{
    if (TTableModel *table = d->tableModel())
        table->setHeaderItem(iList);
}

QVariantList TTableView::headerItem()
{
    TTableModel *table = d->tableModel();
    return table ? table->headerItem() : QVariantList();
}

QString TTableView::columnName(int iColumn)
{
    TTableModel *table = d->tableModel();
    return table ? table->columnName(iColumn) : QString();
}

int TTableView::colummNumber(const QString &iColName)
{
    TTableModel *table = d->tableModel();
    return table ? table->columnNumber(iColName) : -1;
}

QStringList TTableView::dataKeyList()
{
    TTableModel *table = d->tableModel();
    return table ? table->dataKeyList() : QStringList();
}

void TTableView::setDataKeyList(const QStringList &iKeys)
{
    if (TTableModel *table = d->tableModel())
        table->setDataKeyList(iKeys);
}

void TTableView::setPrimaryKey(const QString &iKey)
{
    if (TTableModel *table = d->tableModel())
        table->setPrimaryKey(iKey);
}

void TTableView::setVisibleKey(const QString &iKey)
{
    if (TTableModel *table = d->tableModel())
        table->setVisibleKey(iKey);
}

void TTableView::loadData(const QVariantList &iRows)
{
    if (TTableModel *table = d->tableModel())
        table->loadData(iRows);
}

void TTableView::clearData()
{
    if (TTableModel *table = d->tableModel())
        table->clear();
}

QModelIndex TTableView::appendRow(const QVariant &iRow)
{
    TTableModel *table = d->tableModel();
    if (!table)
        return QModelIndex();
    TTableItem *item = table->appendRow(iRow);
    return d->indexesOf(QList<TTableItem *> {item}, table->rowCount() - 1).value(0);
}

QModelIndex TTableView::prependRow(const QVariant &iRow)
{
    TTableModel *table = d->tableModel();
    if (!table)
        return QModelIndex();
    TTableItem *item = table->prependRow(iRow);
    return d->indexesOf(QList<TTableItem *> {item}, 0).value(0);
}

QModelIndexList TTableView::appendRows(const QVariantList &iRows)
{
    TTableModel *table = d->tableModel();
    if (!table)
        return QModelIndexList();
    const QList<TTableItem *> items = table->appendRows(iRows);
    return d->indexesOf(items, table->rowCount() - items.size());
}

QModelIndexList TTableView::prependRows(const QVariantList &iRows)
{
    TTableModel *table = d->tableModel();
    if (!table)
        return QModelIndexList();
    return d->indexesOf(table->prependRows(iRows), 0);
}

void TTableView::setRowKeyValue(const QModelIndex &iIndex, const QString &iKey, const QVariant &iValue)
{
    if (TTableModel *table = d->tableModel())
        table->setRowKeyValue(iIndex, iKey, iValue, true);
}

void TTableView::setRowData(const QModelIndex &iIndex, const QVariant &iRow, bool iReset)
{
    if (TTableModel *table = d->tableModel())
        table->setRowData(iIndex, iRow, iReset);
}

void TTableView::setRowKeyValueByPrimaryKey(const QVariant &iPrimaryKey, const QString &iKey, const QVariant &iValue)
{
    TTableModel *table = d->tableModel();
    setRowKeyValue(table ? table->findRow(iPrimaryKey, QString()) : QModelIndex(), iKey, iValue);
}

void TTableView::setRowDataByPrimaryKey(const QVariant &iPrimaryKey, const QVariant &iRow, bool iReset)
{
    TTableModel *table = d->tableModel();
    setRowData(table ? table->findRow(iPrimaryKey, QString()) : QModelIndex(), iRow, iReset);
}

bool TTableView::removeRow(const QModelIndex &iIndex)
{
    TTableModel *table = d->tableModel();
    return table ? table->removeRow(iIndex) : false;
}

bool TTableView::removeRows(const QModelIndexList &iIndexes)
{
    TTableModel *table = d->tableModel();
    return table ? table->removeRows(iIndexes) : false;
}

bool TTableView::removeSelectedRows() { return removeRows(selectedIndexes()); }

void TTableView::moveRowsUp(const QModelIndexList &iIndexes)
{
    if (TTableModel *table = d->tableModel())
        table->moveRowsUp(iIndexes);
}

void TTableView::moveRowsDown(const QModelIndexList &iIndexes)
{
    if (TTableModel *table = d->tableModel())
        table->moveRowsDown(iIndexes);
}

void TTableView::moveRowsTop(const QModelIndexList &iIndexes)
{
    if (TTableModel *table = d->tableModel())
        table->moveRowsTop(iIndexes);
}

void TTableView::moveRowsBottom(const QModelIndexList &iIndexes)
{
    if (TTableModel *table = d->tableModel())
        table->moveRowsBottom(iIndexes);
}

void TTableView::moveSelectedRowsUp() { moveRowsUp(selectedIndexes()); }

void TTableView::moveSelectedRowsDown() { moveRowsDown(selectedIndexes()); }

void TTableView::moveSelectedRowsTop() { moveRowsTop(selectedIndexes()); }

void TTableView::moveSelectedRowsBottom() { moveRowsBottom(selectedIndexes()); }

QModelIndex TTableView::findRow(const QVariant &iValue, const QString &iColumn)
{
    TTableModel *table = d->tableModel();
    return table ? table->findRow(iValue, iColumn) : QModelIndex();
}

QModelIndexList TTableView::findRows(const QVariant &iValue, const QString &iColumn, int iFilter)
{
    TTableModel *table = d->tableModel();
    return table ? table->findRows(iValue, iColumn, iFilter) : QModelIndexList();
}

QModelIndexList TTableView::findRows(const QVariantList &iValues, const QString &iColumn, int iFilter)
{
    TTableModel *table = d->tableModel();
    return table ? table->findRows(iValues, iColumn, iFilter) : QModelIndexList();
}

QModelIndexList TTableView::findRows(const QRegExp &iExpression, const QStringList &iColumns, int iFilter)
{
    TTableModel *table = d->tableModel();
    return table ? table->findRows(iExpression, iColumns, iFilter) : QModelIndexList();
}

QVariantList TTableView::allDataMap(const QString &iIndexKey, const QString &iVisibleKey, bool iIncludeHidden)
{
    TTableModel *table = d->tableModel();
    return table ? table->allDataMap(iIndexKey, iVisibleKey, iIncludeHidden) : QVariantList();
}

QVariantList TTableView::allPrimaryKey(bool iIncludeHidden)
{
    TTableModel *table = d->tableModel();
    return table ? table->allPrimaryKey(iIncludeHidden) : QVariantList();
}

QVariant TTableView::currentRowDataMap()
{
    TTableModel *table = d->tableModel();
    if (!table || !selectionModel())
        return QVariant();
    return table->rowDataMap(selectionModel()->currentIndex(), QString(), QString());
}

QVariant TTableView::currentRowDataList()
{
    TTableModel *table = d->tableModel();
    if (!table || !selectionModel())
        return QVariant();
    return table->rowDataList(selectionModel()->currentIndex());
}

QVariant TTableView::currentPrimaryKey()
{
    TTableModel *table = d->tableModel();
    if (!table || !selectionModel())
        return QVariant();
    return table->rowPrimaryKey(selectionModel()->currentIndex());
}

QVariantMap TTableView::rowDataMap(const QVariant &iPrimaryKey)
{
    TTableModel *table = d->tableModel();
    if (!table)
        return QVariantMap();
    const QModelIndex index = table->findRow(iPrimaryKey, QString());
    return index.isValid() ? table->rowDataMap(index, QString(), QString()) : QVariantMap();
}

QVariantList TTableView::selectedPrimaryKeys(bool iIncludeHidden)
{
    TTableModel *table = d->tableModel();
    QVariantList result;
    if (!table)
        return result;
    const QModelIndexList rows = selectedIndexes();
    for (const QModelIndex &index : rows) {
        TTableItem *item = table->item(index);
        if (!iIncludeHidden && item && !item->visible())
            continue;
        result.append(table->rowPrimaryKey(index));
    }
    return result;
}

QVariantList TTableView::selectedRowDataMaps(bool iIncludeHidden)
{
    TTableModel *table = d->tableModel();
    QVariantList result;
    if (!table)
        return result;
    const QModelIndexList rows = selectedIndexes();
    for (const QModelIndex &index : rows) {
        TTableItem *item = table->item(index);
        if (!iIncludeHidden && item && !item->visible())
            continue;
        result.append(table->rowDataMap(index, QString(), QString()));
    }
    return result;
}

// --- selection -----------------------------------------------------------------

QModelIndexList TTableView::selectedIndexes()
{
    return selectionModel() ? selectionModel()->selectedRows(0) : QModelIndexList();
}

void TTableView::selectRow(const QModelIndex &iIndex, QItemSelectionModel::SelectionFlags iFlags)
{
    if (iIndex.isValid() && selectionModel())
        selectionModel()->select(iIndex, iFlags);
}

void TTableView::selectRow(const QVariant &iKey, QItemSelectionModel::SelectionFlags iFlags)
{
    if (TTableModel *table = d->tableModel())
        selectRow(table->findRow(iKey, QString()), iFlags);
}

void TTableView::selectRows(const QModelIndexList &iIndexes, QItemSelectionModel::SelectionFlags iFlags)
{
    for (const QModelIndex &index : iIndexes)
        selectRow(index, iFlags);
}

void TTableView::selectRows(const QVariantList &iKeys, QItemSelectionModel::SelectionFlags iFlags)
{
    if (TTableModel *table = d->tableModel())
        selectRows(table->findRows(iKeys, QString(), 0), iFlags);
}

void TTableView::unselectAll()
{
    if (!selectionModel())
        return;
    selectionModel()->clear();
    selectionModel()->clearCurrentIndex();
}

// --- rows and columns shown ------------------------------------------------------

void TTableView::setRowVisible(const QModelIndex &iIndex, bool iVisible)
{
    // A change the model announced is only mirrored; a caller's change goes to the model's flag first.
    if (sender() != model()) {
        if (TTableModel *table = d->tableModel())
            table->setRowVisible(iIndex, iVisible);
    }
    if (isRowHidden(iIndex.row()) == !iVisible)
        return;
    // A search announces its rows one by one. A header that may repaint works
    // out every row's position again after each row it hides, which made one
    // keystroke over many rows quadratic; held, it lays out once.
    d->holdRowHeaderUpdates();
    setRowHidden(iIndex.row(), !iVisible);
}

void TTableView::refreshRowVisible()
{
    TTableModel *table = d->tableModel();
    if (!table)
        return;
    const QList<TTableItem *> items = table->dataList();
    for (int row = 0; row < items.size(); ++row)
        setRowHidden(row, !items.at(row)->visible());
}

void TTableView::setColumnVisible(int iColumn, bool iVisible) { setColumnHidden(iColumn, !iVisible); }

void TTableView::setColumnVisible(const QString &iName, bool iVisible)
{
    if (TTableModel *table = d->tableModel())
        setColumnHidden(table->columnNumber(iName), !iVisible);
}

void TTableView::setColumnVisible(const QMap<QString, bool> &iVisibles)
{
    for (auto it = iVisibles.cbegin(); it != iVisibles.cend(); ++it)
        setColumnVisible(it.key(), it.value());
}

bool TTableView::isColumnVisible(int iColumn)
{
    return iColumn >= 0 && iColumn < horizontalHeader()->count() && !isColumnHidden(iColumn);
}

bool TTableView::isColumnVisible(const QString &iName)
{
    TTableModel *table = d->tableModel();
    return table ? isColumnVisible(table->columnNumber(iName)) : false;
}

QMap<QString, bool> TTableView::isColumnVisible(const QStringList &iNames)
{
    QMap<QString, bool> result;
    TTableModel *table = d->tableModel();
    if (!table)
        return result;
    QStringList names = iNames;
    if (names.isEmpty()) {
        const QVariantList columns = table->headerItem();
        for (const QVariant &column : columns) {
            const QString name = column.toMap().value(QStringLiteral("name")).toString();
            if (!name.isEmpty())
                names.append(name);
        }
    }
    for (const QString &name : qAsConst(names))
        result.insert(name, isColumnVisible(table->columnNumber(name)));
    return result;
}

void TTableView::setColumnState(int iColumn, const QVariantMap &iState, bool iReset)
{
    QHeaderView *header = horizontalHeader();
    if (iColumn < 0 || iColumn >= header->count())
        return;
    if (iReset) {
        header->showSection(iColumn);
        header->setSectionResizeMode(iColumn, QHeaderView::Interactive);
    }
    const QVariant visible = iState.value(visibleKey);
    if (visible.isValid())
        header->setSectionHidden(iColumn, !visible.toBool());
    const QVariant size = iState.value(sizeKey);
    if (size.isValid())
        header->resizeSection(iColumn, size.toInt());
    const QVariant resizeMode = iState.value(QStringLiteral("resizeMode"));
    if (resizeMode.isValid())
        header->setSectionResizeMode(iColumn, TUiUtil::str2resizeMode(resizeMode.toString()));
}

int TTableView::gridLineMode()
{
    auto *delegate = qobject_cast<TStyledItemDelegate *>(itemDelegate());
    return delegate ? delegate->gridLineMode() : 0;
}

void TTableView::setGridLineMode(int iMode)
{
    if (auto *delegate = qobject_cast<TStyledItemDelegate *>(itemDelegate()))
        delegate->setGridLineMode(iMode);
}

// --- menus and the column pop-up ------------------------------------------------

void TTableView::setContextMenu(QMenu *iMenu) { d->contextMenu = iMenu; }

QMenu *TTableView::contextMenu() { return d->contextMenu; }

void TTableView::showContextMenu(const QPoint &iPos)
{
    Q_UNUSED(iPos)
    if (d->contextMenu)
        d->contextMenu->exec(QCursor::pos());
}

THeaderViewPopup *TTableView::headerPopup()
{
    if (!d->headerPopup) {
        d->headerPopup = new THeaderViewPopup(nullptr);
        d->headerPopup->setItemView(this);
    }
    return d->headerPopup;
}

void TTableView::showHeaderPopup(const QPoint &iPos)
{
    THeaderViewPopup *popup = headerPopup();
    popup->move(horizontalHeader()->mapToGlobal(iPos));
    popup->show();
}

void TTableView::setHeaderPopupEnabled(bool iEnabled)
{
    horizontalHeader()->setContextMenuPolicy(iEnabled ? Qt::CustomContextMenu : Qt::DefaultContextMenu);
}

// --- column layout text -----------------------------------------------------------

QString TTableView::saveState()
{
    QHeaderView *header = horizontalHeader();
    const QVariantList columns = headerItem();
    QVariantMap state;
    for (int position = 0; position < header->count(); ++position) {
        const int column = header->logicalIndex(position);
        const QString name = columns.value(column + 1).toMap().value(QStringLiteral("name")).toString();
        const bool hidden = header->isSectionHidden(column);
        int size = header->sectionSize(column);
        if (hidden) {
            // The width it comes back with, not the 0 of a hidden section.
            header->showSection(column);
            size = header->sectionSize(column);
            header->hideSection(column);
        }
        state.insert(name, QVariantMap {{positionKey, position}, {visibleKey, !hidden}, {sizeKey, size}});
    }
    return TDataParse::variant2JsonStr(state, false);
}

bool TTableView::restorSaveState(const QString &iState)
{
    const QVariant parsed = TDataParse::jsonStr2Variant(iState);
    if (parsed.userType() != QMetaType::QVariantMap)
        return false;
    TTableModel *table = d->tableModel();
    QHeaderView *header = horizontalHeader();
    struct Entry
    {
        int column;
        QVariantMap state;
    };
    // Checked whole before anything changes: a layout that does not fit this
    // table is refused, not half applied.
    QVector<Entry> entries;
    QVector<int> order(header->count(), -1); // logical column per visual position
    const QVariantMap saved = parsed.toMap();
    for (auto it = saved.cbegin(); it != saved.cend(); ++it) {
        // Unnamed columns share the empty name; they cannot be told apart.
        if (it.key().isEmpty())
            continue;
        const int column = table ? table->columnNumber(it.key()) : -1;
        if (column < 0)
            return false;
        const QVariantMap entry = it.value().toMap();
        const QVariant position = entry.value(positionKey);
        if (position.isValid()) {
            bool isNumber = false;
            const int target = position.toInt(&isNumber);
            if (!isNumber || target < 0 || target >= order.size() || order.at(target) != -1)
                return false;
            order[target] = column;
        }
        entries.append({column, entry});
    }

    // The columns the text places take their positions; the others fill the
    // free ones in their present order. Moving to each position in ascending
    // order then gives exactly that order, whatever order the table had.
    int freePosition = 0;
    for (int position = 0; position < header->count(); ++position) {
        const int column = header->logicalIndex(position);
        if (order.contains(column))
            continue;
        while (order.at(freePosition) != -1)
            ++freePosition;
        order[freePosition] = column;
    }
    for (int position = 0; position < order.size(); ++position) {
        const int current = header->visualIndex(order.at(position));
        if (current != -1 && current != position)
            header->moveSection(current, position);
    }
    for (const Entry &entry : qAsConst(entries)) {
        if (entry.state.contains(sizeKey))
            header->resizeSection(entry.column, entry.state.value(sizeKey).toInt());
        if (entry.state.contains(visibleKey))
            header->setSectionHidden(entry.column, !entry.state.value(visibleKey).toBool());
    }
    return true;
}

// --- drag mode -----------------------------------------------------------------------

int TTableView::dragMode() { return d->dragMode; }

void TTableView::setDragMode(int iMode)
{
    d->dragMode = iMode;
    if (TTableModel *table = d->tableModel())
        table->setDragMode(iMode);
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
