#include "vekpdtserverutil_p.h"

#include <QDir>
#include <QFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace VekPdtServerUtil {

bool writePrivateFile(const QString &iPath, const QByteArray &iData, int iMode, QString *oReason)
{
#ifdef Q_OS_UNIX
    const QByteArray path = QFile::encodeName(iPath);
    auto fail = [&](int iError) {
        if (oReason)
            *oReason = qt_error_string(iError);
        return false;
    };
    if (::unlink(path.constData()) != 0 && errno != ENOENT)
        return fail(errno);
    int fd = -1;
    do {
        fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode_t(iMode));
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return fail(errno);
    // The mask may have taken bits away (a launch file must stay runnable);
    // it never adds any, so the file was private from its first moment.
    int error = ::fchmod(fd, mode_t(iMode)) == 0 ? 0 : errno;
    const char *data = iData.constData();
    qint64 left = iData.size();
    while (error == 0 && left > 0) {
        const ssize_t written = ::write(fd, data, size_t(left));
        if (written < 0) {
            if (errno != EINTR)
                error = errno;
            continue;
        }
        data += written;
        left -= written;
    }
    if (::close(fd) != 0 && error == 0 && errno != EINTR)
        error = errno;
    if (error != 0) {
        ::unlink(path.constData());
        return fail(error);
    }
    return true;
#else
    QFile::remove(iPath);
    QFile file(iPath);
    QFileDevice::Permissions permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    if (iMode & 0100)
        permissions |= QFileDevice::ExeOwner;
    const bool ok = file.open(QIODevice::WriteOnly) && file.setPermissions(permissions)
                    && file.write(iData) == iData.size() && file.flush();
    if (!ok) {
        if (oReason)
            *oReason = file.errorString();
        file.close();
        file.remove();
    }
    return ok;
#endif
}

bool makePrivateDir(const QString &iPath, QString *oReason)
{
    if (!QDir().mkpath(iPath)) {
        if (oReason)
            *oReason = QStringLiteral("cannot create the folder");
        return false;
    }
#ifdef Q_OS_UNIX
    if (::chmod(QFile::encodeName(iPath).constData(), 0700) != 0) {
        if (oReason)
            *oReason = qt_error_string(errno);
        return false;
    }
#endif
    return true;
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
