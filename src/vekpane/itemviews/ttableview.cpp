#include "ttableview.h"
#include "ttableview_p.h"

#include "tdataparse.h"
#include "theaderviewpopup.h"
#include "tscriptvalue.h"
#include "tstyleditemdelegate.h"
#include "ttableitem.h"
#include "ttablemodel.h"

#include <QHeaderView>

namespace {

const QString positionKey = QStringLiteral("position");
const QString visibleKey = QStringLiteral("visible");
const QString sizeKey = QStringLiteral("size");

} // namespace

template<typename Items>
QModelIndexList TTableViewPrivate::indexesOf(const Items &iItems, int iFirst) const
{
    TTableModel *table = model();
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
    d->relayAnyDataChanged();
}

TTableView::~TTableView() { delete d->headerPopup; }

void TTableView::setModel(QAbstractItemModel *iModel)
{
    d->installModel(iModel, [this, iModel] { QTableView::setModel(iModel); });
}

void TTableView::setAttr(const QString &iKey, const QVariant &iValue)
{
    const QVariant value = TScriptValue::toPlain(iValue);
    _setData(this, iKey, value);
    if (iKey == QLatin1String("drag_mode")) {
        setDragMode(value.toInt());
    } else if (iKey == QLatin1String("value")) {
        if (value.userType() == QMetaType::QVariantList && d->model())
            d->model()->loadData(value.toList());
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

void TTableView::setHeaderItem(const QVariantList &iList) { d->forward(&TTableModel::setHeaderItem, iList); }

QVariantList TTableView::headerItem() { return d->ask(QVariantList(), &TTableModel::headerItem); }

QString TTableView::columnName(int iColumn) { return d->ask(QString(), &TTableModel::columnName, iColumn); }

int TTableView::colummNumber(const QString &iColName) { return d->ask(-1, &TTableModel::columnNumber, iColName); }

QStringList TTableView::dataKeyList() { return d->ask(QStringList(), &TTableModel::dataKeyList); }

void TTableView::setDataKeyList(const QStringList &iKeys) { d->forward(&TTableModel::setDataKeyList, iKeys); }

void TTableView::setPrimaryKey(const QString &iKey) { d->forward(&TTableModel::setPrimaryKey, iKey); }

void TTableView::setVisibleKey(const QString &iKey) { d->forward(&TTableModel::setVisibleKey, iKey); }

void TTableView::loadData(const QVariantList &iRows) { d->forward(&TTableModel::loadData, iRows); }

void TTableView::clearData() { d->forward(&TTableModel::clear); }

QModelIndex TTableView::appendRow(const QVariant &iRow)
{
    TTableModel *table = d->model();
    if (!table)
        return QModelIndex();
    TTableItem *item = table->appendRow(iRow);
    return d->indexesOf(QList<TTableItem *> {item}, table->rowCount() - 1).value(0);
}

QModelIndex TTableView::prependRow(const QVariant &iRow)
{
    TTableModel *table = d->model();
    if (!table)
        return QModelIndex();
    TTableItem *item = table->prependRow(iRow);
    return d->indexesOf(QList<TTableItem *> {item}, 0).value(0);
}

QModelIndexList TTableView::appendRows(const QVariantList &iRows)
{
    TTableModel *table = d->model();
    if (!table)
        return QModelIndexList();
    const QList<TTableItem *> items = table->appendRows(iRows);
    return d->indexesOf(items, table->rowCount() - items.size());
}

QModelIndexList TTableView::prependRows(const QVariantList &iRows)
{
    TTableModel *table = d->model();
    if (!table)
        return QModelIndexList();
    return d->indexesOf(table->prependRows(iRows), 0);
}

void TTableView::setRowKeyValue(const QModelIndex &iIndex, const QString &iKey, const QVariant &iValue)
{
    d->forward(&TTableModel::setRowKeyValue, iIndex, iKey, iValue, true);
}

void TTableView::setRowData(const QModelIndex &iIndex, const QVariant &iRow, bool iReset)
{
    d->forward(&TTableModel::setRowData, iIndex, iRow, iReset);
}

void TTableView::setRowKeyValueByPrimaryKey(const QVariant &iPrimaryKey, const QString &iKey, const QVariant &iValue)
{
    setRowKeyValue(findRow(iPrimaryKey, QString()), iKey, iValue);
}

void TTableView::setRowDataByPrimaryKey(const QVariant &iPrimaryKey, const QVariant &iRow, bool iReset)
{
    setRowData(findRow(iPrimaryKey, QString()), iRow, iReset);
}

bool TTableView::removeRow(const QModelIndex &iIndex)
{
    return d->ask(false, QOverload<QModelIndex>::of(&TTableModel::removeRow), iIndex);
}

bool TTableView::removeRows(const QModelIndexList &iIndexes)
{
    return d->ask(false, QOverload<QModelIndexList>::of(&TTableModel::removeRows), iIndexes);
}

bool TTableView::removeSelectedRows() { return removeRows(selectedIndexes()); }

void TTableView::moveRowsUp(const QModelIndexList &iIndexes) { d->forward(&TTableModel::moveRowsUp, iIndexes); }

void TTableView::moveRowsDown(const QModelIndexList &iIndexes) { d->forward(&TTableModel::moveRowsDown, iIndexes); }

void TTableView::moveRowsTop(const QModelIndexList &iIndexes) { d->forward(&TTableModel::moveRowsTop, iIndexes); }

void TTableView::moveRowsBottom(const QModelIndexList &iIndexes) { d->forward(&TTableModel::moveRowsBottom, iIndexes); }

void TTableView::moveSelectedRowsUp() { moveRowsUp(selectedIndexes()); }

void TTableView::moveSelectedRowsDown() { moveRowsDown(selectedIndexes()); }

void TTableView::moveSelectedRowsTop() { moveRowsTop(selectedIndexes()); }

void TTableView::moveSelectedRowsBottom() { moveRowsBottom(selectedIndexes()); }

QModelIndex TTableView::findRow(const QVariant &iValue, const QString &iColumn)
{
    return d->ask(QModelIndex(), &TTableModel::findRow, iValue, iColumn);
}

QModelIndexList TTableView::findRows(const QVariant &iValue, const QString &iColumn, int iFilter)
{
    return d->ask(QModelIndexList(), QOverload<QVariant, QString, int>::of(&TTableModel::findRows), iValue, iColumn,
                  iFilter);
}

QModelIndexList TTableView::findRows(const QVariantList &iValues, const QString &iColumn, int iFilter)
{
    return d->ask(QModelIndexList(), QOverload<QVariantList, QString, int>::of(&TTableModel::findRows), iValues,
                  iColumn, iFilter);
}

QModelIndexList TTableView::findRows(const QRegExp &iExpression, const QStringList &iColumns, int iFilter)
{
    return d->ask(QModelIndexList(), QOverload<QRegExp, QStringList, int>::of(&TTableModel::findRows), iExpression,
                  iColumns, iFilter);
}

QVariantList TTableView::allDataMap(const QString &iIndexKey, const QString &iVisibleKey, bool iIncludeHidden)
{
    return d->ask(QVariantList(), &TTableModel::allDataMap, iIndexKey, iVisibleKey, iIncludeHidden);
}

QVariantList TTableView::allPrimaryKey(bool iIncludeHidden)
{
    return d->ask(QVariantList(), &TTableModel::allPrimaryKey, iIncludeHidden);
}

QVariant TTableView::currentRowDataMap()
{
    return d->readCurrent([](TTableModel *iTable, const QModelIndex &iIndex) { return iTable->rowDataMap(iIndex); });
}

QVariant TTableView::currentRowDataList() { return d->readCurrent(&TTableModel::rowDataList); }

QVariant TTableView::currentPrimaryKey() { return d->readCurrent(&TTableModel::rowPrimaryKey); }

QVariantMap TTableView::rowDataMap(const QVariant &iPrimaryKey)
{
    TTableModel *table = d->model();
    if (!table)
        return QVariantMap();
    const QModelIndex index = table->findRow(iPrimaryKey, QString());
    return index.isValid() ? table->rowDataMap(index, QString(), QString()) : QVariantMap();
}

QVariantList TTableView::selectedPrimaryKeys(bool iIncludeHidden) { return d->selectedRows(iIncludeHidden, false); }

QVariantList TTableView::selectedRowDataMaps(bool iIncludeHidden) { return d->selectedRows(iIncludeHidden, true); }

// --- selection -----------------------------------------------------------------

QModelIndexList TTableView::selectedIndexes() { return d->selectedIndexes(); }

void TTableView::selectRow(const QModelIndex &iIndex, QItemSelectionModel::SelectionFlags iFlags)
{
    d->selectRow(iIndex, iFlags);
}

void TTableView::selectRow(const QVariant &iKey, QItemSelectionModel::SelectionFlags iFlags)
{
    if (TTableModel *table = d->model())
        selectRow(table->findRow(iKey, QString()), iFlags);
}

void TTableView::selectRows(const QModelIndexList &iIndexes, QItemSelectionModel::SelectionFlags iFlags)
{
    d->selectRows(iIndexes, iFlags);
}

void TTableView::selectRows(const QVariantList &iKeys, QItemSelectionModel::SelectionFlags iFlags)
{
    // Filter 0: selecting by key must not hide the rows that are not selected.
    if (TTableModel *table = d->model())
        selectRows(table->findRows(iKeys, QString(), 0), iFlags);
}

void TTableView::unselectAll() { d->unselectAll(); }

// --- rows and columns shown ------------------------------------------------------

void TTableView::setRowVisible(const QModelIndex &iIndex, bool iVisible)
{
    // A change the model announced is only mirrored; a caller's change goes to the model's flag first.
    if (sender() != model()) {
        if (TTableModel *table = d->model())
            table->setRowVisible(iIndex, iVisible);
    }
    if (!d->isLive(iIndex) || isRowHidden(iIndex.row()) == !iVisible)
        return;
    // A search announces its rows one by one. A header that may repaint works
    // out every row's position again after each row it hides, which made one
    // keystroke over many rows quadratic; held, it lays out once.
    d->holdRowHeaderUpdates();
    setRowHidden(iIndex.row(), !iVisible);
}

void TTableView::refreshRowVisible()
{
    TTableModel *table = d->model();
    if (!table)
        return;
    const QList<TTableItem *> items = table->dataList();
    for (int row = 0; row < items.size(); ++row)
        setRowHidden(row, !items.at(row)->visible());
}

void TTableView::setColumnVisible(int iColumn, bool iVisible) { d->setColumnVisible(iColumn, iVisible); }

void TTableView::setColumnVisible(const QString &iName, bool iVisible) { d->setColumnVisible(iName, iVisible); }

void TTableView::setColumnVisible(const QMap<QString, bool> &iVisibles) { d->setColumnVisible(iVisibles); }

bool TTableView::isColumnVisible(int iColumn) { return d->isColumnVisible(iColumn); }

bool TTableView::isColumnVisible(const QString &iName) { return d->isColumnVisible(iName); }

QMap<QString, bool> TTableView::isColumnVisible(const QStringList &iNames) { return d->isColumnVisible(iNames); }

void TTableView::setColumnState(int iColumn, const QVariantMap &iState, bool iReset)
{
    d->setColumnState(iColumn, iState, iReset);
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
    d->showContextMenu();
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
    TTableModel *table = d->model();
    QHeaderView *header = horizontalHeader();
    struct Entry
    {
        int column;
        QVariantMap state;
    };
    // A layout saved before a column was renamed, added or removed still
    // fits in part: each entry that names a column applies, the others are
    // skipped, and a position that cannot be taken leaves its column where
    // the others put it.
    QVector<Entry> entries;
    QVector<int> order(header->count(), -1); // logical column per visual position
    const QVariantMap saved = parsed.toMap();
    for (auto it = saved.cbegin(); it != saved.cend(); ++it) {
        // Unnamed columns share the empty name; they cannot be told apart.
        if (it.key().isEmpty() || it.value().userType() != QMetaType::QVariantMap)
            continue;
        const int column = table ? table->columnNumber(it.key()) : -1;
        if (column < 0 || column >= header->count())
            continue;
        const QVariantMap entry = it.value().toMap();
        const QVariant position = entry.value(positionKey);
        if (position.isValid()) {
            bool isNumber = false;
            const int target = position.toInt(&isNumber);
            if (isNumber && target >= 0 && target < order.size() && order.at(target) == -1)
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
        if (entry.state.contains(sizeKey)) {
            bool isNumber = false;
            const int size = entry.state.value(sizeKey).toInt(&isNumber);
            if (isNumber && size >= 0)
                header->resizeSection(entry.column, size);
        }
        if (entry.state.contains(visibleKey))
            header->setSectionHidden(entry.column, !entry.state.value(visibleKey).toBool());
    }
    return true;
}

// --- drag mode -----------------------------------------------------------------------

int TTableView::dragMode() { return d->dragMode; }

void TTableView::setDragMode(int iMode) { d->setDragMode(iMode); }
