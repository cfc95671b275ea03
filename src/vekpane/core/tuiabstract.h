#ifndef TUIABSTRACT_H
#define TUIABSTRACT_H

#include "vekpane_export.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>

class QWidget;

/*!
 * Attribute interface of the widgets and layouts that scripts create.
 *
 * Each class re-declares these operations as public slots: its set() handles
 * its own keys and passes any other key to TuiAbstract::set(), its get() the
 * same with TuiAbstract::get(), and its emitSignal() emits the class's Qt
 * signal "signal(QString,QVariant,QString)". The common keys act on the
 * object as a widget; on a layout they do nothing. Defaults live on the
 * widget as dynamic properties "__default__<key>".
 */
class VEKPANE_EXPORT TuiAbstract
{
public:
    TuiAbstract() = default;
    TuiAbstract(const TuiAbstract &) = default;
    TuiAbstract &operator=(const TuiAbstract &) = default;
    virtual ~TuiAbstract();

    //! Applies a common key; "validation_state_changed" goes out through emitSignal().
    virtual void set(const QString &iKey, const QVariant &iValue);
    //! set() for every entry, in ascending key order.
    virtual void set(const QVariantMap &iAttrMap);
    //! Reads a common key; invalid for other keys and when this is no widget.
    virtual QVariant get(const QString &iKey, const QVariant &iOptions = QVariant());
    //! Map from every key to get() of it.
    virtual QVariantMap get(const QStringList &iKeys);
    //! Stores each entry as the widget's property "__default__<key>".
    virtual void setDefault(const QVariantMap &iDataMap);
    //! The stored default of \a iKey; invalid when none.
    virtual QVariant getDefault(const QString &iKey);
    //! Map from every key to its stored default.
    virtual QVariantMap getDefault(const QStringList &iKeys);
    //! Implemented by each class by emitting its Qt signal "signal".
    virtual void emitSignal(const QString &iType, const QVariant &iData, const QString &iUuid) = 0;

private:
    QWidget *asWidget();
};

#endif // TUIABSTRACT_H
