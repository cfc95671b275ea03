#ifndef TSQLUPDATERV2_P_H
#define TSQLUPDATERV2_P_H

#include "tsqlstatementdata_p.h"
#include "tsqlupdaterv2.h"

class TSqlUpdaterV2Private : public TSqlRowStatementData
{
    Q_DECLARE_PUBLIC(TSqlUpdaterV2)
public:
    explicit TSqlUpdaterV2Private(TSqlUpdaterV2 *qptr)
        : q_ptr(qptr)
    {}

    TSqlUpdaterV2 *q_ptr;
};

#endif // TSQLUPDATERV2_P_H
