#ifndef TJSONAPIRESPONSE_P_H
#define TJSONAPIRESPONSE_P_H

#include "tjsonapiresponse.h"

class TJsonApiResponsePrivate
{
    Q_DECLARE_PUBLIC(TJsonApiResponse)
public:
    explicit TJsonApiResponsePrivate(TJsonApiResponse *qptr)
        : q_ptr(qptr)
    {}

    void copyFields(const TJsonApiResponsePrivate &iOther)
    {
        id = iOther.id;
        data = iOther.data;
        errors = iOther.errors;
        links = iOther.links;
        meta = iOther.meta;
    }

    void readMap(const QVariantMap &iMap);

    QString id;
    QVariant data;
    QList<TJsonApiError> errors;
    QVariantMap links;
    QVariantMap meta;
    TJsonApiResponse *q_ptr;
};

#endif // TJSONAPIRESPONSE_P_H
