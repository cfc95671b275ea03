#include "tdatetimeedit.h"
#include "tdatetimeedit_p.h"

#include "tchoosersupport_p.h"
#include "tscriptvalue.h"

#include <QPointer>

namespace {

const QString defaultFormat = QStringLiteral("yyyy-MM-dd hh:mm:ss");
const QString initialMinimum = QStringLiteral("1900-01-01 00:00:00");
const QString initialMaximum = QStringLiteral("2100-12-31 23:59:59");

QDateTime initialBound(const QString &iText) { return QDateTime::fromString(iText, defaultFormat); }

// A step count from an attribute: only whole numbers count.
bool isStep(const QVariant &iData)
{
    const int type = iData.userType();
    return type == QMetaType::Int || type == QMetaType::UInt;
}

using StepSetter = void (TDateTimeEdit::*)(int);

// What refills the pop-up box a step attribute names; null for other keys.
StepSetter stepSetter(const QString &iKey)
{
    if (iKey == QLatin1String("hour_step"))
        return &TDateTimeEdit::setHourComboList;
    if (iKey == QLatin1String("min_step"))
        return &TDateTimeEdit::setMinuteComboList;
    if (iKey == QLatin1String("sec_step"))
        return &TDateTimeEdit::setSecondComboList;
    return nullptr;
}

} // namespace

TDateTimeEditPrivate::TDateTimeEditPrivate(TDateTimeEdit *iPublic)
    : EditorCore(iPublic, initialBound(initialMinimum), initialBound(initialMaximum), defaultFormat)
    , q_ptr(iPublic)
{
    restoresRejectedText = true;
}

bool TDateTimeEditPrivate::store(const QDateTime &iValue) { return store(iValue, true, true); }

bool TDateTimeEditPrivate::store(const QDateTime &iValue, bool iDateSignal, bool iTimeSignal)
{
    Q_Q(TDateTimeEdit);
    const QDateTime old = value;
    if (!assign(iValue))
        return true;
    const QDateTime now = value;
    QPointer<TDateTimeEdit> guard(q);
    Q_EMIT q->dateTimeChanged(now);
    if (guard && iDateSignal && now.date() != old.date())
        Q_EMIT q->dateChanged(now.date());
    if (guard && iTimeSignal && now.time() != old.time())
        Q_EMIT q->timeChanged(now.time());
    return !guard.isNull();
}

void TDateTimeEditPrivate::settle(QDateTime &ioValue)
{
    if (ioValue.isValid())
        ioValue.setTimeSpec(timeSpec);
}

TDateTimeEdit::TDateTimeEdit(QWidget *iParent)
    : TLineEdit(iParent)
    , d(new TDateTimeEditPrivate(this))
{
    d->build(this, &TDateTimeEdit::onShowCalendarBtnClicked, &TDateTimeEdit::onChooseDateTimeConfrim,
             &TDateTimeEdit::onEnterPressed);
}

TDateTimeEdit::TDateTimeEdit(const QDate &iDate, QWidget *iParent)
    : TDateTimeEdit(iParent)
{
    setDate(iDate);
}

TDateTimeEdit::TDateTimeEdit(const QDateTime &iDateTime, QWidget *iParent)
    : TDateTimeEdit(iParent)
{
    setDateTime(iDateTime);
}

TDateTimeEdit::TDateTimeEdit(const QTime &iTime, QWidget *iParent)
    : TDateTimeEdit(iParent)
{
    setTime(iTime);
}

TDateTimeEdit::~TDateTimeEdit() { TDateEditSupport::releaseChooser(d->chooser); }

QDateTime TDateTimeEdit::dateTime() const { return text().isEmpty() ? QDateTime() : d->value; }

QDate TDateTimeEdit::date() const { return text().isEmpty() ? QDate() : d->value.date(); }

QTime TDateTimeEdit::time() const { return text().isEmpty() ? QTime() : d->value.time(); }

QDateTime TDateTimeEdit::minimumDateTime() const { return d->minimum; }

void TDateTimeEdit::setMinimumDateTime(const QDateTime &iDateTime) { d->minimum = iDateTime; }

void TDateTimeEdit::clearMinimumDateTime() { d->minimum = initialBound(initialMinimum); }

QDateTime TDateTimeEdit::maximumDateTime() const { return d->maximum; }

void TDateTimeEdit::setMaximumDateTime(const QDateTime &iDateTime) { d->maximum = iDateTime; }

void TDateTimeEdit::clearMaximumDateTime() { d->maximum = initialBound(initialMaximum); }

QDate TDateTimeEdit::minimumDate() const { return d->minimum.date(); }

void TDateTimeEdit::setMinimumDate(const QDate &iDate) { d->minimum = QDateTime(iDate, d->minimum.time()); }

