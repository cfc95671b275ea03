#ifndef TTOOLBUTTON_P_H
#define TTOOLBUTTON_P_H

#include "ttoolbutton.h"
#include "tuiwrapper_p.h"

TUI_WRAPPER_PRIVATE(TToolButton)

#endif // TTOOLBUTTON_P_H
