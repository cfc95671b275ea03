#include "tfileio.h"
#include "tfileio_p.h"
#include "tdataparse.h"
#include "terror.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTextCodec>
#include <QTextStream>
#include <QUrl>

#include <atomic>

namespace {

const QString kStampFormat = QStringLiteral("yyyy-MM-dd hh:mm:ss");

void report(TError *iErr, const QString &iText, const QString &iType = QString())
{
    if (iErr)
        iErr->setError(iText, iType);
}

bool openOrReport(QFile *ioFile, QIODevice::OpenMode iMode, TError *iErr)
{
    if (ioFile->open(iMode))
        return true;
    report(iErr, QStringLiteral("open file %1 failed, error : %2").arg(ioFile->fileName(), ioFile->errorString()),
           QStringLiteral("Error"));
    return false;
}

// The one write path of every writer: a short write, a failed flush or a
// failed close is a failure, so that a truncated file is never taken for a
// good one.
bool writeBytes(const QByteArray &iData, const QString &iFilePath, TError *iErr)
{
    QFile file(iFilePath);
    if (!openOrReport(&file, QIODevice::WriteOnly, iErr))
        return false;
    bool ok = file.write(iData) == iData.size() && file.flush();
    if (ok) {
        file.close();
        ok = file.error() == QFileDevice::NoError;
    }
    if (!ok) {
        report(iErr, QStringLiteral("write file %1 failed, error : %2").arg(iFilePath, file.errorString()),
               QStringLiteral("Error"));
    }
    return ok;
}

QString stamp(const QDateTime &iTime) { return iTime.toLocalTime().toString(kStampFormat); }

QVariantList listDir(const QString &iDirPath, bool iRecursive, QSet<QString> *ioAncestors)
{
    QVariantList result;
    const QFileInfo dirInfo(iDirPath);
    if (!dirInfo.isDir())
        return result;
    // A folder already on the descent path (reached again through a link) is
    // listed but not entered: a link loop would otherwise never end.
    const QString canonical = dirInfo.canonicalFilePath();
    if (ioAncestors->contains(canonical))
        return result;
    ioAncestors->insert(canonical);

    const QFileInfoList entries = QDir(iDirPath).entryInfoList(QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot,
                                                               QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo &entry : entries) {
        QVariantMap item;
        item.insert(QStringLiteral("name"), entry.fileName());
        item.insert(QStringLiteral("lastModified"), stamp(entry.lastModified()));
        item.insert(QStringLiteral("lastRead"), stamp(entry.lastRead()));
        if (entry.isDir()) {
            item.insert(QStringLiteral("type"), QStringLiteral("dir"));
            if (iRecursive) {
                const QVariantList children = listDir(entry.absoluteFilePath(), true, ioAncestors);
                if (!children.isEmpty())
                    item.insert(QStringLiteral("CHILDREN"), children);
            }
        } else if (entry.isFile()) {
            item.insert(QStringLiteral("type"), QStringLiteral("file"));
        } else {
            item.insert(QStringLiteral("type"), QStringLiteral("unkonw"));
        }
        result.append(item);
    }
    ioAncestors->remove(canonical);
    return result;
}

QString notAFile(const QString &iPath)
{
    return QStringLiteral("File: %1 is not a file, or is not existed.").arg(iPath);
}

} // namespace

QString TFileIo::readFileString(const QString &iFilePath, const QString &iCodec, TError *iErr)
{
    QFile file(iFilePath);
    if (!openOrReport(&file, QIODevice::ReadOnly | QIODevice::Text, iErr))
        return QString();
    QTextStream stream(&file);
    if (QTextCodec *codec = QTextCodec::codecForName(iCodec.toLatin1()))
        stream.setCodec(codec);
    QString text = stream.readAll();
    file.close();
    // A UTF-8 byte-order mark that an earlier tool decoded as Latin-1 and
    // saved again as UTF-8.
    if (iCodec.toUpper() == QLatin1String("UTF-8") && text.startsWith(QString::fromUtf8("\xc3\xaf\xc2\xbb\xc2\xbf")))
        text.remove(0, 3);
    // An empty file is an empty text, not a failure.
    if (text.isNull())
        text = QLatin1String("");
    return text;
}

QByteArray TFileIo::readFileByteArray(const QString &iFilePath, TError *iErr)
{
    QFile file(iFilePath);
    if (!openOrReport(&file, QIODevice::ReadOnly, iErr))
        return QByteArray();
    return file.readAll();
}

QByteArray TFileIo::readFileBase64(const QString &iFilePath, int iLevel, TError *iErr)
{
    QFile file(iFilePath);
    if (!openOrReport(&file, QIODevice::ReadOnly, iErr))
        return QByteArray();
    const QByteArray bytes = file.readAll();
    return (iLevel == 0 ? bytes : qCompress(bytes, iLevel)).toBase64();
}

bool TFileIo::writeFileString(const QString &iText, const QString &iFilePath, const QString &iCodec, bool iBom,
                              TError *iErr)
{
    QTextCodec *codec = QTextCodec::codecForName(iCodec.toLatin1());
    if (!codec)
        codec = QTextCodec::codecForLocale();
    QTextCodec::ConverterState state(iBom ? QTextCodec::DefaultConversion : QTextCodec::IgnoreHeader);
    return writeBytes(codec->fromUnicode(iText.constData(), iText.size(), &state), iFilePath, iErr);
}

