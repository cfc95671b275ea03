#ifndef THTTPREQUEST_H
#define THTTPREQUEST_H

#include "thttpreply.h"
#include "vekfoundation_export.h"

#include <QByteArray>
#include <QNetworkRequest>
#include <QString>
#include <QVariant>
#include <QVariantMap>

class QNetworkReply;
class THttpRequestPrivate;

/*!
 * One HTTP request: URL, a path that replaces the URL's path, query
 * parameters, headers and body parameters. Sent as a GET or a POST, it blocks
 * in a local event loop (user input excluded) until the reply has finished.
 * Setters return the request for chaining.
 */
class VEKFOUNDATION_EXPORT THttpRequest
{
public:
    THttpRequest();
    THttpRequest(const THttpRequest &iOther);
    THttpRequest &operator=(const THttpRequest &iOther);
    ~THttpRequest();

    THttpRequest &setUrl(const QString &iUrl);
    QString url() const;
    THttpRequest &setPath(const QString &iPath);
    QString path() const;

    THttpRequest &addQueryParam(const QString &iName, const QString &iValue);
    THttpRequest &setQueryParam(const QVariantMap &iParams);
    QVariantMap queryParams() const;
    QString queryParam(const QString &iName) const;

    THttpRequest &addHeader(const QString &iName, const QString &iValue);
    THttpRequest &setHeaders(const QVariantMap &iHeaders);
    QVariantMap headers() const;
    QString header(const QString &iName) const;

    THttpRequest &addBodyParam(const QString &iName, const QVariant &iValue);
    THttpRequest &setBodyParam(const QVariantMap &iParams);
    QVariantMap bodyParams() const;
    //! The raw body that a non-JSON POST sends.
    THttpRequest &setBodyByteArray(const QByteArray &iBytes);

    //! The network request: URL with path and encoded query, and the headers in name order.
    QNetworkRequest buildRequest() const;

    THttpReply httpGet() const;
    //! "JSON" (any case) posts the body parameters as compact JSON and adds a
    //! JSON content type unless one is set; any other format posts the raw body.
    THttpReply httpPost(const QString &iFormat);

    //! Waits for a reply the caller has started and returns its outcome; an
    //! already finished reply gives what it has buffered. The reply is not deleted.
    static THttpReply getReplyData(QNetworkReply *iReply);

    //! The reserved body parameter that holds the raw body.
    static const QString bodyByteArrayKey;

private:
    THttpRequestPrivate *d_ptr;
    Q_DECLARE_PRIVATE(THttpRequest)
};

#endif // THTTPREQUEST_H
