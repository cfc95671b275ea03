#include "controlstest.h"
#include "tformlayout.h"
#include "tlogger.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QVBoxLayout>
#include <QWidget>

using controlstest::expose;

namespace {

// Index of the layout item holding a widget or a nested layout, -1 when none.
int itemIndex(QGridLayout *iGrid, QObject *iObject)
{
    for (int i = 0; i < iGrid->count(); ++i) {
        QLayoutItem *item = iGrid->itemAt(i);
        if (item->widget() == iObject || (item->layout() && item->layout() == iObject))
            return i;
    }
    return -1;
}

// Row, column, row span, column span of a placed widget or layout; empty when not placed.
QList<int> cell(QGridLayout *iGrid, QObject *iObject)
{
    const int index = itemIndex(iGrid, iObject);
    if (index < 0)
        return {};
    int r, c, rs, cs;
    iGrid->getItemPosition(index, &r, &c, &rs, &cs);
    return {r, c, rs, cs};
}

Qt::Alignment alignment(QGridLayout *iGrid, QObject *iObject)
{
    return iGrid->itemAt(itemIndex(iGrid, iObject))->alignment();
}

} // namespace

class tst_TFormLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void workedExample();
    void wrapping_data();
    void wrapping();
    void layoutTypes_data();
    void layoutTypes();
    void separators();
    void styleSelectors();
    void labelAlignment();
    void textOverloads();
    void wrongKindsPackNothing();
    void recordsDropDestroyedObjects();
    void attributeKeys_data();
    void attributeKeys();
    void columnCountChangesMoveNothing();
    void numbersOutOfRange_data();
    void numbersOutOfRange();
    void pixelNumbersAtTheBound();
    void largestColumnCount();
    void fromScript();
};

void tst_TFormLayout::workedExample()
{
    QWidget host;
    auto *form = new TFormLayout(&host);
    QCOMPARE(host.layout(), form);
    QCOMPARE(form->columnStretch(2), 1);
    form->setColumnCount(2);
    QList<QWidget *> fields;
    for (int i = 0; i < 3; ++i) {
        auto *field = new QLineEdit(&host);
        auto *label = new QLabel(QStringLiteral("label %1").arg(i), &host);
        auto *units = new QLabel(QStringLiteral("mm"), &host);
        form->packWidget(field, label, units);
        QCOMPARE(form->labelWidget(field), label);
        QCOMPARE(form->unitsWidget(field), units);
        fields.append(field);
    }
    const QList<QList<int>> expected {{0, 0, 2, 3}, {0, 5, 7, 8}, {2, 0, 2, 3}};
    for (int i = 0; i < 3; ++i) {
        QWidget *f = fields.at(i);
        const int row = expected.at(i).at(0);
        QCOMPARE(cell(form, form->labelWidget(f)), (QList<int> {row, expected.at(i).at(1), 1, 1}));
        QCOMPARE(cell(form, f), (QList<int> {row, expected.at(i).at(2), 1, 1}));
        QCOMPARE(cell(form, form->unitsWidget(f)), (QList<int> {row, expected.at(i).at(3), 1, 1}));
        QVERIFY(!form->separatorWidget(f));
    }
    QCOMPARE(form->columnStretch(2), 1);
    QCOMPARE(form->columnStretch(7), 1);
    QCOMPARE(form->columnMinimumWidth(4), 20);
    QCOMPARE(form->columnMinimumWidth(9), 0);
}

void tst_TFormLayout::wrapping_data()
{
    QTest::addColumn<int>("columns");
    QTest::addColumn<QList<int>>("spans");
    // Row and first field column of each entry.
    QTest::addColumn<QList<QList<int>>>("cells");

    QTest::newRow("one column: a line per entry")
            << 1 << QList<int> {1, 1, 1} << QList<QList<int>> {{0, 2}, {2, 2}, {4, 2}};
    QTest::newRow("no columns: every pack wraps") << 0 << QList<int> {1, 1} << QList<QList<int>> {{2, 2}, {4, 2}};
    QTest::newRow("span past the end is not wrapped")
            << 2 << QList<int> {1, 3, 1} << QList<QList<int>> {{0, 2}, {0, 7}, {2, 2}};
    QTest::newRow("span below one counts as one")
            << 2 << QList<int> {0, -3, 1} << QList<QList<int>> {{0, 2}, {0, 7}, {2, 2}};
}

