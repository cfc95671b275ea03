// The chip entry: chips made by typing, removed by clicking and by Backspace.
#include "controlstest.h"
#include "tchips.h"

#include <QAbstractButton>
#include <QLayout>
#include <QLineEdit>
#include <QPointer>
#include <QtTest>

namespace {

// The box's own signals in order, as names.
class Recorder : public QObject
{
public:
    explicit Recorder(TChips *iChips)
    {
        connect(iChips, &TChips::valueChanged, this, [this] { names.append("valueChanged"); });
        connect(iChips, &TChips::editingFinished, this, [this] { names.append("editingFinished"); });
    }
    QStringList names;
};

void type(TChips &iChips, const QString &iText)
{
    QTest::keyClicks(iChips.lineEdit(), iText);
    QTest::keyClick(iChips.lineEdit(), Qt::Key_Return);
}

const QStringList bothSignals {"valueChanged", "editingFinished"};

} // namespace

class tst_TChips : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void typingMakesWholeChips_data();
    void typingMakesWholeChips();
    void emptyEntryAddsNothing();
    void closeButtonRemovesChip();
    void backspace();
    void removeChipByIndex_data();
    void removeChipByIndex();
    void valueKeyIsSilent();
    void boxGrowsWithRows();
    void valueKeyGrowsTheBox_data();
    void valueKeyGrowsTheBox();
    void chipHeight();
    void pressFocusesEntry();
    void listenerMayDeleteTheBox();
};

void tst_TChips::typingMakesWholeChips_data()
{
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QStringList>("chips");
    QTest::newRow("one") << QStringList {"FR4"} << QStringList {"FR4"};
    QTest::newRow("commas and blanks stay in one chip") << QStringList {" a, b c "} << QStringList {" a, b c "};
    QTest::newRow("duplicates") << QStringList {"x", "x"} << QStringList {"x", "x"};
    QTest::newRow("in order") << QStringList {"1", "2", "3"} << QStringList {"1", "2", "3"};
}

void tst_TChips::typingMakesWholeChips()
{
    QFETCH(QStringList, typed);
    QFETCH(QStringList, chips);
    TChips box;
    box.resize(300, 40);
    Recorder recorder(&box);
    for (const QString &text : typed)
        type(box, text);
    QCOMPARE(box.chips(), chips);
    QCOMPARE(box.getAttr("value"), QVariant(chips));
    QVERIFY(box.lineEdit()->text().isEmpty());
    QStringList expected;
    for (int i = 0; i < typed.size(); ++i)
        expected += bothSignals;
    QCOMPARE(recorder.names, expected);
    QCOMPARE(box.findChildren<ChipItem *>().size(), chips.size());
    QCOMPARE(box.findChildren<QLineEdit *>().size(), 1);
}

void tst_TChips::emptyEntryAddsNothing()
{
    TChips box;
    Recorder recorder(&box);
    QSignalSpy events(&box, &TChips::signal);
    QTest::keyClick(box.lineEdit(), Qt::Key_Return);
    box.addChip();
    QVERIFY(box.chips().isEmpty());
    QVERIFY(recorder.names.isEmpty());
    QVERIFY(events.isEmpty());
}

void tst_TChips::closeButtonRemovesChip()
{
    TChips box;
    box.resize(300, 40);
    box.setChips({"a", "b", "c"});
    Recorder recorder(&box);
    QPointer<ChipItem> b = box.findChildren<ChipItem *>().at(1);
    QCOMPARE(b->text(), QString("b"));
    b->closeButton()->click();
    QCOMPARE(box.chips(), QStringList({"a", "c"}));
    QCOMPARE(recorder.names, bothSignals);
    QVERIFY(b->isHidden());
    QVERIFY(!box.findChildren<ChipItem *>().contains(b.data()));
    QTRY_VERIFY(b.isNull()); // deleted once out of its own signal
}

void tst_TChips::backspace()
{
    TChips box;
    box.resize(300, 40);
    QLineEdit *entry = box.lineEdit();
    Recorder recorder(&box);

    QTest::keyClick(entry, Qt::Key_Backspace); // no chips: nothing
    QVERIFY(recorder.names.isEmpty());

    box.setChips({"a", "b"});
    QTest::keyClicks(entry, "xy");
    QTest::keyClick(entry, Qt::Key_Backspace);
    QCOMPARE(entry->text(), QString("x"));
    QCOMPARE(box.chips(), QStringList({"a", "b"}));
    // Erasing the last character empties the entry but keeps the chips.
    QTest::keyClick(entry, Qt::Key_Backspace);
    QVERIFY(entry->text().isEmpty());
    QCOMPARE(box.chips(), QStringList({"a", "b"}));
    QVERIFY(recorder.names.isEmpty());

    QTest::keyClick(entry, Qt::Key_Backspace);
    QCOMPARE(box.chips(), QStringList({"a"}));
    QCOMPARE(recorder.names, bothSignals);
    QTest::keyClick(entry, Qt::Key_Backspace);
    QVERIFY(box.chips().isEmpty());
    QTest::keyClick(entry, Qt::Key_Backspace);
    QCOMPARE(recorder.names, bothSignals + bothSignals);
}

void tst_TChips::removeChipByIndex_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QStringList>("left");
    QTest::newRow("first") << 0 << QStringList {"b", "c"};
    QTest::newRow("last") << 2 << QStringList {"a", "b"};
    QTest::newRow("past the end") << 3 << QStringList {"a", "b", "c"};
    QTest::newRow("negative") << -1 << QStringList {"a", "b", "c"};
}

