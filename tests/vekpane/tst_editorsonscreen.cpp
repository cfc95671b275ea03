// The value editors on an X display: painted in a form, real focus changes,
// wheel turns from the window system, and where their pop-ups open.
#include "choosertest.h"
#include "controlstest.h"
#include "onscreencheck.h"
#include "onscreenwheel.h"
#include "tdateedit.h"
#include "tdatetimeedit.h"
#include "tlengthtolerancelabel.h"
#include "tlengthvalueentry.h"
#include "tlengthvaluelabel.h"
#include "ttimeedit.h"

#include <QFormLayout>
#include <QScreen>

using onscreencheck::giveFocus;
using onscreencheck::hasContent;
using onscreencheck::showActive;
using onscreencheck::turnWheel;

class tst_EditorsOnScreen : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void wholeForm();
    void focusLossCommits();
    void wheelFromTheWindowSystem();
    void popupOpensWhereThereIsRoom_data();
    void popupOpensWhereThereIsRoom();
};

void tst_EditorsOnScreen::initTestCase()
{
    QVERIFY2(QGuiApplication::platformName() == QLatin1String("xcb"),
             "needs an X display (scripts/test.sh starts Xvfb)");
}

void tst_EditorsOnScreen::wholeForm()
{
    QWidget window;
    auto *form = new QFormLayout(&window);
    auto *width = new TLengthValueEntry;
    width->setUnits("mm");
    auto *minTol = new TLengthValueEntry;
    minTol->setUnits("mm");
    auto *maxTol = new TLengthValueEntry;
    maxTol->setUnits("%");
    maxTol->setBaseValueEntry(width);
    auto *valueLabel = new TLengthValueLabel;
    valueLabel->setFormatString("${MIL,2} mil");
    auto *tolLabel = new TLengthToleranceLabel;
    tolLabel->setFormatString("${TOL,mm,3} ${RANGE,mm,3}");
    auto *dateTime = new TDateTimeEdit(QDateTime(QDate(2024, 3, 5), QTime(10, 20, 30)));
    auto *date = new TDateEdit(QDate(2024, 3, 5));
    auto *time = new TTimeEdit(QTime(10, 20, 30));
    form->addRow("Width", width);
    form->addRow("Minus", minTol);
    form->addRow("Plus", maxTol);
    form->addRow("In mil", valueLabel);
    form->addRow("Tolerance", tolLabel);
    form->addRow("Start", dateTime);
    form->addRow("Day", date);
    form->addRow("Time", time);
    valueLabel->setValueEntry(width);
    tolLabel->setBaseValueEntry(width);
    tolLabel->setMinTolValueEntry(minTol);
    tolLabel->setMaxTolValueEntry(maxTol);
    QVERIFY(showActive(&window));

    QVERIFY(giveFocus(width));
    QTest::keyClicks(width, "0.1in");
    QVERIFY(giveFocus(minTol));
    QCOMPARE(width->text(), QStringLiteral("2.54"));
    QTest::keyClicks(minTol, "2mil");
    QVERIFY(giveFocus(maxTol));
    QCOMPARE(minTol->text(), QStringLiteral("0.0508"));
    QTest::keyClicks(maxTol, "0.1mm");
    QVERIFY(giveFocus(width));
    QCOMPARE(maxTol->text(), QStringLiteral("3.93701"));
    QCOMPARE(valueLabel->text(), QStringLiteral("1e+02 mil"));
    QCOMPARE(tolLabel->text(), QStringLiteral("+0.1/-0.051 2.49~2.64"));

    const QList<QWidget *> fields {width, minTol, maxTol, valueLabel, tolLabel, dateTime, date, time};
    const QImage image = window.grab().toImage();
    for (int i = 0; i < fields.size(); ++i) {
        QWidget *field = fields.at(i);
        QVERIFY(field->isVisible());
        const QRect area(field->mapTo(&window, QPoint(0, 0)), field->size());
        QVERIFY2(hasContent(image, area), qPrintable(QString::number(i)));
        for (int j = i + 1; j < fields.size(); ++j)
            QVERIFY(!field->geometry().intersects(fields.at(j)->geometry()));
    }
    // The calendar button sits inside each date field at its right end, and
    // the text keeps clear of it.
    for (QLineEdit *edit :
         {static_cast<QLineEdit *>(dateTime), static_cast<QLineEdit *>(date), static_cast<QLineEdit *>(time)}) {
        QToolButton *button = choosertest::calendarButton(edit);
        QVERIFY(button->isVisible());
        QVERIFY(edit->rect().contains(button->geometry()));
        QVERIFY(button->geometry().left() > edit->width() / 2);
        QVERIFY(edit->textMargins().right() >= button->width());
    }
}

