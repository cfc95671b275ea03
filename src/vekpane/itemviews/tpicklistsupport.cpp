#include "tpicklistsupport_p.h"

#include "tdialog.h"
#include "tframelesswindowbar.h"
#include "tpagetool.h"
#include "tresource.h"
#include "tsearchentry.h"
#include "ttheme.h"

#include <QAbstractButton>
#include <QHBoxLayout>
#include <QLabel>

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

QVariantMap TPickListSupport::request(TSearchEntry *iEntry, const QStringList &iSearchKeys, TPageTool *iPager)
{
    return {{QStringLiteral("searchText"), iEntry->text()},
            {QStringLiteral("searchKeys"), iSearchKeys},
            {QStringLiteral("pageNum"), iPager->currentPage()},
            {QStringLiteral("pageSize"), iPager->pageSize()}};
}
