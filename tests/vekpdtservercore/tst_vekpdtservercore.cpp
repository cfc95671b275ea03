#include "vekpdtservercore.h"
#include "vekpdtserverprocess.h"
#include "vekpdtserverutil_p.h"

#include "norvex.h"
#include "tlogger.h"
#include "vektestfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHostInfo>
#include <QJsonDocument>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

// The service core in this process, on an SQLite plant database. The test
// program is built into a root folder layout of its own
// (vekpdtservercore-root/linux/bin), so the core's paths, its configuration
// file and the CAM homes all lie inside the build folder. A stand-in runner
// there copies each argument file it is given into "runs".
class tst_VekPdtServerCore : public QObject
{
    Q_OBJECT

private:
    VekPdtServerCore *core = nullptr;
    QString root;
    QString dbPath;

    QSqlDatabase fixtureDb() { return QSqlDatabase::database(QStringLiteral("fixture")); }
    void exec(const QString &iSql)
    {
        QSqlQuery query(fixtureDb());
        QVERIFY2(query.exec(iSql), qPrintable(iSql + QLatin1Char(' ') + query.lastError().text()));
    }
    QVariant value(const QString &iSql)
    {
        QSqlQuery query(fixtureDb());
        if (!query.exec(iSql) || !query.next())
            return QVariant();
        return query.value(0);
    }
    QString writeConfig(const QString &iName, const QByteArray &iContent)
    {
        const QString path = root + QStringLiteral("/config/") + iName;
        if (!VekTest::writeFile(path, iContent))
            QTest::qFail(qPrintable(QStringLiteral("cannot write ") + path), __FILE__, __LINE__);
        return path;
    }
    QByteArray dbConfig(int iDebugMode = 0, const QString &iScriptPath = QString()) const
    {
        // "dGFzay1zZWNyZXQ=" twice in Base64: "task-secret".
        return QStringLiteral("{\"service_name\": \"svc-a\", \"debug_mode\": %1, \"script_path\": \"%2\","
                              " \"database_type\": \"QSQLITE\", \"database_name\": \"%3\","
                              " \"database_host\": \"dbhost:5433\", \"database_user\": \"u\","
                              " \"database_pwd\": \"ZEdGemF5MXpaV055WlhRPQ==\", \"database_encrypt\": \"eb642\","
                              " \"database_options\": \"QSQLITE_BUSY_TIMEOUT=5000\"}")
                .arg(iDebugMode)
                .arg(iScriptPath, dbPath)
                .toUtf8();
    }
    QList<VekPdtServerProcess *> runs() const { return core->findChildren<VekPdtServerProcess *>(); }
    void trigger(int iTaskId)
    {
        QVERIFY(QMetaObject::invokeMethod(core, "onCrontabTriggered", Q_ARG(int, iTaskId),
                                          Q_ARG(QVariant, QVariant())));
    }
    QStringList freeCams()
    {
        QStringList free;
        QMetaObject::invokeMethod(core, "getAvailableCamInterface", Q_RETURN_ARG(QStringList, free));
        return free;
    }
    void waitForRuns() { QTRY_VERIFY_WITH_TIMEOUT(runs().isEmpty(), 30000); }
    static int logLinesWith(const QString &iText)
    {
        int count = 0;
        for (const QVariant &line : TLogger::instance()->historyLogs())
            count += line.toStringList().value(0).contains(iText);
        return count;
    }

private Q_SLOTS:
    void initTestCase()
    {
        core = VekPdtServerCore::instance();
        QCOMPARE(VekPdtServerCore::instance(), core);
        root = core->appRootPath();
        QVERIFY2(root.endsWith(QStringLiteral("/vekpdtservercore-root")), qPrintable(root));
        for (const char *dir : {"config", "cam_env_home", "tmp", "runs", "debug-scripts"})
            QDir(root + QLatin1Char('/') + QLatin1String(dir)).removeRecursively();
        QDir().mkpath(root + QStringLiteral("/tmp"));
        QDir().mkpath(root + QStringLiteral("/runs"));
        core->setAppTempPath(root + QStringLiteral("/tmp"));
        QVERIFY(VekTest::writeFile(core->appBinPath() + QStringLiteral("/vekjs"),
                                   "#!/bin/sh\ncp \"$2\" \"$(dirname \"$0\")/../../runs/$(basename \"$2\").json\"\n",
                                   true));
        QVERIFY(VekTest::writeFile(root + QStringLiteral("/cam/e100/get/get"), "#!/bin/sh\nexit 0\n", true));

        dbPath = root + QStringLiteral("/plant.db");
        QFile::remove(dbPath);
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fixture"));
        db.setDatabaseName(dbPath);
        QVERIFY(db.open());
        exec(QStringLiteral("CREATE TABLE mes_pdt_service (id INTEGER PRIMARY KEY, name TEXT, attr_data TEXT,"
                            " host_name TEXT, host_ip TEXT, last_start_time TEXT, status TEXT)"));
        exec(QStringLiteral("CREATE TABLE mes_pdt_script (id INTEGER PRIMARY KEY, name TEXT, content TEXT, type TEXT,"
                            " link_cam INTEGER, encrypt INTEGER, release_status TEXT, active_status TEXT)"));
        exec(QStringLiteral("CREATE TABLE mes_pdt_service_script (id INTEGER PRIMARY KEY, script_name TEXT,"
                            " script_parameter TEXT, status TEXT, trigger_type TEXT, trigger_param TEXT,"
                            " attr_data TEXT)"));
        exec(QStringLiteral("CREATE TABLE mes_prod_tooling_request (id INTEGER PRIMARY KEY, service_flag INTEGER,"
                            " kind TEXT, request_data TEXT)"));
    }

