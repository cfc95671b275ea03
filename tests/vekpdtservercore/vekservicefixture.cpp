#include "vekservicefixture.h"

#include "vektestservers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

#include <csignal>

namespace VekServiceFixture {

namespace {

bool copyProgram(const QString &iFrom, const QString &iTo, QString *oWhy)
{
    QDir().mkpath(QFileInfo(iTo).absolutePath());
    QFile::remove(iTo);
    if (!QFile::copy(iFrom, iTo)) {
        *oWhy = QStringLiteral("cannot copy %1 to %2").arg(iFrom, iTo);
        return false;
    }
    return true;
}

QString pgDatabaseOf(const QString &iConnection) { return QStringLiteral("vekservice_") + iConnection.toLower(); }

} // namespace

bool makeRoot(const QString &iRoot, const QString &iBinDir, QString *oWhy)
{
    const QString bin = iRoot + QStringLiteral("/linux/bin");
    for (const char *dir : {"/linux/bin", "/config", "/tmp"})
        QDir().mkpath(iRoot + QLatin1String(dir));
    if (!copyProgram(iBinDir + QStringLiteral("/vekpdtserver"), bin + QStringLiteral("/vekpdtserver"), oWhy)
        || !copyProgram(iBinDir + QStringLiteral("/vekjs"), bin + QStringLiteral("/vekjs"), oWhy)
        || !copyProgram(iBinDir + QStringLiteral("/vekperl"), iRoot + QStringLiteral("/linux/vekperl/bin/vekperl"),
                        oWhy))
        return false;
    // The runner finds its plug-ins and its widget module beside itself.
    for (const char *entry : {"vekjslib", "libvekjsgui.so"}) {
        if (!QFile::link(iBinDir + QLatin1Char('/') + QLatin1String(entry),
                         bin + QLatin1Char('/') + QLatin1String(entry))) {
            *oWhy = QStringLiteral("cannot link %1").arg(QLatin1String(entry));
            return false;
        }
    }
    return true;
}

bool openPostgres(const QString &iConnection, QVariantMap *oParams, QString *oWhy)
{
    VekTest::ServerParams server;
    if (!VekTest::serverParams(QStringLiteral("QPSQL"), &server, oWhy))
        return false;
    const QString name = pgDatabaseOf(iConnection);
    {
        QSqlDatabase admin = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), iConnection + QStringLiteral("_admin"));
        admin.setHostName(server.host);
        admin.setPort(server.port);
        admin.setUserName(server.user);
        admin.setPassword(server.password);
        admin.setDatabaseName(server.database);
        if (!admin.open()) {
            *oWhy = QStringLiteral("cannot reach PostgreSQL: ") + admin.lastError().text();
            return false;
        }
        QSqlQuery query(admin);
        query.exec(QStringLiteral("DROP DATABASE IF EXISTS %1").arg(name));
        if (!query.exec(QStringLiteral("CREATE DATABASE %1").arg(name))) {
            *oWhy = query.lastError().text();
            return false;
        }
    }
    QSqlDatabase::removeDatabase(iConnection + QStringLiteral("_admin"));

    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), iConnection);
    db.setHostName(server.host);
    db.setPort(server.port);
    db.setUserName(server.user);
    db.setPassword(server.password);
    db.setDatabaseName(name);
    if (!db.open()) {
        *oWhy = db.lastError().text();
        return false;
    }
    oParams->insert(QStringLiteral("database_type"), QStringLiteral("QPSQL"));
    oParams->insert(QStringLiteral("database_host"),
                    QString(server.host + QLatin1Char(':') + QString::number(server.port)));
    oParams->insert(QStringLiteral("database_name"), name);
    oParams->insert(QStringLiteral("database_user"), server.user);
    oParams->insert(QStringLiteral("database_pwd"),
                    QString::fromLatin1(server.password.toUtf8().toBase64().toBase64()));
    oParams->insert(QStringLiteral("database_encrypt"), QStringLiteral("EB642"));
    return true;
}