void tst_EditorsOnScreen::focusLossCommits()
{
    QWidget window;
    auto *column = new QVBoxLayout(&window);
    auto *date = new TDateEdit(QDate(2024, 3, 5));
    auto *time = new TTimeEdit(QTime(10, 0));
    column->addWidget(date);
    column->addWidget(time);
    QVERIFY(showActive(&window));
    QVERIFY(giveFocus(date));
    QSignalSpy events(date, SIGNAL(signal(QString, QVariant, QString)));
    date->selectAll();
    QTest::keyClicks(date, "1700-01-01");
    QVERIFY(giveFocus(time));
    QCOMPARE(date->text(), QStringLiteral("1900-01-01"));
    QCOMPARE(controlstest::types(events), (QStringList {"value_changed", "editing_finished"}));
    time->selectAll();
    QTest::keyClicks(time, "11:12:13");
    QVERIFY(giveFocus(date));
    QCOMPARE(time->time(), QTime(11, 12, 13));
}

void tst_EditorsOnScreen::wheelFromTheWindowSystem()
{
    QWidget window;
    auto *column = new QVBoxLayout(&window);
    auto *edit = new TDateTimeEdit(QDateTime(QDate(2024, 1, 31), QTime(10, 0)));
    column->addWidget(edit);
    QVERIFY(showActive(&window));
    QVERIFY(giveFocus(edit));
    edit->setCursorPosition(7);
    turnWheel(edit, 1);
    QCOMPARE(edit->text(), QStringLiteral("2024-01-31 10:00:00"));
    edit->setWheelEnabled(true);
    edit->setCursorPosition(7);
    turnWheel(edit, 1);
    QCOMPARE(edit->text(), QStringLiteral("2024-02-29 10:00:00"));
    turnWheel(edit, -1);
    QCOMPARE(edit->text(), QStringLiteral("2024-01-29 10:00:00"));
}

void tst_EditorsOnScreen::popupOpensWhereThereIsRoom_data()
{
    QTest::addColumn<bool>("atBottom");
    QTest::newRow("room below") << false;
    QTest::newRow("at the bottom of the screen") << true;
}

void tst_EditorsOnScreen::popupOpensWhereThereIsRoom()
{
    QFETCH(bool, atBottom);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    TDateTimeEdit edit(QDateTime(QDate(2024, 3, 5), QTime(10, 20, 30)));
    edit.resize(260, edit.sizeHint().height());
    edit.move(screen.left() + 100, atBottom ? screen.bottom() - edit.height() - 10 : screen.top() + 50);
    QVERIFY(showActive(&edit));
    QRect popupGeometry;
    QImage shot;
    QVERIFY(choosertest::withPopup(&edit, [&](QMenu *popup) {
        QVERIFY(QTest::qWaitForWindowExposed(popup));
        popupGeometry = popup->geometry();
        shot = popup->grab().toImage();
        QVERIFY(choosertest::clickDay(edit.calendarWidget(), 16));
        QVERIFY(popup->isVisible());
        QTest::keyClick(popup, Qt::Key_Return);
    }));
    const QRect editGeometry(edit.mapToGlobal(QPoint(0, 0)), edit.size());
    QCOMPARE(popupGeometry.right(), editGeometry.right());
    if (atBottom)
        QCOMPARE(popupGeometry.bottom(), editGeometry.top() - 1);
    else
        QCOMPARE(popupGeometry.top(), editGeometry.bottom() + 1);
    QVERIFY(hasContent(shot, shot.rect()));
    QCOMPARE(edit.text(), QStringLiteral("2024-03-16 10:20:30"));
}

QTEST_MAIN(tst_EditorsOnScreen)
#include "tst_editorsonscreen.moc"
