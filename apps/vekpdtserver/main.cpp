// vekpdtserver: the production script service of one plant service row.
//
// Installed as ROOT/<platform>/bin/vekpdtserver; reads
// ROOT/config/vekpdtserver.cfg, logs to ROOT/log and writes the files it
// hands to task processes under ROOT/tmp. SIGINT and SIGTERM end the event
// loop; the tasks still running are waited for before the program exits.
// The service outlives its standard output and error output: a log
// collector that goes away costs it the echo of its log, nothing else.

#include "vekpdtservercore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int signalFds[2] = {-1, -1};

void onSignal(int iSignal)
{
    const char byte = char(iSignal);
    // Only async-signal-safe calls here; the event loop does the rest.
    [[maybe_unused]] const ssize_t written = ::write(signalFds[0], &byte, 1);
}

bool watchQuitSignals(QCoreApplication &ioApp)
{
    // Close-on-exec: a task holding either end could stop the service.
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalFds) != 0)
        return false;
    auto *notifier = new QSocketNotifier(signalFds[1], QSocketNotifier::Read, &ioApp);
    QObject::connect(notifier, &QSocketNotifier::activated, &ioApp, [notifier]() {
        char byte = 0;
        [[maybe_unused]] const ssize_t got = ::read(signalFds[1], &byte, 1);
        notifier->setEnabled(false);
        QCoreApplication::quit();
    });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    return ::sigaction(SIGINT, &action, nullptr) == 0 && ::sigaction(SIGTERM, &action, nullptr) == 0;
}

// Started with 0, 1 or 2 closed, the service would hand those numbers to
// the next files it opens, and the log echo would write into them.
void keepStandardDescriptors()
{
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) >= 0 || errno != EBADF)
            continue;
        const int null = ::open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
        if (null >= 0 && null != fd) {
            ::dup2(null, fd);
            ::close(null);
        }
    }
}

} // namespace

int main(int argc, char *argv[])
{
    keepStandardDescriptors();
    // A write to an output nobody reads any more fails instead of ending the
    // service. Task runs get the default handling back before they start.
    ::signal(SIGPIPE, SIG_IGN);
    // Started with SIGCHLD ignored, the system would reap every run by
    // itself, and how a run ended would be lost (a failed run taken for a
    // good one).
    ::signal(SIGCHLD, SIG_DFL);

    // Never destroyed: the service core's destructor runs after main, at
    // process exit, and still finds its task threads, whose ends are queued
    // to this thread. (The running tasks themselves are waited for when the
    // event loop quits.)
    auto *app = new QCoreApplication(argc, argv);
    if (!watchQuitSignals(*app))
        qWarning("vekpdtserver: cannot watch SIGINT and SIGTERM");

    VekPdtServerCore *core = VekPdtServerCore::instance();
    const QString root = core->appRootPath();
    core->setLogDir(root + QStringLiteral("/log"));
    const QString tempPath = root + QStringLiteral("/tmp");
    // It holds the task argument files with the database password.
    QDir().mkpath(tempPath);
    ::chmod(QFile::encodeName(tempPath).constData(), 0700);
    core->setAppTempPath(tempPath);

    if (!core->readConfig() || !core->initServiceInfo())
        return 1;
    core->recoverLeftRuns();
    core->loadTask();
    return app->exec();
}
