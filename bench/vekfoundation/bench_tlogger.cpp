// Log throughput against a plain append-and-flush loop, the cost of a line
// that the level filters out, and roll-over among thousands of same-day files.
//
//   bench_tlogger [lines]        (default 100000)
//
// The logger echoes every line on Qt's debug output; a silent message
// handler keeps the terminal out of the figures, the formatting stays in.
#include "tlogger.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMutex>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>
#include <QVector>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

void silent(QtMsgType, const QMessageLogContext &, const QString &) {}

QMutex bareMutex;
int bareLevel = 0;

// What a filtered line may cost: an exported call, a mutex and a compare.
Q_DECL_EXPORT bool __attribute__((noinline))
bareFilter(const QString &, const QString &, const QString &, const QString &, int level)
{
    QMutexLocker locker(&bareMutex);
    return level > bareLevel;
}

double runThreads(int threads, int lines, const std::function<void(int, int)> &work)
{
    std::vector<std::unique_ptr<QThread>> workers;
    const int perThread = lines / threads;
    QElapsedTimer timer;
    timer.start();
    for (int t = 0; t < threads; ++t) {
        workers.emplace_back(QThread::create([=] { work(t, perThread); }));
        workers.back()->start();
    }
    for (auto &w : workers)
        w->wait();
    return timer.nsecsElapsed() / 1e9;
}

QString payload(int t, int i)
{
    return QStringLiteral("thread %1 line %2 panel PNL-000123 drilled with tool T07").arg(t).arg(i);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int lines = argc > 1 ? QByteArray(argv[1]).toInt() : 100000;
    qInstallMessageHandler(silent);
    TLogger *logger = TLogger::instance();

    std::printf("%-36s %12s %12s %8s\n", "case", "lines/s", "baseline/s", "ratio");
    // The machine may be busy: each case runs five rounds, each round the
    // baseline and the logger back to back (in alternating order), and the
    // median of the per-round ratios counts, beside the median rates.
    auto median = [](QVector<double> v) {
        std::sort(v.begin(), v.end());
        return v.at(v.size() / 2);
    };
    for (int threads : {1, 8}) {
        QVector<double> baseRates, logRates, ratios;
        for (int round = 0; round < 5; ++round) {
            auto baseline = [&] {
                QTemporaryDir baseDir;
                QFile baseFile(baseDir.filePath("base.log"));
                baseFile.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text);
                QTextStream stream(&baseFile);
                stream.setCodec("UTF-8");
                QMutex baseMutex;
                const QString pos = QStringLiteral("File:bench_tlogger.cpp, Line:1, Func:main");
                return runThreads(threads, lines, [&](int t, int n) {
                    for (int i = 0; i < n; ++i) {
                        // The same line a log entry carries.
                        const QString line = QStringLiteral("2026-12-09 08:00:00 [DEBUG] \t") + payload(t, i)
                                             + QStringLiteral("  [SRC:") + pos + QStringLiteral("] [LEVEL:5]");
                        QMutexLocker locker(&baseMutex);
                        stream << line << '\n';
                        stream.flush();
                    }
                });
            };
            auto logged = [&] {
                QTemporaryDir logDir;
                logger->setLogDir(logDir.path());
                logger->setDebugLevel(5);
                const double secs = runThreads(threads, lines, [&](int t, int n) {
                    for (int i = 0; i < n; ++i)
                        logger->writeLog(payload(t, i), QStringLiteral("debug"), QString(), TLOG_POS, 5);
                });
                logger->setCurrentLogFile(logDir.filePath("closing.log"));
                return secs;
            };
            double baseSecs, logSecs;
            if (round % 2) {
                logSecs = logged();
                baseSecs = baseline();
            } else {
                baseSecs = baseline();
                logSecs = logged();
            }
            baseRates << lines / baseSecs;
            logRates << lines / logSecs;
            ratios << baseSecs / logSecs;
        }
        std::printf("%-36s %12.0f %12.0f %8.2f\n", qPrintable(QStringLiteral("writeLog, %1 thread(s)").arg(threads)),
                    median(logRates), median(baseRates), median(ratios));
    }

    // A filtered line: the mutex and the level compare, against exactly that.
    {
        logger->setDebugLevel(0);
        const int calls = 10000000;
        const QString text = QStringLiteral("filtered"), type = QStringLiteral("debug"), pos = TLOG_POS;
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < calls; ++i)
            logger->writeLog(text, type, QString(), pos, 5);
        const double filteredNs = double(timer.nsecsElapsed()) / calls;
        int kept = 0;
        timer.restart();
        for (int i = 0; i < calls; ++i)
            kept += bareFilter(text, type, QString(), pos, 5);
        const double bareNs = double(timer.nsecsElapsed()) / calls;
        std::printf("%-36s %9.1f ns %9.1f ns %8.2f   (%d)\n", "filtered line vs call+mutex+compare", filteredNs, bareNs,
                    filteredNs / bareNs, kept == calls);
    }

    // Roll-over with thousands of files of the day already there.
    {
        QTemporaryDir dir;
        const QString day = QDate::currentDate().toString("yyyyMMdd");
        const int existing = 5000;
        for (int i = 0; i < existing; ++i) {
            QFile f(dir.filePath(i ? QStringLiteral("%1_%2.log").arg(day).arg(i) : day + ".log"));
            f.open(QIODevice::WriteOnly);
        }
        logger->setLogDir(dir.path());
        logger->setDebugLevel(0);
        logger->setMaxFileSize(0); // every line above the limit opens the next file
        const int rolls = 1000;
        QElapsedTimer timer;
        timer.start();
        logger->writeLog("first", "info", QString(), TLOG_POS, 0);
        const double firstUs = timer.nsecsElapsed() / 1e3;
        timer.restart();
        for (int i = 0; i < rolls; ++i)
            logger->writeLog("roll", "info", QString(), TLOG_POS, 0);
        const double perRollUs = timer.nsecsElapsed() / 1e3 / rolls;
        // What probing one name after the other from "_1" would cost per roll-over.
        timer.restart();
        int counter = 1;
        while (QFileInfo::exists(dir.filePath(QStringLiteral("%1_%2.log").arg(day).arg(counter))))
            ++counter;
        const double probeUs = timer.nsecsElapsed() / 1e3;
        std::printf("%-36s %9.1f us first (%d files present), %.1f us per later roll-over (now at %s);"
                    " probing from _1 alone: %.1f us\n",
                    "roll-over", firstUs, existing, perRollUs,
                    qPrintable(QFileInfo(logger->currentLogFileName()).fileName()), probeUs);
        logger->setCurrentLogFile(dir.filePath("closing.log"));
        logger->setMaxFileSize(10000000);
    }
    return 0;
}
