#ifndef TDOUBLECLICKCALENDARWIGET_H
#define TDOUBLECLICKCALENDARWIGET_H

#include "tcalendarwidget.h"

#include <memory>

class QKeyEvent;
class TDoubleClickCalendarWigetPrivate;

/*!
 * The calendar of the date choosers: reports a mouse release that completes
 * a click on a day (and not a press or a relayout) as doubleClick() with the
 * selected date. The calendar is built without a parent whatever the
 * constructor is given; the chooser puts it into its layout.
 *
 * The widget's own events stop here (its views, layout and navigation bar
 * work as widgets of their own); timers, queued calls, deferred deletion and
 * child events still reach QObject.
 */
class TDoubleClickCalendarWiget : public TCalendarWidget
{
    Q_OBJECT
public:
    explicit TDoubleClickCalendarWiget(QWidget *iParent = nullptr);
    ~TDoubleClickCalendarWiget() override;

Q_SIGNALS:
    //! A completed click on \a iDate.
    void doubleClick(QDate iDate);
    //! For the chooser to forward Enter; never emitted by the calendar itself.
    void enterKeySend(QKeyEvent *event);

protected:
    bool event(QEvent *iEvent) override;

private:
    Q_DISABLE_COPY(TDoubleClickCalendarWiget)
    Q_DECLARE_PRIVATE_D(d, TDoubleClickCalendarWiget)
    const std::unique_ptr<TDoubleClickCalendarWigetPrivate> d;
};

#endif // TDOUBLECLICKCALENDARWIGET_H
