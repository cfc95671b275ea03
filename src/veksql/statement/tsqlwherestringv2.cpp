#include "tsqlwherestringv2.h"
#include "tsqlwherestringv2_p.h"

TSqlWhereStringV2::TSqlWhereStringV2()
    : d_ptr(new TSqlWhereStringV2Private(this))
{}

TSqlWhereStringV2::TSqlWhereStringV2(const QString &iString)
    : d_ptr(new TSqlWhereStringV2Private(this))
{
    d_ptr->string = iString;
}

TSqlWhereStringV2::TSqlWhereStringV2(const TSqlWhereStringV2 &iOther)
    : TSqlWhereAbsV2(iOther)
    , d_ptr(new TSqlWhereStringV2Private(this))
{
    d_ptr->string = iOther.d_ptr->string;
}

TSqlWhereStringV2 &TSqlWhereStringV2::operator=(const TSqlWhereStringV2 &iOther)
{
    d_ptr->string = iOther.d_ptr->string;
    return *this;
}

TSqlWhereStringV2::~TSqlWhereStringV2() { delete d_ptr; }

QString TSqlWhereStringV2::string() const
{
    Q_D(const TSqlWhereStringV2);
    return d->string;
}

TSqlWhereStringV2 &TSqlWhereStringV2::setString(const QString &iString)
{
    Q_D(TSqlWhereStringV2);
    d->string = iString;
    return *this;
}

TSqlWhereAbsV2 *TSqlWhereStringV2::clone() const { return new TSqlWhereStringV2(*this); }

QString TSqlWhereStringV2::toSql() const
{
    Q_D(const TSqlWhereStringV2);
    return d->string;
}

QString TSqlWhereStringV2::toSql(const QString &iDatabaseType) const
{
    // Raw SQL is the caller's own text in the caller's own dialect.
    Q_UNUSED(iDatabaseType)
    return toSql();
}
