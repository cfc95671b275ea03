#ifndef TCALENDARWIDGET_P_H
#define TCALENDARWIDGET_P_H

#include "tcalendarwidget.h"
#include "tuiwrapper_p.h"

TUI_WRAPPER_PRIVATE(TCalendarWidget)

#endif // TCALENDARWIDGET_P_H
