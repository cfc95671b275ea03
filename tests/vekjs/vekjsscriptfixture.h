#ifndef VEKJSSCRIPTFIXTURE_H
#define VEKJSSCRIPTFIXTURE_H

// Runs the real script runner on small scripts in a temporary folder.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QtTest>

#include "vektestfiles.h"

struct ScriptRun
{
    int exitCode = -1;
    bool crashed = true;
    qint64 pid = 0;
    QByteArray out;
    QByteArray err;

    QStringList outLines() const
    {
        QStringList lines = QString::fromUtf8(out).split('\n');
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        return lines;
    }
};

class ScriptFixture
{
public:
    // Imported first, while the default library paths still hold "sys";
    // out() prints strings as they are and everything else as JSON.
    static QString prelude()
    {
        return QStringLiteral(
                "var sys = __package__.import('sys');"
                "function out(v) { sys.stdoutWrite((typeof v === 'string' ? v : JSON.stringify(v)) + '\\n'); }\n");
    }

    ScriptFixture() { m_root.mkpath(QStringLiteral("cwd")); }

    QString path(const QString &iRelative = QString()) const { return m_root.path(iRelative); }

    // Writes a file below the folder, creating its folders.
    void write(const QString &iRelative, const QByteArray &iContent) const
    {
        QVERIFY2(m_root.write(iRelative, iContent), qPrintable(path(iRelative)));
    }

    // A symbolic link below the folder pointing at TARGET.
    void link(const QString &iRelative, const QString &iTarget) const
    {
        const QString file = path(iRelative);
        QVERIFY(QDir().mkpath(QFileInfo(file).absolutePath()));
        QVERIFY2(QFile::link(iTarget, file), qPrintable(file));
    }

    // Writes SOURCE as main.js and runs RUNNER main.js ARGS... from the
    // folder "cwd", so the script's folder differs from the current one.
    ScriptRun run(const QString &iSource, const QStringList &iArgs = QStringList(),
                  const QByteArray &iStdin = QByteArray(), const QString &iRunner = QString(),
                  int iTimeoutMs = 30000) const
    {
        write(QStringLiteral("main.js"), iSource.toUtf8());
        return runRaw(QStringList {path(QStringLiteral("main.js"))} + iArgs, iStdin, iRunner, iTimeoutMs);
    }

    ScriptRun runRaw(const QStringList &iArgs, const QByteArray &iStdin = QByteArray(),
                     const QString &iRunner = QString(), int iTimeoutMs = 30000) const
    {
        ScriptRun result;
        QProcess process;
        process.setWorkingDirectory(path(QStringLiteral("cwd")));
        process.start(iRunner.isEmpty() ? runner() : iRunner, iArgs);
        if (!process.waitForStarted()) {
            qWarning("cannot start the runner: %s", qPrintable(process.errorString()));
            return result;
        }
        result.pid = process.processId();
        process.write(iStdin);
        process.closeWriteChannel();
        if (!process.waitForFinished(iTimeoutMs)) {
            process.kill();
            process.waitForFinished();
            qWarning("the runner did not finish");
            return result;
        }
        result.crashed = process.exitStatus() != QProcess::NormalExit;
        result.exitCode = process.exitCode();
        result.out = process.readAllStandardOutput();
        result.err = process.readAllStandardError();
        return result;
    }

    static QString runner() { return QStringLiteral(VEK_BIN_DIR "/vekjs"); }

private:
    VekTest::TempRoot m_root;
};

#endif // VEKJSSCRIPTFIXTURE_H
