#ifndef TSTACKEDWIDGET_H
#define TSTACKEDWIDGET_H

#include "tuiwrapper.h"

#include <QStackedWidget>

class TStackedWidgetPrivate;

/*!
 * The stacked widget of the widget library, set and read by attribute name (common keys only).
 */
class VEKPANE_EXPORT TStackedWidget : public QStackedWidget, public TUiInterface
{
    Q_OBJECT
public:
    explicit TStackedWidget(QWidget *iParent = nullptr);

    TUI_WRAPPER(TStackedWidget)
};

#endif // TSTACKEDWIDGET_H
