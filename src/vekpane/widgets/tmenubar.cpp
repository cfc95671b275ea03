#include "tmenubar.h"
#include "tmenubar_p.h"

TUI_WRAPPER_LIFETIME(TMenuBar, QMenuBar)
TUI_WRAPPER_COMMON_KEYS_ONLY(TMenuBar)
