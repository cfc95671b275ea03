// The image viewer: loading, view types, zoom, panning, quarter turns saved
// back to the file, and a capture replacing the image.
#include "capturetest.h"
#include "selectrect.h"
#include "timageviewer.h"
#include "tlogger.h"
#include "tscreenshotwidget.h"
#include "vekimagebombs.h"
#include "veklogcapture.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

#include <cmath>

namespace {

// Four coloured quadrants, so that turns are visible in the pixels.
QImage quadrants(const QSize &iSize)
{
    QImage image(iSize, QImage::Format_RGB32);
    const int w = iSize.width();
    const int h = iSize.height();
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const bool right = x >= w / 2;
            const bool bottom = y >= h / 2;
            image.setPixel(x, y,
                           bottom ? (right ? qRgb(255, 255, 0) : qRgb(0, 0, 255))
                                  : (right ? qRgb(0, 255, 0) : qRgb(255, 0, 0)));
        }
    }
    return image;
}

QLabel *imageLabel(TImageViewer &iViewer)
{
    return qobject_cast<QLabel *>(iViewer.findChild<QScrollArea *>()->widget());
}

} // namespace

class tst_TImageViewer : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void loading();
    void oversizedImageIsRefused();
    void claimsBeyondTheBudgetAreRefused_data();
    void claimsBeyondTheBudgetAreRefused();
    void viewTypes();
    void zoom();
    void zoomIsBounded();
    void resizeSetsFitScale();
    void wheelAndPanning();
    void quarterTurnsAreSaved();
    void turnOfJpegReplacesFile();
    void captureReplacesImage();
    void contextMenu();
    void commonKeys();

private:
    QTemporaryDir mDir;
    QString mPng;
};

void tst_TImageViewer::initTestCase()
{
    QVERIFY(mDir.isValid());
    mPng = mDir.filePath(QStringLiteral("picture.png"));
    QVERIFY(quadrants(QSize(120, 80)).save(mPng));
}

void tst_TImageViewer::loading()
{
    TImageViewer viewer;
    QVERIFY(viewer.loadFile(QString()));
    QVERIFY(viewer.getImageName().isEmpty());

    QVERIFY(viewer.loadFile(mPng));
    QCOMPARE(viewer.getImageName(), mPng);
    QCOMPARE(viewer.windowFilePath(), mPng);
    QCOMPARE(imageLabel(viewer)->pixmap(Qt::ReturnByValue).size(), QSize(120, 80));
    QCOMPARE(viewer.scale(), 1.0);

    // Not an image: the label empties, the loaded image stays the one acted on.
    const QString text = mDir.filePath(QStringLiteral("notes.png"));
    QFile file(text);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("not an image");
    file.close();
    QVERIFY(!viewer.loadFile(text));
    QVERIFY(imageLabel(viewer)->pixmap(Qt::ReturnByValue).isNull());
    QVERIFY(viewer.windowFilePath().isEmpty());
    QCOMPARE(viewer.getImageName(), mPng);
    QVERIFY(!viewer.loadFile(mDir.filePath(QStringLiteral("missing.png"))));
    QVERIFY(viewer.loadFile(QString()));
}

void tst_TImageViewer::oversizedImageIsRefused()
{
    // A small file whose header claims 20000 x 20000 pixels: one bit each
    // and all zero, it compresses to a few hundred kilobytes.
    const QString bomb = mDir.filePath(QStringLiteral("bomb.png"));
    {
        QImage image(20000, 20000, QImage::Format_Mono);
        image.fill(0);
        QVERIFY(image.save(bomb));
    }
    QVERIFY(QFileInfo(bomb).size() < 2 * 1024 * 1024);
    QCOMPARE(QImageReader(bomb).size(), QSize(20000, 20000));

    TImageViewer viewer;
    viewer.resize(400, 300);
    QVERIFY(viewer.loadFile(mPng));
    QSignalSpy logged(TLogger::instance(), &TLogger::logWrited);
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("\\[ERROR\\].*20000 x 20000 pixels")));
    QVERIFY(!viewer.loadFile(bomb));
    QCOMPARE(logged.count(), 1);
    QVERIFY(logged.at(0).at(0).toString().contains(bomb));
    // Refused like a file that is no image: nothing of it was decoded.
    QVERIFY(imageLabel(viewer)->pixmap(Qt::ReturnByValue).isNull());
    QCOMPARE(viewer.getImageName(), mPng);
    QVERIFY(viewer.windowFilePath().isEmpty());
}

