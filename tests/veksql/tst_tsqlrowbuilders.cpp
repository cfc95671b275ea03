#include "tsqldeleterv2.h"
#include "tsqlinserterv2.h"
#include "tsqlupdaterv2.h"
#include "tsqlwheresimplev2.h"

#include <QtTest>

// Insert, update and delete descriptions: what the executor reads of them.
class tst_TSqlRowBuilders : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void inserterAutoIncrement_data();
    void inserterAutoIncrement();
    void columnsFromMap();
    void columnSetters();
    void whereFromMap();
    void whereSetters();
    void clearKeepsUpdatePolicy();
    void copiesAreIndependent();

private:
    template<typename Builder>
    void checkColumnsFromMap();
    template<typename Builder>
    void checkColumnSetters();
    template<typename Builder>
    void checkWhereSetters();
    template<typename Builder>
    void checkWhereCopies();
};

void tst_TSqlRowBuilders::inserterAutoIncrement_data()
{
    QTest::addColumn<QVariantMap>("map");
    QTest::addColumn<QString>("expected");
    QTest::newRow("RETURN_ID true") << QVariantMap {{"RETURN_ID", true}} << "id";
    QTest::newRow("RETURN_ID false") << QVariantMap {{"RETURN_ID", false}} << "";
    QTest::newRow("RETURNID text") << QVariantMap {{"RETURNID", "sn"}} << "sn";
    QTest::newRow("auto_increment_field") << QVariantMap {{"auto_increment_field", "serial"}} << "serial";
    QTest::newRow("AutoIncrementField true") << QVariantMap {{"AutoIncrementField", true}} << "id";
    QTest::newRow("absent") << QVariantMap {{"TABLE", "t"}} << "";
}

void tst_TSqlRowBuilders::inserterAutoIncrement()
{
    QFETCH(QVariantMap, map);
    QFETCH(QString, expected);
    map.insert("TABLE", "t");
    map.insert("DATA", QVariantMap {{"a", 1}});
    const TSqlInserterV2 ins(map);
    QCOMPARE(ins.table(), QString("t"));
    QCOMPARE(ins.data(), QVariantMap({{"a", 1}}));
    QVERIFY(ins.field().isEmpty());
    QCOMPARE(ins.autoIncrementField(), expected);
}

template<typename Builder>
void tst_TSqlRowBuilders::checkColumnsFromMap()
{
    const Builder b(QVariantMap {{"TABLE", "t"},
                                 {"Connection_Name", "plant"},
                                 {"DATA", QVariantMap {{"a", 1}}},
                                 {"FIELD", "c"},
                                 {"field", QStringList {"a", "b"}},
                                 {"UNIQUEFIELD", QVariantList {"a"}},
                                 {"unique_field", "b"},
                                 {"update_policy", QVariantMap {{"tags", "ARRAY_APPEND"}}},
                                 {"USERDATA", 7},
                                 {"OTHER", 1}});
    QCOMPARE(b.table(), QString("t"));
    QCOMPARE(b.connectionName(), QString("plant"));
    QCOMPARE(b.data(), QVariantMap({{"a", 1}}));
    // Upper-case keys sort first; list properties collect both.
    QCOMPARE(b.field(), QStringList({"c", "a", "b"}));
    QCOMPARE(b.uniqueField(), QStringList({"a", "b"}));
    QCOMPARE(b.updatePolicy(), QVariantMap({{"tags", "ARRAY_APPEND"}}));
    QCOMPARE(b.userData(), QVariant(7));

    const Builder empty(QVariantMap {{"FIELD", ""}});
    QCOMPARE(empty.field(), QStringList {""});
    QCOMPARE(empty.table(), QString(""));
}

void tst_TSqlRowBuilders::columnsFromMap()
{
    checkColumnsFromMap<TSqlInserterV2>();
    checkColumnsFromMap<TSqlUpdaterV2>();

    const TSqlDeleterV2 del(
            QVariantMap {{"table", "t"}, {"user_data", 1}, {"CONNECTIONNAME", "c"}, {"FIELD", "ignored"}});
    QCOMPARE(del.table(), QString("t"));
    QCOMPARE(del.userData(), QVariant(1));
    QCOMPARE(del.connectionName(), QString("c"));
}

template<typename Builder>
void tst_TSqlRowBuilders::checkColumnSetters()
{
    Builder b("t");
    b.setField(QStringList {"a"}).addField("b").setData(QVariantMap {{"a", 1}});
    b.setUniqueField(QStringList {"x", "y"}).setUniqueField("id").addUniqueField("sn");
    b.setUpdatePolicy(QVariantMap {{"doc", "JSON_MERGE"}}).setUpdatePolicy("tags", "ARRAY_APPEND");
    b.fieldRef() << "c";
    b.uniqueFieldRef() << "k";
    QCOMPARE(b.table(), QString("t"));
    QCOMPARE(b.field(), QStringList({"a", "b", "c"}));
    QCOMPARE(b.uniqueField(), QStringList({"id", "sn", "k"}));
    QCOMPARE(b.updatePolicy("tags"), QVariant("ARRAY_APPEND"));
    QCOMPARE(b.updatePolicy("doc"), QVariant("JSON_MERGE"));
    QVERIFY(!b.updatePolicy("none").isValid());
}

void tst_TSqlRowBuilders::columnSetters()
{
    checkColumnSetters<TSqlInserterV2>();
    checkColumnSetters<TSqlUpdaterV2>();
    TSqlInserterV2 ins;
    QCOMPARE(ins.setAutoIncrementField("id").autoIncrementField(), QString("id"));
}

