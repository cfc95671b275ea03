#include "tsqlconnectionpoolv2.h"
#include "tsqldeleterv2.h"
#include "tsqlinserterv2.h"
#include "tsqlqueryv2.h"
#include "tsqlselectorv2.h"
#include "tsqlupdaterv2.h"
#include "vekfakesqldriver.h"
#include "vektestsql.h"

#include <QJsonDocument>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

using Rows = QList<QVariantList>;

// Names that cannot carry SQL: hostile table and column names on every path
// that puts a name into a statement, on the real servers, and the forms of
// names that keep working as they did.
class tst_TSqlQueryV2Names : public QObject
{
    Q_OBJECT

private:
    // How a path puts its name into the statement.
    enum class Kind {
        Bare,    // as it stands: every hostile name is refused before anything is sent
        Catalog, // into the driver's own catalogue literal: names with a single quote are refused
        Quoted,  // between the dialect's quotes: the name stays one name, whatever it holds
    };
    // Which fixture name the hostile names are made from.
    enum class Role { Table, Column };

    struct Path
    {
        Role role;
        std::function<Kind(const QString &iDriver)> kind;
        std::function<QVariant(TSqlQueryV2 &iQuery, const QString &iName)> call;
    };

    QTemporaryDir tempDir;

    static Kind bare(const QString &) { return Kind::Bare; }
    static Kind catalog(const QString &) { return Kind::Catalog; }
    static Kind quoted(const QString &) { return Kind::Quoted; }

    static QString quote(const QString &iDriver)
    {
        return iDriver == QLatin1String("QMYSQL") ? QStringLiteral("`") : QStringLiteral("\"");
    }

    static QString otherQuote(const QString &iDriver)
    {
        return iDriver == QLatin1String("QMYSQL") ? QStringLiteral("\"") : QStringLiteral("`");
    }

    static QVariantMap field(const QString &iName, const QString &iType)
    {
        return QVariantMap {{"name", iName}, {"type", iType}};
    }

