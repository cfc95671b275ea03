#ifndef TLCHOOSEDATETIMEWIDGET_H
#define TLCHOOSEDATETIMEWIDGET_H

#include "vekpane_export.h"

#include <QDateTime>
#include <QMenu>

#include <memory>

class QCalendarWidget;
class TLChooseDateTimeWidgetPrivate;

/*!
 * The pop-up of the date-time editor: a calendar above hour, minute and
 * second boxes. It is shown with exec(), reports the choice through
 * confrim() and then hides itself.
 *
 * In single-step mode (0) a click on a day or a pick in a box confirms and
 * the confirm and cancel buttons are hidden; in double-click mode (1) those
 * only select, and a double click, Return or the confirm button confirm.
 */
class VEKPANE_EXPORT TLChooseDateTimeWidget : public QMenu
{
    Q_OBJECT
public:
    explicit TLChooseDateTimeWidget(QWidget *iParent = nullptr);
    ~TLChooseDateTimeWidget() override;

    //! The calendar a confirmation reads.
    QCalendarWidget *calendarWidget() const;
    //! Makes confirmations read \a iCalendar (not owned, not shown in the pop-up); null restores the own one.
    void setCalendarWidget(QCalendarWidget *iCalendar);
    //! Refills the hour box with 0, step, 2 * step ... below 24; a step above 23 hides the hour instead.
    void setHourComboList(int iStep);
    //! Refills the minute box below 60; a step above 59 hides the minute instead.
    void setMinuteComboList(int iStep);
    //! Refills the second box below 60; a step above 59 hides the second instead.
    void setSecondComboList(int iStep);
    //! Shows or hides the calendar and each time field.
    void setPartsVisible(bool iCalendar, bool iHour, bool iMinute, bool iSecond);
    //! 0: a click or pick confirms, no buttons; 1: a double click confirms, buttons shown.
    void setConfirmMode(int iMode);
    int confirmMode() const;
    //! Selects the date (today when invalid) and shows a valid time in the boxes; nothing is confirmed.
    void preselect(const QDate &iDate, const QTime &iTime);
    //! The date-time last confirmed.
    QDateTime chosenDateTime() const;

Q_SIGNALS:
    //! The user confirmed \a iDateTime.
    void confrim(QDateTime iDateTime);

protected:
    void keyPressEvent(QKeyEvent *iEvent) override;

private Q_SLOTS:
    void onConfirmBtnClicked();
    void onCancelBtnClicked();
    void onCalendarWdigetSingleClicked();
    void onCalendarWdigetDoubleClicked();
    void onHourComboBoxSelected();
    void onMinuteComboBoxSelected();
    void onSecondComboBoxSelected();
    void onCalendarWigetPressOK();

private:
    Q_DISABLE_COPY(TLChooseDateTimeWidget)
    Q_DECLARE_PRIVATE_D(d, TLChooseDateTimeWidget)
    const std::unique_ptr<TLChooseDateTimeWidgetPrivate> d;
};

#endif // TLCHOOSEDATETIMEWIDGET_H
