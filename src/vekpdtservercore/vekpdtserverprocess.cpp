#include "vekpdtserverprocess.h"
#include "vekpdtserverprocess_p.h"

#include "vekpdtserverutil_p.h"

#include "tdataparse.h"
#include "terror.h"
#include "tfileio.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMutexLocker>
#include <QProcess>
#include <QTextCodec>
#include <QTextStream>

#include <cstdio>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>
extern char **environ;
#endif

namespace {

QString argText(const QVariantMap &iArgv, const char *iKey) { return iArgv.value(QLatin1String(iKey)).toString(); }

// Writes a generated script: owner-only and executable, UTF-8 without a
// byte-order mark, lines ending in a line feed.
bool writeScriptFile(const QString &iPath, const QStringList &iLines)
{
    QByteArray bytes;
    for (const QString &line : iLines) {
        bytes += line.toUtf8();
        bytes += '\n';
    }
    QString reason;
    if (VekPdtServerUtil::writePrivateFile(iPath, bytes, VekPdtServerUtil::privateScript, &reason))
        return true;
    VEK_LOG(QStringLiteral("write file [%1] failed: %2").arg(iPath, reason), "error", 0);
    return false;
}

void removeIfExists(const QString &iPath)
{
    if (!iPath.isEmpty() && QFileInfo::exists(iPath))
        QFile::remove(iPath);
}

// The longest part of a run's last error line that goes into the log.
constexpr int maxErrorLine = 1000;

#ifdef Q_OS_UNIX
// A pipe whose ends are close-on-exec from their creation: no other
// program started meanwhile may inherit them.
bool openErrorPipe(int oFds[2])
{
#ifdef Q_OS_LINUX
    return ::pipe2(oFds, O_CLOEXEC) == 0;
#else
    if (::pipe(oFds) != 0)
        return false;
    ::fcntl(oFds[0], F_SETFD, FD_CLOEXEC);
    ::fcntl(oFds[1], F_SETFD, FD_CLOEXEC);
    return true;
#endif
}

// Whether process iPid has ended (it stays unreaped). A program that is no
// child any more was reaped by the system (the host ignores SIGCHLD): it
// has ended too.
bool hasEnded(pid_t iPid)
{
    siginfo_t info {};
    int result = 0;
    do {
        result = ::waitid(P_PID, id_t(iPid), &info, WEXITED | WNOHANG | WNOWAIT);
    } while (result < 0 && errno == EINTR);
    return result == 0 ? info.si_pid != 0 : errno == ECHILD;
}
#endif

} // namespace

VekPdtServerProcessPrivate::VekPdtServerProcessPrivate(VekPdtServerProcess *iQ)
    : q_ptr(iQ)
{}

void VekPdtServerProcessPrivate::updateRunRecord()
{
    QVariantMap record = VekPdtServerUtil::readJsonFile(runRecordPath);
    QStringList files;
    for (const QString &path : {argvFilePath, cshFilePath, batFilePath}) {
        if (!path.isEmpty())
            files << path;
    }
    record.insert(QStringLiteral("files"), files);
    qint64 group = 0;
    {
        QMutexLocker locker(&programMutex);
        group = programGroup;
    }
    if (group > 0) {
        record.insert(QStringLiteral("group"), group);
        record.insert(QStringLiteral("group_start"), VekPdtServerUtil::processStartTime(group));
    }
    QString reason;
    if (!VekPdtServerUtil::replaceJsonFile(runRecordPath, record, &reason))
        VEK_LOG(QStringLiteral("thread %1 write run record [%2] failed: %3").arg(threadId(), runRecordPath, reason),
                "error", 0);
}

QString VekPdtServerProcessPrivate::threadId() const
{
    return QStringLiteral("0x") + QString::number(quintptr(q_ptr), 16);
}

