#ifndef TSQLLITERAL_P_H
#define TSQLLITERAL_P_H

#include <QString>
#include <QVariant>

// Internal to the statement layer: the literal rules shared by the value
// helpers and the where-clause tree.
namespace TSqlLiteral {

//! True for the list types that conditions expand (QVariantList, QStringList).
bool isList(const QVariant &iValue);

//! \a iValue converted for SQL and written as a quoted string literal for
//! the driver \a iDatabaseType (empty: the dialect-neutral form).
QString quote(const QVariant &iValue, const QString &iDatabaseType);

} // namespace TSqlLiteral

#endif // TSQLLITERAL_P_H
