// The capture selection layer and its eight handles.
#include "capturetest.h"
#include "pushpoint.h"
#include "selectrect.h"

#include <QSignalSpy>
#include <QtTest>

using capturetest::click;
using capturetest::drag;
using capturetest::mouse;

namespace {

// A layer over an 800 x 600 parent, as inside the capture widget.
struct Layer
{
    Layer()
    {
        parent.resize(800, 600);
        layer = new SelectRect(&parent);
        parent.show();
        layer->reset();
    }
    QWidget parent;
    SelectRect *layer = nullptr;
};

// Drags a handle with the left button by iDelta, in the layer's coordinates.
void dragHandle(PushPoint *iHandle, const QPoint &iDelta)
{
    const QPoint grab(6, 6);
    mouse(iHandle, QEvent::MouseButtonPress, grab, Qt::LeftButton, Qt::LeftButton);
    mouse(iHandle, QEvent::MouseMove, grab + iDelta, Qt::NoButton, Qt::LeftButton);
    mouse(iHandle, QEvent::MouseButtonRelease, grab + iDelta, Qt::LeftButton, Qt::NoButton);
}

} // namespace

class tst_SelectRect : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { PushPoint::setEditingAllowed(true); }
    void dragOutSelection();
    void minimumSize_data();
    void minimumSize();
    void plainClick();
    void plainClickTakesReceiversRect();
    void dragStopsAtEdges_data();
    void dragStopsAtEdges();
    void handlesFollowBorder();
    void handleResize_data();
    void handleResize();
    void handlesFrozenWhileDrawing();
    void resetForgetsSelection();
    void rightAndDoubleClicksPassOn();
};

void tst_SelectRect::dragOutSelection()
{
    Layer l;
    QVERIFY(l.layer->isVisible());
    QCOMPARE(l.layer->geometry(), QRect(0, 0, 800, 600));
    QSignalSpy changed(l.layer, &SelectRect::rectChanged);
    // Dragged up-left: the rectangle is normalised.
    drag(l.layer, QPoint(300, 250), QPoint(100, 50));
    QVERIFY(l.layer->hasSelection());
    QCOMPARE(l.layer->rect(), QRect(QPoint(100, 50), QPoint(300, 250)));
    QCOMPARE(changed.count(), 2);
    QCOMPARE(changed.last().at(0).toRect(), l.layer->rect());
    QCOMPARE(l.layer->borderRect(), QRect(99, 49, 202, 202));
}

void tst_SelectRect::minimumSize_data()
{
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<bool>("selected");
    QTest::addColumn<int>("releases");

    // Dragged from (100, 100): a 4 x 4 rectangle spans (100, 100) to (103, 103).
    QTest::newRow("exactly 4 x 4") << QPoint(103, 103) << true << 0;
    QTest::newRow("3 wide") << QPoint(102, 150) << false << 1;
    QTest::newRow("3 high") << QPoint(150, 102) << false << 1;
}

void tst_SelectRect::minimumSize()
{
    QFETCH(QPoint, to);
    QFETCH(bool, selected);
    QFETCH(int, releases);

    Layer l;
    QSignalSpy released(l.layer, &SelectRect::releaseWithoutMove);
    drag(l.layer, QPoint(100, 100), to);
    QCOMPARE(l.layer->hasSelection(), selected);
    QCOMPARE(released.count(), releases);
}

void tst_SelectRect::plainClick()
{
    // Nobody answers the first report: the click is reported twice and
    // leaves no selection.
    Layer l;
    QSignalSpy released(l.layer, &SelectRect::releaseWithoutMove);
    click(l.layer, QPoint(200, 200));
    QCOMPARE(released.count(), 2);
    QVERIFY(!l.layer->hasSelection());
}

void tst_SelectRect::plainClickTakesReceiversRect()
{
    Layer l;
    int reports = 0;
    connect(l.layer, &SelectRect::releaseWithoutMove, l.layer, [&] {
        ++reports;
        l.layer->setRect(QRect(50, 60, 200, 100));
    });
    click(l.layer, QPoint(200, 200));
    QCOMPARE(reports, 1);
    QVERIFY(l.layer->hasSelection());
    QCOMPARE(l.layer->rect(), QRect(50, 60, 200, 100));
}

void tst_SelectRect::dragStopsAtEdges_data()
{
    QTest::addColumn<QPoint>("delta");
    QTest::addColumn<QPoint>("topLeft");

    // Selection (100, 100, 200, 150) on 800 x 600.
    QTest::newRow("inside") << QPoint(30, 40) << QPoint(130, 140);
    QTest::newRow("past the left") << QPoint(-500, 0) << QPoint(0, 100);
    QTest::newRow("past the top") << QPoint(0, -500) << QPoint(100, 0);
    QTest::newRow("past the right") << QPoint(900, 0) << QPoint(600, 100);
    QTest::newRow("past the bottom") << QPoint(0, 900) << QPoint(100, 450);
}

