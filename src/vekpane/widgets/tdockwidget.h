#ifndef TDOCKWIDGET_H
#define TDOCKWIDGET_H

#include "tuiwrapper.h"

#include <QDockWidget>

class TDockWidgetPrivate;

/*!
 * The dock widget of the widget library. Own key: "window_title" (read and written).
 */
class VEKPANE_EXPORT TDockWidget : public QDockWidget, public TUiInterface
{
    Q_OBJECT
public:
    explicit TDockWidget(QWidget *iParent = nullptr);

    TUI_WRAPPER(TDockWidget)
};

#endif // TDOCKWIDGET_H
