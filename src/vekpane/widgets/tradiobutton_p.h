#ifndef TRADIOBUTTON_P_H
#define TRADIOBUTTON_P_H

#include "tradiobutton.h"
#include "tuiwrapper_p.h"

TUI_WRAPPER_PRIVATE(TRadioButton)

#endif // TRADIOBUTTON_P_H
