#include "tstackedlayout.h"
#include "tstackedlayout_p.h"

TStackedLayout::TStackedLayout(QWidget *iParent)
    : QStackedLayout(iParent)
    , d(new TStackedLayoutPrivate(this))
{}

TStackedLayout::~TStackedLayout() = default;
