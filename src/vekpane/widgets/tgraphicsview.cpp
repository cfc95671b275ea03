#include "tgraphicsview.h"
#include "tgraphicsview_p.h"

TUI_WRAPPER_LIFETIME(TGraphicsView, QGraphicsView)
TUI_WRAPPER_COMMON_KEYS_ONLY(TGraphicsView)

void TGraphicsView::focusOutEvent(QFocusEvent *iEvent)
{
    Q_UNUSED(iEvent)
    // The view's own focus-out handling is left out on purpose: the scene
    // keeps its focus item while the view is away.
    TUiWrapperSupport::sendEvent(this, this, QStringLiteral("editing_finished"));
}
