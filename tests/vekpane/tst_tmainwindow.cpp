// The main window and the dialog base with their title bar.
#include "controlstest.h"
#include "fakeframelesshelper.h"
#include "tdialog.h"
#include "tframelesswindowbar.h"
#include "tgridlayout.h"
#include "tlogger.h"
#include "tmainwindow.h"

#include <QJSEngine>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

using controlstest::expose;
using controlstest::types;

// The pixel bound of windows and layouts, as docs/scripts.md gives it.
const int Bound = 8192;

// Reaches the protected native-event entry points.
class ProbeWindow : public TMainWindow
{
public:
    using TMainWindow::nativeEvent;
};
class ProbeDialog : public TDialog
{
public:
    using TDialog::nativeEvent;
};

class tst_TMainWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup();
    void modifiedKey();
    void scriptSlots();
    void bodyWidget();
    void barMadeAtShowWithRoom();
    void hiddenBarTakesNoRoom();
    void noTitleBar();
    void setWindowTitleBar();
    void nativeEventsGoThroughTheBar();
    void deletesItselfOnClose();
    void keptWithinBound();
    void keptWithinBoundWhenShown();
    void dialogModifiedAlwaysAnnounced();
    void dialogWidenedToBar();
    void dialogAcceptedAndRejected_data();
    void dialogAcceptedAndRejected();
};

void tst_TMainWindow::cleanup() { QCOMPARE(FakeFramelessHelper::alive, 0); }

void tst_TMainWindow::modifiedKey()
{
    TMainWindow window;
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    QSignalSpy spy(&window, &TMainWindow::signal);
    window.set("window_modify_changed", true);
    window.set("window_modify_changed", true);
    QCOMPARE(window.get("window_modify_changed"), QVariant(true));
    window.setWindowModified(false);
    QCOMPARE(types(spy), (QStringList {"window_modify_changed", "window_modify_changed"}));
    QCOMPARE(spy.at(0).at(1), QVariant(true));
    QCOMPARE(spy.at(1).at(1), QVariant(false));
    QCOMPARE(spy.at(0).at(2).toString(), controlstest::hexAddress(&window));
    window.set("WINDOW_MODIFY_CHANGED", true); // no key of its own: nothing
    QVERIFY(!window.isWindowModified());
}

void tst_TMainWindow::scriptSlots()
{
    QPointer<TMainWindow> window = new TMainWindow;
    QSignalSpy spy(window.data(), &TMainWindow::signal);
    QJSEngine engine;
    controlstest::expose(engine, "w", window.data());
    const QJSValue r = CONTROLS_EVAL(engine, "w.set({window_title: 'Plan', tool_tip: 't'});"
                                             "w.setWindowModified(); w.emitSignal('custom', 5);"
                                             "w.get('window_modify_changed') + ':' + w.windowTitle");
    QCOMPARE(r.toString(), QString("true:Plan"));
    QCOMPARE(types(spy), (QStringList {"window_modify_changed", "custom"}));
    QCOMPARE(spy.at(1).at(1), QVariant(5));
    delete window.data();
}

void tst_TMainWindow::bodyWidget()
{
    TMainWindow window;
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    auto *body = new QLabel("body");
    window.setBodyWidget(body);
    QCOMPARE(window.centralWidget(), body);
    QObject notAWidget;
    window.setBodyWidget(&notAWidget);
    window.setBodyWidget(nullptr);
    QCOMPARE(window.centralWidget(), body);
}

void tst_TMainWindow::barMadeAtShowWithRoom()
{
    FakeHelperScope fake;
    QPointer<TMainWindow> window = new TMainWindow;
    window->setBodyWidget(new QLabel("body"));
    window->resize(400, 300);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.data()));
    TFramelessWindowBar *bar = window->windowTitleBar();
    QVERIFY(bar);
    QVERIFY(bar->isVisible());
    QVERIFY(bar->height() > 0);
    QCOMPARE(window->contentsMargins(), QMargins(0, bar->height(), 0, 0));
    QCOMPARE(bar->geometry(), QRect(0, 0, window->width(), bar->height()));
    QVERIFY(window->centralWidget()->geometry().top() >= bar->height());

    window->resize(500, 320);
    QTRY_COMPARE(bar->width(), 500);
    window->close();
    QTRY_VERIFY(window.isNull());
}

void tst_TMainWindow::hiddenBarTakesNoRoom()
{
    // No helper on this platform: the bar hides itself with the default flags.
    TMainWindow window;
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.show();
    QVERIFY(window.windowTitleBar());
    QVERIFY(window.windowTitleBar()->isBarHideen());
    QVERIFY(!window.windowTitleBar()->isVisible());
    QCOMPARE(window.contentsMargins(), QMargins());
}

void tst_TMainWindow::noTitleBar()
{
    FakeHelperScope fake;
    ProbeWindow window;
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.setHasWindowTitleBar(false);
    window.show();
    QVERIFY(!window.windowTitleBar());
    QVERIFY(!window.findChild<TFramelessWindowBar *>());
    QCOMPARE(window.contentsMargins(), QMargins());
    long result = 0;
    QVERIFY(!window.nativeEvent("xcb_generic_event_t", nullptr, &result));
}

void tst_TMainWindow::setWindowTitleBar()
{
    TMainWindow window;
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    QPointer<TFramelessWindowBar> own = window.windowTitleBar();
    window.setWindowTitleBar(own); // the bar already set: kept, not deleted
    QVERIFY(own);
    QCOMPARE(window.windowTitleBar(), own.data());

    auto *mine = new TFramelessWindowBar(nullptr);
    window.setWindowTitleBar(mine);
    QVERIFY(own.isNull());
    QCOMPARE(mine->parent(), &window);
    QCOMPARE(mine->hostWindow(), &window);
    window.show(); // an installed bar keeps its own (empty) layout
    QVERIFY(!mine->layout());

    QPointer<TFramelessWindowBar> guard(mine);
    delete mine;                      // a caller may delete the bar it installed
    QVERIFY(window.windowTitleBar()); // a fresh one is made
    QVERIFY(window.windowTitleBar() != guard.data());
}

