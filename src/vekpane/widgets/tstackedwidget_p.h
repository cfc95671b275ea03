#ifndef TSTACKEDWIDGET_P_H
#define TSTACKEDWIDGET_P_H

#include "tstackedwidget.h"
#include "tuiwrapper_p.h"

TUI_WRAPPER_PRIVATE(TStackedWidget)

#endif // TSTACKEDWIDGET_P_H
