#include "tscriptvalue.h"
#include "tscriptvalue_p.h"

#include "terror.h"
#include "tlogger.h"

#include <QJSEngine>
#include <QJSValue>
#include <QJSValueIterator>
#include <QQmlEngine>
#include <QVariantList>
#include <QVariantMap>

#include <algorithm>

namespace {

QJSEngine *engineOf(const QJSValue &iValue)
{
    // Qt 5 has no other way from a value to the engine that made it.
    QT_WARNING_PUSH
    QT_WARNING_DISABLE_DEPRECATED
    return iValue.engine();
    QT_WARNING_POP
}

// One conversion. A value that holds itself gives an empty list or map where
// it comes round again, as the engine's own conversion does; a value deeper
// than the limit stops the whole conversion.
class Converter
{
public:
    QVariant fromVariant(const QVariant &iValue, int iDepth);
    QVariant fromScript(const QJSValue &iValue, int iDepth);
    // Whether a value holds a script value anywhere. Most values arriving
    // from C++ hold none, and walking them read-only keeps their (possibly
    // large) lists and maps shared instead of copying every element.
    bool holdsScriptValue(const QVariant &iValue, int iDepth);

    bool tooDeep = false;

private:
    bool enter(int iDepth);
    bool onPath(const QJSValue &iValue) const;
    bool useEngineOf(const QJSValue &iValue);
    bool isPlainObject(const QJSValue &iValue);
    QVariant oneLevel(const QJSValue &iValue);
    QVariant fromArray(const QJSValue &iArray, int iDepth);
    QVariant fromObject(const QJSValue &iObject, int iDepth);

