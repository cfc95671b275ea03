// The pop-up window: its unfolding animation, and moving and resizing by mouse.
#include "controlstest.h"
#include "tpopupwindow.h"

#include <QHoverEvent>
#include <QMouseEvent>
#include <QPropertyAnimation>
#include <QtTest>

namespace {

void hover(QObject *iTarget, const QPoint &iPos)
{
    QHoverEvent event(QEvent::HoverMove, iPos, iPos);
    QCoreApplication::sendEvent(iTarget, &event);
}

void mouse(QObject *iTarget, QEvent::Type iType, const QPoint &iLocal, const QPoint &iGlobal, Qt::MouseButton iButton,
           Qt::MouseButtons iButtons)
{
    QMouseEvent event(iType, iLocal, iLocal, iGlobal, iButton, iButtons, Qt::NoModifier);
    QCoreApplication::sendEvent(iTarget, &event);
}

// Presses the left button at a local position, drags by iDelta and releases.
void drag(QWidget *iWindow, const QPoint &iLocal, const QPoint &iDelta)
{
    const QPoint global = iWindow->geometry().topLeft() + iLocal;
    hover(iWindow, iLocal);
    mouse(iWindow, QEvent::MouseButtonPress, iLocal, global, Qt::LeftButton, Qt::LeftButton);
    mouse(iWindow, QEvent::MouseMove, iLocal + iDelta, global + iDelta, Qt::NoButton, Qt::LeftButton);
    mouse(iWindow, QEvent::MouseButtonRelease, iLocal + iDelta, global + iDelta, Qt::LeftButton, Qt::NoButton);
}

} // namespace

Q_DECLARE_METATYPE(Qt::CursorShape)

class tst_TPopupWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void startRectangles_data();
    void startRectangles();
    void secondPopupRestartsTheSameAnimation();
    void hoverPicksRegionAndCursor_data();
    void hoverPicksRegionAndCursor();
    void dragging_data();
    void dragging();
    void leftEdgeKeepsAMinimumWidth();
    void notResizableOnlyMoves();
    void notMoveableStaysPut();
    void filteredChildEventsActOnTheWindow();
    void commonKeysOnly();
};

void tst_TPopupWindow::startRectangles_data()
{
    QTest::addColumn<QRect>("target");
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("byAlignment");
    QTest::addColumn<QRect>("start");

    const QRect r(10, 20, 101, 51);
    QTest::newRow("left") << r << int(TPopupWindow::PopupFromLeft) << false << QRect(10, 20, 1, 51);
    QTest::newRow("right") << r << int(TPopupWindow::PopupFromRight) << false << QRect(110, 20, 1, 51);
    QTest::newRow("top") << r << int(TPopupWindow::PopupFromTop) << false << QRect(10, 20, 101, 1);
    QTest::newRow("bottom") << r << int(TPopupWindow::PopupFromBottom) << false << QRect(10, 70, 101, 1);
    QTest::newRow("centre") << QRect(0, 0, 101, 51) << int(TPopupWindow::PopupFromCenter) << false
                            << QRect(50, 25, 1, 1);
    QTest::newRow("unknown side") << r << 9 << false << QRect(10, 20, 1, 51);

    QTest::newRow("AlignLeft") << r << int(Qt::AlignLeft) << true << QRect(10, 20, 1, 51);
    QTest::newRow("AlignRight") << r << int(Qt::AlignRight) << true << QRect(110, 20, 1, 51);
    QTest::newRow("AlignTop") << r << int(Qt::AlignTop) << true << QRect(10, 20, 101, 1);
    QTest::newRow("AlignBottom") << r << int(Qt::AlignBottom) << true << QRect(10, 70, 101, 1);
    QTest::newRow("AlignCenter") << QRect(0, 0, 101, 51) << int(Qt::AlignCenter) << true << QRect(50, 25, 1, 1);
    QTest::newRow("AlignHCenter alone") << r << int(Qt::AlignHCenter) << true << QRect(10, 20, 1, 51);
    QTest::newRow("AlignLeft|AlignTop") << r << int(Qt::AlignLeft | Qt::AlignTop) << true << QRect(10, 20, 1, 51);
}

void tst_TPopupWindow::startRectangles()
{
    QFETCH(QRect, target);
    QFETCH(int, position);
    QFETCH(bool, byAlignment);
    QFETCH(QRect, start);

    TPopupWindow popup;
    QVERIFY(!popup.findChild<QPropertyAnimation *>()); // made at the first pop-up
    if (byAlignment)
        popup.popup(target, Qt::Alignment(position));
    else
        popup.popup(target, TPopupWindow::PopupPosition(position));
    QVERIFY(popup.isVisible());
    auto *animation = popup.findChild<QPropertyAnimation *>();
    QVERIFY(animation);
    QCOMPARE(animation->propertyName(), QByteArray("geometry"));
    QCOMPARE(animation->startValue().toRect(), start);
    QCOMPARE(animation->endValue().toRect(), target);
    QCOMPARE(animation->duration(), 300);
    QCOMPARE(animation->easingCurve().type(), QEasingCurve::InOutQuart);
    QTRY_COMPARE(popup.geometry(), target);
}

