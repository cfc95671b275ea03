// The frameless helper that lets the window manager move and resize a
// window: where a press lands, and what attaching changes on the window.
#include "tframelesshelperqt.h"
#include "tframelesswindowbar.h"
#include "tmainwindow.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPointer>
#include <QtTest>

using namespace TFramelessHitTest;

namespace {

TFramelessHelper *makeHelper(TFramelessWindowBar *iBar) { return new TFramelessHelperQt(iBar); }

struct HelperScope
{
    HelperScope() { TFramelessWindowBar::setHelperFactory(&makeHelper); }
    ~HelperScope() { TFramelessWindowBar::setHelperFactory(nullptr); }
};

// A shown frameless main window with a search entry on its title bar.
struct Fixture
{
    Fixture()
    {
        window = new TMainWindow;
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        window->setBodyWidget(new QLabel(QStringLiteral("body")));
        window->setWindowTitle(QStringLiteral("Work orders"));
        window->resize(400, 300);
        window->show(); // makes the bar with its default row
        bar = window->windowTitleBar();
        entry = new QLineEdit(bar);
        entry->setFixedWidth(60);
        // After the stretch, so that the middle of the bar stays empty.
        static_cast<QBoxLayout *>(bar->layout())->insertWidget(3, entry);
        bar->layout()->activate();
    }
    ~Fixture() { delete window.data(); }
    TFramelessHelperQt *helper() const { return static_cast<TFramelessHelperQt *>(bar->framelessHelper()); }
    QPoint centreOf(QWidget *iWidget) const { return iWidget->mapTo(window, iWidget->rect().center()); }

    HelperScope scope;
    QPointer<TMainWindow> window;
    TFramelessWindowBar *bar = nullptr;
    QLineEdit *entry = nullptr;
};

} // namespace

class tst_TFramelessHelperQt : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void platformFactory();
    void attachMakesFramelessDetachRestores();
    void areaAt_data();
    void areaAt();
    void pressesOnControlsReachThem();
    void doubleClickOnCaptionMaximisesAndRestores();
};

void tst_TFramelessHelperQt::platformFactory()
{
    // The offscreen platform cannot ask a window manager for anything: no helper.
    TFramelessWindowBar bar(nullptr);
    QCOMPARE(TFramelessHelperQt::isSupportedPlatform(), false);
    QVERIFY(!bar.framelessHelper());
}

