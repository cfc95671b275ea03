#include "vekservicefixture.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

using namespace VekServiceFixture;

// The real service host where a plant trips it up: a task script named like
// a package, a log collector that goes away, configuration it cannot use.
class tst_VekPdtServerPlant : public QObject
{
    Q_OBJECT

private:
    // A service host started with its error output going into a pipe that
    // the test reads and may close; killed and reaped if the test ends first.
    struct PipedServer
    {
        pid_t pid = 0;
        int errorOutput = -1;

        ~PipedServer()
        {
            if (errorOutput >= 0)
                ::close(errorOutput);
            if (pid > 0) {
                ::kill(pid, SIGKILL);
                ::waitpid(pid, nullptr, 0);
            }
        }
        bool start(const QString &iRoot)
        {
            int fds[2];
            if (::pipe2(fds, O_CLOEXEC) != 0)
                return false;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
                env.remove(QLatin1String(name));
            QList<QByteArray> envText;
            for (const QString &entry : env.toStringList())
                envText << entry.toLocal8Bit();
            std::vector<char *> envp;
            for (QByteArray &entry : envText)
                envp.push_back(entry.data());
            envp.push_back(nullptr);
            QByteArray program = QFile::encodeName(iRoot + QStringLiteral("/linux/bin/vekpdtserver"));
            char *argv[] = {program.data(), nullptr};

            posix_spawn_file_actions_t actions;
            ::posix_spawn_file_actions_init(&actions);
            ::posix_spawn_file_actions_adddup2(&actions, fds[1], STDERR_FILENO);
            const int error = ::posix_spawn(&pid, argv[0], &actions, nullptr, argv, envp.data());
            ::posix_spawn_file_actions_destroy(&actions);
            ::close(fds[1]);
            errorOutput = fds[0];
            if (error != 0)
                pid = 0;
            return error == 0;
        }
        // Reads until the service has written something, at most 30 s.
        bool readSome()
        {
            const QDeadlineTimer deadline(30000);
            while (!deadline.hasExpired()) {
                pollfd fd {errorOutput, POLLIN, 0};
                if (::poll(&fd, 1, int(deadline.remainingTime())) <= 0)
                    continue;
                char buffer[4096];
                if (::read(errorOutput, buffer, sizeof buffer) > 0)
                    return true;
            }
            return false;
        }
        bool isRunning()
        {
            if (pid > 0 && ::waitpid(pid, nullptr, WNOHANG) != 0)
                pid = 0;
            return pid > 0;
        }
        // SIGTERM and the exit status, within 60 s; -1 when it did not exit
        // by itself with a status.
        int stop()
        {
            ::kill(pid, SIGTERM);
            const QDeadlineTimer deadline(60000);
            int status = 0;
            pid_t done = 0;
            while ((done = ::waitpid(pid, &status, WNOHANG)) == 0 && !deadline.hasExpired())
                QTest::qWait(50);
            if (done != pid)
                return -1;
            pid = 0;
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
    };

private Q_SLOTS:
    // A task script named like a package answers nobody's import: neither
    // another task's nor its own. A script run from the development folder
    // still finds a package beside itself there.
    void taskScriptNamedLikeAPackage()
    {
        Plant plant;
        QString why;
        QVERIFY2(makePlant(plant, QStringLiteral("packages"), &why), qPrintable(why));
        const QString dev = plant.dir.filePath(QStringLiteral("dev"));
        QVERIFY(QDir().mkpath(dev));
        QFile helper(dev + QStringLiteral("/helper.js"));
        QVERIFY(helper.open(QIODevice::WriteOnly));
        helper.write("({ name: 'helper' });\n");
        helper.close();
        QFile devScript(dev + QStringLiteral("/dev.js"));
        QVERIFY(devScript.open(QIODevice::WriteOnly));
        devScript.write(QStringLiteral("var sys = __package__.import('sys');\n"
                                       "var process = __package__.import('process');\n"
                                       "var helper = __package__.import('helper');\n"
                                       "sys.writeFile('%1/3-' + helper.name + '-' + process.argv(1).split('/').pop(),"
                                       " '', 'overwrite', 'UTF-8', false);\n")
                                .arg(plant.out)
                                .toUtf8());
        devScript.close();

        QVERIFY2(addScript(plant, 1, QStringLiteral("sys.js"), QStringLiteral("JS"), touchJs(plant.out), &why),
                 qPrintable(why));
        QVERIFY2(addScript(plant, 2, QStringLiteral("other.js"), QStringLiteral("JS"), touchJs(plant.out), &why),
                 qPrintable(why));
        QVERIFY2(addScript(plant, 3, QStringLiteral("dev.js"), QStringLiteral("JS"),
                           QStringLiteral("throw new Error('the released copy ran');\n"), &why),
                 qPrintable(why));
        const QString interval = QStringLiteral("{\"trigger_type\": \"INTERVAL\", \"value\": 1}");
        for (int task = 1; task <= 3; ++task) {
            const QString script = task == 1 ? QStringLiteral("sys.js")
                                             : (task == 2 ? QStringLiteral("other.js") : QStringLiteral("dev.js"));
            QVERIFY2(addTask(plant, task, script, QStringLiteral("crontab"), interval, QString(), &why),
                     qPrintable(why));
        }
        QVariantMap params = plant.params;
        params.insert(QStringLiteral("script_path"), dev);
        QVERIFY(writeConfig(plant.root, params, QStringLiteral("svc"), 1));

        QProcess server;
        startServer(server, plant.root);
        QVERIFY(server.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(filesIn(plant.out, QStringLiteral("1-*")).size() >= 2
                                         && filesIn(plant.out, QStringLiteral("2-*")).size() >= 2
                                         && filesIn(plant.out, QStringLiteral("3-helper-*")).size() >= 2,
                                 30000);
        QVERIFY(stopServer(server));

        const QByteArray log = logText(plant.root);
        QVERIFY2(!log.contains(" run of script ["), log.right(3000).constData());
        // The buffer file keeps its name and folder.
        QVERIFY(QFileInfo(plant.root + QStringLiteral("/tmp/sys.js")).isFile());
        closePlant(plant);
    }

    // The reader of the service's error output goes away: the service goes
    // on running its tasks and logging to its file, and stops normally. Its
    // runs start with every signal at its default action and unblocked, even
    // those the service was started ignoring (SIGHUP, SIGUSR1). Started
    // ignoring SIGCHLD, it still learns how each run ended.
    void serviceOutlivesItsErrorOutput()
    {
        Plant plant;
        QString why;
        QVERIFY2(makePlant(plant, QStringLiteral("stderr"), &why), qPrintable(why));
        // Notes its ignored and blocked signals, after writing to its error output.
        const QString probe
                = QStringLiteral("open(my $s, '<', '/proc/self/status') or die; my %f;\n"
                                 "while (<$s>) { $f{$1} = $2 if /^(SigIgn|SigBlk):\\s*(\\S+)/ }\n"
                                 "print STDERR \"noise from $$\\n\" x 100;\n"
                                 "open(my $o, '>', '%1/signals.tmp') or die; print $o \"$f{SigIgn} $f{SigBlk}\";\n"
                                 "close $o; rename('%1/signals.tmp', '%1/signals-' . $$);\n")
                          .arg(plant.out);
        QVERIFY2(addScript(plant, 1, QStringLiteral("probe.pl"), QStringLiteral("PERL"), probe, &why), qPrintable(why));
        QVERIFY2(addScript(plant, 2, QStringLiteral("touch.js"), QStringLiteral("JS"), touchJs(plant.out), &why),
                 qPrintable(why));
        const QString interval = QStringLiteral("{\"trigger_type\": \"INTERVAL\", \"value\": 1}");
        QVERIFY2(addTask(plant, 1, QStringLiteral("probe.pl"), QStringLiteral("crontab"), interval, QString(), &why),
                 qPrintable(why));
        QVERIFY2(addTask(plant, 2, QStringLiteral("touch.js"), QStringLiteral("crontab"), interval, QString(), &why),
                 qPrintable(why));
        QVERIFY2(addScript(plant, 3, QStringLiteral("fails.pl"), QStringLiteral("PERL"),
                           QStringLiteral("print STDERR \"gave up\\n\"; exit 3;\n"), &why),
                 qPrintable(why));
        QVERIFY2(addTask(plant, 3, QStringLiteral("fails.pl"), QStringLiteral("crontab"), interval, QString(), &why),
                 qPrintable(why));
        QVERIFY(writeConfig(plant.root, plant.params, QStringLiteral("svc"), 1));

        // Started as nohup would start it, and with more signals ignored.
        PipedServer server;
        struct sigaction ignore = {};
        ignore.sa_handler = SIG_IGN;
        const int ignored[] = {SIGHUP, SIGUSR1, SIGCHLD};
        struct sigaction previous[3] = {};
        for (int i = 0; i < 3; ++i)
            ::sigaction(ignored[i], &ignore, &previous[i]);
        const bool started = server.start(plant.root);
        for (int i = 0; i < 3; ++i)
            ::sigaction(ignored[i], &previous[i], nullptr);
        QVERIFY(started);
        QVERIFY2(server.readSome(), "the service wrote nothing to its error output");
        ::close(server.errorOutput);
        server.errorOutput = -1;

        const int probes = filesIn(plant.out, QStringLiteral("signals-*")).size();
        const int touches = filesIn(plant.out, QStringLiteral("2-*")).size();
        const int triggered = logText(plant.root).count("task 2 triggered");
        QTRY_VERIFY_WITH_TIMEOUT(!server.isRunning()
                                         || (filesIn(plant.out, QStringLiteral("signals-*")).size() >= probes + 3
                                             && filesIn(plant.out, QStringLiteral("2-*")).size() >= touches + 3
                                             && logText(plant.root).count("task 2 triggered") >= triggered + 3),
                                 30000);
        QVERIFY2(server.isRunning(), "the service ended when its error output went away");
        QTRY_VERIFY_WITH_TIMEOUT(logText(plant.root)
                                         .contains("task 3 run of script [fails.pl] ended with exit status 3; its last "
                                                   "error output: gave up"),
                                 30000);
        QCOMPARE(server.stop(), 0);
        QVERIFY(logText(plant.root).contains("destroy VekPdtServer finish"));

        const QStringList signalFiles = filesIn(plant.out, QStringLiteral("signals-*"));
        QVERIFY(!signalFiles.isEmpty());
        // Perl ignores SIGFPE itself; the C library starts every program it
        // spawns with its own two signals (32 and 33) ignored.
        const quint64 notOurs = (quint64(1) << (SIGFPE - 1)) | (quint64(1) << 31) | (quint64(1) << 32);
        for (const QString &name : signalFiles) {
            QFile signalState(plant.out + QLatin1Char('/') + name);
            QVERIFY(signalState.open(QIODevice::ReadOnly));
            const QList<QByteArray> masks = signalState.readAll().split(' ');
            QCOMPARE(masks.size(), 2);
            QCOMPARE(masks.at(0).toULongLong(nullptr, 16) & ~notOurs, quint64(0));
            QCOMPARE(masks.at(1).toULongLong(nullptr, 16), quint64(0));
        }
        closePlant(plant);
    }

    // Configuration the service cannot use is named in its log, once, with
    // the service or the task it belongs to; what can be used still runs.
    void unusableConfigurationIsNamed()
    {
        Plant plant;
        QString why;
        QVERIFY2(makePlant(plant, QStringLiteral("config"), &why), qPrintable(why));
        QVERIFY2(exec(plant.db,
                      QStringLiteral("UPDATE mes_pdt_service SET attr_data = '{\"cam_interface\": [' WHERE id = 1"),
                      &why),
                 qPrintable(why));
        QVERIFY2(addScript(plant, 1, QStringLiteral("touch.js"), QStringLiteral("JS"), touchJs(plant.out), &why),
                 qPrintable(why));
        QVERIFY2(addScript(plant, 2, QStringLiteral("quiet.pl"), QStringLiteral("PERL"), QStringLiteral("exit 0;\n"),
                           &why),
                 qPrintable(why));
        const QString interval = QStringLiteral("{\"trigger_type\": \"INTERVAL\", \"value\": 1}");
        const QList<QStringList> tasks {
                {QStringLiteral("touch.js"), interval},
                {QStringLiteral("touch.js"), QStringLiteral("[]")},
                {QStringLiteral("touch.js"), QStringLiteral("[{\"trigger_type\": \"HOURLY\", \"value\": 1},"
                                                            " {\"trigger_type\": \"INTERVAL\", \"value\": 0}, 7]")},
                {QStringLiteral("touch.js"), interval},
                {QStringLiteral("quiet.pl"), interval}};
        for (int i = 0; i < tasks.size(); ++i) {
            QVERIFY2(addTask(plant, i + 1, tasks.at(i).at(0), QStringLiteral("crontab"), tasks.at(i).at(1), QString(),
                             &why),
                     qPrintable(why));
        }
        QVERIFY2(exec(plant.db,
                      QStringLiteral("UPDATE mes_pdt_service_script SET script_parameter = '\"just a string\"'"
                                     " WHERE id = 4"),
                      &why),
                 qPrintable(why));
        const QString perlRunner = plant.root + QStringLiteral("/linux/vekperl/bin/vekperl");
        QVERIFY(QFile::remove(perlRunner));
        QVERIFY(writeConfig(plant.root, plant.params, QStringLiteral("svc"), 1));

        const QByteArray noRunner = "cannot start [" + QFile::encodeName(perlRunner)
                                    + "] for task 5 script [quiet.pl]: No such file or directory";
        QProcess server;
        startServer(server, plant.root);
        QVERIFY(server.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(
                filesIn(plant.out, QStringLiteral("4-*")).size() >= 2 && logText(plant.root).contains(noRunner), 30000);
        QVERIFY(stopServer(server));

        const QByteArray log = logText(plant.root);
        const QList<QByteArray> once {
                "service [svc]: attr_data is not valid JSON, no CAM interface is set up! ERROR:",
                "task 2 of script [touch.js] has no usable trigger in trigger_param and never runs!",
                "task 3 of script [touch.js] has no usable trigger in trigger_param and never runs!",
                "task 4: script_parameter is a JSON string, not an object, and is taken as null!"};
        for (const QByteArray &line : once)
            QVERIFY2(log.count(line) == 1, line.constData());
        for (const QByteArray &line : log.split('\n')) {
            if (line.contains("cannot start ["))
                QVERIFY2(line.contains("[ERROR]") && line.contains(noRunner), line.constData());
        }
        QVERIFY(!log.contains("task 1 of script"));
        QVERIFY(filesIn(plant.out, QStringLiteral("2-*")).isEmpty());
        QVERIFY(filesIn(plant.out, QStringLiteral("3-*")).isEmpty());
        closePlant(plant);
    }

    // An SQLite URI name (QSQLITE_OPEN_URI) is checked by the file it names:
    // the service starts on an existing one and refuses a missing one,
    // creating nothing.
    void sqliteUriNamesAFile_data()
    {
        QTest::addColumn<bool>("fileExists");
        QTest::newRow("existing file") << true;
        QTest::newRow("no such file") << false;
    }

    void sqliteUriNamesAFile()
    {
        QFETCH(bool, fileExists);
        Plant plant;
        QString why;
        QVERIFY2(makePlant(plant, QStringLiteral("uri"), &why), qPrintable(why));
        const QString file = plant.dir.filePath(fileExists ? QStringLiteral("plant.db") : QStringLiteral("plnat.db"));
        QVariantMap params = plant.params;
        params.insert(QStringLiteral("database_name"), QStringLiteral("file:%1?cache=private").arg(file));
        params.insert(QStringLiteral("database_options"),
                      QString(params.value(QStringLiteral("database_options")).toString()
                              + QStringLiteral(";QSQLITE_OPEN_URI")));
        QVERIFY(writeConfig(plant.root, params, QStringLiteral("svc"), 1));

        QProcess server;
        startServer(server, plant.root);
        QVERIFY(server.waitForStarted());
        if (fileExists) {
            QTRY_VERIFY_WITH_TIMEOUT(logText(plant.root).contains("init service info finish."), 30000);
            QVERIFY(stopServer(server));
        } else {
            QVERIFY(server.waitForFinished(30000));
            QCOMPARE(server.exitCode(), 1);
            QVERIFY(logText(plant.root)
                            .contains("SQLite database file [" + QFile::encodeName(file) + "] does not exist!"));
            QVERIFY(!QFileInfo::exists(file));
        }
        closePlant(plant);
    }
};

QTEST_GUILESS_MAIN(tst_VekPdtServerPlant)
#include "tst_vekpdtserverplant.moc"
