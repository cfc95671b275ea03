// The loading indicator and the loading overlay.
#include "tdialog.h"
#include "tloadingbar.h"
#include "tloadingindicator.h"
#include "tmainwindow.h"

#include <QLabel>
#include <QTimer>
#include <QtTest>

namespace {

TLoadingIndicator *busy(TLoadingBar *iBar)
{
    const QList<TLoadingIndicator *> all = iBar->findChildren<TLoadingIndicator *>();
    for (TLoadingIndicator *i : all) {
        if (i->displayType() == TLoadingIndicator::Busy)
            return i;
    }
    return nullptr;
}

TLoadingIndicator *progress(TLoadingBar *iBar)
{
    const QList<TLoadingIndicator *> all = iBar->findChildren<TLoadingIndicator *>();
    for (TLoadingIndicator *i : all) {
        if (i->displayType() == TLoadingIndicator::Progress)
            return i;
    }
    return nullptr;
}

QFrame *byType(TLoadingBar *iBar, const char *iType)
{
    const QList<QFrame *> all = iBar->findChildren<QFrame *>();
    for (QFrame *f : all) {
        if (f->property("SS_TYPE").toString() == QLatin1String(iType))
            return f;
    }
    return nullptr;
}

// The labels of the strip: the text first, the remark second.
QList<QLabel *> labels(TLoadingBar *iBar) { return iBar->findChildren<QLabel *>(); }

QImage paint(TLoadingIndicator &iIndicator, const QSize &iSize)
{
    QPalette palette = iIndicator.palette();
    palette.setColor(QPalette::WindowText, QColor(200, 0, 0));
    iIndicator.setPalette(palette);
    iIndicator.resize(iSize);
    QImage image(iSize, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    iIndicator.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

bool anyPixelDrawn(const QImage &iImage)
{
    for (int y = 0; y < iImage.height(); ++y) {
        for (int x = 0; x < iImage.width(); ++x) {
            if (qAlpha(iImage.pixel(x, y)) > 0)
                return true;
        }
    }
    return false;
}

} // namespace

class tst_TLoadingBar : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void indicatorDefaultsAndTimer();
    void indicatorProgressPaint_data();
    void indicatorProgressPaint();
    void indicatorSymbolsPaint_data();
    void indicatorSymbolsPaint();
    void indicatorProperties();
    void barParts();
    void barKeys_data();
    void barKeys();
    void barDataMapAppliesOnlyItsKeys();
    void barGeometry_data();
    void barGeometry();
    void barWithoutParent();
};

void tst_TLoadingBar::indicatorDefaultsAndTimer()
{
    TLoadingIndicator indicator;
    QCOMPARE(indicator.percent(), -1);
    QCOMPARE(indicator.displayType(), TLoadingIndicator::Busy);
    QVERIFY(indicator.testAttribute(Qt::WA_TranslucentBackground));
    auto *timer = indicator.findChild<QTimer *>();
    QVERIFY(timer);
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 150);

    indicator.setDisplayType(TLoadingIndicator::Success);
    QVERIFY(!timer->isActive());
    indicator.setDisplayType(TLoadingIndicator::Progress);
    QVERIFY(!timer->isActive());
    indicator.setDisplayType(TLoadingIndicator::Busy);
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 150);
}

void tst_TLoadingBar::indicatorProgressPaint_data()
{
    QTest::addColumn<int>("percent");
    QTest::addColumn<int>("filledTo"); // the first column of the track
    QTest::newRow("half") << 50 << 50;
    QTest::newRow("none") << 0 << 0;
    QTest::newRow("full") << 100 << 100;
    QTest::newRow("over 100 stays inside") << 250 << 100;
    QTest::newRow("below 0 fills nothing") << -1 << 0;
}

void tst_TLoadingBar::indicatorProgressPaint()
{
    QFETCH(int, percent);
    QFETCH(int, filledTo);
    TLoadingIndicator indicator;
    indicator.setDisplayType(TLoadingIndicator::Progress);
    indicator.setPercent(percent);
    const QImage image = paint(indicator, QSize(100, 4));
    for (int x : {0, 49, 50, 99}) {
        const int alpha = qAlpha(image.pixel(x, 2));
        if (x < filledTo)
            QCOMPARE(alpha, 255);
        else
            QVERIFY2(alpha > 100 && alpha < 160, qPrintable(QString::number(alpha))); // the half-transparent track
    }
}

