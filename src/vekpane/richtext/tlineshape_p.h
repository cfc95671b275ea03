#ifndef TLINESHAPE_P_H
#define TLINESHAPE_P_H

#include "tlineshape.h"

class TLineShapePrivate
{
    Q_DECLARE_PUBLIC(TLineShape)
public:
    explicit TLineShapePrivate(TLineShape *iPublic)
        : q_ptr(iPublic)
    {}

    QList<QPoint> points;
    TLineShape *q_ptr;
};

#endif // TLINESHAPE_P_H
