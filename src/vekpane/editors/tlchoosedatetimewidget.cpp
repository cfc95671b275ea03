#include "tlchoosedatetimewidget.h"
#include "tlchoosedatetimewidget_p.h"

#include "tlabel.h"

void TLChooseDateTimeWidgetPrivate::report()
{
    Q_Q(TLChooseDateTimeWidget);
    chosenDate = days.reading()->selectedDate();
    chosenTime = row.chosenTime();
    chosenDateTime = QDateTime(chosenDate, chosenTime);
    Q_EMIT q->confrim(chosenDateTime);
}

void TLChooseDateTimeWidgetPrivate::applyStep(QComboBox *iBox, QWidget *iLabel, int iStep, int iLimit)
{
    const int step = qMax(iStep, 1);
    if (step >= iLimit) {
        iBox->hide();
        iLabel->hide();
        return;
    }
    TChooserSupport::fillSteps(iBox, step, iLimit);
}

TLChooseDateTimeWidget::TLChooseDateTimeWidget(QWidget *iParent)
    : QMenu(iParent)
    , d(new TLChooseDateTimeWidgetPrivate(this))
{
    d->days.build(this, &TLChooseDateTimeWidget::onCalendarWdigetSingleClicked,
                  &TLChooseDateTimeWidget::onCalendarWdigetDoubleClicked,
                  &TLChooseDateTimeWidget::onCalendarWigetPressOK);
    d->row.build(this, "TLChooseDateTimeWidget");
    d->grid = d->row.layOut(this, d->days.calendar);
    setHourComboList(1);
    setMinuteComboList(1);
    setSecondComboList(1);
    d->row.connectTo(this, &TLChooseDateTimeWidget::onHourComboBoxSelected,
                     &TLChooseDateTimeWidget::onMinuteComboBoxSelected,
                     &TLChooseDateTimeWidget::onSecondComboBoxSelected, &TLChooseDateTimeWidget::onConfirmBtnClicked,
                     &TLChooseDateTimeWidget::onCancelBtnClicked);
}

TLChooseDateTimeWidget::~TLChooseDateTimeWidget() = default;

QCalendarWidget *TLChooseDateTimeWidget::calendarWidget() const { return d->days.reading(); }

void TLChooseDateTimeWidget::setCalendarWidget(QCalendarWidget *iCalendar) { d->days.readCalendar = iCalendar; }

void TLChooseDateTimeWidget::setHourComboList(int iStep) { d->applyStep(d->row.hourBox, d->row.hourLabel, iStep, 24); }

void TLChooseDateTimeWidget::setMinuteComboList(int iStep)
{
    d->applyStep(d->row.minuteBox, d->row.minuteLabel, iStep, 60);
}

void TLChooseDateTimeWidget::setSecondComboList(int iStep)
{
    d->applyStep(d->row.secondBox, d->row.secondLabel, iStep, 60);
}

void TLChooseDateTimeWidget::setPartsVisible(bool iCalendar, bool iHour, bool iMinute, bool iSecond)
{
    d->days.calendar->setVisible(iCalendar);
    d->row.setPartsVisible(iHour, iMinute, iSecond);
}

void TLChooseDateTimeWidget::setConfirmMode(int iMode)
{
    d->mode = iMode;
    d->row.setButtonsVisible(iMode != TChooserSupport::SingleStep);
}

int TLChooseDateTimeWidget::confirmMode() const { return d->mode; }

void TLChooseDateTimeWidget::preselect(const QDate &iDate, const QTime &iTime)
{
    d->days.preselect(iDate);
    if (iTime.isValid())
        d->row.showTime(iTime);
}

QDateTime TLChooseDateTimeWidget::chosenDateTime() const { return d->chosenDateTime; }

void TLChooseDateTimeWidget::keyPressEvent(QKeyEvent *iEvent)
{
    if (d->keyPressed(iEvent))
        QMenu::keyPressEvent(iEvent);
}

void TLChooseDateTimeWidget::onConfirmBtnClicked() { d->confirm(); }

void TLChooseDateTimeWidget::onCancelBtnClicked() { hide(); }

void TLChooseDateTimeWidget::onCalendarWdigetSingleClicked() { d->confirmIn(TChooserSupport::SingleStep); }

void TLChooseDateTimeWidget::onCalendarWdigetDoubleClicked() { d->confirmIn(TChooserSupport::DoubleClick); }

void TLChooseDateTimeWidget::onHourComboBoxSelected() { d->confirmIn(TChooserSupport::SingleStep); }

void TLChooseDateTimeWidget::onMinuteComboBoxSelected() { d->confirmIn(TChooserSupport::SingleStep); }

void TLChooseDateTimeWidget::onSecondComboBoxSelected() { d->confirmIn(TChooserSupport::SingleStep); }

void TLChooseDateTimeWidget::onCalendarWigetPressOK() { d->confirm(); }
