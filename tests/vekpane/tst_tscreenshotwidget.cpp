// The screen capture widget, driven on an injected screen image and window
// finder: choosing, annotating, undo, clipboard, saving.
#include "capturetest.h"
#include "pushpoint.h"
#include "selectrect.h"
#include "timageeditwidget.h"
#include "tmessagebox.h"
#include "tscreenshotwidget.h"
#include "tshape.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QUndoStack>
#include <QtTest>

#include <functional>

using capturetest::click;
using capturetest::drag;
using capturetest::mouse;

namespace {

// The frozen "screen": every pixel tells where it came from.
QPixmap fixtureScreen(const QSize &iSize)
{
    QImage image(iSize, QImage::Format_RGB32);
    for (int y = 0; y < iSize.height(); ++y) {
        for (int x = 0; x < iSize.width(); ++x)
            image.setPixel(x, y, qRgb(x % 256, y % 256, 40 + (x / 256) * 50 + (y / 256) * 20));
    }
    return QPixmap::fromImage(image);
}

class FakeWindows : public TCaptureWindowProvider
{
public:
    bool windowAt(const QPoint &iScreenPos, QWidget *iExcluded, QRect *oFrame, QRect *oClient) const override
    {
        ++calls;
        lastExcluded = iExcluded;
        if (!frame.contains(iScreenPos))
            return false;
        *oFrame = frame;
        *oClient = client;
        return true;
    }
    QRect frame = QRect(100, 100, 300, 200);
    QRect client = QRect(110, 130, 280, 160);
    mutable int calls = 0;
    mutable QWidget *lastExcluded = nullptr;
};

// Acts on the next modal widget of type T once it shows; bounded.
template<typename T>
void whenModal(std::function<void(T *)> iAct)
{
    auto *timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, iAct] {
        auto *modal = qobject_cast<T *>(QApplication::activeModalWidget());
        if (!modal)
            return;
        timer->stop();
        timer->deleteLater();
        iAct(modal);
    });
    timer->start();
    QTimer::singleShot(10000, timer, [timer] {
        timer->stop();
        timer->deleteLater();
    });
}

// Types a name into the file dialog and accepts it.
void chooseFile(QFileDialog *iDialog, const QString &iPath)
{
    iDialog->setDirectory(QFileInfo(iPath).absolutePath());
    iDialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(QFileInfo(iPath).fileName());
    static_cast<QDialog *>(iDialog)->accept();
}

QAction *action(TScreenShotWidget *iCapture, const char *iName)
{
    return iCapture->findChild<QAction *>(QLatin1String(iName));
}

} // namespace

class tst_TScreenShotWidget : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void clipWindowRect_data();
    void clipWindowRect();
    void lifecycle();
    void suggestionFollowsCursor();
    void noWindowNoSuggestion();
    void clickTakesSuggestion();
    void toolWidgetPlacement_data();
    void toolWidgetPlacement();
    void drawEachShapeAndFinish();
    void undoMovesAndCreations();
    void undoPastBottomReturns();
    void toolsAreExclusive();
    void penWidthColourAndFont();
    void saveToFile();
    void failedSaveKeepsCapture();
    void okBeforeCaptureCloses();
    void rightClicks();

private:
    // A capture started on the fixture, with a region dragged out.
    TScreenShotWidget *startCapture(const QRect &iRegion = QRect());

    std::shared_ptr<FakeWindows> mWindows;
    QPixmap mScreen;
};

void tst_TScreenShotWidget::init()
{
    mWindows = std::make_shared<FakeWindows>();
    TScreenShotWidget::setWindowProvider(mWindows);
    const QSize screenSize = QGuiApplication::primaryScreen()->size();
    mScreen = fixtureScreen(screenSize);
    const QPixmap screen = mScreen;
    TScreenShotWidget::setScreenGrabber([screen] { return screen; });
    QCursor::setPos(QPoint(5, 5));
}

void tst_TScreenShotWidget::cleanup()
{
    TScreenShotWidget::setWindowProvider(nullptr);
    TScreenShotWidget::setScreenGrabber(nullptr);
    QList<QPointer<QWidget>> captures;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (qobject_cast<TScreenShotWidget *>(window))
            captures << window;
    }
    qDeleteAll(captures);
    QVERIFY(PushPoint::isEditingAllowed());
}

