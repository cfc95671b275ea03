#include "controlstest.h"
#include "tlengthvalueentry.h"
#include "tlengthvaluelabel.h"

#include <memory>

using controlstest::expose;
using controlstest::types;

class tst_TLengthValueLabel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void placeholders_data();
    void placeholders();
    void followsEveryKeystroke();
    void formatShowsAtNextChange();
    void valueChangedFlag_data();
    void valueChangedFlag();
    void replacingAndLosingTheEntry();
    void attributes();
    void fromScript();
};

void tst_TLengthValueLabel::placeholders_data()
{
    QTest::addColumn<QString>("units");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("shown");

    QTest::newRow("mm as mil") << "mm"
                               << "2.54"
                               << "${MIL} mil"
                               << "100 mil";
    QTest::newRow("fixed decimals keep zeros") << "mm"
                                               << "2.54"
                                               << "${in,3,f}"
                                               << "0.100";
    QTest::newRow("format letter in any case") << "mm"
                                               << "2.54"
                                               << "${in,2,F}"
                                               << "0.10";
    QTest::newRow("own unit") << "mm"
                              << "2.54"
                              << "${mm}"
                              << "2.54";
    QTest::newRow("g with 2 digits") << "mm"
                                     << "2.54"
                                     << "${um,2}"
                                     << "2.5e+03";
    QTest::newRow("g with 1 digit") << "mm"
                                    << "2.54"
                                    << "${MIL,1}"
                                    << "1e+02";
    QTest::newRow("empty part dropped: precision from 'f'") << "mm"
                                                            << "2.54"
                                                            << "${MM,,f}"
                                                            << "3";
    QTest::newRow("precision that is no number") << "mil"
                                                 << "12.4"
                                                 << "${mil,x,f}"
                                                 << "12";
    QTest::newRow("two spellings, two entries") << "mil"
                                                << "100"
                                                << "${mm} / ${MM} / ${mm}"
                                                << "2.54 / 2.54 / 2.54";
    QTest::newRow("several units") << "in"
                                   << "0.01"
                                   << "${MIL}mil=${MM,4}mm=${UM}um"
                                   << "10mil=0.254mm=254um";
    QTest::newRow("unit outside the table") << "mm"
                                            << "2.54"
                                            << "${pcs}"
                                            << "2.54";
    QTest::newRow("entry unit outside the table") << "pcs"
                                                  << "2.54"
                                                  << "${MIL}"
                                                  << "2.54";
    QTest::newRow("empty unit part dropped") << "mm"
                                             << "2.54"
                                             << "${,3}"
                                             << "2.54";
    QTest::newRow("half-typed text reads 0") << "mm"
                                             << "0.1in"
                                             << "${MIL} mil"
                                             << "0 mil";
    QTest::newRow("blank inside: no placeholder") << "mm"
                                                  << "1"
                                                  << "${M M} ${MM}"
                                                  << "${M M} 1";
    QTest::newRow("nested braces: inner one counts") << "mm"
                                                     << "1"
                                                     << "${a${MM}}"
                                                     << "${a1}";
    QTest::newRow("no placeholders") << "mm"
                                     << "1"
                                     << "width"
                                     << "width";
    QTest::newRow("empty format") << "mm"
                                  << "1"
                                  << ""
                                  << "";
}

void tst_TLengthValueLabel::placeholders()
{
    QFETCH(QString, units);
    QFETCH(QString, value);
    QFETCH(QString, format);
    QFETCH(QString, shown);
    TLengthValueEntry entry;
    entry.setUnits(units);
    entry.setText(value);
    TLengthValueLabel label;
    label.setText("before");
    label.setFormatString(format);
    QCOMPARE(label.formatString(), format);
    label.setValueEntry(&entry);
    QCOMPARE(label.text(), shown);
}

void tst_TLengthValueLabel::followsEveryKeystroke()
{
    TLengthValueEntry entry;
    entry.setUnits("mm");
    TLengthValueLabel label;
    label.setFormatString("${MIL,3} mil");
    label.setValueEntry(&entry);
    QCOMPARE(label.text(), QStringLiteral("0 mil"));
    QStringList seen;
    connect(&entry, &QLineEdit::textChanged, this, [&] { seen << label.text(); });
    QTest::keyClicks(&entry, "0.1in");
    QTest::keyClick(&entry, Qt::Key_Return);
    // The label is connected first, so it has followed each character; a
    // half-typed unit reads as 0.
    QCOMPARE(seen, (QStringList {"0 mil", "0 mil", "3.94 mil", "0 mil", "0 mil", "100 mil"}));
}

void tst_TLengthValueLabel::formatShowsAtNextChange()
{
    TLengthValueEntry entry;
    entry.setUnits("mm");
    entry.setText("25.4");
    TLengthValueLabel label;
    label.setFormatString("${in}in");
    label.setValueEntry(&entry);
    QCOMPARE(label.text(), QStringLiteral("1in"));
    label.setFormatString("${MIL}mil");
    QCOMPARE(label.text(), QStringLiteral("1in"));
    entry.setText("2.54");
    QCOMPARE(label.text(), QStringLiteral("100mil"));
}

