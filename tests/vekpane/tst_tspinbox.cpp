// The spin boxes with a switchable wheel.
#include "controlstest.h"
#include "tdoublespinbox.h"
#include "tspinbox.h"

#include <QJSEngine>
#include <QPointer>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QWheelEvent>
#include <QtTest>
#include <qpa/qwindowsysteminterface.h>

using controlstest::types;

namespace {

// One notch up, sent to the widget as the window would deliver it. True when
// the event was left accepted.
bool wheelUp(QWidget *iWidget)
{
    const QPoint centre = iWidget->rect().center();
    const QPointF pos(centre);
    QWheelEvent event(pos, QPointF(iWidget->mapToGlobal(centre)), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(iWidget, &event);
    return event.isAccepted();
}

void turnWheel(QWidget *iTarget, int iNotches, QPoint iAt = QPoint(5, 5))
{
    QWindow *window = iTarget->window()->windowHandle();
    const QPointF local = iTarget->mapTo(iTarget->window(), iAt);
    const QPointF global = iTarget->mapToGlobal(iAt);
    QWindowSystemInterface::handleWheelEvent(window, local, global, QPoint(), QPoint(0, 120 * iNotches));
    QWindowSystemInterface::flushWindowSystemEvents();
    QCoreApplication::processEvents();
}

} // namespace

class tst_TSpinBox : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void wheelIsSwitchable();
    void wheelNeverScrollsTheForm();
    void keys();
    void editFinished_data();
    void editFinished();
    void editFinishedListenerMayDestroy();
    void fromScript();
};

void tst_TSpinBox::wheelIsSwitchable()
{
    TSpinBox spin;
    TDoubleSpinBox dspin;
    spin.resize(80, 24);
    dspin.resize(80, 24);
    QVERIFY(!spin.isWheelEnabled());
    QVERIFY(!dspin.property("wheelEnabled").toBool());

    // Off: the value stays and the event is consumed, so nothing behind scrolls.
    QVERIFY(wheelUp(&spin));
    QVERIFY(wheelUp(&dspin));
    QCOMPARE(spin.value(), 0);
    QCOMPARE(dspin.value(), 0.0);

    spin.setWheelEnabled(true);
    dspin.setProperty("wheelEnabled", true);
    QVERIFY(dspin.isWheelEnabled());
    wheelUp(&spin);
    wheelUp(&dspin);
    QCOMPARE(spin.value(), 1);
    QCOMPARE(dspin.value(), 1.0);
}

void tst_TSpinBox::wheelNeverScrollsTheForm()
{
    QScrollArea area;
    auto *form = new QWidget;
    form->setFixedSize(200, 2000);
    auto *spin = new TSpinBox(form);
    spin->setGeometry(10, 10, 80, 24);
    area.setWidget(form);
    area.resize(240, 200);
    area.show();
    QVERIFY(QTest::qWaitForWindowExposed(&area));
    QScrollBar *bar = area.verticalScrollBar();
    QVERIFY(bar->maximum() > 0);
    bar->setValue(0);

    // Spontaneous events, as the window system delivers them: only those
    // travel on to the parents when a widget leaves them ignored.
    turnWheel(spin, -1);
    QCOMPARE(bar->value(), 0);
    QCOMPARE(spin->value(), 0);

    // The form itself still scrolls by the wheel.
    turnWheel(form, -1, QPoint(150, 150));
    QVERIFY(bar->value() > 0);
}

void tst_TSpinBox::keys()
{
    TSpinBox spin;
    spin.setAttr("maximum", "50");
    spin.setAttr("minimum", -5);
    spin.setAttr("value", 70);
    QCOMPARE(spin.maximum(), 50);
    QCOMPARE(spin.minimum(), -5);
    QCOMPARE(spin.getAttr("value"), QVariant(50));
    QCOMPARE(spin.getAttr(), QVariant(50));
    // Bounds are written only; the common reader knows nothing of them.
    QVERIFY(!spin.getAttr("minimum").isValid());
    QVERIFY(!spin.getAttr("maximum").isValid());
    spin.setAttr("Value", 3);
    QCOMPARE(spin.value(), 50);
    spin.setAttr("enabled", false);
    QVERIFY(!spin.isEnabled());
}

void tst_TSpinBox::editFinished_data()
{
    QTest::addColumn<QVariant>("defaultValue");
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("changed");

    QTest::newRow("at the default") << QVariant(5) << 5 << false;
    QTest::newRow("off the default") << QVariant(5) << 6 << true;
    QTest::newRow("default given as text") << QVariant("6") << 6 << false;
    QTest::newRow("no default") << QVariant() << 0 << true;
}

void tst_TSpinBox::editFinished()
{
    QFETCH(QVariant, defaultValue);
    QFETCH(int, value);
    QFETCH(bool, changed);

    TSpinBox spin;
    if (defaultValue.isValid())
        spin.setDefault(QVariantMap {{"value", defaultValue}});
    spin.setValue(value);
    QSignalSpy spy(&spin, &TSpinBox::signal);
    Q_EMIT spin.editingFinished();
    QCOMPARE(types(spy), (QStringList {"editing_finished", "value_changed"}));
    QVERIFY(!spy.at(0).at(1).isValid());
    QCOMPARE(spy.at(1).at(1), QVariant(changed));
    QCOMPARE(spy.at(1).at(2), QVariant(QString()));
}

void tst_TSpinBox::editFinishedListenerMayDestroy()
{
    QPointer<TSpinBox> spin = new TSpinBox;
    connect(spin.data(), &TSpinBox::signal, this, [&spin] { delete spin.data(); });
    Q_EMIT spin->editingFinished();
    QVERIFY(spin.isNull());
}

void tst_TSpinBox::fromScript()
{
    TSpinBox spin;
    QJSEngine engine;
    controlstest::expose(engine, "s", &spin);
    const QJSValue r = CONTROLS_EVAL(engine, "s.setAttr('maximum', 9); s.setAttr('value', 12);"
                                             "s.setWheelEnabled(true); s.getAttr('value') + ':' + s.isWheelEnabled()");
    QCOMPARE(r.toString(), QString("9:true"));
}

QTEST_MAIN(tst_TSpinBox)
#include "tst_tspinbox.moc"
