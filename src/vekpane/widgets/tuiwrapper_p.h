#ifndef TUIWRAPPER_P_H
#define TUIWRAPPER_P_H

#include "tscriptvalue.h"
#include "tuievent_p.h"
#include "tuiinterface.h"

#include <QObject>
#include <QString>
#include <QVariant>

// The private part of a plain wrapper: only the way back to its widget.
#define TUI_WRAPPER_PRIVATE(Class)                                                                                     \
    class Class##Private                                                                                               \
    {                                                                                                                  \
        Q_DECLARE_PUBLIC(Class)                                                                                        \
    public:                                                                                                            \
        explicit Class##Private(Class *iPublic)                                                                        \
            : q_ptr(iPublic)                                                                                           \
        {}                                                                                                             \
        Class *q_ptr;                                                                                                  \
    };

// Constructor (parent widget, default window flags) and destructor of a wrapper.
#define TUI_WRAPPER_LIFETIME(Class, QtBase)                                                                            \
    Class::Class(QWidget *iParent)                                                                                     \
        : QtBase(iParent)                                                                                              \
        , TUiInterface()                                                                                               \
        , d(new Class##Private(this))                                                                                  \
    {}                                                                                                                 \
    Class::~Class() = default;

// setAttr()/getAttr() of a wrapper without keys of its own.
#define TUI_WRAPPER_COMMON_KEYS_ONLY(Class)                                                                            \
    void Class::setAttr(const QString &iKey, const QVariant &iValue)                                                   \
    {                                                                                                                  \
        _setData(this, iKey, TScriptValue::toPlain(iValue));                                                           \
    }                                                                                                                  \
    QVariant Class::getAttr(const QString &iKey, const QVariant &iOptions) { return _getData(this, iKey, iOptions); }

namespace TUiWrapperSupport {

// Sends an event of a wrapper (the empty uuid). False when a listener
// destroyed the widget meanwhile, so the caller must not touch it any more.
inline bool sendEvent(QObject *iWidget, TUiInterface *iInterface, const QString &iType,
                      const QVariant &iData = QVariant())
{
    return TUiEvent::send(iWidget, iInterface, iType, iData);
}

// The end of an edit of a value editor: "editing_finished", then
// "value_changed" telling whether the value now differs from its stored
// default (not whether this edit changed it). False when a listener destroyed
// the widget.
inline bool sendFocusOutPair(QObject *iWidget, TUiInterface *iInterface)
{
    if (!sendEvent(iWidget, iInterface, QStringLiteral("editing_finished")))
        return false;
    const QString current = iInterface->getAttr(QString(), QVariant()).toString();
    const QString baseline = iInterface->getDefaultData(QStringLiteral("value"), QVariant()).toString();
    return sendEvent(iWidget, iInterface, QStringLiteral("value_changed"), current != baseline);
}

} // namespace TUiWrapperSupport

#endif // TUIWRAPPER_P_H
