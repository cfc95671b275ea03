#ifndef THBOXLAYOUT_P_H
#define THBOXLAYOUT_P_H

#include "thboxlayout.h"

class THBoxLayoutPrivate
{
    Q_DECLARE_PUBLIC(THBoxLayout)
public:
    explicit THBoxLayoutPrivate(THBoxLayout *iPublic)
        : q_ptr(iPublic)
    {}

    THBoxLayout *q_ptr;
};

#endif // THBOXLAYOUT_P_H
