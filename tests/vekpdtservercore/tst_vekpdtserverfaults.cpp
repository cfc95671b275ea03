#include "vekservicefixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

using namespace VekServiceFixture;

// The real service host hurt the way plants hurt it: exits at every log
// level, hostile rows, a task that never ends, kill -9 and restart.
class tst_VekPdtServerFaults : public QObject
{
    Q_OBJECT

private:
    // A service root with an SQLite plant database, the service row "svc" and
    // the scripts given; tasks are inserted by the test.
    struct Plant
    {
        QTemporaryDir dir;
        QString root;
        QString out;
        QString connection;
        QSqlDatabase db;
        QVariantMap params;
    };

    static bool makePlant(Plant &ioPlant, const QString &iConnection, QString *oWhy)
    {
        if (!ioPlant.dir.isValid()) {
            *oWhy = QStringLiteral("no temporary folder");
            return false;
        }
        ioPlant.root = ioPlant.dir.filePath(QStringLiteral("root"));
        ioPlant.out = ioPlant.dir.filePath(QStringLiteral("out"));
        ioPlant.connection = iConnection;
        QDir().mkpath(ioPlant.out);
        if (!makeRoot(ioPlant.root, QStringLiteral(VEK_BIN_DIR), oWhy)
            || !openSqlite(iConnection, ioPlant.dir.filePath(QStringLiteral("plant.db")), &ioPlant.params, oWhy))
            return false;
        ioPlant.db = QSqlDatabase::database(iConnection);
        return createPlantTables(ioPlant.db, oWhy)
               && exec(ioPlant.db, QStringLiteral("INSERT INTO mes_pdt_service (id, name) VALUES (1, 'svc')"), oWhy);
    }

    static void closePlant(Plant &ioPlant)
    {
        ioPlant.db = QSqlDatabase();
        QSqlDatabase::database(ioPlant.connection, false).close();
        QSqlDatabase::removeDatabase(ioPlant.connection);
    }

    static bool addScript(Plant &ioPlant, int iId, const QString &iName, const QString &iType, const QString &iContent,
                          QString *oWhy)
    {
        QSqlQuery insert(ioPlant.db);
        insert.prepare(
                QStringLiteral("INSERT INTO mes_pdt_script (id, name, content, type, link_cam, encrypt, release_status,"
                               " active_status) VALUES (?, ?, ?, ?, 0, 0, 'released', 'active')"));
        insert.addBindValue(iId);
        insert.addBindValue(iName);
        insert.addBindValue(iContent);
        insert.addBindValue(iType);
        if (!insert.exec()) {
            *oWhy = insert.lastError().text();
            return false;
        }
        return true;
    }

    // A task row: trigger_type "crontab" or "tooling_request", one trigger.
    static bool addTask(Plant &ioPlant, int iId, const QString &iScript, const QString &iKind, const QString &iTrigger,
                        const QString &iAttr, QString *oWhy)
    {
        QSqlQuery insert(ioPlant.db);
        insert.prepare(QStringLiteral(
                "INSERT INTO mes_pdt_service_script (id, script_name, status, trigger_type, trigger_param, attr_data)"
                " VALUES (?, ?, 'active', ?, ?, ?)"));
        insert.addBindValue(iId);
        insert.addBindValue(iScript);
        insert.addBindValue(iKind);
        insert.addBindValue(iTrigger);
        insert.addBindValue(iAttr.isEmpty() ? QVariant() : QVariant(iAttr));
        if (!insert.exec()) {
            *oWhy = insert.lastError().text();
            return false;
        }
        return true;
    }

    // Writes OUT/<task>-<argument file name> when it runs.
    static QString touchJs(const QString &iOut)
    {
        return QStringLiteral("var sys = __package__.import('sys');\n"
                              "var process = __package__.import('process');\n"
                              "var argv = JSON.parse(sys.readFileAll(process.argv(1)));\n"
                              "sys.writeFile('%1/' + argv.task_id + '-' + process.argv(1).split('/').pop(), '',"
                              " 'overwrite', 'UTF-8', false);\n")
                .arg(iOut);
    }

    static QStringList filesIn(const QString &iDir, const QString &iPattern)
    {
        return QDir(iDir).entryList({iPattern}, QDir::Files | QDir::Hidden, QDir::Name);
    }

    // The environment that makes a damaged heap end the service at once:
    // glibc's checking allocator (a sanitizer build checks by itself).
    static QVariantMap checkedHeap()
    {
#ifdef __SANITIZE_ADDRESS__
        return QVariantMap();
#else
        return {{QStringLiteral("LD_PRELOAD"), QStringLiteral("libc_malloc_debug.so.0")},
                {QStringLiteral("GLIBC_TUNABLES"), QStringLiteral("glibc.malloc.check=3")}};
#endif
    }

