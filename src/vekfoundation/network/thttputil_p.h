#ifndef THTTPUTIL_P_H
#define THTTPUTIL_P_H

#include "thttputil.h"

class THttpUtilPrivate
{
    Q_DECLARE_PUBLIC(THttpUtil)
public:
    explicit THttpUtilPrivate(THttpUtil *qptr)
        : q_ptr(qptr)
    {}

    void copyFields(const THttpUtilPrivate &iOther)
    {
        url = iOther.url;
        headers = iOther.headers;
    }

    THttpRequest uploadRequest(const QString &iServerDir, const QString &iMd5) const;

    QString url;
    QVariantMap headers;
    THttpUtil *q_ptr;
};

#endif // THTTPUTIL_P_H