void tst_TLoadingBar::indicatorSymbolsPaint_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("drawn");
    QTest::newRow("busy") << int(TLoadingIndicator::Busy) << true;
    QTest::newRow("information") << int(TLoadingIndicator::Information) << true;
    QTest::newRow("success") << int(TLoadingIndicator::Success) << true;
    QTest::newRow("failure") << int(TLoadingIndicator::Failure) << true;
    QTest::newRow("warning") << int(TLoadingIndicator::Warning) << true;
    QTest::newRow("unknown type") << 17 << false;
}

void tst_TLoadingBar::indicatorSymbolsPaint()
{
    QFETCH(int, type);
    QFETCH(bool, drawn);
    TLoadingIndicator indicator;
    indicator.setDisplayType(TLoadingIndicator::DisplayType(type));
    QCOMPARE(anyPixelDrawn(paint(indicator, QSize(40, 40))), drawn);
}

void tst_TLoadingBar::indicatorProperties()
{
    TLoadingIndicator indicator;
    QVERIFY(indicator.setProperty("percent", 33));
    QCOMPARE(indicator.percent(), 33);
    QVERIFY(indicator.setProperty("displayType", int(TLoadingIndicator::Warning)));
    QCOMPARE(indicator.displayType(), TLoadingIndicator::Warning);
    QCOMPARE(indicator.property("displayType").toInt(), int(TLoadingIndicator::Warning));
}

void tst_TLoadingBar::barParts()
{
    QWidget window;
    window.resize(400, 300);
    TLoadingBar bar(&window);
    QVERIFY(busy(&bar));
    QVERIFY(progress(&bar));
    QCOMPARE(busy(&bar)->size(), QSize(60, 40));
    QCOMPARE(progress(&bar)->maximumHeight(), 4);
    QVERIFY(byType(&bar, "MSGBAR_LOADING"));
    QVERIFY(byType(&bar, "MSGBAR_MASK"));
    QVERIFY(bar.hasMouseTracking());
    QVERIFY(byType(&bar, "MSGBAR_MASK")->hasMouseTracking());
    QVERIFY(!byType(&bar, "MSGBAR_LOADING")->hasMouseTracking());
    QCOMPARE(labels(&bar).size(), 2);
    QVERIFY(labels(&bar).at(1)->isHidden()); // the remark starts hidden
}

void tst_TLoadingBar::barKeys_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("remark");
    QTest::addColumn<bool>("remarkShown");
    QTest::addColumn<int>("percent");
    QTest::addColumn<bool>("lineShown");

    QTest::newRow("text") << "text" << QVariant("Loading orders") << "Loading orders"
                          << "" << false << -1 << true;
    QTest::newRow("detail") << "detail" << QVariant("3 of 9") << ""
                            << "3 of 9" << true << -1 << true;
    QTest::newRow("empty detail") << "detail" << QVariant("") << ""
                                  << "" << false << -1 << true;
    QTest::newRow("percent 0") << "percent" << QVariant(0) << ""
                               << "" << false << 0 << true;
    QTest::newRow("percent 70") << "percent" << QVariant(70) << ""
                                << "" << false << 70 << true;
    QTest::newRow("percent -1") << "percent" << QVariant(-1) << ""
                                << "" << false << -1 << false;
    QTest::newRow("percent as text") << "percent" << QVariant("12") << ""
                                     << "" << false << 12 << true;
    QTest::newRow("Text is no key") << "Text" << QVariant("x") << ""
                                    << "" << false << -1 << true;
}

