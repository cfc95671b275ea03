#include "ttableviewdialog.h"
#include "ttableviewdialog_p.h"

#include "tcategorytreeview.h"
#include "tdialogbuttonbox.h"
#include "tframelesswindowbar.h"
#include "tpagetool.h"
#include "tpicklistsupport_p.h"
#include "tscriptvalue.h"
#include "tsearchentry.h"
#include "ttablemodel.h"
#include "ttableview.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QPointer>
#include <QSplitter>
#include <QVBoxLayout>

void TTableViewDialogPrivate::layOut()
{
    Q_Q(TTableViewDialog);
    titleBar = q->windowTitleBar();
    QVBoxLayout *column = TPickListSupport::layOutColumn(q, &search);

    auto *splitter = new QSplitter(q);
    splitter->setChildrenCollapsible(false);
    categoryTreeView = new TCategoryTreeView(splitter);
    tableView = new TTableView(splitter);
    splitter->addWidget(categoryTreeView);
    splitter->addWidget(tableView);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 4);
    column->addWidget(splitter, 1);
    tableView->setSelectionBehavior(QAbstractItemView::SelectRows);
    tableView->verticalHeader()->hide();
    tableView->horizontalHeader()->setStretchLastSection(true);
    tableView->setSelectionMode(QAbstractItemView::SingleSelection);
    categoryTreeView->setVisible(categoryVisible);

    buttonBox = TPickListSupport::addButtonRow(q, column);
    buttonBox->setContentsMargins(1, 1, 1, 1);

    q->setButtons({TTableViewDialog::tr("Ok") + QStringLiteral(":Ok:Accept"),
                   TTableViewDialog::tr("Cancel") + QStringLiteral(":Cancel:Reject")});

    for (QWidget *tracked : std::initializer_list<QWidget *> {splitter, tableView, buttonBox, categoryTreeView})
        tracked->setMouseTracking(true);

    TPickListSupport::connectControls(q, search, buttonBox, &TTableViewDialog::onDoSearch,
                                      &TTableViewDialog::onPageChanged, &TTableViewDialog::onButtonClicked);

    q->setIcon(QString());
}

QStringList TTableViewDialogPrivate::categoryValues() const
{
    QStringList values;
    for (const QVariant &category : selectedCategoryList) {
        const QVariant data = category.toMap().value(QStringLiteral("data"));
        if (data.userType() == QMetaType::QVariantList || data.userType() == QMetaType::QStringList) {
            const QVariantList list = data.toList();
            for (const QVariant &element : list) {
                const QString text = element.toString();
                if (!values.contains(text))
                    values.append(text);
            }
        } else {
            values.append(data.toString());
        }
    }
    return values;
}

TTableViewDialog::TTableViewDialog(QWidget *iParent)
    : TDialog(iParent)
    , TUiInterface()
    , d(new TTableViewDialogPrivate(this))
{
    resize(400, 400);
    d->layOut();
}

TTableViewDialog::~TTableViewDialog() = default;

void TTableViewDialog::setAttr(const QString &iKey, const QVariant &iValue)
{
    const QVariant value = TScriptValue::toPlain(iValue);
    _setData(this, iKey, value);
    if (iKey == QLatin1String("buttons"))
        setButtons(value.toStringList());
    else if (iKey == QLatin1String("title"))
        setTitle(value.toString());
    else if (iKey == QLatin1String("icon"))
        setIcon(value.toString());
    else if (iKey == QLatin1String("header_item"))
        setHeaderItem(value.toList());
    else if (iKey == QLatin1String("data_key_list"))
        setDataKeyList(value.toStringList());
    else if (iKey == QLatin1String("primary_key"))
        setPrimaryKey(value.toString());
    else if (iKey == QLatin1String("table_data"))
        loadData(value.toList());
    else if (iKey == QLatin1String("search_key"))
        setSearchKeys(value.toStringList());
    else if (iKey == QLatin1String("search_text"))
        setSearchText(value.toString());
    else if (iKey == QLatin1String("category_visible"))
        setCategoryVisible(value.toBool());
    else if (iKey == QLatin1String("category_checkable"))
        setCategoryCheckable(value.toBool());
    else if (iKey == QLatin1String("category_itemlist"))
        setCategoryItemList(value.toList());
    else if (iKey == QLatin1String("category_head_label"))
        setCategoryHeadLabel(value.toString());
    else if (iKey == QLatin1String("category_search_string"))
        setCategorySearchString(value.toString());
}

QVariant TTableViewDialog::getAttr(const QString &iKey, const QVariant &iOptions)
{
    return _getData(this, iKey, TScriptValue::toPlain(iOptions));
}

QVariantList TTableViewDialog::run(bool iIncludeHidden, int *oAnswer)
{
    // Whoever owns the dialog may delete it while it runs (its parent closing).
    QPointer<TTableViewDialog> self(this);
    const int result = exec();
    if (oAnswer)
        *oAnswer = self ? result : int(QDialog::Rejected);
    if (!self)
        return QVariantList();
    QVariantList rows;
    if (result == QDialog::Accepted)
        rows = d->tableView->getAttr(QStringLiteral("selected_data"), iIncludeHidden).toList();
    close();
    return rows;
}

TTableView *TTableViewDialog::tableView() { return d->tableView; }

TDialogButtonBox *TTableViewDialog::buttonBox() { return d->buttonBox; }

TSearchEntry *TTableViewDialog::searchEntry() { return d->search.entry; }

