#ifndef TJSONAPIERROR_P_H
#define TJSONAPIERROR_P_H

#include "tjsonapierror.h"

class TJsonApiErrorPrivate
{
    Q_DECLARE_PUBLIC(TJsonApiError)
public:
    explicit TJsonApiErrorPrivate(TJsonApiError *qptr)
        : q_ptr(qptr)
    {}

    void copyFields(const TJsonApiErrorPrivate &iOther)
    {
        code = iOther.code;
        title = iOther.title;
        detail = iOther.detail;
        status = iOther.status;
        source = iOther.source;
    }

    QString code;
    QString title;
    QString detail;
    QString status;
    QVariantMap source;
    TJsonApiError *q_ptr;
};

#endif // TJSONAPIERROR_P_H
