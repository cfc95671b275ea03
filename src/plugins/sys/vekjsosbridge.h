#ifndef VEKJSOSBRIDGE_H
#define VEKJSOSBRIDGE_H

#include "vekjsplugin.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

/*!
 * The package "sys": environment variables, standard input and output,
 * facts about the operating system, small file operations, running a
 * program for its output, and the process-wide log.
 */
class VekJsOsBridge : public QObject, public VekJsPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID VekJsPlugin_iid)
    Q_INTERFACES(VekJsPlugin)
public:
    explicit VekJsOsBridge(QObject *iParent = nullptr);

public Q_SLOTS:
    //! The value of an environment variable; empty when it is not set.
    QString env(const QString &iName);

    //! Sets an environment variable of this process; true on success.
    bool setEnv(const QString &iName, const QString &iValue);

    //! Reads standard input to its end, in the system's local encoding.
    QString stdinReadAll();

    //! Reads one line of standard input, without its line end.
    QString stdinReadLine();

    //! Writes UTF-8 bytes to standard output in the local encoding and flushes.
    void stdoutWrite(const QByteArray &iData);

    //! The platform word: "linux", "win" or "mac".
    QString osType();

    //! The operating system's product type.
    QString osName();

    //! The processor architecture the process runs on.
    QString osBit();

    //! The operating system's product version.
    QString osVersion();

    //! The kernel's type.
    QString osKernelType();

    //! The kernel's version.
    QString osKernelVersion();

    //! The machine's host name.
    QString hostName();

    //! True when a file or folder of that path exists.
    bool isFileExists(const QString &iFile);

    //! True when a folder of that path exists.
    bool isDirExists(const QString &iDir);

    //! The whole text of a file read with the named codec (a byte-order mark
    //! wins); empty when the file cannot be opened.
    QString readFileAll(const QString &iFile, const QString &iCodec = QStringLiteral("UTF-8"));

    //! The lines of a file without line ends; empty when it cannot be opened.
    QStringList readFileLines(const QString &iFile, const QString &iCodec = QStringLiteral("UTF-8"));

    //! Deletes a file; true when it was removed.
    bool removeFile(const QString &iFile);

    //! Writes text to a file, replacing it, or appending when iMode is
    //! "append" in any case. The byte-order mark is written only at the
    //! start of a file. False when the file cannot be opened or written.
    bool writeFile(const QString &iFilePath, const QString &iFileContent,
                   const QString &iMode = QStringLiteral("overwrite"), const QString &iCodec = QStringLiteral("UTF-8"),
                   bool iWithBom = true);

    //! Runs a program, waits at most 30 seconds and returns its standard
    //! output as UTF-8 text; a program still running then is killed with
    //! everything it started. Empty when the program cannot start.
    QString exec(const QString &iProgram, const QStringList &iArguments);

    //! The process-wide log (writeLog, error, warn, info, ok, step, sql,
    //! debug, setLogDir, setDebugLevel, ...); it stays owned by the log.
    QObject *logger();
};

#endif // VEKJSOSBRIDGE_H
