#ifndef TMDIAREA_H
#define TMDIAREA_H

#include "tuiwrapper.h"

#include <QMdiArea>

class TMdiAreaPrivate;

/*!
 * The MDI area of the widget library, set and read by attribute name (common keys only).
 */
class VEKPANE_EXPORT TMdiArea : public QMdiArea, public TUiInterface
{
    Q_OBJECT
public:
    explicit TMdiArea(QWidget *iParent = nullptr);

    TUI_WRAPPER(TMdiArea)
};

#endif // TMDIAREA_H