    // Every path that takes a table or a column name from its caller.
    static const QMap<QString, Path> &paths()
    {
        static const QMap<QString, Path> all {
                // Table names written as they stand.
                {"insertRow table",
                 {Role::Table, bare,
                  [](TSqlQueryV2 &q, const QString &n) {
                      return q.insertRow(n, {{"word", "w"}}, QStringList());
                  }}},
                {"insertRow map table",
                 {Role::Table, bare,
                  [](TSqlQueryV2 &q, const QString &n) {
                      return q.insertRow(QVariantMap {{"table", n}, {"data", QVariantMap {{"word", "w"}}}});
                  }}},
                {"batchInsert table",
                 {Role::Table, bare,
                  [](TSqlQueryV2 &q, const QString &n) {
                      q.batchInsert(n, QStringList {"word"}, QVariantList {QVariantList {"w"}});
                      return QVariant();
                  }}},
                {"deleteRow table",
                 {Role::Table, bare,
                  [](TSqlQueryV2 &q, const QString &n) {
                      return q.deleteRow(n, QVariantMap {{"id", -1}});
                  }}},
                {"updateRow table",
                 {Role::Table, bare,
                  [](TSqlQueryV2 &q, const QString &n) {
                      return q.updateRow(n, QVariantMap {{"word", "w"}}, QVariantMap {{"id", -1}});
                  }}},
                {"replaceRow table",
                 {Role::Table, bare,
                  [](TSqlQueryV2 &q, const QString &n) {
                      return q.replaceRow(n, QVariantMap {{"id", 1}, {"word", "w"}}, QStringList {"id"});
                  }}},
                {"selector table",
                 {Role::Table, bare,
                  [](TSqlQueryV2 &q, const QString &n) {
                      return q.selectArrayMap(TSqlSelectorV2(n).setField("word"));
                  }}},
                {"selector map table",
                 {Role::Table, bare,
                  [](TSqlQueryV2 &q, const QString &n) {
                      return q.selectArrayArray(QVariantMap {{"table", n}, {"field", "word"}});
                  }}},
                {"selectCount table",
                 {Role::Table, bare,
                  [](TSqlQueryV2 &q, const QString &n) { return q.selectCount(TSqlSelectorV2(n)); }}},
                // PostgreSQL names the sequence of a continued serial column
                // bare after the table; elsewhere the table name is quoted.
                {"createTable serial table",
                 {Role::Table, [](const QString &d) { return d == QLatin1String("QPSQL") ? Kind::Bare : Kind::Quoted; },
                  [](TSqlQueryV2 &q, const QString &n) {
                      QVariantMap serial = field("id", "SERIAL");
                      serial.insert("next_value", 5);
                      return q.createTable(n, QVariantMap {{"field", QVariantList {serial}}});
                  }}},

                // Column names written as they stand.
                {"insertRow returned field",
                 {Role::Column, bare,
                  [](TSqlQueryV2 &q, const QString &n) {
                      return q.insertRow("n_rows", {{"word", "w"}}, QStringList(), true, n);
                  }}},
                {"inserter returned field",
                 {Role::Column, bare,
                  [](TSqlQueryV2 &q, const QString &n) {
                      return q.insertRow(TSqlInserterV2("n_rows").setData({{"word", "w"}}).setAutoIncrementField(n));
                  }}},
                {"replaceRow returned field",
                 {Role::Column, bare,
                  [](TSqlQueryV2 &q, const QString &n) {
                      return q.replaceRow("n_rows", {{"id", 1}, {"word", "w"}}, QStringList {"id"}, QVariantMap(),
                                          QStringList(), n);
                  }}},
                {"deleteRow where key",
                 {Role::Column, bare,
                  [](TSqlQueryV2 &q, const QString &n) {
                      return q.deleteRow("n_rows", QVariantMap {{n, "none"}});
                  }}},
                {"deleteRow where list",
                 {Role::Column, bare,
                  [](TSqlQueryV2 &q, const QString &n) { return q.deleteRow("n_rows", QStringList {n}); }}},
                {"deleter where field",
                 {Role::Column, bare,
                  [](TSqlQueryV2 &q, const QString &n) {
                      return q.deleteRow(TSqlDeleterV2("n_rows").setWhere(n, "none", "="));
                  }}},
                {"updateRow where key",
                 {Role::Column, bare,
                  [](TSqlQueryV2 &q, const QString &n) {
                      return q.updateRow("n_rows", {{"word", "w"}}, QVariantMap {{n, "none"}});
                  }}},
                {"updater where field",
                 {Role::Column, bare,
                  [](TSqlQueryV2 &q, const QString &n) {
                      return q.updateRow(TSqlUpdaterV2("n_rows").setData({{"word", "w"}}).setWhere(n, "none", "LIKE"));
                  }}},
                {"selector field",
                 {Role::Column, bare,
                  [](TSqlQueryV2 &q, const QString &n) {
                      return q.selectArrayMap(TSqlSelectorV2("n_rows").setField(n));
                  }}},
                {"selector order",
                 {Role::Column, bare,
                  [](TSqlQueryV2 &q, const QString &n) {
                      return q.selectArrayMap(TSqlSelectorV2("n_rows").addOrder(n, Qt::DescendingOrder));
                  }}},
                {"selector group",
                 {Role::Column, bare,
                  [](TSqlQueryV2 &q, const QString &n) {
                      return q.selectMapValue(TSqlSelectorV2("n_rows").setField("word").setGroup(n));
                  }}},
                {"selector where field",
                 {Role::Column, bare,
                  [](TSqlQueryV2 &q, const QString &n) {
                      TSqlWhereCompsiteV2 nested;
                      nested.setLogic(TSqlWhereCompsiteV2::Not).append(n, "none", "!=");
                      return q.selectValue(TSqlSelectorV2("n_rows").setField("word").addWhere(nested));
                  }}},
                {"selector map where",
                 {Role::Column, bare,
                  [](TSqlQueryV2 &q, const QString &n) {
                      return q.selectArrayValue(
                              QVariantMap {{"table", "n_rows"}, {"field", "word"}, {"where", QVariantMap {{n, 1}}}});
                  }}},
                {"createTable serial column",
                 {Role::Column,
                  [](const QString &d) { return d == QLatin1String("QPSQL") ? Kind::Bare : Kind::Quoted; },
                  [](TSqlQueryV2 &q, const QString &n) {
                      QVariantMap serial = field(n, "SERIAL");
                      serial.insert("next_value", 5);
                      return q.createTable("n_made", QVariantMap {{"field", QVariantList {serial}}});
                  }}},

                // Table names that the driver reads its catalogue with.
                {"getFieldList table",
                 {Role::Table, catalog, [](TSqlQueryV2 &q, const QString &n) { return q.getFieldList(n); }}},
                {"isFieldExists table",
                 {Role::Table, catalog, [](TSqlQueryV2 &q, const QString &n) { return q.isFieldExists(n, "word"); }}},
                {"addField table",
                 {Role::Table, catalog,
                  [](TSqlQueryV2 &q, const QString &n) { return q.addField(n, field("extra", "INTEGER")); }}},
                {"dropField table",
                 {Role::Table, catalog, [](TSqlQueryV2 &q, const QString &n) { return q.dropField(n, "word"); }}},

                // Names between the dialect's quotes.
                {"createTable table",
                 {Role::Table, quoted,
                  [](TSqlQueryV2 &q, const QString &n) {
                      return q.createTable(n, QVariantMap {{"field", QVariantList {field("a", "INTEGER")}}});
                  }}},
                {"renameTable",
                 {Role::Table, quoted,
                  [](TSqlQueryV2 &q, const QString &n) {
                      return q.renameTable(n, "n_renamed") || q.renameTable("n_none", n);
                  }}},
                {"dropTable", {Role::Table, quoted, [](TSqlQueryV2 &q, const QString &n) { return q.dropTable(n); }}},
                {"replaceTableStruct table",
                 {Role::Table, quoted,
                  [](TSqlQueryV2 &q, const QString &n) {
                      return q.replaceTableStruct(n, QVariantMap {{"field", QVariantList {field("a", "INTEGER")}}});
                  }}},
                {"createTable column",
                 {Role::Column, quoted,
                  [](TSqlQueryV2 &q, const QString &n) {
                      return q.createTable(
                              "n_made",
                              QVariantMap {{"field", QVariantList {field(n, "INTEGER")}},
                                           {"index", QVariantList {QVariantMap {{"type", "UNIQUE"}, {"field", n}}}}});
                  }}},
                {"addField column",
                 {Role::Column, quoted,
                  [](TSqlQueryV2 &q, const QString &n) { return q.addField("n_rows", field(n, "INTEGER")); }}},
                {"alterField column",
                 {Role::Column, quoted,
                  [](TSqlQueryV2 &q, const QString &n) {
                      return q.alterField("n_rows", field(n, "VARCHAR")) && q.alterField("n_rows", field(n, "TEXT"));
                  }}},
                {"dropField column",
                 {Role::Column, quoted,
                  [](TSqlQueryV2 &q, const QString &n) {
                      q.addField("n_rows", field(n, "INTEGER"));
                      return q.dropField("n_rows", n);
                  }}},
                {"replaceTableStruct column",
                 {Role::Column, quoted,
                  [](TSqlQueryV2 &q, const QString &n) {
                      QVariantMap id = field("id", "SERIAL");
                      id.insert("notnull", true);
                      QVariantMap word = field("word", "VARCHAR");
                      word.insert("length", 50);
                      QVariantMap extra = field(n, "VARCHAR");
                      extra.insert("length", 20);
                      return q.replaceTableStruct(
                              "n_rows",
                              QVariantMap {{"field", QVariantList {id, word, extra}},
                                           {"index", QVariantList {QVariantMap {{"type", "PRIMARY"}, {"field", "id"}},
                                                                   QVariantMap {{"type", "UNIQUE"}, {"field", n}}}}});
                  }}},
        };
        return all;
    }

