// The plug-in class in this process, on the offscreen platform: its rules
// for the base folder and the DPI ratio, the factories' parent rule, the
// ownership of what they make, deletion, and the plug-in file's metadata.
#include "vekjsplugin.h"
#include "vekjswidgetbridge.h"

#include "tformlayout.h"
#include "ttheme.h"
#include "vekpane.h"

#include <QApplication>
#include <QJSEngine>
#include <QJsonObject>
#include <QLayout>
#include <QPluginLoader>
#include <QPointer>
#include <QQmlEngine>
#include <QWidget>
#include <QtTest>

// Hands scripts parentless objects the way any slot does when nobody claims
// them: the engine takes them, so its collector deletes them.
class PlainMaker : public QObject
{
    Q_OBJECT
public:
    QPointer<QObject> last;
    QPointer<QObject> watched;

public Q_SLOTS:
    //! Watches an object without holding it.
    void watch(QObject *iObject) { watched = iObject; }
    QObject *make()
    {
        last = new QObject;
        return last;
    }
};

class tst_VekJsWidgetBridge : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void baseDir_data();
    void baseDir();
    void dpRatioForWidth_data();
    void dpRatioForWidth();
    void pluginFile();
    void factories_data();
    void factories();
    void deleteObjectIsImmediate();
    void deleteObjectRefusesWhatNoFactoryMade_data();
    void deleteObjectRefusesWhatNoFactoryMade();
    void deleteObjectRefusesWhatIsGone_data();
    void deleteObjectRefusesWhatIsGone();
    void deleteObjectInOwnSignal_data();
    void deleteObjectInOwnSignal();
    void collectorLeavesFactoryObjects_data();
    void collectorLeavesFactoryObjects();
};

void tst_VekJsWidgetBridge::baseDir_data()
{
    QTest::addColumn<QString>("appDir");
    QTest::addColumn<QString>("base");
    QTest::newRow("plain program folder") << "/opt/vek/linux/bin"
                                          << "/opt/vek/linux/bin";
    QTest::newRow("bundle's MacOS folder") << "/Applications/vek/Vek.app/Contents/MacOS"
                                           << "/Applications/vek";
    QTest::newRow("other case is no bundle") << "/Applications/vek/Vek.app/Contents/macos"
                                             << "/Applications/vek/Vek.app/Contents/macos";
    QTest::newRow("trailing slash") << "/opt/vek/Vek.app/Contents/MacOS/"
                                    << "/opt/vek";
}

void tst_VekJsWidgetBridge::baseDir()
{
    QFETCH(QString, appDir);
    QFETCH(QString, base);
    QCOMPARE(VekJsWidgetBridge::baseDir(appDir), base);
}

void tst_VekJsWidgetBridge::dpRatioForWidth_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<double>("ratio");
    QTest::newRow("no screen") << 0 << 1.0;
    QTest::newRow("narrower, never below 1") << 1366 << 1.0;
    QTest::newRow("design width") << 1920 << 1.0;
    QTest::newRow("one pixel wider") << 1921 << 1921 / 1920.0;
    QTest::newRow("2560") << 2560 << 2560 / 1920.0;
    QTest::newRow("3840") << 3840 << 2.0;
}

void tst_VekJsWidgetBridge::dpRatioForWidth()
{
    QFETCH(int, width);
    QFETCH(double, ratio);
    QCOMPARE(VekJsWidgetBridge::dpRatioForWidth(width), ratio);
}

void tst_VekJsWidgetBridge::pluginFile()
{
    // The built plug-in, as the package loader finds it.
    QPluginLoader loader(QStringLiteral(VEK_BIN_DIR "/vekjslib/tui/tuiplugin.so"));
    const QJsonObject meta = loader.metaData();
    QCOMPARE(meta.value(QStringLiteral("IID")).toString(), QStringLiteral("com.qarvon.VekJsPlugin"));
    QCOMPARE(meta.value(QStringLiteral("className")).toString(), QStringLiteral("VekJsWidgetBridge"));
    QCOMPARE(meta.value(QStringLiteral("MetaData")).toObject(), QJsonObject());

    QObject *root = loader.instance();
    QVERIFY2(root, qPrintable(loader.errorString()));
    QCOMPARE(loader.instance(), root);
    QVERIFY(root->qt_metacast("VekJsWidgetBridge"));
    QVERIFY(root->qt_metacast("VekJsPlugin"));
    QCOMPARE(root->qt_metacast("com.qarvon.VekJsPlugin"), root->qt_metacast("VekJsPlugin"));
    QVERIFY(!root->qt_metacast("VekJsRunBridge"));
    QVERIFY(qobject_cast<VekJsPlugin *>(root));
    // Destroyed, the next request makes a new object.
    delete root;
    QVERIFY(loader.instance());
}

