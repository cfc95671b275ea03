#include "tsqlwherecompsitev2.h"
#include "tsqlwheresimplev2.h"
#include "tsqlwherestringv2.h"

#include <QtTest>

namespace {

// A node that counts its live instances, to see who destroys what.
class CountedNode : public TSqlWhereStringV2
{
public:
    explicit CountedNode(const QString &iSql)
        : TSqlWhereStringV2(iSql)
    {
        ++alive;
    }
    CountedNode(const CountedNode &iOther)
        : TSqlWhereStringV2(iOther)
    {
        ++alive;
    }
    ~CountedNode() override { --alive; }
    TSqlWhereAbsV2 *clone() const override { return new CountedNode(*this); }
    static int alive;
};
int CountedNode::alive = 0;

TSqlWhereCompsiteV2 andOf(const QString &a, const QString &b)
{
    TSqlWhereCompsiteV2 w;
    w.append("a", a, "=").append("b", b, "=");
    return w;
}

} // namespace

class tst_TSqlWhereCompsiteV2 : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void rendering();
    void dialectReachesNestedNodes();
    void logicNames_data();
    void logicNames();
    void copiesAreDeep();
    void assignFromOwnChild();
    void appendClonesNode();
    void ownership();
};

void tst_TSqlWhereCompsiteV2::rendering()
{
    TSqlWhereCompsiteV2 w;
    QCOMPARE(w.toSql(), QString(""));
    QVERIFY(w.isEmpty());

    w.append("").append(TSqlWhereCompsiteV2());
    QVERIFY(!w.isEmpty());
    QCOMPARE(w.toSql(), QString(""));

    w.clear().append("a", 1, "=");
    QCOMPARE(w.toSql(), QString("((a = '1'))"));

    QCOMPARE(andOf("1", "2").setLogic(TSqlWhereCompsiteV2::Not).toSql(), QString("NOT ((a = '1') AND (b = '2'))"));

    TSqlWhereCompsiteV2 any;
    any.setLogic(TSqlWhereCompsiteV2::Or).append("x", 1, "=").append(andOf("1", "2")).append("");
    QCOMPARE(any.toSql(), QString("((x = '1') OR (((a = '1') AND (b = '2'))))"));

    any.setLogic(static_cast<TSqlWhereCompsiteV2::Logic>(7));
    QCOMPARE(any.toSql(), QString(""));

    any.clear();
    QCOMPARE(any.logic(), TSqlWhereCompsiteV2::And);
    QVERIFY(any.isEmpty());
}

void tst_TSqlWhereCompsiteV2::dialectReachesNestedNodes()
{
    TSqlWhereCompsiteV2 inner;
    inner.append("n", "C:\\%", "LIKE");
    TSqlWhereCompsiteV2 outer;
    outer.setLogic(TSqlWhereCompsiteV2::Or)
            .append(inner)
            .append(TSqlWhereSimpleV2("m", "x%", "LIKE").setDatabaseType("QPSQL"));
    QCOMPARE(outer.toSql(), QString("((((n ILIKE E'C:\\\\%'))) OR (m ILIKE 'x%'))"));
    QCOMPARE(outer.toSql("QSQLITE"), QString("((((n LIKE 'C:\\%'))) OR (m ILIKE 'x%'))"));
}

void tst_TSqlWhereCompsiteV2::logicNames_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("logic");
    QTest::newRow("and") << "and" << int(TSqlWhereCompsiteV2::And);
    QTest::newRow("or") << "or" << int(TSqlWhereCompsiteV2::Or);
    QTest::newRow("Not") << "Not" << int(TSqlWhereCompsiteV2::Not);
    QTest::newRow("xor") << "xor" << int(TSqlWhereCompsiteV2::And);
    QTest::newRow("empty") << "" << int(TSqlWhereCompsiteV2::And);
}

