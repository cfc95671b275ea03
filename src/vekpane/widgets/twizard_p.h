#ifndef TWIZARD_P_H
#define TWIZARD_P_H

#include "tuiwrapper_p.h"
#include "twizard.h"

TUI_WRAPPER_PRIVATE(TWizard)

#endif // TWIZARD_P_H
