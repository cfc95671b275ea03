#ifndef TSQLWHERECOMPSITEV2_P_H
#define TSQLWHERECOMPSITEV2_P_H

#include "tsqlwherecompsitev2.h"

class TSqlWhereCompsiteV2Private
{
    Q_DECLARE_PUBLIC(TSqlWhereCompsiteV2)
public:
    explicit TSqlWhereCompsiteV2Private(TSqlWhereCompsiteV2 *qptr)
        : q_ptr(qptr)
    {}
    ~TSqlWhereCompsiteV2Private() { qDeleteAll(items); }

    TSqlWhereCompsiteV2::Logic logic = TSqlWhereCompsiteV2::And;
    QList<TSqlWhereAbsV2 *> items;
    TSqlWhereCompsiteV2 *q_ptr;
};

#endif // TSQLWHERECOMPSITEV2_P_H
