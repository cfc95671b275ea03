#ifndef TMAILUSER_P_H
#define TMAILUSER_P_H

#include "tmailuser.h"

class TMailUserPrivate
{
    Q_DECLARE_PUBLIC(TMailUser)
public:
    explicit TMailUserPrivate(TMailUser *qptr)
        : q_ptr(qptr)
    {}

    QString address;
    QString name;
    TMailUser *q_ptr;
};

#endif // TMAILUSER_P_H
