#include "controlstest.h"
#include "tgridlayout.h"
#include "thboxlayout.h"
#include "tlogger.h"
#include "tst_tuiloadercreator.h"
#include "tvboxlayout.h"

#include <QLabel>
#include <QPushButton>
#include <QSpacerItem>
#include <QWidget>

using controlstest::expose;

namespace {

QLayout *makeLayout(const QString &iKind, QWidget *iParent)
{
    if (iKind == QLatin1String("grid"))
        return new TGridLayout(iParent);
    if (iKind == QLatin1String("hbox"))
        return new THBoxLayout(iParent);
    return new TVBoxLayout(iParent);
}

TuiAbstract *attrs(QLayout *iLayout) { return dynamic_cast<TuiAbstract *>(iLayout); }

// The pixel bound, as docs/scripts.md gives it.
const int Bound = 8192;

// What a row of layoutNumbers reads back.
enum class Probe { Margin, Spacing, HSpacing, VSpacing, RowMinimum, ColumnMinimum, RowStretch, ColumnStretch, Count };

int probe(QLayout *iLayout, Probe iProbe)
{
    auto *grid = qobject_cast<QGridLayout *>(iLayout);
    switch (iProbe) {
    case Probe::Margin:
        return iLayout->contentsMargins().left();
    case Probe::Spacing:
        return iLayout->spacing();
    case Probe::HSpacing:
        return grid->horizontalSpacing();
    case Probe::VSpacing:
        return grid->verticalSpacing();
    case Probe::RowMinimum:
        return grid->rowMinimumHeight(1);
    case Probe::ColumnMinimum:
        return grid->columnMinimumWidth(1);
    case Probe::RowStretch:
        return grid->rowStretch(1);
    case Probe::ColumnStretch:
        return grid->columnStretch(1);
    case Probe::Count:
        break;
    }
    return iLayout->count();
}

} // namespace

Q_DECLARE_METATYPE(Probe)

class tst_TBoxGridLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void attributeKeys_data();
    void attributeKeys();
    void gridCounts();
    void boxPacking_data();
    void boxPacking();
    void wrongKindsPackNothing_data();
    void wrongKindsPackNothing();
    void gridAlignment_data();
    void gridAlignment();
    void gridRowsAndColumns();
    void gridNumbersOutOfRange_data();
    void gridNumbersOutOfRange();
    void gridBounds();
    void layoutNumbers_data();
    void layoutNumbers();
    void worstCaseStaysWithinBound();
    void descriptionNumbers_data();
    void descriptionNumbers();
    void fromScript();
};

void tst_TBoxGridLayout::attributeKeys_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("value");
    // What get() of the key gives afterwards; it reads the layout's own state.
    QTest::addColumn<QVariant>("expected");

    for (const char *kind : {"grid", "hbox", "vbox"}) {
        QTest::addRow("%s/spacing", kind) << kind << "spacing" << QVariant(6) << QVariant(6);
        QTest::addRow("%s/margin", kind) << kind << "margin" << QVariant(8) << QVariant(8);
        QTest::addRow("%s/margin as text", kind) << kind << "margin" << QVariant("3") << QVariant(3);
        QTest::addRow("%s/common key ignored", kind) << kind << "enabled" << QVariant(false) << QVariant();
    }
    QTest::newRow("grid/hspacing") << "grid"
                                   << "hspacing" << QVariant(4) << QVariant(4);
    QTest::newRow("grid/vspacing") << "grid"
                                   << "vspacing" << QVariant(9) << QVariant(9);
    QTest::newRow("grid/column_count is read-only") << "grid"
                                                    << "column_count" << QVariant(3) << QVariant(1);
    QTest::newRow("hbox/hspacing is not a key") << "hbox"
                                                << "hspacing" << QVariant(4) << QVariant();
    QTest::newRow("vbox/vspacing is not a key") << "vbox"
                                                << "vspacing" << QVariant(4) << QVariant();
}

