#include "tsqlconnectionpoolv2.h"
#include "tsqlqueryv2.h"
#include "tsqlselectorv2.h"
#include "vekfakesqldriver.h"
#include "vektestsql.h"

#include <QJSEngine>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

// The select family on real servers; SQL Server and Oracle paging through
// the recording driver.
class tst_TSqlQueryV2Select : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir tempDir;

    // Table s: (1, a, 2026-01-01), (2, b, 2026-01-02), (3, c, 2026-01-03).
    static bool fillTable(TSqlQueryV2 *iQuery)
    {
        iQuery->execSql(QStringLiteral("DROP TABLE IF EXISTS s"));
        iQuery->execSql(QStringLiteral("CREATE TABLE s (id INTEGER, name VARCHAR(20), born DATE)"));
        iQuery->batchInsert(QStringLiteral("s"), QStringList {"id", "name", "born"},
                            QVariantList {QVariantList {1, "a", QDate(2026, 1, 1)},
                                          QVariantList {2, "b", QDate(2026, 1, 2)},
                                          QVariantList {3, "c", QDate(2026, 1, 3)}});
        return !iQuery->lastError().isValid();
    }

    static void addDrivers()
    {
        QTest::addColumn<QString>("driver");
        QTest::newRow("postgresql") << "QPSQL";
        QTest::newRow("mariadb") << "QMYSQL";
        QTest::newRow("sqlite") << "QSQLITE";
    }

    static QVariantMap row(int iId, const QString &iName, const QString &iBorn)
    {
        return QVariantMap {{"id", iId}, {"name", iName}, {"born", iBorn}};
    }