void tst_TFormLayout::wrapping()
{
    QFETCH(int, columns);
    QFETCH(QList<int>, spans);
    QFETCH(QList<QList<int>>, cells);
    QWidget host;
    auto *form = new TFormLayout(&host);
    form->setColumnCount(columns);
    for (int i = 0; i < spans.size(); ++i) {
        auto *field = new QLineEdit(&host);
        form->packWidget(field, nullptr, nullptr, spans.at(i));
        const int span = qMax(1, spans.at(i));
        QCOMPARE(cell(form, field), (QList<int> {cells.at(i).at(0), cells.at(i).at(1), 1, 5 * span - 4}));
    }
}

void tst_TFormLayout::layoutTypes_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("nested");
    QTest::addColumn<QList<int>>("fieldCell");
    QTest::addColumn<QList<int>>("labelCell");
    QTest::addColumn<QList<int>>("unitsCell");

    // Entry in form column 1 of a two-column form, spanning one column.
    QTest::newRow("side by side") << 0 << false << QList<int> {0, 7, 1, 1} << QList<int> {0, 5, 1, 1}
                                  << QList<int> {0, 8, 1, 1};
    QTest::newRow("unknown type is side by side")
            << 7 << false << QList<int> {0, 7, 1, 1} << QList<int> {0, 5, 1, 1} << QList<int> {0, 8, 1, 1};
    QTest::newRow("label above widget") << 1 << false << QList<int> {1, 5, 1, 4} << QList<int> {0, 5, 1, 3}
                                        << QList<int> {0, 8, 1, 1};
    QTest::newRow("label above layout") << 1 << true << QList<int> {1, 5, 1, 5} << QList<int> {0, 5, 1, 3}
                                        << QList<int> {0, 8, 1, 1};
    QTest::newRow("widget alone on the second row")
            << 2 << false << QList<int> {1, 5, 1, 5} << QList<int> {} << QList<int> {};
    QTest::newRow("layout alone on the first row")
            << 2 << true << QList<int> {0, 5, 1, 5} << QList<int> {} << QList<int> {};
}

void tst_TFormLayout::layoutTypes()
{
    QFETCH(int, type);
    QFETCH(bool, nested);
    QFETCH(QList<int>, fieldCell);
    QFETCH(QList<int>, labelCell);
    QFETCH(QList<int>, unitsCell);
    QWidget host;
    auto *form = new TFormLayout(&host);
    form->setColumnCount(2);
    form->packWidget(new QLineEdit(&host));
    QObject *field = nested ? static_cast<QObject *>(new QVBoxLayout) : new QLineEdit(&host);
    auto *label = new QLabel(QStringLiteral("L"), &host);
    auto *units = new QLabel(QStringLiteral("U"), &host);
    if (nested)
        form->packLayout(field, label, units, 1, QString(), type);
    else
        form->packWidget(field, label, units, 1, QString(), type);
    QCOMPARE(cell(form, field), fieldCell);
    // Recorded also when the type leaves them out of the grid.
    QCOMPARE(form->labelWidget(field), label);
    QCOMPARE(form->unitsWidget(field), units);
    QCOMPARE(cell(form, label), labelCell);
    QCOMPARE(cell(form, units), unitsCell);
}

