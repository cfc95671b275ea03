#include "tjsonapiresponse.h"
#include "tdataparse.h"
#include "tjsonapiresponse_p.h"

namespace {
const QString kData = QStringLiteral("data");
const QString kId = QStringLiteral("id");
const QString kErrors = QStringLiteral("errors");
const QString kLinks = QStringLiteral("links");
const QString kMeta = QStringLiteral("meta");
} // namespace

void TJsonApiResponsePrivate::readMap(const QVariantMap &iMap)
{
    data = iMap.value(kData);
    id = iMap.value(kId).toString();
    links = iMap.value(kLinks).toMap();
    meta = iMap.value(kMeta).toMap();
    errors.clear();
    const QVariantList list = iMap.value(kErrors).toList();
    for (const QVariant &item : list)
        errors.append(TJsonApiError(item.toMap()));
}

TJsonApiResponse::TJsonApiResponse()
    : d_ptr(new TJsonApiResponsePrivate(this))
{}

TJsonApiResponse::TJsonApiResponse(const TJsonApiResponse &iOther)
    : d_ptr(new TJsonApiResponsePrivate(this))
{
    d_ptr->copyFields(*iOther.d_ptr);
}

TJsonApiResponse::TJsonApiResponse(const QVariantMap &iMap)
    : d_ptr(new TJsonApiResponsePrivate(this))
{
    d_ptr->readMap(iMap);
}

TJsonApiResponse::TJsonApiResponse(const QString &iJsonStr)
    : d_ptr(new TJsonApiResponsePrivate(this))
{
    // Anything but an object converts to an empty map, hence an empty document.
    d_ptr->readMap(TDataParse::jsonStr2Variant(iJsonStr).toMap());
}

TJsonApiResponse &TJsonApiResponse::operator=(const TJsonApiResponse &iOther)
{
    if (&iOther != this)
        d_ptr->copyFields(*iOther.d_ptr);
    return *this;
}

TJsonApiResponse::~TJsonApiResponse() { delete d_ptr; }

QVariant TJsonApiResponse::data() const
{
    Q_D(const TJsonApiResponse);
    return d->data;
}
QString TJsonApiResponse::id() const
{
    Q_D(const TJsonApiResponse);
    return d->id;
}
QVariantMap TJsonApiResponse::links() const
{
    Q_D(const TJsonApiResponse);
    return d->links;
}
QVariantMap TJsonApiResponse::meta() const
{
    Q_D(const TJsonApiResponse);
    return d->meta;
}
QList<TJsonApiError> TJsonApiResponse::errors() const
{
    Q_D(const TJsonApiResponse);
    return d->errors;
}

bool TJsonApiResponse::hasError() const
{
    Q_D(const TJsonApiResponse);
    return !d->errors.isEmpty();
}

TJsonApiError TJsonApiResponse::firstError() const
{
    Q_D(const TJsonApiResponse);
    return d->errors.isEmpty() ? TJsonApiError() : d->errors.first();
}

TJsonApiResponse &TJsonApiResponse::setData(const QVariant &iData)
{
    Q_D(TJsonApiResponse);
    d->data = iData;
    return *this;
}
TJsonApiResponse &TJsonApiResponse::setId(const QString &iId)
{
    Q_D(TJsonApiResponse);
    d->id = iId;
    return *this;
}
TJsonApiResponse &TJsonApiResponse::setLinks(const QVariantMap &iLinks)
{
    Q_D(TJsonApiResponse);
    d->links = iLinks;
    return *this;
}
TJsonApiResponse &TJsonApiResponse::setMeta(const QVariantMap &iMeta)
{
    Q_D(TJsonApiResponse);
    d->meta = iMeta;
    return *this;
}
TJsonApiResponse &TJsonApiResponse::setErrors(const QList<TJsonApiError> &iErrors)
{
    Q_D(TJsonApiResponse);
    d->errors = iErrors;
    return *this;
}
TJsonApiResponse &TJsonApiResponse::addError(const TJsonApiError &iError)
{
    Q_D(TJsonApiResponse);
    d->errors.append(iError);
    return *this;
}

TJsonApiResponse &TJsonApiResponse::addLink(const QString &iKey, const QString &iValue)
{
    Q_D(TJsonApiResponse);
    d->links.insert(iKey, iValue);
    return *this;
}

TJsonApiResponse &TJsonApiResponse::addMeta(const QString &iKey, const QVariant &iValue)
{
    Q_D(TJsonApiResponse);
    d->meta.insert(iKey, iValue);
    return *this;
}

QVariantMap TJsonApiResponse::toVariantMap() const
{
    Q_D(const TJsonApiResponse);
    QVariantMap map;
    if (d->data.isValid() && !d->data.isNull())
        map.insert(kData, d->data);
    if (!d->id.isEmpty())
        map.insert(kId, d->id);
    if (!d->meta.isEmpty())
        map.insert(kMeta, d->meta);
    if (!d->links.isEmpty())
        map.insert(kLinks, d->links);
    if (!d->errors.isEmpty()) {
        QVariantList list;
        for (const TJsonApiError &error : d->errors)
            list.append(error.toVariantMap());
        map.insert(kErrors, list);
    }
    return map;
}

QString TJsonApiResponse::toJsonString() const { return TDataParse::variant2JsonStr(toVariantMap(), true); }
