#include "vekjsscriptfixture.h"

#include <QSysInfo>

class tst_VekJsOsBridge : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void writeFile_data();
    void writeFile();
    void writeFileFailure();
    void readFile_data();
    void readFile();
    void environmentAndFiles();
    void standardStreams();
    void platformFacts();
    void exec_data();
    void exec();
    void execTimeoutLeavesNoProcess();
    void logger();
};

// A killed orphan may linger as a zombie until its new parent reaps it.
static bool isRunning(const QString &iPid)
{
    QFile stat("/proc/" + iPid + "/stat");
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray line = stat.readAll();
    const int close = line.lastIndexOf(')');
    return close > 0 && line.mid(close + 2, 1) != "Z";
}

static const QByteArray Bom("\xEF\xBB\xBF");

void tst_VekJsOsBridge::writeFile_data()
{
    QTest::addColumn<QByteArray>("before"); // "-": no file yet
    QTest::addColumn<QString>("args");      // after path and text
    QTest::addColumn<QByteArray>("after");

    const QByteArray text("\xC3\xA9\n"); // "é\n" in UTF-8
    QTest::newRow("defaults replace with a mark") << QByteArray("old") << "" << Bom + text;
    QTest::newRow("overwrite") << QByteArray("old") << ", 'overwrite'" << Bom + text;
    QTest::newRow("empty mode replaces") << QByteArray("old") << ", ''" << Bom + text;
    QTest::newRow("other word replaces") << QByteArray("old") << ", 'add'" << Bom + text;
    QTest::newRow("APPEND keeps the middle free of marks")
            << QByteArray("old") << ", 'APPEND'" << QByteArray("old") + text;
    QTest::newRow("aPpEnD to a new file starts with a mark") << QByteArray("-") << ", 'aPpEnD'" << Bom + text;
    QTest::newRow("append to an empty file starts with a mark") << QByteArray() << ", 'append'" << Bom + text;
    QTest::newRow("no mark") << QByteArray("old") << ", 'overwrite', 'UTF-8', false" << text;
    QTest::newRow("other codec") << QByteArray("-") << ", 'overwrite', 'ISO-8859-1'" << QByteArray("\xE9\n");
}

void tst_VekJsOsBridge::writeFile()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, args);
    QFETCH(QByteArray, after);
    ScriptFixture fx;
    if (before != "-")
        fx.write("f.txt", before);
    const ScriptRun r = fx.run(ScriptFixture::prelude()
                               + QString("out(sys.writeFile('%1', '\\u00e9\\n'%2));").arg(fx.path("f.txt"), args));
    QVERIFY2(!r.crashed && r.exitCode == 0, r.err.constData());
    QCOMPARE(r.outLines(), QStringList {"true"});
    QFile f(fx.path("f.txt"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), after);
}

void tst_VekJsOsBridge::writeFileFailure()
{
    ScriptFixture fx;
    const ScriptRun r = fx.run(ScriptFixture::prelude()
                               + QString("out(sys.writeFile('%1/none/f.txt', 'x'));"
                                         "out(sys.writeFile('%1', 'x', 'append'));")
                                         .arg(fx.path()));
    QCOMPARE(r.outLines(), (QStringList {"false", "false"}));
#ifdef Q_OS_LINUX
    // A full device: the text never reaches the disk.
    const ScriptRun full = fx.run(ScriptFixture::prelude() + "out(sys.writeFile('/dev/full', 'x'));");
    QCOMPARE(full.outLines(), QStringList {"false"});
#endif
}