    // The arrays and objects from the top down to the one being converted.
    QList<QJSValue> path;
    QJSEngine *engine = nullptr;
    TScriptValueProbe *probe = nullptr;
    QJSValue take;
    QJSValue objectPrototype;
};

bool Converter::enter(int iDepth)
{
    if (iDepth > TScriptValue::DepthLimit)
        tooDeep = true;
    return !tooDeep;
}

bool Converter::onPath(const QJSValue &iValue) const
{
    return std::any_of(path.cbegin(), path.cend(),
                       [&iValue](const QJSValue &iOnPath) { return iOnPath.strictlyEquals(iValue); });
}

bool Converter::holdsScriptValue(const QVariant &iValue, int iDepth)
{
    const int type = iValue.userType();
    if (type == qMetaTypeId<QJSValue>())
        return true;
    if (type != QMetaType::QVariantList && type != QMetaType::QVariantMap)
        return false;
    if (!enter(iDepth))
        return false;
    const auto holds
            = [this, iDepth](const QVariant &iChild) { return holdsScriptValue(iChild, iDepth + 1) || tooDeep; };
    if (type == QMetaType::QVariantList) {
        const QVariantList list = iValue.toList();
        return std::any_of(list.cbegin(), list.cend(), holds) && !tooDeep;
    }
    const QVariantMap map = iValue.toMap();
    return std::any_of(map.cbegin(), map.cend(), holds) && !tooDeep;
}

QVariant Converter::fromVariant(const QVariant &iValue, int iDepth)
{
    const int type = iValue.userType();
    if (type == qMetaTypeId<QJSValue>()) {
        const QJSValue js = iValue.value<QJSValue>();
        if (js.isUndefined() || js.isNull())
            return QVariant();
        return fromScript(js, iDepth);
    }
    if (type == QMetaType::QVariantList) {
        if (!enter(iDepth))
            return QVariant();
        QVariantList list = iValue.toList();
        for (QVariant &v : list) {
            v = fromVariant(v, iDepth + 1);
            if (tooDeep)
                return QVariant();
        }
        return list;
    }
    if (type == QMetaType::QVariantMap) {
        if (!enter(iDepth))
            return QVariant();
        QVariantMap map = iValue.toMap();
        for (auto it = map.begin(); it != map.end(); ++it) {
            it.value() = fromVariant(it.value(), iDepth + 1);
            if (tooDeep)
                return QVariant();
        }
        return map;
    }
    return iValue;
}

QVariant Converter::fromScript(const QJSValue &iValue, int iDepth)
{
    if (!iValue.isObject())
        return iValue.toVariant();
    // The engine's conversion gives functions no value.
    if (iValue.isCallable())
        return QVariant();
    if (iValue.isArray())
        return fromArray(iValue, iDepth);
    if (iValue.isQObject() || iValue.isDate() || iValue.isRegExp() || iValue.isQMetaObject())
        return iValue.toVariant();
    // A wrapped variant is handed back as it is, but it may hold lists.
    if (iValue.isVariant())
        return fromVariant(iValue.toVariant(), iDepth);
    // Object literals, the common case, need not ask the engine: the values
    // it converts as themselves all have prototypes of their own.
    if (isPlainObject(iValue))
        return fromObject(iValue, iDepth);
    const QVariant one = oneLevel(iValue);
    if (one.userType() != qMetaTypeId<QJSValue>())
        return one;
    return fromObject(iValue, iDepth);
}

bool Converter::useEngineOf(const QJSValue &iValue)
{
    QJSEngine *own = engineOf(iValue);
    if (own != engine) {
        engine = own;
        probe = nullptr;
        take = QJSValue();
        objectPrototype = QJSValue();
    }
    return engine != nullptr;
}

bool Converter::isPlainObject(const QJSValue &iValue)
{
    if (!useEngineOf(iValue))
        return false;
    // Not the global Object's: a script may replace it or put a getter there.
    if (objectPrototype.isUndefined())
        objectPrototype = engine->newObject().prototype();
    return objectPrototype.isObject() && iValue.prototype().strictlyEquals(objectPrototype);
}

QVariant Converter::oneLevel(const QJSValue &iValue)
{
    // Without the engine's word the value is walked as an object.
    const QVariant asObject = QVariant::fromValue(iValue);
    if (!useEngineOf(iValue))
        return asObject;
    if (!probe) {
        probe = engine->findChild<TScriptValueProbe *>(QString(), Qt::FindDirectChildrenOnly);
        if (!probe)
            probe = new TScriptValueProbe(engine);
        QQmlEngine::setObjectOwnership(probe, QQmlEngine::CppOwnership);
        take = engine->newQObject(probe).property(QStringLiteral("take"));
    }
    if (!take.isCallable())
        return asObject;
    // Only the engine's type tests run here, never script.
    const QJSValue result = take.call({iValue});
    QVariant one;
    std::swap(one, probe->taken);
    return result.isError() ? asObject : one;
}

QVariant Converter::fromArray(const QJSValue &iArray, int iDepth)
{
    if (onPath(iArray))
        return QVariantList();
    if (!enter(iDepth))
        return QVariant();
    path.append(iArray);
    QVariantList list;
    // An int as the engine reads it: a length past its range converts to nothing there too.
    const int length = iArray.property(QStringLiteral("length")).toInt();
    for (int i = 0; i < length && !tooDeep; ++i)
        list.append(fromScript(iArray.property(quint32(i)), iDepth + 1));
    path.removeLast();
    return tooDeep ? QVariant() : QVariant(list);
}

QVariant Converter::fromObject(const QJSValue &iObject, int iDepth)
{
    if (onPath(iObject))
        return QVariantMap();
    if (!enter(iDepth))
        return QVariant();
    path.append(iObject);
    QVariantMap map;
    // Own names, each value read once. The engine's conversion leaves out the
    // few own names that are not enumerable, but asking costs a script call
    // per name: ten times the conversion for a list of rows.
    QJSValueIterator it(iObject);
    while (!tooDeep && it.hasNext()) {
        it.next();
        map.insert(it.name(), fromScript(it.value(), iDepth + 1));
    }
    path.removeLast();
    return tooDeep ? QVariant() : QVariant(map);
}

QVariant refuse(TError *oError)
{
    const QString text = QStringLiteral("script value refused: its lists and maps are nested deeper than %1 levels")
                                 .arg(TScriptValue::DepthLimit);
    if (oError)
        oError->setError(text, QStringLiteral("Error"));
    else
        VEK_LOG(text, "error", 0);
    return QVariant();
}

} // namespace

QVariant TScriptValue::toPlain(const QVariant &iValue, TError *oError)
{
    Converter converter;
    if (!converter.holdsScriptValue(iValue, 1))
        return converter.tooDeep ? refuse(oError) : iValue;
    const QVariant plain = converter.fromVariant(iValue, 1);
    return converter.tooDeep ? refuse(oError) : plain;
}

QVariant TScriptValue::toVariant(const QJSValue &iValue, TError *oError)
{
    Converter converter;
    const QVariant plain = converter.fromScript(iValue, 1);
    return converter.tooDeep ? refuse(oError) : plain;
}
