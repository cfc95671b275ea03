#ifndef VEKPDTSERVERCRONTAB_P_H
#define VEKPDTSERVERCRONTAB_P_H

#include "vekpdtservercrontab.h"

#include <QVector>

//! One registered trigger.
struct CrontabTask
{
    enum Kind { EachYear = 0, EachMonth = 1, EachWeek = 2, EachDay = 3, Interval = 4, Invalid = -1 };

    int taskId = 0;
    Kind kind = Invalid;
    QDate configuredDate; // month and day (EACH_YEAR, EACH_MONTH), weekday (EACH_WEEK)
    QTime configuredTime;
    qint64 nextRunMs = 0; // local time as milliseconds since the epoch
    bool never = false;   // never due: the trigger could not be understood
    qint32 interval = 0;  // seconds
    bool waitProcess = false;
    QVariant data;
    bool armed = true;
};

class VekPdtServerCrontabPrivate
{
    Q_DECLARE_PUBLIC(VekPdtServerCrontab)

public:
    explicit VekPdtServerCrontabPrivate(VekPdtServerCrontab *iQ);

    QDateTime now() const;
    //! Moves the task's next run on, as of iNow.
    void computeNextRun(CrontabTask &ioTask, const QDateTime &iNow) const;

    QVector<CrontabTask> tasks;
    VekPdtServerCrontab::Clock clock;
    VekPdtServerCrontab *q_ptr;
};

#endif // VEKPDTSERVERCRONTAB_P_H
