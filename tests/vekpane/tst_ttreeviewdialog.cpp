#include "controlstest.h"
#include "tdialogbuttonbox.h"
#include "tframelesswindowbar.h"
#include "tpagetool.h"
#include "tsearchentry.h"
#include "ttreemodel.h"
#include "ttreeview.h"
#include "ttreeviewdialog.h"
#include "vekmodeltester.h"

#include <QGraphicsDropShadowEffect>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

using controlstest::expose;

namespace {

QVariantMap node(const QString &iId, const QString &iName, const QVariantList &iChildren = {})
{
    QVariantMap map {{"id", iId}, {"name", iName}};
    if (!iChildren.isEmpty())
        map.insert("CHILDREN", iChildren);
    return map;
}

// Panel P1 > boards B1 (Relay), B2 (Sensor); panel P2 > B3 (relay driver); loose jig J1.
QVariantList tree()
{
    return {node("P1", "Panel one", {node("B1", "Relay"), node("B2", "Sensor")}),
            node("P2", "Panel two", {node("B3", "relay driver")}), node("J1", "Jig")};
}

struct Fixture
{
    TTreeViewDialog dialog;
    TTreeView *view = dialog.treeView();
    TTreeModel *model = qobject_cast<TTreeModel *>(view->model());
    QAbstractItemModelTester *tester = VekTest::attachModelTester(model);

    Fixture()
    {
        dialog.setDataKeyList({"id", "name"});
        dialog.setPrimaryKey("id");
        dialog.setHeaderItem({QVariantMap {{"name", "name"}, {"displayRole", "$name"}}});
        dialog.loadTreeData(tree());
        dialog.setSearchKeys({"name"});
    }

    bool hidden(const QString &iId)
    {
        const QModelIndex index = model->findRow(iId);
        return view->isRowHidden(index.row(), index.parent());
    }
    QStringList shown()
    {
        QStringList ids;
        for (const QModelIndex &index : model->allIndexs(QModelIndex(), true)) {
            if (!view->isRowHidden(index.row(), index.parent()))
                ids.append(model->rowPrimaryKey(index).toString());
        }
        return ids;
    }
    // Types the text and presses Enter; the entry reports the search from the event loop.
    void search(const QString &iText)
    {
        QSignalSpy searched(dialog.searchEntry(), &TSearchEntry::search);
        dialog.searchEntry()->setText(iText);
        QTest::keyClick(dialog.searchEntry()->lineEdit(), Qt::Key_Return);
        QVERIFY(searched.wait(5000));
    }
};

struct Server
{
    QList<QVariantMap> requests;
    QVariant reply = QVariantMap {{"data", QVariantList {node("S1", "Server panel", {node("S2", "Server board")})}},
                                  {"dataCount", 30}};

    TTreeViewDialog::SearchCallback callback()
    {
        return [this](const QVariantMap &iRequest) {
            requests.append(iRequest);
            return reply;
        };
    }
};

QStringList ids(const QVariantList &iRows)
{
    QStringList result;
    for (const QVariant &row : iRows)
        result.append(row.toMap().value("id").toString());
    return result;
}

} // namespace

class tst_TTreeViewDialog : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void construction();
    void buttonStyling();
    void attributeKeys();
    void localSearch_data();
    void localSearch();
    void searchDelay();
    void callback();
    void callbackRemovedHidesBoth();
    void callbackDeletesDialog();
    void runResult_data();
    void runResult();
    void selectAllButtons();
    void fromScript();
};

void tst_TTreeViewDialog::construction()
{
    TTreeViewDialog dialog;
    QVERIFY(dialog.searchEntry()->isHidden());
    QVERIFY(dialog.pageTool()->isHidden());
    QCOMPARE(dialog.treeView()->selectionMode(), QAbstractItemView::SingleSelection);
    QCOMPARE(dialog.treeView()->selectionBehavior(), QAbstractItemView::SelectRows);
    QVERIFY(dialog.treeView()->hasMouseTracking());
    QCOMPARE(dialog.treeView()->parentWidget(), &dialog);
    QDialogButtonBox *box = dialog.buttonBox();
    QCOMPARE(box->buttons().size(), 2);
    QVERIFY(box->findChild<QPushButton *>("Ok") && box->findChild<QPushButton *>("Cancel"));
    QCOMPARE(box->buttonRole(box->findChild<QPushButton *>("Ok")), QDialogButtonBox::AcceptRole);
    QCOMPARE(box->buttonRole(box->findChild<QPushButton *>("Cancel")), QDialogButtonBox::RejectRole);
    QVERIFY(dialog.windowIcon().isNull());
    QVERIFY(dialog.windowTitleBar()->windowIconButton()->isHidden());
    QCOMPARE(dialog.windowTitleBar()->autoHideFlags(),
             TFramelessWindowBar::AutoHideHints(TFramelessWindowBar::AutoHideHint_SysButton));
}

