// In-process: what a host sees when it creates engines itself.
#include "vekjsengine.h"

#include <QtTest>

class tst_VekJsEngine : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void pluginRootOutlivesEngines();
    void workingDirAndExtensions();
};

void tst_VekJsEngine::pluginRootOutlivesEngines()
{
    // The root object is process-wide: each engine that imports it sets
    // itself as the plug-in's engine and runs initPlugin again, and no
    // engine takes it along when it goes.
    const QString setup = QStringLiteral("__package__.setLibraryPaths('" VEK_TEST_PLUGIN_DIR "');"
                                         "var c = __package__.import('counter');");
    auto *first = new VekJsEngine;
    QCOMPARE(first->evaluate(setup + "c.initCount()").toInt(), 1);
    QCOMPARE(first->evaluate("c === __package__.import('COUNTER')").toBool(), true);
    first->collectGarbage();
    delete first;

    VekJsEngine second;
    QCOMPARE(second.evaluate(setup + "c.initCount()").toInt(), 2);
    QCOMPARE(second.evaluate("c.engineWasSet()").toBool(), true);
    QCOMPARE(second.evaluate("__package__.jsEngine() !== null").toBool(), true);
}

void tst_VekJsEngine::workingDirAndExtensions()
{
    QTemporaryDir dir;
    QFile file(dir.filePath("local.js"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("({v: qsTr('text')})");
    file.close();

    VekJsEngine engine;
    engine.setWorkingDir(dir.path());
    const QJSValue v = engine.evaluate("typeof console.log + ',' + typeof gc + ',' +"
                                       "__package__.import('local').v");
    QCOMPARE(v.toString(), QStringLiteral("function,function,text"));
}

QTEST_GUILESS_MAIN(tst_VekJsEngine)
#include "tst_vekjsengine.moc"
