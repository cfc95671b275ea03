#include "tlchoosedatetimewidget.h"
#include "tlchoosedatetimewidget_p.h"

#include "tcombobox.h"
#include "tdoubleclickcalendarwiget.h"
#include "tlabel.h"
#include "ttheme.h"
#include "ttoolbutton.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>

void TLChooseDateTimeWidgetPrivate::confirm()
{
    Q_Q(TLChooseDateTimeWidget);
    // Once hidden the choice is made: a double click that also activates the
    // day confirms once.
    if (!q->isVisible())
        return;
    chosenDate = q->calendarWidget()->selectedDate();
    chosenTime = row.chosenTime();
    chosenDateTime = QDateTime(chosenDate, chosenTime);
    QPointer<TLChooseDateTimeWidget> guard(q);
    Q_EMIT q->confrim(chosenDateTime);
    if (guard)
        q->hide();
}

void TLChooseDateTimeWidgetPrivate::confirmInSingleStep()
{
    if (mode == TChooserSupport::SingleStep)
        confirm();
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
    d->calendar = new TDoubleClickCalendarWiget;
    d->calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    d->row.build(this, "TLChooseDateTimeWidget");
    d->grid = new QGridLayout(this);
    d->grid->addWidget(d->calendar, 0, 0, 4, 3);
    d->grid->addLayout(d->row.timeLayout, 4, 0, 1, 3);
    d->grid->addLayout(d->row.buttonLayout, 5, 0, 1, 3);
    const int margin = TTheme::instance()->dp(2);
    d->grid->setContentsMargins(margin, margin, margin, margin);
    setHourComboList(1);
    setMinuteComboList(1);
    setSecondComboList(1);

    connect(d->calendar, &TDoubleClickCalendarWiget::doubleClick, this,
            &TLChooseDateTimeWidget::onCalendarWdigetDoubleClicked);
    connect(d->calendar, &QCalendarWidget::clicked, this, &TLChooseDateTimeWidget::onCalendarWdigetSingleClicked);
    connect(d->calendar, &QCalendarWidget::activated, this, &TLChooseDateTimeWidget::onCalendarWigetPressOK);
    connect(d->row.hourBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &TLChooseDateTimeWidget::onHourComboBoxSelected);
    connect(d->row.minuteBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &TLChooseDateTimeWidget::onMinuteComboBoxSelected);
    connect(d->row.secondBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &TLChooseDateTimeWidget::onSecondComboBoxSelected);
    connect(d->row.confirmButton, &QToolButton::clicked, this, &TLChooseDateTimeWidget::onConfirmBtnClicked);
    connect(d->row.cancelButton, &QToolButton::clicked, this, &TLChooseDateTimeWidget::onCancelBtnClicked);
}

TLChooseDateTimeWidget::~TLChooseDateTimeWidget() = default;

QCalendarWidget *TLChooseDateTimeWidget::calendarWidget() const
{
    if (d->readCalendar)
        return d->readCalendar;
    return d->calendar;
}

void TLChooseDateTimeWidget::setCalendarWidget(QCalendarWidget *iCalendar) { d->readCalendar = iCalendar; }

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
    d->calendar->setVisible(iCalendar);
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
    QCalendarWidget *calendar = calendarWidget();
    if (iDate.isValid()) {
        calendar->setSelectedDate(iDate);
    } else {
        const QDate today = QDate::currentDate();
        calendar->setSelectedDate(today);
        calendar->setCurrentPage(today.year(), today.month());
    }
    if (iTime.isValid())
        d->row.showTime(iTime);
}

QDateTime TLChooseDateTimeWidget::chosenDateTime() const { return d->chosenDateTime; }

void TLChooseDateTimeWidget::keyPressEvent(QKeyEvent *iEvent)
{
    QPointer<TLChooseDateTimeWidget> guard(this);
    if (iEvent->key() == Qt::Key_Return) {
        iEvent->accept();
        d->confirm();
    }
    if (guard)
        QMenu::keyPressEvent(iEvent);
}

void TLChooseDateTimeWidget::onConfirmBtnClicked() { d->confirm(); }

void TLChooseDateTimeWidget::onCancelBtnClicked() { hide(); }

void TLChooseDateTimeWidget::onCalendarWdigetSingleClicked() { d->confirmInSingleStep(); }

void TLChooseDateTimeWidget::onCalendarWdigetDoubleClicked()
{
    if (d->mode == TChooserSupport::DoubleClick)
        d->confirm();
}

void TLChooseDateTimeWidget::onHourComboBoxSelected() { d->confirmInSingleStep(); }

void TLChooseDateTimeWidget::onMinuteComboBoxSelected() { d->confirmInSingleStep(); }

void TLChooseDateTimeWidget::onSecondComboBoxSelected() { d->confirmInSingleStep(); }

void TLChooseDateTimeWidget::onCalendarWigetPressOK() { d->confirm(); }