void VekPdtServerProcessPrivate::takeErrorOutput(const char *iData, qint64 iSize)
{
    // What the program writes to its error output still reaches the
    // service's own, as it did when the program wrote there itself.
    qint64 done = 0;
    while (forwardErrorOutput && done < iSize) {
#ifdef Q_OS_UNIX
        const ssize_t written = ::write(STDERR_FILENO, iData + done, size_t(iSize - done));
        if (written < 0 && errno == EINTR)
            continue;
#else
        const qint64 written = qint64(std::fwrite(iData + done, 1, size_t(iSize - done), stderr));
        std::fflush(stderr);
#endif
        if (written <= 0)
            forwardErrorOutput = false;
        else
            done += written;
    }

    if (iSize >= errorTailSize) {
        errorTail = QByteArray(iData + iSize - errorTailSize, errorTailSize);
        errorTailCut = true;
        return;
    }
    errorTail.append(iData, int(iSize));
    if (errorTail.size() > 2 * errorTailSize) {
        errorTail.remove(0, errorTail.size() - errorTailSize);
        errorTailCut = true;
    }
}

QString VekPdtServerProcessPrivate::lastErrorLine() const
{
    int end = errorTail.size();
    while (end > 0
           && (errorTail.at(end - 1) == '\n' || errorTail.at(end - 1) == '\r' || errorTail.at(end - 1) == ' '
               || errorTail.at(end - 1) == '\t'))
        --end;
    int start = end > 0 ? errorTail.lastIndexOf('\n', end - 1) + 1 : 0;
    const bool beginsAtCut = start == 0 && errorTailCut;
    // Where the tail was cut the text may begin inside a UTF-8 sequence:
    // its remaining bytes are no character of their own. In another
    // locale's encoding such bytes are whole characters.
    if (beginsAtCut && QTextCodec::codecForLocale()->mibEnum() == 106) {
        while (start < end && (uchar(errorTail.at(start)) & 0xC0) == 0x80)
            ++start;
    }
    // By its size: a NUL is one more character, not the end of the text.
    QString line = QString::fromLocal8Bit(errorTail.constData() + start, end - start);
    // The program decides what it writes: it must neither make lines of its
    // own in the service's log nor reorder the line for a reader that
    // honours the bidirectional controls.
    for (QChar &c : line) {
        if (VekPdtServerUtil::isHostileInLogLine(c.unicode()))
            c = QLatin1Char(' ');
    }
    if (line.size() > maxErrorLine) {
        // A character outside the BMP is two units: it is kept whole or not at all.
        const int cut = line.at(maxErrorLine - 1).isHighSurrogate() ? maxErrorLine - 1 : maxErrorLine;
        line = line.left(cut) + QStringLiteral("...");
    }
    if (beginsAtCut && !line.isEmpty())
        line.prepend(QStringLiteral("..."));
    return line;
}

void VekPdtServerProcessPrivate::reportFailedStart(const QString &iProgram, const QString &iReason) const
{
    VEK_LOG(QStringLiteral("thread %1 cannot start [%2] for task %3 script [%4]: %5")
                    .arg(threadId(), iProgram, argText(argv, "task_id"),
                         VekPdtServerUtil::printableName(argText(argv, "script_name")), iReason),
            "error", 0);
}

void VekPdtServerProcessPrivate::reportFailedEnd(const QString &iHow) const
{
    const QString line = lastErrorLine();
    VEK_LOG(QStringLiteral("task %1 run of script [%2] %3; %4")
                    .arg(argText(argv, "task_id"), VekPdtServerUtil::printableName(argText(argv, "script_name")), iHow,
                         line.isEmpty() ? QStringLiteral("it wrote no error output")
                                        : QStringLiteral("its last error output: ") + line),
            "error", 0);
}

