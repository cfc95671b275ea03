#include "tsqldeleterv2.h"
#include "tsqldeleterv2_p.h"

TSqlDeleterV2::TSqlDeleterV2()
    : d_ptr(new TSqlDeleterV2Private(this))
{}

TSqlDeleterV2::TSqlDeleterV2(const QString &iTable)
    : d_ptr(new TSqlDeleterV2Private(this))
{
    d_ptr->table = iTable;
}

TSqlDeleterV2::TSqlDeleterV2(const QVariantMap &iMap)
    : d_ptr(new TSqlDeleterV2Private(this))
{
    d_ptr->readMap(iMap, TSqlRowStatementData::Where);
}

TSqlDeleterV2::TSqlDeleterV2(const TSqlDeleterV2 &iOther)
    : d_ptr(new TSqlDeleterV2Private(this))
{
    static_cast<TSqlRowStatementData &>(*d_ptr) = *iOther.d_ptr;
}

TSqlDeleterV2 &TSqlDeleterV2::operator=(const TSqlDeleterV2 &iOther)
{
    if (&iOther != this)
        static_cast<TSqlRowStatementData &>(*d_ptr) = *iOther.d_ptr;
    return *this;
}

TSqlDeleterV2::~TSqlDeleterV2() { delete d_ptr; }

QString TSqlDeleterV2::connectionName() const
{
    Q_D(const TSqlDeleterV2);
    return d->connectionName;
}

TSqlDeleterV2 &TSqlDeleterV2::setConnectionName(const QString &iName)
{
    Q_D(TSqlDeleterV2);
    d->connectionName = iName;
    return *this;
}

QString TSqlDeleterV2::table() const
{
    Q_D(const TSqlDeleterV2);
    return d->table;
}

TSqlDeleterV2 &TSqlDeleterV2::setTable(const QString &iTable)
{
    Q_D(TSqlDeleterV2);
    d->table = iTable;
    return *this;
}

QVariant TSqlDeleterV2::userData() const
{
    Q_D(const TSqlDeleterV2);
    return d->userData;
}

TSqlDeleterV2 &TSqlDeleterV2::setUserData(const QVariant &iData)
{
    Q_D(TSqlDeleterV2);
    d->userData = iData;
    return *this;
}

TSqlDeleterV2 &TSqlDeleterV2::clear()
{
    Q_D(TSqlDeleterV2);
    d->clear();
    return *this;
}

TSqlWhereCompsiteV2 TSqlDeleterV2::where() const
{
    Q_D(const TSqlDeleterV2);
    return d->where;
}

TSqlWhereCompsiteV2 &TSqlDeleterV2::whereRef()
{
    Q_D(TSqlDeleterV2);
    return d->where;
}

TSqlDeleterV2 &TSqlDeleterV2::setWhere(const QString &iSql)
{
    Q_D(TSqlDeleterV2);
    d->where.clear().append(iSql);
    return *this;
}

TSqlDeleterV2 &TSqlDeleterV2::setWhere(const QString &iField, const QVariant &iValue, const QString &iOperator)
{
    Q_D(TSqlDeleterV2);
    d->where.clear().append(iField, iValue, iOperator);
    return *this;
}

TSqlDeleterV2 &TSqlDeleterV2::setWhere(const TSqlWhereCompsiteV2 &iWhere)
{
    Q_D(TSqlDeleterV2);
    d->where = iWhere;
    return *this;
}

TSqlDeleterV2 &TSqlDeleterV2::addWhere(const QString &iSql)
{
    Q_D(TSqlDeleterV2);
    d->where.append(iSql);
    return *this;
}

TSqlDeleterV2 &TSqlDeleterV2::addWhere(const QString &iField, const QVariant &iValue, const QString &iOperator)
{
    Q_D(TSqlDeleterV2);
    d->where.append(iField, iValue, iOperator);
    return *this;
}

TSqlDeleterV2 &TSqlDeleterV2::addWhere(const TSqlWhereAbsV2 &iNode)
{
    Q_D(TSqlDeleterV2);
    d->where.append(iNode);
    return *this;
}
