#include "controlstest.h"
#include "tcheckbox.h"
#include "tflowlayout.h"
#include "tmulticheckbox.h"
#include "ttheme.h"

#include <QGridLayout>
#include <QPointer>
#include <QPushButton>

using controlstest::expose;
using controlstest::types;

namespace {

QVariantList items(const QStringList &iNames)
{
    QVariantList list;
    for (const QString &name : iNames)
        list.append(QVariantMap {{"name", name}, {"text", name.toUpper()}});
    return list;
}

QVariantList abc() { return items({"a", "b", "c"}); }

} // namespace

class tst_TMultiCheckBox : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void newGroup();
    void itemList();
    void itemListEvents();
    void value_data();
    void value();
    void valueFromSeparatedText();
    void columns_data();
    void columns();
    void spacingSurvivesRelayout();
    void parentButton();
    void parentButtonKey();
    void toggleAndEditEvents();
    void mergeAndOwnership();
    void listenerMayRebuild();
    void styleAndTips();
    void fromScript();
};

void tst_TMultiCheckBox::newGroup()
{
    TMultiCheckBox group;
    QVERIFY(qobject_cast<TFlowLayout *>(group.layout()));
    QCOMPARE(group.getAttr("column_count"), QVariant(-1));
    QCOMPARE(group.margin(), 1);
    QCOMPARE(group.horizontalSpacing(), TTheme::instance()->dp(16));
    QCOMPARE(group.verticalSpacing(), TTheme::instance()->dp(8));
    QCOMPARE(group.currentNames(), QStringList());
    QVERIFY(!group.parentButton());
}

void tst_TMultiCheckBox::itemList()
{
    TMultiCheckBox group;
    const QVariantList list {
            QVariantMap {{"name", "a"}, {"text", "A"}, {"value", 2}, {"data", QVariantMap {{"id", 1}}}},
            QVariantMap {{"text", "no name"}, {"icon", "no-such-icon"}}, QVariantMap {{"name", "c"}}};
    group.setItemList(list);
    QCOMPARE(group.itemList(), list);
    QCOMPARE(group.getAttr("item_list"), QVariant(list));
    const QList<TCheckBox *> boxes = group.buttons();
    QCOMPARE(boxes.size(), 3);
    QCOMPARE(boxes.at(0)->text(), QStringLiteral("A"));
    QVERIFY(boxes.at(0)->isChecked());
    QCOMPARE(boxes.at(0)->property("USER_DATA"), QVariant(QVariantMap {{"id", 1}}));
    QCOMPARE(boxes.at(1)->objectName(), QString());
    QCOMPARE(boxes.at(2)->text(), QString());
    for (TCheckBox *box : boxes)
        QCOMPARE(box->parent(), &group);

    QCOMPARE(group.currentNames(), QStringList {"a"});
    QCOMPARE(group.currentUserDatas(), (QVariantList {QVariantMap {{"id", 1}}}));
    QCOMPARE(group.currentIcons().size(), 1);
    // A checked box without name adds an empty name.
    boxes.at(1)->setChecked(true);
    QCOMPARE(group.currentNames(), (QStringList {"a", ""}));
    QCOMPARE(group.checkButton("c"), boxes.at(2));
    QVERIFY(!group.checkButton("zz"));

    // A new list replaces the boxes.
    QPointer<TCheckBox> old = boxes.at(0);
    group.setItemList(abc());
    QVERIFY(old.isNull());
    QCOMPARE(group.buttons().size(), 3);
    group.clear();
    QCOMPARE(group.buttons().size(), 0);
    QCOMPARE(group.itemList(), abc());
}

void tst_TMultiCheckBox::itemListEvents()
{
    TMultiCheckBox group;
    QSignalSpy events(&group, &TMultiCheckBox::signal);
    group.setAttr("item_list", abc());
    QCOMPARE(types(events), QStringList {"item_list_changed"});
    QCOMPARE(events.at(0).at(1), QVariant(QVariantMap {{"old", QVariantList()}, {"new", abc()}}));
    QCOMPARE(events.at(0).at(2), QVariant(QString()));

    // Equal as JSON text: neither rebuilt nor reported.
    QPointer<TCheckBox> first = group.buttons().first();
    group.setAttr("item_list", abc());
    QCOMPARE(events.count(), 1);
    QVERIFY(!first.isNull());

    group.setAttr("item_list", items({"x"}));
    QCOMPARE(events.count(), 2);
    QCOMPARE(events.at(1).at(1), QVariant(QVariantMap {{"old", abc()}, {"new", items({"x"})}}));

    // Blocked by the caller: rebuilt, not reported.
    group.blockSignals(true);
    group.setItemList(abc());
    group.blockSignals(false);
    QCOMPARE(events.count(), 2);
    QCOMPARE(group.buttons().size(), 3);
}

