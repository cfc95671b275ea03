#include "thboxlayout.h"
#include "thboxlayout_p.h"

#include "tcontrolsupport_p.h"
#include "tlayoutattrs_p.h"

THBoxLayout::THBoxLayout(QWidget *iParent)
    : QHBoxLayout(iParent)
    , d(new THBoxLayoutPrivate(this))
{
    VEK_LOG(QStringLiteral("new hboxlayout 0x%1").arg(TControlSupport::address(this)), "debug", 5);
}

THBoxLayout::~THBoxLayout()
{
    VEK_LOG(QStringLiteral("destroy hboxlayout 0x%1").arg(TControlSupport::address(this)), "debug", 5);
}

void THBoxLayout::set(const QString &iKey, const QVariant &iValue)
{
    if (!TLayoutAttrs::write(this, iKey, iValue))
        TuiAbstract::set(iKey, iValue);
}

QVariant THBoxLayout::get(const QString &iKey, const QVariant &iOptions)
{
    QVariant value;
    return TLayoutAttrs::read(this, iKey, value) ? value : TuiAbstract::get(iKey, iOptions);
}

void THBoxLayout::packWidget(QObject *iWgt, int iStretch, const QString &iAlignment)
{
    TLayoutAttrs::packWidget(this, iWgt, iStretch, iAlignment);
}

void THBoxLayout::packLayout(QObject *iLayout, int iStretch) { TLayoutAttrs::packLayout(this, iLayout, iStretch); }

void THBoxLayout::packStretch(int iStretch) { addStretch(iStretch); }

void THBoxLayout::packSpacing(int iSpacing) { addSpacing(iSpacing); }
