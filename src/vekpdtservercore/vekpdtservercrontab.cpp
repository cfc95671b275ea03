#include "vekpdtservercrontab.h"
#include "vekpdtservercrontab_p.h"

#include "vekpdtserverutil_p.h"

#include <QTimer>

namespace {

// A calendar candidate less than this many whole seconds ahead is pushed one
// period on, so a trigger registered just before its time does not fire at once.
const qint64 kMinAheadSecs = 10;

// Day iDay of the month, or the month's last day when it has fewer days.
QDate clampedDate(int iYear, int iMonth, int iDay)
{
    const QDate first(iYear, iMonth, 1);
    return QDate(iYear, iMonth, qMin(iDay, first.daysInMonth()));
}

CrontabTask::Kind kindOf(const QString &iType)
{
    if (iType == QLatin1String("EACH_YEAR"))
        return CrontabTask::EachYear;
    if (iType == QLatin1String("EACH_MONTH"))
        return CrontabTask::EachMonth;
    if (iType == QLatin1String("EACH_WEEK"))
        return CrontabTask::EachWeek;
    if (iType == QLatin1String("EACH_DAY"))
        return CrontabTask::EachDay;
    if (iType == QLatin1String("INTERVAL"))
        return CrontabTask::Interval;
    return CrontabTask::Invalid;
}

} // namespace

VekPdtServerCrontabPrivate::VekPdtServerCrontabPrivate(VekPdtServerCrontab *iQ)
    : q_ptr(iQ)
{}

QDateTime VekPdtServerCrontabPrivate::now() const { return clock ? clock() : QDateTime::currentDateTime(); }

void VekPdtServerCrontabPrivate::computeNextRun(CrontabTask &ioTask, const QDateTime &iNow) const
{
    if (ioTask.never)
        return;
    if (ioTask.kind == CrontabTask::Interval) {
        // From the previous due time, not from now: no drift.
        ioTask.nextRunMs += qint64(ioTask.interval) * 1000;
        return;
    }

    const QDate today = iNow.date();
    const int day = ioTask.configuredDate.day();
    QDateTime candidate;
    auto pushed = [&](const QDate &iDate) { return QDateTime(iDate, ioTask.configuredTime); };
    switch (ioTask.kind) {
    case CrontabTask::EachYear:
        candidate = pushed(clampedDate(today.year(), ioTask.configuredDate.month(), day));
        break;
    case CrontabTask::EachMonth:
        candidate = pushed(clampedDate(today.year(), today.month(), day));
        break;
    case CrontabTask::EachWeek:
        candidate = pushed(today.addDays(ioTask.configuredDate.dayOfWeek() - today.dayOfWeek()));
        break;
    default:
        candidate = pushed(today);
        break;
    }

    const qint64 nowMs = iNow.toMSecsSinceEpoch();
    if ((candidate.toMSecsSinceEpoch() - nowMs) / 1000 < kMinAheadSecs) {
        const QDate date = candidate.date();
        switch (ioTask.kind) {
        case CrontabTask::EachYear:
            candidate = pushed(clampedDate(date.year() + 1, date.month(), day));
            break;
        case CrontabTask::EachMonth: {
            const QDate next = QDate(date.year(), date.month(), 1).addMonths(1);
            candidate = pushed(clampedDate(next.year(), next.month(), day));
            break;
        }
        case CrontabTask::EachWeek:
            candidate = pushed(date.addDays(7));
            break;
        default:
            candidate = pushed(date.addDays(1));
            break;
        }
    }
    ioTask.nextRunMs = candidate.toMSecsSinceEpoch();
}

VekPdtServerCrontab::VekPdtServerCrontab(QObject *iParent)
    : QThread(iParent)
    , d(new VekPdtServerCrontabPrivate(this))
{}

VekPdtServerCrontab::~VekPdtServerCrontab()
{
    // The tick timer belongs to the worker and dies with its loop.
    if (isRunning()) {
        quit();
        wait();
    }
}

void VekPdtServerCrontab::setClock(const Clock &iClock) { d->clock = iClock; }

int VekPdtServerCrontab::taskCount() const { return d->tasks.size(); }

