#include "thttprequest.h"
#include "tdataparse.h"
#include "thttprequest_p.h"
#include "thttpwire_p.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QUrl>

#include <memory>

const QString THttpRequest::bodyByteArrayKey = QStringLiteral("__body_bytearray__");

THttpRequest::THttpRequest()
    : d_ptr(new THttpRequestPrivate(this))
{}

THttpRequest::THttpRequest(const THttpRequest &iOther)
    : d_ptr(new THttpRequestPrivate(this))
{
    d_ptr->copyFields(*iOther.d_ptr);
}

THttpRequest &THttpRequest::operator=(const THttpRequest &iOther)
{
    if (&iOther != this)
        d_ptr->copyFields(*iOther.d_ptr);
    return *this;
}

THttpRequest::~THttpRequest() { delete d_ptr; }

THttpRequest &THttpRequest::setUrl(const QString &iUrl)
{
    Q_D(THttpRequest);
    d->url = iUrl;
    return *this;
}
QString THttpRequest::url() const
{
    Q_D(const THttpRequest);
    return d->url;
}
THttpRequest &THttpRequest::setPath(const QString &iPath)
{
    Q_D(THttpRequest);
    d->path = iPath;
    return *this;
}
QString THttpRequest::path() const
{
    Q_D(const THttpRequest);
    return d->path;
}

THttpRequest &THttpRequest::addQueryParam(const QString &iName, const QString &iValue)
{
    Q_D(THttpRequest);
    d->queryParams.insert(iName, iValue);
    return *this;
}

THttpRequest &THttpRequest::setQueryParam(const QVariantMap &iParams)
{
    Q_D(THttpRequest);
    d->queryParams = iParams;
    return *this;
}
QVariantMap THttpRequest::queryParams() const
{
    Q_D(const THttpRequest);
    return d->queryParams;
}
QString THttpRequest::queryParam(const QString &iName) const
{
    Q_D(const THttpRequest);
    return d->queryParams.value(iName).toString();
}

THttpRequest &THttpRequest::addHeader(const QString &iName, const QString &iValue)
{
    Q_D(THttpRequest);
    d->headers.insert(iName, iValue);
    return *this;
}

THttpRequest &THttpRequest::setHeaders(const QVariantMap &iHeaders)
{
    Q_D(THttpRequest);
    d->headers = iHeaders;
    return *this;
}
QVariantMap THttpRequest::headers() const
{
    Q_D(const THttpRequest);
    return d->headers;
}
QString THttpRequest::header(const QString &iName) const
{
    Q_D(const THttpRequest);
    return d->headers.value(iName).toString();
}

THttpRequest &THttpRequest::addBodyParam(const QString &iName, const QVariant &iValue)
{
    Q_D(THttpRequest);
    d->bodyParams.insert(iName, iValue);
    return *this;
}

THttpRequest &THttpRequest::setBodyParam(const QVariantMap &iParams)
{
    Q_D(THttpRequest);
    d->bodyParams = iParams;
    return *this;
}
QVariantMap THttpRequest::bodyParams() const
{
    Q_D(const THttpRequest);
    return d->bodyParams;
}

THttpRequest &THttpRequest::setBodyByteArray(const QByteArray &iBytes)
{
    Q_D(THttpRequest);
    d->bodyParams.insert(bodyByteArrayKey, iBytes);
    return *this;
}

QNetworkRequest THttpRequest::buildRequest() const
{
    Q_D(const THttpRequest);
    QUrl url(d->url, QUrl::TolerantMode);
    url.setPath(d->path, QUrl::DecodedMode);
    THttpWire::QueryItems items;
    for (auto it = d->queryParams.cbegin(); it != d->queryParams.cend(); ++it)
        items.append(qMakePair(it.key(), it.value().toString()));
    THttpWire::setQuery(url, items);

    QNetworkRequest request(url);
    for (auto it = d->headers.cbegin(); it != d->headers.cend(); ++it)
        request.setRawHeader(it.key().toUtf8(), it.value().toString().toUtf8());
    return request;
}

THttpReply THttpRequest::getReplyData(QNetworkReply *iReply)
{
    if (!iReply)
        return THttpReply(QNetworkReply::UnknownNetworkError, QStringLiteral("no network reply"));
    QByteArray buffer;
    THttpWire::waitForReply(
            iReply, [&]() { buffer.append(iReply->readAll()); }, QEventLoop::ExcludeUserInputEvents);
    if (iReply->error() != QNetworkReply::NoError)
        return THttpReply(iReply->error(), iReply->errorString());
    return THttpReply(buffer);
}

THttpReply THttpRequest::httpGet() const
{
    QNetworkAccessManager manager;
    std::unique_ptr<QNetworkReply> reply(manager.get(buildRequest()));
    return getReplyData(reply.get());
}

THttpReply THttpRequest::httpPost(const QString &iFormat)
{
    Q_D(THttpRequest);
    QByteArray body;
    if (iFormat.toUpper() == QLatin1String("JSON")) {
        d->bodyParams.remove(bodyByteArrayKey);
        body = TDataParse::variant2JsonStr(d->bodyParams, true).toUtf8();
        bool hasContentType = false;
        for (auto it = d->headers.cbegin(); it != d->headers.cend() && !hasContentType; ++it)
            hasContentType = it.key().toUpper() == QLatin1String("CONTENT-TYPE");
        if (!hasContentType)
            d->headers.insert(QStringLiteral("Content-Type"), QStringLiteral("application/json;charset=utf8"));
    } else {
        body = d->bodyParams.value(bodyByteArrayKey).toByteArray();
    }
    QNetworkAccessManager manager;
    std::unique_ptr<QNetworkReply> reply(manager.post(buildRequest(), body));
    return getReplyData(reply.get());
}
