// The panel menu: rows from item lists, folding, the active chain and its signals.
#include "controlstest.h"
#include "tpanelitem.h"
#include "tpanelmenu.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include <functional>

namespace {

QVariantMap item(const QString &iText, const QVariantList &iChildren = {}, const QVariantMap &iExtra = {})
{
    QVariantMap map = iExtra;
    map.insert("text", iText);
    if (!iChildren.isEmpty())
        map.insert("child_list", iChildren);
    return map;
}

void clickRow(TPanelItem *iItem) { iItem->findChild<QPushButton *>(QString(), Qt::FindDirectChildrenOnly)->click(); }

// The rows below the menu by path of texts, e.g. {"A", "A1"}.
TPanelItem *row(TPanelMenu &iMenu, const QStringList &iPath)
{
    QList<TPanelItem *> level = iMenu.panelItemList();
    TPanelItem *found = nullptr;
    for (const QString &text : iPath) {
        found = nullptr;
        for (TPanelItem *candidate : level) {
            if (candidate->text() == text)
                found = candidate;
        }
        if (!found)
            return nullptr;
        level = found->childList();
    }
    return found;
}

QVariantList tree()
{
    return {item("A", {item("A1", {item("A11"), item("A12")}), item("A2")}), item("B", {item("B1")}), item("C")};
}

QStringList activeRows(TPanelMenu &iMenu)
{
    QStringList result;
    std::function<void(const QList<TPanelItem *> &)> walk = [&](const QList<TPanelItem *> &iItems) {
        for (TPanelItem *i : iItems) {
            if (i->isActive())
                result.append(i->text());
            walk(i->childList());
        }
    };
    walk(iMenu.panelItemList());
    return result;
}

} // namespace

class tst_TPanelMenu : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void rowsFromList_data();
    void rowsFromList();
    void reloadingReplacesRows();
    void leafClicks();
    void parentClicksFoldAndSelectEveryTime();
    void deepActivationClimbsAndDeactivatesOthers();
    void toolTipDefaultsToText();
    void loadingActivatesAncestorsSilently();
    void loadingTwoActiveBranchesKeepsBoth();
    void itemListReportsUnfoldButNotActive();
    void attributeFromScript();
    void listenerMayReloadDuringClick();
    void rowsAreTallEnoughForTheirText();
};

void tst_TPanelMenu::rowsFromList_data()
{
    QTest::addColumn<QVariant>("data");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QStringList>("childTexts"); // children of the first row

    QTest::newRow("plain list, default keys") << QVariant(QVariantList {item("A", {item("A1")}), item("B")})
                                              << QStringList {"A", "B"} << QStringList {"A1"};
    const QVariantMap child {{"name", "X1"}};
    const QVariantMap renamed {{"name", "X"}, {"text", "not me"}, {"kids", QVariantList {child}}};
    const QVariantMap withKeys {
            {"text_key", "name"}, {"child_list_key", "kids"}, {"item_list", QVariantList {renamed}}};
    QTest::newRow("renamed keys") << QVariant(withKeys) << QStringList {"X"} << QStringList {"X1"};
    QTest::newRow("map without item_list")
            << QVariant(QVariantMap {{"text", "lonely"}}) << QStringList() << QStringList();
    QTest::newRow("nothing") << QVariant() << QStringList() << QStringList();
}

void tst_TPanelMenu::rowsFromList()
{
    QFETCH(QVariant, data);
    QFETCH(QStringList, texts);
    QFETCH(QStringList, childTexts);
    TPanelMenu menu;
    menu.setItemList(data);
    QStringList got;
    for (TPanelItem *i : menu.panelItemList()) {
        got.append(i->text());
        QCOMPARE(i->level(), 0);
    }
    QCOMPARE(got, texts);
    if (!texts.isEmpty()) {
        QStringList children;
        for (TPanelItem *c : menu.panelItemList().first()->childList()) {
            children.append(c->text());
            QCOMPARE(c->level(), 1);
            QVERIFY(c->isHidden()); // folded at first
        }
        QCOMPARE(children, childTexts);
    }
}

