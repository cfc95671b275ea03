#include "vekservicefixture.h"
#include "vektestfiles.h"

#include "norvex.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHostInfo>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

using namespace VekServiceFixture;

// The real service host in a root folder layout, on PostgreSQL and SQLite:
// registration, JavaScript, Perl and CAM runs with their files, tooling
// requests, clean-up, shutdown, and two services sharing the requests.
class tst_VekPdtServer : public QObject
{
    Q_OBJECT

private:
    // Writes one JSON file per run into the folder OUT, named after the task
    // and the argument file, with the runner's arguments and the argument map.
    static QString recorderJs(const QString &iOut)
    {
        return QStringLiteral("var sys = __package__.import('sys');\n"
                              "var process = __package__.import('process');\n"
                              "var args = process.argv();\n"
                              "var argv = JSON.parse(sys.readFileAll(args[1]));\n"
                              "var name = argv.task_id + '-' + args[1].split('/').pop() + '.json';\n"
                              "sys.writeFile('%1/' + name, JSON.stringify({args: args, argv: argv,"
                              " argvFileExists: sys.isFileExists(args[1])}), 'overwrite', 'UTF-8', false);\n")
                .arg(iOut);
    }
    // Marks its start, sleeps 2 s, marks its end: ARGFILE.start and ARGFILE.done
    // in OUT, each holding the time in milliseconds.
    static QString slowJs(const QString &iOut)
    {
        return QStringLiteral("var sys = __package__.import('sys');\n"
                              "var name = '%1/slow-' + __package__.import('process').argv(1).split('/').pop();\n"
                              "sys.writeFile(name + '.start', '' + Date.now(), 'overwrite', 'UTF-8', false);\n"
                              "sys.exec('/bin/sleep', ['2']);\n"
                              "sys.writeFile(name + '.done', '' + Date.now(), 'overwrite', 'UTF-8', false);\n")
                .arg(iOut);
    }
    static qint64 readNumber(const QString &iPath)
    {
        QFile file(iPath);
        return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed().toLongLong() : -1;
    }
    // A run of the slow task that has started and not ended.
    static bool slowRunInFlight(const QString &iOut)
    {
        for (const QString &start : QDir(iOut).entryList({QStringLiteral("slow-*.start")}, QDir::Files)) {
            if (!QFileInfo::exists(iOut + QLatin1Char('/') + start.chopped(6) + QStringLiteral(".done")))
                return true;
        }
        return false;
    }
    static QString recorderPerl(const QString &iOut)
    {
        return QStringLiteral("open(my $in, '<', $ARGV[0]) or die; local $/; my $t = <$in>; close $in;\n"
                              "my @p = split('/', $ARGV[0]);\n"
                              "open(my $out, '>', \"%1/perl-$p[-1].json\") or die; print $out $t; close $out;\n")
                .arg(iOut);
    }
    static QStringList filesIn(const QString &iDir, const QString &iPattern)
    {
        return QDir(iDir).entryList({iPattern}, QDir::Files, QDir::Name);
    }
    static QVariantMap record(const QString &iDir, const QString &iName)
    {
        return VekTest::readJson(iDir + QLatin1Char('/') + iName);
    }
    static bool prepareDatabase(const QString &iBackend, const QString &iConnection, const QString &iDir,
                                QVariantMap *oParams, QString *oWhy)
    {
        const bool open = iBackend == QLatin1String("postgresql")
                                  ? openPostgres(iConnection, oParams, oWhy)
                                  : openSqlite(iConnection, iDir + QStringLiteral("/plant.db"), oParams, oWhy);
        return open && createPlantTables(QSqlDatabase::database(iConnection), oWhy);
    }
    static void closeDatabase(const QString &iBackend, const QString &iConnection)
    {
        if (iBackend == QLatin1String("postgresql")) {
            dropPostgres(iConnection);
        } else {
            QSqlDatabase::database(iConnection, false).close();
            QSqlDatabase::removeDatabase(iConnection);
        }
    }

private Q_SLOTS:
    void everyKindOfTask_data()
    {
        QTest::addColumn<QString>("backend");
        QTest::newRow("postgresql") << "postgresql";
        QTest::newRow("sqlite") << "sqlite";
    }

    void everyKindOfTask()
    {
        QFETCH(QString, backend);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());