    // Names made from a fixture name that try to run a second statement,
    // read the other table, or leave the name's place.
    static QList<QPair<QString, QString>> hostileNames(const QString &iBase, const QString &iDriver)
    {
        const QString tail = QStringLiteral("; CREATE TABLE n_pwn (a INTEGER); --");
        return {
                {"statement tail", iBase + tail},
                {"committed tail", iBase + QStringLiteral("; CREATE TABLE n_pwn (a INTEGER); COMMIT; --")},
                {"own quote closed", quote(iDriver) + iBase + quote(iDriver) + tail},
                {"other quote closed", otherQuote(iDriver) + iBase + otherQuote(iDriver) + tail},
                {"single quote closed", iBase + QLatin1Char('\'') + tail},
                {"subselect", QStringLiteral("(SELECT max(word) FROM n_secret)")},
                {"union", iBase + QStringLiteral(" UNION SELECT word FROM n_secret")},
                {"comment", iBase + QStringLiteral(" -- comment")},
                {"line break", iBase + QStringLiteral("\nCREATE TABLE n_pwn (a INTEGER)")},
                {"nul", iBase + QChar(0) + tail},
                {"empty", QString()},
        };
    }

    static void addDrivers()
    {
        QTest::addColumn<QString>("driver");
        QTest::newRow("postgresql") << "QPSQL";
        QTest::newRow("mariadb") << "QMYSQL";
        QTest::newRow("sqlite") << "QSQLITE";
    }

