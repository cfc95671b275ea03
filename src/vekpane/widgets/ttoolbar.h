#ifndef TTOOLBAR_H
#define TTOOLBAR_H

#include "tuiwrapper.h"

#include <QToolBar>

class TToolBarPrivate;

/*!
 * The tool bar of the widget library, set and read by attribute name (common keys only).
 */
class VEKPANE_EXPORT TToolBar : public QToolBar, public TUiInterface
{
    Q_OBJECT
public:
    explicit TToolBar(QWidget *iParent = nullptr);

    TUI_WRAPPER(TToolBar)
};

#endif // TTOOLBAR_H
