#ifndef PUSHPOINT_P_H
#define PUSHPOINT_P_H

#include "pushpoint.h"

class PushPointPrivate
{
    Q_DECLARE_PUBLIC(PushPoint)
public:
    explicit PushPointPrivate(PushPoint *iPublic)
        : q_ptr(iPublic)
    {}

    static bool editingAllowed;

    QPoint grabOffset;
    int index = 0;
    PushPoint *q_ptr;
};

#endif // PUSHPOINT_P_H