void tst_TBoxGridLayout::attributeKeys()
{
    QFETCH(QString, kind);
    QFETCH(QString, key);
    QFETCH(QVariant, value);
    QFETCH(QVariant, expected);
    QWidget host;
    QLayout *layout = makeLayout(kind, &host);
    const int spacingBefore = layout->spacing();
    const QMargins marginsBefore = layout->contentsMargins();
    attrs(layout)->set(key, value);
    QCOMPARE(attrs(layout)->get(key), expected);
    if (key == QLatin1String("margin")) {
        const int m = expected.toInt();
        QCOMPARE(layout->contentsMargins(), QMargins(m, m, m, m));
    } else {
        QCOMPARE(layout->contentsMargins(), marginsBefore);
    }
    if (key != QLatin1String("spacing") && kind != QLatin1String("grid"))
        QCOMPARE(layout->spacing(), spacingBefore);
    QVERIFY(host.isEnabled());
    QVERIFY(host.dynamicPropertyNames().isEmpty());
}

void tst_TBoxGridLayout::gridCounts()
{
    QWidget host;
    auto *grid = new TGridLayout(&host);
    grid->packWidget(new QLabel(&host), 2, 4);
    QCOMPARE(grid->get("column_count"), QVariant(5));
    QCOMPARE(grid->get("row_count"), QVariant(3));
    grid->set("column_count", 9);
    QCOMPARE(grid->get("column_count"), QVariant(5));
    // The margin of a grid whose sides differ reads as -1.
    grid->setContentsMargins(1, 2, 3, 4);
    QCOMPARE(grid->get("margin"), QVariant(-1));
}

void tst_TBoxGridLayout::boxPacking_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("hbox") << "hbox";
    QTest::newRow("vbox") << "vbox";
}

void tst_TBoxGridLayout::boxPacking()
{
    QFETCH(QString, kind);
    QWidget host;
    auto *box = static_cast<QBoxLayout *>(makeLayout(kind, &host));
    auto *label = new QLabel(&host);
    auto *nested = new THBoxLayout;
    // Both twins have the same slots; call them by name as scripts do.
    QVERIFY(QMetaObject::invokeMethod(box, "packWidget", Q_ARG(QObject *, label), Q_ARG(int, 2),
                                      Q_ARG(QString, "AlignRight")));
    QVERIFY(QMetaObject::invokeMethod(box, "packLayout", Q_ARG(QObject *, nested), Q_ARG(int, 3)));
    QVERIFY(QMetaObject::invokeMethod(box, "packStretch"));
    QVERIFY(QMetaObject::invokeMethod(box, "packSpacing"));
    QVERIFY(QMetaObject::invokeMethod(box, "packSpacing", Q_ARG(int, 12)));
    QCOMPARE(box->count(), 5);
    QCOMPARE(box->itemAt(0)->widget(), label);
    QCOMPARE(box->stretch(0), 2);
    QCOMPARE(box->itemAt(0)->alignment(), Qt::Alignment(Qt::AlignRight));
    QCOMPARE(box->itemAt(1)->layout(), nested);
    QCOMPARE(box->stretch(1), 3);
    QCOMPARE(nested->parent(), box);
    QVERIFY(box->itemAt(2)->spacerItem());
    QCOMPARE(box->stretch(2), 1);
    const bool horizontal = kind == QLatin1String("hbox");
    auto extent = [horizontal](QLayoutItem *item) {
        return horizontal ? item->sizeHint().width() : item->sizeHint().height();
    };
    QCOMPARE(box->stretch(3), 0);
    QCOMPARE(extent(box->itemAt(3)), 0);
    QCOMPARE(extent(box->itemAt(4)), 12);
}

void tst_TBoxGridLayout::wrongKindsPackNothing_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("grid") << "grid";
    QTest::newRow("hbox") << "hbox";
    QTest::newRow("vbox") << "vbox";
}

