#include "choosertest.h"
#include "controlstest.h"
#include "tdatetimeedit.h"

#include <QPointer>

#include <memory>

using choosertest::shownParts;
using choosertest::timeBoxes;
using choosertest::turnWheel;
using choosertest::withPopup;
using controlstest::expose;
using controlstest::types;

namespace {

const QString format = QStringLiteral("yyyy-MM-dd hh:mm:ss");

QDateTime at(const QString &iText) { return QDateTime::fromString(iText, format); }

// Records the change signals as "kind:value" lines.
std::shared_ptr<QStringList> record(TDateTimeEdit *iEdit, QObject *iContext)
{
    auto seen = std::make_shared<QStringList>();
    QObject::connect(iEdit, &TDateTimeEdit::dateTimeChanged, iContext,
                     [seen](const QDateTime &v) { *seen << "dateTime:" + v.toString(format); });
    QObject::connect(iEdit, &TDateTimeEdit::dateChanged, iContext,
                     [seen](const QDate &v) { *seen << "date:" + v.toString("yyyy-MM-dd"); });
    QObject::connect(iEdit, &TDateTimeEdit::timeChanged, iContext,
                     [seen](const QTime &v) { *seen << "time:" + v.toString("hh:mm:ss"); });
    return seen;
}

} // namespace

class tst_TDateTimeEdit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initialState();
    void typing_data();
    void typing();
    void clearedTextReadsNull();
    void focusLossCommitsBeforeTheFieldReports();
    void setters();
    void boundsAndFormat();
    void wheel_data();
    void wheel();
    void wheelReadsTextSetThroughTheInterface();
    void attributes();
    void fromScript();
    void chooser_data();
    void chooser();
    void chooserSteps();
    void chooserCancelKeepsReReadValue();
    void editorOwnsItsChooser();
    void listenerMayDeleteTheEditorFromThePopup();
};

void tst_TDateTimeEdit::initialState()
{
    TDateTimeEdit edit;
    QVERIFY(edit.text().isEmpty());
    QVERIFY(edit.dateTime().isNull());
    QCOMPARE(edit.minimumDateTimeString(), QStringLiteral("1900-01-01 00:00:00"));
    QCOMPARE(edit.maximumDateTimeString(), QStringLiteral("2100-12-31 23:59:59"));
    QCOMPARE(edit.displayFormat(), format);
    QVERIFY(!edit.isWheelEnabled());
    QVERIFY(edit.calendarPopup());
    edit.setCalendarPopup(false);
    QVERIFY(!choosertest::calendarButton(&edit)->isEnabled());
    QCOMPARE(edit.metaObject()->userProperty().name(), "dateTime");

    TDateTimeEdit fromDate(QDate(2024, 5, 6));
    QCOMPARE(fromDate.text(), QStringLiteral("2024-05-06 00:00:00"));
    TDateTimeEdit fromTime(QTime(7, 8, 9));
    QCOMPARE(fromTime.time(), QTime(7, 8, 9));
    TDateTimeEdit belowRange(at("1850-01-01 10:00:00"));
    QCOMPARE(belowRange.text(), QStringLiteral("1900-01-01 00:00:00"));
}

void tst_TDateTimeEdit::typing_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QStringList>("signals");

    QTest::newRow("valid") << "2024-06-01 08:30:00"
                           << "2024-06-01 08:30:00"
                           << QStringList {"dateTime:2024-06-01 08:30:00", "date:2024-06-01", "time:08:30:00"};
    QTest::newRow("same day, new time") << "2024-03-05 11:00:00"
                                        << "2024-03-05 11:00:00"
                                        << QStringList {"dateTime:2024-03-05 11:00:00", "time:11:00:00"};
    QTest::newRow("no such day restores") << "2024-02-30 10:00:00"
                                          << "2024-03-05 10:00:00" << QStringList {};
    QTest::newRow("not a date restores") << "soon"
                                         << "2024-03-05 10:00:00" << QStringList {};
    QTest::newRow("below the range") << "1800-01-01 00:00:00"
                                     << "1900-01-01 00:00:00"
                                     << QStringList {"dateTime:1900-01-01 00:00:00", "date:1900-01-01",
                                                     "time:00:00:00"};
    QTest::newRow("above the range") << "2200-01-01 12:00:00"
                                     << "2100-12-31 23:59:59"
                                     << QStringList {"dateTime:2100-12-31 23:59:59", "date:2100-12-31",
                                                     "time:23:59:59"};
    QTest::newRow("unchanged") << "2024-03-05 10:00:00"
                               << "2024-03-05 10:00:00" << QStringList {};
}

