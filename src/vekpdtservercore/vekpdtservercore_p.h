#ifndef VEKPDTSERVERCORE_P_H
#define VEKPDTSERVERCORE_P_H

#include "vekpdtservercore.h"

#include <QHash>
#include <QMap>
#include <QSet>
#include <QVariantMap>

class VekPdtServerCrontab;
class VekPdtServerProcess;

class VekPdtServerCorePrivate
{
    Q_DECLARE_PUBLIC(VekPdtServerCore)

public:
    explicit VekPdtServerCorePrivate(VekPdtServerCore *iQ);

    //! Disconnects the schedule thread, stops it, waits for its loop to end and deletes it.
    void dropCrontab();
    //! The 18 keys every run of iTask gets.
    QVariantMap baseProcessArgv(const QVariantMap &iTask);
    //! Marks iUser busy and adds its seven cam keys to ioArgv.
    void lendCamInterface(const QString &iUser, QVariantMap &ioArgv);
    //! Starts one task-run thread with iArgv.
    void startProcess(const QVariantMap &iArgv);
    //! Whether a run of task iTaskId is still going.
    bool isTaskRunning(int iTaskId) const;
    //! The run's bookkeeping once its thread ended: forgets it, gives its CAM
    //! interface back, gives its claimed request back when the run did not
    //! end by itself, and removes its run record.
    void finishRun(VekPdtServerProcess *iProcess);
    //! The id of the tooling request the run was started for, if any.
    static QVariant claimedRequest(const QVariantMap &iArgv);
    //! Ends process group iGroup of a run left by a stopped service (TERM,
    //! then KILL), when it is still that run's.
    void endOrphanGroup(qint64 iGroup, qint64 iLeaderStart, int iTaskId);
    //! Marks request iRequestId untaken again (service_flag 1).
    void giveBackRequest(const QVariant &iRequestId, int iTaskId);

    QString tempPath;
    QVariantMap config;
    int serviceId = 0;
    VekPdtServerCrontab *crontab = nullptr;
    QMap<int, QVariantMap> tasks;
    QMap<QString, QVariantMap> camInterfaces;
    QMap<QString, bool> camBusy;
    QString scriptBufferDir;
    QVariantMap taskDbArgs;
    QHash<VekPdtServerProcess *, bool> runningProcesses;
    //! Run record file of each running run.
    QHash<VekPdtServerProcess *, QString> runRecords;
    //! Runs the service ended at shutdown.
    QSet<VekPdtServerProcess *> forcedRuns;
    //! When this process started, telling its run records from those of an
    //! earlier process with the same number.
    qint64 serviceStartTime = 0;
    VekPdtServerCore *q_ptr;
};

#endif // VEKPDTSERVERCORE_P_H