void tst_TSqlWhereCompsiteV2::logicNames()
{
    QFETCH(QString, text);
    QFETCH(int, logic);
    QCOMPARE(int(TSqlWhereCompsiteV2::logicFromString(text)), logic);
    QCOMPARE(TSqlWhereCompsiteV2::logicToString(TSqlWhereCompsiteV2::Or), QString("Or"));
    QCOMPARE(TSqlWhereCompsiteV2::logicToString(TSqlWhereCompsiteV2::Not), QString("Not"));
    QCOMPARE(TSqlWhereCompsiteV2::logicToString(static_cast<TSqlWhereCompsiteV2::Logic>(7)), QString("And"));
}

void tst_TSqlWhereCompsiteV2::copiesAreDeep()
{
    TSqlWhereCompsiteV2 first = andOf("1", "2");
    first.setLogic(TSqlWhereCompsiteV2::Or);
    const QString before = first.toSql();

    TSqlWhereCompsiteV2 copied(first);
    TSqlWhereCompsiteV2 assigned;
    assigned.append("old = 1");
    assigned = first;
    QScopedPointer<TSqlWhereAbsV2> cloned(first.clone());

    QCOMPARE(copied.toSql(), before);
    QCOMPARE(assigned.toSql(), before);
    QCOMPARE(cloned->toSql(), before);

    static_cast<TSqlWhereSimpleV2 *>(copied.items().at(0))->setValue("9");
    assigned.append("c = 3").setLogic(TSqlWhereCompsiteV2::And);
    static_cast<TSqlWhereCompsiteV2 *>(cloned.data())->clear();
    QCOMPARE(first.toSql(), before);
    QVERIFY(copied.items().at(0) != first.items().at(0));

    first = first;
    QCOMPARE(first.toSql(), before);
}

void tst_TSqlWhereCompsiteV2::assignFromOwnChild()
{
    TSqlWhereCompsiteV2 outer;
    outer.append(andOf("1", "2").setLogic(TSqlWhereCompsiteV2::Or)).append("z = 0");
    // The child goes away while the assignment runs.
    outer = *static_cast<TSqlWhereCompsiteV2 *>(outer.items().at(0));
    QCOMPARE(outer.logic(), TSqlWhereCompsiteV2::Or);
    QCOMPARE(outer.toSql(), QString("((a = '1') OR (b = '2'))"));
}

void tst_TSqlWhereCompsiteV2::appendClonesNode()
{
    TSqlWhereSimpleV2 node("a", 1, "=");
    TSqlWhereCompsiteV2 w;
    w.append(node).append(TSqlWhereAbsV2());
    node.setValue(2);
    QCOMPARE(w.items().size(), 1);
    QVERIFY(w.items().at(0) != &node);
    QCOMPARE(w.toSql(), QString("((a = '1'))"));
}

void tst_TSqlWhereCompsiteV2::ownership()
{
    QCOMPARE(CountedNode::alive, 0);
    {
        TSqlWhereCompsiteV2 w;
        w.append(CountedNode("a = 1"));
        QCOMPARE(CountedNode::alive, 1);

        QList<TSqlWhereAbsV2 *> fresh = w.cloneItems();
        QCOMPARE(CountedNode::alive, 2);
        fresh << new CountedNode("b = 2") << nullptr;
        w.setItems(fresh);
        QCOMPARE(CountedNode::alive, 2);
        QCOMPARE(w.toSql(), QString("((a = 1) AND (b = 2))"));

        // Handing back its own children must neither free nor lose them.
        w.setItems(w.items());
        QCOMPARE(CountedNode::alive, 2);
        QCOMPARE(w.toSql(), QString("((a = 1) AND (b = 2))"));

        TSqlWhereCompsiteV2 copy(w);
        QCOMPARE(CountedNode::alive, 4);
        copy.clear();
        QCOMPARE(CountedNode::alive, 2);
        copy = w;
        QCOMPARE(CountedNode::alive, 4);
    }
    QCOMPARE(CountedNode::alive, 0);
}

QTEST_GUILESS_MAIN(tst_TSqlWhereCompsiteV2)
#include "tst_tsqlwherecompsitev2.moc"