void tst_TTreeViewDialog::buttonStyling()
{
    TTreeViewDialog dialog;
    dialog.setButtons({"Yes:Yes:Yes", "No:No:No", "Drop:Drop:Reject", "Apply:Apply:Action"});
    QDialogButtonBox *box = dialog.buttonBox();
    QCOMPARE(box->buttons().size(), 4);
    for (QAbstractButton *button : box->buttons()) {
        const QString name = button->objectName();
        const bool plain = name == "No" || name == "Drop";
        QCOMPARE(button->property("SS"), plain ? QVariant("TITLE_NORMAL") : QVariant());
        QCOMPARE(button->styleSheet() == ".Q{}", plain);
        auto *shadow = qobject_cast<QGraphicsDropShadowEffect *>(button->graphicsEffect());
        QVERIFY2(shadow, qPrintable(name));
        QCOMPARE(shadow->offset(), QPointF(0, 0));
    }
    // Replacing the buttons frees the old ones with their effects.
    dialog.setButtons({"Ok:Ok:Accept"});
    QCOMPARE(box->buttons().size(), 1);
}

void tst_TTreeViewDialog::attributeKeys()
{
    Fixture f;
    f.dialog.setAttr("title", "Pick a board");
    QCOMPARE(f.dialog.windowTitle(), QString("Pick a board"));
    f.dialog.setAttr("tree_data", QVariantMap {{"data_list", QVariantList {node("X", "x", {node("Y", "y")})}},
                                               {"child_key", "CHILDREN"}});
    QCOMPARE(f.model->rowCount(), 1);
    QCOMPARE(f.model->rowCount(f.model->findRow("X")), 1);
    // Without a child key the children are not read.
    f.dialog.setAttr("tree_data", QVariantMap {{"data_list", tree()}});
    QCOMPARE(f.model->rowCount(), 3);
    QCOMPARE(f.model->rowCount(f.model->findRow("P1")), 0);
    f.dialog.setAttr("search_key", QStringList {"id", "name"});
    f.dialog.setAttr("search_text", "Jig");
    QCOMPARE(f.dialog.searchEntry()->text(), QString("Jig"));
    f.dialog.setAttr("buttons", QStringList {"Close:Close:Reject"});
    QCOMPARE(f.dialog.buttonBox()->buttons().size(), 1);
    f.dialog.setAttr("header_item", QVariantList {QVariantMap {{"name", "id"}}, QVariantMap {{"name", "name"}}});
    QCOMPARE(f.model->columnCount(), 2);
    f.dialog.setAttr("data_key_list", QStringList {"id", "name", "note"});
    QCOMPARE(f.model->dataKeyList(), (QStringList {"id", "name", "note"}));
    f.dialog.setAttr("primary_key", "name");
    QCOMPARE(f.model->primaryKey(), QString("name"));
    f.dialog.setAttr("user_data", "tree");
    QCOMPARE(f.dialog.getAttr("user_data"), QVariant("tree"));
    QCOMPARE(f.dialog.getAttr("title"), QVariant());
}

void tst_TTreeViewDialog::localSearch_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("relay, any case, with parents") << "RELAY" << QStringList {"P1", "B1", "P2", "B3"};
    QTest::newRow("wildcard") << "s*r" << QStringList {"P1", "B2"};
    QTest::newRow("a parent alone") << "jig" << QStringList {"J1"};
    QTest::newRow("empty shows all") << "" << QStringList {"P1", "B1", "B2", "P2", "B3", "J1"};
    QTest::newRow("ids are not searched") << "B1" << QStringList();
}

void tst_TTreeViewDialog::localSearch()
{
    QFETCH(QString, text);
    QFETCH(QStringList, shown);
    Fixture f;
    f.search("zzz");
    f.search(text);
    QCOMPARE(f.shown(), shown);
}

void tst_TTreeViewDialog::searchDelay()
{
    Fixture f;
    QCOMPARE(f.dialog.searchEntry()->searchDelayTime(), 1);
    QVERIFY(!f.dialog.searchEntry()->isHidden());
    Server server;
    f.dialog.setSearchCallback(server.callback());
    f.dialog.setSearchKeys({"name"});
    QCOMPARE(f.dialog.searchEntry()->searchDelayTime(), 0);
    f.dialog.setSearchDelayTime(250);
    QCOMPARE(f.dialog.searchEntry()->searchDelayTime(), 250);

    // Without a callback the delay filters while typing.
    Fixture local;
    local.dialog.setSearchText("Sensor");
    QTRY_VERIFY(local.hidden("J1"));
    QCOMPARE(local.shown(), (QStringList {"P1", "B2"}));
}