TScreenShotWidget *tst_TScreenShotWidget::startCapture(const QRect &iRegion)
{
    auto *capture = new TScreenShotWidget;
    capture->getReadyToShot();
    if (!iRegion.isNull()) {
        auto *layer = capture->findChild<SelectRect *>();
        drag(layer, iRegion.topLeft(), iRegion.bottomRight());
    }
    return capture;
}

void tst_TScreenShotWidget::clipWindowRect_data()
{
    QTest::addColumn<QPoint>("cursor");
    QTest::addColumn<QRect>("frame");
    QTest::addColumn<QRect>("client");
    QTest::addColumn<QRect>("result");

    const QRect frame(100, 100, 300, 200);
    const QRect client(110, 130, 280, 160);
    QTest::newRow("in the client area") << QPoint(200, 200) << frame << client << client;
    QTest::newRow("client's far edge counts as inside") << QPoint(390, 290) << frame << client << client;
    QTest::newRow("on the title bar") << QPoint(200, 110) << frame << client << frame;
    QTest::newRow("off the left and top")
            << QPoint(10, 10) << QRect(-50, -20, 200, 100) << QRect(0, 0, 0, 0) << QRect(0, 0, 150, 80);
    QTest::newRow("past the right and bottom")
            << QPoint(700, 500) << QRect(600, 500, 400, 300) << QRect() << QRect(600, 500, 200, 100);
    QTest::newRow("larger than the screen")
            << QPoint(5, 5) << QRect(-10, -10, 1000, 1000) << QRect() << QRect(0, 0, 800, 600);
}

void tst_TScreenShotWidget::clipWindowRect()
{
    QFETCH(QPoint, cursor);
    QFETCH(QRect, frame);
    QFETCH(QRect, client);
    QFETCH(QRect, result);

    QCOMPARE(TScreenShotWidget::clipWindowRect(cursor, frame, client, QSize(800, 600)), result);
}

void tst_TScreenShotWidget::lifecycle()
{
    QPointer<TScreenShotWidget> capture = new TScreenShotWidget;
    QCOMPARE(capture->state(), TScreenShotWidget::NotStarted);
    QVERIFY(capture->isHidden());
    QVERIFY(capture->testAttribute(Qt::WA_DeleteOnClose));
    capture->getReadyToShot();
    QCOMPARE(capture->state(), TScreenShotWidget::ChoosingRegion);
    QVERIFY(capture->isVisible());
    QCOMPARE(capture->pixmap(Qt::ReturnByValue).toImage(), mScreen.toImage());
    QVERIFY(capture->findChild<QLabel *>("TSCREENSHOTWIDGET_OVERLAY")->isVisible());
    QCOMPARE(mWindows->lastExcluded, capture.data());

    capture->slotClose();
    QTRY_VERIFY(capture.isNull());
}

void tst_TScreenShotWidget::suggestionFollowsCursor()
{
    TScreenShotWidget *capture = startCapture();
    auto *region = capture->findChild<QLabel *>("TSCREENSHOTWIDGET_REGION");
    const int before = mWindows->calls;

    QCursor::setPos(QPoint(200, 200));
    QMetaObject::invokeMethod(capture, "slotUpdateCusorWindowInfo");
    QCOMPARE(mWindows->calls, before + 1);
    QVERIFY(region->isVisible());
    QCOMPARE(region->geometry(), mWindows->client);
    const QImage shown = region->pixmap(Qt::ReturnByValue).toImage();
    QCOMPARE(shown.pixelColor(0, 0), QColor(Qt::yellow));
    QCOMPARE(shown.pixel(20, 20), mScreen.toImage().pixel(110 + 20, 130 + 20));

    // Staying still asks nothing.
    QMetaObject::invokeMethod(capture, "slotUpdateCusorWindowInfo");
    QCOMPARE(mWindows->calls, before + 1);
    // The same window again does not rebuild the picture.
    const qint64 key = region->pixmap(Qt::ReturnByValue).cacheKey();
    QCursor::setPos(QPoint(220, 210));
    QMetaObject::invokeMethod(capture, "slotUpdateCusorWindowInfo");
    QCOMPARE(mWindows->calls, before + 2);
    QCOMPARE(region->pixmap(Qt::ReturnByValue).cacheKey(), key);
    // Onto the title bar: the frame is suggested.
    QCursor::setPos(QPoint(200, 110));
    QMetaObject::invokeMethod(capture, "slotUpdateCusorWindowInfo");
    QCOMPARE(region->geometry(), mWindows->frame);

    // The timer keeps asking while choosing.
    QCursor::setPos(QPoint(205, 205));
    QTRY_COMPARE(region->geometry(), mWindows->client);
}

