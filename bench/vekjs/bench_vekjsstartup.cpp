// Start-to-exit time of the script runner, the way the production service
// starts it for every task, beside Node.js doing nothing as the reference.
//
//   bench_vekjsstartup [RUNS]          (default 40 runs per case)
//
// Each case runs alternately with the others so that load changes on the
// machine hit all of them alike. The runner is measured without a display
// (QCoreApplication) and with the offscreen platform (QApplication).

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <numeric>
#include <cstdio>

namespace {

struct Case
{
    QString name;
    QString program;
    QStringList arguments;
    QProcessEnvironment env;
    QVector<double> ms;
};

double runOnce(const Case &iCase)
{
    QProcess process;
    process.setProcessEnvironment(iCase.env);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer timer;
    timer.start();
    process.start(iCase.program, iCase.arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0) {
        fprintf(stderr, "%s failed: %s\n", qPrintable(iCase.name), qPrintable(process.errorString()));
        return -1;
    }
    return timer.nsecsElapsed() / 1e6;
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
        {QStringLiteral("node -e \"\""), node, {QStringLiteral("-e"), QString()}, noDisplay, {}},
        {QStringLiteral("vekjs empty script"), runner, {empty}, noDisplay, {}},
        {QStringLiteral("vekjs import sys, process"), runner, {imports, QStringLiteral("args.json")}, noDisplay, {}},
        {QStringLiteral("vekjs empty script, offscreen GUI"), runner, {empty}, offscreen, {}},
        {QStringLiteral("vekjs import sys, process, offscreen GUI"), runner,
         {imports, QStringLiteral("args.json")}, offscreen, {}},
    };
    for (Case &c : cases)
        runOnce(c);  // warm the file cache
    for (int i = 0; i < runs; ++i) {
        for (Case &c : cases) {
            const double ms = runOnce(c);
            if (ms < 0)
                return 1;
            c.ms.append(ms);
        }
    }

    const double nodeMedian = median(cases.first().ms);
    printf("%-42s %10s %10s %14s\n", "case", "median ms", "mean ms", "vs node");
    for (const Case &c : qAsConst(cases)) {
        const double mean = std::accumulate(c.ms.begin(), c.ms.end(), 0.0) / c.ms.size();
        printf("%-42s %10.1f %10.1f %13.2fx\n", qPrintable(c.name), median(c.ms), mean,
               median(c.ms) / nodeMedian);
    }
    printf("(%d runs per case; target: the runner at most 0.25x of node)\n", runs);
    return 0;
}