void tst_TPopupWindow::secondPopupRestartsTheSameAnimation()
{
    TPopupWindow popup;
    popup.popup(QRect(0, 0, 200, 100), TPopupWindow::PopupFromLeft);
    auto *animation = popup.findChild<QPropertyAnimation *>();
    QVERIFY(animation);
    QTest::qWait(50); // midway

    popup.popup(QRect(300, 300, 80, 60), TPopupWindow::PopupFromTop);
    QCOMPARE(popup.findChildren<QPropertyAnimation *>().size(), 1);
    QCOMPARE(popup.findChild<QPropertyAnimation *>(), animation);
    QCOMPARE(animation->state(), QAbstractAnimation::Running);
    QVERIFY(animation->currentTime() < 50); // from the beginning again
    QCOMPARE(animation->startValue().toRect(), QRect(300, 300, 80, 1));
    QTRY_COMPARE(popup.geometry(), QRect(300, 300, 80, 60));
}

void tst_TPopupWindow::hoverPicksRegionAndCursor_data()
{
    QTest::addColumn<QPoint>("pos");
    QTest::addColumn<Qt::CursorShape>("shape");

    // A window of 200 x 100: corners 9 pixels, left/top band below 7, right/bottom band from w - 6.
    QTest::newRow("bottom-right corner") << QPoint(191, 91) << Qt::SizeFDiagCursor;
    QTest::newRow("top-left corner") << QPoint(9, 9) << Qt::SizeFDiagCursor;
    QTest::newRow("bottom-left corner") << QPoint(0, 95) << Qt::SizeBDiagCursor;
    QTest::newRow("top-right corner") << QPoint(195, 3) << Qt::SizeBDiagCursor;
    QTest::newRow("left") << QPoint(6, 50) << Qt::SizeHorCursor;
    QTest::newRow("left band ends") << QPoint(7, 50) << Qt::ArrowCursor;
    QTest::newRow("right") << QPoint(194, 50) << Qt::SizeHorCursor;
    QTest::newRow("right band starts at w - 6") << QPoint(193, 50) << Qt::ArrowCursor;
    QTest::newRow("top") << QPoint(100, 6) << Qt::SizeVerCursor;
    QTest::newRow("bottom") << QPoint(100, 94) << Qt::SizeVerCursor;
    QTest::newRow("inside") << QPoint(100, 50) << Qt::ArrowCursor;
}

void tst_TPopupWindow::hoverPicksRegionAndCursor()
{
    QFETCH(QPoint, pos);
    QFETCH(Qt::CursorShape, shape);
    TPopupWindow popup;
    popup.resize(200, 100);
    popup.setCursor(Qt::CrossCursor);
    hover(&popup, pos);
    QCOMPARE(popup.cursor().shape(), shape);
}

void tst_TPopupWindow::dragging_data()
{
    QTest::addColumn<QPoint>("press");
    QTest::addColumn<QPoint>("delta");
    QTest::addColumn<QRect>("geometry");

    // The window starts at (100, 100), 200 x 100.
    QTest::newRow("diagonal 8 px from both edges") << QPoint(192, 92) << QPoint(10, 20) << QRect(100, 100, 202, 112);
    QTest::newRow("8 px from the right edge moves") << QPoint(192, 50) << QPoint(10, 20) << QRect(110, 120, 200, 100);
    QTest::newRow("right edge") << QPoint(196, 50) << QPoint(10, 20) << QRect(100, 100, 206, 100);
    QTest::newRow("top edge") << QPoint(100, 2) << QPoint(10, -20) << QRect(100, 82, 200, 118);
    QTest::newRow("top-left corner") << QPoint(2, 2) << QPoint(-10, -20) << QRect(92, 82, 208, 118);
    QTest::newRow("bottom-left corner") << QPoint(2, 97) << QPoint(30, 5) << QRect(132, 100, 168, 102);
    QTest::newRow("inside moves") << QPoint(100, 50) << QPoint(-30, 7) << QRect(70, 107, 200, 100);
    QTest::newRow("bottom too small") << QPoint(100, 97) << QPoint(0, -60) << QRect(100, 100, 200, 100);
}

