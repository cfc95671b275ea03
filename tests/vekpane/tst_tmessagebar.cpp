// The message bar: arrangement, type icons, detail, fading in and out.
#include "controlstest.h"
#include "tlabel.h"
#include "tmessagebar.h"
#include "tresource.h"
#include "ttextedit.h"
#include "ttoolbutton.h"

#include <QGraphicsOpacityEffect>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using controlstest::types;

namespace {

// The part of the bar whose style says "name=<name>".
template<typename T>
T *part(QWidget *iBar, const char *iName)
{
    const QList<T *> all = iBar->findChildren<T *>();
    for (T *w : all) {
        if (w->property("SS_NAME").toString() == QLatin1String(iName))
            return w;
    }
    return nullptr;
}

QColor iconColour(QAbstractButton *iButton) { return QColor(iButton->icon().pixmap(16, 16).toImage().pixel(8, 8)); }

QTimer *closeTimer(QWidget *iBar) { return iBar->findChild<QTimer *>(QString(), Qt::FindDirectChildrenOnly); }

} // namespace

class tst_TMessageBar : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void arrangement_data();
    void arrangement();
    void typeIcons_data();
    void typeIcons();
    void unknownTypeKeepsIcons();
    void detail_data();
    void detail();
    void textKey();
    void fadesInCountsDownFadesOutAndAsksToClose();
    void closeTwiceFadesOnce();
    void closeTimeDoesNotStartTheCountDown();
    void timerResetRestartsTheCountDown();
    void reShowWhileClosing_data();
    void reShowWhileClosing();
    void listenerMayDeleteTheBar();

private:
    QTemporaryDir m_icons;
};

void tst_TMessageBar::initTestCase()
{
    QVERIFY(m_icons.isValid());
    for (const char *name : {"info-circle", "exclamation-triangle", "check", "close"}) {
        QFile svg(m_icons.filePath(QLatin1String(name) + ".svg"));
        QVERIFY(svg.open(QIODevice::WriteOnly));
        svg.write("<svg xmlns='http://www.w3.org/2000/svg' width='16' height='16'>"
                  "<rect width='16' height='16' fill='#000'/></svg>");
    }
    TResource::instance()->appendIconPath(m_icons.path());
}

void tst_TMessageBar::cleanupTestCase() { TResource::instance()->removeIconPath(m_icons.path()); }

void tst_TMessageBar::arrangement_data()
{
    QTest::addColumn<bool>("bottom");
    QTest::newRow("right (default)") << false;
    QTest::newRow("bottom") << true;
}