void VekPdtServerProcessPrivate::execute(const QString &iProgram, const QStringList &iArguments)
{
#ifdef Q_OS_UNIX
    // posix_spawn shares the service's memory until the exec instead of
    // copying its page tables as fork does: with many runs starting at once
    // in a service of many threads, that copying is what the starts wait for.
    QList<QByteArray> args {QFile::encodeName(iProgram)};
    for (const QString &argument : iArguments)
        args << QFile::encodeName(argument);
    std::vector<char *> spawnArgv;
    for (QByteArray &argument : args)
        spawnArgv.push_back(argument.data());
    spawnArgv.push_back(nullptr);

    // The program's error output comes through a pipe, so that the service
    // can say why a run failed; without the pipe the run still goes on.
    int errorPipe[2] = {-1, -1};
    const bool captureErrors = openErrorPipe(errorPipe);
    if (!captureErrors) {
        const int reason = errno;
        VEK_LOG(QStringLiteral("thread %1 cannot open a pipe for the error output: %2")
                        .arg(threadId(), qt_error_string(reason)),
                "error", 0);
    }

    // The task gets descriptors 0-2 and nothing else of the service, whether
    // or not the library that opened a descriptor asked for close-on-exec;
    // it runs in a process group of its own, so that the whole task (with
    // what it started) can be ended at shutdown; and it starts with the
    // signal handling a freshly started program expects: every signal
    // unblocked and at its default action, whatever the service ignores
    // (SIGPIPE) or was started ignoring (SIGHUP under nohup, SIGCHLD).
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawnattr_init(&attributes);
    if (captureErrors)
        ::posix_spawn_file_actions_adddup2(&actions, errorPipe[1], STDERR_FILENO);
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
    ::posix_spawn_file_actions_addclosefrom_np(&actions, 3);
#endif
    sigset_t noSignals;
    sigemptyset(&noSignals);
    sigset_t defaults;
    sigfillset(&defaults);
    ::posix_spawnattr_setsigmask(&attributes, &noSignals);
    ::posix_spawnattr_setsigdefault(&attributes, &defaults);
    ::posix_spawnattr_setpgroup(&attributes, 0);
    ::posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    pid_t pid = 0;
    int error = 0;
    bool refused = false;
    {
        QMutexLocker locker(&programMutex);
        if (endRequested) {
            refused = true;
        } else {
            error = ::posix_spawn(&pid, spawnArgv.front(), &actions, &attributes, spawnArgv.data(), environ);
            if (error == 0) {
                programPid = pid;
                programGroup = pid;
                programStarted = true;
            }
        }
    }
    if (captureErrors)
        ::close(errorPipe[1]);
    ::posix_spawn_file_actions_destroy(&actions);
    ::posix_spawnattr_destroy(&attributes);
    if (refused || error != 0) {
        if (captureErrors)
            ::close(errorPipe[0]);
        if (refused)
            VEK_LOG(QStringLiteral("thread %1 not started: the service is stopping").arg(threadId()), "error", 0);
        else
            reportFailedStart(iProgram, qt_error_string(error));
        return;
    }
    if (!runRecordPath.isEmpty())
        updateRunRecord();
    if (captureErrors) {
        readErrorOutput(pid, errorPipe[0]);
        ::close(errorPipe[0]);
    }
    // Waited for without reaping first: until the program is reaped its
    // number cannot be taken by another process, so endProgram never
    // signals a stranger. A host that ignores SIGCHLD lets the system reap
    // the program at its end: then there is neither anything to wait for
    // nor a status to read.
    siginfo_t info;
    int waitError = 0;
    while (::waitid(P_PID, id_t(pid), &info, WEXITED | WNOWAIT) < 0) {
        if (errno != EINTR) {
            waitError = errno;
            break;
        }
    }
    bool endedByService = false;
    {
        QMutexLocker locker(&programMutex);
        programPid = 0;
        endedByService = endRequested;
    }
    int status = 0;
    if (waitError != ECHILD) {
        waitError = 0;
        while (::waitpid(pid, &status, 0) < 0) {
            if (errno != EINTR) {
                waitError = errno;
                break;
            }
        }
    }
    // A run the service ended at shutdown is named by the service itself.
    if (endedByService)
        return;
    // Without its status a failed run would pass for a good one.
    if (waitError != 0) {
        reportFailedEnd(QStringLiteral("ended, but how is unknown: %1").arg(qt_error_string(waitError)));
        return;
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) != 0)
        reportFailedEnd(QStringLiteral("ended with exit status %1").arg(WEXITSTATUS(status)));
    else if (WIFSIGNALED(status))
        reportFailedEnd(QStringLiteral("ended by signal %1").arg(WTERMSIG(status)));
