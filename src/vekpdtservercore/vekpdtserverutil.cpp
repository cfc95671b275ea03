#include "vekpdtserverutil_p.h"

#include <QFile>

namespace VekPdtServerUtil {

bool prepareFile(const QString &iPath, QFileDevice::Permissions iPermissions, QString *oReason)
{
    QFile file(iPath);
    // Permissions first, on the empty file: the content comes afterwards.
    const bool ok = file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.setPermissions(iPermissions);
    if (!ok && oReason)
        *oReason = file.errorString();
    return ok;
}

bool isSafePathPart(const QString &iName)
{
    return !iName.isEmpty() && !iName.contains(QLatin1Char('/')) && !iName.contains(QLatin1Char('\\'))
           && !iName.contains(QLatin1String(".."));
}

QString shellQuote(const QString &iText)
{
    QString quoted = iText;
    quoted.replace(QLatin1Char('\''), QLatin1String("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

} // namespace VekPdtServerUtil
