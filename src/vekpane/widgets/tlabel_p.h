#ifndef TLABEL_P_H
#define TLABEL_P_H

#include "tlabel.h"
#include "tuiwrapper_p.h"

TUI_WRAPPER_PRIVATE(TLabel)

#endif // TLABEL_P_H