void tst_TPopupWindow::dragging()
{
    QFETCH(QPoint, press);
    QFETCH(QPoint, delta);
    QFETCH(QRect, geometry);
    TPopupWindow popup;
    popup.setGeometry(100, 100, 200, 100);
    popup.show();
    drag(&popup, press, delta);
    QCOMPARE(popup.geometry(), geometry);
}

void tst_TPopupWindow::leftEdgeKeepsAMinimumWidth()
{
    TPopupWindow popup;
    popup.setGeometry(100, 100, 60, 100);
    popup.show();
    const QPoint local(2, 50);
    const QPoint global(102, 150);
    hover(&popup, local);
    mouse(&popup, QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton);
    for (int gx = 102; gx <= 160; ++gx)
        mouse(&popup, QEvent::MouseMove, local, QPoint(gx, 150), Qt::NoButton, Qt::LeftButton);
    // The width must exceed 50: it stops at 51, the right edge stays.
    QCOMPARE(popup.geometry(), QRect(109, 100, 51, 100));

    // A larger minimum width wins over 50.
    popup.setMinimumWidth(55);
    popup.setGeometry(100, 100, 60, 100);
    mouse(&popup, QEvent::MouseMove, local, QPoint(104, 150), Qt::NoButton, Qt::LeftButton);
    QCOMPARE(popup.geometry(), QRect(104, 100, 56, 100));
    mouse(&popup, QEvent::MouseMove, local, QPoint(105, 150), Qt::NoButton, Qt::LeftButton);
    QCOMPARE(popup.geometry(), QRect(104, 100, 56, 100));
}

void tst_TPopupWindow::notResizableOnlyMoves()
{
    TPopupWindow popup;
    QVERIFY(popup.isResizable());
    popup.setResizable(false);
    QVERIFY(!popup.isResizable());
    popup.setGeometry(100, 100, 200, 100);
    popup.show();
    popup.setCursor(Qt::CrossCursor);
    hover(&popup, QPoint(199, 99));
    QCOMPARE(popup.cursor().shape(), Qt::CrossCursor);
    drag(&popup, QPoint(199, 99), QPoint(10, 10));
    QCOMPARE(popup.geometry(), QRect(110, 110, 200, 100));
}

void tst_TPopupWindow::notMoveableStaysPut()
{
    TPopupWindow popup;
    QVERIFY(popup.isMoveable());
    popup.setMoveable(false);
    QVERIFY(!popup.isMoveable());
    popup.setGeometry(100, 100, 200, 100);
    popup.show();
    drag(&popup, QPoint(100, 50), QPoint(30, 30));
    QCOMPARE(popup.geometry(), QRect(100, 100, 200, 100));
    drag(&popup, QPoint(197, 50), QPoint(30, 30)); // still resizable
    QCOMPARE(popup.geometry(), QRect(100, 100, 227, 100));
}

void tst_TPopupWindow::filteredChildEventsActOnTheWindow()
{
    TPopupWindow popup;
    popup.setGeometry(100, 100, 200, 100);
    auto *child = new QWidget(&popup);
    child->setGeometry(40, 30, 100, 40);
    child->installEventFilter(&popup);
    popup.show();

    // Positions stay the child's own: (50, 20) in the child is no border of the window.
    hover(child, QPoint(50, 20));
    QCOMPARE(popup.cursor().shape(), Qt::ArrowCursor);
    mouse(child, QEvent::MouseButtonPress, QPoint(50, 20), QPoint(190, 150), Qt::LeftButton, Qt::LeftButton);
    mouse(child, QEvent::MouseMove, QPoint(50, 20), QPoint(200, 155), Qt::NoButton, Qt::LeftButton);
    mouse(child, QEvent::MouseButtonRelease, QPoint(50, 20), QPoint(200, 155), Qt::LeftButton, Qt::NoButton);
    QCOMPARE(popup.geometry(), QRect(110, 105, 200, 100));
}

void tst_TPopupWindow::commonKeysOnly()
{
    TPopupWindow popup;
    QSignalSpy spy(&popup, &TPopupWindow::signal);
    popup.setAttr("tool_tip", "Filter");
    popup.setAttr("value", "ignored");
    QCOMPARE(popup.toolTip(), QString("Filter"));
    QVERIFY(!popup.getAttr("value").isValid());
    QCOMPARE(popup.getAttr("enabled"), QVariant(true));
    QVERIFY(spy.isEmpty());
    QVERIFY(popup.testAttribute(Qt::WA_Hover));
    QCOMPARE(int(popup.windowFlags() & (Qt::Popup | Qt::FramelessWindowHint)),
             int(Qt::Popup | Qt::FramelessWindowHint));
}

QTEST_MAIN(tst_TPopupWindow)
#include "tst_tpopupwindow.moc"