void tst_TScreenShotWidget::noWindowNoSuggestion()
{
    TScreenShotWidget *capture = startCapture();
    auto *region = capture->findChild<QLabel *>("TSCREENSHOTWIDGET_REGION");
    QCursor::setPos(QPoint(200, 200));
    QMetaObject::invokeMethod(capture, "slotUpdateCusorWindowInfo");
    QVERIFY(region->isVisible());
    QCursor::setPos(QPoint(700, 500));
    QMetaObject::invokeMethod(capture, "slotUpdateCusorWindowInfo");
    QVERIFY(region->isHidden());
    // A click then chooses nothing.
    click(capture->findChild<SelectRect *>(), QPoint(700, 500));
    QVERIFY(!capture->findChild<SelectRect *>()->hasSelection());
}

void tst_TScreenShotWidget::clickTakesSuggestion()
{
    TScreenShotWidget *capture = startCapture();
    QCursor::setPos(QPoint(200, 200));
    QMetaObject::invokeMethod(capture, "slotUpdateCusorWindowInfo");
    auto *layer = capture->findChild<SelectRect *>();
    click(layer, QPoint(200, 200));
    QCOMPARE(capture->state(), TScreenShotWidget::RegionSelected);
    QVERIFY(layer->hasSelection());
    QCOMPARE(layer->rect(), mWindows->client);
    auto *region = capture->findChild<QLabel *>("TSCREENSHOTWIDGET_REGION");
    QCOMPARE(region->pixmap(Qt::ReturnByValue).toImage(), mScreen.copy(mWindows->client).toImage());

    // Choosing stops the suggestions.
    const int calls = mWindows->calls;
    QCursor::setPos(QPoint(300, 250));
    QTest::qWait(400);
    QCOMPARE(mWindows->calls, calls);
}

void tst_TScreenShotWidget::toolWidgetPlacement_data()
{
    QTest::addColumn<QRect>("region");
    QTest::addColumn<QString>("where");

    const QSize screen = QGuiApplication::primaryScreen()->size();
    QTest::newRow("wide region") << QRect(20, 100, screen.width() - 40, 100) << "below";
    QTest::newRow("narrow region") << QRect(100, 100, 40, 40) << "below";
    QTest::newRow("at the right edge") << QRect(screen.width() - 60, 100, 50, 50) << "below";
    QTest::newRow("at the bottom: above") << QRect(100, screen.height() - 100, 300, 90) << "above";
    QTest::newRow("full height: inside") << QRect(100, 5, 300, screen.height() - 10) << "inside";
}

void tst_TScreenShotWidget::toolWidgetPlacement()
{
    QFETCH(QRect, region);
    QFETCH(QString, where);

    TScreenShotWidget *capture = startCapture(region);
    QCOMPARE(capture->state(), TScreenShotWidget::RegionSelected);
    auto *tools = capture->findChild<QAction *>("TSCREENSHOTWIDGET_RE_BTN")->parentWidget()->parentWidget();
    QVERIFY(tools->isVisible());
    const QRect placed = tools->geometry();
    const int screenWidth = mScreen.width();
    QVERIFY(placed.right() < screenWidth);
    // Right-aligned with a region wider than the tools, else at its left,
    // and never past the screen's right edge.
    int x = region.width() > placed.width() ? region.right() + 1 - placed.width() : region.left();
    if (x + placed.width() > screenWidth)
        x = screenWidth - placed.width();
    QCOMPARE(placed.left(), x);
    if (where == QLatin1String("below"))
        QCOMPARE(placed.top(), region.bottom() + 1 + 3);
    else if (where == QLatin1String("above"))
        QCOMPARE(placed.bottom(), region.top() - 1 - 3);
    else
        QCOMPARE(placed.top(), region.top() + 3);
}