void tst_TDateTimeEdit::typing()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QStringList, signals);
    TDateTimeEdit edit(at("2024-03-05 10:00:00"));
    std::shared_ptr<QStringList> seen = record(&edit, this);
    edit.clear(); // does nothing: the text stays
    QCOMPARE(edit.text(), QStringLiteral("2024-03-05 10:00:00"));
    edit.selectAll();
    QTest::keyClicks(&edit, typed);
    QTest::keyClick(&edit, Qt::Key_Return);
    QCOMPARE(edit.text(), shown);
    QCOMPARE(edit.dateTime(), at(shown));
    QCOMPARE(*seen, signals);
}

void tst_TDateTimeEdit::clearedTextReadsNull()
{
    TDateTimeEdit edit(at("2024-03-05 10:00:00"));
    QSignalSpy changed(&edit, &TDateTimeEdit::dateTimeChanged);
    edit.selectAll();
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QTest::keyClick(&edit, Qt::Key_Return);
    QVERIFY(edit.text().isEmpty());
    QVERIFY(edit.date().isNull());
    QVERIFY(!edit.time().isValid());
    QVERIFY(edit.dateTime().isNull());
    QCOMPARE(changed.count(), 0);
    // The stored value is still there.
    QCOMPARE(edit.getAttr("value"), QVariant("2024-03-05 10:00:00"));
}

void tst_TDateTimeEdit::focusLossCommitsBeforeTheFieldReports()
{
    TDateTimeEdit edit(at("2024-03-05 10:00:00"));
    QSignalSpy events(&edit, SIGNAL(signal(QString, QVariant, QString)));
    edit.selectAll();
    QTest::keyClicks(&edit, "1700-01-01 00:00:00");
    QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(&edit, &focusOut);
    QCOMPARE(edit.text(), QStringLiteral("1900-01-01 00:00:00"));
    QCOMPARE(types(events), (QStringList {"value_changed", "editing_finished"}));
    QCOMPARE(events.at(0).at(1).toMap().value("new"), QVariant("1900-01-01 00:00:00"));
}

void tst_TDateTimeEdit::setters()
{
    TDateTimeEdit edit;
    std::shared_ptr<QStringList> seen = record(&edit, this);
    edit.setDate(QDate(2024, 1, 2));
    QCOMPARE(edit.text(), QStringLiteral("2024-01-02 00:00:00"));
    edit.setTime(QTime(13, 14, 15));
    edit.setTime(QTime(13, 14, 15));
    edit.setDateTime(at("2024-01-02 13:14:15"));
    edit.setDateTimeString("2025-01-02 13:14:15");
    QCOMPARE(*seen, (QStringList {"dateTime:2024-01-02 00:00:00", "date:2024-01-02", "dateTime:2024-01-02 13:14:15",
                                  "time:13:14:15", "dateTime:2025-01-02 13:14:15", "date:2025-01-02"}));

    // Date and time alone are clamped into the bounds' parts.
    edit.setMinimumDateTime(at("2020-01-01 08:00:00"));
    edit.setMaximumDateTime(at("2030-01-01 18:00:00"));
    edit.setDate(QDate(2019, 5, 5));
    QCOMPARE(edit.text(), QStringLiteral("2020-01-01 13:14:15"));
    edit.setTime(QTime(20, 0));
    QCOMPARE(edit.text(), QStringLiteral("2020-01-01 18:00:00"));

    // A string that does not parse empties the editor.
    seen->clear();
    edit.setDateTimeString("later");
    QVERIFY(edit.text().isEmpty());
    QCOMPARE(*seen, (QStringList {"dateTime:", "date:", "time:"}));
    // A time alone starts on the first day the range allows from 2000-01-01.
    edit.setTime(QTime(9, 0));
    QCOMPARE(edit.text(), QStringLiteral("2020-01-01 09:00:00"));
}