    // ------------------------------------------------------------------
    // Paths and configuration

    void paths()
    {
        QCOMPARE(core->appPlatformPath(), QFileInfo(core->appBinPath()).absolutePath());
        QCOMPARE(core->appRootPath(), QFileInfo(core->appPlatformPath()).absolutePath());
        QCOMPARE(core->getPlatform(), QStringLiteral("linux"));
        QCOMPARE(core->getOs(), QStringLiteral("linux"));
        QCOMPARE(core->appTempPath(), root + QStringLiteral("/tmp"));
        QVERIFY(QDateTime::fromString(core->getNow(), QStringLiteral("yyyy-MM-dd hh:mm:ss")).isValid());
    }

    void envPath_data()
    {
        QTest::addColumn<QByteArray>("old");
        QTest::addColumn<bool>("append");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("append") << QByteArray("/usr/bin") << true << QByteArray("/usr/bin:/opt/x y");
        QTest::newRow("prepend") << QByteArray("/usr/bin") << false << QByteArray("/opt/x y:/usr/bin");
        QTest::newRow("append to empty") << QByteArray() << true << QByteArray("/opt/x y");
        QTest::newRow("prepend to empty") << QByteArray() << false << QByteArray("/opt/x y");
    }

    void envPath()
    {
        QFETCH(QByteArray, old);
        QFETCH(bool, append);
        QFETCH(QByteArray, expected);
        const QByteArray saved = qgetenv("PATH");
        qputenv("PATH", old);
        if (append)
            core->appendEnvPath(QStringLiteral("/opt/x y"));
        else
            core->prependEnvPath(QStringLiteral("/opt/x y"));
        const QByteArray result = qgetenv("PATH");
        qputenv("PATH", saved);
        QCOMPARE(result, expected);
    }

