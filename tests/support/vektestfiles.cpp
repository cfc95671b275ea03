#include "vektestfiles.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

namespace VekTest {

QByteArray readFile(const QString &iPath)
{
    QFile file(iPath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &iPath, const QByteArray &iContent, bool iExecutable)
{
    if (!QDir().mkpath(QFileInfo(iPath).absolutePath()))
        return false;
    QFile file(iPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(iContent) != iContent.size())
        return false;
    file.close();
    return !iExecutable || file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
}

QString md5Of(const QByteArray &iBytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(iBytes, QCryptographicHash::Md5).toHex());
}

QVariantMap readJson(const QString &iPath) { return QJsonDocument::fromJson(readFile(iPath)).object().toVariantMap(); }

bool TempRoot::mkpath(const QString &iRelative) const { return QDir().mkpath(path(iRelative)); }

} // namespace VekTest
