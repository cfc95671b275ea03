#ifndef TTOOLBUTTON_H
#define TTOOLBUTTON_H

#include "tuiwrapper.h"

#include <QToolButton>

class TToolButtonPrivate;

/*!
 * The tool button of the widget library. Own keys: "text" (read and written),
 * "icon" (an icon name, used as given) and "color_icon" (an icon name with a
 * colour suffix). A button styled "type=raised" gets a fresh drop shadow after
 * every setAttr(). The button sends no events of its own: listen to clicked().
 */
class VEKPANE_EXPORT TToolButton : public QToolButton, public TUiInterface
{
    Q_OBJECT
public:
    explicit TToolButton(QWidget *iParent = nullptr);

    TUI_WRAPPER(TToolButton)
};

#endif // TTOOLBUTTON_H
