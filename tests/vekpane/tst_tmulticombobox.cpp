#include "controlstest.h"
#include "tmulticombobox.h"
#include "ttooltip.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QToolButton>

using controlstest::expose;
using controlstest::types;

namespace {

QVariantMap item(const QString &iName, const QString &iText, const QVariant &iUserData = QVariant())
{
    return {{"name", iName}, {"text", iText}, {"icon", QString(":/no/" + iName + ".png")}, {"user_data", iUserData}};
}

QVariantList xyz() { return {item("x", "Ex", 1), item("y", "Why", 2), item("z", "Zed", 3)}; }

QListWidget *dropDown(TMultiComboBox &iBox) { return qobject_cast<QListWidget *>(iBox.view()); }

// Presses the row of the item at iRow, as a mouse press in the open list does.
void pressRow(TMultiComboBox &iBox, int iRow)
{
    QListWidget *list = dropDown(iBox);
    Q_EMIT list->itemPressed(list->item(iRow));
}

bool confirm(TMultiComboBox &iBox) { return QMetaObject::invokeMethod(dropDown(iBox), "ok"); }

} // namespace

class tst_TMultiComboBox : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void newBox();
    void rows();
    void formats_data();
    void formats();
    void parse_data();
    void parse();
    void userChoice();
    void okWithoutChange();
    void valueAndItemList();
    void rowKey();
    void arrowKeysDoNothing();
    void toolTip();
    void fromScript();
};

void tst_TMultiComboBox::newBox()
{
    TMultiComboBox box;
    QVERIFY(box.isEditable());
    QVERIFY(box.lineEdit()->isReadOnly());
    QCOMPARE(box.nameFormat(), QStringLiteral("A,B"));
    QCOMPARE(box.currentNames(), QStringList());
    QCOMPARE(box.getAttr("value"), QVariant(QString()));
    // Only the select-all row.
    QCOMPARE(dropDown(box)->count(), 1);
}

void tst_TMultiComboBox::rows()
{
    TMultiComboBox box;
    QSignalSpy lists(&box, &TMultiComboBox::itemListChanged);
    const QVariantList items {item("x", "Ex", 1), "not a map", QVariantHash {{"name", "h"}, {"text", "Hash"}}};
    box.setItemList(items);
    QCOMPARE(lists.count(), 1);
    QCOMPARE(box.itemList(), items);
    QCOMPARE(box.getAttr("item_list"), QVariant(items));
    QListWidget *list = dropDown(box);
    // One row per map, then the header row with its check box, label and button.
    QCOMPARE(list->count(), 3);
    QCOMPARE(list->item(0)->text(), QStringLiteral("Ex"));
    QCOMPARE(list->item(0)->data(Qt::UserRole), QVariant(1));
    QCOMPARE(list->item(0)->checkState(), Qt::Unchecked);
    QVERIFY(!(list->item(0)->flags() & Qt::ItemIsSelectable));
    QCOMPARE(list->item(1)->text(), QStringLiteral("Hash"));
    QCOMPARE(list->item(2)->flags(), Qt::NoItemFlags);
    QWidget *header = list->itemWidget(list->item(2));
    QVERIFY(header);
    QVERIFY(header->findChild<QCheckBox *>());
    QCOMPARE(header->findChild<QLabel *>()->text(), QStringLiteral("All"));
    QVERIFY(header->findChild<QToolButton *>());

    // Names map to the right rows although one entry has none.
    box.setCurrentNames({"h"});
    QCOMPARE(box.currentNames(), QStringList {"h"});
    QVERIFY(list->item(1)->checkState() == Qt::Checked);
}

void tst_TMultiComboBox::formats_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QStringList>("chosen");
    QTest::addColumn<QString>("text");

    QTest::newRow("A,B") << "A,B" << QStringList {"z", "x"} << "x,z";
    QTest::newRow("A,B none") << "A,B" << QStringList() << "";
    QTest::newRow("A;B") << "A;B" << QStringList {"x", "y"} << "x;y";
    QTest::newRow("|A|B| in item order") << "|A|B|" << QStringList {"z", "x"} << "|x|z|";
    QTest::newRow("|A|B| none") << "|A|B|" << QStringList() << "";
    QTest::newRow("JSON") << "JSON" << QStringList {"x", "y"} << R"(["x","y"])";
    QTest::newRow("json any case") << "json" << QStringList {"y"} << R"(["y"])";
    QTest::newRow("JSON none") << "JSON" << QStringList() << "";
    QTest::newRow("(A)(B)") << "(A)(B)" << QStringList {"y", "x"} << "(x)(y)";
    QTest::newRow("unknown format") << "A|B" << QStringList {"x"} << "";
}