void tst_TTreeViewDialog::callback()
{
    Fixture f;
    Server server;
    f.dialog.setSearchCallback(server.callback());
    f.dialog.setSearchKeys({"id", "name"});
    QVERIFY(!f.dialog.searchEntry()->isHidden());
    QVERIFY(!f.dialog.pageTool()->isHidden());
    f.dialog.setPageSize(10);
    QCOMPARE(server.requests.size(), 1);
    QCOMPARE(server.requests.last().value("pageSize"), QVariant(10));

    f.search("board");
    const QVariantMap request = server.requests.last();
    QCOMPARE(request.keys(), (QStringList {"pageNum", "pageSize", "searchKeys", "searchText"}));
    QCOMPARE(request.value("searchText"), QVariant("board"));
    QCOMPARE(request.value("searchKeys").toStringList(), (QStringList {"id", "name"}));
    QCOMPARE(request.value("pageNum"), QVariant(1));
    // Nested rows under the fixed child key; the count feeds the pager.
    QCOMPARE(f.model->rowCount(), 1);
    QCOMPARE(f.model->rowCount(f.model->findRow("S1")), 1);
    QCOMPARE(f.dialog.pageTool()->rowCount(), 30);

    f.dialog.pageTool()->lastPage();
    QCOMPARE(server.requests.last().value("pageNum"), QVariant(3));
    f.search("board");
    QCOMPARE(server.requests.last().value("pageNum"), QVariant(1));
    QCOMPARE(f.dialog.pageTool()->currentPage(), 1);

    server.reply = QVariantList {node("W", "wrong shape")};
    f.dialog.refreshData(false);
    QCOMPARE(f.model->rowCount(), 0);
    QCOMPARE(f.dialog.pageTool()->rowCount(), 0);
}

void tst_TTreeViewDialog::callbackRemovedHidesBoth()
{
    Fixture f;
    Server server;
    f.dialog.setSearchCallback(server.callback());
    f.dialog.setSearchCallback(TTreeViewDialog::SearchCallback());
    QVERIFY(f.dialog.searchEntry()->isHidden());
    QVERIFY(f.dialog.pageTool()->isHidden());
    f.dialog.refreshData();
    QVERIFY(server.requests.isEmpty());
    QCOMPARE(f.model->rowCount(), 3);
}

void tst_TTreeViewDialog::callbackDeletesDialog()
{
    auto *dialog = new TTreeViewDialog;
    QPointer<TTreeViewDialog> guard(dialog);
    dialog->setSearchCallback([dialog](const QVariantMap &) {
        delete dialog;
        return QVariant(QVariantMap {{"dataCount", 3}});
    });
    dialog->refreshData();
    QVERIFY(!guard);
}

void tst_TTreeViewDialog::runResult_data()
{
    QTest::addColumn<bool>("accept");
    QTest::addColumn<bool>("includeHidden");
    QTest::addColumn<QStringList>("result");
    QTest::addColumn<int>("answer");
    QTest::newRow("accepted") << true << false << QStringList {"B1"} << 1;
    QTest::newRow("accepted with hidden") << true << true << QStringList {"B1", "J1"} << 1;
    QTest::newRow("cancelled") << false << false << QStringList() << 0;
}

void tst_TTreeViewDialog::runResult()
{
    QFETCH(bool, accept);
    QFETCH(bool, includeHidden);
    QFETCH(QStringList, result);
    QFETCH(int, answer);
    Fixture f;
    f.dialog.setSelectionMode(QAbstractItemView::MultiSelection);
    f.dialog.selectRows({"B1", "J1"});
    f.search("relay");
    int got = -1;
    QTimer::singleShot(0, &f.dialog,
                       [&] { f.dialog.buttonBox()->findChild<QPushButton *>(accept ? "Ok" : "Cancel")->click(); });
    QCOMPARE(ids(f.dialog.run(includeHidden, &got)), result);
    QCOMPARE(got, answer);
    // It can run again with the same rows.
    QTimer::singleShot(0, &f.dialog, [&] { f.dialog.accept(); });
    QCOMPARE(ids(f.dialog.run(true)).size(), 2);
}

void tst_TTreeViewDialog::selectAllButtons()
{
    Fixture f;
    f.dialog.setSelectionMode(QAbstractItemView::MultiSelection);
    QVERIFY(!f.dialog.buttonBox()->findChild<QPushButton *>("SelectAll"));
    f.dialog.setButtons({"All:SelectAll:Action", "None:UnselectAll:Action"});
    f.dialog.buttonBox()->findChild<QPushButton *>("SelectAll")->click();
    QCOMPARE(f.view->selectedPrimaryKeys(true).size(), 6);
    f.dialog.buttonBox()->findChild<QPushButton *>("UnselectAll")->click();
    QVERIFY(f.view->selectedPrimaryKeys(true).isEmpty());
}

void tst_TTreeViewDialog::fromScript()
{
    Fixture f;
    QJSEngine engine;
    expose(engine, "d", &f.dialog);
    const QJSValue result = CONTROLS_EVAL(engine, R"(
        d.set({"tree_data": {"data_list": [{"id": "A", "name": "alpha", "CHILDREN": [{"id": "B", "name": "beta"}]}],
                             "child_key": "CHILDREN"},
               "search_key": ["name"], "title": "Trees", "user_data": 7});
        d.selectRows(["B"]);
        d.windowTitle + d.getAttr("user_data");
    )");
    QVERIFY(!result.isError());
    QCOMPARE(result.toString(), QString("Trees7"));
    QCOMPARE(f.view->selectedPrimaryKeys(), QVariantList {"B"});
}

QTEST_MAIN(tst_TTreeViewDialog)
#include "tst_ttreeviewdialog.moc"
