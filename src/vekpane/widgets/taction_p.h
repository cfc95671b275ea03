#ifndef TACTION_P_H
#define TACTION_P_H

#include "taction.h"
#include "tuiwrapper_p.h"

TUI_WRAPPER_PRIVATE(TAction)

#endif // TACTION_P_H
