#ifndef TLABEL_H
#define TLABEL_H

#include "tuiwrapper.h"

#include <QLabel>

class TLabelPrivate;

/*!
 * The label of the widget library. Own keys: "value" and "text" (both the
 * label's text), "alignment" (written only). Every mouse-button release over
 * the label sends "clicked".
 */
class VEKPANE_EXPORT TLabel : public QLabel, public TUiInterface
{
    Q_OBJECT
public:
    explicit TLabel(QWidget *iParent = nullptr);

    TUI_WRAPPER(TLabel)

protected:
    void mouseReleaseEvent(QMouseEvent *iEvent) override;
};

#endif // TLABEL_H