#else
    // What QProcess::execute does, but the reason of a failed start and the
    // error output are kept.
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedOutputChannel);
    process.setReadChannel(QProcess::StandardError);
    process.start(iProgram, iArguments);
    if (!process.waitForStarted(-1)) {
        reportFailedStart(iProgram, process.errorString());
        return;
    }
    {
        QMutexLocker locker(&programMutex);
        programStarted = true;
        runningProcess = &process;
    }
    // Read as it comes, so that the program never waits on a full pipe and
    // the service keeps only the end of it.
    while (process.state() != QProcess::NotRunning) {
        if (!process.waitForReadyRead(-1) && process.state() != QProcess::NotRunning) {
            process.waitForFinished(-1);
            break;
        }
        const QByteArray chunk = process.readAllStandardError();
        takeErrorOutput(chunk.constData(), chunk.size());
    }
    const QByteArray rest = process.readAllStandardError();
    takeErrorOutput(rest.constData(), rest.size());
    bool endedByService = false;
    {
        QMutexLocker locker(&programMutex);
        runningProcess = nullptr;
        endedByService = endRequested;
    }
    if (endedByService)
        return;
    if (process.exitStatus() == QProcess::CrashExit)
        reportFailedEnd(QStringLiteral("crashed"));
    else if (process.exitCode() != 0)
        reportFailedEnd(QStringLiteral("ended with exit status %1").arg(process.exitCode()));
#endif
}

