#ifndef TSQLWHEREABSV2_H
#define TSQLWHEREABSV2_H

#include "veksql_export.h"

#include <QString>

/*!
 * The base node of a where-clause tree. A plain base node renders nothing;
 * the composite, simple and string nodes derive from it.
 *
 * A tree renders either on its own (toSql()) or for the dialect of the
 * statement it belongs to (toSql(databaseType)). Simple nodes that were not
 * given a database type of their own follow the statement's dialect.
 */
class VEKSQL_EXPORT TSqlWhereAbsV2
{
public:
    TSqlWhereAbsV2();
    TSqlWhereAbsV2(const TSqlWhereAbsV2 &iOther) = default;
    TSqlWhereAbsV2 &operator=(const TSqlWhereAbsV2 &iOther) = default;
    virtual ~TSqlWhereAbsV2();

    //! A new heap copy of this node, owned by the caller; null for the base.
    virtual TSqlWhereAbsV2 *clone() const;
    //! The node's condition text; empty for the base.
    virtual QString toSql() const;
    //! The node's condition text for the driver \a iDatabaseType ("QPSQL",
    //! "QMYSQL", ...); an empty type renders as toSql() does. A node that
    //! knows nothing of dialects renders its plain text.
    virtual QString toSql(const QString &iDatabaseType) const;
};

#endif // TSQLWHEREABSV2_H