void tst_TMultiComboBox::formats()
{
    QFETCH(QString, format);
    QFETCH(QStringList, chosen);
    QFETCH(QString, text);

    TMultiComboBox box;
    box.setItemList(xyz());
    box.setAttr("name_format", format);
    box.setCurrentNames(chosen);
    QCOMPARE(box.currentName(), text);
    QCOMPARE(box.getAttr("value"), QVariant(text));
    // "name_format" is written only.
    QVERIFY(!box.getAttr("name_format").isValid());
}

void tst_TMultiComboBox::parse_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("names");

    QTest::newRow("A,B") << "A,B"
                         << "y,,x" << QStringList {"x", "y"};
    QTest::newRow("A,B unknown name ignored") << "A,B"
                                              << "q,z" << QStringList {"z"};
    QTest::newRow("A;B") << "A;B"
                         << "z;y" << QStringList {"y", "z"};
    QTest::newRow("|A|B| empty parts dropped") << "|A|B|"
                                               << "|z||x|" << QStringList {"x", "z"};
    QTest::newRow("JSON") << "JSON"
                          << R"(["x","y"])" << QStringList {"x", "y"};
    QTest::newRow("JSON blank keeps the quote") << "JSON"
                                                << R"(["x", "y"])" << QStringList {"x"};
    QTest::newRow("(A)(B)") << "(A)(B)"
                            << "(z)(y)" << QStringList {"y", "z"};
    QTest::newRow("unknown format clears") << "A B"
                                           << "x y" << QStringList();
}

void tst_TMultiComboBox::parse()
{
    QFETCH(QString, format);
    QFETCH(QString, text);
    QFETCH(QStringList, names);

    TMultiComboBox box;
    box.setItemList(xyz());
    box.setCurrentNames({"x", "y", "z"});
    box.setNameFormat(format);
    box.setAttr("value", text);
    QCOMPARE(box.currentNames(), names);
    QCOMPARE(box.getAttr("current_names"), QVariant(names));
}

void tst_TMultiComboBox::userChoice()
{
    TMultiComboBox box;
    box.setItemList(xyz());
    QSignalSpy names(&box, &TMultiComboBox::currentNamesChanged);

    // Interim presses show in the field, but do not change the choice yet.
    pressRow(box, 2);
    pressRow(box, 0);
    QCOMPARE(box.lineEdit()->text(), QStringLiteral("Ex,Zed"));
    QCOMPARE(box.currentNames(), QStringList());
    QCOMPARE(names.count(), 0);
    pressRow(box, 0);
    pressRow(box, 0);

    QVERIFY(confirm(box));
    QCOMPARE(box.currentNames(), (QStringList {"x", "z"}));
    QCOMPARE(names.count(), 1);
    QCOMPARE(names.at(0).at(0), QVariant(QStringList {"x", "z"}));
    QCOMPARE(box.lineEdit()->text(), QStringLiteral("Ex,Zed"));
    QCOMPARE(box.currentUserDatas(), (QVariantList {1, 3}));
    QCOMPARE(box.currentIcons().size(), 2);

    // The select-all box of the header row.
    QCheckBox *all = dropDown(box)->itemWidget(dropDown(box)->item(3))->findChild<QCheckBox *>();
    QVERIFY(!all->isChecked());
    all->click();
    QVERIFY(all->isChecked());
    QVERIFY(confirm(box));
    QCOMPARE(box.currentNames(), (QStringList {"x", "y", "z"}));
    box.select("y", false);
    QVERIFY(!all->isChecked());

    // The header row is no item: pressing it toggles nothing.
    pressRow(box, 3);
    QCOMPARE(dropDown(box)->item(1)->checkState(), Qt::Unchecked);

    // Hiding the drop-down confirms the checks.
    box.showPopup();
    pressRow(box, 0);
    box.hidePopup();
    QCOMPARE(box.currentNames(), (QStringList {"y", "z"}));
}

