// Side-by-side measurement in child processes, shared by the benchmarks that
// compare one program (or one mode of a program) with another: each side
// runs in a process of its own, the rounds alternate which side goes first,
// and every child is pinned to the same processor as the parent.
#ifndef BENCHPROCESS_H
#define BENCHPROCESS_H

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryFile>

#include <algorithm>
#include <vector>

#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace benchprocess {

// Pins this process, and so every child it starts, to the processor it runs
// on now; returns that processor, or -1 when it could not.
inline int pinToOneCpu()
{
    const int cpu = sched_getcpu();
    if (cpu < 0)
        return -1;
    cpu_set_t set;
    CPU_ZERO(&set);
    CPU_SET(cpu, &set);
    return sched_setaffinity(0, sizeof(set), &set) == 0 ? cpu : -1;
}

struct ChildRun
{
    bool ok = false;
    double wallMs = 0;
    double cpuMs = 0;
    double maxRssMiB = 0; // the child's own peak resident size
    QByteArray out;       // what it wrote to standard output
};

// Runs iProgram with iArguments and iEnv, its standard output collected and
// its standard error passed through; waits at most iTimeoutMs, then kills it.
inline ChildRun run(const QString &iProgram, const QStringList &iArguments, const QProcessEnvironment &iEnv,
                    int iTimeoutMs = 60000)
{
    ChildRun result;
    QTemporaryFile outFile;
    if (!outFile.open())
        return result;
    // Everything exec needs, made before the fork.
    std::vector<QByteArray> argStore {QFile::encodeName(iProgram)};
    for (const QString &arg : iArguments)
        argStore.push_back(arg.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &arg : argStore)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    std::vector<QByteArray> envStore;
    for (const QString &entry : iEnv.toStringList())
        envStore.push_back(entry.toLocal8Bit());
    std::vector<char *> envp;
    for (QByteArray &entry : envStore)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    const int outFd = outFile.handle();

    QElapsedTimer timer;
    timer.start();
    const pid_t pid = fork();
    if (pid < 0)
        return result;
    if (pid == 0) {
        dup2(outFd, STDOUT_FILENO);
        execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    int status = 0;
    rusage usage {};
    for (;;) {
        const pid_t done = wait4(pid, &status, WNOHANG, &usage);
        if (done == pid)
            break;
        if (done < 0)
            return result;
        if (timer.elapsed() > iTimeoutMs) {
            kill(pid, SIGKILL);
            wait4(pid, &status, 0, &usage);
            return result;
        }
        usleep(200);
    }
    result.wallMs = timer.nsecsElapsed() / 1e6;
    result.cpuMs = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3
                   + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
    result.maxRssMiB = usage.ru_maxrss / 1024.0;
    result.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    QFile read(outFile.fileName());
    if (read.open(QIODevice::ReadOnly))
        result.out = read.readAll();
    return result;
}

// The value after "iKey " on a line of iOut, or -1.
inline double valueOf(const QByteArray &iOut, const QByteArray &iKey)
{
    const QList<QByteArray> lines = iOut.split('\n');
    for (const QByteArray &line : lines) {
        if (line.startsWith(iKey + ' '))
            return line.mid(iKey.size() + 1).trimmed().toDouble();
    }
    return -1;
}

inline double median(std::vector<double> iValues)
{
    if (iValues.empty())
        return 0;
    std::sort(iValues.begin(), iValues.end());
    return iValues[iValues.size() / 2];
}

} // namespace benchprocess

#endif // BENCHPROCESS_H
