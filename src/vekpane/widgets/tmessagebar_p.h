#ifndef TMESSAGEBAR_P_H
#define TMESSAGEBAR_P_H

#include "tmessagebar.h"

#include <QPointer>

class QGraphicsOpacityEffect;
class QPropertyAnimation;
class QTimer;
class TLabel;
class TTextEdit;
class TToolButton;

class TMessageBarPrivate
{
    Q_DECLARE_PUBLIC(TMessageBar)
public:
    enum State { Idle = 0, Closing = 1, Shown = 2 };

    explicit TMessageBarPrivate(TMessageBar *iPublic)
        : q_ptr(iPublic)
    {}

    void build(int iAngle);
    void pickIcons();
    void closeMessageBar(int iFadeMs);
    QPropertyAnimation *fade(qreal iFrom, qreal iTo, int iMs);

    TLabel *textLabel = nullptr;
    TLabel *detailLabel = nullptr;
    TTextEdit *detailText = nullptr;
    TToolButton *iconButton = nullptr;
    TToolButton *closeButton = nullptr;
    QTimer *closeTimer = nullptr;
    int state = Idle;
    int angle = TMessageBar::RightAngle;
    // Guarded: the animation deletes itself when it stops.
    QPointer<QPropertyAnimation> fadeOut;
    TMessageBar *q_ptr;
};

#endif // TMESSAGEBAR_P_H