private Q_SLOTS:
    void initTestCase()
    {
        VekFakeSqlDriver::registerDrivers();
        TSqlConnectionPoolV2::instance();
        QVERIFY(tempDir.isValid());
    }

    void shapes_data() { addDrivers(); }

    void shapes()
    {
        QFETCH(QString, driver);
        VEK_TEST_QUERY(q, driver, tempDir.path());
        QVERIFY(fillTable(q.get()));
        const QString sql = QStringLiteral("SELECT id, name, born FROM s ORDER BY id");
        const QVariantMap none;

        QCOMPARE(q->selectArray(sql, none), (QVariantList {1, "a", "2026-01-01"}));
        QCOMPARE(q->selectMap(sql, none), row(1, "a", "2026-01-01"));
        QCOMPARE(q->selectValue(sql, none), QVariant(1));
        QCOMPARE(q->selectArrayArray(sql, none),
                 (QVariantList {QVariantList {1, "a", "2026-01-01"}, QVariantList {2, "b", "2026-01-02"},
                                QVariantList {3, "c", "2026-01-03"}}));
        QCOMPARE(q->selectArrayMap(sql, none),
                 (QVariantList {row(1, "a", "2026-01-01"), row(2, "b", "2026-01-02"), row(3, "c", "2026-01-03")}));
        const QVariantMap data = q->selectArrayData(sql, none);
        QCOMPARE(data.value("field").toStringList(), (QStringList {"id", "name", "born"}));
        QCOMPARE(data.value("data").toList().size(), 3);
        QCOMPARE(data.value("data").toList().at(2), QVariant(QVariantList {3, "c", "2026-01-03"}));

        QCOMPARE(q->selectArrayValue(sql, "name"), (QVariantList {"a", "b", "c"}));
        QCOMPARE(q->selectArrayValue(sql, "${id}-${name}"), (QVariantList {"1-a", "2-b", "3-c"}));
        QCOMPARE(q->selectArrayValue(sql, ""), (QVariantList {1, 2, 3}));
        QCOMPARE(q->selectArrayValue(sql, "nosuch"), (QVariantList {QVariant(), QVariant(), QVariant()}));

        QCOMPARE(q->selectMapMap(sql, "name").value("b"), QVariant(row(2, "b", "2026-01-02")));
        // An empty key field means the first column.
        QCOMPARE(q->selectMapMap(sql, "").keys(), (QStringList {"1", "2", "3"}));
        QCOMPARE(q->selectMapMap(sql, "${name}/${id}").keys(), (QStringList {"a/1", "b/2", "c/3"}));
        QCOMPARE(q->selectMapValue(sql, "", ""), (QVariantMap {{"1", "a"}, {"2", "b"}, {"3", "c"}}));
        // A date key reads yyyy-MM-dd; a later row with the same key wins.
        QCOMPARE(q->selectMapValue(QStringLiteral("SELECT born, name FROM s ORDER BY id"), "", ""),
                 (QVariantMap {{"2026-01-01", "a"}, {"2026-01-02", "b"}, {"2026-01-03", "c"}}));
        QCOMPARE(q->selectMapValue(sql, "x", "${name}"), (QVariantMap {{"", "c"}}));
        QVERIFY(!q->lastError().isValid());

        // No rows.
        const QString empty = QStringLiteral("SELECT id, name FROM s WHERE id > 100");
        QVERIFY(q->selectArray(empty, none).isEmpty());
        QVERIFY(q->selectMap(empty, none).isEmpty());
        QVERIFY(!q->selectValue(empty, none).isValid());
        QVERIFY(q->selectArrayArray(empty, none).isEmpty());
        QVERIFY(q->selectArrayMap(empty, none).isEmpty());
        QVERIFY(q->selectArrayValue(empty, "id").isEmpty());
        QVERIFY(q->selectMapMap(empty, "id").isEmpty());
        QVERIFY(q->selectMapValue(empty, "id", "name").isEmpty());
        QCOMPARE(q->selectArrayData(empty, none),
                 (QVariantMap {{"field", QStringList {"id", "name"}}, {"data", QVariantList()}}));
    }

    void paging_data() { addDrivers(); }

    void paging()
    {
        QFETCH(QString, driver);
        VEK_TEST_QUERY(q, driver, tempDir.path());
        QVERIFY(fillTable(q.get()));
        // The selector's own type does not matter: the connection's dialect pages.
        TSqlSelectorV2 selector(QStringLiteral("s"));
        selector.setField(QStringList {"id", "name"})
                .addOrder(QStringLiteral("id"), Qt::DescendingOrder)
                .setPage(2, 1)
                .setDatabaseType(QStringLiteral("QOCI"));
        VekLogCapture log;
        QCOMPARE(q->selectArrayArray(selector), (QVariantList {QVariantList {2, "b"}}));
        QCOMPARE(log.texts(QStringLiteral("sql")),
                 QStringList {"SELECT id,name FROM s ORDER BY id DESC LIMIT 1 OFFSET 1"});
        // The count ignores the paging.
        QCOMPARE(q->selectCount(TSqlSelectorV2(selector).setDatabaseType(driver)), 3);

        // The map form reads the same description.
        QCOMPARE(q->selectArrayValue(QVariantMap {{"table", "s"},
                                                  {"field", "name"},
                                                  {"where", QVariantMap {{"id", QVariantList {1, 3}}}},
                                                  {"order", "id"},
                                                  {"value_field", "name"}}),
                 (QVariantList {"a", "c"}));
        QCOMPARE(q->selectMapValue(QVariantMap {{"table", "s"}, {"unique_field", "name"}, {"value_field", "${id}"}}),
                 (QVariantMap {{"a", "1"}, {"b", "2"}, {"c", "3"}}));
        QCOMPARE(q->selectMapMap(QVariantMap {{"table", "s"},
                                              {"field", QStringList {"id", "name"}},
                                              {"unique_field", "id"},
                                              {"limit", 1},
                                              {"order", "id"}}),
                 (QVariantMap {{"1", QVariantMap {{"id", 1}, {"name", "a"}}}}));
        QCOMPARE(q->selectMap(QVariantMap {{"table", "s"}, {"field", "name"}, {"order", "id DESC"}}),
                 (QVariantMap {{"name", "c"}}));
        QCOMPARE(q->selectArray(QVariantMap {{"table", "s"}, {"field", "name"}, {"order", "id"}}),
                 (QVariantList {"a"}));
        QCOMPARE(q->selectValue(QVariantMap {{"table", "s"}, {"field", "name"}, {"order", "id DESC"}}), QVariant("c"));
        QCOMPARE(q->selectArrayMap(
                         QVariantMap {{"table", "s"}, {"field", "id"}, {"limit", 5}, {"offset", 2}, {"order", "id"}}),
                 (QVariantList {QVariantMap {{"id", 3}}}));
        QCOMPARE(q->selectArrayData(QVariantMap {{"table", "s"}, {"field", "id"}, {"order", "id"}, {"limit", 1}}),
                 (QVariantMap {{"field", QStringList {"id"}}, {"data", QVariantList {QVariantList {1}}}}));
    }

    void fieldFormats_data()
    {
        QTest::addColumn<QString>("expression");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QVariant>("expected");
        QTest::newRow("date") << "DATE '2026-03-04'"
                              << "" << QVariant("2026-03-04");
        QTest::newRow("timestamp") << "TIMESTAMP '2026-03-04 05:06:07'"
                                   << "" << QVariant("2026-03-04 05:06:07");
        QTest::newRow("month, word in lower case") << "DATE '2026-03-04'"
                                                   << "yyyy-mm" << QVariant("2026-03");
        QTest::newRow("minutes") << "TIMESTAMP '2026-03-04 05:06:07'"
                                 << "YYYY-MM-DD HH:MM" << QVariant("2026-03-04 05:06");
        QTest::newRow("day of a timestamp") << "TIMESTAMP '2026-03-04 05:06:07'"
                                            << "YYYY-MM-DD" << QVariant("2026-03-04");
        QTest::newRow("json") << R"('{"a":[1,"x"]}'::json)"
                              << "JSON" << QVariant(QVariantMap {{"a", QVariantList {1, "x"}}});
        QTest::newRow("jsonb") << R"('[true,2]'::jsonb)"
                               << "jsonb" << QVariant(QVariantList {true, 2});
        QTest::newRow("array") << "'{x,\"y z\",\"q\\\"r\"}'::text[]"
                               << "ARRAY" << QVariant(QStringList {"x", "y z", "q\"r"});
        QTest::newRow("bigint as text") << "CAST(9007199254740993 AS BIGINT)"
                                        << "STRING" << QVariant("9007199254740993");
        QTest::newRow("null") << "CAST(NULL AS INTEGER)"
                              << "" << QVariant();
    }

    void fieldFormats()
    {
        QFETCH(QString, expression);
        QFETCH(QString, format);
        QFETCH(QVariant, expected);
        VEK_TEST_QUERY(q, QStringLiteral("QPSQL"), tempDir.path());
        const QString sql = QStringLiteral("SELECT %1 AS d").arg(expression);
        const QVariantMap formats {{"d", format}};
        const QVariantList rows = q->selectArrayMap(sql, formats);
        QVERIFY2(!q->lastError().isValid(), qPrintable(q->lastError().text()));
        QCOMPARE(rows.size(), 1);
        QVERIFY(rows.first().toMap().contains(QStringLiteral("d")));
        QCOMPARE(rows.first().toMap().value(QStringLiteral("d")), expected);
        QCOMPARE(q->selectValue(sql, formats), expected);
        // Format keys match the driver's column name exactly.
        const QVariant plain = q->selectValue(sql, QVariantMap());
        const QVariant otherCase = q->selectValue(sql, QVariantMap {{"D", format}});
        QCOMPARE(otherCase.type(), plain.type());
        QCOMPARE(otherCase, plain);
    }

    void columnRules()
    {
        VEK_TEST_QUERY(q, QStringLiteral("QPSQL"), tempDir.path());
        const QVariantMap none;
        // The paging column is left out of every shape, in any letter case,
        // and column positions are counted without it.
        const QString paged = QStringLiteral(R"(SELECT 7 AS "ROW__Number", 1 AS id, 'a' AS name)");
        QCOMPARE(q->selectArrayMap(paged, none), (QVariantList {QVariantMap {{"id", 1}, {"name", "a"}}}));
        QCOMPARE(q->selectArray(paged, none), (QVariantList {1, "a"}));
        QCOMPARE(q->selectValue(paged, none), QVariant(1));
        QCOMPARE(q->selectArrayData(paged, none).value("field").toStringList(), (QStringList {"id", "name"}));
        QCOMPARE(q->selectMapValue(paged, "", ""), (QVariantMap {{"1", "a"}}));
        QCOMPARE(q->selectArrayValue(paged, "${ROW__Number}-${id}"), (QVariantList {"-1"}));

        // Duplicate names: a map keeps the later column, a list keeps both.
        const QString twice = QStringLiteral("SELECT 1 AS x, 2 AS x");
        QCOMPARE(q->selectMap(twice, none), (QVariantMap {{"x", 2}}));
        QCOMPARE(q->selectArray(twice, none), (QVariantList {1, 2}));

        // A "$" without a complete placeholder is still a template; a column
        // name put in for an empty field is a template only for the keyed maps.
        const QString dollar = QStringLiteral(R"(SELECT 1 AS "a$", 2 AS b UNION ALL SELECT 3, 4)");
        QCOMPARE(q->selectArrayValue(dollar, "$x"), (QVariantList {"$x", "$x"}));
        QCOMPARE(q->selectArrayValue(dollar, ""), (QVariantList {1, 3}));
        QCOMPARE(q->selectMapValue(dollar, "", ""), (QVariantMap {{"a$", 4}}));

        // Parameters by name, with script values turned into plain ones.
        QJSEngine engine;
        const QVariantMap params {{"b", "x"}, {"a", "y"}, {"ids", QVariant::fromValue(engine.evaluate("[1, 2]"))}};
        QCOMPARE(
                q->selectValue(
                        QStringLiteral(
                                "SELECT CAST(:b AS TEXT) || CAST(:a AS TEXT) || CAST(CAST(:ids AS INTEGER[]) AS TEXT)"),
                        none, params),
                QVariant("xy{1,2}"));
    }

    void failures()
    {
        VEK_TEST_QUERY(q, QStringLiteral("QPSQL"), tempDir.path());
        const QVariantMap none;
        QVERIFY(q->selectArrayMap(QStringLiteral("SELECT * FROM no_table"), none).isEmpty());
        QCOMPARE(q->lastError().code(), QStringLiteral("SQL_QUERY_ERROR"));
        QVERIFY(q->lastError().text().contains(QLatin1String("no_table")));
        QCOMPARE(q->selectArrayData(QStringLiteral("SELECT * FROM no_table"), none),
                 (QVariantMap {{"field", QStringList()}, {"data", QVariantList()}}));
        QVERIFY(q->selectMap(QStringLiteral("SELECT * FROM no_table"), none).isEmpty());
        QVERIFY(q->lastError().isValid());
        QCOMPARE(q->selectCount(TSqlSelectorV2(QStringLiteral("no_table"))), 0);
        QVERIFY(q->lastError().isValid());

        // Inside a caller's transaction a select neither commits nor clears the record.
        QVERIFY(q->begin());
        QVERIFY(!q->execSql(QStringLiteral("SELECT * FROM no_table")));
        q->selectValue(QStringLiteral("SELECT 1"), none);
        QVERIFY(q->lastError().text().contains(QLatin1String("no_table")));
        QCOMPARE(q->commit(), 0);
        QCOMPARE(q->selectValue(QStringLiteral("SELECT 1"), none), QVariant(1));
        QVERIFY(!q->lastError().isValid());
    }

    // A failed select records the driver's first complaint about the
    // statement, the one that names the cause, not what the execute and
    // fetch after a failed prepare report; the commit's error line names
    // the statement, without its bound values. Every kind, also the one that
    // skips the check after preparing.
    void failedSelectKeepsCause_data()
    {
        QTest::addColumn<QString>("driver");
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("cause");
        for (const char *driver : {"QPSQL", "QSQLITE"}) {
            QTest::addRow("%s, missing table", driver) << driver << "SELECT id FROM no_such_table WHERE id = :id"
                                                       << "no_such_table";
            QTest::addRow("%s, bad column", driver) << driver << "SELECT no_such_column FROM s WHERE id = :id"
                                                    << "no_such_column";
        }
    }

    void failedSelectKeepsCause()
    {
        QFETCH(QString, driver);
        QFETCH(QString, sql);
        QFETCH(QString, cause);
        VEK_TEST_QUERY(q, driver, tempDir.path());
        QVERIFY(fillTable(q.get()));
        const QVariantMap none;
        const QVariantMap params {{"id", "bound-secret"}};
        TSqlQueryV2 *query = q.get();
        const QList<QPair<const char *, std::function<void()>>> kinds {
                {"selectMap", [&]() { query->selectMap(sql, none, params); }},
                {"selectArrayMap", [&]() { query->selectArrayMap(sql, none, params); }},
                {"selectValue", [&]() { query->selectValue(sql, none, params); }},
                {"selectArrayData", [&]() { query->selectArrayData(sql, none, params); }},
                {"selectMapValue", [&]() { query->selectMapValue(sql, "id", "id", none, params); }}};
        for (const auto &kind : kinds) {
            VekLogCapture log;
            kind.second();
            const QStringList lines = query->lastError().text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
            QVERIFY2(!lines.isEmpty() && lines.first().contains(cause),
                     qPrintable(QStringLiteral("%1: %2").arg(kind.first, query->lastError().text())));
            QVERIFY2(!query->lastError().text().contains(QLatin1String("Unable to fetch row")), kind.first);
            const QStringList errors = log.texts(QStringLiteral("error"));
            QCOMPARE(errors.size(), 1);
            QCOMPARE(errors.first(), query->lastError().text() + QStringLiteral("SQL: ") + sql);
        }
        // A later statement that works, in a new transaction, names nothing.
        VekLogCapture log;
        QCOMPARE(query->selectValue(QStringLiteral("SELECT id FROM s WHERE id = 1"), none), QVariant(1));
        QVERIFY(!query->lastError().isValid());
        QVERIFY(log.texts(QStringLiteral("error")).isEmpty());
    }

    void otherDialects_data()
    {
        QTest::addColumn<QString>("driver");
        QTest::addColumn<QString>("statement");
        QTest::newRow("oracle")
                << "QOCI"
                << R"(SELECT * FROM (SELECT ROWNUM AS "row__number", ROWNUM__ALIAS__TABLE.* FROM (SELECT a,b FROM t WHERE ((a = '1')) GROUP BY a ORDER BY a DESC ) ROWNUM__ALIAS__TABLE ) WHERE "row__number" >= 21 AND "row__number" < 31)";
        QTest::newRow("sql server") << "QODBC"
                                    << "";
    }

    void otherDialects()
    {
        QFETCH(QString, driver);
        QFETCH(QString, statement);
        VEK_TEST_QUERY(q, driver, tempDir.path());
        TSqlSelectorV2 selector(QStringLiteral("t"));
        selector.setField(QStringList {"a", "b"})
                .setWhere(QStringLiteral("a"), 1, QStringLiteral("="))
                .setGroup(QStringLiteral("a"))
                .addOrder(QStringLiteral("a"), Qt::DescendingOrder)
                .setPage(3, 10);
        VekLogCapture log;
        VekFakeSqlLog::clear();
        VekFakeSqlLog::queueResult(QStringLiteral("FROM t"), QStringList {"row__number", "a", "b"},
                                   QList<QVariantList> {{21, "1", "x"}, {22, "1", "y"}});
        QCOMPARE(q->selectArrayMap(selector),
                 (QVariantList {QVariantMap {{"a", "1"}, {"b", "x"}}, QVariantMap {{"a", "1"}, {"b", "y"}}}));
        const QString sent = log.texts(QStringLiteral("sql")).value(0);
        if (!statement.isEmpty()) {
            QCOMPARE(sent, statement);
        } else {
            QVERIFY2(sent.contains(QLatin1String("ROW_NUMBER() OVER (ORDER BY a DESC)")), qPrintable(sent));
        }
        VekFakeSqlLog::queueResult(QStringLiteral("FROM t"), QStringList {"row__number", "a", "b"},
                                   QList<QVariantList> {{21, "1", "x"}});
        QCOMPARE(q->selectValue(selector), QVariant("1"));
        QCOMPARE(VekFakeSqlLog::events().count(QStringLiteral("COMMIT")), 2);
    }
};

QTEST_GUILESS_MAIN(tst_TSqlQueryV2Select)
#include "tst_tsqlqueryv2_select.moc"
