#ifndef TGRAPHICSVIEW_H
#define TGRAPHICSVIEW_H

#include "tuiwrapper.h"

#include <QGraphicsView>

class TGraphicsViewPrivate;

/*!
 * The graphics view of the widget library (common keys only). A focus loss
 * is reported as "editing_finished" and goes no further.
 */
class VEKPANE_EXPORT TGraphicsView : public QGraphicsView, public TUiInterface
{
    Q_OBJECT
public:
    explicit TGraphicsView(QWidget *iParent = nullptr);

    TUI_WRAPPER(TGraphicsView)

protected:
    void focusOutEvent(QFocusEvent *iEvent) override;
};

#endif // TGRAPHICSVIEW_H
