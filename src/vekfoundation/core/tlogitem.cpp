#include "tlogitem.h"
#include "tlogitem_p.h"

#include <QJsonArray>
#include <QJsonDocument>

TLogItem::TLogItem(QObject *iParent)
    : QObject(iParent)
    , d(new TLogItemPrivate(this))
{}

TLogItem::TLogItem(const TLogItem &iOther)
    : QObject(iOther.parent())
    , d(new TLogItemPrivate(this))
{
    d->copyFields(*iOther.d);
}

TLogItem &TLogItem::operator=(const TLogItem &iOther)
{
    if (&iOther != this)
        d->copyFields(*iOther.d);
    return *this;
}

TLogItem::~TLogItem() = default;

#define TLOGITEM_FIELD(getter, setter)                                                                                 \
    QString TLogItem::getter() const { return d->getter; }                                                             \
    void TLogItem::setter(const QString &iValue) { d->getter = iValue; }

TLOGITEM_FIELD(when, setWhen)
TLOGITEM_FIELD(who, setWho)
TLOGITEM_FIELD(what, setWhat)
TLOGITEM_FIELD(where, setWhere)
TLOGITEM_FIELD(remark, setRemark)
TLOGITEM_FIELD(icon, setIcon)
TLOGITEM_FIELD(category, setCategory)
TLOGITEM_FIELD(tag, setTag)
TLOGITEM_FIELD(data, setData)

#undef TLOGITEM_FIELD

QString TLogItem::toJsonString() const
{
    const QJsonArray fields {d->when, d->who, d->what, d->where, d->remark, d->icon, d->category, d->tag, d->data};
    return QString::fromUtf8(QJsonDocument(fields).toJson(QJsonDocument::Compact));
}
