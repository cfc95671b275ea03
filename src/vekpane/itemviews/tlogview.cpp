#include "tlogview.h"
#include "tlogview_p.h"

#include "tcombobox.h"
#include "tresource.h"
#include "tsearchentry.h"
#include "ttablemodel.h"
#include "ttableview.h"

#include <QHeaderView>
#include <QLabel>
#include <QRegExp>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString categoryKey = QStringLiteral("category");

QVariantMap column(const QString &iName, const QString &iDisplay, int iSize, const QString &iResizeMode)
{
    QVariantMap map {{QStringLiteral("name"), iName},
                     {QStringLiteral("display"), iDisplay},
                     {QStringLiteral("resizeMode"), iResizeMode},
                     {QStringLiteral("displayRole"), QString(QLatin1Char('$') + iName)}};
    if (iSize > 0)
        map.insert(QStringLiteral("size"), iSize);
    return map;
}

} // namespace

void TLogViewPrivate::initTable()
{
    tableView->verticalHeader()->hide();
    tableView->setAttr(QStringLiteral("primary_key"), QStringLiteral("id"));
    tableView->setAttr(QStringLiteral("data_keys"), dataKeys);
    const QString interactive = QStringLiteral("Interactive");
    QVariantMap event = column(QStringLiteral("action_type"), TLogView::tr("Event"), 200, interactive);
    event.insert(QStringLiteral("decorationRole"), QStringLiteral("$icon"));
    tableView->setHeaderItem(
            {QVariant(), column(QStringLiteral("action_time"), TLogView::tr("Time"), 150, interactive),
             column(QStringLiteral("user_name"), TLogView::tr("Operator"), 0, interactive), event,
             column(QStringLiteral("remark"), TLogView::tr("Remark"), 300, interactive),
             column(QStringLiteral("site"), TLogView::tr("Site"), 0, QStringLiteral("ResizeToContents"))});
    tableView->setSelectionMode(QAbstractItemView::ExtendedSelection);
}

void TLogViewPrivate::initSearchEntry()
{
    auto option = [](const QString &iName, const QString &iText) {
        return QVariantMap {{QStringLiteral("name"), iName}, {QStringLiteral("text"), iText}};
    };
    searchEntry->setOptionList({option(QStringLiteral("user_name"), TLogView::tr("Operator")),
                                option(QStringLiteral("action_type"), TLogView::tr("Event")),
                                option(QStringLiteral("remark"), TLogView::tr("Remark")),
                                option(QStringLiteral("site"), TLogView::tr("Site"))});
    searchEntry->setPlaceholderText(TLogView::tr("Search %1"));
    searchEntry->setSearchDelayTime(1);
    defaultSearchKeys = QStringList {QStringLiteral("user_name"), QStringLiteral("action_type"),
                                     QStringLiteral("remark"), QStringLiteral("site")};
}

void TLogViewPrivate::initLabelMap()
{
    labelMap = QVariantMap {{QStringLiteral("Time"), TLogView::tr("Time")},
                            {QStringLiteral("Operator"), TLogView::tr("Operator")},
                            {QStringLiteral("Event"), TLogView::tr("Event")},
                            {QStringLiteral("Tag"), TLogView::tr("Tag")},
                            {QStringLiteral("Category"), TLogView::tr("Category")},
                            {QStringLiteral("Row Id"), TLogView::tr("Row Id")},
                            {QStringLiteral("Site"), TLogView::tr("Site")},
                            {QStringLiteral("Remark"), TLogView::tr("Remark")},
                            {QStringLiteral("Level"), TLogView::tr("Level")},
                            {QStringLiteral("User Id"), TLogView::tr("User Id")},
                            {QStringLiteral("Detail"), TLogView::tr("Detail")}};
}

void TLogViewPrivate::refreshComboBoxItem()
{
    categoryBox->clear();
    categoryBox->addItem(TLogView::tr("All"));
    for (const QString &category : qAsConst(categories))
        categoryBox->addItem(category);
}

