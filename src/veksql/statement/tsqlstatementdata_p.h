#ifndef TSQLSTATEMENTDATA_P_H
#define TSQLSTATEMENTDATA_P_H

#include "tscriptvalue.h"
#include "tsqlwherecompsitev2.h"

#include <QStringList>
#include <QVariant>
#include <QVariantMap>

// Internal to the statement builders: how their map constructors read keys.
namespace TSqlStatementKeys {

//! True when the upper-cased key \a iKey is \a iName or \a iOther.
bool is(const QString &iKey, const char *iName, const char *iOther = nullptr);

//! Appends a list value element by element, any other value as one text.
void appendTexts(QStringList &oList, const QVariant &iValue);

//! Reads the keys every statement description knows: "CONNECTIONNAME"/
//! "CONNECTION_NAME", "TABLE" and "USERDATA"/"USER_DATA". False for others.
bool readCommon(const QString &iKey, const QVariant &iValue, QString &oConnectionName, QString &oTable,
                QVariant &oUserData);

//! Calls \a iVisit with each upper-cased key and its value, in key order.
template<typename Visit>
void forEach(const QVariantMap &iMap, Visit iVisit)
{
    const QVariantMap map = TScriptValue::toPlain(iMap).toMap();
    for (auto it = map.cbegin(); it != map.cend(); ++it)
        iVisit(it.key().toUpper(), it.value());
}

} // namespace TSqlStatementKeys

// The properties of the insert, update and delete descriptions. Each class
// keeps a private record derived from this one and uses the part it needs.
struct TSqlRowStatementData
{
    enum Part {
        Columns = 0x1,       // fields, data, unique fields, update policy
        AutoIncrement = 0x2, // the auto-increment field
        Where = 0x4          // the where tree
    };

    QString connectionName {QLatin1String("")};
    QString table {QLatin1String("")};
    QStringList field;
    QVariantMap data;
    QStringList uniqueField;
    QString autoIncrementField {QLatin1String("")};
    TSqlWhereCompsiteV2 where;
    QVariant userData;
    QVariantMap updatePolicy;

    //! Reads the keys of \a iMap that belong to \a iParts (a Part mask).
    void readMap(const QVariantMap &iMap, int iParts);
    //! Every property back to its default, except the update policy.
    void clear();
};

#endif // TSQLSTATEMENTDATA_P_H
