#ifndef TDOCKWIDGET_P_H
#define TDOCKWIDGET_P_H

#include "tdockwidget.h"
#include "tuiwrapper_p.h"

TUI_WRAPPER_PRIVATE(TDockWidget)

#endif // TDOCKWIDGET_P_H
