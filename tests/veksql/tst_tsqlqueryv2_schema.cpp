#include "tsqlconnectionpoolv2.h"
#include "tsqlqueryv2.h"
#include "vekfakesqldriver.h"
#include "vektestsql.h"

#include <QJSEngine>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <memory>

// Schema reading, creation, field changes and migration on real servers.
class tst_TSqlQueryV2Schema : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir tempDir;

    std::unique_ptr<TSqlQueryV2> makeQuery(const QString &iDriver)
    {
        QString why;
        const QVariantMap params = vekTestParams(iDriver, tempDir.path(), &why);
        if (params.isEmpty()) {
            QTest::qFail(qPrintable(why), __FILE__, __LINE__);
            return nullptr;
        }
        TSqlConnectionPoolV2::instance()->setConnectParameter(params, iDriver);
        return std::make_unique<TSqlQueryV2>(TSqlConnectionPoolV2::instance()->getSqlDatabase(iDriver));
    }

    static void addDrivers()
    {
        QTest::addColumn<QString>("driver");
        QTest::newRow("postgresql") << "QPSQL";
        QTest::newRow("mariadb") << "QMYSQL";
        QTest::newRow("sqlite") << "QSQLITE";
    }

    static QVariantMap field(const QString &iName, const QString &iType, bool iNotNull = false, int iLength = 0)
    {
        QVariantMap map {{"name", iName}, {"type", iType}, {"notnull", iNotNull}};
        if (iLength > 0) {
            map.insert(QStringLiteral("length"), iLength);
        }
        return map;
    }

    static QVariantMap key(const QString &iType, const QString &iFields)
    {
        return QVariantMap {{"type", iType}, {"field", iFields}};
    }

    // Index entries have no defined order on most servers.
    static QStringList indexTexts(const QVariantMap &iStruct)
    {
        QStringList texts;
        for (const QVariant &entry : iStruct.value(QStringLiteral("index")).toList()) {
            texts.append(entry.toMap().value(QStringLiteral("type")).toString() + QLatin1Char(':')
                         + entry.toMap().value(QStringLiteral("field")).toString());
        }
        std::sort(texts.begin(), texts.end());
        return texts;
    }

    static QStringList names(const QVariantMap &iStruct)
    {
        QStringList result;
        for (const QVariant &entry : iStruct.value(QStringLiteral("field")).toList()) {
            result.append(entry.toMap().value(QStringLiteral("name")).toString());
        }
        return result;
    }

    static void dropIfExists(TSqlQueryV2 *iQuery, const QString &iTable)
    {
        if (iQuery->isTableExists(iTable)) {
            QVERIFY(iQuery->dropTable(iTable));
        }
    }

    // A table with an integer key, a text column and three rows.
    static void makeRowTable(TSqlQueryV2 *iQuery, const QString &iTable)
    {
        dropIfExists(iQuery, iTable);
        QVERIFY2(iQuery->createTable(iTable, QVariantMap {{"field", QVariantList {field("id", "SERIAL", true),
                                                                                  field("x", "VARCHAR", false, 20),
                                                                                  field("n", "INTEGER")}},
                                                          {"index", QVariantList {key("PRIMARY", "id")}}}),
                 qPrintable(iQuery->lastError().text()));
        for (int i = 1; i <= 3; ++i) {
            iQuery->insertRow(iTable, QVariantMap {{"x", QStringLiteral("r%1").arg(i)}, {"n", i * 10}}, QStringList());
            QVERIFY2(!iQuery->lastError().isValid(), qPrintable(iQuery->lastError().text()));
        }
    }

    static QVariantList rows(TSqlQueryV2 *iQuery, const QString &iTable, const QString &iColumns)
    {
        return iQuery->selectArrayArray(QStringLiteral("SELECT %1 FROM %2 ORDER BY n").arg(iColumns, iTable),
                                        QVariantMap());
    }

    static QVariantList expectedRows()
    {
        return QVariantList {QVariantList {"r1", 10}, QVariantList {"r2", 20}, QVariantList {"r3", 30}};
    }

