#ifndef TSQLWHERESIMPLEV2_H
#define TSQLWHERESIMPLEV2_H

#include "tsqlwhereabsv2.h"

#include <QVariant>

class TSqlWhereSimpleV2Private;

/*!
 * One column compared with one value, or with a list of values: "=", "==",
 * "!=", "LIKE", "NOT LIKE" (also written "NOTLIKE") or any other operator,
 * which is written between column and value as given. Values are always
 * written as quoted literals; the column is written unchanged, and the
 * executor runs a tree only when every such column is a name.
 *
 * The database type picks the dialect: PostgreSQL ("QPSQL", the default)
 * matches LIKE case-insensitively with ILIKE. A node given no type of its own
 * renders for the dialect of the statement that renders it.
 */
class VEKSQL_EXPORT TSqlWhereSimpleV2 : public TSqlWhereAbsV2
{
public:
    TSqlWhereSimpleV2();
    TSqlWhereSimpleV2(const QString &iField, const QVariant &iValue, const QString &iOperator);
    TSqlWhereSimpleV2(const TSqlWhereSimpleV2 &iOther);
    TSqlWhereSimpleV2 &operator=(const TSqlWhereSimpleV2 &iOther);
    ~TSqlWhereSimpleV2() override;

    QString field() const;
    QVariant value() const;
    QString getOperator() const;
    //! The node's own driver name, "QPSQL" when none was set.
    QString databaseType() const;

    TSqlWhereSimpleV2 &setField(const QString &iField);
    TSqlWhereSimpleV2 &setValue(const QVariant &iValue);
    TSqlWhereSimpleV2 &setOperator(const QString &iOperator);
    TSqlWhereSimpleV2 &setDatabaseType(const QString &iDatabaseType);

    TSqlWhereAbsV2 *clone() const override;
    QString toSql() const override;
    QString toSql(const QString &iDatabaseType) const override;

private:
    TSqlWhereSimpleV2Private *d_ptr;
    Q_DECLARE_PRIVATE(TSqlWhereSimpleV2)
};

#endif // TSQLWHERESIMPLEV2_H
