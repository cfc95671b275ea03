#include "tfontcombobox.h"
#include "tfontcombobox_p.h"

TUI_WRAPPER_LIFETIME(TFontComboBox, QFontComboBox)

void TFontComboBox::setAttr(const QString &iKey, const QVariant &iValue)
{
    const QVariant value = TScriptValue::toPlain(iValue);
    _setData(this, iKey, value);
    if (iKey == QLatin1String("value"))
        setCurrentFont(QFont(value.toString()));
}

QVariant TFontComboBox::getAttr(const QString &iKey, const QVariant &iOptions)
{
    if (iKey == QLatin1String("value"))
        return currentFont().family();
    return _getData(this, iKey, iOptions);
}

void TFontComboBox::focusOutEvent(QFocusEvent *iEvent)
{
    if (TUiWrapperSupport::sendFocusOutPair(this, this))
        QFontComboBox::focusOutEvent(iEvent);
}
