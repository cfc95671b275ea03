#include "tlayoutattrs_p.h"

#include "tscriptvalue.h"
#include "tuihelper.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QWidget>

bool TLayoutAttrs::write(QLayout *iLayout, const QString &iKey, const QVariant &iValue)
{
    const int value = TScriptValue::toPlain(iValue).toInt();
    QGridLayout *grid = qobject_cast<QGridLayout *>(iLayout);
    if (iKey == QLatin1String("spacing"))
        iLayout->setSpacing(value);
    else if (iKey == QLatin1String("margin"))
        iLayout->setContentsMargins(value, value, value, value);
    else if (grid && iKey == QLatin1String("hspacing"))
        grid->setHorizontalSpacing(value);
    else if (grid && iKey == QLatin1String("vspacing"))
        grid->setVerticalSpacing(value);
    else
        return false;
    return true;
}

bool TLayoutAttrs::read(const QLayout *iLayout, const QString &iKey, QVariant &oValue)
{
    const QGridLayout *grid = qobject_cast<const QGridLayout *>(iLayout);
    if (iKey == QLatin1String("spacing"))
        oValue = iLayout->spacing();
    else if (iKey == QLatin1String("margin"))
        oValue = margin(iLayout);
    else if (grid && iKey == QLatin1String("hspacing"))
        oValue = grid->horizontalSpacing();
    else if (grid && iKey == QLatin1String("vspacing"))
        oValue = grid->verticalSpacing();
    else
        return false;
    return true;
}

int TLayoutAttrs::margin(const QLayout *iLayout)
{
    const QMargins m = iLayout->contentsMargins();
    return (m.left() == m.top() && m.left() == m.right() && m.left() == m.bottom()) ? m.left() : -1;
}

QWidget *TLayoutAttrs::asWidget(QObject *iObject) { return qobject_cast<QWidget *>(iObject); }

QLayout *TLayoutAttrs::asLayout(QObject *iObject) { return qobject_cast<QLayout *>(iObject); }

void TLayoutAttrs::packWidget(QBoxLayout *iBox, QObject *iWgt, int iStretch, const QString &iAlignment)
{
    if (QWidget *widget = asWidget(iWgt))
        iBox->addWidget(widget, iStretch, TuiHelper::str2alignment(iAlignment));
}

void TLayoutAttrs::packLayout(QBoxLayout *iBox, QObject *iLayout, int iStretch)
{
    if (QLayout *layout = asLayout(iLayout))
        iBox->addLayout(layout, iStretch);
}