void tst_SelectRect::dragStopsAtEdges()
{
    QFETCH(QPoint, delta);
    QFETCH(QPoint, topLeft);

    Layer l;
    drag(l.layer, QPoint(100, 100), QPoint(299, 249));
    QCOMPARE(l.layer->rect(), QRect(100, 100, 200, 150));
    const QPoint grab(150, 150);
    mouse(l.layer, QEvent::MouseButtonPress, grab, Qt::LeftButton, Qt::LeftButton);
    mouse(l.layer, QEvent::MouseMove, grab + delta, Qt::NoButton, Qt::LeftButton);
    mouse(l.layer, QEvent::MouseButtonRelease, grab + delta, Qt::LeftButton, Qt::NoButton);
    QCOMPARE(l.layer->rect(), QRect(topLeft, QSize(200, 150)));

    // Outside the selection a press drags nothing.
    mouse(l.layer, QEvent::MouseButtonPress, QPoint(5, 595), Qt::LeftButton, Qt::LeftButton);
    mouse(l.layer, QEvent::MouseMove, QPoint(50, 500), Qt::NoButton, Qt::LeftButton);
    QCOMPARE(l.layer->rect(), QRect(topLeft, QSize(200, 150)));
}

void tst_SelectRect::handlesFollowBorder()
{
    Layer l;
    const QList<PushPoint *> handles = l.layer->pushPoints();
    QCOMPARE(handles.size(), 8);
    for (PushPoint *handle : handles)
        QCOMPARE(handle->pos(), QPoint(-100, -100));
    l.layer->setRect(QRect(101, 101, 199, 149)); // border (100, 100, 200, 150)
    const QPoint expected[8]
            = {{94, 94}, {294, 94}, {194, 94}, {94, 244}, {294, 244}, {194, 244}, {94, 169}, {294, 169}};
    const Qt::CursorShape cursors[8]
            = {Qt::SizeFDiagCursor, Qt::SizeBDiagCursor, Qt::SizeVerCursor, Qt::SizeBDiagCursor,
               Qt::SizeFDiagCursor, Qt::SizeVerCursor,   Qt::SizeHorCursor, Qt::SizeHorCursor};
    for (int i = 0; i < 8; ++i) {
        QCOMPARE(handles.at(i)->index(), i);
        QCOMPARE(handles.at(i)->pos(), expected[i]);
        QCOMPARE(handles.at(i)->cursor().shape(), cursors[i]);
    }
    QCOMPARE(PushPoint::cursorForIndex(8), Qt::ArrowCursor);

    // At the screen's corner the border is the selection itself.
    l.layer->setRect(QRect(0, 0, 50, 50));
    QCOMPARE(l.layer->borderRect(), QRect(0, 0, 50, 50));
}

void tst_SelectRect::handleResize_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QPoint>("delta");
    QTest::addColumn<QRect>("result");

    // Selection (200, 200, 200, 150), border (199, 199, 201, 151): the
    // handles sit at the border's corners pushed 6 outward, and the dragged
    // edge goes to the handle's own top-left corner.
    QTest::newRow("bottom-right grows") << 4 << QPoint(50, 30) << QRect(200, 200, 244, 174);
    QTest::newRow("bottom-right stops at 60 x 60") << 4 << QPoint(-300, -300) << QRect(200, 200, 60, 60);
    QTest::newRow("top-left stops at 60 x 60") << 0 << QPoint(300, 300) << QRect(340, 290, 60, 60);
    QTest::newRow("top-left clamps at the screen") << 0 << QPoint(-500, -500) << QRect(0, 0, 400, 350);
    QTest::newRow("bottom-middle keeps its x") << 5 << QPoint(80, 40) << QRect(200, 200, 200, 184);
    QTest::newRow("right-middle keeps its y") << 7 << QPoint(40, 80) << QRect(200, 200, 234, 150);
}

void tst_SelectRect::handleResize()
{
    QFETCH(int, index);
    QFETCH(QPoint, delta);
    QFETCH(QRect, result);

    Layer l;
    l.layer->setRect(QRect(200, 200, 200, 150));
    QSignalSpy changed(l.layer, &SelectRect::rectChanged);
    dragHandle(l.layer->pushPoints().at(index), delta);
    QCOMPARE(l.layer->rect(), result);
    QVERIFY(l.layer->rect().width() >= 60 && l.layer->rect().height() >= 60);
    QCOMPARE(changed.count(), 1);
}

void tst_SelectRect::handlesFrozenWhileDrawing()
{
    Layer l;
    l.layer->setRect(QRect(200, 200, 200, 150));
    PushPoint::setEditingAllowed(false);
    dragHandle(l.layer->pushPoints().at(4), QPoint(50, 50));
    QCOMPARE(l.layer->rect(), QRect(200, 200, 200, 150));
}

void tst_SelectRect::resetForgetsSelection()
{
    Layer l;
    drag(l.layer, QPoint(100, 100), QPoint(300, 300));
    QVERIFY(l.layer->hasSelection());
    l.layer->reset();
    QVERIFY(!l.layer->hasSelection());
    QCOMPARE(l.layer->pushPoints().at(0)->pos(), QPoint(-100, -100));
    // The old rectangle does not come back through a plain click.
    QSignalSpy released(l.layer, &SelectRect::releaseWithoutMove);
    click(l.layer, QPoint(150, 150));
    QVERIFY(!l.layer->hasSelection());
    QCOMPARE(released.count(), 2);
}

void tst_SelectRect::rightAndDoubleClicksPassOn()
{
    Layer l;
    drag(l.layer, QPoint(100, 100), QPoint(300, 300));
    QMouseEvent right(QEvent::MouseButtonPress, QPoint(150, 150), Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(l.layer, &right);
    QVERIFY(!right.isAccepted());
    QMouseEvent inside(QEvent::MouseButtonDblClick, QPoint(150, 150), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(l.layer, &inside);
    QVERIFY(!inside.isAccepted());
}

QTEST_MAIN(tst_SelectRect)
#include "tst_selectrect.moc"
