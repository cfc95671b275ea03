#include "tsqlselectorv2.h"
#include "tsqlwheresimplev2.h"

#include <QtTest>

Q_DECLARE_METATYPE(TSqlSelectorV2)

namespace {

// Fields a and b, a = 1, grouped by a, ordered by a descending, page 3 of 10.
TSqlSelectorV2 paged(const QString &iType)
{
    TSqlSelectorV2 s("t");
    s.setField(QStringList {"a", "b"}).setWhere("a", 1, "=").setGroup("a");
    s.addOrder("a", Qt::DescendingOrder).setPage(3, 10).setDatabaseType(iType);
    return s;
}

TSqlSelectorV2 typed(const QString &iType) { return TSqlSelectorV2("t").setDatabaseType(iType); }

} // namespace

class tst_TSqlSelectorV2 : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void statements_data();
    void statements();
    void mapConstructor();
    void mapKeysBothForms_data();
    void mapKeysBothForms();
    void listSetters();
    void whereSetters();
    void clearKeepsTypeAndRowCount();
    void copiesAreIndependent();
    void sortOrderNames_data();
    void sortOrderNames();
};

void tst_TSqlSelectorV2::statements_data()
{
    QTest::addColumn<TSqlSelectorV2>("selector");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("countSql");

    const QString countPaged = "SELECT COUNT(*) FROM t WHERE ((a = '1')) GROUP BY a";

    QTest::newRow("table only") << TSqlSelectorV2("t") << "SELECT * FROM t"
                                << "SELECT COUNT(*) FROM t";
    QTest::newRow("pg paged") << paged("QPSQL")
                              << "SELECT a,b FROM t WHERE ((a = '1')) GROUP BY a ORDER BY a DESC LIMIT 10 OFFSET 20"
                              << countPaged;
    QTest::newRow("oracle paged")
            << paged("QOCI")
            << "SELECT * FROM (SELECT ROWNUM AS \"row__number\", ROWNUM__ALIAS__TABLE.* FROM ("
               "SELECT a,b FROM t WHERE ((a = '1')) GROUP BY a ORDER BY a DESC ) ROWNUM__ALIAS__TABLE ) "
               "WHERE \"row__number\" >= 21 AND \"row__number\" < 31"
            << countPaged;
    QTest::newRow("oracle limit only")
            << typed("QOCI").setLimit(5)
            << "SELECT * FROM (SELECT ROWNUM AS \"row__number\", ROWNUM__ALIAS__TABLE.* FROM (SELECT * FROM t ) "
               "ROWNUM__ALIAS__TABLE ) WHERE \"row__number\" < 6"
            << "SELECT COUNT(*) FROM t";
    QTest::newRow("oracle offset only")
            << typed("QOCI").setOffset(7)
            << "SELECT * FROM (SELECT ROWNUM AS \"row__number\", ROWNUM__ALIAS__TABLE.* FROM (SELECT * FROM t ) "
               "ROWNUM__ALIAS__TABLE ) WHERE \"row__number\" >= 8"
            << "SELECT COUNT(*) FROM t";
    QTest::newRow("oracle page 0 is the first page")
            << typed("QOCI").setPage(0, 10)
            << "SELECT * FROM (SELECT ROWNUM AS \"row__number\", ROWNUM__ALIAS__TABLE.* FROM (SELECT * FROM t ) "
               "ROWNUM__ALIAS__TABLE ) WHERE \"row__number\" < 11"
            << "SELECT COUNT(*) FROM t";
    QTest::newRow("oracle unpaged") << typed("QOCI").addOrder("a", Qt::AscendingOrder)
                                    << "SELECT * FROM t ORDER BY a ASC"
                                    << "SELECT COUNT(*) FROM t";
    QTest::newRow("sql server unpaged") << typed("QODBC").setOrder(QStringList {"a ASC", "b"})
                                        << "SELECT * FROM t ORDER BY a ASC,b"
                                        << "SELECT COUNT(*) FROM t";
    QTest::newRow("sql server paged")
            << paged("QODBC")
            << "SELECT * FROM (SELECT ROW_NUMBER() OVER (ORDER BY a DESC) AS \"row__number\", ROWNUM__ALIAS__TABLE.* "
               "FROM (SELECT a,b FROM t WHERE ((a = '1')) GROUP BY a) AS ROWNUM__ALIAS__TABLE) AS ROWNUM__ALIAS__OUTER "
               "WHERE \"row__number\" >= 21 AND \"row__number\" < 31 ORDER BY a DESC"
            << countPaged;
    QTest::newRow("sql server paged, no order")
            << typed("QODBC").setLimit(5)
            << "SELECT * FROM (SELECT ROW_NUMBER() OVER (ORDER BY (SELECT NULL)) AS \"row__number\", "
               "ROWNUM__ALIAS__TABLE.* FROM (SELECT * FROM t) AS ROWNUM__ALIAS__TABLE) AS ROWNUM__ALIAS__OUTER "
               "WHERE \"row__number\" < 6"
            << "SELECT COUNT(*) FROM t";
    QTest::newRow("limit 0") << typed("QSQLITE").setLimit(0) << "SELECT * FROM t"
                             << "SELECT COUNT(*) FROM t";
    QTest::newRow("offset without limit") << typed("QMYSQL").setOffset(20) << "SELECT * FROM t OFFSET 20"
                                          << "SELECT COUNT(*) FROM t";
    QTest::newRow("page 0") << TSqlSelectorV2("t").setPage(0, 10) << "SELECT * FROM t LIMIT 10"
                            << "SELECT COUNT(*) FROM t";
    QTest::newRow("lower-case type set") << paged("qoci") << paged("QOCI").toSql() << countPaged;
    QTest::newRow("lower-case type from map")
            << TSqlSelectorV2(QVariantMap {{"TABLE", "t"}, {"DATABASE_TYPE", "qoci"}, {"LIMIT", 5}})
            << "SELECT * FROM t LIMIT 5"
            << "SELECT COUNT(*) FROM t";
    QTest::newRow("all-empty where") << TSqlSelectorV2("t").setWhere("").addWhere(TSqlWhereCompsiteV2())
                                     << "SELECT * FROM t"
                                     << "SELECT COUNT(*) FROM t";
    QTest::newRow("empty field from map")
            << TSqlSelectorV2(QVariantMap {{"TABLE", "t"}, {"FIELD", ""}, {"ORDER", ""}}) << "SELECT  FROM t"
            << "SELECT COUNT(*) FROM t";

    // Conditions the selector builds itself follow its dialect.
    const QVariantMap like {{"TABLE", "t"},
                            {"WHERE", QVariantMap {{"n", QVariantMap {{"value", "a%"}, {"operator", "LIKE"}}}}}};
    QTest::newRow("map LIKE on pg") << TSqlSelectorV2(like) << "SELECT * FROM t WHERE ((n ILIKE 'a%'))"
                                    << "SELECT COUNT(*) FROM t WHERE ((n ILIKE 'a%'))";
    QTest::newRow("map LIKE on mysql") << TSqlSelectorV2(like).setDatabaseType("QMYSQL")
                                       << "SELECT * FROM t WHERE ((n LIKE 'a%'))"
                                       << "SELECT COUNT(*) FROM t WHERE ((n LIKE 'a%'))";
    QTest::newRow("node keeps its own type")
            << typed("QSQLITE").addWhere(TSqlWhereSimpleV2("n", "a%", "LIKE").setDatabaseType("QPSQL"))
            << "SELECT * FROM t WHERE ((n ILIKE 'a%'))"
            << "SELECT COUNT(*) FROM t WHERE ((n ILIKE 'a%'))";
    QTest::newRow("backslash on sqlite") << typed("QSQLITE").setWhere("p", "C:\\temp", "=")
                                         << "SELECT * FROM t WHERE ((p = 'C:\\temp'))"
                                         << "SELECT COUNT(*) FROM t WHERE ((p = 'C:\\temp'))";
    QTest::newRow("backslash on pg") << typed("QPSQL").setWhere("p", "C:\\temp", "=")
                                     << "SELECT * FROM t WHERE ((p = E'C:\\\\temp'))"
                                     << "SELECT COUNT(*) FROM t WHERE ((p = E'C:\\\\temp'))";
}

