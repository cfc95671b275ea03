#ifndef TLOADINGINDICATOR_P_H
#define TLOADINGINDICATOR_P_H

#include "tloadingindicator.h"

class QPainter;
class QTimer;

class TLoadingIndicatorPrivate
{
    Q_DECLARE_PUBLIC(TLoadingIndicator)
public:
    explicit TLoadingIndicatorPrivate(TLoadingIndicator *iPublic)
        : q_ptr(iPublic)
    {}

    void paintBusy(QPainter &iPainter, const QColor &iColor, int iSide);
    void paintProgress(QPainter &iPainter, const QColor &iColor);
    void paintSymbol(QPainter &iPainter, const QColor &iColor, int iSide);

    QTimer *timer = nullptr;
    int angle = 0;
    int percent = -1;
    TLoadingIndicator::DisplayType displayType = TLoadingIndicator::Busy;
    TLoadingIndicator *q_ptr;
};

#endif // TLOADINGINDICATOR_P_H