void tst_TChips::removeChipByIndex()
{
    QFETCH(int, index);
    QFETCH(QStringList, left);
    TChips box;
    box.setChips({"a", "b", "c"});
    Recorder recorder(&box);
    box.removeChip(index);
    QCOMPARE(box.chips(), left);
    QCOMPARE(recorder.names, left.size() == 3 ? QStringList() : bothSignals);
}

void tst_TChips::valueKeyIsSilent()
{
    TChips box;
    Recorder recorder(&box);
    box.lineEdit()->setText("half typed");
    box.setAttr("value", QStringList {"p", "q"});
    QCOMPARE(box.chips(), QStringList({"p", "q"}));
    QVERIFY(box.lineEdit()->text().isEmpty());
    box.setAttr("value", QVariantList());
    QVERIFY(box.chips().isEmpty());
    QVERIFY(recorder.names.isEmpty());
    QCOMPARE(box.property("chips"), QVariant(QStringList()));

    QJSEngine engine;
    controlstest::expose(engine, "c", &box);
    const QJSValue r = CONTROLS_EVAL(engine, "c.setAttr('value', ['x', 'y z']); c.getAttr('value').join('|')");
    QCOMPARE(r.toString(), QString("x|y z"));
    QVERIFY(recorder.names.isEmpty());
}

void tst_TChips::boxGrowsWithRows()
{
    QWidget window;
    auto *box = new TChips(&window);
    box->resize(220, 40);
    window.resize(220, 300);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QWidget *content = box->widget();
    QCOMPARE(content->objectName(), QString("MainWidget"));
    QCOMPARE(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);

    const int oneRow = box->height();
    QCOMPARE(oneRow, content->height() + 6);
    type(*box, "short");
    QCOMPARE(box->height(), content->height() + 6);
    for (int i = 0; i < 4; ++i)
        type(*box, QString("a longer chip %1").arg(i));
    QTRY_VERIFY(box->height() > oneRow + 30);
    QCOMPARE(box->height(), content->height() + 6);
    // The entry always follows the last chip.
    const QList<ChipItem *> chips = box->findChildren<ChipItem *>();
    const QRect last = chips.last()->geometry();
    const QRect entry = box->lineEdit()->geometry();
    QVERIFY(entry.top() > last.top() || entry.left() > last.right());

    box->setChips({});
    QTRY_COMPARE(box->height(), oneRow);
}

// The UI loader fills the box through "value": all chips at once, with no
// later pass to correct the height, before or after the box is shown.
void tst_TChips::valueKeyGrowsTheBox_data()
{
    QTest::addColumn<bool>("setWhileShown");
    QTest::newRow("shown") << true;
    QTest::newRow("before show") << false;
}

void tst_TChips::valueKeyGrowsTheBox()
{
    QFETCH(bool, setWhileShown);
    QWidget window;
    auto *box = new TChips(&window);
    box->resize(300, 40);
    window.resize(300, 900);
    QStringList many;
    for (int i = 0; i < 20; ++i)
        many.append(QString("chip number %1").arg(i));

    if (setWhileShown) {
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }
    box->setAttr("value", many);
    if (!setWhileShown) {
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }
    QWidget *content = box->widget();
    const int needed = content->layout()->heightForWidth(content->width());
    QVERIFY2(needed > 30 * 5, qPrintable(QString::number(needed)));
    QCOMPARE(content->height(), needed);
    QCOMPARE(box->height(), needed + 6);
    // Once laid out, the entry after the last chip is inside the box.
    QTRY_COMPARE(box->lineEdit()->geometry().bottom(), needed - 1);
    QVERIFY(box->findChildren<ChipItem *>().last()->isVisible());

    box->setAttr("value", QStringList {"one"});
    QCOMPARE(box->height(), 30 + 6);
}

void tst_TChips::chipHeight()
{
    TChips box;
    box.setChips({"a"});
    QCOMPARE(box.lineEdit()->height(), 30);
    box.setChipHeight(22);
    QCOMPARE(box.lineEdit()->maximumHeight(), 22);
    QCOMPARE(box.findChild<ChipItem *>()->maximumHeight(), 22);
    box.setChips({"b"});
    QCOMPARE(box.findChildren<ChipItem *>().last()->maximumHeight(), 22);
}

void tst_TChips::pressFocusesEntry()
{
    TChips box;
    box.resize(300, 40);
    box.show();
    box.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&box));
    box.setFocus();
    QTest::mouseClick(box.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(290, 5));
    QTRY_VERIFY(box.lineEdit()->hasFocus());
}

void tst_TChips::listenerMayDeleteTheBox()
{
    QPointer<TChips> box = new TChips;
    box->setChips({"a"});
    connect(box.data(), &TChips::valueChanged, this, [&box] { delete box.data(); });
    box->findChild<ChipItem *>()->closeButton()->click();
    QVERIFY(box.isNull());

    QPointer<TChips> typed = new TChips;
    connect(typed.data(), &TChips::valueChanged, this, [&typed] { delete typed.data(); });
    typed->lineEdit()->setText("x");
    typed->addChip();
    QVERIFY(typed.isNull());
}

QTEST_MAIN(tst_TChips)
#include "tst_tchips.moc"
