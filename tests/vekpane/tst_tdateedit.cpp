#include "choosertest.h"
#include "controlstest.h"
#include "tdateedit.h"

#include <QPointer>

using choosertest::shownParts;
using choosertest::turnWheel;
using choosertest::withPopup;
using controlstest::expose;

class tst_TDateEdit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initialState();
    void typing_data();
    void typing();
    void boundsMoveTheValueAndTheCalendar();
    void wheel_data();
    void wheel();
    void wheelAfterAListenerShortenedTheFormat();
    void chooserClickConfirms();
    void fromScript();
    void editorOwnsItsChooser();
};

void tst_TDateEdit::initialState()
{
    TDateEdit edit;
    QVERIFY(edit.text().isEmpty());
    QVERIFY(edit.date().isNull());
    QCOMPARE(edit.minimumDateString(), QStringLiteral("1900-01-01"));
    QCOMPARE(edit.maximumDateString(), QStringLiteral("2100-12-31"));
    QCOMPARE(edit.displayFormat(), QStringLiteral("yyyy-MM-dd"));
    QCOMPARE(edit.metaObject()->userProperty().name(), "date");
    TDateEdit early(QDate(1850, 1, 1));
    QCOMPARE(early.date(), QDate(1900, 1, 1));
    // A stored date is shown in the display format.
    QCOMPARE(early.text(), QStringLiteral("1900-01-01"));
    early.setDisplayFormat("dd.MM.yyyy");
    QCOMPARE(early.text(), QStringLiteral("01.01.1900"));
}

void tst_TDateEdit::typing_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QDate>("value");
    QTest::addColumn<int>("changes");

    QTest::newRow("valid") << "2024-06-01"
                           << "2024-06-01" << QDate(2024, 6, 1) << 1;
    QTest::newRow("no such day stays as typed") << "2024-02-30"
                                                << "2024-02-30" << QDate(2024, 3, 5) << 0;
    QTest::newRow("below the range") << "1800-01-01"
                                     << "1900-01-01" << QDate(1900, 1, 1) << 1;
    QTest::newRow("above the range") << "3000-01-01"
                                     << "2100-12-31" << QDate(2100, 12, 31) << 1;
    QTest::newRow("unchanged") << "2024-03-05"
                               << "2024-03-05" << QDate(2024, 3, 5) << 0;
}

void tst_TDateEdit::typing()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QDate, value);
    QFETCH(int, changes);
    TDateEdit edit(QDate(2024, 3, 5));
    QSignalSpy changed(&edit, &TDateEdit::dateChanged);
    QSignalSpy changedToo(&edit, &TDateEdit::DateChanged);
    edit.selectAll();
    QTest::keyClicks(&edit, typed);
    QTest::keyClick(&edit, Qt::Key_Return);
    QCOMPARE(edit.text(), shown);
    QCOMPARE(edit.date(), value);
    QCOMPARE(edit.dateString(), value.toString("yyyy-MM-dd"));
    QCOMPARE(changed.count(), changes);
    QCOMPARE(changedToo.count(), changes);
    if (changes)
        QCOMPARE(changed.at(0).at(0).toDate(), value);
}

void tst_TDateEdit::boundsMoveTheValueAndTheCalendar()
{
    TDateEdit edit(QDate(2024, 3, 5));
    QSignalSpy changed(&edit, &TDateEdit::dateChanged);
    QCalendarWidget *calendar = edit.calendarWidget();
    edit.setMinimumDate(QDate(2024, 4, 1));
    QCOMPARE(edit.text(), QStringLiteral("2024-04-01"));
    QCOMPARE(calendar->minimumDate(), QDate(2024, 4, 1));
    edit.setMaximumDateString("2024-03-31");
    QCOMPARE(edit.text(), QStringLiteral("2024-03-31"));
    QCOMPARE(calendar->maximumDate(), QDate(2024, 3, 31));
    QCOMPARE(changed.count(), 2);
    edit.setDateRange(QDate(2020, 1, 1), QDate(2020, 12, 31));
    QCOMPARE(edit.date(), QDate(2020, 12, 31));
    QCOMPARE(calendar->minimumDate(), QDate(2020, 1, 1));

    // Text that does not parse leaves a bound alone.
    edit.setMinimumDateString("2020-02-30");
    edit.setMaximumDateString("");
    QCOMPARE(edit.minimumDate(), QDate(2020, 1, 1));
    QCOMPARE(edit.maximumDate(), QDate(2020, 12, 31));

    // Clearing a bound frees the calendar too.
    edit.clearMinimumDate();
    edit.clearMaximumDate();
    QCOMPARE(edit.minimumDateString(), QStringLiteral("1900-01-01"));
    QCOMPARE(calendar->minimumDate(), QDate(1900, 1, 1));
    QCOMPARE(calendar->maximumDate(), QDate(2100, 12, 31));
    edit.setDateString("2050-06-06");
    QCOMPARE(edit.date(), QDate(2050, 6, 6));

    // An empty field has no value to move.
    TDateEdit empty;
    empty.setMinimumDate(QDate(2030, 1, 1));
    QVERIFY(empty.text().isEmpty());
}

