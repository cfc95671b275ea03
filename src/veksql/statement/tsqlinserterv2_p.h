#ifndef TSQLINSERTERV2_P_H
#define TSQLINSERTERV2_P_H

#include "tsqlinserterv2.h"
#include "tsqlstatementdata_p.h"

class TSqlInserterV2Private : public TSqlRowStatementData
{
    Q_DECLARE_PUBLIC(TSqlInserterV2)
public:
    explicit TSqlInserterV2Private(TSqlInserterV2 *qptr)
        : q_ptr(qptr)
    {}

    TSqlInserterV2 *q_ptr;
};

#endif // TSQLINSERTERV2_P_H
