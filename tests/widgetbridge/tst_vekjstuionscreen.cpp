// The real runner building the work-order form on an X display: the
// screenshot shows the themed window with every control painted where the
// script says it is; the DPI ratio on a wide screen; and the pixel bound of
// windows sized through Qt's own properties.
#include "tuirunner.h"

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>

class tst_VekJsTuiOnScreen : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void formOnScreen();
    void dpRatioOnWideScreen();
    void windowsKeptWithinBound();
};

static int share(const QImage &iImage, const QRect &iRect, QRgb iColour)
{
    // Per cent of the pixels of iRect within a few steps of the colour.
    int hits = 0;
    int all = 0;
    for (int y = iRect.top(); y <= iRect.bottom(); ++y) {
        for (int x = iRect.left(); x <= iRect.right(); ++x) {
            const QRgb p = iImage.pixel(x, y);
            ++all;
            if (qAbs(qRed(p) - qRed(iColour)) <= 6 && qAbs(qGreen(p) - qGreen(iColour)) <= 6
                && qAbs(qBlue(p) - qBlue(iColour)) <= 6)
                ++hits;
        }
    }
    return all ? hits * 100 / all : 0;
}

void tst_VekJsTuiOnScreen::formOnScreen()
{
    const QString display = qEnvironmentVariable("DISPLAY");
    QVERIFY2(!display.isEmpty(), "no X display: run through scripts/test.sh");
    QFile f(QStringLiteral(VEK_TEST_DATA_DIR "/form.js"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    // The window stays up for a while after "shown": the grab happens then.
    const QString script = TuiRunner::prelude() + QStringLiteral("var SHOW_DELAY = 500, CLOSE_DELAY = 4000;\n")
                           + QString::fromUtf8(f.readAll());

    TuiRunner runner;
    QByteArray previous;
    QByteArray boxesLine;
    QImage shot;
    const TuiRun r = runner.run(script, TuiRunner::environment(QStringLiteral("xcb"), display), QString(),
                                [&](const QByteArray &iLine) {
                                    if (iLine == "shown") {
                                        boxesLine = previous;
                                        shot = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
                                    }
                                    previous = iLine;
                                });
    QVERIFY2(r.finished && !r.crashed && r.exitCode == 0, r.err.constData());
    const FormReport report = FormReport::check(r);
    if (QTest::currentTestFailed())
        return;
    QVERIFY(!shot.isNull());
    shot.save(QStringLiteral("tui-form-onscreen.png"));

    // Screen coordinates: the window's client area, the pane in it, each
    // control in the pane.
    const QRect window = FormReport::rect(report.boxes.value(QStringLiteral("window")));
    const QPoint pane = window.topLeft() + FormReport::rect(report.boxes.value(QStringLiteral("pane"))).topLeft();
    QVERIFY(shot.rect().contains(window));
    // The theme's window colour fills the space between the controls.
    const QRect between(pane + QPoint(2, 2), QSize(6, 6));
    QVERIFY2(share(shot, between, qRgb(0xEE, 0xF2, 0xF6)) > 90, "window not in the theme's colour");
    // Fields on the theme's white, buttons in its accent colour.
    const QList<QPair<QString, QRgb>> paint = {{"order", qRgb(0xFF, 0xFF, 0xFF)},
                                               {"quantity", qRgb(0xFF, 0xFF, 0xFF)},
                                               {"line", qRgb(0xFF, 0xFF, 0xFF)},
                                               {"save", qRgb(0x2F, 0x6F, 0xA8)},
                                               {"cancel", qRgb(0x2F, 0x6F, 0xA8)}};
    for (const auto &p : paint) {
        const QRect box = FormReport::rect(report.boxes.value(p.first)).translated(pane);
        QVERIFY2(share(shot, box, p.second) > 40, qPrintable(p.first));
    }
}

void tst_VekJsTuiOnScreen::dpRatioOnWideScreen()
{
    OwnXvfb xvfb;
    const QString display = xvfb.start(2560, 1440);
    QVERIFY2(!display.isEmpty(), "could not start Xvfb (package xvfb)");
    TuiRunner runner;
    const TuiRun r = runner.run(TuiRunner::prelude()
                                        + "var th = __package__.import('tui').theme();"
                                          "out([th.dpRatio(), th.dp(30)]);",
                                TuiRunner::environment(QStringLiteral("xcb"), display));
    QVERIFY2(r.finished && !r.crashed && r.exitCode == 0, r.err.constData());
    const QJsonArray values = QJsonDocument::fromJson(r.out).array();
    QCOMPARE(values.at(0).toDouble(), 2560 / 1920.0);
    QCOMPARE(values.at(1).toInt(), 40);
}

void tst_VekJsTuiOnScreen::windowsKeptWithinBound()
{
    // Any widget a script made becomes a window when shown; Qt's own size
    // properties are the script's to write. At 30,000 pixels a side the
    // window's backing store alone would take 3.6 GB.
    const QString display = qEnvironmentVariable("DISPLAY");
    QVERIFY2(!display.isEmpty(), "no X display: run through scripts/test.sh");
    TuiRunner runner;
    const TuiRun r = runner.run(TuiRunner::prelude()
                                        + "var tui = __package__.import('tui');"
                                          "var pane = tui.newWidget();"
                                          "pane.minimumWidth = 30000; pane.minimumHeight = 30000;"
                                          "pane.show();"
                                          "var timer = tui.newPushButton();"
                                          "timer.clicked.connect(function () {"
                                          "    var button = tui.newPushButton();"
                                          "    button.show();"
                                          "    button.minimumWidth = 20000;"
                                          "    out([pane.width, pane.height, button.width]);"
                                          "    tui.exit();"
                                          "});"
                                          "timer.animateClick(100);"
                                          "tui.exec();",
                                TuiRunner::environment(QStringLiteral("xcb"), display));
    QVERIFY2(r.finished && !r.crashed && r.exitCode == 0, r.err.constData());
    QCOMPARE(QJsonDocument::fromJson(r.out).array(), QJsonArray({8192, 8192, 8192}));
    QCOMPARE(r.err.count("the window needs at least 30000 x 30000 pixels, more than 8192 on a side"), 1);
    QCOMPARE(r.err.count("the window needs at least 20000 x"), 1);
}

QTEST_MAIN(tst_VekJsTuiOnScreen)
#include "tst_vekjstuionscreen.moc"
