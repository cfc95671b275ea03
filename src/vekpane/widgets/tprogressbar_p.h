#ifndef TPROGRESSBAR_P_H
#define TPROGRESSBAR_P_H

#include "tprogressbar.h"
#include "tuiwrapper_p.h"

TUI_WRAPPER_PRIVATE(TProgressBar)

#endif // TPROGRESSBAR_P_H