void tst_TFormLayout::separators()
{
    QWidget host;
    auto *form = new TFormLayout(&host);
    form->setColumnCount(2);
    form->setSeparator(QStringLiteral(":"));
    form->setSeparatorProperty({{"SS", "MY_SEP"}, {"margin", 4}});
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto *withLabel = new QLineEdit(&host);
    auto *withoutLabel = new QLineEdit(&host);
    form->packWidget(withLabel, new QLabel(QStringLiteral("Name"), &host));
    form->packWidget(withoutLabel);
    auto *sep = qobject_cast<QLabel *>(form->separatorWidget(withLabel));
    QVERIFY(sep);
    QCOMPARE(sep->text(), QStringLiteral(":"));
    QCOMPARE(sep->parentWidget(), &host);
    QCOMPARE(sep->property("SS"), QVariant("MY_SEP"));
    QCOMPARE(sep->margin(), 4);
    QCOMPARE(cell(form, sep), (QList<int> {0, 1, 1, 1}));
    QCOMPARE(alignment(form, sep), Qt::AlignRight | Qt::AlignVCenter);
    QVERIFY(!form->separatorWidget(withoutLabel));
    QCOMPARE(host.findChildren<QLabel *>().size(), 2);
    // A later change acts on later packs only.
    form->setSeparator(QString());
    auto *third = new QLineEdit(&host);
    form->packWidget(third, QStringLiteral("Third"), QString());
    QVERIFY(!form->separatorWidget(third));
    QCOMPARE(sep->text(), QStringLiteral(":"));
}

void tst_TFormLayout::styleSelectors()
{
    QWidget host;
    auto *form = new TFormLayout(&host);
    form->setSeparator(QStringLiteral("-"));
    auto *field = new QLineEdit(&host);
    auto *label = new QLabel(&host);
    auto *units = new QLabel(&host);
    label->setProperty("SS", QStringLiteral("TITLE"));
    units->setProperty("SS", QString());
    form->packWidget(field, label, units);
    QCOMPARE(label->property("SS"), QVariant("TITLE"));
    QCOMPARE(units->property("SS"), QVariant("FORM_UNITS"));
    QCOMPARE(form->separatorWidget(field)->property("SS"), QVariant("FORM_SEP"));

    auto *second = new QLineEdit(&host);
    form->packWidget(second, QStringLiteral("Plain"), QStringLiteral("kg"));
    QCOMPARE(form->labelWidget(second)->property("SS"), QVariant("FORM_LABEL"));
    QCOMPARE(form->unitsWidget(second)->property("SS"), QVariant("FORM_UNITS"));
}

void tst_TFormLayout::labelAlignment()
{
    QWidget host;
    auto *form = new TFormLayout(&host);
    QCOMPARE(form->labelAlignment(), Qt::Alignment(Qt::AlignLeft));
    form->set("label_alignment", "Right");
    QVERIFY(!form->get("label_alignment").isValid());
    auto *field = new QLineEdit(&host);
    form->packWidget(field, QStringLiteral("Label"), QStringLiteral("mm"));
    QCOMPARE(alignment(form, form->labelWidget(field)), Qt::Alignment(Qt::AlignRight));
    QCOMPARE(alignment(form, form->unitsWidget(field)), Qt::Alignment(Qt::AlignLeft));
    QCOMPARE(alignment(form, field), Qt::Alignment());

    // The alignment text of a pack call wins over the stored one.
    auto *second = new QLineEdit(&host);
    form->packWidget(second, QStringLiteral("Label"), QStringLiteral("mm"), 1, QStringLiteral("AlignRight|AlignTop"));
    QCOMPARE(alignment(form, form->labelWidget(second)), Qt::AlignRight | Qt::AlignTop);
    QCOMPARE(alignment(form, form->unitsWidget(second)), Qt::AlignLeft | Qt::AlignTop);
}

