#ifndef TGRAPHICSVIEW_P_H
#define TGRAPHICSVIEW_P_H

#include "tgraphicsview.h"
#include "tuiwrapper_p.h"

TUI_WRAPPER_PRIVATE(TGraphicsView)

#endif // TGRAPHICSVIEW_P_H
