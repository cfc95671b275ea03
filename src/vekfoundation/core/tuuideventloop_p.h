#ifndef TUUIDEVENTLOOP_P_H
#define TUUIDEVENTLOOP_P_H

#include "tuuideventloop.h"

class TUuidEventLoopPrivate
{
    Q_DECLARE_PUBLIC(TUuidEventLoop)
public:
    TUuidEventLoopPrivate(TUuidEventLoop *qptr, const QString &iUuid)
        : uuid(iUuid)
        , q_ptr(qptr)
    {}

    QString uuid;
    QVariantMap data;
    TUuidEventLoop *q_ptr;
};

#endif // TUUIDEVENTLOOP_P_H
