#include "tsqlwherecompsitev2.h"
#include "tsqlwherecompsitev2_p.h"

#include "tsqlwheresimplev2.h"
#include "tsqlwherestringv2.h"

#include <QStringList>

TSqlWhereCompsiteV2::TSqlWhereCompsiteV2()
    : d_ptr(new TSqlWhereCompsiteV2Private(this))
{}

TSqlWhereCompsiteV2::TSqlWhereCompsiteV2(const TSqlWhereCompsiteV2 &iOther)
    : TSqlWhereAbsV2(iOther)
    , d_ptr(new TSqlWhereCompsiteV2Private(this))
{
    d_ptr->logic = iOther.d_ptr->logic;
    d_ptr->items = iOther.cloneItems();
}

TSqlWhereCompsiteV2 &TSqlWhereCompsiteV2::operator=(const TSqlWhereCompsiteV2 &iOther)
{
    if (&iOther == this)
        return *this;
    // Read everything first: iOther may be one of the children about to go.
    const Logic logic = iOther.d_ptr->logic;
    setItems(iOther.cloneItems());
    d_ptr->logic = logic;
    return *this;
}

TSqlWhereCompsiteV2::~TSqlWhereCompsiteV2() { delete d_ptr; }

TSqlWhereCompsiteV2 &TSqlWhereCompsiteV2::append(const QString &iSql)
{
    Q_D(TSqlWhereCompsiteV2);
    d->items.append(new TSqlWhereStringV2(iSql));
    return *this;
}

TSqlWhereCompsiteV2 &TSqlWhereCompsiteV2::append(const QString &iField, const QVariant &iValue, QString iOperator)
{
    Q_D(TSqlWhereCompsiteV2);
    d->items.append(new TSqlWhereSimpleV2(iField, iValue, iOperator));
    return *this;
}

TSqlWhereCompsiteV2 &TSqlWhereCompsiteV2::append(const TSqlWhereAbsV2 &iNode)
{
    Q_D(TSqlWhereCompsiteV2);
    // A plain base node clones to null: there is nothing to keep.
    if (TSqlWhereAbsV2 *copy = iNode.clone())
        d->items.append(copy);
    return *this;
}

QList<TSqlWhereAbsV2 *> TSqlWhereCompsiteV2::items() const
{
    Q_D(const TSqlWhereCompsiteV2);
    return d->items;
}

QList<TSqlWhereAbsV2 *> TSqlWhereCompsiteV2::cloneItems() const
{
    Q_D(const TSqlWhereCompsiteV2);
    QList<TSqlWhereAbsV2 *> copies;
    copies.reserve(d->items.size());
    for (const TSqlWhereAbsV2 *item : d->items) {
        if (TSqlWhereAbsV2 *copy = item->clone())
            copies.append(copy);
    }
    return copies;
}

TSqlWhereCompsiteV2 &TSqlWhereCompsiteV2::setItems(QList<TSqlWhereAbsV2 *> iItems)
{
    Q_D(TSqlWhereCompsiteV2);
    iItems.removeAll(nullptr);
    // A child handed back in the new list is kept, not destroyed and then
    // used: that would leave the tree pointing at freed nodes.
    for (TSqlWhereAbsV2 *old : qAsConst(d->items)) {
        if (!iItems.contains(old))
            delete old;
    }
    d->items = iItems;
    return *this;
}

bool TSqlWhereCompsiteV2::isEmpty() const
{
    Q_D(const TSqlWhereCompsiteV2);
    return d->items.isEmpty();
}

TSqlWhereCompsiteV2 &TSqlWhereCompsiteV2::clear()
{
    Q_D(TSqlWhereCompsiteV2);
    qDeleteAll(d->items);
    d->items.clear();
    d->logic = And;
    return *this;
}

TSqlWhereCompsiteV2::Logic TSqlWhereCompsiteV2::logic() const
{
    Q_D(const TSqlWhereCompsiteV2);
    return d->logic;
}

TSqlWhereCompsiteV2 &TSqlWhereCompsiteV2::setLogic(Logic iLogic)
{
    Q_D(TSqlWhereCompsiteV2);
    d->logic = iLogic;
    return *this;
}

QString TSqlWhereCompsiteV2::logicToString(Logic iLogic)
{
    switch (iLogic) {
    case Or:
        return QStringLiteral("Or");
    case Not:
        return QStringLiteral("Not");
    default:
        return QStringLiteral("And");
    }
}

TSqlWhereCompsiteV2::Logic TSqlWhereCompsiteV2::logicFromString(const QString &iStr)
{
    const QString upper = iStr.toUpper();
    if (upper == QLatin1String("OR"))
        return Or;
    if (upper == QLatin1String("NOT"))
        return Not;
    return And;
}

TSqlWhereAbsV2 *TSqlWhereCompsiteV2::clone() const { return new TSqlWhereCompsiteV2(*this); }

QString TSqlWhereCompsiteV2::toSql() const { return toSql(QString()); }

QString TSqlWhereCompsiteV2::toSql(const QString &iDatabaseType) const
{
    Q_D(const TSqlWhereCompsiteV2);
    QStringList parts;
    for (const TSqlWhereAbsV2 *item : d->items) {
        const QString sql = item->toSql(iDatabaseType);
        if (!sql.isEmpty())
            parts << QLatin1Char('(') + sql + QLatin1Char(')');
    }
    if (parts.isEmpty())
        return QString();
    switch (d->logic) {
    case And:
        return QLatin1Char('(') + parts.join(QLatin1String(" AND ")) + QLatin1Char(')');
    case Or:
        return QLatin1Char('(') + parts.join(QLatin1String(" OR ")) + QLatin1Char(')');
    case Not:
        return QLatin1String("NOT (") + parts.join(QLatin1String(" AND ")) + QLatin1Char(')');
    }
    return QString();
}
