#include "ttoolbox.h"
#include "ttoolbox_p.h"

TUI_WRAPPER_LIFETIME(TToolBox, QToolBox)
TUI_WRAPPER_COMMON_KEYS_ONLY(TToolBox)