void tst_TBoxGridLayout::wrongKindsPackNothing()
{
    QFETCH(QString, kind);
    QWidget host;
    QLayout *layout = makeLayout(kind, &host);
    auto *nested = new TVBoxLayout;
    auto *widget = new QLabel(&host);
    QObject plain;
    const bool grid = kind == QLatin1String("grid");
    for (QObject *wrong : {static_cast<QObject *>(nested), &plain, static_cast<QObject *>(nullptr)}) {
        if (grid)
            QMetaObject::invokeMethod(layout, "packWidget", Q_ARG(QObject *, wrong), Q_ARG(int, 0), Q_ARG(int, 0));
        else
            QMetaObject::invokeMethod(layout, "packWidget", Q_ARG(QObject *, wrong));
    }
    for (QObject *wrong : {static_cast<QObject *>(widget), &plain, static_cast<QObject *>(nullptr)}) {
        if (grid)
            QMetaObject::invokeMethod(layout, "packLayout", Q_ARG(QObject *, wrong), Q_ARG(int, 0), Q_ARG(int, 0));
        else
            QMetaObject::invokeMethod(layout, "packLayout", Q_ARG(QObject *, wrong));
    }
    QCOMPARE(layout->count(), 0);
    QVERIFY(!nested->parent());
    delete nested;
}

void tst_TBoxGridLayout::gridAlignment_data()
{
    QTest::addColumn<QString>("alignment");
    QTest::addColumn<bool>("fills");
    QTest::newRow("Right") << "Right" << false;
    QTest::newRow("empty fills the cell") << "" << true;
}

void tst_TBoxGridLayout::gridAlignment()
{
    QFETCH(QString, alignment);
    QFETCH(bool, fills);
    QWidget host;
    auto *grid = new TGridLayout(&host);
    grid->set("margin", 0);
    auto *button = new QPushButton(QStringLiteral("OK"), &host);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    grid->packWidget(button, 0, 0, 1, 1, alignment);
    host.resize(400, 100);
    grid->activate();
    grid->setGeometry(QRect(0, 0, 400, 100));
    if (fills) {
        QCOMPARE(button->geometry(), QRect(0, 0, 400, 100));
    } else {
        QCOMPARE(button->width(), button->sizeHint().width());
        QCOMPARE(button->geometry().right(), 399);
    }
}

void tst_TBoxGridLayout::gridRowsAndColumns()
{
    TGridLayout grid;
    grid.setColumnMinimumWidth(1, 30);
    grid.setColumnStretch(1, 2);
    grid.setRowMinimumHeight(2, 40);
    grid.setRowStretch(2, 3);
    QCOMPARE(grid.columnMinimumWidth(1), 30);
    QCOMPARE(grid.columnStretch(1), 2);
    QCOMPARE(grid.rowMinimumHeight(2), 40);
    QCOMPARE(grid.rowStretch(2), 3);
    auto *label = new QLabel;
    auto *nested = new TVBoxLayout;
    grid.packWidget(label, 1, 2, 2, 3, "AlignTop");
    grid.packLayout(nested, 0, 0);
    int r, c, rs, cs;
    grid.getItemPosition(grid.indexOf(label), &r, &c, &rs, &cs);
    QCOMPARE((QList<int> {r, c, rs, cs}), (QList<int> {1, 2, 2, 3}));
    QCOMPARE(grid.itemAtPosition(0, 0)->layout(), nested);
    QCOMPARE(grid.itemAtPosition(1, 2)->alignment(), Qt::Alignment(Qt::AlignTop));
    delete label;
}

