#include "tmulticomboboxprilistwgt.h"
#include "tmulticomboboxprilistwgt_p.h"

#include "timagebudget.h"
#include "tresource.h"
#include "ttheme.h"
#include "ttoolbutton.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>

namespace {

// The item-list position behind a row.
const int ItemIndexRole = Qt::UserRole + 1;

QVariantMap asMap(const QVariant &iItem)
{
    if (iItem.userType() == QMetaType::QVariantHash) {
        QVariantMap map;
        const QVariantHash hash = iItem.toHash();
        for (auto it = hash.cbegin(); it != hash.cend(); ++it)
            map.insert(it.key(), it.value());
        return map;
    }
    return iItem.toMap();
}

bool isMap(const QVariant &iItem)
{
    return iItem.userType() == QMetaType::QVariantMap || iItem.userType() == QMetaType::QVariantHash;
}

} // namespace

int TMultiComboBoxPriListWgtPrivate::itemRowCount() const
{
    Q_Q(const TMultiComboBoxPriListWgt);
    return qMax(0, q->count() - 1);
}

QVariantMap TMultiComboBoxPriListWgtPrivate::itemOfRow(int iRow) const
{
    Q_Q(const TMultiComboBoxPriListWgt);
    const QListWidgetItem *row = q->item(iRow);
    if (!row)
        return QVariantMap();
    return asMap(items.value(row->data(ItemIndexRole).toInt()));
}

void TMultiComboBoxPriListWgtPrivate::setRowChecked(int iRow, bool iChecked)
{
    Q_Q(TMultiComboBoxPriListWgt);
    QListWidgetItem *row = q->item(iRow);
    const Qt::CheckState state = iChecked ? Qt::Checked : Qt::Unchecked;
    if (row && row->checkState() != state)
        row->setCheckState(state);
}

void TMultiComboBoxPriListWgtPrivate::rebuildRows()
{
    Q_Q(TMultiComboBoxPriListWgt);
    q->clear();
    rowOfName.clear();
    for (int i = 0; i < items.size(); ++i) {
        if (!isMap(items.at(i)))
            continue;
        const QVariantMap item = asMap(items.at(i));
        auto *row = new QListWidgetItem(TImageBudget::iconFile(item.value(QStringLiteral("icon")).toString()),
                                        item.value(QStringLiteral("text")).toString());
        row->setData(Qt::UserRole, item.value(QStringLiteral("user_data")));
        row->setData(ItemIndexRole, i);
        // Not user-checkable: a press toggles the row (select()), and the
        // view's own toggle on the indicator would undo it.
        row->setFlags(Qt::ItemIsEnabled);
        row->setCheckState(Qt::Unchecked);
        const QString name = item.value(QStringLiteral("name")).toString();
        if (!rowOfName.contains(name))
            rowOfName.insert(name, q->count());
        q->addItem(row);
    }
    addHeaderRow();
}

void TMultiComboBoxPriListWgtPrivate::addHeaderRow()
{
    Q_Q(TMultiComboBoxPriListWgt);
    TTheme *theme = TTheme::instance();
    auto *row = new QListWidgetItem;
    row->setSizeHint(QSize(theme->dp(80), theme->dp(30)));
    row->setFlags(Qt::NoItemFlags);
    q->addItem(row);

    auto *frame = new QFrame;
    frame->setStyleSheet(QStringLiteral("border:0px;background-color:%1;")
                                 .arg(theme->value(QStringLiteral("COLOR_PRIMARY_1")).toString()));
    auto *layout = new QHBoxLayout(frame);
    const int margin = theme->dp(3);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->setSpacing(theme->dp(10));
    selectAllBox = new QCheckBox(frame);
    layout->addWidget(selectAllBox);
    layout->addWidget(new QLabel(TMultiComboBoxPriListWgt::tr("All"), frame));
    layout->addStretch(1);
    auto *okButton = new TToolButton(frame);
    okButton->setToolButtonStyle(Qt::ToolButtonIconOnly);
    okButton->setAttr(QStringLiteral("style"), QStringLiteral("size=small"));
    okButton->setIcon(
            TResource::instance()->icon(QStringLiteral("check"), QStringLiteral("button"), QStringLiteral("body")));
    okButton->setShortcut(QKeySequence(Qt::Key_Enter));
    layout->addWidget(okButton);
    QObject::connect(selectAllBox.data(), &QCheckBox::clicked, q, &TMultiComboBoxPriListWgt::selectAll);
    QObject::connect(okButton, &QToolButton::clicked, q, &TMultiComboBoxPriListWgt::ok);
    q->setItemWidget(row, frame);
}

