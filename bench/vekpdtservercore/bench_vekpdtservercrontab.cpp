// The cost of one schedule tick with 10,000 registered triggers, as a share
// of the 1000 ms tick: with nothing due (the usual tick), and with every
// trigger due at once (each one's next time computed and the signal sent).

#include "vekpdtservercrontab.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

namespace {

const int kTriggers = 10000;

void fill(VekPdtServerCrontab &ioCrontab)
{
    const char *kinds[][2] = {{"EACH_DAY", "08:00:00"},
                              {"EACH_WEEK", "3 09:30:00"},
                              {"EACH_MONTH", "31 23:00:00"},
                              {"EACH_YEAR", "02-29 06:00:00"},
                              {"INTERVAL", "3600"}};
    for (int i = 0; i < kTriggers; ++i) {
        const auto &kind = kinds[i % 5];
        ioCrontab.registerTask({{QStringLiteral("task_id"), i},
                                {QStringLiteral("trigger_type"), QLatin1String(kind[0])},
                                {QStringLiteral("value"), QLatin1String(kind[1])},
                                {QStringLiteral("data"), i}});
    }
}

double microsecondsPerTick(VekPdtServerCrontab &ioCrontab, int iTicks)
{
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < iTicks; ++i)
        QMetaObject::invokeMethod(&ioCrontab, "onTimerTimeout", Qt::DirectConnection);
    return double(timer.nsecsElapsed()) / 1000.0 / iTicks;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QDateTime now = QDateTime::currentDateTime();

    VekPdtServerCrontab idle;
    idle.setClock([&now]() { return now; });
    fill(idle);
    const double idleUs = microsecondsPerTick(idle, 200);

    // Every trigger due: the clock jumps past every next time before each tick.
    VekPdtServerCrontab busy;
    busy.setClock([&now]() { return now; });
    fill(busy);
    int fired = 0;
    QObject::connect(&busy, &VekPdtServerCrontab::taskTriggered, [&fired]() { ++fired; });
    QElapsedTimer timer;
    qint64 busyNs = 0;
    const int busyTicks = 20;
    for (int i = 0; i < busyTicks; ++i) {
        now = now.addYears(2);
        timer.start();
        QMetaObject::invokeMethod(&busy, "onTimerTimeout", Qt::DirectConnection);
        busyNs += timer.nsecsElapsed();
    }
    const double busyUs = double(busyNs) / 1000.0 / busyTicks;

    out << "triggers: " << kTriggers << "\n"
        << "tick, nothing due: " << QString::number(idleUs, 'f', 1)
        << " us = " << QString::number(idleUs / 10000.0, 'f', 4) << " % of the 1000 ms tick\n"
        << "tick, all due (" << fired / busyTicks << " firings): " << QString::number(busyUs / 1000.0, 'f', 2)
        << " ms = " << QString::number(busyUs / 10000.0, 'f', 2) << " % of the 1000 ms tick\n";
    return 0;
}
