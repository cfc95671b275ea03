#ifndef TMENU_P_H
#define TMENU_P_H

#include "tmenu.h"
#include "tuiwrapper_p.h"

TUI_WRAPPER_PRIVATE(TMenu)

#endif // TMENU_P_H
