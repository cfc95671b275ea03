#include "vekjsscriptfixture.h"

class tst_VekJsPackage : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void runnerExit_data();
    void runnerExit();
    void hostileScripts_data();
    void hostileScripts();
    void lookup_data();
    void lookup();
    void siteShadowsLib();
    void nativePackagesLoadOnce();
};

void tst_VekJsPackage::runnerExit_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<bool>("withScript");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("stderrHas");

    QTest::newRow("empty script") << "" << true << 0 << "";
    QTest::newRow("top-level throw") << "var a = 1;\n\nthrow new Error('boom');\n"
                                     << true << 1 << "ERROR: Line 3: Error: boom";
    QTest::newRow("syntax error") << "var a = ;\n" << true << 1 << "ERROR: Line 1: SyntaxError";
    QTest::newRow("missing script") << "" << false << 2 << "ERROR: cannot open script file [";
}

void tst_VekJsPackage::runnerExit()
{
    QFETCH(QString, source);
    QFETCH(bool, withScript);
    QFETCH(int, exitCode);
    QFETCH(QString, stderrHas);
    ScriptFixture fx;
    const ScriptRun r = withScript ? fx.run(source) : fx.runRaw({fx.path("absent.js")});
    QVERIFY(!r.crashed);
    QCOMPARE(r.exitCode, exitCode);
    QVERIFY2(QString::fromUtf8(r.err).contains(stderrHas), r.err.constData());
    // The tests run on the offscreen platform: the widget module must load.
    QVERIFY2(!r.err.contains("no widget support"), r.err.constData());

    const ScriptRun noArgs = fx.runRaw({});
    QCOMPARE(noArgs.exitCode, 2);
    QVERIFY(noArgs.err.contains("Usage"));
}

void tst_VekJsPackage::hostileScripts_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("stderrHas");
    QTest::newRow("200,000-deep JSON.stringify")
            << "var a = []; for (var i = 0; i < 200000; ++i) a = [a];\n"
               "if (JSON.stringify(a).length !== 400002) throw new Error('wrong text');\n"
            << 0 << "";
    QTest::newRow("string past a gigabyte") << "var s = 'x'; while (true) s += s;\n" << 1 << "ERROR: ";
}

// Scripts that exhaust the stack or the memory end with a script error or
// succeed, never with a crash. Slow on a loaded machine: a generous bound.
void tst_VekJsPackage::hostileScripts()
{
    QFETCH(QString, source);
    QFETCH(int, exitCode);
    QFETCH(QString, stderrHas);
#ifdef __SANITIZE_ADDRESS__
    // AddressSanitizer makes every native frame several times larger and
    // keeps its own stack bounds, so the nesting the runner's stack holds in
    // a normal build is not what it holds here.
    if (source.contains(QLatin1String("200000")))
        QSKIP("stack depth differs under AddressSanitizer");
#endif
    ScriptFixture fx;
    const ScriptRun r = fx.run(source, QStringList(), QByteArray(), QString(), 240000);
    QVERIFY2(!r.crashed, r.err.constData());
    QCOMPARE(r.exitCode, exitCode);
    QVERIFY2(QString::fromUtf8(r.err).contains(stderrHas), r.err.constData());
}

