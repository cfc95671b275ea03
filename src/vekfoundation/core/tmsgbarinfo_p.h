#ifndef TMSGBARINFO_P_H
#define TMSGBARINFO_P_H

#include "tmsgbarinfo.h"

class TMsgBarInfoPrivate
{
    Q_DECLARE_PUBLIC(TMsgBarInfo)
public:
    explicit TMsgBarInfoPrivate(TMsgBarInfo *qptr)
        : q_ptr(qptr)
    {}

    QVariantMap map;
    TMsgBarInfo *q_ptr;
};

#endif // TMSGBARINFO_P_H