    // n_rows (id, word) with two rows, and n_secret with the row no call may read.
    static bool makeFixture(TSqlQueryV2 &iQuery, const QString &iDriver)
    {
        const QString key = iDriver == QLatin1String("QPSQL") ? QStringLiteral("id SERIAL PRIMARY KEY")
                            : iDriver == QLatin1String("QMYSQL")
                                    ? QStringLiteral("id INT AUTO_INCREMENT PRIMARY KEY")
                                    : QStringLiteral("id INTEGER PRIMARY KEY AUTOINCREMENT");
        for (const QString &table : iQuery.getTableList()) {
            if (table.startsWith(QLatin1String("n_")) && !iQuery.dropTable(table)) {
                return false;
            }
        }
        return iQuery.execSql(QStringLiteral("CREATE TABLE n_rows (%1, word VARCHAR(50))").arg(key))
               && iQuery.execSql(QStringLiteral("INSERT INTO n_rows (word) VALUES ('alpha')"))
               && iQuery.execSql(QStringLiteral("INSERT INTO n_rows (word) VALUES ('beta')"))
               && iQuery.execSql(QStringLiteral("CREATE TABLE n_secret (word VARCHAR(50))"))
               && iQuery.execSql(QStringLiteral("INSERT INTO n_secret (word) VALUES ('top-secret')"));
    }

    static bool hasPwnTable(TSqlQueryV2 &iQuery)
    {
        const QStringList tables = iQuery.getTableList();
        return std::any_of(tables.cbegin(), tables.cend(), [](const QString &iTable) {
            return iTable.endsWith(QLatin1String("n_pwn"), Qt::CaseInsensitive);
        });
    }

    static QString asText(const QVariant &iValue)
    {
        return QString::fromUtf8(QJsonDocument::fromVariant(QVariantList {iValue}).toJson());
    }

    static int count(TSqlQueryV2 &iQuery, const QString &iTable)
    {
        return iQuery.selectValue(QStringLiteral("SELECT COUNT(*) FROM %1").arg(iTable), QVariantMap()).toInt();
    }

private Q_SLOTS:
    void initTestCase()
    {
        VekFakeSqlDriver::registerDrivers();
        TSqlConnectionPoolV2::instance();
        QVERIFY(tempDir.isValid());
    }

    void hostileNamesOnEveryPath_data()
    {
        QTest::addColumn<QString>("driver");
        QTest::addColumn<QString>("path");
        for (const char *driver : {"QPSQL", "QMYSQL", "QSQLITE"}) {
            for (const QString &path : paths().keys()) {
                QTest::addRow("%s %s", driver, qPrintable(path)) << QString::fromLatin1(driver) << path;
            }
        }
    }

