#include "vekpdtservercore.h"
#include "vekpdtservercore_p.h"

#include "vekpdtservercrontab.h"
#include "vekpdtserverprocess.h"
#include "vekpdtserverutil_p.h"

#include "norvex.h"
#include "tdataparse.h"
#include "terror.h"
#include "tfileio.h"
#include "tsqlconnectionpoolv2.h"
#include "tsqldatautilv2.h"
#include "tsqlqueryv2.h"
#include "tsqlselectorv2.h"
#include "tsqlupdaterv2.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHostInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>
#include <QNetworkInterface>
#include <QSqlDatabase>
#include <QSysInfo>
#include <QThread>
#include <QUrl>
#include <QUrlQuery>

#ifdef Q_OS_UNIX
#include <csignal>
#endif

namespace {

const char kTaskStatement[]
        = "SELECT id,script_name,script_parameter,status,trigger_type,trigger_param,attr_data, S.* "
          "FROM mes_pdt_service_script AS SS LEFT JOIN (SELECT name AS sname, content, type, link_cam, encrypt "
          "FROM mes_pdt_script WHERE release_status = 'released' AND active_status = 'active') AS S "
          "ON SS.script_name = S.sname WHERE SS.status = 'active'";

// The outer condition repeats "service_flag = 1": a row another service has
// just taken is re-checked after its lock and left out.
const char kClaimStatement[]
        = "UPDATE mes_prod_tooling_request SET service_flag = 0 WHERE service_flag = 1 AND id IN "
          "(SELECT id FROM mes_prod_tooling_request WHERE %1 ORDER BY id ASC limit %2) RETURNING *";

const int kClaimLimitWithoutCam = 4;

// How long running tasks get to end by themselves when the service stops,
// and then how long after SIGTERM (and again after SIGKILL) their process
// groups get.
const int kShutdownGraceMs = 30000;
const int kEndGraceMs = 5000;

// The service's record of one run, beside the run's generated files.
const char kRunRecordSuffix[] = ".run";

// iText as the inside of a JSON string, so that a substituted path with a
// backslash or a quote leaves the configuration parseable.
QString jsonEscaped(const QString &iText)
{
    const QByteArray json = QJsonDocument(QJsonArray {iText}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(json.mid(2, json.size() - 4));
}

// A JSON column read as text and decoded, so that a text that is no JSON
// can be named with its row; blank text and NULL need no decoding. Qt's
// parser takes only objects and lists: a lone value (a string, a number,
// true, false or null) is refused like broken text, and oLoneKind names it.
// What is refused is null, as the select's own decoding would make it,
// with the parser's complaint in oError.
QVariant decodeJsonColumn(const QVariant &iRaw, QString *oLoneKind, QString *oError)
{
    if (iRaw.userType() != QMetaType::QString || iRaw.toString().trimmed().isEmpty())
        return TSqlDataUtilV2::formatSqlValue(iRaw, QStringLiteral("json"));
    const QByteArray text = iRaw.toString().toUtf8();
    QJsonParseError where;
    const QJsonDocument document = QJsonDocument::fromJson(text, &where);
    if (where.error == QJsonParseError::NoError)
        return document.isArray() ? QVariant(document.array().toVariantList())
                                  : QVariant(document.object().toVariantMap());
    const QJsonArray wrapped = QJsonDocument::fromJson('[' + text + ']').array();
    const QJsonValue lone = wrapped.size() == 1 ? wrapped.at(0) : QJsonValue(QJsonValue::Undefined);
    switch (lone.type()) {
    case QJsonValue::String:
        *oLoneKind = QStringLiteral("string");
        break;
    case QJsonValue::Double:
        *oLoneKind = QStringLiteral("number");
        break;
    case QJsonValue::Bool:
        *oLoneKind = QStringLiteral("boolean");
        break;
    case QJsonValue::Null:
        *oLoneKind = QStringLiteral("null");
        break;
    default:
        *oError = QStringLiteral("%1 at offset %2").arg(where.errorString()).arg(where.offset);
        break;
    }
    return QVariant();
}

// The JSON columns of a task row.
const char *const kTaskJsonColumns[] = {"script_parameter", "trigger_param", "attr_data"};

void decodeTaskJson(QVariantMap &ioRow, int iTaskId)
{
    for (const char *column : kTaskJsonColumns) {
        const QString key = QLatin1String(column);
        const auto it = ioRow.find(key);
        if (it == ioRow.end())
            continue;
        QString loneKind;
        QString error;
        it.value() = decodeJsonColumn(it.value(), &loneKind, &error);
        if (!loneKind.isEmpty()) {
            VEK_LOG(QStringLiteral("task %1: %2 is a JSON %3, not an object, and is taken as null!")
                            .arg(iTaskId)
                            .arg(key, loneKind),
                    "error", 0);
        } else if (!error.isEmpty()) {
            VEK_LOG(QStringLiteral("task %1: %2 is not valid JSON and is taken as null! ERROR:%3")
                            .arg(iTaskId)
                            .arg(key, error),
                    "error", 0);
        }
    }
}

// The CAM interface list of the service row's attr_data (read as text); a
// list that cannot be read is named with the service, since every CAM task
// would then wait for an interface for ever.
QVariantList serviceCamInterfaces(const QVariant &iAttrData, const QString &iService)
{
    QString loneKind;
    QString error;
    const QVariant attrData = decodeJsonColumn(iAttrData, &loneKind, &error);
    QString problem;
    if (!error.isEmpty())
        problem = QStringLiteral("attr_data is not valid JSON");
    else if (!loneKind.isEmpty())
        problem = QStringLiteral("attr_data is a JSON %1, not an object").arg(loneKind);
    else if (attrData.type() == QVariant::List)
        problem = QStringLiteral("attr_data is a JSON list, not an object");
    const QVariant cams = attrData.toMap().value(QStringLiteral("cam_interface"));
    if (problem.isEmpty() && cams.isValid() && !cams.isNull() && cams.userType() != QMetaType::Nullptr
        && cams.type() != QVariant::List)
        problem = QStringLiteral("cam_interface of attr_data is not a list");
    if (!problem.isEmpty()) {
        VEK_LOG(QStringLiteral("service [%1]: %2, no CAM interface is set up!%3")
                        .arg(iService, problem, error.isEmpty() ? QString() : QStringLiteral(" ERROR:") + error),
                "error", 0);
    }
    return cams.toList();
}

// The file an SQLite configuration names, in oPath; false when it names
// none (an in-memory database). Opening a file that does not exist would
// create it.
bool sqliteDatabaseFile(const QVariantMap &iConfig, QString *oPath)
{
    if (iConfig.value(QStringLiteral("database_type")).toString() != QLatin1String("QSQLITE"))
        return false;
    const QString name = iConfig.value(QStringLiteral("database_name")).toString();
    if (name == QLatin1String(":memory:"))
        return false;
    QString path = name;
    if (iConfig.value(QStringLiteral("database_options")).toString().contains(QLatin1String("QSQLITE_OPEN_URI"))
        && name.startsWith(QLatin1String("file:"))) {
        const QUrl url(name);
        if (QUrlQuery(url).queryItemValue(QStringLiteral("mode")) == QLatin1String("memory")
            || url.path() == QLatin1String(":memory:"))
            return false;
        path = url.path();
    }
    *oPath = path.isEmpty() ? path : QFileInfo(path).absoluteFilePath();
    return true;
}

QVariantMap claimFieldFormat()
{
    QVariantMap format;
    for (const char *column :
         {"layers", "prod_machines", "prod_machine_stations", "prod_workshift", "tags", "sys_tags", "related_lots"})
        format.insert(QLatin1String(column), QStringLiteral("ARRAY"));
    for (const char *column : {"request_data", "prod_json_data", "standard_json_data", "qc_param", "qc_json_data",
                               "qc_result_json_data", "attr_data", "action_data", "extra_data", "sys_data"})
        format.insert(QLatin1String(column), QStringLiteral("JSON"));
    return format;
}

// Copies iFrom's values into ioTo, each pair naming the key in ioTo first
// and the key in iFrom second.
void copyKeys(QVariantMap &ioTo, const QVariantMap &iFrom,
              std::initializer_list<std::pair<const char *, const char *>> iPairs)
{
    for (const auto &pair : iPairs)
        ioTo.insert(QLatin1String(pair.first), iFrom.value(QLatin1String(pair.second)));
}

QString envPathSeparator() { return QString(QDir::listSeparator()); }

} // namespace

// ----------------------------------------------------------------------
// Private record

VekPdtServerCorePrivate::VekPdtServerCorePrivate(VekPdtServerCore *iQ)
    : serviceStartTime(VekPdtServerUtil::processStartTime(QCoreApplication::applicationPid()))
    , q_ptr(iQ)
{}

void VekPdtServerCorePrivate::dropCrontab()
{
    Q_Q(VekPdtServerCore);
    if (!crontab)
        return;
    // A tick already queued must not reach the dispatcher with the next task table.
    QObject::disconnect(crontab, nullptr, q, nullptr);
    crontab->quit();
    crontab->wait();
    // Deferred: this may run inside one of the old object's own ticks.
    crontab->deleteLater();
    crontab = nullptr;
}

QVariantMap VekPdtServerCorePrivate::baseProcessArgv(const QVariantMap &iTask)
{
    Q_Q(VekPdtServerCore);
    QVariantMap argv;
    copyKeys(argv, taskDbArgs,
             {{"database_host", "database_host"},
              {"database_port", "database_port"},
              {"database_name", "database_name"},
              {"database_user", "database_user"},
              {"database_pwd", "database_pwd"},
              {"database_options", "database_options"}});
    const QString binPath = q->appBinPath();
    const QString platformPath = QFileInfo(binPath).absolutePath();
    argv.insert(QStringLiteral("app_root_path"), QFileInfo(platformPath).absolutePath());
    argv.insert(QStringLiteral("app_platform_path"), platformPath);
    argv.insert(QStringLiteral("app_bin_path"), binPath);
    argv.insert(QStringLiteral("app_temp_path"), q->appTempPath());
    copyKeys(argv, iTask,
             {{"trigger_type", "trigger_type"},
              {"task_id", "id"},
              {"link_cam", "link_cam"},
              {"script_name", "script_name"},
              {"script_type", "type"},
              {"script_parameter", "script_parameter"},
              {"script_attr_data", "attr_data"}});
    argv.insert(QStringLiteral("script_file"),
                q->getScriptFilePath(iTask.value(QStringLiteral("script_name")).toString()));
    return argv;
}

void VekPdtServerCorePrivate::lendCamInterface(const QString &iUser, QVariantMap &ioArgv)
{
    camBusy[iUser] = true;
    copyKeys(ioArgv, camInterfaces.value(iUser),
             {{"cam_type", "type"},
              {"cam_bin_path", "bin_path"},
              {"cam_home_path", "home_path"},
              {"cam_user", "user"},
              {"cam_edir", "cam_edir"},
              {"cam_ver", "cam_ver"},
              {"cam_dir", "cam_dir"}});
}

void VekPdtServerCorePrivate::startProcess(const QVariantMap &iArgv)
{
    Q_Q(VekPdtServerCore);
    auto *process = new VekPdtServerProcess(q);
    runningProcesses.insert(process, true);
    process->setProcessArgv(iArgv);

    // Written before the run starts, right after its request was claimed:
    // whatever happens to this service from here on, the next one to start
    // on this folder learns of the run and of its claim.
    QVariantMap record;
    record.insert(QStringLiteral("service_pid"), QCoreApplication::applicationPid());
    record.insert(QStringLiteral("service_start"), serviceStartTime);
    record.insert(QStringLiteral("task_id"), iArgv.value(QStringLiteral("task_id")));
    const QVariant requestId = claimedRequest(iArgv);
    if (requestId.isValid())
        record.insert(QStringLiteral("request_id"), requestId);
    const QString recordPath = iArgv.value(QStringLiteral("app_temp_path")).toString() + QLatin1Char('/')
                               + TDataParse::getUuid() + QLatin1String(kRunRecordSuffix);
    QString reason;
    if (VekPdtServerUtil::replaceJsonFile(recordPath, record, &reason)) {
        runRecords.insert(process, recordPath);
        process->setRunRecordFile(recordPath);
    } else {
        VEK_LOG(QStringLiteral("write run record [%1] failed: %2").arg(recordPath, reason), "error", 0);
    }
    QObject::connect(process, &QThread::finished, q, &VekPdtServerCore::onProcessFinished);
    QObject::connect(process, &QThread::finished, process, &QObject::deleteLater);
    process->start(QThread::InheritPriority);
}

QVariant VekPdtServerCorePrivate::claimedRequest(const QVariantMap &iArgv)
{
    const QVariant request = iArgv.value(QStringLiteral("tooling_request_data"));
    return request.isValid() ? request.toMap().value(QStringLiteral("id")) : QVariant();
}

void VekPdtServerCorePrivate::giveBackRequest(const QVariant &iRequestId, int iTaskId)
{
    // Only a request still marked taken goes back, and only once.
    TSqlQueryV2 query(TSqlConnectionPoolV2::instance()->getSqlDatabase(QString()));
    bool isNumber = false;
    const qlonglong number = iRequestId.toLongLong(&isNumber);
    const QString id = isNumber ? QString::number(number)
                                : TSqlDataUtilV2::singleQuote(iRequestId.toString(), query.databaseType());
    query.execSql(QStringLiteral("UPDATE mes_prod_tooling_request SET service_flag = 1"
                                 " WHERE id = %1 AND service_flag = 0")
                          .arg(id));
    if (query.lastError().isValid()) {
        VEK_LOG(QStringLiteral("give back tooling request %1 of task %2 failed: %3")
                        .arg(iRequestId.toString())
                        .arg(iTaskId)
                        .arg(query.lastError().text()),
                "error", 0);
    } else {
        VEK_LOG(QStringLiteral("tooling request %1 of task %2 given back: its run did not end by itself")
                        .arg(iRequestId.toString())
                        .arg(iTaskId),
                "info", 1);
    }
}

void VekPdtServerCorePrivate::finishRun(VekPdtServerProcess *iProcess)
{
    runningProcesses.remove(iProcess);
    const QVariantMap argv = iProcess->processArgv();
    const int taskId = argv.value(QStringLiteral("task_id")).toInt();
    VEK_LOG(QStringLiteral("process 0x%1 of task %2 finished!")
                    .arg(QString::number(quintptr(iProcess), 16), argv.value(QStringLiteral("task_id")).toString()),
            "debug", 5);
    if (argv.value(QStringLiteral("link_cam")).toInt() > 0) {
        const QString user = argv.value(QStringLiteral("cam_user")).toString();
        if (!user.isEmpty() && camBusy.contains(user)) {
            camBusy.insert(user, false);
            VEK_LOG(QStringLiteral("return back cam interface of %1").arg(user), "debug", 5);
        }
    }
    // A claim is spent when its run ends by itself; a run that never
    // started, or that the service had to end, did not do the work.
    const bool forced = forcedRuns.remove(iProcess);
    const QVariant requestId = claimedRequest(argv);
    if (requestId.isValid() && (forced || !iProcess->isProgramStarted()))
        giveBackRequest(requestId, taskId);
    const QString record = runRecords.take(iProcess);
    if (!record.isEmpty())
        QFile::remove(record);
}

void VekPdtServerCorePrivate::endOrphanGroup(qint64 iGroup, qint64 iLeaderStart, int iTaskId)
{
#ifdef Q_OS_UNIX
    if (iGroup <= 0)
        return;
    // The group is the run's when its first process is still the one
    // recorded, or when that process is gone and the group lives on (its
    // number is not handed out again while the group exists).
    const qint64 leaderStart = VekPdtServerUtil::processStartTime(iGroup);
    const bool ours = leaderStart == 0 ? VekPdtServerUtil::isGroupAlive(iGroup) : leaderStart == iLeaderStart;
    if (!ours || !VekPdtServerUtil::isGroupAlive(iGroup))
        return;
    VEK_LOG(QStringLiteral("run of task %1 left by a stopped service still runs: ending process group %2")
                    .arg(iTaskId)
                    .arg(iGroup),
            "error", 0);
    for (const int signal : {SIGTERM, SIGKILL}) {
        ::kill(-pid_t(iGroup), signal);
        const QDeadlineTimer deadline(kEndGraceMs);
        while (VekPdtServerUtil::isGroupAlive(iGroup) && !deadline.hasExpired())
            QThread::msleep(20);
        if (!VekPdtServerUtil::isGroupAlive(iGroup))
            break;
    }
#else
    Q_UNUSED(iGroup)
    Q_UNUSED(iLeaderStart)
    Q_UNUSED(iTaskId)
#endif
}

bool VekPdtServerCorePrivate::isTaskRunning(int iTaskId) const
{
    for (auto it = runningProcesses.cbegin(); it != runningProcesses.cend(); ++it) {
        if (it.key()->processArgv().value(QStringLiteral("task_id")).toInt() == iTaskId)
            return true;
    }
    return false;
}

// ----------------------------------------------------------------------
// Object, paths and configuration

VekPdtServerCore *VekPdtServerCore::instance()
{
    static VekPdtServerCore core;
    return &core;
}

VekPdtServerCore::VekPdtServerCore()
    : QObject(nullptr)
    , d(new VekPdtServerCorePrivate(this))
{
    // Constructed before us, these are destroyed after us: the destructor
    // logs at process exit, through the log (which keeps Qt's default logging
    // category alive itself) and the local time.
    TLogger::instance();
    getNow();
    // The same for the connection pool and what it stands on: Qt's table of
    // connections and the driver plug-ins, which must outlive the pool's
    // connections, come first, then the pool.
    QSqlDatabase::drivers();
    QSqlDatabase::contains(QString());
    TSqlConnectionPoolV2::instance();
    if (QCoreApplication::instance())
        connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this, &VekPdtServerCore::appAboutToQuit);
}