    static QByteArray logText(const QString &iRoot)
    {
        QByteArray text;
        for (const QString &name : filesIn(iRoot + QStringLiteral("/log"), QStringLiteral("*.log"))) {
            QFile log(iRoot + QStringLiteral("/log/") + name);
            if (log.open(QIODevice::ReadOnly))
                text += log.readAll();
        }
        return text;
    }

private Q_SLOTS:
    // Every exit ends with code 0: at debug level 5, where the pool's last
    // line follows lines of other types, and at level 1 when the last line
    // of the host's thread was an error (a claim that fails at every tick).
    void exitIsClean_data()
    {
        QTest::addColumn<int>("debugMode");
        QTest::newRow("debug level 5") << 5;
        QTest::newRow("level 1 after an error line") << 1;
    }

    void exitIsClean()
    {
        QFETCH(int, debugMode);
        Plant plant;
        QString why;
        QVERIFY2(makePlant(plant, QStringLiteral("exit"), &why), qPrintable(why));
        QVERIFY2(addScript(plant, 1, QStringLiteral("touch.js"), QStringLiteral("JS"), touchJs(plant.out), &why),
                 qPrintable(why));
        const QString interval = QStringLiteral("{\"trigger_type\": \"INTERVAL\", \"value\": 1}");
        QVERIFY2(addTask(plant, 1, QStringLiteral("touch.js"), QStringLiteral("crontab"), interval, QString(), &why),
                 qPrintable(why));
        QVERIFY2(addTask(plant, 2, QStringLiteral("touch.js"), QStringLiteral("tooling_request"), interval,
                         QStringLiteral("{\"request_filter_sql\": \"no_such_column = 1\"}"), &why),
                 qPrintable(why));
        QVERIFY(writeConfig(plant.root, plant.params, QStringLiteral("svc"), debugMode));

        for (int round = 0; round < 3; ++round) {
            QProcess server;
            startServer(server, plant.root, checkedHeap());
            QVERIFY(server.waitForStarted());
            const int before = filesIn(plant.out, QStringLiteral("1-*")).size();
            QTRY_VERIFY_WITH_TIMEOUT(filesIn(plant.out, QStringLiteral("1-*")).size() > before
                                             && logText(plant.root).count("claim tooling requests of task 2 failed")
                                                        > round,
                                     30000);
            QVERIFY2(stopServer(server), qPrintable(QStringLiteral("round %1: exit status %2, code %3")
                                                            .arg(round)
                                                            .arg(server.exitStatus())
                                                            .arg(server.exitCode())));
        }
        closePlant(plant);
    }

    // A NUL inside a script name, and ".", are refused like the other unsafe
    // names: no buffer file under a shortened name, no trigger, no run.
    void unsafeScriptNamesRefused()
    {
        Plant plant;
        QString why;
        QVERIFY2(makePlant(plant, QStringLiteral("names"), &why), qPrintable(why));
        const QString nulName = QStringLiteral("cut") + QChar(0) + QStringLiteral("off.js");
        const QString interval = QStringLiteral("{\"trigger_type\": \"INTERVAL\", \"value\": 1}");
        const QStringList names {QStringLiteral("good.js"), nulName, QStringLiteral(".")};
        for (int i = 0; i < names.size(); ++i) {
            QVERIFY2(addScript(plant, i + 1, names.at(i), QStringLiteral("JS"), touchJs(plant.out), &why),
                     qPrintable(why));
            QVERIFY2(addTask(plant, i + 1, names.at(i), QStringLiteral("crontab"), interval, QString(), &why),
                     qPrintable(why));
        }
        QVERIFY(writeConfig(plant.root, plant.params, QStringLiteral("svc"), 1));

        QProcess server;
        startServer(server, plant.root);
        QVERIFY(server.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(filesIn(plant.out, QStringLiteral("1-*")).size() >= 2, 30000);
        QVERIFY(stopServer(server));

        const QByteArray log = logText(plant.root);
        QVERIFY(log.contains("script_name [cut\\0off.js] of task 2 is not a valid file name!"));
        QVERIFY(log.contains("script_name [.] of task 3 is not a valid file name!"));
        QVERIFY(log.contains("register task [1] of script [good.js]"));
        QVERIFY(!log.contains("register task [2]"));
        QVERIFY(!log.contains("register task [3]"));
        QVERIFY(filesIn(plant.out, QStringLiteral("2-*")).isEmpty());
        QVERIFY(filesIn(plant.out, QStringLiteral("3-*")).isEmpty());
        QCOMPARE(filesIn(plant.root + QStringLiteral("/tmp"), QStringLiteral("*")), QStringList {"good.js"});
        closePlant(plant);
    }
};

QTEST_GUILESS_MAIN(tst_VekPdtServerFaults)
#include "tst_vekpdtserverfaults.moc"
