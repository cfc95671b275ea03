#ifndef TMDIAREA_P_H
#define TMDIAREA_P_H

#include "tmdiarea.h"
#include "tuiwrapper_p.h"

TUI_WRAPPER_PRIVATE(TMdiArea)

#endif // TMDIAREA_P_H
