#ifndef TUIINTERFACESLOTS_H
#define TUIINTERFACESLOTS_H

#include "tuiinterface.h"

/*
 * The part of the TUiInterface slot set that every script-facing class on that
 * interface exposes unchanged, plus the widget event signal. A class declares
 * its own setAttr()/getAttr() and its own slots, and writes TUI_INTERFACE_SLOTS
 * inside its class body; moc expands the macro, so the slots stay script-visible.
 *
 * The macro ends in the Q_SIGNALS section: write the access you want next
 * explicitly after it (public:, protected:, private:).
 *
 * The signal has no default arguments on purpose: a script connecting to
 * "signal" must get the one overload that carries type, data and uuid.
 */
#define TUI_INTERFACE_SLOTS                                                                                            \
public Q_SLOTS:                                                                                                        \
    /*! setAttr() for every entry, in ascending key order. */                                                          \
    void set(const QVariantMap &iAttrMap) override { TUiInterface::set(iAttrMap); }                                    \
    /*! getAttr() of one key given as text; a map key -> value for a list of keys. */                                  \
    QVariant get(const QVariant &iKeys) override { return TUiInterface::get(iKeys); }                                  \
    /*! Stores each entry as the default of its key; nothing is applied. */                                            \
    void setDefault(const QVariantMap &iDataMap) override { TUiInterface::setDefault(iDataMap); }                      \
    /*! As get(), reading the stored defaults. */                                                                      \
    QVariant getDefault(const QVariant &iKeys) override { return TUiInterface::getDefault(iKeys); }                    \
    /*! Stores the default of one key; nothing is applied. */                                                          \
    void setDefaultData(const QString &iKey, const QVariant &iValue) override                                          \
    {                                                                                                                  \
        TUiInterface::setDefaultData(iKey, iValue);                                                                    \
    }                                                                                                                  \
    /*! The default stored under a key; invalid when none. */                                                          \
    QVariant getDefaultData(const QString &iKey, const QVariant &iOptions = QVariant()) override                       \
    {                                                                                                                  \
        return TUiInterface::getDefaultData(iKey, iOptions);                                                           \
    }                                                                                                                  \
                                                                                                                       \
Q_SIGNALS:                                                                                                             \
    /*! The widget event: its type, its data and the sender's id. */                                                   \
    void signal(const QString &iType, const QVariant &iData, const QString &iUuid) override;

#endif // TUIINTERFACESLOTS_H
