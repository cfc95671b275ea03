#include "controlstest.h"
#include "tradiobox.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QJsonDocument>
#include <QPointer>
#include <QRadioButton>

using controlstest::expose;
using controlstest::types;

namespace {

QVariantMap item(const QString &iName, const QString &iText, const QVariant &iData = QVariant())
{
    QVariantMap map {{"name", iName}, {"text", iText}};
    if (iData.isValid())
        map.insert("data", iData);
    return map;
}

QVariantList abc() { return {item("a", "A"), item("b", "B", 2), item("c", "C", QVariantMap {{"k", "v"}})}; }

QGridLayout *grid(TRadioBox &iBox) { return qobject_cast<QGridLayout *>(iBox.layout()); }

// Row and column of each listed button in the grid.
QList<QPoint> cells(TRadioBox &iBox)
{
    QList<QPoint> result;
    for (QAbstractButton *button : iBox.buttons()) {
        int row, column, rowSpan, columnSpan;
        grid(iBox)->getItemPosition(grid(iBox)->indexOf(button), &row, &column, &rowSpan, &columnSpan);
        result.append(QPoint(column, row));
    }
    return result;
}

int checkedCount(TRadioBox &iBox)
{
    int n = 0;
    for (QAbstractButton *button : iBox.buttonGroup()->buttons())
        n += button->isChecked() ? 1 : 0;
    return n;
}

} // namespace

class tst_TRadioBox : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void newBox();
    void itemList();
    void itemListEvents();
    void columns_data();
    void columns();
    void value();
    void clearValue();
    void clicks();
    void listenerMayRebuildOrDelete();
    void merge();
    void fromScript();
};

void tst_TRadioBox::newBox()
{
    TRadioBox box;
    QCOMPARE(box.columnCount(), 4);
    QCOMPARE(box.buttons().size(), 0);
    QCOMPARE(box.currentName(), QString());
    QCOMPARE(box.getAttr("value"), QVariant(QString()));
    QVERIFY(box.buttonGroup()->exclusive());
    // Only the hidden "nothing chosen" button is in the group.
    QCOMPARE(box.buttonGroup()->buttons().size(), 1);
    QVERIFY(box.buttonGroup()->buttons().first()->isHidden());
    QCOMPARE(box.sizePolicy().horizontalPolicy(), QSizePolicy::Preferred);
    QCOMPARE(box.sizePolicy().verticalPolicy(), QSizePolicy::Preferred);
}

void tst_TRadioBox::itemList()
{
    TRadioBox box;
    const QVariantList items {item("a", "A"), QVariantHash {{"name", "h"}, {"text", "Hash"}, {"data", 5}}, "plain",
                              QVariantMap {{"text", "no name"}}};
    box.setItemList(items);
    QCOMPARE(box.itemList(), items);
    const QList<QAbstractButton *> buttons = box.buttons();
    QCOMPARE(buttons.size(), 4);
    QCOMPARE(buttons.at(0)->objectName(), QStringLiteral("a"));
    QCOMPARE(buttons.at(0)->text(), QStringLiteral("A"));
    QVERIFY(!buttons.at(0)->property("USER_DATA").isValid());
    QCOMPARE(buttons.at(1)->objectName(), QStringLiteral("h"));
    QCOMPARE(buttons.at(1)->property("USER_DATA"), QVariant(5));
    QCOMPARE(buttons.at(2)->objectName(), QStringLiteral("plain"));
    QCOMPARE(buttons.at(2)->text(), QStringLiteral("plain"));
    QCOMPARE(buttons.at(3)->objectName(), QString());
    for (QAbstractButton *button : buttons)
        QCOMPARE(button->parent(), &box);

    box.setCurrentName("h");
    QCOMPARE(box.currentText(), QStringLiteral("Hash"));
    QCOMPARE(box.currentUserData(), QVariant(5));

    // A new list replaces the buttons; the old ones are gone.
    QPointer<QAbstractButton> old = buttons.at(0);
    box.setItemList({"x"});
    QVERIFY(old.isNull());
    QCOMPARE(box.buttons().size(), 1);
    QCOMPARE(box.buttonGroup()->buttons().size(), 2);
    QCOMPARE(box.currentName(), QString());

    box.clear();
    QCOMPARE(box.buttons().size(), 0);
    QCOMPARE(box.itemList(), QVariantList {"x"});
}

