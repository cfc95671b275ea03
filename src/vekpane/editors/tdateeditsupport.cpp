#include "tdateeditsupport_p.h"

#include "tresource.h"

namespace TDateEditSupport {

namespace {

// Seconds in the time field of a format letter; 0 for any other letter.
int fieldSeconds(QChar iField)
{
    switch (iField.unicode()) {
    case 'h':
        return 3600;
    case 'm':
        return 60;
    case 's':
        return 1;
    default:
        return 0;
    }
}

template<typename T>
T steppedDate(const T &iValue, QChar iField, int iSteps)
{
    switch (iField.unicode()) {
    case 'y':
        return iValue.addYears(iSteps);
    case 'M':
        return iValue.addMonths(iSteps);
    case 'd':
        return iValue.addDays(iSteps);
    default:
        return iValue;
    }
}

} // namespace

QDate stepped(const QDate &iValue, QChar iField, int iSteps) { return steppedDate(iValue, iField, iSteps); }

QTime stepped(const QTime &iValue, QChar iField, int iSteps) { return iValue.addSecs(fieldSeconds(iField) * iSteps); }

QDateTime stepped(const QDateTime &iValue, QChar iField, int iSteps)
{
    const int seconds = fieldSeconds(iField);
    return seconds != 0 ? iValue.addSecs(seconds * iSteps) : steppedDate(iValue, iField, iSteps);
}

TToolButton *appendCalendarButton(TLineEdit *iEditor)
{
    auto *button = new TToolButton(iEditor);
    button->setIcon(
            TResource::instance()->icon(QStringLiteral("calendar"), QStringLiteral("button"), QStringLiteral("body")));
    iEditor->appendWidget(button);
    return button;
}

} // namespace TDateEditSupport