void tst_TFramelessHelperQt::attachMakesFramelessDetachRestores()
{
    Fixture f;
    QVERIFY(QTest::qWaitForWindowExposed(f.window.data()));
    TFramelessHelperQt *helper = f.helper();
    QVERIFY(helper);
    QVERIFY(f.bar->isWindowFrameless());
    QVERIFY(f.bar->isVisible());
    QVERIFY(f.window->windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(f.window->windowHandle()->flags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(f.window->isVisible()); // changing the flags did not hide the window

    long result = 7;
    QVERIFY(!helper->handleNativeMessage(nullptr, &result)); // never claims a native event
    QCOMPARE(result, 7L);

    helper->attachHostWindow(f.window); // attached already: nothing changes
    helper->attachHostWindow(nullptr);
    QVERIFY(!f.window->windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(!f.window->windowHandle()->flags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(int(helper->areaAt(QPoint(1, 1))), int(Outside));
    helper->attachHostWindow(f.window);
    QVERIFY(f.window->windowFlags().testFlag(Qt::FramelessWindowHint));

    // Dropping the helper (platform frames chosen) gives the frame back.
    f.bar->setFrameless(false);
    f.bar->updateEventHelper();
    QVERIFY(!f.bar->framelessHelper());
    QVERIFY(!f.window->windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(f.window->isVisible());
}

void tst_TFramelessHelperQt::areaAt_data()
{
    QTest::addColumn<QString>("where");
    QTest::addColumn<QPoint>("offset");
    QTest::addColumn<QString>("state");
    QTest::addColumn<int>("area");

    // "where" names a spot of the window, "offset" moves from it.
    QTest::newRow("bottom-right corner, 2 px in") << "bottomRight" << QPoint(-2, -2) << "" << int(BottomRight);
    QTest::newRow("top-left corner") << "topLeft" << QPoint(0, 0) << "" << int(TopLeft);
    QTest::newRow("top-right corner") << "topRight" << QPoint(-1, 1) << "" << int(TopRight);
    QTest::newRow("bottom-left corner") << "bottomLeft" << QPoint(2, -2) << "" << int(BottomLeft);
    QTest::newRow("top edge over the bar") << "barMiddle" << QPoint(0, -1000) << "" << int(Top);
    QTest::newRow("left edge in the bar") << "barMiddle" << QPoint(-1000, 0) << "" << int(Left);
    QTest::newRow("right edge, below the bar") << "rightMiddle" << QPoint(-1, 0) << "" << int(Right);
    QTest::newRow("4 px inside the right edge") << "rightMiddle" << QPoint(-4, 0) << "" << int(Client);
    QTest::newRow("bottom edge") << "bottomMiddle" << QPoint(0, -1) << "" << int(Bottom);
    QTest::newRow("empty part of the bar") << "barMiddle" << QPoint(0, 0) << "" << int(Caption);
    QTest::newRow("title label") << "title" << QPoint(0, 0) << "" << int(Caption);
    QTest::newRow("entry on the bar") << "entry" << QPoint(0, 0) << "" << int(Client);
    QTest::newRow("close button") << "close" << QPoint(0, 0) << "" << int(Client);
    QTest::newRow("body") << "body" << QPoint(0, 0) << "" << int(Client);
    QTest::newRow("outside") << "bottomRight" << QPoint(5, 5) << "" << int(Outside);
    QTest::newRow("hidden bar: its place is client") << "barMiddle" << QPoint(0, 0) << "barHidden" << int(Client);
    QTest::newRow("hidden bar: edges still resize") << "rightMiddle" << QPoint(-1, 0) << "barHidden" << int(Right);
    QTest::newRow("maximised: corner is caption") << "topLeft" << QPoint(0, 0) << "maximised" << int(Caption);
    QTest::newRow("maximised: edge is client") << "rightMiddle" << QPoint(-1, 0) << "maximised" << int(Client);
    QTest::newRow("maximised: entry still client") << "entry" << QPoint(0, 0) << "maximised" << int(Client);
}

void tst_TFramelessHelperQt::areaAt()
{
    QFETCH(QString, where);
    QFETCH(QPoint, offset);
    QFETCH(QString, state);
    QFETCH(int, area);

    Fixture f;
    if (state == "barHidden")
        f.bar->hide();
    if (state == "maximised") {
        f.window->showMaximized();
        QTRY_VERIFY(f.window->isMaximized());
        QTRY_VERIFY(f.window->width() > 400);
        f.bar->layout()->activate();
    }
    QVERIFY(QTest::qWaitForWindowExposed(f.window.data()));
    const QRect r = f.window->rect();
    const int barY = f.bar->height() / 2;
    const QMap<QString, QPoint> spots {
            {"topLeft", r.topLeft()},
            {"topRight", r.topRight()},
            {"bottomLeft", r.bottomLeft()},
            {"bottomRight", r.bottomRight()},
            {"barMiddle", QPoint(r.center().x(), barY)},
            {"rightMiddle", QPoint(r.right(), r.center().y())},
            {"bottomMiddle", QPoint(r.center().x(), r.bottom())},
            {"title", f.centreOf(f.bar->windowTitleLabel())},
            {"entry", f.centreOf(f.entry)},
            {"close", f.centreOf(f.bar->windowCloseButton())},
            {"body", f.centreOf(f.window->centralWidget())},
    };
    QVERIFY(spots.contains(where));
    QPoint pos = spots.value(where) + offset;
    // Offsets of -1000 mean "to that window edge".
    if (offset.x() == -1000)
        pos.setX(0);
    if (offset.y() == -1000)
        pos.setY(0);
    if (where == "barMiddle" && state.isEmpty() && offset.isNull()) {
        // The middle of the bar must be empty of controls for this row.
        QWidget *child = f.bar->childAt(f.bar->mapFrom(f.window, pos));
        QVERIFY2(!child || qobject_cast<QLabel *>(child), "the bar's middle holds a control");
    }
    QCOMPARE(int(f.helper()->areaAt(pos)), area);
}

void tst_TFramelessHelperQt::pressesOnControlsReachThem()
{
    // A press the window manager does not take (none here) goes on to the widgets.
    Fixture f;
    QVERIFY(QTest::qWaitForWindowExposed(f.window.data()));
    QTest::mouseClick(f.window->windowHandle(), Qt::LeftButton, Qt::NoModifier, f.centreOf(f.entry));
    QTRY_VERIFY(f.entry->hasFocus());
    QTest::mouseClick(f.window->windowHandle(), Qt::LeftButton, Qt::NoModifier, f.centreOf(f.bar->windowCloseButton()));
    QTRY_VERIFY(!f.window->isVisible());
}

void tst_TFramelessHelperQt::doubleClickOnCaptionMaximisesAndRestores()
{
    Fixture f;
    QVERIFY(QTest::qWaitForWindowExposed(f.window.data()));
    const QPoint title = f.centreOf(f.bar->windowTitleLabel());
    QTest::mouseDClick(f.window->windowHandle(), Qt::LeftButton, Qt::NoModifier, title);
    QTRY_VERIFY(f.window->isMaximized());
    QTest::mouseDClick(f.window->windowHandle(), Qt::LeftButton, Qt::NoModifier, f.centreOf(f.bar->windowTitleLabel()));
    QTRY_VERIFY(!f.window->isMaximized());
    // Not on a control: a double click on the entry selects, it does not maximise.
    QTest::mouseDClick(f.window->windowHandle(), Qt::LeftButton, Qt::NoModifier, f.centreOf(f.entry));
    QTest::qWait(50);
    QVERIFY(!f.window->isMaximized());
}

QTEST_MAIN(tst_TFramelessHelperQt)
#include "tst_tframelesshelperqt.moc"
