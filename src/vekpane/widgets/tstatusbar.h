#ifndef TSTATUSBAR_H
#define TSTATUSBAR_H

#include "tuiwrapper.h"

#include <QStatusBar>

class TStatusBarPrivate;

/*!
 * The status bar of the widget library, set and read by attribute name (common keys only).
 */
class VEKPANE_EXPORT TStatusBar : public QStatusBar, public TUiInterface
{
    Q_OBJECT
public:
    explicit TStatusBar(QWidget *iParent = nullptr);

    TUI_WRAPPER(TStatusBar)
};

#endif // TSTATUSBAR_H