QString VekPdtServerCore::appBinPath() const
{
    QDir dir(QCoreApplication::applicationDirPath());
    if (dir.dirName() == QLatin1String("MacOS")) {
        dir.cdUp();
        dir.cdUp();
        dir.cdUp();
    }
    return dir.absolutePath();
}

QString VekPdtServerCore::appPlatformPath() const { return QFileInfo(appBinPath()).absolutePath(); }

QString VekPdtServerCore::appRootPath() const { return QFileInfo(appPlatformPath()).absolutePath(); }

QString VekPdtServerCore::getPlatform() const { return QFileInfo(appPlatformPath()).fileName(); }

void VekPdtServerCore::setAppTempPath(const QString &iTmpPath) { d->tempPath = iTmpPath; }

QString VekPdtServerCore::appTempPath() const { return d->tempPath.isEmpty() ? QDir::tempPath() : d->tempPath; }

QString VekPdtServerCore::logDir() const { return TLogger::instance()->logDir(); }

void VekPdtServerCore::setLogDir(const QString &iDirStr) { TLogger::instance()->setLogDir(iDirStr); }

QString VekPdtServerCore::getOs() const
{
#ifdef Q_OS_WIN
    return QStringLiteral("WIN32").toLower();
#else
    return QSysInfo::kernelType();
#endif
}

