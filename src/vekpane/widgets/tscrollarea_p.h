#ifndef TSCROLLAREA_P_H
#define TSCROLLAREA_P_H

#include "tscrollarea.h"
#include "tuiwrapper_p.h"

TUI_WRAPPER_PRIVATE(TScrollArea)

#endif // TSCROLLAREA_P_H
