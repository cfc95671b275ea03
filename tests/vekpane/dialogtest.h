// Acting on a dialog while it runs its own modal loop.
#ifndef DIALOGTEST_H
#define DIALOGTEST_H

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace dialogtest {

// Runs iAct once on the active modal (or pop-up) widget of type T as soon as
// one shows. Bounded: after 10 s the watch ends, so a dialog that never shows
// fails its test instead of hanging it.
template<typename T>
void whenShown(std::function<void(T *)> iAct)
{
    auto *timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, iAct] {
        QWidget *shown = QApplication::activePopupWidget();
        if (!qobject_cast<T *>(shown))
            shown = QApplication::activeModalWidget();
        auto *widget = qobject_cast<T *>(shown);
        if (!widget)
            return;
        timer->stop();
        timer->deleteLater();
        iAct(widget);
    });
    timer->start();
    QTimer::singleShot(10000, timer, [timer] {
        timer->stop();
        timer->deleteLater();
    });
}

} // namespace dialogtest

#endif // DIALOGTEST_H
