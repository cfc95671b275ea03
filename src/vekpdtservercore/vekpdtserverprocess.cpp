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
#include <QTextStream>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <spawn.h>
#include <sys/wait.h>
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

void VekPdtServerProcessPrivate::execute(const QString &iProgram, const QStringList &iArguments)
{
#ifdef Q_OS_UNIX
    // posix_spawn shares the service's memory until the exec instead of
    // copying its page tables as fork does: with many runs starting at once
    // in a service of many threads, that copying is what the starts wait for.
    QList<QByteArray> args {QFile::encodeName(iProgram)};
    for (const QString &argument : iArguments)
        args << QFile::encodeName(argument);
    std::vector<char *> argv;
    for (QByteArray &argument : args)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    // The task gets descriptors 0-2 and nothing else of the service, whether
    // or not the library that opened a descriptor asked for close-on-exec;
    // it runs in a process group of its own, so that the whole task (with
    // what it started) can be ended at shutdown; and it starts with the
    // signal handling a freshly started program expects.
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawnattr_init(&attributes);
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
    ::posix_spawn_file_actions_addclosefrom_np(&actions, 3);
#endif
    sigset_t noSignals;
    sigemptyset(&noSignals);
    sigset_t defaults;
    sigemptyset(&defaults);
    for (const int signal : {SIGPIPE, SIGINT, SIGTERM, SIGHUP, SIGQUIT})
        sigaddset(&defaults, signal);
    ::posix_spawnattr_setsigmask(&attributes, &noSignals);
    ::posix_spawnattr_setsigdefault(&attributes, &defaults);
    ::posix_spawnattr_setpgroup(&attributes, 0);
    ::posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    pid_t pid = 0;
    int error = 0;
    {
        QMutexLocker locker(&programMutex);
        if (endRequested) {
            VEK_LOG(QStringLiteral("thread %1 not started: the service is stopping").arg(threadId()), "error", 0);
            return;
        }
        error = ::posix_spawn(&pid, argv.front(), &actions, &attributes, argv.data(), environ);
        if (error == 0) {
            programPid = pid;
            programGroup = pid;
            programStarted = true;
        }
    }
    if (error == 0 && !runRecordPath.isEmpty())
        updateRunRecord();
    ::posix_spawn_file_actions_destroy(&actions);
    ::posix_spawnattr_destroy(&attributes);
    if (error != 0) {
        VEK_LOG(QStringLiteral("thread %1 cannot start [%2]: %3").arg(threadId(), iProgram, qt_error_string(error)),
                "error", 0);
        return;
    }
    // Waited for without reaping first: until the program is reaped its
    // number cannot be taken by another process, so endProgram never
    // signals a stranger.
    siginfo_t info;
    while (::waitid(P_PID, id_t(pid), &info, WEXITED | WNOWAIT) < 0 && errno == EINTR) {
    }
    {
        QMutexLocker locker(&programMutex);
        programPid = 0;
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
#else
    // What QProcess::execute does, but the reason of a failed start is kept.
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(iProgram, iArguments);
    if (!process.waitForStarted(-1)) {
        VEK_LOG(QStringLiteral("thread %1 cannot start [%2]: %3").arg(threadId(), iProgram, process.errorString()),
                "error", 0);
        return;
    }
    {
        QMutexLocker locker(&programMutex);
        programStarted = true;
        runningProcess = &process;
    }
    process.waitForFinished(-1);
    {
        QMutexLocker locker(&programMutex);
        runningProcess = nullptr;
    }
#endif
}

VekPdtServerProcess::VekPdtServerProcess(QObject *iParent)
    : QThread(iParent)
    , d(new VekPdtServerProcessPrivate(this))
{}

VekPdtServerProcess::~VekPdtServerProcess() = default;

void VekPdtServerProcess::setProcessArgv(const QVariantMap &iArgv) { d->argv = iArgv; }

QVariantMap VekPdtServerProcess::processArgv() { return d->argv; }

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
        const QString commandLine = runner + QLatin1Char(' ') + scriptFile + QLatin1Char(' ') + d->argvFilePath;
        VEK_LOG(QStringLiteral("thread %1 start process %2").arg(id, commandLine), "debug", 5);
        d->execute(runner, {scriptFile, d->argvFilePath});
        VEK_LOG(QStringLiteral("thread %1 finish process %2").arg(id, commandLine), "debug", 5);
    }

    removeIfExists(d->argvFilePath);
    VEK_LOG(QStringLiteral("finish thread %1").arg(id), "debug", 5);
}
