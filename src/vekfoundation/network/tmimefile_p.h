#ifndef TMIMEFILE_P_H
#define TMIMEFILE_P_H

#include "tmimefile.h"
#include "tmimepart_p.h"

class TMimeFilePrivate : public TMimePartPrivate
{
    Q_DECLARE_PUBLIC(TMimeFile)
public:
    explicit TMimeFilePrivate(TMimeFile *qptr)
        : TMimePartPrivate(qptr)
    {}

    QString fileName;
};

#endif // TMIMEFILE_P_H