void tst_TScreenShotWidget::drawEachShapeAndFinish()
{
    const QRect region(100, 80, 400, 300);
    QPointer<TScreenShotWidget> capture = startCapture(region);
    QSignalSpy finished(capture.data(), &TScreenShotWidget::finished);
    auto *canvas = capture->findChild<TImageEditWidget *>();
    QVERIFY(canvas->isHidden());

    const char *const tools[] = {"TSCREENSHOTWIDGET_RE_BTN", "TSCREENSHOTWIDGET_EL_BTN", "TSCREENSHOTWIDGET_TR_BTN",
                                 "TSCREENSHOTWIDGET_AR_BTN", "TSCREENSHOTWIDGET_LI_BTN", "TSCREENSHOTWIDGET_LL_BTN",
                                 "TSCREENSHOTWIDGET_TE_BTN"};
    int row = 0;
    for (const char *tool : tools) {
        action(capture, tool)->trigger();
        QVERIFY(canvas->isVisible());
        QCOMPARE(canvas->geometry(), region);
        QVERIFY(!PushPoint::isEditingAllowed());
        const QPoint from(10 + 50 * row, 10 + 35 * row);
        drag(canvas, from, from + QPoint(40, 30));
        ++row;
    }
    QCOMPARE(canvas->shapes().size(), 7);
    QCOMPARE(canvas->undoStack()->count(), 1 + 7);

    // The rectangle in red, so that the result shows it.
    canvas->shapes().first()->setPen(QPen(QColor(Qt::red), 3));
    action(capture, "TSCREENSHOTWIDGET_FINISH")->trigger();
    QCOMPARE(finished.count(), 1);
    const QImage result = finished.at(0).at(0).value<QPixmap>().toImage();
    QCOMPARE(result.size(), region.size());
    // The rectangle's left edge starts 3 pixels in, at (13, 20).
    QCOMPARE(QColor(result.pixel(13, 25)).red(), 255);
    // Away from every shape the pixels are the screen's.
    QCOMPARE(result.pixel(390, 290), mScreen.toImage().pixel(100 + 390, 80 + 290));
    QCOMPARE(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
             result.convertToFormat(QImage::Format_RGB32));
    QTRY_VERIFY(capture.isNull());
}

void tst_TScreenShotWidget::undoMovesAndCreations()
{
    TScreenShotWidget *capture = startCapture(QRect(100, 80, 400, 300));
    auto *canvas = capture->findChild<TImageEditWidget *>();
    QAction *undo = action(capture, "TSCREENSHOTWIDGET_UNDO");
    QAction *redo = action(capture, "TSCREENSHOTWIDGET_REDO");
    action(capture, "TSCREENSHOTWIDGET_RE_BTN")->trigger();
    drag(canvas, QPoint(20, 20), QPoint(120, 100));
    // Leave the tool, then move the rectangle.
    action(capture, "TSCREENSHOTWIDGET_RE_BTN")->trigger();
    QCOMPARE(canvas->mode(), int(TImageEditWidget::IdleMode));
    QVERIFY(PushPoint::isEditingAllowed());
    TShape *shape = canvas->shapes().first();
    drag(canvas, QPoint(60, 60), QPoint(160, 90));
    QCOMPARE(shape->startPoint(), QPoint(120, 50));

    undo->trigger();
    QCOMPARE(shape->startPoint(), QPoint(20, 20));
    QCOMPARE(canvas->shapes().size(), 1);
    undo->trigger();
    QVERIFY(canvas->shapes().isEmpty());
    redo->trigger();
    redo->trigger();
    QCOMPARE(canvas->shapes().size(), 1);
    QCOMPARE(shape->startPoint(), QPoint(120, 50));
    QCOMPARE(capture->state(), TScreenShotWidget::RegionSelected);
}