void tst_TLengthValueLabel::valueChangedFlag_data()
{
    QTest::addColumn<QVariant>("defaultValue");
    QTest::addColumn<bool>("modified");
    QTest::newRow("no default") << QVariant() << true;
    QTest::newRow("default equals the text") << QVariant("100 mil") << false;
    QTest::newRow("default differs") << QVariant("100") << true;
}

void tst_TLengthValueLabel::valueChangedFlag()
{
    QFETCH(QVariant, defaultValue);
    QFETCH(bool, modified);
    TLengthValueEntry entry;
    entry.setUnits("mm");
    entry.setText("2.54");
    TLengthValueLabel label;
    label.setDefault(QVariantMap {{"value", defaultValue}});
    label.setFormatString("${MIL} mil");
    QSignalSpy events(&label, SIGNAL(signal(QString, QVariant, QString)));
    label.setValueEntry(&entry);
    QCOMPARE(events.count(), 1);
    QCOMPARE(events.at(0), (QVariantList {"value_changed", modified, QString("")}));
    // Every recomputation is announced, whether the text changed or not.
    entry.setText("2.540");
    QCOMPARE(types(events), (QStringList {"value_changed", "value_changed"}));
}

void tst_TLengthValueLabel::replacingAndLosingTheEntry()
{
    TLengthValueEntry first;
    first.setUnits("mm");
    first.setText("1");
    auto second = std::make_unique<TLengthValueEntry>();
    second->setUnits("in");
    second->setText("1");
    TLengthValueLabel label;
    label.setFormatString("${MM}");
    label.setValueEntry(&first);
    QCOMPARE(label.text(), QStringLiteral("1"));
    label.setValueEntry(second.get());
    QCOMPARE(label.valueEntry(), second.get());
    QCOMPARE(label.text(), QStringLiteral("25.4"));
    first.setText("5");
    QCOMPARE(label.text(), QStringLiteral("25.4"));

    // A destroyed entry is no longer followed; the label keeps its text.
    QSignalSpy events(&label, SIGNAL(signal(QString, QVariant, QString)));
    second.reset();
    QVERIFY(!label.valueEntry());
    QVERIFY(QMetaObject::invokeMethod(&label, "onValueEntryChanged"));
    QCOMPARE(label.text(), QStringLiteral("25.4"));
    QCOMPARE(events.count(), 0);

    label.setValueEntry(&first);
    QCOMPARE(label.text(), QStringLiteral("5"));
    label.setValueEntry(nullptr);
    first.setText("6");
    QCOMPARE(label.text(), QStringLiteral("5"));
}

void tst_TLengthValueLabel::attributes()
{
    TLengthValueEntry entry;
    entry.setUnits("mm");
    entry.setText("2.54");
    TLengthValueLabel label;
    label.setValueEntry(&entry);
    // The key reads its placeholders as the property does.
    label.setAttr("formatString", "${MIL} mil");
    QCOMPARE(label.getAttr("formatString"), QVariant("${MIL} mil"));
    QCOMPARE(label.property("formatString"), QVariant("${MIL} mil"));
    entry.setText("25.4");
    QCOMPARE(label.getAttr("value"), QVariant("1000 mil"));

    label.setAttr("value", "shown as given");
    QCOMPARE(label.text(), QStringLiteral("shown as given"));
    label.setAttr("value", 5);
    label.setAttr("formatString", 5);
    QCOMPARE(label.getAttr(), QVariant("shown as given"));
    QCOMPARE(label.formatString(), QStringLiteral("${MIL} mil"));

    label.setAttr("tool_tip", "width");
    QCOMPARE(label.toolTip(), QStringLiteral("width"));
    QCOMPARE(label.getAttr(QString()), QVariant("shown as given"));
    QVERIFY(!label.getAttr("units").isValid());
}

void tst_TLengthValueLabel::fromScript()
{
    TLengthValueEntry entry;
    TLengthValueLabel label;
    QJSEngine engine;
    expose(engine, "entry", &entry);
    expose(engine, "label", &label);
    CONTROLS_EVAL(engine, "var seen = [];"
                          "label.signal.connect(function (type, data) { seen.push(type + ':' + data); });"
                          "entry.set({units: 'mil'});"
                          "label.formatString = '${mm,3,f} mm';"
                          "label.setValueEntry(entry);");
    QCOMPARE(label.valueEntry(), &entry);
    QTest::keyClicks(&entry, "1in");
    QCOMPARE(CONTROLS_EVAL(engine, "label.getAttr('value') + '|' + seen.length").toString(),
             QStringLiteral("0.000 mm|4"));
    QTest::keyClick(&entry, Qt::Key_Return);
    QCOMPARE(CONTROLS_EVAL(engine, "label.getAttr() + '|' + seen[seen.length - 1]").toString(),
             QStringLiteral("25.400 mm|value_changed:true"));
}

QTEST_MAIN(tst_TLengthValueLabel)
#include "tst_tlengthvaluelabel.moc"