TPageTool *TTableViewDialog::pageTool() { return d->search.pager; }

TCategoryTreeView *TTableViewDialog::categoryTreeView() { return d->categoryTreeView; }

void TTableViewDialog::setButtons(const QStringList &iButtons) { d->buttonBox->setButtons(iButtons); }

void TTableViewDialog::setTitle(const QString &iTitle) { setWindowTitle(iTitle); }

void TTableViewDialog::setIcon(const QString &iName) { TPickListSupport::setDialogIcon(this, iName); }

void TTableViewDialog::setHeaderItem(const QVariantList &iList) { d->tableView->setHeaderItem(iList); }

void TTableViewDialog::setDataKeyList(const QStringList &iKeys)
{
    d->tableView->setAttr(QStringLiteral("data_keys"), iKeys);
}

void TTableViewDialog::setPrimaryKey(const QString &iKey)
{
    d->tableView->setAttr(QStringLiteral("primary_key"), iKey);
}

void TTableViewDialog::loadData(const QVariantList &iRows) { d->tableView->loadData(iRows); }

void TTableViewDialog::setSelectionMode(QAbstractItemView::SelectionMode iMode)
{
    d->tableView->setSelectionMode(iMode);
}

void TTableViewDialog::setSearchKeys(const QStringList &iKeys) { d->search.setKeys(iKeys); }

QStringList TTableViewDialog::searchKeys() { return d->search.keys; }

void TTableViewDialog::setSearchText(const QString &iText) { d->search.entry->setText(iText); }

void TTableViewDialog::setSearchDelayTime(int iMilliseconds) { d->search.entry->setSearchDelayTime(iMilliseconds); }

void TTableViewDialog::selectRows(const QVariantList &iKeys, bool iClearBefore)
{
    TPickListSupport::selectRows(d->tableView, iKeys, iClearBefore);
}

void TTableViewDialog::setCategoryVisible(bool iVisible)
{
    d->categoryVisible = iVisible;
    d->categoryTreeView->setVisible(iVisible);
    if (!iVisible)
        d->selectedCategoryList.clear();
}

bool TTableViewDialog::isCategoryVisible() { return d->categoryVisible; }

void TTableViewDialog::setCategoryItemList(const QVariantList &iList) { d->categoryTreeView->setItemList(iList); }

void TTableViewDialog::setCategoryHeadLabel(const QString &iLabel) { d->categoryTreeView->setHeaderLabel(iLabel); }

void TTableViewDialog::setCategorySelectionMode(QAbstractItemView::SelectionMode iMode)
{
    d->categoryTreeView->setSelectionMode(iMode);
}

void TTableViewDialog::updateCategoryItemCount(const QVariantMap &iCounts)
{
    d->categoryTreeView->updateCount(iCounts);
}

void TTableViewDialog::setCategoryCheckable(bool iCheckable) { d->categoryTreeView->setCheckable(iCheckable); }

void TTableViewDialog::setCategoryDisplayFormat(const QString &iFormat)
{
    d->categoryTreeView->setDisplayFormat(iFormat);
}

void TTableViewDialog::setCategorySearchString(const QString &iField)
{
    d->categoryField = iField;
    // Once is enough: a second connection would search twice per choice.
    connect(d->categoryTreeView, &TCategoryTreeView::selectionChanged, this,
            &TTableViewDialog::onSelectedCategoryListChanged, Qt::UniqueConnection);
}

void TTableViewDialog::applyFilter()
{
    QStringList columns = d->search.entry->activeOptions();
    if (columns.isEmpty())
        columns = d->search.keys;
    const QModelIndexList matched = d->tableView->findRows(d->search.pattern(), columns, 1);

    if (d->selectedCategoryList.isEmpty() || d->categoryField.isEmpty())
        return;
    const QStringList values = d->categoryValues();
    if (values.contains(QStringLiteral("all"), Qt::CaseInsensitive))
        return;
    auto *table = qobject_cast<TTableModel *>(d->tableView->model());
    if (!table)
        return;
    // Each matched row is read by its own index, in table order: a selection
    // would hand the rows back in the order the user picked them.
    for (const QModelIndex &row : matched) {
        const QString value = table->rowDataMap(row, QString(), QString()).value(d->categoryField).toString();
        if (!values.contains(value))
            d->tableView->setRowVisible(row, false);
    }
    d->tableView->clearSelection();
}

void TTableViewDialog::setPageSize(int iSize) { d->search.pager->setPageSize(iSize, false); }

void TTableViewDialog::setSearchCallback(const TTableViewDialog::SearchCallback &iCallback)
{
    d->search.setCallback(iCallback);
}

void TTableViewDialog::refreshData(bool iResetPage)
{
    if (!d->search.callback) {
        applyFilter();
        return;
    }
    TTableView *table = d->tableView;
    d->search.fetchPage(this, iResetPage,
                        {{QStringLiteral("categoryField"), d->categoryField},
                         {QStringLiteral("selectedCategoryList"), d->selectedCategoryList}},
                        [table](const QVariantList &iRows) { table->loadData(iRows); });
}

void TTableViewDialog::onButtonClicked(QAbstractButton *iButton)
{
    TPickListSupport::applyButton(d->tableView, iButton);
}

void TTableViewDialog::onSelectedCategoryListChanged(const QVariantList &iList)
{
    d->selectedCategoryList = iList;
    refreshData(true);
}

void TTableViewDialog::onDoSearch() { refreshData(true); }

void TTableViewDialog::onPageChanged() { refreshData(false); }
