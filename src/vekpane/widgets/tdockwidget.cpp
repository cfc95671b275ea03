#include "tdockwidget.h"
#include "tdockwidget_p.h"

TUI_WRAPPER_LIFETIME(TDockWidget, QDockWidget)

void TDockWidget::setAttr(const QString &iKey, const QVariant &iValue)
{
    const QVariant value = TScriptValue::toPlain(iValue);
    _setData(this, iKey, value);
    if (iKey == QLatin1String("window_title"))
        setWindowTitle(value.toString());
}

QVariant TDockWidget::getAttr(const QString &iKey, const QVariant &iOptions)
{
    if (iKey == QLatin1String("window_title"))
        return windowTitle();
    return _getData(this, iKey, iOptions);
}
