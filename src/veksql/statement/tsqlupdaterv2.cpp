#include "tsqlupdaterv2.h"
#include "tsqlupdaterv2_p.h"

TSqlUpdaterV2::TSqlUpdaterV2()
    : d_ptr(new TSqlUpdaterV2Private(this))
{}

TSqlUpdaterV2::TSqlUpdaterV2(const QString &iTable)
    : d_ptr(new TSqlUpdaterV2Private(this))
{
    d_ptr->table = iTable;
}

TSqlUpdaterV2::TSqlUpdaterV2(const QVariantMap &iMap)
    : d_ptr(new TSqlUpdaterV2Private(this))
{
    d_ptr->readMap(iMap, TSqlRowStatementData::Columns | TSqlRowStatementData::Where);
}

TSqlUpdaterV2::TSqlUpdaterV2(const TSqlUpdaterV2 &iOther)
    : d_ptr(new TSqlUpdaterV2Private(this))
{
    static_cast<TSqlRowStatementData &>(*d_ptr) = *iOther.d_ptr;
}

TSqlUpdaterV2 &TSqlUpdaterV2::operator=(const TSqlUpdaterV2 &iOther)
{
    if (&iOther != this)
        static_cast<TSqlRowStatementData &>(*d_ptr) = *iOther.d_ptr;
    return *this;
}

TSqlUpdaterV2::~TSqlUpdaterV2() { delete d_ptr; }

QString TSqlUpdaterV2::connectionName() const
{
    Q_D(const TSqlUpdaterV2);
    return d->connectionName;
}

TSqlUpdaterV2 &TSqlUpdaterV2::setConnectionName(const QString &iName)
{
    Q_D(TSqlUpdaterV2);
    d->connectionName = iName;
    return *this;
}

QString TSqlUpdaterV2::table() const
{
    Q_D(const TSqlUpdaterV2);
    return d->table;
}

TSqlUpdaterV2 &TSqlUpdaterV2::setTable(const QString &iTable)
{
    Q_D(TSqlUpdaterV2);
    d->table = iTable;
    return *this;
}

QVariant TSqlUpdaterV2::userData() const
{
    Q_D(const TSqlUpdaterV2);
    return d->userData;
}

TSqlUpdaterV2 &TSqlUpdaterV2::setUserData(const QVariant &iData)
{
    Q_D(TSqlUpdaterV2);
    d->userData = iData;
    return *this;
}

TSqlUpdaterV2 &TSqlUpdaterV2::clear()
{
    Q_D(TSqlUpdaterV2);
    d->clear();
    return *this;
}

QStringList TSqlUpdaterV2::field() const
{
    Q_D(const TSqlUpdaterV2);
    return d->field;
}

QStringList &TSqlUpdaterV2::fieldRef()
{
    Q_D(TSqlUpdaterV2);
    return d->field;
}

TSqlUpdaterV2 &TSqlUpdaterV2::setField(const QStringList &iFields)
{
    Q_D(TSqlUpdaterV2);
    d->field = iFields;
    return *this;
}

TSqlUpdaterV2 &TSqlUpdaterV2::addField(const QString &iField)
{
    Q_D(TSqlUpdaterV2);
    d->field.append(iField);
    return *this;
}

QVariantMap TSqlUpdaterV2::data() const
{
    Q_D(const TSqlUpdaterV2);
    return d->data;
}

TSqlUpdaterV2 &TSqlUpdaterV2::setData(const QVariantMap &iData)
{
    Q_D(TSqlUpdaterV2);
    d->data = iData;
    return *this;
}

QStringList TSqlUpdaterV2::uniqueField() const
{
    Q_D(const TSqlUpdaterV2);
    return d->uniqueField;
}

QStringList &TSqlUpdaterV2::uniqueFieldRef()
{
    Q_D(TSqlUpdaterV2);
    return d->uniqueField;
}

TSqlUpdaterV2 &TSqlUpdaterV2::setUniqueField(const QString &iField)
{
    Q_D(TSqlUpdaterV2);
    d->uniqueField = QStringList {iField};
    return *this;
}

TSqlUpdaterV2 &TSqlUpdaterV2::setUniqueField(const QStringList &iFields)
{
    Q_D(TSqlUpdaterV2);
    d->uniqueField = iFields;
    return *this;
}

TSqlUpdaterV2 &TSqlUpdaterV2::addUniqueField(const QString &iField)
{
    Q_D(TSqlUpdaterV2);
    d->uniqueField.append(iField);
    return *this;
}

QVariantMap TSqlUpdaterV2::updatePolicy() const
{
    Q_D(const TSqlUpdaterV2);
    return d->updatePolicy;
}

QVariant TSqlUpdaterV2::updatePolicy(const QString &iField) const
{
    Q_D(const TSqlUpdaterV2);
    return d->updatePolicy.value(iField);
}

TSqlUpdaterV2 &TSqlUpdaterV2::setUpdatePolicy(const QVariantMap &iPolicy)
{
    Q_D(TSqlUpdaterV2);
    d->updatePolicy = iPolicy;
    return *this;
}

TSqlUpdaterV2 &TSqlUpdaterV2::setUpdatePolicy(const QString &iField, const QVariant &iPolicy)
{
    Q_D(TSqlUpdaterV2);
    d->updatePolicy.insert(iField, iPolicy);
    return *this;
}

TSqlWhereCompsiteV2 TSqlUpdaterV2::where() const
{
    Q_D(const TSqlUpdaterV2);
    return d->where;
}

TSqlWhereCompsiteV2 &TSqlUpdaterV2::whereRef()
{
    Q_D(TSqlUpdaterV2);
    return d->where;
}

TSqlUpdaterV2 &TSqlUpdaterV2::setWhere(const QString &iSql)
{
    Q_D(TSqlUpdaterV2);
    d->where.clear().append(iSql);
    return *this;
}

TSqlUpdaterV2 &TSqlUpdaterV2::setWhere(const QString &iField, const QVariant &iValue, const QString &iOperator)
{
    Q_D(TSqlUpdaterV2);
    d->where.clear().append(iField, iValue, iOperator);
    return *this;
}

TSqlUpdaterV2 &TSqlUpdaterV2::setWhere(const TSqlWhereCompsiteV2 &iWhere)
{
    Q_D(TSqlUpdaterV2);
    d->where = iWhere;
    return *this;
}

TSqlUpdaterV2 &TSqlUpdaterV2::addWhere(const QString &iSql)
{
    Q_D(TSqlUpdaterV2);
    d->where.append(iSql);
    return *this;
}

TSqlUpdaterV2 &TSqlUpdaterV2::addWhere(const QString &iField, const QVariant &iValue, const QString &iOperator)
{
    Q_D(TSqlUpdaterV2);
    d->where.append(iField, iValue, iOperator);
    return *this;
}

TSqlUpdaterV2 &TSqlUpdaterV2::addWhere(const TSqlWhereAbsV2 &iNode)
{
    Q_D(TSqlUpdaterV2);
    d->where.append(iNode);
    return *this;
}
