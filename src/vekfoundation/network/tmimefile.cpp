#include "tmimefile.h"
#include "tmimefile_p.h"

#include <QFile>
#include <QFileInfo>

TMimeFile::TMimeFile(const QString &iFilePath, QObject *iParent)
    : TMimeFile(*new TMimeFilePrivate(this), iFilePath, iParent)
{}

TMimeFile::TMimeFile(TMimeFilePrivate &iPrivate, const QString &iFilePath, QObject *iParent)
    : TMimePart(iPrivate, iParent)
{
    Q_D(TMimeFile);
    d->fileName = iFilePath;
    d->contentType = QStringLiteral("application/octet-stream");
    d->contentName = QFileInfo(iFilePath).fileName();
    d->encoding = EncodingBase64;
}

TMimeFile::~TMimeFile() = default;

void TMimeFile::setFileName(const QString &iFilePath)
{
    Q_D(TMimeFile);
    d->fileName = iFilePath;
}
QString TMimeFile::fileName() const
{
    Q_D(const TMimeFile);
    return d->fileName;
}

void TMimeFile::prepare()
{
    Q_D(TMimeFile);
    QFile file(d->fileName);
    d->content = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    TMimePart::prepare();
}

void TMimeFile::addDispositionLine(const QString &iLine)
{
    Q_D(TMimeFile);
    const QString line = iLine + QLatin1String("\r\n");
    if (!d->header.contains(line))
        d->header += line;
}