void tst_VekJsOsBridge::readFile_data()
{
    QTest::addColumn<QByteArray>("content"); // "-": no file
    QTest::addColumn<QString>("codec");
    QTest::addColumn<QString>("all");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("missing file") << QByteArray("-") << "UTF-8"
                                  << "" << QStringList();
    QTest::newRow("CR LF becomes LF, no trailing empty line") << QByteArray("a\r\nb\r\n") << "UTF-8"
                                                              << "a\nb\n"
                                                              << QStringList {"a", "b"};
    QTest::newRow("last line without line end") << QByteArray("a\n\nb") << "UTF-8"
                                                << "a\n\nb" << QStringList {"a", "", "b"};
    QTest::newRow("mark is dropped") << Bom + "\xC3\xA9"
                                     << "UTF-8" << QString::fromUtf8("\xC3\xA9")
                                     << QStringList {QString::fromUtf8("\xC3\xA9")};
    QTest::newRow("named codec") << QByteArray("\xE9") << "ISO-8859-1" << QString::fromUtf8("\xC3\xA9")
                                 << QStringList {QString::fromUtf8("\xC3\xA9")};
    QTest::newRow("unknown codec reads the local encoding")
            << QByteArray("\xC3\xA9") << "no-such-codec" << QString::fromUtf8("\xC3\xA9")
            << QStringList {QString::fromUtf8("\xC3\xA9")};
}

void tst_VekJsOsBridge::readFile()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, codec);
    QFETCH(QString, all);
    QFETCH(QStringList, lines);
    ScriptFixture fx;
    if (content != "-")
        fx.write("f.txt", content);
    const ScriptRun r = fx.run(ScriptFixture::prelude()
                               + QString("out([sys.readFileAll('%1', '%2'), sys.readFileLines('%1', '%2')]);")
                                         .arg(fx.path("f.txt"), codec));
    QVERIFY2(!r.crashed && r.exitCode == 0, r.err.constData());
    const QJsonArray result = QJsonDocument::fromJson(r.out).array();
    QCOMPARE(result.at(0).toString(), all);
    QCOMPARE(result.at(1).toVariant().toStringList(), lines);
}

void tst_VekJsOsBridge::environmentAndFiles()
{
    ScriptFixture fx;
    fx.write("f.txt", "x");
    const ScriptRun r = fx.run(
            ScriptFixture::prelude()
            + QString("out([sys.env('VEK_TEST_SURELY_UNSET'), sys.env('HOME') !== '',"
                      " sys.setEnv('VEK_TEST_VAR', '\\u00e9 x'), sys.env('VEK_TEST_VAR')]);"
                      "out([sys.isFileExists('%1/f.txt'), sys.isFileExists('%1'), sys.isFileExists('%1/none'),"
                      " sys.isDirExists('%1'), sys.isDirExists('%1/f.txt')]);"
                      "out([sys.removeFile('%1/f.txt'), sys.removeFile('%1/f.txt'), sys.isFileExists('%1/f.txt')]);")
                      .arg(fx.path()));
    QVERIFY2(!r.crashed && r.exitCode == 0, r.err.constData());
    QCOMPARE(r.outLines(), (QStringList {QString::fromUtf8("[\"\",true,true,\"\xC3\xA9 x\"]"),
                                         "[true,true,false,true,false]", "[true,false,false]"}));
}

void tst_VekJsOsBridge::standardStreams()
{
    // The line reads and the final read share one buffer: nothing is lost
    // between them.
    ScriptFixture fx;
    const ScriptRun r = fx.run(ScriptFixture::prelude()
                                       + "var a = sys.stdinReadLine(); var b = sys.stdinReadLine();"
                                         "out([a, b, sys.stdinReadAll(), sys.stdinReadAll()]);"
                                         "sys.stdoutWrite('\\u00e9');",
                               {}, QByteArray("one\r\ntwo\nrest\nmore \xC3\xA9"));
    QVERIFY2(!r.crashed && r.exitCode == 0, r.err.constData());
    QCOMPARE(QString::fromUtf8(r.out), QString::fromUtf8("[\"one\",\"two\",\"rest\\nmore \xC3\xA9\",\"\"]\n\xC3\xA9"));
}

