#ifndef TSTATUSBAR_P_H
#define TSTATUSBAR_P_H

#include "tstatusbar.h"
#include "tuiwrapper_p.h"

TUI_WRAPPER_PRIVATE(TStatusBar)

#endif // TSTATUSBAR_P_H
