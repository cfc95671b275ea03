#include "tenumitem.h"
#include "tenumlist.h"

#include <QJSEngine>
#include <QPointer>
#include <QtTest>

class tst_TEnumList : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void numberOrder_data();
    void numberOrder();
    void lookups();
    void replacedEntryStaysAChild();
    void renamedEntryKeepsItsKey();
    void addedEntryOwnership();
    void deletedEntryLeavesTheList();
    void comboList();
    void scriptsBuildLists();
};

using Entries = QList<QPair<int, QString>>;

void tst_TEnumList::numberOrder_data()
{
    QTest::addColumn<Entries>("entries");
    QTest::addColumn<QStringList>("order");
    QTest::newRow("clash goes behind, by name")
            << Entries {{2, "b"}, {1, "a"}, {2, "c"}} << QStringList {"a", "b", "c"};
    QTest::newRow("clashes after numbers below 10000")
            << Entries {{5, "x"}, {5, "a"}, {7, "m"}, {9000, "z"}} << QStringList {"a", "m", "z", "x"};
    QTest::newRow("counter key taken: keep counting")
            << Entries {{10000, "a"}, {3, "b"}, {3, "c"}, {10001, "d"}, {3, "e"}}
            << QStringList {"b", "a", "c", "d", "e"};
    QTest::newRow("negative numbers first") << Entries {{0, "a"}, {-1, "b"}} << QStringList {"b", "a"};
    QTest::newRow("empty") << Entries {} << QStringList {};
}

void tst_TEnumList::numberOrder()
{
    QFETCH(Entries, entries);
    QFETCH(QStringList, order);
    TEnumList list;
    for (const auto &e : entries)
        list.addItem(e.first, e.second);
    QStringList names;
    for (const TEnumItem *item : list.items())
        names.append(item->name());
    QCOMPARE(names, order);
    QCOMPARE(list.getTextList(), order);
    QCOMPARE(list.toComboList().size(), order.size());
}

void tst_TEnumList::lookups()
{
    TEnumList list(QStringLiteral("status"), QStringLiteral("Status"));
    QCOMPARE(list.name(), QStringLiteral("status"));
    QCOMPARE(list.text(), QStringLiteral("Status"));
    list.addItem(1, QStringLiteral("open"), QStringLiteral("Open"), QStringLiteral("folder.#00ff00"),
                 QStringLiteral("r"), QVariantMap {{"k", 1}});
    list.addItem(2, QStringLiteral("closed"));

    QCOMPARE(list.itemText("open"), QStringLiteral("Open"));
    QCOMPARE(list.itemText("closed"), QStringLiteral("closed"));
    QCOMPARE(list.itemIcon("open"), QStringLiteral("folder.#00ff00"));
    QCOMPARE(list.itemRemark("open"), QStringLiteral("r"));
    QCOMPARE(list.itemData("open"), QVariant(QVariantMap {{"k", 1}}));
    QCOMPARE(list.item("open")->parent(), &list);

    QCOMPARE(list.itemText("absent"), QStringLiteral("absent"));
    QCOMPARE(list.itemIcon("absent"), QString());
    QCOMPARE(list.itemRemark("absent"), QString());
    QVERIFY(!list.itemData("absent").isValid());
    QVERIFY(!list.item("absent"));
    QVERIFY(!list.item("OPEN"));
}

void tst_TEnumList::replacedEntryStaysAChild()
{
    TEnumList list;
    list.addItem(1, QStringLiteral("a"), QStringLiteral("first"));
    QPointer<TEnumItem> first = list.item("a");
    list.addItem(2, QStringLiteral("a"), QStringLiteral("second"));
    QCOMPARE(list.itemText("a"), QStringLiteral("second"));
    QCOMPARE(list.getTextList(), QStringList {"second"});
    QVERIFY(first);
    QCOMPARE(first->parent(), &list);
}

void tst_TEnumList::renamedEntryKeepsItsKey()
{
    TEnumList list;
    list.addItem(1, QStringLiteral("old"));
    list.item("old")->setName(QStringLiteral("new"));
    QVERIFY(list.item("old"));
    QVERIFY(!list.item("new"));
    QCOMPARE(list.itemText("old"), QStringLiteral("new"));
}

void tst_TEnumList::addedEntryOwnership()
{
    QObject owner;
    QPointer<TEnumItem> foreign = new TEnumItem(&owner, 1, QStringLiteral("f"));
    QPointer<TEnumItem> orphan = new TEnumItem(nullptr, 2, QStringLiteral("o"));
    {
        TEnumList list;
        list.addItem(foreign);
        list.addItem(orphan);
        list.addItem(static_cast<TEnumItem *>(nullptr));
        QCOMPARE(foreign->parent(), &owner);
        QCOMPARE(orphan->parent(), &list);
        QCOMPARE(list.items().size(), 2);
    }
    QVERIFY(foreign);
    QVERIFY(!orphan);
}

void tst_TEnumList::deletedEntryLeavesTheList()
{
    TEnumList list;
    QObject owner;
    list.addItem(new TEnumItem(&owner, 1, QStringLiteral("gone")));
    list.addItem(2, QStringLiteral("kept"));
    delete owner.children().first();
    QCOMPARE(list.getTextList(), QStringList {"kept"});
    QVERIFY(!list.item("gone"));
    QCOMPARE(list.itemText("gone"), QStringLiteral("gone"));
}

void tst_TEnumList::comboList()
{
    TEnumList list;
    QCOMPARE(list.toComboList(), QVariantList());
    list.addItem(2, QStringLiteral("b"), QStringLiteral("Bee"), QStringLiteral("bee-icon"), QString(), 42);
    list.addItem(1, QStringLiteral("a"));
    const QVariantList combo = list.toComboList();
    QCOMPARE(combo,
             QVariantList({QVariantMap {{"icon", ""}, {"name", "a"}, {"text", "a"}, {"user_data", QVariant()}},
                           QVariantMap {{"icon", "bee-icon"}, {"name", "b"}, {"text", "Bee"}, {"user_data", 42}}}));
    QCOMPARE(combo.first().toMap().value("icon").userType(), int(QMetaType::QString));
}

void tst_TEnumList::scriptsBuildLists()
{
    QJSEngine engine;
    QObject owner; // a parent keeps the list out of the script engine's hands
    TEnumList &list = *new TEnumList(QString(), QString(), &owner);
    engine.globalObject().setProperty(QStringLiteral("list"), engine.newQObject(&list));
    const QJSValue result = engine.evaluate(
            QStringLiteral("list.addItem(2, 'b', 'Bee', '', '', {nested: [1, 2]});"
                           "list.addItem(1, 'a');"
                           "list.item('a').setText('Ay');"
                           "if (list.item('none') !== null) throw new Error('absent entry is not null');"
                           "list.getTextList().join('|')"));
    QVERIFY2(!result.isError(), qPrintable(result.toString()));
    QCOMPARE(result.toString(), QStringLiteral("Ay|Bee"));
    QCOMPARE(list.itemData("b"), QVariant(QVariantMap {{"nested", QVariantList {1, 2}}}));
}

QTEST_GUILESS_MAIN(tst_TEnumList)
#include "tst_tenumlist.moc"
