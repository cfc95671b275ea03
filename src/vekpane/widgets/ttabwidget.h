#ifndef TTABWIDGET_H
#define TTABWIDGET_H

#include "tuiwrapper.h"

#include <QTabWidget>

class TTabWidgetPrivate;

/*!
 * The tab widget of the widget library, set and read by attribute name (common keys only).
 */
class VEKPANE_EXPORT TTabWidget : public QTabWidget, public TUiInterface
{
    Q_OBJECT
public:
    explicit TTabWidget(QWidget *iParent = nullptr);

    TUI_WRAPPER(TTabWidget)
};

#endif // TTABWIDGET_H
