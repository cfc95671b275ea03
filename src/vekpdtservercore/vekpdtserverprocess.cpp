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
#include <QProcess>
#include <QTextStream>

#ifdef Q_OS_UNIX
#include <cerrno>
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
    QString reason;
    if (VekPdtServerUtil::prepareFile(iPath, VekPdtServerUtil::privateScript, &reason)) {
        QFile file(iPath);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            QTextStream out(&file);
            out.setCodec("UTF-8");
            out.setGenerateByteOrderMark(false);
            for (const QString &line : iLines)
                out << line << '\n';
            out.flush();
            if (out.status() == QTextStream::Ok && file.error() == QFileDevice::NoError)
                return true;
        }
        reason = file.errorString();
    }
    VEK_SVC_LOG(QStringLiteral("write file [%1] failed: %2").arg(iPath, reason), "error", 0);
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
    pid_t pid = 0;
    const int error = ::posix_spawn(&pid, argv.front(), nullptr, nullptr, argv.data(), environ);
    if (error != 0) {
        VEK_SVC_LOG(QStringLiteral("thread %1 cannot start [%2]: %3").arg(threadId(), iProgram, qt_error_string(error)),
                    "error", 0);
        return;
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
        VEK_SVC_LOG(QStringLiteral("thread %1 cannot start [%2]: %3").arg(threadId(), iProgram, process.errorString()),
                    "error", 0);
        return;
    }
    process.waitForFinished(-1);
#endif
}

VekPdtServerProcess::VekPdtServerProcess(QObject *iParent)
    : QThread(iParent)
    , d(new VekPdtServerProcessPrivate(this))
{}

VekPdtServerProcess::~VekPdtServerProcess() = default;

void VekPdtServerProcess::setProcessArgv(const QVariantMap &iArgv) { d->argv = iArgv; }

QVariantMap VekPdtServerProcess::processArgv() { return d->argv; }

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
    d->argvFilePath = argText(d->argv, "app_temp_path") + QLatin1Char('/') + TDataParse::getUuid();
    VEK_SVC_LOG(QStringLiteral("thread %1 write argvfile to %2").arg(d->threadId(), d->argvFilePath), "debug", 5);

    const QByteArray json = QJsonDocument(QJsonObject::fromVariantMap(d->argv)).toJson(QJsonDocument::Compact);
    // It holds the decoded database password: owner-only before it holds anything.
    QString reason;
    TError err;
    if (!VekPdtServerUtil::prepareFile(d->argvFilePath, VekPdtServerUtil::privateFile, &reason)
        || !TFileIo::writeFileByteArray(json, d->argvFilePath, &err)) {
        if (reason.isEmpty())
            reason = err.text();
        VEK_SVC_LOG(QStringLiteral("thread %1 write argument file [%2] failed: %3")
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

    d->cshFilePath = tempPath + QLatin1Char('/') + TDataParse::getUuid();
    writeScriptFile(d->cshFilePath,
                    {QStringLiteral("#!/bin/csh"), shellQuote(getProcessBinPath()) + QLatin1Char(' ')
                                                           + shellQuote(argText(d->argv, "script_file"))
                                                           + QLatin1Char(' ') + shellQuote(d->argvFilePath)});
    VEK_SVC_LOG(QStringLiteral("thread %1 write cam script csh file to %2").arg(d->threadId(), d->cshFilePath), "debug",
                5);

    const QString camBin = argText(d->argv, "cam_bin_path");
    QStringList lines;
#ifdef Q_OS_WIN
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
    VEK_SVC_LOG(QStringLiteral("thread %1 write cam autorun bat file to %2").arg(d->threadId(), d->batFilePath),
                "debug", 5);
}

void VekPdtServerProcess::run()
{
    const QString id = d->threadId();
    VEK_SVC_LOG(QStringLiteral("start thread %1").arg(id), "debug", 5);
    writeArgvFile();

    if (d->argv.value(QStringLiteral("link_cam")).toInt() > 0) {
        writeCamAuotRunFile();
        VEK_SVC_LOG(QStringLiteral("thread %1 start cam software").arg(id), "debug", 5);
#ifdef Q_OS_WIN
        d->execute(QStringLiteral("cmd.exe"), {QStringLiteral("/c"), QDir::toNativeSeparators(d->batFilePath)});
#else
        d->execute(QStringLiteral("/bin/sh"), {d->batFilePath});
#endif
        VEK_SVC_LOG(QStringLiteral("thread %1 finish cam software").arg(id), "debug", 5);
        removeIfExists(d->cshFilePath);
        removeIfExists(d->batFilePath);
    } else {
        const QString runner = getProcessBinPath();
        const QString scriptFile = argText(d->argv, "script_file");
        const QString commandLine = runner + QLatin1Char(' ') + scriptFile + QLatin1Char(' ') + d->argvFilePath;
        VEK_SVC_LOG(QStringLiteral("thread %1 start process %2").arg(id, commandLine), "debug", 5);
        d->execute(runner, {scriptFile, d->argvFilePath});
        VEK_SVC_LOG(QStringLiteral("thread %1 finish process %2").arg(id, commandLine), "debug", 5);
    }

    removeIfExists(d->argvFilePath);
    VEK_SVC_LOG(QStringLiteral("finish thread %1").arg(id), "debug", 5);
}
