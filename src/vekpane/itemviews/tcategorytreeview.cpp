#include "tcategorytreeview.h"
#include "tcategorytreeview_p.h"

#include "ttreemodel.h"

#include <QHeaderView>

namespace {

const QString checkStateRoleKey = QStringLiteral("checkStateRole");
const QString flagsRoleKey = QStringLiteral("flagsRole");
const QString checkStateSyncKey = QStringLiteral("checkStateSync");
const QString checkedRef = QStringLiteral("$checked");
const QString checkableFlags = QStringLiteral("ItemIsEnabled|ItemIsSelectable|ItemIsUserCheckable");

} // namespace

TTreeModel *TCategoryTreeViewPrivate::treeModel() const
{
    Q_Q(const TCategoryTreeView);
    return qobject_cast<TTreeModel *>(q->model());
}

void TCategoryTreeViewPrivate::selectNothing()
{
    Q_Q(TCategoryTreeView);
    q->clearSelection();
    selectionMode = QAbstractItemView::NoSelection;
    q->QTreeView::setSelectionMode(QAbstractItemView::NoSelection);
}

TCategoryTreeView::TCategoryTreeView(QWidget *iParent)
    : TTreeView(iParent)
    , d(new TCategoryTreeViewPrivate(this))
{
    setAlternatingRowColors(false);

    setPrimaryKey(QStringLiteral("name"));
    setExpandedKey(QStringLiteral("EXPAND"));
    setVisibleKey(QStringLiteral("VISIBLE"));
    setDataKeyList({QStringLiteral("name"), QStringLiteral("icon"), QStringLiteral("text"), QStringLiteral("count"),
                    QStringLiteral("data"), QStringLiteral("format"), QStringLiteral("EXPAND"),
                    QStringLiteral("VISIBLE"), QStringLiteral("new_text"), QStringLiteral("checked")});
    setHeaderItem({QVariantMap {{QStringLiteral("name"), QStringLiteral("text")},
                                {QStringLiteral("decorationRole"), QStringLiteral("$icon")},
                                {QStringLiteral("resizeMode"), QStringLiteral("Stretch")},
                                {QStringLiteral("size"), 100},
                                {checkStateRoleKey, checkedRef},
                                {flagsRoleKey, checkableFlags},
                                {QStringLiteral("displayRole"), QStringLiteral("$new_text")},
                                {QStringLiteral("typeRole"), QStringLiteral("html")}}});
    header()->hide();

    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &TCategoryTreeView::onSelectionChanged);
    connect(this, &TTreeView::rowCheckStateChanged, this, &TCategoryTreeView::onRowCheckStateChanged);
}

TCategoryTreeView::~TCategoryTreeView() = default;

void TCategoryTreeView::setItemList(const QVariantList &iList)
{
    loadTreeData(iList, QStringLiteral("CHILDREN"));
    // Loading may come with or without check boxes: the flag decides.
    setCheckable(d->checkable);
    refresh();
}

bool TCategoryTreeView::isCheckable() const { return d->checkable; }

void TCategoryTreeView::setCheckable(bool iCheckable)
{
    d->checkable = iCheckable;
    QVariantList columns = headerItem();
    if (columns.size() != 1)
        return;
    QVariantMap column = columns.at(0).toMap();
    if (iCheckable) {
        d->selectNothing();
        column.insert(checkStateRoleKey, checkedRef);
        column.insert(flagsRoleKey, checkableFlags);
        column.insert(checkStateSyncKey, true);
    } else {
        column.remove(checkStateRoleKey);
        column.remove(flagsRoleKey);
        column.remove(checkStateSyncKey);
    }
    setHeaderItem({column});
}

QAbstractItemView::SelectionMode TCategoryTreeView::selectionMode() const { return d->selectionMode; }

void TCategoryTreeView::setSelectionMode(QAbstractItemView::SelectionMode iMode)
{
    if (d->checkable) {
        d->selectNothing();
        return;
    }
    d->selectionMode = iMode;
    QTreeView::setSelectionMode(iMode);
}

QString TCategoryTreeView::displayFormat() const { return d->displayFormat; }

void TCategoryTreeView::setDisplayFormat(const QString &iFormat) { d->displayFormat = iFormat; }

void TCategoryTreeView::updateCount(const QVariantMap &iCounts)
{
    if (TTreeModel *tree = d->treeModel()) {
        const QModelIndexList rows = tree->allIndexs(QModelIndex(), true);
        for (const QModelIndex &row : rows) {
            const QString name = tree->rowDataMap(row).value(QStringLiteral("name")).toString();
            const auto it = iCounts.constFind(name);
            if (it != iCounts.constEnd())
                tree->setRowKeyValue(row, QStringLiteral("count"), it.value(), false);
        }
    }
    refresh();
}

void TCategoryTreeView::setHeaderLabel(const QString &iLabel)
{
    QVariantList columns = headerItem();
    if (columns.size() != 1)
        return;
    QVariantMap column = columns.at(0).toMap();
    column.insert(QStringLiteral("display"), iLabel);
    setHeaderItem({column});
    header()->show();
}

void TCategoryTreeView::refresh()
{
    TTreeModel *tree = d->treeModel();
    if (!tree)
        return;
    const QModelIndexList rows = tree->allIndexs(QModelIndex(), true);
    for (const QModelIndex &row : rows) {
        const QVariantMap values = tree->rowDataMap(row);
        QString format = values.value(QStringLiteral("format")).toString();
        if (format.isEmpty())
            format = d->displayFormat;
        const int count = values.value(QStringLiteral("count")).toInt();
        const QString countText = count != 0 ? QStringLiteral("(%1)").arg(count) : QString();
        const QString text = format.arg(values.value(QStringLiteral("text")).toString(), 0, QLatin1Char(' '))
                                     .arg(countText, 0, QLatin1Char(' '));
        tree->setRowKeyValue(row, QStringLiteral("new_text"), text, true);
    }
}

void TCategoryTreeView::onSelectionChanged() { Q_EMIT selectionChanged(selectedRowDataMaps(false)); }

void TCategoryTreeView::onRowCheckStateChanged()
{
    QVariantList checked;
    if (TTreeModel *tree = d->treeModel()) {
        // Every fully checked row, hidden ones too; the model keeps children in step.
        const QModelIndexList rows = tree->allIndexs(QModelIndex(), true);
        for (const QModelIndex &row : rows) {
            const QVariantMap values = tree->rowDataMap(row);
            if (values.value(QStringLiteral("checked")).toInt() == 1)
                checked.append(values);
        }
    }
    Q_EMIT selectionChanged(checked);
}
