#ifndef TSQLDATAUTILV2_H
#define TSQLDATAUTILV2_H

#include "veksql_export.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>

class TSqlWhereCompsiteV2;

/*!
 * Static text and value functions shared by the statement executor, the
 * statement builders and the where-clause tree: quoting, conversion of values
 * for binding or for literals, conversion of values read from the database by
 * a field format, PostgreSQL array literals, simple conditions built from
 * variants, and the "${name}" placeholders of statement texts.
 *
 * Functions that take a database type (a Qt driver name such as "QPSQL")
 * write literals that mean the same text on that server; an empty type
 * gives the dialect-neutral form.
 */
class VEKSQL_EXPORT TSqlDataUtilV2
{
public:
    //! \a iStr in double quotes, each double quote preceded by a backslash.
    static QString doubleQuote(const QString &iStr);
    //! \a iStr in single quotes, backslashes and single quotes doubled.
    static QString singleQuote(const QString &iStr);
    //! \a iStr as a string literal for the driver \a iDatabaseType: "QPSQL"
    //! writes E'...' when the text holds a backslash, "QSQLITE", "QODBC" and
    //! "QOCI" double only single quotes, any other type as singleQuote(iStr).
    static QString singleQuote(const QString &iStr, const QString &iDatabaseType);

    //! \a iValue made ready for binding or for a literal: null becomes a null
    //! string, a map its compact JSON text, a list a PostgreSQL array literal
    //! (an empty list an invalid value), dates and times their ISO-like text.
    static QVariant variantToSqlValue(const QVariant &iValue);
    //! \a iValue read from the database, converted by the field format
    //! \a iFormat ("YYYY-MM-DD", "ARRAY", "JSON", "STRING", ...).
    static QVariant formatSqlValue(const QVariant &iValue, const QString &iFormat);
    //! The elements of the PostgreSQL array literal \a iStr.
    static QStringList sqlArrayToList(const QString &iStr);

    //! Appends to \a oWhere the conditions that \a iCondition describes: a
    //! map of field to value (or to {value, operator}), a list of such maps
    //! and raw SQL texts, or one raw SQL text. Field names are written
    //! unchanged, and the executor refuses a statement whose field names are
    //! not names; operators are SQL text written unchanged (only values are
    //! quoted): they must never come from untrusted input.
    static void fillWhere(TSqlWhereCompsiteV2 &oWhere, const QVariant &iCondition);
    //! One condition on \a iField; \a iQuote is written around the field name,
    //! \a iListAsIn turns a list value into an IN condition.
    static QString variant2EqualWhere(const QString &iField, const QVariant &iValue, const QString &iQuote,
                                      bool iListAsIn, const QString &iDatabaseType = QString());
    //! Equality conditions joined by " AND ": from a text (taken trimmed), a
    //! map of field to value, or a list of field names whose values come from
    //! \a iValueMap. Field names are written unchanged, as for fillWhere.
    static QString variant2AndWhere(const QVariant &iCondition, const QVariantMap &iValueMap, const QString &iQuote,
                                    const QString &iDatabaseType = QString());

    //! The names of the "${name}" placeholders in \a iStr, in order.
    static QStringList strCapDollar(const QString &iStr);
    //! \a iStr with the placeholders of \a iNames replaced by the texts of
    //! \a iValues (empty for a missing name), inserted unquoted.
    static QString strReplaceDollar(const QString &iStr, const QStringList &iNames, const QVariantMap &iValues);

private:
    TSqlDataUtilV2() = delete;
};

#endif // TSQLDATAUTILV2_H
