#include "thttputil.h"
#include "thttputil_p.h"
#include "thttpwire_p.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>

#include <memory>

THttpUtil::THttpUtil(QObject *iParent)
    : QObject(iParent)
    , d_ptr(new THttpUtilPrivate(this))
{}

THttpUtil::THttpUtil(const THttpUtil &iOther)
    : QObject(iOther.parent())
    , d_ptr(new THttpUtilPrivate(this))
{
    d_ptr->copyFields(*iOther.d_ptr);
}

THttpUtil &THttpUtil::operator=(const THttpUtil &iOther)
{
    if (&iOther != this)
        d_ptr->copyFields(*iOther.d_ptr);
    return *this;
}

THttpUtil::~THttpUtil() { delete d_ptr; }

THttpUtil &THttpUtil::setUrl(const QString &iUrl)
{
    Q_D(THttpUtil);
    d->url = iUrl;
    return *this;
}
QString THttpUtil::url() const
{
    Q_D(const THttpUtil);
    return d->url;
}

THttpUtil &THttpUtil::addHeader(const QString &iName, const QString &iValue)
{
    Q_D(THttpUtil);
    d->headers.insert(iName, iValue);
    return *this;
}

THttpUtil &THttpUtil::removeHeader(const QString &iName)
{
    Q_D(THttpUtil);
    d->headers.remove(iName);
    return *this;
}
THttpUtil &THttpUtil::clearHeader()
{
    Q_D(THttpUtil);
    d->headers.clear();
    return *this;
}
QString THttpUtil::header(const QString &iName) const
{
    Q_D(const THttpUtil);
    return d->headers.value(iName).toString();
}
QVariantMap THttpUtil::headers() const
{
    Q_D(const THttpUtil);
    return d->headers;
}

THttpRequest THttpUtil::httpRequest(const QString &iPath, const QVariantMap &iBodyParams) const
{
    Q_D(const THttpUtil);
    THttpRequest request;
    request.setUrl(d->url).setHeaders(d->headers).setPath(iPath).setBodyParam(iBodyParams);
    return request;
}

THttpRequest THttpUtilPrivate::uploadRequest(const QString &iServerDir, const QString &iMd5) const
{
    THttpRequest request;
    request.setUrl(url)
            .setPath(QStringLiteral("/system/uploadFile"))
            .addHeader(QStringLiteral("Content-Type"), QStringLiteral("application/octet-stream"))
            .addQueryParam(QStringLiteral("dir"), iServerDir)
            .addQueryParam(QStringLiteral("md5"), iMd5);
    return request;
}

THttpReply THttpUtil::downloadFile(const QString &iServerDir, const QString &iMd5, const QString &iLocalFile)
{
    Q_D(THttpUtil);
    THttpRequest request;
    request.setUrl(d->url)
            .setPath(QStringLiteral("/system/downloadFile"))
            .addQueryParam(QStringLiteral("dir"), iServerDir)
            .addQueryParam(QStringLiteral("md5"), iMd5)
            .addQueryParam(QStringLiteral("filename"), QFileInfo(iLocalFile).fileName());

    QNetworkAccessManager manager;
    std::unique_ptr<QNetworkReply> reply(manager.get(request.buildRequest()));
    reply->setReadBufferSize(THttpWire::kReadBufferSize);

    TDownloadSink sink;
    if (!sink.open(iLocalFile)) {
        reply->abort();
        if (sink.targetExists())
            return THttpReply(QNetworkReply::ContentAccessDenied,
                              QStringLiteral("file %1 alrealy exists and can not be replaced!").arg(iLocalFile));
        return THttpReply(QNetworkReply::ContentAccessDenied,
                          QStringLiteral("can not write file %1 !").arg(iLocalFile));
    }

    bool writeFailed = false;
    THttpWire::waitForReply(
            reply.get(),
            [&]() {
                if (!writeFailed && !sink.write(reply->readAll())) {
                    writeFailed = true;
                    reply->abort();
                }
            },
            QEventLoop::ExcludeUserInputEvents);

    if (writeFailed)
        return THttpReply(QNetworkReply::ContentAccessDenied,
                          QStringLiteral("can not write file %1 !").arg(iLocalFile));
    if (reply->error() != QNetworkReply::NoError)
        return THttpReply(reply->error(), reply->errorString());
    if (!sink.commit()) {
        return THttpReply(QNetworkReply::ContentAccessDenied,
                          QStringLiteral("file %1 alrealy exists and can not be replaced!").arg(iLocalFile));
    }
    return THttpReply();
}

THttpReply THttpUtil::uploadFile(const QString &iLocalFile, const QString &iServerDir)
{
    Q_D(THttpUtil);
    QFile file(iLocalFile);
    if (!file.open(QIODevice::ReadOnly)) {
        return THttpReply(QNetworkReply::ContentNotFoundError,
                          QStringLiteral("open file %1 failed, error : %2").arg(iLocalFile, file.errorString()));
    }
    // Hashed and then streamed from disk, so a large file is never held in memory whole.
    QCryptographicHash hash(QCryptographicHash::Md5);
    if (!hash.addData(&file) || !file.seek(0)) {
        return THttpReply(QNetworkReply::ContentNotFoundError,
                          QStringLiteral("open file %1 failed, error : %2").arg(iLocalFile, file.errorString()));
    }
    const THttpRequest request = d->uploadRequest(iServerDir, QString::fromLatin1(hash.result().toHex()));
    QNetworkAccessManager manager;
    std::unique_ptr<QNetworkReply> reply(manager.post(request.buildRequest(), &file));
    return THttpRequest::getReplyData(reply.get());
}

THttpReply THttpUtil::uploadByteArray(const QByteArray &iBytes, const QString &iServerDir)
{
    Q_D(THttpUtil);
    const QString md5 = QString::fromLatin1(QCryptographicHash::hash(iBytes, QCryptographicHash::Md5).toHex());
    const THttpRequest request = d->uploadRequest(iServerDir, md5);
    QNetworkAccessManager manager;
    std::unique_ptr<QNetworkReply> reply(manager.post(request.buildRequest(), iBytes));
    return THttpRequest::getReplyData(reply.get());
}
