#include "ttreeviewdialog.h"
#include "ttreeviewdialog_p.h"

#include "tdialogbuttonbox.h"
#include "tpagetool.h"
#include "tpicklistsupport_p.h"
#include "tscriptvalue.h"
#include "tsearchentry.h"
#include "ttheme.h"
#include "ttreeview.h"

#include <QAbstractButton>
#include <QGraphicsDropShadowEffect>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

void TTreeViewDialogPrivate::layOut()
{
    Q_Q(TTreeViewDialog);
    QVBoxLayout *column = TPickListSupport::layOutColumn(q, &search);

    treeView = new TTreeView(q);
    treeView->setMouseTracking(true);
    treeView->setSelectionBehavior(QAbstractItemView::SelectRows);
    treeView->setSelectionMode(QAbstractItemView::SingleSelection);
    column->addWidget(treeView, 1);

    buttonBox = TPickListSupport::addButtonRow(q, column);

    q->setButtons({TTreeViewDialog::tr("Ok") + QStringLiteral(":Ok:Accept"),
                   TTreeViewDialog::tr("Cancel") + QStringLiteral(":Cancel:Reject")});

    TPickListSupport::connectControls(q, search, buttonBox, &TTreeViewDialog::onDoSearch,
                                      &TTreeViewDialog::onPageChanged, &TTreeViewDialog::onButtonClicked);

    q->setIcon(QString());
}

TTreeViewDialog::TTreeViewDialog(QWidget *iParent)
    : TDialog(iParent)
    , TUiInterface()
    , d(new TTreeViewDialogPrivate(this))
{
    d->layOut();
}

TTreeViewDialog::~TTreeViewDialog() = default;

void TTreeViewDialog::setAttr(const QString &iKey, const QVariant &iValue)
{
    const QVariant value = TScriptValue::toPlain(iValue);
    _setData(this, iKey, value);
    if (iKey == QLatin1String("buttons")) {
        setButtons(value.toStringList());
    } else if (iKey == QLatin1String("title")) {
        setTitle(value.toString());
    } else if (iKey == QLatin1String("icon")) {
        setIcon(value.toString());
    } else if (iKey == QLatin1String("header_item")) {
        setHeaderItem(value.toList());
    } else if (iKey == QLatin1String("data_key_list")) {
        setDataKeyList(value.toStringList());
    } else if (iKey == QLatin1String("primary_key")) {
        setPrimaryKey(value.toString());
    } else if (iKey == QLatin1String("tree_data")) {
        const QVariantMap map = value.toMap();
        loadTreeData(map.value(QStringLiteral("data_list")).toList(),
                     map.value(QStringLiteral("child_key")).toString());
    } else if (iKey == QLatin1String("search_key")) {
        setSearchKeys(value.toStringList());
    } else if (iKey == QLatin1String("search_text")) {
        setSearchText(value.toString());
    }
}

QVariant TTreeViewDialog::getAttr(const QString &iKey, const QVariant &iOptions)
{
    return _getData(this, iKey, TScriptValue::toPlain(iOptions));
}

QVariantList TTreeViewDialog::run(bool iIcludeHiddlenBol, int *oAnswerInt)
{
    // Whoever owns the dialog may delete it while it runs (its parent closing).
    QPointer<TTreeViewDialog> self(this);
    const int result = exec();
    if (oAnswerInt)
        *oAnswerInt = self ? result : int(QDialog::Rejected);
    if (!self || result != QDialog::Accepted)
        return QVariantList();
    return d->treeView->selectedRowDataMaps(iIcludeHiddlenBol);
}

TTreeView *TTreeViewDialog::treeView() { return d->treeView; }

TDialogButtonBox *TTreeViewDialog::buttonBox() { return d->buttonBox; }

TSearchEntry *TTreeViewDialog::searchEntry() { return d->search.entry; }

TPageTool *TTreeViewDialog::pageTool() { return d->search.pager; }

void TTreeViewDialog::setButtons(const QStringList &iButtons)
{
    d->buttonBox->setButtons(iButtons);
    TTheme *theme = TTheme::instance();
    const QList<QAbstractButton *> buttons = d->buttonBox->buttons();
    for (QAbstractButton *button : buttons) {
        auto *push = qobject_cast<QPushButton *>(button);
        if (!push)
            continue;
        if (d->buttonBox->standardButton(push) == QDialogButtonBox::No
            || d->buttonBox->buttonRole(push) == QDialogButtonBox::RejectRole) {
            push->setProperty("SS", QStringLiteral("TITLE_%1").arg(QStringLiteral("NORMAL")));
            // Makes the theme's selectors read the property set just now.
            push->setStyleSheet(QStringLiteral(".Q{}"));
        }
        auto *shadow = new QGraphicsDropShadowEffect(this);
        shadow->setOffset(0, 0);
        shadow->setBlurRadius(theme->dp(5));
        push->setGraphicsEffect(shadow);
    }
}

void TTreeViewDialog::setTitle(const QString &iTitle) { setWindowTitle(iTitle); }

void TTreeViewDialog::setIcon(const QString &iName) { TPickListSupport::setDialogIcon(this, iName); }

void TTreeViewDialog::setHeaderItem(const QVariantList &iList) { d->treeView->setHeaderItem(iList); }

void TTreeViewDialog::setDataKeyList(const QStringList &iKeys) { d->treeView->setDataKeyList(iKeys); }

void TTreeViewDialog::setPrimaryKey(const QString &iKey) { d->treeView->setPrimaryKey(iKey); }

void TTreeViewDialog::loadTreeData(const QVariantList &iRows, const QString &iChildKey)
{
    d->treeView->loadTreeData(iRows, iChildKey);
}

void TTreeViewDialog::setSelectionMode(QAbstractItemView::SelectionMode iMode) { d->treeView->setSelectionMode(iMode); }

void TTreeViewDialog::setSearchKeys(const QStringList &iKeys) { d->search.setKeys(iKeys); }

void TTreeViewDialog::setSearchText(const QString &iText) { d->search.entry->setText(iText); }

void TTreeViewDialog::setSearchDelayTime(int iMilliseconds) { d->search.entry->setSearchDelayTime(iMilliseconds); }

void TTreeViewDialog::selectRows(const QVariantList &iKeys, bool iClearBefore)
{
    TPickListSupport::selectRows(d->treeView, iKeys, iClearBefore);
}

void TTreeViewDialog::setPageSize(int iSize) { d->search.pager->setPageSize(iSize, false); }

void TTreeViewDialog::setSearchCallback(const TTreeViewDialog::SearchCallback &iCallback)
{
    d->search.setCallback(iCallback);
}

void TTreeViewDialog::refreshData(bool iResetPage)
{
    if (!d->search.callback) {
        d->treeView->findRows(d->search.pattern(), d->search.keys, 1, QModelIndex());
        return;
    }
    TTreeView *tree = d->treeView;
    d->search.fetchPage(this, iResetPage, QVariantMap(),
                        [tree](const QVariantList &iRows) { tree->loadTreeData(iRows, QStringLiteral("CHILDREN")); });
}

void TTreeViewDialog::onButtonClicked(QAbstractButton *iButton) { TPickListSupport::applyButton(d->treeView, iButton); }

void TTreeViewDialog::onDoSearch() { refreshData(true); }

void TTreeViewDialog::onPageChanged() { refreshData(false); }