void tst_TSqlSelectorV2::statements()
{
    QFETCH(TSqlSelectorV2, selector);
    QFETCH(QString, sql);
    QFETCH(QString, countSql);
    QCOMPARE(selector.toSql(), sql);
    QCOMPARE(selector.toSelectCountSql(), countSql);
    // Rendering leaves the selector as it was.
    QCOMPARE(selector.toSql(), sql);
}

void tst_TSqlSelectorV2::mapConstructor()
{
    const QVariantMap map {{"connection_name", "plant"},
                           {"table", "orders"},
                           {"field", QStringList {"a", "b"}},
                           {"where", QVariantMap {{"state", "open"}}},
                           {"group", "a"},
                           {"order", QVariantList {"a DESC"}},
                           {"offset", "5"},
                           {"limit", 10},
                           {"case_type", 1},
                           {"unique_field", "id"},
                           {"return_row_count", true},
                           {"database_type", "QMYSQL"},
                           {"user_data", QVariantList {1}},
                           {"field_format", QVariantMap {{"d", "YYYY-MM"}}},
                           {"value_field", "name"},
                           {"unknown", 1}};
    const TSqlSelectorV2 s(map);
    QCOMPARE(s.connectionName(), QString("plant"));
    QCOMPARE(s.table(), QString("orders"));
    QCOMPARE(s.field(), QStringList({"a", "b"}));
    QCOMPARE(s.where().toSql(), QString("((state = 'open'))"));
    QCOMPARE(s.group(), QStringList {"a"});
    QCOMPARE(s.order(), QStringList {"a DESC"});
    QCOMPARE(s.offset(), 5);
    QCOMPARE(s.limit(), 10);
    QCOMPARE(s.fieldCaseType(), 1);
    QCOMPARE(s.uniqueField(), QString("id"));
    QVERIFY(s.isReturnRowCount());
    QCOMPARE(s.databaseType(), QString("QMYSQL"));
    QCOMPARE(s.userData(), QVariant(QVariantList {1}));
    QCOMPARE(s.fieldFormat("d"), QVariant("YYYY-MM"));
    QVERIFY(!s.fieldFormat("x").isValid());
    QCOMPARE(s.valueField(), QString("name"));

    const TSqlSelectorV2 defaults((QVariantMap()));
    QCOMPARE(defaults.limit(), -1);
    QCOMPARE(defaults.offset(), 0);
    QCOMPARE(defaults.fieldCaseType(), -1);
    QCOMPARE(defaults.databaseType(), QString("QPSQL"));
    QVERIFY(defaults.valueField().isNull());
    QVERIFY(!defaults.isReturnRowCount());
}

