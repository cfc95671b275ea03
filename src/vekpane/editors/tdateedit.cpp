#include "tdateedit.h"
#include "tdateedit_p.h"

#include "tchoosersupport_p.h"
#include "tdateeditsupport_p.h"
#include "tlchoosedatewidget.h"
#include "tresource.h"
#include "ttoolbutton.h"

#include <QCalendarWidget>
#include <QPointer>

namespace {

const QString defaultFormat = QStringLiteral("yyyy-MM-dd");
const QDate initialMinimum(1900, 1, 1);
const QDate initialMaximum(2100, 12, 31);

} // namespace

TDateEditPrivate::TDateEditPrivate(TDateEdit *iPublic)
    : minimum(initialMinimum)
    , maximum(initialMaximum)
    , displayFormat(defaultFormat)
    , q_ptr(iPublic)
{}

void TDateEditPrivate::build()
{
    Q_Q(TDateEdit);
    calendarButton = new TToolButton(q);
    calendarButton->setIcon(
            TResource::instance()->icon(QStringLiteral("calendar"), QStringLiteral("button"), QStringLiteral("body")));
    QObject::connect(calendarButton, &QToolButton::clicked, q, &TDateEdit::onShowCalendarBtnClicked);
    q->appendWidget(calendarButton);
    chooser = new TLChooseDateWidget;
    QObject::connect(chooser, &TLChooseDateWidget::confrim, q, &TDateEdit::onChooseDateConfrim);
    QObject::connect(q, &QLineEdit::returnPressed, q, &TDateEdit::onEnterPressed);
}

bool TDateEditPrivate::commitText()
{
    Q_Q(TDateEdit);
    const QString text = q->text();
    if (text.isEmpty())
        return true;
    const QDate typed = QDate::fromString(text, displayFormat);
    return typed.isValid() ? store(typed) : true;
}

bool TDateEditPrivate::store(const QDate &iValue)
{
    Q_Q(TDateEdit);
    const QDate old = value;
    value = TDateEditSupport::clamp(iValue, minimum, maximum);
    q->setText(value.toString(displayFormat));
    if (value == old)
        return true;
    const QDate now = value;
    QPointer<TDateEdit> guard(q);
    Q_EMIT q->dateChanged(now);
    if (guard)
        Q_EMIT q->DateChanged(now);
    return !guard.isNull();
}

void TDateEditPrivate::boundChanged()
{
    Q_Q(TDateEdit);
    QCalendarWidget *calendar = chooser->calendarWidget();
    if (minimum.isValid())
        calendar->setMinimumDate(minimum);
    if (maximum.isValid())
        calendar->setMaximumDate(maximum);
    if (value.isValid() && TDateEditSupport::clamp(value, minimum, maximum) != value)
        q->setDate(value);
}

TDateEdit::TDateEdit(QWidget *iParent)
    : TLineEdit(iParent)
    , d(new TDateEditPrivate(this))
{
    d->build();
}

TDateEdit::TDateEdit(const QDate &iDate, QWidget *iParent)
    : TDateEdit(iParent)
{
    setDate(iDate);
}

TDateEdit::~TDateEdit() { TDateEditSupport::releaseChooser(d->chooser); }

QDate TDateEdit::date() const { return text().isEmpty() ? QDate() : d->value; }

QDate TDateEdit::minimumDate() const { return d->minimum; }

void TDateEdit::setMinimumDate(const QDate &iDate)
{
    d->minimum = iDate;
    d->boundChanged();
}

void TDateEdit::clearMinimumDate() { setMinimumDate(initialMinimum); }

QDate TDateEdit::maximumDate() const { return d->maximum; }

void TDateEdit::setMaximumDate(const QDate &iDate)
{
    d->maximum = iDate;
    d->boundChanged();
}

void TDateEdit::clearMaximumDate() { setMaximumDate(initialMaximum); }

void TDateEdit::setDateRange(const QDate &iMin, const QDate &iMax)
{
    d->minimum = iMin;
    d->maximum = iMax;
    d->boundChanged();
}

QString TDateEdit::displayFormat() const { return d->displayFormat; }

