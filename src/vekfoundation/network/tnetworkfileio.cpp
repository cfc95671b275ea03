#include "tnetworkfileio.h"
#include "tdataparse.h"
#include "terror.h"
#include "tfileio.h"
#include "tlogger.h"
#include "tnetworkfileio_p.h"

#include <QEventLoop>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkRequest>

void TNetworkFileIoPrivate::endStep()
{
    Q_Q(TNetworkFileIo);
    if (stepDone)
        return;
    stepDone = true;
    Q_EMIT q->eventloopStoped();
}

void TNetworkFileIoPrivate::runStep()
{
    Q_Q(TNetworkFileIo);
    QEventLoop loop;
    QObject::connect(q, &TNetworkFileIo::eventloopStoped, &loop, &QEventLoop::quit);
    // A step that ended before the loop runs would leave the loop waiting for ever.
    if (!stepDone)
        loop.exec();
}

QUrl TNetworkFileIoPrivate::serviceUrl(const QString &iPath, const THttpWire::QueryItems &iQuery) const
{
    QUrl url(server + iPath, QUrl::TolerantMode);
    THttpWire::setQuery(url, iQuery);
    return url;
}

void TNetworkFileIoPrivate::resetTransfer()
{
    files.clear();
    current = TNetworkFileRecord();
    failures.clear();
    queryError.clear();
    fileNumber = 0;
    fileCount = 0;
    stopped = false;
}

void TNetworkFileIoPrivate::failCurrent(const QString &iText)
{
    if (current.index == -1)
        return;
    current.index = -1;
    failures.append(QStringLiteral("[%1] %2").arg(current.name, iText));
}

bool TNetworkFileIoPrivate::isCurrent(QNetworkReply *iReply) const
{
    return iReply && (iReply == downloadReply || iReply == uploadReply);
}

TNetworkFileIo::TNetworkFileIo(QObject *iParent)
    : QObject(iParent)
    , d(new TNetworkFileIoPrivate(this))
{}

TNetworkFileIo::~TNetworkFileIo()
{
    // Replies still running go with their managers; their last notices must
    // not reach an object that is being destroyed.
    for (QNetworkAccessManager *manager :
         findChildren<QNetworkAccessManager *>(QString(), Qt::FindDirectChildrenOnly)) {
        manager->disconnect(this);
        for (QNetworkReply *reply : manager->findChildren<QNetworkReply *>())
            reply->disconnect(this);
        delete manager;
    }
    d->sink.reset();
}

void TNetworkFileIo::setConnectParameter(const QVariant &iServer, TError *oErr)
{
    Q_UNUSED(oErr)
    const QString server = iServer.toString();
    if (server.isEmpty())
        return;
    d->server = server;
    d->manager = new QNetworkAccessManager(this);
    connect(d->manager, &QNetworkAccessManager::finished, this, &TNetworkFileIo::onFinished);
    connect(d->manager, &QNetworkAccessManager::sslErrors, this, &TNetworkFileIo::onSslErrors);
}

void TNetworkFileIo::setServerDir(const QString &iDir)
{
    d->serverDir = iDir;
    d->uploadDir = iDir;
}

