#include "vekjsscriptfixture.h"

class tst_VekJsRunBridge : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void arguments_data();
    void arguments();
    void scriptFile_data();
    void scriptFile();
    void processFacts();
    void commandLineOptions_data();
    void commandLineOptions();
    void loggerHasNoMembers();
};

static QString processReport()
{
    return ScriptFixture::prelude()
           + "var p = __package__.import('process');"
             "out([p.argv(), p.argv(0), p.argv(1), p.argv(2), p.argv(-1)]);";
}

void tst_VekJsRunBridge::arguments_data()
{
    QTest::addColumn<QStringList>("extra"); // after the script file
    QTest::addColumn<QString>("expected");  // $S: the script file

    QTest::newRow("script and argument file")
            << QStringList {"/tmp/args.json"} << "[[\"$S\",\"/tmp/args.json\"],\"$S\",\"/tmp/args.json\",\"\",\"\"]";
    QTest::newRow("script alone") << QStringList() << "[[\"$S\"],\"$S\",\"\",\"\",\"\"]";
    QTest::newRow("lone dash is positional") << QStringList {"-"} << "[[\"$S\",\"-\"],\"$S\",\"-\",\"\",\"\"]";
    QTest::newRow("after a double dash") << QStringList {"--", "-x"} << "[[\"$S\",\"-x\"],\"$S\",\"-x\",\"\",\"\"]";
}

void tst_VekJsRunBridge::arguments()
{
    QFETCH(QStringList, extra);
    QFETCH(QString, expected);
    ScriptFixture fx;
    const ScriptRun r = fx.run(processReport(), extra);
    QVERIFY2(!r.crashed && r.exitCode == 0, r.err.constData());
    QCOMPARE(r.outLines(), QStringList {expected.replace("$S", fx.path("main.js"))});
}

void tst_VekJsRunBridge::scriptFile_data()
{
    QTest::addColumn<QString>("scriptArg"); // as passed, relative to the runner's folder "cwd"
    QTest::addColumn<QString>("expected");  // $D: the temporary folder

    QTest::newRow("absolute") << "$D/jobs/report.run.js"
                              << "[\"$D/jobs\",\"report.run.js\",\"report\"]";
    QTest::newRow("relative") << "../jobs/report.run.js"
                              << "[\"$D/jobs\",\"report.run.js\",\"report\"]";
}

void tst_VekJsRunBridge::scriptFile()
{
    QFETCH(QString, scriptArg);
    QFETCH(QString, expected);
    ScriptFixture fx;
    fx.write("jobs/report.run.js", (ScriptFixture::prelude()
                                    + "var p = __package__.import('process');"
                                      "out([p.execFileDir(), p.execFileName(), p.execFileBaseName()]);")
                                           .toUtf8());
    const ScriptRun r = fx.runRaw({scriptArg.replace("$D", fx.path())});
    QVERIFY2(!r.crashed && r.exitCode == 0, r.err.constData());
    QCOMPARE(r.outLines(), QStringList {expected.replace("$D", fx.path())});
}

void tst_VekJsRunBridge::processFacts()
{
    ScriptFixture fx;
    const ScriptRun r = fx.run(ScriptFixture::prelude()
                               + "var p = __package__.import('process');"
                                 "out([String(p.pid()), p.appBinDir()]); p.gc(); out('after gc');");
    QVERIFY2(!r.crashed && r.exitCode == 0, r.err.constData());
    QCOMPARE(r.outLines(), (QStringList {QString("[\"%1\",\"%2\"]").arg(r.pid).arg(VEK_BIN_DIR), "after gc"}));
    QVERIFY(r.err.contains("gc..."));
}

void tst_VekJsRunBridge::commandLineOptions_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<bool>("importProcess");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output"); // expected in standard output or standard error

    QTest::newRow("unknown option ends the program") << "--bogus" << true << 1 << "Unknown option 'bogus'";
    QTest::newRow("unknown short option anywhere") << "-q" << true << 1 << "Unknown option 'q'";
    QTest::newRow("unknown option without process") << "--bogus" << false << 0 << "ran";
    QTest::newRow("help") << "--help" << true << 0 << "Quendal JavaScript Runtime Environment";
    QTest::newRow("version") << "--version" << true << 0 << "7.0.0";
}

void tst_VekJsRunBridge::commandLineOptions()
{
    QFETCH(QString, option);
    QFETCH(bool, importProcess);
    QFETCH(int, exitCode);
    QFETCH(QString, output);
    ScriptFixture fx;
    const QString source
            = ScriptFixture::prelude() + (importProcess ? "__package__.import('process');" : "") + "out('ran');";
    const ScriptRun r = fx.run(source, {"args.json", option});
    QVERIFY(!r.crashed);
    QCOMPARE(r.exitCode, exitCode);
    const QByteArray both = r.out + r.err;
    QVERIFY2(both.contains(output.toUtf8()), both.constData());
    if (importProcess)
        QVERIFY(!r.out.contains("ran"));
}

void tst_VekJsRunBridge::loggerHasNoMembers()
{
    ScriptFixture fx;
    const ScriptRun r = fx.run(ScriptFixture::prelude()
                               + "var l = __package__.import('logger');"
                                 "out([typeof l, l === __package__.import('LOGGER'), typeof l.writeLog,"
                                 " typeof l.initPlugin]);");
    QVERIFY2(!r.crashed && r.exitCode == 0, r.err.constData());
    QCOMPARE(r.outLines(), QStringList {"[\"object\",true,\"undefined\",\"undefined\"]"});
}

QTEST_GUILESS_MAIN(tst_VekJsRunBridge)
#include "tst_vekjsrunbridge.moc"
