#include "vektestsql.h"

#include "tsqlconnectionpoolv2.h"
#include "tsqlqueryv2.h"
#include "vektestservers.h"

QVariantMap vekTestServerParams(const QString &iDriver, QString *oWhy)
{
    VekTest::ServerParams server;
    if (!VekTest::serverParams(iDriver, &server, oWhy)) {
        return QVariantMap();
    }
    QVariantMap params;
    params.insert(QStringLiteral("database_type"), iDriver);
    params.insert(QStringLiteral("database_host"),
                  QString(server.host + QLatin1Char(':') + QString::number(server.port)));
    params.insert(QStringLiteral("database_name"), server.database);
    params.insert(QStringLiteral("database_user"), server.user);
    params.insert(QStringLiteral("database_pwd"), server.password);
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