void tst_TMainWindow::nativeEventsGoThroughTheBar()
{
    FakeHelperScope fake;
    ProbeWindow window;
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    long result = 0;
    QVERIFY(!window.nativeEvent("xcb_generic_event_t", nullptr, &result)); // no bar yet
    auto *helper = static_cast<FakeFramelessHelper *>(window.windowTitleBar()->framelessHelper());
    QVERIFY(window.nativeEvent("xcb_generic_event_t", nullptr, &result));
    QCOMPARE(result, 42L);
    helper->answer = false;
    QVERIFY(!window.nativeEvent("xcb_generic_event_t", nullptr, &result));

    ProbeDialog dialog;
    QVERIFY(dialog.nativeEvent("xcb_generic_event_t", nullptr, &result) == false);
    dialog.windowTitleBar();
    QVERIFY(dialog.nativeEvent("xcb_generic_event_t", nullptr, &result));
}

void tst_TMainWindow::deletesItselfOnClose()
{
    QPointer<TMainWindow> window = new TMainWindow;
    QVERIFY(window->testAttribute(Qt::WA_DeleteOnClose));
    window->show();
    window->close();
    QTRY_VERIFY(window.isNull());
}

void tst_TMainWindow::keptWithinBound()
{
    // Each number within the bound, but the body, its layout and Qt's own
    // size property written by a script add up to far more: the window keeps
    // to the bound once its layout is applied (no screen needed).
    TMainWindow window;
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    auto *body = new QWidget;
    auto *grid = new TGridLayout(body);
    for (int i = 0; i < 3; ++i) {
        grid->setRowMinimumHeight(i, Bound);
        grid->setColumnMinimumWidth(i, Bound);
    }
    window.setBodyWidget(body);
    QJSEngine engine;
    expose(engine, QStringLiteral("win"), &window);
    QSignalSpy logged(TLogger::instance(), &TLogger::logWrited);
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("\\[ERROR\\].*it is kept within 8192")));
    QVERIFY(!CONTROLS_EVAL(engine, "win.minimumHeight = 100000; win.set('minimum_width', 8192)").isError());
    QEvent request(QEvent::LayoutRequest);
    QCoreApplication::sendEvent(&window, &request);
    QCOMPARE(logged.count(), 1);
    QCOMPARE(window.minimumSize(), QSize(Bound, Bound));
    QCOMPARE(window.size(), QSize(Bound, Bound));
    // Later requests find nothing to cut and write nothing.
    QCoreApplication::sendEvent(&window, &request);
    QCOMPARE(logged.count(), 1);
}

void tst_TMainWindow::keptWithinBoundWhenShown()
{
    // A window three bounds wide, made so by a script after it is shown.
    QPointer<TMainWindow> window = new TMainWindow;
    window->setBodyWidget(new QLabel("body"));
    window->resize(300, 100);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.data()));
    QJSEngine engine;
    expose(engine, QStringLiteral("win"), window.data());
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("\\[ERROR\\].*it is kept within 8192")));
    QVERIFY(!CONTROLS_EVAL(engine, "win.minimumWidth = 3 * 8192").isError());
    QCOMPARE(window->width(), Bound);
    QCOMPARE(window->height(), 100);
    QTRY_COMPARE(window->centralWidget()->width(), Bound);
    window->close();
    QTRY_VERIFY(window.isNull());
}

void tst_TMainWindow::dialogModifiedAlwaysAnnounced()
{
    TDialog dialog;
    QSignalSpy spy(&dialog, &TDialog::windowModifyChanged);
    bool stateDuringSignal = true;
    connect(&dialog, &TDialog::windowModifyChanged, this, [&] { stateDuringSignal = dialog.isWindowModified(); });
    dialog.setWindowModified(false);
    dialog.setWindowModified(true);
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(0).at(0), QVariant(false));
    QVERIFY(!stateDuringSignal); // sent before the state changes
    QVERIFY(dialog.isWindowModified());
}

void tst_TMainWindow::dialogWidenedToBar()
{
    FakeHelperScope fake;
    TDialog narrow;
    TFramelessWindowBar *bar = narrow.windowTitleBar();
    bar->setMinimumWidth(420);
    narrow.resize(200, 150);
    narrow.show();
    QVERIFY(QTest::qWaitForWindowExposed(&narrow));
    QCOMPARE(narrow.width(), 420);
    QCOMPARE(narrow.height(), 150);
    QCOMPARE(narrow.contentsMargins().top(), bar->height());

    TDialog wide;
    wide.windowTitleBar()->setMinimumWidth(100);
    wide.resize(500, 150);
    wide.show();
    QCOMPARE(wide.width(), 500); // never narrowed
}

void tst_TMainWindow::dialogAcceptedAndRejected_data()
{
    QTest::addColumn<bool>("accept");
    QTest::newRow("accepted") << true;
    QTest::newRow("rejected") << false;
}

void tst_TMainWindow::dialogAcceptedAndRejected()
{
    QFETCH(bool, accept);
    TDialog dialog;
    QTimer::singleShot(0, &dialog, [&] {
        if (accept)
            dialog.accept();
        else
            dialog.reject();
    });
    QCOMPARE(dialog.exec(), accept ? int(QDialog::Accepted) : int(QDialog::Rejected));
}

QTEST_MAIN(tst_TMainWindow)
#include "tst_tmainwindow.moc"
