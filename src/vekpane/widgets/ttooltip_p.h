#ifndef TTOOLTIP_P_H
#define TTOOLTIP_P_H

#include "ttooltip.h"

class QLabel;

class TToolTipPrivate
{
    Q_DECLARE_PUBLIC(TToolTip)
public:
    explicit TToolTipPrivate(TToolTip *iPublic)
        : q_ptr(iPublic)
    {}

    void applyStyle();
    void shrink();

    QLabel *label = nullptr;
    int fontSize = 15;
    TToolTip *q_ptr;
};

#endif // TTOOLTIP_P_H
