#ifndef TSPINBOX_P_H
#define TSPINBOX_P_H

#include "tspinbox.h"
#include "tuiwrapper_p.h"

class TSpinBoxPrivate
{
    Q_DECLARE_PUBLIC(TSpinBox)
public:
    explicit TSpinBoxPrivate(TSpinBox *iPublic)
        : q_ptr(iPublic)
    {}

    bool wheelEnabled = false;
    TSpinBox *q_ptr;
};

#endif // TSPINBOX_P_H
