#ifndef TDATARESPONSE_P_H
#define TDATARESPONSE_P_H

#include "tdataresponse.h"

class TDataResponsePrivate
{
    Q_DECLARE_PUBLIC(TDataResponse)
public:
    explicit TDataResponsePrivate(TDataResponse *qptr)
        : q_ptr(qptr)
    {}

    QString key;
    QString errCode;
    QString errText;
    QVariant data;
    QVariantList debugInfo;
    int dataCount {0};
    QVariant userData;
    TDataResponse *q_ptr;
};

#endif // TDATARESPONSE_P_H
