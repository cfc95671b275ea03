#include "tlchoosedatewidget.h"
#include "tlchoosedatewidget_p.h"

#include "tdoubleclickcalendarwiget.h"
#include "tpushbutton.h"
#include "tresource.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>

namespace {

TPushButton *flatButton(QWidget *iOwner, const QString &iIcon)
{
    auto *button = new TPushButton(iOwner);
    button->setIcon(TResource::instance()->icon(iIcon, QStringLiteral("button"), QStringLiteral("body")));
    button->setFlat(true);
    return button;
}

} // namespace

void TLChooseDateWidgetPrivate::confirm()
{
    Q_Q(TLChooseDateWidget);
    // Once hidden the choice is made: a double click that also activates the
    // day confirms once.
    if (!q->isVisible())
        return;
    chosenDate = q->calendarWidget()->selectedDate();
    // The editor's listeners may destroy the editor, which then lets the
    // pop-up go later; it is still here to hide.
    QPointer<TLChooseDateWidget> guard(q);
    Q_EMIT q->confrim(chosenDate);
    if (guard)
        q->hide();
}

TLChooseDateWidget::TLChooseDateWidget(QWidget *iParent)
    : QMenu(iParent)
    , d(new TLChooseDateWidgetPrivate(this))
{
    d->calendar = new TDoubleClickCalendarWiget;
    d->calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    d->confirmButton = flatButton(this, QStringLiteral("check_mark1"));
    d->cancelButton = flatButton(this, QStringLiteral("close1"));
    d->emptyRow = new QHBoxLayout;
    d->buttonRow = new QHBoxLayout;
    d->buttonRow->addStretch(4);
    d->buttonRow->addWidget(d->confirmButton);
    d->buttonRow->addWidget(d->cancelButton);
    d->grid = new QGridLayout(this);
    d->grid->addWidget(d->calendar, 0, 0, 4, 3);
    d->grid->addLayout(d->emptyRow, 4, 0, 1, 3);
    d->grid->addLayout(d->buttonRow, 5, 0, 1, 3);
    d->grid->setContentsMargins(1, 1, 1, 1);

    connect(d->calendar, &TDoubleClickCalendarWiget::doubleClick, this,
            &TLChooseDateWidget::onCalendarWdigetDoubleClicked);
    connect(d->calendar, &QCalendarWidget::clicked, this, &TLChooseDateWidget::onCalendarWdigetSingleClicked);
    connect(d->calendar, &QCalendarWidget::activated, this, &TLChooseDateWidget::onCalendarWigetPressOK);
    connect(d->confirmButton, &QPushButton::clicked, this, &TLChooseDateWidget::onConfirmBtnClicked);
    connect(d->cancelButton, &QPushButton::clicked, this, &TLChooseDateWidget::onCancelBtnClicked);
}

TLChooseDateWidget::~TLChooseDateWidget() = default;

QCalendarWidget *TLChooseDateWidget::calendarWidget() const
{
    if (d->readCalendar)
        return d->readCalendar;
    return d->calendar;
}

void TLChooseDateWidget::setCalendarWidget(QCalendarWidget *iCalendar) { d->readCalendar = iCalendar; }

void TLChooseDateWidget::setCalendarVisible(bool iVisible) { d->calendar->setVisible(iVisible); }

void TLChooseDateWidget::setConfirmMode(int iMode)
{
    d->mode = iMode;
    const bool buttons = iMode != TChooserSupport::SingleStep;
    d->confirmButton->setVisible(buttons);
    d->cancelButton->setVisible(buttons);
}

int TLChooseDateWidget::confirmMode() const { return d->mode; }

void TLChooseDateWidget::preselect(const QDate &iDate)
{
    QCalendarWidget *calendar = calendarWidget();
    if (iDate.isValid()) {
        calendar->setSelectedDate(iDate);
    } else {
        const QDate today = QDate::currentDate();
        calendar->setSelectedDate(today);
        calendar->setCurrentPage(today.year(), today.month());
    }
}

QDate TLChooseDateWidget::chosenDate() const { return d->chosenDate; }

void TLChooseDateWidget::keyPressEvent(QKeyEvent *iEvent)
{
    QPointer<TLChooseDateWidget> guard(this);
    if (iEvent->key() == Qt::Key_Return) {
        iEvent->accept();
        d->confirm();
    }
    if (guard)
        QMenu::keyPressEvent(iEvent);
}

void TLChooseDateWidget::onConfirmBtnClicked() { d->confirm(); }

void TLChooseDateWidget::onCancelBtnClicked() { hide(); }

void TLChooseDateWidget::onCalendarWdigetSingleClicked()
{
    if (d->mode == TChooserSupport::SingleStep)
        d->confirm();
}

void TLChooseDateWidget::onCalendarWdigetDoubleClicked()
{
    if (d->mode == TChooserSupport::DoubleClick)
        d->confirm();
}

void TLChooseDateWidget::onCalendarWigetPressOK() { d->confirm(); }
