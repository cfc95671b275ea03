#ifndef TCONTROLSUPPORT_P_H
#define TCONTROLSUPPORT_P_H

#include "tlogger.h"
#include "tuiabstract.h"

#include <QObject>
#include <QPointer>
#include <QString>

namespace TControlSupport {

// The id a control sends with its own events and writes in its trace lines:
// its address as lower-case hexadecimal digits.
inline QString address(const void *iObject) { return QString::number(reinterpret_cast<quintptr>(iObject), 16); }

// Sends one of the control's own events with its address as uuid. False when
// a listener destroyed the control meanwhile (a script closing its form), so
// the caller must not touch it any more.
inline bool sendEvent(QObject *iControl, TuiAbstract *iInterface, const QString &iType,
                      const QVariant &iData = QVariant())
{
    QPointer<QObject> guard(iControl);
    iInterface->emitSignal(iType, iData, address(iControl));
    return !guard.isNull();
}

} // namespace TControlSupport

#endif // TCONTROLSUPPORT_P_H
