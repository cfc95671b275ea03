// The schedule at 10,000 and 100,000 triggers: registering them, one tick
// with nothing due (the usual tick) and one tick with every trigger due (each
// one's next time computed and the signal sent to a receiver that only
// counts), as a share of the 1000 ms tick. The other side is the floor the
// schedule used to stand on: one local-time conversion of now and two of the
// candidate per due trigger, each of which makes the C library look at the
// zone file when TZ is not set. Median of five rounds each.

#include "vekpdtservercrontab.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>
#include <QVector>

#include <algorithm>
#include <vector>

namespace {

const int kRounds = 5;

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

double median(std::vector<double> iValues)
{
    std::sort(iValues.begin(), iValues.end());
    return iValues[iValues.size() / 2];
}

void tick(VekPdtServerCrontab &ioCrontab)
{
    QMetaObject::invokeMethod(&ioCrontab, "onTimerTimeout", Qt::DirectConnection);
}

// What a due trigger used to cost in conversions alone.
double conversionFloorMs(int iTriggers)
{
    const QDate date = QDate::currentDate().addDays(1);
    const QTime time(8, 0);
    qint64 sink = 0;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < iTriggers; ++i) {
        sink += QDateTime::currentDateTime().toMSecsSinceEpoch();
        sink += QDateTime(date, time).toMSecsSinceEpoch();
        sink += QDateTime(date.addDays(1), time).toMSecsSinceEpoch();
    }
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    return sink == 42 ? 0 : ms;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    out << "TZ " << (qEnvironmentVariableIsSet("TZ") ? "set" : "not set") << ", median of " << kRounds << " rounds\n";

    for (const int triggers : {10000, 100000}) {
        std::vector<double> registerMs, reloadMs, idleUs, dueMs, floorMs;
        int firedPerTick = 0;
        const QVector<QVariantMap> rows = triggerRows(triggers);
        for (int round = 0; round < kRounds; ++round) {
            {
                // Registration against the system clock, as the service does it.
                VekPdtServerCrontab crontab;
                QElapsedTimer timer;
                timer.start();
                fill(crontab, rows);
                registerMs.push_back(double(timer.nsecsElapsed()) / 1e6);
                // Again, as a reload of the schedule does: the records' memory
                // is touched already. On a virtual machine the first touch of
                // each page is most of the first figure.
                crontab.clearTask();
                timer.start();
                fill(crontab, rows);
                reloadMs.push_back(double(timer.nsecsElapsed()) / 1e6);
            }

            QDateTime now = QDateTime::currentDateTimeUtc();
            VekPdtServerCrontab crontab;
            crontab.setClock([&now]() { return now; });
            fill(crontab, rows);
            QElapsedTimer timer;
            timer.start();
            for (int i = 0; i < 20; ++i)
                tick(crontab);
            idleUs.push_back(double(timer.nsecsElapsed()) / 1e3 / 20);

            // Every trigger due: the clock jumps past every next time (a year
            // and more, so what was learnt of the zone is learnt anew too).
            int fired = 0;
            QObject::connect(&crontab, &VekPdtServerCrontab::taskTriggered, [&fired]() { ++fired; });
            now = now.addYears(1).addMonths(2);
            timer.start();
            tick(crontab);
            dueMs.push_back(double(timer.nsecsElapsed()) / 1e6);
            firedPerTick = fired;

            floorMs.push_back(conversionFloorMs(triggers));
        }
        const double due = median(dueMs);
        const double floor = median(floorMs);
        out << "\ntriggers: " << triggers << "\n"
            << "  registration:        " << QString::number(median(registerMs), 'f', 1) << " ms\n"
            << "  registration again after clearTask: " << QString::number(median(reloadMs), 'f', 1) << " ms\n"
            << "  tick, nothing due:   " << QString::number(median(idleUs), 'f', 1)
            << " us = " << QString::number(median(idleUs) / 10000.0, 'f', 4) << " % of the tick\n"
            << "  tick, all due (" << firedPerTick << " firings): " << QString::number(due, 'f', 2)
            << " ms = " << QString::number(due / 10.0, 'f', 2) << " % of the tick\n"
            << "  conversions per due trigger as before: " << QString::number(floor, 'f', 2)
            << " ms = " << QString::number(floor / 10.0, 'f', 2) << " % of the tick\n"
            << "  ratio tick / conversions before: " << QString::number(due / floor, 'f', 3) << "\n";
    }
    return 0;
}
