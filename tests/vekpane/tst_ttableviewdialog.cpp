#include "controlstest.h"
#include "tcategorytreeview.h"
#include "tdialogbuttonbox.h"
#include "tframelesswindowbar.h"
#include "tpagetool.h"
#include "tsearchentry.h"
#include "ttablemodel.h"
#include "ttableview.h"
#include "ttableviewdialog.h"
#include "vekmodeltester.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTimer>

#include <functional>

using controlstest::expose;

namespace {

// Six boards: code, name, grade. Grades A, B, A, C, B, A.
QVariantList boards()
{
    return {QVariantMap {{"code", "PCB-100"}, {"name", "Abacus main"}, {"grade", "A"}},
            QVariantMap {{"code", "PCB-200"}, {"name", "relay"}, {"grade", "B"}},
            QVariantMap {{"code", "AB-300"}, {"name", "sensor"}, {"grade", "A"}},
            QVariantMap {{"code", "PCB-400"}, {"name", "tabletop"}, {"grade", "C"}},
            QVariantMap {{"code", "XY-500"}, {"name", "power"}, {"grade", "B"}},
            QVariantMap {{"code", "PCB-600"}, {"name", "cable"}, {"grade", "A"}}};
}

QVariantMap category(const QString &iName, const QVariant &iData)
{
    return {{"name", iName}, {"text", iName}, {"data", iData}, {"VISIBLE", true}};
}

// A dialog over the boards, searching code and name, with grade categories.
struct Fixture
{
    TTableViewDialog dialog;
    TTableView *table = dialog.tableView();
    TTableModel *model = qobject_cast<TTableModel *>(table->model());
    QAbstractItemModelTester *tester = VekTest::attachModelTester(model);

    Fixture()
    {
        dialog.setDataKeyList({"code", "name", "grade"});
        dialog.setPrimaryKey("code");
        dialog.setHeaderItem({QVariant(), QVariantMap {{"name", "code"}, {"displayRole", "$code"}},
                              QVariantMap {{"name", "name"}, {"displayRole", "$name"}}});
        dialog.loadData(boards());
        dialog.setSearchKeys({"code", "name"});
        dialog.setCategoryItemList({category("a", "A"), category("ab", QVariantList {"A", "B", "A"}),
                                    category("c", "C"), category("every", QVariantList {"B", "ALL"})});
    }

    // Codes of the rows the table shows, in table order.
    QStringList shown()
    {
        QStringList codes;
        for (int row = 0; row < model->rowCount(); ++row) {
            if (!table->isRowHidden(row))
                codes.append(model->index(row, 0).data().toString());
        }
        return codes;
    }
    // Types the text and presses Enter; the entry reports the search from the event loop.
    void search(const QString &iText)
    {
        QSignalSpy searched(dialog.searchEntry(), &TSearchEntry::search);
        dialog.searchEntry()->setText(iText);
        QTest::keyClick(dialog.searchEntry()->lineEdit(), Qt::Key_Return);
        QVERIFY(searched.wait(5000));
    }
    void chooseCategories(const QVariantList &iNames)
    {
        TCategoryTreeView *tree = dialog.categoryTreeView();
        tree->setSelectionMode(QAbstractItemView::MultiSelection);
        tree->unselectAll();
        tree->selectRows(iNames);
    }
};

// Answers pages of 100 out of 250 rows and records each request.
struct Server
{
    QList<QVariantMap> requests;
    QVariant reply = QVariantMap {{"data", QVariantList {QVariantMap {{"code", "S-1"}}, QVariantMap {{"code", "S-2"}}}},
                                  {"dataCount", 250}};

    TTableViewDialog::SearchCallback callback()
    {
        return [this](const QVariantMap &iRequest) {
            requests.append(iRequest);
            return reply;
        };
    }
};

QStringList codes(const QVariantList &iRows)
{
    QStringList result;
    for (const QVariant &row : iRows)
        result.append(row.toMap().value("code").toString());
    return result;
}

} // namespace

using Probe = std::function<QVariant(TTableViewDialog *)>;
Q_DECLARE_METATYPE(Probe)

class tst_TTableViewDialog : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void construction();
    void setAttrKeys_data();
    void setAttrKeys();
    void localSearch_data();
    void localSearch();
    void localSearchActiveOptions();
    void categoryRestriction_data();
    void categoryRestriction();
    void categoryReadsRowsInTableOrder();
    void hidingCategoriesForgetsThem();
    void searchDelay();
    void callbackRequests();
    void callbackCategories();
    void callbackBadReply();
    void callbackDeletesDialog();
    void callbackRemoved();
    void runResult_data();
    void runResult();
    void selectAllButtons();
    void selectRowsByKey();
    void fromScript();
};

