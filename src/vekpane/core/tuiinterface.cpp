#include "tuiinterface.h"
#include "tuiinterface_p.h"

#include "tscriptvalue.h"
#include "tuicommonattrs_p.h"

#include <QStringList>

namespace {

// get() and getDefault() share their key forms: one text, or a list of texts.
template<typename Read>
QVariant readKeys(const QVariant &iKeys, Read iRead)
{
    const QVariant keys = TScriptValue::toPlain(iKeys);
    const int type = keys.userType();
    if (type == QMetaType::QString)
        return iRead(keys.toString());
    QVariantMap result;
    if (type == QMetaType::QVariantList || type == QMetaType::QStringList) {
        const QVariantList list = keys.toList();
        for (const QVariant &key : list)
            result.insert(key.toString(), iRead(key.toString()));
    }
    return result;
}

} // namespace

TUiInterface::TUiInterface()
    : d_ptr(new TUiInterfacePrivate(this))
{}

TUiInterface::~TUiInterface() { delete d_ptr; }

bool TUiInterface::isTuiReturnable() const { return false; }

void TUiInterface::set(const QVariantMap &iAttrMap)
{
    // A copy: a handler may change the caller's map while we walk it.
    const QVariantMap attrs = iAttrMap;
    for (auto it = attrs.cbegin(); it != attrs.cend(); ++it)
        setAttr(it.key(), TScriptValue::toPlain(it.value()));
}

QVariant TUiInterface::get(const QVariant &iKeys)
{
    return readKeys(iKeys, [this](const QString &key) { return getAttr(key, QVariant()); });
}

void TUiInterface::setDefault(const QVariantMap &iDataMap)
{
    const QVariantMap defaults = iDataMap;
    for (auto it = defaults.cbegin(); it != defaults.cend(); ++it)
        setDefaultData(it.key(), TScriptValue::toPlain(it.value()));
}

QVariant TUiInterface::getDefault(const QVariant &iKeys)
{
    return readKeys(iKeys, [this](const QString &key) { return getDefaultData(key, QVariant()); });
}

void TUiInterface::setDefaultData(const QString &iKey, const QVariant &iValue)
{
    Q_D(TUiInterface);
    d->defaults.insert(iKey, TScriptValue::toPlain(iValue));
}

QVariant TUiInterface::getDefaultData(const QString &iKey, const QVariant &iOptions)
{
    Q_UNUSED(iOptions)
    Q_D(TUiInterface);
    return d->defaults.value(iKey);
}

void TUiInterface::_setData(QObject *iObject, const QString &iKey, const QVariant &iValue)
{
    TUiCommonAttrs::write(
            iObject, iKey, iValue,
            [this](const QString &iType, const QVariant &iData, const QString &iUuid) { signal(iType, iData, iUuid); });
}

QVariant TUiInterface::_getData(QObject *iObject, const QString &iKey, const QVariant &iOptions)
{
    Q_UNUSED(iOptions)
    if (iKey.isEmpty())
        return getAttr(QStringLiteral("value"), QVariant());
    return TUiCommonAttrs::read(iObject, iKey);
}

void TUiInterface::emitSignal(const QString &iType, const QVariant &iData, const QString &iUuid)
{
    signal(iType, iData, iUuid);
}

void TUiInterface::setTuiStyle(const QString &iStyle) { setAttr(QStringLiteral("style"), iStyle); }