void tst_TDateTimeEdit::boundsAndFormat()
{
    TDateTimeEdit edit(at("2024-03-05 10:00:00"));
    // No bound setter moves the value.
    edit.setDateTimeRange(at("2025-01-01 00:00:00"), at("2026-01-01 00:00:00"));
    QCOMPARE(edit.text(), QStringLiteral("2024-03-05 10:00:00"));
    edit.setMinimumDate(QDate(2024, 1, 1));
    edit.setMinimumTime(QTime(6, 0));
    edit.setMaximumDate(QDate(2024, 12, 31));
    edit.setMaximumTime(QTime(20, 0));
    QCOMPARE(edit.minimumDateTime(), at("2024-01-01 06:00:00"));
    QCOMPARE(edit.maximumDateTime(), at("2024-12-31 20:00:00"));
    edit.setDateRange(QDate(2023, 1, 1), QDate(2023, 6, 1));
    edit.setTimeRange(QTime(1, 0), QTime(2, 0));
    QCOMPARE(edit.minimumDateTimeString(), QStringLiteral("2023-01-01 01:00:00"));
    QCOMPARE(edit.maximumDateTimeString(), QStringLiteral("2023-06-01 02:00:00"));
    edit.clearMinimumDate();
    edit.clearMaximumTime();
    QCOMPARE(edit.minimumDateTimeString(), QStringLiteral("1900-01-01 01:00:00"));
    QCOMPARE(edit.maximumDateTimeString(), QStringLiteral("2023-06-01 23:59:59"));
    edit.clearMinimumDateTime();
    edit.clearMaximumDateTime();
    QCOMPARE(edit.property("minimumDateTime"), QVariant(at("1900-01-01 00:00:00")));
    QCOMPARE(edit.property("maximumDateTime"), QVariant(at("2100-12-31 23:59:59")));

    // Bound text that does not parse leaves the bound alone.
    edit.setMinimumDateTimeString("2000-13-01 00:00:00");
    edit.setMaximumDateTimeString("");
    QCOMPARE(edit.minimumDateTimeString(), QStringLiteral("1900-01-01 00:00:00"));
    QCOMPARE(edit.maximumDateTimeString(), QStringLiteral("2100-12-31 23:59:59"));
    // An invalid bound does not bound.
    edit.setMaximumDateTime(QDateTime());
    edit.setDateTimeString("2222-02-02 00:00:00");
    QCOMPARE(edit.text(), QStringLiteral("2222-02-02 00:00:00"));

    edit.setDisplayFormat("dd.MM.yyyy hh:mm");
    QCOMPARE(edit.text(), QStringLiteral("02.02.2222 00:00"));
    QCOMPARE(edit.dateTimeString(), QStringLiteral("02.02.2222 00:00"));
    edit.setTimeSpec(Qt::UTC);
    QCOMPARE(edit.timeSpec(), Qt::UTC);
    QCOMPARE(edit.dateTime().timeSpec(), Qt::UTC);
}