    // After each call: no table n_pwn, no row of n_secret in the result, both
    // tables as they were, no transaction left open; a refused name is named
    // in the error and in the log, and nothing reached the server.
    void hostileNamesOnEveryPath()
    {
        QFETCH(QString, driver);
        QFETCH(QString, path);
        VEK_TEST_QUERY(q, driver, tempDir.path());
        QVERIFY2(makeFixture(*q, driver), qPrintable(q->lastError().text()));
        const Path &p = paths()[path];
        const Kind kind = p.kind(driver);

        const auto names
                = hostileNames(p.role == Role::Table ? QStringLiteral("n_rows") : QStringLiteral("word"), driver);
        for (const auto &hostile : names) {
            const QString &name = hostile.second;
            // No returned field asks for none, a field without a name is
            // skipped, and the table of a serial column stands quoted first.
            if (name.isEmpty()
                && (path.endsWith(QLatin1String("returned field")) || path.startsWith(QLatin1String("createTable")))) {
                continue;
            }
            const QByteArray whatText = hostile.first.toUtf8();
            const char *what = whatText.constData();
            VekLogCapture log;
            const QVariant result = p.call(*q, name);
            const TError error = q->lastError();
            const bool refused
                    = kind == Kind::Bare
                      || (kind == Kind::Catalog
                          && (name.isEmpty() || name.contains(QLatin1Char('\'')) || name.contains(QChar(0))));
            if (refused) {
                QVERIFY2(error.code() == QLatin1String("SQL_NAME_REFUSED"),
                         qPrintable(QString::fromUtf8(what) + ": " + error.text()));
                QVERIFY2(error.text().contains(name), what);
                QVERIFY2(log.texts(QStringLiteral("sql")).isEmpty(), what);
                QVERIFY2(!log.texts(QStringLiteral("debug")).contains(QStringLiteral("Begin Transaction")), what);
                const QStringList errors = log.texts(QStringLiteral("error"));
                QVERIFY2(errors.size() == 1 && errors.first() == error.text(), what);
            } else {
                QVERIFY2(error.code() != QLatin1String("SQL_NAME_REFUSED"), what);
            }
            QVERIFY2(q->resetTransNum(), what);
            QVERIFY2(!asText(result).contains(QLatin1String("top-secret")), what);
            QVERIFY2(!hasPwnTable(*q), what);

            // A quoted name made a table of that very name at most: it goes.
            // Other tests share the servers, so only these names are ours.
            for (const QString &table : q->getTableList()) {
                if (table == name || table == QLatin1String("n_made") || table == QLatin1String("n_renamed")) {
                    QVERIFY2(q->dropTable(table), qPrintable(QString::fromUtf8(what) + ": " + table));
                }
            }
            QVERIFY2(count(*q, QStringLiteral("n_secret")) == 1, what);
            QVERIFY2(count(*q, QStringLiteral("n_rows")) >= 2, what);
        }
    }

    void plainNamesStillWork_data() { addDrivers(); }

