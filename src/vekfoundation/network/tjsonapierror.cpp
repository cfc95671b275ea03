#include "tjsonapierror.h"
#include "tjsonapierror_p.h"

namespace {
const QString kCode = QStringLiteral("code");
const QString kTitle = QStringLiteral("title");
const QString kDetail = QStringLiteral("detail");
const QString kStatus = QStringLiteral("status");
const QString kSource = QStringLiteral("source");
} // namespace

TJsonApiError::TJsonApiError()
    : d_ptr(new TJsonApiErrorPrivate(this))
{}

TJsonApiError::TJsonApiError(const TJsonApiError &iOther)
    : d_ptr(new TJsonApiErrorPrivate(this))
{
    d_ptr->copyFields(*iOther.d_ptr);
}

TJsonApiError::TJsonApiError(const QVariantMap &iMap)
    : d_ptr(new TJsonApiErrorPrivate(this))
{
    Q_D(TJsonApiError);
    // Servers send numbers for code and status; the variant's text form reads them as decimals.
    d->code = iMap.value(kCode).toString();
    d->title = iMap.value(kTitle).toString();
    d->detail = iMap.value(kDetail).toString();
    d->status = iMap.value(kStatus).toString();
    d->source = iMap.value(kSource).toMap();
}

TJsonApiError::TJsonApiError(QString iCode, const QString &iTitle, const QString &iDetail)
    : d_ptr(new TJsonApiErrorPrivate(this))
{
    Q_D(TJsonApiError);
    d->code = iCode;
    d->title = iTitle;
    d->detail = iDetail;
}

TJsonApiError &TJsonApiError::operator=(const TJsonApiError &iOther)
{
    if (&iOther != this)
        d_ptr->copyFields(*iOther.d_ptr);
    return *this;
}

TJsonApiError::~TJsonApiError() { delete d_ptr; }

QString TJsonApiError::code() const
{
    Q_D(const TJsonApiError);
    return d->code;
}
QString TJsonApiError::title() const
{
    Q_D(const TJsonApiError);
    return d->title;
}
QString TJsonApiError::status() const
{
    Q_D(const TJsonApiError);
    return d->status;
}
QString TJsonApiError::detail() const
{
    Q_D(const TJsonApiError);
    return d->detail;
}
QVariantMap TJsonApiError::source() const
{
    Q_D(const TJsonApiError);
    return d->source;
}

TJsonApiError &TJsonApiError::setCode(const QString &iCode)
{
    Q_D(TJsonApiError);
    d->code = iCode;
    return *this;
}
TJsonApiError &TJsonApiError::setTitle(const QString &iTitle)
{
    Q_D(TJsonApiError);
    d->title = iTitle;
    return *this;
}
TJsonApiError &TJsonApiError::setStatus(const QString &iStatus)
{
    Q_D(TJsonApiError);
    d->status = iStatus;
    return *this;
}
TJsonApiError &TJsonApiError::setDetail(const QString &iDetail)
{
    Q_D(TJsonApiError);
    d->detail = iDetail;
    return *this;
}
TJsonApiError &TJsonApiError::setSource(const QVariantMap &iSource)
{
    Q_D(TJsonApiError);
    d->source = iSource;
    return *this;
}

TJsonApiError &TJsonApiError::addSource(const QString &iKey, const QString &iValue)
{
    Q_D(TJsonApiError);
    d->source.insert(iKey, iValue);
    return *this;
}

QVariantMap TJsonApiError::toVariantMap() const
{
    Q_D(const TJsonApiError);
    QVariantMap map;
    if (!d->code.isEmpty())
        map.insert(kCode, d->code);
    if (!d->title.isEmpty())
        map.insert(kTitle, d->title);
    if (!d->status.isEmpty())
        map.insert(kStatus, d->status);
    if (!d->detail.isEmpty())
        map.insert(kDetail, d->detail);
    if (!d->source.isEmpty())
        map.insert(kSource, d->source);
    return map;
}