    void readConfig_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("debugLevel");
        QTest::newRow("variables") << QByteArray("{\"debug_mode\": 3,"
                                                 " \"a\": \"${APP_CONFIG_PATH}/x.cfg\", \"b\": \"${APP_BIN_PATH}\"}")
                                   << true << "a"
                                   << "%root%/config/x.cfg" << 3;
        QTest::newRow("unknown variable stays") << QByteArray("{\"a\": \"${APP_OTHER_PATH}/x\"}") << true << "a"
                                                << "${APP_OTHER_PATH}/x" << 0;
        QTest::newRow("platform variable")
                << QByteArray("{\"a\": \"${APP_PLATFORM_PATH}\", \"debug_mode\": 1}") << true << "a"
                << "%root%/linux" << 1;
        QTest::newRow("top-level array") << QByteArray("[1, 2]") << false << "service_name"
                                         << "kept" << 4;
        QTest::newRow("bare number") << QByteArray("5") << false << "service_name"
                                     << "kept" << 4;
        QTest::newRow("broken json") << QByteArray("{\"a\": ") << false << "service_name"
                                     << "kept" << 4;
    }

    void readConfig()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, ok);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        QFETCH(int, debugLevel);
        // A known previous configuration, which a failure must keep.
        QVERIFY(core->readConfig(
                writeConfig(QStringLiteral("prev.cfg"), "{\"service_name\": \"kept\", \"debug_mode\": 4}")));
        const QString file = writeConfig(QStringLiteral("case.cfg"), content);
        QCOMPARE(core->readConfig(file), ok);
        QCOMPARE(TLogger::instance()->debugLevel(), debugLevel);
        if (key == QLatin1String("service_name")) {
            QCOMPARE(core->serviceName(), expected);
            return;
        }
        QCOMPARE(core->serviceName(), QString()); // the case's file names no service
        expected.replace(QStringLiteral("%root%"), root);
        // The value itself: serviceName() reads "service_name" only, so the
        // key's file is read again with the value moved there.
        QByteArray moved = content;
        moved.replace("\"" + key.toUtf8() + "\"", "\"service_name\"");
        QVERIFY(core->readConfig(writeConfig(QStringLiteral("moved.cfg"), moved)));
        QCOMPARE(core->serviceName(), expected);
    }

    void readConfigDefaultsAndMissingFile()
    {
        const int before = logLinesWith(QStringLiteral("does not exists!"));
        QVERIFY(!core->readConfig(root + QStringLiteral("/config/none.cfg")));
        QVERIFY(!core->readConfig()); // the default file is not there yet
        QCOMPARE(logLinesWith(QStringLiteral("does not exists!")), before + 2);
        writeConfig(QStringLiteral("vekpdtserver.cfg"), dbConfig());
        bool ok = false;
        QVERIFY(QMetaObject::invokeMethod(core, "readConfig", Q_RETURN_ARG(bool, ok)));
        QVERIFY(ok);
        QCOMPARE(core->serviceName(), QStringLiteral("svc-a"));
        QVERIFY(core->readConfig(QString()));
        QCOMPARE(TLogger::instance()->debugLevel(), 0);
    }

    // ------------------------------------------------------------------
    // Registration and CAM interfaces

    void initServiceInfo()
    {
        QVERIFY(core->readConfig());
        // No row of this name yet.
        QVERIFY(!core->initServiceInfo());
        QVERIFY(logLinesWith(QStringLiteral("vekpdtservice [svc-a] does not exists in mes_pdt_service table!")) > 0);

        const QString cam = root + QStringLiteral("/cam/e100/get/get");
        exec(QStringLiteral(
                     "INSERT INTO mes_pdt_service (id, name, attr_data, status) VALUES (12, 'svc-a', '%1', 'stopped')")
                     .arg(QStringLiteral("{\"cam_interface\": ["
                                         "{\"user\": \"b-user\", \"type\": \"GENESIS\", \"bin_path\": \"%1\", "
                                         "\"password\": \"pb\"},"
                                         "{\"user\": \"a-user\", \"type\": \"GENESIS\", \"bin_path\": \"/old/e1/x/y\", "
                                         "\"password\": \"old\"},"
                                         "{\"user\": \"a-user\", \"type\": \"genesis\", \"bin_path\": \"%1\", "
                                         "\"password\": \"pa\"},"
                                         "{\"user\": \"in-user\", \"type\": \"incam\", \"bin_path\": \"%1\", "
                                         "\"password\": \"x\"},"
                                         "{\"user\": \"c-user\", \"type\": \"INCAM\", \"bin_path\": \"%1\", "
                                         "\"password\": \"pc\"},"
                                         "{\"user\": \"../evil\", \"type\": \"GENESIS\", \"bin_path\": \"%1\", "
                                         "\"password\": \"x\"}"
                                         "]}")
                                  .arg(cam)));
        QVERIFY(core->initServiceInfo());

        QSqlQuery query(fixtureDb());
        QVERIFY(query.exec(QStringLiteral(
                "SELECT host_name, host_ip, last_start_time, status FROM mes_pdt_service WHERE id = 12")));
        QVERIFY(query.next());
        QCOMPARE(query.value(0).toString(), QHostInfo::localHostName());
        QVERIFY(!query.value(1).toString().split(QLatin1Char(';')).contains(QStringLiteral("127.0.0.1")));
        QVERIFY(QDateTime::fromString(query.value(2).toString(), QStringLiteral("yyyy-MM-dd hh:mm:ss")).isValid());
        QCOMPARE(query.value(3).toString(), QStringLiteral("running"));

        QCOMPARE(freeCams(),
                 (QStringList {QStringLiteral("a-user"), QStringLiteral("b-user"), QStringLiteral("c-user")}));
        const QString homes = root + QStringLiteral("/cam_env_home/");
        QFile login(homes + QStringLiteral("a-user/.genesis/login"));
        QVERIFY(login.open(QIODevice::ReadOnly));
        QCOMPARE(login.readAll(), QByteArray("a-user\npa")); // the later entry wins
        QCOMPARE(login.permissions() & 0x0077, QFileDevice::Permissions());
        QVERIFY(QFileInfo::exists(homes + QStringLiteral("c-user/.genesis/login")));
        QVERIFY(!QFileInfo::exists(homes + QStringLiteral("in-user")));
        QVERIFY(!QFileInfo::exists(root + QStringLiteral("/evil")));
        QVERIFY(logLinesWith(QStringLiteral("cam interface user [../evil]")) > 0);
    }

    // ------------------------------------------------------------------
    // Task loading and dispatch

    // A script name from the database goes into log lines: it must not make
    // lines of its own there nor reorder the line that names it.
    void printableName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << "plain.js"
                               << "plain.js";
        QTest::newRow("NUL") << QString::fromUtf16(u"cut\0off.js", 10) << "cut\\0off.js";
        QTest::newRow("line feed") << "a.js\n[ERROR] forged"
                                   << "a.js\\u000a[ERROR] forged";
        QTest::newRow("bidirectional control") << QString::fromUtf16(u"a\u202Esj.b") << "a\\u202esj.b";
    }

    void printableName()
    {
        QFETCH(QString, name);
        QFETCH(QString, expected);
        QCOMPARE(VekPdtServerUtil::printableName(name), expected);
    }

    void loadTask()
    {
        exec(QStringLiteral("INSERT INTO mes_pdt_script (name, content, type, link_cam, encrypt, release_status, "
                            "active_status) VALUES"
                            " ('plain.js', 'var a = 1;', 'JS', 0, 0, 'released', 'active'),"
                            " ('cam.js', 'var c = 1;', 'JavaScript', 1, 2, 'released', 'active'),"
                            " ('secret.js', '%1', 'JS', 0, 1, 'released', 'active'),"
                            " ('draft.js', 'x', 'JS', 0, 0, 'draft', 'active'),"
                            " ('../up.js', 'x', 'JS', 0, 0, 'released', 'active')")
                     .arg(QString::fromLatin1(Norvex::e2("var s = 'geheim';"))));
        const QString farFuture = QStringLiteral("{\"trigger_type\": \"INTERVAL\", \"value\": 86400}");
        exec(QStringLiteral("INSERT INTO mes_pdt_service_script (id, script_name, script_parameter, status, "
                            "trigger_type, trigger_param, attr_data) VALUES"
                            " (1, 'plain.js', '{\"p\": 1}', 'active', 'crontab', '%T', '{\"a\": true}'),"
                            " (2, 'cam.js', NULL, 'active', 'crontab', '[%T, %T]', NULL),"
                            " (3, 'plain.js', NULL, 'active', 'tooling_request', '%T', '{\"request_filter_sql\": "
                            "\"kind LIKE ''%1%''\"}'),"
                            " (4, 'cam.js', NULL, 'active', 'tooling_request', '%T', '{\"request_filter_sql\": \"kind "
                            "= ''cam''\"}'),"
                            " (5, 'secret.js', NULL, 'active', 'crontab', '%T', NULL),"
                            " (6, 'draft.js', NULL, 'active', 'crontab', '%T', NULL),"
                            " (7, '../up.js', NULL, 'active', 'crontab', '%T', NULL),"
                            " (8, 'plain.js', NULL, 'inactive', 'crontab', '%T', NULL),"
                            " (9, 'plain.js', NULL, 'active', 'manual', '%T', NULL)")
                     .replace(QStringLiteral("%T"), farFuture));
        for (int i = 1; i <= 6; ++i)
            exec(QStringLiteral("INSERT INTO mes_prod_tooling_request (service_flag, kind, request_data) VALUES (1, "
                                "'k%11', '{\"n\": %1}')")
                         .arg(i));
        exec(QStringLiteral(
                "INSERT INTO mes_prod_tooling_request (service_flag, kind) VALUES (0, 'k11'), (1, 'other')"));
        for (int i = 1; i <= 5; ++i)
            exec(QStringLiteral("INSERT INTO mes_prod_tooling_request (service_flag, kind) VALUES (1, 'cam')"));

        core->loadTask();
        const QString tmp = root + QStringLiteral("/tmp/");
        QFile plain(tmp + QStringLiteral("plain.js"));
        QVERIFY(plain.open(QIODevice::ReadOnly));
        QCOMPARE(plain.readAll(), QByteArray("\xEF\xBB\xBFvar a = 1;"));
        QCOMPARE(plain.permissions() & 0x0077, QFileDevice::Permissions());
        QFile secret(tmp + QStringLiteral("secret.js"));
        QVERIFY(secret.open(QIODevice::ReadOnly));
        QCOMPARE(secret.readAll(), QByteArray("var s = 'geheim';"));
        QVERIFY(!QFileInfo::exists(tmp + QStringLiteral("draft.js")));
        QVERIFY(logLinesWith(QStringLiteral("task 6 script_name not exists!")) > 0);
        QVERIFY(logLinesWith(QStringLiteral("script_name [../up.js] of task 7")) > 0);
        QVERIFY(!QFileInfo::exists(root + QStringLiteral("/up.js")));
    }

    void crontabRunGetsTheArgumentMap()
    {
        trigger(1);
        const QList<VekPdtServerProcess *> started = runs();
        QCOMPARE(started.size(), 1);
        const QVariantMap argv = started.first()->processArgv();
        QStringList keys = argv.keys();
        QCOMPARE(keys, (QStringList {"app_bin_path", "app_platform_path", "app_root_path", "app_temp_path",
                                     "database_host", "database_name", "database_options", "database_port",
                                     "database_pwd", "database_user", "link_cam", "script_attr_data", "script_file",
                                     "script_name", "script_parameter", "script_type", "task_id", "trigger_type"}));
        QCOMPARE(argv.value("database_host").toString(), QStringLiteral("dbhost"));
        QCOMPARE(argv.value("database_port").toString(), QStringLiteral("5433"));
        QCOMPARE(argv.value("database_pwd").toString(), QStringLiteral("task-secret"));
        QCOMPARE(argv.value("script_file").toString(), root + QStringLiteral("/tmp/plain.js"));
        QCOMPARE(argv.value("script_type").toString(), QStringLiteral("JS"));
        QCOMPARE(argv.value("script_parameter").toMap().value("p").toInt(), 1);
        QCOMPARE(argv.value("script_attr_data").toMap().value("a").toBool(), true);
        QCOMPARE(argv.value("app_temp_path").toString(), root + QStringLiteral("/tmp"));
        waitForRuns();
        // The stand-in runner saw the same map in its argument file.
        const QStringList copies = QDir(root + QStringLiteral("/runs")).entryList(QDir::Files);
        QCOMPARE(copies.size(), 1);
        QFile copy(root + QStringLiteral("/runs/") + copies.first());
        QVERIFY(copy.open(QIODevice::ReadOnly));
        QCOMPARE(QJsonDocument::fromJson(copy.readAll()).toVariant().toMap().value("task_id").toInt(), 1);
        QCOMPARE(QDir(root + QStringLiteral("/tmp")).entryList(QDir::Files),
                 (QStringList {"cam.js", "plain.js", "secret.js"}));
    }

    void camInterfacesAreLentInOrderAndGivenBack()
    {
        trigger(2);
        QCOMPARE(runs().size(), 1);
        const QVariantMap argv = runs().first()->processArgv();
        QCOMPARE(argv.value("cam_user").toString(), QStringLiteral("a-user"));
        QCOMPARE(argv.value("cam_type").toString(), QStringLiteral("genesis"));
        QCOMPARE(argv.value("cam_home_path").toString(), root + QStringLiteral("/cam_env_home/a-user"));
        QCOMPARE(argv.value("cam_edir").toString(), root + QStringLiteral("/cam/e100"));
        QCOMPARE(argv.value("cam_ver").toString(), QStringLiteral("100"));
        QCOMPARE(argv.value("cam_dir").toString(), root + QStringLiteral("/cam"));
        QCOMPARE(argv.size(), 25);
        QCOMPARE(freeCams(), (QStringList {"b-user", "c-user"}));
        // Registering again keeps a lent interface lent.
        QVERIFY(core->initServiceInfo());
        QCOMPARE(freeCams(), (QStringList {"b-user", "c-user"}));
        waitForRuns();
        QCOMPARE(freeCams(), (QStringList {"a-user", "b-user", "c-user"}));
    }

    void toolingRequestsAreClaimedUpToTheLimit()
    {
        // Without CAM: at most 4 per trigger; the filter's "%1" stays as written.
        trigger(3);
        QList<VekPdtServerProcess *> started = runs();
        QCOMPARE(started.size(), 4);
        QList<int> ids;
        for (VekPdtServerProcess *run : started) {
            const QVariantMap request = run->processArgv().value("tooling_request_data").toMap();
            ids << request.value("id").toInt();
            QCOMPARE(request.value("request_data").toMap().value("n").toInt(), request.value("id").toInt());
        }
        std::sort(ids.begin(), ids.end());
        QCOMPARE(ids, (QList<int> {1, 2, 3, 4}));
        QCOMPARE(value(QStringLiteral("SELECT COUNT(*) FROM mes_prod_tooling_request WHERE service_flag = 1 AND kind "
                                      "LIKE 'k%1'"))
                         .toInt(),
                 2);
        waitForRuns();

        // With CAM: as many as there are free interfaces, each with its own.
        trigger(4);
        started = runs();
        QCOMPARE(started.size(), 3);
        QStringList users;
        for (VekPdtServerProcess *run : started)
            users << run->processArgv().value("cam_user").toString();
        users.sort();
        QCOMPARE(users, (QStringList {"a-user", "b-user", "c-user"}));
        QVERIFY(freeCams().isEmpty());
        // Nothing free: no claim, and a CAM crontab task is dropped.
        trigger(4);
        trigger(2);
        QCOMPARE(runs().size(), 3);
        QCOMPARE(value(QStringLiteral(
                               "SELECT COUNT(*) FROM mes_prod_tooling_request WHERE service_flag = 1 AND kind = 'cam'"))
                         .toInt(),
                 2);
        waitForRuns();
        QCOMPARE(freeCams().size(), 3);
    }

    void otherKindsAndUnknownTasksStartNothing()
    {
        trigger(9);
        trigger(6);
        trigger(8);
        trigger(404);
        QVERIFY(runs().isEmpty());
    }

    void debugModeTakesScriptsFromScriptPath()
    {
        const QString dir = root + QStringLiteral("/debug-scripts");
        QVERIFY(VekTest::writeFile(dir + QStringLiteral("/plain.js"), "var debug = 1;"));
        QVERIFY(core->readConfig(writeConfig(QStringLiteral("debug.cfg"), dbConfig(1, dir))));
        QString path;
        QMetaObject::invokeMethod(core, "getScriptFilePath", Q_RETURN_ARG(QString, path), Q_ARG(QString, "plain.js"));
        QCOMPARE(path, dir + QStringLiteral("/plain.js"));
        QMetaObject::invokeMethod(core, "getScriptFilePath", Q_RETURN_ARG(QString, path), Q_ARG(QString, "cam.js"));
        QCOMPARE(path, root + QStringLiteral("/tmp/cam.js"));
        QVERIFY(core->readConfig());
        QMetaObject::invokeMethod(core, "getScriptFilePath", Q_RETURN_ARG(QString, path), Q_ARG(QString, "plain.js"));
        QCOMPARE(path, root + QStringLiteral("/tmp/plain.js"));
    }

    // A task column that is no JSON is named in the log with its task and
    // the parser's complaint; it is null and the task loads and runs as
    // before. Blank and NULL columns are no complaint.
    void badJsonInTaskRowIsLogged()
    {
        exec(QStringLiteral("INSERT INTO mes_pdt_service_script (id, script_name, script_parameter, status, "
                            "trigger_type, trigger_param, attr_data) VALUES"
                            " (20, 'plain.js', '{\"p\": 1,}', 'active', 'crontab',"
                            "  '{\"trigger_type\": \"INTERVAL\", \"value\": 86400}', '{\"a\": [}'),"
                            " (21, 'plain.js', '  ', 'active', 'crontab', '{\"trigger_type\": \"INTERVAL\",}', NULL)"));
        const QString complaint = QStringLiteral(" is not valid JSON and is taken as null! ERROR:");
        const int before = logLinesWith(complaint);
        core->loadTask();
        const QStringList expected {QStringLiteral("task 20: script_parameter"), QStringLiteral("task 20: attr_data"),
                                    QStringLiteral("task 21: trigger_param")};
        QStringList complaints;
        for (const QVariant &line : TLogger::instance()->historyLogs()) {
            const QStringList entry = line.toStringList();
            if (entry.value(0).contains(complaint)) {
                QCOMPARE(entry.value(1), QStringLiteral("ERROR"));
                QVERIFY2(entry.value(0).contains(QStringLiteral(" at offset ")), qPrintable(entry.value(0)));
                complaints << entry.value(0).section(complaint, 0, 0);
            }
        }
        QCOMPARE(complaints.mid(before), expected);

        trigger(20);
        QCOMPARE(runs().size(), 1);
        const QVariantMap argv = runs().first()->processArgv();
        QVERIFY(!argv.value(QStringLiteral("script_parameter")).isValid());
        QVERIFY(!argv.value(QStringLiteral("script_attr_data")).isValid());
        waitForRuns();
        exec(QStringLiteral("DELETE FROM mes_pdt_service_script WHERE id IN (20, 21)"));
    }

    void cleanupTestCase()
    {
        waitForRuns();
        QSqlDatabase::removeDatabase(QStringLiteral("fixture"));
    }
};

QTEST_GUILESS_MAIN(tst_VekPdtServerCore)
#include "tst_vekpdtservercore.moc"