        const QString root = dir.filePath(QStringLiteral("root"));
        const QString out = dir.filePath(QStringLiteral("out"));
        QDir().mkpath(out);
        QString why;
        QVERIFY2(makeRoot(root, QStringLiteral(VEK_BIN_DIR), &why), qPrintable(why));
        const QString camBin = root + QStringLiteral("/cam/e100/get/vekfakecam");
        QDir().mkpath(QFileInfo(camBin).absolutePath());
        QVERIFY(QFile::link(QStringLiteral(VEK_BIN_DIR "/../tests/vekfakecam"), camBin));

        const QString connection = QStringLiteral("e2e_") + backend;
        QVariantMap params;
        QVERIFY2(prepareDatabase(backend, connection, dir.path(), &params, &why), qPrintable(why));
        QSqlDatabase db = QSqlDatabase::database(connection);
        auto run = [&](const QString &iSql) { QVERIFY2(exec(db, iSql, &why), qPrintable(why)); };

        run(QStringLiteral("INSERT INTO mes_pdt_service (id, name, attr_data, status) VALUES (3, 'svc-a', "
                           "'{\"cam_interface\": [{\"user\": \"cam-user\", \"type\": \"GENESIS\", \"bin_path\": \"%1\","
                           " \"password\": \"pw\"}]}', 'stopped')")
                    .arg(camBin));
        QSqlQuery insert(db);
        QVERIFY(insert.prepare(
                QStringLiteral("INSERT INTO mes_pdt_script (id, name, content, type, link_cam, encrypt,"
                               " release_status, active_status) VALUES (?, ?, ?, ?, ?, ?, 'released', 'active')")));
        const QVariantList scripts[]
                = {{1, "rec.js", QString::fromLatin1(Norvex::e2(recorderJs(out).toUtf8())), "JAVASCRIPT", 0, 1},
                   {2, "rec.pl", recorderPerl(out), "PERL", 0, 0},
                   {3, "cam.js", recorderJs(out), "JS", 1, 0},
                   {4, "slow.js", slowJs(out), "JS", 0, 0}};
        for (const QVariantList &script : scripts) {
            for (int i = 0; i < script.size(); ++i)
                insert.bindValue(i, script.at(i));
            QVERIFY2(insert.exec(), qPrintable(insert.lastError().text()));
        }
        const QString interval = QStringLiteral("{\"trigger_type\": \"INTERVAL\", \"value\": 1}");
        run(QStringLiteral(
                    "INSERT INTO mes_pdt_service_script (id, script_name, script_parameter, status, trigger_type,"
                    " trigger_param, attr_data) VALUES"
                    " (1, 'rec.js', '{\"k\": \"v\"}', 'active', 'crontab', '[%1]', NULL),"
                    " (2, 'rec.pl', NULL, 'active', 'crontab', '%1', NULL),"
                    " (3, 'cam.js', NULL, 'active', 'crontab',"
                    "  '{\"trigger_type\": \"interval\", \"value\": 1, \"wait_process\": true}', NULL),"
                    " (4, 'rec.js', NULL, 'active', 'tooling_request', '%1',"
                    "  '{\"request_filter_sql\": \"kind = ''e2e''\"}'),"
                    " (5, 'rec.js', NULL, 'active', 'crontab',"
                    "  '{\"trigger_type\": \"EACH_DAY\", \"value\": \"03:00:00\"}', NULL),"
                    " (6, 'slow.js', NULL, 'active', 'crontab',"
                    "  '{\"trigger_type\": \"INTERVAL\", \"value\": 1, \"wait_process\": true}', NULL)")
                    .arg(interval));
        run(QStringLiteral("INSERT INTO mes_prod_tooling_request (id, service_flag, kind, request_data) VALUES"
                           " (1, 1, 'e2e', '{\"n\": 1}'), (2, 1, 'e2e', '{\"n\": 2}'), (3, 1, 'e2e', '{\"n\": 3}'),"
                           " (4, 1, 'other', NULL), (5, 0, 'e2e', NULL)"));
        QVERIFY(writeConfig(root, params, QStringLiteral("svc-a")));