private Q_SLOTS:
    void initTestCase()
    {
        VekFakeSqlDriver::registerDrivers();
        TSqlConnectionPoolV2::instance();
        QVERIFY(tempDir.isValid());
    }

    void catalogue_data() { addDrivers(); }

    void catalogue()
    {
        QFETCH(QString, driver);
        auto q = makeQuery(driver);
        QVERIFY(q);
        makeRowTable(q.get(), QStringLiteral("s_cat"));

        QVERIFY(q->getTableList().contains(QStringLiteral("s_cat")));
        QVERIFY(q->isTableExists(QStringLiteral("s_cat")));
        QVERIFY(!q->isTableExists(QStringLiteral("S_cat")));
        QCOMPARE(q->getTableStruct(QStringLiteral("S_cat")), QVariantMap());
        QCOMPARE(q->getFieldList(QStringLiteral("s_cat")), (QStringList {"id", "x", "n"}));
        QVERIFY(q->isFieldExists(QStringLiteral("s_cat"), QStringLiteral("x")));
        QVERIFY(!q->isFieldExists(QStringLiteral("s_cat"), QStringLiteral("X")));

        // A missing table closes the level it opened: the caller's level is the outermost again.
        QVERIFY(q->begin());
        QCOMPARE(q->getFieldList(QStringLiteral("s_missing")), QStringList());
        QVERIFY(!q->isFieldExists(QStringLiteral("s_missing"), QStringLiteral("x")));
        QCOMPARE(q->getTableStruct(QStringLiteral("s_missing")), QVariantMap());
        QCOMPARE(q->commit(), 0);

        QVERIFY(QRegularExpression(QStringLiteral("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d$"))
                        .match(q->getNow())
                        .hasMatch());
        const QString today = q->getToday();
        QVERIFY2(QRegularExpression(QStringLiteral("^\\d{4}-\\d\\d-\\d\\d$")).match(today).hasMatch(),
                 qPrintable(today));
    }

    void roundTrip_data() { addDrivers(); }

    // createTable from a map and getTableStruct back to the same map.
    void roundTrip()
    {
        QFETCH(QString, driver);
        auto q = makeQuery(driver);
        QVERIFY(q);
        const bool mysql = driver == QLatin1String("QMYSQL");
        const QString table = QStringLiteral("s_round");
        dropIfExists(q.get(), table);
        // MySQL keeps DATETIME without digits; a key column is always NOT NULL.
        const QVariantList fields {field("id", "SERIAL", true), field("name", "VARCHAR", true, 40),
                                   field("qty", "INTEGER"),     field("price", "DOUBLE"),
                                   field("note", "TEXT"),       field("data", "BYTEA"),
                                   field("day", "DATE", true),  field("at", "TIMESTAMP", false, mysql ? 0 : 3)};
        const QVariantList indexes {key("PRIMARY", "id"), key("UNIQUE", "name,day"), key("unique", "qty")};
        const QVariantMap wanted {{"field", fields}, {"index", indexes}};
        QVERIFY2(q->createTable(table, wanted), qPrintable(q->lastError().text()));

        const QVariantMap read = q->getTableStruct(table);
        QVERIFY2(!q->lastError().isValid(), qPrintable(q->lastError().text()));
        QCOMPARE(read.keys(), (QStringList {"field", "index"}));
        QCOMPARE(read.value(QStringLiteral("field")).toList(), fields);
        QCOMPARE(indexTexts(read), (QStringList {"PRIMARY:id", "UNIQUE:name,day", "UNIQUE:qty"}));

        // A composite key is one entry in key order; no column of it reads as "SERIAL".
        const QString pair = QStringLiteral("s_pair");
        dropIfExists(q.get(), pair);
        const QVariantList pairFields {field("b", "VARCHAR", true, 10), field("a", "INTEGER", true)};
        QVERIFY2(q->createTable(pair,
                                QVariantMap {{"field", pairFields}, {"index", QVariantList {key("PRIMARY", "a,b")}}}),
                 qPrintable(q->lastError().text()));
        const QVariantMap pairRead = q->getTableStruct(pair);
        QCOMPARE(pairRead.value(QStringLiteral("field")).toList(), pairFields);
        QCOMPARE(indexTexts(pairRead), QStringList {"PRIMARY:a,b"});
    }

    void fieldChanges_data() { addDrivers(); }

    void fieldChanges()
    {
        QFETCH(QString, driver);
        auto q = makeQuery(driver);
        QVERIFY(q);
        const QString table = QStringLiteral("s_fields");
        makeRowTable(q.get(), table);

        // Refusals of the operations themselves.
        QVERIFY(!q->addField(QStringLiteral("s_nothere"), field("y", "TEXT")));
        QCOMPARE(q->lastError().text(), QStringLiteral("s_nothere not exists"));
        QCOMPARE(q->lastError().type(), QStringLiteral("Table error"));
        QCOMPARE(q->lastError().code(), QStringLiteral("SQL_QUERY_ERROR"));
        QVERIFY(!q->alterField(table, QVariantMap {{"name", "y"}}));
        QCOMPARE(q->lastError().text(), QStringLiteral("Field name or type is empty"));
        QCOMPARE(q->lastError().type(), QStringLiteral("Field error"));
        QVERIFY(!q->dropField(QStringLiteral("s_nothere"), QStringLiteral("x")));
        QCOMPARE(q->lastError().text(), QStringLiteral("s_nothere not exists"));
        QCOMPARE(q->lastError().type(), QStringLiteral("Table error"));

        // Adding: a new column holds nothing in the old rows; an existing one is left as it is.
        QVERIFY2(q->addField(table, field("y", "VARCHAR", false, 30)), qPrintable(q->lastError().text()));
        QVERIFY(q->addField(table, field("x", "INTEGER")));
        QVariantMap read = q->getTableStruct(table);
        QCOMPARE(names(read), (QStringList {"id", "x", "n", "y"}));
        QCOMPARE(read.value(QStringLiteral("field")).toList().at(1).toMap(), field("x", "VARCHAR", false, 20));
        QCOMPARE(rows(q.get(), table, QStringLiteral("x, n")), expectedRows());
        QCOMPARE(q->selectValue(QStringLiteral("SELECT COUNT(*) FROM s_fields WHERE y IS NULL"), QVariantMap()).toInt(),
                 3);

        // Altering: length and NOT NULL change; "id" is never touched; a missing column is added.
        QVERIFY2(q->alterField(table, field("x", "VARCHAR", true, 60)), qPrintable(q->lastError().text()));
        QVERIFY(q->alterField(table, field("id", "TEXT")));
        QVERIFY2(q->alterField(table, field("z", "INTEGER")), qPrintable(q->lastError().text()));
        read = q->getTableStruct(table);
        QCOMPARE(names(read), (QStringList {"id", "x", "n", "y", "z"}));
        const QVariantList fields = read.value(QStringLiteral("field")).toList();
        QCOMPARE(fields.at(0).toMap(), field("id", "SERIAL", true));
        QCOMPARE(fields.at(1).toMap(), field("x", "VARCHAR", true, 60));
        QCOMPARE(fields.at(4).toMap(), field("z", "INTEGER"));
        QCOMPARE(indexTexts(read), QStringList {"PRIMARY:id"});
        QCOMPARE(rows(q.get(), table, QStringLiteral("x, n")), expectedRows());

        // Dropping: the rows stay; a column that is not there is no failure.
        QVERIFY2(q->dropField(table, QStringLiteral("y")), qPrintable(q->lastError().text()));
        QVERIFY(q->dropField(table, QStringLiteral("y")));
        QCOMPARE(q->getFieldList(table), (QStringList {"id", "x", "n", "z"}));
        QCOMPARE(rows(q.get(), table, QStringLiteral("x, n")), expectedRows());

        // Renaming and dropping the table; no backup table is left behind.
        QVERIFY(q->renameTable(table, QStringLiteral("s_fields2")));
        QVERIFY(!q->isTableExists(table));
        QCOMPARE(rows(q.get(), QStringLiteral("s_fields2"), QStringLiteral("x, n")), expectedRows());
        QVERIFY(q->dropTable(QStringLiteral("s_fields2")));
        QVERIFY(!q->isTableExists(QStringLiteral("s_fields2")));
        for (const QString &name : q->getTableList()) {
            QVERIFY2(!name.endsWith(QLatin1String("_bakeup")), qPrintable(name));
        }
        QVERIFY(!q->dropTable(QStringLiteral("s_fields2")));
        QCOMPARE(q->lastError().code(), QStringLiteral("SQL_QUERY_ERROR"));
    }

    void migrate_data() { addDrivers(); }

    void migrate()
    {
        QFETCH(QString, driver);
        auto q = makeQuery(driver);
        QVERIFY(q);
        const bool sqlite = driver == QLatin1String("QSQLITE");
        const QString table = QStringLiteral("s_migrate");
        dropIfExists(q.get(), table);

        // A missing table is created.
        const QVariantMap first {{"field", QVariantList {field("id", "SERIAL", true), field("x", "VARCHAR", false, 20),
                                                         field("n", "INTEGER"), field("old", "TEXT")}},
                                 {"index", QVariantList {key("PRIMARY", "id"), key("UNIQUE", "x")}}};
        QVERIFY2(q->replaceTableStruct(table, first), qPrintable(q->lastError().text()));
        QCOMPARE(q->getTableStruct(table).value(QStringLiteral("field")).toList(), first.value("field").toList());
        for (int i = 1; i <= 3; ++i) {
            q->insertRow(table, QVariantMap {{"x", QStringLiteral("r%1").arg(i)}, {"n", i * 10}}, QStringList());
        }

        // The table's own structure changes nothing.
        QVERIFY2(q->replaceTableStruct(table, q->getTableStruct(table)), qPrintable(q->lastError().text()));
        QCOMPARE(q->getTableStruct(table).value(QStringLiteral("field")).toList(), first.value("field").toList());
        QCOMPARE(indexTexts(q->getTableStruct(table)), (QStringList {"PRIMARY:id", "UNIQUE:x"}));

        // Columns b and a added, x longer and NOT NULL, n a DOUBLE, "old" left out
        // (it stays), the unique key moved from x to n.
        const QVariantMap wanted {
                {"field", QVariantList {field("id", "SERIAL", true), field("x", "VARCHAR", true, 50),
                                        field("b", "TEXT"), field("n", "DOUBLE"), field("a", "INTEGER")}},
                {"index", QVariantList {key("PRIMARY", "id"), key("UNIQUE", "n")}}};
        QVERIFY2(q->replaceTableStruct(table, wanted), qPrintable(q->lastError().text()));
        const QVariantMap read = q->getTableStruct(table);
        // SQLite rebuilds: current columns first, added ones by name; in place they are appended in wanted order.
        QCOMPARE(names(read), sqlite ? (QStringList {"id", "x", "n", "old", "a", "b"})
                                     : (QStringList {"id", "x", "n", "old", "b", "a"}));
        const QVariantList fields = read.value(QStringLiteral("field")).toList();
        QCOMPARE(fields.at(1).toMap(), field("x", "VARCHAR", true, 50));
        QCOMPARE(fields.at(2).toMap(), field("n", "DOUBLE"));
        QCOMPARE(fields.at(3).toMap(), field("old", "TEXT"));
        QCOMPARE(indexTexts(read), (QStringList {"PRIMARY:id", "UNIQUE:n"}));
        QCOMPARE(rows(q.get(), table, QStringLiteral("x, n")),
                 (QVariantList {QVariantList {"r1", 10.0}, QVariantList {"r2", 20.0}, QVariantList {"r3", 30.0}}));
        // The unique key now guards n, no longer x.
        QVERIFY(q->insertRow(table, QVariantMap {{"x", "r1"}, {"n", 40}}, QStringList()).isNull());
        QVERIFY(!q->lastError().isValid());
        q->insertRow(table, QVariantMap {{"x", "r9"}, {"n", 40}}, QStringList());
        QCOMPARE(q->lastError().code(), QStringLiteral("SQL_QUERY_ERROR"));
    }

    void failingMigration_data() { addDrivers(); }

    // A step that the server refuses gives false and leaves the table as it was.
    void failingMigration()
    {
        QFETCH(QString, driver);
        auto q = makeQuery(driver);
        QVERIFY(q);
        const QString table = QStringLiteral("s_fail");
        makeRowTable(q.get(), table);
        QVERIFY(q->replaceTableStruct(
                table, QVariantMap {{"field", QVariantList {}},
                                    {"index", QVariantList {key("PRIMARY", "id"), key("UNIQUE", "x")}}}));
        const QVariantMap before = q->getTableStruct(table);

        const QVariantMap wanted {{"field", QVariantList {field("x", "VARCHAR", true, 80), field("extra", "INTEGER")}},
                                  {"index", QVariantList {key("PRIMARY", "id"), key("UNIQUE", "missing")}}};
        QVERIFY(!q->replaceTableStruct(table, wanted));
        QCOMPARE(q->lastError().code(), QStringLiteral("SQL_QUERY_ERROR"));
        QCOMPARE(q->getTableStruct(table), before);
        QCOMPARE(rows(q.get(), table, QStringLiteral("x, n")), expectedRows());

        // A failing createTable of several statements leaves no table behind.
        dropIfExists(q.get(), QStringLiteral("s_fail_new"));
        QVERIFY(!q->createTable(QStringLiteral("s_fail_new"),
                                QVariantMap {{"field", QVariantList {field("a", "INTEGER")}},
                                             {"index", QVariantList {key("UNIQUE", "missing")}}}));
        QCOMPARE(q->lastError().code(), QStringLiteral("SQL_QUERY_ERROR"));
        QVERIFY(!q->isTableExists(QStringLiteral("s_fail_new")));

        // The same inside the caller's transaction: the table keeps its name and
        // rows. (PostgreSQL refuses every statement of a failed transaction.)
        if (driver == QLatin1String("QPSQL")) {
            return;
        }
        QVERIFY(q->begin());
        QVERIFY(!q->replaceTableStruct(table, wanted));
        QVERIFY(q->isTableExists(table));
        QCOMPARE(rows(q.get(), table, QStringLiteral("x, n")), expectedRows());
        QCOMPARE(q->rollback(), 0);
        QCOMPARE(q->getTableStruct(table), before);
        for (const QString &name : q->getTableList()) {
            QVERIFY2(!name.endsWith(QLatin1String("_bakeup")), qPrintable(name));
        }
    }

    // What only the SQLite rebuild has to keep: views, declared types, keys.
    void sqliteRebuild()
    {
        auto q = makeQuery(QStringLiteral("QSQLITE"));
        QVERIFY(q);
        const QString table = QStringLiteral("s_lite");
        dropIfExists(q.get(), table);
        q->execSql(QStringLiteral("DROP VIEW IF EXISTS s_lite_view"));
        QVERIFY(q->execSql(QStringLiteral("CREATE TABLE s_lite (id INTEGER PRIMARY KEY, amount NUMERIC, "
                                          "code VARCHAR(8), tag TEXT)")));
        QVERIFY(q->execSql(QStringLiteral("CREATE INDEX s_lite_plain ON s_lite (tag)")));
        QVERIFY(q->execSql(QStringLiteral("CREATE UNIQUE INDEX s_lite_code ON s_lite (code, tag)")));
        QVERIFY(q->execSql(QStringLiteral("CREATE VIEW s_lite_view AS SELECT amount FROM s_lite")));
        QVERIFY(q->execSql(
                QStringLiteral("INSERT INTO s_lite (amount, code, tag) VALUES (12, 'a', 't'), (7.5, 'b', 't')")));

        // A plain index is no unique key; the key's own index is not listed twice.
        QCOMPARE(indexTexts(q->getTableStruct(table)), (QStringList {"PRIMARY:id", "UNIQUE:code,tag"}));

        QVERIFY2(q->addField(table, field("extra", "INTEGER")), qPrintable(q->lastError().text()));
        QVERIFY2(q->alterField(table, field("code", "VARCHAR", true, 12)), qPrintable(q->lastError().text()));
        // The column nobody redefined keeps its numbers as numbers.
        QCOMPARE(q->selectArrayValue(QStringLiteral("SELECT typeof(amount) FROM s_lite ORDER BY id"), QString(),
                                     QVariantMap()),
                 (QVariantList {"integer", "real"}));
        QCOMPARE(q->selectValue(QStringLiteral("SELECT type FROM pragma_table_info('s_lite') WHERE name = 'amount'"),
                                QVariantMap())
                         .toString(),
                 QStringLiteral("NUMERIC"));
        // The view still reads the table by its name.
        QCOMPARE(q->selectValue(QStringLiteral("SELECT SUM(amount) FROM s_lite_view"), QVariantMap()).toDouble(), 19.5);
        QCOMPARE(q->selectValue(QStringLiteral("PRAGMA legacy_alter_table"), QVariantMap()).toInt(), 0);

        // Dropping a column of a unique key drops that key too.
        QVERIFY2(q->dropField(table, QStringLiteral("tag")), qPrintable(q->lastError().text()));
        QCOMPARE(q->getFieldList(table), (QStringList {"id", "amount", "code", "extra"}));
        QCOMPARE(indexTexts(q->getTableStruct(table)), QStringList {"PRIMARY:id"});
        QCOMPARE(q->selectValue(QStringLiteral("SELECT COUNT(*) FROM s_lite_view"), QVariantMap()).toInt(), 2);

        // A composite key survives a rebuild whole, with its rows.
        dropIfExists(q.get(), QStringLiteral("s_lite_pair"));
        QVERIFY(q->execSql(QStringLiteral("CREATE TABLE s_lite_pair (a INTEGER, b TEXT, PRIMARY KEY (a, b))")));
        QVERIFY(q->execSql(QStringLiteral("INSERT INTO s_lite_pair VALUES (1, 'x'), (1, 'y')")));
        QVERIFY2(q->addField(QStringLiteral("s_lite_pair"), field("c", "INTEGER")), qPrintable(q->lastError().text()));
        const QVariantMap pair = q->getTableStruct(QStringLiteral("s_lite_pair"));
        QCOMPARE(indexTexts(pair), QStringList {"PRIMARY:a,b"});
        QCOMPARE(pair.value(QStringLiteral("field")).toList().first().toMap(), field("a", "INTEGER"));
        QCOMPARE(q->selectValue(QStringLiteral("SELECT COUNT(*) FROM s_lite_pair"), QVariantMap()).toInt(), 2);
        QVERIFY(!q->execSql(QStringLiteral("INSERT INTO s_lite_pair (a, b) VALUES (1, 'x')")));
    }

    // Maps that a script passes hold script values; they read as plain ones.
    void scriptForms()
    {
        auto q = makeQuery(QStringLiteral("QSQLITE"));
        QVERIFY(q);
        dropIfExists(q.get(), QStringLiteral("s_js"));
        QJSEngine engine;
        const QVariantMap structure {
                {"field",
                 QVariant::fromValue(engine.evaluate(QStringLiteral("[{name: 'a', type: 'serial', notnull: true}]")))},
                {"index", QVariant::fromValue(engine.evaluate(QStringLiteral("[{type: 'primary', field: 'a'}]")))}};
        QVERIFY2(q->replaceTableStruct(QStringLiteral("s_js"), structure), qPrintable(q->lastError().text()));
        const QVariantMap added {{"name", "b"},
                                 {"type", QVariant::fromValue(engine.toScriptValue(QStringLiteral("TEXT")))}};
        QVERIFY2(q->addField(QStringLiteral("s_js"), added), qPrintable(q->lastError().text()));
        QCOMPARE(q->getTableStruct(QStringLiteral("s_js")),
                 (QVariantMap {{"field", QVariantList {field("a", "SERIAL", true), field("b", "TEXT")}},
                               {"index", QVariantList {key("PRIMARY", "a")}}}));
    }

    // PostgreSQL reads one schema, and takes a non-key "SERIAL" as the integer it is.
    void postgresSchemas()
    {
        auto q = makeQuery(QStringLiteral("QPSQL"));
        QVERIFY(q);
        QVERIFY(q->execSql(QStringLiteral("DROP SCHEMA IF EXISTS s_other CASCADE")));
        QVERIFY(q->execSql(QStringLiteral("CREATE SCHEMA s_other")));
        dropIfExists(q.get(), QStringLiteral("s_twin"));
        QVERIFY(q->execSql(QStringLiteral("CREATE TABLE s_twin (a INTEGER PRIMARY KEY, j JSONB, big BIGINT)")));
        QVERIFY(q->execSql(QStringLiteral("CREATE TABLE s_other.s_twin (z TEXT UNIQUE)")));
        const QVariantMap read = q->getTableStruct(QStringLiteral("s_twin"));
        QCOMPARE(read.value(QStringLiteral("field")).toList(),
                 (QVariantList {field("a", "SERIAL", true), field("j", "TEXT"), field("big", "VARCHAR", false, 255)}));
        QCOMPARE(indexTexts(read), QStringList {"PRIMARY:a"});
        const QVariantMap other = q->getTableStruct(QStringLiteral("s_other.s_twin"));
        QCOMPARE(other.value(QStringLiteral("field")).toList(), QVariantList {field("z", "TEXT")});
        QCOMPARE(indexTexts(other), QStringList {"UNIQUE:z"});

        const QString table = QStringLiteral("s_counter");
        dropIfExists(q.get(), table);
        const QVariantMap wanted {{"field", QVariantList {field("pk", "SERIAL", true), field("num", "SERIAL", true)}},
                                  {"index", QVariantList {key("PRIMARY", "pk")}}};
        QVERIFY2(q->createTable(table, wanted), qPrintable(q->lastError().text()));
        VekLogCapture log;
        QVERIFY2(q->replaceTableStruct(table, wanted), qPrintable(q->lastError().text()));
        for (const QString &sql : log.texts(QStringLiteral("sql"))) {
            QVERIFY2(sql.startsWith(QLatin1String("SELECT")), qPrintable(sql));
        }
        QVERIFY(q->execSql(QStringLiteral("DROP SCHEMA s_other CASCADE")));

        // A key with a start value numbers from there.
        const QString numbered = QStringLiteral("s_numbered");
        dropIfExists(q.get(), numbered);
        QVariantMap start = field("id", "SERIAL", true);
        start.insert(QStringLiteral("next_value"), 100);
        QVERIFY2(q->createTable(numbered, QVariantMap {{"field", QVariantList {start, field("x", "TEXT")}},
                                                       {"index", QVariantList {key("PRIMARY", "id")}}}),
                 qPrintable(q->lastError().text()));
        q->insertRow(numbered, QVariantMap {{"x", "a"}}, QStringList());
        QCOMPARE(q->selectValue(QStringLiteral("SELECT id FROM s_numbered"), QVariantMap()).toInt(), 100);
        QCOMPARE(q->getTableStruct(numbered).value(QStringLiteral("field")).toList().first().toMap(),
                 field("id", "SERIAL", true));
    }
};

QTEST_GUILESS_MAIN(tst_TSqlQueryV2Schema)
#include "tst_tsqlqueryv2_schema.moc"