void tst_TFormLayout::textOverloads()
{
    QWidget host;
    auto *form = new TFormLayout(&host);
    form->setLabelProperty({{"SS", "BOLD"}, {"wordWrap", true}});
    form->setUnitsProperty({{"indent", 3}});
    auto *a = new QLineEdit(&host);
    auto *b = new QLineEdit(&host);
    auto *c = new QLineEdit(&host);
    auto *d = new QLineEdit(&host);
    auto *unitsWidget = new QLabel(QStringLiteral("m"), &host);
    auto *labelWidget = new QLabel(QStringLiteral("given"), &host);
    form->packWidget(a, QStringLiteral("Name"), QString());
    form->packWidget(b, QString(), QStringLiteral("kg"));
    form->packWidget(c, QStringLiteral("Length"), unitsWidget);
    form->packWidget(d, labelWidget, QStringLiteral("s"));

    auto *nameLabel = qobject_cast<QLabel *>(form->labelWidget(a));
    QVERIFY(nameLabel);
    QCOMPARE(nameLabel->text(), QStringLiteral("Name"));
    QCOMPARE(nameLabel->parentWidget(), &host);
    QCOMPARE(nameLabel->property("SS"), QVariant("BOLD"));
    QVERIFY(nameLabel->wordWrap());
    QVERIFY(!form->unitsWidget(a));
    QVERIFY(!form->labelWidget(b));
    auto *kg = qobject_cast<QLabel *>(form->unitsWidget(b));
    QVERIFY(kg);
    QCOMPARE(kg->indent(), 3);
    QCOMPARE(kg->property("SS"), QVariant("FORM_UNITS"));
    QCOMPARE(qobject_cast<QLabel *>(form->labelWidget(c))->text(), QStringLiteral("Length"));
    QCOMPARE(form->unitsWidget(c), unitsWidget);
    QCOMPARE(form->labelWidget(d), labelWidget);
    QCOMPARE(qobject_cast<QLabel *>(form->unitsWidget(d))->text(), QStringLiteral("s"));
    QCOMPARE(cell(form, form->unitsWidget(d)), (QList<int> {6, 3, 1, 1}));
}

void tst_TFormLayout::wrongKindsPackNothing()
{
    QWidget host;
    auto *form = new TFormLayout(&host);
    auto *widget = new QLineEdit(&host);
    auto *nested = new QVBoxLayout;
    QObject plain;
    const int children = host.children().size();
    form->packWidget(nullptr, QStringLiteral("Label"), QStringLiteral("mm"));
    form->packWidget(nested, QStringLiteral("Label"), QStringLiteral("mm"));
    form->packLayout(widget, QStringLiteral("Label"), QStringLiteral("mm"));
    form->packLayout(&plain, new QLabel(&host), QStringLiteral("mm"));
    form->packWidget(&plain);
    QCOMPARE(form->count(), 0);
    // No orphan labels were left on the form for text arguments.
    QCOMPARE(host.children().size(), children + 1);
    // The packing position did not move either.
    form->packWidget(widget, &plain, &plain);
    QCOMPARE(cell(form, widget), (QList<int> {0, 2, 1, 1}));
    QVERIFY(!form->labelWidget(widget));
    delete nested;
}

void tst_TFormLayout::recordsDropDestroyedObjects()
{
    QWidget host;
    auto *form = new TFormLayout(&host);
    form->setSeparator(QStringLiteral(":"));
    auto *field = new QLineEdit(&host);
    auto *other = new QLineEdit(&host);
    auto *label = new QLabel(QStringLiteral("a"), &host);
    form->packWidget(field, label, QStringLiteral("mm"));
    form->packWidget(other, QStringLiteral("b"), QStringLiteral("kg"));
    QVERIFY(form->separatorWidget(field));
    delete label;
    QVERIFY(!form->labelWidget(field));
    QVERIFY(form->unitsWidget(field));
    QVERIFY(form->separatorWidget(field));
    QObject *key = field;
    delete field;
    QVERIFY(!form->unitsWidget(key));
    QVERIFY(!form->separatorWidget(key));
    // The records of other fields stay.
    QVERIFY(form->labelWidget(other));
    QVERIFY(form->unitsWidget(other));
}

void tst_TFormLayout::attributeKeys_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QVariant>("expected");

    QTest::newRow("column_count") << "column_count" << QVariant(3) << QVariant(3);
    QTest::newRow("column_spacing") << "column_spacing" << QVariant(12) << QVariant(12);
    QTest::newRow("separator") << "separator" << QVariant(":") << QVariant(":");
    QTest::newRow("label_property") << "label_property" << QVariant(QVariantMap {{"SS", "X"}})
                                    << QVariant(QVariantMap {{"SS", "X"}});
    QTest::newRow("units_property") << "units_property" << QVariant(QVariantMap {{"indent", 2}})
                                    << QVariant(QVariantMap {{"indent", 2}});
    QTest::newRow("separator_property") << "separator_property" << QVariant(QVariantMap {{"a", 1}})
                                        << QVariant(QVariantMap {{"a", 1}});
    QTest::newRow("spacing") << "spacing" << QVariant(5) << QVariant(5);
    QTest::newRow("margin") << "margin" << QVariant(7) << QVariant(7);
    QTest::newRow("hspacing") << "hspacing" << QVariant(4) << QVariant(4);
    QTest::newRow("vspacing") << "vspacing" << QVariant(9) << QVariant(9);
    QTest::newRow("common key does nothing on a layout") << "enabled" << QVariant(false) << QVariant();
}

