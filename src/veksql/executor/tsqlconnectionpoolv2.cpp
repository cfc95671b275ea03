#include "tsqlconnectionpoolv2.h"
#include "tsqlconnectionpoolv2_p.h"

#include "tsqldialect_p.h"

#include "tdataparse.h"
#include "terror.h"
#include "tlogger.h"

#include <QMetaObject>
#include <QSqlError>
#include <QThread>
#include <QTimer>
#include <QUuid>

TSqlConnectionPoolV2Private::TSqlConnectionPoolV2Private(TSqlConnectionPoolV2 *iQ)
    : q_ptr(iQ)
{}

QString TSqlConnectionPoolV2Private::normalizeConnectionName(const QString &iName)
{
    const QString upper = iName.toUpper();
    if (upper.isEmpty() || upper == QLatin1String("NULL") || upper == QLatin1String("DEFAULT")) {
        return QStringLiteral("TSQLPOOL_DEFAULT_CNT_NAME");
    }
    return upper;
}

QString TSqlConnectionPoolV2Private::maskPassword(const QSqlDatabase &iDatabase, QString iText)
{
    // A driver's text or an ODBC connection string may repeat the password.
    const QString password = iDatabase.password();
    if (!password.isEmpty()) {
        iText.replace(password, QStringLiteral("******"));
    }
    return iText;
}

void TSqlConnectionPoolV2Private::logOpenFailure(const QSqlDatabase &iDatabase)
{
    const QString driver = iDatabase.driverName().isEmpty() ? QStringLiteral("(no driver)") : iDatabase.driverName();
    QString host;
    if (!iDatabase.hostName().isEmpty()) {
        host = QStringLiteral(" on host \"%1\"").arg(iDatabase.hostName());
        if (iDatabase.port() > 0) {
            host.insert(host.size() - 1, QLatin1Char(':') + QString::number(iDatabase.port()));
        }
    }
    const QString database = maskPassword(iDatabase, iDatabase.databaseName());
    const QString reason = maskPassword(iDatabase, iDatabase.lastError().text());
    VEK_LOG(QStringLiteral("Cannot open the %1 database \"%2\"%3 (connection %4): %5")
                    .arg(driver, database, host, iDatabase.connectionName(), reason),
            "error", 0);
}

QSqlDatabase TSqlConnectionPoolV2Private::createSqlDatabase(const QString &iCntName, const QVariant &iParamVar)
{
    QVariantMap params;
    if (iParamVar.type() == QVariant::Map) {
        params = iParamVar.toMap();
    } else {
        const QString text = iParamVar.toString().trimmed();
        TError err;
        if (text.startsWith(QLatin1Char('{'))) {
            params = TDataParse::jsonStr2Variant(text, &err).toMap();
            if (err.isValid()) {
                VEK_LOG(QStringLiteral("database connnect parameters is not a valid json format! ERROR:%1")
                                .arg(err.text()),
                        "error", 0);
                return QSqlDatabase();
            }
        } else if (text.startsWith(QLatin1Char('<'))) {
            params = TDataParse::simpleXml2Map(text, QStringLiteral("Lower"), &err);
            if (err.isValid()) {
                // The message has only the second place marker; arg() fills the lowest one.
                VEK_LOG(QStringLiteral("database connnect parameters is not a valid xml format! ERROR:%2")
                                .arg(err.text()),
                        "error", 0);
                return QSqlDatabase();
            }
        } else {
            VEK_LOG(QStringLiteral("database connnect parameters must be a json or xml format!"), "error", 0);
            return QSqlDatabase();
        }
    }

    const QString driver = params.contains(QStringLiteral("database_type"))
                                   ? params.value(QStringLiteral("database_type")).toString()
                                   : TSqlDialect::defaultDriverName();
    const QString host = params.value(QStringLiteral("database_host")).toString();
    const QString name = params.value(QStringLiteral("database_name")).toString();
    const QString user = params.value(QStringLiteral("database_user")).toString();
    QString password = params.value(QStringLiteral("database_pwd")).toString();
    const QString options = params.value(QStringLiteral("database_options")).toString();
    const QString encrypt = params.value(QStringLiteral("database_encrypt")).toString();

    if (encrypt.toUpper() == QLatin1String("EB642")) {
        password = QString::fromUtf8(QByteArray::fromBase64(QByteArray::fromBase64(password.toUtf8())));
    }

    QSqlDatabase db = QSqlDatabase::addDatabase(driver, iCntName);
    const QStringList hostParts = host.split(QLatin1Char(':'));
    const TSqlDialect *dialect = TSqlDialect::forDriver(driver);
    if (dialect ? dialect->connectsToServer() : !driver.isEmpty()) {
        db.setHostName(hostParts.value(0));
        if (hostParts.size() > 1) {
            const int port = hostParts.at(1).toInt();
            if (port != 0) {
                db.setPort(port);
            }
        }
        if (!user.isEmpty()) {
            db.setUserName(user);
        }
        if (!password.isEmpty()) {
            db.setPassword(password);
        }
    }
    db.setDatabaseName(dialect ? dialect->connectionDatabaseName(hostParts.value(0), name) : name);
    db.setConnectOptions(options);
    VEK_LOG(QStringLiteral("create new database %1 connection %2.").arg(db.databaseName(), iCntName), "debug", 5);
    return db;
}

