#include "vekpdtserverutil_p.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <cstdio>
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

QVariantMap readJsonFile(const QString &iPath)
{
    QFile file(iPath);
    if (!file.open(QIODevice::ReadOnly))
        return QVariantMap();
    return QJsonDocument::fromJson(file.readAll()).object().toVariantMap();
}

bool replaceJsonFile(const QString &iPath, const QVariantMap &iMap, QString *oReason)
{
    const QString next = iPath + QStringLiteral(".new");
    if (!writePrivateFile(next, QJsonDocument(QJsonObject::fromVariantMap(iMap)).toJson(QJsonDocument::Compact),
                          privateFile, oReason))
        return false;
#ifdef Q_OS_UNIX
    if (::rename(QFile::encodeName(next).constData(), QFile::encodeName(iPath).constData()) != 0) {
        if (oReason)
            *oReason = qt_error_string(errno);
        QFile::remove(next);
        return false;
    }
    return true;
#else
    QFile::remove(iPath);
    if (!QFile::rename(next, iPath)) {
        if (oReason)
            *oReason = QStringLiteral("cannot rename %1").arg(next);
        return false;
    }
    return true;
#endif
}

namespace {

// The state letter and the start time from /proc/PID/stat; false when the
// process does not exist.
bool readProcStat(qint64 iPid, char *oState, qint64 *oStartTime)
{
#ifdef Q_OS_LINUX
    if (iPid <= 0)
        return false;
    QFile stat(QStringLiteral("/proc/%1/stat").arg(iPid));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray text = stat.readAll();
    // The program name in parentheses may hold blanks and parentheses itself.
    const int close = text.lastIndexOf(')');
    if (close < 0)
        return false;
    const QList<QByteArray> fields = text.mid(close + 2).split(' ');
    // After the name: state is field 3, start time field 22 of the whole line.
    if (fields.size() < 20 || fields.at(0).isEmpty())
        return false;
    *oState = fields.at(0).at(0);
    *oStartTime = fields.at(19).toLongLong();
    return true;
#else
    Q_UNUSED(iPid)
    Q_UNUSED(oState)
    Q_UNUSED(oStartTime)
    return false;
#endif
}

} // namespace

qint64 processStartTime(qint64 iPid)
{
    char state = 0;
    qint64 start = 0;
    return readProcStat(iPid, &state, &start) ? start : 0;
}

bool isSameProcessAlive(qint64 iPid, qint64 iStartTime)
{
    char state = 0;
    qint64 start = 0;
    return readProcStat(iPid, &state, &start) && start == iStartTime && state != 'Z' && state != 'X';
}

bool isGroupAlive(qint64 iGroup)
{
#ifdef Q_OS_LINUX
    if (iGroup <= 0 || ::kill(-pid_t(iGroup), 0) != 0)
        return false;
    // kill() counts zombies, which nobody may ever reap here: look closer.
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        bool isPid = false;
        const qint64 pid = entry.toLongLong(&isPid);
        if (!isPid)
            continue;
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray text = stat.readAll();
        const int close = text.lastIndexOf(')');
        const QList<QByteArray> fields = text.mid(close + 2).split(' ');
        // State, parent, process group.
        if (close > 0 && fields.size() > 2 && fields.at(2).toLongLong() == iGroup && !fields.at(0).startsWith('Z')
            && !fields.at(0).startsWith('X'))
            return true;
    }
    return false;
#elif defined(Q_OS_UNIX)
    return iGroup > 0 && ::kill(-pid_t(iGroup), 0) == 0;
#else
    Q_UNUSED(iGroup)
    return false;
#endif
}

bool isSafePathPart(const QString &iName)
{
    // A NUL ends the name at the system's door (the file made and the
    // argument passed would be a shorter name than the one checked); "."
    // names the folder itself.
    return !iName.isEmpty() && iName != QLatin1String(".") && !iName.contains(QLatin1Char('/'))
           && !iName.contains(QLatin1Char('\\')) && !iName.contains(QLatin1String("..")) && !iName.contains(QChar(0));
}

bool isHostileInLogLine(ushort iChar)
{
    return iChar < 0x20 || (iChar >= 0x7f && iChar <= 0x9f) || iChar == 0x061c || iChar == 0x200e || iChar == 0x200f
           || (iChar >= 0x2028 && iChar <= 0x202e) || (iChar >= 0x2066 && iChar <= 0x2069);
}

QString printableName(const QString &iName)
{
    // A name from the database must neither make lines of its own in the
    // log nor reorder the line that names it; its characters stay
    // recognisable, so that the row can be found and mended.
    QString text;
    text.reserve(iName.size());
    for (const QChar c : iName) {
        if (c.unicode() == 0)
            text += QLatin1String("\\0");
        else if (isHostileInLogLine(c.unicode()))
            text += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
            text += c;
    }
    return text;
}

QString shellQuote(const QString &iText)
{
    QString quoted = iText;
    quoted.replace(QLatin1Char('\''), QLatin1String("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

} // namespace VekPdtServerUtil
