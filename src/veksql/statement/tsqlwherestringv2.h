#ifndef TSQLWHERESTRINGV2_H
#define TSQLWHERESTRINGV2_H

#include "tsqlwhereabsv2.h"

class TSqlWhereStringV2Private;

/*!
 * Raw SQL written by the caller, rendered exactly as given.
 */
class VEKSQL_EXPORT TSqlWhereStringV2 : public TSqlWhereAbsV2
{
public:
    TSqlWhereStringV2();
    explicit TSqlWhereStringV2(const QString &iString);
    TSqlWhereStringV2(const TSqlWhereStringV2 &iOther);
    TSqlWhereStringV2 &operator=(const TSqlWhereStringV2 &iOther);
    ~TSqlWhereStringV2() override;

    QString string() const;
    TSqlWhereStringV2 &setString(const QString &iString);

    TSqlWhereAbsV2 *clone() const override;
    QString toSql() const override;
    QString toSql(const QString &iDatabaseType) const override;

private:
    TSqlWhereStringV2Private *d_ptr;
    Q_DECLARE_PRIVATE(TSqlWhereStringV2)
};

#endif // TSQLWHERESTRINGV2_H
