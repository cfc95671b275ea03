#ifndef TWIZARDPAGE_H
#define TWIZARDPAGE_H

#include "tuiwrapper.h"

#include <QWizardPage>

class TWizardPagePrivate;

/*!
 * A wizard page of the widget library, set and read by attribute name (common keys only).
 */
class VEKPANE_EXPORT TWizardPage : public QWizardPage, public TUiInterface
{
    Q_OBJECT
public:
    explicit TWizardPage(QWidget *iParent = nullptr);

    TUI_WRAPPER(TWizardPage)
};

#endif // TWIZARDPAGE_H
