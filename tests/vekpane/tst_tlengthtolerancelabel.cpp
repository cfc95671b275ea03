#include "controlstest.h"
#include "tlengthtolerancelabel.h"
#include "tlengthvalueentry.h"

#include <memory>

using controlstest::expose;
using controlstest::types;

namespace {

const QString plusMinus = QString(QChar(0x00B1));

// "text|unit" into an entry.
void fill(TLengthValueEntry &iEntry, const QString &iTextAndUnit)
{
    iEntry.setText(iTextAndUnit.section('|', 0, 0));
    iEntry.setUnits(iTextAndUnit.section('|', 1));
}

} // namespace

class tst_TLengthToleranceLabel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void placeholders_data();
    void placeholders();
    void waitsForAllThreeEntries();
    void oneEntryInTwoRoles();
    void lostEntryStopsTheLabel();
    void attributesAndEvents();
    void fromScript();
};

void tst_TLengthToleranceLabel::placeholders_data()
{
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("minTol");
    QTest::addColumn<QString>("maxTol");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("shown");

    const QString b2 = "2|mm", m = "0.05|mm", p = "0.1|mm";
    QTest::newRow("tolerance") << b2 << m << p << "${TOL,mm,3}"
                               << "+0.1/-0.05";
    QTest::newRow("type in any case") << b2 << m << p << "${tol,MM,3}"
                                      << "+0.1/-0.05";
    QTest::newRow("equal tolerances") << b2 << p << p << "${TOL,mm,3}" << plusMinus + "0.1";
    QTest::newRow("equal once rounded") << b2 << "0.1001|mm" << p << "${TOL,mm,3}" << plusMinus + "0.1";
    QTest::newRow("range") << b2 << m << p << "${RANGE,mm,3}"
                           << "1.95~2.1";
    QTest::newRow("tolerance in percent") << b2 << m << p << "${TOL,%,2}"
                                          << "+5/-2.5";
    QTest::newRow("range in percent of the nominal value") << b2 << m << p << "${RANGE,%,3}"
                                                           << "97.5~105";
    QTest::newRow("minus tolerance given in percent") << b2 << "10|%" << p << "${TOL,mm,3}"
                                                      << "+0.1/-0.2";
    QTest::newRow("tolerances in mil shown in mil") << b2 << "1|mil"
                                                    << "2|MIL"
                                                    << "${TOL,mil,3}"
                                                    << "+2/-1";
    QTest::newRow("tolerances in mil shown in mm") << b2 << "1|mil"
                                                   << "2|mil"
                                                   << "${TOL,mm,4}"
                                                   << "+0.0508/-0.0254";
    QTest::newRow("range in another unit") << "2.54|mm"
                                           << "1|mil"
                                           << "1|mil"
                                           << "${RANGE,mil,3}"
                                           << "99~101";
    QTest::newRow("several placeholders") << b2 << m << p << "${TOL,mm,3} (${RANGE,mm,3})"
                                          << "+0.1/-0.05 (1.95~2.1)";
    QTest::newRow("same placeholder twice") << b2 << m << p << "${TOL,mm,3}|${TOL,mm,3}"
                                            << "+0.1/-0.05|+0.1/-0.05";
    QTest::newRow("default precision 6") << "1|in"
                                         << "0.0001|in"
                                         << "0.0001|in"
                                         << "${TOL,mm}" << plusMinus + "0.00254";
    QTest::newRow("percent of a zero nominal stays in its unit") << "0|mm" << m << p << "${TOL,%,3}"
                                                                 << "+0.1/-0.05";
    QTest::newRow("percent range of a zero nominal stays in its unit") << "0|mm" << m << p << "${RANGE,%,3}"
                                                                       << "-0.05~0.1";
    QTest::newRow("other type left as written") << b2 << m << p << "${FOO,mm} ${TOL,mm,3}"
                                                << "${FOO,mm} +0.1/-0.05";
    QTest::newRow("no unit: unconverted") << b2 << m << p << "${TOL}"
                                          << "+0.1/-0.05";
    QTest::newRow("unit outside the table: unconverted") << b2 << m << p << "${RANGE,pcs,3}"
                                                         << "1.95~2.1";
    QTest::newRow("nominal unit outside the table") << "2|pcs" << m << p << "${TOL,mm,3}"
                                                    << "+0.1/-0.05";
    QTest::newRow("no placeholders") << b2 << m << p << "tolerance"
                                     << "tolerance";
    QTest::newRow("empty format") << b2 << m << p << ""
                                  << "";
}

void tst_TLengthToleranceLabel::placeholders()
{
    QFETCH(QString, base);
    QFETCH(QString, minTol);
    QFETCH(QString, maxTol);
    QFETCH(QString, format);
    QFETCH(QString, shown);
    TLengthValueEntry baseEntry, minEntry, maxEntry;
    fill(baseEntry, base);
    fill(minEntry, minTol);
    fill(maxEntry, maxTol);
    TLengthToleranceLabel label;
    label.setText("before");
    label.setFormatString(format);
    label.setBaseValueEntry(&baseEntry);
    label.setMinTolValueEntry(&minEntry);
    label.setMaxTolValueEntry(&maxEntry);
    QCOMPARE(label.text(), shown);
}