void tst_VekJsWidgetBridge::factories_data()
{
    QTest::addColumn<QByteArray>("factory");
    QTest::addColumn<QString>("parentKind"); // none, pane, layout, object
    QTest::addColumn<QString>("className");
    QTest::addColumn<bool>("childOfPane");

    const QList<QPair<QByteArray, QString>> widgets = {{"newMainWindow", "TMainWindow"},
                                                       {"newLineEdit", "TLineEdit"},
                                                       {"newPushButton", "TPushButton"},
                                                       {"newWidget", "VekPane"},
                                                       {"newComboBox", "TComboBox"}};
    for (const auto &w : widgets) {
        QTest::addRow("%s without parent", w.first.constData()) << w.first << "none" << w.second << false;
        QTest::addRow("%s on a pane", w.first.constData()) << w.first << "pane" << w.second << true;
        QTest::addRow("%s on a layout", w.first.constData()) << w.first << "layout" << w.second << false;
        QTest::addRow("%s on a plain object", w.first.constData()) << w.first << "object" << w.second << false;
    }
    const QList<QPair<QByteArray, QString>> layouts = {{"newHBoxLayout", "THBoxLayout"},
                                                       {"newVBoxLayout", "TVBoxLayout"},
                                                       {"newGridLayout", "TGridLayout"},
                                                       {"newFormLayout", "TFormLayout"}};
    for (const auto &l : layouts) {
        QTest::addRow("%s without parent", l.first.constData()) << l.first << "none" << l.second << false;
        QTest::addRow("%s on a pane", l.first.constData()) << l.first << "pane" << l.second << true;
        QTest::addRow("%s on a layout", l.first.constData()) << l.first << "layout" << l.second << false;
    }
}

void tst_VekJsWidgetBridge::factories()
{
    QFETCH(QByteArray, factory);
    QFETCH(QString, parentKind);
    QFETCH(QString, className);
    QFETCH(bool, childOfPane);

    VekJsWidgetBridge bridge;
    VekPane pane;
    QObject plain;
    TFormLayout *layout = new TFormLayout(); // owned below when it does not get a widget parent
    QScopedPointer<QObject> layoutOwner(layout);
    QObject *parent = nullptr;
    if (parentKind == QLatin1String("pane"))
        parent = &pane;
    else if (parentKind == QLatin1String("layout"))
        parent = layout;
    else if (parentKind == QLatin1String("object"))
        parent = &plain;

    QObject *made = nullptr;
    if (parentKind == QLatin1String("none"))
        QVERIFY(QMetaObject::invokeMethod(&bridge, factory.constData(), Q_RETURN_ARG(QObject *, made)));
    else
        QVERIFY(QMetaObject::invokeMethod(&bridge, factory.constData(), Q_RETURN_ARG(QObject *, made),
                                          Q_ARG(QObject *, parent)));
    QVERIFY(made);
    QScopedPointer<QObject> owner(made->parent() ? nullptr : made);
    QCOMPARE(QString::fromLatin1(made->metaObject()->className()), className);
    QCOMPARE(QQmlEngine::objectOwnership(made), QQmlEngine::CppOwnership);
    if (childOfPane) {
        QCOMPARE(made->parent(), &pane);
        if (auto *l = qobject_cast<QLayout *>(made))
            QCOMPARE(pane.layout(), l); // a layout made on a widget is that widget's layout
    } else {
        QCOMPARE(made->parent(), nullptr);
        QVERIFY(!pane.layout());
    }
}