void VekPdtServerCore::appendEnvPath(const QString &iPath)
{
    const QString old = QString::fromLocal8Bit(qgetenv("PATH"));
    qputenv("PATH", (old.isEmpty() ? iPath : old + envPathSeparator() + iPath).toLocal8Bit());
}

void VekPdtServerCore::prependEnvPath(const QString &iPath)
{
    const QString old = QString::fromLocal8Bit(qgetenv("PATH"));
    qputenv("PATH", (old.isEmpty() ? iPath : iPath + envPathSeparator() + old).toLocal8Bit());
}

bool VekPdtServerCore::readConfig(const QString &iFile)
{
    const QString file = iFile.isEmpty() ? appRootPath() + QStringLiteral("/config/vekpdtserver.cfg") : iFile;
    if (!QFileInfo::exists(file)) {
        VEK_LOG(QStringLiteral("config file [%1] does not exists!").arg(file), "error", 0);
        return false;
    }
    TError err;
    QString text = TFileIo::readFileString(file, QStringLiteral("UTF-8"), &err);
    if (err.isValid()) {
        VEK_LOG(QStringLiteral("read config file [%1] failed! ERROR:%2").arg(file, err.text()), "error", 0);
        return false;
    }

    QVariantMap variables;
    variables.insert(QStringLiteral("APP_ROOT_PATH"), jsonEscaped(appRootPath()));
    variables.insert(QStringLiteral("APP_PLATFORM_PATH"), jsonEscaped(appPlatformPath()));
    variables.insert(QStringLiteral("APP_BIN_PATH"), jsonEscaped(appBinPath()));
    variables.insert(QStringLiteral("APP_CONFIG_PATH"), jsonEscaped(appRootPath() + QStringLiteral("/config")));
    text = TDataParse::strReplaceDollar(text, variables);

    const QVariant parsed = TDataParse::jsonStr2Variant(text, &err);
    if (err.isValid() || parsed.type() != QVariant::Map) {
        const QString reason = err.isValid() ? err.text() : QStringLiteral("the top-level value is not an object");
        VEK_LOG(QStringLiteral("config file [%1] is not a valid json format! ERROR:%2").arg(file, reason), "error", 0);
        return false;
    }
    d->config = parsed.toMap();
    TLogger::instance()->setDebugLevel(d->config.value(QStringLiteral("debug_mode")).toInt());
    return true;
}

