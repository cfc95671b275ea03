#ifndef VEKPDTSERVERCORE_P_H
#define VEKPDTSERVERCORE_P_H

#include "vekpdtservercore.h"

#include <QHash>
#include <QMap>
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
    VekPdtServerCore *q_ptr;
};

#endif // VEKPDTSERVERCORE_P_H
