#include "controlstest.h"
#include "teditablecombobox.h"

#include <QCompleter>
#include <QLineEdit>
#include <QPointer>
#include <QWheelEvent>

using controlstest::expose;
using controlstest::types;

namespace {

void wheel(QWidget *iTarget, int iNotches)
{
    const QPoint pos = iTarget->rect().center();
    QWheelEvent event(QPointF(pos), QPointF(iTarget->mapToGlobal(pos)), QPoint(), QPoint(0, -120 * iNotches),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(iTarget, &event);
}

void loseFocus(QWidget *iTarget)
{
    QFocusEvent event(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(iTarget, &event);
}

QStringList completions(QCompleter *iCompleter, const QString &iPrefix)
{
    iCompleter->setCompletionPrefix(iPrefix);
    QStringList result;
    for (int i = 0; iCompleter->setCurrentRow(i); ++i)
        result.append(iCompleter->currentCompletion());
    return result;
}

} // namespace

class tst_TEditableComboBox : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void newBox();
    void itemList();
    void valueAndIndex_data();
    void valueAndIndex();
    void wheel();
    void focusOut_data();
    void focusOut();
    void indexEventsWhenConnected();
    void fromScript();
};

void tst_TEditableComboBox::newBox()
{
    TEditableComboBox box;
    QVERIFY(box.isEditable());
    QCOMPARE(box.count(), 0);
    QVERIFY(!box.isWheelEnabled());
    QCOMPARE(box.getAttr("itemList"), QVariant(QStringList()));
    QCOMPARE(box.getAttr("index"), QVariant(-1));
}

void tst_TEditableComboBox::itemList()
{
    TEditableComboBox box;
    QSignalSpy lists(&box, &TEditableComboBox::itemListChanged);
    QSignalSpy indexes(&box, QOverload<int>::of(&QComboBox::currentIndexChanged));

    box.setAttr("item_list", QStringList {"apple", "apricot", "banana"});
    QCOMPARE(box.count(), 3);
    QCOMPARE(box.itemText(2), QStringLiteral("banana"));
    QCOMPARE(box.getAttr("itemList"), QVariant(QStringList {"apple", "apricot", "banana"}));
    // Written as "item_list", read as "itemList": the other spelling goes to the common reader.
    QVERIFY(!box.getAttr("item_list").isValid());
    QCOMPARE(lists.count(), 1);
    // Filled with the box's signals blocked.
    QCOMPARE(indexes.count(), 0);

    QPointer<QCompleter> first = box.completer();
    QVERIFY(first);
    QCOMPARE(completions(first, "ap"), (QStringList {"apple", "apricot"}));

    // A new list replaces items and completer, and the old completer is freed.
    box.setAttr("item_list", QVariantList {"cherry", "coconut"});
    QVERIFY(first.isNull());
    QCOMPARE(box.count(), 2);
    QCOMPARE(completions(box.completer(), "co"), QStringList {"coconut"});
    QCOMPARE(completions(box.completer(), "ap"), QStringList());
    QCOMPARE(lists.count(), 2);

    // An invalid value changes nothing.
    box.setAttr("item_list", QVariant());
    QCOMPARE(box.count(), 2);
    QCOMPARE(lists.count(), 2);
}

void tst_TEditableComboBox::valueAndIndex_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("index");

    QTest::newRow("index int") << "index" << QVariant(1) << "two" << 1;
    QTest::newRow("index unsigned") << "index" << QVariant(2u) << "three" << 2;
    QTest::newRow("index double ignored") << "index" << QVariant(1.0) << "one" << 0;
    QTest::newRow("index text ignored") << "index" << QVariant("1") << "one" << 0;
    // The edit text only: the current item stays.
    QTest::newRow("value item text") << "value" << QVariant("three") << "three" << 0;
    QTest::newRow("value free text") << "value" << QVariant("typed") << "typed" << 0;
    QTest::newRow("value number ignored") << "value" << QVariant(5) << "one" << 0;
}

void tst_TEditableComboBox::valueAndIndex()
{
    QFETCH(QString, key);
    QFETCH(QVariant, value);
    QFETCH(QString, text);
    QFETCH(int, index);

    TEditableComboBox box;
    box.setItemList({"one", "two", "three"});
    box.setCurrentIndex(0);
    box.setAttr(key, value);
    QCOMPARE(box.getAttr("value"), QVariant(text));
    QCOMPARE(box.getAttr("index"), QVariant(index));
}

void tst_TEditableComboBox::wheel()
{
    TEditableComboBox box;
    box.setItemList({"one", "two", "three"});
    box.setCurrentIndex(0);
    ::wheel(&box, 1);
    QCOMPARE(box.currentIndex(), 0);
    box.setWheelEnabled(true);
    ::wheel(&box, 1);
    QCOMPARE(box.currentIndex(), 1);
}

void tst_TEditableComboBox::focusOut_data()
{
    QTest::addColumn<QVariant>("defaultValue");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("changed");

    QTest::newRow("no default") << QVariant() << "typed" << true;
    QTest::newRow("no default, empty text") << QVariant() << "" << true;
    QTest::newRow("equal to default") << QVariant("typed") << "typed" << false;
    QTest::newRow("differs from default") << QVariant("other") << "typed" << true;
    QTest::newRow("default compared as text") << QVariant(12) << "12" << false;
}

void tst_TEditableComboBox::focusOut()
{
    QFETCH(QVariant, defaultValue);
    QFETCH(QString, text);
    QFETCH(bool, changed);

    TEditableComboBox box;
    box.setItemList({"one"});
    if (defaultValue.isValid())
        box.setDefault({{"value", defaultValue}});
    box.setAttr("value", text);
    QSignalSpy events(&box, &TEditableComboBox::signal);
    loseFocus(&box);
    QCOMPARE(types(events), (QStringList {"editing_finished", "value_changed"}));
    QVERIFY(!events.at(0).at(1).isValid());
    QCOMPARE(events.at(1).at(1), QVariant(changed));
    QCOMPARE(events.at(1).at(2), QVariant(QString()));
}

void tst_TEditableComboBox::indexEventsWhenConnected()
{
    TEditableComboBox box;
    box.setItemList({"one", "two"});
    QSignalSpy events(&box, &TEditableComboBox::signal);
    box.setCurrentIndex(1);
    QCOMPARE(events.count(), 0);

    // The protected slot reports once someone connects it by name.
    QVERIFY(QObject::connect(&box, SIGNAL(currentIndexChanged(int)), &box, SLOT(indexChanged(int))));
    box.setCurrentIndex(0);
    QCOMPARE(types(events), QStringList {"index_changed"});
    QCOMPARE(events.at(0).at(1), QVariant(0));
}

void tst_TEditableComboBox::fromScript()
{
    TEditableComboBox box;
    QJSEngine engine;
    expose(engine, "box", &box);
    CONTROLS_EVAL(engine, "box.setAttr('item_list', ['x', 'y', 'z']); box.setAttr('index', 2);");
    QCOMPARE(box.currentText(), QStringLiteral("z"));
    QCOMPARE(CONTROLS_EVAL(engine, "box.getAttr('itemList').length").toInt(), 3);
    QCOMPARE(CONTROLS_EVAL(engine, "box.getAttr()").toString(), QStringLiteral("z"));
}

QTEST_MAIN(tst_TEditableComboBox)
#include "tst_teditablecombobox.moc"
