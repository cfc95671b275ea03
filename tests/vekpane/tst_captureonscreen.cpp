// The screen capture on a real X display: the real screen grab, the
// application's own window suggested under the cursor, and the capture's
// layers as they appear on the screen.
#include "capturetest.h"
#include "revedudtexttoolbar.h"
#include "selectrect.h"
#include "timageviewer.h"
#include "tpushbuttonscreenshots.h"
#include "tscreenshotwidget.h"
#include "ttextedit.h"

#include <QAction>
#include <QPointer>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QtTest>

namespace {

QRect onScreen(QWidget *iWidget) { return QRect(iWidget->mapToGlobal(QPoint(0, 0)), iWidget->size()); }

bool near(const QColor &iA, const QColor &iB)
{
    return qAbs(iA.red() - iB.red()) < 8 && qAbs(iA.green() - iB.green()) < 8 && qAbs(iA.blue() - iB.blue()) < 8;
}

} // namespace

class tst_CaptureOnScreen : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void grabsRealScreenAndSuggestsWindow();
    void toolBarViewerAndFloatingButton();
};

void tst_CaptureOnScreen::initTestCase()
{
    QVERIFY2(QGuiApplication::platformName() == QLatin1String("xcb"), "needs the X display of the test set-up");
}

void tst_CaptureOnScreen::grabsRealScreenAndSuggestsWindow()
{
    const QColor paint(30, 140, 200);
    QWidget target;
    target.setWindowFlags(Qt::FramelessWindowHint);
    target.setAutoFillBackground(true);
    QPalette palette = target.palette();
    palette.setColor(QPalette::Window, paint);
    target.setPalette(palette);
    target.setGeometry(150, 120, 320, 200);
    target.show();
    QVERIFY(QTest::qWaitForWindowExposed(&target));
    QTest::qWait(200);
    const QRect targetRect = onScreen(&target);

    QPointer<TScreenShotWidget> capture = new TScreenShotWidget;
    capture->getReadyToShot();
    QVERIFY(QTest::qWaitForWindowExposed(capture));
    QCOMPARE(capture->state(), TScreenShotWidget::ChoosingRegion);
    const QImage frozen = capture->pixmap(Qt::ReturnByValue).toImage();
    QCOMPARE(frozen.size(), QGuiApplication::primaryScreen()->size() * frozen.devicePixelRatio());
    QVERIFY(near(frozen.pixelColor(targetRect.center()), paint));

    // The window under the cursor is suggested, undimmed, with a yellow frame.
    QCursor::setPos(targetRect.center());
    QMetaObject::invokeMethod(capture, "slotUpdateCusorWindowInfo");
    auto *region = capture->findChild<QLabel *>("TSCREENSHOTWIDGET_REGION");
    QVERIFY(region->isVisible());
    QCOMPARE(region->geometry(), targetRect);
    QTest::qWait(200);
    const QImage shown = capture->grab().toImage();
    QVERIFY(near(shown.pixelColor(targetRect.center()), paint));
    // Elsewhere the screen is dimmed.
    const QPoint outside(targetRect.right() + 40, targetRect.bottom() + 40);
    QVERIFY(!near(shown.pixelColor(outside), frozen.pixelColor(outside))
            || frozen.pixelColor(outside) == QColor(Qt::black));

    // A click takes the suggestion; the tool bar sits below it, on screen.
    capturetest::click(capture->findChild<SelectRect *>(), targetRect.center());
    QCOMPARE(capture->state(), TScreenShotWidget::RegionSelected);
    QWidget *tools = capture->findChild<QAction *>("TSCREENSHOTWIDGET_RE_BTN")->parentWidget()->parentWidget();
    QVERIFY(tools->isVisible());
    QVERIFY(!tools->geometry().intersects(targetRect));
    QVERIFY(capture->rect().contains(tools->geometry()));
    const QImage withTools = capture->grab().toImage();
    const QImage toolPicture = withTools.copy(tools->geometry());
    QVERIFY(toolPicture.pixelColor(2, 2) != withTools.pixelColor(tools->geometry().left() - 5, 2));

    QSignalSpy finished(capture.data(), &TScreenShotWidget::finished);
    capture->slotOk();
    QCOMPARE(finished.count(), 1);
    const QImage result = finished.at(0).at(0).value<QPixmap>().toImage();
    QCOMPARE(result.size(), targetRect.size());
    QVERIFY(near(result.pixelColor(result.rect().center()), paint));
    QTRY_VERIFY(capture.isNull());
}

void tst_CaptureOnScreen::toolBarViewerAndFloatingButton()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("shown.png"));
    QImage picture(160, 100, QImage::Format_RGB32);
    picture.fill(QColor(220, 40, 40));
    QVERIFY(picture.save(path));

    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *bar = new REvedudTextToolBar(&window);
    auto *edit = new TTextEdit(&window);
    auto *viewer = new TImageViewer(&window);
    layout->addWidget(bar);
    layout->addWidget(edit);
    layout->addWidget(viewer);
    bar->setTextEdit(edit);
    edit->setPlainText(QStringLiteral("Hello"));
    window.resize(900, 600);
    window.move(20, 20);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(viewer->loadFile(path));
    bar->screenshot();
    TPushButtonScreenShots *floating = nullptr;
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (auto *found = qobject_cast<TPushButtonScreenShots *>(top))
            floating = found;
    }
    QVERIFY(floating);
    QVERIFY(QTest::qWaitForWindowExposed(floating));
    QTest::qWait(200);

    for (QWidget *part : QList<QWidget *> {bar, edit, viewer})
        QVERIFY(part->isVisible());
    QVERIFY(!bar->geometry().intersects(edit->geometry()));
    QVERIFY(!edit->geometry().intersects(viewer->geometry()));
    const QImage shot = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    // The picture shows in the viewer, the floating button at (5, 5) above the rest.
    bool red = false;
    const QRect viewerArea = onScreen(viewer);
    for (int y = viewerArea.top(); y <= viewerArea.bottom() && !red; y += 4)
        for (int x = viewerArea.left(); x <= viewerArea.right() && !red; x += 4)
            red = near(shot.pixelColor(x, y), QColor(220, 40, 40));
    QVERIFY(red);
    const QRect buttonArea = onScreen(floating);
    QCOMPARE(buttonArea.topLeft(), QPoint(5, 5));
    const QImage buttonShot = shot.copy(buttonArea);
    QVERIFY(buttonShot.pixelColor(2, 2) != buttonShot.pixelColor(buttonShot.width() / 2, buttonShot.height() / 2)
            || buttonShot.pixelColor(buttonShot.width() - 3, buttonShot.height() / 2) != buttonShot.pixelColor(2, 2));
    delete floating;
}

QTEST_MAIN(tst_CaptureOnScreen)
#include "tst_captureonscreen.moc"
