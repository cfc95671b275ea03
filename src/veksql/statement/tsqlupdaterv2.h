#ifndef TSQLUPDATERV2_H
#define TSQLUPDATERV2_H

#include "veksql_export.h"

#include "tsqlwherecompsitev2.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>

class TSqlUpdaterV2Private;

/*!
 * Describes one UPDATE: table, columns with their values, where tree and
 * per-column update policy ("JSON_MERGE", "ARRAY_APPEND"). The executor reads
 * the properties and writes the statement, rendering the where tree for the
 * dialect of its connection.
 *
 * The map constructor reads, matched after upper-casing: "TABLE", "FIELD",
 * "DATA", "UNIQUEFIELD"/"UNIQUE_FIELD", "WHERE", "UPDATEPOLICY"/
 * "UPDATE_POLICY", "USERDATA"/"USER_DATA" and "CONNECTIONNAME"/
 * "CONNECTION_NAME".
 */
class VEKSQL_EXPORT TSqlUpdaterV2
{
public:
    TSqlUpdaterV2();
    explicit TSqlUpdaterV2(const QString &iTable);
    explicit TSqlUpdaterV2(const QVariantMap &iMap);
    TSqlUpdaterV2(const TSqlUpdaterV2 &iOther);
    TSqlUpdaterV2 &operator=(const TSqlUpdaterV2 &iOther);
    ~TSqlUpdaterV2();

    QString connectionName() const;
    TSqlUpdaterV2 &setConnectionName(const QString &iName);

    QString table() const;
    TSqlUpdaterV2 &setTable(const QString &iTable);

    QStringList field() const;
    QStringList &fieldRef();
    TSqlUpdaterV2 &setField(const QStringList &iFields);
    TSqlUpdaterV2 &addField(const QString &iField);

    QVariantMap data() const;
    TSqlUpdaterV2 &setData(const QVariantMap &iData);

    QStringList uniqueField() const;
    QStringList &uniqueFieldRef();
    TSqlUpdaterV2 &setUniqueField(const QString &iField);
    TSqlUpdaterV2 &setUniqueField(const QStringList &iFields);
    TSqlUpdaterV2 &addUniqueField(const QString &iField);

    QVariantMap updatePolicy() const;
    QVariant updatePolicy(const QString &iField) const;
    TSqlUpdaterV2 &setUpdatePolicy(const QVariantMap &iPolicy);
    TSqlUpdaterV2 &setUpdatePolicy(const QString &iField, const QVariant &iPolicy);

    TSqlWhereCompsiteV2 where() const;
    TSqlWhereCompsiteV2 &whereRef();
    //! Replaces the where tree by one raw SQL condition.
    TSqlUpdaterV2 &setWhere(const QString &iSql);
    //! Replaces the where tree by one comparison.
    TSqlUpdaterV2 &setWhere(const QString &iField, const QVariant &iValue, const QString &iOperator);
    //! Makes the where tree a deep copy of \a iWhere.
    TSqlUpdaterV2 &setWhere(const TSqlWhereCompsiteV2 &iWhere);
    TSqlUpdaterV2 &addWhere(const QString &iSql);
    TSqlUpdaterV2 &addWhere(const QString &iField, const QVariant &iValue, const QString &iOperator);
    //! Appends a clone of \a iNode.
    TSqlUpdaterV2 &addWhere(const TSqlWhereAbsV2 &iNode);

    QVariant userData() const;
    TSqlUpdaterV2 &setUserData(const QVariant &iData);

    //! Every property back to its default; the update policy is kept.
    TSqlUpdaterV2 &clear();

private:
    TSqlUpdaterV2Private *d_ptr;
    Q_DECLARE_PRIVATE(TSqlUpdaterV2)
};

#endif // TSQLUPDATERV2_H