void tst_TMultiCheckBox::value_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QStringList>("checked");

    QTest::newRow("value two names") << "value" << QVariant("a,c") << QStringList {"a", "c"};
    QTest::newRow("value order of the list") << "value" << QVariant("c,a") << QStringList {"a", "c"};
    QTest::newRow("value empty unchecks all") << "value" << QVariant("") << QStringList();
    QTest::newRow("value unknown names ignored") << "value" << QVariant("zz,b") << QStringList {"b"};
    QTest::newRow("value duplicates") << "value" << QVariant("b,b") << QStringList {"b"};
    QTest::newRow("value blanks are part of the name") << "value" << QVariant("a, b") << QStringList {"a"};
    QTest::newRow("current_names") << "current_names" << QVariant(QStringList {"b", "c"}) << QStringList {"b", "c"};
}

void tst_TMultiCheckBox::value()
{
    QFETCH(QString, key);
    QFETCH(QVariant, value);
    QFETCH(QStringList, checked);

    TMultiCheckBox group;
    group.setItemList(abc());
    group.setCurrentNames({"a", "b"});
    group.setAttr(key, value);
    QCOMPARE(group.currentNames(), checked);
    QCOMPARE(group.getAttr("current_names"), QVariant(checked));
    QCOMPARE(group.getAttr("value"), QVariant(checked.join(",")));
}

void tst_TMultiCheckBox::valueFromSeparatedText()
{
    TMultiCheckBox group;
    group.setItemList(abc());
    group.setCurrentName("a;c", ";");
    QCOMPARE(group.currentName(";"), QStringLiteral("a;c"));
    QCOMPARE(group.currentName(), QStringLiteral("a,c"));
    group.select("b");
    group.select("a", false);
    QCOMPARE(group.currentNames(), (QStringList {"b", "c"}));

    // The same text again: no box is touched.
    QSignalSpy names(&group, &TMultiCheckBox::currentNamesChanged);
    group.setAttr("value", "b,c");
    QCOMPARE(names.count(), 0);
}

void tst_TMultiCheckBox::columns_data()
{
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("boxes");
    QTest::addColumn<QList<QPoint>>("cells");

    QTest::newRow("three columns, seven boxes")
            << 3 << 7 << QList<QPoint> {QPoint(0, 0), QPoint(1, 0), QPoint(2, 0), QPoint(0, 1),
                                        QPoint(1, 1), QPoint(2, 1), QPoint(0, 2)};
    QTest::newRow("one column") << 1 << 2 << QList<QPoint> {QPoint(0, 0), QPoint(0, 1)};
    QTest::newRow("zero flows") << 0 << 2 << QList<QPoint>();
    QTest::newRow("negative flows") << -5 << 2 << QList<QPoint>();
}

void tst_TMultiCheckBox::columns()
{
    QFETCH(int, columns);
    QFETCH(int, boxes);
    QFETCH(QList<QPoint>, cells);

    QStringList names;
    for (int i = 0; i < boxes; ++i)
        names.append(QStringLiteral("n%1").arg(i));

    // The layout is set before and after the boxes exist; boxes added later
    // take the next cell.
    for (bool before : {true, false}) {
        TMultiCheckBox group;
        if (before)
            group.setAttr("column_count", columns);
        group.setItemList(items(names));
        if (!before)
            group.setAttr("column_count", columns);
        QCOMPARE(group.getAttr("column_count"), QVariant(columns));
        if (cells.isEmpty()) {
            auto *flow = qobject_cast<TFlowLayout *>(group.layout());
            QVERIFY(flow);
            QCOMPARE(flow->count(), boxes);
            continue;
        }
        auto *grid = qobject_cast<QGridLayout *>(group.layout());
        QVERIFY(grid);
        QList<QPoint> placed;
        for (TCheckBox *box : group.buttons()) {
            int row, column, rowSpan, columnSpan;
            grid->getItemPosition(grid->indexOf(box), &row, &column, &rowSpan, &columnSpan);
            placed.append(QPoint(column, row));
        }
        QCOMPARE(placed, cells);
    }
}

void tst_TMultiCheckBox::spacingSurvivesRelayout()
{
    TMultiCheckBox group;
    group.setItemList(abc());
    group.setMargin(5);
    group.setHorizontalSpacing(7);
    group.setVerticalSpacing(3);
    group.setColumnCount(2);
    QCOMPARE(group.margin(), 5);
    QCOMPARE(group.horizontalSpacing(), 7);
    QCOMPARE(group.verticalSpacing(), 3);
    group.setColumnCount(-1);
    QVERIFY(qobject_cast<TFlowLayout *>(group.layout()));
    QCOMPARE(group.margin(), 5);
    QCOMPARE(group.horizontalSpacing(), 7);
    QCOMPARE(group.verticalSpacing(), 3);
    QCOMPARE(group.layout()->count(), 3);
}

