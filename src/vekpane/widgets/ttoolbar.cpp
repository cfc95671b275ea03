#include "ttoolbar.h"
#include "ttoolbar_p.h"

TUI_WRAPPER_LIFETIME(TToolBar, QToolBar)
TUI_WRAPPER_COMMON_KEYS_ONLY(TToolBar)
