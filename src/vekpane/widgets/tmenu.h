#ifndef TMENU_H
#define TMENU_H

#include "tuiwrapper.h"

#include <QMenu>

class TMenuPrivate;

/*!
 * The menu of the widget library, set and read by attribute name (common keys only).
 */
class VEKPANE_EXPORT TMenu : public QMenu, public TUiInterface
{
    Q_OBJECT
public:
    explicit TMenu(QWidget *iParent = nullptr);

    TUI_WRAPPER(TMenu)
};

#endif // TMENU_H
