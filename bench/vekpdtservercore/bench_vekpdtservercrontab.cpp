// The schedule's tick with every trigger due, against the floor of any
// schedule: a loop over the same number of records that tests each one,
// moves its time on and emits the same signal to the same receiver. Also
// registration and the usual tick with nothing due.
//
//   bench_vekpdtservercrontab               both sides at 10,000 and 100,000 triggers
//   bench_vekpdtservercrontab SIDE COUNT [TICKS]
//                                           one side (crontab or floor) in this process,
//                                           TICKS all-due ticks (3; more to profile one side)
//
// Each side runs in a process of its own, five rounds that alternate which
// side goes first, all pinned to one processor; the figures are medians.
// Within a child, the all-due tick is taken three times (the clock jumps a
// year and two months before each, so the zone is learnt anew too) and the
// child reports the median.

#include "benchprocess.h"
#include "vekpdtservercrontab.h"

#include <QCoreApplication>
#include <QTextStream>
#include <QVector>

#include <cstdio>
#include <vector>

namespace {

const int kRounds = 5;
int g_dueTicks = 3;

// The trigger rows as the service reads them from the database: made once,
// outside the timed part, so registration is timed on its own.
QVector<QVariantMap> triggerRows(int iTriggers)
{
    const char *kinds[][2] = {{"EACH_DAY", "08:00:00"},
                              {"EACH_WEEK", "3 09:30:00"},
                              {"EACH_MONTH", "31 23:00:00"},
                              {"EACH_YEAR", "02-29 06:00:00"},
                              {"INTERVAL", "3600"}};
    QVector<QVariantMap> rows;
    rows.reserve(iTriggers);
    for (int i = 0; i < iTriggers; ++i) {
        const auto &kind = kinds[i % 5];
        rows.append({{QStringLiteral("task_id"), i},
                     {QStringLiteral("trigger_type"), QLatin1String(kind[0])},
                     {QStringLiteral("value"), QLatin1String(kind[1])},
                     {QStringLiteral("data"), i}});
    }
    return rows;
}

void fill(VekPdtServerCrontab &ioCrontab, const QVector<QVariantMap> &iRows)
{
    for (const QVariantMap &row : iRows)
        ioCrontab.registerTask(row);
}

double msSince(const QElapsedTimer &iTimer) { return double(iTimer.nsecsElapsed()) / 1e6; }

int runCrontab(int iTriggers)
{
    const QVector<QVariantMap> rows = triggerRows(iTriggers);
    QElapsedTimer timer;
    double registerMs = 0;
    double reloadMs = 0;
    {
        // Registration against the system clock, as the service does it, and
        // again after clearTask as a reload does (the memory touched already).
        VekPdtServerCrontab crontab;
        timer.start();
        fill(crontab, rows);
        registerMs = msSince(timer);
        crontab.clearTask();
        timer.start();
        fill(crontab, rows);
        reloadMs = msSince(timer);
    }

    QDateTime now = QDateTime::currentDateTimeUtc();
    VekPdtServerCrontab crontab;
    crontab.setClock([&now]() { return now; });
    fill(crontab, rows);
    timer.start();
    for (int i = 0; i < 20; ++i)
        QMetaObject::invokeMethod(&crontab, "onTimerTimeout", Qt::DirectConnection);
    const double idleUs = msSince(timer) * 1000 / 20;

    long fired = 0;
    QObject::connect(&crontab, &VekPdtServerCrontab::taskTriggered, [&fired]() { ++fired; });
    std::vector<double> dueMs;
    for (int i = 0; i < g_dueTicks; ++i) {
        now = now.addYears(1).addMonths(2);
        timer.start();
        QMetaObject::invokeMethod(&crontab, "onTimerTimeout", Qt::DirectConnection);
        dueMs.push_back(msSince(timer));
    }
    std::printf("due-ms %f\nregister-ms %f\nreload-ms %f\nidle-us %f\nfired %ld\n", benchprocess::median(dueMs),
                registerMs, reloadMs, idleUs, fired / g_dueTicks);
    return fired == long(iTriggers) * g_dueTicks ? 0 : 1;
}

// The least any schedule does per due trigger.
struct FloorTrigger
{
    qint64 nextRunMs = 0;
    QVariant data;
    int taskId = 0;
};

int runFloor(int iTriggers)
{
    std::vector<FloorTrigger> triggers(static_cast<size_t>(iTriggers));
    const qint64 start = QDateTime::currentMSecsSinceEpoch();
    for (int i = 0; i < iTriggers; ++i) {
        triggers[size_t(i)].nextRunMs = start + 3600 * 1000;
        triggers[size_t(i)].data = i;
        triggers[size_t(i)].taskId = i;
    }
    // Only the signal of it is used, to reach the same kind of receiver.
    VekPdtServerCrontab emitter;
    long fired = 0;
    QObject::connect(&emitter, &VekPdtServerCrontab::taskTriggered, [&fired]() { ++fired; });
    qint64 nowMs = start;
    std::vector<double> dueMs;
    QElapsedTimer timer;
    for (int i = 0; i < g_dueTicks; ++i) {
        nowMs += qint64(428) * 86400 * 1000;
        timer.start();
        for (FloorTrigger &trigger : triggers) {
            if ((trigger.nextRunMs - nowMs) / 1000 > 0)
                continue;
            trigger.nextRunMs = nowMs + 86400 * 1000;
            Q_EMIT emitter.taskTriggered(trigger.taskId, trigger.data);
        }
        dueMs.push_back(msSince(timer));
    }
    std::printf("due-ms %f\nfired %ld\n", benchprocess::median(dueMs), fired / g_dueTicks);
    return fired == long(iTriggers) * g_dueTicks ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc == 3 || argc == 4) {
        const int triggers = QByteArray(argv[2]).toInt();
        if (argc == 4)
            g_dueTicks = qMax(1, QByteArray(argv[3]).toInt());
        if (qstrcmp(argv[1], "crontab") == 0)
            return runCrontab(triggers);
        if (qstrcmp(argv[1], "floor") == 0)
            return runFloor(triggers);
        std::fprintf(stderr, "usage: %s [crontab|floor COUNT [TICKS]]\n", argv[0]);
        return 2;
    }

