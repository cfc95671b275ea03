#include "tstackedwidget.h"
#include "tstackedwidget_p.h"

TUI_WRAPPER_LIFETIME(TStackedWidget, QStackedWidget)
TUI_WRAPPER_COMMON_KEYS_ONLY(TStackedWidget)
