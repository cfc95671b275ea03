#include "tsqlconnectionpoolv2.h"
#include "tsqlqueryv2.h"
#include "vekfakesqldriver.h"
#include "vektestsql.h"

#include <QRegularExpression>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// Connection, transactions and error recording of the executor.
class tst_TSqlQueryV2 : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir tempDir;

private Q_SLOTS:
    void initTestCase()
    {
        VekFakeSqlDriver::registerDrivers();
        QSqlDatabase::registerSqlDriver(QStringLiteral("VEKFAKE"), new QSqlDriverCreator<VekFakeSqlDriver>);
        TSqlConnectionPoolV2::instance();
        QVERIFY(tempDir.isValid());
    }

    void init() { VekFakeSqlLog::clear(); }

    void nestingCounts()
    {
        VEK_TEST_QUERY(q, QStringLiteral("QODBC"), tempDir.path());
        VekLogCapture log;
        VekFakeSqlLog::clear();

        QVERIFY(q->begin());
        QVERIFY(q->begin());
        QCOMPARE(q->commit(), 1);
        QVERIFY(!VekFakeSqlLog::events().contains(QStringLiteral("COMMIT")));
        QCOMPARE(q->commit(), 0);
        QCOMPARE(VekFakeSqlLog::events().count(QStringLiteral("BEGIN")), 1);
        QCOMPARE(VekFakeSqlLog::events().count(QStringLiteral("COMMIT")), 1);

        // A nested rollback only counts down; the outermost commit commits.
        VekFakeSqlLog::clear();
        QVERIFY(q->begin());
        QVERIFY(q->begin());
        QCOMPARE(q->rollback(), 1);
        QVERIFY(!VekFakeSqlLog::events().contains(QStringLiteral("ROLLBACK")));
        QCOMPARE(q->commit(), 0);
        QCOMPARE(VekFakeSqlLog::events().count(QStringLiteral("COMMIT")), 1);

        // Outermost, and with nothing open: the driver is called all the same.
        VekFakeSqlLog::clear();
        log.clear();
        QCOMPARE(q->rollback(), 0);
        QCOMPARE(q->commit(), 0);
        QCOMPARE(VekFakeSqlLog::events(), (QStringList {"ROLLBACK", "COMMIT"}));
        QCOMPARE(log.texts(QStringLiteral("debug")), (QStringList {"Rollback Transaction", "Commit Transaction"}));
        QVERIFY(!q->lastError().isValid());

        // resetTransNum abandons every level at once, without a log line.
        VekFakeSqlLog::clear();
        log.clear();
        QVERIFY(q->begin());
        QVERIFY(q->begin());
        QVERIFY(q->begin());
        QCOMPARE(q->resetTransNum(), false);
        QVERIFY(q->resetTransNum());
        QCOMPARE(VekFakeSqlLog::events().count(QStringLiteral("ROLLBACK")), 1);
        QVERIFY(!log.texts(QStringLiteral("debug")).contains(QStringLiteral("Rollback Transaction")));
        QCOMPARE(q->commit(), 0);
    }

    void outermostCommitOnServer_data()
    {
        QTest::addColumn<QString>("driver");
        QTest::newRow("postgresql") << "QPSQL";
        QTest::newRow("mariadb") << "QMYSQL";
    }

    void outermostCommitOnServer()
    {
        QFETCH(QString, driver);
        VEK_TEST_QUERY(q, driver, tempDir.path());
        QVERIFY(q->execSql(QStringLiteral("DROP TABLE IF EXISTS tx_nest")));
        QVERIFY(q->execSql(QStringLiteral("CREATE TABLE tx_nest (a INTEGER)")));

        // An observer on a connection of its own sees nothing before the outermost commit.
        QSqlDatabase observerDb = QSqlDatabase::cloneDatabase(q->sqlDatabase(), QStringLiteral("observer_") + driver);
        QVERIFY(observerDb.open());
        auto seen = [&observerDb] {
            QSqlQuery query(observerDb);
            query.exec(QStringLiteral("SELECT COUNT(*) FROM tx_nest"));
            return query.next() ? query.value(0).toInt() : -1;
        };

        QVERIFY(q->begin());
        QVERIFY(q->execSql(QStringLiteral("INSERT INTO tx_nest VALUES (1)")));
        QVERIFY(q->begin());
        QVERIFY(q->execSql(QStringLiteral("INSERT INTO tx_nest VALUES (2)")));
        QCOMPARE(q->rollback(), 1);
        QCOMPARE(seen(), 0);
        QCOMPARE(q->commit(), 0);
        QCOMPARE(seen(), 2);

        // The outermost rollback undoes everything of its transaction.
        QVERIFY(q->begin());
        QVERIFY(q->execSql(QStringLiteral("INSERT INTO tx_nest VALUES (3)")));
        QCOMPARE(q->rollback(), 0);
        QCOMPARE(seen(), 2);

        observerDb.close();
        observerDb = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("observer_") + driver);
        q->execSql(QStringLiteral("DROP TABLE tx_nest"));
    }

    void errorPiling()
    {
        VEK_TEST_QUERY(q, QStringLiteral("QSQLITE"), tempDir.path());
        VekLogCapture log;
        QVERIFY(q->begin());
        QVERIFY(!q->execSql(QStringLiteral("SELECT * FROM missing_table")));
        QVERIFY(!q->execSql(QStringLiteral("SELECT * FROM missing_table")));
        QVERIFY(!q->execSql(QStringLiteral("SELECT * FROM other_missing")));
        const QStringList lines = log.texts(QStringLiteral("debug")).filter(QStringLiteral("SQL_QUERY_ERROR"));
        QCOMPARE(lines.size(), 3);
        QVERIFY2(lines.first().startsWith(QLatin1String("SQL_QUERY_ERROR[2]:")), qPrintable(lines.first()));

        const TError error = q->lastError();
        QCOMPARE(error.code(), QStringLiteral("SQL_QUERY_ERROR"));
        QCOMPARE(error.type(), QString(QChar(2)));
        QCOMPARE(error.text().count(QLatin1Char('\n')), 2);
        QVERIFY(error.text().endsWith(QLatin1Char('\n')));
        QVERIFY(error.text().contains(QLatin1String("missing_table")));
        QVERIFY(error.text().contains(QLatin1String("other_missing")));
        QCOMPARE(q->errorString(), error.text());

        // Forgotten errors are recorded again.
        q->clearError();
        QVERIFY(!q->lastError().isValid());
        q->execSql(QStringLiteral("SELECT * FROM other_missing"));
        QCOMPARE(q->lastError().text().count(QLatin1Char('\n')), 1);

        // The outermost commit logs the collected text as an error.
        log.clear();
        QCOMPARE(q->commit(), 0);
        QCOMPARE(log.texts(QStringLiteral("error")), QStringList {q->lastError().text()});
        // The next outermost begin starts clean.
        QVERIFY(q->begin());
        QVERIFY(!q->lastError().isValid());
        q->commit();
    }

    void refusedCommitIsReported()
    {
        VEK_TEST_QUERY(q, QStringLiteral("QPSQL"), tempDir.path());
        QVERIFY(q->execSql(QStringLiteral("DROP TABLE IF EXISTS tx_refused")));
        QVERIFY(q->execSql(QStringLiteral("CREATE TABLE tx_refused (a INTEGER)")));
        QVERIFY(q->begin());
        QVERIFY(q->execSql(QStringLiteral("INSERT INTO tx_refused VALUES (1)")));
        QVERIFY(!q->execSql(QStringLiteral("INSERT INTO tx_refused VALUES ('x')")));
        // The server turns the commit of a failed transaction into a rollback:
        // the first insert is lost, and the record says the commit failed.
        const QString before = q->lastError().text();
        QCOMPARE(q->commit(), 0);
        QCOMPARE(q->lastError().code(), QStringLiteral("SQL_QUERY_ERROR"));
        QVERIFY2(q->lastError().text().size() > before.size(), qPrintable(q->lastError().text()));
        QCOMPARE(q->selectValue(QStringLiteral("SELECT COUNT(*) FROM tx_refused"), QVariantMap()).toInt(), 0);
        QVERIFY(!q->lastError().isValid());
        q->execSql(QStringLiteral("DROP TABLE tx_refused"));
    }

    void openFailure()
    {
        // Nothing listens on port 1 of the loopback.
        TSqlConnectionPoolV2::instance()->setConnectParameter(QVariantMap {{"database_host", "127.0.0.1:1"},
                                                                           {"database_name", "x"},
                                                                           {"database_user", "x"},
                                                                           {"database_options", "connect_timeout=2"}},
                                                              QStringLiteral("closedport"));
        TSqlQueryV2 q(TSqlConnectionPoolV2::instance()->getSqlDatabase(QStringLiteral("closedport")));
        VekLogCapture log;
        QVERIFY(!q.begin());
        QCOMPARE(q.lastError().code(), QStringLiteral("OPEN_DATABASE_FAILED"));
        QVERIFY(!q.lastError().text().isEmpty());
        QCOMPARE(q.lastError().type(), QString(QChar(1)));
        // The counter went back to 0: the next begin is an outermost one again.
        QVERIFY(!q.begin());
        QCOMPARE(q.commit(), 0);
        QVERIFY(q.selectArrayMap(QStringLiteral("SELECT 1"), QVariantMap()).isEmpty());
        QVERIFY(q.selectArrayData(QStringLiteral("SELECT 1"), QVariantMap()).isEmpty());
        QCOMPARE(q.updateRow(QStringLiteral("t"), QVariantMap {{"a", 1}}, QStringLiteral("a = 1")), 0);
        QCOMPARE(q.deleteRow(QStringLiteral("t"), QStringLiteral("a = 1")), 0);
        QVERIFY(!q.insertRow(QStringLiteral("t"), QVariantMap {{"a", 1}}, QStringList(), true, "id").isValid());
        QVERIFY(log.texts(QStringLiteral("sql")).isEmpty());
    }

    void isConnected_data()
    {
        QTest::addColumn<QString>("driver");
        QTest::addColumn<bool>("connected");
        QTest::addColumn<QString>("probe");
        QTest::newRow("sqlite") << "QSQLITE" << true << "";
        QTest::newRow("sql server") << "QODBC" << true << "SELECT GETDATE()";
        QTest::newRow("oracle") << "QOCI" << true << "SELECT count(1) FROM DUAL";
        QTest::newRow("other driver") << "VEKFAKE" << false << "";
        QTest::newRow("postgresql") << "QPSQL" << true << "";
        QTest::newRow("mariadb") << "QMYSQL" << true << "";
    }

    void isConnected()
    {
        QFETCH(QString, driver);
        QFETCH(bool, connected);
        QFETCH(QString, probe);
        VEK_TEST_QUERY(q, driver, tempDir.path());
        VekFakeSqlLog::clear();
        QCOMPARE(q->isConnected(), connected);
        QCOMPARE(VekFakeSqlLog::events(), probe.isEmpty() ? QStringList() : QStringList {probe});
    }

    void closeReleases()
    {
        VEK_TEST_QUERY(q, QStringLiteral("QODBC"), tempDir.path());
        const QString name = q->sqlDatabase().connectionName();
        VekLogCapture log;
        QVERIFY(q->begin());
        VekFakeSqlLog::clear();
        QVERIFY(q->close());
        QCOMPARE(VekFakeSqlLog::events(), QStringList {"ROLLBACK"});
        const QStringList closes = log.texts(QStringLiteral("debug")).filter(QStringLiteral("Close TSqlQueryV2"));
        QCOMPARE(closes, QStringList {QStringLiteral("Close TSqlQueryV2 0x%1").arg(quintptr(q.get()), 0, 16)});
        QVERIFY(!q->close());
        // A released connection goes to the next thread that asks.
        QCOMPARE(TSqlConnectionPoolV2::instance()->getSqlDatabase(QStringLiteral("QODBC")).connectionName(), name);
        TSqlConnectionPoolV2::instance()->releaseConnection(name);
        q.reset();
        QCOMPARE(log.texts(QStringLiteral("debug")).filter(QStringLiteral("Close TSqlQueryV2")).size(), 1);
    }

    void constructionLine()
    {
        VekLogCapture log;
        TSqlQueryV2 q;
        QCOMPARE(log.texts(QStringLiteral("debug")),
                 QStringList {QStringLiteral("New TSqlQueryV2 0x%1").arg(quintptr(&q), 0, 16)});
        QVERIFY(QRegularExpression(QStringLiteral("^New TSqlQueryV2 0x[0-9a-f]+$"))
                        .match(log.texts().first())
                        .hasMatch());
        QVERIFY(!q.execSql(QStringLiteral("   ")));
        QVERIFY(!q.lastError().isValid());
    }
};

QTEST_GUILESS_MAIN(tst_TSqlQueryV2)
#include "tst_tsqlqueryv2.moc"