void tst_TImageViewer::claimsBeyondTheBudgetAreRefused_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QSize>("claimed"); // invalid: the image loads
    // The reader reports the first frame (1 x 1); the decoder allocates the screen.
    QTest::newRow("35-byte gif") << VekImageBombs::gif(QSize(16000, 16000)) << QSize(16000, 16000);
    QTest::newRow("jpeg") << VekImageBombs::jpeg(QSize(65000, 65000)) << QSize(65000, 65000);
    QTest::newRow("png") << VekImageBombs::png(QSize(8200, 8200)) << QSize(8200, 8200);
    // The reader reports the entry's listed 16 x 16.
    QTest::newRow("icon file holding a png")
            << VekImageBombs::icoHolding(VekImageBombs::png(QSize(8200, 8200))) << QSize(8200, 8200);
    QTest::newRow("gif within the budget") << VekImageBombs::gif(QSize(100, 50)) << QSize();
}

void tst_TImageViewer::claimsBeyondTheBudgetAreRefused()
{
    QFETCH(QByteArray, data);
    QFETCH(QSize, claimed);
    const QString path = mDir.filePath(QStringLiteral("claim"));
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(data), qint64(data.size()));
    }
    TImageViewer viewer;
    viewer.resize(400, 300);
    VekLogCapture log;
    const bool loaded = viewer.loadFile(path);
    const QStringList lines = log.texts(QStringLiteral("error"));
    if (!claimed.isValid()) {
        QVERIFY(loaded);
        QCOMPARE(imageLabel(viewer)->pixmap(Qt::ReturnByValue).size(), QSize(100, 50));
        QVERIFY(lines.isEmpty());
        return;
    }
    QVERIFY(!loaded);
    QVERIFY(imageLabel(viewer)->pixmap(Qt::ReturnByValue).isNull());
    QVERIFY(viewer.getImageName().isEmpty());
    QCOMPARE(lines.size(), 1);
    const QString size = QStringLiteral("%1 x %2 pixels").arg(claimed.width()).arg(claimed.height());
    QVERIFY2(lines.at(0).contains(path) && lines.at(0).contains(size), qPrintable(lines.at(0)));
}

void tst_TImageViewer::viewTypes()
{
    TImageViewer viewer;
    viewer.resize(400, 300);
    viewer.show();
    QCOMPARE(viewer.viewType(), QStringLiteral("normal"));
    viewer.setViewType(QStringLiteral("fixed"));
    viewer.setFixedSize(QSize(50, 200));
    QCOMPARE(viewer.property("viewType").toString(), QStringLiteral("fixed"));
    QCOMPARE(viewer.property("fixedSize").toSize(), QSize(50, 200));
    // Stored only: nothing is laid out until the next load.
    QVERIFY(viewer.loadFile(mPng));
    QCOMPARE(imageLabel(viewer)->size(), QSize(50, 200));

    viewer.fitWindow();
    QCOMPARE(viewer.viewType(), QStringLiteral("fit"));
    const QSize area = viewer.findChild<QScrollArea *>()->size();
    QCOMPARE(imageLabel(viewer)->size(), QSize(120, 80).scaled(area, Qt::KeepAspectRatio));

    viewer.normalSize();
    QCOMPARE(viewer.viewType(), QStringLiteral("normal"));
    QCOMPARE(imageLabel(viewer)->size(), QSize(120, 80));
    QCOMPARE(viewer.scale(), 1.0);
}

void tst_TImageViewer::zoom()
{
    TImageViewer viewer;
    QVERIFY(viewer.loadFile(mPng));
    for (int i = 0; i < 10; ++i)
        viewer.zoomIn();
    QVERIFY(qAbs(viewer.scale() - std::pow(1.25, 10)) < 1e-9);
    QCOMPARE(imageLabel(viewer)->size(), QSize(qRound(120 * std::pow(1.25, 10)), qRound(80 * std::pow(1.25, 10))));
    viewer.zoomOut();
    QVERIFY(qAbs(viewer.scale() - std::pow(1.25, 10) * 0.8) < 1e-9);
}

