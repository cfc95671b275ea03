#ifndef TDOUBLESPINBOX_H
#define TDOUBLESPINBOX_H

#include "vekpane_export.h"

#include <QDoubleSpinBox>

#include <memory>

class TDoubleSpinBoxPrivate;

/*!
 * A floating-point spin box that ignores, and consumes, the mouse wheel until
 * the wheel is switched on. It has no attribute interface.
 */
class VEKPANE_EXPORT TDoubleSpinBox : public QDoubleSpinBox
{
    Q_OBJECT
    Q_PROPERTY(bool wheelEnabled READ isWheelEnabled WRITE setWheelEnabled)
public:
    explicit TDoubleSpinBox(QWidget *iParent = nullptr);
    ~TDoubleSpinBox() override;

public Q_SLOTS:
    //! Whether the wheel steps the value.
    bool isWheelEnabled() const;
    //! Lets the wheel step the value (true) or swallows it (false, the default).
    void setWheelEnabled(bool iYBol);

protected:
    void wheelEvent(QWheelEvent *iEvent) override;

private:
    Q_DISABLE_COPY(TDoubleSpinBox)
    Q_DECLARE_PRIVATE_D(d, TDoubleSpinBox)
    const std::unique_ptr<TDoubleSpinBoxPrivate> d;
};

#endif // TDOUBLESPINBOX_H
