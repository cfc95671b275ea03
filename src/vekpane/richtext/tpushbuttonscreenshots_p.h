#ifndef TPUSHBUTTONSCREENSHOTS_P_H
#define TPUSHBUTTONSCREENSHOTS_P_H

#include "tpushbuttonscreenshots.h"

#include <QPoint>

class TPushButtonScreenShotsPrivate
{
    Q_DECLARE_PUBLIC(TPushButtonScreenShots)
public:
    explicit TPushButtonScreenShotsPrivate(TPushButtonScreenShots *iPublic)
        : q_ptr(iPublic)
    {}

    QLabel *iconLabel = nullptr;
    QPushButton *button = nullptr;
    bool dragging = false;
    QPoint dragOffset;
    TPushButtonScreenShots *q_ptr;
};

#endif // TPUSHBUTTONSCREENSHOTS_P_H
