#ifndef VEKPDTSERVERPROCESS_P_H
#define VEKPDTSERVERPROCESS_P_H

#include "vekpdtserverprocess.h"

#include <QMutex>

class QProcess;

class VekPdtServerProcessPrivate
{
    Q_DECLARE_PUBLIC(VekPdtServerProcess)

public:
    explicit VekPdtServerProcessPrivate(VekPdtServerProcess *iQ);

    //! "0x" and the object's address, tying the log lines of one run together.
    QString threadId() const;
    //! Starts iProgram and waits for its end; a start failure is logged with its reason,
    //! and so is an end with a non-zero status or by a signal.
    void execute(const QString &iProgram, const QStringList &iArguments);

#ifdef Q_OS_UNIX
    //! Takes the program's error output from iFd until the program iPid ends
    //! (left unreaped) or closes its error output.
    void readErrorOutput(qint64 iPid, int iFd);
#endif
    //! Passes a chunk of the program's error output on to the service's own
    //! and keeps its end, at most errorTailSize bytes.
    void takeErrorOutput(const char *iData, qint64 iSize);
    //! The last non-empty line the program wrote to its error output, on one
    //! line and bounded; empty when it wrote none.
    QString lastErrorLine() const;
    //! Logs one error line for a run whose program iProgram could not be started.
    void reportFailedStart(const QString &iProgram, const QString &iReason) const;
    //! Logs one error line for a run that did not end well: iHow says how it ended.
    void reportFailedEnd(const QString &iHow) const;

    //! The end of the program's error output, enough for its last line.
    static constexpr int errorTailSize = 4096;
    QByteArray errorTail;
    //! Whether the program wrote more than errorTail holds.
    bool errorTailCut = false;
    bool forwardErrorOutput = true;

    // The started program, guarded by programMutex: the run thread writes
    // it, the service's thread reads it to end the program at shutdown.
    mutable QMutex programMutex;
    bool programStarted = false;
    qint64 programPid = 0;
    qint64 programGroup = 0;
    QProcess *runningProcess = nullptr;
    bool endRequested = false;

    //! Adds the generated files and the program's process group to the run record.
    void updateRunRecord();

    QString runRecordPath;
    QVariantMap argv;
    QString argvFilePath;
    QString batFilePath;
    QString cshFilePath;
    VekPdtServerProcess *q_ptr;
};

#endif // VEKPDTSERVERPROCESS_P_H
