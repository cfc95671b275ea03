#include "tconcurrent.h"

#include <QEventLoop>
#include <QFutureWatcher>
#include <QtConcurrent/QtConcurrentRun>

QVariant TConcurrent::runSync(const std::function<QVariant()> &iFunction)
{
    if (!iFunction)
        return QVariant();
    QFutureWatcher<QVariant> watcher;
    QEventLoop loop;
    QObject::connect(&watcher, &QFutureWatcherBase::finished, &loop, &QEventLoop::quit);
    watcher.setFuture(QtConcurrent::run(iFunction));
    // The watcher reports "finished" through this thread's events, and
    // isFinished() turns true only once that report was delivered; so when it
    // is still false here, the report is still to come and ends the loop.
    if (!watcher.isFinished())
        loop.exec();
    // Without an event loop to run (no application object) this blocks until ready.
    return watcher.future().result();
}
