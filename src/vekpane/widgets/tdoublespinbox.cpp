#include "tdoublespinbox.h"
#include "tdoublespinbox_p.h"

#include <QWheelEvent>

TDoubleSpinBox::TDoubleSpinBox(QWidget *iParent)
    : QDoubleSpinBox(iParent)
    , d(new TDoubleSpinBoxPrivate(this))
{}

TDoubleSpinBox::~TDoubleSpinBox() = default;

bool TDoubleSpinBox::isWheelEnabled() const
{
    Q_D(const TDoubleSpinBox);
    return d->wheelEnabled;
}

void TDoubleSpinBox::setWheelEnabled(bool iYBol)
{
    Q_D(TDoubleSpinBox);
    d->wheelEnabled = iYBol;
}

void TDoubleSpinBox::wheelEvent(QWheelEvent *iEvent)
{
    Q_D(TDoubleSpinBox);
    if (d->wheelEnabled) {
        QDoubleSpinBox::wheelEvent(iEvent);
        return;
    }
    // Consumed, not ignored: an ignored wheel event would travel on to an
    // enclosing scroll area and scroll the form under the pointer.
    iEvent->accept();
}
