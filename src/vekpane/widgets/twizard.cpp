#include "twizard.h"
#include "twizard_p.h"

TUI_WRAPPER_LIFETIME(TWizard, QWizard)
TUI_WRAPPER_COMMON_KEYS_ONLY(TWizard)
