#include "choosertest.h"
#include "controlstest.h"
#include "ttimeedit.h"

#include <QPointer>

using choosertest::items;
using choosertest::shownParts;
using choosertest::timeBoxes;
using choosertest::turnWheel;
using choosertest::withPopup;
using controlstest::expose;

namespace {

// The pop-up of a time editor, which has no calendar to find it by.
QMenu *popupOf(TTimeEdit &iEdit)
{
    QMenu *found = nullptr;
    withPopup(&iEdit, [&found](QMenu *popup) { found = popup; });
    return found;
}

} // namespace

class tst_TTimeEdit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initialState();
    void typing_data();
    void typing();
    void bounds();
    void wheel_data();
    void wheel();
    void chooser_data();
    void chooser();
    void chooserSteps();
    void fromScript();
};

void tst_TTimeEdit::initialState()
{
    TTimeEdit edit;
    QVERIFY(!edit.time().isValid());
    QCOMPARE(edit.minimumTimeString(), QStringLiteral("00:00:00"));
    QCOMPARE(edit.maximumTimeString(), QStringLiteral("23:59:59"));
    QCOMPARE(edit.metaObject()->userProperty().name(), "time");
    TTimeEdit withTime(QTime(7, 8, 9));
    QCOMPARE(withTime.text(), QStringLiteral("07:08:09"));
    withTime.setDisplayFormat("hh.mm");
    QCOMPARE(withTime.text(), QStringLiteral("07.08"));
    QCOMPARE(withTime.timeString(), QStringLiteral("07.08"));
}

void tst_TTimeEdit::typing_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QTime>("value");
    QTest::addColumn<int>("changes");

    QTest::newRow("valid") << "08:30:00"
                           << "08:30:00" << QTime(8, 30) << 1;
    QTest::newRow("no such time stays as typed") << "25:00:00"
                                                 << "25:00:00" << QTime(10, 0) << 0;
    QTest::newRow("below the range") << "05:00:00"
                                     << "06:00:00" << QTime(6, 0) << 1;
    QTest::newRow("above the range") << "23:00:00"
                                     << "22:00:00" << QTime(22, 0) << 1;
}

void tst_TTimeEdit::typing()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QTime, value);
    QFETCH(int, changes);
    TTimeEdit edit(QTime(10, 0));
    edit.setTimeRange(QTime(6, 0), QTime(22, 0));
    QSignalSpy changed(&edit, &TTimeEdit::timeChanged);
    edit.selectAll();
    QTest::keyClicks(&edit, typed);
    QFocusEvent focusOut(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(&edit, &focusOut);
    QCOMPARE(edit.text(), shown);
    QCOMPARE(edit.time(), value);
    QCOMPARE(changed.count(), changes);
}

void tst_TTimeEdit::bounds()
{
    TTimeEdit edit(QTime(10, 0));
    QSignalSpy changed(&edit, &TTimeEdit::timeChanged);
    edit.setMinimumTimeString("11:00:00");
    QCOMPARE(edit.text(), QStringLiteral("11:00:00"));
    edit.setMaximumTime(QTime(10, 30));
    QCOMPARE(edit.text(), QStringLiteral("10:30:00"));
    edit.setMinimumTimeString("xx");
    QCOMPARE(edit.minimumTime(), QTime(11, 0));
    edit.clearMinimumTime();
    edit.clearMaximumTime();
    QCOMPARE(edit.maximumTimeString(), QStringLiteral("23:59:59"));
    edit.setTimeString("23:00:00");
    QCOMPARE(edit.time(), QTime(23, 0));
    QCOMPARE(changed.count(), 3);
}

void tst_TTimeEdit::wheel_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<int>("delta");
    QTest::addColumn<QString>("result");

    QTest::newRow("hour down wraps past midnight") << "00:30:00" << 2 << -120 << "23:30:00";
    QTest::newRow("minute up") << "10:59:00" << 4 << 120 << "11:00:00";
    QTest::newRow("second up") << "10:00:59" << 8 << 120 << "10:01:00";
    QTest::newRow("cursor 0: the hour") << "10:00:00" << 0 << 120 << "11:00:00";
}