void tst_TLengthToleranceLabel::waitsForAllThreeEntries()
{
    TLengthValueEntry base, minTol, maxTol;
    fill(base, "2|mm");
    fill(minTol, "0.05|mm");
    fill(maxTol, "0.1|mm");
    TLengthToleranceLabel label;
    label.setFormatString("${RANGE,mm,3}");
    QSignalSpy events(&label, SIGNAL(signal(QString, QVariant, QString)));
    label.setMaxTolValueEntry(&maxTol);
    label.setBaseValueEntry(&base);
    maxTol.setText("0.2");
    QVERIFY(label.text().isEmpty());
    QCOMPARE(events.count(), 0);
    label.setMinTolValueEntry(&minTol);
    QCOMPARE(label.text(), QStringLiteral("1.95~2.2"));
    QCOMPARE(events.count(), 1);

    // Each of the three is followed keystroke by keystroke.
    base.clear();
    QTest::keyClicks(&base, "3");
    QCOMPARE(label.text(), QStringLiteral("2.95~3.2"));
    minTol.clear();
    QTest::keyClicks(&minTol, "5");
    QCOMPARE(label.text(), QStringLiteral("-2~3.2"));
    QCOMPARE(label.baseValueEntry(), &base);
    QCOMPARE(label.minTolValueEntry(), &minTol);
    QCOMPARE(label.maxTolValueEntry(), &maxTol);
}

void tst_TLengthToleranceLabel::oneEntryInTwoRoles()
{
    TLengthValueEntry base, tol, other;
    fill(base, "2|mm");
    fill(tol, "0.1|mm");
    fill(other, "0.3|mm");
    TLengthToleranceLabel label;
    label.setFormatString("${TOL,mm,3}");
    label.setBaseValueEntry(&base);
    label.setMinTolValueEntry(&tol);
    label.setMaxTolValueEntry(&tol);
    QCOMPARE(label.text(), plusMinus + "0.1");
    // Leaving one role keeps the entry followed in the other.
    label.setMinTolValueEntry(&other);
    QCOMPARE(label.text(), QStringLiteral("+0.1/-0.3"));
    tol.setText("0.2");
    QCOMPARE(label.text(), QStringLiteral("+0.2/-0.3"));
}

void tst_TLengthToleranceLabel::lostEntryStopsTheLabel()
{
    TLengthValueEntry base, maxTol;
    fill(base, "2|mm");
    fill(maxTol, "0.1|mm");
    auto minTol = std::make_unique<TLengthValueEntry>();
    fill(*minTol, "0.05|mm");
    TLengthToleranceLabel label;
    label.setFormatString("${TOL,mm,3}");
    label.setBaseValueEntry(&base);
    label.setMinTolValueEntry(minTol.get());
    label.setMaxTolValueEntry(&maxTol);
    minTol.reset();
    QVERIFY(!label.minTolValueEntry());
    base.setText("3");
    maxTol.setText("0.4");
    QCOMPARE(label.text(), QStringLiteral("+0.1/-0.05"));
    label.setMaxTolValueEntry(nullptr);
    TLengthValueEntry newMin;
    fill(newMin, "0.2|mm");
    label.setMinTolValueEntry(&newMin);
    QCOMPARE(label.text(), QStringLiteral("+0.1/-0.05"));
}

void tst_TLengthToleranceLabel::attributesAndEvents()
{
    TLengthValueEntry base, minTol, maxTol;
    fill(base, "2|mm");
    fill(minTol, "0.05|mm");
    fill(maxTol, "0.1|mm");
    TLengthToleranceLabel label;
    label.setDefaultData("value", "1.95~2.1");
    label.setAttr("formatString", "${RANGE,mm,3}");
    QCOMPARE(label.getAttr("formatString"), QVariant("${RANGE,mm,3}"));
    QCOMPARE(label.property("formatString"), QVariant("${RANGE,mm,3}"));
    QSignalSpy events(&label, SIGNAL(signal(QString, QVariant, QString)));
    label.setBaseValueEntry(&base);
    label.setMinTolValueEntry(&minTol);
    label.setMaxTolValueEntry(&maxTol);
    // The key read the placeholders: the range is computed, and equals the default.
    QCOMPARE(label.getAttr("value"), QVariant("1.95~2.1"));
    QCOMPARE(events.last(), (QVariantList {"value_changed", false, QString("")}));
    maxTol.setText("0.2");
    QCOMPARE(events.last(), (QVariantList {"value_changed", true, QString("")}));
    QCOMPARE(types(events), (QStringList {"value_changed", "value_changed"}));

    label.setAttr("value", "as given");
    label.setAttr("value", 1.5);
    label.setAttr("formatString", QVariant());
    QCOMPARE(label.getAttr(), QVariant("as given"));
    QCOMPARE(label.formatString(), QStringLiteral("${RANGE,mm,3}"));
    label.setAttr("enabled", false);
    QCOMPARE(label.getAttr("enabled"), QVariant(false));
}

void tst_TLengthToleranceLabel::fromScript()
{
    TLengthValueEntry base, minTol, maxTol;
    TLengthToleranceLabel label;
    QJSEngine engine;
    expose(engine, "base", &base);
    expose(engine, "minTol", &minTol);
    expose(engine, "maxTol", &maxTol);
    expose(engine, "label", &label);
    const QJSValue shown = CONTROLS_EVAL(engine, "base.set({units: 'mm', value: '2'});"
                                                 "minTol.set({units: '%', value: '5'});"
                                                 "maxTol.set({units: 'mil', value: '4'});"
                                                 "label.setFormatString('${TOL,mm,4} / ${TOL,%,3}');"
                                                 "label.setBaseValueEntry(base);"
                                                 "label.setMinTolValueEntry(minTol);"
                                                 "label.setMaxTolValueEntry(maxTol);"
                                                 "label.getAttr('value')");
    QCOMPARE(shown.toString(), QStringLiteral("+0.1016/-0.1 / +5.08/-5"));
}

QTEST_MAIN(tst_TLengthToleranceLabel)
#include "tst_tlengthtolerancelabel.moc"
