#ifndef TSQLDELETERV2_H
#define TSQLDELETERV2_H

#include "veksql_export.h"

#include "tsqlwherecompsitev2.h"

#include <QString>
#include <QVariant>
#include <QVariantMap>

class TSqlDeleterV2Private;

/*!
 * Describes one DELETE: table and where tree. The executor reads the
 * properties and writes the statement, rendering the where tree for the
 * dialect of its connection.
 *
 * The map constructor reads, matched after upper-casing: "TABLE", "WHERE",
 * "USERDATA"/"USER_DATA" and "CONNECTIONNAME"/"CONNECTION_NAME".
 */
class VEKSQL_EXPORT TSqlDeleterV2
{
public:
    TSqlDeleterV2();
    explicit TSqlDeleterV2(const QString &iTable);
    explicit TSqlDeleterV2(const QVariantMap &iMap);
    TSqlDeleterV2(const TSqlDeleterV2 &iOther);
    TSqlDeleterV2 &operator=(const TSqlDeleterV2 &iOther);
    ~TSqlDeleterV2();

    QString connectionName() const;
    TSqlDeleterV2 &setConnectionName(const QString &iName);

    QString table() const;
    TSqlDeleterV2 &setTable(const QString &iTable);

    TSqlWhereCompsiteV2 where() const;
    TSqlWhereCompsiteV2 &whereRef();
    //! Replaces the where tree by one raw SQL condition.
    TSqlDeleterV2 &setWhere(const QString &iSql);
    //! Replaces the where tree by one comparison.
    TSqlDeleterV2 &setWhere(const QString &iField, const QVariant &iValue, const QString &iOperator);
    //! Makes the where tree a deep copy of \a iWhere.
    TSqlDeleterV2 &setWhere(const TSqlWhereCompsiteV2 &iWhere);
    TSqlDeleterV2 &addWhere(const QString &iSql);
    TSqlDeleterV2 &addWhere(const QString &iField, const QVariant &iValue, const QString &iOperator);
    //! Appends a clone of \a iNode.
    TSqlDeleterV2 &addWhere(const TSqlWhereAbsV2 &iNode);

    QVariant userData() const;
    TSqlDeleterV2 &setUserData(const QVariant &iData);

    //! Every property back to its default.
    TSqlDeleterV2 &clear();

private:
    TSqlDeleterV2Private *d_ptr;
    Q_DECLARE_PRIVATE(TSqlDeleterV2)
};

#endif // TSQLDELETERV2_H
