#include "tsqlinserterv2.h"
#include "tsqlinserterv2_p.h"

TSqlInserterV2::TSqlInserterV2()
    : d_ptr(new TSqlInserterV2Private(this))
{}

TSqlInserterV2::TSqlInserterV2(const QString &iTable)
    : d_ptr(new TSqlInserterV2Private(this))
{
    d_ptr->table = iTable;
}

TSqlInserterV2::TSqlInserterV2(const QVariantMap &iMap)
    : d_ptr(new TSqlInserterV2Private(this))
{
    d_ptr->readMap(iMap, TSqlRowStatementData::Columns | TSqlRowStatementData::AutoIncrement);
}

TSqlInserterV2::TSqlInserterV2(const TSqlInserterV2 &iOther)
    : d_ptr(new TSqlInserterV2Private(this))
{
    static_cast<TSqlRowStatementData &>(*d_ptr) = *iOther.d_ptr;
}

TSqlInserterV2 &TSqlInserterV2::operator=(const TSqlInserterV2 &iOther)
{
    if (&iOther != this)
        static_cast<TSqlRowStatementData &>(*d_ptr) = *iOther.d_ptr;
    return *this;
}

TSqlInserterV2::~TSqlInserterV2() { delete d_ptr; }

QString TSqlInserterV2::connectionName() const
{
    Q_D(const TSqlInserterV2);
    return d->connectionName;
}

TSqlInserterV2 &TSqlInserterV2::setConnectionName(const QString &iName)
{
    Q_D(TSqlInserterV2);
    d->connectionName = iName;
    return *this;
}

QString TSqlInserterV2::table() const
{
    Q_D(const TSqlInserterV2);
    return d->table;
}

TSqlInserterV2 &TSqlInserterV2::setTable(const QString &iTable)
{
    Q_D(TSqlInserterV2);
    d->table = iTable;
    return *this;
}

QVariant TSqlInserterV2::userData() const
{
    Q_D(const TSqlInserterV2);
    return d->userData;
}

TSqlInserterV2 &TSqlInserterV2::setUserData(const QVariant &iData)
{
    Q_D(TSqlInserterV2);
    d->userData = iData;
    return *this;
}

TSqlInserterV2 &TSqlInserterV2::clear()
{
    Q_D(TSqlInserterV2);
    d->clear();
    return *this;
}

QStringList TSqlInserterV2::field() const
{
    Q_D(const TSqlInserterV2);
    return d->field;
}

QStringList &TSqlInserterV2::fieldRef()
{
    Q_D(TSqlInserterV2);
    return d->field;
}

TSqlInserterV2 &TSqlInserterV2::setField(const QStringList &iFields)
{
    Q_D(TSqlInserterV2);
    d->field = iFields;
    return *this;
}

TSqlInserterV2 &TSqlInserterV2::addField(const QString &iField)
{
    Q_D(TSqlInserterV2);
    d->field.append(iField);
    return *this;
}

QVariantMap TSqlInserterV2::data() const
{
    Q_D(const TSqlInserterV2);
    return d->data;
}

TSqlInserterV2 &TSqlInserterV2::setData(const QVariantMap &iData)
{
    Q_D(TSqlInserterV2);
    d->data = iData;
    return *this;
}

QStringList TSqlInserterV2::uniqueField() const
{
    Q_D(const TSqlInserterV2);
    return d->uniqueField;
}

QStringList &TSqlInserterV2::uniqueFieldRef()
{
    Q_D(TSqlInserterV2);
    return d->uniqueField;
}

TSqlInserterV2 &TSqlInserterV2::setUniqueField(const QString &iField)
{
    Q_D(TSqlInserterV2);
    d->uniqueField = QStringList {iField};
    return *this;
}

TSqlInserterV2 &TSqlInserterV2::setUniqueField(const QStringList &iFields)
{
    Q_D(TSqlInserterV2);
    d->uniqueField = iFields;
    return *this;
}

TSqlInserterV2 &TSqlInserterV2::addUniqueField(const QString &iField)
{
    Q_D(TSqlInserterV2);
    d->uniqueField.append(iField);
    return *this;
}

QVariantMap TSqlInserterV2::updatePolicy() const
{
    Q_D(const TSqlInserterV2);
    return d->updatePolicy;
}

QVariant TSqlInserterV2::updatePolicy(const QString &iField) const
{
    Q_D(const TSqlInserterV2);
    return d->updatePolicy.value(iField);
}

TSqlInserterV2 &TSqlInserterV2::setUpdatePolicy(const QVariantMap &iPolicy)
{
    Q_D(TSqlInserterV2);
    d->updatePolicy = iPolicy;
    return *this;
}

TSqlInserterV2 &TSqlInserterV2::setUpdatePolicy(const QString &iField, const QVariant &iPolicy)
{
    Q_D(TSqlInserterV2);
    d->updatePolicy.insert(iField, iPolicy);
    return *this;
}

QString TSqlInserterV2::autoIncrementField() const
{
    Q_D(const TSqlInserterV2);
    return d->autoIncrementField;
}

TSqlInserterV2 &TSqlInserterV2::setAutoIncrementField(const QString &iField)
{
    Q_D(TSqlInserterV2);
    d->autoIncrementField = iField;
    return *this;
}
