#ifndef TFRAME_P_H
#define TFRAME_P_H

#include "tframe.h"
#include "tuiwrapper_p.h"

TUI_WRAPPER_PRIVATE(TFrame)

#endif // TFRAME_P_H
