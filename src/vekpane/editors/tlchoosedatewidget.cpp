#include "tlchoosedatewidget.h"
#include "tlchoosedatewidget_p.h"

#include "tpushbutton.h"
#include "tresource.h"

#include <QGridLayout>
#include <QHBoxLayout>

namespace {

TPushButton *flatButton(QWidget *iOwner, const QString &iIcon)
{
    auto *button = new TPushButton(iOwner);
    button->setIcon(TResource::instance()->icon(iIcon, QStringLiteral("button"), QStringLiteral("body")));
    button->setFlat(true);
    return button;
}

} // namespace

void TLChooseDateWidgetPrivate::report()
{
    Q_Q(TLChooseDateWidget);
    chosenDate = days.reading()->selectedDate();
    Q_EMIT q->confrim(chosenDate);
}

TLChooseDateWidget::TLChooseDateWidget(QWidget *iParent)
    : QMenu(iParent)
    , d(new TLChooseDateWidgetPrivate(this))
{
    d->days.build(this, &TLChooseDateWidget::onCalendarWdigetSingleClicked,
                  &TLChooseDateWidget::onCalendarWdigetDoubleClicked, &TLChooseDateWidget::onCalendarWigetPressOK);
    d->confirmButton = flatButton(this, QStringLiteral("check_mark1"));
    d->cancelButton = flatButton(this, QStringLiteral("close1"));
    d->emptyRow = new QHBoxLayout;
    d->buttonRow = new QHBoxLayout;
    d->buttonRow->addStretch(4);
    d->buttonRow->addWidget(d->confirmButton);
    d->buttonRow->addWidget(d->cancelButton);
    d->grid = new QGridLayout(this);
    d->grid->addWidget(d->days.calendar, 0, 0, 4, 3);
    d->grid->addLayout(d->emptyRow, 4, 0, 1, 3);
    d->grid->addLayout(d->buttonRow, 5, 0, 1, 3);
    d->grid->setContentsMargins(1, 1, 1, 1);

    connect(d->confirmButton, &QPushButton::clicked, this, &TLChooseDateWidget::onConfirmBtnClicked);
    connect(d->cancelButton, &QPushButton::clicked, this, &TLChooseDateWidget::onCancelBtnClicked);
}

TLChooseDateWidget::~TLChooseDateWidget() = default;

QCalendarWidget *TLChooseDateWidget::calendarWidget() const { return d->days.reading(); }

void TLChooseDateWidget::setCalendarWidget(QCalendarWidget *iCalendar) { d->days.readCalendar = iCalendar; }

void TLChooseDateWidget::setCalendarVisible(bool iVisible) { d->days.calendar->setVisible(iVisible); }

void TLChooseDateWidget::setConfirmMode(int iMode)
{
    d->mode = iMode;
    const bool buttons = iMode != TChooserSupport::SingleStep;
    d->confirmButton->setVisible(buttons);
    d->cancelButton->setVisible(buttons);
}

int TLChooseDateWidget::confirmMode() const { return d->mode; }

void TLChooseDateWidget::preselect(const QDate &iDate) { d->days.preselect(iDate); }

QDate TLChooseDateWidget::chosenDate() const { return d->chosenDate; }

void TLChooseDateWidget::keyPressEvent(QKeyEvent *iEvent)
{
    if (d->keyPressed(iEvent))
        QMenu::keyPressEvent(iEvent);
}

void TLChooseDateWidget::onConfirmBtnClicked() { d->confirm(); }

void TLChooseDateWidget::onCancelBtnClicked() { hide(); }

void TLChooseDateWidget::onCalendarWdigetSingleClicked() { d->confirmIn(TChooserSupport::SingleStep); }

void TLChooseDateWidget::onCalendarWdigetDoubleClicked() { d->confirmIn(TChooserSupport::DoubleClick); }

void TLChooseDateWidget::onCalendarWigetPressOK() { d->confirm(); }
