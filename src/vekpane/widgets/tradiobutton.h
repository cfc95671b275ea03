#ifndef TRADIOBUTTON_H
#define TRADIOBUTTON_H

#include "tuiwrapper.h"

#include <QRadioButton>

class TRadioButtonPrivate;

/*!
 * The radio button of the widget library (common keys only). Every click
 * sends "clicked" with the checked state after the click.
 */
class VEKPANE_EXPORT TRadioButton : public QRadioButton, public TUiInterface
{
    Q_OBJECT
public:
    explicit TRadioButton(QWidget *iParent = nullptr);

    TUI_WRAPPER(TRadioButton)

protected Q_SLOTS:
    //! Sends "clicked" with \a checked.
    void onClicked(bool checked);
};

#endif // TRADIOBUTTON_H
