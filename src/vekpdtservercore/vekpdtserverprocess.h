#ifndef VEKPDTSERVERPROCESS_H
#define VEKPDTSERVERPROCESS_H

#include "vekpdtservercore_export.h"

#include <memory>

#include <QThread>
#include <QVariantMap>

class VekPdtServerProcessPrivate;

/*!
 * One run of a scheduled task. The thread writes the argument map as a JSON
 * file named by a fresh UUID in "app_temp_path" (owner-only), starts the
 * runner chosen by "script_type" (vekjs beside the service for "JS" and
 * "JAVASCRIPT", vekperl under the platform folder for "PERL" and "PL") with
 * the script file and the argument file, waits for it without a time limit,
 * and removes what it wrote. The program runs in a process group of its
 * own and inherits no descriptor but 0, 1 and 2; its error output (2) is a
 * pipe that the run passes on to the service's own error output. A run that
 * ends with a non-zero status or by a signal (unless the service ended it)
 * is logged as an error with the last line it wrote there.
 *
 * A run with "link_cam" of 1 or more runs inside a CAM program instead: a
 * csh script starts the runner, and a launch file sets the CAM environment
 * and starts the CAM program on that csh script (a POSIX sh script ending in
 * ".sh" here, a ".bat" file on Windows).
 */
class VEKPDTSERVERCORE_EXPORT VekPdtServerProcess : public QThread
{
    Q_OBJECT

public:
    explicit VekPdtServerProcess(QObject *iParent = nullptr);
    ~VekPdtServerProcess() override;

    //! The service's record of this run (a JSON file beside the generated
    //! files): the run adds the names of its files before it creates them and
    //! its process group once started, so that a service started after this
    //! one was killed can end the run and clean up after it. Empty: no record.
    void setRunRecordFile(const QString &iPath);
    //! Whether the task's program (runner, or the CAM launch file's shell)
    //! was started; false before, and for good when it could not be.
    bool isProgramStarted() const;
    //! The process group of the started program (its first process's id),
    //! 0 before the start; kept after the program ended.
    qint64 programGroup() const;
    //! Sends the program's process group SIGTERM, or SIGKILL when iKill;
    //! a program not started yet will not start any more. Safe from any thread.
    void endProgram(bool iKill);

public Q_SLOTS:
    //! Replaces the task argument map.
    void setProcessArgv(const QVariantMap &iArgv);
    //! A copy of the task argument map.
    QVariantMap processArgv() const;
    //! The thread body: writes the files, runs the task, waits, cleans up.
    void run() override;

private:
    QString getProcessBinPath() const;
    bool writeArgvFile();
    void writeCamAuotRunFile();

    Q_DECLARE_PRIVATE_D(d, VekPdtServerProcess)
    const std::unique_ptr<VekPdtServerProcessPrivate> d;
    Q_DISABLE_COPY(VekPdtServerProcess)
};

#endif // VEKPDTSERVERPROCESS_H
