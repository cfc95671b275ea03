#include "tenumitem.h"
#include "tenumitem_p.h"
#include "tscriptvalue.h"

TEnumItem::TEnumItem(QObject *iParent, int iNumInt, const QString &iNameStr, const QString &iTextStr,
                     const QString &iIconStr, const QString &iRemarkStr, const QVariant &iDataVar)
    : QObject(iParent)
    , d(new TEnumItemPrivate(this))
{
    d->num = iNumInt;
    d->name = iNameStr;
    d->text = iTextStr;
    d->icon = iIconStr;
    d->remark = iRemarkStr;
    d->data = TScriptValue::toPlain(iDataVar);
}

TEnumItem::~TEnumItem() = default;

int TEnumItem::num() const { return d->num; }
void TEnumItem::setNum(int iNumInt) { d->num = iNumInt; }
QString TEnumItem::name() const { return d->name; }
void TEnumItem::setName(const QString &iNameStr) { d->name = iNameStr; }
QString TEnumItem::icon() const { return d->icon; }
void TEnumItem::setIcon(const QString &iIconStr) { d->icon = iIconStr; }

QString TEnumItem::text() const { return d->text.isEmpty() ? d->name : d->text; }

void TEnumItem::setText(const QString &iTextStr) { d->text = iTextStr; }
QString TEnumItem::remark() const { return d->remark; }
void TEnumItem::setRemark(const QString &iRemarkStr) { d->remark = iRemarkStr; }
QVariant TEnumItem::data() const { return d->data; }
void TEnumItem::setData(const QVariant &iDataVar) { d->data = TScriptValue::toPlain(iDataVar); }
