#include "tconcurrent.h"

#include <QThread>
#include <QtTest>

class tst_TConcurrent : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void immediateResult();
    void runsOnPoolAndKeepsEventsFlowing();
    void emptyFunction();
    void nestedRunSync();
};

void tst_TConcurrent::immediateResult()
{
    for (int i = 0; i < 200; ++i)
        QCOMPARE(TConcurrent::runSync([i] { return QVariant(i); }), QVariant(i));
}

void tst_TConcurrent::runsOnPoolAndKeepsEventsFlowing()
{
    QThread *caller = QThread::currentThread();
    int ticks = 0;
    QTimer timer;
    connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(5);
    const QVariant result = TConcurrent::runSync([caller] {
        QThread::msleep(100);
        return QVariant(QThread::currentThread() != caller);
    });
    QCOMPARE(result, QVariant(true));
    QVERIFY2(ticks >= 2, "the caller's timer must tick while it waits");
}

void tst_TConcurrent::emptyFunction() { QVERIFY(!TConcurrent::runSync(std::function<QVariant()>()).isValid()); }

void tst_TConcurrent::nestedRunSync()
{
    // A waiting caller may be re-entered by its own events and wait again.
    QVariant inner;
    QTimer::singleShot(0, [&] { inner = TConcurrent::runSync([] { return QVariant("inner"); }); });
    const QVariant outer = TConcurrent::runSync([] {
        QThread::msleep(50);
        return QVariant("outer");
    });
    QCOMPARE(outer, QVariant("outer"));
    QCOMPARE(inner, QVariant("inner"));
}

QTEST_GUILESS_MAIN(tst_TConcurrent)
#include "tst_tconcurrent.moc"
