#ifndef TUIINTERFACE_H
#define TUIINTERFACE_H

#include "vekpane_export.h"

#include <QString>
#include <QVariant>
#include <QVariantMap>

class QObject;
class TUiInterfacePrivate;

/*!
 * Attribute interface of the script-facing widgets: inherited after the Qt
 * base, it lets a widget be configured and read by attribute name, keeps a
 * store of defaults and announces events through the class's Qt signal
 * "signal(QString,QVariant,QString)".
 *
 * A class's setAttr() first hands every key to _setData() (the keys all
 * widgets share) and then looks at its own; its getAttr() answers its own
 * keys and hands the rest to _getData().
 */
class VEKPANE_EXPORT TUiInterface
{
public:
    TUiInterface();
    virtual ~TUiInterface();

    //! Always false.
    virtual bool isTuiReturnable() const;

    //! setAttr() for every entry, in ascending key order.
    virtual void set(const QVariantMap &iAttrMap);
    //! getAttr() of a key given as text; a map key -> getAttr() for a list of keys;
    //! an empty map for anything else.
    virtual QVariant get(const QVariant &iKeys);
    //! setDefaultData() for every entry, in ascending key order.
    virtual void setDefault(const QVariantMap &iDataMap);
    //! As get(), but reading the stored defaults.
    virtual QVariant getDefault(const QVariant &iKeys);

    virtual void setAttr(const QString &iKey, const QVariant &iValue) = 0;
    //! Stores a default; nothing applies it to the widget.
    virtual void setDefaultData(const QString &iKey, const QVariant &iValue);
    virtual QVariant getAttr(const QString &iKey, const QVariant &iOptions) = 0;
    //! The default stored under \a iKey, invalid when none.
    virtual QVariant getDefaultData(const QString &iKey, const QVariant &iOptions = QVariant());

protected:
    //! Applies a common key to \a iObject; "validation_state_changed" goes out through signal().
    virtual void _setData(QObject *iObject, const QString &iKey, const QVariant &iValue);
    //! Reads a common key of \a iObject; the empty key reads this class's "value".
    virtual QVariant _getData(QObject *iObject, const QString &iKey, const QVariant &iOptions);

public:
    //! Implemented by each class as its Qt signal of the same signature.
    virtual void signal(const QString &iType, const QVariant &iData, const QString &iUuid) = 0;

    //! Sends an event through signal().
    void emitSignal(const QString &iType, const QVariant &iData = QVariant(), const QString &iUuid = QString());
    //! Same as setAttr("style", iStyle).
    void setTuiStyle(const QString &iStyle);

private:
    Q_DISABLE_COPY(TUiInterface)
    Q_DECLARE_PRIVATE(TUiInterface)
    TUiInterfacePrivate *d_ptr;
};

#endif // TUIINTERFACE_H