void tst_TLoadingBar::barKeys()
{
    QFETCH(QString, key);
    QFETCH(QVariant, value);
    QFETCH(QString, text);
    QFETCH(QString, remark);
    QFETCH(bool, remarkShown);
    QFETCH(int, percent);
    QFETCH(bool, lineShown);

    QWidget window;
    TLoadingBar bar(&window);
    QSignalSpy spy(&bar, &TLoadingBar::signal);
    bar.setAttr(key, value);
    QCOMPARE(labels(&bar).at(0)->text(), text);
    QCOMPARE(labels(&bar).at(1)->text(), remark);
    QCOMPARE(!labels(&bar).at(1)->isHidden(), remarkShown);
    QCOMPARE(busy(&bar)->percent(), percent);
    QCOMPARE(progress(&bar)->percent(), percent);
    QCOMPARE(!progress(&bar)->isHidden(), lineShown);
    QVERIFY(spy.isEmpty());
    QVERIFY(!bar.getAttr(key).isValid()); // written only
}

void tst_TLoadingBar::barDataMapAppliesOnlyItsKeys()
{
    QWidget window;
    TLoadingBar bar(&window);
    bar.setAttr("data", QVariantMap {{"text", "Reading"}, {"detail", "panel 2"}, {"percent", 10}});
    QCOMPARE(labels(&bar).at(0)->text(), QString("Reading"));
    QCOMPARE(labels(&bar).at(1)->text(), QString("panel 2"));
    QCOMPARE(busy(&bar)->percent(), 10);

    bar.setAttr("data", QVariantMap {{"percent", -1}, {"other", "x"}});
    QCOMPARE(labels(&bar).at(0)->text(), QString("Reading"));
    QCOMPARE(labels(&bar).at(1)->text(), QString("panel 2"));
    QVERIFY(!labels(&bar).at(1)->isHidden());
    QCOMPARE(busy(&bar)->percent(), -1);
    QVERIFY(progress(&bar)->isHidden());
}

void tst_TLoadingBar::barGeometry_data()
{
    QTest::addColumn<QString>("parentKind");
    QTest::addColumn<int>("state");
    QTest::addColumn<QRect>("overlay");

    QTest::newRow("plain widget") << "widget" << int(Qt::WindowNoState) << QRect(0, 0, 400, 300);
    QTest::newRow("main window") << "main" << int(Qt::WindowNoState) << QRect(5, 5, 390, 290);
    QTest::newRow("maximised main window") << "main" << int(Qt::WindowMaximized) << QRect(0, 0, 400, 300);
    QTest::newRow("full-screen main window") << "main" << int(Qt::WindowFullScreen) << QRect(0, 0, 400, 300);
    QTest::newRow("dialog") << "dialog" << int(Qt::WindowNoState) << QRect(5, 5, 390, 290);
    QTest::newRow("main window inside a form") << "embedded" << int(Qt::WindowNoState) << QRect(0, 0, 400, 300);
}

void tst_TLoadingBar::barGeometry()
{
    QFETCH(QString, parentKind);
    QFETCH(int, state);
    QFETCH(QRect, overlay);

    QWidget form;
    QWidget *parent = nullptr;
    if (parentKind == "main")
        parent = new TMainWindow;
    else if (parentKind == "dialog")
        parent = new TDialog;
    else if (parentKind == "embedded")
        parent = new TMainWindow(&form);
    else
        parent = new QWidget;
    QScopedPointer<QWidget> owner(parentKind == "embedded" ? nullptr : parent);
    if (parentKind == "embedded")
        parent->setWindowFlags(Qt::Widget);
    parent->resize(400, 300);
    parent->setWindowState(Qt::WindowStates(state));
    parent->resize(400, 300); // whatever the state did to the size

    auto *bar = new TLoadingBar(parent);
    QCOMPARE(bar->geometry(), overlay);
    const int strip = 55;
    QCOMPARE(byType(bar, "MSGBAR_MASK")->geometry(), QRect(0, 0, overlay.width(), overlay.height() - strip));
    QCOMPARE(byType(bar, "MSGBAR_LOADING")->geometry(), QRect(0, overlay.height() - strip, overlay.width(), strip));
}

void tst_TLoadingBar::barWithoutParent()
{
    TLoadingBar bar;
    bar.setAttr("percent", 5);
    QCOMPARE(busy(&bar)->percent(), 5);
}

QTEST_MAIN(tst_TLoadingBar)
#include "tst_tloadingbar.moc"