void tst_TRadioBox::itemListEvents()
{
    TRadioBox box;
    QSignalSpy events(&box, &TRadioBox::signal);
    QSignalSpy lists(&box, &TRadioBox::itemListChanged);

    box.setAttr("item_list", abc());
    box.setAttr("item_list", abc());
    // Every set sends the event, with no data, and rebuilds the buttons.
    QCOMPARE(types(events), (QStringList {"item_list_changed", "item_list_changed"}));
    QVERIFY(!events.at(0).at(1).isValid());
    QCOMPARE(events.at(0).at(2), QVariant(QString()));
    QCOMPARE(lists.count(), 2);

    // Read back as indented JSON text.
    const QVariant read = box.getAttr("item_list");
    QCOMPARE(read.userType(), int(QMetaType::QString));
    QVERIFY(read.toString().contains(QLatin1Char('\n')));
    QCOMPARE(QJsonDocument::fromJson(read.toString().toUtf8()).toVariant(), QVariant(abc()));
}

void tst_TRadioBox::columns_data()
{
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("stored");
    QTest::addColumn<QList<QPoint>>("expected");

    const QList<QPoint> oneColumn {QPoint(0, 0), QPoint(0, 1), QPoint(0, 2)};
    QTest::newRow("two") << 2 << 2 << QList<QPoint> {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1)};
    QTest::newRow("default four") << 4 << 4 << QList<QPoint> {QPoint(0, 0), QPoint(1, 0), QPoint(2, 0)};
    QTest::newRow("one") << 1 << 1 << oneColumn;
    QTest::newRow("zero counts as one") << 0 << 1 << oneColumn;
    QTest::newRow("negative counts as one") << -3 << 1 << oneColumn;
}

void tst_TRadioBox::columns()
{
    QFETCH(int, columns);
    QFETCH(int, stored);
    QFETCH(QList<QPoint>, expected);

    // Before and after the buttons exist.
    for (bool itemsFirst : {false, true}) {
        TRadioBox box;
        if (itemsFirst)
            box.setItemList(abc());
        box.setAttr("column_count", columns);
        if (!itemsFirst)
            box.setItemList(abc());
        QCOMPARE(box.getAttr("column_count"), QVariant(stored));
        QCOMPARE(cells(box), expected);
        // The spare width goes to the empty column after the buttons only.
        for (int c = 0; c < grid(box)->columnCount(); ++c)
            QCOMPARE(grid(box)->columnStretch(c), c == stored ? 1 : 0);
    }
}

void tst_TRadioBox::value()
{
    TRadioBox box;
    box.setItemList(abc());
    QSignalSpy names(&box, &TRadioBox::currentNameChanged);
    QSignalSpy events(&box, &TRadioBox::signal);

    box.setAttr("value", "b");
    QCOMPARE(box.getAttr("value"), QVariant("b"));
    QVERIFY(box.buttons().at(1)->isChecked());
    QCOMPARE(names.count(), 1);
    QCOMPARE(names.at(0).at(0), QVariant("b"));

    // Same name: nothing; unknown name: nothing.
    box.setAttr("value", "b");
    box.setAttr("value", "zz");
    QCOMPARE(names.count(), 1);
    QCOMPARE(box.currentName(), QStringLiteral("b"));

    // The empty name checks the hidden button: nothing chosen, still exclusive.
    box.setAttr("value", "");
    QCOMPARE(box.getAttr("value"), QVariant(QString()));
    QCOMPARE(checkedCount(box), 1);
    QVERIFY(!box.buttons().at(1)->isChecked());
    QCOMPARE(names.last().at(0), QVariant(QString()));
    QCOMPARE(box.currentText(), QString());
    QVERIFY(box.currentIcon().isNull());
    QVERIFY(!box.currentUserData().isValid());

    // Setting the value reports no widget event.
    QCOMPARE(events.count(), 0);
}

void tst_TRadioBox::clearValue()
{
    TRadioBox box;
    box.setItemList(abc());
    box.setCurrentName("c");
    box.clearValue();
    QCOMPARE(checkedCount(box), 0);
    QCOMPARE(box.getAttr("value"), QVariant(QString()));
    QVERIFY(box.buttonGroup()->exclusive());
    box.setCurrentName("a");
    QCOMPARE(checkedCount(box), 1);
}

