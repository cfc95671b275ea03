#ifndef TSQLQUERYV2_P_H
#define TSQLQUERYV2_P_H

#include "tsqlqueryv2.h"

#include "terror.h"
#include "tsqldialect_p.h"
#include "tsqlselectorv2.h"

#include <QHash>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVector>

#include <functional>

// One running select: the query and what every row shaper needs of its columns.
class TSqlSelectRun
{
public:
    QSqlQuery query;
    QStringList names;    // every column, in result order
    QVector<int> columns; // the column indexes shown, the paging column left out
    QStringList formats;  // field format per column index

    QVariant value(int iColumn) const;
    QVariantMap rowMap() const;
    QVariantList rowList() const;
    QStringList fieldNames() const;
    // The name of the n-th shown column; empty when there are fewer.
    QString shownName(int iPosition) const;
};

class TSqlQueryV2Private
{
    Q_DECLARE_PUBLIC(TSqlQueryV2)

public:
    explicit TSqlQueryV2Private(TSqlQueryV2 *iQ);

    void checkQueryError(const QSqlQuery &iQuery);
    // Adds a driver failure to the error record, once per distinct text.
    void checkQueryError(const QSqlError &iError);
    void logSql(const QString &iSqlStr) const;
    // The identifier quote of the dialect.
    QString identifierQuote() const;
    // A name between identifier quotes, quote characters inside it doubled.
    QString quoteName(const QString &iName) const;
    // A name prepared to sit between identifier quotes that a helper adds.
    QString escapeName(const QString &iName) const;

    // Runs one select by the common steps and hands every fetched row to
    // iRow; iHeader sees the columns before the first row. False when the
    // connection could not be opened (nothing ran).
    bool runSelect(const QString &iSqlStr, const QVariantMap &iFieldFormat, const QVariantMap &iParamMap,
                   bool iCheckPrepared, bool iFirstRowOnly, const std::function<void(const TSqlSelectRun &)> &iHeader,
                   const std::function<void(const TSqlSelectRun &)> &iRow);

    // Runs a text overload of the executor with the statement a selector
    // writes for this connection's dialect.
    template<typename R>
    R bySelector(const TSqlSelectorV2 &iSelector,
                 R (TSqlQueryV2::*iTextForm)(const QString &, const QVariantMap &, QVariantMap));
    TSqlSelectorV2 forConnection(const TSqlSelectorV2 &iSelector) const;

    int updateRow(const QString &iTableStr, const QVariantMap &iDataMap, const QVariant &iWhere,
                  const QVariantMap &iUpdatePolicy, const QStringList &iFields, bool *oFailed);
    // The insert statement of one row of iFields, one placeholder a column.
    QString insertSql(const QString &iTableStr, const QStringList &iFields) const;

    // The prepared statement for an insert text, reused while the connection
    // stays the same: preparing costs a round trip per row otherwise.
    // *oPrepared tells whether it was prepared just now.
    QSqlQuery preparedInsert(const QString &iSqlStr, bool *oPrepared);
    void dropPreparedInserts();

    // The database type under which literals are written for this
    // connection: the driver name, except for a MySQL or MariaDB session in
    // NO_BACKSLASH_ESCAPES mode, which the server is asked for once per
    // connection.
    QString literalType() const;
    mutable QString literalTypeConnection;
    mutable QString literalTypeCache;

    // U+0000 cuts a statement in the drivers and cannot be stored in
    // PostgreSQL text: such a value is refused before anything is sent. These
    // set the error record and give true when they refuse.
    bool refuseNulValues(const QVariantMap &iData, const QStringList &iFields);
    bool refuseNulCondition(const QString &iSqlStr, const QVariant &iWhere);
    void setNulError(const QString &iField);