    // Plain, quoted, qualified and upper-case names reach the same table as
    // before: bare names keep the server's case folding.
    void plainNamesStillWork()
    {
        QFETCH(QString, driver);
        VEK_TEST_QUERY(q, driver, tempDir.path());
        QVERIFY2(makeFixture(*q, driver), qPrintable(q->lastError().text()));
        const QString qc = quote(driver);
        const QString schema = driver == QLatin1String("QPSQL")    ? QStringLiteral("public")
                               : driver == QLatin1String("QMYSQL") ? q->sqlDatabase().databaseName()
                                                                   : QStringLiteral("main");
        QStringList tables {"n_rows", qc + "n_rows" + qc, schema + ".n_rows", qc + schema + qc + ".n_rows"};
        if (driver != QLatin1String("QMYSQL")) {
            // MariaDB compares table names with their case on this system.
            tables << "N_Rows";
        }
        const bool returns = driver != QLatin1String("QMYSQL");
        int rows = 2;
        for (const QString &table : qAsConst(tables)) {
            const QByteArray whatText = table.toUtf8();
            const char *what = whatText.constData();
            q->insertRow(table, {{"word", "w"}}, QStringList());
            QVERIFY2(!q->lastError().isValid(), qPrintable(QString::fromUtf8(what) + ": " + q->lastError().text()));
            const QVariant id = q->insertRow(table, {{"word", "w"}}, QStringList(), true, qc + "id" + qc);
            QVERIFY2(!q->lastError().isValid(), qPrintable(QString::fromUtf8(what) + ": " + q->lastError().text()));
            QVERIFY2(id.isValid() == returns, what);
            rows += 2;
            QCOMPARE(q->selectCount(TSqlSelectorV2(table)), rows);
            QCOMPARE(q->updateRow(table, {{"word", "x"}}, QVariantMap {{qc + "word" + qc, "w"}}), 2);
            QCOMPARE(q->deleteRow(table, QVariantMap {{"word", "x"}}), 2);
            rows -= 2;
        }
        QVERIFY(!q->replaceRow("n_rows", {{"id", 1}, {"word", "first"}}, QStringList {"id"}, QVariantMap(),
                               QStringList(), "id")
                         .isNull());
        QVERIFY2(!q->lastError().isValid(), qPrintable(q->lastError().text()));

        // Select lists, terms and where fields in the forms a name takes.
        TSqlSelectorV2 selector(schema + ".n_rows");
        selector.setField(QStringList {"id", qc + "word" + qc, "n_rows.word", "n_rows.*"})
                .setOrder(QStringList {"id DESC", qc + "id" + qc + " asc", "2 DESC NULLS LAST"})
                .setWhere("n_rows.word", "beta", "!=")
                .addWhere(qc + "id" + qc, 0, ">");
        if (driver == QLatin1String("QMYSQL")) {
            selector.setOrder(QStringList {"id DESC", qc + "id" + qc + " asc"});
        }
        const QVariantList selected = q->selectArrayArray(selector);
        QVERIFY2(!q->lastError().isValid(), qPrintable(q->lastError().text()));
        QCOMPARE(selected.size(), 1);
        QCOMPARE(selected.first().toList().value(1).toString(), QStringLiteral("first"));
        QCOMPARE(q->selectArrayMap(TSqlSelectorV2("n_rows").setField("*")).size(), 2);
        QCOMPARE(
                q->selectMapValue(TSqlSelectorV2("n_rows").setField("word").setGroup(QStringList {"word", "1"})).size(),
                2);
        QVERIFY2(!q->lastError().isValid(), qPrintable(q->lastError().text()));
    }

    void quotedLookalikes_data() { addDrivers(); }

    // A well-formed quoted identifier that holds statement text stays one
    // name: the server looks for an object of that name and finds none.
    void quotedLookalikes()
    {
        QFETCH(QString, driver);
        VEK_TEST_QUERY(q, driver, tempDir.path());
        QVERIFY2(makeFixture(*q, driver), qPrintable(q->lastError().text()));
        const QString qc = quote(driver);
        const QString inside = qc + qc + QStringLiteral("; CREATE TABLE n_pwn (a INTEGER); --");
        const QString table = qc + QStringLiteral("n_rows") + inside + qc;
        const QString column = qc + QStringLiteral("word") + inside + qc;

        // SQLite reads a double-quoted name it cannot find as a string instead.
        const bool unknownColumnFails = driver != QLatin1String("QSQLITE");

        QVERIFY(!q->insertRow(table, {{"word", "w"}}, QStringList()).isValid());
        QCOMPARE(q->lastError().code(), QStringLiteral("SQL_QUERY_ERROR"));
        QVERIFY(!hasPwnTable(*q));
        const QVariantList rows = q->selectArrayArray(TSqlSelectorV2("n_rows").setField(column));
        QCOMPARE(q->lastError().isValid(), unknownColumnFails);
        QCOMPARE(rows.size(), unknownColumnFails ? 0 : 2);
        QVERIFY(!hasPwnTable(*q));
        QCOMPARE(q->deleteRow("n_rows", QVariantMap {{column, "alpha"}}), unknownColumnFails ? -1 : 0);
        QVERIFY(!hasPwnTable(*q));
        QCOMPARE(count(*q, QStringLiteral("n_rows")), 2);
    }

    void serialSequenceKeepsCaseFolding()
    {
        // The sequence of a continued serial column is named bare, like the
        // nextval literal that reads it, so both fold alike.
        VEK_TEST_QUERY(q, QStringLiteral("QPSQL"), tempDir.path());
        QVERIFY2(makeFixture(*q, QStringLiteral("QPSQL")), qPrintable(q->lastError().text()));
        QVariantMap serial = field("Id", "SERIAL");
        serial.insert("next_value", 40);
        QVERIFY2(q->createTable("n_Mixed", QVariantMap {{"field", QVariantList {serial, field("word", "TEXT")}}}),
                 qPrintable(q->lastError().text()));
        QCOMPARE(q->insertRow("\"n_Mixed\"", {{"word", "w"}}, QStringList(), true, "\"Id\"").toInt(), 40);
        QCOMPARE(q->selectValue(QStringLiteral("SELECT last_value FROM n_mixed_id_seq"), QVariantMap()).toInt(), 40);
        QVERIFY(q->dropTable("n_Mixed"));
        QVERIFY(q->execSql(QStringLiteral("DROP SEQUENCE n_mixed_id_seq")));
    }

