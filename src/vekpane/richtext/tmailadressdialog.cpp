#include "tmailadressdialog.h"
#include "tmailadressdialog_p.h"

#include "tdialogbuttonbox.h"
#include "tmail.h"
#include "tresource.h"
#include "tsearchentry.h"
#include "ttableview.h"
#include "ttitlebox.h"
#include "ttreeview.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPointer>
#include <QPushButton>
#include <QRegExp>
#include <QSplitter>
#include <QVBoxLayout>

namespace {

const QString nameKey = QStringLiteral("name");
const QString mailKey = QStringLiteral("mail");

QIcon buttonIcon(const QString &iName)
{
    return TResource::instance()->icon(iName, QStringLiteral("button"), QStringLiteral("body"));
}

QVariantMap column(const QString &iName, int iSize, const QString &iResizeMode, const QString &iDisplay)
{
    return QVariantMap {{QStringLiteral("name"), iName},
                        {QStringLiteral("displayRole"), QString(QLatin1Char('$') + iName)},
                        {QStringLiteral("size"), iSize},
                        {QStringLiteral("resizeMode"), iResizeMode},
                        {QStringLiteral("display"), iDisplay}};
}

void setUpTable(TTableView *iTable, const QVariantList &iHeader, const QStringList &iDataKeys)
{
    iTable->verticalHeader()->hide();
    iTable->setSelectionMode(QAbstractItemView::ExtendedSelection);
    iTable->setHeaderItem(iHeader);
    iTable->setAttr(QStringLiteral("primary_key"), nameKey);
    iTable->setAttr(QStringLiteral("data_keys"), iDataKeys);
}

} // namespace

void TMailAdressDialogPrivate::addRows(TTableView *iTarget, const QVariantList &iRows)
{
    if (iRows.isEmpty())
        return;
    // Judged by display name alone, as the recipient tables key their rows by it.
    const QVariantList present = iTarget->allDataMap(QString(), QString(), true);
    QVariantList fresh;
    for (const QVariant &row : iRows) {
        const QString name = row.toMap().value(nameKey).toString();
        bool found = false;
        for (const QVariant &existing : present) {
            if (existing.toMap().value(nameKey).toString() == name) {
                found = true;
                break;
            }
        }
        if (!found)
            fresh.append(row);
    }
    iTarget->appendRows(fresh);
}

void TMailAdressDialogPrivate::loadRecipients(TTableView *iTarget, const QStringList &iEntries)
{
    QVariantList rows;
    rows.reserve(iEntries.size());
    for (const QString &entry : iEntries) {
        QString address;
        QString name;
        TMail::parseUser(entry, &address, &name);
        rows.append(QVariant(QVariantList {name, address}));
    }
    iTarget->loadData(rows);
}

QStringList TMailAdressDialogPrivate::recipients(TTableView *iSource)
{
    QStringList entries;
    const QVariantList rows = iSource->allDataMap(QString(), QString(), true);
    entries.reserve(rows.size());
    for (const QVariant &row : rows) {
        const QVariantMap map = row.toMap();
        entries.append(QLatin1Char('<') + map.value(nameKey).toString() + QLatin1Char('>')
                       + map.value(mailKey).toString());
    }
    return entries;
}

void TMailAdressDialogPrivate::removeAll(TTableView *iTarget)
{
    iTarget->selectAll();
    iTarget->removeSelectedRows();
}

