#include "vekpdtserverprocess.h"

#include "tlogger.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCodec>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

// One task run with stand-in runners and a stand-in CAM program (shell
// scripts that record what they were given): runner choice, arguments, the
// argument file's exact content and mode, the CAM files, and the clean-up.
class tst_VekPdtServerProcess : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir root;
    QString tempDir; // the run's temporary folder; a blank and a quote test the quoting
    QString binDir;
    QString platformDir;

    static void writeExecutable(const QString &iPath, const QByteArray &iContent)
    {
        QDir().mkpath(QFileInfo(iPath).absolutePath());
        QFile file(iPath);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(iContent);
        file.close();
        QVERIFY(file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
    }
    static QStringList readLines(const QString &iPath)
    {
        QFile file(iPath);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QString text = QString::fromUtf8(file.readAll());
        if (text.endsWith(QLatin1Char('\n')))
            text.chop(1);
        return text.split(QLatin1Char('\n'));
    }
    static void runToEnd(const QVariantMap &iArgv)
    {
        VekPdtServerProcess process;
        process.setProcessArgv(iArgv);
        QCOMPARE(process.processArgv(), iArgv);
        process.start();
        QVERIFY(process.wait(30000));
    }
    static int logLinesWith(const QString &iText)
    {
        int count = 0;
        for (const QVariant &line : TLogger::instance()->historyLogs())
            count += line.toStringList().value(0).contains(iText);
        return count;
    }
    static QStringList logLinesWithType(const QString &iText, const QString &iType)
    {
        QStringList lines;
        for (const QVariant &line : TLogger::instance()->historyLogs()) {
            const QStringList entry = line.toStringList();
            if (entry.value(0).contains(iText) && entry.value(1) == iType)
                lines << entry.value(0);
        }
        return lines;
    }
    QVariantMap baseArgv(const QString &iScriptType) const
    {
        return {{QStringLiteral("app_temp_path"), tempDir},
                {QStringLiteral("app_bin_path"), binDir},
                {QStringLiteral("app_platform_path"), platformDir},
                {QStringLiteral("script_type"), iScriptType},
                {QStringLiteral("script_file"), root.filePath(QStringLiteral("scripts/a b.js"))},
                {QStringLiteral("script_name"), QStringLiteral("x")},
                {QStringLiteral("task_id"), 7}};
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(root.isValid());
        platformDir = root.filePath(QStringLiteral("linux"));
        binDir = platformDir + QStringLiteral("/bin");
        tempDir = root.filePath(QStringLiteral("tmp dir/it's"));
        QVERIFY(QDir().mkpath(tempDir));
        // Records its own path, its arguments, and the argument file's mode and content.
        const QByteArray runner = "#!/bin/sh\n"
                                  "out=\"$(dirname \"$0\")/record.txt\"\n"
                                  "{ printf '%s\\n' \"$0\" \"$#\" \"$1\" \"$2\"; stat -c %a \"$2\" 2>/dev/null; cat "
                                  "\"$2\" 2>/dev/null; echo; }"
                                  " > \"$out\"\n";
        writeExecutable(binDir + QStringLiteral("/vekjs"), runner);
        writeExecutable(platformDir + QStringLiteral("/vekperl/bin/vekperl"), runner);
        TLogger::instance()->setDebugLevel(5);
    }

    void scriptRun_data()
    {
        QTest::addColumn<QString>("scriptType");
        QTest::addColumn<QString>("runner");
        QTest::newRow("js in lower case") << "js"
                                          << "bin/vekjs";
        QTest::newRow("JAVASCRIPT") << "JAVASCRIPT"
                                    << "bin/vekjs";
        QTest::newRow("PL") << "PL"
                            << "vekperl/bin/vekperl";
        QTest::newRow("perl") << "perl"
                              << "vekperl/bin/vekperl";
    }

    void scriptRun()
    {
        QFETCH(QString, scriptType);
        QFETCH(QString, runner);
        const QString runnerPath = platformDir + QLatin1Char('/') + runner;
        const QString record = QFileInfo(runnerPath).absolutePath() + QStringLiteral("/record.txt");
        QFile::remove(record);
        const QVariantMap argv = baseArgv(scriptType);
        runToEnd(argv);

        const QStringList lines = readLines(record);
        QCOMPARE(lines.size(), 6);
        QCOMPARE(lines.at(0), runnerPath);
        QCOMPARE(lines.at(1), QStringLiteral("2"));
        QCOMPARE(lines.at(2), argv.value(QStringLiteral("script_file")).toString());
        const QFileInfo argvFile(lines.at(3));
        QCOMPARE(argvFile.absolutePath(), tempDir);
        QCOMPARE(argvFile.fileName().size(), 36);
        QCOMPARE(lines.at(4), QStringLiteral("600"));
        // One line of compact JSON, keys in order, numbers unquoted.
        QCOMPARE(lines.at(5),
                 QStringLiteral("{\"app_bin_path\":\"%1\",\"app_platform_path\":\"%2\",\"app_temp_path\":\"%3\","
                                "\"script_file\":\"%4\",\"script_name\":\"x\",\"script_type\":\"%5\",\"task_id\":7}")
                         .arg(binDir, platformDir, tempDir, argv.value(QStringLiteral("script_file")).toString(),
                              scriptType));
        QVERIFY(QDir(tempDir).isEmpty());
    }

    void unknownScriptTypeIsLoggedAndCleanedUp()
    {
        const int before = logLinesWith(QStringLiteral("cannot start"));
        runToEnd(baseArgv(QStringLiteral("python")));
        QCOMPARE(logLinesWith(QStringLiteral("cannot start")), before + 1);
        QCOMPARE(logLinesWith(QStringLiteral("cannot start [] for task 7 script [x]: No such file or directory")), 1);
        QVERIFY(QDir(tempDir).isEmpty());
    }

    void unwritableArgumentFileIsLogged()
    {
        QVariantMap argv = baseArgv(QStringLiteral("js"));
        argv.insert(QStringLiteral("app_temp_path"), root.filePath(QStringLiteral("missing")));
        const int before = logLinesWith(QStringLiteral("write argument file"));
        runToEnd(argv);
        QCOMPARE(logLinesWith(QStringLiteral("write argument file")), before + 1);
        // The runner still ran, with the path it was meant to get.
        QCOMPARE(readLines(binDir + QStringLiteral("/record.txt")).value(4), QString());
    }

    // How a run ended reaches the log as one error line with the last line
    // of its error output, however much it wrote; the output itself still
    // reaches the service's error output.
    void failedEndIsLogged_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("expected"); // the log line after "task 7 run of script [x] "; empty: none
        QTest::addColumn<QByteArray>("forwarded");
        QTest::addColumn<QString>("host"); // empty, "SIGCHLD ignored", or the encoding of the host's locale
        QTest::newRow("exit status") << QByteArray("echo first >&2; echo 'it went wrong' >&2; exit 3")
                                     << "ended with exit status 3; its last error output: it went wrong"
                                     << QByteArray("first\nit went wrong\n") << QString();
        QTest::newRow("signal") << QByteArray("echo dying >&2; kill -9 $$")
                                << "ended by signal 9; its last error output: dying" << QByteArray("dying\n")
                                << QString();
        QTest::newRow("no error output") << QByteArray("exit 4") << "ended with exit status 4; it wrote no error output"
                                         << QByteArray() << QString();
        QTest::newRow("success with error output")
                << QByteArray("echo just a warning >&2") << QString() << QByteArray("just a warning\n") << QString();
        QTest::newRow("megabytes, then a last line")
                << QByteArray("head -c 4000000 /dev/zero | tr '\\0' x >&2; printf '\\nlast words\\n\\n' >&2; exit 2")
                << "ended with exit status 2; its last error output: last words" << QByteArray("x\nlast words\n\n")
                << QString();
        QTest::newRow("one endless line")
                << QByteArray("head -c 3000000 /dev/zero | tr '\\0' y >&2; exit 2")
                << "ended with exit status 2; its last error output: ..." + QString(1000, QLatin1Char('y')) + "..."
                << QByteArray("yyy") << QString();
        // U+1F600 takes the 1,000th and 1,001st units of the line.
        QTest::newRow("a character across the cut")
                << QByteArray("printf '%0999d' 0 | tr 0 z >&2; printf '\360\237\230\200tail' >&2; exit 1")
                << "ended with exit status 1; its last error output: " + QString(999, QLatin1Char('z')) + "..."
                << QByteArray("zzz") << QString();
        // The tail of the output is cut at a byte that may fall inside a
        // character of three bytes.
        QTest::newRow("one endless line of euro signs")
                << QByteArray("head -c 3000000 /dev/zero | sed 's/\\x0/\\xe2\\x82\\xac/g' >&2; exit 2")
                << "ended with exit status 2; its last error output: ..." + QString(1000, QChar(0x20AC)) + "..."
                << QByteArray("\xe2\x82\xac") << QString();
        QTest::newRow("control characters") << QByteArray("printf 'first\\na\\033[31mb\\rc\\td' >&2; exit 1")
                                            << "ended with exit status 1; its last error output: a [31mb c d"
                                            << QByteArray("first\na") << QString();
        QTest::newRow("NUL keeps what follows")
                << QByteArray("printf 'a\\0b\\0\\0c' >&2; exit 1")
                << "ended with exit status 1; its last error output: a b  c" << QByteArray("a") << QString();
        // NEL and CSI, the line and paragraph separators, RLO, LRI and PDI, in UTF-8.
        QTest::newRow("C1, separators and bidirectional controls")
                << QByteArray("printf 'a\\302\\205b\\302\\233c\\342\\200\\250d\\342\\200\\251e"
                              "\\342\\200\\256f\\342\\201\\246g\\342\\201\\251h' >&2; exit 1")
                << "ended with exit status 1; its last error output: a b c d e f g h" << QByteArray("a") << QString();
        // A process the run left behind keeps the pipe open: the run's end
        // is not held up by it.
        QTest::newRow("child keeps the error output")
                << QByteArray("sleep 60 & echo gone >&2; exit 5")
                << "ended with exit status 5; its last error output: gone" << QByteArray("gone\n") << QString();
        // The status is lost: the run must not pass for a good one.
        QTest::newRow("SIGCHLD ignored") << QByteArray("echo 'it went wrong' >&2; exit 3")
                                         << "ended, but how is unknown: No child processes; its last error output: "
                                            "it went wrong"
                                         << QByteArray("it went wrong\n") << "SIGCHLD ignored";
        // Bytes that would continue a UTF-8 sequence are characters of their own here.
        QTest::newRow("one endless line in Latin-1")
                << QByteArray("head -c 3000000 /dev/zero | tr '\\0' '\\251' >&2; exit 2")
                << "ended with exit status 2; its last error output: ..." + QString(1000, QChar(0xA9)) + "..."
                << QByteArray("\xa9\xa9\xa9") << "ISO-8859-1";
    }

    void failedEndIsLogged()
    {
        QFETCH(QByteArray, body);
        QFETCH(QString, expected);
        QFETCH(QByteArray, forwarded);
        QFETCH(QString, host);
        const QString runPlatform = root.filePath(QStringLiteral("failing"));
        writeExecutable(runPlatform + QStringLiteral("/vekperl/bin/vekperl"), "#!/bin/sh\n" + body + '\n');
        QVariantMap argv = baseArgv(QStringLiteral("PERL"));
        argv.insert(QStringLiteral("app_platform_path"), runPlatform);
        const QString marker = QStringLiteral("task 7 run of script [x] ");
        const int before = logLinesWithType(marker, QStringLiteral("ERROR")).size();

        // The service's error output goes to a file meanwhile.
        const QString errorFile = root.filePath(QStringLiteral("service-stderr"));
        const int saved = ::dup(STDERR_FILENO);
        const int file = ::open(QFile::encodeName(errorFile).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        QVERIFY(saved >= 0 && file >= 0);
        ::dup2(file, STDERR_FILENO);
        ::close(file);
        const bool childEndsIgnored = host == QLatin1String("SIGCHLD ignored");
        const auto childEnds = childEndsIgnored ? ::signal(SIGCHLD, SIG_IGN) : SIG_DFL;
        QTextCodec *const localeCodec = QTextCodec::codecForLocale();
        if (!host.isEmpty() && !childEndsIgnored)
            QTextCodec::setCodecForLocale(QTextCodec::codecForName(host.toLatin1()));
        VekPdtServerProcess process;
        process.setProcessArgv(argv);
        process.start();
        const bool ended = process.wait(30000);
        if (childEndsIgnored)
            ::signal(SIGCHLD, childEnds);
        QTextCodec::setCodecForLocale(localeCodec);
        ::dup2(saved, STDERR_FILENO);
        ::close(saved);
        if (process.programGroup() > 0)
            ::kill(-pid_t(process.programGroup()), SIGKILL);
        QVERIFY(ended);

        const QStringList lines = logLinesWithType(marker, QStringLiteral("ERROR"));
        if (expected.isEmpty()) {
            QCOMPARE(lines.size(), before);
        } else {
            QCOMPARE(lines.size(), before + 1);
            QCOMPARE(lines.last(), marker + expected);
        }
        QFile stderrCopy(errorFile);
        QVERIFY(stderrCopy.open(QIODevice::ReadOnly));
        QVERIFY(stderrCopy.readAll().contains(forwarded));
        QVERIFY(QDir(tempDir).isEmpty());
    }

    void camRun_data()
    {
        QTest::addColumn<QString>("camType");
        QTest::addColumn<bool>("started");
        QTest::newRow("genesis in lower case") << "genesis" << true;
        QTest::newRow("GENESIS") << "GENESIS" << true;
        QTest::newRow("INCAM starts nothing") << "INCAM" << false;
    }

    void camRun()
    {
        QFETCH(QString, camType);
        QFETCH(bool, started);
        const QString camBin = root.filePath(QStringLiteral("cam/e100/get/get"));
        const QString record = root.filePath(QStringLiteral("cam-record.txt"));
        QFile::remove(record);
        // Records its environment, its arguments, the csh script and the
        // launch file (the only ".sh" file in the temporary folder), with modes.
        writeExecutable(camBin,
                        QByteArray("#!/bin/sh\n{\n"
                                   "printf '%s\\n' \"$HOME\" \"$GENESIS_DIR\" \"$GENESIS_EDIR\" \"$GENESIS_VER\""
                                   " \"$FRONTLINE_NO_LOGIN_SCREEN\" \"$#\" \"$1\" \"$2\"\n"
                                   "csh=\"${2#-s}\"; stat -c %a \"$csh\"; cat \"$csh\"\n"
                                   "for f in '")
                                + tempDir.toUtf8().replace("'", "'\\''")
                                + QByteArray("'/*.sh; do stat -c %a \"$f\"; cat \"$f\"; done\n"
                                             "} > '")
                                + record.toUtf8() + "'\n");
        QVariantMap argv = baseArgv(QStringLiteral("js"));
        argv.insert(QStringLiteral("link_cam"), 1);
        argv.insert(QStringLiteral("cam_type"), camType);
        argv.insert(QStringLiteral("cam_bin_path"), camBin);
        argv.insert(QStringLiteral("cam_home_path"), root.filePath(QStringLiteral("home/a-user")));
        argv.insert(QStringLiteral("cam_dir"), root.filePath(QStringLiteral("cam")));
        argv.insert(QStringLiteral("cam_edir"), root.filePath(QStringLiteral("cam/e100")));
        argv.insert(QStringLiteral("cam_ver"), QStringLiteral("100"));
        runToEnd(argv);
        QVERIFY(QDir(tempDir).isEmpty());
        if (!started) {
            QVERIFY(!QFileInfo::exists(record));
            return;
        }

        const QStringList lines = readLines(record);
        QCOMPARE(lines.size(), 19);
        QCOMPARE(lines.mid(0, 7),
                 (QStringList {argv.value(QStringLiteral("cam_home_path")).toString(),
                               argv.value(QStringLiteral("cam_dir")).toString(),
                               argv.value(QStringLiteral("cam_edir")).toString(), QStringLiteral("100"),
                               QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("-x")}));
        QVERIFY(lines.at(7).startsWith(QStringLiteral("-s") + tempDir + QLatin1Char('/')));
        const QString csh = lines.at(7).mid(2);
        auto quoted = [](QString iText) -> QString {
            return QLatin1Char('\'') + iText.replace(QLatin1Char('\''), QStringLiteral("'\\''")) + QLatin1Char('\'');
        };
        QCOMPARE(lines.at(8), QStringLiteral("700"));
        QCOMPARE(lines.at(9), QStringLiteral("#!/bin/csh"));
        const QString cshCommand = lines.at(10);
        QVERIFY2(cshCommand.startsWith(quoted(binDir + QStringLiteral("/vekjs")) + QLatin1Char(' ')
                                       + quoted(argv.value(QStringLiteral("script_file")).toString()) + QLatin1Char(' ')
                                       + quoted(tempDir + QLatin1Char('/')).chopped(1)),
                 qPrintable(cshCommand));
        QCOMPARE(lines.at(11), QStringLiteral("700"));
        QCOMPARE(lines.mid(12),
                 (QStringList {QStringLiteral("#!/bin/sh"), QStringLiteral("export FRONTLINE_NO_LOGIN_SCREEN=1"),
                               QStringLiteral("export HOME=")
                                       + quoted(argv.value(QStringLiteral("cam_home_path")).toString()),
                               QStringLiteral("export GENESIS_DIR=")
                                       + quoted(argv.value(QStringLiteral("cam_dir")).toString()),
                               QStringLiteral("export GENESIS_EDIR=")
                                       + quoted(argv.value(QStringLiteral("cam_edir")).toString()),
                               QStringLiteral("export GENESIS_VER='100'"),
                               quoted(camBin) + QStringLiteral(" -x -s") + quoted(csh)}));
    }
};

QTEST_GUILESS_MAIN(tst_VekPdtServerProcess)
#include "tst_vekpdtserverprocess.moc"
