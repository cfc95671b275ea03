#include "terror.h"
#include "tscriptvalue.h"
#include "veklogcapture.h"

#include <QJSEngine>
#include <QSize>
#include <QtTest>

// C++ values as scripts see them: a sequence, a value type, a byte buffer.
class Source : public QObject
{
    Q_OBJECT
public:
    Q_INVOKABLE QStringList strings() const { return {QStringLiteral("a"), QStringLiteral("b")}; }
    Q_INVOKABLE QSize size() const { return QSize(3, 4); }
    Q_INVOKABLE QByteArray bytes() const { return QByteArrayLiteral("xyz"); }
};

class tst_TScriptValue : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void scriptValuesBecomePlain_data();
    void scriptValuesBecomePlain();
    void plainValuesPassThrough();
    void plainListsStayShared();
    void sameAsTheEngine_data();
    void sameAsTheEngine();
    void deepValuesRefused_data();
    void deepValuesRefused();
    void refusalLoggedWithoutErrorRecord();
    void propertiesReadOnce();
};

void tst_TScriptValue::scriptValuesBecomePlain_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QVariant>("expected");
    QTest::newRow("array") << "[200, 80]" << QVariant(QVariantList {200, 80});
    QTest::newRow("object") << "({a: 'x', b: true})" << QVariant(QVariantMap {{"a", "x"}, {"b", true}});
    QTest::newRow("nested") << "({l: [1, {k: 'v'}]})"
                            << QVariant(QVariantMap {{"l", QVariantList {1, QVariantMap {{"k", "v"}}}}});
    QTest::newRow("null") << "null" << QVariant();
    QTest::newRow("string") << "'text'" << QVariant("text");
}

void tst_TScriptValue::scriptValuesBecomePlain()
{
    QFETCH(QString, script);
    QFETCH(QVariant, expected);
    QJSEngine engine;
    const QJSValue js = engine.evaluate(script);
    QVERIFY(!js.isError());
    const QVariant plain = TScriptValue::toPlain(QVariant::fromValue(js));
    QCOMPARE(plain, expected);
    // What a slot receives must survive a JSON round of its own: no QJSValue left inside.
    QCOMPARE(TScriptValue::toPlain(QVariantList {QVariant::fromValue(js)}), QVariant(QVariantList {expected}));
}

void tst_TScriptValue::plainValuesPassThrough()
{
    const QVariantMap m {{"a", 1}, {"b", QVariantList {"x"}}};
    QCOMPARE(TScriptValue::toPlain(m), QVariant(m));
    QCOMPARE(TScriptValue::toPlain(QVariant(42)), QVariant(42));
}

void tst_TScriptValue::plainListsStayShared()
{
    // Large row lists from C++ pass through without a copy of every element.
    QVariantList rows;
    for (int i = 0; i < 100; ++i)
        rows.append(QVariant(QVariantList {i, QString::number(i)}));
    const QVariantList plain = TScriptValue::toPlain(rows).toList();
    QVERIFY(plain.isSharedWith(rows));
    // One script value deep inside still gets converted.
    QJSEngine engine;
    rows[50] = QVariant::fromValue(engine.evaluate("[1, 2]"));
    const QVariantList converted = TScriptValue::toPlain(rows).toList();
    QCOMPARE(converted.at(50), QVariant(QVariantList {1, 2}));
    QCOMPARE(converted.at(49), rows.at(49));
}

void tst_TScriptValue::sameAsTheEngine_data()
{
    QTest::addColumn<QString>("script");
    QTest::newRow("scalars in a list") << "[1, 2.5, 'x', true, null, undefined]";
    QTest::newRow("holes") << "[1,,3]";
    QTest::newRow("date and pattern") << "({d: new Date(86400000), r: /a+b/i})";
    QTest::newRow("function") << "({f: function(){}, g: [function(){}]})";
    QTest::newRow("inherited names") << "(function(){ var o = Object.create({inherited: 1}); o.own = 2; return o; })()";
    QTest::newRow("object that holds itself") << "(function(){ var o = {a: 1}; o.self = o; o.l = [o]; return o; })()";
    QTest::newRow("array that holds itself") << "(function(){ var a = [1]; a.push(a); return a; })()";
    QTest::newRow("one object in two places") << "(function(){ var s = {k: 'v'}; return [s, {s: s}]; })()";
    QTest::newRow("proxy") << "new Proxy({a: 1, b: [2]}, {})";
    QTest::newRow("sequence") << "source.strings()";
    QTest::newRow("value type") << "({s: source.size()})";
    QTest::newRow("byte buffer") << "[source.bytes()]";
    QTest::newRow("object wrapper") << "({o: source})";
    QTest::newRow("rows and nested maps") << "({rows: [[1, 'a'], [2, 'b']], n: {m: {k: [null]}}})";
    // The global Object is the script's to replace: it says nothing about which objects are plain.
    QTest::newRow("global Object replaced")
            << "(function(){ var b = source.bytes(); Object = {prototype: Object.getPrototypeOf(b)}; return [b]; })()";
    QTest::newRow("global Object behind a getter")
            << "(function(){ var o = {a: 1}; var real = Object; Object.defineProperty(this, 'Object',"
               " {get: function(){ o.added = 2; return real; }}); return o; })()";
}

