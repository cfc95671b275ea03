#include "tlchoosetimewidget.h"
#include "tlchoosetimewidget_p.h"

#include "tlabel.h"

void TLChooseTimeWidgetPrivate::report()
{
    Q_Q(TLChooseTimeWidget);
    chosenTime = row.chosenTime();
    Q_EMIT q->confrim(chosenTime);
}

TLChooseTimeWidget::TLChooseTimeWidget(QWidget *iParent)
    : QMenu(iParent)
    , d(new TLChooseTimeWidgetPrivate(this))
{
    d->row.build(this, "TLChooseTimeWidget");
    d->grid = d->row.layOut(this, nullptr);
    setHourComboList(1);
    setMinuteComboList(1);
    setSecondComboList(1);
    d->row.connectTo(this, &TLChooseTimeWidget::onHourComboBoxSelected, &TLChooseTimeWidget::onMinuteComboBoxSelected,
                     &TLChooseTimeWidget::onSecondComboBoxSelected, &TLChooseTimeWidget::onConfirmBtnClicked,
                     &TLChooseTimeWidget::onCancelBtnClicked);
}

TLChooseTimeWidget::~TLChooseTimeWidget() = default;

void TLChooseTimeWidget::setHourComboList(int iStep)
{
    d->hourStep = qBound(1, iStep, 23);
    TChooserSupport::fillSteps(d->row.hourBox, d->hourStep, 24);
}

void TLChooseTimeWidget::setMinuteComboList(int iStep)
{
    d->minuteStep = qBound(1, iStep, 59);
    TChooserSupport::fillSteps(d->row.minuteBox, d->minuteStep, 60);
    if (d->minuteStep == 59) {
        d->row.minuteBox->hide();
        d->row.minuteLabel->hide();
    }
}

void TLChooseTimeWidget::setSecondComboList(int iStep)
{
    d->secondStep = qBound(1, iStep, 59);
    TChooserSupport::fillSteps(d->row.secondBox, d->secondStep, 60);
    if (d->secondStep == 59) {
        d->row.secondBox->hide();
        d->row.secondLabel->hide();
    }
}

int TLChooseTimeWidget::hourStep() const { return d->hourStep; }

int TLChooseTimeWidget::minuteStep() const { return d->minuteStep; }

int TLChooseTimeWidget::secondStep() const { return d->secondStep; }

void TLChooseTimeWidget::setPartsVisible(bool iHour, bool iMinute, bool iSecond)
{
    d->row.setPartsVisible(iHour, iMinute, iSecond);
}

void TLChooseTimeWidget::setConfirmMode(int iMode)
{
    d->mode = iMode;
    d->row.setButtonsVisible(iMode != TChooserSupport::SingleStep);
}

int TLChooseTimeWidget::confirmMode() const { return d->mode; }

void TLChooseTimeWidget::preselect(const QTime &iTime)
{
    if (iTime.isValid())
        d->row.showTime(iTime);
}

QTime TLChooseTimeWidget::chosenTime() const { return d->chosenTime; }

void TLChooseTimeWidget::keyPressEvent(QKeyEvent *iEvent)
{
    if (d->keyPressed(iEvent))
        QMenu::keyPressEvent(iEvent);
}

void TLChooseTimeWidget::onConfirmBtnClicked() { d->confirm(); }

void TLChooseTimeWidget::onCancelBtnClicked() { hide(); }

void TLChooseTimeWidget::onHourComboBoxSelected() { d->confirmIn(TChooserSupport::SingleStep); }

void TLChooseTimeWidget::onMinuteComboBoxSelected() { d->confirmIn(TChooserSupport::SingleStep); }

void TLChooseTimeWidget::onSecondComboBoxSelected() { d->confirmIn(TChooserSupport::SingleStep); }
