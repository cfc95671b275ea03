#include "thboxlayout.h"
#include "thboxlayout_p.h"

#include "tboxlayout_p.h"

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

TUI_BOX_LAYOUT_SLOTS(THBoxLayout)

TUI_LAYOUT_BOUNDS(THBoxLayout, QHBoxLayout)
