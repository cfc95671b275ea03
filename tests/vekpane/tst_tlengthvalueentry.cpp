#include "controlstest.h"
#include "tlengthvalueentry.h"

#include <QPointer>

#include <climits>
#include <memory>

using controlstest::expose;
using controlstest::types;

class tst_TLengthValueEntry : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void conversions_data();
    void conversions();
    void writtenTextReadsBack_data();
    void writtenTextReadsBack();
    void withoutUnitsNothingHappens();
    void events_data();
    void events();
    void attributes();
    void fromScript();
    void baseEntryDestroyed();
    void listenerMayDeleteTheEntry();
};

void tst_TLengthValueEntry::conversions_data()
{
    QTest::addColumn<QString>("units");
    QTest::addColumn<int>("precision");
    // Base entry as "text|unit"; empty: none.
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");

    QTest::newRow("inch into mm") << "mm" << 6 << ""
                                  << "0.1in"
                                  << "2.54";
    QTest::newRow("inch spelled out") << "mm" << 6 << ""
                                      << "0.1INCH"
                                      << "2.54";
    QTest::newRow("mil with a blank") << "mm" << 6 << ""
                                      << "4 mil"
                                      << "0.1016";
    QTest::newRow("um") << "MM" << 6 << ""
                        << "1000um"
                        << "1";
    QTest::newRow("no unit typed") << "mm" << 6 << ""
                                   << "3"
                                   << "3";
    QTest::newRow("own unit typed") << "Mm" << 6 << ""
                                    << "3mm"
                                    << "3";
    QTest::newRow("negative") << "mm" << 6 << ""
                              << "-2in"
                              << "-50.8";
    QTest::newRow("explicit plus") << "mm" << 6 << ""
                                   << "+1in"
                                   << "25.4";
    QTest::newRow("leading point") << "mm" << 6 << ""
                                   << ".5in"
                                   << "12.7";
    QTest::newRow("text after the number ignored") << "mm" << 6 << ""
                                                   << "12mm34"
                                                   << "12";
    QTest::newRow("text before the number ignored") << "mm" << 6 << ""
                                                    << "x7"
                                                    << "7";
    QTest::newRow("no number") << "mm" << 6 << ""
                               << "abc"
                               << "0";
    QTest::newRow("bar sign reads as 0") << "mm" << 6 << ""
                                         << "|5"
                                         << "0";
    QTest::newRow("six significant digits") << "mm" << 6 << ""
                                            << "1.2345678"
                                            << "1.23457";
    QTest::newRow("exponent form from 1e6") << "mm" << 6 << ""
                                            << "1234567"
                                            << "1.23457e+06";
    QTest::newRow("exponent typed with unit") << "um" << 6 << ""
                                              << "2E-3mm"
                                              << "2";
    QTest::newRow("precision 0 leaves whole numbers") << "mil" << 0 << ""
                                                      << "0.1mm"
                                                      << "4";
    QTest::newRow("precision 2") << "mil" << 2 << ""
                                 << "1mm"
                                 << "39.37";
    QTest::newRow("precision 3 in inches") << "in" << 3 << ""
                                           << "1mm"
                                           << "0.039";
    QTest::newRow("rounded away below precision") << "mm" << 2 << ""
                                                  << "0.004"
                                                  << "0";
    QTest::newRow("precision beyond any double") << "mm" << INT_MAX << ""
                                                 << "1.5"
                                                 << "1.5";
    QTest::newRow("negative precision is Qt's default") << "mm" << -3 << ""
                                                        << "1.23456789"
                                                        << "1.23457";
    QTest::newRow("own unit no length unit") << "pcs" << 6 << ""
                                             << "3mm"
                                             << "3";
    QTest::newRow("percent without base stays a number") << "mm" << 6 << ""
                                                         << "10%"
                                                         << "10";

    QTest::newRow("percent of the base") << "mm" << 6 << "2|mm"
                                         << "10%"
                                         << "0.2";
    QTest::newRow("percent of the base, other unit") << "mil" << 6 << "2|mm"
                                                     << "10%"
                                                     << "7.87402";
    QTest::newRow("percent of a base outside the table") << "mm" << 6 << "4|pcs"
                                                         << "50%"
                                                         << "2";
    QTest::newRow("% entry: length becomes share") << "%" << 6 << "2|mm"
                                                   << "0.5mm"
                                                   << "25";
    QTest::newRow("% entry: length in other unit") << "%" << 6 << "2|mm"
                                                   << "1mil"
                                                   << "1.27";
    QTest::newRow("% entry: bare number") << "%" << 6 << "2|mm"
                                          << "50"
                                          << "50";
    QTest::newRow("% entry: percent") << "%" << 6 << "2|mm"
                                      << "50%"
                                      << "50";
    QTest::newRow("% entry: negative length kept") << "%" << 6 << "2|mm"
                                                   << "-5mm"
                                                   << "-5";
    QTest::newRow("% entry: negative percent of base") << "%" << 6 << "2|mm"
                                                       << "-5%"
                                                       << "-0.1";
    QTest::newRow("% entry: base 0") << "%" << 6 << "0|mm"
                                     << "0.5mm"
                                     << "0.5";
    QTest::newRow("% entry: base empty") << "%" << 6 << "|mm"
                                         << "0.5mm"
                                         << "0.5";
    QTest::newRow("% entry: base no number") << "%" << 6 << "abc|mm"
                                             << "0.5mm"
                                             << "0.5";
    QTest::newRow("% entry: base unit outside the table") << "%" << 6 << "2|pcs"
                                                          << "0.5mm"
                                                          << "0.5";
    QTest::newRow("% entry without base") << "%" << 6 << ""
                                          << "0.5mm"
                                          << "0.5";
}

