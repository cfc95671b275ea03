#ifndef TLCHOOSEDATEWIDGET_H
#define TLCHOOSEDATEWIDGET_H

#include "vekpane_export.h"

#include <QDate>
#include <QMenu>

#include <memory>

class QCalendarWidget;
class TLChooseDateWidgetPrivate;

/*!
 * The pop-up calendar of the date editor. It is shown with exec(), reports
 * the chosen day through confrim() and then hides itself.
 *
 * In single-step mode (0) a click on a day confirms it and the confirm and
 * cancel buttons are hidden; in double-click mode (1) a click only selects,
 * and a double click, Return or the confirm button confirm.
 */
class VEKPANE_EXPORT TLChooseDateWidget : public QMenu
{
    Q_OBJECT
public:
    explicit TLChooseDateWidget(QWidget *iParent = nullptr);
    ~TLChooseDateWidget() override;

    //! The calendar a confirmation reads.
    QCalendarWidget *calendarWidget() const;
    //! Makes confirmations read \a iCalendar (not owned, not shown in the pop-up); null restores the own one.
    void setCalendarWidget(QCalendarWidget *iCalendar);
    //! Shows or hides the calendar.
    void setCalendarVisible(bool iVisible);
    //! 0: a click confirms, no buttons; 1: a double click confirms, buttons shown.
    void setConfirmMode(int iMode);
    int confirmMode() const;
    //! Selects \a iDate, or today (and shows its month) when it is invalid.
    void preselect(const QDate &iDate);
    //! The date last confirmed.
    QDate chosenDate() const;

Q_SIGNALS:
    //! The user confirmed \a iDate.
    void confrim(QDate iDate);

protected:
    void keyPressEvent(QKeyEvent *iEvent) override;

private Q_SLOTS:
    void onConfirmBtnClicked();
    void onCancelBtnClicked();
    void onCalendarWdigetSingleClicked();
    void onCalendarWdigetDoubleClicked();
    void onCalendarWigetPressOK();

private:
    Q_DISABLE_COPY(TLChooseDateWidget)
    Q_DECLARE_PRIVATE_D(d, TLChooseDateWidget)
    const std::unique_ptr<TLChooseDateWidgetPrivate> d;
};

#endif // TLCHOOSEDATEWIDGET_H
