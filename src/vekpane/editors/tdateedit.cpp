#include "tdateedit.h"
#include "tdateedit_p.h"

#include "tchoosersupport_p.h"

#include <QCalendarWidget>
#include <QPointer>

namespace {

const QDate initialMinimum(1900, 1, 1);
const QDate initialMaximum(2100, 12, 31);

} // namespace

TDateEditPrivate::TDateEditPrivate(TDateEdit *iPublic)
    : EditorCore(iPublic, initialMinimum, initialMaximum, QStringLiteral("yyyy-MM-dd"))
    , q_ptr(iPublic)
{}

bool TDateEditPrivate::store(const QDate &iValue)
{
    Q_Q(TDateEdit);
    if (!assign(iValue))
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
    QCalendarWidget *calendar = chooser->calendarWidget();
    if (minimum.isValid())
        calendar->setMinimumDate(minimum);
    if (maximum.isValid())
        calendar->setMaximumDate(maximum);
    reclamp();
}

TDateEdit::TDateEdit(QWidget *iParent)
    : TLineEdit(iParent)
    , d(new TDateEditPrivate(this))
{
    d->build(this, &TDateEdit::onShowCalendarBtnClicked, &TDateEdit::onChooseDateConfrim, &TDateEdit::onEnterPressed);
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
        d->writeText();
}

bool TDateEdit::calendarPopup() const { return d->calendarButton->isEnabled(); }

void TDateEdit::setCalendarPopup(bool iEnable) { d->calendarButton->setEnabled(iEnable); }

QCalendarWidget *TDateEdit::calendarWidget() const { return d->chooser->calendarWidget(); }

void TDateEdit::setCalendarWidget(QCalendarWidget *iCalendar) { d->chooser->setCalendarWidget(iCalendar); }

void TDateEdit::setDate(const QDate &iDate) { d->store(iDate); }

QString TDateEdit::dateString() const { return d->format(d->value); }

void TDateEdit::setDateString(const QString &iDate) { setDate(d->parse(iDate)); }

QString TDateEdit::minimumDateString() const { return d->format(d->minimum); }

void TDateEdit::setMinimumDateString(const QString &iDate)
{
    if (d->readBound(d->minimum, iDate))
        d->boundChanged();
}

QString TDateEdit::maximumDateString() const { return d->format(d->maximum); }

void TDateEdit::setMaximumDateString(const QString &iDate)
{
    if (d->readBound(d->maximum, iDate))
        d->boundChanged();
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

QDate TDateEdit::DateFromText(const QString &iText) const { return d->parse(iText); }

QString TDateEdit::textFromDate(const QDate &iDate) const { return d->format(iDate); }

void TDateEdit::wheelEvent(QWheelEvent *iEvent) { d->wheel(iEvent); }

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
    d->value = d->parse(text());
    d->chooser->setCalendarVisible(TChooserSupport::hasDateLetter(d->displayFormat));
    d->chooser->setConfirmMode(TChooserSupport::SingleStep);
    d->chooser->preselect(d->value);
    TChooserSupport::execBelow(d->chooser, this);
}

void TDateEdit::onEnterPressed() { d->commitText(); }

void TDateEdit::onChooseDateConfrim(QDate iDate) { setDate(iDate); }
