#ifndef TSQLLITERAL_P_H
#define TSQLLITERAL_P_H

#include <QString>
#include <QVariant>

// Internal to the statement layer: the literal rules shared by the value
// helpers and the where-clause tree.
namespace TSqlLiteral {

//! The database type under which literals are written for a MySQL or
//! MariaDB session in NO_BACKSLASH_ESCAPES mode: a backslash is then an
//! ordinary character, and only quotes are doubled.
inline QString mysqlNoBackslashEscapes() { return QStringLiteral("QMYSQL_NO_BACKSLASH_ESCAPES"); }

//! True for the list types that conditions expand (QVariantList, QStringList).
bool isList(const QVariant &iValue);

//! \a iValue converted for SQL and written as a quoted string literal for
//! the driver \a iDatabaseType (empty: the dialect-neutral form).
QString quote(const QVariant &iValue, const QString &iDatabaseType);

} // namespace TSqlLiteral

#endif // TSQLLITERAL_P_H
