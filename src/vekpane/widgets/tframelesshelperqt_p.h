#ifndef TFRAMELESSHELPERQT_P_H
#define TFRAMELESSHELPERQT_P_H

#include "tframelesshelperqt.h"
#include "tframelesswindowbar.h"

#include <QPointer>
#include <QWidget>
#include <QWindow>

class TFramelessHelperQtPrivate
{
    Q_DECLARE_PUBLIC(TFramelessHelperQt)
public:
    explicit TFramelessHelperQtPrivate(TFramelessHelperQt *iPublic)
        : q_ptr(iPublic)
    {}

    // Sets or clears the frameless flag on the widget and on its native
    // window alike, without hiding a shown window (setWindowFlags would).
    void applyFrameless(bool iFrameless);
    void watchWindow();
    void detach();
    // Hands a left press to the window manager; true when it took it.
    bool startSystemAction(TFramelessHitTest::Area iArea);
    void updateCursor(TFramelessHitTest::Area iArea);

    QPointer<QWidget> host;
    QPointer<TFramelessWindowBar> bar;
    QPointer<QWindow> window;
    bool attached = false;
    bool active = true;
    bool wasFrameless = false;
    bool cursorSet = false;
    TFramelessHelperQt *q_ptr;
};

#endif // TFRAMELESSHELPERQT_P_H
