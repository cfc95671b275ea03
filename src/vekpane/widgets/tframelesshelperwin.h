#ifndef TFRAMELESSHELPERWIN_H
#define TFRAMELESSHELPERWIN_H

#include <QtGlobal>

#ifdef Q_OS_WIN

#include "tframelesshelper.h"

#include <QObject>

#include <memory>

class TFramelessWindowBar;
class TFramelessHelperWinPrivate;

/*!
 * Makes a top-level window frameless on Windows while keeping what the
 * platform frame gives: resizing from every edge and corner, dragging by the
 * title bar, maximise and restore, the system menu, the drop shadow and a
 * correct maximised state. It answers the window's non-client messages
 * (size, hit test, activation, painting) before Qt does, and draws a one
 * pixel frame line itself.
 *
 * Owned by its TFramelessWindowBar, which hands it every native message of
 * the host window.
 */
class TFramelessHelperWin : public QObject, public TFramelessHelper
{
    Q_OBJECT
public:
    explicit TFramelessHelperWin(TFramelessWindowBar *parent);
    ~TFramelessHelperWin() override;

    void attachHostWindow(QWidget *host) override;
    bool isHelperActive() const override;
    void setHelperActive(bool active) override;
    bool handleNativeMessage(MSG *message, long *result) override;

    bool eventFilter(QObject *watched, QEvent *event) override;

protected Q_SLOTS:
    //! Strips the frame styles a foreign change put back, then stops the timer.
    void refreshFrameTimer();

private:
    friend class TFramelessHelperWinPrivate;
    Q_DISABLE_COPY(TFramelessHelperWin)
    Q_DECLARE_PRIVATE_D(d, TFramelessHelperWin)
    const std::unique_ptr<TFramelessHelperWinPrivate> d;
};

#endif // Q_OS_WIN

#endif // TFRAMELESSHELPERWIN_H