void tst_TMessageBar::arrangement()
{
    QFETCH(bool, bottom);
    TMessageBar bar(bottom ? TMessageBar::BottomAngle : TMessageBar::RightAngle);
    QVERIFY(bar.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(bar.property("SS_ANGLE").toString(), bottom ? QString("BOTTOM") : QString("RIGHT"));

    auto *text = part<TLabel>(&bar, "TEXT");
    auto *detailLabel = part<TLabel>(&bar, "DETAIL");
    auto *icon = part<TToolButton>(&bar, "ICON");
    auto *close = part<TToolButton>(&bar, "CLOSE");
    QVERIFY(text && detailLabel && icon && close);
    auto *detailText = bar.findChild<TTextEdit *>();
    QVERIFY(detailText);
    QCOMPARE(detailText->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(icon->iconSize(), bottom ? QSize(28, 28) : QSize(34, 34));
    QCOMPARE(text->maximumWidth(), bottom ? QWIDGETSIZE_MAX : 175);
    QCOMPARE(iconColour(icon), QColor("#3F82B0")); // info icon at first
    QVERIFY(detailLabel->isHidden());
    QVERIFY(detailText->isHidden());

    // Only the arrangement's own detail widget is used and laid out.
    bar.setAttr("detail", "Lot 4711 is on hold");
    QCOMPARE(detailLabel->isHidden(), !bottom);
    QCOMPARE(detailText->isHidden(), bottom);
    QCOMPARE(bar.getAttr("detail"), QVariant("Lot 4711 is on hold"));
    QVERIFY(bar.isHidden());                          // created hidden
}

void tst_TMessageBar::typeIcons_data()
{
    QTest::addColumn<QString>("style");
    QTest::addColumn<QColor>("icon");
    QTest::addColumn<QColor>("close");
    QTest::newRow("warn") << "type=warn" << QColor("#EAC02E") << QColor("#393B3E");
    QTest::newRow("info") << "type=info" << QColor("#3F82B0") << QColor("#393B3E");
    QTest::newRow("ok") << "type=ok" << QColor("#286825") << QColor("#FFFFFF");
    QTest::newRow("error") << "type=error" << QColor("#ED3B3E") << QColor("#393B3E");
    QTest::newRow("upper case, with blanks") << " TYPE = WARN " << QColor("#EAC02E") << QColor("#393B3E");
}

void tst_TMessageBar::typeIcons()
{
    QFETCH(QString, style);
    QFETCH(QColor, icon);
    QFETCH(QColor, close);
    TMessageBar bar;
    bar.setAttr("style", style);
    QCOMPARE(iconColour(part<TToolButton>(&bar, "ICON")), icon);
    QCOMPARE(iconColour(part<TToolButton>(&bar, "CLOSE")), close);
}

void tst_TMessageBar::unknownTypeKeepsIcons()
{
    TMessageBar bar;
    bar.setAttr("style", "type=ok");
    bar.setAttr("style", "type=fatal");
    QCOMPARE(iconColour(part<TToolButton>(&bar, "ICON")), QColor("#286825"));
    QCOMPARE(iconColour(part<TToolButton>(&bar, "CLOSE")), QColor("#FFFFFF"));
    // Icons are re-picked after any key, not only "style".
    bar.setProperty("SS_TYPE", "ERROR");
    bar.setAttr("text", "x");
    QCOMPARE(iconColour(part<TToolButton>(&bar, "ICON")), QColor("#ED3B3E"));
}

void tst_TMessageBar::detail_data()
{
    QTest::addColumn<bool>("bottom");
    QTest::newRow("right") << false;
    QTest::newRow("bottom") << true;
}

void tst_TMessageBar::detail()
{
    QFETCH(bool, bottom);
    TMessageBar bar(bottom ? TMessageBar::BottomAngle : TMessageBar::RightAngle);
    QWidget *shown = bottom ? static_cast<QWidget *>(part<TLabel>(&bar, "DETAIL")) : bar.findChild<TTextEdit *>();
    bar.setDetail("first");
    QVERIFY(!shown->isHidden());
    bar.setAttr("detail", "");
    QVERIFY(shown->isHidden());
    QCOMPARE(bar.getAttr("detail"), QVariant("first")); // the last text stays
    bar.setAttr("detail", 42);
    QCOMPARE(bar.getAttr("detail"), QVariant("42"));
    QVERIFY(!shown->isHidden());
}

void tst_TMessageBar::textKey()
{
    TMessageBar bar;
    bar.setAttr("text", "Saved");
    QCOMPARE(part<TLabel>(&bar, "TEXT")->text(), QString("Saved"));
    QCOMPARE(bar.getAttr("text"), QVariant("Saved"));
    bar.setText("Again");
    QCOMPARE(bar.getAttr("text"), QVariant("Again"));
    QVERIFY(!bar.getAttr("close_time").isValid());
}

void tst_TMessageBar::fadesInCountsDownFadesOutAndAsksToClose()
{
    TMessageBar bar;
    QSignalSpy spy(&bar, &TMessageBar::signal);
    bar.setAttr("close_time", 50);
    bar.showMessage();
    QVERIFY(bar.isVisible());
    auto *effect = qobject_cast<QGraphicsOpacityEffect *>(bar.graphicsEffect());
    QVERIFY(effect);
    QVERIFY(effect->opacity() < 0.5);
    QVERIFY(!closeTimer(&bar)->isActive()); // counts only after the fade-in
    QTRY_VERIFY_WITH_TIMEOUT(closeTimer(&bar)->isActive() || !spy.isEmpty(), 3000);
    QTRY_COMPARE_WITH_TIMEOUT(types(spy), QStringList {"should_be_close"}, 5000);
    QVERIFY(!spy.at(0).at(1).isValid());
    QCOMPARE(spy.at(0).at(2), QVariant(QString()));
    QVERIFY(bar.isVisible()); // the owner hides it
    auto *faded = qobject_cast<QGraphicsOpacityEffect *>(bar.graphicsEffect());
    QVERIFY(faded);
    QCOMPARE(faded->opacity(), 0.0);
    // The fades delete themselves: only the current effect is left.
    QCOMPARE(bar.findChildren<QGraphicsOpacityEffect *>().size(), 1);
    QTRY_VERIFY(bar.findChildren<QAbstractAnimation *>().isEmpty());
}

void tst_TMessageBar::closeTwiceFadesOnce()
{
    TMessageBar bar;
    QSignalSpy spy(&bar, &TMessageBar::signal);
    bar.showMessage();
    auto *close = part<TToolButton>(&bar, "CLOSE");
    close->click();
    QPointer<QGraphicsEffect> fadeEffect = bar.graphicsEffect();
    close->click();
    QCOMPARE(bar.graphicsEffect(), fadeEffect.data()); // no second fade
    QTRY_COMPARE(spy.count(), 1);
    QTest::qWait(400);
    QCOMPARE(types(spy), QStringList {"should_be_close"});
}

void tst_TMessageBar::closeTimeDoesNotStartTheCountDown()
{
    TMessageBar bar;
    QTimer *timer = closeTimer(&bar);
    QVERIFY(timer && timer->isSingleShot());
    QCOMPARE(timer->interval(), 3000);
    bar.setAttr("close_time", 40);
    QCOMPARE(timer->interval(), 40);
    QVERIFY(!timer->isActive());
    bar.setCloseTime(70);
    QCOMPARE(timer->interval(), 70);
    QVERIFY(!timer->isActive());
}

void tst_TMessageBar::timerResetRestartsTheCountDown()
{
    TMessageBar bar;
    QSignalSpy spy(&bar, &TMessageBar::signal);
    QTimer *timer = closeTimer(&bar);
    bar.setCloseTime(100000);
    bar.setAttr("timer_reset", QVariant());
    QVERIFY(timer->isActive());
    QVERIFY(timer->remainingTime() > 90000);
    bar.setCloseTime(10);
    bar.timerReset();
    // The time-out fades out even without a fade-in before.
    QTRY_COMPARE_WITH_TIMEOUT(types(spy), QStringList {"should_be_close"}, 3000);
}

void tst_TMessageBar::reShowWhileClosing_data()
{
    QTest::addColumn<bool>("bottom");
    QTest::addColumn<bool>("cancelsClose");
    QTest::newRow("bottom cancels the fade-out") << true << true;
    QTest::newRow("right lets it finish") << false << false;
}

void tst_TMessageBar::reShowWhileClosing()
{
    QFETCH(bool, bottom);
    QFETCH(bool, cancelsClose);
    TMessageBar bar(bottom ? TMessageBar::BottomAngle : TMessageBar::RightAngle);
    QSignalSpy spy(&bar, &TMessageBar::signal);
    bar.setCloseTime(100000);
    bar.showMessage();
    bar.setCloseTime(10);
    bar.timerReset();
    QTest::qWait(100); // the fade-out (1000 ms) is running
    QVERIFY(spy.isEmpty());
    bar.showMessage();
    if (cancelsClose) {
        auto *effect = qobject_cast<QGraphicsOpacityEffect *>(bar.graphicsEffect());
        QVERIFY(effect);
        QCOMPARE(effect->opacity(), 1.0);
        QTest::qWait(1300);
        QVERIFY(spy.isEmpty());
        // Shown again, a later close fades and asks again.
        part<TToolButton>(&bar, "CLOSE")->click();
        QTRY_COMPARE(types(spy), QStringList {"should_be_close"});
    } else {
        QTRY_COMPARE_WITH_TIMEOUT(types(spy), QStringList {"should_be_close"}, 3000);
    }
}

void tst_TMessageBar::listenerMayDeleteTheBar()
{
    QPointer<TMessageBar> bar = new TMessageBar;
    connect(bar.data(), &TMessageBar::signal, this, [&bar](const QString &iType) {
        if (iType == QLatin1String("should_be_close"))
            delete bar.data();
    });
    bar->showMessage();
    bar->setCloseTime(1);
    part<TToolButton>(bar.data(), "CLOSE")->click();
    QTRY_VERIFY(bar.isNull());
}

QTEST_MAIN(tst_TMessageBar)
#include "tst_tmessagebar.moc"
