#ifndef THTTPREPLY_H
#define THTTPREPLY_H

#include "vekfoundation_export.h"

#include <QByteArray>
#include <QNetworkReply>
#include <QString>

class THttpReplyPrivate;
class TJsonApiResponse;

/*!
 * The outcome of one HTTP request: the body bytes, or an error code (the
 * numbers of QNetworkReply::NetworkError) and its text.
 */
class VEKFOUNDATION_EXPORT THttpReply
{
public:
    THttpReply();
    explicit THttpReply(const QByteArray &iByteData);
    THttpReply(QNetworkReply::NetworkError iErrorCode, const QString &iErrorString);
    THttpReply(const THttpReply &iOther);
    THttpReply &operator=(const THttpReply &iOther);
    ~THttpReply();

    QByteArray byteData() const;
    QNetworkReply::NetworkError errorCode() const;
    QString errorString() const;

    //! An error becomes a document with one error whose code is the error number;
    //! otherwise the body is read as JSON:API text.
    TJsonApiResponse toJsonApiResponse() const;

private:
    THttpReplyPrivate *d_ptr;
    Q_DECLARE_PRIVATE(THttpReply)
};

#endif // THTTPREPLY_H
