#ifndef TWIZARD_H
#define TWIZARD_H

#include "tuiwrapper.h"

#include <QWizard>

class TWizardPrivate;

/*!
 * The wizard of the widget library, set and read by attribute name (common keys only).
 */
class VEKPANE_EXPORT TWizard : public QWizard, public TUiInterface
{
    Q_OBJECT
public:
    explicit TWizard(QWidget *iParent = nullptr);

    TUI_WRAPPER(TWizard)
};

#endif // TWIZARD_H
