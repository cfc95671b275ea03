#ifndef THTTPREQUEST_P_H
#define THTTPREQUEST_P_H

#include "thttprequest.h"

class THttpRequestPrivate
{
    Q_DECLARE_PUBLIC(THttpRequest)
public:
    explicit THttpRequestPrivate(THttpRequest *qptr)
        : q_ptr(qptr)
    {}

    void copyFields(const THttpRequestPrivate &iOther)
    {
        url = iOther.url;
        path = iOther.path;
        queryParams = iOther.queryParams;
        headers = iOther.headers;
        bodyParams = iOther.bodyParams;
    }

    QString url;
    QString path;
    QVariantMap queryParams;
    QVariantMap headers;
    QVariantMap bodyParams;
    THttpRequest *q_ptr;
};

#endif // THTTPREQUEST_P_H