bool TSqlConnectionPoolV2Private::pullDriver(const QString &iName)
{
    QSqlDriver *driver = driverMap.value(iName);
    if (!driver) {
        return true;
    }
    QThread *current = QThread::currentThread();
    if (driver->thread() == current) {
        return true;
    }
    if (driver->thread() != nullptr) {
        return false;
    }
    driver->moveToThread(current);
    return driver->thread() == current;
}

TSqlConnectionPoolV2Private::~TSqlConnectionPoolV2Private() { qDeleteAll(timerMap); }

bool TSqlConnectionPoolV2Private::removeConnection(const QString &iName, QString *oDatabaseName)
{
    QThread *owner = ownerMap.value(iName);
    if ((owner && owner != QThread::currentThread()) || !pullDriver(iName)) {
        // Closing it under its holder's feet is not safe; the release finishes the job.
        pendingRemoval.insert(iName);
        return false;
    }
    const bool registered = QSqlDatabase::contains(iName);
    if (registered) {
        {
            QSqlDatabase db = QSqlDatabase::database(iName, false);
            *oDatabaseName = db.databaseName();
            db.close();
        }
        QSqlDatabase::removeDatabase(iName);
    }
    if (QTimer *timer = timerMap.value(iName)) {
        // The timer lives in the pool's thread and may be firing there right now.
        timer->deleteLater();
    }
    ownerMap.remove(iName);
    timerMap.remove(iName);
    driverMap.remove(iName);
    pendingRemoval.remove(iName);
    return registered;
}

void TSqlConnectionPoolV2Private::onIdleTimeout(const QString &iName)
{
    Q_Q(TSqlConnectionPoolV2);
    QMutexLocker locker(&mutex);
    if (!ownerMap.contains(iName) || ownerMap.value(iName) == nullptr) {
        q->removeSqlDatabase(iName);
    }
}

TSqlConnectionPoolV2::TSqlConnectionPoolV2(QObject *iParent)
    : QObject(iParent)
    , d(new TSqlConnectionPoolV2Private(this))
{
    // The destructor logs at process exit: the logger has to be there first
    // so that it is destroyed after the pool.
    TLogger::instance();
}

TSqlConnectionPoolV2::~TSqlConnectionPoolV2() { VEK_LOG(QStringLiteral("Destroy TSqlConnectionPoolV2"), "debug", 5); }

TSqlConnectionPoolV2 *TSqlConnectionPoolV2::instance()
{
    static TSqlConnectionPoolV2 pool;
    return &pool;
}

void TSqlConnectionPoolV2::setConnectParameter(const QVariant &iParamVar, const QString &iCntName)
{
    QMutexLocker locker(&d->mutex);
    d->paramMap.insert(TSqlConnectionPoolV2Private::normalizeConnectionName(iCntName), iParamVar);
}

QVariant TSqlConnectionPoolV2::connectParameter(const QString &iCntName)
{
    QMutexLocker locker(&d->mutex);
    return d->paramMap.value(TSqlConnectionPoolV2Private::normalizeConnectionName(iCntName));
}

