#ifndef TSQLINSERTERV2_H
#define TSQLINSERTERV2_H

#include "veksql_export.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>

class TSqlInserterV2Private;

/*!
 * Describes one INSERT, or one insert-or-update keyed by the unique fields.
 * The executor reads the properties and writes the statement.
 *
 * The map constructor reads, matched after upper-casing: "TABLE", "FIELD",
 * "DATA", "UNIQUEFIELD"/"UNIQUE_FIELD", "AUTOINCREMENTFIELD"/
 * "AUTO_INCREMENT_FIELD"/"RETURNID"/"RETURN_ID" (true means "id"),
 * "UPDATEPOLICY"/"UPDATE_POLICY", "USERDATA"/"USER_DATA" and
 * "CONNECTIONNAME"/"CONNECTION_NAME".
 */
class VEKSQL_EXPORT TSqlInserterV2
{
public:
    TSqlInserterV2();
    explicit TSqlInserterV2(const QString &iTable);
    explicit TSqlInserterV2(const QVariantMap &iMap);
    TSqlInserterV2(const TSqlInserterV2 &iOther);
    TSqlInserterV2 &operator=(const TSqlInserterV2 &iOther);
    ~TSqlInserterV2();

    QString connectionName() const;
    TSqlInserterV2 &setConnectionName(const QString &iName);

    QString table() const;
    TSqlInserterV2 &setTable(const QString &iTable);

    QStringList field() const;
    QStringList &fieldRef();
    TSqlInserterV2 &setField(const QStringList &iFields);
    TSqlInserterV2 &addField(const QString &iField);

    QVariantMap data() const;
    TSqlInserterV2 &setData(const QVariantMap &iData);

    QStringList uniqueField() const;
    QStringList &uniqueFieldRef();
    TSqlInserterV2 &setUniqueField(const QString &iField);
    TSqlInserterV2 &setUniqueField(const QStringList &iFields);
    TSqlInserterV2 &addUniqueField(const QString &iField);

    QString autoIncrementField() const;
    TSqlInserterV2 &setAutoIncrementField(const QString &iField);

    QVariantMap updatePolicy() const;
    QVariant updatePolicy(const QString &iField) const;
    TSqlInserterV2 &setUpdatePolicy(const QVariantMap &iPolicy);
    TSqlInserterV2 &setUpdatePolicy(const QString &iField, const QVariant &iPolicy);

    QVariant userData() const;
    TSqlInserterV2 &setUserData(const QVariant &iData);

    //! Every property back to its default; the update policy is kept.
    TSqlInserterV2 &clear();

private:
    TSqlInserterV2Private *d_ptr;
    Q_DECLARE_PRIVATE(TSqlInserterV2)
};

#endif // TSQLINSERTERV2_H
