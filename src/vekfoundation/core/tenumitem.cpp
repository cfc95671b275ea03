#include "tenumitem.h"
#include "tenumitem_p.h"
#include "tscriptvalue.h"

TEnumItem::TEnumItem(QObject *iParent, int iNumInt, const QString &iNameStr, const QString &iTextStr,
                     const QString &iIconStr, const QString &iRemarkStr, const QVariant &iDataVar)
    : QObject(iParent)
    , d_ptr(new TEnumItemPrivate(this))
{
    Q_D(TEnumItem);
    d->num = iNumInt;
    d->name = iNameStr;
    d->text = iTextStr;
    d->icon = iIconStr;
    d->remark = iRemarkStr;
    d->data = TScriptValue::toPlain(iDataVar);
}

TEnumItem::~TEnumItem() { delete d_ptr; }

int TEnumItem::num() const
{
    Q_D(const TEnumItem);
    return d->num;
}
void TEnumItem::setNum(int iNumInt)
{
    Q_D(TEnumItem);
    d->num = iNumInt;
}
QString TEnumItem::name() const
{
    Q_D(const TEnumItem);
    return d->name;
}
void TEnumItem::setName(const QString &iNameStr)
{
    Q_D(TEnumItem);
    d->name = iNameStr;
}
QString TEnumItem::icon() const
{
    Q_D(const TEnumItem);
    return d->icon;
}
void TEnumItem::setIcon(const QString &iIconStr)
{
    Q_D(TEnumItem);
    d->icon = iIconStr;
}

QString TEnumItem::text() const
{
    Q_D(const TEnumItem);
    return d->text.isEmpty() ? d->name : d->text;
}

void TEnumItem::setText(const QString &iTextStr)
{
    Q_D(TEnumItem);
    d->text = iTextStr;
}
QString TEnumItem::remark() const
{
    Q_D(const TEnumItem);
    return d->remark;
}
void TEnumItem::setRemark(const QString &iRemarkStr)
{
    Q_D(TEnumItem);
    d->remark = iRemarkStr;
}
QVariant TEnumItem::data() const
{
    Q_D(const TEnumItem);
    return d->data;
}
void TEnumItem::setData(const QVariant &iDataVar)
{
    Q_D(TEnumItem);
    d->data = TScriptValue::toPlain(iDataVar);
}