void TDateEdit::setDisplayFormat(const QString &iFormat)
{
    d->displayFormat = iFormat;
    if (d->value.isValid())
        setText(d->value.toString(iFormat));
}

bool TDateEdit::calendarPopup() const { return d->calendarButton->isEnabled(); }

void TDateEdit::setCalendarPopup(bool iEnable) { d->calendarButton->setEnabled(iEnable); }

QCalendarWidget *TDateEdit::calendarWidget() const { return d->chooser->calendarWidget(); }

void TDateEdit::setCalendarWidget(QCalendarWidget *iCalendar) { d->chooser->setCalendarWidget(iCalendar); }

void TDateEdit::setDate(const QDate &iDate) { d->store(iDate); }

QString TDateEdit::dateString() const { return d->value.toString(d->displayFormat); }

void TDateEdit::setDateString(const QString &iDate) { setDate(QDate::fromString(iDate, d->displayFormat)); }

QString TDateEdit::minimumDateString() const { return d->minimum.toString(d->displayFormat); }

void TDateEdit::setMinimumDateString(const QString &iDate)
{
    const QDate bound = QDate::fromString(iDate, d->displayFormat);
    if (bound.isValid())
        setMinimumDate(bound);
}

QString TDateEdit::maximumDateString() const { return d->maximum.toString(d->displayFormat); }

void TDateEdit::setMaximumDateString(const QString &iDate)
{
    const QDate bound = QDate::fromString(iDate, d->displayFormat);
    if (bound.isValid())
        setMaximumDate(bound);
}

bool TDateEdit::isWheelEnabled() const { return d->wheelEnabled; }

void TDateEdit::setWheelEnabled(bool iEnable) { d->wheelEnabled = iEnable; }

QValidator::State TDateEdit::validate(QString &iInput, int &iPos) const
{
    Q_UNUSED(iInput)
    Q_UNUSED(iPos)
    return QValidator::Invalid;
}

void TDateEdit::fixup(QString &iInput) const { Q_UNUSED(iInput) }

QDate TDateEdit::DateFromText(const QString &iText) const { return QDate::fromString(iText, d->displayFormat); }

QString TDateEdit::textFromDate(const QDate &iDate) const { return iDate.toString(d->displayFormat); }

void TDateEdit::wheelEvent(QWheelEvent *iEvent)
{
    if (!d->wheelEnabled || text().isEmpty()) {
        iEvent->ignore();
        return;
    }
    iEvent->accept();
    const int field = TDateEditSupport::wheelFieldIndex(d->displayFormat, cursorPosition(), text().size());
    // Text put in through the attribute interface, or typed, counts first.
    if (!d->commitText() || !d->value.isValid())
        return;
    const int direction = TDateEditSupport::wheelDirection(iEvent) * d->wheelStep;
    QDate stepped = d->value;
    switch (field < 0 ? 0 : d->displayFormat.at(field).unicode()) {
    case 'y':
        stepped = stepped.addYears(direction);
        break;
    case 'M':
        stepped = stepped.addMonths(direction);
        break;
    case 'd':
        stepped = stepped.addDays(direction);
        break;
    default:
        break;
    }
    if (d->store(stepped))
        setCursorPosition(field + 1);
}

void TDateEdit::focusOutEvent(QFocusEvent *iEvent)
{
    if (d->commitText())
        TLineEdit::focusOutEvent(iEvent);
}

bool TDateEdit::focusNextPrevChild(bool iNext)
{
    Q_UNUSED(iNext)
    return false;
}

void TDateEdit::onShowCalendarBtnClicked()
{
    // What the text says now is what the pop-up starts from.
    d->value = QDate::fromString(text(), d->displayFormat);
    d->chooser->setCalendarVisible(TChooserSupport::hasDateLetter(d->displayFormat));
    d->chooser->setConfirmMode(TChooserSupport::SingleStep);
    d->chooser->preselect(d->value);
    TChooserSupport::execBelow(d->chooser, this);
}

void TDateEdit::onEnterPressed() { d->commitText(); }

void TDateEdit::onChooseDateConfrim(QDate iDate) { setDate(iDate); }