TMailAdressDialog::TMailAdressDialog(QWidget *iParent)
    : QDialog(iParent)
    , d(new TMailAdressDialogPrivate(this))
{
    d->searchKeys = QStringList {nameKey, mailKey};
    resize(600, 400);

    d->tableView = new TTableView(this);
    d->buttonBox = new TDialogButtonBox(this);
    d->titleBox = new TTitleBox(this);
    d->treeView = new TTreeView(this);
    d->toTableView = new TTableView(this);
    d->ccTableView = new TTableView(this);
    d->bccTableView = new TTableView(this);
    d->bccTableView->hide();
    d->tableView->setObjectName(QStringLiteral("contactTable"));
    d->toTableView->setObjectName(QStringLiteral("toTable"));
    d->ccTableView->setObjectName(QStringLiteral("ccTable"));
    d->bccTableView->setObjectName(QStringLiteral("bccTable"));

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    auto *splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setChildrenCollapsible(false);
    splitter->setHandleWidth(5);
    column->addWidget(splitter, 1);
    auto *buttonRow = new QHBoxLayout;
    buttonRow->setContentsMargins(10, 10, 10, 10);
    buttonRow->addWidget(d->buttonBox, 1);
    column->addLayout(buttonRow);

    auto *contactPane = new QWidget(splitter);
    auto *contactColumn = new QVBoxLayout(contactPane);
    contactColumn->setContentsMargins(0, 0, 0, 0);
    contactColumn->setSpacing(0);
    contactColumn->addWidget(d->titleBox);
    auto *innerSplitter = new QSplitter(Qt::Horizontal, contactPane);
    innerSplitter->setChildrenCollapsible(false);
    innerSplitter->setHandleWidth(3);
    innerSplitter->addWidget(d->treeView);
    innerSplitter->addWidget(d->tableView);
    innerSplitter->setSizes({120});
    innerSplitter->setStretchFactor(0, 0);
    innerSplitter->setStretchFactor(1, 1);
    contactColumn->addWidget(innerSplitter, 1);
    splitter->addWidget(contactPane);

    auto *arrowPane = new QWidget(splitter);
    arrowPane->setFixedWidth(50);
    auto *arrowColumn = new QVBoxLayout(arrowPane);
    arrowColumn->setContentsMargins(0, 0, 0, 0);
    struct Arrow
    {
        const char *name;
        const char *icon;
        void (TMailAdressDialog::*slot)();
    };
    const Arrow toArrows[] = {{"allAddToButton", "angle-double-right", &TMailAdressDialog::onAllAddTo},
                              {"addToButton", "angle-right", &TMailAdressDialog::onAddTo},
                              {"removeToButton", "angle-left", &TMailAdressDialog::onRemoveTo},
                              {"allRemoveToButton", "angle-double-left", &TMailAdressDialog::onAllRemoveTo}};
    const Arrow ccArrows[] = {{"allAddCcButton", "angle-double-right", &TMailAdressDialog::onAllAddCc},
                              {"addCcButton", "angle-right", &TMailAdressDialog::onAddCc},
                              {"removeCcButton", "angle-left", &TMailAdressDialog::onRemoveCc},
                              {"allRemoveCcButton", "angle-double-left", &TMailAdressDialog::onAllRemoveCc}};
    auto addArrows = [this, arrowColumn](const Arrow(&iArrows)[4]) {
        for (const Arrow &arrow : iArrows) {
            auto *button = new QPushButton(buttonIcon(QLatin1String(arrow.icon)), QString(), this);
            button->setObjectName(QLatin1String(arrow.name));
            arrowColumn->addWidget(button);
            connect(button, &QPushButton::clicked, this, arrow.slot);
        }
    };
    arrowColumn->addStretch();
    addArrows(toArrows);
    arrowColumn->addStretch();
    addArrows(ccArrows);
    arrowColumn->addStretch();
    splitter->addWidget(arrowPane);

    auto *recipientPane = new QWidget(splitter);
    auto *recipientColumn = new QVBoxLayout(recipientPane);
    recipientColumn->setContentsMargins(0, 0, 0, 0);
    recipientColumn->addWidget(d->toTableView);
    recipientColumn->addWidget(d->ccTableView);
    splitter->addWidget(recipientPane);

    d->titleBox->setIconFile(QStringLiteral("address_book.white"));
    d->titleBox->setText(tr("Address Book"));
    setWindowTitle(tr("Address Book"));
    setWindowIcon(buttonIcon(QStringLiteral("address-book-o")));
    TSearchEntry *search = d->titleBox->searchEntry();
    search->setSearchDelayTime(1);
    search->setOptionList({QVariantMap {{QStringLiteral("name"), nameKey}, {QStringLiteral("text"), tr("name")}},
                           QVariantMap {{QStringLiteral("name"), mailKey}, {QStringLiteral("text"), tr("mail")}}});

    d->buttonBox->setButtons({QStringLiteral("Ok"), QStringLiteral("Cancel")});

    initTreeView();
    initTableView();

    connect(search, &TSearchEntry::search, this, &TMailAdressDialog::onDoSearch);
    connect(d->buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(d->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(d->treeView->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TMailAdressDialog::onSelectionChanged);
}

TMailAdressDialog::~TMailAdressDialog() = default;

void TMailAdressDialog::initTreeView()
{
    d->treeView->setHeaderItem({QVariantMap {{QStringLiteral("decorationRole"), QStringLiteral("$icon")},
                                             {QStringLiteral("displayRole"), QStringLiteral("$text")},
                                             {QStringLiteral("size"), 100},
                                             {QStringLiteral("resizeMode"), QStringLiteral("Stretch")},
                                             {QStringLiteral("display"), tr("Category")},
                                             {QStringLiteral("name"), QStringLiteral("category")}}});
    d->treeView->setAttr(QStringLiteral("primary_key"), nameKey);
    d->treeView->setDataKeyList({nameKey, QStringLiteral("text"), QStringLiteral("icon")});
    d->treeView->setPrimaryKey(nameKey);
    d->treeView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    d->treeView->expandAll();
}

void TMailAdressDialog::initTableView()
{
    const QString interactive = QStringLiteral("Interactive");
    const QString stretch = QStringLiteral("Stretch");
    setUpTable(d->tableView,
               {QVariant(), column(nameKey, 50, interactive, tr("Name")),
                column(mailKey, 150, stretch, tr("Mail Address"))},
               {nameKey, mailKey, QStringLiteral("group")});
    setUpTable(d->toTableView,
               {QVariant(), column(nameKey, 30, interactive, QString()), column(mailKey, 150, stretch, tr("To"))},
               {nameKey, mailKey});
    setUpTable(d->ccTableView,
               {QVariant(), column(nameKey, 30, interactive, QString()), column(mailKey, 150, stretch, tr("Cc"))},
               {nameKey, mailKey});
    setUpTable(d->bccTableView,
               {QVariant(), column(nameKey, 120, interactive, tr("Bcc")),
                column(mailKey, 200, interactive, tr("Mail Address"))},
               {nameKey, mailKey});
}

void TMailAdressDialog::setCategoryList(const QVariantList &iVariantLst)
{
    QVariantList rows = iVariantLst;
    rows.prepend(QVariant(QVariantList {QStringLiteral("All"), tr("All"), QStringLiteral("home")}));
    d->treeView->loadTreeData(rows, QStringLiteral("CHILDREN"));
}

void TMailAdressDialog::setMailList(const QVariantList &iVariantLst)
{
    d->mailList = iVariantLst;
    d->tableView->loadData(iVariantLst);
}

void TMailAdressDialog::setToList(const QStringList &iStrLst)
{
    TMailAdressDialogPrivate::loadRecipients(d->toTableView, iStrLst);
}

void TMailAdressDialog::setCcList(const QStringList &iStrLst)
{
    TMailAdressDialogPrivate::loadRecipients(d->ccTableView, iStrLst);
}

void TMailAdressDialog::setBccList(const QStringList &iStrLst)
{
    TMailAdressDialogPrivate::loadRecipients(d->bccTableView, iStrLst);
}

QStringList TMailAdressDialog::getToList() { return TMailAdressDialogPrivate::recipients(d->toTableView); }

QStringList TMailAdressDialog::getCcList() { return TMailAdressDialogPrivate::recipients(d->ccTableView); }

QStringList TMailAdressDialog::getBccList() { return TMailAdressDialogPrivate::recipients(d->bccTableView); }

void TMailAdressDialog::loadData(const QVariantList &iCategoryVarLst, const QVariantList &iMailVarLst,
                                 const QStringList &iToStrLst, const QStringList &iCcStrLst,
                                 const QStringList &iBccStrLst)
{
    setCategoryList(iCategoryVarLst);
    setMailList(iMailVarLst);
    setToList(iToStrLst);
    setCcList(iCcStrLst);
    setBccList(iBccStrLst);
}

bool TMailAdressDialog::run(QStringList *oToLstPtr, QStringList *oCcLstPtr, QStringList *oBccLstPtr)
{
    // The modal loop runs every event: the owner may delete the dialog meanwhile.
    QPointer<TMailAdressDialog> self(this);
    const int result = exec();
    if (!self || result != QDialog::Accepted)
        return false;
    if (oToLstPtr)
        *oToLstPtr = getToList();
    if (oCcLstPtr)
        *oCcLstPtr = getCcList();
    if (oBccLstPtr)
        *oBccLstPtr = getBccList();
    return true;
}

void TMailAdressDialog::onDoSearch(const QString &iSearchTextStr, const QVariant &iOptionsVar)
{
    QStringList fields = iOptionsVar.toStringList();
    if (fields.isEmpty())
        fields = d->searchKeys;
    d->tableView->findRows(QRegExp(iSearchTextStr, Qt::CaseInsensitive, QRegExp::Wildcard), fields, 1);
}

void TMailAdressDialog::onAddTo()
{
    TMailAdressDialogPrivate::addRows(d->toTableView, d->tableView->getAttr(QStringLiteral("selected_data")).toList());
}

void TMailAdressDialog::onAddCc()
{
    TMailAdressDialogPrivate::addRows(d->ccTableView, d->tableView->getAttr(QStringLiteral("selected_data")).toList());
}

void TMailAdressDialog::onRemoveTo() { d->toTableView->removeSelectedRows(); }

void TMailAdressDialog::onRemoveCc() { d->ccTableView->removeSelectedRows(); }

void TMailAdressDialog::onAllAddTo()
{
    TMailAdressDialogPrivate::addRows(d->toTableView, d->tableView->allDataMap(QString(), QString(), true));
}

void TMailAdressDialog::onAllAddCc()
{
    TMailAdressDialogPrivate::addRows(d->ccTableView, d->tableView->allDataMap(QString(), QString(), true));
}

void TMailAdressDialog::onAllRemoveTo() { TMailAdressDialogPrivate::removeAll(d->toTableView); }

void TMailAdressDialog::onAllRemoveCc() { TMailAdressDialogPrivate::removeAll(d->ccTableView); }

void TMailAdressDialog::onSelectionChanged()
{
    const QVariantList keys = d->treeView->selectedPrimaryKeys(false);
    if (keys.isEmpty())
        return;
    const QString key = keys.first().toString();
    if (key == QLatin1String("All")) {
        d->tableView->loadData(d->mailList);
        return;
    }
    QVariantList contacts;
    for (const QVariant &contact : qAsConst(d->mailList)) {
        if (contact.userType() == QMetaType::QVariantList && contact.toList().value(2).toString() == key)
            contacts.append(contact);
    }
    d->tableView->loadData(contacts);
}
