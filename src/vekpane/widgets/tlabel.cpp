#include "tlabel.h"
#include "tlabel_p.h"

#include "tuiutil.h"

TUI_WRAPPER_LIFETIME(TLabel, QLabel)

void TLabel::setAttr(const QString &iKey, const QVariant &iValue)
{
    const QVariant value = TScriptValue::toPlain(iValue);
    _setData(this, iKey, value);
    if (iKey == QLatin1String("value") || iKey == QLatin1String("text"))
        setText(value.toString());
    else if (iKey == QLatin1String("alignment"))
        setAlignment(TUiUtil::str2alignment(value.toString()));
}

QVariant TLabel::getAttr(const QString &iKey, const QVariant &iOptions)
{
    if (iKey == QLatin1String("value") || iKey == QLatin1String("text"))
        return text();
    return _getData(this, iKey, iOptions);
}

void TLabel::mouseReleaseEvent(QMouseEvent *iEvent)
{
    QLabel::mouseReleaseEvent(iEvent);
    TUiWrapperSupport::sendEvent(this, this, QStringLiteral("clicked"));
}