void tst_TDateTimeEdit::wheel_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<int>("delta");
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("cursorAfter");

    QTest::newRow("month after its digits, to a shorter month")
            << "2024-01-31 10:00:00" << 7 << 120 << "2024-02-29 10:00:00" << 7;
    QTest::newRow("cursor 0 steps the year") << "2024-01-31 10:00:00" << 0 << 120 << "2025-01-31 10:00:00" << 1;
    QTest::newRow("just after the year digits") << "2024-01-31 10:00:00" << 4 << -120 << "2023-01-31 10:00:00" << 4;
    QTest::newRow("after a separator: the field after it")
            << "2024-01-31 10:00:00" << 5 << -120 << "2023-12-31 10:00:00" << 6;
    QTest::newRow("day down") << "2024-03-01 10:00:00" << 10 << -120 << "2024-02-29 10:00:00" << 10;
    QTest::newRow("hour down rolls the date") << "2024-03-01 00:30:00" << 13 << -120 << "2024-02-29 23:30:00" << 13;
    QTest::newRow("minute up") << "2024-03-01 00:59:00" << 16 << 120 << "2024-03-01 01:00:00" << 16;
    QTest::newRow("second at the maximum stays") << "2100-12-31 23:59:59" << 19 << 120 << "2100-12-31 23:59:59" << 19;
    QTest::newRow("year below the minimum lands on it")
            << "1900-06-01 00:00:00" << 2 << -120 << "1900-01-01 00:00:00" << 2;
    QTest::newRow("zero delta") << "2024-01-31 10:00:00" << 7 << 0 << "2024-01-31 10:00:00" << 7;
}

void tst_TDateTimeEdit::wheel()
{
    QFETCH(QString, start);
    QFETCH(int, cursor);
    QFETCH(int, delta);
    QFETCH(QString, result);
    QFETCH(int, cursorAfter);
    TDateTimeEdit edit(at(start));
    turnWheel(&edit, cursor, delta);
    QCOMPARE(edit.text(), start);

    edit.setWheelEnabled(true);
    QVERIFY(edit.property("wheelEnabled").toBool());
    turnWheel(&edit, cursor, delta);
    QCOMPARE(edit.text(), result);
    QCOMPARE(edit.cursorPosition(), cursorAfter);
}

void tst_TDateTimeEdit::wheelReadsTextSetThroughTheInterface()
{
    TDateTimeEdit edit(at("2020-05-05 05:05:05"));
    edit.setWheelEnabled(true);
    edit.set("value", "2024-01-01 00:00:00");
    turnWheel(&edit, 2, 120);
    QCOMPARE(edit.text(), QStringLiteral("2025-01-01 00:00:00"));
    // An empty field has nothing to step.
    edit.set("value", "");
    turnWheel(&edit, 0, 120);
    QVERIFY(edit.text().isEmpty());
}

void tst_TDateTimeEdit::attributes()
{
    TDateTimeEdit edit;
    edit.setAttr("value", "2024-03-05 10:00:00");
    QCOMPARE(edit.getAttr("value"), QVariant("2024-03-05 10:00:00"));
    edit.setAttr("value", QDate(2024, 4, 1));
    edit.setAttr("value", QTime(9, 0));
    QCOMPARE(edit.getAttr(), QVariant("2024-04-01 09:00:00"));
    edit.setAttr("value", at("2024-05-01 08:00:00"));
    edit.setAttr("value", 5);
    QCOMPARE(edit.getAttr(QString("value")), QVariant("2024-05-01 08:00:00"));

    edit.setAttr("min", "2024-01-01 00:00:00");
    edit.setAttr("max", at("2024-12-31 00:00:00"));
    edit.setAttr("max", 7);
    edit.setAttr("min", "not a bound");
    QCOMPARE(edit.getAttr("min"), QVariant("2024-01-01 00:00:00"));
    QCOMPARE(edit.getAttr("max"), QVariant("2024-12-31 00:00:00"));

    // Steps: whole numbers only, kept as dynamic properties.
    QVERIFY(!edit.getAttr("hour_step").isValid());
    edit.setAttr("hour_step", "2");
    QVERIFY(!edit.getAttr("hour_step").isValid());
    edit.setAttr("hour_step", 2);
    edit.setAttr("min_step", 15u);
    edit.setAttr("sec_step", 30);
    QCOMPARE(edit.getAttr("hour_step"), QVariant(2));
    QCOMPARE(edit.getAttr("min_step"), QVariant(15u));
    QCOMPARE(edit.property("sec_step"), QVariant(30));
    const QList<QComboBox *> boxes = timeBoxes(edit.calendarWidget()->window());
    QCOMPARE(choosertest::items(boxes.at(0)),
             (QStringList {"0", "2", "4", "6", "8", "10", "12", "14", "16", "18", "20", "22"}));
    QCOMPARE(choosertest::items(boxes.at(1)), (QStringList {"0", "15", "30", "45"}));
    QCOMPARE(choosertest::items(boxes.at(2)), (QStringList {"0", "30"}));

    // The format is stored trimmed; the text waits for the next store.
    edit.setAttr("displayFormat", "  yyyy/MM/dd hh:mm ");
    QCOMPARE(edit.getAttr("displayFormat"), QVariant("yyyy/MM/dd hh:mm"));
    QCOMPARE(edit.text(), QStringLiteral("2024-05-01 08:00:00"));
    QTest::keyClick(&edit, Qt::Key_Return);
    QCOMPARE(edit.text(), QStringLiteral("2024/05/01 08:00"));
    edit.setAttr("displayFormat", 3);
    QCOMPARE(edit.displayFormat(), QStringLiteral("yyyy/MM/dd hh:mm"));

    edit.setAttr("placeholder_text", "when");
    QCOMPARE(edit.placeholderText(), QStringLiteral("when"));
    // The common keys are the interface's: this slot leaves them alone.
    edit.setAttr("tool_tip", "tip");
    QVERIFY(edit.toolTip().isEmpty());
    QVERIFY(!edit.getAttr("tool_tip").isValid());
    edit.set("tool_tip", "tip");
    QCOMPARE(edit.toolTip(), QStringLiteral("tip"));
}