void tst_TMultiCheckBox::parentButton()
{
    TMultiCheckBox group;
    group.setItemList(abc());
    QCheckBox all;
    all.setTristate(true);
    group.setParentButton(&all);
    QCOMPARE(group.parentButton(), &all);

    group.select("a");
    QCOMPARE(all.checkState(), Qt::PartiallyChecked);
    group.setCurrentNames({"a", "b", "c"});
    QCOMPARE(all.checkState(), Qt::Checked);
    group.selectAll(false);
    QCOMPARE(all.checkState(), Qt::Unchecked);

    // Clicking the parent checks or clears every box.
    all.setTristate(false);
    all.click();
    QCOMPARE(group.currentNames(), (QStringList {"a", "b", "c"}));
    all.click();
    QCOMPARE(group.currentNames(), QStringList());

    // A plain button follows none and all, and is left alone in between.
    QPushButton push;
    push.setCheckable(true);
    group.setParentButton(&push);
    group.select("a");
    QVERIFY(!push.isChecked());
    group.selectAll(true);
    QVERIFY(push.isChecked());
    group.select("b", false);
    QVERIFY(push.isChecked());
    // The earlier parent is let go.
    all.click();
    QCOMPARE(group.currentNames(), (QStringList {"a", "c"}));

    // A parent deleted before the group is forgotten.
    {
        auto *gone = new QCheckBox;
        group.setParentButton(gone);
        delete gone;
        QVERIFY(!group.parentButton());
        group.select("b");
    }
}

void tst_TMultiCheckBox::parentButtonKey()
{
    TMultiCheckBox group;
    QCheckBox button;
    QWidget notAButton;
    group.setAttr("parent_button", QVariant::fromValue(&notAButton));
    QVERIFY(!group.parentButton());
    group.setAttr("parent_button", QVariant::fromValue(static_cast<QObject *>(nullptr)));
    QVERIFY(!group.parentButton());
    // An address as a number is never taken for an object.
    group.setAttr("parent_button", QVariant::fromValue(quintptr(&button)));
    QVERIFY(!group.parentButton());
    group.setAttr("parent_button", QVariant::fromValue(&button));
    QCOMPARE(group.parentButton(), &button);
    group.setAttr("parent_button", QVariant::fromValue(static_cast<QObject *>(&notAButton)));
    QCOMPARE(group.parentButton(), &button);
}

void tst_TMultiCheckBox::toggleAndEditEvents()
{
    TMultiCheckBox group;
    group.setItemList(abc());
    group.setDefaultData("value", "a");
    QSignalSpy names(&group, &TMultiCheckBox::currentNamesChanged);
    QSignalSpy events(&group, &TMultiCheckBox::signal);

    group.buttons().at(0)->click();
    group.setAttr("value", "a,b");
    // Every toggle reports: the click, then clearing a and checking a and b.
    QCOMPARE(names.count(), 1 + 3);
    QCOMPARE(names.at(0).at(0), QVariant(QStringList {"a"}));
    QCOMPARE(names.last().at(0), QVariant(QStringList {"a", "b"}));
    // Toggles send no widget event.
    QCOMPARE(events.count(), 0);

    // An "editing_finished" of a box is forwarded with its data and uuid,
    // followed by "value_changed" when the value moved since the last one.
    TCheckBox *box = group.buttons().at(1);
    Q_EMIT box->signal("editing_finished", 42, "box-id");
    QCOMPARE(types(events), (QStringList {"editing_finished", "value_changed"}));
    QCOMPARE(events.at(0), (QVariantList {"editing_finished", 42, "box-id"}));
    QCOMPARE(events.at(1), (QVariantList {"value_changed", true, ""}));
    events.clear();
    Q_EMIT box->signal("editing_finished", QVariant(), QString());
    QCOMPARE(types(events), QStringList {"editing_finished"});
    // Other events of a box are not forwarded.
    Q_EMIT box->signal("clicked", QVariant(), QString());
    QCOMPARE(events.count(), 1);
    // Back at the default: reported with false.
    events.clear();
    group.setAttr("value", "a");
    Q_EMIT box->signal("editing_finished", QVariant(), QString());
    QCOMPARE(events.at(1), (QVariantList {"value_changed", false, ""}));
}