void tst_TLengthValueEntry::conversions()
{
    QFETCH(QString, units);
    QFETCH(int, precision);
    QFETCH(QString, base);
    QFETCH(QString, typed);
    QFETCH(QString, shown);

    TLengthValueEntry baseEntry;
    TLengthValueEntry entry;
    entry.setUnits(units);
    entry.setPrecision(precision);
    if (!base.isEmpty()) {
        baseEntry.setText(base.section('|', 0, 0));
        baseEntry.setUnits(base.section('|', 1));
        entry.setBaseValueEntry(&baseEntry);
    }
    QSignalSpy events(&entry, SIGNAL(signal(QString, QVariant, QString)));
    QTest::keyClicks(&entry, typed);
    QTest::keyClick(&entry, Qt::Key_Return);
    QCOMPARE(entry.text(), shown);
    QCOMPARE(types(events), (QStringList {"editing_finished", "value_changed"}));
}

void tst_TLengthValueEntry::writtenTextReadsBack_data()
{
    QTest::addColumn<QString>("units");
    QTest::addColumn<QString>("typed");
    QTest::newRow("large") << "mm"
                           << "1234567";
    QTest::newRow("large negative") << "um"
                                    << "-98765432";
    QTest::newRow("small") << "in"
                           << "0.00001";
    QTest::newRow("converted into exponent form") << "um"
                                                  << "120in";
}

// Every text the entry writes is read back as the same value: finishing the
// edit again must not change it.
void tst_TLengthValueEntry::writtenTextReadsBack()
{
    QFETCH(QString, units);
    QFETCH(QString, typed);
    TLengthValueEntry entry;
    entry.setUnits(units);
    entry.setPrecision(10);
    QTest::keyClicks(&entry, typed);
    QTest::keyClick(&entry, Qt::Key_Return);
    const QString first = entry.text();
    QVERIFY2(first.contains(QLatin1Char('e')), qPrintable(first));
    QTest::keyClick(&entry, Qt::Key_Return);
    QCOMPARE(entry.text(), first);
}

void tst_TLengthValueEntry::withoutUnitsNothingHappens()
{
    TLengthValueEntry entry;
    QSignalSpy events(&entry, SIGNAL(signal(QString, QVariant, QString)));
    QSignalSpy textChanged(&entry, &QLineEdit::textChanged);
    QTest::keyClicks(&entry, "5 mm");
    QTest::keyClick(&entry, Qt::Key_Return);
    QCOMPARE(entry.text(), QStringLiteral("5 mm"));
    QCOMPARE(events.count(), 0);
    QCOMPARE(textChanged.count(), 4);
}

void tst_TLengthValueEntry::events_data()
{
    QTest::addColumn<QVariant>("defaultValue");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("modified");
    QTest::newRow("no default") << QVariant() << "2.54" << true;
    QTest::newRow("default equals new text") << QVariant("2.54") << "0.1in" << false;
    QTest::newRow("number default compared as text") << QVariant(2.54) << "0.1in" << false;
    QTest::newRow("default differs") << QVariant("2.540") << "2.54" << true;
}

void tst_TLengthValueEntry::events()
{
    QFETCH(QVariant, defaultValue);
    QFETCH(QString, typed);
    QFETCH(bool, modified);
    TLengthValueEntry entry;
    entry.setUnits("mm");
    entry.setDefaultData("value", defaultValue);
    QStringList order;
    connect(&entry, &QLineEdit::textChanged, this, [&](const QString &text) { order << "text:" + text; });
    connect(&entry, &TLengthValueEntry::signal, this,
            [&](const QString &type, const QVariant &data, const QString &uuid) {
                QVERIFY(uuid.isEmpty());
                QVERIFY(!uuid.isNull());
                order << type + ':' + (data.isValid() ? data.toString() : QStringLiteral("-"));
            });
    entry.setText(typed);
    order.clear();
    QTest::keyClick(&entry, Qt::Key_Return);
    const QString flag = modified ? "true" : "false";
    const QStringList events {"editing_finished:-", "value_changed:" + flag};
    // The converted text is in the line before anyone hears of the edit.
    QCOMPARE(order, (typed == "2.54" ? events : QStringList {"text:2.54"} + events));

    // Finishing again changes nothing, but is reported again.
    order.clear();
    QTest::keyClick(&entry, Qt::Key_Enter);
    QCOMPARE(order, events);
}

