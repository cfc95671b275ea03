#include "tvboxlayout.h"
#include "tvboxlayout_p.h"

#include "tboxlayout_p.h"

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

TUI_BOX_LAYOUT_SLOTS(TVBoxLayout)

TUI_LAYOUT_BOUNDS(TVBoxLayout, QVBoxLayout)
