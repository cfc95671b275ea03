#include "tlogger.h"
#include "tsqlconnectionpoolv2.h"
#include "tsqlqueryv2.h"
#include "vekfakesqldriver.h"
#include "vektestsql.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <functional>

namespace {

// Runs iWork on a thread of its own and waits for it.
void runInThread(const std::function<void()> &iWork)
{
    QThread *thread = QThread::create(iWork);
    thread->start();
    thread->wait();
    delete thread;
}

// Every line given to Qt's message output while a capture is installed.
QStringList *qtMessages = nullptr;

void keepQtMessage(QtMsgType, const QMessageLogContext &, const QString &iMessage) { qtMessages->append(iMessage); }

} // namespace

class tst_TSqlConnectionPoolV2 : public QObject
{
    Q_OBJECT

private:
    TSqlConnectionPoolV2 *pool = nullptr;
    QTemporaryDir tempDir;

    QVariantMap sqliteParams(const QString &iFile) const
    {
        return QVariantMap {{QStringLiteral("database_type"), QStringLiteral("QSQLITE")},
                            {QStringLiteral("database_name"), tempDir.filePath(iFile)}};
    }

private Q_SLOTS:
    void initTestCase()
    {
        VekFakeSqlDriver::registerDrivers();
        // The pool's idle timers live in the thread that asks first: this one.
        pool = TSqlConnectionPoolV2::instance();
        QVERIFY(tempDir.isValid());
    }

    void parameters_data()
    {
        QTest::addColumn<QVariant>("params");
        QTest::addColumn<QString>("driver");
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("database");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");

        QTest::newRow("json host and port") << QVariant(
                QStringLiteral(R"({"database_type":"QOCI","database_host":"db1:5432","database_name":"mes"})"))
                                            << "QOCI"
                                            << "db1" << 5432 << "mes"
                                            << ""
                                            << "";
        QTest::newRow("colon without port")
                << QVariant(QStringLiteral(R"({"database_type":"QOCI","database_host":"db1:"})")) << "QOCI"
                << "db1" << -1 << ""
                << ""
                << "";
        QTest::newRow("port not a number")
                << QVariant(QStringLiteral(R"({"database_type":"QOCI","database_host":"db1:abc"})")) << "QOCI"
                << "db1" << -1 << ""
                << ""
                << "";
        QTest::newRow("port alone") << QVariant(QStringLiteral(R"({"database_type":"QOCI","database_host":":5432"})"))
                                    << "QOCI"
                                    << "" << 5432 << ""
                                    << ""
                                    << "";
        QTest::newRow("extra part ignored, port key ignored") << QVariant(
                QStringLiteral(R"({"database_type":"QOCI","database_host":"db1:5432:x","database_port":7})"))
                                                              << "QOCI"
                                                              << "db1" << 5432 << ""
                                                              << ""
                                                              << "";
        QTest::newRow("blanks before json, user, number as text") << QVariant(
                QStringLiteral(" \n {\"database_type\":\"QOCI\",\"database_user\":\"mes\",\"database_pwd\":12}"))
                                                                  << "QOCI"
                                                                  << "" << -1 << ""
                                                                  << "mes"
                                                                  << "12";
        QTest::newRow("password encoded twice, mode in lower case") << QVariant(
                QVariantMap {{"database_type", "QOCI"},
                             {"database_pwd", QString::fromLatin1(QByteArray("s3cr\xc3\xa9t").toBase64().toBase64())},
                             {"database_encrypt", "eb642"}}) << "QOCI"
                                                                    << "" << -1 << ""
                                                                    << "" << QString::fromUtf8("s3cr\xc3\xa9t");
        QTest::newRow("other encryption word keeps the password") << QVariant(
                QVariantMap {{"database_type", "QOCI"}, {"database_pwd", "c2VjcmV0"}, {"database_encrypt", "yes"}})
                                                                  << "QOCI"
                                                                  << "" << -1 << ""
                                                                  << ""
                                                                  << "c2VjcmV0";
        QTest::newRow("odbc connection string keeps the port") << QVariant(
                QVariantMap {{"database_type", "QODBC"}, {"database_host", "sql01:1433"}, {"database_name", "mes"}})
                                                               << "QODBC"
                                                               << "sql01" << 1433
                                                               << "DRIVER={SQL SERVER};SERVER=sql01;DATABASE=mes"
                                                               << ""
                                                               << "";
        QTest::newRow("xml, any root, tags in any case; sqlite ignores host and user")
                << QVariant(QStringLiteral(
                                    "  <conf><DATABASE_TYPE>QSQLITE</DATABASE_TYPE>"
                                    "<database_name>  %1  </database_name>"
                                    "<Database_Host>db1:5432</Database_Host><database_user>u</database_user></conf>")
                                    .arg(tempDir.filePath(QStringLiteral("x.db"))))
                << "QSQLITE"
                << "" << -1 << tempDir.filePath(QStringLiteral("x.db")) << ""
                << "";
    }

