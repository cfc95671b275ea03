#ifndef TPUSHBUTTON_P_H
#define TPUSHBUTTON_P_H

#include "tpushbutton.h"

class TPushButtonPrivate
{
    Q_DECLARE_PUBLIC(TPushButton)
public:
    explicit TPushButtonPrivate(TPushButton *iPublic)
        : q_ptr(iPublic)
    {}
    TPushButton *q_ptr;
};

#endif // TPUSHBUTTON_P_H
