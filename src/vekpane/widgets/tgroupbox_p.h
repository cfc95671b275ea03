#ifndef TGROUPBOX_P_H
#define TGROUPBOX_P_H

#include "tgroupbox.h"
#include "tuiwrapper_p.h"

TUI_WRAPPER_PRIVATE(TGroupBox)

#endif // TGROUPBOX_P_H