QStringList TNetworkFileIo::downloadFiles(const QVariantMap &iFileMap, const QString &iLocalDir, TError *oErr)
{
    if (iFileMap.isEmpty()) {
        if (oErr)
            oErr->setError(QStringLiteral("File info is invalid!"));
        return QStringList();
    }
    if (!d->manager) {
        if (oErr)
            oErr->setError(QStringLiteral("File server is not set!"), QStringLiteral("Error"));
        return QStringList();
    }

    d->resetTransfer();
    d->localDir = iLocalDir;
    d->queryDir = d->serverDir;
    int index = 0;
    for (auto it = iFileMap.cbegin(); it != iFileMap.cend(); ++it) {
        TNetworkFileRecord record;
        record.name = it.key();
        record.md5 = it.value().toString();
        record.index = index++;
        d->files.append(record);
    }

    localMd5Check();
    serverMd5Check();
    d->runStep();
    if (d->stopped)
        return QStringList();

    QStringList result;
    if (!d->queryError.isEmpty()) {
        // Without the service's answer only the copies already in step are known to be good.
        for (const TNetworkFileRecord &record : qAsConst(d->files)) {
            if (record.upToDate)
                result.append(d->localDir + record.name);
        }
        if (oErr)
            oErr->setError(d->queryError, QStringLiteral("Error"));
        return result;
    }

    for (const TNetworkFileRecord &record : qAsConst(d->files)) {
        if (record.onServer && !record.upToDate)
            ++d->fileCount;
    }
    for (const TNetworkFileRecord &record : qAsConst(d->files)) {
        d->current = record;
        if (record.onServer && !record.upToDate) {
            ++d->fileNumber;
            downloadFile(record.name, record.md5);
            d->runStep();
            if (d->stopped)
                return result;
        }
        if (d->current.index != -1)
            result.append(d->localDir + record.name);
    }
    if (!d->failures.isEmpty() && oErr)
        oErr->setError(QStringLiteral("download failed: %1").arg(d->failures.join(QStringLiteral("; "))),
                       QStringLiteral("Error"));
    return result;
}

QStringList TNetworkFileIo::uploadFiles(const QStringList &iFileList, const QString &iDir, TError *oErr)
{
    if (!iDir.isEmpty())
        d->uploadDir = iDir;
    if (!d->manager) {
        if (oErr)
            oErr->setError(QStringLiteral("File server is not set!"), QStringLiteral("Error"));
        return iFileList;
    }

    d->resetTransfer();
    d->uploadResult.clear();
    d->queryDir = d->uploadDir;
    for (int i = 0; i < iFileList.size(); ++i) {
        TNetworkFileRecord record;
        record.name = iFileList.at(i);
        record.md5 = TFileIo::getFileMd5(record.name);
        record.index = i;
        d->files.append(record);
    }

    serverMd5Check();
    d->runStep();
    if (d->stopped)
        return d->uploadResult;

    for (const TNetworkFileRecord &record : qAsConst(d->files)) {
        if (!record.onServer)
            ++d->fileCount;
    }
    for (const TNetworkFileRecord &record : qAsConst(d->files)) {
        if (record.onServer)
            continue;
        ++d->fileNumber;
        d->current = record;
        uploadFile(record.name, record.md5);
        if (d->uploadStarted)
            d->runStep();
        if (d->current.index == -1)
            d->uploadResult.append(record.name);
        if (d->stopped)
            break;
    }

    if (oErr) {
        QStringList texts;
        if (!d->queryError.isEmpty())
            texts.append(d->queryError);
        if (!d->failures.isEmpty())
            texts.append(QStringLiteral("upload failed: %1").arg(d->failures.join(QStringLiteral("; "))));
        if (!d->uploadResult.isEmpty() || !d->queryError.isEmpty())
            oErr->setError(texts.join(QStringLiteral("; ")), QStringLiteral("Error"));
    }
    return d->uploadResult;
}

void TNetworkFileIo::stop()
{
    d->stopped = true;
    // Aborting finishes the reply at once; its notice discards a partial download.
    for (QNetworkReply *reply : {d->queryReply.data(), d->downloadReply.data(), d->uploadReply.data()}) {
        if (reply && reply->isRunning())
            reply->abort();
    }
    d->endStep();
}

void TNetworkFileIo::localMd5Check()
{
    for (TNetworkFileRecord &record : d->files)
        record.upToDate = TFileIo::getFileMd5(d->localDir + record.name) == record.md5;
}

