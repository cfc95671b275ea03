#ifndef VEKPDTSERVERCRONTAB_H
#define VEKPDTSERVERCRONTAB_H

#include <QDateTime>
#include <QThread>
#include <QVariant>
#include <QVariantMap>

#include <functional>
#include <memory>

class VekPdtServerCrontabPrivate;

/*!
 * The service's timetable. The object lives on the thread that creates it
 * (the service core's); only the 1000 ms tick timer lives in the worker
 * thread, whose event loop does nothing else. Every tick is therefore
 * handled, and taskTriggered() emitted, on the owner thread, which must run
 * an event loop.
 *
 * A trigger map holds "task_id", "trigger_type" (EACH_YEAR "MM-dd HH:mm:ss",
 * EACH_MONTH "dd HH:mm:ss", EACH_WEEK "d HH:mm:ss" with 1 Monday to 7
 * Sunday, EACH_DAY "HH:mm:ss", or INTERVAL in seconds, any letter case),
 * "value", and optionally "data" (handed out with every firing) and
 * "wait_process" (fire again only after rearmTask()).
 *
 * Internal to the service library.
 */
class VekPdtServerCrontab : public QThread
{
    Q_OBJECT

public:
    using Clock = std::function<QDateTime()>;

    explicit VekPdtServerCrontab(QObject *iParent = nullptr);
    //! Stops the worker first when it still runs.
    ~VekPdtServerCrontab() override;

    //! Replaces the source of the current time (tests drive the calendar
    //! with it): the instant it gives is read in the system's local time. An
    //! empty function restores the system clock.
    void setClock(const Clock &iClock);
    //! Number of registered triggers.
    int taskCount() const;
    //! When trigger iIndex is next due; invalid when it never is.
    QDateTime nextRun(int iIndex) const;

Q_SIGNALS:
    //! A trigger of task iTaskId is due; iData is the trigger's "data".
    void taskTriggered(int iTaskId, const QVariant &iData);

public Q_SLOTS:
    //! Adds one trigger and computes its first due time. A value that does
    //! not parse, an unknown type or an interval that is not positive is
    //! logged once and never becomes due.
    void registerTask(const QVariantMap &iData);
    //! Removes every trigger.
    void clearTask();
    //! Lets the "wait_process" triggers of task iTaskId fire again: the
    //! run they started has ended.
    void rearmTask(int iTaskId);

private Q_SLOTS:
    void onTimerTimeout();

protected:
    void run() override;

private:
    Q_DECLARE_PRIVATE_D(d, VekPdtServerCrontab)
    const std::unique_ptr<VekPdtServerCrontabPrivate> d;
    Q_DISABLE_COPY(VekPdtServerCrontab)
};

#endif // VEKPDTSERVERCRONTAB_H
