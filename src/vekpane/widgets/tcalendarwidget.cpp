#include "tcalendarwidget.h"
#include "tcalendarwidget_p.h"

TUI_WRAPPER_LIFETIME(TCalendarWidget, QCalendarWidget)

void TCalendarWidget::setAttr(const QString &iKey, const QVariant &iValue)
{
    const QVariant value = TScriptValue::toPlain(iValue);
    _setData(this, iKey, value);
    if (iKey == QLatin1String("value"))
        setSelectedDate(QDate::fromString(value.toString(), QStringLiteral("yyyy-MM-dd")));
}

QVariant TCalendarWidget::getAttr(const QString &iKey, const QVariant &iOptions)
{
    if (iKey == QLatin1String("value"))
        return selectedDate().toString(QStringLiteral("yyyy-MM-dd"));
    return _getData(this, iKey, iOptions);
}

void TCalendarWidget::focusOutEvent(QFocusEvent *iEvent)
{
    if (TUiWrapperSupport::sendFocusOutPair(this, this))
        QCalendarWidget::focusOutEvent(iEvent);
}
