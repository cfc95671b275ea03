#include "tdataresponse.h"
#include "tdataresponse_p.h"
#include "terror.h"

TDataResponse::TDataResponse()
    : d_ptr(new TDataResponsePrivate(this))
{}

TDataResponse::TDataResponse(const TError &iError, const QVariant &iData)
    : d_ptr(new TDataResponsePrivate(this))
{
    setError(iError);
    setData(iData);
}

TDataResponse::TDataResponse(const QVariantMap &iMap)
    : d_ptr(new TDataResponsePrivate(this))
{
    Q_D(TDataResponse);
    for (auto it = iMap.cbegin(); it != iMap.cend(); ++it) {
        const QString key = it.key().toUpper();
        if (key == QLatin1String("KEY"))
            d->key = it.value().toString();
        else if (key == QLatin1String("DATA"))
            d->data = it.value();
        else if (key == QLatin1String("DEBUGINFO"))
            d->debugInfo = it.value().toList();
        else if (key == QLatin1String("ERRCODE"))
            d->errCode = it.value().toString();
        else if (key == QLatin1String("ERRTEXT"))
            d->errText = it.value().toString();
        else if (key == QLatin1String("DATACOUNT"))
            d->dataCount = it.value().toInt();
        else if (key == QLatin1String("USERDATA"))
            d->userData = it.value();
    }
}

TDataResponse::TDataResponse(const TDataResponse &iOther)
    : d_ptr(new TDataResponsePrivate(this))
{
    *this = iOther;
}

TDataResponse &TDataResponse::operator=(const TDataResponse &iOther)
{
    Q_D(TDataResponse);
    if (&iOther != this) {
        const TDataResponsePrivate *o = iOther.d_func();
        d->key = o->key;
        d->errCode = o->errCode;
        d->errText = o->errText;
        d->data = o->data;
        d->debugInfo = o->debugInfo;
        d->dataCount = o->dataCount;
        d->userData = o->userData;
    }
    return *this;
}

TDataResponse::~TDataResponse() { delete d_ptr; }

void TDataResponse::setError(const TError &iError)
{
    Q_D(TDataResponse);
    d->errCode = iError.code();
    d->errText = iError.text();
}

bool TDataResponse::hasError() const
{
    Q_D(const TDataResponse);
    return !d->errText.isEmpty() || !d->errCode.isEmpty();
}

QVariantMap TDataResponse::toVariantMap() const
{
    Q_D(const TDataResponse);
    return QVariantMap {{QStringLiteral("data"), d->data},        {QStringLiteral("errCode"), d->errCode},
                        {QStringLiteral("errText"), d->errText},  {QStringLiteral("debugInfo"), d->debugInfo},
                        {QStringLiteral("key"), d->key},          {QStringLiteral("dataCount"), d->dataCount},
                        {QStringLiteral("userData"), d->userData}};
}

QString TDataResponse::key() const
{
    Q_D(const TDataResponse);
    return d->key;
}
void TDataResponse::setKey(const QString &iKey)
{
    Q_D(TDataResponse);
    d->key = iKey;
}
QString TDataResponse::errCode() const
{
    Q_D(const TDataResponse);
    return d->errCode;
}
void TDataResponse::setErrCode(const QString &iCode)
{
    Q_D(TDataResponse);
    d->errCode = iCode;
}
QString TDataResponse::errText() const
{
    Q_D(const TDataResponse);
    return d->errText;
}
void TDataResponse::setErrText(const QString &iText)
{
    Q_D(TDataResponse);
    d->errText = iText;
}
QVariant TDataResponse::data() const
{
    Q_D(const TDataResponse);
    return d->data;
}
void TDataResponse::setData(const QVariant &iData)
{
    Q_D(TDataResponse);
    d->data = iData;
}
QVariantList TDataResponse::debugInfo() const
{
    Q_D(const TDataResponse);
    return d->debugInfo;
}
void TDataResponse::setDebugInfo(const QVariantList &iInfo)
{
    Q_D(TDataResponse);
    d->debugInfo = iInfo;
}
int TDataResponse::dataCount() const
{
    Q_D(const TDataResponse);
    return d->dataCount;
}
void TDataResponse::setDataCount(int iCount)
{
    Q_D(TDataResponse);
    d->dataCount = iCount;
}
QVariant TDataResponse::userData() const
{
    Q_D(const TDataResponse);
    return d->userData;
}
void TDataResponse::setUserData(const QVariant &iData)
{
    Q_D(TDataResponse);
    d->userData = iData;
}
