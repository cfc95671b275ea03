#ifndef TPROGRESSBAR_H
#define TPROGRESSBAR_H

#include "tuiwrapper.h"

#include <QProgressBar>

class TProgressBarPrivate;

/*!
 * The progress bar of the widget library, set and read by attribute name (common keys only).
 */
class VEKPANE_EXPORT TProgressBar : public QProgressBar, public TUiInterface
{
    Q_OBJECT
public:
    explicit TProgressBar(QWidget *iParent = nullptr);

    TUI_WRAPPER(TProgressBar)
};

#endif // TPROGRESSBAR_H
