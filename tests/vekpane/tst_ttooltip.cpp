#include "controlstest.h"
#include "ttooltip.h"

#include <QGraphicsDropShadowEffect>
#include <QLabel>

using controlstest::types;

class tst_TToolTip : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void window();
    void valueEvents();
    void shrinksToEachNewText();
    void fontSize();
    void commonKeysFirst();
};

void tst_TToolTip::window()
{
    TToolTip tip;
    QVERIFY(tip.windowFlags().testFlag(Qt::ToolTip));
    QVERIFY(tip.windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(tip.testAttribute(Qt::WA_TranslucentBackground));
    auto *label = tip.findChild<QLabel *>();
    QVERIFY(label);
    QVERIFY(label->styleSheet().contains(QLatin1String("font-size:15px")));
    auto *shadow = qobject_cast<QGraphicsDropShadowEffect *>(label->graphicsEffect());
    QVERIFY(shadow);
    QCOMPARE(shadow->offset(), QPointF(2.0, 2.0));
    QCOMPARE(shadow->color(), QColor(QStringLiteral("#C8C8C8")));
    QCOMPARE(tip.fontSize(), 15);
}

void tst_TToolTip::valueEvents()
{
    TToolTip tip;
    QSignalSpy spy(&tip, &TToolTip::signal);

    tip.setAttr("value", "first");
    QCOMPARE(tip.text(), QStringLiteral("first"));
    QCOMPARE(tip.getAttr("value"), QVariant("first"));
    QCOMPARE(tip.getAttr(), QVariant("first"));
    QCOMPARE(types(spy), QStringList {"value_changed"});
    QCOMPARE(spy.at(0).at(1), QVariant(true));
    QCOMPARE(spy.at(0).at(2), QVariant(QString()));

    // The same text again: nothing happens.
    tip.setAttr("value", "first");
    QCOMPARE(spy.count(), 1);

    // Back to the default: the flag says the value no longer differs from it.
    tip.setDefaultData("value", "plain");
    tip.setAttr("value", "plain");
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(1).at(1), QVariant(false));

    // setText() is silent.
    tip.setText("quiet");
    QCOMPARE(spy.count(), 2);
    QCOMPARE(tip.getAttr("value"), QVariant("quiet"));
}

void tst_TToolTip::shrinksToEachNewText()
{
    TToolTip reference;
    reference.setText("short");

    TToolTip tip;
    tip.setAttr("value", "a much, much longer line of text than the other");
    const QSize longSize = tip.size();
    tip.setAttr("value", "short");
    QVERIFY(tip.width() < longSize.width());
    QCOMPARE(tip.size(), reference.size());
}

void tst_TToolTip::fontSize()
{
    TToolTip tip;
    tip.setText("text");
    const QSize before = tip.size();
    tip.setFontSize(30);
    QCOMPARE(tip.fontSize(), 30);
    QVERIFY(tip.findChild<QLabel *>()->styleSheet().contains(QLatin1String("font-size:30px")));
    QVERIFY(tip.height() > before.height());
}

void tst_TToolTip::commonKeysFirst()
{
    TToolTip tip;
    tip.setAttr("enabled", false);
    tip.setAttr("user_data", 7);
    QVERIFY(!tip.isEnabled());
    QCOMPARE(tip.getAttr("user_data"), QVariant(7));
}

QTEST_MAIN(tst_TToolTip)
#include "tst_ttooltip.moc"