void tst_TSqlRowBuilders::whereFromMap()
{
    const QVariantMap map {{"TABLE", "t"},
                           {"WHERE", QVariantList {QVariantMap {{"id", 5}}, "state <> 'x'"}},
                           {"DATA", QVariantMap {{"a", 1}}}};
    QCOMPARE(TSqlUpdaterV2(map).where().toSql(), QString("((id = '5') AND (state <> 'x'))"));
    QCOMPARE(TSqlDeleterV2(map).where().toSql(), QString("((id = '5') AND (state <> 'x'))"));

    // The executor renders for its connection's dialect.
    const QVariantMap like {{"where", QVariantMap {{"n", QVariantMap {{"value", "C:\\%"}, {"operator", "like"}}}}}};
    QCOMPARE(TSqlDeleterV2(like).where().toSql("QPSQL"), QString("((n ILIKE E'C:\\\\%'))"));
    QCOMPARE(TSqlDeleterV2(like).where().toSql("QSQLITE"), QString("((n LIKE 'C:\\%'))"));
    QCOMPARE(TSqlUpdaterV2(like).where().toSql("QMYSQL"), QString("((n LIKE 'C:\\\\%'))"));
}

template<typename Builder>
void tst_TSqlRowBuilders::checkWhereSetters()
{
    Builder b("t");
    b.setWhere("id", 5, "=").addWhere("state", "open", "=");
    QCOMPARE(b.where().toSql(), QString("((id = '5') AND (state = 'open'))"));

    TSqlWhereCompsiteV2 any;
    any.setLogic(TSqlWhereCompsiteV2::Or).append("a = 1");
    b.setWhere(any).addWhere(TSqlWhereSimpleV2("b", QVariant(), "!="));
    QCOMPARE(b.where().toSql(), QString("((a = 1) OR (b IS NOT NULL))"));

    b.setWhere("raw = 1").addWhere("more = 2");
    QCOMPARE(b.where().logic(), TSqlWhereCompsiteV2::And);
    QCOMPARE(b.where().toSql(), QString("((raw = 1) AND (more = 2))"));
    b.whereRef().clear();
    QCOMPARE(b.where().toSql(), QString(""));
}

void tst_TSqlRowBuilders::whereSetters()
{
    checkWhereSetters<TSqlUpdaterV2>();
    checkWhereSetters<TSqlDeleterV2>();
}

void tst_TSqlRowBuilders::clearKeepsUpdatePolicy()
{
    TSqlUpdaterV2 upd(QVariantMap {{"TABLE", "t"},
                                   {"FIELD", "a"},
                                   {"DATA", QVariantMap {{"a", 1}}},
                                   {"UNIQUE_FIELD", "a"},
                                   {"WHERE", "id = 1"},
                                   {"USER_DATA", 1},
                                   {"CONNECTION_NAME", "c"},
                                   {"UPDATE_POLICY", QVariantMap {{"tags", "ARRAY_APPEND"}}}});
    upd.clear();
    QCOMPARE(upd.updatePolicy(), QVariantMap({{"tags", "ARRAY_APPEND"}}));
    QVERIFY(upd.table().isNull());
    QVERIFY(upd.connectionName().isNull());
    QVERIFY(upd.field().isEmpty() && upd.data().isEmpty() && upd.uniqueField().isEmpty());
    QVERIFY(upd.where().isEmpty());
    QVERIFY(!upd.userData().isValid());

    TSqlInserterV2 ins(
            QVariantMap {{"TABLE", "t"}, {"RETURN_ID", true}, {"UPDATEPOLICY", QVariantMap {{"d", "JSON_MERGE"}}}});
    ins.clear();
    QCOMPARE(ins.updatePolicy("d"), QVariant("JSON_MERGE"));
    QVERIFY(ins.autoIncrementField().isNull());

    TSqlDeleterV2 del(QVariantMap {{"TABLE", "t"}, {"WHERE", "id = 1"}});
    del.clear();
    QVERIFY(del.table().isNull());
    QVERIFY(del.where().isEmpty());
}

template<typename Builder>
void tst_TSqlRowBuilders::checkWhereCopies()
{
    Builder first("t");
    first.setWhere("id", 5, "=");
    Builder copy(first);
    Builder assigned;
    assigned = first;
    copy.addWhere("state", "open", "=");
    static_cast<TSqlWhereSimpleV2 *>(assigned.whereRef().items().at(0))->setValue(6);
    QCOMPARE(first.where().toSql(), QString("((id = '5'))"));
    QCOMPARE(copy.where().toSql(), QString("((id = '5') AND (state = 'open'))"));
    QCOMPARE(assigned.where().toSql(), QString("((id = '6'))"));
    QCOMPARE(copy.table(), QString("t"));
}

void tst_TSqlRowBuilders::copiesAreIndependent()
{
    checkWhereCopies<TSqlUpdaterV2>();
    checkWhereCopies<TSqlDeleterV2>();

    TSqlInserterV2 ins("t");
    ins.setData(QVariantMap {{"a", 1}}).setUniqueField("a");
    TSqlInserterV2 copy(ins);
    copy.addUniqueField("b").setAutoIncrementField("id");
    QCOMPARE(ins.uniqueField(), QStringList {"a"});
    QCOMPARE(ins.autoIncrementField(), QString(""));
    QCOMPARE(copy.data(), ins.data());
}

QTEST_GUILESS_MAIN(tst_TSqlRowBuilders)
#include "tst_tsqlrowbuilders.moc"
