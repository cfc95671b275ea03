#ifndef TUIWRAPPER_H
#define TUIWRAPPER_H

#include "tuiinterfaceslots.h"
#include "vekpane_export.h"

#include <QString>
#include <QVariant>

#include <memory>

/*
 * The shape every plain script-facing widget shares: a Qt widget first, the
 * attribute interface TUiInterface second. Inside the class body, after
 * Q_OBJECT and the constructors, TUI_WRAPPER(Class) declares the destructor,
 * the script-visible setAttr()/getAttr() slots with their short forms, the
 * slots the interface keeps unchanged, the event signal "signal", and the
 * d-pointer to ClassPrivate (which the class's _p.h makes with
 * TUI_WRAPPER_PRIVATE). moc expands the macro, so the slots are seen by
 * scripts.
 *
 * The macro ends in a private section: write the access you want next.
 */
#define TUI_WRAPPER(Class)                                                                                             \
public:                                                                                                                \
    ~Class() override;                                                                                                 \
                                                                                                                       \
public Q_SLOTS:                                                                                                        \
    /*! Applies the common keys, then the class's own keys (matched case-sensitively). */                              \
    void setAttr(const QString &iKey, const QVariant &iValue) override;                                                \
    /*! Reads an own key; any other key, and the empty key, go to the common reader. */                                \
    QVariant getAttr(const QString &iKey, const QVariant &iOptions) override;                                          \
    /*! getAttr() without options. */                                                                                  \
    QVariant getAttr(const QString &iKey) { return getAttr(iKey, QVariant()); }                                        \
    /*! The value: getAttr() of the empty key. */                                                                      \
    QVariant getAttr() { return getAttr(QString(), QVariant()); }                                                      \
                                                                                                                       \
    TUI_INTERFACE_SLOTS                                                                                                \
                                                                                                                       \
private:                                                                                                               \
    Q_DISABLE_COPY(Class)                                                                                              \
    Q_DECLARE_PRIVATE_D(d, Class)                                                                                      \
    const std::unique_ptr<Class##Private> d;

#endif // TUIWRAPPER_H