void tst_TPanelMenu::reloadingReplacesRows()
{
    TPanelMenu menu;
    menu.setItemList(tree());
    QPointer<TPanelItem> old = menu.panelItemList().first();
    menu.setItemList(QVariantList {item("Z")});
    QCOMPARE(menu.panelItemList().size(), 1);
    QCOMPARE(menu.panelItemList().first()->text(), QString("Z"));
    QTRY_VERIFY(old.isNull());
}

void tst_TPanelMenu::leafClicks()
{
    TPanelMenu menu;
    menu.setItemList(tree());
    QSignalSpy select(&menu, &TPanelMenu::selectChange);
    QSignalSpy clicked(&menu, &TPanelMenu::clicked);
    TPanelItem *c = row(menu, {"C"});

    clickRow(c);
    QCOMPARE(select.count(), 1);
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(select.at(0).at(0).toMap().value("text"), QVariant("C"));
    QVERIFY(c->isActive());

    // An active leaf only reports the click; the tool buttons act as the row.
    clickRow(c);
    c->findChild<QToolButton *>()->click();
    QCOMPARE(select.count(), 1);
    QCOMPARE(clicked.count(), 3);
}

void tst_TPanelMenu::parentClicksFoldAndSelectEveryTime()
{
    TPanelMenu menu;
    menu.setItemList(tree());
    QSignalSpy select(&menu, &TPanelMenu::selectChange);
    QSignalSpy clicked(&menu, &TPanelMenu::clicked);
    TPanelItem *b = row(menu, {"B"});
    TPanelItem *b1 = row(menu, {"B", "B1"});

    clickRow(b);
    QVERIFY(b->childrenVisible());
    QVERIFY(!b1->isHidden());
    QCOMPARE(select.count(), 1);
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(b->getData().value("unfold"), QVariant(true));

    clickRow(b);
    QVERIFY(!b->childrenVisible());
    QVERIFY(b1->isHidden());
    QVERIFY(b->isActive());
    QCOMPARE(select.count(), 2);
    QCOMPARE(clicked.count(), 2);
    QCOMPARE(b->getData().value("unfold"), QVariant(false));
}

void tst_TPanelMenu::deepActivationClimbsAndDeactivatesOthers()
{
    TPanelMenu menu;
    menu.setItemList(tree());
    clickRow(row(menu, {"B"}));
    clickRow(row(menu, {"B", "B1"}));
    QCOMPARE(activeRows(menu), QStringList({"B", "B1"}));
    clickRow(row(menu, {"A"}));
    clickRow(row(menu, {"A", "A2"}));
    QCOMPARE(activeRows(menu), QStringList({"A", "A2"}));

    QSignalSpy select(&menu, &TPanelMenu::selectChange);
    QSignalSpy clicked(&menu, &TPanelMenu::clicked);
    clickRow(row(menu, {"A", "A1", "A11"}));
    QCOMPARE(activeRows(menu), QStringList({"A", "A1", "A11"}));
    QVERIFY(row(menu, {"A"})->childrenVisible());
    QVERIFY(row(menu, {"A", "A1"})->childrenVisible());
    // The data climbs unchanged to the menu.
    QCOMPARE(select.count(), 1);
    QCOMPARE(select.at(0).at(0).toMap().value("text"), QVariant("A11"));
    QCOMPARE(clicked.at(0).at(0).toMap().value("text"), QVariant("A11"));

    clickRow(row(menu, {"C"}));
    QCOMPARE(activeRows(menu), QStringList({"C"}));
}

void tst_TPanelMenu::toolTipDefaultsToText()
{
    TPanelMenu menu;
    menu.setItemList(QVariantList {item("Orders"), item("Lots", {}, {{"tool_tip", "Production lots"}})});
    const QVariantList list = menu.itemList();
    QCOMPARE(list.at(0).toMap().value("tool_tip"), QVariant("Orders"));
    QCOMPARE(list.at(1).toMap().value("tool_tip"), QVariant("Production lots"));
    QCOMPARE(menu.panelItemList().at(0)->findChild<QPushButton *>()->toolTip(), QString("Orders"));
    QCOMPARE(menu.panelItemList().at(1)->findChild<QPushButton *>()->toolTip(), QString("Production lots"));
}