void TDateTimeEdit::clearMinimumDate() { setMinimumDate(QDate(1900, 1, 1)); }

QDate TDateTimeEdit::maximumDate() const { return d->maximum.date(); }

void TDateTimeEdit::setMaximumDate(const QDate &iDate) { d->maximum = QDateTime(iDate, d->maximum.time()); }

void TDateTimeEdit::clearMaximumDate() { setMaximumDate(QDate(2100, 12, 31)); }

QTime TDateTimeEdit::minimumTime() const { return d->minimum.time(); }

void TDateTimeEdit::setMinimumTime(const QTime &iTime) { d->minimum = QDateTime(d->minimum.date(), iTime); }

void TDateTimeEdit::clearMinimumTime() { setMinimumTime(QTime(0, 0, 0)); }

QTime TDateTimeEdit::maximumTime() const { return d->maximum.time(); }

void TDateTimeEdit::setMaximumTime(const QTime &iTime) { d->maximum = QDateTime(d->maximum.date(), iTime); }

void TDateTimeEdit::clearMaximumTime() { setMaximumTime(QTime(23, 59, 59)); }

void TDateTimeEdit::setDateRange(const QDate &iMin, const QDate &iMax)
{
    setMinimumDate(iMin);
    setMaximumDate(iMax);
}

void TDateTimeEdit::setDateTimeRange(const QDateTime &iMin, const QDateTime &iMax)
{
    d->minimum = iMin;
    d->maximum = iMax;
}

void TDateTimeEdit::setTimeRange(const QTime &iMin, const QTime &iMax)
{
    setMinimumTime(iMin);
    setMaximumTime(iMax);
}

QString TDateTimeEdit::displayFormat() const { return d->displayFormat; }

void TDateTimeEdit::setDisplayFormat(const QString &iFormat)
{
    d->displayFormat = iFormat;
    if (d->value.isValid())
        d->writeText();
}

bool TDateTimeEdit::calendarPopup() const { return d->calendarButton->isEnabled(); }

void TDateTimeEdit::setCalendarPopup(bool iEnable) { d->calendarButton->setEnabled(iEnable); }

QCalendarWidget *TDateTimeEdit::calendarWidget() const { return d->chooser->calendarWidget(); }

void TDateTimeEdit::setCalendarWidget(QCalendarWidget *iCalendar) { d->chooser->setCalendarWidget(iCalendar); }

Qt::TimeSpec TDateTimeEdit::timeSpec() const { return d->timeSpec; }

void TDateTimeEdit::setTimeSpec(Qt::TimeSpec iSpec)
{
    d->timeSpec = iSpec;
    if (d->value.isValid())
        d->value.setTimeSpec(iSpec);
}

void TDateTimeEdit::setHourComboList(int iStep) { d->chooser->setHourComboList(iStep); }

void TDateTimeEdit::setMinuteComboList(int iStep) { d->chooser->setMinuteComboList(iStep); }

void TDateTimeEdit::setSecondComboList(int iStep) { d->chooser->setSecondComboList(iStep); }

void TDateTimeEdit::clear() {}

void TDateTimeEdit::stepBy(int iSteps) { Q_UNUSED(iSteps) }

void TDateTimeEdit::setAttr(const QString &iKey, const QVariant &iData)
{
    const QVariant plain = TScriptValue::toPlain(iData);
    const int type = plain.userType();
    if (iKey == QLatin1String("value")) {
        if (type == QMetaType::QString)
            setDateTimeString(plain.toString());
        else if (type == QMetaType::QDateTime)
            setDateTime(plain.toDateTime());
        else if (type == QMetaType::QDate)
            setDate(plain.toDate());
        else if (type == QMetaType::QTime)
            setTime(plain.toTime());
    } else if (iKey == QLatin1String("max")) {
        if (type == QMetaType::QString)
            setMaximumDateTimeString(plain.toString());
        else if (type == QMetaType::QDateTime)
            setMaximumDateTime(plain.toDateTime());
    } else if (iKey == QLatin1String("min")) {
        if (type == QMetaType::QString)
            setMinimumDateTimeString(plain.toString());
        else if (type == QMetaType::QDateTime)
            setMinimumDateTime(plain.toDateTime());
    } else if (const StepSetter refill = stepSetter(iKey)) {
        if (isStep(plain)) {
            (this->*refill)(plain.toInt());
            setProperty(iKey.toLatin1().constData(), plain);
        }
    } else if (iKey == QLatin1String("displayFormat")) {
        if (type == QMetaType::QString)
            d->displayFormat = plain.toString().trimmed();
    } else if (iKey == QLatin1String("placeholder_text")) {
        setPlaceholderText(plain.toString());
    }
}