TMultiComboBoxPriListWgt::TMultiComboBoxPriListWgt(QWidget *iParent)
    : QListWidget(iParent)
    , d(new TMultiComboBoxPriListWgtPrivate(this))
{
    setViewMode(QListView::ListMode);
    connect(this, &QListWidget::itemPressed, this,
            static_cast<void (TMultiComboBoxPriListWgt::*)(QListWidgetItem *)>(&TMultiComboBoxPriListWgt::select));
    connect(this, &QAbstractItemView::clicked, this, &TMultiComboBoxPriListWgt::doAfterSelectRefresh);
    d->addHeaderRow();
}

TMultiComboBoxPriListWgt::~TMultiComboBoxPriListWgt() = default;

QStringList TMultiComboBoxPriListWgt::currentNames() const
{
    QStringList names;
    const QVariantList maps = currentDatasMap();
    for (const QVariant &map : maps)
        names.append(map.toMap().value(QStringLiteral("name")).toString());
    return names;
}

void TMultiComboBoxPriListWgt::setCurrentNames(const QStringList &iCurNameLst)
{
    const bool wasBlocked = blockSignals(true);
    selectAll(false);
    blockSignals(wasBlocked);
    for (const QString &name : iCurNameLst) {
        const auto it = d->rowOfName.constFind(name);
        if (it != d->rowOfName.cend())
            d->setRowChecked(it.value(), true);
    }
    doAfterSelectRefresh();
    ok();
}

QList<QIcon> TMultiComboBoxPriListWgt::currentIcons() const
{
    QList<QIcon> icons;
    const QVariantList maps = currentDatasMap();
    for (const QVariant &map : maps)
        icons.append(TImageBudget::iconFile(map.toMap().value(QStringLiteral("icon")).toString()));
    return icons;
}

QVariantList TMultiComboBoxPriListWgt::currentUserDatas() const
{
    QVariantList datas;
    const QVariantList maps = currentDatasMap();
    for (const QVariant &map : maps)
        datas.append(map.toMap().value(QStringLiteral("user_data")));
    return datas;
}

void TMultiComboBoxPriListWgt::select(const QString &iNameStr, bool iFlagBol)
{
    const auto it = d->rowOfName.constFind(iNameStr);
    if (it == d->rowOfName.cend())
        return;
    d->setRowChecked(it.value(), iFlagBol);
    doAfterSelectRefresh();
}

void TMultiComboBoxPriListWgt::selectAll(bool iIsAllSelectBol)
{
    const int rows = d->itemRowCount();
    for (int row = 0; row < rows; ++row)
        d->setRowChecked(row, iIsAllSelectBol);
    doAfterSelectRefresh();
}

QVariantList TMultiComboBoxPriListWgt::data() const { return d->items; }

void TMultiComboBoxPriListWgt::setData(const QVariantList &iItemVarLst)
{
    d->items = iItemVarLst;
    const bool wasBlocked = blockSignals(true);
    d->rebuildRows();
    blockSignals(wasBlocked);
    ok();
}

QVariantList TMultiComboBoxPriListWgt::currentDatasMap() const
{
    QVariantList maps;
    const int rows = d->itemRowCount();
    for (int row = 0; row < rows; ++row) {
        const QListWidgetItem *rowItem = item(row);
        if (rowItem->checkState() != Qt::Checked)
            continue;
        const QVariantMap source = d->itemOfRow(row);
        maps.append(QVariantMap {{QStringLiteral("text"), rowItem->text()},
                                 {QStringLiteral("icon"), source.value(QStringLiteral("icon"))},
                                 {QStringLiteral("user_data"), rowItem->data(Qt::UserRole)},
                                 {QStringLiteral("name"), source.value(QStringLiteral("name"))}});
    }
    return maps;
}

void TMultiComboBoxPriListWgt::hideEvent(QHideEvent *iEvent)
{
    QListWidget::hideEvent(iEvent);
    if (d->cancelFlag)
        d->cancelFlag = false;
    else
        ok();
}

void TMultiComboBoxPriListWgt::doAfterSelectRefresh()
{
    const QVariantList maps = currentDatasMap();
    if (d->selectAllBox)
        d->selectAllBox->setChecked(maps.size() == d->itemRowCount());
    Q_EMIT selectChanged(maps);
    clearFocus();
}

void TMultiComboBoxPriListWgt::select(QListWidgetItem *iItemPtr)
{
    if (!iItemPtr || row(iItemPtr) >= d->itemRowCount())
        return;
    iItemPtr->setCheckState(iItemPtr->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    doAfterSelectRefresh();
}

void TMultiComboBoxPriListWgt::ok()
{
    const QVariantList maps = currentDatasMap();
    if (maps == d->committed)
        return;
    d->committed = maps;
    Q_EMIT modelDataChanged(maps);
    Q_EMIT finish();
}

void TMultiComboBoxPriListWgt::cancel()
{
    d->cancelFlag = true;
    Q_EMIT finish();
}
