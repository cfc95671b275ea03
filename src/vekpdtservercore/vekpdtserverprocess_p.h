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
    //! Starts iProgram and waits for its end; a start failure is logged with its reason.
    void execute(const QString &iProgram, const QStringList &iArguments);

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
