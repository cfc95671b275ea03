#include "controlstest.h"
#include "tcheckbox.h"

#include <QHBoxLayout>
#include <QLabel>

using controlstest::expose;

class tst_TCheckBox : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void value_data();
    void value();
    void intValue_data();
    void intValue();
    void tristateAndText();
    void noWidgetEvents();
    void tip();
    void tipColoursBeforeTheTip();
    void fromScript();
};

void tst_TCheckBox::value_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("intValue");

    QTest::newRow("2 checks") << QVariant(2) << 2 << 1;
    QTest::newRow("1 checks partly") << QVariant(1) << 1 << -1;
    QTest::newRow("true is 1: partly") << QVariant(true) << 1 << -1;
    QTest::newRow("text 2") << QVariant("2") << 2 << 1;
    QTest::newRow("0 unchecks") << QVariant(0) << 0 << 0;
    QTest::newRow("other numbers uncheck") << QVariant(5) << 0 << 0;
    QTest::newRow("-1 unchecks") << QVariant(-1) << 0 << 0;
}

void tst_TCheckBox::value()
{
    QFETCH(QVariant, value);
    QFETCH(int, state);
    QFETCH(int, intValue);

    for (Qt::CheckState start : {Qt::Unchecked, Qt::Checked}) {
        TCheckBox box;
        box.setCheckState(start);
        box.setAttr("value", value);
        QCOMPARE(box.getAttr("value"), QVariant(state));
        QCOMPARE(box.getAttr(), QVariant(state));
        QCOMPARE(box.intValue(), intValue);
        // Qt makes the box tristate for the partial state.
        if (state == 1)
            QVERIFY(box.isTristate());
    }
}

void tst_TCheckBox::intValue_data()
{
    QTest::addColumn<int>("intValue");
    QTest::addColumn<int>("state");

    QTest::newRow("1 checks") << 1 << 2;
    QTest::newRow("-1 checks partly") << -1 << 1;
    QTest::newRow("0 unchecks") << 0 << 0;
    QTest::newRow("2 unchecks") << 2 << 0;
}

void tst_TCheckBox::intValue()
{
    QFETCH(int, intValue);
    QFETCH(int, state);

    TCheckBox box;
    box.setCheckState(Qt::Checked);
    box.setIntValue(intValue);
    QCOMPARE(box.getAttr("value"), QVariant(state));
    QCOMPARE(box.property("intValue"), QVariant(state == 2 ? 1 : state == 1 ? -1 : 0));
}

void tst_TCheckBox::tristateAndText()
{
    TCheckBox box("Drill");
    QCOMPARE(box.getAttr("text"), QVariant("Drill"));
    box.setAttr("tristate", true);
    QCOMPARE(box.getAttr("tristate"), QVariant(true));
    // Only a bool turns it on; any other value turns it off.
    box.setAttr("tristate", "true");
    QCOMPARE(box.getAttr("tristate"), QVariant(false));
    box.setAttr("tristate", true);
    box.setAttr("tristate", 1);
    QVERIFY(!box.isTristate());
    box.setAttr("text", "Route");
    QCOMPARE(box.text(), QStringLiteral("Route"));
    // Keys are case-sensitive; common keys still apply.
    box.setAttr("TEXT", "ignored");
    box.setAttr("enabled", false);
    QCOMPARE(box.text(), QStringLiteral("Route"));
    QVERIFY(!box.isEnabled());
}

void tst_TCheckBox::noWidgetEvents()
{
    TCheckBox box;
    QSignalSpy events(&box, &TCheckBox::signal);
    QSignalSpy toggles(&box, &QAbstractButton::toggled);
    box.setAttr("value", 2);
    box.setAttr("value", 2);
    box.click();
    QCOMPARE(events.count(), 0);
    QCOMPARE(toggles.count(), 2);
}

void tst_TCheckBox::tip()
{
    TCheckBox box("Solder mask");
    QCOMPARE(box.tipText(), QString());
    QVERIFY(!box.findChild<QLabel *>());
    // The empty text with no badge yet makes none.
    box.setTipText(QString());
    QVERIFY(!box.findChild<QLabel *>());

    box.setTipText("new");
    QLabel *label = box.tipLabel();
    QVERIFY(label);
    QCOMPARE(box.findChildren<QLabel *>().size(), 1);
    QCOMPARE(box.tipText(), QStringLiteral("new"));
    QVERIFY(!label->isHidden());
    // A badge at the right end of the box's own layout.
    auto *layout = qobject_cast<QHBoxLayout *>(box.layout());
    QVERIFY(layout);
    QCOMPARE(layout->count(), 2);
    QCOMPARE(layout->itemAt(1)->widget(), label);
    QCOMPARE(layout->contentsMargins(), QMargins(1, 1, 1, 1));
    QVERIFY(label->styleSheet().contains(QLatin1String("background-color:#EAEDF1; color:#54698D; font-size:12px")));
    QVERIFY(label->styleSheet().endsWith(QStringLiteral(";border-radius:%1;").arg(label->height() / 2)));
    QCOMPARE(box.styleSheet(), QStringLiteral("QCheckBox{margin-right:%1px}").arg(label->width()));

    // Eight-digit colours become rgba(); a new size restyles at once.
    box.setTipBgColor("#FF000080");
    box.setTipFontSize(20);
    QCOMPARE(box.tipBgColor(), QStringLiteral("#FF000080"));
    QCOMPARE(box.tipFontSize(), 20);
    QVERIFY(label->styleSheet().contains(QLatin1String("font-size:20px")));
    QVERIFY(label->styleSheet().contains(QLatin1String("background-color:rgba(255, 0, 0, ")));

    // A second text reuses the badge; the empty text hides it and recomputes the margin.
    box.setTipText("again");
    QCOMPARE(box.tipLabel(), label);
    box.setTipText(QString());
    QVERIFY(label->isHidden());
    QCOMPARE(box.tipText(), QString());
    QCOMPARE(box.findChildren<QLabel *>().size(), 1);
    QCOMPARE(box.styleSheet(), QStringLiteral("QCheckBox{margin-right:%1px}").arg(label->width()));
}

void tst_TCheckBox::tipColoursBeforeTheTip()
{
    TCheckBox box;
    box.setStyleSheet("color: red;");
    box.setTipFgColor("#112233");
    box.setTipBgColor("#445566");
    box.setTipFontSize(9);
    // Stored only: no badge, and the box's own sheet stays.
    QVERIFY(!box.findChild<QLabel *>());
    QCOMPARE(box.styleSheet(), QStringLiteral("color: red;"));
    QCOMPARE(box.tipFgColor(), QStringLiteral("#112233"));

    box.setTipText("3");
    QVERIFY(box.tipLabel()->styleSheet().contains(
            QLatin1String("background-color:#445566; color:#112233; font-size:9px")));
}

void tst_TCheckBox::fromScript()
{
    TCheckBox box;
    QJSEngine engine;
    expose(engine, "box", &box);
    CONTROLS_EVAL(engine, "box.setAttr('value', 2); box.setTipText('5'); box.setIntValue(-1);");
    QCOMPARE(box.checkState(), Qt::PartiallyChecked);
    QCOMPARE(box.tipText(), QStringLiteral("5"));
    // The property of the same name hides the getter slot from scripts.
    QCOMPARE(CONTROLS_EVAL(engine, "box.intValue").toInt(), -1);
    QCOMPARE(CONTROLS_EVAL(engine, "box.tipLabel().text").toString(), QStringLiteral("5"));
}

QTEST_MAIN(tst_TCheckBox)
#include "tst_tcheckbox.moc"
