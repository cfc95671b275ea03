#include "ttimeedit.h"
#include "ttimeedit_p.h"

#include "tchoosersupport_p.h"

#include <QPointer>

namespace {

const QTime initialMinimum(0, 0, 0);
const QTime initialMaximum(23, 59, 59);

} // namespace

TTimeEditPrivate::TTimeEditPrivate(TTimeEdit *iPublic)
    : EditorCore(iPublic, initialMinimum, initialMaximum, QStringLiteral("hh:mm:ss"))
    , q_ptr(iPublic)
{}

bool TTimeEditPrivate::store(const QTime &iValue)
{
    Q_Q(TTimeEdit);
    if (!assign(iValue))
        return true;
    const QTime now = value;
    QPointer<TTimeEdit> guard(q);
    Q_EMIT q->timeChanged(now);
    return !guard.isNull();
}

TTimeEdit::TTimeEdit(QWidget *iParent)
    : TLineEdit(iParent)
    , d(new TTimeEditPrivate(this))
{
    d->build(this, &TTimeEdit::onShowCalendarBtnClicked, &TTimeEdit::onChooseTimeConfrim, &TTimeEdit::onEnterPressed);
}

TTimeEdit::TTimeEdit(const QTime &iTime, QWidget *iParent)
    : TTimeEdit(iParent)
{
    setTime(iTime);
}

TTimeEdit::~TTimeEdit() { TDateEditSupport::releaseChooser(d->chooser); }

QTime TTimeEdit::time() const { return text().isEmpty() ? QTime() : d->value; }

QTime TTimeEdit::minimumTime() const { return d->minimum; }

void TTimeEdit::setMinimumTime(const QTime &iTime)
{
    d->minimum = iTime;
    d->reclamp();
}

void TTimeEdit::clearMinimumTime() { setMinimumTime(initialMinimum); }

QTime TTimeEdit::maximumTime() const { return d->maximum; }

void TTimeEdit::setMaximumTime(const QTime &iTime)
{
    d->maximum = iTime;
    d->reclamp();
}

void TTimeEdit::clearMaximumTime() { setMaximumTime(initialMaximum); }

void TTimeEdit::setTimeRange(const QTime &iMin, const QTime &iMax)
{
    d->minimum = iMin;
    d->maximum = iMax;
    d->reclamp();
}

QString TTimeEdit::displayFormat() const { return d->displayFormat; }

void TTimeEdit::setDisplayFormat(const QString &iFormat)
{
    d->displayFormat = iFormat;
    if (d->value.isValid())
        d->writeText();
}

bool TTimeEdit::calendarPopup() const { return d->calendarButton->isEnabled(); }

void TTimeEdit::setCalendarPopup(bool iEnable) { d->calendarButton->setEnabled(iEnable); }

void TTimeEdit::setHourComboList(int iStep) { d->chooser->setHourComboList(iStep); }

void TTimeEdit::setMinuteComboList(int iStep) { d->chooser->setMinuteComboList(iStep); }

void TTimeEdit::setSecondComboList(int iStep) { d->chooser->setSecondComboList(iStep); }

void TTimeEdit::setTime(const QTime &iTime) { d->store(iTime); }

QString TTimeEdit::timeString() const { return d->format(d->value); }

void TTimeEdit::setTimeString(const QString &iTime) { setTime(d->parse(iTime)); }

QString TTimeEdit::minimumTimeString() const { return d->format(d->minimum); }

void TTimeEdit::setMinimumTimeString(const QString &iTime)
{
    if (d->readBound(d->minimum, iTime))
        d->reclamp();
}

QString TTimeEdit::maximumTimeString() const { return d->format(d->maximum); }

void TTimeEdit::setMaximumTimeString(const QString &iTime)
{
    if (d->readBound(d->maximum, iTime))
        d->reclamp();
}

bool TTimeEdit::isWheelEnabled() const { return d->wheelEnabled; }

void TTimeEdit::setWheelEnabled(bool iEnable) { d->wheelEnabled = iEnable; }

QValidator::State TTimeEdit::validate(QString &iInput, int &iPos) const
{
    Q_UNUSED(iInput)
    Q_UNUSED(iPos)
    return QValidator::Invalid;
}

void TTimeEdit::fixup(QString &iInput) const { Q_UNUSED(iInput) }

QDateTime TTimeEdit::dateTimeFromText(const QString &iText) const
{
    return QDateTime::fromString(iText, d->displayFormat);
}

QString TTimeEdit::textFromDateTime(const QDateTime &iDateTime) const { return iDateTime.toString(d->displayFormat); }

void TTimeEdit::wheelEvent(QWheelEvent *iEvent) { d->wheel(iEvent); }

void TTimeEdit::focusOutEvent(QFocusEvent *iEvent)
{
    if (d->commitText())
        TLineEdit::focusOutEvent(iEvent);
}

bool TTimeEdit::focusNextPrevChild(bool iNext)
{
    Q_UNUSED(iNext)
    return false;
}

void TTimeEdit::onShowCalendarBtnClicked()
{
    const QString format = d->displayFormat;
    // What the text says now is what the pop-up starts from.
    d->value = d->parse(text());
    d->chooser->setPartsVisible(format.contains(QLatin1Char('h')), format.contains(QLatin1Char('m')),
                                format.contains(QLatin1Char('s')));
    d->chooser->setConfirmMode(TChooserSupport::timeLetterCount(format) <= 1 ? TChooserSupport::SingleStep
                                                                             : TChooserSupport::DoubleClick);
    d->chooser->preselect(d->value);
    TChooserSupport::execBelow(d->chooser, this);
}

void TTimeEdit::onEnterPressed() { d->commitText(); }

void TTimeEdit::onChooseTimeConfrim(QTime iTime) { setTime(iTime); }
