#include "vekservicefixture.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/stat.h>

using namespace VekServiceFixture;

// The real service host hurt the way plants hurt it: exits at every log
// level, hostile rows, a task that never ends, kill -9 and restart.
class tst_VekPdtServerFaults : public QObject
{
    Q_OBJECT

private:
    // A process that has not ended (a zombie nobody reaps counts as ended).
    static bool isAlive(qint64 iPid)
    {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(iPid));
        if (iPid <= 0 || !stat.open(QIODevice::ReadOnly))
            return false;
        const QByteArray text = stat.readAll();
        const int close = text.lastIndexOf(')');
        return close > 0 && text.size() > close + 2 && text.at(close + 2) != 'Z' && text.at(close + 2) != 'X';
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

    // A run that fails says so in the service log: the task, the script,
    // how it ended and the last line it wrote to its error output. A run
    // that ends well adds no error line.
    void failedRunsInServiceLog()
    {
        Plant plant;
        QString why;
        QVERIFY2(makePlant(plant, QStringLiteral("failing"), &why), qPrintable(why));
        const QList<QStringList> scripts {{QStringLiteral("throw.js"), QStringLiteral("JS"),
                                           QStringLiteral("throw new Error('conveyor jammed');\n")},
                                          {QStringLiteral("nopkg.js"), QStringLiteral("JS"),
                                           QStringLiteral("var m = __package__.import('nosuchpkg');\nm.run();\n")},
                                          {QStringLiteral("exit.pl"), QStringLiteral("PERL"),
                                           QStringLiteral("print STDERR \"giving up\\n\"; exit 3;\n")},
                                          {QStringLiteral("good.js"), QStringLiteral("JS"), touchJs(plant.out)},
                                          // A NUL, C1 controls (NEL, CSI), the line and paragraph separators
                                          // and bidirectional controls (RLO, LRI, PDI, RLM).
                                          {QStringLiteral("hostile.pl"), QStringLiteral("PERL"),
                                           QStringLiteral("binmode(STDERR, ':utf8');\n"
                                                          "print STDERR \"before\\nNUL[\\x{0}] NEL[\\x{85}] "
                                                          "CSI[\\x{9b}] LS[\\x{2028}] PS[\\x{2029}] "
                                                          "RLO[\\x{202e}] LRI[\\x{2066}] PDI[\\x{2069}] "
                                                          "RLM[\\x{200f}] end\\n\"; exit 1;\n")}};
        const QString once = QStringLiteral("{\"trigger_type\": \"INTERVAL\", \"value\": 1, \"wait_process\": true}");
        for (int i = 0; i < scripts.size(); ++i) {
            const QStringList &script = scripts.at(i);
            QVERIFY2(addScript(plant, i + 1, script.at(0), script.at(1), script.at(2), &why), qPrintable(why));
            QVERIFY2(addTask(plant, i + 1, script.at(0), QStringLiteral("crontab"), once, QString(), &why),
                     qPrintable(why));
        }
        QVERIFY(writeConfig(plant.root, plant.params, QStringLiteral("svc"), 1));

        QProcess server;
        startServer(server, plant.root);
        QVERIFY(server.waitForStarted());
        const QByteArray thrown = "task 1 run of script [throw.js] ended with exit status 1; its last error output: "
                                  "ERROR: Line 1: Error: conveyor jammed";
        const QByteArray noPackage = "task 2 run of script [nopkg.js] ended with exit status 1; its last error "
                                     "output: ERROR: Line 2: TypeError: ";
        const QByteArray exited = "task 3 run of script [exit.pl] ended with exit status 3; its last error output: "
                                  "giving up";
        // One line, every character kept or a blank in its place.
        const QByteArray hostile = "task 5 run of script [hostile.pl] ended with exit status 1; its last error "
                                   "output: NUL[ ] NEL[ ] CSI[ ] LS[ ] PS[ ] RLO[ ] LRI[ ] PDI[ ] RLM[ ] end  [SRC:";
        QTRY_VERIFY_WITH_TIMEOUT(logText(plant.root).contains(thrown) && logText(plant.root).contains(noPackage)
                                         && logText(plant.root).contains(exited)
                                         && logText(plant.root).contains(hostile)
                                         && !filesIn(plant.out, QStringLiteral("4-*")).isEmpty(),
                                 30000);
        QVERIFY(stopServer(server));

        const QByteArray log = logText(plant.root);
        for (const QByteArray &line : log.split('\n')) {
            if (line.contains(" run of script ["))
                QVERIFY2(line.contains("[ERROR]") && !line.contains("[good.js]"), line.constData());
        }
        // One line per run: a waiting trigger fires again once its run has ended.
        QCOMPARE(log.count(thrown), log.count("task 1 triggered"));
        QCOMPARE(log.count(exited), log.count("task 3 triggered"));
        closePlant(plant);
    }

