#ifndef TTEXTATTRS_P_H
#define TTEXTATTRS_P_H

#include "tuievent_p.h"

#include <QMetaType>
#include <QString>
#include <QVariant>

/*
 * What the script-facing text edits share in their attribute handling: the
 * value tests of the keys that take only one type, and the events of the
 * views (the code edit and the text browser) when focus leaves them.
 */
namespace TTextAttrs {

// An int key takes signed and unsigned ints only: a double or a number
// written as text leaves the setting alone.
inline bool isInt(const QVariant &iValue)
{
    return iValue.userType() == QMetaType::Int || iValue.userType() == QMetaType::UInt;
}

inline bool isString(const QVariant &iValue) { return iValue.userType() == QMetaType::QString; }

// "editing_finished", then "value_changed" telling whether the plain text
// differs from the stored default of "value" (true when none is stored).
// Edit is a text edit with the attribute interface.
template<class Edit>
void sendFocusOutEvents(Edit *iEdit)
{
    if (TUiEvent::send(iEdit, iEdit, QStringLiteral("editing_finished")))
        TUiEvent::send(iEdit, iEdit, QStringLiteral("value_changed"),
                       TUiEvent::differsFromStoredDefault(iEdit, iEdit->toPlainText()));
}

} // namespace TTextAttrs

#endif // TTEXTATTRS_P_H
