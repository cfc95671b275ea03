#include "tscriptvalue.h"

#include <QJSEngine>
#include <QtTest>

class tst_TScriptValue : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void scriptValuesBecomePlain_data();
    void scriptValuesBecomePlain();
    void plainValuesPassThrough();
    void plainListsStayShared();
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

QTEST_GUILESS_MAIN(tst_TScriptValue)
#include "tst_tscriptvalue.moc"