void tst_TTableViewDialog::construction()
{
    TTableViewDialog dialog;
    QCOMPARE(dialog.size(), QSize(400, 400));
    QVERIFY(dialog.searchEntry()->isHidden());
    QVERIFY(dialog.pageTool()->isHidden());
    QVERIFY(dialog.categoryTreeView()->isHidden());
    QVERIFY(!dialog.isCategoryVisible());
    QCOMPARE(dialog.property("categoryVisible"), QVariant(false));
    const QList<QAbstractButton *> buttons = dialog.buttonBox()->buttons();
    QCOMPARE(buttons.size(), 2);
    auto *ok = dialog.buttonBox()->findChild<QPushButton *>("Ok");
    auto *cancel = dialog.buttonBox()->findChild<QPushButton *>("Cancel");
    QVERIFY(ok && cancel);
    QCOMPARE(dialog.buttonBox()->buttonRole(ok), QDialogButtonBox::AcceptRole);
    QCOMPARE(dialog.buttonBox()->buttonRole(cancel), QDialogButtonBox::RejectRole);
    // Made in this order: Ok first.
    QCOMPARE(dialog.buttonBox()->children().indexOf(ok) < dialog.buttonBox()->children().indexOf(cancel), true);
    QCOMPARE(ok->text(), QString("Ok"));

    TTableView *table = dialog.tableView();
    QCOMPARE(table->selectionMode(), QAbstractItemView::SingleSelection);
    QCOMPARE(table->selectionBehavior(), QAbstractItemView::SelectRows);
    QVERIFY(table->verticalHeader()->isHidden());
    QVERIFY(table->horizontalHeader()->stretchLastSection());
    auto *splitter = qobject_cast<QSplitter *>(table->parentWidget());
    QVERIFY(splitter);
    QCOMPARE(splitter->widget(0), dialog.categoryTreeView());
    QCOMPARE(splitter->widget(1), table);
    QVERIFY(!splitter->childrenCollapsible());
    for (QWidget *child :
         std::initializer_list<QWidget *> {dialog.searchEntry(), dialog.pageTool(), dialog.buttonBox(), splitter})
        QCOMPARE(child->window(), &dialog);
    QVERIFY(dialog.windowIcon().isNull());
    QVERIFY(dialog.windowTitleBar()->windowIconButton()->isHidden());
    QCOMPARE(dialog.windowTitleBar()->autoHideFlags(),
             TFramelessWindowBar::AutoHideHints(TFramelessWindowBar::AutoHideHint_SysButton));
}

