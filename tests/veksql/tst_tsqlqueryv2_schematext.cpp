#include "tsqlconnectionpoolv2.h"
#include "tsqlqueryv2.h"
#include "vekfakesqldriver.h"
#include "vektestsql.h"

#include <QtTest>

#include <memory>

using Rows = QList<QVariantList>;

// SQL Server and Oracle statement texts, checked through the recording driver.
class tst_TSqlQueryV2SchemaText : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TSqlQueryV2> makeQuery(const QString &iDriver)
    {
        QString why;
        const QVariantMap params = vekTestParams(iDriver, QString(), &why);
        TSqlConnectionPoolV2::instance()->setConnectParameter(params, iDriver);
        return std::make_unique<TSqlQueryV2>(TSqlConnectionPoolV2::instance()->getSqlDatabase(iDriver));
    }

    // What ran, without the connection probes that every outermost begin adds.
    static QStringList statements()
    {
        QStringList result;
        for (const QString &event : VekFakeSqlLog::events()) {
            if (event != QLatin1String("SELECT GETDATE()") && event != QLatin1String("SELECT count(1) FROM DUAL")) {
                result.append(event);
            }
        }
        return result;
    }

    // Statement texts only, transaction events left out.
    static QStringList texts()
    {
        QStringList result = statements();
        result.removeAll(QStringLiteral("BEGIN"));
        result.removeAll(QStringLiteral("COMMIT"));
        result.removeAll(QStringLiteral("ROLLBACK"));
        return result;
    }

    static QVariantMap field(const QString &iName, const QString &iType, bool iNotNull = false, int iLength = 0)
    {
        QVariantMap map {{"name", iName}, {"type", iType}, {"notnull", iNotNull}};
        if (iLength > 0) {
            map.insert(QStringLiteral("length"), iLength);
        }
        return map;
    }

    static void queueVersion(const QString &iVersion)
    {
        VekFakeSqlLog::addResult(QStringLiteral("SERVERPROPERTY"), QStringList {"v"}, Rows {{iVersion}});
    }

    // Table "t" with the columns id and x, as the catalogue calls see it.
    static void existingTable()
    {
        VekFakeSqlLog::setTables(QStringList {"t"});
        VekFakeSqlLog::setRecord(QStringLiteral("t"), QStringList {"id", "x"});
    }

