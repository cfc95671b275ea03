#include "tuiabstract.h"

#include "tscriptvalue.h"
#include "tuicommonattrs_p.h"

#include <QWidget>

TuiAbstract::~TuiAbstract() = default;

QWidget *TuiAbstract::asWidget()
{
    // The implementing class inherits a Qt widget or layout next to us.
    return dynamic_cast<QWidget *>(this);
}

void TuiAbstract::set(const QString &iKey, const QVariant &iValue)
{
    QWidget *widget = asWidget();
    if (!widget)
        return;
    TUiCommonAttrs::write(widget, iKey, iValue,
                          [this](const QString &iType, const QVariant &iData, const QString &iUuid) {
                              emitSignal(iType, iData, iUuid);
                          });
}

void TuiAbstract::set(const QVariantMap &iAttrMap)
{
    const QVariantMap attrs = iAttrMap;
    for (auto it = attrs.cbegin(); it != attrs.cend(); ++it)
        set(it.key(), TScriptValue::toPlain(it.value()));
}

QVariant TuiAbstract::get(const QString &iKey, const QVariant &iOptions)
{
    Q_UNUSED(iOptions)
    return TUiCommonAttrs::read(asWidget(), iKey);
}

QVariantMap TuiAbstract::get(const QStringList &iKeys)
{
    QVariantMap result;
    const QStringList keys = iKeys;
    for (const QString &key : keys)
        result.insert(key, get(key, QVariant()));
    return result;
}

void TuiAbstract::setDefault(const QVariantMap &iDataMap)
{
    QWidget *widget = asWidget();
    if (!widget)
        return;
    const QVariantMap defaults = iDataMap;
    for (auto it = defaults.cbegin(); it != defaults.cend(); ++it)
        widget->setProperty(TUiCommonAttrs::defaultPropertyName(it.key()).constData(),
                            TScriptValue::toPlain(it.value()));
}

QVariant TuiAbstract::getDefault(const QString &iKey)
{
    QWidget *widget = asWidget();
    return widget ? widget->property(TUiCommonAttrs::defaultPropertyName(iKey).constData()) : QVariant();
}

QVariantMap TuiAbstract::getDefault(const QStringList &iKeys)
{
    QVariantMap result;
    QWidget *widget = asWidget();
    if (!widget)
        return result;
    const QStringList keys = iKeys;
    for (const QString &key : keys)
        result.insert(key, widget->property(TUiCommonAttrs::defaultPropertyName(key).constData()));
    return result;
}
