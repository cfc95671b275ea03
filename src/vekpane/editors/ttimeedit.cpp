#include "ttimeedit.h"
#include "ttimeedit_p.h"

#include "tchoosersupport_p.h"
#include "tdateeditsupport_p.h"
#include "tlchoosetimewidget.h"
#include "tresource.h"
#include "ttoolbutton.h"

#include <QPointer>

namespace {

const QString defaultFormat = QStringLiteral("hh:mm:ss");
const QTime initialMinimum(0, 0, 0);
const QTime initialMaximum(23, 59, 59);

} // namespace

TTimeEditPrivate::TTimeEditPrivate(TTimeEdit *iPublic)
    : minimum(initialMinimum)
    , maximum(initialMaximum)
    , displayFormat(defaultFormat)
    , q_ptr(iPublic)
{}

void TTimeEditPrivate::build()
{
    Q_Q(TTimeEdit);
    calendarButton = new TToolButton(q);
    calendarButton->setIcon(
            TResource::instance()->icon(QStringLiteral("calendar"), QStringLiteral("button"), QStringLiteral("body")));
    QObject::connect(calendarButton, &QToolButton::clicked, q, &TTimeEdit::onShowCalendarBtnClicked);
    q->appendWidget(calendarButton);
    chooser = new TLChooseTimeWidget;
    QObject::connect(chooser, &TLChooseTimeWidget::confrim, q, &TTimeEdit::onChooseTimeConfrim);
    QObject::connect(q, &QLineEdit::returnPressed, q, &TTimeEdit::onEnterPressed);
}

bool TTimeEditPrivate::commitText()
{
    Q_Q(TTimeEdit);
    const QString text = q->text();
    if (text.isEmpty())
        return true;
    const QTime typed = QTime::fromString(text, displayFormat);
    return typed.isValid() ? store(typed) : true;
}

bool TTimeEditPrivate::store(const QTime &iValue)
{
    Q_Q(TTimeEdit);
    const QTime old = value;
    value = TDateEditSupport::clamp(iValue, minimum, maximum);
    q->setText(value.toString(displayFormat));
    if (value == old)
        return true;
    const QTime now = value;
    QPointer<TTimeEdit> guard(q);
    Q_EMIT q->timeChanged(now);
    return !guard.isNull();
}

void TTimeEditPrivate::boundChanged()
{
    Q_Q(TTimeEdit);
    if (value.isValid() && TDateEditSupport::clamp(value, minimum, maximum) != value)
        q->setTime(value);
}

TTimeEdit::TTimeEdit(QWidget *iParent)
    : TLineEdit(iParent)
    , d(new TTimeEditPrivate(this))
{
    d->build();
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
    d->boundChanged();
}

void TTimeEdit::clearMinimumTime() { setMinimumTime(initialMinimum); }

QTime TTimeEdit::maximumTime() const { return d->maximum; }

void TTimeEdit::setMaximumTime(const QTime &iTime)
{
    d->maximum = iTime;
    d->boundChanged();
}

void TTimeEdit::clearMaximumTime() { setMaximumTime(initialMaximum); }

void TTimeEdit::setTimeRange(const QTime &iMin, const QTime &iMax)
{
    d->minimum = iMin;
    d->maximum = iMax;
    d->boundChanged();
}

QString TTimeEdit::displayFormat() const { return d->displayFormat; }

void TTimeEdit::setDisplayFormat(const QString &iFormat)
{
    d->displayFormat = iFormat;
    if (d->value.isValid())
        setText(d->value.toString(iFormat));
}

bool TTimeEdit::calendarPopup() const { return d->calendarButton->isEnabled(); }

void TTimeEdit::setCalendarPopup(bool iEnable) { d->calendarButton->setEnabled(iEnable); }

void TTimeEdit::setHourComboList(int iStep) { d->chooser->setHourComboList(iStep); }

void TTimeEdit::setMinuteComboList(int iStep) { d->chooser->setMinuteComboList(iStep); }

void TTimeEdit::setSecondComboList(int iStep) { d->chooser->setSecondComboList(iStep); }

void TTimeEdit::setTime(const QTime &iTime) { d->store(iTime); }

QString TTimeEdit::timeString() const { return d->value.toString(d->displayFormat); }

void TTimeEdit::setTimeString(const QString &iTime) { setTime(QTime::fromString(iTime, d->displayFormat)); }

QString TTimeEdit::minimumTimeString() const { return d->minimum.toString(d->displayFormat); }

void TTimeEdit::setMinimumTimeString(const QString &iTime)
{
    const QTime bound = QTime::fromString(iTime, d->displayFormat);
    if (bound.isValid())
        setMinimumTime(bound);
}

QString TTimeEdit::maximumTimeString() const { return d->maximum.toString(d->displayFormat); }

void TTimeEdit::setMaximumTimeString(const QString &iTime)
{
    const QTime bound = QTime::fromString(iTime, d->displayFormat);
    if (bound.isValid())
        setMaximumTime(bound);
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

void TTimeEdit::wheelEvent(QWheelEvent *iEvent)
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
    int seconds = 0;
    switch (field < 0 ? 0 : d->displayFormat.at(field).unicode()) {
    case 'h':
        seconds = 3600;
        break;
    case 'm':
        seconds = 60;
        break;
    case 's':
        seconds = 1;
        break;
    default:
        break;
    }
    if (d->store(d->value.addSecs(seconds * direction)))
        setCursorPosition(field + 1);
}

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
    d->value = QTime::fromString(text(), format);
    d->chooser->setPartsVisible(format.contains(QLatin1Char('h')), format.contains(QLatin1Char('m')),
                                format.contains(QLatin1Char('s')));
    d->chooser->setConfirmMode(TChooserSupport::timeLetterCount(format) <= 1 ? TChooserSupport::SingleStep
                                                                             : TChooserSupport::DoubleClick);
    d->chooser->preselect(d->value);
    TChooserSupport::execBelow(d->chooser, this);
}

void TTimeEdit::onEnterPressed() { d->commitText(); }

void TTimeEdit::onChooseTimeConfrim(QTime iTime) { setTime(iTime); }
