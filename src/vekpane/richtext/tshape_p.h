#ifndef TSHAPE_P_H
#define TSHAPE_P_H

#include "tshape.h"

class TShapePrivate
{
    Q_DECLARE_PUBLIC(TShape)
public:
    explicit TShapePrivate(TShape *iPublic)
        : q_ptr(iPublic)
    {}

    QPoint start;
    QPoint end;
    QPen pen;
    QBrush brush;
    QFont font;
    bool selected = false;
    TShape *q_ptr;
};

#endif // TSHAPE_P_H
