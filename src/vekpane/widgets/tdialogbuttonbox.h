#ifndef TDIALOGBUTTONBOX_H
#define TDIALOGBUTTONBOX_H

#include "tuiwrapper.h"

#include <QDialogButtonBox>
#include <QStringList>

class TDialogButtonBoxPrivate;

/*!
 * The button row of the library's dialogs, built from button specifications
 * "text:name:role:colour" (empty fields dropped). The name becomes the
 * button's object name, which dialogs report as the clicked button; the role
 * is a standard-button word (Ok, Yes, Cancel, ...) or a role word (Accept,
 * Reject, Destructive, ...), and defaults to the name; the colour is the
 * theme colour word, by default derived from the name. Common keys only.
 */
class VEKPANE_EXPORT TDialogButtonBox : public QDialogButtonBox, public TUiInterface
{
    Q_OBJECT
public:
    explicit TDialogButtonBox(QWidget *parent = nullptr);

    TUI_WRAPPER(TDialogButtonBox)

public Q_SLOTS:
    //! Replaces every button by the buttons the specifications describe, in order.
    void setButtons(const QStringList &iButtonStrLst);
};

#endif // TDIALOGBUTTONBOX_H
