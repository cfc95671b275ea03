#ifndef TLOADINGBAR_H
#define TLOADINGBAR_H

#include "tuiwrapper.h"

#include <QWidget>

class TLoadingBarPrivate;

/*!
 * An overlay a script lays over a window while something loads: a mask over
 * the window's content and, along its bottom edge, a strip with a spinner, a
 * text, an optional remark and a progress line. It takes its parent's
 * rectangle once, when constructed (a frameless window in normal state keeps
 * its 5-pixel shadow border free); the owner shows and hides it.
 *
 * Own keys, written only: "text", "detail" (the remark, hidden while empty),
 * "percent" (below 0 hides the progress line and the spinner's number) and
 * "data" (a map with any of the three).
 */
class VEKPANE_EXPORT TLoadingBar : public QWidget, public TUiInterface
{
    Q_OBJECT
public:
    explicit TLoadingBar(QWidget *iParent = nullptr);

    TUI_WRAPPER(TLoadingBar)
};

#endif // TLOADINGBAR_H