    void parameters()
    {
        QFETCH(QVariant, params);
        QFETCH(QString, driver);
        QFETCH(QString, host);
        QFETCH(int, port);
        QFETCH(QString, database);
        QFETCH(QString, user);
        QFETCH(QString, password);

        const QString base = QStringLiteral("params_%1").arg(QTest::currentDataTag());
        pool->setConnectParameter(params, base);
        {
            QSqlDatabase db = pool->getSqlDatabase(base);
            QVERIFY(db.isValid());
            QCOMPARE(db.driverName(), driver);
            QCOMPARE(db.hostName(), host);
            QCOMPARE(db.port(), port);
            QCOMPARE(db.databaseName(), database);
            QCOMPARE(db.userName(), user);
            QCOMPARE(db.password(), password);
            QCOMPARE(db.connectOptions(), QString());
            pool->releaseConnection(db.connectionName());
        }
        pool->removeSqlDatabase(base);
    }

    void defaultDriverAndOptions()
    {
        // A closed port on loopback: the connection is created, fails to open
        // and is handed out unopened.
        pool->setConnectParameter(
                QStringLiteral(R"({"database_host":"127.0.0.1:1","database_options":"connect_timeout=2"})"),
                QStringLiteral("nodriver"));
        {
            const QSqlDatabase db = pool->getSqlDatabase(QStringLiteral("nodriver"));
            QCOMPARE(db.driverName(), QStringLiteral("QPSQL"));
            QCOMPARE(db.connectOptions(), QStringLiteral("connect_timeout=2"));
            QVERIFY(!db.isOpen());
            QVERIFY(db.lastError().isValid());
            pool->releaseConnection(db.connectionName());
        }
        pool->removeSqlDatabase(QStringLiteral("nodriver"));
    }

    void badParameters_data()
    {
        QTest::addColumn<QVariant>("params");
        QTest::addColumn<QString>("message");
        QTest::newRow("json array") << QVariant(QStringLiteral(" [1,2]"))
                                    << "database connnect parameters must be a json or xml format!";
        QTest::newRow("absent") << QVariant() << "database connnect parameters must be a json or xml format!";
        QTest::newRow("empty") << QVariant(QString()) << "database connnect parameters must be a json or xml format!";
        QTest::newRow("broken json") << QVariant(QStringLiteral("{\"database_type\":"))
                                     << "database connnect parameters is not a valid json format! ERROR:";
        QTest::newRow("broken xml")
                << QVariant(QStringLiteral("<a><b></a>"))
                << "database connnect parameters is not a valid xml format! ERROR:Parse Xml data failed at line";
    }

    void badParameters()
    {
        QFETCH(QVariant, params);
        QFETCH(QString, message);
        VekLogCapture log;
        pool->setConnectParameter(params, QStringLiteral("bad"));
        QSqlDatabase db = pool->getSqlDatabase(QStringLiteral("bad"));
        QVERIFY(!db.isValid());
        const QStringList errors = log.texts(QStringLiteral("error"));
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors.first().startsWith(message), qPrintable(errors.first()));

