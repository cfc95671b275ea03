// A frameless main window under a real window manager (openbox on the test's
// X display): moved by its title bar, resized by its borders, maximised and
// restored by its buttons, with the pointer driven through the XTest
// extension as a user's hand would.
#include "tframelesshelperqt.h"
#include "tframelesswindowbar.h"
#include "tmainwindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLibrary>
#include <QProcess>
#include <QScreen>
#include <QThread>
#include <QtTest>

namespace {

// The few Xlib and XTest calls the test needs, loaded at run time: only the
// libraries are installed, not their headers.
struct XLib
{
    using OpenDisplay = void *(*) (const char *);
    using CloseDisplay = int (*)(void *);
    using Flush = int (*)(void *);
    using InternAtom = unsigned long (*)(void *, const char *, int);
    using DefaultRootWindow = unsigned long (*)(void *);
    using GetWindowProperty = int (*)(void *, unsigned long, unsigned long, long, long, int, unsigned long,
                                      unsigned long *, int *, unsigned long *, unsigned long *, unsigned char **);
    using Free = int (*)(void *);
    using FakeMotion = int (*)(void *, int, int, int, unsigned long);
    using FakeButton = int (*)(void *, unsigned int, int, unsigned long);

    XLib()
        : x11(QStringLiteral("X11"), 6)
        , xtst(QStringLiteral("Xtst"), 6)
    {
        openDisplay = reinterpret_cast<OpenDisplay>(x11.resolve("XOpenDisplay"));
        closeDisplay = reinterpret_cast<CloseDisplay>(x11.resolve("XCloseDisplay"));
        flush = reinterpret_cast<Flush>(x11.resolve("XFlush"));
        internAtom = reinterpret_cast<InternAtom>(x11.resolve("XInternAtom"));
        rootWindow = reinterpret_cast<DefaultRootWindow>(x11.resolve("XDefaultRootWindow"));
        getProperty = reinterpret_cast<GetWindowProperty>(x11.resolve("XGetWindowProperty"));
        free = reinterpret_cast<Free>(x11.resolve("XFree"));
        fakeMotion = reinterpret_cast<FakeMotion>(xtst.resolve("XTestFakeMotionEvent"));
        fakeButton = reinterpret_cast<FakeButton>(xtst.resolve("XTestFakeButtonEvent"));
        if (openDisplay && closeDisplay && flush && internAtom && rootWindow && getProperty && free && fakeMotion
            && fakeButton)
            display = openDisplay(nullptr);
    }
    ~XLib()
    {
        if (display)
            closeDisplay(display);
    }

    // Whether a window manager announces itself on the root window.
    bool hasWindowManager() const
    {
        unsigned long type = 0, items = 0, after = 0;
        int format = 0;
        unsigned char *data = nullptr;
        const unsigned long atom = internAtom(display, "_NET_SUPPORTING_WM_CHECK", 0);
        const int status = getProperty(display, rootWindow(display), atom, 0, 1, 0, 0 /*AnyPropertyType*/, &type,
                                       &format, &items, &after, &data);
        if (data)
            free(data);
        return status == 0 && items == 1;
    }
    void moveTo(const QPoint &iPos) const
    {
        fakeMotion(display, -1, iPos.x(), iPos.y(), 0);
        flush(display);
    }
    void button(bool iPress) const
    {
        fakeButton(display, 1, iPress ? 1 : 0, 0);
        flush(display);
    }

    QLibrary x11;
    QLibrary xtst;
    OpenDisplay openDisplay = nullptr;
    CloseDisplay closeDisplay = nullptr;
    Flush flush = nullptr;
    InternAtom internAtom = nullptr;
    DefaultRootWindow rootWindow = nullptr;
    GetWindowProperty getProperty = nullptr;
    Free free = nullptr;
    FakeMotion fakeMotion = nullptr;
    FakeButton fakeButton = nullptr;
    void *display = nullptr;
};

// openbox on the test's display, up before the application connects (Qt reads
// what the window manager supports when it connects) and stopped at the end.
struct WindowManager
{
    WindowManager()
    {
        if (!x.display) {
            error = QStringLiteral("cannot open the X display or load libX11/libXtst");
            return;
        }
        if (x.hasWindowManager()) {
            error = QStringLiteral("another window manager runs on this display");
            return;
        }
        process.setProgram(QStringLiteral("openbox"));
        process.setArguments({QStringLiteral("--sm-disable")});
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start();
        if (!process.waitForStarted(10000)) {
            error = QStringLiteral("openbox did not start: ") + process.errorString();
            return;
        }
        QElapsedTimer timer;
        timer.start();
        while (!x.hasWindowManager() && timer.elapsed() < 10000 && process.state() == QProcess::Running)
            QThread::msleep(50);
        if (!x.hasWindowManager())
            error = QStringLiteral("openbox did not take the display");
    }
    ~WindowManager()
    {
        if (process.state() == QProcess::NotRunning)
            return;
        process.terminate();
        if (!process.waitForFinished(5000)) {
            process.kill();
            process.waitForFinished(5000);
        }
    }

