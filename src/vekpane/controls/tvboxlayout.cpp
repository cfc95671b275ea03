#include "tvboxlayout.h"
#include "tvboxlayout_p.h"

#include "tcontrolsupport_p.h"
#include "tlayoutattrs_p.h"

TVBoxLayout::TVBoxLayout(QWidget *iParent)
    : QVBoxLayout(iParent)
    , d(new TVBoxLayoutPrivate(this))
{
    VEK_LOG(QStringLiteral("new vboxlayout 0x%1").arg(TControlSupport::address(this)), "debug", 5);
}

TVBoxLayout::~TVBoxLayout()
{
    VEK_LOG(QStringLiteral("destroy vboxlayout 0x%1").arg(TControlSupport::address(this)), "debug", 5);
}

void TVBoxLayout::set(const QString &iKey, const QVariant &iValue)
{
    if (!TLayoutAttrs::write(this, iKey, iValue))
        TuiAbstract::set(iKey, iValue);
}

QVariant TVBoxLayout::get(const QString &iKey, const QVariant &iOptions)
{
    QVariant value;
    return TLayoutAttrs::read(this, iKey, value) ? value : TuiAbstract::get(iKey, iOptions);
}

void TVBoxLayout::packWidget(QObject *iWgt, int iStretch, const QString &iAlignment)
{
    TLayoutAttrs::packWidget(this, iWgt, iStretch, iAlignment);
}

void TVBoxLayout::packLayout(QObject *iLayout, int iStretch) { TLayoutAttrs::packLayout(this, iLayout, iStretch); }

void TVBoxLayout::packStretch(int iStretch) { addStretch(iStretch); }

void TVBoxLayout::packSpacing(int iSpacing) { addSpacing(iSpacing); }