    void nameForms_data()
    {
        QTest::addColumn<QString>("place");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("accepted");
        const auto row = [](const char *iPlace, const QString &iName, bool iAccepted) {
            QTest::addRow("%s %s", iPlace, qPrintable(iName)) << QString::fromLatin1(iPlace) << iName << iAccepted;
        };
        for (const QString &name : QStringList {"t", "_t", "t$1", "T1", "\"a b\"", "\"a\"\"b\"", "s.t", "\"S\".\"T\"",
                                                "s.\"T\"", "\u00e9t\u00e9", "\u8868", "t\U0001d538"}) {
            row("table", name, true);
        }
        for (const QString &name :
             QStringList {"1t",     "$t",     "t b", "\"t", "t\"", "\"\"", "s.t.u",   ".t",  "t.",  "s..t",
                          "\"a\"b", "a\"b\"", "`t`", "t;",  "t--", "t/*",  "t\u00a0", "[t]", "t@x", "t#"}) {
            row("table", name, false);
        }
        row("table", QStringLiteral("t") + QChar(0xd835), false);
        row("table", QStringLiteral("\"t") + QChar(0) + QStringLiteral("\""), false);
        for (const QString &name : QStringList {"*", "t.*", "s.t.*", "s.t.c", "\"c\""}) {
            row("select", name, true);
        }
        for (const QString &name : QStringList {"count(*)", "a AS b", "*.t", "s.t.c.d", "a b", "**"}) {
            row("select", name, false);
        }
        for (const QString &name :
             QStringList {"a", "a DESC", "a asc", "\"a\" DESC NULLS LAST", "t.a desc nulls first", "2", "2 DESC"}) {
            row("order", name, true);
        }
        for (const QString &name :
             QStringList {"a DESC;", "a DESCENDING", "a,b", "random()", "a DESC NULLS", "a NULLS", "-1"}) {
            row("order", name, false);
        }
        for (const QString &name : QStringList {"a", "1", "t.a"}) {
            row("group", name, true);
        }
        for (const QString &name : QStringList {"a DESC", "a,b", "1a"}) {
            row("group", name, false);
        }
        for (const QString &name : QStringList {"id", "t.id", "\"Id\""}) {
            row("returned", name, true);
        }
        for (const QString &name : QStringList {"id + 1", "*", "id,a"}) {
            row("returned", name, false);
        }
    }

    // The forms a name takes where a statement writes it bare, through the
    // recording driver, which runs whatever reaches it.
    void nameForms()
    {
        QFETCH(QString, place);
        QFETCH(QString, name);
        QFETCH(bool, accepted);
        QString why;
        TSqlConnectionPoolV2::instance()->setConnectParameter(vekTestParams("QODBC", QString(), &why), "QODBC");
        TSqlQueryV2 q(TSqlConnectionPoolV2::instance()->getSqlDatabase("QODBC"));
        VekFakeSqlLog::clear();
        if (place == QLatin1String("table")) {
            q.selectCount(TSqlSelectorV2(name));
        } else if (place == QLatin1String("select")) {
            q.selectArrayMap(TSqlSelectorV2("t").setField(name));
        } else if (place == QLatin1String("order")) {
            q.selectArrayMap(TSqlSelectorV2("t").setOrder(QStringList {name}));
        } else if (place == QLatin1String("group")) {
            q.selectArrayMap(TSqlSelectorV2("t").setGroup(name));
        } else {
            q.insertRow("t", {{"a", 1}}, QStringList(), true, name);
        }
        QCOMPARE(q.lastError().code() != QLatin1String("SQL_NAME_REFUSED"), accepted);
        QCOMPARE(VekFakeSqlLog::events().isEmpty(), !accepted);
    }