    XLib x;
    QProcess process;
    QString error;
};

WindowManager *wm = nullptr;

QPoint centreOnScreen(QWidget *iWidget) { return iWidget->mapToGlobal(iWidget->rect().center()); }

// Presses at iFrom, drags in steps to iTo and lets go, giving the window
// manager time to follow each step.
void drag(const QPoint &iFrom, const QPoint &iTo)
{
    const XLib &x = wm->x;
    x.moveTo(iFrom);
    QTest::qWait(100);
    x.button(true);
    QTest::qWait(200);
    const int steps = 10;
    for (int i = 1; i <= steps; ++i) {
        x.moveTo(iFrom + (iTo - iFrom) * i / steps);
        QTest::qWait(30);
    }
    QTest::qWait(100);
    x.button(false);
    QTest::qWait(100);
}

void click(const QPoint &iPos)
{
    wm->x.moveTo(iPos);
    QTest::qWait(100);
    wm->x.button(true);
    QTest::qWait(50);
    wm->x.button(false);
}

} // namespace

class tst_FramelessOnScreen : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void moveResizeMaximise();
};

void tst_FramelessOnScreen::initTestCase()
{
    QVERIFY2(QGuiApplication::platformName() == QLatin1String("xcb"), "needs the X display of the test set-up");
    QVERIFY2(wm->error.isEmpty(), qPrintable(wm->error));
}

void tst_FramelessOnScreen::moveResizeMaximise()
{
    // The platform's own helper, as every application gets it.
    TMainWindow window;
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.setWindowTitle(QStringLiteral("Work orders"));
    window.setBodyWidget(new QLabel(QStringLiteral("body")));
    window.resize(420, 300);
    window.move(100, 100);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    TFramelessWindowBar *bar = window.windowTitleBar();
    QVERIFY(qobject_cast<TFramelessHelperQt *>(dynamic_cast<QObject *>(bar->framelessHelper())));
    QVERIFY(bar->isWindowFrameless());
    QVERIFY(bar->isVisible());
    QTest::qWait(300); // lets the window manager place the window
    const QPoint start = window.geometry().topLeft();
    const QSize size = window.size();

    // Moved by the title label.
    drag(centreOnScreen(bar->windowTitleLabel()), centreOnScreen(bar->windowTitleLabel()) + QPoint(80, 60));
    QTRY_COMPARE(window.geometry().topLeft(), start + QPoint(80, 60));
    QCOMPARE(window.size(), size);

    // Resized by the bottom-right corner, 1 px inside.
    const QPoint corner = window.mapToGlobal(QPoint(window.width() - 2, window.height() - 2));
    drag(corner, corner + QPoint(50, 40));
    QTRY_COMPARE(window.size(), size + QSize(50, 40));
    QCOMPARE(window.geometry().topLeft(), start + QPoint(80, 60));

    // Resized by the left border: the left edge moves, the right one stays.
    const QRect before = window.geometry();
    const QPoint left = window.mapToGlobal(QPoint(1, window.height() / 2));
    drag(left, left + QPoint(-30, 0));
    QTRY_COMPARE(window.geometry().left(), before.left() - 30);
    QCOMPARE(window.geometry().right(), before.right());
    QCOMPARE(window.height(), before.height());

    // A press in the body is the body's: the window stays put.
    const QRect still = window.geometry();
    drag(centreOnScreen(window.centralWidget()), centreOnScreen(window.centralWidget()) + QPoint(40, 40));
    QTest::qWait(200);
    QCOMPARE(window.geometry(), still);

    // Maximised and restored by the bar's buttons.
    QAbstractButton *maxButton = bar->windowMaxButton();
    QTRY_VERIFY(maxButton->isVisible());
    click(centreOnScreen(maxButton));
    QTRY_VERIFY(window.isMaximized());
    const QRect available = window.screen()->availableGeometry();
    QTRY_COMPARE(window.frameGeometry(), available);
    QAbstractButton *normalButton = bar->windowNormalButton();
    QTRY_VERIFY(normalButton->isVisible());
    click(centreOnScreen(normalButton));
    QTRY_VERIFY(!window.isMaximized());
    QTRY_COMPARE(window.geometry(), still);
}

int main(int argc, char **argv)
{
    WindowManager manager;
    wm = &manager;
    QApplication app(argc, argv);
    tst_FramelessOnScreen test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_framelessonscreen.moc"