QDateTime VekPdtServerCrontab::nextRun(int iIndex) const
{
    if (iIndex < 0 || iIndex >= d->tasks.size() || d->tasks.at(iIndex).never)
        return QDateTime();
    return QDateTime::fromMSecsSinceEpoch(d->tasks.at(iIndex).nextRunMs);
}

void VekPdtServerCrontab::registerTask(const QVariantMap &iData)
{
    CrontabTask task;
    task.taskId = iData.value(QStringLiteral("task_id")).toInt();
    task.waitProcess = iData.value(QStringLiteral("wait_process"), false).toBool();
    task.data = iData.value(QStringLiteral("data"));
    const QString type = iData.value(QStringLiteral("trigger_type")).toString().toUpper();
    const QString value = iData.value(QStringLiteral("value")).toString();
    task.kind = kindOf(type);

    const QDateTime now = d->now();
    task.nextRunMs = now.toMSecsSinceEpoch();

    QDateTime configured;
    switch (task.kind) {
    case CrontabTask::EachYear:
        // Against a leap year, so that "02-29" is a date; other years fire on the 28th.
        configured = QDateTime::fromString(QStringLiteral("2000-") + value, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        break;
    case CrontabTask::EachMonth:
        configured = QDateTime::fromString(value, QStringLiteral("dd HH:mm:ss"));
        break;
    case CrontabTask::EachWeek:
        configured = QDateTime::fromString(value, QStringLiteral("d HH:mm:ss"));
        break;
    case CrontabTask::EachDay:
        configured = QDateTime::fromString(value, QStringLiteral("HH:mm:ss"));
        break;
    case CrontabTask::Interval: {
        bool ok = false;
        task.interval = value.trimmed().toInt(&ok);
        if (!ok || task.interval <= 0) {
            VEK_SVC_LOG(QStringLiteral("interval [%1] of task %2 is not a positive number of seconds, "
                                       "the trigger is not scheduled!")
                                .arg(value)
                                .arg(task.taskId),
                        "error", 0);
            task.never = true;
        }
        task.nextRunMs -= 2000;
        break;
    }
    case CrontabTask::Invalid:
        VEK_SVC_LOG(QStringLiteral("trigger type [%1] of task %2 is unknown, the trigger is not scheduled!")
                            .arg(type)
                            .arg(task.taskId),
                    "error", 0);
        task.never = true;
        break;
    }
    if (task.kind != CrontabTask::Interval && task.kind != CrontabTask::Invalid) {
        if (configured.isValid()) {
            task.configuredDate = configured.date();
            task.configuredTime = configured.time();
        } else {
            VEK_SVC_LOG(QStringLiteral("value [%1] of %2 trigger of task %3 is not a valid time, "
                                       "the trigger is not scheduled!")
                                .arg(value, type)
                                .arg(task.taskId),
                        "error", 0);
            task.never = true;
        }
    }

    d->computeNextRun(task, now);
    d->tasks.append(task);
}

void VekPdtServerCrontab::clearTask() { d->tasks.clear(); }

void VekPdtServerCrontab::rearmTask(int iTaskId)
{
    for (CrontabTask &task : d->tasks) {
        if (task.taskId == iTaskId)
            task.armed = true;
    }
}

void VekPdtServerCrontab::onTimerTimeout()
{
    const qint64 nowMs = d->now().toMSecsSinceEpoch();
    // By index: a receiver may re-arm, clear or add triggers while we emit.
    for (int i = 0; i < d->tasks.size(); ++i) {
        CrontabTask &task = d->tasks[i];
        // Whole seconds ahead, truncated toward zero: due up to a second early.
        if (task.never || (task.nextRunMs - nowMs) / 1000 > 0)
            continue;
        d->computeNextRun(task, d->now());
        if (!task.waitProcess || task.armed) {
            task.armed = false;
            const int taskId = task.taskId;
            const QVariant data = task.data;
            Q_EMIT taskTriggered(taskId, data);
        }
    }
}

void VekPdtServerCrontab::run()
{
    VEK_SVC_LOG(QStringLiteral("start crontab timer thread"), "info", 1);
    // Made and destroyed here, in the worker: the timer belongs to this thread.
    QTimer timer;
    timer.setInterval(1000);
    connect(&timer, &QTimer::timeout, this, &VekPdtServerCrontab::onTimerTimeout);
    timer.start();
    exec();
    timer.stop();
}