void tst_TBoxGridLayout::gridNumbersOutOfRange_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QVariant>("result");
    QTest::addColumn<bool>("refused"); // one error logged, the grid unchanged

    // Reads beyond the grid give the neutral 0 and log nothing.
    QTest::newRow("rowStretch far past the rows") << QStringLiteral("grid.rowStretch(1000000)") << QVariant(0) << false;
    QTest::newRow("columnStretch negative") << QStringLiteral("grid.columnStretch(-1)") << QVariant(0) << false;
    QTest::newRow("rowMinimumHeight most negative")
            << QStringLiteral("grid.rowMinimumHeight(-2147483648)") << QVariant(0) << false;
    QTest::newRow("columnMinimumWidth at the count")
            << QStringLiteral("grid.columnMinimumWidth(4)") << QVariant(0) << false;
    QTest::newRow("rowStretch in range") << QStringLiteral("grid.rowStretch(1)") << QVariant(5) << false;

    const QVariant none; // not looked at
    QTest::newRow("setColumnStretch most negative")
            << QStringLiteral("grid.setColumnStretch(-2147483648, -1)") << none << true;
    QTest::newRow("setRowStretch far row") << QStringLiteral("grid.setRowStretch(1000000, 1)") << none << true;
    QTest::newRow("setRowMinimumHeight past the bound")
            << QStringLiteral("grid.setRowMinimumHeight(1000, 5)") << none << true;
    QTest::newRow("setColumnMinimumWidth negative size")
            << QStringLiteral("grid.setColumnMinimumWidth(2, -1)") << none << true;
    QTest::newRow("setRowStretch huge stretch") << QStringLiteral("grid.setRowStretch(1, 2147483647)") << none << true;
    QTest::newRow("packWidget column 1e9") << QStringLiteral("grid.packWidget(extra, 0, 1e9)") << none << true;
    QTest::newRow("packLayout negative row") << QStringLiteral("grid.packLayout(nested, -1, 0)") << none << true;
    QTest::newRow("packWidget column span 5000")
            << QStringLiteral("grid.packWidget(extra, 0, 0, 1, 5000)") << none << true;
    QTest::newRow("packWidget row span past the bound")
            << QStringLiteral("grid.packWidget(extra, 999, 0, 2)") << none << true;
}

void tst_TBoxGridLayout::gridNumbersOutOfRange()
{
    QFETCH(QString, code);
    QFETCH(QVariant, result);
    QFETCH(bool, refused);
    QWidget host;
    auto *grid = new TGridLayout(&host);
    grid->packWidget(new QLabel(&host), 2, 3);
    grid->setRowStretch(1, 5);
    grid->setColumnStretch(2, 7);
    grid->setRowMinimumHeight(1, 11);
    grid->setColumnMinimumWidth(2, 13);
    auto *extra = new QLabel(&host);
    auto *nested = new TVBoxLayout;
    QScopedPointer<QLayout> nestedOwner(nested);
    QJSEngine engine;
    expose(engine, QStringLiteral("grid"), grid);
    expose(engine, QStringLiteral("extra"), extra);
    expose(engine, QStringLiteral("nested"), nested);

    QSignalSpy logged(TLogger::instance(), &TLogger::logWrited);
    if (refused)
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("\\[ERROR\\].*; nothing changed")));
    const QJSValue value = CONTROLS_EVAL(engine, code);
    QVERIFY(!value.isError());
    if (!refused)
        QCOMPARE(value.toVariant(), result);
    QCOMPARE(logged.count(), refused ? 1 : 0);
    if (refused)
        QCOMPARE(logged.at(0).at(1).toString(), QStringLiteral("ERROR"));

    QCOMPARE(grid->rowCount(), 3);
    QCOMPARE(grid->columnCount(), 4);
    QCOMPARE(grid->count(), 1);
    QCOMPARE((QList<int> {grid->rowStretch(1), grid->columnStretch(2), grid->rowMinimumHeight(1),
                          grid->columnMinimumWidth(2)}),
             (QList<int> {5, 7, 11, 13}));
}

void tst_TBoxGridLayout::gridBounds()
{
    // The last row and column within the bound, and spans to the far edge,
    // are taken as they come.
    QWidget host;
    auto *grid = new TGridLayout(&host);
    auto *corner = new QLabel(&host);
    auto *spread = new QLabel(&host);
    grid->packWidget(corner, 999, 999);
    grid->packWidget(spread, 0, 0, -1, -1);
    grid->setRowStretch(999, 2);
    grid->setColumnMinimumWidth(999, Bound);
    QCOMPARE(grid->rowCount(), 1000);
    QCOMPARE(grid->columnCount(), 1000);
    QCOMPARE(grid->rowStretch(999), 2);
    QCOMPARE(grid->columnMinimumWidth(999), Bound);
    int r, c, rs, cs;
    grid->getItemPosition(grid->indexOf(spread), &r, &c, &rs, &cs);
    QCOMPARE((QList<int> {r, c, rs, cs}), (QList<int> {0, 0, 1000, 1000}));
}