void tst_TDateTimeEdit::fromScript()
{
    TDateTimeEdit edit;
    QJSEngine engine;
    expose(engine, "edit", &edit);
    const QJSValue result
            = CONTROLS_EVAL(engine, "var seen = [];"
                                    "edit.dateTimeChanged.connect(function (v) { seen.push(v.getFullYear()); });"
                                    "edit.setAttr('min', '2000-01-01 00:00:00');"
                                    "edit.setAttr('value', '1990-01-01 00:00:00');"
                                    "edit.setAttr('value', new Date(2024, 0, 2, 3, 4, 5));"
                                    "edit.setAttr('hour_step', 6);"
                                    "[edit.getAttr('value'), edit.getAttr('hour_step'), seen.join(','),"
                                    " edit.getAttr()].join('|')");
    QCOMPARE(result.toString(), QStringLiteral("2024-01-02 03:04:05|6|2000,2024|2024-01-02 03:04:05"));
}

void tst_TDateTimeEdit::chooser_data()
{
    QTest::addColumn<QString>("displayFormat");
    QTest::addColumn<QString>("parts");
    // What the test does in the open pop-up: "day" clicks day 17, "return"
    // presses Return, "confirm" clicks the confirm button, "hour" picks the
    // third hour.
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<QString>("result");

    QTest::newRow("date only: a click confirms") << "yyyy-MM-dd"
                                                 << "calendar" << QStringList {"day"} << "2024-03-17";
    QTest::newRow("date and minutes: click selects, Return confirms")
            << "yyyy-MM-dd hh:mm"
            << "calendar hour minute 2 buttons" << QStringList {"day", "return"} << "2024-03-17 10:20";
    QTest::newRow("confirm button") << "yyyy-MM-dd hh:mm:ss"
                                    << "calendar hour minute second 2 buttons" << QStringList {"day", "confirm"}
                                    << "2024-03-17 10:20:30";
    QTest::newRow("hour only: a pick confirms") << "hh"
                                                << "hour" << QStringList {"hour"} << "02";
    QTest::newRow("two time fields: a pick only selects") << "hh:mm"
                                                          << "hour minute 2 buttons" << QStringList {"hour"} << "10:20";
}

