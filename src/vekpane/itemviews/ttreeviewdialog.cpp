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
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

void TTreeViewDialogPrivate::layOut()
{
    Q_Q(TTreeViewDialog);
    TTheme *theme = TTheme::instance();

    searchEntry = new TSearchEntry(q);
    searchEntry->setLabel(QString());
    searchEntry->hide();
    pageTool = new TPageTool(q);
    pageTool->hide();

    TPickListSupport::layOutTitleBar(q);

    auto *column = new QVBoxLayout(q);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto *searchRow = new QHBoxLayout;
    const int searchMargin = int(theme->dp(2));
    searchRow->setContentsMargins(searchMargin, searchMargin, searchMargin, searchMargin);
    searchRow->addWidget(searchEntry, 1);
    searchRow->addWidget(pageTool, 0);
    column->addLayout(searchRow);

    treeView = new TTreeView(q);
    treeView->setMouseTracking(true);
    treeView->setSelectionBehavior(QAbstractItemView::SelectRows);
    treeView->setSelectionMode(QAbstractItemView::SingleSelection);
    column->addWidget(treeView, 1);

    buttonBox = new TDialogButtonBox(q);
    auto *buttonRow = new QHBoxLayout;
    buttonRow->setContentsMargins(10, 10, 10, 10);
    buttonRow->addWidget(buttonBox, 1);
    column->addLayout(buttonRow);
    column->addSpacing(int(theme->dp(5)));

    q->setButtons({TTreeViewDialog::tr("Ok") + QStringLiteral(":Ok:Accept"),
                   TTreeViewDialog::tr("Cancel") + QStringLiteral(":Cancel:Reject")});

    QObject::connect(searchEntry, &TSearchEntry::search, q, &TTreeViewDialog::onDoSearch);
    QObject::connect(pageTool, &TPageTool::pageChanged, q, &TTreeViewDialog::onPageChanged);
    QObject::connect(buttonBox, &QDialogButtonBox::accepted, q, &QDialog::accept);
    QObject::connect(buttonBox, &QDialogButtonBox::rejected, q, &QDialog::reject);
    QObject::connect(buttonBox, &QDialogButtonBox::clicked, q, &TTreeViewDialog::onButtonClicked);

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

TSearchEntry *TTreeViewDialog::searchEntry() { return d->searchEntry; }

TPageTool *TTreeViewDialog::pageTool() { return d->pageTool; }

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

void TTreeViewDialog::setSearchKeys(const QStringList &iKeys)
{
    d->searchEntry->show();
    // Without a callback the search is a cheap local filter: run it while typing.
    d->searchEntry->setSearchDelayTime(d->searchCallback ? 0 : 1);
    if (d->searchKeys != iKeys)
        d->searchKeys = iKeys;
}

void TTreeViewDialog::setSearchText(const QString &iText) { d->searchEntry->setText(iText); }

void TTreeViewDialog::setSearchDelayTime(int iMilliseconds) { d->searchEntry->setSearchDelayTime(iMilliseconds); }

void TTreeViewDialog::selectRows(const QVariantList &iKeys, bool iClearBefore)
{
    if (iClearBefore)
        d->treeView->clearSelection();
    d->treeView->selectRows(TScriptValue::toPlain(iKeys).toList(),
                            QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

void TTreeViewDialog::setPageSize(int iSize) { d->pageTool->setPageSize(iSize, false); }

void TTreeViewDialog::setSearchCallback(const TTreeViewDialog::SearchCallback &iCallback)
{
    d->searchCallback = iCallback;
    const bool paged = bool(iCallback);
    d->searchEntry->setVisible(paged);
    d->pageTool->setVisible(paged);
}

void TTreeViewDialog::refreshData(bool iResetPage)
{
    if (!d->searchCallback) {
        const QRegExp pattern(d->searchEntry->text(), Qt::CaseInsensitive, QRegExp::Wildcard);
        d->treeView->findRows(pattern, d->searchKeys, 1, QModelIndex());
        return;
    }
    if (iResetPage)
        d->pageTool->setCurrentPage(1, true);
    const QVariantMap request = TPickListSupport::request(d->searchEntry, d->searchKeys, d->pageTool);
    // The callback is the caller's code: it may close and delete the dialog.
    QPointer<TTreeViewDialog> self(this);
    const SearchCallback callback = d->searchCallback;
    const QVariantMap reply = TScriptValue::toPlain(callback(request)).toMap();
    if (!self)
        return;
    d->treeView->loadTreeData(reply.value(QStringLiteral("data")).toList(), QStringLiteral("CHILDREN"));
    d->pageTool->setRowCount(reply.value(QStringLiteral("dataCount")).toInt(), true);
}

void TTreeViewDialog::onButtonClicked(QAbstractButton *iButton)
{
    if (!iButton)
        return;
    const QString name = iButton->objectName();
    if (name == QLatin1String("UnselectAll"))
        d->treeView->clearSelection();
    else if (name == QLatin1String("SelectAll"))
        d->treeView->selectAll();
}

void TTreeViewDialog::onDoSearch() { refreshData(true); }

void TTreeViewDialog::onPageChanged() { refreshData(false); }
