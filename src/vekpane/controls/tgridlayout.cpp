#include "tgridlayout.h"
#include "tgridlayout_p.h"

#include "tcontrolsupport_p.h"
#include "tlayoutattrs_p.h"
#include "tuihelper.h"

TGridLayout::TGridLayout(QWidget *iParent)
    : QGridLayout(iParent)
    , d(new TGridLayoutPrivate(this))
{
    VEK_LOG(QStringLiteral("new gridlayout 0x%1").arg(TControlSupport::address(this)), "debug", 5);
}

TGridLayout::~TGridLayout()
{
    VEK_LOG(QStringLiteral("destroy gridlayout 0x%1").arg(TControlSupport::address(this)), "debug", 5);
}

void TGridLayout::set(const QString &iKey, const QVariant &iValue)
{
    if (!TLayoutAttrs::write(this, iKey, iValue))
        TuiAbstract::set(iKey, iValue);
}

QVariant TGridLayout::get(const QString &iKey, const QVariant &iOptions)
{
    QVariant value;
    if (TLayoutAttrs::read(this, iKey, value))
        return value;
    if (iKey == QLatin1String("column_count"))
        return columnCount();
    if (iKey == QLatin1String("row_count"))
        return rowCount();
    return TuiAbstract::get(iKey, iOptions);
}

void TGridLayout::packWidget(QObject *iWgt, int iRow, int iColumn, int iRowSpan, int iColumnSpan,
                             const QString &iAlignment)
{
    QWidget *widget = TLayoutAttrs::asWidget(iWgt);
    if (widget && TLayoutAttrs::checkCell("TGridLayout::packWidget", iRow, iColumn, iRowSpan, iColumnSpan))
        addWidget(widget, iRow, iColumn, iRowSpan, iColumnSpan, TuiHelper::str2alignment(iAlignment));
}

void TGridLayout::packLayout(QObject *iLayout, int iRow, int iColumn, int iRowSpan, int iColumnSpan,
                             const QString &iAlignment)
{
    QLayout *layout = TLayoutAttrs::asLayout(iLayout);
    if (layout && TLayoutAttrs::checkCell("TGridLayout::packLayout", iRow, iColumn, iRowSpan, iColumnSpan))
        addLayout(layout, iRow, iColumn, iRowSpan, iColumnSpan, TuiHelper::str2alignment(iAlignment));
}

// QGridLayout indexes its per-row and per-column vectors unchecked, and grows
// them to any row or column it is given: a script's number is checked first.

void TGridLayout::setColumnMinimumWidth(int iColumn, int iMinSize)
{
    const char *what = "TGridLayout::setColumnMinimumWidth";
    if (TLayoutAttrs::checkIndex(what, "column", iColumn) && TLayoutAttrs::checkPixels(what, "minimum width", iMinSize))
        QGridLayout::setColumnMinimumWidth(iColumn, iMinSize);
}

void TGridLayout::setColumnStretch(int iColumn, int iStretch)
{
    const char *what = "TGridLayout::setColumnStretch";
    if (TLayoutAttrs::checkIndex(what, "column", iColumn) && TLayoutAttrs::checkStretch(what, "stretch", iStretch))
        QGridLayout::setColumnStretch(iColumn, iStretch);
}

void TGridLayout::setRowMinimumHeight(int iRow, int iMinSize)
{
    const char *what = "TGridLayout::setRowMinimumHeight";
    if (TLayoutAttrs::checkIndex(what, "row", iRow) && TLayoutAttrs::checkPixels(what, "minimum height", iMinSize))
        QGridLayout::setRowMinimumHeight(iRow, iMinSize);
}

void TGridLayout::setRowStretch(int iRow, int iStretch)
{
    const char *what = "TGridLayout::setRowStretch";
    if (TLayoutAttrs::checkIndex(what, "row", iRow) && TLayoutAttrs::checkStretch(what, "stretch", iStretch))
        QGridLayout::setRowStretch(iRow, iStretch);
}

// Beyond the grid's rows and columns nothing is set: the neutral 0.

int TGridLayout::rowMinimumHeight(int iRow) const
{
    return iRow >= 0 && iRow < rowCount() ? QGridLayout::rowMinimumHeight(iRow) : 0;
}

int TGridLayout::columnMinimumWidth(int iColumn) const
{
    return iColumn >= 0 && iColumn < columnCount() ? QGridLayout::columnMinimumWidth(iColumn) : 0;
}

int TGridLayout::rowStretch(int iRow) const
{
    return iRow >= 0 && iRow < rowCount() ? QGridLayout::rowStretch(iRow) : 0;
}

int TGridLayout::columnStretch(int iColumn) const
{
    return iColumn >= 0 && iColumn < columnCount() ? QGridLayout::columnStretch(iColumn) : 0;
}

TUI_LAYOUT_BOUNDS(TGridLayout, QGridLayout)