    QTextStream out(stdout);
    const int cpu = benchprocess::pinToOneCpu();
    const QString self = QCoreApplication::applicationFilePath();
    const QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    out << "TZ " << (env.contains(QStringLiteral("TZ")) ? "set" : "not set") << ", pinned to processor " << cpu
        << ", median of " << kRounds << " rounds, each side in its own process\n";

    for (const int triggers : {10000, 100000}) {
        std::vector<double> dueMs, floorMs, registerMs, reloadMs, idleUs;
        const QString count = QString::number(triggers);
        for (int round = 0; round < kRounds; ++round) {
            for (int side = 0; side < 2; ++side) {
                const bool crontabSide = (side + round) % 2 == 0;
                const benchprocess::ChildRun r = benchprocess::run(
                        self, {crontabSide ? QStringLiteral("crontab") : QStringLiteral("floor"), count}, env);
                if (!r.ok) {
                    out << "a child failed (" << (crontabSide ? "crontab" : "floor") << ")\n";
                    return 1;
                }
                if (crontabSide) {
                    dueMs.push_back(benchprocess::valueOf(r.out, "due-ms"));
                    registerMs.push_back(benchprocess::valueOf(r.out, "register-ms"));
                    reloadMs.push_back(benchprocess::valueOf(r.out, "reload-ms"));
                    idleUs.push_back(benchprocess::valueOf(r.out, "idle-us"));
                } else {
                    floorMs.push_back(benchprocess::valueOf(r.out, "due-ms"));
                }
            }
        }
        const double due = benchprocess::median(dueMs);
        const double floor = benchprocess::median(floorMs);
        out << "\ntriggers: " << triggers << "\n"
            << "  registration:                        " << QString::number(benchprocess::median(registerMs), 'f', 1)
            << " ms\n"
            << "  registration again after clearTask:  " << QString::number(benchprocess::median(reloadMs), 'f', 1)
            << " ms\n"
            << "  tick, nothing due:                   " << QString::number(benchprocess::median(idleUs), 'f', 1)
            << " us = " << QString::number(benchprocess::median(idleUs) / 10000.0, 'f', 4) << " % of the tick\n"
            << "  tick, all due:                       " << QString::number(due, 'f', 2)
            << " ms = " << QString::number(due / 10.0, 'f', 2) << " % of the tick\n"
            << "  floor (test, move on, emit):         " << QString::number(floor, 'f', 2)
            << " ms = " << QString::number(floor / 10.0, 'f', 2) << " % of the tick\n"
            << "  ratio tick / floor:                  " << QString::number(due / floor, 'f', 3) << "\n";
        out.flush();
    }
    return 0;
}
