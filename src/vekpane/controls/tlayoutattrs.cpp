#include "tlayoutattrs_p.h"

#include "tlogger.h"
#include "tscriptvalue.h"
#include "tuicommonattrs_p.h"
#include "tuihelper.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QLayoutItem>
#include <QWidget>

bool TLayoutAttrs::write(QLayout *iLayout, const QString &iKey, const QVariant &iValue)
{
    QGridLayout *grid = qobject_cast<QGridLayout *>(iLayout);
    const bool isMargin = iKey == QLatin1String("margin");
    if (!isMargin && iKey != QLatin1String("spacing")
        && !(grid && (iKey == QLatin1String("hspacing") || iKey == QLatin1String("vspacing"))))
        return false;
    // A margin below 0 means nothing; a spacing of -1 is the style's.
    int value = 0;
    if (!TUiCommonAttrs::checkNumber(
                QStringLiteral("%1 \"%2\"").arg(QLatin1String(iLayout->metaObject()->className()), iKey),
                QStringLiteral("value"), TScriptValue::toPlain(iValue), isMargin ? 0 : -1, TUiCommonAttrs::MaxPixels,
                &value))
        return true;
    if (isMargin)
        iLayout->setContentsMargins(value, value, value, value);
    else if (iKey == QLatin1String("spacing"))
        iLayout->setSpacing(value);
    else if (iKey == QLatin1String("hspacing"))
        grid->setHorizontalSpacing(value);
    else
        grid->setVerticalSpacing(value);
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
    return TUiCommonAttrs::checkRange(QLatin1String(iWhat), QLatin1String(iName), iValue, 0, iLast);
}

int bound(int iValue, int iBound) { return qMin(iValue, qMax(0, iBound)); }

// "Class::slot" for an error line.
QByteArray slotName(const QObject *iObject, const char *iSlot)
{
    return QByteArray(iObject->metaObject()->className()) + "::" + iSlot;
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

bool TLayoutAttrs::checkPixels(const char *iWhat, const char *iName, int iValue)
{
    return inRange(iWhat, iName, iValue, TUiCommonAttrs::MaxPixels);
}

bool TLayoutAttrs::checkStretch(const char *iWhat, const char *iName, int iValue)
{
    return inRange(iWhat, iName, iValue, TUiCommonAttrs::MaxPixels);
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
    QWidget *widget = asWidget(iWgt);
    if (widget && checkStretch(slotName(iBox, "packWidget").constData(), "stretch", iStretch))
        iBox->addWidget(widget, iStretch, TuiHelper::str2alignment(iAlignment));
}

void TLayoutAttrs::packLayout(QBoxLayout *iBox, QObject *iLayout, int iStretch)
{
    QLayout *layout = asLayout(iLayout);
    if (layout && checkStretch(slotName(iBox, "packLayout").constData(), "stretch", iStretch))
        iBox->addLayout(layout, iStretch);
}

void TLayoutAttrs::packStretch(QBoxLayout *iBox, int iStretch)
{
    if (checkStretch(slotName(iBox, "packStretch").constData(), "stretch", iStretch))
        iBox->addStretch(iStretch);
}

void TLayoutAttrs::packSpacing(QBoxLayout *iBox, int iSpacing)
{
    if (checkPixels(slotName(iBox, "packSpacing").constData(), "spacing", iSpacing))
        iBox->addSpacing(iSpacing);
}

QSize TLayoutAttrs::bounded(const QLayout *iLayout, const QSize &iSize)
{
    int width = TUiCommonAttrs::MaxPixels;
    int height = TUiCommonAttrs::MaxPixels;
    // A widget's own layout is the one whose parent is that widget; Qt adds
    // the widget's margins to what this layout asks for.
    const QObject *parent = iLayout->parent();
    if (parent && parent->isWidgetType()) {
        const QMargins m = static_cast<const QWidget *>(parent)->contentsMargins();
        width -= m.left() + m.right();
        height -= m.top() + m.bottom();
    }
    return QSize(bound(iSize.width(), width), bound(iSize.height(), height));
}

int TLayoutAttrs::boundedHeight(const QLayout *iLayout, int iHeight)
{
    return iHeight < 0 ? iHeight : bounded(iLayout, QSize(0, iHeight)).height();
}
