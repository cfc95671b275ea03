#include "vektestsql.h"

#include "tlogger.h"
#include "tsqlconnectionpoolv2.h"
#include "tsqlqueryv2.h"

QVariantMap vekTestServerParams(const QString &iDriver, QString *oWhy)
{
    const QByteArray prefix = iDriver == QLatin1String("QMYSQL") ? "VEK_TEST_MYSQL_" : "VEK_TEST_PG_";
    const QByteArray host = qgetenv(prefix + "HOST");
    if (host.isEmpty()) {
        *oWhy = QStringLiteral("%1HOST is not set: run the tests through scripts/test.sh, which "
                               "starts the database servers")
                        .arg(QString::fromLatin1(prefix));
        return QVariantMap();
    }
    QVariantMap params;
    params.insert(QStringLiteral("database_type"), iDriver);
    params.insert(QStringLiteral("database_host"), QString::fromLocal8Bit(host + ':' + qgetenv(prefix + "PORT")));
    params.insert(QStringLiteral("database_name"), QString::fromLocal8Bit(qgetenv(prefix + "DATABASE")));
    params.insert(QStringLiteral("database_user"), QString::fromLocal8Bit(qgetenv(prefix + "USER")));
    params.insert(QStringLiteral("database_pwd"), QString::fromLocal8Bit(qgetenv(prefix + "PASSWORD")));
    return params;
}

QVariantMap vekTestParams(const QString &iDriver, const QString &iDir, QString *oWhy)
{
    if (iDriver == QLatin1String("QPSQL") || iDriver == QLatin1String("QMYSQL")) {
        return vekTestServerParams(iDriver, oWhy);
    }
    QVariantMap params;
    params.insert(QStringLiteral("database_type"), iDriver);
    params.insert(QStringLiteral("database_name"),
                  iDriver == QLatin1String("QSQLITE") ? iDir + QStringLiteral("/test.db") : QStringLiteral("mes"));
    return params;
}

std::unique_ptr<TSqlQueryV2> vekTestQuery(const QString &iDriver, const QString &iDir, QString *oWhy)
{
    const QVariantMap params = vekTestParams(iDriver, iDir, oWhy);
    if (params.isEmpty()) {
        return nullptr;
    }
    TSqlConnectionPoolV2::instance()->setConnectParameter(params, iDriver);
    return std::make_unique<TSqlQueryV2>(TSqlConnectionPoolV2::instance()->getSqlDatabase(iDriver));
}

VekLogCapture::VekLogCapture()
{
    mOldLevel = TLogger::instance()->debugLevel();
    TLogger::instance()->setDebugLevel(5);
    // Direct: the line is taken on the logging thread; the receiver must not log.
    connect(
            TLogger::instance(), &TLogger::logWrited, this,
            [this](const QString &iText, const QString &iType, const QString &, const QString &, const QString &) {
                QMutexLocker locker(&mMutex);
                mLines.append(qMakePair(iText, iType));
            },
            Qt::DirectConnection);
}

VekLogCapture::~VekLogCapture()
{
    disconnect(TLogger::instance(), nullptr, this, nullptr);
    TLogger::instance()->setDebugLevel(mOldLevel);
}

QStringList VekLogCapture::texts(const QString &iType) const
{
    QMutexLocker locker(&mMutex);
    QStringList result;
    for (const auto &line : mLines) {
        if (iType.isEmpty() || line.second.compare(iType, Qt::CaseInsensitive) == 0) {
            result.append(line.first);
        }
    }
    return result;
}

void VekLogCapture::clear()
{
    QMutexLocker locker(&mMutex);
    mLines.clear();
}
