#ifndef TTOOLBOX_P_H
#define TTOOLBOX_P_H

#include "ttoolbox.h"
#include "tuiwrapper_p.h"

TUI_WRAPPER_PRIVATE(TToolBox)

#endif // TTOOLBOX_P_H
