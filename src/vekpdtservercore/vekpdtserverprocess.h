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
 * and removes what it wrote.
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

public Q_SLOTS:
    //! Replaces the task argument map.
    void setProcessArgv(const QVariantMap &iArgv);
    //! A copy of the task argument map.
    QVariantMap processArgv();
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