void tst_TTableViewDialog::setAttrKeys_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<Probe>("probe");
    QTest::addColumn<QVariant>("expected");

    QTest::newRow("buttons") << "buttons" << QVariant(QStringList {"Close:Close:Reject"})
                             << Probe([](TTableViewDialog *w) { return w->buttonBox()->buttons().size(); })
                             << QVariant(1);
    QTest::newRow("title") << "title" << QVariant("Pick a board")
                           << Probe([](TTableViewDialog *w) { return w->windowTitle(); }) << QVariant("Pick a board");
    QTest::newRow("empty icon") << "icon" << QVariant("")
                                << Probe([](TTableViewDialog *w) { return w->windowIcon().isNull(); })
                                << QVariant(true);
    QTest::newRow("header item") << "header_item" << QVariant(QVariantList {QVariant(), QVariantMap {{"name", "x"}}})
                                 << Probe([](TTableViewDialog *w) { return w->tableView()->model()->columnCount(); })
                                 << QVariant(1);
    QTest::newRow("data keys") << "data_key_list" << QVariant(QStringList {"x", "y"})
                               << Probe([](TTableViewDialog *w) { return w->tableView()->dataKeyList(); })
                               << QVariant(QStringList {"x", "y"});
    QTest::newRow("primary key") << "primary_key" << QVariant("name") << Probe([](TTableViewDialog *w) {
        return qobject_cast<TTableModel *>(w->tableView()->model())->primaryKey();
    }) << QVariant("name");
    QTest::newRow("table data") << "table_data" << QVariant(QVariantList {QVariantMap {{"code", "Z"}}})
                                << Probe([](TTableViewDialog *w) { return w->tableView()->model()->rowCount(); })
                                << QVariant(1);
    QTest::newRow("search key") << "search_key" << QVariant(QStringList {"grade"}) << Probe([](TTableViewDialog *w) {
        return QVariantList {w->searchKeys(), w->searchEntry()->isHidden()};
    }) << QVariant(QVariantList {QStringList {"grade"}, false});
    QTest::newRow("search text") << "search_text" << QVariant("PCB")
                                 << Probe([](TTableViewDialog *w) { return w->searchEntry()->text(); })
                                 << QVariant("PCB");
    QTest::newRow("category visible") << "category_visible" << QVariant(true) << Probe([](TTableViewDialog *w) {
        return QVariantList {w->isCategoryVisible(), w->categoryTreeView()->isHidden()};
    }) << QVariant(QVariantList {true, false});
    QTest::newRow("category checkable") << "category_checkable" << QVariant(true) << Probe([](TTableViewDialog *w) {
        return w->categoryTreeView()->isCheckable();
    }) << QVariant(true);
    QTest::newRow("category items") << "category_itemlist" << QVariant(QVariantList {category("q", "Q")})
                                    << Probe([](TTableViewDialog *w) {
                                           return w->categoryTreeView()->model()->rowCount();
                                       })
                                    << QVariant(1);
    QTest::newRow("category label") << "category_head_label" << QVariant("Grade") << Probe([](TTableViewDialog *w) {
        return w->categoryTreeView()->model()->headerData(0, Qt::Horizontal);
    }) << QVariant("Grade");
    QTest::newRow("common key") << "tool_tip" << QVariant("tip")
                                << Probe([](TTableViewDialog *w) { return w->toolTip(); }) << QVariant("tip");
}

void tst_TTableViewDialog::setAttrKeys()
{
    QFETCH(QString, key);
    QFETCH(QVariant, value);
    QFETCH(Probe, probe);
    QFETCH(QVariant, expected);
    Fixture f;
    f.dialog.setAttr(key, value);
    QCOMPARE(probe(&f.dialog), expected);
    f.dialog.setAttr("user_data", key);
    QCOMPARE(f.dialog.getAttr("user_data"), QVariant(key));
}

void tst_TTableViewDialog::localSearch_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("ab and a wildcard, any case") << "ab*" << QStringList {"PCB-100", "AB-300", "PCB-400", "PCB-600"};
    QTest::newRow("upper case") << "AB" << QStringList {"PCB-100", "AB-300", "PCB-400", "PCB-600"};
    QTest::newRow("question mark") << "pcb-?00" << QStringList {"PCB-100", "PCB-200", "PCB-400", "PCB-600"};
    QTest::newRow("empty shows all") << ""
                                     << QStringList {"PCB-100", "PCB-200", "AB-300", "PCB-400", "XY-500", "PCB-600"};
    // The grade is no search key: XY-500 of grade B stays hidden.
    QTest::newRow("grade not searched") << "B" << QStringList {"PCB-100", "PCB-200", "AB-300", "PCB-400", "PCB-600"};
    QTest::newRow("nothing") << "zzz" << QStringList();
}

void tst_TTableViewDialog::localSearch()
{
    QFETCH(QString, text);
    QFETCH(QStringList, shown);
    Fixture f;
    f.search("XY");
    f.search(text);
    QCOMPARE(f.shown(), shown);
}

void tst_TTableViewDialog::localSearchActiveOptions()
{
    Fixture f;
    TSearchEntry *entry = f.dialog.searchEntry();
    entry->setOptionList(
            {QVariantMap {{"name", "name"}, {"text", "Name"}}, QVariantMap {{"name", "grade"}, {"text", "Grade"}}});
    entry->setActiveOptions({"grade"});
    // The chosen field replaces the search keys.
    f.search("c");
    QCOMPARE(f.shown(), QStringList {"PCB-400"});
    f.dialog.applyFilter();
    QCOMPARE(f.shown(), QStringList {"PCB-400"});
}