void tst_TPanelMenu::loadingActivatesAncestorsSilently()
{
    TPanelMenu menu;
    QSignalSpy select(&menu, &TPanelMenu::selectChange);
    QSignalSpy clicked(&menu, &TPanelMenu::clicked);
    menu.setItemList(
            QVariantList {item("A", {item("A1", {item("A11", {}, {{"active", true}})})}), item("B", {item("B1")})});
    QCOMPARE(activeRows(menu), QStringList({"A", "A1", "A11"}));
    QVERIFY(row(menu, {"A"})->childrenVisible());
    QVERIFY(row(menu, {"A", "A1"})->childrenVisible());
    QVERIFY(select.isEmpty());
    QVERIFY(clicked.isEmpty());
    // The unfolding made while loading shows in the reported list.
    QCOMPARE(menu.itemList().at(0).toMap().value("unfold"), QVariant(true));
}

void tst_TPanelMenu::loadingTwoActiveBranchesKeepsBoth()
{
    TPanelMenu menu;
    menu.setItemList(QVariantList {item("A", {}, {{"active", true}}), item("B", {}, {{"active", true}})});
    QCOMPARE(activeRows(menu), QStringList({"A", "B"}));
    // A click afterwards makes the chain single again.
    clickRow(row(menu, {"A"}));
    clickRow(row(menu, {"B"}));
    QCOMPARE(activeRows(menu), QStringList({"A", "B"})); // both already active: nothing changes
}

void tst_TPanelMenu::itemListReportsUnfoldButNotActive()
{
    TPanelMenu menu;
    menu.setItemList(tree());
    clickRow(row(menu, {"B"}));
    clickRow(row(menu, {"C"}));
    const QVariantList list = menu.itemList();
    QCOMPARE(list.size(), 3);
    QCOMPARE(list.at(1).toMap().value("unfold"), QVariant(true));
    QVERIFY(!list.at(2).toMap().contains("active"));
    QVERIFY(row(menu, {"C"})->isActive());
    QCOMPARE(menu.getAttr("item_list"), QVariant(list));
}

void tst_TPanelMenu::attributeFromScript()
{
    TPanelMenu menu;
    QJSEngine engine;
    controlstest::expose(engine, "m", &menu);
    const QJSValue r = CONTROLS_EVAL(engine, "m.setAttr('item_list', {text_key: 'label', item_list: "
                                             "[{label: 'One', user_data: 7}, {label: 'Two'}]});"
                                             "m.getAttr('item_list').length + ':' + m.getAttr('item_list')[0].label");
    QCOMPARE(r.toString(), QString("2:One"));
    QCOMPARE(menu.panelItemList().at(0)->getUserData(), QVariant(7));
    QCOMPARE(menu.panelItemList().at(1)->text(), QString("Two"));
}

void tst_TPanelMenu::listenerMayReloadDuringClick()
{
    TPanelMenu menu;
    menu.setItemList(tree());
    connect(&menu, &TPanelMenu::clicked, this, [&menu] { menu.setItemList(QVariantList {item("New")}); });
    clickRow(row(menu, {"C"}));
    QCOMPARE(menu.panelItemList().size(), 1);
    QTest::qWait(1); // the old rows go
    QCOMPARE(menu.findChildren<TPanelItem *>().size(), 1);
}

void tst_TPanelMenu::rowsAreTallEnoughForTheirText()
{
    TPanelMenu menu;
    menu.setItemList(tree());
    menu.resize(200, 300);
    menu.show();
    QVERIFY(QTest::qWaitForWindowExposed(&menu));
    for (TPanelItem *i : menu.panelItemList()) {
        auto *label = i->findChild<QLabel *>();
        QVERIFY(label->isVisible());
        QVERIFY2(label->height() >= label->fontMetrics().height(), qPrintable(QString::number(label->height())));
    }
}

QTEST_MAIN(tst_TPanelMenu)
#include "tst_tpanelmenu.moc"
