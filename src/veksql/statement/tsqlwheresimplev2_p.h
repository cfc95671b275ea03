#ifndef TSQLWHERESIMPLEV2_P_H
#define TSQLWHERESIMPLEV2_P_H

#include "tsqlwheresimplev2.h"

struct TSqlWhereSimpleV2Data
{
    QString field {QLatin1String("")};
    QVariant value;
    QString op {QStringLiteral("=")};
    // Null until set: the node then follows the dialect it is rendered for.
    QString databaseType;
};

class TSqlWhereSimpleV2Private : public TSqlWhereSimpleV2Data
{
    Q_DECLARE_PUBLIC(TSqlWhereSimpleV2)
public:
    explicit TSqlWhereSimpleV2Private(TSqlWhereSimpleV2 *qptr)
        : q_ptr(qptr)
    {}

    TSqlWhereSimpleV2 *q_ptr;
};

#endif // TSQLWHERESIMPLEV2_P_H
