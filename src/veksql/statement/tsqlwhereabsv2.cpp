#include "tsqlwhereabsv2.h"

TSqlWhereAbsV2::TSqlWhereAbsV2() = default;

TSqlWhereAbsV2::~TSqlWhereAbsV2() = default;

TSqlWhereAbsV2 *TSqlWhereAbsV2::clone() const { return nullptr; }

QString TSqlWhereAbsV2::toSql() const { return QString(); }

QString TSqlWhereAbsV2::toSql(const QString &iDatabaseType) const
{
    Q_UNUSED(iDatabaseType)
    return toSql();
}
