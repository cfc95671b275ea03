#ifndef VEKPDTSERVERCRONTAB_P_H
#define VEKPDTSERVERCRONTAB_P_H

#include "vekpdtservercrontab.h"

#include <QHash>

#include <climits>
#include <deque>

//! One registered trigger.
struct CrontabTask
{
    enum Kind : qint8 { EachYear = 0, EachMonth = 1, EachWeek = 2, EachDay = 3, Interval = 4, Invalid = -1 };

    // Widest members first: a schedule holds up to 100,000 of these, and the
    // tick reads every one of them.
    qint64 nextRunMs = 0; // milliseconds since the epoch (UTC)
    QVariant data;
    int taskId = 0;
    qint32 interval = 0;    // seconds (INTERVAL)
    qint32 timeOfDayMs = 0; // configured time of day (calendar kinds)
    Kind kind = Invalid;
    qint8 month = 1;    // EACH_YEAR
    qint8 day = 1;      // EACH_YEAR, EACH_MONTH
    qint8 weekday = 1;  // EACH_WEEK, 1 Monday to 7 Sunday
    bool never = false; // never due: the trigger could not be understood
    bool waitProcess = false;
    bool armed = true;
};

/*!
 * The local calendar around one local day, as days since 1970-01-01: what
 * every calendar trigger's next run is built from. Made once per local day
 * and not per trigger, so that moving a due trigger on is integer arithmetic.
 */
struct CrontabCalendar
{
    qint64 today = LLONG_MIN; // local days since the epoch
    int weekday = 1;          // of today, 1 Monday to 7 Sunday
    // The first day and the length of this month [0] and the next [1].
    qint64 monthStart[2] = {0, 0};
    int monthLength[2] = {0, 0};
    // The same for every month of this year [0] and the next [1].
    qint64 yearMonthStart[2][12] = {};
    int yearMonthLength[2][12] = {};

    //! Fills the calendar for the local day iDays.
    void setToday(qint64 iDays);
};

/*!
 * The system zone's offsets, learnt a day at a time. Without TZ in the
 * environment the C library checks the zone file at every conversion, and a
 * schedule of many triggers would convert thousands of times per tick, all
 * within days of now. A day whose offset is the same at every probe (three
 * hours apart) converts by arithmetic; a local time within two days of a
 * change of offset goes through QDateTime as it always did, so the C library
 * keeps deciding about times that occur twice or never.
 */
class CrontabLocalZone
{
public:
    //! The local wall-clock time of the instant iUtcMs, as milliseconds
    //! since 1970-01-01 00:00 of that wall clock.
    qint64 toLocal(qint64 iUtcMs);
    //! The instant at which the local clock shows iLocalMs (milliseconds
    //! since 1970-01-01 00:00 of the wall clock).
    qint64 toUtc(qint64 iLocalMs);
    //! The instant iUtcMs in local time, asked of the C library (once per
    //! tick): forgets what was learnt when the zone no longer agrees with it
    //! or when it is an hour old, so a change of the system zone is seen.
    QDateTime refresh(qint64 iUtcMs);

    static qint64 localMs(const QDate &iDate, const QTime &iTime);

private:
    static const qint32 notUniform = INT_MIN;
    struct CachedDate
    {
        qint64 julianDay = LLONG_MIN;
        qint32 offsetSecs = notUniform;
    };

    //! Offset of UTC day iDay (days since the epoch), or notUniform.
    qint32 utcDayOffset(qint64 iDay);
    //! Offset valid for every local time of local day iJulianDay, or notUniform.
    qint32 localDateOffset(qint64 iJulianDay);
    void clear();

    QHash<qint64, qint32> utcDays;
    QHash<qint64, qint32> localDates;
    CachedDate recent[16];
    qint64 learntAt = 0;
};

class VekPdtServerCrontabPrivate
{
    Q_DECLARE_PUBLIC(VekPdtServerCrontab)

public:
    explicit VekPdtServerCrontabPrivate(VekPdtServerCrontab *iQ);

    //! The clock's instant, as milliseconds since the epoch; no zone involved.
    qint64 nowUtcMs() const;
    //! Moves the task's next run on, as of the instant iNowMs on the local
    //! day the calendar holds.
    void computeNextRun(CrontabTask &ioTask, qint64 iNowMs, const CrontabCalendar &iCalendar);
    //! The calendar of the local day iLocalDays, rebuilt when the day changed.
    const CrontabCalendar &calendarOf(qint64 iLocalDays);
    //! The configured date and time of a calendar value, parsed once per
    //! distinct value; false when it is not valid.
    bool parseCalendarValue(CrontabTask::Kind iKind, const QString &iValue, QDate *oDate, QTime *oTime);

    struct ParsedValue
    {
        QDate date;
        QTime time;
        bool valid = false;
    };

    // Blocks that never move: registering 100,000 triggers touches each
    // record's memory once instead of copying the list at every growth
    // (first touches of memory are what registration mostly costs).
    std::deque<CrontabTask> tasks;
    VekPdtServerCrontab::Clock clock;
    CrontabLocalZone zone;
    CrontabCalendar calendar;
    QHash<QString, ParsedValue> parsedValues[4];
    VekPdtServerCrontab *q_ptr;
};

#endif // VEKPDTSERVERCRONTAB_P_H