void tst_TSqlSelectorV2::mapKeysBothForms_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("property");
    for (const char *pair : {"CONNECTIONNAME", "CONNECTION_NAME", "UNIQUEFIELD", "UNIQUE_FIELD", "VALUEFIELD",
                             "VALUE_FIELD", "DATABASETYPE", "DATABASE_TYPE"}) {
        const QString key = QString::fromLatin1(pair);
        QTest::newRow(pair) << key << QString(key).remove('_');
        QTest::newRow(qPrintable(key.toLower())) << key.toLower() << QString(key).remove('_');
    }
}

void tst_TSqlSelectorV2::mapKeysBothForms()
{
    QFETCH(QString, key);
    QFETCH(QString, property);
    const TSqlSelectorV2 s(QVariantMap {{key, "v"}});
    const QMap<QString, QString> read {{"CONNECTIONNAME", s.connectionName()},
                                       {"UNIQUEFIELD", s.uniqueField()},
                                       {"VALUEFIELD", s.valueField()},
                                       {"DATABASETYPE", s.databaseType()}};
    QCOMPARE(read.value(property), QString("v"));
}

void tst_TSqlSelectorV2::listSetters()
{
    TSqlSelectorV2 s("t");
    s.setField("a").addField("b").addField("a").removeField("a");
    QCOMPARE(s.field(), QStringList {"b"});
    s.fieldRef() << "c";
    QCOMPARE(s.field(), QStringList({"b", "c"}));

    s.setGroup(QStringList {"g", "h", "g"}).removeGroup("g").addGroup("i");
    QCOMPARE(s.group(), QStringList({"h", "i"}));
    s.groupRef().clear();

    s.setOrder(QStringList {"x", "y DESC"}).addOrder("z", Qt::AscendingOrder);
    QCOMPARE(s.order(), QStringList({"x", "y DESC", "z ASC"}));
    s.setOrder("w", Qt::DescendingOrder);
    QCOMPARE(s.order(), QStringList {"w DESC"});
    s.addOrder("v", static_cast<Qt::SortOrder>(5));
    QCOMPARE(s.order().last(), QString("v DESC"));

    // Later keys in key order win for single values; lists collect.
    const TSqlSelectorV2 m(
            QVariantMap {{"FIELD", QVariantList {"a"}}, {"field", "b"}, {"TABLE", "first"}, {"table", "second"}});
    QCOMPARE(m.field(), QStringList({"a", "b"}));
    QCOMPARE(m.table(), QString("second"));

    s.setFieldFormat(QVariantMap {{"a", "JSON"}}).setFieldFormat("b", "ARRAY");
    QCOMPARE(s.fieldFormat(), QVariantMap({{"a", "JSON"}, {"b", "ARRAY"}}));
}

