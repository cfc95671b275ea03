#include "twizardpage.h"
#include "twizardpage_p.h"

TUI_WRAPPER_LIFETIME(TWizardPage, QWizardPage)
TUI_WRAPPER_COMMON_KEYS_ONLY(TWizardPage)
