// The mask frame laid over a target widget.
#include "tmaskframe.h"

#include <QPointer>
#include <QtTest>

class tst_TMaskFrame : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void coversTargetAndFollowsItsSize();
    void targetInNestedWidget();
    void retargetingStopsFollowingTheOldTarget();
    void targetDestroyedFirst();
    void withoutParentGeometryStays();
};

void tst_TMaskFrame::coversTargetAndFollowsItsSize()
{
    QWidget window;
    window.resize(300, 200);
    auto *target = new QWidget(&window);
    target->setGeometry(20, 30, 100, 50);
    auto *sibling = new QWidget(&window);
    auto *mask = new TMaskFrame(&window);
    sibling->raise(); // the mask must come back on top

    window.show(); // resize events reach only shown widgets
    mask->showMask(target);
    QCOMPARE(mask->geometry(), QRect(20, 30, 100, 50));
    QVERIFY(!mask->isHidden());
    QCOMPARE(window.children().last(), mask); // raised above its siblings
    QCOMPARE(mask->targetWidget(), target);

    target->resize(140, 90);
    QCOMPARE(mask->geometry(), QRect(20, 30, 140, 90));
}

void tst_TMaskFrame::targetInNestedWidget()
{
    // The target need not be a direct child of the mask's parent.
    QWidget window;
    auto *panel = new QWidget(&window);
    panel->setGeometry(10, 5, 200, 150);
    auto *target = new QWidget(panel);
    target->setGeometry(7, 9, 30, 40);
    TMaskFrame mask(&window);
    mask.showMask(target);
    QCOMPARE(mask.geometry(), QRect(17, 14, 30, 40));
}

void tst_TMaskFrame::retargetingStopsFollowingTheOldTarget()
{
    QWidget window;
    auto *first = new QWidget(&window);
    first->setGeometry(0, 0, 10, 10);
    auto *second = new QWidget(&window);
    second->setGeometry(50, 50, 20, 20);
    TMaskFrame mask(&window);
    window.show();
    mask.showMask(first);
    mask.showMask(second);
    first->resize(99, 99);
    QCOMPARE(mask.geometry(), QRect(50, 50, 20, 20));
    second->resize(25, 26);
    QCOMPARE(mask.geometry(), QRect(50, 50, 25, 26));

    mask.setTargetWidget(nullptr);
    second->resize(5, 5);
    QCOMPARE(mask.geometry(), QRect(50, 50, 25, 26));
    QVERIFY(!mask.targetWidget());
}

void tst_TMaskFrame::targetDestroyedFirst()
{
    QWidget window;
    QPointer<QWidget> target = new QWidget(&window);
    TMaskFrame mask(&window);
    mask.showMask(target);
    delete target.data();
    QVERIFY(!mask.targetWidget());
    mask.showMask(nullptr); // nothing to follow, nothing to crash on
}

void tst_TMaskFrame::withoutParentGeometryStays()
{
    QWidget target;
    target.resize(40, 40);
    TMaskFrame mask;
    mask.setGeometry(1, 2, 3, 4);
    mask.setTargetWidget(&target);
    target.resize(60, 60);
    QCOMPARE(mask.geometry(), QRect(1, 2, 3, 4));
}

QTEST_MAIN(tst_TMaskFrame)
#include "tst_tmaskframe.moc"
