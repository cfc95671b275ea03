#include "tuuideventloop.h"

#include <QJSEngine>
#include <QtTest>

class tst_TUuidEventLoop : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void matching_data();
    void matching();
    void quitBeforeExecStillWaits();
    void nestedWaitsDoNotEndEachOther();
    void uuidChangedWhileRunning();
    void scriptObjectBecomesPlainMap();
};

void tst_TUuidEventLoop::matching_data()
{
    QTest::addColumn<QString>("loopUuid");
    QTest::addColumn<QString>("answerUuid");
    QTest::addColumn<bool>("ends");
    QTest::newRow("same") << "a1-b2"
                          << "a1-b2" << true;
    QTest::newRow("other letter case") << "a1-b2"
                                       << "A1-B2" << false;
    QTest::newRow("other identifier") << "a1-b2"
                                      << "a1-b3" << false;
    QTest::newRow("none, empty answer") << QString() << "" << true;
    QTest::newRow("none, some answer") << QString() << "x" << false;
    QTest::newRow("some, empty answer") << "x"
                                        << "" << false;
}

void tst_TUuidEventLoop::matching()
{
    QFETCH(QString, loopUuid);
    QFETCH(QString, answerUuid);
    QFETCH(bool, ends);

    TUuidEventLoop loop;
    if (!loopUuid.isNull())
        loop.setUuid(loopUuid);
    QCOMPARE(loop.uuid(), loopUuid.isNull() ? QString("") : loopUuid);
    QTimer::singleShot(0, &loop, [&] { loop.quit(answerUuid, {{"answer", "first"}}); });
    // The safety answer ends the wait in any case, so a wrong match shows as
    // the wrong data rather than as a hang.
    QTimer::singleShot(30, &loop, [&] { loop.quit(loop.uuid(), {{"answer", "late"}}); });
    loop.exec();
    QCOMPARE(loop.data().value("answer").toString(), QString(ends ? "first" : "late"));
}

void tst_TUuidEventLoop::quitBeforeExecStillWaits()
{
    TUuidEventLoop loop(QStringLiteral("id"));
    loop.quit("id", {{"early", 1}});
    QCOMPARE(loop.data(), (QVariantMap {{"early", 1}}));
    bool answered = false;
    QTimer::singleShot(10, &loop, [&] {
        answered = true;
        loop.quit("id", {{"late", 2}});
    });
    loop.exec();
    QVERIFY(answered);
    QCOMPARE(loop.data(), (QVariantMap {{"late", 2}}));
}

void tst_TUuidEventLoop::nestedWaitsDoNotEndEachOther()
{
    TUuidEventLoop outer(QStringLiteral("A"));
    QStringList order;
    QTimer::singleShot(0, &outer, [&] {
        TUuidEventLoop inner(QStringLiteral("B"));
        // The outer answer arrives first, while the inner wait runs.
        QTimer::singleShot(0, &outer, [&] {
            outer.quit("A", {{"for", "A"}});
            inner.quit("A", {{"for", "wrong"}});
        });
        QTimer::singleShot(20, &inner, [&] { inner.quit("B", {{"for", "B"}}); });
        inner.exec();
        order << "inner:" + inner.data().value("for").toString();
    });
    outer.exec();
    order << "outer:" + outer.data().value("for").toString();
    QCOMPARE(order, (QStringList {"inner:B", "outer:A"}));
}

void tst_TUuidEventLoop::uuidChangedWhileRunning()
{
    TUuidEventLoop loop(QStringLiteral("old"));
    QTimer::singleShot(0, &loop, [&] {
        loop.setUuid("new");
        loop.quit("old", {{"by", "old"}});
    });
    QTimer::singleShot(20, &loop, [&] { loop.quit("new", {{"by", "new"}}); });
    loop.exec();
    QCOMPARE(loop.data().value("by").toString(), QStringLiteral("new"));
}

void tst_TUuidEventLoop::scriptObjectBecomesPlainMap()
{
    QObject owner;
    auto *loop = new TUuidEventLoop(QStringLiteral("id"), &owner);
    QJSEngine engine;
    engine.globalObject().setProperty("loop", engine.newQObject(loop));
    QTimer::singleShot(0, loop, [&] {
        const QJSValue r = engine.evaluate("loop.quit('id', {rows: [1, {a: 'x'}], n: null})");
        QVERIFY2(!r.isError(), qPrintable(r.toString()));
    });
    QTimer::singleShot(5000, loop, [&] { loop->quit("id", {{"timeout", true}}); });
    loop->exec();
    const QVariantMap data = loop->data();
    QVERIFY(!data.contains("timeout"));
    const QVariant rows = data.value("rows");
    QCOMPARE(rows.userType(), int(QMetaType::QVariantList));
    QCOMPARE(rows.toList().at(1).userType(), int(QMetaType::QVariantMap));
    QCOMPARE(rows.toList().at(1).toMap().value("a").toString(), QStringLiteral("x"));
    QCOMPARE(engine.evaluate("loop.uuid()").toString(), QStringLiteral("id"));
}

QTEST_GUILESS_MAIN(tst_TUuidEventLoop)
#include "tst_tuuideventloop.moc"
