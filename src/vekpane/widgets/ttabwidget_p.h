#ifndef TTABWIDGET_P_H
#define TTABWIDGET_P_H

#include "ttabwidget.h"
#include "tuiwrapper_p.h"

TUI_WRAPPER_PRIVATE(TTabWidget)

#endif // TTABWIDGET_P_H
