#include "tscriptvalue.h"

#include <QJSValue>
#include <QVariantList>
#include <QVariantMap>

QVariant TScriptValue::toPlain(const QVariant &iValue)
{
    const int type = iValue.userType();
    if (type == qMetaTypeId<QJSValue>()) {
        const QJSValue js = iValue.value<QJSValue>();
        if (js.isUndefined() || js.isNull())
            return QVariant();
        return toPlain(js.toVariant());
    }
    if (type == QMetaType::QVariantList) {
        QVariantList list = iValue.toList();
        for (QVariant &v : list)
            v = toPlain(v);
        return list;
    }
    if (type == QMetaType::QVariantMap) {
        QVariantMap map = iValue.toMap();
        for (auto it = map.begin(); it != map.end(); ++it)
            it.value() = toPlain(it.value());
        return map;
    }
    return iValue;
}
