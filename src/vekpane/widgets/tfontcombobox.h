#ifndef TFONTCOMBOBOX_H
#define TFONTCOMBOBOX_H

#include "tuiwrapper.h"

#include <QFontComboBox>

class TFontComboBoxPrivate;

/*!
 * The font chooser of the widget library. Own key: "value", the family of
 * the current font. On every focus loss it sends "editing_finished", then
 * "value_changed" telling whether the family differs from the default of "value".
 */
class VEKPANE_EXPORT TFontComboBox : public QFontComboBox, public TUiInterface
{
    Q_OBJECT
public:
    explicit TFontComboBox(QWidget *iParent = nullptr);

    TUI_WRAPPER(TFontComboBox)

protected:
    void focusOutEvent(QFocusEvent *iEvent) override;
};

#endif // TFONTCOMBOBOX_H
