#ifndef TSCROLLBAR_P_H
#define TSCROLLBAR_P_H

#include "tscrollbar.h"
#include "tuiwrapper_p.h"

TUI_WRAPPER_PRIVATE(TScrollBar)

#endif // TSCROLLBAR_P_H
