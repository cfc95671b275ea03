#ifndef TUIEVENT_P_H
#define TUIEVENT_P_H

#include "tuiinterface.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>

// Event helpers of the widgets on the first attribute interface, whose events
// carry the empty uuid.
namespace TUiEvent {

// Sends one widget event. False when a listener destroyed the widget meanwhile
// (a script closing its form), so the caller must not touch it any more.
inline bool send(QObject *iWidget, TUiInterface *iInterface, const QString &iType, const QVariant &iData = QVariant())
{
    QPointer<QObject> guard(iWidget);
    iInterface->emitSignal(iType, iData, QString());
    return !guard.isNull();
}

// The flag of "value_changed" where a missing default reads as the empty text.
inline bool differsFromDefaultText(TUiInterface *iInterface, const QString &iCurrent)
{
    return iInterface->getDefaultData(QStringLiteral("value")).toString() != iCurrent;
}

// The flag of "value_changed" where only a stored, equal default gives false.
inline bool differsFromStoredDefault(TUiInterface *iInterface, const QString &iCurrent)
{
    const QVariant def = iInterface->getDefaultData(QStringLiteral("value"));
    return !def.isValid() || def.toString() != iCurrent;
}

} // namespace TUiEvent

#endif // TUIEVENT_P_H