void VekPdtServerCore::setDebugLevel(int iDebugLevel) { TLogger::instance()->setDebugLevel(iDebugLevel); }

QString VekPdtServerCore::serviceName() const { return d->config.value(QStringLiteral("service_name")).toString(); }

QString VekPdtServerCore::getNow()
{
    return QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

void VekPdtServerCore::appAboutToQuit()
{
    qDebug() << "app about to quit";
    // Left to the destructor, the running tasks would end during the
    // process's exit, when the static objects their threads still use may
    // already be gone. Here no new run starts and the running ones end while
    // everything they use is alive.
    d->dropCrontab();
    waitRunningProcesses();
    // The queued ends of these runs will not be delivered any more: account
    // for them now, while the database is still reachable.
    const QList<VekPdtServerProcess *> processes = d->runningProcesses.keys();
    for (VekPdtServerProcess *process : processes) {
        if (process->isFinished())
            d->finishRun(process);
    }
}

// ----------------------------------------------------------------------
// Registration and CAM interfaces

bool VekPdtServerCore::initServiceInfo()
{
    VEK_LOG(QStringLiteral("init service info."), "info", 1);
    TSqlConnectionPoolV2::instance()->setConnectParameter(QVariant(d->config), QString());

    const QStringList hostParts = d->config.value(QStringLiteral("database_host")).toString().split(QLatin1Char(':'));
    d->taskDbArgs.insert(QStringLiteral("database_host"), hostParts.value(0));
    d->taskDbArgs.insert(QStringLiteral("database_port"), hostParts.value(1));
    copyKeys(d->taskDbArgs, d->config,
             {{"database_name", "database_name"},
              {"database_type", "database_type"},
              {"database_user", "database_user"},
              {"database_options", "database_options"}});
    QVariant password = d->config.value(QStringLiteral("database_pwd"));
    if (d->config.value(QStringLiteral("database_encrypt")).toString().toUpper() == QLatin1String("EB642"))
        password = QString::fromUtf8(QByteArray::fromBase64(QByteArray::fromBase64(password.toString().toUtf8())));
    d->taskDbArgs.insert(QStringLiteral("database_pwd"), password);

    QStringList addresses;
    for (const QHostAddress &address : QNetworkInterface::allAddresses()) {
        if (!address.isNull() && address.protocol() == QAbstractSocket::IPv4Protocol
            && address != QHostAddress(QHostAddress::LocalHost))
            addresses << address.toString();
    }
    QVariantMap row;
    row.insert(QStringLiteral("host_name"), QHostInfo::localHostName());
    row.insert(QStringLiteral("host_ip"), addresses.join(QLatin1Char(';')));
    row.insert(QStringLiteral("last_start_time"), getNow());
    row.insert(QStringLiteral("status"), QStringLiteral("running"));

    // Checked here, not by the pool: a host of its own may want SQLite to
    // create its database, the service never does.
    QString sqliteFile;
    if (sqliteDatabaseFile(d->config, &sqliteFile) && !QFileInfo(sqliteFile).isFile()) {
        VEK_LOG(QStringLiteral("SQLite database file [%1] does not exist!").arg(sqliteFile), "error", 0);
        return false;
    }

    QVariantMap service;
    {
        TSqlQueryV2 query(TSqlConnectionPoolV2::instance()->getSqlDatabase(QString()));
        TSqlSelectorV2 selector;
        selector.setTable(QStringLiteral("mes_pdt_service"))
                .setField(QStringList {QStringLiteral("id"), QStringLiteral("attr_data")})
                .setWhere(QStringLiteral("name"), serviceName(), QStringLiteral("="));
        service = query.selectMap(selector);
        if (query.lastError().isValid()) {
            VEK_LOG(QStringLiteral("database error: %1").arg(query.lastError().text()), "error", 0);
            return false;
        }
        if (service.isEmpty()) {
            VEK_LOG(QStringLiteral("vekpdtservice [%1] does not exists in mes_pdt_service table!").arg(serviceName()),
                    "error", 0);
            return false;
        }
        d->serviceId = service.value(QStringLiteral("id")).toInt();
        TSqlUpdaterV2 updater;
        updater.setTable(QStringLiteral("mes_pdt_service"))
                .setData(row)
                .setWhere(QStringLiteral("id"), d->serviceId, QStringLiteral("="));
        query.updateRow(updater);
        if (query.lastError().isValid()) {
            VEK_LOG(QStringLiteral("save service info failed!: %1").arg(query.lastError().text()), "error", 0);
            return false;
        }
    }
    VEK_LOG(QStringLiteral("service info saved into database."), "info", 1);

    const QVariantList cams = serviceCamInterfaces(service.value(QStringLiteral("attr_data")), serviceName());
    for (const QVariant &entry : cams) {
        QVariantMap cam = entry.toMap();
        const QString user = cam.value(QStringLiteral("user")).toString();
        if (cam.value(QStringLiteral("type")).toString() == QLatin1String("incam"))
            continue;
        if (!VekPdtServerUtil::isSafePathPart(user)) {
            VEK_LOG(QStringLiteral("cam interface user [%1] is not a valid folder name!")
                            .arg(VekPdtServerUtil::printableName(user)),
                    "error", 0);
            continue;
        }
        const QString binFolder = QFileInfo(cam.value(QStringLiteral("bin_path")).toString()).absolutePath();
        const QString edir = QFileInfo(binFolder).absolutePath();
        cam.insert(QStringLiteral("cam_edir"), edir);
        cam.insert(QStringLiteral("cam_ver"), QFileInfo(edir).fileName().mid(1));
        cam.insert(QStringLiteral("cam_dir"), QFileInfo(edir).absolutePath());
        const QString home = appRootPath() + QStringLiteral("/cam_env_home/") + user;
        cam.insert(QStringLiteral("home_path"), home);

        // The folder and the file hold the account's password: owner-only
        // from their creation.
        const QString loginDir = home + QStringLiteral("/.genesis");
        VekPdtServerUtil::makePrivateDir(loginDir);
        const QString loginFile = loginDir + QStringLiteral("/login");
        if (VekPdtServerUtil::writePrivateFile(
                    loginFile,
                    QStringLiteral("%1\n%2").arg(user, cam.value(QStringLiteral("password")).toString()).toUtf8(),
                    VekPdtServerUtil::privateFile)) {
            VEK_LOG(QStringLiteral("write cam autologin file [%1] success!").arg(loginFile), "info", 1);
        } else {
            VEK_LOG(QStringLiteral("write cam autologin file [%1] failed!").arg(loginFile), "error", 0);
        }
        d->camInterfaces.insert(user, cam);
        // An interface a running task holds stays lent.
        d->camBusy.insert(user, d->camBusy.value(user, false));
    }
    VEK_LOG(QStringLiteral("init service info finish."), "info", 1);
    return true;
}

QStringList VekPdtServerCore::getAvailableCamInterface()
{
    QStringList free;
    for (auto it = d->camBusy.cbegin(); it != d->camBusy.cend(); ++it) {
        if (!it.value())
            free << it.key();
    }
    return free;
}

// ----------------------------------------------------------------------
// Task loading

void VekPdtServerCore::loadTask()
{
    VEK_LOG(QStringLiteral("start load task"), "info", 1);
    d->dropCrontab();
    d->crontab = new VekPdtServerCrontab(nullptr);

    VEK_LOG(QStringLiteral("start read task from database"), "info", 1);
    QVariantList rows;
    {
        TSqlQueryV2 query(TSqlConnectionPoolV2::instance()->getSqlDatabase(QString()));
        rows = query.selectArrayMap(QString::fromLatin1(kTaskStatement), QVariantMap(), QVariantMap());
        if (query.lastError().isValid())
            VEK_LOG(QStringLiteral("load task list failed: %1").arg(query.lastError().text()), "error", 0);
    }

    d->tasks.clear();
    d->scriptBufferDir = appTempPath();
    for (const QVariant &rowVar : qAsConst(rows)) {
        QVariantMap row = rowVar.toMap();
        const int id = row.value(QStringLiteral("id")).toInt();
        const QString scriptName = row.value(QStringLiteral("script_name")).toString();
        VEK_LOG(QStringLiteral("start load task"), "info", 1);
        decodeTaskJson(row, id);
        if (row.value(QStringLiteral("sname")).toString().isEmpty()) {
            VEK_LOG(QStringLiteral("task %1 script_name not exists!").arg(id), "error", 0);
            continue;
        }
        if (!VekPdtServerUtil::isSafePathPart(scriptName)) {
            VEK_LOG(QStringLiteral("script_name [%1] of task %2 is not a valid file name!")
                            .arg(VekPdtServerUtil::printableName(scriptName))
                            .arg(id),
                    "error", 0);
            continue;
        }

        const QString path = d->scriptBufferDir + QLatin1Char('/') + scriptName;
        // The name is the database's: shown so that it cannot forge or
        // reorder log lines.
        const QString shownName = VekPdtServerUtil::printableName(scriptName);
        const QString shownPath = VekPdtServerUtil::printableName(path);
        VEK_LOG(QStringLiteral("script buffer path = %1").arg(shownPath), "debug", 5);
        if (!QFile::remove(path))
            VEK_LOG(QStringLiteral("remove script buffer file [%1] failed!").arg(shownPath), "error", 0);

        const QString content = row.value(QStringLiteral("content")).toString();
        if (!content.isEmpty()) {
            // Decoded scripts are nobody else's business: owner-only from
            // their creation.
            bool written = false;
            if (row.value(QStringLiteral("encrypt")).toInt() == 1) {
                QByteArray bytes = content.toUtf8();
                if (Norvex::d2(bytes))
                    written = VekPdtServerUtil::writePrivateFile(path, bytes, VekPdtServerUtil::privateFile);
                else
                    VEK_LOG(QStringLiteral("decrypt script [%1] failed!").arg(shownName), "error", 0);
            } else {
                // UTF-8 with a byte-order mark.
                QByteArray bytes("\xEF\xBB\xBF");
                bytes += content.toUtf8();
                written = VekPdtServerUtil::writePrivateFile(path, bytes, VekPdtServerUtil::privateFile);
            }
            if (!written) {
                QFile::remove(path);
                VEK_LOG(QStringLiteral("write script buffer file [%1] failed!").arg(shownPath), "error", 0);
            }
        } else {
            VEK_LOG(QStringLiteral("content of script [%1] is empty!").arg(shownName), "error", 0);
        }

        const QVariant triggerParam = row.value(QStringLiteral("trigger_param"));
        const QVariantList triggers
                = triggerParam.type() == QVariant::List ? triggerParam.toList() : QVariantList {triggerParam};
        const int firstTrigger = d->crontab->taskCount();
        for (const QVariant &triggerVar : triggers) {
            QVariantMap trigger = triggerVar.toMap();
            trigger.insert(QStringLiteral("task_id"), id);
            d->crontab->registerTask(trigger);
            VEK_LOG(QStringLiteral("register task [%1] of script [%2] to crontab task list")
                            .arg(trigger.value(QStringLiteral("task_id")).toString(), shownName),
                    "info", 1);
        }
        // Each unusable trigger has said why; this says what it means.
        bool scheduled = false;
        for (int i = firstTrigger; !scheduled && i < d->crontab->taskCount(); ++i)
            scheduled = d->crontab->nextRun(i).isValid();
        if (!scheduled) {
            VEK_LOG(QStringLiteral("task %1 of script [%2] has no usable trigger in trigger_param and never runs!")
                            .arg(id)
                            .arg(shownName),
                    "error", 0);
        }

        QVariantMap task;
        copyKeys(task, row,
                 {{"id", "id"},
                  {"trigger_type", "trigger_type"},
                  {"link_cam", "link_cam"},
                  {"script_name", "script_name"},
                  {"type", "type"},
                  {"script_parameter", "script_parameter"},
                  {"attr_data", "attr_data"}});
        d->tasks.insert(id, task);
        VEK_LOG(QStringLiteral("load task %1 finish.").arg(id), "info", 1);
    }

    connect(d->crontab, &VekPdtServerCrontab::taskTriggered, this, &VekPdtServerCore::onCrontabTriggered);
    d->crontab->start(QThread::InheritPriority);
}

// ----------------------------------------------------------------------
// Dispatch

QString VekPdtServerCore::getScriptFilePath(const QString &iScriptName)
{
    if (d->config.value(QStringLiteral("debug_mode")).toInt() > 0) {
        const QString debugPath
                = d->config.value(QStringLiteral("script_path")).toString() + QLatin1Char('/') + iScriptName;
        if (QFileInfo::exists(debugPath))
            return debugPath;
    }
    return d->scriptBufferDir + QLatin1Char('/') + iScriptName;
}

void VekPdtServerCore::onCrontabTriggered(int taskId, const QVariant &iData)
{
    Q_UNUSED(iData)
    VEK_LOG(QStringLiteral("task %1 triggered").arg(taskId), "info", 1);
    const QVariantMap task = d->tasks.value(taskId);
    if (TLogger::instance()->debugLevel() >= 5) {
        VEK_LOG(QStringLiteral("task %1 info = ").arg(taskId) + TDataParse::variant2JsonStr(task, false), "debug", 5);
    }

    const QVariantMap base = d->baseProcessArgv(task);
    const bool linkCam = task.value(QStringLiteral("link_cam")).toInt() >= 1;
    const QString kind = task.value(QStringLiteral("trigger_type")).toString();

    if (kind == QLatin1String("tooling_request")) {
        QStringList free;
        int limit = kClaimLimitWithoutCam;
        if (linkCam) {
            free = getAvailableCamInterface();
            limit = free.size();
        }
        if (limit > 0) {
            // One pass: a "%1" inside the filter stays as written.
            const QString condition = QStringLiteral("service_flag = 1 AND (")
                                      + task.value(QStringLiteral("attr_data"))
                                                .toMap()
                                                .value(QStringLiteral("request_filter_sql"))
                                                .toString()
                                      + QLatin1Char(')');
            const QString sql = QString::fromLatin1(kClaimStatement).arg(condition, QString::number(limit));
            QVariantList claimed;
            {
                TSqlQueryV2 query(TSqlConnectionPoolV2::instance()->getSqlDatabase(QString()));
                claimed = query.selectArrayMap(sql, claimFieldFormat(), QVariantMap());
                if (query.lastError().isValid())
                    VEK_LOG(QStringLiteral("claim tooling requests of task %1 failed: %2")
                                    .arg(taskId)
                                    .arg(query.lastError().text()),
                            "error", 0);
            }
            for (const QVariant &request : qAsConst(claimed)) {
                QVariantMap argv = base;
                argv.insert(QStringLiteral("tooling_request_data"), request.toMap());
                if (linkCam)
                    d->lendCamInterface(free.takeFirst(), argv);
                d->startProcess(argv);
            }
        }
    } else if (kind == QLatin1String("crontab")) {
        QVariantMap argv = base;
        bool start = true;
        if (linkCam) {
            const QStringList free = getAvailableCamInterface();
            start = !free.isEmpty();
            if (start)
                d->lendCamInterface(free.first(), argv);
        }
        if (start)
            d->startProcess(argv);
    }

    // A trigger that waits for its run would wait for ever when none started.
    if (d->crontab && !d->isTaskRunning(taskId))
        d->crontab->rearmTask(taskId);
}

// ----------------------------------------------------------------------
// Run bookkeeping and shutdown

void VekPdtServerCore::recoverLeftRuns()
{
    const QDir folder(appTempPath());
    const qint64 self = QCoreApplication::applicationPid();
    // A record half replaced when its service died is read like the record.
    const QStringList names
            = folder.entryList({QStringLiteral("*") + QLatin1String(kRunRecordSuffix) + QStringLiteral(".new"),
                                QStringLiteral("*") + QLatin1String(kRunRecordSuffix)},
                               QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString &name : names) {
        const QString path = folder.filePath(name);
        const QVariantMap record = VekPdtServerUtil::readJsonFile(path);
        const qint64 servicePid = record.value(QStringLiteral("service_pid")).toLongLong();
        const qint64 serviceStart = record.value(QStringLiteral("service_start")).toLongLong();
        if (servicePid == self ? serviceStart == d->serviceStartTime
                               : VekPdtServerUtil::isSameProcessAlive(servicePid, serviceStart))
            continue; // the run of a live service

        const int taskId = record.value(QStringLiteral("task_id")).toInt();
        VEK_LOG(QStringLiteral("run of task %1 left by a stopped service (%2): cleaning up").arg(taskId).arg(name),
                "info", 1);
        // The run must neither go on beside a new run of its task nor
        // keep its files: it dies with the service that started it.
        d->endOrphanGroup(record.value(QStringLiteral("group")).toLongLong(),
                          record.value(QStringLiteral("group_start")).toLongLong(), taskId);
        for (const QString &file : record.value(QStringLiteral("files")).toStringList()) {
            const QFileInfo info(file);
            if (info.absolutePath() == folder.absolutePath() && VekPdtServerUtil::isSafePathPart(info.fileName()))
                QFile::remove(file);
        }
        const QVariant requestId = record.value(QStringLiteral("request_id"));
        if (requestId.isValid() && !name.endsWith(QLatin1String(".new")))
            d->giveBackRequest(requestId, taskId);
        QFile::remove(path);
    }
}

void VekPdtServerCore::onProcessFinished()
{
    auto *process = qobject_cast<VekPdtServerProcess *>(sender());
    // Not listed: already accounted for at shutdown.
    if (!process || !d->runningProcesses.contains(process))
        return;
    const int taskId = process->processArgv().value(QStringLiteral("task_id")).toInt();
    d->finishRun(process);
    if (d->crontab && !d->isTaskRunning(taskId))
        d->crontab->rearmTask(taskId);
}

void VekPdtServerCore::waitRunningProcesses()
{
    // Every run gets the same grace period, counted from the first wait.
    const QDeadlineTimer grace(kShutdownGraceMs);
    QList<VekPdtServerProcess *> late;
    for (auto it = d->runningProcesses.cbegin(); it != d->runningProcesses.cend(); ++it) {
        const QString id = QString::number(quintptr(it.key()), 16);
        VEK_LOG(QStringLiteral("start wait process thread %1").arg(id), "info", 1);
        if (it.key()->wait(grace))
            VEK_LOG(QStringLiteral("wait process thread %1 finish").arg(id), "info", 1);
        else
            late << it.key();
    }
    if (late.isEmpty())
        return;

    // Never abandoned silently: each run ended is named in the log.
    for (VekPdtServerProcess *process : qAsConst(late)) {
        d->forcedRuns.insert(process);
        VEK_LOG(QStringLiteral("process thread %1 of task %2 did not end within %3 s: ending process group %4")
                        .arg(QString::number(quintptr(process), 16),
                             process->processArgv().value(QStringLiteral("task_id")).toString())
                        .arg(kShutdownGraceMs / 1000)
                        .arg(process->programGroup()),
                "error", 0);
        process->endProgram(false);
    }
    const QDeadlineTimer termGrace(kEndGraceMs);
    for (VekPdtServerProcess *process : qAsConst(late))
        process->wait(termGrace);
    // Also what the task started and left behind in its group.
    for (VekPdtServerProcess *process : qAsConst(late))
        process->endProgram(true);
    const QDeadlineTimer killGrace(kEndGraceMs);
    for (VekPdtServerProcess *process : qAsConst(late)) {
        const QString id = QString::number(quintptr(process), 16);
        if (process->wait(killGrace)) {
            VEK_LOG(QStringLiteral("process thread %1 of task %2 ended by the service")
                            .arg(id, process->processArgv().value(QStringLiteral("task_id")).toString()),
                    "error", 0);
        } else {
            VEK_LOG(QStringLiteral("process thread %1 does not end; left behind").arg(id), "error", 0);
        }
    }
}

VekPdtServerCore::~VekPdtServerCore()
{
    VEK_LOG(QStringLiteral("start destroy VekPdtServerCore"), "info", 1);
    if (d->crontab) {
        QObject::disconnect(d->crontab, nullptr, this, nullptr);
        d->crontab->quit();
        d->crontab->wait();
        delete d->crontab;
        d->crontab = nullptr;
    }
    waitRunningProcesses();
    // A thread that would not end must not be destroyed while it runs.
    for (auto it = d->runningProcesses.cbegin(); it != d->runningProcesses.cend(); ++it) {
        if (it.key()->isRunning())
            it.key()->setParent(nullptr);
    }
    VEK_LOG(QStringLiteral("destroy VekPdtServer finish"), "info", 1);
}