        QProcess server;
        startServer(server, root, {{QStringLiteral("VEK_FAKECAM_OUT"), out}});
        QVERIFY(server.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(filesIn(out, QStringLiteral("1-*.json")).size() >= 2
                                         && !filesIn(out, QStringLiteral("perl-*.json")).isEmpty()
                                         && !filesIn(out, QStringLiteral("fakecam-*.json")).isEmpty()
                                         && !filesIn(out, QStringLiteral("3-*.json")).isEmpty()
                                         && filesIn(out, QStringLiteral("4-*.json")).size() == 3
                                         && filesIn(out, QStringLiteral("slow-*.done")).size() >= 1
                                         && slowRunInFlight(out),
                                 60000);
        // Stopped while a run is going: the host waits for it.
        QVERIFY2(stopServer(server),
                 qPrintable(QStringLiteral("exit status %1, code %2").arg(server.exitStatus()).arg(server.exitCode())));
        QVERIFY(!slowRunInFlight(out));

        // A trigger that waits for its run: the slow task's runs never overlap.
        const QStringList starts = filesIn(out, QStringLiteral("slow-*.start"));
        QVERIFY(starts.size() >= 2);
        QList<QPair<qint64, qint64>> spans;
        for (const QString &start : starts)
            spans << qMakePair(readNumber(out + QLatin1Char('/') + start),
                               readNumber(out + QLatin1Char('/') + start.chopped(6) + QStringLiteral(".done")));
        std::sort(spans.begin(), spans.end());
        for (int i = 1; i < spans.size(); ++i)
            QVERIFY2(spans.at(i).first >= spans.at(i - 1).second, "two runs of a waiting trigger overlapped");

        // The service row.
        QSqlQuery row(db);
        QVERIFY(row.exec(QStringLiteral(
                "SELECT host_name, host_ip, last_start_time, status FROM mes_pdt_service WHERE id = 3")));
        QVERIFY(row.next());
        QCOMPARE(row.value(0).toString(), QHostInfo::localHostName());
        QVERIFY(!row.value(1).toString().contains(QStringLiteral("127.0.0.1")));
        QVERIFY(QDateTime::fromString(row.value(2).toString(), QStringLiteral("yyyy-MM-dd hh:mm:ss")).isValid());
        QCOMPARE(row.value(3).toString(), QStringLiteral("running"));

        // A JavaScript run: the real runner with the script and the argument file.
        const QVariantMap js = record(out, filesIn(out, QStringLiteral("1-*.json")).first());
        const QStringList args = js.value(QStringLiteral("args")).toStringList();
        QCOMPARE(args.size(), 2);
        QCOMPARE(args.at(0), root + QStringLiteral("/tmp/rec.js"));
        QCOMPARE(QFileInfo(args.at(1)).absolutePath(), root + QStringLiteral("/tmp"));
        QCOMPARE(QFileInfo(args.at(1)).fileName().size(), 36);
        QVERIFY(js.value(QStringLiteral("argvFileExists")).toBool());
        const QVariantMap argv = js.value(QStringLiteral("argv")).toMap();
        QCOMPARE(argv.keys(),
                 (QStringList {"app_bin_path", "app_platform_path", "app_root_path", "app_temp_path", "database_host",
                               "database_name", "database_options", "database_port", "database_pwd", "database_user",
                               "link_cam", "script_attr_data", "script_file", "script_name", "script_parameter",
                               "script_type", "task_id", "trigger_type"}));
        QCOMPARE(argv.value(QStringLiteral("task_id")).toInt(), 1);
        QCOMPARE(argv.value(QStringLiteral("script_parameter")).toMap().value(QStringLiteral("k")).toString(),
                 QStringLiteral("v"));
        QCOMPARE(argv.value(QStringLiteral("app_bin_path")).toString(), root + QStringLiteral("/linux/bin"));
        if (backend == QLatin1String("postgresql")) {
            QCOMPARE(argv.value(QStringLiteral("database_pwd")).toString(),
                     qEnvironmentVariable("VEK_TEST_PG_PASSWORD"));
            QCOMPARE(argv.value(QStringLiteral("database_port")).toString(), qEnvironmentVariable("VEK_TEST_PG_PORT"));
        }

        // A Perl run through vekperl.
        const QVariantMap perl = record(out, filesIn(out, QStringLiteral("perl-*.json")).first());
        QCOMPARE(perl.value(QStringLiteral("task_id")).toInt(), 2);
        QCOMPARE(perl.value(QStringLiteral("script_type")).toString(), QStringLiteral("PERL"));

        // A CAM run: the launch file's variables, the csh script, and the
        // runner it started inside the CAM program.
        const QVariantMap cam = record(out, filesIn(out, QStringLiteral("fakecam-*.json")).first());
        const QStringList camArgs = cam.value(QStringLiteral("args")).toStringList();
        QCOMPARE(camArgs.size(), 2);
        QCOMPARE(camArgs.at(0), QStringLiteral("-x"));
        QVERIFY(camArgs.at(1).startsWith(QStringLiteral("-s") + root + QStringLiteral("/tmp/")));
        const QVariantMap env = cam.value(QStringLiteral("env")).toMap();
        QCOMPARE(env.value(QStringLiteral("HOME")).toString(), root + QStringLiteral("/cam_env_home/cam-user"));
        QCOMPARE(env.value(QStringLiteral("GENESIS_DIR")).toString(), root + QStringLiteral("/cam"));
        QCOMPARE(env.value(QStringLiteral("GENESIS_EDIR")).toString(), root + QStringLiteral("/cam/e100"));
        QCOMPARE(env.value(QStringLiteral("GENESIS_VER")).toString(), QStringLiteral("100"));
        QCOMPARE(env.value(QStringLiteral("FRONTLINE_NO_LOGIN_SCREEN")).toString(), QStringLiteral("1"));
        QVERIFY2(cam.value(QStringLiteral("csh"))
                         .toString()
                         .startsWith(
                                 QStringLiteral("#!/bin/csh\n'%1/linux/bin/vekjs' '%1/tmp/cam.js' '%1/tmp/").arg(root)),
                 qPrintable(cam.value(QStringLiteral("csh")).toString()));
        const QVariantMap camRun = record(out, filesIn(out, QStringLiteral("3-*.json")).first());
        QCOMPARE(camRun.value(QStringLiteral("argv")).toMap().value(QStringLiteral("cam_user")).toString(),
                 QStringLiteral("cam-user"));
        QFile login(root + QStringLiteral("/cam_env_home/cam-user/.genesis/login"));
        QVERIFY(login.open(QIODevice::ReadOnly));
        QCOMPARE(login.readAll(), QByteArray("cam-user\npw"));

        // One run per claimed tooling request.
        QSet<int> requests;
        for (const QString &name : filesIn(out, QStringLiteral("4-*.json")))
            requests << record(out, name)
                                .value(QStringLiteral("argv"))
                                .toMap()
                                .value(QStringLiteral("tooling_request_data"))
                                .toMap()
                                .value(QStringLiteral("id"))
                                .toInt();
        QCOMPARE(requests, (QSet<int> {1, 2, 3}));
        QSqlQuery flags(db);
        QVERIFY(flags.exec(
                QStringLiteral("SELECT id FROM mes_prod_tooling_request WHERE service_flag = 1 ORDER BY id")));
        QVERIFY(flags.next());
        QCOMPARE(flags.value(0).toInt(), 4);
        QVERIFY(!flags.next());

        // Only the script buffer files are left; the log tells the story.
        QCOMPARE(QDir(root + QStringLiteral("/tmp")).entryList(QDir::Files | QDir::Hidden, QDir::Name),
                 (QStringList {"cam.js", "rec.js", "rec.pl", "slow.js"}));
        const QStringList logs = filesIn(root + QStringLiteral("/log"), QStringLiteral("*.log"));
        QVERIFY(!logs.isEmpty());
        QFile log(root + QStringLiteral("/log/") + logs.first());
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QByteArray logText = log.readAll();
        QVERIFY(logText.contains("start crontab timer thread"));
        QVERIFY(logText.contains("destroy VekPdtServer finish"));

        db = QSqlDatabase();
        closeDatabase(backend, connection);
    }

