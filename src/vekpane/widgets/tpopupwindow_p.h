#ifndef TPOPUPWINDOW_P_H
#define TPOPUPWINDOW_P_H

#include "tpopupwindow.h"
#include "tuiwrapper_p.h"

#include <QPoint>

class QPropertyAnimation;

class TPopupWindowPrivate
{
    Q_DECLARE_PUBLIC(TPopupWindow)
public:
    // The edge or corner under the cursor.
    enum Region { None = 0, Top, Bottom, Left, Right, TopLeft, TopRight, BottomLeft, BottomRight };

    explicit TPopupWindowPrivate(TPopupWindow *iPublic)
        : q_ptr(iPublic)
    {}

    static QRect startRect(const QRect &iTarget, TPopupWindow::PopupPosition iDirection);
    void hover(const QPoint &iPos);
    void resizeTo(const QPoint &iGlobalPos);

    bool moveable = true;
    bool resizable = true;
    bool pressed = false;
    int region = None;
    QPoint dragOffset;
    QPropertyAnimation *openAnimation = nullptr;
    TPopupWindow *q_ptr;
};

#endif // TPOPUPWINDOW_P_H