void tst_TRadioBox::clicks()
{
    TRadioBox box;
    box.setItemList(abc());
    box.setDefaultData("value", "b");
    QSignalSpy events(&box, &TRadioBox::signal);

    box.buttons().at(0)->click();
    QCOMPARE(types(events), (QStringList {"editing_finished", "value_changed"}));
    QVERIFY(!events.at(0).at(1).isValid());
    QCOMPARE(events.at(1).at(1), QVariant(true));

    // The checked button again: finished, but the value did not change.
    events.clear();
    box.buttons().at(0)->click();
    QCOMPARE(types(events), QStringList {"editing_finished"});

    // Onto the default: changed, and equal to the default.
    events.clear();
    box.buttons().at(1)->click();
    QCOMPARE(types(events), (QStringList {"editing_finished", "value_changed"}));
    QCOMPARE(events.at(1).at(1), QVariant(false));

    // A value set from outside and then clicked counts from the last report.
    events.clear();
    box.setAttr("value", "c");
    box.buttons().at(2)->click();
    QCOMPARE(types(events), (QStringList {"editing_finished", "value_changed"}));
}

void tst_TRadioBox::listenerMayRebuildOrDelete()
{
    // A listener rebuilding the buttons from inside a click.
    {
        TRadioBox box;
        box.setItemList(abc());
        connect(&box, &TRadioBox::signal, &box, [&box](const QString &type) {
            if (type == QLatin1String("editing_finished"))
                box.setItemList({"x", "y"});
        });
        QPointer<QAbstractButton> clicked = box.buttons().at(0);
        clicked->click();
        QCOMPARE(box.buttons().size(), 2);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(clicked.isNull());
        // The box keeps working afterwards.
        QSignalSpy events(&box, &TRadioBox::signal);
        box.disconnect(&box);
        box.buttons().at(1)->click();
        QCOMPARE(types(events), (QStringList {"editing_finished", "value_changed"}));
    }
    // A listener deleting the box.
    {
        QPointer<TRadioBox> box = new TRadioBox;
        box->setItemList(abc());
        connect(box.data(), &TRadioBox::signal, box.data(), [&box]() { delete box.data(); });
        box->buttons().at(0)->click();
        QVERIFY(box.isNull());
    }
}

void tst_TRadioBox::merge()
{
    TRadioBox first;
    first.setItemList({"a", "b"});
    auto *second = new TRadioBox;
    second->setItemList({"c"});
    QButtonGroup loose;
    QRadioButton d("d"), e("e");
    d.setObjectName("d");
    loose.addButton(&d);
    loose.addButton(&e);

    first.merge(second);
    first.merge(&loose);
    QRadioButton f;
    f.setObjectName("f");
    first.merge(&f);
    // Merged buttons join the group, not the grid or the list.
    QCOMPARE(first.buttons().size(), 2);
    QCOMPARE(first.buttonGroup()->buttons().size(), 1 + 2 + 2 + 2 + 1);

    QSignalSpy names(&first, &TRadioBox::currentNameChanged);
    QSignalSpy events(&first, &TRadioBox::signal);
    first.setCurrentName("a");
    second->buttons().at(0)->click();
    // One exclusive group: the merged button's check unchecks the own one.
    QVERIFY(!first.buttons().at(0)->isChecked());
    QCOMPARE(first.currentName(), QStringLiteral("c"));
    QCOMPARE(names.last().at(0), QVariant("c"));
    // Clicks of merged buttons are not reported.
    QCOMPARE(events.count(), 0);
    d.setChecked(true);
    QCOMPARE(first.currentName(), QStringLiteral("d"));

    // The other box goes; the merged buttons it owned go with it.
    delete second;
    QCOMPARE(first.buttonGroup()->buttons().size(), 1 + 2 + 2 + 1);
    first.setCurrentName("b");
    QCOMPARE(first.currentName(), QStringLiteral("b"));
}

void tst_TRadioBox::fromScript()
{
    TRadioBox box;
    QJSEngine engine;
    expose(engine, "box", &box);
    CONTROLS_EVAL(engine, "box.setAttr('item_list', [{name: 'a', text: 'A', data: {id: 1}}, 'b']);"
                          "box.setAttr('column_count', 1); box.setAttr('value', 'a');");
    QCOMPARE(box.buttons().size(), 2);
    QCOMPARE(box.currentName(), QStringLiteral("a"));
    QCOMPARE(box.currentUserData(), QVariant(QVariantMap {{"id", 1}}));
    QCOMPARE(CONTROLS_EVAL(engine, "box.getAttr('column_count')").toInt(), 1);
    QCOMPARE(CONTROLS_EVAL(engine, "box.getAttr()").toString(), QStringLiteral("a"));
}

QTEST_MAIN(tst_TRadioBox)
#include "tst_tradiobox.moc"