void tst_VekJsWidgetBridge::deleteObjectIsImmediate()
{
    VekJsWidgetBridge bridge;
    VekPane pane;
    QPointer<QObject> child = bridge.newLineEdit(&pane);
    QVERIFY(child);
    bridge.deleteObject(child);
    QVERIFY(!child); // no turn of the event loop in between
    QVERIFY(pane.findChildren<QWidget *>().isEmpty());
    bridge.deleteObject(nullptr); // nothing happens
}

void tst_VekJsWidgetBridge::deleteObjectRefusesWhatNoFactoryMade_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("refused"); // class name in the error, empty when deleted
    QTest::newRow("the theme") << QStringLiteral("tui.deleteObject(tui.theme())") << QStringLiteral("TTheme");
    QTest::newRow("the plug-in itself") << QStringLiteral("tui.deleteObject(tui)")
                                        << QStringLiteral("VekJsWidgetBridge");
    QTest::newRow("somebody else's object") << QStringLiteral("tui.deleteObject(other)") << QStringLiteral("QObject");
    QTest::newRow("a child the factory did not make")
            << QStringLiteral("tui.deleteObject(inner)") << QStringLiteral("QWidget");
    QTest::newRow("a number") << QStringLiteral("tui.deleteObject(5)") << QStringLiteral("number");
    QTest::newRow("a plain script object") << QStringLiteral("tui.deleteObject({})") << QStringLiteral("script object");
    QTest::newRow("null does nothing") << QStringLiteral("tui.deleteObject(null); tui.deleteObject(undefined)")
                                       << QString();
}

void tst_VekJsWidgetBridge::deleteObjectRefusesWhatNoFactoryMade()
{
    QFETCH(QString, code);
    QFETCH(QString, refused);
    QJSEngine engine;
    QPointer<VekJsWidgetBridge> bridge = new VekJsWidgetBridge;
    QScopedPointer<VekJsWidgetBridge> bridgeOwner(bridge.data());
    bridge->jsEngine = &engine;
    QQmlEngine::setObjectOwnership(bridge, QQmlEngine::CppOwnership);
    engine.globalObject().setProperty(QStringLiteral("tui"), engine.newQObject(bridge));
    QObject other;
    QQmlEngine::setObjectOwnership(&other, QQmlEngine::CppOwnership);
    engine.globalObject().setProperty(QStringLiteral("other"), engine.newQObject(&other));
    QScopedPointer<QObject> made(bridge->newWidget());
    QPointer<QWidget> inner = new QWidget(qobject_cast<QWidget *>(made.data()));
    QQmlEngine::setObjectOwnership(inner, QQmlEngine::CppOwnership);
    engine.globalObject().setProperty(QStringLiteral("inner"), engine.newQObject(inner));

    const QJSValue result = engine.evaluate(code);
    if (refused.isEmpty()) {
        QVERIFY2(!result.isError(), qPrintable(result.toString()));
    } else {
        QVERIFY(result.isError());
        QVERIFY2(result.toString().contains(
                         QStringLiteral("deleteObject deletes only what a tui factory made, not this %1").arg(refused)),
                 qPrintable(result.toString()));
    }
    // Nothing that was refused went away.
    QVERIFY(bridge);
    QVERIFY(inner);
    QVERIFY(TTheme::instance()->metaObject());
    QCOMPARE(other.metaObject()->className(), "QObject");
}

// A script engine with the plug-in as "tui" and a watcher as "maker".
struct ScriptBench
{
    ScriptBench()
    {
        bridge.jsEngine = &engine;
        QQmlEngine::setObjectOwnership(&bridge, QQmlEngine::CppOwnership);
        QQmlEngine::setObjectOwnership(&maker, QQmlEngine::CppOwnership);
        engine.globalObject().setProperty(QStringLiteral("tui"), engine.newQObject(&bridge));
        engine.globalObject().setProperty(QStringLiteral("maker"), engine.newQObject(&maker));
    }
    QJSEngine engine;
    VekJsWidgetBridge bridge;
    PlainMaker maker;
};

