#ifndef TMASKFRAME_P_H
#define TMASKFRAME_P_H

#include "tmaskframe.h"

#include <QPointer>

class TMaskFramePrivate
{
    Q_DECLARE_PUBLIC(TMaskFrame)
public:
    explicit TMaskFramePrivate(TMaskFrame *iPublic)
        : q_ptr(iPublic)
    {}

    void updateGeometry();

    // Guarded: a target may be destroyed while the mask lives on.
    QPointer<QWidget> target;
    TMaskFrame *q_ptr;
};

#endif // TMASKFRAME_P_H
