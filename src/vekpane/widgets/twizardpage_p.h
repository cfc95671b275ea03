#ifndef TWIZARDPAGE_P_H
#define TWIZARDPAGE_P_H

#include "tuiwrapper_p.h"
#include "twizardpage.h"

TUI_WRAPPER_PRIVATE(TWizardPage)

#endif // TWIZARDPAGE_P_H
