#ifndef TERROR_P_H
#define TERROR_P_H

#include "terror.h"

class TErrorPrivate
{
    Q_DECLARE_PUBLIC(TError)
public:
    explicit TErrorPrivate(TError *qptr)
        : q_ptr(qptr)
    {}

    QString text {QLatin1String("")};
    QString type {QLatin1String("")};
    QString code {QLatin1String("")};
    QString trace {QLatin1String("")};
    TError *q_ptr;
};

#endif // TERROR_P_H
