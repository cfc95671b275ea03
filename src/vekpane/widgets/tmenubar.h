#ifndef TMENUBAR_H
#define TMENUBAR_H

#include "tuiwrapper.h"

#include <QMenuBar>

class TMenuBarPrivate;

/*!
 * The menu bar of the widget library, set and read by attribute name (common keys only).
 */
class VEKPANE_EXPORT TMenuBar : public QMenuBar, public TUiInterface
{
    Q_OBJECT
public:
    explicit TMenuBar(QWidget *iParent = nullptr);

    TUI_WRAPPER(TMenuBar)
};

#endif // TMENUBAR_H