    // A mistyped plant database file: the service says the file does not
    // exist, creates none and stops. An existing file without the tables
    // (an empty one) gets the missing table and the statement named.
    void mistypedDatabaseNamesTheCause_data()
    {
        QTest::addColumn<bool>("fileExists");
        QTest::newRow("no such file") << false;
        QTest::newRow("empty file") << true;
    }

    void mistypedDatabaseNamesTheCause()
    {
        QFETCH(bool, fileExists);
        Plant plant;
        QString why;
        QVERIFY2(makePlant(plant, QStringLiteral("mistyped"), &why), qPrintable(why));
        const QString mistyped = plant.dir.filePath(QStringLiteral("plnat.db"));
        if (fileExists) {
            QFile empty(mistyped);
            QVERIFY(empty.open(QIODevice::WriteOnly));
        }
        QVariantMap params = plant.params;
        params.insert(QStringLiteral("database_name"), mistyped);
        QVERIFY(writeConfig(plant.root, params, QStringLiteral("svc"), 1));

        QProcess server;
        startServer(server, plant.root);
        QVERIFY(server.waitForFinished(30000));
        QCOMPARE(server.exitCode(), 1);
        const QByteArray log = logText(plant.root);
        if (fileExists) {
            QVERIFY2(log.contains("database error: no such table: mes_pdt_service"), log.right(2000).constData());
            QVERIFY2(log.contains("SQL: SELECT ") && log.contains(" FROM mes_pdt_service"),
                     log.right(2000).constData());
            QVERIFY2(!log.contains("Unable to fetch row"), log.right(2000).constData());
        } else {
            QCOMPARE(log.count("[ERROR]"), 1);
            QVERIFY2(log.contains("SQLite database file [" + QFile::encodeName(mistyped) + "] does not exist!"),
                     log.right(2000).constData());
            QVERIFY(!QFileInfo::exists(mistyped));
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

    // A task process inherits no descriptor of the service but 0, 1 and 2,
    // whether the task runs directly or inside the CAM program.
    void descriptorsStayWithService()
    {
        Plant plant;
        QString why;
        QVERIFY2(makePlant(plant, QStringLiteral("fds"), &why), qPrintable(why));
        // Lists its open descriptors (but the folder handle it reads them with).
        const QString fdProbe
                = QStringLiteral("opendir(my $d, '/proc/self/fd') or die;\n"
                                 "my @fds = sort { $a <=> $b } grep { /^\\d+$/ && $_ != fileno($d) } "
                                 "readdir($d);\n"
                                 "open(my $o, '>', '%1/fds-' . $$) or die; print $o join(',', @fds); close $o;\n")
                          .arg(plant.out);
        QVERIFY2(addScript(plant, 1, QStringLiteral("fds.pl"), QStringLiteral("PERL"), fdProbe, &why), qPrintable(why));
        const QString interval = QStringLiteral("{\"trigger_type\": \"INTERVAL\", \"value\": 1}");
        QVERIFY2(addTask(plant, 1, QStringLiteral("fds.pl"), QStringLiteral("crontab"), interval, QString(), &why),
                 qPrintable(why));
        QVERIFY(writeConfig(plant.root, plant.params, QStringLiteral("svc"), 1));

        QProcess server;
        startServer(server, plant.root);
        QVERIFY(server.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(filesIn(plant.out, QStringLiteral("fds-*")).size() >= 3, 30000);
        QVERIFY(stopServer(server));

        for (const QString &name : filesIn(plant.out, QStringLiteral("fds-*"))) {
            QFile fds(plant.out + QLatin1Char('/') + name);
            QVERIFY(fds.open(QIODevice::ReadOnly));
            QCOMPARE(fds.readAll(), QByteArray("0,1,2"));
        }
        closePlant(plant);
    }

    // Every file the service makes that holds a secret or a decoded script is
    // owner-only at the moment it is created (the mode is taken inside the
    // creating call), and so are the temporary folder and the CAM login
    // folder.
    void secretsPrivateFromCreation()
    {
        Plant plant;
        QString why;
        QVERIFY2(makePlant(plant, QStringLiteral("secrets"), &why), qPrintable(why));
        const QString camBin = plant.root + QStringLiteral("/cam/e100/get/vekfakecam");
        QDir().mkpath(QFileInfo(camBin).absolutePath());
        QVERIFY(QFile::link(QStringLiteral(VEK_BIN_DIR "/../tests/vekfakecam"), camBin));
        QVERIFY2(exec(plant.db,
                      QStringLiteral("UPDATE mes_pdt_service SET attr_data = '{\"cam_interface\": [{\"user\": "
                                     "\"cam-user\", \"type\": \"GENESIS\", \"bin_path\": \"%1\", \"password\": "
                                     "\"pw\"}]}' WHERE id = 1")
                              .arg(camBin),
                      &why),
                 qPrintable(why));
        QVERIFY2(addScript(plant, 1, QStringLiteral("plain.js"), QStringLiteral("JS"), touchJs(plant.out), &why),
                 qPrintable(why));
        QVERIFY2(addScript(plant, 2, QStringLiteral("cam.js"), QStringLiteral("JS"), touchJs(plant.out), &why),
                 qPrintable(why));
        QVERIFY2(exec(plant.db, QStringLiteral("UPDATE mes_pdt_script SET link_cam = 1 WHERE id = 2"), &why),
                 qPrintable(why));
        const QString interval = QStringLiteral("{\"trigger_type\": \"INTERVAL\", \"value\": 1}");
        QVERIFY2(addTask(plant, 1, QStringLiteral("plain.js"), QStringLiteral("crontab"), interval, QString(), &why),
                 qPrintable(why));
        QVERIFY2(addTask(plant, 2, QStringLiteral("cam.js"), QStringLiteral("crontab"), interval, QString(), &why),
                 qPrintable(why));
        QVERIFY(writeConfig(plant.root, plant.params, QStringLiteral("svc"), 1));

        const QString trace = plant.dir.filePath(QStringLiteral("opentrace.txt"));
        QVariantMap env {{QStringLiteral("LD_PRELOAD"), QStringLiteral(VEK_BIN_DIR "/../tests/libvekopentrace.so")},
                         {QStringLiteral("VEK_OPENTRACE_OUT"), trace},
                         {QStringLiteral("VEK_FAKECAM_OUT"), plant.out}};
        // A sanitizer runtime would want to come first; the tracer only
        // forwards calls.
        const QString asan = qEnvironmentVariable("ASAN_OPTIONS");
        env.insert(QStringLiteral("ASAN_OPTIONS"), QString((asan.isEmpty() ? QString() : asan + QLatin1Char(':'))
                                                           + QStringLiteral("verify_asan_link_order=0")));
        // The widest mask there is: whatever is private is so by its own mode.
        const mode_t oldMask = ::umask(0);
        QProcess server;
        startServer(server, plant.root, env);
        ::umask(oldMask);
        QVERIFY(server.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(filesIn(plant.out, QStringLiteral("1-*")).size() >= 2
                                         && filesIn(plant.out, QStringLiteral("2-*")).size() >= 2,
                                 30000);
        QVERIFY(stopServer(server));

        // Creation modes of what the service wrote in its folders.
        QFile traceFile(trace);
        QVERIFY(traceFile.open(QIODevice::ReadOnly));
        const QString tmp = plant.root + QStringLiteral("/tmp/");
        const QString login = plant.root + QStringLiteral("/cam_env_home/cam-user/.genesis/login");
        QMap<QString, int> seen;
        const QList<QByteArray> lines = traceFile.readAll().split('\n');
        for (const QByteArray &line : lines) {
            const int blank = line.indexOf(' ');
            if (blank < 0)
                continue;
            const QString path = QString::fromUtf8(line.mid(blank + 1));
            const int mode = line.left(blank).toInt(nullptr, 8);
            QString kind;
            if (path == login)
                kind = QStringLiteral("login");
            else if (!path.startsWith(tmp))
                continue;
            else if (path.endsWith(QLatin1String(".sh")))
                kind = QStringLiteral("launch");
            else if (path.endsWith(QLatin1String(".js")))
                kind = QStringLiteral("script");
            else
                kind = QStringLiteral("generated");
            QVERIFY2((mode & 077) == 0,
                     qPrintable(QStringLiteral("%1 created with mode %2").arg(path).arg(mode, 0, 8)));
            ++seen[kind];
        }
        QVERIFY2(seen.value(QStringLiteral("login")) >= 1, "the CAM login file was not traced");
        QVERIFY2(seen.value(QStringLiteral("script")) >= 2, "no script buffer file traced");
        QVERIFY2(seen.value(QStringLiteral("launch")) >= 2, "no launch file traced");
        // Argument files of both tasks and csh scripts.
        QVERIFY2(seen.value(QStringLiteral("generated")) >= 6, "too few argument files traced");

        for (const QString &folder : QStringList {plant.root + QStringLiteral("/tmp"),
                                                  plant.root + QStringLiteral("/cam_env_home/cam-user/.genesis")}) {
            const QFileInfo info(folder);
            QVERIFY(info.isDir());
            // Nothing for the group and the others.
            QCOMPARE(int(info.permissions() & 0x00ff), 0);
        }
        closePlant(plant);
    }

    // SIGTERM with a task that ignores SIGTERM and never ends (and a child
    // of it that does the same): the service waits the grace period, ends
    // the task's process group, says so in the log and exits 0, leaving no
    // task process behind. A second SIGTERM changes nothing of that.
    void hungTaskEndedAtShutdown()
    {
        Plant plant;
        QString why;
        QVERIFY2(makePlant(plant, QStringLiteral("hung"), &why), qPrintable(why));
        const QString hang
                = QStringLiteral("$SIG{TERM} = 'IGNORE';\n"
                                 "my $child = fork();\n"
                                 "if ($child == 0) { sleep 1000 while 1; exit 0; }\n"
                                 "open(my $o, '>', '%1/pids.tmp') or die; print $o \"$$ $child\"; close $o;\n"
                                 "rename('%1/pids.tmp', '%1/pids');\n"
                                 "sleep 1000 while 1;\n")
                          .arg(plant.out);
        QVERIFY2(addScript(plant, 1, QStringLiteral("hang.pl"), QStringLiteral("PERL"), hang, &why), qPrintable(why));
        QVERIFY2(addTask(plant, 1, QStringLiteral("hang.pl"), QStringLiteral("crontab"),
                         QStringLiteral("{\"trigger_type\": \"INTERVAL\", \"value\": 1, \"wait_process\": true}"),
                         QString(), &why),
                 qPrintable(why));
        QVERIFY(writeConfig(plant.root, plant.params, QStringLiteral("svc"), 1));

        QProcess server;
        startServer(server, plant.root);
        QVERIFY(server.waitForStarted());
        const QString pidsFile = plant.out + QStringLiteral("/pids");
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(pidsFile), 30000);
        QFile pidsText(pidsFile);
        QVERIFY(pidsText.open(QIODevice::ReadOnly));
        const QList<QByteArray> pids = pidsText.readAll().split(' ');
        QCOMPARE(pids.size(), 2);

        QElapsedTimer clock;
        clock.start();
        ::kill(pid_t(server.processId()), SIGTERM);
        QTest::qWait(1000);
        ::kill(pid_t(server.processId()), SIGTERM);
        QVERIFY2(server.waitForFinished(60000), "the service did not stop");
        const qint64 took = clock.elapsed();
        QCOMPARE(server.exitStatus(), QProcess::NormalExit);
        QCOMPARE(server.exitCode(), 0);
        // The grace period is 30 s; ending the group takes a few more.
        QVERIFY2(took >= 29000 && took < 45000, qPrintable(QStringLiteral("stopped after %1 ms").arg(took)));
        for (const QByteArray &pid : pids)
            QTRY_VERIFY2_WITH_TIMEOUT(
                    !isAlive(pid.toLongLong()),
                    qPrintable(QStringLiteral("task process %1 lives on").arg(QString::fromLatin1(pid))), 5000);
        const QByteArray log = logText(plant.root);
        QVERIFY(log.contains("of task 1 did not end within 30 s: ending process group " + pids.first()));
        QVERIFY(log.contains("of task 1 ended by the service"));
        QVERIFY(log.contains("destroy VekPdtServer finish"));
        closePlant(plant);
    }

    // Claims that were never worked off go back: those of a run that could
    // not start at once, those of runs a killed service never saw end when
    // the next service starts. That start also ends the runs the killed
    // service left going (no overlap with new runs of their task) and
    // removes their files; each request is then processed exactly once.
    void claimsAndLeftOversAfterKill()
    {
        Plant plant;
        QString why;
        QVERIFY2(makePlant(plant, QStringLiteral("killed"), &why), qPrintable(why));
        // Marks "<what>-<request id>-<pid>" in OUT, then hangs when asked to.
        auto requestPerl = [&](const QString &iWhat, bool iHang) {
            return QStringLiteral("use JSON::PP; open(my $in, '<', $ARGV[0]) or die; local $/;\n"
                                  "my $argv = decode_json(<$in>); my $id = $argv->{tooling_request_data}{id};\n"
                                  "open(my $o, '>', \"%1/%2-$id-$$\") or die; close $o;\n%3")
                    .arg(plant.out, iWhat, iHang ? QStringLiteral("sleep 1000 while 1;\n") : QString());
        };
        // Marks "wait-<pid>"; the second version notes whether a run marked
        // before still lives.
        const QString waitHang
                = QStringLiteral("open(my $o, '>', '%1/wait-' . $$) or die; close $o; sleep 1000 while 1;\n")
                          .arg(plant.out);
        const QString waitCheck
                = QStringLiteral("my $seen = 'alone';\n"
                                 "opendir(my $d, '%1') or die;\n"
                                 "for (grep { /^wait-\\d+$/ } readdir($d)) {\n"
                                 "  my ($pid) = /(\\d+)/; next unless open(my $s, '<', \"/proc/$pid/stat\");\n"
                                 "  my $t = <$s>; $seen = 'overlap' if $t =~ /\\) [^ZX]/;\n"
                                 "}\n"
                                 "open(my $o, '>', '%1/check-' . $$) or die; print $o $seen; close $o;\n")
                          .arg(plant.out);
        QVERIFY2(addScript(plant, 1, QStringLiteral("slow.pl"), QStringLiteral("PERL"),
                           requestPerl(QStringLiteral("started"), true), &why),
                 qPrintable(why));
        // A script type no runner stands for: the run cannot start.
        QVERIFY2(addScript(plant, 2, QStringLiteral("bad.pl"), QStringLiteral("PY"),
                           requestPerl(QStringLiteral("done"), false), &why),
                 qPrintable(why));
        QVERIFY2(addScript(plant, 3, QStringLiteral("wait.pl"), QStringLiteral("PERL"), waitHang, &why),
                 qPrintable(why));
        const QString interval = QStringLiteral("{\"trigger_type\": \"INTERVAL\", \"value\": 1}");
        QVERIFY2(addTask(plant, 1, QStringLiteral("slow.pl"), QStringLiteral("tooling_request"), interval,
                         QStringLiteral("{\"request_filter_sql\": \"kind = 'slow'\"}"), &why),
                 qPrintable(why));
        QVERIFY2(addTask(plant, 2, QStringLiteral("bad.pl"), QStringLiteral("tooling_request"), interval,
                         QStringLiteral("{\"request_filter_sql\": \"kind = 'bad'\"}"), &why),
                 qPrintable(why));
        QVERIFY2(addTask(plant, 3, QStringLiteral("wait.pl"), QStringLiteral("crontab"),
                         QStringLiteral("{\"trigger_type\": \"INTERVAL\", \"value\": 1, \"wait_process\": true}"),
                         QString(), &why),
                 qPrintable(why));
        QVERIFY2(exec(plant.db,
                      QStringLiteral("INSERT INTO mes_prod_tooling_request (id, service_flag, kind) VALUES"
                                     " (1, 1, 'slow'), (2, 1, 'slow'), (3, 1, 'slow'), (4, 1, 'bad'), (5, 1, 'bad')"),
                      &why),
                 qPrintable(why));
        QVERIFY(writeConfig(plant.root, plant.params, QStringLiteral("svc"), 1));
        const QString tmp = plant.root + QStringLiteral("/tmp");

        // First service: three runs hang on their requests, the unknown type
        // gives its claims back at once, the waiting task hangs too.
        {
            QProcess server;
            startServer(server, plant.root);
            QVERIFY(server.waitForStarted());
            QTRY_VERIFY_WITH_TIMEOUT(filesIn(plant.out, QStringLiteral("started-*")).size() == 3
                                             && filesIn(plant.out, QStringLiteral("wait-*")).size() == 1
                                             && logText(plant.root).count("of task 2 given back") >= 4,
                                     30000);
            QVERIFY(filesIn(plant.out, QStringLiteral("done-*")).isEmpty());
            server.kill();
            QVERIFY(server.waitForFinished());
        }
        // Argument files (with the password) and runs are left behind.
        QVERIFY(!filesIn(tmp, QStringLiteral("*-*-*-*-*")).isEmpty());
        QStringList orphans;
        for (const QString &name :
             filesIn(plant.out, QStringLiteral("started-*")) + filesIn(plant.out, QStringLiteral("wait-*")))
            orphans << name.section(QLatin1Char('-'), -1);
        for (const QString &pid : qAsConst(orphans))
            QVERIFY(isAlive(pid.toLongLong()));

        // Second service, with every script working and quick.
        QSqlQuery update(plant.db);
        QVERIFY(update.prepare(QStringLiteral("UPDATE mes_pdt_script SET content = ?, type = 'PERL' WHERE id = ?")));
        const QVariantList scripts[] = {{requestPerl(QStringLiteral("done"), false), 1},
                                        {requestPerl(QStringLiteral("done"), false), 2},
                                        {waitCheck, 3}};
        for (const QVariantList &script : scripts) {
            update.bindValue(0, script.at(0));
            update.bindValue(1, script.at(1));
            QVERIFY2(update.exec(), qPrintable(update.lastError().text()));
        }
        {
            QProcess server;
            startServer(server, plant.root);
            QVERIFY(server.waitForStarted());
            QTRY_VERIFY_WITH_TIMEOUT(filesIn(plant.out, QStringLiteral("done-*")).size() >= 5
                                             && !filesIn(plant.out, QStringLiteral("check-*")).isEmpty(),
                                     30000);
            // Time for a request to run twice, if it were to.
            QTest::qWait(2500);
            QVERIFY(stopServer(server));
        }

        for (const QString &pid : qAsConst(orphans))
            QVERIFY2(!isAlive(pid.toLongLong()),
                     qPrintable(QStringLiteral("run %1 of the killed service lives on").arg(pid)));
        QMap<int, int> runs;
        for (const QString &name : filesIn(plant.out, QStringLiteral("done-*")))
            ++runs[name.section(QLatin1Char('-'), 1, 1).toInt()];
        QCOMPARE(runs.keys(), (QList<int> {1, 2, 3, 4, 5}));
        for (auto it = runs.cbegin(); it != runs.cend(); ++it)
            QVERIFY2(it.value() == 1,
                     qPrintable(QStringLiteral("request %1 ran %2 times").arg(it.key()).arg(it.value())));
        for (const QString &name : filesIn(plant.out, QStringLiteral("check-*"))) {
            QFile check(plant.out + QLatin1Char('/') + name);
            QVERIFY(check.open(QIODevice::ReadOnly));
            QCOMPARE(check.readAll(), QByteArray("alone"));
        }
        // Only the script buffer files are left.
        QCOMPARE(filesIn(tmp, QStringLiteral("*")), (QStringList {"bad.pl", "slow.pl", "wait.pl"}));
        QVERIFY(logText(plant.root).contains("left by a stopped service still runs: ending process group"));
        closePlant(plant);
    }
};

QTEST_GUILESS_MAIN(tst_VekPdtServerFaults)
#include "tst_vekpdtserverfaults.moc"
