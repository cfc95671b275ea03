#ifndef VEKPDTSERVERCORE_H
#define VEKPDTSERVERCORE_H

#include "vekpdtservercore_export.h"

#include <memory>

#include <QObject>
#include <QStringList>
#include <QVariant>

class VekPdtServerCorePrivate;

/*!
 * The production script service of one process. The host program calls
 * instance(), readConfig(), initServiceInfo() and loadTask() in that order
 * on one thread and then runs that thread's event loop: the schedule ticks,
 * the task dispatch and the run bookkeeping all happen there.
 *
 * When the application is about to quit, the schedule thread is stopped
 * and the running tasks are waited for.
 *
 * Folders: the program's folder is the bin path, its parent the platform
 * path, and the parent of that the root path, which holds
 * "config/vekpdtserver.cfg".
 */
class VEKPDTSERVERCORE_EXPORT VekPdtServerCore : public QObject
{
    Q_OBJECT

public:
    //! The one service core, created on first use; destroyed at process exit,
    //! after every running task has ended.
    static VekPdtServerCore *instance();

public Q_SLOTS:
    //! The program's folder, absolute (above a macOS bundle when inside one).
    QString appBinPath();
    //! The parent of the platform folder.
    QString appRootPath();
    //! The parent of the program's folder.
    QString appPlatformPath();
    //! Sets the folder of the generated files; empty follows the system's.
    void setAppTempPath(const QString &iTmpPath);
    //! The folder of the generated files.
    QString appTempPath();
    //! The folder of the log files.
    QString logDir();
    //! Sets the folder of the log files.
    void setLogDir(const QString &iDirStr);
    //! The operating system word: "win32" on Windows, else the kernel type ("linux").
    QString getOs();
    //! The name of the platform folder.
    QString getPlatform();
    //! Appends iPath to the PATH of this process and of the tasks started later.
    void appendEnvPath(const QString &iPath);
    //! Puts iPath in front of the PATH of this process and of the tasks started later.
    void prependEnvPath(const QString &iPath);
    //! Reads the configuration (iFile, or "config/vekpdtserver.cfg" under the
    //! root path when empty); false keeps the previous one.
    bool readConfig(const QString &iFile = QString());
    //! Sets the highest level the log writes.
    void setDebugLevel(int iDebugLevel);
    //! The configured "service_name".
    QString serviceName();
    //! Hands the configuration to the connection pool, records the start in
    //! the service's row of mes_pdt_service and sets up its CAM interfaces.
    bool initServiceInfo();
    //! The local date and time as "yyyy-MM-dd hh:mm:ss".
    QString getNow();
    //! (Re)loads the active tasks, writes their script files and starts a new
    //! schedule thread with their triggers.
    void loadTask();

    /*!
     * Cleans up after a service killed on the same temporary folder: runs
     * it left still going are ended (their process groups get SIGTERM, then
     * SIGKILL), their generated files removed, and the tooling requests they
     * claimed given back (service_flag 1), since they never ended under a
     * service. Runs of a live service are left alone. The host calls it once
     * after initServiceInfo() and before loadTask().
     */
    void recoverLeftRuns();

private Q_SLOTS:
    void onCrontabTriggered(int taskId, const QVariant &iData);
    void onProcessFinished();
    QStringList getAvailableCamInterface();
    QString getScriptFilePath(const QString &iScriptName);
    void appAboutToQuit();

private:
    VekPdtServerCore();
    ~VekPdtServerCore() override;
    void waitRunningProcesses();

    Q_DECLARE_PRIVATE_D(d, VekPdtServerCore)
    const std::unique_ptr<VekPdtServerCorePrivate> d;
    Q_DISABLE_COPY(VekPdtServerCore)
};

#endif // VEKPDTSERVERCORE_H