void TNetworkFileIo::serverMd5Check()
{
    d->phase = TNetworkFileIoPrivate::Checking;
    QStringList digests;
    for (const TNetworkFileRecord &record : qAsConst(d->files)) {
        if (!record.upToDate)
            digests.append(record.md5);
    }
    QJsonObject body;
    body.insert(QStringLiteral("dir"), d->queryDir);
    body.insert(QStringLiteral("md5"), QJsonArray::fromStringList(digests));

    const QUrl url = d->serviceUrl(QStringLiteral("/system/getFileExists"), {});
    VEK_LOG(url.toString(), "debug", 5);
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/json;charset=utf8"));
    d->beginStep();
    d->queryReply = d->manager->post(request, QJsonDocument(body).toJson(QJsonDocument::Compact));
}

void TNetworkFileIo::onFinished(QNetworkReply *iReply)
{
    // Transfers end in onDownFinished; a query that was stopped has already ended its step.
    if (!iReply || iReply != d->queryReply)
        return;
    d->queryReply = nullptr;
    iReply->deleteLater();

    if (iReply->error() != QNetworkReply::NoError) {
        VEK_LOG(iReply->errorString(), "error", 0);
        d->queryError = QStringLiteral("check files on server failed: %1").arg(iReply->errorString());
    } else if (d->phase == TNetworkFileIoPrivate::Checking) {
        const QVariant answer = TDataParse::jsonStr2Variant(QString::fromUtf8(iReply->readAll()));
        const QVariant data = answer.toMap().value(QStringLiteral("data"));
        if (answer.type() != QVariant::Map || data.type() != QVariant::Map) {
            d->queryError = QStringLiteral("check files on server failed: unexpected answer");
        } else {
            const QVariantMap present = data.toMap();
            // Every record with a digest the service holds is marked, not only the first.
            for (TNetworkFileRecord &record : d->files) {
                auto it = present.constFind(record.md5);
                if (it != present.cend())
                    record.onServer = it.value().toBool();
            }
        }
    }
    d->endStep();
}

void TNetworkFileIo::downloadFile(const QString &iName, const QString &iMd5)
{
    d->phase = TNetworkFileIoPrivate::Downloading;
    const QUrl url = d->serviceUrl(QStringLiteral("/system/downloadFile"), {{QStringLiteral("dir"), d->serverDir},
                                                                            {QStringLiteral("md5"), iMd5},
                                                                            {QStringLiteral("filename"), iName}});
    VEK_LOG(url.toString(), "debug", 5);

    d->sink.reset(new TDownloadSink);
    if (!d->sink->open(d->localDir + iName)) {
        d->failCurrent(QStringLiteral("can not write file %1 ! %2").arg(d->localDir + iName, d->sink->errorString()));
        d->sink.reset();
        return;
    }

    QNetworkReply *reply = d->manager->get(QNetworkRequest(url));
    reply->setReadBufferSize(THttpWire::kReadBufferSize);
    d->downloadReply = reply;
    d->beginStep();
    connect(reply, &QNetworkReply::downloadProgress, this, &TNetworkFileIo::onProcess);
    connect(reply, &QNetworkReply::readyRead, this, &TNetworkFileIo::onReadyRead);
    connect(reply, &QNetworkReply::finished, this, &TNetworkFileIo::onDownFinished);
    connect(reply, &QNetworkReply::errorOccurred, this, &TNetworkFileIo::onReplyError);
}

void TNetworkFileIo::uploadFile(const QString &iPath, const QString &iMd5)
{
    d->phase = TNetworkFileIoPrivate::Uploading;
    const QUrl url = d->serviceUrl(QStringLiteral("/system/uploadFile"),
                                   {{QStringLiteral("dir"), d->uploadDir}, {QStringLiteral("md5"), iMd5}});
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/octet-stream"));
    VEK_LOG(url.toString(), "debug", 5);

    auto *file = new QFile(iPath);
    if (!file->open(QIODevice::ReadOnly)) {
        d->uploadStarted = false;
        VEK_LOG(QStringLiteral("Upload:File open falied!"), "debug", 5);
        d->failCurrent(QStringLiteral("open file %1 failed, error : %2").arg(iPath, file->errorString()));
        delete file;
        return;
    }
    d->uploadStarted = true;
    // Streamed from disk; the file lives as long as the reply that reads it.
    QNetworkReply *reply = d->manager->post(request, file);
    file->setParent(reply);
    d->uploadReply = reply;
    d->beginStep();
    connect(reply, &QNetworkReply::errorOccurred, this, &TNetworkFileIo::onReplyError);
    connect(reply, &QNetworkReply::uploadProgress, this, &TNetworkFileIo::onProcess);
    connect(reply, &QNetworkReply::finished, this, &TNetworkFileIo::onDownFinished);
}