void dropPostgres(const QString &iConnection)
{
    QSqlDatabase::database(iConnection, false).close();
    QSqlDatabase::removeDatabase(iConnection);
    VekTest::ServerParams server;
    QString why;
    if (!VekTest::serverParams(QStringLiteral("QPSQL"), &server, &why))
        return;
    QSqlDatabase admin = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), iConnection + QStringLiteral("_admin"));
    admin.setHostName(server.host);
    admin.setPort(server.port);
    admin.setUserName(server.user);
    admin.setPassword(server.password);
    admin.setDatabaseName(server.database);
    if (admin.open())
        QSqlQuery(admin).exec(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(pgDatabaseOf(iConnection)));
    admin = QSqlDatabase();
    QSqlDatabase::removeDatabase(iConnection + QStringLiteral("_admin"));
}

bool openSqlite(const QString &iConnection, const QString &iFile, QVariantMap *oParams, QString *oWhy)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), iConnection);
    db.setDatabaseName(iFile);
    if (!db.open()) {
        *oWhy = db.lastError().text();
        return false;
    }
    oParams->insert(QStringLiteral("database_type"), QStringLiteral("QSQLITE"));
    oParams->insert(QStringLiteral("database_name"), iFile);
    oParams->insert(QStringLiteral("database_options"), QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
    return true;
}

bool exec(QSqlDatabase iDb, const QString &iSql, QString *oWhy)
{
    QSqlQuery query(iDb);
    if (!query.exec(iSql)) {
        *oWhy = iSql + QStringLiteral(": ") + query.lastError().text();
        return false;
    }
    return true;
}

bool createPlantTables(QSqlDatabase iDb, QString *oWhy)
{
    return exec(iDb,
                QStringLiteral("CREATE TABLE mes_pdt_service (id INTEGER PRIMARY KEY, name VARCHAR(64), attr_data TEXT,"
                               " host_name TEXT, host_ip TEXT, last_start_time TEXT, status TEXT)"),
                oWhy)
           && exec(iDb,
                   QStringLiteral("CREATE TABLE mes_pdt_script (id INTEGER PRIMARY KEY, name VARCHAR(64), content TEXT,"
                                  " type TEXT, link_cam INTEGER, encrypt INTEGER, release_status TEXT,"
                                  " active_status TEXT)"),
                   oWhy)
           && exec(iDb,
                   QStringLiteral(
                           "CREATE TABLE mes_pdt_service_script (id INTEGER PRIMARY KEY, script_name VARCHAR(64),"
                           " script_parameter TEXT, status TEXT, trigger_type TEXT, trigger_param TEXT,"
                           " attr_data TEXT)"),
                   oWhy)
           && exec(iDb,
                   QStringLiteral("CREATE TABLE mes_prod_tooling_request (id INTEGER PRIMARY KEY, service_flag INTEGER,"
                                  " kind TEXT, request_data TEXT)"),
                   oWhy);
}

bool writeConfig(const QString &iRoot, const QVariantMap &iDbParams, const QString &iServiceName, int iDebugMode)
{
    QVariantMap config = iDbParams;
    config.insert(QStringLiteral("service_name"), iServiceName);
    config.insert(QStringLiteral("debug_mode"), iDebugMode);
    QFile file(iRoot + QStringLiteral("/config/vekpdtserver.cfg"));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
           && file.write(QJsonDocument(QJsonObject::fromVariantMap(config)).toJson()) > 0;
}

void startServer(QProcess &ioProcess, const QString &iRoot, const QVariantMap &iExtraEnv)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // Task runners need no display; they start faster without one.
    for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        env.remove(QLatin1String(name));
    for (auto it = iExtraEnv.cbegin(); it != iExtraEnv.cend(); ++it)
        env.insert(it.key(), it.value().toString());
    ioProcess.setProcessEnvironment(env);
    ioProcess.setProcessChannelMode(QProcess::ForwardedChannels);
    ioProcess.start(iRoot + QStringLiteral("/linux/bin/vekpdtserver"), QStringList());
}

