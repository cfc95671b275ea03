#include "tscriptvalue.h"

#include <QJSValue>
#include <QVariantList>
#include <QVariantMap>

#include <algorithm>

namespace {

// Whether a value holds a script value anywhere. Most values arriving from
// C++ hold none, and walking them read-only keeps their (possibly large)
// lists and maps shared instead of copying every element.
bool holdsScriptValue(const QVariant &iValue)
{
    const int type = iValue.userType();
    if (type == qMetaTypeId<QJSValue>())
        return true;
    if (type == QMetaType::QVariantList) {
        const QVariantList list = iValue.toList();
        return std::any_of(list.cbegin(), list.cend(), holdsScriptValue);
    }
    if (type == QMetaType::QVariantMap) {
        const QVariantMap map = iValue.toMap();
        return std::any_of(map.cbegin(), map.cend(), holdsScriptValue);
    }
    return false;
}

} // namespace

QVariant TScriptValue::toPlain(const QVariant &iValue)
{
    if (!holdsScriptValue(iValue))
        return iValue;
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