void tst_TMultiCheckBox::mergeAndOwnership()
{
    auto *other = new TMultiCheckBox;
    other->setItemList(items({"x", "y"}));
    TCheckBox loose;
    loose.setObjectName("loose");

    {
        TMultiCheckBox group;
        group.setItemList(abc());
        auto *added = new TCheckBox;
        added->setObjectName("added");
        group.addButton(added);
        group.merge(other);
        group.merge(&loose);
        QCOMPARE(group.buttons().size(), 3 + 1 + 2 + 1);
        // Merged boxes stay where they are.
        QCOMPARE(other->buttons().at(0)->parent(), other);
        QCOMPARE(group.layout()->count(), 4);

        QSignalSpy names(&group, &TMultiCheckBox::currentNamesChanged);
        other->select("y");
        QCOMPARE(names.count(), 1);
        QCOMPARE(group.currentNames(), QStringList {"y"});
        group.setAttr("value", "a,x,loose");
        QCOMPARE(group.currentNames(), (QStringList {"a", "x", "loose"}));
        QCOMPARE(other->currentNames(), QStringList {"x"});

        // A relayout places only the group's own boxes.
        group.setColumnCount(2);
        QCOMPARE(group.layout()->count(), 4);
        QCOMPARE(other->buttons().at(0)->parent(), other);

        // clear(): the merged boxes are let go, not deleted; the added one stays its caller's.
        QPointer<TCheckBox> own = group.buttons().at(0);
        QPointer<TCheckBox> addedGuard = added;
        group.clear();
        QVERIFY(own.isNull());
        QVERIFY(!addedGuard.isNull());
        QCOMPARE(other->buttons().size(), 2);
        names.clear();
        other->select("x", false);
        loose.setChecked(false);
        QCOMPARE(names.count(), 0);

        // Merged again, then the other group goes first: the group forgets its boxes.
        group.merge(other);
        delete other;
        QCOMPARE(group.buttons().size(), 0);
        group.selectAll(true);
    }
    // The group's destruction leaves the loose box alone.
    loose.setChecked(true);
    QCOMPARE(loose.isChecked(), true);
}

void tst_TMultiCheckBox::listenerMayRebuild()
{
    TMultiCheckBox group;
    group.setItemList(abc());
    connect(&group, &TMultiCheckBox::currentNamesChanged, &group, [&group]() { group.setItemList(items({"p", "q"})); });
    QPointer<TCheckBox> clicked = group.buttons().at(0);
    clicked->click();
    QCOMPARE(group.buttons().size(), 2);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(clicked.isNull());

    // A listener deleting the group from a forwarded event.
    QPointer<TMultiCheckBox> doomed = new TMultiCheckBox;
    doomed->setItemList(abc());
    connect(doomed.data(), &TMultiCheckBox::signal, doomed.data(), [&doomed]() { delete doomed.data(); });
    Q_EMIT doomed->buttons().at(0)->signal("editing_finished", QVariant(), QString());
    QVERIFY(doomed.isNull());
}

void tst_TMultiCheckBox::styleAndTips()
{
    TMultiCheckBox group;
    group.setAttr("style", "size=small");
    group.setItemList(abc());
    // Boxes take the group's style when added, and every later style.
    QCOMPARE(group.buttons().at(0)->property("SS_SIZE"), QVariant("SMALL"));
    group.setAttr("style", "type=flat");
    QCOMPARE(group.buttons().at(2)->property("SS_TYPE"), QVariant("FLAT"));

    group.setTipTexts({{"a", "3"}, {"c", 7}, {"zz", "x"}});
    QCOMPARE(group.getTipTexts(), (QVariantMap {{"a", "3"}, {"b", ""}, {"c", "7"}}));
    QCOMPARE(group.checkButton("a")->tipText(), QStringLiteral("3"));
}

void tst_TMultiCheckBox::fromScript()
{
    TMultiCheckBox group;
    QCheckBox all;
    QJSEngine engine;
    expose(engine, "group", &group);
    expose(engine, "all", &all);
    CONTROLS_EVAL(engine, "group.setAttr('item_list', [{name: 'a', text: 'A'}, {name: 'b', value: 2}]);"
                          "group.setAttr('column_count', 2); group.setAttr('parent_button', all);");
    QCOMPARE(group.currentNames(), QStringList {"b"});
    QCOMPARE(group.parentButton(), &all);
    CONTROLS_EVAL(engine, "group.setAttr('value', 'a,b');");
    QCOMPARE(all.checkState(), Qt::Checked);
    QCOMPARE(CONTROLS_EVAL(engine, "group.getAttr('current_names').length").toInt(), 2);
}

QTEST_MAIN(tst_TMultiCheckBox)
#include "tst_tmulticheckbox.moc"
