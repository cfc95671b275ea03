#include "ttablechooserdialog.h"
#include "ttablechooserdialog_p.h"

#include "tdialogbuttonbox.h"
#include "tframelesswindowbar.h"
#include "tresource.h"
#include "tsearchentry.h"
#include "ttableitem.h"
#include "ttablemodel.h"
#include "ttableview.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRegExp>
#include <QSplitter>
#include <QVBoxLayout>

namespace {

QIcon barIcon(const QString &iName)
{
    return TResource::instance()->icon(iName, QStringLiteral("button"), QStringLiteral("body"));
}

} // namespace

QVariantList TTableChooserDialogPrivate::takeShownSelection(TTableView *iView, QModelIndexList *oIndexes)
{
    QVariantList rows;
    auto *table = qobject_cast<TTableModel *>(iView->model());
    if (!table)
        return rows;
    const QModelIndexList selected = iView->selectedIndexes();
    for (const QModelIndex &index : selected) {
        // A row the search hides is not what the user meant to move, even when
        // a select-all caught it.
        const TTableItem *item = table->item(index);
        if (!item || !item->visible())
            continue;
        rows.append(table->rowDataMap(index, QString(), QString()));
        oIndexes->append(index);
    }
    return rows;
}

QPushButton *TTableChooserDialogPrivate::arrowButton(const char *iName, const QString &iIcon)
{
    Q_Q(TTableChooserDialog);
    auto *button = new QPushButton(q);
    button->setObjectName(QLatin1String(iName));
    button->setIcon(barIcon(iIcon));
    return button;
}

