#include "tmdiarea.h"
#include "tmdiarea_p.h"

TUI_WRAPPER_LIFETIME(TMdiArea, QMdiArea)
TUI_WRAPPER_COMMON_KEYS_ONLY(TMdiArea)