void tst_TLengthValueEntry::attributes()
{
    TLengthValueEntry entry;
    QSignalSpy events(&entry, SIGNAL(signal(QString, QVariant, QString)));
    entry.setAttr("units", "mil");
    entry.setAttr("precision", 2);
    entry.setAttr("value", "3.5mm");
    QCOMPARE(entry.units(), QStringLiteral("mil"));
    QCOMPARE(entry.property("units"), QVariant("mil"));
    QCOMPARE(entry.precision(), 2);
    QCOMPARE(entry.property("precision"), QVariant(2));
    // Shown as given until editing finishes; setting it is no edit.
    QCOMPARE(entry.text(), QStringLiteral("3.5mm"));
    QCOMPARE(events.count(), 0);

    // Values of the wrong type are ignored.
    entry.setAttr("value", 3.5);
    entry.setAttr("units", QStringList {"mm"});
    entry.setAttr("precision", 3.0);
    entry.setAttr("precision", "4");
    entry.setAttr("precision", 5u);
    QCOMPARE(entry.getAttr("value"), QVariant("3.5mm"));
    QCOMPARE(entry.getAttr("units"), QVariant("mil"));
    QCOMPARE(entry.getAttr("precision"), QVariant(5));
    QCOMPARE(entry.getAttr(), QVariant("3.5mm"));
    QCOMPARE(entry.getAttr(QString()), QVariant("3.5mm"));

    // Common keys go to the shared handling, both ways.
    entry.setAttr("tool_tip", "width");
    entry.setAttr("validation_state", "error");
    QCOMPARE(entry.toolTip(), QStringLiteral("width"));
    QCOMPARE(entry.getAttr("validation_state"), QVariant("ERROR"));
    QCOMPARE(types(events), QStringList {"validation_state_changed"});
    QVERIFY(!entry.getAttr("base").isValid());

    QTest::keyClick(&entry, Qt::Key_Return);
    QCOMPARE(entry.text(), QStringLiteral("137.795"));
}

void tst_TLengthValueEntry::fromScript()
{
    TLengthValueEntry base;
    TLengthValueEntry entry;
    QJSEngine engine;
    expose(engine, "base", &base);
    expose(engine, "entry", &entry);
    CONTROLS_EVAL(engine, "var seen = [];"
                          "entry.signal.connect(function (type, data, uuid) { seen.push(type + ':' + data); });"
                          "base.set({units: 'mm', value: '2'});"
                          "entry.set({units: 'mil', precision: 1});"
                          "entry.setBaseValueEntry(base);"
                          "entry.setDefault({value: '7.9'});");
    QCOMPARE(entry.precision(), 1);
    QCOMPARE(entry.baseValueEntry(), &base);
    QTest::keyClicks(&entry, "10%");
    QTest::keyClick(&entry, Qt::Key_Return);
    QCOMPARE(CONTROLS_EVAL(engine, "seen.join(' ') + '|' + entry.getAttr() + '|' + entry.units").toString(),
             QStringLiteral("editing_finished:undefined value_changed:false|7.9|mil"));
}

void tst_TLengthValueEntry::baseEntryDestroyed()
{
    TLengthValueEntry entry;
    entry.setUnits("mm");
    auto base = std::make_unique<TLengthValueEntry>();
    base->setText("2");
    base->setUnits("mm");
    entry.setBaseValueEntry(base.get());
    base.reset();
    QVERIFY(!entry.baseValueEntry());
    QTest::keyClicks(&entry, "10%");
    QTest::keyClick(&entry, Qt::Key_Return);
    QCOMPARE(entry.text(), QStringLiteral("10"));
}

void tst_TLengthValueEntry::listenerMayDeleteTheEntry()
{
    auto *entry = new TLengthValueEntry;
    entry->setUnits("mm");
    entry->setText("1in");
    QStringList seen;
    connect(entry, &TLengthValueEntry::signal, this, [&](const QString &type) {
        seen << type;
        delete entry;
    });
    QPointer<TLengthValueEntry> guard(entry);
    QVERIFY(QMetaObject::invokeMethod(entry, "onEditingFinished"));
    QVERIFY(guard.isNull());
    QCOMPARE(seen, QStringList {"editing_finished"});
}

QTEST_MAIN(tst_TLengthValueEntry)
#include "tst_tlengthvalueentry.moc"