    void sqlServerText_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("refused");
        QTest::newRow("table tail") << "orders; DROP TABLE orders; --"
                                    << "ON"
                                    << "orders; DROP TABLE orders; --";
        QTest::newRow("table subselect") << "(SELECT 1)"
                                         << "OFF"
                                         << "(SELECT 1)";
        QTest::newRow("status tail") << "orders"
                                     << "ON; DROP TABLE orders"
                                     << "ON; DROP TABLE orders";
        QTest::newRow("plain") << "dbo.orders"
                               << "off"
                               << "";
        QTest::newRow("quoted") << "\"order list\""
                                << "ON"
                                << "";
    }

    // SQL Server by statement text: the identity switch refuses what cannot
    // stand bare, and the maximum read of a serial column quotes catalogue
    // names that cannot.
    void sqlServerText()
    {
        QFETCH(QString, table);
        QFETCH(QString, status);
        QFETCH(QString, refused);
        QString why;
        TSqlConnectionPoolV2::instance()->setConnectParameter(vekTestParams("QODBC", QString(), &why), "QODBC");
        TSqlQueryV2 q(TSqlConnectionPoolV2::instance()->getSqlDatabase("QODBC"));
        VekFakeSqlLog::clear();
        QCOMPARE(q.setAutoIncrementStatus(table, status), refused.isEmpty());
        if (refused.isEmpty()) {
            QVERIFY(VekFakeSqlLog::events().contains(QStringLiteral("SET IDENTITY_INSERT %1 %2;").arg(table, status)));
        } else {
            QVERIFY(VekFakeSqlLog::events().isEmpty());
            QCOMPARE(q.lastError().code(), QStringLiteral("SQL_NAME_REFUSED"));
            QVERIFY(q.lastError().text().contains(QLatin1Char('"') + refused + QLatin1Char('"')));
        }
    }

    void sqlServerMaximumRead_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("statement");
        QTest::newRow("statements in both names")
                << "t; DROP TABLE t"
                << "id) FROM t; DROP TABLE t; --"
                << "SELECT max(\"id) FROM t; DROP TABLE t; --\") FROM \"t; DROP TABLE t\"";
        // A catalogue name is never read as SQL: a dot or a leading quote is
        // part of the column's own name.
        QTest::newRow("dotted column") << "t"
                                       << "a.b"
                                       << "SELECT max(\"a.b\") FROM t";
        QTest::newRow("column in quotes") << "t"
                                          << "\"id\""
                                          << "SELECT max(\"\"\"id\"\"\") FROM t";
    }

    void sqlServerMaximumRead()
    {
        QFETCH(QString, table);
        QFETCH(QString, column);
        QFETCH(QString, statement);
        QString why;
        TSqlConnectionPoolV2::instance()->setConnectParameter(vekTestParams("QODBC", QString(), &why), "QODBC");
        TSqlQueryV2 q(TSqlConnectionPoolV2::instance()->getSqlDatabase("QODBC"));
        VekFakeSqlLog::clear();
        VekFakeSqlLog::setTables(QStringList {table});
        VekFakeSqlLog::addResult(QStringLiteral("TABLE_CONSTRAINTS"),
                                 QStringList {"constraint_name", "column_name", "constraint_type"},
                                 Rows {{"PK_t", column, "PRIMARY KEY"}});
        VekFakeSqlLog::addResult(QStringLiteral("INFORMATION_SCHEMA.COLUMNS"),
                                 QStringList {"column_name", "is_nullable", "data_type", "datetime_precision",
                                              "character_maximum_length"},
                                 Rows {{column, "NO", "int", QVariant(), QVariant()}});
        const QVariantMap structure = q.getTableStruct(table);
        QCOMPARE(structure.value("field").toList().value(0).toMap().value("type").toString(), QStringLiteral("SERIAL"));
        QVERIFY2(VekFakeSqlLog::events().contains(statement), qPrintable(VekFakeSqlLog::events().join('\n')));
    }
};

QTEST_GUILESS_MAIN(tst_TSqlQueryV2Names)
#include "tst_tsqlqueryv2_names.moc"
