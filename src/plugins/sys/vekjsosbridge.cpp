#include "vekjsosbridge.h"
#include "tlogger.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QQmlEngine>
#include <QSysInfo>
#include <QTextCodec>
#include <QTextStream>

#include <cstdio>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/types.h>
#include <unistd.h>
#endif

namespace {

const int ExecTimeoutMs = 30000;

// One stream for the life of the process: a stream per call would read
// ahead into its own buffer and lose what it did not return.
QTextStream &stdinStream()
{
    static QTextStream in(stdin, QIODevice::ReadOnly);
    return in;
}

void applyCodec(QTextStream &iStream, const QString &iCodec)
{
    if (QTextCodec *codec = QTextCodec::codecForName(iCodec.toLatin1()))
        iStream.setCodec(codec);
}

// Starts the program as the leader of a process group of its own, so that
// a time-out can end it together with whatever it started.
class GroupProcess : public QProcess
{
protected:
    void setupChildProcess() override
    {
#ifdef Q_OS_UNIX
        ::setpgid(0, 0);
#endif
    }
};

} // namespace

VekJsOsBridge::VekJsOsBridge(QObject *iParent)
    : QObject(iParent)
{}

QString VekJsOsBridge::env(const QString &iName) { return QString::fromUtf8(qgetenv(iName.toUtf8().constData())); }

bool VekJsOsBridge::setEnv(const QString &iName, const QString &iValue)
{
    return qputenv(iName.toUtf8().constData(), iValue.toUtf8());
}

QString VekJsOsBridge::stdinReadAll() { return stdinStream().readAll(); }

QString VekJsOsBridge::stdinReadLine() { return stdinStream().readLine(); }

void VekJsOsBridge::stdoutWrite(const QByteArray &iData)
{
    QTextStream out(stdout, QIODevice::WriteOnly);
    out << QString::fromUtf8(iData);
    out.flush();
}

QString VekJsOsBridge::osType()
{
#if defined(Q_OS_WIN)
    return QStringLiteral("win");
#elif defined(Q_OS_MACOS)
    return QStringLiteral("mac");
#elif defined(Q_OS_LINUX)
    return QStringLiteral("linux");
#else
    return QSysInfo::kernelType();
#endif
}

QString VekJsOsBridge::osName() { return QSysInfo::productType(); }

QString VekJsOsBridge::osBit() { return QSysInfo::currentCpuArchitecture(); }

QString VekJsOsBridge::osVersion() { return QSysInfo::productVersion(); }

QString VekJsOsBridge::osKernelType() { return QSysInfo::kernelType(); }

QString VekJsOsBridge::osKernelVersion() { return QSysInfo::kernelVersion(); }

QString VekJsOsBridge::hostName() { return QSysInfo::machineHostName(); }

bool VekJsOsBridge::isFileExists(const QString &iFile) { return QFileInfo::exists(iFile); }

bool VekJsOsBridge::isDirExists(const QString &iDir) { return QFileInfo(iDir).isDir(); }

QString VekJsOsBridge::readFileAll(const QString &iFile, const QString &iCodec)
{
    QFile file(iFile);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    QTextStream in(&file);
    applyCodec(in, iCodec);
    return in.readAll();
}

QStringList VekJsOsBridge::readFileLines(const QString &iFile, const QString &iCodec)
{
    QStringList lines;
    QFile file(iFile);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return lines;
    QTextStream in(&file);
    applyCodec(in, iCodec);
    while (!in.atEnd())
        lines.append(in.readLine());
    return lines;
}

bool VekJsOsBridge::removeFile(const QString &iFile) { return QFile::remove(iFile); }

bool VekJsOsBridge::writeFile(const QString &iFilePath, const QString &iFileContent, const QString &iMode,
                              const QString &iCodec, bool iWithBom)
{
    QFile file(iFilePath);
    const bool append = iMode.toUpper() == QLatin1String("APPEND");
    if (!file.open(append ? QIODevice::Append : QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QTextStream out(&file);
    applyCodec(out, iCodec);
    // A mark in the middle of a file would turn up as a stray character.
    out.setGenerateByteOrderMark(iWithBom && file.size() == 0);
    out << iFileContent;
    out.flush();
    const bool written = out.status() == QTextStream::Ok && file.error() == QFileDevice::NoError;
    file.close();
    return written && file.error() == QFileDevice::NoError;
}

QString VekJsOsBridge::exec(const QString &iProgram, const QStringList &iArguments)
{
    GroupProcess process;
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.start(iProgram, iArguments, QIODevice::ReadWrite);
    if (!process.waitForStarted())
        return QString();
    if (!process.waitForFinished(ExecTimeoutMs)) {
#ifdef Q_OS_UNIX
        ::kill(-static_cast<pid_t>(process.processId()), SIGKILL);
#endif
        process.kill();
        process.waitForFinished();
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

QObject *VekJsOsBridge::logger()
{
    TLogger *log = TLogger::instance();
    // Returned to a script, an object without a parent would otherwise be
    // handed to the script engine's collector.
    QQmlEngine::setObjectOwnership(log, QQmlEngine::CppOwnership);
    return log;
}