void tst_TFormLayout::attributeKeys()
{
    QFETCH(QString, key);
    QFETCH(QVariant, value);
    QFETCH(QVariant, expected);
    QWidget host;
    auto *form = new TFormLayout(&host);
    form->set(key, value);
    QCOMPARE(form->get(key), expected);
    QVERIFY(host.isEnabled());
}

void tst_TFormLayout::columnCountChangesMoveNothing()
{
    QWidget host;
    auto *form = new TFormLayout(&host);
    form->set("column_count", 3);
    QCOMPARE(form->columnMinimumWidth(4), 20);
    QCOMPARE(form->columnMinimumWidth(9), 20);
    QCOMPARE(form->columnStretch(12), 1);
    form->set("column_spacing", 30);
    QCOMPARE(form->columnMinimumWidth(9), 30);
    auto *a = new QLineEdit(&host);
    auto *b = new QLineEdit(&host);
    form->packWidget(a);
    form->packWidget(b);
    form->setColumnCount(1);
    QCOMPARE(cell(form, b), (QList<int> {0, 7, 1, 1}));
    // Lowering the count keeps what the wider form set up.
    QCOMPARE(form->columnMinimumWidth(9), 30);
    QCOMPARE(form->columnStretch(12), 1);
    auto *c = new QLineEdit(&host);
    form->packWidget(c);
    QCOMPARE(cell(form, c), (QList<int> {2, 2, 1, 1}));
}

void tst_TFormLayout::numbersOutOfRange_data()
{
    QTest::addColumn<QString>("code");
    QTest::newRow("setColumnCount most positive") << QStringLiteral("form.setColumnCount(2147483647)");
    QTest::newRow("column_count key most positive") << QStringLiteral("form.set('column_count', 2147483647)");
    QTest::newRow("column count past the bound") << QStringLiteral("form.columnCount = 1001");
    QTest::newRow("column count negative") << QStringLiteral("form.setColumnCount(-1)");
    QTest::newRow("column spacing negative") << QStringLiteral("form.setColumnSpacing(-5)");
    QTest::newRow("column_spacing key most positive") << QStringLiteral("form.set('column_spacing', 2147483647)");
    QTest::newRow("column_count key that an int would wrap to 5")
            << QStringLiteral("form.set('column_count', 4294967301)");
    QTest::newRow("column_count key as text that an int would wrap to 5")
            << QStringLiteral("form.set('column_count', '4294967301')");
    QTest::newRow("column_spacing key that an int would wrap to 5")
            << QStringLiteral("form.set('column_spacing', 4294967301)");
    QTest::newRow("widget span most positive") << QStringLiteral("form.packWidget(field, 'Name', 'mm', 2147483647)");
    QTest::newRow("layout span past the bound") << QStringLiteral("form.packLayout(nested, null, null, 1001)");
    QTest::newRow("layout span from text overload") << QStringLiteral("form.packLayout(nested, 'Name', null, 1001)");
    QTest::newRow("column spacing past the pixel bound") << QStringLiteral("form.setColumnSpacing(8193)");
    QTest::newRow("column spacing property past the pixel bound") << QStringLiteral("form.columnSpacing = 8193");
    QTest::newRow("margin key past the pixel bound") << QStringLiteral("form.set('margin', 8193)");
    QTest::newRow("spacing property below -1") << QStringLiteral("form.spacing = -2");
}

