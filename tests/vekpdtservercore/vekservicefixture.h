#ifndef VEKSERVICEFIXTURE_H
#define VEKSERVICEFIXTURE_H

// The end-to-end service test's set-up: a service root folder with the real
// programs, a plant database (PostgreSQL or SQLite) and the running service
// host.

#include <QProcess>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariantMap>

namespace VekServiceFixture {

//! Lays out ROOT/linux/bin with the service host, the script runner and the
//! plug-ins, ROOT/linux/vekperl/bin/vekperl, ROOT/config and ROOT/tmp.
//! Programs are copied (the service finds its folders from its own path);
//! libraries are found through the build folder. False with oWhy on failure.
bool makeRoot(const QString &iRoot, const QString &iBinDir, QString *oWhy);

//! A fresh PostgreSQL database on the test server (VEK_TEST_PG_*), opened as
//! connection iConnection; oParams gets the service's database keys (with
//! the password encoded as "EB642"). False with oWhy when the server is
//! missing or refuses.
bool openPostgres(const QString &iConnection, QVariantMap *oParams, QString *oWhy);
//! Drops the database openPostgres made for iConnection.
void dropPostgres(const QString &iConnection);
//! An SQLite plant database in iFile.
bool openSqlite(const QString &iConnection, const QString &iFile, QVariantMap *oParams, QString *oWhy);

//! The four plant tables, the same text on both dialects.
bool createPlantTables(QSqlDatabase iDb, QString *oWhy);
//! Runs one statement; false with the statement and the reason in oWhy.
bool exec(QSqlDatabase iDb, const QString &iSql, QString *oWhy);

//! Writes ROOT/config/vekpdtserver.cfg: iDbParams plus service_name and debug_mode.
bool writeConfig(const QString &iRoot, const QVariantMap &iDbParams, const QString &iServiceName, int iDebugMode = 1);

//! Starts ROOT/linux/bin/vekpdtserver without a display; iExtraEnv adds variables.
void startServer(QProcess &ioProcess, const QString &iRoot, const QVariantMap &iExtraEnv = QVariantMap());
//! SIGTERM, then waits; true when the host exited normally with code 0.
bool stopServer(QProcess &ioProcess, int iTimeoutMs = 30000);

//! A service root with an SQLite plant database and the service row "svc";
//! scripts and tasks are added by the test.
struct Plant
{
    QTemporaryDir dir;
    QString root;
    QString out; //!< a folder for what the task scripts write
    QString connection;
    QSqlDatabase db;
    QVariantMap params;
};
bool makePlant(Plant &ioPlant, const QString &iConnection, QString *oWhy);
void closePlant(Plant &ioPlant);
//! A released, active script without CAM.
bool addScript(Plant &ioPlant, int iId, const QString &iName, const QString &iType, const QString &iContent,
               QString *oWhy);
//! An active task row: trigger_type "crontab" or "tooling_request", the
//! trigger_param text given, attr_data NULL when iAttr is empty.
bool addTask(Plant &ioPlant, int iId, const QString &iScript, const QString &iKind, const QString &iTrigger,
             const QString &iAttr, QString *oWhy);
//! A JavaScript task that writes OUT/<task>-<argument file name> when it runs.
QString touchJs(const QString &iOut);
//! The names of the files in iDir matching iPattern, sorted.
QStringList filesIn(const QString &iDir, const QString &iPattern);
//! All service log files of ROOT/log, one after the other.
QByteArray logText(const QString &iRoot);

} // namespace VekServiceFixture

#endif // VEKSERVICEFIXTURE_H