TLogView::TLogView(QWidget *iParent)
    : QWidget(iParent)
    , d(new TLogViewPrivate(this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    resize(800, 600);
    d->dataKeys = QStringList {QStringLiteral("id"),          QStringLiteral("row_id"),    QStringLiteral("category"),
                               QStringLiteral("action_time"), QStringLiteral("user_name"), QStringLiteral("user_id"),
                               QStringLiteral("action_type"), QStringLiteral("log_level"), QStringLiteral("site"),
                               QStringLiteral("tags"),        QStringLiteral("tags.text"), QStringLiteral("remark"),
                               QStringLiteral("detail")};

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    auto *toolBar = new QToolBar(this);
    auto *refreshButton = new QToolButton(toolBar);
    refreshButton->setText(tr("Refresh"));
    refreshButton->setIcon(
            TResource::instance()->icon(QStringLiteral("refresh"), QStringLiteral("button"), QStringLiteral("body")));
    refreshButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    toolBar->addWidget(refreshButton);
    toolBar->addSeparator();
    toolBar->addWidget(new QLabel(tr("Search"), toolBar));
    d->searchEntry = new TSearchEntry(toolBar);
    toolBar->addWidget(d->searchEntry);
    toolBar->addSeparator();
    auto *spacer = new QWidget(toolBar);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    toolBar->addWidget(spacer);
    toolBar->addSeparator();
    toolBar->addWidget(new QLabel(tr("Category"), toolBar));
    d->categoryBox = new TComboBox(toolBar);
    toolBar->addWidget(d->categoryBox);

    d->tableView = new TTableView(this);
    column->addWidget(toolBar);
    column->addWidget(d->tableView);

    d->initTable();
    d->initSearchEntry();
    d->refreshComboBoxItem();
    d->initLabelMap();

    connect(d->searchEntry, &TSearchEntry::search, this, &TLogView::applyFilter);
    connect(d->categoryBox, QOverload<int>::of(&QComboBox::activated), this, &TLogView::applyFilter);
    connect(refreshButton, &QToolButton::clicked, this, &TLogView::refreshLogInfo);
    connect(d->tableView, &QAbstractItemView::activated, this, &TLogView::onViewDetailBtnClicked);
}

TLogView::~TLogView() = default;

void TLogView::setLog(const QVariantList &iLogLst)
{
    const int categoryPosition = d->dataKeys.indexOf(categoryKey);
    QVariantList rows;
    rows.reserve(iLogLst.size());
    for (const QVariant &record : iLogLst) {
        QString category;
        if (record.userType() == QMetaType::QVariantList) {
            const QVariantList values = record.toList();
            if (categoryPosition >= 0 && categoryPosition < values.size())
                category = values.at(categoryPosition).toString();
            rows.append(record);
        } else if (record.userType() == QMetaType::QVariantMap) {
            QVariantMap map = record.toMap();
            map.insert(QStringLiteral("tags.text"),
                       map.value(QStringLiteral("tags")).toStringList().join(QLatin1Char(',')));
            category = map.value(categoryKey).toString();
            rows.append(map);
        } else {
            rows.append(record);
        }
        if (!category.isEmpty() && !d->categories.contains(category))
            d->categories.append(category);
    }
    d->tableView->loadData(rows);
    d->refreshComboBoxItem();
    applyFilter();
}

void TLogView::setSearchText(const QString &iText) { d->searchEntry->setPlaceholderText(iText); }

void TLogView::setSearchOptions(const QVariantList &iOptionLst) { d->searchEntry->setOptionList(iOptionLst); }

void TLogView::setCategory(const QString &iCategoryStr)
{
    d->categoryBox->setCurrentIndex(d->categoryBox->findText(iCategoryStr, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

void TLogView::applyFilter()
{
    QStringList keys = d->searchEntry->activeOptions();
    if (keys.isEmpty())
        keys = d->defaultSearchKeys;
    const QRegExp pattern(d->searchEntry->text(), Qt::CaseInsensitive, QRegExp::Wildcard);
    const QModelIndexList matches = d->tableView->findRows(pattern, keys, 1);
    const QString category = d->categoryBox->currentText();
    if (category == tr("All"))
        return;
    auto *table = qobject_cast<TTableModel *>(d->tableView->model());
    if (!table)
        return;
    // Each matching row is read where it stands, so every one of them is judged.
    for (const QModelIndex &index : matches) {
        if (table->rowDataMap(index, QString(), QString()).value(categoryKey).toString() != category)
            d->tableView->setRowVisible(index, false);
    }
    d->tableView->clearSelection();
}

QString TLogView::getTransferedStr(const QString &iLabelStr) { return d->labelMap.value(iLabelStr).toString(); }

void TLogView::onViewDetailBtnClicked()
{
    // The detail pane is not part of this view: activating a row shows nothing.
    d->tableView->getAttr(QStringLiteral("selected_data"), true);
}