void tst_VekJsWidgetBridge::deleteObjectRefusesWhatIsGone_data()
{
    QTest::addColumn<QString>("code");
    QTest::newRow("deleted twice") << QStringLiteral(
            "var w = tui.newWidget(); tui.deleteObject(w); tui.deleteObject(w)");
    QTest::newRow("gone with its parent")
            << QStringLiteral("var w = tui.newWidget(); var e = tui.newLineEdit(w); tui.deleteObject(w); "
                              "tui.deleteObject(e)");
    QTest::newRow("gone with its parent from inside its own signal")
            << QStringLiteral("var w = tui.newWidget(); var b = tui.newPushButton(w); var caught = '';"
                              "b.clicked.connect(function () { tui.deleteObject(w);"
                              "  try { tui.deleteObject(b); } catch (e) { caught = String(e); } });"
                              "b.click(); if (caught) throw new Error(caught);");
}

void tst_VekJsWidgetBridge::deleteObjectRefusesWhatIsGone()
{
    QFETCH(QString, code);
    ScriptBench bench;
    const QJSValue result = bench.engine.evaluate(code);
    QVERIFY(result.isError());
    QVERIFY2(result.toString().contains(QStringLiteral("was deleted already")), qPrintable(result.toString()));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void tst_VekJsWidgetBridge::deleteObjectInOwnSignal_data()
{
    // How the object is made and watched, how its handler is connected (it
    // calls gone(target) once), and what makes it emit.
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("trigger");
    QTest::addColumn<QStringList>("events"); // what reached the script, in order

    const QString button = QStringLiteral(
            "var w = tui.newPushButton(); var target = w; w.checkable = true;"
            "['pressed', 'toggled', 'released', 'clicked'].forEach(function (n) {"
            "  w[n].connect(function () { seen.events.push(n); if (n === deleteOn) gone(target); }); });");
    const QString combo = QStringLiteral("var w = tui.newComboBox(); var target = w; w.set('item_list', ['a', 'b']);"
                                         "w.signal.connect(function (t) { seen.events.push(t);"
                                         "  if (t === deleteOn) gone(target); });");
    const QString edit = QStringLiteral("var w = tui.newLineEdit(); var target = w;"
                                        "w.signal.connect(function (t) { seen.events.push(t);"
                                        "  if (t === deleteOn) gone(target); });");
    QTest::newRow("checkable push button from toggled")
            << "var deleteOn = 'toggled';" + button << "w.click()" << QStringList {"pressed", "toggled"};
    QTest::newRow("push button from clicked") << "var deleteOn = 'clicked';" + button << "w.click()"
                                              << QStringList {"pressed", "toggled", "released", "clicked"};
    QTest::newRow("push button from pressed")
            << "var deleteOn = 'pressed';" + button << "w.click()" << QStringList {"pressed"};
    QTest::newRow("combo box from value_changed")
            << "var deleteOn = 'value_changed';" + combo << "w.setCurrentIndex(1)" << QStringList {"value_changed"};
    QTest::newRow("combo box from editing_finished")
            << "var deleteOn = 'editing_finished';" + combo << "w.setCurrentIndex(1)"
            << QStringList {"value_changed", "editing_finished"};
    QTest::newRow("line edit from value_changed")
            << "var deleteOn = 'value_changed';" + edit << "w.editingFinished()" << QStringList {"value_changed"};
    QTest::newRow("line edit from a script's own event")
            << "var deleteOn = 'mine';" + edit << "w.emitSignal('mine', 1, '')" << QStringList {"mine"};
    QTest::newRow("pane from the signal of a line edit in it")
            << QStringLiteral("var deleteOn = 'value_changed'; var target = tui.newWidget();"
                              "var w = tui.newLineEdit(target); var inner = tui.newPushButton(target);"
                              "w.signal.connect(function (t) { seen.events.push(t);"
                              "  if (t === deleteOn) { gone(target); seen.child = use(inner); } });")
            << "w.editingFinished()" << QStringList {"value_changed"};
    // A run-once handler: its connection is gone by the time it deletes.
    QTest::newRow("pane from its own event, handler disconnected first")
            << QStringLiteral("var w = tui.newWidget(); var target = w;"
                              "function once(t) { w.signal.disconnect(once); seen.events.push(t); gone(target); }"
                              "w.signal.connect(once);")
            << "w.emitSignal('mine', 1, '')" << QStringList {"mine"};
}

void tst_VekJsWidgetBridge::deleteObjectInOwnSignal()
{
    QFETCH(QString, setup);
    QFETCH(QString, trigger);
    QFETCH(QStringList, events);

    ScriptBench bench;
    const QJSValue seen = bench.engine.evaluate(
            QStringLiteral(
                    "var seen = {events: []};"
                    "function use(o) { try { o.set('enabled', true); return 'used'; }"
                    "                  catch (e) { return String(e); } }"
                    "function gone(o) {"
                    "  maker.watch(o); tui.deleteObject(o);"
                    "  seen.use = use(o);"
                    "  seen.read = typeof o.objectName;"
                    "  try { tui.deleteObject(o); seen.again = 'deleted'; } catch (e) { seen.again = String(e); }"
                    "}"
                    "%1; %2; seen")
                    .arg(setup, trigger));
    QVERIFY2(!seen.isError(), qPrintable(seen.toString()));
    QStringList reached;
    const QVariantList got = seen.property(QStringLiteral("events")).toVariant().toList();
    for (const QVariant &event : got)
        reached.append(event.toString());
    QCOMPARE(reached, events);

    // Gone for the script at once: every use is an error, and so is a second
    // deletion.
    QVERIFY2(seen.property(QStringLiteral("use")).toString().startsWith(QStringLiteral("TypeError")),
             qPrintable(seen.property(QStringLiteral("use")).toString()));
    QCOMPARE(seen.property(QStringLiteral("read")).toString(), QStringLiteral("undefined"));
    QVERIFY2(seen.property(QStringLiteral("again")).toString().contains(QStringLiteral("was deleted already")),
             qPrintable(seen.property(QStringLiteral("again")).toString()));
    if (!seen.property(QStringLiteral("child")).isUndefined())
        QVERIFY(seen.property(QStringLiteral("child")).toString().startsWith(QStringLiteral("TypeError")));

    // The object itself waits for the event loop, out of sight.
    QPointer<QObject> target = bench.maker.watched;
    QVERIFY(target);
    if (target->isWidgetType())
        QVERIFY(!static_cast<QWidget *>(target.data())->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!target);

    const QJSValue again = bench.engine.evaluate(QStringLiteral("tui.deleteObject(target)"));
    QVERIFY(again.isError());
    QVERIFY2(again.toString().contains(QStringLiteral("was deleted already")), qPrintable(again.toString()));
}

void tst_VekJsWidgetBridge::collectorLeavesFactoryObjects_data()
{
    QTest::addColumn<QString>("factory");
    QTest::newRow("main window") << "newMainWindow";
    QTest::newRow("line edit") << "newLineEdit";
    QTest::newRow("layout") << "newVBoxLayout";
}

void tst_VekJsWidgetBridge::collectorLeavesFactoryObjects()
{
    QFETCH(QString, factory);
    QJSEngine engine;
    VekJsWidgetBridge bridge;
    QQmlEngine::setObjectOwnership(&bridge, QQmlEngine::CppOwnership);
    engine.globalObject().setProperty(QStringLiteral("tui"), engine.newQObject(&bridge));

    PlainMaker maker;
    QQmlEngine::setObjectOwnership(&maker, QQmlEngine::CppOwnership);
    engine.globalObject().setProperty(QStringLiteral("maker"), engine.newQObject(&maker));

    // The script shows a window without parent and drops its only reference;
    // for comparison it does the same with an object nobody claims.
    const QJSValue value = engine.evaluate(QStringLiteral("(function () { var w = tui.%1(); "
                                                          "if (w.show) w.show(); maker.watch(w); "
                                                          "maker.make(); return 0; })()")
                                                   .arg(factory));
    QVERIFY2(!value.isError(), qPrintable(value.toString()));
    QPointer<QObject> made = maker.watched;
    QVERIFY(made);
    QPointer<QObject> scriptOwned = maker.last;
    QVERIFY(scriptOwned);

    for (int i = 0; i < 3; ++i) {
        engine.collectGarbage();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
    QVERIFY(!scriptOwned);
    QVERIFY(made);
    bridge.deleteObject(made);
    QVERIFY(!made);
}

QTEST_MAIN(tst_VekJsWidgetBridge)
#include "tst_vekjswidgetbridge.moc"
