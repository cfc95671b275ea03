// 200 runs of a trivial JavaScript task started through the service core in
// one go (200 triggers in one pass, one task-run thread and one script
// runner each), timed against starting the runner 200 times from a shell
// loop in the same run: all at once (each in the background, then wait),
// and one after the other. Every run leaves one file named after its
// argument file, so lost runs show; the service's temporary folder must hold
// only the script buffer file afterwards.

#include "vekpdtservercore.h"
#include "vekpdtserverprocess.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTextStream>
#include <QThread>

namespace {

const int kRuns = 200;

bool run(QSqlDatabase &ioDb, const QString &iSql)
{
    QSqlQuery query(ioDb);
    return query.exec(iSql);
}

double shellLoop(const QString &iRunner, const QString &iScript, const QString &iOut, bool iParallel)
{
    QDir(iOut).removeRecursively();
    QDir().mkpath(iOut);
    const QString loop = QStringLiteral("for i in $(seq %1); do \"$0\" \"$1\" \"$2/arg$i\"%2 done; wait")
                                 .arg(kRuns)
                                 .arg(iParallel ? QStringLiteral(" &") : QStringLiteral(";"));
    QProcess shell;
    shell.setProcessChannelMode(QProcess::ForwardedChannels);
    QElapsedTimer timer;
    timer.start();
    shell.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), loop, iRunner, iScript, iOut});
    shell.waitForFinished(-1);
    return timer.elapsed() / 1000.0;
}

} // namespace

int main(int argc, char *argv[])
{
    // The runners need no display, and start faster without one.
    qunsetenv("QT_QPA_PLATFORM");
    qunsetenv("DISPLAY");
    qunsetenv("WAYLAND_DISPLAY");
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    VekPdtServerCore *core = VekPdtServerCore::instance();
    const QString root = core->appRootPath();
    const QString bin = core->appBinPath();
    const QString tmp = root + QStringLiteral("/tmp");
    const QString results = root + QStringLiteral("/out");
    for (const QString &dir : QStringList {tmp, results, root + QStringLiteral("/config")}) {
        QDir(dir).removeRecursively();
        QDir().mkpath(dir);
    }
    QFile::remove(bin + QStringLiteral("/vekjs"));
    QFile::copy(QStringLiteral(VEK_BIN_DIR "/vekjs"), bin + QStringLiteral("/vekjs"));
    for (const char *entry : {"vekjslib", "libvekjsgui.so"}) {
        QFile::remove(bin + QLatin1Char('/') + QLatin1String(entry));
        QFile::link(QStringLiteral(VEK_BIN_DIR "/") + QLatin1String(entry),
                    bin + QLatin1Char('/') + QLatin1String(entry));
    }

    const QString dbPath = root + QStringLiteral("/plant.db");
    QFile::remove(dbPath);
    const QString script = QStringLiteral("var p = __package__.import('process');\n"
                                          "__package__.import('sys').writeFile('%1/' + p.argv(1).split('/').pop(),"
                                          " 'x', 'overwrite', 'UTF-8', false);\n")
                                   .arg(results);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("setup"));
        db.setDatabaseName(dbPath);
        db.open();
        QString scriptSql = script;
        scriptSql.replace(QLatin1Char('\''), QStringLiteral("''"));
        const bool ok
                = run(db,
                      QStringLiteral("CREATE TABLE mes_pdt_service (id INTEGER PRIMARY KEY, name TEXT, attr_data TEXT,"
                                     " host_name TEXT, host_ip TEXT, last_start_time TEXT, status TEXT)"))
                  && run(db,
                         QStringLiteral(
                                 "CREATE TABLE mes_pdt_script (name TEXT, content TEXT, type TEXT, link_cam INTEGER,"
                                 " encrypt INTEGER, release_status TEXT, active_status TEXT)"))
                  && run(db,
                         QStringLiteral("CREATE TABLE mes_pdt_service_script (id INTEGER PRIMARY KEY, script_name TEXT,"
                                        " script_parameter TEXT, status TEXT, trigger_type TEXT, trigger_param TEXT,"
                                        " attr_data TEXT)"))
                  && run(db, QStringLiteral("INSERT INTO mes_pdt_service (id, name) VALUES (1, 'bench')"))
                  && run(db,
                         QStringLiteral("INSERT INTO mes_pdt_script VALUES ('trivial.js', '%1', 'JS', 0, 0, 'released',"
                                        " 'active')")
                                 .arg(scriptSql))
                  // Never due while the benchmark runs: it fires the task itself.
                  && run(db,
                         QStringLiteral("INSERT INTO mes_pdt_service_script VALUES (1, 'trivial.js', NULL, 'active',"
                                        " 'crontab', '{\"trigger_type\": \"INTERVAL\", \"value\": 86400}', NULL)"));
        db.close();
        if (!ok) {
            out << "cannot set up the plant database\n";
            return 1;
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("setup"));
    QFile config(root + QStringLiteral("/config/vekpdtserver.cfg"));
    config.open(QIODevice::WriteOnly);
    config.write(
            QStringLiteral("{\"service_name\": \"bench\", \"database_type\": \"QSQLITE\", \"database_name\": \"%1\"}")
                    .arg(dbPath)
                    .toUtf8());
    config.close();
    core->setAppTempPath(tmp);
    if (!core->readConfig() || !core->initServiceInfo()) {
        out << "cannot start the service core\n";
        return 1;
    }
    core->loadTask();

    const QString runner = bin + QStringLiteral("/vekjs");
    const QString scriptFile = tmp + QStringLiteral("/trivial.js");
    const double parallelLoop = shellLoop(runner, scriptFile, results, true);
    const int parallelDone = QDir(results).entryList(QDir::Files).size();
    const double serialLoop = shellLoop(runner, scriptFile, results, false);
    const int serialDone = QDir(results).entryList(QDir::Files).size();

    QDir(results).removeRecursively();
    QDir().mkpath(results);
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < kRuns; ++i) {
        QMetaObject::invokeMethod(core, "onCrontabTriggered", Q_ARG(int, 1), Q_ARG(QVariant, QVariant()));
    }
    const double dispatch = timer.elapsed() / 1000.0;
    while (!core->findChildren<VekPdtServerProcess *>().isEmpty()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    const double service = timer.elapsed() / 1000.0;
    const int serviceDone = QDir(results).entryList(QDir::Files).size();
    const QStringList left = QDir(tmp).entryList(QDir::Files);

    out << "runs: " << kRuns << " on " << QThread::idealThreadCount() << " cores\n"
        << "service, all at once:     " << QString::number(service, 'f', 2) << " s, " << serviceDone
        << " done (dispatching the 200 runs: " << QString::number(dispatch, 'f', 3) << " s)\n"
        << "shell loop, all at once:  " << QString::number(parallelLoop, 'f', 2) << " s, " << parallelDone
        << " done -> service/shell " << QString::number(service / parallelLoop, 'f', 2) << "x\n"
        << "shell loop, one by one:   " << QString::number(serialLoop, 'f', 2) << " s, " << serialDone
        << " done -> service/shell " << QString::number(service / serialLoop, 'f', 2) << "x\n"
        << "left in the temporary folder: " << left.join(QStringLiteral(", ")) << "\n";
    return serviceDone == kRuns && left == QStringList {QStringLiteral("trivial.js")} ? 0 : 1;
}
