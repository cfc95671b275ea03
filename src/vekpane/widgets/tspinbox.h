#ifndef TSPINBOX_H
#define TSPINBOX_H

#include "tuiwrapper.h"

#include <QSpinBox>

class TSpinBoxPrivate;

/*!
 * The integer spin box of the widget library. Own keys: "value" (read and
 * written), "minimum" and "maximum" (written only). The mouse wheel is
 * ignored, and consumed, until it is switched on, so scrolling a form never
 * changes a value under the pointer.
 *
 * Each finished edit sends "editing_finished", then "value_changed" telling
 * whether the value differs from the default of "value" (always true with no
 * default stored).
 */
class VEKPANE_EXPORT TSpinBox : public QSpinBox, public TUiInterface
{
    Q_OBJECT
    Q_PROPERTY(bool wheelEnabled READ isWheelEnabled WRITE setWheelEnabled)
public:
    explicit TSpinBox(QWidget *iParent = nullptr);

    TUI_WRAPPER(TSpinBox)

public Q_SLOTS:
    //! Whether the wheel steps the value.
    bool isWheelEnabled() const;
    //! Lets the wheel step the value (true) or swallows it (false, the default).
    void setWheelEnabled(bool iYBol);

protected:
    void wheelEvent(QWheelEvent *iEvent) override;

protected Q_SLOTS:
    //! Reports the end of an edit and writes the value back through "value".
    void onEditFinished();
};

#endif // TSPINBOX_H
