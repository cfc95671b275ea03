#ifndef TTOOLBOX_H
#define TTOOLBOX_H

#include "tuiwrapper.h"

#include <QToolBox>

class TToolBoxPrivate;

/*!
 * The tool box of the widget library, set and read by attribute name (common keys only).
 */
class VEKPANE_EXPORT TToolBox : public QToolBox, public TUiInterface
{
    Q_OBJECT
public:
    explicit TToolBox(QWidget *iParent = nullptr);

    TUI_WRAPPER(TToolBox)
};

#endif // TTOOLBOX_H
