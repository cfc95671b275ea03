#ifndef VEKPDTSERVERCRONTAB_P_H
#define VEKPDTSERVERCRONTAB_P_H

#include "vekpdtservercrontab.h"

#include <QHash>

#include <climits>
#include <deque>

//! One registered trigger.
struct CrontabTask
{
    enum Kind { EachYear = 0, EachMonth = 1, EachWeek = 2, EachDay = 3, Interval = 4, Invalid = -1 };

    // Widest members first: a schedule holds up to 100,000 of these.
    qint64 nextRunMs = 0; // milliseconds since the epoch (UTC)
    QDate configuredDate; // month and day (EACH_YEAR, EACH_MONTH), weekday (EACH_WEEK)
    QVariant data;
    int taskId = 0;
    Kind kind = Invalid;
    QTime configuredTime;
    qint32 interval = 0;  // seconds
    bool never = false;   // never due: the trigger could not be understood
    bool waitProcess = false;
    bool armed = true;
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
    //! The instant at which the local clock shows iDate iTime.
    qint64 toUtc(const QDate &iDate, const QTime &iTime);
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
    //! Moves the task's next run on, as of the instant iNowMs whose local
    //! date is iToday.
    void computeNextRun(CrontabTask &ioTask, qint64 iNowMs, const QDate &iToday);
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
    QHash<QString, ParsedValue> parsedValues[4];
    VekPdtServerCrontab *q_ptr;
};

#endif // VEKPDTSERVERCRONTAB_P_H