bool TFileIo::writeFileByteArray(const QByteArray &iData, const QString &iFilePath, TError *iErr)
{
    return writeBytes(iData, iFilePath, iErr);
}

bool TFileIo::writeFileBase64(const QByteArray &iData, const QString &iFilePath, TError *iErr)
{
    const QByteArray packed = QByteArray::fromBase64(iData);
    // Four zero bytes are the compressed form of an empty file; anything else
    // that expands to nothing is not compressed content.
    static const QByteArray emptyPacked(4, '\0');
    const QByteArray bytes = packed == emptyPacked ? QByteArray() : qUncompress(packed);
    if (bytes.isEmpty() && packed != emptyPacked) {
        report(iErr,
               QStringLiteral("write file %1 failed, error : %2")
                       .arg(iFilePath, QStringLiteral("the data is not compressed Base64 content")),
               QStringLiteral("Error"));
        return false;
    }
    return writeBytes(bytes, iFilePath, iErr);
}

bool TFileIo::copyFile(const QString &iSrcPath, const QString &iDestPath, TError *iErr)
{
    if (QFile::copy(iSrcPath, iDestPath))
        return true;
    report(iErr, QStringLiteral("copy %1 to %2 failed.").arg(iSrcPath, iDestPath));
    return false;
}

bool TFileIo::deleteFile(const QString &iFilePath, TError *iErr)
{
    if (!QFileInfo(iFilePath).isFile()) {
        report(iErr, notAFile(iFilePath));
        return false;
    }
    if (QFile::remove(iFilePath))
        return true;
    report(iErr, QStringLiteral("File: %1 can not be removed.").arg(iFilePath));
    return false;
}

bool TFileIo::makePath(const QString &iDirPath, TError *iErr)
{
    if (QDir(iDirPath).exists() || QDir().mkpath(iDirPath))
        return true;
    report(iErr, QStringLiteral("Create Dir %1 failed").arg(iDirPath), QStringLiteral("Error"));
    return false;
}

namespace {
std::atomic<TFileIoPrivate::UrlOpener> gUrlOpener {nullptr};
} // namespace

void TFileIoPrivate::setUrlOpener(UrlOpener iOpener) { gUrlOpener.store(iOpener); }

TFileIoPrivate::UrlOpener TFileIoPrivate::urlOpener() { return gUrlOpener.load(); }

bool TFileIo::openFile(const QString &iFilePath, TError *iErr)
{
    // The desktop services need a GUI application, and a missing file would
    // only fail later in another process, unseen.
    const QCoreApplication *app = QCoreApplication::instance();
    const TFileIoPrivate::UrlOpener opener = TFileIoPrivate::urlOpener();
    const bool ok = opener && app && app->inherits("QGuiApplication") && QFileInfo::exists(iFilePath)
                    && opener(QUrl::fromLocalFile(iFilePath));
    if (!ok)
        report(iErr, QStringLiteral("open %1 failed, maybe it does not existed.").arg(iFilePath));
    return ok;
}

bool TFileIo::isDir(const QString &iPath, const QVariantMap &iOptions, TError *iErr)
{
    Q_UNUSED(iOptions)
    Q_UNUSED(iErr)
    return QFileInfo(iPath).isDir();
}

bool TFileIo::isFileExist(const QString &iPath, const QVariantMap &iOptions, TError *iErr)
{
    Q_UNUSED(iOptions)
    Q_UNUSED(iErr)
    return QFileInfo::exists(iPath);
}

QVariantMap TFileIo::getFileInfo(const QString &iFilePath, const QVariantMap &iOptions, TError *iErr)
{
    Q_UNUSED(iOptions)
    const QFileInfo info(iFilePath);
    if (!info.isFile()) {
        report(iErr, notAFile(iFilePath));
        return QVariantMap();
    }
    // Not every file system keeps a birth time; the status change time is the
    // closest it has.
    const QDateTime created = info.birthTime().isValid() ? info.birthTime() : info.metadataChangeTime();
    return QVariantMap {
            {QStringLiteral("name"), info.fileName()},
            {QStringLiteral("created"), stamp(created)},
            {QStringLiteral("lastModified"), stamp(info.lastModified())},
            {QStringLiteral("lastRead"), stamp(info.lastRead())},
            {QStringLiteral("absolutePath"), info.absolutePath()},
            {QStringLiteral("baseName"), info.baseName()},
            {QStringLiteral("completeBaseName"), info.completeBaseName()},
            {QStringLiteral("suffix"), info.suffix()},
            {QStringLiteral("completeSuffix"), info.completeSuffix()},
    };
}

QVariantList TFileIo::getDirInfoList(const QString &iDirPath, bool iRecursive, const QVariantMap &iOptions,
                                     TError *iErr)
{
    Q_UNUSED(iOptions)
    Q_UNUSED(iErr)
    QSet<QString> ancestors;
    return listDir(iDirPath, iRecursive, &ancestors);
}

QString TFileIo::getFileMd5(const QString &iFilePath, TError *iErr)
{
    QFile file(iFilePath);
    if (!openOrReport(&file, QIODevice::ReadOnly, iErr))
        return QString();
    QCryptographicHash hash(QCryptographicHash::Md5);
    hash.addData(&file);
    return QString::fromLatin1(hash.result().toHex());
}

QString TFileIo::createUuid() { return TDataParse::getUuid(); }