void tst_TScriptValue::sameAsTheEngine()
{
    // Within the depth limit the conversion is the engine's own.
    QFETCH(QString, script);
    QJSEngine engine;
    Source source;
    engine.globalObject().setProperty(QStringLiteral("source"), engine.newQObject(&source));
    const QJSValue js = engine.evaluate(script);
    // No text of the value: the engine's join does not stop at an array that holds itself.
    QVERIFY(!js.isError());
    const QVariant expected = js.toVariant();
    TError error;
    const QVariant converted = TScriptValue::toVariant(js, &error);
    QVERIFY(!error.isValid());
    QCOMPARE(converted.userType(), expected.userType());
    QCOMPARE(converted, expected);
    QCOMPARE(TScriptValue::toPlain(QVariant::fromValue(js)), js.isNull() ? QVariant() : expected);
}

void tst_TScriptValue::deepValuesRefused_data()
{
    // A script that leaves the value in v, and whether it converts.
    QTest::addColumn<QString>("script");
    QTest::addColumn<bool>("converts");
    QTest::newRow("30000 levels of objects") << "var v = {}; for (var i = 0; i < 30000; ++i) v = {a: v};" << false;
    QTest::newRow("30000 levels of arrays") << "var v = 0; for (var i = 0; i < 30000; ++i) v = [v];" << false;
    QTest::newRow("deep below a wide object") << "var d = 0; for (var i = 0; i < 30000; ++i) d = {x: [d]};"
                                                 " var v = {a: 1, b: [1, 2, 3], c: d};"
                                              << false;
    QTest::newRow("257 levels") << "var v = 0; for (var i = 0; i < 257; ++i) v = [v];" << false;
    QTest::newRow("256 levels") << "var v = 0; for (var i = 0; i < 256; ++i) v = [v];" << true;
    QTest::newRow("getter that nests without end")
            << "function level() { return {get next() { return level(); }}; } var v = level();" << false;
}

void tst_TScriptValue::deepValuesRefused()
{
    QFETCH(QString, script);
    QFETCH(bool, converts);
    QJSEngine engine;
    const QJSValue js = engine.evaluate(script + QStringLiteral("; v"));
    QVERIFY(!js.isError());

    TError error;
    const QVariant converted = TScriptValue::toVariant(js, &error);
    QCOMPARE(converted.isValid(), converts);
    QCOMPARE(error.isValid(), !converts);
    if (!converts)
        QVERIFY2(error.text().contains(QLatin1String("deeper than 256 levels")), qPrintable(error.text()));

    // The same value handed to a slot inside a list from C++.
    if (!converts) {
        TError listError;
        QVERIFY(!TScriptValue::toPlain(QVariantList {1, QVariant::fromValue(js)}, &listError).isValid());
        QVERIFY(listError.isValid());
    }
}

void tst_TScriptValue::refusalLoggedWithoutErrorRecord()
{
    VekLogCapture log;
    QJSEngine engine;
    const QJSValue deep = engine.evaluate("var v = []; for (var i = 0; i < 30000; ++i) v = [v]; v");
    QVERIFY(!TScriptValue::toPlain(QVariant::fromValue(deep)).isValid());
    QCOMPARE(log.texts(QStringLiteral("error")).size(), 1);
    QVERIFY(log.texts(QStringLiteral("error")).constFirst().contains(QLatin1String("deeper than 256 levels")));

    // Plain C++ lists count their levels the same way.
    log.clear();
    QVariant plain = 0;
    for (int i = 0; i < 300; ++i)
        plain = QVariantList {plain};
    QVERIFY(!TScriptValue::toPlain(plain).isValid());
    QCOMPARE(log.texts(QStringLiteral("error")).size(), 1);
    TError error;
    QVERIFY(!TScriptValue::toPlain(plain, &error).isValid());
    QVERIFY(error.isValid());
    QCOMPARE(log.texts(QStringLiteral("error")).size(), 1);
}

void tst_TScriptValue::propertiesReadOnce()
{
    // A getter that answers a small value first and a deep one after cannot
    // slip past the limit: every property is read once.
    QJSEngine engine;
    const QJSValue js = engine.evaluate("var reads = 0;"
                                        " var deep = 0; for (var i = 0; i < 30000; ++i) deep = [deep];"
                                        " ({get a() { return ++reads === 1 ? 'small' : deep; },"
                                        "   l: [1, {get b() { ++reads; return 2; }}]})");
    QVERIFY(!js.isError());
    TError error;
    const QVariant converted = TScriptValue::toVariant(js, &error);
    QVERIFY(!error.isValid());
    QCOMPARE(converted, QVariant(QVariantMap {{"a", "small"}, {"l", QVariantList {1, QVariantMap {{"b", 2}}}}}));
    QCOMPARE(engine.globalObject().property(QStringLiteral("reads")).toInt(), 2);
}

QTEST_GUILESS_MAIN(tst_TScriptValue)
#include "tst_tscriptvalue.moc"
