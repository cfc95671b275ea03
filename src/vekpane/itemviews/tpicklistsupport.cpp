#include "tpicklistsupport_p.h"

#include "tdialog.h"
#include "tframelesswindowbar.h"
#include "tresource.h"
#include "ttheme.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QVBoxLayout>

void TPickListSearch::setKeys(const QStringList &iKeys)
{
    entry->show();
    // Without a callback the search is a cheap local filter: run it while typing.
    entry->setSearchDelayTime(callback ? 0 : 1);
    keys = iKeys;
}

void TPickListSearch::setCallback(const Callback &iCallback)
{
    callback = iCallback;
    const bool paged = bool(iCallback);
    entry->setVisible(paged);
    pager->setVisible(paged);
}

QRegExp TPickListSearch::pattern() const { return QRegExp(entry->text(), Qt::CaseInsensitive, QRegExp::Wildcard); }

void TPickListSearch::fetchPage(QObject *iOwner, bool iResetPage, const QVariantMap &iExtra,
                                const std::function<void(const QVariantList &)> &iLoad)
{
    if (iResetPage)
        pager->setCurrentPage(1, true);
    QVariantMap request {{QStringLiteral("searchText"), entry->text()},
                         {QStringLiteral("searchKeys"), keys},
                         {QStringLiteral("pageNum"), pager->currentPage()},
                         {QStringLiteral("pageSize"), pager->pageSize()}};
    for (auto it = iExtra.cbegin(); it != iExtra.cend(); ++it)
        request.insert(it.key(), it.value());
    QPointer<QObject> owner(iOwner);
    const Callback call = callback;
    const QVariantMap reply = TScriptValue::toPlain(call(request)).toMap();
    if (!owner)
        return;
    iLoad(reply.value(QStringLiteral("data")).toList());
    pager->setRowCount(reply.value(QStringLiteral("dataCount")).toInt(), true);
}

void TPickListSupport::layOutTitleBar(TDialog *iDialog)
{
    TFramelessWindowBar *bar = iDialog->windowTitleBar();
    bar->setAutoHideFlags(TFramelessWindowBar::AutoHideHint_SysButton);
    // The bar may come with a row of its own: this one replaces it.
    delete bar->layout();
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(10, 2, 2, 2);
    row->setSpacing(int(TTheme::instance()->dp(1)));
    QAbstractButton *iconButton = bar->windowIconButton();
    iconButton->setStyleSheet(QStringLiteral("padding-left:0px;"));
    row->addWidget(iconButton, 0, Qt::AlignCenter);
    row->addWidget(bar->windowTitleLabel(), 1, Qt::AlignLeft | Qt::AlignVCenter);
    for (QAbstractButton *button :
         {bar->windowMinButton(), bar->windowMaxButton(), bar->windowNormalButton(), bar->windowCloseButton()})
        row->addWidget(button, 0, Qt::AlignTop);
}

QVBoxLayout *TPickListSupport::layOutColumn(TDialog *iDialog, TPickListSearch *oSearch)
{
    layOutTitleBar(iDialog);

    oSearch->entry = new TSearchEntry(iDialog);
    oSearch->entry->setLabel(QString());
    oSearch->entry->hide();
    oSearch->pager = new TPageTool(iDialog);
    oSearch->pager->hide();

    auto *column = new QVBoxLayout(iDialog);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto *searchRow = new QHBoxLayout;
    const int searchMargin = int(TTheme::instance()->dp(2));
    searchRow->setContentsMargins(searchMargin, searchMargin, searchMargin, searchMargin);
    searchRow->addWidget(oSearch->entry, 1);
    searchRow->addWidget(oSearch->pager, 0);
    column->addLayout(searchRow);
    return column;
}

TDialogButtonBox *TPickListSupport::addButtonRow(TDialog *iDialog, QVBoxLayout *iColumn)
{
    auto *buttons = new TDialogButtonBox(iDialog);
    auto *buttonRow = new QHBoxLayout;
    buttonRow->setContentsMargins(10, 10, 10, 10);
    buttonRow->addWidget(buttons, 1);
    iColumn->addLayout(buttonRow);
    iColumn->addSpacing(int(TTheme::instance()->dp(5)));
    return buttons;
}

void TPickListSupport::applyButton(QAbstractItemView *iView, QAbstractButton *iButton)
{
    if (!iButton)
        return;
    const QString name = iButton->objectName();
    if (name == QLatin1String("SelectAll"))
        iView->selectAll();
    else if (name == QLatin1String("UnselectAll"))
        iView->clearSelection();
}

QIcon TPickListSupport::icon(const QString &iName)
{
    // The resource lookup answers an unknown name with a placeholder, never
    // with a null icon: the empty name must not get that far.
    if (iName.isEmpty())
        return QIcon();
    return TResource::instance()->icon(iName, QStringLiteral("button"), QStringLiteral("body"));
}

void TPickListSupport::setDialogIcon(TDialog *iDialog, const QString &iName)
{
    const QIcon shown = icon(iName);
    iDialog->windowTitleBar()->windowIconButton()->setVisible(!shown.isNull());
    iDialog->setWindowIcon(shown);
}
