// The floating button that starts a screen capture.
#include "capturetest.h"
#include "tpushbuttonscreenshots.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using capturetest::mouse;

class tst_TPushButtonScreenShots : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void shape();
    void clickIsPassedOn();
    void dragWithLeftButton();
    void otherButtonsDoNotDrag();
};

void tst_TPushButtonScreenShots::shape()
{
    TPushButtonScreenShots floating;
    QVERIFY(floating.windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(floating.windowFlags() & Qt::WindowStaysOnTopHint);
    QVERIFY(floating.isWindow());
    auto *button = floating.findChild<QPushButton *>();
    QVERIFY(button);
    QCOMPARE(button->text(), TPushButtonScreenShots::tr("Click To Start Snap"));
    QCOMPARE(button->property("SS").toString(), QStringLiteral("A"));
    auto *icon = floating.findChild<QLabel *>();
    QVERIFY(icon);
    QCOMPARE(icon->property("SS").toString(), QStringLiteral("A"));
    auto *layout = qobject_cast<QHBoxLayout *>(floating.layout());
    QCOMPARE(layout->contentsMargins(), QMargins(10, 0, 0, 0));
    QCOMPARE(layout->spacing(), 10);
    QCOMPARE(layout->indexOf(icon), 0);
    QCOMPARE(layout->indexOf(button), 1);
}

void tst_TPushButtonScreenShots::clickIsPassedOn()
{
    TPushButtonScreenShots floating;
    QSignalSpy clicked(&floating, &TPushButtonScreenShots::clicked);
    floating.findChild<QPushButton *>()->click();
    floating.findChild<QPushButton *>()->click();
    QCOMPARE(clicked.count(), 2);
}

void tst_TPushButtonScreenShots::dragWithLeftButton()
{
    TPushButtonScreenShots floating;
    floating.move(100, 100);
    floating.show();
    QVERIFY(QTest::qWaitForWindowExposed(&floating));
    const QPoint start = floating.pos();

    // Grabbed 4 pixels into the margin, dragged by (50, 30).
    mouse(&floating, QEvent::MouseButtonPress, QPoint(4, 4), Qt::LeftButton, Qt::LeftButton);
    QMouseEvent move(QEvent::MouseMove, QPoint(54, 34), start + QPoint(54, 34), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&floating, &move);
    QCOMPARE(floating.pos(), start + QPoint(50, 30));
    mouse(&floating, QEvent::MouseButtonRelease, QPoint(4, 4), Qt::LeftButton, Qt::NoButton);

    // Released: moves no longer drag.
    const QPoint dropped = floating.pos();
    QMouseEvent after(QEvent::MouseMove, QPoint(90, 90), dropped + QPoint(90, 90), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&floating, &after);
    QCOMPARE(floating.pos(), dropped);
}

void tst_TPushButtonScreenShots::otherButtonsDoNotDrag()
{
    TPushButtonScreenShots floating;
    floating.move(100, 100);
    floating.show();
    QVERIFY(QTest::qWaitForWindowExposed(&floating));
    const QPoint start = floating.pos();
    mouse(&floating, QEvent::MouseButtonPress, QPoint(4, 4), Qt::RightButton, Qt::RightButton);
    QMouseEvent move(QEvent::MouseMove, QPoint(60, 60), start + QPoint(60, 60), Qt::NoButton, Qt::RightButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&floating, &move);
    QCOMPARE(floating.pos(), start);

    // A left release without a press leaves the window where it is.
    mouse(&floating, QEvent::MouseButtonRelease, QPoint(4, 4), Qt::LeftButton, Qt::NoButton);
    QApplication::sendEvent(&floating, &move);
    QCOMPARE(floating.pos(), start);
}

QTEST_MAIN(tst_TPushButtonScreenShots)
#include "tst_tpushbuttonscreenshots.moc"