void tst_TScreenShotWidget::undoPastBottomReturns()
{
    TScreenShotWidget *capture = startCapture(QRect(100, 80, 400, 300));
    auto *canvas = capture->findChild<TImageEditWidget *>();
    action(capture, "TSCREENSHOTWIDGET_AR_BTN")->trigger();
    drag(canvas, QPoint(20, 20), QPoint(120, 100));
    QAction *undo = action(capture, "TSCREENSHOTWIDGET_UNDO");
    undo->trigger();
    QVERIFY(canvas->shapes().isEmpty());
    QCOMPARE(capture->state(), TScreenShotWidget::RegionSelected);
    undo->trigger();
    QTRY_COMPARE(capture->state(), TScreenShotWidget::ChoosingRegion);
    QVERIFY(canvas->isHidden());
    QVERIFY(!action(capture, "TSCREENSHOTWIDGET_AR_BTN")->isChecked());
    QVERIFY(PushPoint::isEditingAllowed());
    QVERIFY(!capture->findChild<SelectRect *>()->hasSelection());
    QVERIFY(capture->findChild<QLabel *>("TSCREENSHOTWIDGET_OVERLAY")->isVisible());
    // The frozen screen is shown again, not grabbed again.
    QCOMPARE(capture->pixmap(Qt::ReturnByValue).toImage(), mScreen.toImage());
    // A fresh bottom step comes back for the next region.
    QTRY_COMPARE(canvas->undoStack()->count(), 1);

    // The next region starts without the old annotations.
    drag(capture->findChild<SelectRect *>(), QPoint(50, 50), QPoint(250, 250));
    QCOMPARE(capture->state(), TScreenShotWidget::RegionSelected);
    QVERIFY(canvas->shapes().isEmpty());
}

void tst_TScreenShotWidget::toolsAreExclusive()
{
    TScreenShotWidget *capture = startCapture(QRect(100, 80, 400, 300));
    auto *canvas = capture->findChild<TImageEditWidget *>();
    action(capture, "TSCREENSHOTWIDGET_EL_BTN")->trigger();
    QCOMPARE(canvas->shapeType(), int(TImageEditWidget::EllipseType));
    action(capture, "TSCREENSHOTWIDGET_TE_BTN")->trigger();
    QCOMPARE(canvas->shapeType(), int(TImageEditWidget::TextType));
    QVERIFY(!action(capture, "TSCREENSHOTWIDGET_EL_BTN")->isChecked());
    QVERIFY(action(capture, "TSCREENSHOTWIDGET_TE_BTN")->isChecked());
    QCOMPARE(canvas->mode(), int(TImageEditWidget::CreateMode));
    QVERIFY(!PushPoint::isEditingAllowed());

    // Closed with a tool on: later captures can still reshape their regions.
    delete capture;
    QVERIFY(PushPoint::isEditingAllowed());
}

void tst_TScreenShotWidget::penWidthColourAndFont()
{
    TScreenShotWidget *capture = startCapture(QRect(100, 80, 400, 300));
    auto *canvas = capture->findChild<TImageEditWidget *>();
    const QFont initialFont = canvas->font();

    auto *sizes = capture->findChild<QComboBox *>("TSCREENSHOTWIDGET_FS_BOX");
    QCOMPARE(sizes->currentText(), QStringLiteral("12"));
    QCOMPARE(canvas->font(), initialFont);
    sizes->setCurrentIndex(sizes->findText(QStringLiteral("20")));
    QCOMPARE(canvas->font().pixelSize(), 20);

    auto *menu = capture->findChild<QMenu *>("TSCREENSHOTWIDGET_CO_MENU");
    QVERIFY(menu);
    const QList<QAction *> entries = menu->actions();
    QCOMPARE(entries.size(), 6);
    entries.at(2)->trigger();
    QCOMPARE(canvas->pen().width(), 4);
    QMetaObject::invokeMethod(capture, "setLineColor", Q_ARG(QColor, QColor(Qt::green)));
    QCOMPARE(canvas->pen().color(), QColor(Qt::green));
    QCOMPARE(canvas->pen().width(), 4);
}