#ifdef Q_OS_UNIX
void VekPdtServerProcessPrivate::readErrorOutput(qint64 iPid, int iFd)
{
    // A write to a service error output that nobody reads any more fails
    // in this thread instead of ending the service. It stays blocked: the
    // thread ends with the run, and unblocking would deliver a pending one.
    sigset_t pipeSignal;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    ::pthread_sigmask(SIG_BLOCK, &pipeSignal, nullptr);

    const pid_t pid = pid_t(iPid);
    // The program's end wakes the wait as its output does; without a
    // process descriptor the end is looked at once a second.
    int pidFd = -1;
#if defined(Q_OS_LINUX) && defined(SYS_pidfd_open)
    pidFd = int(::syscall(SYS_pidfd_open, pid, 0));
#endif
    char buffer[16384];
    bool pipeOpen = true;
    bool ended = false;
    while (pipeOpen && !ended) {
        pollfd fds[2] = {{iFd, POLLIN, 0}, {pidFd, POLLIN, 0}};
        const int ready = ::poll(fds, pidFd >= 0 ? 2 : 1, pidFd >= 0 ? -1 : 1000);
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        if (fds[0].revents != 0) {
            const ssize_t got = ::read(iFd, buffer, sizeof buffer);
            if (got > 0)
                takeErrorOutput(buffer, got);
            else if (got == 0 || errno != EINTR)
                pipeOpen = false;
        }
        ended = pidFd >= 0 ? fds[1].revents != 0 : hasEnded(pid);
    }
    // What the program wrote before its end is taken (a pipe may have been
    // made larger than the usual 64 KB); a process it left behind that keeps
    // the pipe open is not waited for, and reading stops after 1 MB even
    // when that process keeps writing.
    if (pipeOpen && ended) {
        ::fcntl(iFd, F_SETFL, ::fcntl(iFd, F_GETFL) | O_NONBLOCK);
        qint64 taken = 0;
        while (taken < 64 * qint64(sizeof buffer)) {
            const ssize_t got = ::read(iFd, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                break;
            takeErrorOutput(buffer, got);
            taken += got;
        }
    }
    if (pidFd >= 0)
        ::close(pidFd);
}
#endif

VekPdtServerProcess::VekPdtServerProcess(QObject *iParent)
    : QThread(iParent)
    , d(new VekPdtServerProcessPrivate(this))
{}

VekPdtServerProcess::~VekPdtServerProcess() = default;

void VekPdtServerProcess::setProcessArgv(const QVariantMap &iArgv) { d->argv = iArgv; }

QVariantMap VekPdtServerProcess::processArgv() const { return d->argv; }

void VekPdtServerProcess::setRunRecordFile(const QString &iPath) { d->runRecordPath = iPath; }

bool VekPdtServerProcess::isProgramStarted() const
{
    QMutexLocker locker(&d->programMutex);
    return d->programStarted;
}

qint64 VekPdtServerProcess::programGroup() const
{
    QMutexLocker locker(&d->programMutex);
    return d->programGroup;
}

void VekPdtServerProcess::endProgram(bool iKill)
{
    QMutexLocker locker(&d->programMutex);
    d->endRequested = true;
#ifdef Q_OS_UNIX
    // The group outlives its leader while anything the task started still
    // runs; its number is not handed out again before the group is gone.
    if (d->programGroup > 0)
        ::kill(-pid_t(d->programGroup), iKill ? SIGKILL : SIGTERM);
#else
    if (d->runningProcess) {
        if (iKill)
            d->runningProcess->kill();
        else
            d->runningProcess->terminate();
    }
#endif
}

QString VekPdtServerProcess::getProcessBinPath() const
{
    const QString type = argText(d->argv, "script_type").toUpper();
    QString path;
    if (type == QLatin1String("JS") || type == QLatin1String("JAVASCRIPT"))
        path = argText(d->argv, "app_bin_path") + QStringLiteral("/vekjs");
    else if (type == QLatin1String("PERL") || type == QLatin1String("PL"))
        path = argText(d->argv, "app_platform_path") + QStringLiteral("/vekperl/bin/vekperl");
#ifdef Q_OS_WIN
    path += QStringLiteral(".exe");
#endif
    return path;
}

bool VekPdtServerProcess::writeArgvFile()
{
    if (d->argvFilePath.isEmpty())
        d->argvFilePath = argText(d->argv, "app_temp_path") + QLatin1Char('/') + TDataParse::getUuid();
    VEK_LOG(QStringLiteral("thread %1 write argvfile to %2").arg(d->threadId(), d->argvFilePath), "debug", 5);

    const QByteArray json = QJsonDocument(QJsonObject::fromVariantMap(d->argv)).toJson(QJsonDocument::Compact);
    // It holds the decoded database password: owner-only from its creation.
    QString reason;
    if (!VekPdtServerUtil::writePrivateFile(d->argvFilePath, json, VekPdtServerUtil::privateFile, &reason)) {
        VEK_LOG(QStringLiteral("thread %1 write argument file [%2] failed: %3")
                        .arg(d->threadId(), d->argvFilePath, reason),
                "error", 0);
        return false;
    }
    return true;
}

void VekPdtServerProcess::writeCamAuotRunFile()
{
    using VekPdtServerUtil::shellQuote;
    const QString tempPath = argText(d->argv, "app_temp_path");

    if (d->cshFilePath.isEmpty())
        d->cshFilePath = tempPath + QLatin1Char('/') + TDataParse::getUuid();
    writeScriptFile(d->cshFilePath,
                    {QStringLiteral("#!/bin/csh"), shellQuote(getProcessBinPath()) + QLatin1Char(' ')
                                                           + shellQuote(argText(d->argv, "script_file"))
                                                           + QLatin1Char(' ') + shellQuote(d->argvFilePath)});
    VEK_LOG(QStringLiteral("thread %1 write cam script csh file to %2").arg(d->threadId(), d->cshFilePath), "debug", 5);

    const QString camBin = argText(d->argv, "cam_bin_path");
    QStringList lines;
#ifdef Q_OS_WIN
    if (d->batFilePath.isEmpty())
        d->batFilePath = tempPath + QLatin1Char('/') + TDataParse::getUuid() + QStringLiteral(".bat");
    if (argText(d->argv, "cam_type").toUpper() == QLatin1String("GENESIS")) {
        const QString camDir = QFileInfo(camBin).absolutePath();
        lines << QStringLiteral("@echo off") << camDir.left(1) + QLatin1Char(':')
              << QStringLiteral("SET FRONTLINE_NO_LOGIN_SCREEN=1")
              << QStringLiteral("SET HOME=") + argText(d->argv, "cam_home_path")
              << QStringLiteral("SET GENESIS_DIR=") + argText(d->argv, "cam_dir")
              << QStringLiteral("SET GENESIS_EDIR=") + argText(d->argv, "cam_edir")
              << QStringLiteral("SET GENESIS_VER=") + argText(d->argv, "cam_ver")
              << QLatin1Char('"') + camBin + QStringLiteral("\" -x -s\"") + d->cshFilePath + QLatin1Char('"');
    }
#else
    // The same variables in the same order, for /bin/sh; "-s" and the csh
    // path still form one word.
    if (d->batFilePath.isEmpty())
        d->batFilePath = tempPath + QLatin1Char('/') + TDataParse::getUuid() + QStringLiteral(".sh");
    if (argText(d->argv, "cam_type").toUpper() == QLatin1String("GENESIS")) {
        lines << QStringLiteral("#!/bin/sh") << QStringLiteral("export FRONTLINE_NO_LOGIN_SCREEN=1")
              << QStringLiteral("export HOME=") + shellQuote(argText(d->argv, "cam_home_path"))
              << QStringLiteral("export GENESIS_DIR=") + shellQuote(argText(d->argv, "cam_dir"))
              << QStringLiteral("export GENESIS_EDIR=") + shellQuote(argText(d->argv, "cam_edir"))
              << QStringLiteral("export GENESIS_VER=") + shellQuote(argText(d->argv, "cam_ver"))
              << shellQuote(camBin) + QStringLiteral(" -x -s") + shellQuote(d->cshFilePath);
    }
#endif
    writeScriptFile(d->batFilePath, lines);
    VEK_LOG(QStringLiteral("thread %1 write cam autorun bat file to %2").arg(d->threadId(), d->batFilePath), "debug",
            5);
}

void VekPdtServerProcess::run()
{
    const QString id = d->threadId();
    VEK_LOG(QStringLiteral("start thread %1").arg(id), "debug", 5);
    const bool camRun = d->argv.value(QStringLiteral("link_cam")).toInt() > 0;
    if (!d->runRecordPath.isEmpty()) {
        // The files are named before they exist, so that a service started
        // after this one was killed finds and removes them.
        const QString tempPath = argText(d->argv, "app_temp_path") + QLatin1Char('/');
        d->argvFilePath = tempPath + TDataParse::getUuid();
        if (camRun) {
            d->cshFilePath = tempPath + TDataParse::getUuid();
#ifdef Q_OS_WIN
            d->batFilePath = tempPath + TDataParse::getUuid() + QStringLiteral(".bat");
#else
            d->batFilePath = tempPath + TDataParse::getUuid() + QStringLiteral(".sh");
#endif
        }
        d->updateRunRecord();
    }
    writeArgvFile();

    if (camRun) {
        writeCamAuotRunFile();
        VEK_LOG(QStringLiteral("thread %1 start cam software").arg(id), "debug", 5);
#ifdef Q_OS_WIN
        d->execute(QStringLiteral("cmd.exe"), {QStringLiteral("/c"), QDir::toNativeSeparators(d->batFilePath)});
#else
        d->execute(QStringLiteral("/bin/sh"), {d->batFilePath});
#endif
        VEK_LOG(QStringLiteral("thread %1 finish cam software").arg(id), "debug", 5);
        removeIfExists(d->cshFilePath);
        removeIfExists(d->batFilePath);
    } else {
        const QString runner = getProcessBinPath();
        const QString scriptFile = argText(d->argv, "script_file");
        // The script's file is named after the database's script name.
        const QString commandLine = VekPdtServerUtil::printableName(runner + QLatin1Char(' ') + scriptFile
                                                                    + QLatin1Char(' ') + d->argvFilePath);
        VEK_LOG(QStringLiteral("thread %1 start process %2").arg(id, commandLine), "debug", 5);
        d->execute(runner, {scriptFile, d->argvFilePath});
        VEK_LOG(QStringLiteral("thread %1 finish process %2").arg(id, commandLine), "debug", 5);
    }

    removeIfExists(d->argvFilePath);
    VEK_LOG(QStringLiteral("finish thread %1").arg(id), "debug", 5);
}
