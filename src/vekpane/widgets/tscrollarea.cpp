#include "tscrollarea.h"
#include "tscrollarea_p.h"

#include "tuiutil.h"

TUI_WRAPPER_LIFETIME(TScrollArea, QScrollArea)

void TScrollArea::setAttr(const QString &iKey, const QVariant &iValue)
{
    const QVariant value = TScriptValue::toPlain(iValue);
    _setData(this, iKey, value);
    // Typed on purpose: the text "true" or a number is not taken for these keys.
    if (iKey == QLatin1String("widget_resizable")) {
        if (value.userType() == QMetaType::Bool)
            setWidgetResizable(value.toBool());
    } else if (iKey == QLatin1String("frame_shape")) {
        if (value.userType() == QMetaType::QString)
            setFrameShape(TUiUtil::str2shape(value.toString().trimmed()));
    }
}

QVariant TScrollArea::getAttr(const QString &iKey, const QVariant &iOptions)
{
    if (iKey == QLatin1String("widget_resizable"))
        return widgetResizable();
    if (iKey == QLatin1String("frame_shape"))
        return QVariant::fromValue(frameShape());
    return _getData(this, iKey, iOptions);
}
