// The push button of the widget library.
#include "controlstest.h"
#include "tlogger.h"
#include "tpushbutton.h"

#include <QGraphicsEffect>
#include <QJSEngine>
#include <QPointer>
#include <QSignalSpy>
#include <QtTest>

using controlstest::types;

class tst_TPushButton : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void keys_data();
    void keys();
    void shortcutRoundTrip();
    void clickedCarriesCheckedState();
    void hoverEvents();
    void hoverListenerMayDestroy();
    void raisedGetsFreshShadow();
    void scriptSlots();
};

void tst_TPushButton::keys_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("property");
    QTest::addColumn<QVariant>("effect");
    QTest::addColumn<QVariant>("readBack");

    QTest::newRow("text") << "text" << QVariant("Save") << "text" << QVariant("Save") << QVariant("Save");
    QTest::newRow("TEXT is no key") << "TEXT" << QVariant("Save") << "text" << QVariant("") << QVariant();
    QTest::newRow("checkable") << "checkable" << QVariant(true) << "checkable" << QVariant(true) << QVariant(true);
    QTest::newRow("icon size text") << "icon_size" << QVariant("24,20") << "iconSize" << QVariant(QSize(24, 20))
                                    << QVariant();
    QTest::newRow("icon size map keeps width") << "icon_size" << QVariant(QVariantMap {{"height", 30}}) << "iconSize"
                                               << QVariant(QSize(-1, 30)) << QVariant();
    QTest::newRow("common key") << "tool_tip" << QVariant("tip") << "toolTip" << QVariant("tip") << QVariant();
}

void tst_TPushButton::keys()
{
    QFETCH(QString, key);
    QFETCH(QVariant, value);
    QFETCH(QString, property);
    QFETCH(QVariant, effect);
    QFETCH(QVariant, readBack);

    TPushButton button;
    QSize expected = effect.toSize();
    if (effect.userType() == QMetaType::QSize && expected.width() < 0)
        effect = QSize(button.iconSize().width(), expected.height());
    button.set(key, value);
    QCOMPARE(button.property(qPrintable(property)), effect);
    QCOMPARE(button.get(key), readBack);
}

void tst_TPushButton::shortcutRoundTrip()
{
    TPushButton button;
    button.set("shortcut", "Ctrl+S");
    QCOMPARE(button.shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    QCOMPARE(button.get("shortcut"), QVariant(QKeySequence(Qt::CTRL | Qt::Key_S).toString(QKeySequence::NativeText)));
}

void tst_TPushButton::clickedCarriesCheckedState()
{
    TPushButton button;
    QSignalSpy spy(&button, &TPushButton::signal);
    button.click();
    button.set("checkable", true);
    button.click();
    button.click();
    QCOMPARE(types(spy), (QStringList {"clicked", "clicked", "clicked"}));
    QCOMPARE(spy.at(0).at(1), QVariant(false));
    QCOMPARE(spy.at(1).at(1), QVariant(true));
    QCOMPARE(spy.at(2).at(1), QVariant(false));
    QCOMPARE(spy.at(1).at(2), QVariant(QString()));
}

void tst_TPushButton::hoverEvents()
{
    TPushButton button;
    QVERIFY(button.testAttribute(Qt::WA_Hover));
    QSignalSpy spy(&button, &TPushButton::signal);
    QHoverEvent enter(QEvent::HoverEnter, QPointF(2, 2), QPointF(-1, -1));
    QHoverEvent leave(QEvent::HoverLeave, QPointF(-1, -1), QPointF(2, 2));
    QApplication::sendEvent(&button, &enter);
    QApplication::sendEvent(&button, &leave);
    QCOMPARE(types(spy), (QStringList {"hoverEnter", "hoverLeave"}));
    QVERIFY(!spy.at(0).at(1).isValid());
    QCOMPARE(spy.at(1).at(2), QVariant(QString()));
}

void tst_TPushButton::hoverListenerMayDestroy()
{
    QPointer<TPushButton> button = new TPushButton;
    connect(button.data(), &TPushButton::signal, this, [&button] { delete button.data(); });
    QHoverEvent enter(QEvent::HoverEnter, QPointF(2, 2), QPointF(-1, -1));
    QApplication::sendEvent(button.data(), &enter);
    QVERIFY(button.isNull());
}

void tst_TPushButton::raisedGetsFreshShadow()
{
    TPushButton button;
    button.set("style", "color=primary type=raised");
    QPointer<QGraphicsEffect> first = button.graphicsEffect();
    QVERIFY(qobject_cast<QGraphicsDropShadowEffect *>(first.data()));
    button.set("text", "x");
    QVERIFY(first.isNull());
    QVERIFY(button.graphicsEffect());

    TPushButton flat;
    flat.set("style", "type=flat");
    QVERIFY(!flat.graphicsEffect());
}

void tst_TPushButton::scriptSlots()
{
    TPushButton button;
    QSignalSpy spy(&button, &TPushButton::signal);
    QJSEngine engine;
    controlstest::expose(engine, "b", &button);
    const QJSValue r
            = CONTROLS_EVAL(engine, "b.set({text: 'OK', checkable: true});"
                                    "b.setDefault({text: 'Cancel'});"
                                    "b.emitSignal('custom');"
                                    "var m = b.get(['text', 'checkable']);"
                                    "m.text + ':' + m.checkable + ':' + b.getDefault('text') + ':' + b.get('text')");
    QCOMPARE(r.toString(), QString("OK:true:Cancel:OK"));
    QCOMPARE(types(spy), QStringList {"custom"});
    QVERIFY(!spy.at(0).at(1).isValid());
    QCOMPARE(spy.at(0).at(2), QVariant(QString()));
}

QTEST_MAIN(tst_TPushButton)
#include "tst_tpushbutton.moc"
