// Small helpers shared by the tests of the capture tool and its layers.
#ifndef CAPTURETEST_H
#define CAPTURETEST_H

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

namespace capturetest {

// Sends one mouse event with an explicit button state, through the
// receiver's event filters, the way the window system would deliver it.
inline void mouse(QWidget *iWidget, QEvent::Type iType, const QPoint &iPos, Qt::MouseButton iButton,
                  Qt::MouseButtons iButtons)
{
    QMouseEvent event(iType, iPos, iWidget->mapToGlobal(iPos), iButton, iButtons, Qt::NoModifier);
    QApplication::sendEvent(iWidget, &event);
}

// Press at iFrom, move through the middle to iTo, release there (left button).
inline void drag(QWidget *iWidget, const QPoint &iFrom, const QPoint &iTo)
{
    mouse(iWidget, QEvent::MouseButtonPress, iFrom, Qt::LeftButton, Qt::LeftButton);
    mouse(iWidget, QEvent::MouseMove, (iFrom + iTo) / 2, Qt::NoButton, Qt::LeftButton);
    mouse(iWidget, QEvent::MouseMove, iTo, Qt::NoButton, Qt::LeftButton);
    mouse(iWidget, QEvent::MouseButtonRelease, iTo, Qt::LeftButton, Qt::NoButton);
}

inline void click(QWidget *iWidget, const QPoint &iPos, Qt::MouseButton iButton = Qt::LeftButton)
{
    mouse(iWidget, QEvent::MouseButtonPress, iPos, iButton, iButton);
    mouse(iWidget, QEvent::MouseButtonRelease, iPos, iButton, Qt::NoButton);
}

} // namespace capturetest

#endif // CAPTURETEST_H