void tst_TTimeEdit::wheel()
{
    QFETCH(QString, start);
    QFETCH(int, cursor);
    QFETCH(int, delta);
    QFETCH(QString, result);
    TTimeEdit edit(QTime::fromString(start, "hh:mm:ss"));
    edit.setWheelEnabled(true);
    turnWheel(&edit, cursor, delta);
    QCOMPARE(edit.text(), result);

    // The wrapped time is then clamped into the range.
    TTimeEdit bounded(QTime(0, 30));
    bounded.setMaximumTime(QTime(22, 0));
    bounded.setWheelEnabled(true);
    turnWheel(&bounded, 2, -120);
    QCOMPARE(bounded.text(), QStringLiteral("22:00:00"));
}

void tst_TTimeEdit::chooser_data()
{
    QTest::addColumn<QString>("displayFormat");
    QTest::addColumn<QString>("parts");
    QTest::addColumn<bool>("pickConfirms");

    QTest::newRow("three fields") << "hh:mm:ss"
                                  << "hour minute second 2 buttons" << false;
    QTest::newRow("hour only") << "hh"
                               << "hour" << true;
    QTest::newRow("minutes and seconds") << "mm:ss"
                                         << "minute second 2 buttons" << false;
}

void tst_TTimeEdit::chooser()
{
    QFETCH(QString, displayFormat);
    QFETCH(QString, parts);
    QFETCH(bool, pickConfirms);
    TTimeEdit edit;
    edit.setDisplayFormat(displayFormat);
    edit.setTime(QTime(10, 20, 30));
    edit.show();
    QString shown;
    QStringList selected;
    bool stillOpen = false;
    QVERIFY(withPopup(&edit, [&](QMenu *popup) {
        shown = shownParts(popup);
        for (QComboBox *box : timeBoxes(popup))
            selected << box->currentText();
        // Picks the last item of the first shown box.
        for (QComboBox *box : timeBoxes(popup)) {
            if (box->isVisibleTo(popup)) {
                box->setCurrentIndex(box->count() - 1);
                break;
            }
        }
        stillOpen = popup->isVisible();
        if (stillOpen)
            popup->findChildren<QAbstractButton *>(QString(), Qt::FindDirectChildrenOnly).at(0)->click();
    }));
    QCOMPARE(shown, parts);
    QCOMPARE(stillOpen, !pickConfirms);
    // The boxes start from the value the text gives.
    const QTime start = QTime::fromString(QTime(10, 20, 30).toString(displayFormat), displayFormat);
    QCOMPARE(selected, (QStringList {QString::number(start.hour()), QString::number(start.minute()),
                                     QString::number(start.second())}));
    const QTime expected = displayFormat.startsWith("hh") ? QTime(23, start.minute(), start.second())
                                                          : QTime(start.hour(), 59, start.second());
    QCOMPARE(edit.text(), expected.toString(displayFormat));
}

void tst_TTimeEdit::chooserSteps()
{
    TTimeEdit edit(QTime(10, 0));
    QMenu *popup = popupOf(edit);
    QVERIFY(popup);
    const QList<QComboBox *> boxes = timeBoxes(popup);
    edit.setMinuteComboList(0);
    QCOMPARE(items(boxes.at(1)).size(), 60);
    edit.setHourComboList(30);
    QCOMPARE(items(boxes.at(0)), (QStringList {"0", "23"}));
    QVERIFY(boxes.at(0)->isVisibleTo(popup));
    edit.setMinuteComboList(100);
    QCOMPARE(items(boxes.at(1)), (QStringList {"0", "59"}));
    QVERIFY(!boxes.at(1)->isVisibleTo(popup));
    edit.setSecondComboList(20);
    QCOMPARE(items(boxes.at(2)), (QStringList {"0", "20", "40"}));

    // Each editor has a pop-up of its own, which goes with it.
    auto *other = new TTimeEdit;
    QPointer<QMenu> otherPopup(popupOf(*other));
    QVERIFY(otherPopup);
    QVERIFY(otherPopup != popup);
    QVERIFY(!otherPopup->parent());
    delete other;
    QVERIFY(otherPopup.isNull());
}

void tst_TTimeEdit::fromScript()
{
    TTimeEdit edit;
    QJSEngine engine;
    expose(engine, "edit", &edit);
    const QJSValue result = CONTROLS_EVAL(engine, "var seen = 0;"
                                                  "edit.timeChanged.connect(function () { seen++; });"
                                                  "edit.setMaximumTimeString('12:00:00');"
                                                  "edit.setTimeString('13:00:00');"
                                                  "edit.setTimeString('11:00:00');"
                                                  "[edit.timeString, seen].join('|')");
    QCOMPARE(result.toString(), QStringLiteral("11:00:00|2"));
}

QTEST_MAIN(tst_TTimeEdit)
#include "tst_ttimeedit.moc"