    // The CREATE TABLE statements of docs/service.md, for the dialect at
    // hand (the fenced "sql" block that starts with "-- SQLite" or "--
    // PostgreSQL"), carry a service: its row, a JavaScript tooling-request
    // task with its JSON columns and a Perl task.
    void documentedTables_data()
    {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<QString>("heading");
        QTest::newRow("postgresql") << "postgresql"
                                    << "-- PostgreSQL";
        QTest::newRow("sqlite") << "sqlite"
                                << "-- SQLite";
    }

    void documentedTables()
    {
        QFETCH(QString, backend);
        QFETCH(QString, heading);
        QFile doc(QStringLiteral(VEK_SOURCE_DIR "/docs/service.md"));
        QVERIFY(doc.open(QIODevice::ReadOnly | QIODevice::Text));
        const QString text = QString::fromUtf8(doc.readAll());
        const int start = text.indexOf(QStringLiteral("```sql\n") + heading + QLatin1Char('\n'));
        QVERIFY2(start >= 0, qPrintable(heading));
        const int end = text.indexOf(QStringLiteral("```"), start + 6);
        QVERIFY(end > start);
        QStringList statements = text.mid(start + 6, end - start - 6).split(QLatin1Char(';'));
        statements.removeLast();
        QCOMPARE(statements.size(), 4);

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString root = dir.filePath(QStringLiteral("root"));
        const QString out = dir.filePath(QStringLiteral("out"));
        QDir().mkpath(out);
        QString why;
        QVERIFY2(makeRoot(root, QStringLiteral(VEK_BIN_DIR), &why), qPrintable(why));
        const QString connection = QStringLiteral("docs_") + backend;
        QVariantMap params;
        const bool open = backend == QLatin1String("postgresql")
                                  ? openPostgres(connection, &params, &why)
                                  : openSqlite(connection, dir.filePath(QStringLiteral("plant.db")), &params, &why);
        QVERIFY2(open, qPrintable(why));
        QSqlDatabase db = QSqlDatabase::database(connection);
        auto run = [&](const QString &iSql) { QVERIFY2(exec(db, iSql, &why), qPrintable(why)); };
        for (const QString &statement : qAsConst(statements))
            run(statement);

        run(QStringLiteral("INSERT INTO mes_pdt_service (name) VALUES ('svc-docs')"));
        QSqlQuery insert(db);
        QVERIFY(insert.prepare(QStringLiteral("INSERT INTO mes_pdt_script (name, content, type, release_status,"
                                              " active_status) VALUES (?, ?, ?, 'released', 'active')")));
        for (const QStringList &script :
             {QStringList {QStringLiteral("rec.js"), recorderJs(out), QStringLiteral("JS")},
              QStringList {QStringLiteral("rec.pl"), recorderPerl(out), QStringLiteral("PERL")}}) {
            for (int i = 0; i < script.size(); ++i)
                insert.bindValue(i, script.at(i));
            QVERIFY2(insert.exec(), qPrintable(insert.lastError().text()));
        }
        run(QStringLiteral("INSERT INTO mes_pdt_service_script (script_name, script_parameter, status, trigger_type,"
                           " trigger_param, attr_data) VALUES"
                           " ('rec.js', '{\"k\": \"v\"}', 'active', 'tooling_request',"
                           "  '[{\"trigger_type\": \"INTERVAL\", \"value\": 1}]',"
                           "  '{\"request_filter_sql\": \"request_data IS NOT NULL\"}'),"
                           " ('rec.pl', NULL, 'active', 'crontab', '{\"trigger_type\": \"INTERVAL\", \"value\": 1}',"
                           "  NULL)"));
        run(QStringLiteral("INSERT INTO mes_prod_tooling_request (request_data) VALUES ('{\"n\": 1}')"));
        QVERIFY(writeConfig(root, params, QStringLiteral("svc-docs")));

        QProcess server;
        startServer(server, root);
        QVERIFY(server.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(!filesIn(out, QStringLiteral("1-*.json")).isEmpty()
                                         && !filesIn(out, QStringLiteral("perl-*.json")).isEmpty(),
                                 30000);
        QVERIFY(stopServer(server));

        const QVariantMap argv
                = record(out, filesIn(out, QStringLiteral("1-*.json")).first()).value(QStringLiteral("argv")).toMap();
        QCOMPARE(argv.value(QStringLiteral("script_parameter")).toMap(), (QVariantMap {{"k", "v"}}));
        const QVariantMap request = argv.value(QStringLiteral("tooling_request_data")).toMap();
        QCOMPARE(request.value(QStringLiteral("request_data")).toMap(), (QVariantMap {{"n", 1}}));
        QCOMPARE(record(out, filesIn(out, QStringLiteral("perl-*.json")).first())
                         .value(QStringLiteral("task_id"))
                         .toInt(),
                 2);
        QSqlQuery rows(db);
        QVERIFY(rows.exec(QStringLiteral("SELECT status, last_start_time FROM mes_pdt_service")));
        QVERIFY(rows.next());
        QCOMPARE(rows.value(0).toString(), QStringLiteral("running"));
        QVERIFY(rows.value(1).toDateTime().isValid()
                || QDateTime::fromString(rows.value(1).toString(), QStringLiteral("yyyy-MM-dd hh:mm:ss")).isValid());
        QVERIFY(rows.exec(QStringLiteral("SELECT service_flag FROM mes_prod_tooling_request")));
        QVERIFY(rows.next());
        QCOMPARE(rows.value(0).toInt(), 0);
        const QByteArray log = logText(root);
        for (const char *complaint : {" run of script [", "not valid JSON", "database error", "failed: "})
            QVERIFY2(!log.contains(complaint), log.right(3000).constData());

        rows = QSqlQuery();
        db = QSqlDatabase();
        closeDatabase(backend, connection);
    }

    void twoServicesClaimDisjointRequests()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString out = dir.filePath(QStringLiteral("out"));
        QDir().mkpath(out);
        QString why;
        QVariantMap params;
        QVERIFY2(prepareDatabase(QStringLiteral("postgresql"), QStringLiteral("pair"), dir.path(), &params, &why),
                 qPrintable(why));
        QSqlDatabase db = QSqlDatabase::database(QStringLiteral("pair"));
        auto run = [&](const QString &iSql) { QVERIFY2(exec(db, iSql, &why), qPrintable(why)); };
        run(QStringLiteral("INSERT INTO mes_pdt_service (id, name) VALUES (1, 'svc-a'), (2, 'svc-b')"));
        QSqlQuery insert(db);
        insert.prepare(
                QStringLiteral("INSERT INTO mes_pdt_script (id, name, content, type, link_cam, encrypt, release_status,"
                               " active_status) VALUES (1, 'rec.js', ?, 'JS', 0, 0, 'released', 'active')"));
        insert.addBindValue(recorderJs(out));
        QVERIFY(insert.exec());
        run(QStringLiteral(
                "INSERT INTO mes_pdt_service_script (id, script_name, status, trigger_type, trigger_param,"
                " attr_data) VALUES (7, 'rec.js', 'active', 'tooling_request',"
                " '{\"trigger_type\": \"INTERVAL\", \"value\": 1}', '{\"request_filter_sql\": \"kind = ''pair''\"}')"));
        const int requestCount = 40;
        for (int i = 1; i <= requestCount; ++i)
            run(QStringLiteral("INSERT INTO mes_prod_tooling_request (id, service_flag, kind) VALUES (%1, 1, 'pair')")
                        .arg(i));

        QProcess servers[2];
        QStringList roots;
        for (int i = 0; i < 2; ++i) {
            roots << dir.filePath(QStringLiteral("root%1").arg(i));
            QVERIFY2(makeRoot(roots.last(), QStringLiteral(VEK_BIN_DIR), &why), qPrintable(why));
            QVERIFY(writeConfig(roots.last(), params, i == 0 ? QStringLiteral("svc-a") : QStringLiteral("svc-b")));
        }
        for (int i = 0; i < 2; ++i)
            startServer(servers[i], roots.at(i));
        QTRY_VERIFY_WITH_TIMEOUT(filesIn(out, QStringLiteral("7-*.json")).size() >= requestCount, 90000);
        QVERIFY(stopServer(servers[0]));
        QVERIFY(stopServer(servers[1]));

        QMap<int, int> runsPerRequest;
        QMap<QString, int> runsPerService;
        for (const QString &name : filesIn(out, QStringLiteral("7-*.json"))) {
            const QVariantMap argv = record(out, name).value(QStringLiteral("argv")).toMap();
            ++runsPerRequest
                    [argv.value(QStringLiteral("tooling_request_data")).toMap().value(QStringLiteral("id")).toInt()];
            ++runsPerService[argv.value(QStringLiteral("app_root_path")).toString()];
        }
        QCOMPARE(runsPerRequest.size(), requestCount);
        for (auto it = runsPerRequest.cbegin(); it != runsPerRequest.cend(); ++it)
            QVERIFY2(it.value() == 1,
                     qPrintable(QStringLiteral("request %1 ran %2 times").arg(it.key()).arg(it.value())));
        QCOMPARE(runsPerService.keys(), roots);
        qInfo("runs per service: %d and %d", runsPerService.value(roots.at(0)), runsPerService.value(roots.at(1)));

        db = QSqlDatabase();
        closeDatabase(QStringLiteral("postgresql"), QStringLiteral("pair"));
    }
};

QTEST_GUILESS_MAIN(tst_VekPdtServer)
#include "tst_vekpdtserver.moc"