TTableChooserDialog::TTableChooserDialog(QWidget *iParent)
    : TDialog(iParent)
    , d(new TTableChooserDialogPrivate(this))
{
    resize(600, 400);

    d->searchEntry = new TSearchEntry(this);
    d->searchEntry->hide();

    TFramelessWindowBar *bar = windowTitleBar();
    auto *barRow = new QHBoxLayout(bar);
    barRow->setContentsMargins(0, 0, 0, 0);
    barRow->setSpacing(1);
    barRow->addWidget(bar->windowIconButton(), 0, Qt::AlignCenter);
    barRow->addWidget(bar->windowTitleLabel(), 1, Qt::AlignLeft | Qt::AlignVCenter);
    barRow->addWidget(d->searchEntry, 0, Qt::AlignCenter);
    for (QAbstractButton *button :
         {bar->windowMinButton(), bar->windowMaxButton(), bar->windowNormalButton(), bar->windowCloseButton()})
        barRow->addWidget(button, 0, Qt::AlignTop);
    // Typing and clicking in the entry must not drag the window.
    bar->setEditableWidgets({d->searchEntry});

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    auto *splitter = new QSplitter(Qt::Horizontal, this);
    d->tableView = new TTableView(this);
    d->tableView->setSelectionBehavior(QAbstractItemView::SelectRows);
    d->tableView->verticalHeader()->hide();

    auto *middle = new QWidget(splitter);
    middle->setFixedWidth(50);
    auto *middleColumn = new QVBoxLayout(middle);
    middleColumn->setContentsMargins(0, 0, 0, 0);
    middleColumn->setSpacing(20);
    auto *transferGroup = new QVBoxLayout;
    transferGroup->setSpacing(5);
    QPushButton *addAll = d->arrowButton("addAllButton", QStringLiteral("angle-double-right"));
    QPushButton *add = d->arrowButton("addButton", QStringLiteral("angle-right"));
    QPushButton *remove = d->arrowButton("removeButton", QStringLiteral("angle-left"));
    QPushButton *removeAll = d->arrowButton("removeAllButton", QStringLiteral("angle-double-left"));
    for (QPushButton *button : {addAll, add, remove, removeAll})
        transferGroup->addWidget(button);
    auto *orderGroup = new QVBoxLayout;
    orderGroup->setSpacing(5);
    QPushButton *moveTop = d->arrowButton("moveTopButton", QStringLiteral("angle-double-up"));
    QPushButton *moveUp = d->arrowButton("moveUpButton", QStringLiteral("angle-up"));
    QPushButton *moveDown = d->arrowButton("moveDownButton", QStringLiteral("angle-down"));
    QPushButton *moveBottom = d->arrowButton("moveBottomButton", QStringLiteral("angle-double-down"));
    for (QPushButton *button : {moveTop, moveUp, moveDown, moveBottom})
        orderGroup->addWidget(button);
    middleColumn->addLayout(transferGroup);
    middleColumn->addLayout(orderGroup);

    d->selectedTableView = new TTableView(this);
    d->selectedTableView->verticalHeader()->hide();

    splitter->addWidget(d->tableView);
    splitter->addWidget(middle);
    splitter->addWidget(d->selectedTableView);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(2, 1);
    column->addWidget(splitter, 1);

    d->buttonBox = new TDialogButtonBox(this);
    auto *buttonRow = new QHBoxLayout;
    buttonRow->setContentsMargins(10, 10, 10, 10);
    buttonRow->addWidget(d->buttonBox, 1);
    column->addLayout(buttonRow);
    d->buttonBox->setButtons(
            {tr("Ok") + QStringLiteral(":Ok:Accept"), tr("Cancel") + QStringLiteral(":Cancel:Reject")});

    connect(addAll, &QPushButton::clicked, this, &TTableChooserDialog::onAllAddBtnClicked);
    connect(removeAll, &QPushButton::clicked, this, &TTableChooserDialog::onAllRemoveBtnClicked);
    connect(add, &QPushButton::clicked, this, &TTableChooserDialog::onAddBtnClicked);
    connect(remove, &QPushButton::clicked, this, &TTableChooserDialog::onRemoveBtnClicked);
    connect(moveTop, &QPushButton::clicked, this, &TTableChooserDialog::onMoveTopBtnClicked);
    connect(moveBottom, &QPushButton::clicked, this, &TTableChooserDialog::onMoveBtmBtnClicked);
    connect(moveUp, &QPushButton::clicked, this, &TTableChooserDialog::onMoveUpBtnClicked);
    connect(moveDown, &QPushButton::clicked, this, &TTableChooserDialog::onMoveDownBtnClicked);
    connect(d->buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(d->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(d->buttonBox, &QDialogButtonBox::clicked, this, &TTableChooserDialog::onButtonClicked);
}

TTableChooserDialog::~TTableChooserDialog() = default;

bool TTableChooserDialog::isRepetitionEnabled() { return d->repetitionEnabled; }

void TTableChooserDialog::setRepetitionEnabled(bool iEnabled) { d->repetitionEnabled = iEnabled; }

void TTableChooserDialog::setButtons(const QStringList &iButtonStrLst) { d->buttonBox->setButtons(iButtonStrLst); }

void TTableChooserDialog::setTitle(const QString &iTitleStr) { setWindowTitle(iTitleStr); }

void TTableChooserDialog::setIcon(const QString &iIconStr) { setWindowIcon(barIcon(iIconStr)); }

QVariantList TTableChooserDialog::run(int *oAnswer)
{
    // The modal loop runs every event: the owner may delete the dialog meanwhile.
    QPointer<TTableChooserDialog> self(this);
    const int result = exec();
    const bool accepted = self && result == QDialog::Accepted;
    if (oAnswer)
        *oAnswer = accepted ? 1 : 0;
    if (!accepted)
        return QVariantList();
    return d->selectedTableView->getAttr(QStringLiteral("value")).toList();
}

TTableView *TTableChooserDialog::tableView() { return d->tableView; }

TTableView *TTableChooserDialog::selectedTableView() { return d->selectedTableView; }

void TTableChooserDialog::setHeaderItem(const QVariantList &iHeaderItemLst)
{
    d->tableView->setHeaderItem(iHeaderItemLst);
    d->selectedTableView->setHeaderItem(iHeaderItemLst);
}

void TTableChooserDialog::setDataKeyList(const QStringList &iKeyLst)
{
    d->tableView->setAttr(QStringLiteral("data_keys"), iKeyLst);
    d->selectedTableView->setAttr(QStringLiteral("data_keys"), iKeyLst);
}

void TTableChooserDialog::setPrimaryKey(const QString &iKeyStr)
{
    d->tableView->setAttr(QStringLiteral("primary_key"), iKeyStr);
    d->selectedTableView->setAttr(QStringLiteral("primary_key"), iKeyStr);
}

void TTableChooserDialog::loadAllData(const QVariantList &iDataLst) { d->tableView->loadData(iDataLst); }

void TTableChooserDialog::loadSelectedData(const QVariantList &iDataLst)
{
    d->selectedTableView->loadData(iDataLst);
    if (d->repetitionEnabled)
        return;
    const QVariantList keys = d->selectedTableView->allPrimaryKey(true);
    // Filter mode 0: the rows that stay keep their visibility.
    d->tableView->removeRows(d->tableView->findRows(keys, QString(), 0));
}

void TTableChooserDialog::setLeftTableSelectionMode(QAbstractItemView::SelectionMode iMode)
{
    d->tableView->setSelectionMode(iMode);
}

void TTableChooserDialog::setRightTableSelectionMode(QAbstractItemView::SelectionMode iMode)
{
    d->selectedTableView->setSelectionMode(iMode);
}

void TTableChooserDialog::setSearchKeys(const QStringList &iKeyLst)
{
    if (d->searchEntry) {
        d->searchEntry->setVisible(!iKeyLst.isEmpty());
        d->searchEntry->setLabel(QString());
        d->searchEntry->setSearchDelayTime(1);
        // Once only: a second call must not run every search twice.
        connect(d->searchEntry, &TSearchEntry::search, this, &TTableChooserDialog::filter, Qt::UniqueConnection);
    }
    if (d->searchKeys != iKeyLst)
        d->searchKeys = iKeyLst;
}

void TTableChooserDialog::setSearchText(const QString &iText)
{
    if (d->searchEntry)
        d->searchEntry->setText(iText);
}

void TTableChooserDialog::setSearchDelayTime(int iMsec)
{
    if (d->searchEntry)
        d->searchEntry->setSearchDelayTime(iMsec);
}

void TTableChooserDialog::selectRows(const QVariantList &iKeyLst, bool iClear)
{
    if (iClear && d->tableView->selectionModel())
        d->tableView->selectionModel()->clearSelection();
    d->tableView->selectRows(iKeyLst, QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

void TTableChooserDialog::filter(const QString &iText, const QVariant &iOptions)
{
    Q_UNUSED(iOptions)
    const QRegExp pattern(iText, Qt::CaseInsensitive, QRegExp::Wildcard);
    d->tableView->findRows(pattern, d->searchKeys, 1);
}

TDialogButtonBox *TTableChooserDialog::buttonBox() { return d->buttonBox; }

TSearchEntry *TTableChooserDialog::searchEntry() { return d->searchEntry; }

void TTableChooserDialog::onButtonClicked(QAbstractButton *iButton)
{
    if (!iButton)
        return;
    const QString name = iButton->objectName();
    if (name == QLatin1String("UnselectAll"))
        d->tableView->clearSelection();
    else if (name == QLatin1String("SelectAll"))
        d->tableView->selectAll();
}

void TTableChooserDialog::onAllAddBtnClicked()
{
    const QVariantList rows = d->tableView->getAttr(QStringLiteral("value")).toList();
    if (rows.isEmpty())
        return;
    d->selectedTableView->appendRows(rows);
    if (!d->repetitionEnabled)
        d->tableView->loadData(QVariantList());
}

void TTableChooserDialog::onAddBtnClicked()
{
    QModelIndexList moved;
    const QVariantList rows = TTableChooserDialogPrivate::takeShownSelection(d->tableView, &moved);
    if (rows.isEmpty())
        return;
    d->selectedTableView->appendRows(rows);
    // Exactly the rows that went across: a selected row the search hides stays.
    if (!d->repetitionEnabled)
        d->tableView->removeRows(moved);
}

void TTableChooserDialog::onAllRemoveBtnClicked()
{
    const QVariantList rows = d->selectedTableView->getAttr(QStringLiteral("value")).toList();
    if (rows.isEmpty())
        return;
    d->selectedTableView->loadData(QVariantList());
    if (!d->repetitionEnabled)
        d->tableView->appendRows(rows);
}

void TTableChooserDialog::onRemoveBtnClicked()
{
    QModelIndexList moved;
    const QVariantList rows = TTableChooserDialogPrivate::takeShownSelection(d->selectedTableView, &moved);
    if (rows.isEmpty())
        return;
    d->selectedTableView->removeRows(moved);
    if (!d->repetitionEnabled)
        d->tableView->appendRows(rows);
}

void TTableChooserDialog::onMoveTopBtnClicked() { d->selectedTableView->moveSelectedRowsTop(); }

void TTableChooserDialog::onMoveUpBtnClicked() { d->selectedTableView->moveSelectedRowsUp(); }

void TTableChooserDialog::onMoveDownBtnClicked() { d->selectedTableView->moveSelectedRowsDown(); }

void TTableChooserDialog::onMoveBtmBtnClicked() { d->selectedTableView->moveSelectedRowsBottom(); }