void tst_VekJsOsBridge::platformFacts()
{
    ScriptFixture fx;
    const ScriptRun r = fx.run(ScriptFixture::prelude()
                               + "out([sys.osType(), sys.osName(), sys.osBit(), sys.osVersion(),"
                                 " sys.osKernelType(), sys.osKernelVersion(), sys.hostName()]);");
    QVERIFY2(!r.crashed && r.exitCode == 0, r.err.constData());
    const QStringList facts = QJsonDocument::fromJson(r.out).toVariant().toStringList();
    QCOMPARE(facts, (QStringList {"linux", QSysInfo::productType(), QSysInfo::currentCpuArchitecture(),
                                  QSysInfo::productVersion(), QSysInfo::kernelType(), QSysInfo::kernelVersion(),
                                  QSysInfo::machineHostName()}));
}

void tst_VekJsOsBridge::exec_data()
{
    QTest::addColumn<QString>("call");
    QTest::addColumn<QString>("expected");
    QTest::newRow("standard output as UTF-8")
            << "sys.exec('printf', ['%s\\n', '\\u00e9 a'])" << QString::fromUtf8("\xC3\xA9 a\n");
    QTest::newRow("standard error dropped") << "sys.exec('sh', ['-c', 'echo out; echo err >&2; exit 3'])"
                                            << "out\n";
    QTest::newRow("program that cannot start") << "sys.exec('/no/such/program', [])"
                                               << "";
}

void tst_VekJsOsBridge::exec()
{
    QFETCH(QString, call);
    QFETCH(QString, expected);
    ScriptFixture fx;
    const ScriptRun r = fx.run(ScriptFixture::prelude() + "out([" + call + "]);");
    QVERIFY2(!r.crashed && r.exitCode == 0, r.err.constData());
    QCOMPARE(QJsonDocument::fromJson(r.out).array().at(0).toString(), expected);
}

void tst_VekJsOsBridge::execTimeoutLeavesNoProcess()
{
    // The program outlives the 30-second limit and has started a child of
    // its own; both must be gone when exec returns what was printed so far.
    ScriptFixture fx;
    const ScriptRun r
            = fx.run(ScriptFixture::prelude() + "out(sys.exec('sh', ['-c', 'echo $$; sleep 300 & echo $!; wait']));",
                     {}, {}, {}, 90000);
    QVERIFY2(!r.crashed && r.exitCode == 0, r.err.constData());
    const QStringList pids = QString::fromUtf8(r.out).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(pids.size(), 2);
    for (const QString &pid : pids) {
        bool ok = false;
        QVERIFY(pid.toInt(&ok) > 0 && ok);
        QVERIFY2(!isRunning(pid), qPrintable("process still running: " + pid));
    }
}

void tst_VekJsOsBridge::logger()
{
    // The script writes through the process-wide log into a folder of its
    // choice; the log object survives the script dropping it and collecting.
    ScriptFixture fx;
    const ScriptRun r = fx.run(ScriptFixture::prelude()
                               + QString("var log = sys.logger(); log.setLogDir('%1/logs'); log.setDebugLevel(5);"
                                         "log.writeLog('from script', 'warn', '', 'here', 1); log = null; gc();"
                                         "sys.logger().error('second');"
                                         "out(sys.logger() === sys.logger());")
                                         .arg(fx.path()));
    QVERIFY2(!r.crashed && r.exitCode == 0, r.err.constData());
    QCOMPARE(r.outLines(), QStringList {"true"});
    const QStringList files = QDir(fx.path("logs")).entryList(QDir::Files);
    QCOMPARE(files.size(), 1);
    QFile f(fx.path("logs/" + files.first()));
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(f.readAll());
    QVERIFY2(text.contains("[WARN] \tfrom script  [SRC:here] [LEVEL:1]"), qPrintable(text));
    QVERIFY2(text.contains("[ERROR] \tsecond"), qPrintable(text));
}

QTEST_GUILESS_MAIN(tst_VekJsOsBridge)
#include "tst_vekjsosbridge.moc"
