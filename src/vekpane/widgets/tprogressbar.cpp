#include "tprogressbar.h"
#include "tprogressbar_p.h"

TUI_WRAPPER_LIFETIME(TProgressBar, QProgressBar)
TUI_WRAPPER_COMMON_KEYS_ONLY(TProgressBar)