void tst_TTableViewDialog::categoryRestriction_data()
{
    QTest::addColumn<QVariantList>("categories");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("one value") << QVariantList {"a"} << "" << QStringList {"PCB-100", "AB-300", "PCB-600"};
    QTest::newRow("list of values") << QVariantList {"ab"} << ""
                                    << QStringList {"PCB-100", "PCB-200", "AB-300", "XY-500", "PCB-600"};
    QTest::newRow("two categories") << QVariantList {"a", "c"} << ""
                                    << QStringList {"PCB-100", "AB-300", "PCB-400", "PCB-600"};
    QTest::newRow("with search") << QVariantList {"a"} << "PCB" << QStringList {"PCB-100", "PCB-600"};
    QTest::newRow("ALL lifts it") << QVariantList {"c", "every"} << "PCB"
                                  << QStringList {"PCB-100", "PCB-200", "PCB-400", "PCB-600"};
}

void tst_TTableViewDialog::categoryRestriction()
{
    QFETCH(QVariantList, categories);
    QFETCH(QString, text);
    QFETCH(QStringList, shown);
    Fixture f;
    f.dialog.setCategoryVisible(true);
    f.dialog.setCategorySearchString("grade");
    f.dialog.searchEntry()->setText(text);
    f.chooseCategories(categories);
    QCOMPARE(f.shown(), shown);
    // Hidden through the model's flags, so the view's readers agree.
    QCOMPARE(f.table->allDataMap(QString(), QString(), false).size(), shown.size());
}

void tst_TTableViewDialog::categoryReadsRowsInTableOrder()
{
    Fixture f;
    f.dialog.setSelectionMode(QAbstractItemView::MultiSelection);
    f.dialog.setCategoryVisible(true);
    f.dialog.setCategorySearchString("grade");
    // The user picked rows bottom-up before choosing the category.
    f.dialog.selectRows({"PCB-600", "PCB-200"});
    f.chooseCategories({"a"});
    QCOMPARE(f.shown(), (QStringList {"PCB-100", "AB-300", "PCB-600"}));
    QVERIFY(f.table->selectionModel()->selectedRows().isEmpty());
}

void tst_TTableViewDialog::hidingCategoriesForgetsThem()
{
    Fixture f;
    f.dialog.setCategoryVisible(true);
    f.dialog.setCategorySearchString("grade");
    f.dialog.setCategorySearchString("grade"); // connected once all the same
    Server server;
    f.dialog.setSearchCallback(server.callback());
    f.chooseCategories({"c"});
    QCOMPARE(server.requests.size(), 1);
    f.dialog.setCategoryVisible(false);
    QVERIFY(f.dialog.categoryTreeView()->isHidden());
    f.dialog.refreshData();
    QCOMPARE(server.requests.last().value("selectedCategoryList").toList(), QVariantList());
    // Locally, too, the rows are no longer restricted.
    f.dialog.setSearchCallback(TTableViewDialog::SearchCallback());
    f.dialog.loadData(boards());
    f.dialog.refreshData();
    QCOMPARE(f.shown().size(), 6);
}

void tst_TTableViewDialog::searchDelay()
{
    Fixture f; // search keys set without a callback
    QCOMPARE(f.dialog.searchEntry()->searchDelayTime(), 1);
    Server server;
    f.dialog.setSearchCallback(server.callback());
    QCOMPARE(f.dialog.searchEntry()->searchDelayTime(), 1);
    f.dialog.setSearchKeys({"code"});
    QCOMPARE(f.dialog.searchEntry()->searchDelayTime(), 0);
    // "search_text" alone asks nothing while there is no delay.
    f.dialog.setAttr("search_text", "PCB");
    QTest::qWait(20);
    QVERIFY(server.requests.isEmpty());

    // Without a callback the 1 ms delay filters while typing.
    TTableViewDialog local;
    local.setDataKeyList({"code", "name", "grade"});
    local.loadData(boards());
    local.setSearchKeys({"code"});
    local.setSearchText("XY");
    QTRY_COMPARE(local.tableView()->allDataMap(QString(), QString(), false).size(), 1);
}

