#include "thttpreply.h"
#include "thttpreply_p.h"
#include "tjsonapiresponse.h"

THttpReply::THttpReply()
    : d_ptr(new THttpReplyPrivate(this))
{}

THttpReply::THttpReply(const QByteArray &iByteData)
    : d_ptr(new THttpReplyPrivate(this))
{
    d_ptr->byteData = iByteData;
}

THttpReply::THttpReply(QNetworkReply::NetworkError iErrorCode, const QString &iErrorString)
    : d_ptr(new THttpReplyPrivate(this))
{
    d_ptr->errorCode = iErrorCode;
    d_ptr->errorString = iErrorString;
}

THttpReply::THttpReply(const THttpReply &iOther)
    : d_ptr(new THttpReplyPrivate(this))
{
    d_ptr->copyFields(*iOther.d_ptr);
}

THttpReply &THttpReply::operator=(const THttpReply &iOther)
{
    if (&iOther != this)
        d_ptr->copyFields(*iOther.d_ptr);
    return *this;
}

THttpReply::~THttpReply() { delete d_ptr; }

QByteArray THttpReply::byteData() const
{
    Q_D(const THttpReply);
    return d->byteData;
}
QNetworkReply::NetworkError THttpReply::errorCode() const
{
    Q_D(const THttpReply);
    return d->errorCode;
}
QString THttpReply::errorString() const
{
    Q_D(const THttpReply);
    return d->errorString;
}

TJsonApiResponse THttpReply::toJsonApiResponse() const
{
    Q_D(const THttpReply);
    if (d->errorCode != QNetworkReply::NoError) {
        TJsonApiResponse response;
        response.addError(TJsonApiError(QString::number(int(d->errorCode)), d->errorString, QString()));
        return response;
    }
    // A zero byte ends the text, as it would for a C string.
    return TJsonApiResponse(QString::fromUtf8(d->byteData.constData()));
}
