#include "tmenu.h"
#include "tmenu_p.h"

TUI_WRAPPER_LIFETIME(TMenu, QMenu)
TUI_WRAPPER_COMMON_KEYS_ONLY(TMenu)