void tst_TScreenShotWidget::saveToFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QRect region(100, 80, 200, 150);
    QPointer<TScreenShotWidget> capture = startCapture(region);
    const QString path = dir.filePath(QStringLiteral("capture.png"));
    whenModal<QFileDialog>([path](QFileDialog *dialog) { chooseFile(dialog, path); });
    capture->slotSave();
    QImage saved(path);
    QCOMPARE(saved.size(), region.size());
    QCOMPARE(saved.pixel(50, 50), mScreen.toImage().pixel(150, 130));
    QTRY_VERIFY(capture.isNull());

    // The proposed name (date and time, no suffix) gets the chosen filter's.
    QPointer<TScreenShotWidget> second = startCapture(region);
    QString proposed;
    whenModal<QFileDialog>([&dir, &proposed](QFileDialog *dialog) {
        dialog->selectNameFilter(QStringLiteral("(*.bmp)"));
        proposed = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->text();
        chooseFile(dialog, dir.filePath(proposed));
    });
    second->slotSave();
    QVERIFY2(QRegularExpression(QStringLiteral("^\\d{14}$")).match(proposed).hasMatch(), qPrintable(proposed));
    QCOMPARE(QImage(dir.filePath(proposed + QStringLiteral(".bmp"))).size(), region.size());
    QTRY_VERIFY(second.isNull());
}

void tst_TScreenShotWidget::failedSaveKeepsCapture()
{
    QTemporaryDir dir;
    QPointer<TScreenShotWidget> capture = startCapture(QRect(100, 80, 200, 150));
    const QString path = dir.filePath(QStringLiteral("capture.nosuchformat"));
    QString message;
    whenModal<QFileDialog>([path, &message](QFileDialog *dialog) {
        whenModal<TMessageBox>([&message](TMessageBox *box) {
            message = box->text();
            box->findChild<QPushButton *>(QStringLiteral("Ok"))->click();
        });
        chooseFile(dialog, path);
    });
    capture->slotSave();
    QVERIFY(message.contains(path));
    QVERIFY(!QFileInfo::exists(path));
    QTest::qWait(50);
    QVERIFY(!capture.isNull());
    QCOMPARE(capture->state(), TScreenShotWidget::RegionSelected);

    // Cancelling the dialog keeps it too.
    whenModal<QFileDialog>([](QFileDialog *dialog) { dialog->reject(); });
    capture->slotSave();
    QTest::qWait(50);
    QVERIFY(!capture.isNull());
}

void tst_TScreenShotWidget::okBeforeCaptureCloses()
{
    QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
    QPointer<TScreenShotWidget> capture = new TScreenShotWidget;
    QSignalSpy finished(capture.data(), &TScreenShotWidget::finished);
    capture->slotSave();
    QVERIFY(!capture.isNull());
    capture->slotOk();
    QTRY_VERIFY(capture.isNull());
    QCOMPARE(finished.count(), 0);

    // Started but nothing chosen: no image goes out either.
    QPointer<TScreenShotWidget> started = startCapture();
    QSignalSpy none(started.data(), &TScreenShotWidget::finished);
    started->slotOk();
    QTRY_VERIFY(started.isNull());
    QCOMPARE(none.count(), 0);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("kept"));
}

void tst_TScreenShotWidget::rightClicks()
{
    // Right click outside the region while it is chosen: back to choosing.
    QPointer<TScreenShotWidget> capture = startCapture(QRect(100, 80, 200, 150));
    auto *layer = capture->findChild<SelectRect *>();
    click(layer, QPoint(600, 500), Qt::RightButton);
    QTRY_COMPARE(capture->state(), TScreenShotWidget::ChoosingRegion);
    QVERIFY(!capture.isNull());
    // While choosing: the capture ends.
    click(layer, QPoint(600, 500), Qt::RightButton);
    QTRY_VERIFY(capture.isNull());

    // A double click inside the region finishes.
    QPointer<TScreenShotWidget> second = startCapture(QRect(100, 80, 200, 150));
    QSignalSpy finished(second.data(), &TScreenShotWidget::finished);
    auto *secondLayer = second->findChild<SelectRect *>();
    mouse(secondLayer, QEvent::MouseButtonDblClick, QPoint(150, 150), Qt::LeftButton, Qt::LeftButton);
    QTRY_COMPARE(finished.count(), 1);
    QTRY_VERIFY(second.isNull());
}

QTEST_MAIN(tst_TScreenShotWidget)
#include "tst_tscreenshotwidget.moc"
