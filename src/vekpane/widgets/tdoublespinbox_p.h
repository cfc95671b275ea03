#ifndef TDOUBLESPINBOX_P_H
#define TDOUBLESPINBOX_P_H

#include "tdoublespinbox.h"

class TDoubleSpinBoxPrivate
{
    Q_DECLARE_PUBLIC(TDoubleSpinBox)
public:
    explicit TDoubleSpinBoxPrivate(TDoubleSpinBox *iPublic)
        : q_ptr(iPublic)
    {}

    bool wheelEnabled = false;
    TDoubleSpinBox *q_ptr;
};

#endif // TDOUBLESPINBOX_P_H
