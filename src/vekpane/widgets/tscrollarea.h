#ifndef TSCROLLAREA_H
#define TSCROLLAREA_H

#include "tuiwrapper.h"

#include <QScrollArea>

class TScrollAreaPrivate;

/*!
 * The scroll area of the widget library. Own keys: "widget_resizable" (a bool) and
 * "frame_shape" (a shape name when written, the QFrame::Shape value when read).
 */
class VEKPANE_EXPORT TScrollArea : public QScrollArea, public TUiInterface
{
    Q_OBJECT
public:
    explicit TScrollArea(QWidget *iParent = nullptr);

    TUI_WRAPPER(TScrollArea)
};

#endif // TSCROLLAREA_H
