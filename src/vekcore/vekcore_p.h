#ifndef VEKCORE_P_H
#define VEKCORE_P_H

#include "vekcore.h"

class VekCorePrivate
{
    Q_DECLARE_PUBLIC(VekCore)
public:
    explicit VekCorePrivate(VekCore *iQ)
        : q_ptr(iQ)
    {}

    VekCore *const q_ptr;
};

#endif // VEKCORE_P_H
