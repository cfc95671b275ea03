#ifndef THTTPUTIL_H
#define THTTPUTIL_H

#include "thttpreply.h"
#include "thttprequest.h"
#include "vekfoundation_export.h"

#include <QObject>
#include <QString>
#include <QVariantMap>

class THttpUtilPrivate;

/*!
 * A synchronous HTTP client: a base URL and default headers from which
 * requests are made, and the download and upload operations of the file
 * service. Each call blocks in a local event loop (user input excluded).
 *
 * Copyable although it is a QObject: a copy takes the source's parent,
 * assignment keeps the target's parent.
 */
class VEKFOUNDATION_EXPORT THttpUtil : public QObject
{
public:
    explicit THttpUtil(QObject *iParent = nullptr);
    THttpUtil(const THttpUtil &iOther);
    THttpUtil &operator=(const THttpUtil &iOther);
    ~THttpUtil() override;

    THttpUtil &setUrl(const QString &iUrl);
    QString url() const;

    THttpUtil &addHeader(const QString &iName, const QString &iValue);
    THttpUtil &removeHeader(const QString &iName);
    THttpUtil &clearHeader();
    QString header(const QString &iName) const;
    QVariantMap headers() const;

    //! A request on the base URL with this client's headers, the given path and body parameters.
    THttpRequest httpRequest(const QString &iPath, const QVariantMap &iBodyParams = QVariantMap()) const;

    //! Fetches a file of the service into iLocalFile. The old file is replaced
    //! only when the whole body has arrived; on success the reply holds no bytes.
    THttpReply downloadFile(const QString &iServerDir, const QString &iMd5, const QString &iLocalFile);
    //! Posts the content of a local file, streamed from disk, under its MD5 digest.
    THttpReply uploadFile(const QString &iLocalFile, const QString &iServerDir);
    //! Posts the bytes under their MD5 digest.
    THttpReply uploadByteArray(const QByteArray &iBytes, const QString &iServerDir);

private:
    THttpUtilPrivate *d_ptr;
    Q_DECLARE_PRIVATE(THttpUtil)
};

#endif // THTTPUTIL_H