void tst_TBoxGridLayout::layoutNumbers_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("code");
    QTest::addColumn<Probe>("probe");
    // What the probe gives afterwards; invalid: only that it changed.
    QTest::addColumn<QVariant>("expected");
    // Refused: one error line, and the probe gives what it gave before.
    QTest::addColumn<bool>("refused");

    const QVariant changed;
    for (const char *kind : {"grid", "hbox", "vbox"}) {
        auto row = [kind](const char *name, const char *code, Probe probe, const QVariant &expected, bool refused) {
            QTest::addRow("%s/%s", kind, name) << kind << code << probe << expected << refused;
        };
        row("margin at the bound", "l.set('margin', 8192)", Probe::Margin, Bound, false);
        row("margin 0", "l.set('margin', 0)", Probe::Margin, 0, false);
        row("margin as text", "l.set('margin', '12')", Probe::Margin, 12, false);
        row("margin past the bound", "l.set('margin', 8193)", Probe::Margin, QVariant(), true);
        row("margin negative", "l.set('margin', -1)", Probe::Margin, QVariant(), true);
        row("margin that an int would wrap to 5", "l.set('margin', 4294967301)", Probe::Margin, QVariant(), true);
        row("margin as text beyond int", "l.set('margin', '99999999999')", Probe::Margin, QVariant(), true);
        row("margin not a number", "l.set('margin', NaN)", Probe::Margin, QVariant(), true);
        row("spacing at the bound", "l.set('spacing', 8192)", Probe::Spacing, Bound, false);
        row("spacing -1 is the style's", "l.set('spacing', -1)", Probe::Spacing, changed, false);
        row("spacing past the bound", "l.set('spacing', 8193)", Probe::Spacing, QVariant(), true);
        row("spacing below -1", "l.set('spacing', -2)", Probe::Spacing, QVariant(), true);
        row("spacing property at the bound", "l.spacing = 8192", Probe::Spacing, Bound, false);
        row("spacing property past the bound", "l.spacing = 8193", Probe::Spacing, QVariant(), true);
        row("margin property at the bound", "l.margin = 8192", Probe::Margin, Bound, false);
        row("margin property negative", "l.margin = -3", Probe::Margin, QVariant(), true);
    }
    auto grid = [](const char *name, const char *code, Probe probe, const QVariant &expected, bool refused) {
        QTest::addRow("grid/%s", name) << "grid" << code << probe << expected << refused;
    };
    grid("hspacing at the bound", "l.set('hspacing', 8192)", Probe::HSpacing, Bound, false);
    grid("hspacing below -1", "l.set('hspacing', -2)", Probe::HSpacing, QVariant(), true);
    grid("vspacing past the bound", "l.set('vspacing', 8193)", Probe::VSpacing, QVariant(), true);
    grid("row minimum at the bound", "l.setRowMinimumHeight(1, 8192)", Probe::RowMinimum, Bound, false);
    grid("column minimum past the bound", "l.setColumnMinimumWidth(1, 8193)", Probe::ColumnMinimum, QVariant(), true);
    grid("row stretch at the bound", "l.setRowStretch(1, 8192)", Probe::RowStretch, Bound, false);
    grid("column stretch past the bound", "l.setColumnStretch(1, 8193)", Probe::ColumnStretch, QVariant(), true);

    for (const char *kind : {"hbox", "vbox"}) {
        auto box = [kind](const char *name, const char *code, const QVariant &expected, bool refused) {
            QTest::addRow("%s/%s", kind, name) << kind << code << Probe::Count << expected << refused;
        };
        box("packSpacing at the bound", "l.packSpacing(8192)", 2, false);
        box("packSpacing past the bound", "l.packSpacing(8193)", QVariant(), true);
        box("packSpacing negative", "l.packSpacing(-1)", QVariant(), true);
        box("packStretch at the bound", "l.packStretch(8192)", 2, false);
        box("packStretch past the bound", "l.packStretch(8193)", QVariant(), true);
        box("packStretch negative", "l.packStretch(-1)", QVariant(), true);
        box("packWidget stretch at the bound", "l.packWidget(w, 8192)", 2, false);
        box("packWidget stretch past the bound", "l.packWidget(w, 8193, 'Left')", QVariant(), true);
        box("packLayout stretch negative", "l.packLayout(n, -1)", QVariant(), true);
    }
}

