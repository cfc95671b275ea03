#ifndef TSQLSELECTORV2_H
#define TSQLSELECTORV2_H

#include "veksql_export.h"

#include "tsqlwherecompsitev2.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>

class TSqlSelectorV2Private;

/*!
 * Describes one SELECT: table, columns, where tree, grouping, ordering and
 * paging, plus the options the select operations read while they turn rows
 * into results. toSql() writes the paging in the dialect of databaseType()
 * ("QPSQL" by default); toSelectCountSql() the matching SELECT COUNT(*).
 * Names and order terms are written unchanged: the builder quotes nothing.
 * The executor runs a selector only when its table, columns, terms and
 * where fields are names (plain or quoted identifiers, optionally
 * qualified), so that none of them carries SQL of its own.
 *
 * The map constructor reads, matched after upper-casing: "TABLE", "FIELD",
 * "WHERE", "GROUP", "ORDER", "OFFSET", "LIMIT", "CASETYPE"/"CASE_TYPE",
 * "UNIQUEFIELD"/"UNIQUE_FIELD", "RETURNROWCOUNT"/"RETURN_ROW_COUNT",
 * "DATABASETYPE"/"DATABASE_TYPE", "USERDATA"/"USER_DATA",
 * "FIELDFORMAT"/"FIELD_FORMAT", "VALUEFIELD"/"VALUE_FIELD" and
 * "CONNECTIONNAME"/"CONNECTION_NAME".
 */
class VEKSQL_EXPORT TSqlSelectorV2
{
public:
    TSqlSelectorV2();
    explicit TSqlSelectorV2(const QString &iTable);
    explicit TSqlSelectorV2(const QVariantMap &iMap);
    TSqlSelectorV2(const TSqlSelectorV2 &iOther);
    TSqlSelectorV2 &operator=(const TSqlSelectorV2 &iOther);
    ~TSqlSelectorV2();

    QString connectionName() const;
    TSqlSelectorV2 &setConnectionName(const QString &iName);

    QString table() const;
    TSqlSelectorV2 &setTable(const QString &iTable);

    QStringList field() const;
    QStringList &fieldRef();
    TSqlSelectorV2 &setField(const QString &iField);
    TSqlSelectorV2 &setField(const QStringList &iFields);
    TSqlSelectorV2 &addField(const QString &iField);
    //! Removes every occurrence of \a iField.
    TSqlSelectorV2 &removeField(const QString &iField);

    TSqlWhereCompsiteV2 where() const;
    TSqlWhereCompsiteV2 &whereRef();
    //! Replaces the where tree by one raw SQL condition.
    TSqlSelectorV2 &setWhere(const QString &iSql);
    //! Replaces the where tree by one comparison.
    TSqlSelectorV2 &setWhere(const QString &iField, const QVariant &iValue, const QString &iOperator);
    //! Makes the where tree a deep copy of \a iWhere.
    TSqlSelectorV2 &setWhere(const TSqlWhereCompsiteV2 &iWhere);
    TSqlSelectorV2 &addWhere(const QString &iSql);
    TSqlSelectorV2 &addWhere(const QString &iField, const QVariant &iValue, const QString &iOperator);
    //! Appends a clone of \a iNode.
    TSqlSelectorV2 &addWhere(const TSqlWhereAbsV2 &iNode);

    QStringList group() const;
    QStringList &groupRef();
    TSqlSelectorV2 &setGroup(const QString &iField);
    TSqlSelectorV2 &setGroup(const QStringList &iFields);
    TSqlSelectorV2 &addGroup(const QString &iField);
    //! Removes every occurrence of \a iField.
    TSqlSelectorV2 &removeGroup(const QString &iField);

    QStringList order() const;
    QStringList &orderRef();
    //! Makes the order exactly "<field> ASC" or "<field> DESC".
    TSqlSelectorV2 &setOrder(const QString &iField, Qt::SortOrder iOrder);
    //! Replaces the order terms; they are written as given.
    TSqlSelectorV2 &setOrder(const QStringList &iOrders);
    //! Appends "<field> ASC" or "<field> DESC".
    TSqlSelectorV2 &addOrder(const QString &iField, Qt::SortOrder iOrder);

    int offset() const;
    TSqlSelectorV2 &setOffset(int iOffset);
    int limit() const;
    TSqlSelectorV2 &setLimit(int iLimit);
    //! Limit \a iPageSize and offset (\a iPage - 1) * \a iPageSize; pages count from 1.
    TSqlSelectorV2 &setPage(int iPage, int iPageSize);

    QString uniqueField() const;
    TSqlSelectorV2 &setUniqueField(const QString &iField);

    int fieldCaseType() const;
    TSqlSelectorV2 &setFieldCaseType(int iType);

    bool isReturnRowCount() const;
    TSqlSelectorV2 &setReturnRowCount(bool iReturn);

    QVariant userData() const;
    TSqlSelectorV2 &setUserData(const QVariant &iData);

    QVariantMap fieldFormat() const;
    QVariant fieldFormat(const QString &iField) const;
    TSqlSelectorV2 &setFieldFormat(const QVariantMap &iFormats);
    TSqlSelectorV2 &setFieldFormat(const QString &iField, const QVariant &iFormat);

    QString databaseType() const;
    //! Stores the driver name upper-cased.
    TSqlSelectorV2 &setDatabaseType(const QString &iType);

    QString valueField() const;
    TSqlSelectorV2 &setValueField(const QString &iField);

    //! Every property back to its default, except the database type and the
    //! return-row-count flag.
    TSqlSelectorV2 &clear();

    //! The SELECT statement, paged in the dialect of databaseType().
    QString toSql() const;
    //! SELECT COUNT(*) with the same table, where tree and grouping.
    QString toSelectCountSql() const;

    static QString sortOrderToString(Qt::SortOrder iOrder);
    static Qt::SortOrder sortOrderFromString(const QString &iStr);

private:
    TSqlSelectorV2Private *d_ptr;
    Q_DECLARE_PRIVATE(TSqlSelectorV2)
};

#endif // TSQLSELECTORV2_H
