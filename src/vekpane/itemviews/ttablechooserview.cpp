#include "ttablechooserview.h"
#include "ttablechooserview_p.h"

#include "tresource.h"
#include "ttablechooserdialog.h"

#include <QAction>
#include <QMenu>
#include <QPointer>

TTableChooserView::TTableChooserView(QWidget *iParent)
    : TTableView(iParent)
    , d(new TTableChooserViewPrivate(this))
{
    d->dialog = new TTableChooserDialog(this);
    auto *menu = new QMenu(this);
    auto *editAction = new QAction(
            TResource::instance()->icon(QStringLiteral("edit"), QStringLiteral("button"), QStringLiteral("body")),
            tr("edit"), this);
    menu->addAction(editAction);
    setContextMenu(menu);
    connect(editAction, &QAction::triggered, this, &TTableChooserView::onEditActionTriggered);
}

TTableChooserView::~TTableChooserView() = default;

bool TTableChooserView::isRepetitionEnabled() { return d->repetitionEnabled; }

void TTableChooserView::setRepetitionEnabled(bool iEnabled) { d->repetitionEnabled = iEnabled; }

void TTableChooserView::setItemList(const QVariantList &iItemLst) { d->itemList = iItemLst; }

QVariantList TTableChooserView::itemList() { return d->itemList; }

void TTableChooserView::setViewHeaderItem(const QVariantList &iHeaderItemLst)
{
    setHeaderItem(iHeaderItemLst);
    d->dialog->setHeaderItem(iHeaderItemLst);
}

void TTableChooserView::setViewDataKeyList(const QStringList &iKeyLst)
{
    setDataKeyList(iKeyLst);
    d->dialog->setDataKeyList(iKeyLst);
}

void TTableChooserView::setViewPrimaryKey(const QString &iKeyStr)
{
    setPrimaryKey(iKeyStr);
    d->dialog->setPrimaryKey(iKeyStr);
}

void TTableChooserView::setDialogButtons(const QStringList &iButtonStrLst) { d->dialog->setButtons(iButtonStrLst); }

void TTableChooserView::setDialogTitle(const QString &iTitleStr) { d->dialog->setTitle(iTitleStr); }

void TTableChooserView::setDialogIcon(const QString &iIconStr) { d->dialog->setIcon(iIconStr); }

void TTableChooserView::setDialogLeftTableSelectionMode(QAbstractItemView::SelectionMode iMode)
{
    d->dialog->setLeftTableSelectionMode(iMode);
}

void TTableChooserView::setDialogRightTableSelectionMode(QAbstractItemView::SelectionMode iMode)
{
    d->dialog->setRightTableSelectionMode(iMode);
}

void TTableChooserView::setDialogSearchKeys(const QStringList &iKeyLst) { d->dialog->setSearchKeys(iKeyLst); }

void TTableChooserView::setDialogSearchText(const QString &iText) { d->dialog->setSearchText(iText); }

void TTableChooserView::setDialogSearchDelayTime(int iMsec) { d->dialog->setSearchDelayTime(iMsec); }

void TTableChooserView::onEditActionTriggered()
{
    const QVariantList current = allDataMap(QString(), QString(), true);
    if (d->repetitionEnabled) {
        d->dialog->loadAllData(d->itemList);
    } else {
        QVariantList offered;
        for (const QVariant &candidate : qAsConst(d->itemList)) {
            if (!current.contains(candidate))
                offered.append(candidate);
        }
        d->dialog->loadAllData(offered);
    }
    d->dialog->loadSelectedData(current);

    // The dialog is a child: if the view goes while it runs, both are gone.
    QPointer<TTableChooserView> self(this);
    int answer = 0;
    const QVariantList chosen = d->dialog->run(&answer);
    if (self && answer == 1)
        loadData(chosen);
}
