#ifndef TMIMETEXT_P_H
#define TMIMETEXT_P_H

#include "tmimepart_p.h"
#include "tmimetext.h"

class TMimeTextPrivate : public TMimePartPrivate
{
    Q_DECLARE_PUBLIC(TMimeText)
public:
    explicit TMimeTextPrivate(TMimeText *qptr)
        : TMimePartPrivate(qptr)
    {}

    QString text;
};

#endif // TMIMETEXT_P_H