void tst_VekJsPackage::lookup_data()
{
    QTest::addColumn<QVariantMap>("files");    // relative path -> content
    QTest::addColumn<QVariantMap>("links");    // relative path -> link target ($PLUGINS: test plug-ins)
    QTest::addColumn<QString>("script");       // $DIR: the temporary folder
    QTest::addColumn<QStringList>("expected"); // standard output lines

    const QString libPaths = "__package__.setLibraryPaths(['$DIR/lib']);";
    QTest::newRow("working folder before library paths")
            << QVariantMap {{"foo.js", "'local'"}, {"lib/foo/foo.js", "'lib'"}} << QVariantMap()
            << libPaths + "out(__package__.import('foo'));" << QStringList {"local"};
    QTest::newRow("failing working-folder file gives way")
            << QVariantMap {{"foo.js", "\nthrow new Error('x');"}, {"lib/foo/foo.js", "'lib'"}} << QVariantMap()
            << libPaths + "out(__package__.import('foo'));" << QStringList {"ERROR: Line 2: Error: x", "lib"};
    QTest::newRow("folder and file in any case")
            << QVariantMap {{"lib/Alpha/ALPHA.js", "({v: 'alpha'})"}} << QVariantMap()
            << libPaths + "out(__package__.import('aLpHa').v);" << QStringList {"alpha"};
    QTest::newRow("plug-in folder and file in any case")
            << QVariantMap() << QVariantMap {{"lib/COUNTER/COUNTERplugin.so", "$PLUGINS/counter/counterplugin.so"}}
            << libPaths + "out(__package__.import('Counter').initCount());" << QStringList {"1"};
    QTest::newRow("last added path is searched first")
            << QVariantMap {{"a/foo/foo.js", "'a'"}, {"b/foo/foo.js", "'b'"}} << QVariantMap()
            << "__package__.setLibraryPaths(['$DIR/a', ' $DIR/b ']); out(__package__.libraryPaths());"
               "out(__package__.import('foo'));"
            << QStringList {"[\"$DIR/b\",\"$DIR/a\"]", "b"};
    QTest::newRow("addLibraryPath ignores other types")
            << QVariantMap() << QVariantMap()
            << "__package__.setLibraryPaths('$DIR/x'); __package__.addLibraryPath(5);"
               "__package__.addLibraryPath({a: 1}); __package__.addLibraryPath(['$DIR/y']);"
               "out(__package__.libraryPaths());"
            << QStringList {"[\"$DIR/y\",\"$DIR/x\"]"};
    QTest::newRow("addLibraryPath reads a claimed length only so far")
            << QVariantMap() << QVariantMap()
            << "var a = []; a[0] = '$DIR/first'; a[4095] = '$DIR/last'; a[4096] = '$DIR/left out';"
               "a.length = 2147483647; __package__.setLibraryPaths(a); var p = __package__.libraryPaths();"
               "out([p.length, p[0], p[4095]]);"
            << QStringList {"WARNING: only the first 4096 of 2147483647 library paths are taken.",
                            "[4096,\"$DIR/last\",\"$DIR/first\"]"};
    QTest::newRow("script beside plug-in wins")
            << QVariantMap {{"lib/counter/counter.js", "'script'"}}
            << QVariantMap {{"lib/counter/counterplugin.so", "$PLUGINS/counter/counterplugin.so"}}
            << libPaths + "out(__package__.import('counter'));" << QStringList {"script"};
    QTest::newRow("failing script beside plug-in gives the plug-in")
            << QVariantMap {{"lib/counter/counter.js", "throw new Error('bad');"}}
            << QVariantMap {{"lib/counter/counterplugin.so", "$PLUGINS/counter/counterplugin.so"}}
            << libPaths + "out(__package__.import('counter').initCount());"
            << QStringList {"ERROR: Line 1: Error: bad", "1"};
    QTest::newRow("plug-in without the interface, next path taken")
            << QVariantMap {{"next/nointerface/nointerface.js", "'next'"}}
            << QVariantMap {{"bad/nointerface/nointerfaceplugin.so", "$PLUGINS/nointerface/nointerfaceplugin.so"}}
            << "__package__.setLibraryPaths(['$DIR/next', '$DIR/bad']); out(__package__.import('nointerface'));"
            << QStringList {"ERROR: load plugin $DIR/bad/nointerface/nointerfaceplugin.so failed!", "next"};
    QTest::newRow("plug-in without the interface alone")
            << QVariantMap()
            << QVariantMap {{"lib/nointerface/nointerfaceplugin.so", "$PLUGINS/nointerface/nointerfaceplugin.so"}}
            << libPaths + "out(String(__package__.import('nointerface')));"
            << QStringList {"ERROR: load plugin $DIR/lib/nointerface/nointerfaceplugin.so failed!",
                            "ERROR: cannot found package nointerface.", "undefined"};
    QTest::newRow("missing package keeps the name as passed")
            << QVariantMap() << QVariantMap() << "out(String(__package__.import(' no such ')));"
            << QStringList {"ERROR: cannot found package  no such .", "undefined"};
    QTest::newRow("function declaration imports as cached undefined")
            << QVariantMap {{"lib/fn/fn.js", "var loads = (typeof loads === 'undefined') ? 1 : loads + 1;\n"
                                             "function f() {}\n"}}
            << QVariantMap()
            << libPaths
                       + "out(String(__package__.import('fn'))); out(String(__package__.import('FN')));"
                         "out(loads);"
            << QStringList {"undefined", "undefined", "1"};
    QTest::newRow("first value is cached")
            << QVariantMap {{"lib/obj/obj.js", "({n: 1})"}} << QVariantMap()
            << libPaths
                       + "var a = __package__.import('obj'); a.n = 2;"
                         "out(__package__.import(' OBJ ') === a); out(__package__.import('obj').n);"
            << QStringList {"true", "2"};
    QTest::newRow("packages import packages")
            << QVariantMap {{"lib/outer/outer.js", "__package__.import('inner').v + 1"},
                            {"lib/inner/inner.js", "({v: 41})"}}
            << QVariantMap() << libPaths + "out(__package__.import('outer'));" << QStringList {"42"};
    QTest::newRow("engine stays with the host")
            << QVariantMap() << QVariantMap()
            << "var e = __package__.jsEngine(); out(typeof e); e = null; gc(); out(typeof __package__.jsEngine());"
            << QStringList {"object", "object"};
}

