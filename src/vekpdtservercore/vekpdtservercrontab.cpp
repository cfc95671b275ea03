#include "vekpdtservercrontab.h"
#include "vekpdtservercrontab_p.h"

#include "vekpdtserverutil_p.h"

#include <QTimer>

#include <time.h>

#include <utility>

namespace {

// A calendar candidate less than this many whole seconds ahead is pushed one
// period on, so a trigger registered just before its time does not fire at once.
const qint64 kMinAheadSecs = 10;

const qint64 kMsPerDay = 86400000;
const qint64 kEpochJulianDay = 2440588; // 1970-01-01
// No zone changes its offset twice within this span.
const qint64 kProbeStepMs = 3 * 3600 * 1000;
const qint64 kRelearnAfterMs = 3600 * 1000;

qint64 floorDiv(qint64 iValue, qint64 iDivisor) { return iValue / iDivisor - (iValue % iDivisor < 0 ? 1 : 0); }

// Offset of the system zone at iUtcMs, as the C library gives it. Where it
// tells the offset itself, it is asked directly: QDateTime re-reads the zone
// (tzset) for every conversion, and learning a few days takes hundreds of
// them. CrontabLocalZone::clear() has the zone read afresh instead.
qint32 probeOffset(qint64 iUtcMs)
{
#ifdef Q_OS_UNIX
    const time_t secs = time_t(floorDiv(iUtcMs, 1000));
    tm parts {};
    if (localtime_r(&secs, &parts))
        return qint32(parts.tm_gmtoff);
#endif
    const QDateTime local = QDateTime::fromMSecsSinceEpoch(iUtcMs, Qt::LocalTime);
    return qint32((CrontabLocalZone::localMs(local.date(), local.time()) - iUtcMs) / 1000);
}

// The first day of iYear-iMonth as days since the epoch, and its length.
qint64 monthStartDays(int iYear, int iMonth, int *oLength)
{
    const QDate first(iYear, iMonth, 1);
    *oLength = first.daysInMonth();
    return first.toJulianDay() - kEpochJulianDay;
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

qint64 CrontabLocalZone::localMs(const QDate &iDate, const QTime &iTime)
{
    return (iDate.toJulianDay() - kEpochJulianDay) * kMsPerDay + iTime.msecsSinceStartOfDay();
}

qint32 CrontabLocalZone::utcDayOffset(qint64 iDay)
{
    const auto known = utcDays.constFind(iDay);
    if (known != utcDays.constEnd())
        return *known;
    const qint64 start = iDay * kMsPerDay;
    qint32 offset = probeOffset(start);
    for (qint64 probe = start + kProbeStepMs; probe <= start + kMsPerDay; probe += kProbeStepMs) {
        if (probeOffset(probe) != offset) {
            offset = notUniform;
            break;
        }
    }
    utcDays.insert(iDay, offset);
    return offset;
}

qint32 CrontabLocalZone::localDateOffset(qint64 iJulianDay)
{
    const auto known = localDates.constFind(iJulianDay);
    if (known != localDates.constEnd())
        return *known;
    // The local day lies within two UTC days under its offset. With two more
    // days of that offset on either side, no other offset (they differ by at
    // most 26 hours) can reach it: every local time of the day exists once.
    const qint64 dayStart = (iJulianDay - kEpochJulianDay) * kMsPerDay;
    qint32 offset = utcDayOffset(floorDiv(dayStart, kMsPerDay));
    if (offset != notUniform) {
        const qint64 first = floorDiv(dayStart - qint64(offset) * 1000, kMsPerDay);
        for (qint64 day = first - 2; day <= first + 3; ++day) {
            if (utcDayOffset(day) != offset) {
                offset = notUniform;
                break;
            }
        }
    }
    localDates.insert(iJulianDay, offset);
    return offset;
}

qint64 CrontabLocalZone::toLocal(qint64 iUtcMs)
{
    const qint32 offset = utcDayOffset(floorDiv(iUtcMs, kMsPerDay));
    if (offset != notUniform)
        return iUtcMs + qint64(offset) * 1000;
    const QDateTime local = QDateTime::fromMSecsSinceEpoch(iUtcMs, Qt::LocalTime);
    return localMs(local.date(), local.time());
}

qint64 CrontabLocalZone::toUtc(qint64 iLocalMs)
{
    const qint64 julianDay = floorDiv(iLocalMs, kMsPerDay) + kEpochJulianDay;
    CachedDate &slot = recent[julianDay & 15];
    if (slot.julianDay != julianDay) {
        slot.julianDay = julianDay;
        slot.offsetSecs = localDateOffset(julianDay);
    }
    if (slot.offsetSecs != notUniform)
        return iLocalMs - qint64(slot.offsetSecs) * 1000;
    // Near a change of offset: the C library decides, as it always did.
    const qint64 msOfDay = iLocalMs - (julianDay - kEpochJulianDay) * kMsPerDay;
    return QDateTime(QDate::fromJulianDay(julianDay), QTime::fromMSecsSinceStartOfDay(int(msOfDay)))
            .toMSecsSinceEpoch();
}

QDateTime CrontabLocalZone::refresh(qint64 iUtcMs)
{
    const QDateTime local = QDateTime::fromMSecsSinceEpoch(iUtcMs, Qt::LocalTime);
    const auto known = utcDays.constFind(floorDiv(iUtcMs, kMsPerDay));
    const bool disagrees = known != utcDays.constEnd() && *known != notUniform
                           && qint64(*known) * 1000 != localMs(local.date(), local.time()) - iUtcMs;
    if (disagrees || qAbs(iUtcMs - learntAt) > kRelearnAfterMs) {
        clear();
        learntAt = iUtcMs;
    }
    return local;
}

void CrontabLocalZone::clear()
{
#ifdef Q_OS_UNIX
    // What is learnt next comes from the zone as it is now.
    tzset();
#endif
    utcDays.clear();
    localDates.clear();
    for (CachedDate &slot : recent)
        slot = CachedDate();
}

void CrontabCalendar::setToday(qint64 iDays)
{
    today = iDays;
    const QDate date = QDate::fromJulianDay(iDays + kEpochJulianDay);
    weekday = date.dayOfWeek();
    monthStart[0] = monthStartDays(date.year(), date.month(), &monthLength[0]);
    const QDate next = QDate(date.year(), date.month(), 1).addMonths(1);
    monthStart[1] = monthStartDays(next.year(), next.month(), &monthLength[1]);
    for (int year = 0; year < 2; ++year) {
        for (int month = 0; month < 12; ++month)
            yearMonthStart[year][month] = monthStartDays(date.year() + year, month + 1, &yearMonthLength[year][month]);
    }
}

VekPdtServerCrontabPrivate::VekPdtServerCrontabPrivate(VekPdtServerCrontab *iQ)
    : q_ptr(iQ)
{}

qint64 VekPdtServerCrontabPrivate::nowUtcMs() const
{
    return clock ? clock().toMSecsSinceEpoch() : QDateTime::currentMSecsSinceEpoch();
}

bool VekPdtServerCrontabPrivate::parseCalendarValue(CrontabTask::Kind iKind, const QString &iValue, QDate *oDate,
                                                    QTime *oTime)
{
    QHash<QString, ParsedValue> &known = parsedValues[iKind];
    auto it = known.constFind(iValue);
    if (it == known.constEnd()) {
        QDateTime configured;
        switch (iKind) {
        case CrontabTask::EachYear:
            // Against a leap year, so that "02-29" is a date; other years fire on the 28th.
            configured = QDateTime::fromString(QStringLiteral("2000-") + iValue, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
            break;
        case CrontabTask::EachMonth:
            configured = QDateTime::fromString(iValue, QStringLiteral("dd HH:mm:ss"));
            break;
        case CrontabTask::EachWeek:
            configured = QDateTime::fromString(iValue, QStringLiteral("d HH:mm:ss"));
            break;
        default:
            configured = QDateTime::fromString(iValue, QStringLiteral("HH:mm:ss"));
            break;
        }
        ParsedValue parsed;
        parsed.valid = configured.isValid();
        if (parsed.valid) {
            parsed.date = configured.date();
            parsed.time = configured.time();
        }
        it = QHash<QString, ParsedValue>::const_iterator(known.insert(iValue, parsed));
    }
    *oDate = it->date;
    *oTime = it->time;
    return it->valid;
}

const CrontabCalendar &VekPdtServerCrontabPrivate::calendarOf(qint64 iLocalDays)
{
    if (calendar.today != iLocalDays)
        calendar.setToday(iLocalDays);
    return calendar;
}

void VekPdtServerCrontabPrivate::computeNextRun(CrontabTask &ioTask, qint64 iNowMs, const CrontabCalendar &iCalendar)
{
    if (ioTask.never)
        return;
    if (ioTask.kind == CrontabTask::Interval) {
        // From the previous due time, not from now: no drift.
        ioTask.nextRunMs += qint64(ioTask.interval) * 1000;
        return;
    }

    // The candidate's local day, and the day one period on; a day of the
    // month past the month's end is its last day.
    qint64 day = 0;
    qint64 nextDay = 0;
    switch (ioTask.kind) {
    case CrontabTask::EachYear: {
        const int m = ioTask.month - 1;
        day = iCalendar.yearMonthStart[0][m] + qMin<int>(ioTask.day, iCalendar.yearMonthLength[0][m]) - 1;
        nextDay = iCalendar.yearMonthStart[1][m] + qMin<int>(ioTask.day, iCalendar.yearMonthLength[1][m]) - 1;
        break;
    }
    case CrontabTask::EachMonth:
        day = iCalendar.monthStart[0] + qMin<int>(ioTask.day, iCalendar.monthLength[0]) - 1;
        nextDay = iCalendar.monthStart[1] + qMin<int>(ioTask.day, iCalendar.monthLength[1]) - 1;
        break;
    case CrontabTask::EachWeek:
        day = iCalendar.today + (ioTask.weekday - iCalendar.weekday);
        nextDay = day + 7;
        break;
    default:
        day = iCalendar.today;
        nextDay = day + 1;
        break;
    }

    qint64 candidate = zone.toUtc(day * kMsPerDay + ioTask.timeOfDayMs);
    if ((candidate - iNowMs) / 1000 < kMinAheadSecs)
        candidate = zone.toUtc(nextDay * kMsPerDay + ioTask.timeOfDayMs);
    ioTask.nextRunMs = candidate;
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

int VekPdtServerCrontab::taskCount() const { return int(d->tasks.size()); }

QDateTime VekPdtServerCrontab::nextRun(int iIndex) const
{
    if (iIndex < 0 || iIndex >= taskCount() || d->tasks[size_t(iIndex)].never)
        return QDateTime();
    return QDateTime::fromMSecsSinceEpoch(d->tasks[size_t(iIndex)].nextRunMs);
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

    const qint64 nowMs = d->nowUtcMs();
    task.nextRunMs = nowMs;

    switch (task.kind) {
    case CrontabTask::EachYear:
    case CrontabTask::EachMonth:
    case CrontabTask::EachWeek:
    case CrontabTask::EachDay: {
        QDate date;
        QTime time;
        if (d->parseCalendarValue(task.kind, value, &date, &time)) {
            task.timeOfDayMs = time.msecsSinceStartOfDay();
            task.month = qint8(date.month());
            task.day = qint8(date.day());
            task.weekday = qint8(date.dayOfWeek());
        } else {
            VEK_LOG(QStringLiteral("value [%1] of %2 trigger of task %3 is not a valid time, "
                                   "the trigger is not scheduled!")
                            .arg(value, type)
                            .arg(task.taskId),
                    "error", 0);
            task.never = true;
        }
        break;
    }
    case CrontabTask::Interval: {
        bool ok = false;
        task.interval = value.trimmed().toInt(&ok);
        if (!ok || task.interval <= 0) {
            VEK_LOG(QStringLiteral("interval [%1] of task %2 is not a positive number of seconds, "
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
        VEK_LOG(QStringLiteral("trigger type [%1] of task %2 is unknown, the trigger is not scheduled!")
                        .arg(type)
                        .arg(task.taskId),
                "error", 0);
        task.never = true;
        break;
    }

    if (!task.never && task.kind != CrontabTask::Interval)
        d->computeNextRun(task, nowMs, d->calendarOf(floorDiv(d->zone.toLocal(nowMs), kMsPerDay)));
    else
        d->computeNextRun(task, nowMs, d->calendar);
    d->tasks.push_back(std::move(task));
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
    // One reading of the clock and one local-time conversion for the whole
    // tick; the due triggers' next runs are computed from them.
    const qint64 nowMs = d->nowUtcMs();
    // A copy: a receiver that registers triggers may move the shared one on.
    const CrontabCalendar calendar = d->calendarOf(d->zone.refresh(nowMs).date().toJulianDay() - kEpochJulianDay);
    // By index: a receiver may re-arm, clear or add triggers while we emit.
    for (size_t i = 0; i < d->tasks.size(); ++i) {
        CrontabTask &task = d->tasks[i];
        // Whole seconds ahead, truncated toward zero: due up to a second early.
        if (task.never || (task.nextRunMs - nowMs) / 1000 > 0)
            continue;
        d->computeNextRun(task, nowMs, calendar);
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
    VEK_LOG(QStringLiteral("start crontab timer thread"), "info", 1);
    // Made and destroyed here, in the worker: the timer belongs to this thread.
    QTimer timer;
    timer.setInterval(1000);
    connect(&timer, &QTimer::timeout, this, &VekPdtServerCrontab::onTimerTimeout);
    timer.start();
    exec();
    timer.stop();
}
