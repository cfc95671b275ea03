#ifndef TSQLWHERESTRINGV2_P_H
#define TSQLWHERESTRINGV2_P_H

#include "tsqlwherestringv2.h"

class TSqlWhereStringV2Private
{
    Q_DECLARE_PUBLIC(TSqlWhereStringV2)
public:
    explicit TSqlWhereStringV2Private(TSqlWhereStringV2 *qptr)
        : q_ptr(qptr)
    {}

    QString string {QLatin1String("")};
    TSqlWhereStringV2 *q_ptr;
};

#endif // TSQLWHERESTRINGV2_P_H