void tst_TSqlSelectorV2::whereSetters()
{
    TSqlSelectorV2 s("t");
    s.addWhere("x = 1");
    TSqlWhereCompsiteV2 any;
    any.setLogic(TSqlWhereCompsiteV2::Or).append("a = 1").append("b = 2");
    s.setWhere(any);
    any.append("c = 3");
    QCOMPARE(s.where().logic(), TSqlWhereCompsiteV2::Or);
    QCOMPARE(s.where().toSql(), QString("((a = 1) OR (b = 2))"));

    // The other setWhere forms clear the tree, logic included.
    s.setWhere("id", 5, "=").addWhere("state", "open", "=");
    QCOMPARE(s.where().logic(), TSqlWhereCompsiteV2::And);
    QCOMPARE(s.where().toSql(), QString("((id = '5') AND (state = 'open'))"));
    s.setWhere("raw = 1");
    QCOMPARE(s.where().toSql(), QString("((raw = 1))"));
    s.whereRef().setLogic(TSqlWhereCompsiteV2::Not);
    QCOMPARE(s.toSql(), QString("SELECT * FROM t WHERE NOT ((raw = 1))"));
}

void tst_TSqlSelectorV2::clearKeepsTypeAndRowCount()
{
    TSqlSelectorV2 s = paged("QOCI");
    s.setReturnRowCount(true)
            .setConnectionName("c")
            .setUniqueField("u")
            .setValueField("v")
            .setFieldCaseType(2)
            .setUserData(1)
            .setFieldFormat("a", "JSON");
    s.clear();
    QCOMPARE(s.databaseType(), QString("QOCI"));
    QVERIFY(s.isReturnRowCount());
    QCOMPARE(s.limit(), -1);
    QCOMPARE(s.offset(), 0);
    QCOMPARE(s.fieldCaseType(), -1);
    QVERIFY(s.table().isNull());
    QVERIFY(s.connectionName().isNull());
    QVERIFY(s.uniqueField().isNull());
    QVERIFY(s.valueField().isNull());
    QVERIFY(s.field().isEmpty() && s.group().isEmpty() && s.order().isEmpty());
    QVERIFY(s.where().isEmpty());
    QVERIFY(!s.userData().isValid());
    QVERIFY(s.fieldFormat().isEmpty());
}

void tst_TSqlSelectorV2::copiesAreIndependent()
{
    TSqlSelectorV2 first = paged("QPSQL");
    const QString before = first.toSql();
    TSqlSelectorV2 copy(first);
    TSqlSelectorV2 assigned;
    assigned = first;
    copy.addWhere("b", 2, "=").addField("c").setDatabaseType("QOCI");
    assigned.whereRef().clear();
    static_cast<TSqlWhereSimpleV2 *>(copy.whereRef().items().at(0))->setValue(7);
    QCOMPARE(first.toSql(), before);
    QCOMPARE(copy.where().toSql(), QString("((a = '7') AND (b = '2'))"));
}

void tst_TSqlSelectorV2::sortOrderNames_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("order");
    QTest::newRow("DESC") << "DESC" << int(Qt::DescendingOrder);
    QTest::newRow("Descending") << "Descending" << int(Qt::DescendingOrder);
    QTest::newRow("Ascending") << "Ascending" << int(Qt::AscendingOrder);
    QTest::newRow("empty") << "" << int(Qt::AscendingOrder);
    QTest::newRow("other") << "up" << int(Qt::AscendingOrder);
}

void tst_TSqlSelectorV2::sortOrderNames()
{
    QFETCH(QString, text);
    QFETCH(int, order);
    QCOMPARE(int(TSqlSelectorV2::sortOrderFromString(text)), order);
    QCOMPARE(TSqlSelectorV2::sortOrderToString(Qt::DescendingOrder), QString("Descending"));
    QCOMPARE(TSqlSelectorV2::sortOrderToString(Qt::AscendingOrder), QString("Ascending"));
}

QTEST_GUILESS_MAIN(tst_TSqlSelectorV2)
#include "tst_tsqlselectorv2.moc"
