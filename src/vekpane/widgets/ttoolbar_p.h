#ifndef TTOOLBAR_P_H
#define TTOOLBAR_P_H

#include "ttoolbar.h"
#include "tuiwrapper_p.h"

TUI_WRAPPER_PRIVATE(TToolBar)

#endif // TTOOLBAR_P_H
