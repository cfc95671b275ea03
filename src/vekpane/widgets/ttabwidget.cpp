#include "ttabwidget.h"
#include "ttabwidget_p.h"

TUI_WRAPPER_LIFETIME(TTabWidget, QTabWidget)
TUI_WRAPPER_COMMON_KEYS_ONLY(TTabWidget)