    // A name that a statement would write as it stands is refused unless the
    // dialect accepts it for its place: before anything is sent and before
    // any transaction level is opened. These set the error record (code
    // "SQL_NAME_REFUSED", the name in the text) and give true when they refuse.
    bool refuseName(const QString &iName, TSqlNameUse iUse, const QString &iRole);
    bool refuseNames(const QStringList &iNames, TSqlNameUse iUse, const QString &iRole);
    bool refuseNames(const QList<TSqlBareName> &iNames);
    // The column names of a condition map or list; a condition text is the caller's SQL.
    bool refuseConditionNames(const QVariant &iWhere);
    // The fields of the simple nodes of a where tree; string nodes are the caller's SQL.
    bool refuseWhereNames(const TSqlWhereAbsV2 &iNode, int iDepth = 0);
    bool refuseSelectorNames(const TSqlSelectorV2 &iSelector);
    void setRefusal(const QString &iText);

    // Takes the connection and the dialect of its driver.
    void setConnection(const QSqlDatabase &iDatabase);

    int transNum = 0;
    QSqlDatabase database;
    // The dialect of the connection's driver; nullptr for a driver none knows.
    const TSqlDialect *dialect = nullptr;
    TError error;
    QString lastErrorText;
    // The first select of the transaction that failed: the commit names it
    // with the error record. Emptied with the record.
    QString failedStatement;
    bool closed = false;
    // Whether the outermost begin got a transaction from the driver, so that a
    // refused commit can be told from a commit with nothing to commit.
    bool transactionStarted = false;
    QHash<QString, QSqlQuery> insertCache;
    TSqlQueryV2 *q_ptr;

    // Schema operations
    // Sets the executor's error record to a refusal of the operation itself.
    void setSchemaError(const QString &iText, const QString &iType);
    // Runs a dialect's statements the way it asks.
    bool runBatch(const TSqlStatementBatch &iBatch);
    // Runs statements one at a time inside one transaction level, stopping
    // and rolling back at the first failure. iDirect runs them on a plain
    // query instead of through execSql.
    bool runStatementList(const QStringList &iStatements, bool iDirect);
    // createTable with declared types that replace the portable words of the
    // named columns (a rebuild keeps them).
    bool createTableWith(const QString &iTableStr, const QVariantMap &iTableStructVarMap,
                         const QHash<QString, QString> &iNativeTypes);
    void addCreateKeys(TSqlCreatePlan &ioPlan, const QVariantList &iIndexes) const;
    // The rebuild through a backup table: iChange turns the current
    // structure into the new one, fills the columns to copy and names the
    // columns it redefines (the others keep their declared types).
    bool rebuildTable(
            const QString &iTableStr,
            const std::function<void(QVariantMap &ioStruct, QStringList &oCopy, QStringList &oRedefined)> &iChange);

    // Migration: a rebuild to the wanted structure, or statements that alter
    // the table in place.
    bool migrateByRebuild(const QString &iTableStr, const QVariantMap &iWanted);
    bool migrateInPlace(const QString &iTableStr, const QVariantMap &iWanted);
    QStringList migrationAlters(const QString &iTableStr, const QVariantList &iWanted, const QVariantList &iCurrent,
                                bool iOldServer) const;
    QStringList migrationAdds(const QString &iTableStr, const QVariantList &iWanted, const QStringList &iExisting,
                              bool iOldServer) const;
    // Every unique constraint the table has, dropped in descending name order.
    QStringList uniqueDrops(const QString &iTableStr);
    // The wanted unique constraints; oColumns gathers the columns they name.
    QStringList uniqueAdds(const QString &iTableStr, const QVariantList &iIndexes, QStringList *oColumns) const;
    // Whether every column of a unique constraint is there or added; sets the error when not.
    bool uniqueColumnsExist(const QStringList &iColumns, const QVariantList &iWanted, const QStringList &iExisting);
};

template<typename R>
R TSqlQueryV2Private::bySelector(const TSqlSelectorV2 &iSelector,
                                 R (TSqlQueryV2::*iTextForm)(const QString &, const QVariantMap &, QVariantMap))
{
    if (refuseSelectorNames(iSelector)) {
        return R();
    }
    const TSqlSelectorV2 selector = forConnection(iSelector);
    return (q_ptr->*iTextForm)(selector.toSql(), selector.fieldFormat(), QVariantMap());
}

#endif // TSQLQUERYV2_P_H