void tst_VekJsPackage::lookup()
{
    QFETCH(QVariantMap, files);
    QFETCH(QVariantMap, links);
    QFETCH(QString, script);
    QFETCH(QStringList, expected);
    ScriptFixture fx;
    for (auto it = files.cbegin(); it != files.cend(); ++it)
        fx.write(it.key(), it.value().toString().toUtf8());
    for (auto it = links.cbegin(); it != links.cend(); ++it)
        fx.link(it.key(), it.value().toString().replace("$PLUGINS", VEK_TEST_PLUGIN_DIR));

    const ScriptRun r = fx.run(ScriptFixture::prelude() + QString(script).replace("$DIR", fx.path()));
    QVERIFY2(!r.crashed && r.exitCode == 0, r.err.constData());
    QCOMPARE(r.outLines(), expected.replaceInStrings("$DIR", fx.path()));
}

void tst_VekJsPackage::siteShadowsLib()
{
    // A copy of the runner in a folder of its own: its default library paths
    // are that folder's vekjssite and vekjslib.
    ScriptFixture fx;
    const QString bin = fx.path("bin");
    QVERIFY(QDir().mkpath(bin));
    QVERIFY(QFile::copy(ScriptFixture::runner(), bin + "/vekjs"));
    fx.link("bin/vekjslib/sys", VEK_BIN_DIR "/vekjslib/sys");
    fx.write("bin/vekjslib/pkg/pkg.js", "'lib'");
    fx.write("bin/vekjssite/pkg/pkg.js", "'site'");
    fx.write("bin/vekjslib/onlylib/onlylib.js", "'lib only'");

    const ScriptRun r = fx.run(ScriptFixture::prelude()
                                       + "out(__package__.libraryPaths()); out(__package__.import('pkg'));"
                                         "out(__package__.import('onlylib'));",
                               {}, {}, bin + "/vekjs");
    QVERIFY2(!r.crashed && r.exitCode == 0, r.err.constData());
    QCOMPARE(r.outLines(), (QStringList {QString("[\"%1/vekjssite\",\"%1/vekjslib\"]").arg(bin), "site", "lib only"}));
}

void tst_VekJsPackage::nativePackagesLoadOnce()
{
    ScriptFixture fx;
    const ScriptRun r = fx.run(ScriptFixture::prelude()
                               + "out([sys === __package__.import(' sys '), sys === __package__.import('SYS')]);"
                                 "__package__.addLibraryPath('" VEK_TEST_PLUGIN_DIR "');"
                                 "var c = __package__.import('counter'); __package__.import('COUNTER');"
                                 "out([c.initCount(), c.engineWasSet()]);");
    QVERIFY2(!r.crashed && r.exitCode == 0, r.err.constData());
    QCOMPARE(r.outLines(), (QStringList {"[true,true]", "[1,true]"}));
}

QTEST_GUILESS_MAIN(tst_VekJsPackage)
#include "tst_vekjspackage.moc"
