// Helpers for the tests of the date and time editors and their pop-ups.
#ifndef CHOOSERTEST_H
#define CHOOSERTEST_H

#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <functional>

namespace choosertest {

// The editor's calendar button: the first tool button inside it.
inline QToolButton *calendarButton(QWidget *iEditor) { return iEditor->findChild<QToolButton *>(); }

// Opens the editor's pop-up with its calendar button and runs iAction while
// the pop-up is open; a pop-up still open afterwards is closed. False when
// no pop-up opened.
inline bool withPopup(QWidget *iEditor, const std::function<void(QMenu *)> &iAction)
{
    bool ran = false;
    QTimer::singleShot(0, iEditor, [&ran, iAction] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        ran = true;
        QPointer<QMenu> guard(menu);
        iAction(menu);
        if (guard && guard->isVisible())
            guard->hide();
    });
    calendarButton(iEditor)->click();
    return ran;
}

// The hour, minute and second boxes of a pop-up, in that order.
inline QList<QComboBox *> timeBoxes(QWidget *iPopup) { return iPopup->findChildren<QComboBox *>(); }

// Which of calendar, hour, minute, second and the two buttons the pop-up shows.
inline QString shownParts(QWidget *iPopup)
{
    QStringList parts;
    if (auto *calendar = iPopup->findChild<QCalendarWidget *>(); calendar && calendar->isVisibleTo(iPopup))
        parts << "calendar";
    const QStringList names {"hour", "minute", "second"};
    const QList<QComboBox *> boxes = timeBoxes(iPopup);
    for (int i = 0; i < boxes.size(); ++i) {
        if (boxes.at(i)->isVisibleTo(iPopup))
            parts << names.at(i);
    }
    const QList<QAbstractButton *> buttons
            = iPopup->findChildren<QAbstractButton *>(QString(), Qt::FindDirectChildrenOnly);
    int shownButtons = 0;
    for (QAbstractButton *button : buttons)
        shownButtons += button->isVisibleTo(iPopup) ? 1 : 0;
    if (shownButtons > 0)
        parts << QString::number(shownButtons) + " buttons";
    return parts.join(' ');
}

// The items of a box.
inline QStringList items(const QComboBox *iBox)
{
    QStringList result;
    for (int i = 0; i < iBox->count(); ++i)
        result << iBox->itemText(i);
    return result;
}

// Clicks the cell of day iDay in the calendar's view. Days 15 to 22 stand
// only once in any month's grid; the tests use those.
inline bool clickDay(QCalendarWidget *iCalendar, int iDay)
{
    auto *view = iCalendar->findChild<QTableView *>(QStringLiteral("qt_calendar_calendarview"));
    if (!view)
        return false;
    const QAbstractItemModel *model = view->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        for (int column = 0; column < model->columnCount(); ++column) {
            const QModelIndex index = model->index(row, column);
            if (index.data().toString() == QString::number(iDay)) {
                QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, view->visualRect(index).center());
                return true;
            }
        }
    }
    return false;
}

// One turn of the wheel over the editor, with the text cursor at iCursor.
inline void turnWheel(QLineEdit *iEditor, int iCursor, int iDelta)
{
    iEditor->setCursorPosition(iCursor);
    const QPointF pos(iEditor->rect().center());
    QWheelEvent event(pos, QPointF(iEditor->mapToGlobal(pos.toPoint())), QPoint(), QPoint(0, iDelta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(iEditor, &event);
}

} // namespace choosertest

#endif // CHOOSERTEST_H