void tst_TBoxGridLayout::layoutNumbers()
{
    QFETCH(QString, kind);
    QFETCH(QString, code);
    QFETCH(Probe, probe);
    QFETCH(QVariant, expected);
    QFETCH(bool, refused);
    QWidget host;
    QLayout *layout = makeLayout(kind, &host);
    layout->setContentsMargins(5, 5, 5, 5);
    layout->setSpacing(3);
    if (auto *grid = qobject_cast<TGridLayout *>(layout)) {
        grid->setRowMinimumHeight(1, 11);
        grid->setColumnMinimumWidth(1, 13);
        grid->setRowStretch(1, 5);
        grid->setColumnStretch(1, 7);
    } else {
        layout->addWidget(new QLabel(&host));
    }
    auto *widget = new QLabel(&host);
    auto *nested = new TVBoxLayout;
    QJSEngine engine;
    expose(engine, QStringLiteral("l"), layout);
    expose(engine, QStringLiteral("w"), widget);
    expose(engine, QStringLiteral("n"), nested);
    const int before = ::probe(layout, probe);

    QSignalSpy logged(TLogger::instance(), &TLogger::logWrited);
    if (refused)
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("\\[ERROR\\].*; nothing changed")));
    QVERIFY(!CONTROLS_EVAL(engine, code).isError());
    QCOMPARE(logged.count(), refused ? 1 : 0);
    if (refused)
        QCOMPARE(::probe(layout, probe), before);
    else if (expected.isValid())
        QCOMPARE(::probe(layout, probe), expected.toInt());
    else
        QVERIFY(::probe(layout, probe) != before);
    if (!nested->parent())
        delete nested;
}

void tst_TBoxGridLayout::worstCaseStaysWithinBound()
{
    // Every number at the bound, with rows, spaces and margins that add up
    // to many times the bound: the window asks for no more than the bound,
    // and gets no more when its layout is applied (no screen needed).
    QWidget window;
    window.setContentsMargins(Bound / 2, Bound / 2, Bound / 2, Bound / 2);
    auto *column = new TVBoxLayout(&window);
    auto *grid = new TGridLayout;
    auto *row = new THBoxLayout;
    QJSEngine engine;
    expose(engine, QStringLiteral("column"), column);
    expose(engine, QStringLiteral("grid"), grid);
    expose(engine, QStringLiteral("row"), row);
    expose(engine, QStringLiteral("a"), new QLabel(QStringLiteral("a"), &window));
    expose(engine, QStringLiteral("b"), new QLabel(QStringLiteral("b"), &window));
    QSignalSpy logged(TLogger::instance(), &TLogger::logWrited);
    QVERIFY(!CONTROLS_EVAL(engine, "column.set({margin: 8192, spacing: 8192});"
                                   "grid.set({margin: 8192, hspacing: 8192, vspacing: 8192});"
                                   "for (var i = 0; i < 5; ++i) {"
                                   "  grid.setRowMinimumHeight(i, 8192); grid.setColumnMinimumWidth(i, 8192);"
                                   "  grid.setRowStretch(i, 8192); grid.setColumnStretch(i, 8192);"
                                   "}"
                                   "grid.packWidget(a, 4, 4);"
                                   "row.margin = 8192;"
                                   "row.packSpacing(8192); row.packWidget(b, 8192); row.packStretch(8192);"
                                   "column.packLayout(grid, 8192); column.packLayout(row, 8192);"
                                   "column.packSpacing(8192);")
                     .isError());
    QCOMPARE(logged.count(), 0);
    QCOMPARE(grid->minimumSize(), QSize(Bound, Bound));
    QCOMPARE(row->sizeHint(), QSize(Bound, Bound));
    QVERIFY(grid->heightForWidth(100) <= Bound);
    column->activate();
    const QSize bound(Bound, Bound);
    QCOMPARE(window.minimumSize(), bound);
    QCOMPARE(window.size(), bound);
    QCOMPARE(column->totalSizeHint().boundedTo(bound), column->totalSizeHint());
}

