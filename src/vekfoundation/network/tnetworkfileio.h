#ifndef TNETWORKFILEIO_H
#define TNETWORKFILEIO_H

#include "vekfoundation_export.h"

#include <memory>

#include <QList>
#include <QNetworkReply>
#include <QObject>
#include <QSslError>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>

class TError;
class TNetworkFileIoPrivate;

/*!
 * Keeps sets of files in step with the file service, identified by MD5.
 * A download fetches every file whose local copy differs from its expected
 * digest and that the service holds; an upload sends every file the service
 * lacks. Both ask the service first, report progress through processInfo
 * and can be stopped. Each step waits in a local event loop that processes
 * all events; one transfer at a time per object.
 */
class VEKFOUNDATION_EXPORT TNetworkFileIo : public QObject
{
    Q_OBJECT
public:
    explicit TNetworkFileIo(QObject *iParent = nullptr);
    ~TNetworkFileIo() override;

    //! The service's base URL ("http://host:port"); an empty value changes nothing.
    void setConnectParameter(const QVariant &iServer, TError *oErr = nullptr);
    //! The service directory of downloads and uploads.
    void setServerDir(const QString &iDir);

    //! Fetches the files of the map (name relative to iLocalDir -> expected MD5).
    //! A file replaces its local copy only when its digest matches. Returns the
    //! local paths that are up to date afterwards or that the service lacks.
    QStringList downloadFiles(const QVariantMap &iFileMap, const QString &iLocalDir, TError *oErr = nullptr);
    //! Sends the files the service lacks; a non-empty iDir becomes the upload
    //! directory. Returns the paths that could not be uploaded.
    QStringList uploadFiles(const QStringList &iFileList, const QString &iDir = QString(), TError *oErr = nullptr);

    //! Aborts the request in flight and ends the transfer call.
    void stop();

Q_SIGNALS:
    //! Bytes done and total of the current file, its 1-based ordinal and the number of files to transfer.
    void processInfo(qint64 iBytesDone, qint64 iBytesTotal, int iFileNumber, int iFileCount);
    //! One waited-for step has ended.
    void eventloopStoped();

protected Q_SLOTS:
    //! The access manager's notice: only the existence query is handled here.
    void onFinished(QNetworkReply *iReply);
    //! End of the current download or upload.
    void onDownFinished();
    //! An error of the current download or upload; its end follows in onDownFinished.
    void onReplyError(QNetworkReply::NetworkError iCode);
    //! TLS errors are logged and not ignored, so the request fails.
    void onSslErrors(QNetworkReply *iReply, const QList<QSslError> &iErrors);
    //! Writes the arrived bytes of the current download.
    void onReadyRead();
    //! Forwards byte progress of the current transfer as processInfo.
    void onProcess(qint64 iBytesDone, qint64 iBytesTotal);

protected:
    void downloadFile(const QString &iName, const QString &iMd5);
    void uploadFile(const QString &iPath, const QString &iMd5);
    void localMd5Check();
    void serverMd5Check();
    QString listTranslateString(const QStringList &iList);

private:
    Q_DECLARE_PRIVATE_D(d, TNetworkFileIo)
    const std::unique_ptr<TNetworkFileIoPrivate> d;
};

#endif // TNETWORKFILEIO_H
