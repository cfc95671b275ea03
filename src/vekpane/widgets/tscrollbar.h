#ifndef TSCROLLBAR_H
#define TSCROLLBAR_H

#include "tuiwrapper.h"

#include <QScrollBar>

class TScrollBarPrivate;

/*!
 * The scroll bar of the widget library, set and read by attribute name (common keys only).
 */
class VEKPANE_EXPORT TScrollBar : public QScrollBar, public TUiInterface
{
    Q_OBJECT
public:
    explicit TScrollBar(QWidget *iParent = nullptr);

    TUI_WRAPPER(TScrollBar)
};

#endif // TSCROLLBAR_H