private Q_SLOTS:
    void initTestCase()
    {
        VekFakeSqlDriver::registerDrivers();
        TSqlConnectionPoolV2::instance();
    }

    void init() { VekFakeSqlLog::clear(); }

    void createTable_data()
    {
        QTest::addColumn<QString>("driver");
        QTest::addColumn<QString>("version");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("sql server")
                << "QODBC"
                << "15.0.2000.5"
                << QStringList {"SELECT SERVERPROPERTY('productversion')",
                                "CREATE TABLE \"t\" (\n \"id\" INT NOT NULL IDENTITY(1,1) ,\n\"name\" VARCHAR(MAX),\n"
                                "\"d\" DATE,\n\"t0\" DATETIME,\n\"t7\" DATETIME2(7),\n\"b\" VARBINARY(MAX),\n"
                                "\"v\" VARCHAR(3999),\n\"j\" ,\n\"q\"\"x\" FLOAT,\nPRIMARY KEY (\"id\"),\n"
                                "UNIQUE (\"name\",\"d\") \n);"};
        QTest::newRow("sql server 9")
                << "QODBC"
                << "9.00.1399"
                << QStringList {"SELECT SERVERPROPERTY('productversion')",
                                "CREATE TABLE \"t\" (\n \"id\" INT NOT NULL IDENTITY(1,1) ,\n\"name\" VARCHAR(MAX),\n"
                                "\"d\" VARCHAR(16),\n\"t0\" VARCHAR(32),\n\"t7\" VARCHAR(32),\n\"b\" VARBINARY(MAX),\n"
                                "\"v\" VARCHAR(3999),\n\"j\" ,\n\"q\"\"x\" FLOAT,\nPRIMARY KEY (\"id\"),\n"
                                "UNIQUE (\"name\",\"d\") \n);"};
        const QString sequence = QStringLiteral(
                "CREATE SEQUENCE \"t_%1_SEQ\" INCREMENT BY 1 \nSTART WITH 1 NOMAXVALUE NOMINVALUE NOCACHE");
        const QString trigger
                = QStringLiteral("CREATE OR REPLACE TRIGGER \"t_%1_TRIGGER\"\nBEFORE INSERT ON \"t\"\nFOR EACH ROW\n"
                                 "BEGIN\nSELECT \"t_%1_SEQ\".NEXTVAL INTO :NEW.\"%1\" FROM DUAL;\nEND;");
        QTest::newRow("oracle")
                << "QOCI"
                << ""
                << QStringList {
                           "CREATE TABLE \"t\" (\n \"id\" NUMBER NOT NULL,\n\"name\" CLOB,\n\"d\" VARCHAR(10),\n"
                           "\"t0\" VARCHAR(20),\n\"t7\" VARCHAR(27),\n\"b\" BLOB,\n\"v\" VARCHAR(3999),\n"
                           "\"j\" ,\n\"q\"\"x\" NUMBER,\nPRIMARY KEY (\"id\"),\nUNIQUE (\"name\",\"d\") \n)",
                           sequence.arg("id"), trigger.arg("id"), sequence.arg("q\"\"x"),
                           QStringLiteral(
                                   "CREATE OR REPLACE TRIGGER \"t_q\"\"x_TRIGGER\"\nBEFORE INSERT ON \"t\"\nFOR EACH "
                                   "ROW\n"
                                   "BEGIN\nSELECT \"t_q\"\"x_SEQ\".NEXTVAL INTO :NEW.\"q\"\"x\" FROM DUAL;\nEND;")};
    }

    // Every type word, flags, key clauses, and the version-dependent dates.
    void createTable()
    {
        QFETCH(QString, driver);
        QFETCH(QString, version);
        QFETCH(QStringList, expected);
        auto q = makeQuery(driver);
        queueVersion(version);
        const bool oracle = driver == QLatin1String("QOCI");
        const QVariantMap structure {
                {"field",
                 QVariantList {field("id", "SERIAL", true), field("name", "varchar"), field("d", "DATE"),
                               field("t0", "TIMESTAMP"), field("t7", "TIMESTAMP", false, 7), field("b", "BYTEA"),
                               field("v", "VARCHAR", false, 3999), field("j", "JSON"), field("", "TEXT"),
                               field("skipped", ""), field("q\"x", oracle ? "SERIAL" : "DOUBLE")}},
                {"index", QVariantList {QVariantMap {{"type", "primary"}, {"field", "id"}},
                                        QVariantMap {{"type", "UNIQUE"}, {"field", ",name,,d,"}},
                                        QVariantMap {{"type", "FOREIGN"}, {"field", "x"}}}}};
        QVERIFY(q->createTable(QStringLiteral("t"), structure));
        QCOMPARE(texts(), expected);
        if (oracle) {
            // One transaction around the table, sequences and triggers.
            QCOMPARE(statements().first(), QStringLiteral("BEGIN"));
            QCOMPARE(statements().last(), QStringLiteral("COMMIT"));
            QCOMPARE(statements().count(QStringLiteral("BEGIN")), 1);
        }
    }

    void oracleFailingTrigger()
    {
        auto q = makeQuery(QStringLiteral("QOCI"));
        VekFakeSqlLog::setFailingText(QStringLiteral("TRIGGER \"t_b_TRIGGER\""));
        QVERIFY(!q->createTable(QStringLiteral("t"),
                                QVariantMap {{"field", QVariantList {field("a", "SERIAL"), field("b", "SERIAL"),
                                                                     field("c", "SERIAL")}}}));
        QCOMPARE(q->lastError().code(), QStringLiteral("SQL_QUERY_ERROR"));
        const QStringList events = statements();
        QCOMPARE(events.last(), QStringLiteral("ROLLBACK"));
        QVERIFY(events.at(events.size() - 2).contains(QLatin1String("t_b_TRIGGER")));
        QVERIFY(!events.join(QLatin1Char('|')).contains(QLatin1String("t_c_SEQ")));
        QVERIFY(!events.contains(QStringLiteral("COMMIT")));
    }

    void fieldStatements_data()
    {
        QTest::addColumn<QString>("driver");
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QVariantMap>("fieldMap");
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("expected");
        QTest::newRow("sql server add date") << "QODBC"
                                             << "add" << field("d", "DATE") << "15.0"
                                             << "ALTER TABLE \"t\" ADD \"d\" VARCHAR(16);";
        QTest::newRow("sql server add serial") << "QODBC"
                                               << "add" << field("s", "SERIAL", true) << "15.0"
                                               << "ALTER TABLE \"t\" ADD \"s\" INT NOT NULL IDENTITY(1,1);";
        QTest::newRow("sql server 9 add timestamp") << "QODBC"
                                                    << "add" << field("s", "TIMESTAMP") << "9.0"
                                                    << "ALTER TABLE \"t\" ADD \"s\" VARCHAR(32);";
        QTest::newRow("sql server add other word") << "QODBC"
                                                   << "add" << field("s", "money") << "15.0"
                                                   << "ALTER TABLE \"t\" ADD \"s\" MONEY;";
        QTest::newRow("sql server alter timestamp") << "QODBC"
                                                    << "alter" << field("x", "TIMESTAMP", false, 3) << ""
                                                    << "ALTER TABLE \"t\" ALTER COLUMN \"x\" DATETIME2(3) NULL;";
        QTest::newRow("sql server alter date") << "QODBC"
                                               << "alter" << field("x", "DATE", true) << ""
                                               << "ALTER TABLE \"t\" ALTER COLUMN \"x\" DATE NOT NULL;";
        QTest::newRow("oracle alter, flag changes") << "QOCI"
                                                    << "alter" << field("x", "VARCHAR", true, 50) << ""
                                                    << "ALTER TABLE \"t\" MODIFY \"x\" VARCHAR(50) NOT NULL";
        QTest::newRow("oracle alter, flag kept") << "QOCI"
                                                 << "alter" << field("x", "SERIAL") << ""
                                                 << "ALTER TABLE \"t\" MODIFY \"x\" NUMBER";
        QTest::newRow("oracle drop") << "QOCI"
                                     << "drop" << field("x", "-") << ""
                                     << "ALTER TABLE \"t\" DROP(\"x\")";
        QTest::newRow("sql server drop") << "QODBC"
                                         << "drop" << field("x", "-") << ""
                                         << "ALTER TABLE \"t\" DROP COLUMN \"x\";";
        QTest::newRow("oracle rename") << "QOCI"
                                       << "rename" << field("u", "-") << ""
                                       << "RENAME \"t\" TO \"u\";";
        QTest::newRow("sql server rename") << "QODBC"
                                           << "rename" << field("u", "-") << ""
                                           << "EXEC sp_rename \"t\", \"u\";";
        QTest::newRow("oracle drop table") << "QOCI"
                                           << "droptable" << field("t", "-") << ""
                                           << "DROP TABLE \"t\";";
    }

    void fieldStatements()
    {
        QFETCH(QString, driver);
        QFETCH(QString, operation);
        QFETCH(QVariantMap, fieldMap);
        QFETCH(QString, version);
        QFETCH(QString, expected);
        auto q = makeQuery(driver);
        existingTable();
        queueVersion(version);
        // Oracle's current column x may be NULL.
        VekFakeSqlLog::addResult(QStringLiteral("USER_TAB_COLUMNS"),
                                 QStringList {"COLUMN_NAME", "NULLABLE", "DATA_TYPE", "DATA_LENGTH"},
                                 Rows {{"x", "Y", "VARCHAR2", 20}});
        const QString name = fieldMap.value(QStringLiteral("name")).toString();
        bool ok = false;
        if (operation == QLatin1String("add")) {
            ok = q->addField(QStringLiteral("t"), fieldMap);
        } else if (operation == QLatin1String("alter")) {
            ok = q->alterField(QStringLiteral("t"), fieldMap);
        } else if (operation == QLatin1String("drop")) {
            ok = q->dropField(QStringLiteral("t"), name);
        } else if (operation == QLatin1String("rename")) {
            ok = q->renameTable(QStringLiteral("t"), name);
        } else {
            ok = q->dropTable(name);
        }
        QVERIFY(ok);
        QCOMPARE(texts().last(), expected);
    }

    void oracleRefusals()
    {
        auto q = makeQuery(QStringLiteral("QOCI"));
        existingTable();
        QVERIFY(!q->alterField(QStringLiteral("t"), field("x", "text")));
        QCOMPARE(q->lastError().text(), QStringLiteral("Oracle can't modify clob blob field"));
        QCOMPARE(q->lastError().type(), QStringLiteral("Field error"));
        QCOMPARE(q->lastError().code(), QStringLiteral("SQL_QUERY_ERROR"));
        QVERIFY(texts().isEmpty());

        // The column added with its sequence and trigger in one transaction.
        QVERIFY(q->addField(QStringLiteral("t"), field("s", "SERIAL", true)));
        QCOMPARE(texts().first(), QStringLiteral("ALTER TABLE \"t\" ADD (\"s\" NUMBER NOT NULL)"));
        QCOMPARE(texts().size(), 3);
        QVERIFY(texts().at(2).startsWith(QLatin1String("CREATE OR REPLACE TRIGGER \"t_s_TRIGGER\"")));
    }

    void readStructure_data()
    {
        QTest::addColumn<QString>("driver");
        QTest::addColumn<QStringList>("constraintColumns");
        QTest::addColumn<Rows>("constraintRows");
        QTest::addColumn<QStringList>("columnColumns");
        QTest::addColumn<Rows>("columnRows");
        QTest::addColumn<QVariantMap>("expected");
        QTest::newRow("sql server")
                << "QODBC" << QStringList {"CONSTRAINT_NAME", "COLUMN_NAME", "CONSTRAINT_TYPE"}
                << Rows {{"PK_t", "id", "PRIMARY KEY"},
                         {"UQ_x", "x", "UNIQUE"},
                         {"UQ_x", "y", "UNIQUE"},
                         {"FK_y", "y", "FOREIGN KEY"}}
                << QStringList {"COLUMN_NAME", "IS_NULLABLE", "DATA_TYPE", "DATETIME_PRECISION",
                                "CHARACTER_MAXIMUM_LENGTH"}
                << Rows {{"id", "NO", "int", 0, 0},
                         {"x", "YES", "varchar", 0, -1},
                         {"y", "YES", "datetime2", 3, 0},
                         {"z", "NO", "datetime", 3, 0},
                         {"w", "YES", "bit", 0, 0}}
                << QVariantMap {
                           {"field", QVariantList {QVariantMap {{"name", "id"},
                                                                {"type", "SERIAL"},
                                                                {"notnull", true},
                                                                {"next_value", 42}},
                                                   field("x", "VARCHAR"), field("y", "TIMESTAMP", false, 3),
                                                   field("z", "TIMESTAMP", true), field("w", "VARCHAR", false, 255)}},
                           {"index", QVariantList {QVariantMap {{"type", "PRIMARY"}, {"field", "id"}},
                                                   QVariantMap {{"type", "UNIQUE"}, {"field", "x,y"}},
                                                   QVariantMap {{"type", ""}, {"field", "y"}}}}};
        QTest::newRow("oracle")
                << "QOCI" << QStringList {"OWNER", "CONSTRAINT_NAME", "COLUMN_NAME", "CONSTRAINT_TYPE"}
                << Rows {{"me", "SYS_C1", "ID", "P"},
                         {"me", "SYS_C2", "A", "U"},
                         {"me", "SYS_C3", "B", "R"},
                         {"me", "SYS_C4", "A", "C"}}
                << QStringList {"COLUMN_NAME", "NULLABLE", "DATA_TYPE", "DATA_LENGTH", "DATA_SCALE"}
                << Rows {{"ID", "N", "NUMBER", 22, 0},
                         {"A", "Y", "VARCHAR2", 3999, 0},
                         {"B", "Y", "VARCHAR2", 4000, 0},
                         {"C", "Y", "TIMESTAMP(6)", 11, 6},
                         {"D", "Y", "CLOB", 4000, 0}}
                << QVariantMap {{"field", QVariantList {field("ID", "SERIAL", true), field("A", "VARCHAR", false, 3999),
                                                        field("B", "VARCHAR"), field("C", "TIMESTAMP", false, 6),
                                                        field("D", "TEXT")}},
                                {"index", QVariantList {QVariantMap {{"type", "PRIMARY"}, {"field", "ID"}},
                                                        QVariantMap {{"type", "UNIQUE"}, {"field", "A"}}}}};
    }

    // The catalogue rows of SQL Server and Oracle read into portable words.
    void readStructure()
    {
        QFETCH(QString, driver);
        QFETCH(QStringList, constraintColumns);
        QFETCH(Rows, constraintRows);
        QFETCH(QStringList, columnColumns);
        QFETCH(Rows, columnRows);
        QFETCH(QVariantMap, expected);
        auto q = makeQuery(driver);
        existingTable();
        const bool oracle = driver == QLatin1String("QOCI");
        VekFakeSqlLog::addResult(oracle ? QStringLiteral("USER_CONS_COLUMNS") : QStringLiteral("TABLE_CONSTRAINTS"),
                                 constraintColumns, constraintRows);
        VekFakeSqlLog::addResult(oracle ? QStringLiteral("USER_TAB_COLUMNS")
                                        : QStringLiteral("INFORMATION_SCHEMA.COLUMNS"),
                                 columnColumns, columnRows);
        VekFakeSqlLog::addResult(QStringLiteral("SELECT max(id) FROM t"), QStringList {"m"}, Rows {{41}});
        QCOMPARE(q->getTableStruct(QStringLiteral("t")), expected);
        if (!oracle) {
            QVERIFY(texts().contains(QStringLiteral("SELECT column_name,is_nullable,\ndata_type,datetime_precision,\n"
                                                    "character_maximum_length\nFROM INFORMATION_SCHEMA.COLUMNS\n"
                                                    "WHERE table_name = 't' ORDER BY ordinal_position")));
        }
        QVERIFY(q->getTableStruct(QStringLiteral("T")).isEmpty());
    }

    void migrate_data()
    {
        QTest::addColumn<QString>("driver");
        QTest::addColumn<QString>("version");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("sql server 9") << "QODBC"
                                      << "9.00"
                                      << QStringList {"ALTER TABLE \"t\" DROP CONSTRAINT [UQ_b];",
                                                      "ALTER TABLE \"t\" DROP CONSTRAINT [UQ_a]]];",
                                                      "ALTER TABLE \"t\" ALTER COLUMN \"x\" VARCHAR(16) NOT NULL;",
                                                      "ALTER TABLE \"t\" ALTER COLUMN \"ID\" VARCHAR(32) NULL;",
                                                      "ALTER TABLE \"t\" ADD \"n\" DATETIME2(7);",
                                                      "ALTER TABLE \"t\" ADD \"m\" DATETIME NOT NULL;",
                                                      "ALTER TABLE \"t\" ADD \"k\" INT IDENTITY(1,1);",
                                                      "ALTER TABLE \"t\" ADD UNIQUE (\"x\",\"n\");"};
        QTest::newRow("oracle") << "QOCI"
                                << ""
                                << QStringList {"ALTER TABLE \"t\" DROP CONSTRAINT \"UQ_b\"",
                                                "ALTER TABLE \"t\" DROP CONSTRAINT \"UQ_a]\"",
                                                "ALTER TABLE \"t\" MODIFY \"x\" VARCHAR(10) NOT NULL",
                                                "ALTER TABLE \"t\" MODIFY \"ID\" VARCHAR(32)",
                                                "ALTER TABLE \"t\" ADD \"n\" VARCHAR(27)",
                                                "ALTER TABLE \"t\" ADD \"m\" VARCHAR(23) NOT NULL",
                                                "ALTER TABLE \"t\" ADD \"k\" NUMBER",
                                                "ALTER TABLE \"t\" ADD UNIQUE (\"x\",\"n\")"};
    }

    // Drops, alters, adds, then unique adds; "id" and a text column left alone.
    void migrate()
    {
        QFETCH(QString, driver);
        QFETCH(QString, version);
        QFETCH(QStringList, expected);
        auto q = makeQuery(driver);
        existingTable();
        const bool oracle = driver == QLatin1String("QOCI");
        queueVersion(version);
        // Current structure: id, x, ID, doc (a text column).
        VekFakeSqlLog::addResult(oracle ? QStringLiteral("USER_CONS_COLUMNS") : QStringLiteral("TABLE_CONSTRAINTS"),
                                 QStringList(), Rows());
        VekFakeSqlLog::addResult(oracle ? QStringLiteral("USER_TAB_COLUMNS")
                                        : QStringLiteral("INFORMATION_SCHEMA.COLUMNS"),
                                 QStringList {"COLUMN_NAME", "NULLABLE", "IS_NULLABLE", "DATA_TYPE"},
                                 Rows {{"id", "N", "NO", oracle ? "NUMBER" : "int"},
                                       {"x", "Y", "YES", oracle ? "VARCHAR2" : "varchar"},
                                       {"ID", "Y", "YES", oracle ? "NUMBER" : "int"},
                                       {"doc", "Y", "YES", oracle ? "CLOB" : "text"}});
        VekFakeSqlLog::addResult(oracle ? QStringLiteral("USER_CONS_COLUMNS") : QStringLiteral("TABLE_CONSTRAINTS"),
                                 QStringList {"CONSTRAINT_NAME", "CONSTRAINT_TYPE"},
                                 Rows {{"UQ_a]", oracle ? "U" : "UNIQUE"},
                                       {"UQ_b", oracle ? "U" : "UNIQUE"},
                                       {"PK", oracle ? "P" : "PRIMARY KEY"},
                                       {"UQ_a]", oracle ? "U" : "UNIQUE"}});
        const QVariantMap wanted {
                {"field", QVariantList {field("id", "TEXT"), field("x", "DATE", true),
                                        field("ID", "TIMESTAMP", false, 12), field("doc", "INTEGER"),
                                        field("n", "TIMESTAMP", false, 7), field("m", "TIMESTAMP", true, 3),
                                        field("k", "SERIAL"), field("", "TEXT"), field("e", "")}},
                {"index", QVariantList {QVariantMap {{"type", "unique"}, {"field", "x,,n"}},
                                        QVariantMap {{"type", "PRIMARY"}, {"field", "k"}}}}};
        VekFakeSqlLog::setFailingText(QString());
        QVERIFY(q->replaceTableStruct(QStringLiteral("t"), wanted));
        QStringList ran = texts();
        ran.erase(std::remove_if(ran.begin(), ran.end(),
                                 [](const QString &iText) { return !iText.startsWith(QLatin1String("ALTER")); }),
                  ran.end());
        if (!oracle) {
            // The text column is altered too on SQL Server.
            expected.insert(4, QStringLiteral("ALTER TABLE \"t\" ALTER COLUMN \"doc\" INT NULL;"));
        }
        QCOMPARE(ran, expected);
        QCOMPARE(statements().last(), QStringLiteral("COMMIT"));
    }

    // The first refused statement ends the migration, and the rest does not run.
    void migrateFailure()
    {
        auto q = makeQuery(QStringLiteral("QOCI"));
        existingTable();
        VekFakeSqlLog::addResult(QStringLiteral("USER_TAB_COLUMNS"),
                                 QStringList {"COLUMN_NAME", "NULLABLE", "DATA_TYPE"}, Rows {{"x", "Y", "NUMBER"}});
        VekFakeSqlLog::setFailingText(QStringLiteral("ADD \"a\""));
        QVERIFY(!q->replaceTableStruct(
                QStringLiteral("t"),
                QVariantMap {{"field", QVariantList {field("a", "INTEGER"), field("b", "INTEGER")}}}));
        QCOMPARE(q->lastError().code(), QStringLiteral("SQL_QUERY_ERROR"));
        QCOMPARE(statements().last(), QStringLiteral("ROLLBACK"));
        QVERIFY(!statements().join(QLatin1Char('|')).contains(QLatin1String("ADD \"b\"")));
    }

    // A driver outside the five: nothing runs and no error is set.
    void otherDriver()
    {
        TSqlQueryV2 none {QSqlDatabase()};
        QVERIFY(!none.createTable(QStringLiteral("t"), QVariantMap {{"field", QVariantList {field("a", "INTEGER")}}}));
        QVERIFY(!none.renameTable(QStringLiteral("t"), QStringLiteral("u")));
        QVERIFY(!none.lastError().isValid());
        QCOMPARE(none.getNow(), QString());
        QCOMPARE(none.getToday(), QString());
        QVERIFY(VekFakeSqlLog::events().isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_TSqlQueryV2SchemaText)
#include "tst_tsqlqueryv2_schematext.moc"