QVariant TDateTimeEdit::getAttr(const QString &iKey, const QVariant &iOptions)
{
    Q_UNUSED(iOptions)
    if (iKey == QLatin1String("value"))
        return dateTimeString();
    if (stepSetter(iKey))
        return property(iKey.toLatin1().constData());
    if (iKey == QLatin1String("displayFormat"))
        return d->displayFormat;
    if (iKey == QLatin1String("max"))
        return maximumDateTimeString();
    if (iKey == QLatin1String("min"))
        return minimumDateTimeString();
    return QVariant();
}

QVariant TDateTimeEdit::getAttr(const QString &iKey) { return getAttr(iKey, QVariant()); }

QVariant TDateTimeEdit::getAttr() { return getAttr(QStringLiteral("value"), QVariant()); }

void TDateTimeEdit::setDateTime(const QDateTime &iDateTime) { d->store(iDateTime, true, true); }

void TDateTimeEdit::setDate(const QDate &iDate)
{
    const QDate date = TDateEditSupport::clamp(iDate, d->minimum.date(), d->maximum.date());
    const QTime time = d->value.time().isValid() ? d->value.time() : QTime(0, 0);
    d->store(date.isValid() ? QDateTime(date, time, d->timeSpec) : QDateTime(), true, false);
}

void TDateTimeEdit::setTime(const QTime &iTime)
{
    const QTime time = TDateEditSupport::clamp(iTime, d->minimum.time(), d->maximum.time());
    // A time alone goes onto the day the date-time editors of Qt start from.
    const QDate date = d->value.date().isValid()
                               ? d->value.date()
                               : TDateEditSupport::clamp(QDate(2000, 1, 1), d->minimum.date(), d->maximum.date());
    d->store(time.isValid() ? QDateTime(date, time, d->timeSpec) : QDateTime(), false, true);
}

QString TDateTimeEdit::dateTimeString() const { return d->format(d->value); }

void TDateTimeEdit::setDateTimeString(const QString &iDateTime) { setDateTime(d->parse(iDateTime)); }

QString TDateTimeEdit::minimumDateTimeString() const { return d->format(d->minimum); }

void TDateTimeEdit::setMinimumDateTimeString(const QString &iDateTime) { d->readBound(d->minimum, iDateTime); }

QString TDateTimeEdit::maximumDateTimeString() const { return d->format(d->maximum); }

void TDateTimeEdit::setMaximumDateTimeString(const QString &iDateTime) { d->readBound(d->maximum, iDateTime); }

bool TDateTimeEdit::isWheelEnabled() const { return d->wheelEnabled; }

void TDateTimeEdit::setWheelEnabled(bool iEnable) { d->wheelEnabled = iEnable; }

QValidator::State TDateTimeEdit::validate(QString &iInput, int &iPos) const
{
    Q_UNUSED(iInput)
    Q_UNUSED(iPos)
    return QValidator::Invalid;
}

void TDateTimeEdit::fixup(QString &iInput) const { Q_UNUSED(iInput) }

QDateTime TDateTimeEdit::dateTimeFromText(const QString &iText) const { return d->parse(iText); }

QString TDateTimeEdit::textFromDateTime(const QDateTime &iDateTime) const { return d->format(iDateTime); }

void TDateTimeEdit::wheelEvent(QWheelEvent *iEvent) { d->wheel(iEvent); }

void TDateTimeEdit::focusOutEvent(QFocusEvent *iEvent)
{
    if (d->commitText())
        TLineEdit::focusOutEvent(iEvent);
}

bool TDateTimeEdit::focusNextPrevChild(bool iNext)
{
    Q_UNUSED(iNext)
    return false;
}

void TDateTimeEdit::onShowCalendarBtnClicked()
{
    const QString format = d->displayFormat;
    // What the text says now is what the pop-up starts from.
    d->value = d->parse(text());
    auto below = [this](const char *iStep, int iLimit) {
        const QVariant step = property(iStep);
        return !step.isValid() || step.toInt() < iLimit;
    };
    const bool calendar = TChooserSupport::hasDateLetter(format);
    d->chooser->setPartsVisible(calendar, format.contains(QLatin1Char('h')) && below("hour_step", 24),
                                format.contains(QLatin1Char('m')) && below("min_step", 60),
                                format.contains(QLatin1Char('s')) && below("sec_step", 60));
    const int timeLetters = TChooserSupport::timeLetterCount(format);
    const bool singlePart = calendar ? timeLetters == 0 : timeLetters == 1;
    d->chooser->setConfirmMode(singlePart ? TChooserSupport::SingleStep : TChooserSupport::DoubleClick);
    d->chooser->preselect(d->value.date(), d->value.time());
    TChooserSupport::execBelow(d->chooser, this);
}

void TDateTimeEdit::onEnterPressed() { d->commitText(); }

void TDateTimeEdit::onChooseDateTimeConfrim(QDateTime iDateTime) { setDateTime(iDateTime); }
