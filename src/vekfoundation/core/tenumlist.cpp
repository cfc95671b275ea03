#include "tenumlist.h"
#include "tenumlist_p.h"

TEnumItem *TEnumListPrivate::find(const QString &iName) const { return itemMap.value(iName).data(); }

TEnumList::TEnumList(const QString &iNameStr, const QString &iTextStr, QObject *iParent)
    : QObject(iParent)
    , d(new TEnumListPrivate(this))
{
    d->name = iNameStr;
    d->text = iTextStr;
    // Scripts call item() by name; its return type must be known to the meta-type system.
    static const int itemType = qRegisterMetaType<TEnumItem *>();
    Q_UNUSED(itemType)
}

TEnumList::~TEnumList() = default;

QString TEnumList::name() const { return d->name; }
void TEnumList::setName(const QString &iNameStr) { d->name = iNameStr; }
QString TEnumList::text() const { return d->text; }
void TEnumList::setText(const QString &iTextStr) { d->text = iTextStr; }

TEnumItem *TEnumList::item(const QString &iNameStr) const { return d->find(iNameStr); }

void TEnumList::addItem(TEnumItem *iItemPtr)
{
    if (!iItemPtr)
        return;
    if (!iItemPtr->parent())
        iItemPtr->setParent(this);
    d->itemMap.insert(iItemPtr->name(), iItemPtr);
}

void TEnumList::addItem(int iNumInt, const QString &iNameStr, const QString &iTextStr, const QString &iIconStr,
                        const QString &iRemarkStr, const QVariant &iDataVar)
{
    d->itemMap.insert(iNameStr, new TEnumItem(this, iNumInt, iNameStr, iTextStr, iIconStr, iRemarkStr, iDataVar));
}

QString TEnumList::itemText(const QString &iNameStr) const
{
    const TEnumItem *entry = d->find(iNameStr);
    return entry ? entry->text() : iNameStr;
}

QString TEnumList::itemIcon(const QString &iNameStr) const
{
    const TEnumItem *entry = d->find(iNameStr);
    return entry ? entry->icon() : QString();
}

QString TEnumList::itemRemark(const QString &iNameStr) const
{
    const TEnumItem *entry = d->find(iNameStr);
    return entry ? entry->remark() : QString();
}

QVariant TEnumList::itemData(const QString &iNameStr) const
{
    const TEnumItem *entry = d->find(iNameStr);
    return entry ? entry->data() : QVariant();
}

QVariantList TEnumList::toComboList() const
{
    QVariantList out;
    const QList<TEnumItem *> entries = items();
    for (const TEnumItem *entry : entries) {
        out.append(QVariantMap {{QStringLiteral("icon"), entry->icon()},
                                {QStringLiteral("name"), entry->name()},
                                {QStringLiteral("text"), entry->text()},
                                {QStringLiteral("user_data"), entry->data()}});
    }
    return out;
}

QStringList TEnumList::getTextList() const
{
    QStringList out;
    const QList<TEnumItem *> entries = items();
    for (const TEnumItem *entry : entries)
        out.append(entry->text());
    return out;
}

QList<TEnumItem *> TEnumList::items() const
{
    // Entries go by number; one whose number is taken goes behind the others
    // under the next free counter key from 10000 on, in name order.
    QMap<int, TEnumItem *> ordered;
    int counter = 9999;
    for (auto it = d->itemMap.cbegin(); it != d->itemMap.cend(); ++it) {
        TEnumItem *entry = it.value().data();
        if (!entry)
            continue;
        int key = entry->num();
        if (ordered.contains(key)) {
            do {
                ++counter;
            } while (ordered.contains(counter));
            key = counter;
        }
        ordered.insert(key, entry);
    }
    return ordered.values();
}