void tst_TDateTimeEdit::chooser()
{
    QFETCH(QString, displayFormat);
    QFETCH(QString, parts);
    QFETCH(QStringList, actions);
    QFETCH(QString, result);
    TDateTimeEdit edit;
    edit.setDisplayFormat(displayFormat);
    edit.setDateTime(at("2024-03-05 10:20:30"));
    edit.show();
    QString shown;
    const bool opened = withPopup(&edit, [&](QMenu *popup) {
        shown = shownParts(popup);
        for (const QString &action : actions) {
            if (action == "day") {
                QVERIFY(choosertest::clickDay(edit.calendarWidget(), 17));
            } else if (action == "return") {
                QTest::keyClick(popup, Qt::Key_Return);
            } else if (action == "confirm") {
                popup->findChildren<QAbstractButton *>(QString(), Qt::FindDirectChildrenOnly).at(0)->click();
            } else if (action == "hour") {
                timeBoxes(popup).at(0)->setCurrentIndex(2);
            }
        }
    });
    QVERIFY(opened);
    QCOMPARE(shown, parts);
    QCOMPARE(edit.text(), result);
}

void tst_TDateTimeEdit::chooserSteps()
{
    TDateTimeEdit edit(at("2024-03-05 10:20:30"));
    edit.setAttr("hour_step", 30);
    edit.setAttr("min_step", 0);
    QWidget *popup = edit.calendarWidget()->window();
    // A step too large hides the field and keeps its items; one below 1 counts as 1.
    QCOMPARE(timeBoxes(popup).at(0)->count(), 24);
    QCOMPARE(timeBoxes(popup).at(1)->count(), 60);
    edit.show();
    QString shown;
    QVERIFY(withPopup(&edit, [&](QMenu *menu) { shown = shownParts(menu); }));
    QCOMPARE(shown, QStringLiteral("calendar minute second 2 buttons"));
}

void tst_TDateTimeEdit::chooserCancelKeepsReReadValue()
{
    TDateTimeEdit edit(at("2024-03-05 10:20:30"));
    edit.show();
    QSignalSpy changed(&edit, &TDateTimeEdit::dateTimeChanged);
    QDate preselected;
    QVERIFY(withPopup(&edit, [&](QMenu *popup) {
        preselected = edit.calendarWidget()->selectedDate();
        QVERIFY(choosertest::clickDay(edit.calendarWidget(), 20));
        popup->findChildren<QAbstractButton *>(QString(), Qt::FindDirectChildrenOnly).at(1)->click();
        QVERIFY(!popup->isVisible());
    }));
    QCOMPARE(preselected, QDate(2024, 3, 5));
    QCOMPARE(edit.text(), QStringLiteral("2024-03-05 10:20:30"));
    QCOMPARE(changed.count(), 0);

    // Unreadable text: the pop-up starts from today and the value is gone.
    edit.setText("whenever");
    QVERIFY(withPopup(&edit, [&](QMenu *) { preselected = edit.calendarWidget()->selectedDate(); }));
    QCOMPARE(preselected, QDate::currentDate());
    QCOMPARE(edit.getAttr("value"), QVariant(""));
}

void tst_TDateTimeEdit::editorOwnsItsChooser()
{
    auto *edit = new TDateTimeEdit;
    QPointer<QWidget> popup = edit->calendarWidget()->window();
    QVERIFY(popup && popup != edit);
    QVERIFY(!popup->parent());
    delete edit;
    QVERIFY(popup.isNull());
}

void tst_TDateTimeEdit::listenerMayDeleteTheEditorFromThePopup()
{
    auto *edit = new TDateTimeEdit(at("2024-03-05 10:20:30"));
    edit->setDisplayFormat("yyyy-MM-dd");
    edit->show();
    QPointer<TDateTimeEdit> guard(edit);
    connect(edit, &TDateTimeEdit::dateTimeChanged, this, [edit] { delete edit; });
    QPointer<QWidget> popup = edit->calendarWidget()->window();
    QVERIFY(withPopup(edit, [&](QMenu *) { QVERIFY(choosertest::clickDay(edit->calendarWidget(), 18)); }));
    QVERIFY(guard.isNull());
    QTRY_VERIFY(popup.isNull());
}

QTEST_MAIN(tst_TDateTimeEdit)
#include "tst_tdatetimeedit.moc"
