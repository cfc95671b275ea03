#ifndef SELECTRECT_P_H
#define SELECTRECT_P_H

#include "selectrect.h"

class SelectRectPrivate
{
    Q_DECLARE_PUBLIC(SelectRect)
public:
    explicit SelectRectPrivate(SelectRect *iPublic)
        : q_ptr(iPublic)
    {}

    void placeHandles();

    QRect selection;
    QRect border;
    QPoint grabOffset;
    QPoint topLeftAtPress;
    QPoint pressPoint;
    bool hasSelection = false;
    bool dragging = false;
    bool pressedWithoutMove = false;
    QList<PushPoint *> handles;
    SelectRect *q_ptr;
};

#endif // SELECTRECT_P_H