void tst_TTableViewDialog::callbackRequests()
{
    Fixture f;
    Server server;
    f.dialog.setSearchCallback(server.callback());
    QVERIFY(!f.dialog.searchEntry()->isHidden());
    QVERIFY(!f.dialog.pageTool()->isHidden());
    f.dialog.setSearchKeys({"code", "name"}); // no search while typing now
    f.dialog.searchEntry()->setOptionList({QVariantMap {{"name", "grade"}, {"text", "Grade"}}});
    f.dialog.searchEntry()->setActiveOptions({"grade"});

    f.search("relay");
    QCOMPARE(server.requests.size(), 1);
    const QVariantMap first = server.requests.last();
    QCOMPARE(first.size(), 6);
    QCOMPARE(first.value("searchText"), QVariant("relay"));
    QCOMPARE(first.value("searchKeys").toStringList(), (QStringList {"code", "name"}));
    QCOMPARE(first.value("pageNum"), QVariant(1));
    QCOMPARE(first.value("pageSize"), QVariant(100));
    QCOMPARE(first.value("categoryField"), QVariant(QString()));
    QCOMPARE(first.value("selectedCategoryList").toList(), QVariantList());
    // The reply replaces the rows and sets the pager silently.
    QCOMPARE(f.model->rowCount(), 2);
    QCOMPARE(f.dialog.pageTool()->rowCount(), 250);

    // Paging keeps the page…
    f.dialog.pageTool()->nextPage();
    f.dialog.pageTool()->nextPage();
    QCOMPARE(server.requests.size(), 3);
    QCOMPARE(server.requests.last().value("pageNum"), QVariant(3));
    // …a new search starts at page 1 again.
    f.search("power");
    QCOMPARE(server.requests.size(), 4);
    QCOMPARE(server.requests.last().value("pageNum"), QVariant(1));
    QCOMPARE(f.dialog.pageTool()->currentPage(), 1);
    f.dialog.refreshData(false);
    QCOMPARE(server.requests.last().value("pageNum"), QVariant(1));

    // A new page size is announced by the pager and asked for.
    f.dialog.setPageSize(50);
    QCOMPARE(server.requests.last().value("pageSize"), QVariant(50));
}

void tst_TTableViewDialog::callbackCategories()
{
    Fixture f;
    Server server;
    f.dialog.setSearchCallback(server.callback());
    f.dialog.setCategoryVisible(true);
    f.chooseCategories({"a"});
    QVERIFY(server.requests.isEmpty()); // not connected yet
    f.dialog.setCategorySearchString("grade");
    f.dialog.pageTool()->setRowCount(250);
    f.dialog.pageTool()->setCurrentPage(2);
    f.chooseCategories({"a", "c"});
    QVERIFY(!server.requests.isEmpty());
    const QVariantMap request = server.requests.last();
    QCOMPARE(request.value("categoryField"), QVariant("grade"));
    QCOMPARE(request.value("pageNum"), QVariant(1));
    const QVariantList chosen = request.value("selectedCategoryList").toList();
    QCOMPARE(chosen.size(), 2);
    QCOMPARE(chosen.at(1).toMap().value("data"), QVariant("C"));
}

void tst_TTableViewDialog::callbackBadReply()
{
    Fixture f;
    Server server;
    f.dialog.setSearchCallback(server.callback());
    f.dialog.refreshData();
    QCOMPARE(f.dialog.pageTool()->rowCount(), 250);
    server.reply = QVariant("not a map");
    f.dialog.refreshData();
    QCOMPARE(f.model->rowCount(), 0);
    QCOMPARE(f.dialog.pageTool()->rowCount(), 0);
    server.reply = QVariantMap {{"data", QVariantList {QVariantMap {{"code", "S-9"}}}}};
    f.dialog.refreshData();
    QCOMPARE(f.model->rowCount(), 1);
    QCOMPARE(f.dialog.pageTool()->rowCount(), 0);
}

void tst_TTableViewDialog::callbackDeletesDialog()
{
    auto *dialog = new TTableViewDialog;
    QPointer<TTableViewDialog> guard(dialog);
    dialog->setSearchCallback([dialog](const QVariantMap &) {
        delete dialog;
        return QVariant(QVariantMap {{"dataCount", 3}});
    });
    dialog->refreshData();
    QVERIFY(!guard);
}

void tst_TTableViewDialog::callbackRemoved()
{
    Fixture f;
    Server server;
    f.dialog.setSearchCallback(server.callback());
    f.dialog.setSearchCallback(TTableViewDialog::SearchCallback());
    QVERIFY(f.dialog.searchEntry()->isHidden());
    QVERIFY(f.dialog.pageTool()->isHidden());
    // Back to local filtering of what is loaded.
    f.dialog.loadData(boards());
    f.search("XY");
    QVERIFY(server.requests.isEmpty());
    QCOMPARE(f.shown(), QStringList {"XY-500"});
}

void tst_TTableViewDialog::runResult_data()
{
    QTest::addColumn<bool>("accept");
    QTest::addColumn<bool>("includeHidden");
    QTest::addColumn<QStringList>("result");
    QTest::addColumn<int>("answer");
    QTest::newRow("accepted") << true << false << QStringList {"PCB-100"} << 1;
    QTest::newRow("accepted with hidden") << true << true << QStringList {"PCB-100", "XY-500"} << 1;
    QTest::newRow("rejected") << false << true << QStringList() << 0;
}

