#include "tlchoosetimewidget.h"
#include "tlchoosetimewidget_p.h"

#include "tcombobox.h"
#include "tlabel.h"
#include "ttheme.h"
#include "ttoolbutton.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPointer>

void TLChooseTimeWidgetPrivate::confirm()
{
    Q_Q(TLChooseTimeWidget);
    if (!q->isVisible())
        return;
    chosenTime = row.chosenTime();
    QPointer<TLChooseTimeWidget> guard(q);
    Q_EMIT q->confrim(chosenTime);
    if (guard)
        q->hide();
}

void TLChooseTimeWidgetPrivate::confirmInSingleStep()
{
    if (mode == TChooserSupport::SingleStep)
        confirm();
}

TLChooseTimeWidget::TLChooseTimeWidget(QWidget *iParent)
    : QMenu(iParent)
    , d(new TLChooseTimeWidgetPrivate(this))
{
    d->row.build(this, "TLChooseTimeWidget");
    d->grid = new QGridLayout(this);
    d->grid->addLayout(d->row.timeLayout, 4, 0, 1, 3);
    d->grid->addLayout(d->row.buttonLayout, 5, 0, 1, 3);
    const int margin = TTheme::instance()->dp(2);
    d->grid->setContentsMargins(margin, margin, margin, margin);
    setHourComboList(1);
    setMinuteComboList(1);
    setSecondComboList(1);

    connect(d->row.hourBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &TLChooseTimeWidget::onHourComboBoxSelected);
    connect(d->row.minuteBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &TLChooseTimeWidget::onMinuteComboBoxSelected);
    connect(d->row.secondBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &TLChooseTimeWidget::onSecondComboBoxSelected);
    connect(d->row.confirmButton, &QToolButton::clicked, this, &TLChooseTimeWidget::onConfirmBtnClicked);
    connect(d->row.cancelButton, &QToolButton::clicked, this, &TLChooseTimeWidget::onCancelBtnClicked);
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
    QPointer<TLChooseTimeWidget> guard(this);
    if (iEvent->key() == Qt::Key_Return) {
        iEvent->accept();
        d->confirm();
    }
    if (guard)
        QMenu::keyPressEvent(iEvent);
}

void TLChooseTimeWidget::onConfirmBtnClicked() { d->confirm(); }

void TLChooseTimeWidget::onCancelBtnClicked() { hide(); }

void TLChooseTimeWidget::onHourComboBoxSelected() { d->confirmInSingleStep(); }

void TLChooseTimeWidget::onMinuteComboBoxSelected() { d->confirmInSingleStep(); }

void TLChooseTimeWidget::onSecondComboBoxSelected() { d->confirmInSingleStep(); }