void tst_TDateEdit::wheel_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<int>("delta");
    QTest::addColumn<QString>("result");

    QTest::newRow("year") << "yyyy-MM-dd" << 0 << 120 << "2025-01-31";
    QTest::newRow("month to a shorter month") << "yyyy-MM-dd" << 7 << 120 << "2024-02-29";
    QTest::newRow("day down") << "yyyy-MM-dd" << 10 << -120 << "2024-01-30";
    QTest::newRow("any turn steps once") << "yyyy-MM-dd" << 2 << 120 * 100 << "2025-01-31";
}

void tst_TDateEdit::wheel()
{
    QFETCH(QString, format);
    QFETCH(int, cursor);
    QFETCH(int, delta);
    QFETCH(QString, result);
    TDateEdit edit;
    edit.setDisplayFormat(format);
    edit.setDate(QDate(2024, 1, 31));
    edit.setWheelEnabled(true);
    turnWheel(&edit, cursor, delta);
    QCOMPARE(edit.text(), result);

    edit.setMaximumDate(QDate(2024, 3, 1));
    edit.setDate(QDate(2024, 2, 15));
    turnWheel(&edit, 2, 120);
    QCOMPARE(edit.date(), QDate(2024, 3, 1));
}

void tst_TDateEdit::wheelAfterAListenerShortenedTheFormat()
{
    // The wheel reads the typed text first; a listener of that store gives a
    // format too short for the field under the cursor, which then steps nothing.
    TDateEdit edit(QDate(2024, 1, 31));
    edit.setWheelEnabled(true);
    connect(&edit, &TDateEdit::dateChanged, &edit, [&edit] { edit.setDisplayFormat(QStringLiteral("yyyy")); });
    edit.setText(QStringLiteral("2024-05-06"));
    turnWheel(&edit, 10, 120);
    QCOMPARE(edit.date(), QDate(2024, 5, 6));
    QCOMPARE(edit.text(), QStringLiteral("2024"));
}

void tst_TDateEdit::chooserClickConfirms()
{
    TDateEdit edit(QDate(2024, 3, 5));
    edit.show();
    QSignalSpy changed(&edit, &TDateEdit::dateChanged);
    QString shown;
    QDate preselected;
    QVERIFY(withPopup(&edit, [&](QMenu *popup) {
        shown = shownParts(popup);
        preselected = edit.calendarWidget()->selectedDate();
        QVERIFY(choosertest::clickDay(edit.calendarWidget(), 19));
        QVERIFY(!popup->isVisible());
    }));
    QCOMPARE(shown, QStringLiteral("calendar"));
    QCOMPARE(preselected, QDate(2024, 3, 5));
    QCOMPARE(edit.text(), QStringLiteral("2024-03-19"));
    QCOMPARE(changed.count(), 1);

    // The chosen day is clamped like a typed one.
    edit.setMaximumDate(QDate(2024, 3, 10));
    edit.calendarWidget()->setMaximumDate(QDate(2024, 3, 31));
    QVERIFY(withPopup(&edit, [&](QMenu *) { QVERIFY(choosertest::clickDay(edit.calendarWidget(), 20)); }));
    QCOMPARE(edit.text(), QStringLiteral("2024-03-10"));
}

void tst_TDateEdit::fromScript()
{
    TDateEdit edit;
    QJSEngine engine;
    expose(engine, "edit", &edit);
    const QJSValue result = CONTROLS_EVAL(engine, "var seen = [];"
                                                  "edit.dateChanged.connect(function (v) { seen.push(v.getDate()); });"
                                                  "edit.setMinimumDateString('2024-01-10');"
                                                  "edit.setDateString('2024-01-01');"
                                                  "edit.set('value', '2024-01-20');"
                                                  "[seen.join(','), edit.get('value')].join('|')");
    QCOMPARE(result.toString(), QStringLiteral("10|2024-01-20"));
    QCOMPARE(edit.dateString(), QStringLiteral("2024-01-10"));
    // The text put in through the interface is read back on Enter.
    QTest::keyClick(&edit, Qt::Key_Return);
    QCOMPARE(edit.date(), QDate(2024, 1, 20));
}

void tst_TDateEdit::editorOwnsItsChooser()
{
    auto *edit = new TDateEdit;
    QPointer<QWidget> popup = edit->calendarWidget()->window();
    QVERIFY(popup && !popup->parent());
    delete edit;
    QVERIFY(popup.isNull());
}

QTEST_MAIN(tst_TDateEdit)
#include "tst_tdateedit.moc"