void tst_TTableViewDialog::runResult()
{
    QFETCH(bool, accept);
    QFETCH(bool, includeHidden);
    QFETCH(QStringList, result);
    QFETCH(int, answer);
    Fixture f;
    f.dialog.setSelectionMode(QAbstractItemView::MultiSelection);
    f.dialog.selectRows({"PCB-100", "XY-500"});
    f.search("PCB");
    int got = -1;
    QTimer::singleShot(0, &f.dialog, [&] {
        QVERIFY(f.dialog.isVisible());
        QVERIFY(f.dialog.isModal());
        QAbstractButton *button = f.dialog.buttonBox()->findChild<QPushButton *>(accept ? "Ok" : "Cancel");
        button->click();
    });
    QCOMPARE(codes(f.dialog.run(includeHidden, &got)), result);
    QCOMPARE(got, answer);
    QVERIFY(!f.dialog.isVisible());

    // Closed by the window: rejected, and a null answer pointer is fine.
    QTimer::singleShot(0, &f.dialog, [&] { f.dialog.close(); });
    QVERIFY(f.dialog.run(true).isEmpty());
}

void tst_TTableViewDialog::selectAllButtons()
{
    Fixture f;
    f.dialog.setSelectionMode(QAbstractItemView::MultiSelection);
    QSignalSpy finished(&f.dialog, &QDialog::finished);
    f.dialog.setButtons({"All:SelectAll:Action", "None:UnselectAll:Action", "Ok:Ok:Accept"});
    QCOMPARE(f.dialog.buttonBox()->buttons().size(), 3);
    f.dialog.buttonBox()->findChild<QPushButton *>("SelectAll")->click();
    QCOMPARE(f.table->selectedPrimaryKeys(true).size(), 6);
    QCOMPARE(finished.count(), 0); // an action button neither accepts nor rejects
    f.dialog.buttonBox()->findChild<QPushButton *>("UnselectAll")->click();
    QVERIFY(f.table->selectedPrimaryKeys(true).isEmpty());
    // The default buttons have no such names.
    f.dialog.setButtons({"Ok:Ok:Accept", "Cancel:Cancel:Reject"});
    QVERIFY(!f.dialog.buttonBox()->findChild<QPushButton *>("SelectAll"));
}

void tst_TTableViewDialog::selectRowsByKey()
{
    Fixture f;
    f.dialog.setSelectionMode(QAbstractItemView::MultiSelection);
    f.dialog.selectRows({"PCB-100"});
    f.dialog.selectRows({"AB-300", "nothing"}, false);
    QCOMPARE(f.table->selectedPrimaryKeys(), (QVariantList {"PCB-100", "AB-300"}));
    f.dialog.selectRows({"XY-500"});
    QCOMPARE(f.table->selectedPrimaryKeys(), QVariantList {"XY-500"});
    QCOMPARE(f.shown().size(), 6); // selecting filters nothing
}

void tst_TTableViewDialog::fromScript()
{
    TTableViewDialog dialog;
    QJSEngine engine;
    expose(engine, "d", &dialog);
    const QJSValue result = CONTROLS_EVAL(engine, R"(
        d.set({"data_key_list": ["code", "grade"], "primary_key": "code", "title": "Boards",
               "header_item": [null, {"name": "code", "displayRole": "$code"}],
               "table_data": [{"code": "P1", "grade": "A"}, {"code": "P2", "grade": "B"}],
               "search_key": ["code"], "category_visible": true, "category_search_string": "grade",
               "category_itemlist": [{"name": "b", "text": "B", "data": "B", "VISIBLE": true}]});
        [d.windowTitle, d.searchKeys(), d.isCategoryVisible()];
    )");
    QVERIFY(!result.isError());
    const QVariantList list = result.toVariant().toList();
    QCOMPARE(list.value(0).toString(), QString("Boards"));
    QCOMPARE(list.value(1).toStringList(), QStringList {"code"});
    QCOMPARE(list.value(2).toBool(), true);
    dialog.categoryTreeView()->selectRow(QVariant("b"));
    QCOMPARE(dialog.tableView()->allDataMap(QString(), QString(), false).size(), 1);
}

QTEST_MAIN(tst_TTableViewDialog)
#include "tst_ttableviewdialog.moc"
