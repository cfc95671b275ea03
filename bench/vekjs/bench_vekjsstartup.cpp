// Start-to-exit time of the script runner, the way the production service
// starts it for every task, beside Node.js doing nothing as the reference.
//
//   bench_vekjsstartup [RUNS]          (default 40 runs per case)
//
// Each case runs alternately with the others so that load changes on the
// machine hit all of them alike. The runner is measured without a display
// (QCoreApplication) and with the offscreen platform (QApplication). Beside
// the wall time the table gives the CPU time (user + system) the child used,
// which a busy machine distorts less. A bare QJSEngine program shows the
// floor that loading Qt alone sets.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <numeric>

namespace {

struct Case
{
    Case() = default;
    Case(const QString &iName, const QString &iProgram, const QStringList &iArguments, const QProcessEnvironment &iEnv)
        : name(iName)
        , program(iProgram)
        , arguments(iArguments)
        , env(iEnv)
    {}

    QString name;
    QString program;
    QStringList arguments;
    QProcessEnvironment env;
    QVector<double> ms;
    QVector<double> cpuMs;
};

double childrenCpuMs()
{
    rusage usage {};
    getrusage(RUSAGE_CHILDREN, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3
           + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

double runOnce(const Case &iCase, double *oCpuMs = nullptr)
{
    const double cpuBefore = childrenCpuMs();
    QProcess process;
    process.setProcessEnvironment(iCase.env);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer timer;
    timer.start();
    process.start(iCase.program, iCase.arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        fprintf(stderr, "%s failed: %s\n", qPrintable(iCase.name), qPrintable(process.errorString()));
        return -1;
    }
    const double wall = timer.nsecsElapsed() / 1e6;
    if (oCpuMs)
        *oCpuMs = childrenCpuMs() - cpuBefore;
    return wall;
}

double median(QVector<double> iValues)
{
    std::sort(iValues.begin(), iValues.end());
    return iValues.isEmpty() ? 0 : iValues.at(iValues.size() / 2);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? qMax(1, atoi(argv[1])) : 40;
    const QString runner = QStringLiteral(VEK_BIN_DIR "/vekjs");
    const QString node = QStandardPaths::findExecutable(QStringLiteral("node"));
    if (node.isEmpty()) {
        fprintf(stderr, "node not found\n");
        return 1;
    }

    QTemporaryDir dir;
    const QString empty = dir.filePath(QStringLiteral("empty.js"));
    const QString imports = dir.filePath(QStringLiteral("imports.js"));
    QFile(empty).open(QIODevice::WriteOnly);
    QFile f(imports);
    f.open(QIODevice::WriteOnly);
    f.write("var sys = __package__.import('sys'); var p = __package__.import('process');\n");
    f.close();

    QProcessEnvironment noDisplay = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        noDisplay.remove(QString::fromLatin1(name));
    QProcessEnvironment offscreen = noDisplay;
    offscreen.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));

    QVector<Case> cases {
            {QStringLiteral("node -e \"\""), node, {QStringLiteral("-e"), QString()}, noDisplay},
            {QStringLiteral("bare QJSEngine, empty script"),
             QCoreApplication::applicationDirPath() + QStringLiteral("/bench_vekjsbareengine"),
             {},
             noDisplay},
            {QStringLiteral("vekjs empty script"), runner, {empty}, noDisplay},
            {QStringLiteral("vekjs import sys, process"), runner, {imports, QStringLiteral("args.json")}, noDisplay},
            {QStringLiteral("vekjs empty script, offscreen GUI"), runner, {empty}, offscreen},
            {QStringLiteral("vekjs import sys, process, offscreen GUI"),
             runner,
             {imports, QStringLiteral("args.json")},
             offscreen},
    };
    for (Case &c : cases)
        runOnce(c); // warm the file cache
    for (int i = 0; i < runs; ++i) {
        for (Case &c : cases) {
            double cpu = 0;
            const double ms = runOnce(c, &cpu);
            if (ms < 0)
                return 1;
            c.ms.append(ms);
            c.cpuMs.append(cpu);
        }
    }

    const double nodeMedian = median(cases.first().ms);
    const double nodeCpu = median(cases.first().cpuMs);
    printf("%-42s %10s %10s %9s %10s %9s\n", "case", "wall ms", "mean ms", "vs node", "cpu ms", "vs node");
    for (const Case &c : qAsConst(cases)) {
        const double mean = std::accumulate(c.ms.begin(), c.ms.end(), 0.0) / c.ms.size();
        printf("%-42s %10.1f %10.1f %8.2fx %10.1f %8.2fx\n", qPrintable(c.name), median(c.ms), mean,
               median(c.ms) / nodeMedian, median(c.cpuMs), median(c.cpuMs) / nodeCpu);
    }
    printf("(medians of %d runs per case)\n", runs);
    return 0;
}
