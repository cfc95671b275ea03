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
    if (QWidget *widget = TLayoutAttrs::asWidget(iWgt))
        addWidget(widget, iRow, iColumn, iRowSpan, iColumnSpan, TuiHelper::str2alignment(iAlignment));
}

void TGridLayout::packLayout(QObject *iLayout, int iRow, int iColumn, int iRowSpan, int iColumnSpan,
                             const QString &iAlignment)
{
    if (QLayout *layout = TLayoutAttrs::asLayout(iLayout))
        addLayout(layout, iRow, iColumn, iRowSpan, iColumnSpan, TuiHelper::str2alignment(iAlignment));
}

void TGridLayout::setColumnMinimumWidth(int iColumn, int iMinSize)
{
    QGridLayout::setColumnMinimumWidth(iColumn, iMinSize);
}

void TGridLayout::setColumnStretch(int iColumn, int iStretch) { QGridLayout::setColumnStretch(iColumn, iStretch); }

void TGridLayout::setRowMinimumHeight(int iRow, int iMinSize) { QGridLayout::setRowMinimumHeight(iRow, iMinSize); }

void TGridLayout::setRowStretch(int iRow, int iStretch) { QGridLayout::setRowStretch(iRow, iStretch); }

int TGridLayout::rowMinimumHeight(int iRow) const { return QGridLayout::rowMinimumHeight(iRow); }

int TGridLayout::columnMinimumWidth(int iColumn) const { return QGridLayout::columnMinimumWidth(iColumn); }

int TGridLayout::rowStretch(int iRow) const { return QGridLayout::rowStretch(iRow); }

int TGridLayout::columnStretch(int iColumn) const { return QGridLayout::columnStretch(iColumn); }
