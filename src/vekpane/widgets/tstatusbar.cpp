#include "tstatusbar.h"
#include "tstatusbar_p.h"

TUI_WRAPPER_LIFETIME(TStatusBar, QStatusBar)
TUI_WRAPPER_COMMON_KEYS_ONLY(TStatusBar)