        // The same thread retries the same name once the parameters are good.
        pool->setConnectParameter(sqliteParams(QStringLiteral("bad.db")), QStringLiteral("bad"));
        QString name;
        {
            const QSqlDatabase again = pool->getSqlDatabase(QStringLiteral("bad"));
            QVERIFY(again.isOpen());
            name = again.connectionName();
        }
        const QStringList gets = log.texts(QStringLiteral("debug")).filter(QStringLiteral("get database connection"));
        QCOMPARE(gets.size(), 2);
        QCOMPARE(gets.at(0), gets.at(1));
        pool->releaseConnection(name);
        pool->removeSqlDatabase(QStringLiteral("bad"));
    }

    void baseNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("base");
        QTest::newRow("empty") << ""
                               << "TSQLPOOL_DEFAULT_CNT_NAME";
        QTest::newRow("null") << "null"
                              << "TSQLPOOL_DEFAULT_CNT_NAME";
        QTest::newRow("Default") << "Default"
                                 << "TSQLPOOL_DEFAULT_CNT_NAME";
        QTest::newRow("DEFAULT") << "DEFAULT"
                                 << "TSQLPOOL_DEFAULT_CNT_NAME";
        QTest::newRow("lower case") << "mes"
                                    << "MES";
    }

    void baseNames()
    {
        QFETCH(QString, name);
        QFETCH(QString, base);
        pool->setConnectParameter(sqliteParams(QStringLiteral("names.db")), base);
        QCOMPARE(pool->connectParameter(name), QVariant(sqliteParams(QStringLiteral("names.db"))));
        const QString connection = pool->getSqlDatabase(name).connectionName();
        const QRegularExpression pattern(QStringLiteral("^%1/\\{[0-9a-f-]{36}\\}$").arg(base));
        QVERIFY2(pattern.match(connection).hasMatch(), qPrintable(connection));
        // Asking again without releasing gives the same connection.
        QCOMPARE(pool->getSqlDatabase(name.toUpper()).connectionName(), connection);
        pool->releaseConnection(connection);
        pool->removeSqlDatabase(base);
    }

    void reuseAcrossThreads()
    {
        pool->setConnectParameter(sqliteParams(QStringLiteral("threads.db")), QStringLiteral("mes"));
        pool->setAutocloseTimeout(60000);
        QString first;
        QString second;
        QString held;
        bool ranThere = false;
        runInThread([&] {
            QSqlDatabase db = pool->getSqlDatabase(QStringLiteral("mes"));
            first = db.connectionName();
            QSqlQuery(db).exec(QStringLiteral("CREATE TABLE IF NOT EXISTS t (a INTEGER)"));
            pool->releaseConnection(first);
        });
        runInThread([&] {
            QSqlDatabase db = pool->getSqlDatabase(QStringLiteral("mes"));
            second = db.connectionName();
            // Qt refuses a connection whose driver lives in another thread:
            // a working statement proves the hand-over.
            QSqlQuery query(db);
            ranThere = query.exec(QStringLiteral("INSERT INTO t VALUES (1)"));
            // Held by this thread: a third thread gets a new connection.
            runInThread([&] {
                held = pool->getSqlDatabase(QStringLiteral("mes")).connectionName();
                pool->releaseConnection(held);
            });
            pool->releaseConnection(second);
        });
        QCOMPARE(second, first);
        QVERIFY(ranThere);
        QVERIFY(held != first);
        QVERIFY(!held.isEmpty());

        // The main thread takes a free one and can use it.
        {
            QSqlDatabase db = pool->getSqlDatabase(QStringLiteral("mes"));
            QVERIFY(db.connectionName() == first || db.connectionName() == held);
            QVERIFY(QSqlQuery(db).exec(QStringLiteral("SELECT COUNT(*) FROM t")));
            pool->releaseConnection(db.connectionName());
        }
        pool->removeSqlDatabase(QStringLiteral("mes"));
        QVERIFY(!QSqlDatabase::contains(first));
        QVERIFY(!QSqlDatabase::contains(held));
    }

    void firstFreeInNameOrder()
    {
        // A thread that holds one connection and asks again gets the first
        // usable name in ascending order: its own, or a free one before it.
        pool->setConnectParameter(sqliteParams(QStringLiteral("order.db")), QStringLiteral("order"));
        QString held;
        QString freed;
        QString again;
        QSemaphore holding;
        QSemaphore released;
        QThread *holder = QThread::create([&] {
            held = pool->getSqlDatabase(QStringLiteral("order")).connectionName();
            holding.release();
            released.acquire();
            again = pool->getSqlDatabase(QStringLiteral("order")).connectionName();
            pool->releaseConnection(held);
            pool->releaseConnection(freed);
        });
        holder->start();
        holding.acquire();
        runInThread([&] {
            freed = pool->getSqlDatabase(QStringLiteral("order")).connectionName();
            pool->releaseConnection(freed);
        });
        released.release();
        holder->wait();
        delete holder;
        QVERIFY(held != freed);
        QCOMPARE(again, qMin(held, freed));
        pool->removeSqlDatabase(QStringLiteral("order"));
        QVERIFY(!QSqlDatabase::contains(held));
        QVERIFY(!QSqlDatabase::contains(freed));
    }

    void manyThreadsWithExecutors()
    {
        // Eight threads take, use and release connections through executors
        // over and over: every statement runs, so no thread ever got a
        // connection whose driver belonged to another one.
        pool->setConnectParameter(sqliteParams(QStringLiteral("stress.db")), QStringLiteral("stress"));
        QAtomicInt failures;
        QVector<QThread *> workers;
        for (int t = 0; t < 8; ++t) {
            workers.append(QThread::create([this, &failures] {
                for (int i = 0; i < 50; ++i) {
                    TSqlQueryV2 query(pool->getSqlDatabase(QStringLiteral("stress")));
                    if (query.selectValue(QStringLiteral("SELECT 1"), QVariantMap()).toInt() != 1)
                        failures.ref();
                }
            }));
            workers.last()->start();
        }
        for (QThread *worker : qAsConst(workers)) {
            worker->wait();
            delete worker;
        }
        QCOMPARE(failures.loadRelaxed(), 0);
        pool->removeSqlDatabase(QStringLiteral("stress"));
    }

    void idleClose()
    {
        VekLogCapture log;
        pool->setConnectParameter(sqliteParams(QStringLiteral("idle.db")), QStringLiteral("idle"));
        pool->setAutocloseTimeout(50);
        QCOMPARE(pool->autocloseTimeout(), 50L);
        QString name;
        runInThread([&] {
            name = pool->getSqlDatabase(QStringLiteral("idle")).connectionName();
            pool->releaseConnection(name);
        });
        QVERIFY(QSqlDatabase::contains(name));
        QTRY_VERIFY_WITH_TIMEOUT(!QSqlDatabase::contains(name), 5000);
        QVERIFY(log.texts(QStringLiteral("debug"))
                        .contains(QStringLiteral("remove database %1 connection %2.")
                                          .arg(tempDir.filePath(QStringLiteral("idle.db")), name)));

        // A new time-out applies from the next release, not to a running timer.
        const QString shortLived = pool->getSqlDatabase(QStringLiteral("idle")).connectionName();
        pool->releaseConnection(shortLived);
        pool->setAutocloseTimeout(600000);
        QTRY_VERIFY_WITH_TIMEOUT(!QSqlDatabase::contains(shortLived), 5000);
        pool->setAutocloseTimeout(50);

        // Taken again before the time-out: the timer is stopped and nothing closes.
        const QString kept = pool->getSqlDatabase(QStringLiteral("idle")).connectionName();
        pool->releaseConnection(kept);
        QCOMPARE(pool->getSqlDatabase(QStringLiteral("idle")).connectionName(), kept);
        QTest::qWait(200);
        QVERIFY(QSqlDatabase::contains(kept));
        pool->releaseConnection(kept);
        pool->setAutocloseTimeout(120000);
        pool->removeSqlDatabase(QStringLiteral("idle"));
    }

    void removeWaitsForHolder()
    {
        pool->setConnectParameter(sqliteParams(QStringLiteral("remove.db")), QStringLiteral("rm"));
        const QString free = pool->getSqlDatabase(QStringLiteral("rm")).connectionName();
        QString held;
        bool usable = false;
        QSemaphore taken;
        QSemaphore removed;
        QThread *holder = QThread::create([&] {
            QSqlDatabase db = pool->getSqlDatabase(QStringLiteral("rm"));
            held = db.connectionName();
            taken.release();
            removed.acquire();
            // Still usable: the removal waits for this thread's release.
            usable = QSqlQuery(db).exec(QStringLiteral("SELECT 1"));
            db = QSqlDatabase();
            pool->releaseConnection(held);
        });
        holder->start();
        taken.acquire();
        pool->releaseConnection(free);
        QVERIFY(free != held);

        pool->removeSqlDatabase(QStringLiteral("RM"));
        QVERIFY(!QSqlDatabase::contains(free));
        QVERIFY(QSqlDatabase::contains(held));
        removed.release();
        holder->wait();
        delete holder;
        QVERIFY(usable);
        QVERIFY(!QSqlDatabase::contains(held));

        // The parameters stay: the base hands out connections again.
        QString again;
        QVERIFY(pool->getSqlDatabase(QStringLiteral("rm")).isOpen());
        again = pool->getSqlDatabase(QStringLiteral("rm")).connectionName();
        // One full connection name removes just that one.
        pool->setConnectParameter(sqliteParams(QStringLiteral("remove2.db")), QStringLiteral("rm2"));
        const QString other = pool->getSqlDatabase(QStringLiteral("rm2")).connectionName();
        pool->releaseConnection(again);
        pool->releaseConnection(other);
        pool->removeSqlDatabase(again);
        QVERIFY(!QSqlDatabase::contains(again));
        QVERIFY(QSqlDatabase::contains(other));
        pool->removeSqlDatabase(QStringLiteral("rm2"));
        QVERIFY(!QSqlDatabase::contains(other));
    }

    void newSqlDatabaseCopiesParameters()
    {
        pool->setConnectParameter(sqliteParams(QStringLiteral("report.db")), QStringLiteral("mes"));
        QString name;
        {
            const QSqlDatabase db = pool->newSqlDatabase(QStringLiteral("report"), QStringLiteral("mes"));
            QVERIFY(db.isOpen());
            name = db.connectionName();
        }
        QCOMPARE(pool->connectParameter(QStringLiteral("REPORT")), pool->connectParameter(QStringLiteral("mes")));
        QVERIFY(name.startsWith(QLatin1String("REPORT/{")));
        pool->releaseConnection(name);
        pool->removeSqlDatabase(QStringLiteral("report"));
        pool->removeSqlDatabase(QStringLiteral("mes"));
    }

    void openFailureIsLogged_data()
    {
        QTest::addColumn<QString>("driver");
        QTest::newRow("postgresql") << "QPSQL";
        QTest::newRow("mariadb") << "QMYSQL";
        QTest::newRow("sqlite") << "QSQLITE";
        // The recording driver's complaint repeats the password.
        QTest::newRow("sql server") << "QODBC";
    }

    // A connection that does not open leaves one error line for each
    // attempt, the pool's and the executor's, naming the driver, the host and
    // the database and never the password; nor does Qt's debug output show it.
    void openFailureIsLogged()
    {
        QFETCH(QString, driver);
        const QString password = QStringLiteral("Wr0ng-Secret-4711");
        QVariantMap params {{"database_type", driver}, {"database_pwd", password}};
        QString host;
        QString database = tempDir.filePath(QStringLiteral("no/such/folder/x.db"));
        if (driver == QLatin1String("QODBC")) {
            params.insert(QStringLiteral("database_host"), QStringLiteral("fakehost:1433"));
            host = QStringLiteral("fakehost");
            database = QStringLiteral("vek_no_such_db");
        } else if (driver != QLatin1String("QSQLITE")) {
            QString why;
            params = vekTestServerParams(driver, &why);
            QVERIFY2(!params.isEmpty(), qPrintable(why));
            host = params.value(QStringLiteral("database_host")).toString().section(QLatin1Char(':'), 0, 0);
            database = QStringLiteral("vek_no_such_db");
            params.insert(QStringLiteral("database_pwd"), password);
        }
        params.insert(QStringLiteral("database_name"), database);
        pool->setConnectParameter(params, QStringLiteral("badopen"));
        const auto checkLine = [&](const QStringList &iErrors) {
            QCOMPARE(iErrors.size(), 1);
            const QString &line = iErrors.first();
            QVERIFY2(line.contains(driver) && line.contains(database) && line.contains(host), qPrintable(line));
            QVERIFY2(!line.contains(password), qPrintable(line));
        };

        VekLogCapture log;
        const QSqlDatabase db = pool->getSqlDatabase(QStringLiteral("badopen"));
        QVERIFY(db.isValid());
        QVERIFY(!db.isOpen());
        checkLine(log.texts(QStringLiteral("error")));
        if (QTest::currentTestFailed()) {
            return;
        }
        log.clear();
        QStringList messages;
        {
            TSqlQueryV2 query(db);
            qtMessages = &messages;
            const QtMessageHandler previous = qInstallMessageHandler(keepQtMessage);
            const bool opened = query.open();
            qInstallMessageHandler(previous);
            qtMessages = nullptr;
            QVERIFY(!opened);
            QCOMPARE(query.lastError().code(), QStringLiteral("OPEN_DATABASE_FAILED"));
        }
        checkLine(log.texts(QStringLiteral("error")));
        QVERIFY(!messages.isEmpty());
        for (const QString &message : qAsConst(messages)) {
            QVERIFY2(!message.contains(password), qPrintable(message));
        }
        pool->releaseConnection(db.connectionName());
        pool->removeSqlDatabase(QStringLiteral("badopen"));
    }

    void unknownNamesChangeNothing()
    {
        pool->releaseConnection(QString());
        pool->releaseConnection(QStringLiteral("NOPE/{x}"));
        pool->removeSqlDatabase(QStringLiteral("NOPE/{x}"));
        QVERIFY(!QSqlDatabase::contains(QStringLiteral("NOPE/{x}")));
    }
};

QTEST_GUILESS_MAIN(tst_TSqlConnectionPoolV2)
#include "tst_tsqlconnectionpoolv2.moc"
