#include "vektestservers.h"

namespace VekTest {

bool serverParams(const QString &iDriver, ServerParams *oParams, QString *oWhy)
{
    const QString prefix
            = iDriver == QLatin1String("QMYSQL") ? QStringLiteral("VEK_TEST_MYSQL_") : QStringLiteral("VEK_TEST_PG_");
    const auto value
            = [&prefix](const char *iName) { return qEnvironmentVariable(qPrintable(prefix + QLatin1String(iName))); };
    const QString host = value("HOST");
    const QString port = value("PORT");
    if (host.isEmpty() || port.isEmpty()) {
        *oWhy = QStringLiteral("%1HOST/PORT are not set: run the tests through scripts/test.sh, which "
                               "starts the database servers")
                        .arg(prefix);
        return false;
    }
    oParams->host = host;
    oParams->port = port.toInt();
    oParams->user = value("USER");
    oParams->password = value("PASSWORD");
    oParams->database = value("DATABASE");
    return true;
}

} // namespace VekTest
