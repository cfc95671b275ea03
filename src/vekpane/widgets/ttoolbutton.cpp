#include "ttoolbutton.h"
#include "ttoolbutton_p.h"

#include "tresource.h"
#include "ttheme.h"

#include <QGraphicsDropShadowEffect>

TUI_WRAPPER_LIFETIME(TToolButton, QToolButton)

void TToolButton::setAttr(const QString &iKey, const QVariant &iValue)
{
    const QVariant value = TScriptValue::toPlain(iValue);
    _setData(this, iKey, value);
    if (iKey == QLatin1String("text"))
        setText(value.toString());
    else if (iKey == QLatin1String("icon"))
        setIcon(TResource::instance()->icon(value.toString(), QStringLiteral("button"), QStringLiteral("body")));
    else if (iKey == QLatin1String("color_icon"))
        setIcon(TResource::instance()->colorIcon(value.toString()));

    // The shadow follows the style whatever key was set, so a restyle to
    // "raised" takes effect at once; setGraphicsEffect() deletes the old one.
    if (property("SS_TYPE").toString() == QLatin1String("RAISED"))
        setGraphicsEffect(TTheme::instance()->getShadowEffect(1, QStringLiteral("center")));
}

QVariant TToolButton::getAttr(const QString &iKey, const QVariant &iOptions)
{
    if (iKey == QLatin1String("text"))
        return text();
    return _getData(this, iKey, iOptions);
}