void tst_TFormLayout::numbersOutOfRange()
{
    // Refused with one error; the form, its grid and the host stay as they were.
    QFETCH(QString, code);
    QWidget host;
    auto *form = new TFormLayout(&host);
    form->setColumnCount(2);
    auto *field = new QLineEdit(&host);
    auto *nested = new QVBoxLayout;
    QScopedPointer<QLayout> nestedOwner(nested);
    QJSEngine engine;
    expose(engine, QStringLiteral("form"), form);
    expose(engine, QStringLiteral("field"), field);
    expose(engine, QStringLiteral("nested"), nested);
    const int columns = form->QGridLayout::columnCount();
    const int children = host.children().size();

    QSignalSpy logged(TLogger::instance(), &TLogger::logWrited);
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("\\[ERROR\\].*; nothing changed")));
    QVERIFY(!CONTROLS_EVAL(engine, code).isError());
    QCOMPARE(logged.count(), 1);
    QCOMPARE(logged.at(0).at(1).toString(), QStringLiteral("ERROR"));
    QCOMPARE(form->columnCount(), 2);
    QCOMPARE(form->columnSpacing(), 20);
    QCOMPARE(form->QGridLayout::columnCount(), columns);
    QCOMPARE(form->count(), 0);
    // No label was made for a field that is not packed.
    QCOMPARE(host.children().size(), children);
}

void tst_TFormLayout::pixelNumbersAtTheBound()
{
    QWidget host;
    auto *form = new TFormLayout(&host);
    form->setColumnCount(3);
    QJSEngine engine;
    expose(engine, QStringLiteral("form"), form);
    QSignalSpy logged(TLogger::instance(), &TLogger::logWrited);
    QVERIFY(!CONTROLS_EVAL(engine, "form.set({column_spacing: 8192, margin: 8192, hspacing: 0, vspacing: -1})")
                     .isError());
    QCOMPARE(logged.count(), 0);
    QCOMPARE(form->columnSpacing(), 8192);
    QCOMPARE(form->columnMinimumWidth(9), 8192);
    QCOMPARE(form->contentsMargins(), QMargins(8192, 8192, 8192, 8192));
    QCOMPARE(form->horizontalSpacing(), 0);
    // Two gaps and the margins, each at the bound: the form asks for no more than the bound.
    QCOMPARE(form->minimumSize().width(), 8192);
}

void tst_TFormLayout::largestColumnCount()
{
    QWidget host;
    auto *form = new TFormLayout(&host);
    form->setColumnCount(1000);
    QCOMPARE(form->columnCount(), 1000);
    QCOMPARE(form->columnStretch(5 * 999 + 2), 1);
    QCOMPARE(form->columnMinimumWidth(5 * 999 - 1), 20);
    auto *field = new QLineEdit(&host);
    form->packWidget(field, nullptr, nullptr, 1000);
    QCOMPARE(cell(form, field), (QList<int> {0, 2, 1, 4996}));
}

void tst_TFormLayout::fromScript()
{
    QWidget host;
    auto *form = new TFormLayout(&host);
    auto *name = new QLineEdit(&host);
    auto *length = new QLineEdit(&host);
    auto *nested = new QVBoxLayout;
    QJSEngine engine;
    expose(engine, "form", form);
    expose(engine, "name", name);
    expose(engine, "length", length);
    expose(engine, "nested", nested);
    const QJSValue r = CONTROLS_EVAL(
            engine,
            "form.set({column_count: 2, separator: ':', label_property: {SS: 'FROM_SCRIPT'}});"
            "form.packWidget(name, 'Name', '');"
            "form.packWidget(length, 'Length', 'mm', 1, 'Right');"
            "form.packLayout(nested, null, null, 2, '', 2);"
            "[form.columnCount, form.separator, form.labelWidget(name).text, form.get('label_property').SS].join('|')");
    QVERIFY(!r.isError());
    QCOMPARE(r.toString(), QStringLiteral("2|:|Name|FROM_SCRIPT"));
    QCOMPARE(cell(form, form->labelWidget(length)), (QList<int> {0, 5, 1, 1}));
    QCOMPARE(alignment(form, form->labelWidget(length)), Qt::Alignment(Qt::AlignRight));
    QCOMPARE(cell(form, form->unitsWidget(length)), (QList<int> {0, 8, 1, 1}));
    QCOMPARE(cell(form, form->separatorWidget(length)), (QList<int> {0, 6, 1, 1}));
    QCOMPARE(cell(form, nested), (QList<int> {2, 0, 1, 10}));
}

QTEST_MAIN(tst_TFormLayout)
#include "tst_tformlayout.moc"