QSqlDatabase TSqlConnectionPoolV2::getSqlDatabase(const QString &iCntName)
{
    QMutexLocker locker(&d->mutex);
    const QString base = TSqlConnectionPoolV2Private::normalizeConnectionName(iCntName);
    const QString prefix = base + QLatin1Char('/');
    QThread *current = QThread::currentThread();

    QString name;
    for (auto it = d->ownerMap.constBegin(); it != d->ownerMap.constEnd(); ++it) {
        if (!it.key().startsWith(prefix) || d->pendingRemoval.contains(it.key())) {
            continue;
        }
        if ((it.value() == nullptr || it.value() == current) && d->pullDriver(it.key())) {
            name = it.key();
            break;
        }
    }
    if (name.isEmpty()) {
        name = prefix + QUuid::createUuid().toString();
    }

    if (!QSqlDatabase::contains(name)) {
        const QSqlDatabase db = d->createSqlDatabase(name, d->paramMap.value(base));
        if (db.isValid()) {
            d->driverMap.insert(name, db.driver());
        }
        d->ownerMap.insert(name, current);
        // A failed creation is retried on the next request; it keeps its one timer.
        if (!d->timerMap.contains(name)) {
            QTimer *timer = new QTimer;
            timer->setSingleShot(true);
            timer->moveToThread(thread());
            connect(
                    timer, &QTimer::timeout, timer, [this, name] { d->onIdleTimeout(name); }, Qt::DirectConnection);
            d->timerMap.insert(name, timer);
        }
    }
    // Only a released connection has a running timer; a thread asking again
    // for the one it holds posts nothing to the pool's thread.
    const bool wasFree = d->ownerMap.value(name) == nullptr;
    d->ownerMap.insert(name, current);
    QTimer *timer = d->timerMap.value(name);
    if (timer && wasFree) {
        QMetaObject::invokeMethod(timer, "stop", Qt::AutoConnection);
    }
    if (TLogger::instance()->debugLevel() >= 5) {
        VEK_LOG(QStringLiteral("get database connection %1.").arg(name), "debug", 5);
    }
    QSqlDatabase db = QSqlDatabase::database(name, true);
    if (db.isValid() && !db.isOpen()) {
        d->logOpenFailure(db);
    }
    return db;
}

QSqlDatabase TSqlConnectionPoolV2::newSqlDatabase(const QString &iNewCntName, const QString &iCntName)
{
    QMutexLocker locker(&d->mutex);
    d->paramMap.insert(TSqlConnectionPoolV2Private::normalizeConnectionName(iNewCntName),
                       d->paramMap.value(TSqlConnectionPoolV2Private::normalizeConnectionName(iCntName)));
    return getSqlDatabase(iNewCntName);
}

void TSqlConnectionPoolV2::releaseConnection(const QString &iCntName)
{
    QMutexLocker locker(&d->mutex);
    if (!d->ownerMap.contains(iCntName)) {
        return;
    }
    if (QTimer *timer = d->timerMap.value(iCntName)) {
        QMetaObject::invokeMethod(timer, "start", Qt::AutoConnection, Q_ARG(int, int(d->autocloseTimeout.load())));
    }
    d->ownerMap.insert(iCntName, nullptr);
    QSqlDriver *driver = d->driverMap.value(iCntName);
    if (driver && driver->thread() == QThread::currentThread()) {
        driver->moveToThread(nullptr);
    }
    if (d->pendingRemoval.contains(iCntName)) {
        removeSqlDatabase(iCntName);
    }
}

void TSqlConnectionPoolV2::removeSqlDatabase(const QString &iCntName)
{
    QMutexLocker locker(&d->mutex);
    const QString base = TSqlConnectionPoolV2Private::normalizeConnectionName(iCntName);
    QStringList targets;
    if (d->paramMap.contains(base)) {
        const QString prefix = base + QLatin1Char('/');
        for (auto it = d->ownerMap.constBegin(); it != d->ownerMap.constEnd(); ++it) {
            if (it.key().startsWith(prefix)) {
                targets.append(it.key());
            }
        }
    } else {
        targets.append(iCntName);
    }
    for (const QString &name : qAsConst(targets)) {
        QString databaseName;
        if (d->removeConnection(name, &databaseName)) {
            VEK_LOG(QStringLiteral("remove database %1 connection %2.").arg(databaseName, name), "debug", 5);
        }
    }
}

void TSqlConnectionPoolV2::setAutocloseTimeout(long iMs) { d->autocloseTimeout.store(iMs); }

long TSqlConnectionPoolV2::autocloseTimeout() const { return d->autocloseTimeout.load(); }