void tst_TImageViewer::zoomIsBounded()
{
    const QString big = mDir.filePath(QStringLiteral("big.png"));
    QImage image(3000, 2000, QImage::Format_RGB32);
    image.fill(Qt::gray);
    QVERIFY(image.save(big));
    TImageViewer viewer;
    QVERIFY(viewer.loadFile(big));
    for (int i = 0; i < 30; ++i)
        viewer.zoomIn();
    const QSize shown = imageLabel(viewer)->size();
    QVERIFY(double(shown.width()) * shown.height() <= 64.0 * 1024 * 1024 * 1.01);
    // Capped between five and six steps (1.25^5 < 3.27 < 1.25^6).
    QVERIFY(viewer.scale() > std::pow(1.25, 5) && viewer.scale() < std::pow(1.25, 6));
    // Zooming out still works from there.
    const double top = viewer.scale();
    viewer.zoomOut();
    QVERIFY(qAbs(viewer.scale() - top * 0.8) < 1e-9);
}

void tst_TImageViewer::resizeSetsFitScale()
{
    TImageViewer viewer;
    viewer.show();
    QVERIFY(viewer.loadFile(mPng));
    viewer.resize(600, 200);
    QApplication::processEvents();
    // The smaller of 600 / 120 and 200 / 80.
    QCOMPARE(viewer.scale(), 2.5);
    viewer.zoomIn();
    QCOMPARE(viewer.scale(), 2.5 * 1.25);
    viewer.normalSize();
    viewer.fitWindow();
    QCOMPARE(viewer.scale(), 2.5);
}

