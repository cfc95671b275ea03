// The wheel of the on-screen tests, delivered as the windowing system delivers
// it (the test links Qt5::GuiPrivate).
#ifndef ONSCREENWHEEL_H
#define ONSCREENWHEEL_H

#include <QCoreApplication>
#include <QWidget>
#include <QWindow>
#include <qpa/qwindowsysteminterface.h>

namespace onscreencheck {

// iNotches notches of the wheel over the centre of iTarget; positive turns it
// away from the user (up), negative towards the user (down).
inline void turnWheel(QWidget *iTarget, int iNotches)
{
    QWindow *window = iTarget->window()->windowHandle();
    const QPoint centre = iTarget->rect().center();
    const QPointF local = iTarget->mapTo(iTarget->window(), centre);
    const QPointF global = iTarget->mapToGlobal(centre);
    QWindowSystemInterface::handleWheelEvent(window, local, global, QPoint(), QPoint(0, 120 * iNotches));
    QWindowSystemInterface::flushWindowSystemEvents();
    QCoreApplication::processEvents();
}

} // namespace onscreencheck

#endif // ONSCREENWHEEL_H
