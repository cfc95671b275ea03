#ifndef TVBOXLAYOUT_P_H
#define TVBOXLAYOUT_P_H

#include "tvboxlayout.h"

class TVBoxLayoutPrivate
{
    Q_DECLARE_PUBLIC(TVBoxLayout)
public:
    explicit TVBoxLayoutPrivate(TVBoxLayout *iPublic)
        : q_ptr(iPublic)
    {}

    TVBoxLayout *q_ptr;
};

#endif // TVBOXLAYOUT_P_H