void tst_TImageViewer::wheelAndPanning()
{
    TImageViewer viewer;
    viewer.resize(300, 200);
    viewer.show();
    auto wheel = [&viewer](int iDelta) {
        QWheelEvent event(QPointF(50, 50), QPointF(50, 50), QPoint(), QPoint(0, iDelta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(&viewer, &event);
        return event.isAccepted();
    };
    // Without an image nothing zooms.
    QVERIFY(wheel(120));
    QCOMPARE(viewer.scale(), 1.0);

    QVERIFY(viewer.loadFile(mPng));
    viewer.normalSize();
    wheel(120);
    QCOMPARE(viewer.scale(), 1.25);
    wheel(-120);
    QCOMPARE(viewer.scale(), 1.25 * 0.8);
    wheel(0);
    QCOMPARE(viewer.scale(), 1.25 * 0.8);

    for (int i = 0; i < 6; ++i)
        viewer.zoomIn();
    QApplication::processEvents();
    auto *area = viewer.findChild<QScrollArea *>();
    area->horizontalScrollBar()->setValue(100);
    area->verticalScrollBar()->setValue(100);
    capturetest::mouse(&viewer, QEvent::MouseButtonPress, QPoint(100, 100), Qt::LeftButton, Qt::LeftButton);
    capturetest::mouse(&viewer, QEvent::MouseMove, QPoint(80, 70), Qt::NoButton, Qt::LeftButton);
    QCOMPARE(area->horizontalScrollBar()->value(), 120);
    QCOMPARE(area->verticalScrollBar()->value(), 130);
}

void tst_TImageViewer::quarterTurnsAreSaved()
{
    const QString path = mDir.filePath(QStringLiteral("turn.png"));
    const QImage original = quadrants(QSize(120, 80));
    QVERIFY(original.save(path));
    TImageViewer viewer;
    QVERIFY(viewer.loadFile(path));

    viewer.rRotate();
    const QImage right(path);
    QCOMPARE(right.size(), QSize(80, 120));
    // The red top-left quadrant is now top-right.
    QCOMPARE(right.pixelColor(70, 10), QColor(255, 0, 0));
    QCOMPARE(right.pixelColor(10, 10), QColor(0, 0, 255));
    QCOMPARE(imageLabel(viewer)->pixmap(Qt::ReturnByValue).size(), QSize(80, 120));

    viewer.lRotate();
    const QImage back(path);
    QCOMPARE(back.convertToFormat(QImage::Format_RGB32), original);

    // Without a file to save to, nothing turns.
    TImageViewer empty;
    empty.rRotate();
    QVERIFY(empty.getImageName().isEmpty());
}

void tst_TImageViewer::turnOfJpegReplacesFile()
{
    const QString path = mDir.filePath(QStringLiteral("turn.jpg"));
    QVERIFY(quadrants(QSize(64, 32)).save(path));
    TImageViewer viewer;
    QVERIFY(viewer.loadFile(path));
    viewer.lRotate();
    QCOMPARE(QImage(path).size(), QSize(32, 64));
    // A null image is refused and changes nothing.
    QVERIFY(!viewer.replaceImg(QPixmap()));
    QCOMPARE(QImage(path).size(), QSize(32, 64));
}

void tst_TImageViewer::captureReplacesImage()
{
    QImage screen(QGuiApplication::primaryScreen()->size(), QImage::Format_RGB32);
    screen.fill(QColor(10, 200, 30));
    TScreenShotWidget::setScreenGrabber([screen] { return QPixmap::fromImage(screen); });

    // Before any file is loaded the capture changes nothing.
    TImageViewer empty;
    empty.screenshot();
    auto *capture = qobject_cast<TScreenShotWidget *>(QApplication::activeWindow());
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *found = qobject_cast<TScreenShotWidget *>(window))
            capture = found;
    }
    QVERIFY(capture);
    QCOMPARE(capture->state(), TScreenShotWidget::ChoosingRegion);
    capturetest::drag(capture->findChild<SelectRect *>(), QPoint(10, 10), QPoint(49, 29));
    QPointer<TScreenShotWidget> guard(capture);
    capture->slotOk();
    QTRY_VERIFY(guard.isNull());
    QVERIFY(empty.getImageName().isEmpty());

    const QString path = mDir.filePath(QStringLiteral("captured.png"));
    QVERIFY(quadrants(QSize(120, 80)).save(path));
    TImageViewer viewer;
    QVERIFY(viewer.loadFile(path));
    viewer.screenshot();
    capture = nullptr;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *found = qobject_cast<TScreenShotWidget *>(window))
            capture = found;
    }
    QVERIFY(capture);
    capturetest::drag(capture->findChild<SelectRect *>(), QPoint(10, 10), QPoint(49, 29));
    guard = capture;
    capture->slotOk();
    QTRY_VERIFY(guard.isNull());
    const QImage saved(path);
    QCOMPARE(saved.size(), QSize(40, 20));
    QCOMPARE(saved.pixelColor(5, 5), QColor(10, 200, 30));
    TScreenShotWidget::setScreenGrabber(nullptr);
}

void tst_TImageViewer::contextMenu()
{
    TImageViewer viewer;
    viewer.show();
    QMenu *menu = viewer.contextMenu();
    QVERIFY(menu);
    QCOMPARE(menu->actions().size(), 2);
    auto *area = viewer.findChild<QScrollArea *>();
    QCOMPARE(area->contextMenuPolicy(), Qt::CustomContextMenu);
    Q_EMIT area->customContextMenuRequested(QPoint(5, 5));
    QVERIFY(!menu->isVisible());
    QVERIFY(viewer.loadFile(mPng));
    Q_EMIT area->customContextMenuRequested(QPoint(5, 5));
    QVERIFY(menu->isVisible());
    menu->hide();
}

void tst_TImageViewer::commonKeys()
{
    TImageViewer viewer;
    viewer.setAttr(QStringLiteral("tool_tip"), QStringLiteral("picture"));
    QCOMPARE(viewer.toolTip(), QStringLiteral("picture"));
    viewer.setAttr(QStringLiteral("enabled"), false);
    QCOMPARE(viewer.getAttr(QStringLiteral("enabled")), QVariant(false));
    // The tool bar holds the turns and the capture, in that order.
    QStringList texts;
    for (QAction *action : viewer.findChild<QToolBar *>()->actions())
        texts << action->text();
    QCOMPARE(texts, (QStringList {TImageViewer::tr("RotateLeft"), TImageViewer::tr("RotateRight"),
                                  TImageViewer::tr("Screenshot")}));
}

QTEST_MAIN(tst_TImageViewer)
#include "tst_timageviewer.moc"