void tst_TMultiComboBox::okWithoutChange()
{
    TMultiComboBox box;
    box.setItemList(xyz());
    box.setCurrentNames({"y"});
    QSignalSpy names(&box, &TMultiComboBox::currentNamesChanged);
    QSignalSpy finished(dropDown(box), SIGNAL(finish()));
    QVERIFY(confirm(box));
    QCOMPARE(names.count(), 0);
    QCOMPARE(finished.count(), 0);
}

void tst_TMultiComboBox::valueAndItemList()
{
    TMultiComboBox box;
    box.setItemList(xyz());
    QSignalSpy names(&box, &TMultiComboBox::currentNamesChanged);
    box.setAttr("value", "x,y");
    QCOMPARE(names.count(), 1);
    // The same string again: nothing.
    box.setAttr("value", "x,y");
    box.setAttr("current_names", QStringList {"y", "x"});
    QCOMPARE(names.count(), 1);

    // A new item list clears the choice and says so.
    box.setAttr("item_list", xyz());
    QCOMPARE(names.count(), 2);
    QCOMPARE(names.last().at(0), QVariant(QStringList()));
    QCOMPARE(box.currentNames(), QStringList());
    QCOMPARE(box.currentIndex(), -1);
    // With nothing chosen, a new list announces nothing.
    box.setItemList(xyz());
    QCOMPARE(names.count(), 2);
}

void tst_TMultiComboBox::rowKey()
{
    TMultiComboBox box;
    box.setItemList(xyz());
    QVERIFY(!box.getAttr("row").isValid());
    box.setCurrentIndex(1);
    QCOMPARE(box.getAttr("row"), QVariant(item("y", "Why", 2)));
    QCOMPARE(box.getAttr("row", "name"), QVariant("y"));
    QCOMPARE(box.getAttr("row", "icon"), QVariant(":/no/y.png"));
    QCOMPARE(box.getAttr("row", "user_data"), QVariant(2));
    QVERIFY(!box.getAttr("row", "text").isValid());
}

void tst_TMultiComboBox::arrowKeysDoNothing()
{
    TMultiComboBox box;
    box.setItemList(xyz());
    QTest::keyClick(&box, Qt::Key_Down);
    QTest::keyClick(&box, Qt::Key_Down);
    QTest::keyClick(&box, Qt::Key_Up);
    QCOMPARE(box.currentIndex(), -1);
    QCOMPARE(box.currentNames(), QStringList());
}

void tst_TMultiComboBox::toolTip()
{
    TMultiComboBox box;
    box.setItemList({item("a", "<b>A&B</b>"), item("c", "C")});
    auto *tip = box.findChild<TToolTip *>();
    QVERIFY(tip);
    QEvent enter(QEvent::Enter);
    QEvent leave(QEvent::Leave);

    // Nothing chosen: no tip.
    QApplication::sendEvent(box.lineEdit(), &enter);
    QVERIFY(!tip->isVisible());

    box.setCurrentNames({"a", "c"});
    QApplication::sendEvent(box.lineEdit(), &enter);
    const QString size = QString::number(tip->fontSize());
    QCOMPARE(tip->text(), QStringLiteral("<table><tr><td><img src=\":/no/a.png\" width=\"%1\" height=\"%1\">"
                                         "&lt;b&gt;A&amp;B&lt;/b&gt;</td><td>, </td>"
                                         "<td><img src=\":/no/c.png\" width=\"%1\" height=\"%1\">C</td>"
                                         "</tr></table>")
                                  .arg(size));
    QVERIFY(tip->isVisible());
    QCOMPARE(tip->pos(), box.mapToGlobal(QPoint(0, 0)) - QPoint(0, 40));
    QApplication::sendEvent(box.lineEdit(), &leave);
    QVERIFY(!tip->isVisible());
}

void tst_TMultiComboBox::fromScript()
{
    TMultiComboBox box;
    QJSEngine engine;
    expose(engine, "box", &box);
    CONTROLS_EVAL(engine, "box.setAttr('item_list', [{name: 'p', text: 'P'}, {name: 'q', text: 'Q'}]);"
                          "box.setAttr('name_format', '|A|B|'); box.setAttr('value', '|q|p|');");
    QCOMPARE(box.currentNames(), (QStringList {"p", "q"}));
    QCOMPARE(CONTROLS_EVAL(engine, "box.getAttr()").toString(), QStringLiteral("|p|q|"));
}

QTEST_MAIN(tst_TMultiComboBox)
#include "tst_tmulticombobox.moc"