void TNetworkFileIo::onReadyRead()
{
    auto *reply = qobject_cast<QNetworkReply *>(sender());
    if (!reply || reply != d->downloadReply || !d->sink)
        return;
    if (!d->sink->write(reply->readAll())) {
        d->failCurrent(QStringLiteral("can not write file %1 ! %2").arg(d->sink->path(), d->sink->errorString()));
        reply->abort();
    }
}

void TNetworkFileIo::onDownFinished()
{
    auto *reply = qobject_cast<QNetworkReply *>(sender());
    if (!d->isCurrent(reply))
        return;

    if (reply == d->downloadReply) {
        d->downloadReply = nullptr;
        if (d->sink && d->current.index != -1 && !d->sink->write(reply->readAll()))
            d->failCurrent(QStringLiteral("can not write file %1 ! %2").arg(d->sink->path(), d->sink->errorString()));
        if (d->current.index != -1) {
            if (reply->error() != QNetworkReply::NoError)
                d->failCurrent(reply->errorString());
            else if (d->stopped)
                d->failCurrent(QStringLiteral("stopped"));
            else if (d->sink->md5() != d->current.md5)
                d->failCurrent(
                        QStringLiteral("received content has md5 %1, expected %2").arg(d->sink->md5(), d->current.md5));
            else if (!d->sink->commit())
                d->failCurrent(QStringLiteral("file %1 alrealy exists and can not be replaced! %2")
                                       .arg(d->sink->path(), d->sink->errorString()));
        }
        // Anything not committed above is discarded here; the old file stays.
        d->sink.reset();
    } else {
        d->uploadReply = nullptr;
        const QByteArray answer = reply->readAll();
        if (!answer.isEmpty())
            VEK_LOG(QString::fromUtf8(answer), "debug", 5);
        if (reply->error() != QNetworkReply::NoError)
            d->failCurrent(reply->errorString());
    }
    reply->deleteLater();
    d->endStep();
}

void TNetworkFileIo::onReplyError(QNetworkReply::NetworkError iCode)
{
    Q_UNUSED(iCode)
    auto *reply = qobject_cast<QNetworkReply *>(sender());
    if (!d->isCurrent(reply))
        return;
    VEK_LOG(QStringLiteral("onReplyError"), "error", 0);
    VEK_LOG(reply->errorString(), "debug", 5);
    d->failCurrent(reply->errorString());
}

void TNetworkFileIo::onSslErrors(QNetworkReply *iReply, const QList<QSslError> &iErrors)
{
    Q_UNUSED(iErrors)
    // Not ignored: the request fails and its finish notice ends the wait.
    if (iReply)
        VEK_LOG(iReply->errorString(), "debug", 5);
}

void TNetworkFileIo::onProcess(qint64 iBytesDone, qint64 iBytesTotal)
{
    if (!d->isCurrent(qobject_cast<QNetworkReply *>(sender())))
        return;
    Q_EMIT processInfo(iBytesDone, iBytesTotal, d->fileNumber, d->fileCount);
}

QString TNetworkFileIo::listTranslateString(const QStringList &iList)
{
    return QString::fromUtf8(QJsonDocument(QJsonArray::fromStringList(iList)).toJson(QJsonDocument::Compact));
}
