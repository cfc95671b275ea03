#ifndef TUIABSTRACTSLOTS_H
#define TUIABSTRACTSLOTS_H

#include "tuiabstract.h"

/*
 * The part of the TuiAbstract slot set that every script-facing class
 * exposes unchanged, plus the widget event signal. A class declares its own
 * set() and get() (key forms) and its own slots, then ends its slot list with
 * TUI_ABSTRACT_SLOTS. moc expands the macro, so the slots stay script-visible.
 */
#define TUI_ABSTRACT_SLOTS                                                                                             \
public Q_SLOTS:                                                                                                        \
    /*! Sets every entry through the key form of set(), in ascending key order. */                                     \
    void set(const QVariantMap &iAttrMap) override { TuiAbstract::set(iAttrMap); }                                     \
    /*! Map from every key to the key form of get() of it. */                                                          \
    QVariantMap get(const QStringList &iKeys) override { return TuiAbstract::get(iKeys); }                             \
    /*! Stores each entry as the default of its key. */                                                                \
    void setDefault(const QVariantMap &iDataMap) override { TuiAbstract::setDefault(iDataMap); }                       \
    /*! Map from every key to its stored default. */                                                                   \
    QVariantMap getDefault(const QStringList &iKeys) override { return TuiAbstract::getDefault(iKeys); }               \
    /*! The stored default of a key; invalid when none. */                                                             \
    QVariant getDefault(const QString &iKey) override { return TuiAbstract::getDefault(iKey); }                        \
    /*! Sends the widget event: emits signal() with the same three values. */                                          \
    void emitSignal(const QString &iType, const QVariant &iData = QVariant(), const QString &iUuid = QString())        \
            override                                                                                                   \
    {                                                                                                                  \
        Q_EMIT signal(iType, iData, iUuid);                                                                            \
    }                                                                                                                  \
                                                                                                                       \
Q_SIGNALS:                                                                                                             \
    /*! The widget event: its type, its data and the sender's id. */                                                   \
    void signal(const QString &iType, const QVariant &iData, const QString &iUuid);                                    \
                                                                                                                       \
private:

#endif // TUIABSTRACTSLOTS_H
