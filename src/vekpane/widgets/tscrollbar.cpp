#include "tscrollbar.h"
#include "tscrollbar_p.h"

TUI_WRAPPER_LIFETIME(TScrollBar, QScrollBar)
TUI_WRAPPER_COMMON_KEYS_ONLY(TScrollBar)
