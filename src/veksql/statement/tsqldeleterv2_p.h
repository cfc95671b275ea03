#ifndef TSQLDELETERV2_P_H
#define TSQLDELETERV2_P_H

#include "tsqldeleterv2.h"
#include "tsqlstatementdata_p.h"

class TSqlDeleterV2Private : public TSqlRowStatementData
{
    Q_DECLARE_PUBLIC(TSqlDeleterV2)
public:
    explicit TSqlDeleterV2Private(TSqlDeleterV2 *qptr)
        : q_ptr(qptr)
    {}

    TSqlDeleterV2 *q_ptr;
};

#endif // TSQLDELETERV2_P_H