void tst_TBoxGridLayout::descriptionNumbers_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("count");       // items the row holds afterwards
    QTest::addColumn<QString>("refusal"); // the error line; empty when the number is taken
    QTest::newRow("pack stretch at the bound") << "{type:'Label', pack:{stretch:8192}}" << 1 << QString();
    QTest::newRow("pack stretch past the bound")
            << "{type:'Label', pack:{stretch:8193}}" << 0 << "TUiLoader box pack: stretch 8193 is outside 0..8192";
    QTest::newRow("layout pack stretch negative")
            << "{type:'VBoxLayout', pack:{stretch:-1}}" << 0 << "TUiLoader box pack: stretch -1 is outside 0..8192";
    QTest::newRow("stretch item at the bound") << "{type:'Stretch', property:{stretch:8192}}" << 1 << QString();
    QTest::newRow("stretch item past the bound") << "{type:'Stretch', property:{stretch:8193}}" << 0
                                                 << "TUiLoader stretch item: stretch 8193 is outside 0..8192";
}

void tst_TBoxGridLayout::descriptionNumbers()
{
    // A description's numbers reach the row through the loader, checked as the layout's own.
    QFETCH(QString, item);
    QFETCH(int, count);
    QFETCH(QString, refusal);
    tuiloadertest::Form form;
    form.build(QStringLiteral("{type:'Pane', child:{type:'HBoxLayout', name:'row', child:[%1]}}").arg(item));
    auto *row = form.find<QBoxLayout>(QStringLiteral("row"));
    QVERIFY(row);
    QCOMPARE(row->count(), count);
    // A refused pack is also a failed one, which the loader logs on its own.
    if (refusal.isEmpty())
        QVERIFY(form.log.texts(QStringLiteral("error")).isEmpty());
    else
        QVERIFY2(form.logged(refusal), qPrintable(form.log.texts().join(QLatin1Char('\n'))));

    form.loader.setMargin(Bound);
    form.loader.setMargin(Bound + 1);
    QCOMPARE(form.loader.margin(), Bound);
    QVERIFY(form.logged(QStringLiteral("TUiLoader::setMargin: margin 8193 is outside 0..8192")));
}

void tst_TBoxGridLayout::fromScript()
{
    QWidget host;
    auto *grid = new TGridLayout(&host);
    auto *row = new THBoxLayout;
    auto *column = new TVBoxLayout;
    auto *a = new QLabel(QStringLiteral("a"), &host);
    auto *b = new QLabel(QStringLiteral("b"), &host);
    QSignalSpy spy(grid, SIGNAL(signal(QString, QVariant, QString)));
    QJSEngine engine;
    expose(engine, "grid", grid);
    expose(engine, "row", row);
    expose(engine, "column", column);
    expose(engine, "a", a);
    expose(engine, "b", b);
    const QJSValue r = CONTROLS_EVAL(
            engine, "row.set({spacing: 3, margin: 2});"
                    "row.packWidget(a, 1, 'Left');"
                    "row.packStretch();"
                    "column.packWidget(b);"
                    "column.packSpacing(10);"
                    "grid.packLayout(row, 0, 0);"
                    "grid.packLayout(column, 1, 0, 1, 2);"
                    "grid.set('hspacing', 7);"
                    "grid.emitSignal('built', {rows: grid.get('row_count')});"
                    "var m = grid.get(['hspacing', 'column_count', 'enabled']);"
                    "[row.get('spacing'), row.get('margin'), m.hspacing, m.column_count, m.enabled].join('|')");
    QVERIFY(!r.isError());
    QCOMPARE(r.toString(), QStringLiteral("3|2|7|2|"));
    QCOMPARE(row->count(), 2);
    QCOMPARE(row->stretch(1), 1);
    QCOMPARE(column->itemAt(1)->sizeHint().height(), 10);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0), (QVariantList {"built", QVariantMap {{"rows", 2}}, QString()}));
}

QTEST_MAIN(tst_TBoxGridLayout)
#include "tst_tboxgridlayout.moc"
