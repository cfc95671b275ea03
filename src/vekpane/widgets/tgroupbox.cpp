#include "tgroupbox.h"
#include "tgroupbox_p.h"

#include "tuiutil.h"

TUI_WRAPPER_LIFETIME(TGroupBox, QGroupBox)

void TGroupBox::setAttr(const QString &iKey, const QVariant &iValue)
{
    const QVariant value = TScriptValue::toPlain(iValue);
    _setData(this, iKey, value);
    if (iKey == QLatin1String("title"))
        setTitle(value.toString());
    else if (iKey == QLatin1String("alignment"))
        setAlignment(int(TUiUtil::str2alignment(value.toString())));
}

QVariant TGroupBox::getAttr(const QString &iKey, const QVariant &iOptions)
{
    if (iKey == QLatin1String("title"))
        return title();
    return _getData(this, iKey, iOptions);
}
