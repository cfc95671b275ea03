#ifndef TMENUBAR_P_H
#define TMENUBAR_P_H

#include "tmenubar.h"
#include "tuiwrapper_p.h"

TUI_WRAPPER_PRIVATE(TMenuBar)

#endif // TMENUBAR_P_H
