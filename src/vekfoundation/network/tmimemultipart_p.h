#ifndef TMIMEMULTIPART_P_H
#define TMIMEMULTIPART_P_H

#include "tmimemultipart.h"
#include "tmimepart_p.h"

class TMimeMultiPartPrivate : public TMimePartPrivate
{
    Q_DECLARE_PUBLIC(TMimeMultiPart)
public:
    explicit TMimeMultiPartPrivate(TMimeMultiPart *qptr)
        : TMimePartPrivate(qptr)
    {}

    QList<TMimePart *> parts;
    int type {TMimeMultiPart::Related};
};

#endif // TMIMEMULTIPART_P_H