bool stopServer(QProcess &ioProcess, int iTimeoutMs)
{
    if (ioProcess.state() == QProcess::NotRunning)
        return false;
    ::kill(pid_t(ioProcess.processId()), SIGTERM);
    if (!ioProcess.waitForFinished(iTimeoutMs)) {
        ioProcess.kill();
        ioProcess.waitForFinished();
        return false;
    }
    return ioProcess.exitStatus() == QProcess::NormalExit && ioProcess.exitCode() == 0;
}

bool makePlant(Plant &ioPlant, const QString &iConnection, QString *oWhy)
{
    if (!ioPlant.dir.isValid()) {
        *oWhy = QStringLiteral("no temporary folder");
        return false;
    }
    ioPlant.root = ioPlant.dir.filePath(QStringLiteral("root"));
    ioPlant.out = ioPlant.dir.filePath(QStringLiteral("out"));
    ioPlant.connection = iConnection;
    QDir().mkpath(ioPlant.out);
    if (!makeRoot(ioPlant.root, QStringLiteral(VEK_BIN_DIR), oWhy)
        || !openSqlite(iConnection, ioPlant.dir.filePath(QStringLiteral("plant.db")), &ioPlant.params, oWhy))
        return false;
    ioPlant.db = QSqlDatabase::database(iConnection);
    return createPlantTables(ioPlant.db, oWhy)
           && exec(ioPlant.db, QStringLiteral("INSERT INTO mes_pdt_service (id, name) VALUES (1, 'svc')"), oWhy);
}

void closePlant(Plant &ioPlant)
{
    ioPlant.db = QSqlDatabase();
    QSqlDatabase::database(ioPlant.connection, false).close();
    QSqlDatabase::removeDatabase(ioPlant.connection);
}

bool addScript(Plant &ioPlant, int iId, const QString &iName, const QString &iType, const QString &iContent,
               QString *oWhy)
{
    QSqlQuery insert(ioPlant.db);
    insert.prepare(
            QStringLiteral("INSERT INTO mes_pdt_script (id, name, content, type, link_cam, encrypt, release_status,"
                           " active_status) VALUES (?, ?, ?, ?, 0, 0, 'released', 'active')"));
    insert.addBindValue(iId);
    insert.addBindValue(iName);
    insert.addBindValue(iContent);
    insert.addBindValue(iType);
    if (!insert.exec()) {
        *oWhy = insert.lastError().text();
        return false;
    }
    return true;
}

bool addTask(Plant &ioPlant, int iId, const QString &iScript, const QString &iKind, const QString &iTrigger,
             const QString &iAttr, QString *oWhy)
{
    QSqlQuery insert(ioPlant.db);
    insert.prepare(QStringLiteral(
            "INSERT INTO mes_pdt_service_script (id, script_name, status, trigger_type, trigger_param, attr_data)"
            " VALUES (?, ?, 'active', ?, ?, ?)"));
    insert.addBindValue(iId);
    insert.addBindValue(iScript);
    insert.addBindValue(iKind);
    insert.addBindValue(iTrigger);
    insert.addBindValue(iAttr.isEmpty() ? QVariant() : QVariant(iAttr));
    if (!insert.exec()) {
        *oWhy = insert.lastError().text();
        return false;
    }
    return true;
}

QString touchJs(const QString &iOut)
{
    return QStringLiteral("var sys = __package__.import('sys');\n"
                          "var process = __package__.import('process');\n"
                          "var argv = JSON.parse(sys.readFileAll(process.argv(1)));\n"
                          "sys.writeFile('%1/' + argv.task_id + '-' + process.argv(1).split('/').pop(), '',"
                          " 'overwrite', 'UTF-8', false);\n")
            .arg(iOut);
}

QStringList filesIn(const QString &iDir, const QString &iPattern)
{
    return QDir(iDir).entryList({iPattern}, QDir::Files | QDir::Hidden, QDir::Name);
}

QByteArray logText(const QString &iRoot)
{
    QByteArray text;
    for (const QString &name : filesIn(iRoot + QStringLiteral("/log"), QStringLiteral("*.log"))) {
        QFile log(iRoot + QStringLiteral("/log/") + name);
        if (log.open(QIODevice::ReadOnly))
            text += log.readAll();
    }
    return text;
}

} // namespace VekServiceFixture
