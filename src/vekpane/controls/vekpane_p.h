#ifndef VEKPANE_P_H
#define VEKPANE_P_H

#include "vekpane.h"

class VekPanePrivate
{
    Q_DECLARE_PUBLIC(VekPane)
public:
    explicit VekPanePrivate(VekPane *iPublic)
        : q_ptr(iPublic)
    {}

    VekPane *q_ptr;
};

#endif // VEKPANE_P_H
