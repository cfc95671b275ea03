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
    // A NUL ends the name at the system's door (the file made and the
    // argument passed would be a shorter name than the one checked); "."
    // names the folder itself.
    return !iName.isEmpty() && iName != QLatin1String(".") && !iName.contains(QLatin1Char('/'))
           && !iName.contains(QLatin1Char('\\')) && !iName.contains(QLatin1String("..")) && !iName.contains(QChar(0));
}

QString printableName(const QString &iName)
{
    QString text = iName;
    text.replace(QChar(0), QLatin1String("\\0"));
    return text;
}

QString shellQuote(const QString &iText)
{
    QString quoted = iText;
    quoted.replace(QLatin1Char('\''), QLatin1String("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

} // namespace VekPdtServerUtil
