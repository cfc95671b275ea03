#include "tlayoutattrs_p.h"

#include "tlogger.h"
#include "tscriptvalue.h"
#include "tuihelper.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QLayoutItem>
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

namespace {

void refuse(const char *iWhat, const char *iName, int iValue, const QString &iWhy)
{
    VEK_LOG(QStringLiteral("%1: %2 %3 %4; nothing changed")
                    .arg(QLatin1String(iWhat), QLatin1String(iName))
                    .arg(iValue)
                    .arg(iWhy),
            "error", 0);
}

bool inRange(const char *iWhat, const char *iName, int iValue, int iLast)
{
    if (iValue >= 0 && iValue <= iLast)
        return true;
    refuse(iWhat, iName, iValue, QStringLiteral("is outside 0..%1").arg(iLast));
    return false;
}

bool spanInRange(const char *iWhat, const char *iName, int iStart, int iSpan)
{
    // Zero and negative spans are QGridLayout's own business: a negative one
    // reaches the far edge, zero draws a warning from it.
    return iSpan <= 0 || TLayoutAttrs::checkAtMost(iWhat, iName, iSpan, TLayoutAttrs::MaxCells - iStart);
}

} // namespace

bool TLayoutAttrs::checkAtMost(const char *iWhat, const char *iName, int iValue, int iMax)
{
    if (iValue <= iMax)
        return true;
    refuse(iWhat, iName, iValue, QStringLiteral("is more than %1").arg(iMax));
    return false;
}

bool TLayoutAttrs::checkIndex(const char *iWhat, const char *iName, int iValue)
{
    return inRange(iWhat, iName, iValue, MaxCells - 1);
}

bool TLayoutAttrs::checkCount(const char *iWhat, const char *iName, int iValue)
{
    return inRange(iWhat, iName, iValue, MaxCells);
}

bool TLayoutAttrs::checkSize(const char *iWhat, const char *iName, int iValue)
{
    return inRange(iWhat, iName, iValue, QLAYOUTSIZE_MAX);
}

bool TLayoutAttrs::checkCell(const char *iWhat, int iRow, int iColumn, int iRowSpan, int iColumnSpan)
{
    return checkIndex(iWhat, "row", iRow) && checkIndex(iWhat, "column", iColumn)
           && spanInRange(iWhat, "row span", iRow, iRowSpan) && spanInRange(iWhat, "column span", iColumn, iColumnSpan);
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
