#ifndef TSQLQUERYV2_H
#define TSQLQUERYV2_H

#include "veksql_export.h"

#include "terror.h"

#include <memory>

#include <QObject>
#include <QSqlDatabase>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>

class TSqlDeleterV2;
class TSqlInserterV2;
class TSqlQueryV2Private;
class TSqlSelectorV2;
class TSqlUpdaterV2;

/*!
 * Runs statements on one database connection, usually one that
 * TSqlConnectionPoolV2 handed to the calling thread. Every operation brings
 * its work between begin() and commit(), which count nesting levels: only
 * the outermost level starts and ends a database transaction. Failures are
 * never thrown; an operation returns its empty result and leaves the reason
 * in lastError(). Every public operation is a slot, so scripts reach it by
 * name. An executor is used from one thread at a time.
 *
 * A name that a statement writes as it stands (the table of a row write or
 * of a selector, a returned field, a where field, a select column or term,
 * a sequence) is a plain identifier (letters, digits, "_" and "$") or an
 * identifier between the dialect's quotes, optionally qualified; any other
 * is refused with the code "SQL_NAME_REFUSED" before anything is sent.
 * Names that the schema operations write between quotes may hold anything
 * but, where the driver reads its catalogue by a table name, a single quote.
 */
class VEKSQL_EXPORT TSqlQueryV2 : public QObject
{
    Q_OBJECT

public:
    explicit TSqlQueryV2(QObject *iParent = nullptr);
    explicit TSqlQueryV2(const QSqlDatabase &iDatabase, QObject *iParent = nullptr);
    ~TSqlQueryV2() override;

public Q_SLOTS:
    // ------------------------------------------------------------------
    // Connection and transactions

    //! Opens the connection when needed; with iCheckConnectionBol an open
    //! connection is probed and reopened when the probe fails.
    bool open(bool iCheckConnectionBol = true);
    //! Whether the dialect's probe statement runs on the connection.
    bool isConnected();
    //! Rolls back an open transaction and hands the connection back to the
    //! pool; false when the executor was closed already.
    bool close();
    //! Opens a transaction, or a nested level of the open one; false when the
    //! connection could not be opened.
    bool begin(bool iCheckConnectionBol = true);
    //! Leaves a nested level, or commits at the outermost one; returns the
    //! nesting depth afterwards (0 after a real commit).
    int commit();
    //! Leaves a nested level, or rolls back at the outermost one; returns the
    //! nesting depth afterwards.
    int rollback();
    //! Rolls back every open level at once; true when nothing was open.
    bool resetTransNum();
    //! Runs one statement text in its own transaction level.
    bool execSql(const QString &iSqlStr);
    //! A copy of the last failure.
    TError lastError() const;
    //! The text of the last failure.
    QString errorString() const;
    //! Forgets the last failure.
    void clearError();
    //! The driver name of the connection ("QPSQL", "QSQLITE", "QODBC", "QMYSQL", "QOCI").
    QString databaseType() const;
    //! Replaces the connection the statements run on; opens and releases nothing.
    TSqlQueryV2 &setDatabase(const QSqlDatabase &iDatabase);
    //! A copy of the connection handle.
    QSqlDatabase sqlDatabase() const;

    // ------------------------------------------------------------------
    // Selects

    //! The first row's values in column order.
    QVariantList selectArray(const TSqlSelectorV2 &iSqlSelector);
    //! The first row's values in column order, the selector read from a map.
    QVariantList selectArray(const QVariantMap &iDataMap);
    //! The first row's values in column order; iParamMap binds ":name" placeholders.
    QVariantList selectArray(const QString &iSqlStr, const QVariantMap &iFieldFormat,
                             QVariantMap iParamMap = QVariantMap());
    //! The first row as column name to value.
    QVariantMap selectMap(const TSqlSelectorV2 &iSqlSelector);
    //! The first row as column name to value, the selector read from a map.
    QVariantMap selectMap(const QVariantMap &iDataMap);
    //! The first row as column name to value; iParamMap binds ":name" placeholders.
    QVariantMap selectMap(const QString &iSqlStr, const QVariantMap &iFieldFormat,
                          QVariantMap iParamMap = QVariantMap());
    //! The first column of the first row.
    QVariant selectValue(const TSqlSelectorV2 &iSqlSelector);
    //! The first column of the first row, the selector read from a map. The
    //! map forms of the selects take their "where" field names and operators
    //! as SQL text, unchanged: they must never come from untrusted input.
    QVariant selectValue(const QVariantMap &iDataMap);
    //! The first column of the first row; iParamMap binds ":name" placeholders.
    QVariant selectValue(const QString &iSqlStr, const QVariantMap &iFieldFormat,
                         QVariantMap iParamMap = QVariantMap());
    //! Every row as a list of values.
    QVariantList selectArrayArray(const TSqlSelectorV2 &iSqlSelector);
    //! Every row as a list of values, the selector read from a map.
    QVariantList selectArrayArray(const QVariantMap &iDataMap);
    //! Every row as a list of values; iParamMap binds ":name" placeholders.
    QVariantList selectArrayArray(const QString &iSqlStr, const QVariantMap &iFieldFormat,
                                  QVariantMap iParamMap = QVariantMap());
    //! Every row as column name to value.
    QVariantList selectArrayMap(const TSqlSelectorV2 &iSqlSelector);
    //! Every row as column name to value, the selector read from a map.
    QVariantList selectArrayMap(const QVariantMap &iDataMap);
    //! Every row as column name to value; iParamMap binds ":name" placeholders.
    QVariantList selectArrayMap(const QString &iSqlStr, const QVariantMap &iFieldFormat,
                                QVariantMap iParamMap = QVariantMap());
    //! {"field": column names, "data": one list of values per row}.
    QVariantMap selectArrayData(const TSqlSelectorV2 &iSqlSelector);
    //! {"field": column names, "data": rows}, the selector read from a map.
    QVariantMap selectArrayData(const QVariantMap &iDataMap);
    //! {"field": column names, "data": rows}; iParamMap binds ":name" placeholders.
    QVariantMap selectArrayData(const QString &iSqlStr, const QVariantMap &iFieldFormat,
                                QVariantMap iParamMap = QVariantMap());
    //! Per row the selector's value field (a column, or a "${column}" template).
    QVariantList selectArrayValue(const TSqlSelectorV2 &iSqlSelector);
    //! Per row the value field, the selector read from a map.
    QVariantList selectArrayValue(const QVariantMap &iDataMap);
    //! Per row the value of iValueField (a column, or a "${column}" template;
    //! empty means the first column).
    QVariantList selectArrayValue(const QString &iSqlStr, const QString &iValueField,
                                  const QVariantMap &iFieldFormat = QVariantMap(),
                                  QVariantMap iParamMap = QVariantMap());
    //! Rows keyed by the selector's unique field.
    QVariantMap selectMapMap(const TSqlSelectorV2 &iSqlSelector);
    //! Rows keyed by the unique field, the selector read from a map.
    QVariantMap selectMapMap(const QVariantMap &iDataMap);
    //! Rows keyed by iKeyField (a column, or a "${column}" template; empty
    //! means the first column); a later row replaces an earlier one.
    QVariantMap selectMapMap(const QString &iSqlStr, const QString &iKeyField,
                             const QVariantMap &iFieldFormat = QVariantMap(), QVariantMap iParamMap = QVariantMap());
    //! Values of the selector's value field keyed by its unique field.
    QVariantMap selectMapValue(const TSqlSelectorV2 &iSqlSelector);
    //! Values keyed by the unique field, the selector read from a map.
    QVariantMap selectMapValue(const QVariantMap &iDataMap);
    //! Values of iValueField keyed by iKeyField (columns or templates; empty
    //! means the first and the second column).
    QVariantMap selectMapValue(const QString &iSqlStr, const QString &iKeyField, const QString &iValueField,
                               const QVariantMap &iFieldFormat = QVariantMap(), QVariantMap iParamMap = QVariantMap());
    //! The row count of the selector's statement, without paging.
    int selectCount(const TSqlSelectorV2 &iSqlSelector);

    // ------------------------------------------------------------------
    // Row writes and updates

    //! Inserts one row; with iReturnLastInsertId gives back the new key
    //! (iReturnField through " RETURNING", else the driver's last insert id).
    QVariant insertRow(const QString &iTableStr, const QVariantMap &iDataMap, const QStringList &iFields,
                       bool iReturnLastInsertId = false, const QString &iReturnField = QString());
    //! Inserts one row described by a map (see TSqlInserterV2).
    QVariant insertRow(const QVariantMap &iDataMap);
    //! Inserts one row described by an inserter.
    QVariant insertRow(const TSqlInserterV2 &iSqlInserter);
    //! Inserts rows, maps keyed by column or lists in column order, with one
    //! prepared statement.
    void batchInsert(const QString &iTableStr, const QStringList &iFields, const QVariantList &iDataList);
    //! Deletes the rows matching the condition; an empty condition deletes
    //! nothing. Returns the rows deleted, -1 when the statement failed (or a
    //! value holding U+0000 was refused).
    //! Keys (field names) and operators of a condition map are written into
    //! the SQL unchanged; only values are quoted: they must never come from
    //! untrusted input.
    int deleteRow(const QString &iTableStr, const QVariant &iWhere);
    //! Deletes rows described by a map (see TSqlDeleterV2); its "where"
    //! field names and operators are SQL text, as above.
    int deleteRow(const QVariantMap &iDataMap);
    //! Deletes rows described by a deleter.
    int deleteRow(const TSqlDeleterV2 &iSqlDeleter);
    //! Updates the rows identified by iUniqueFields, or inserts the row when
    //! there is none; gives back the value of iAutoIncrField.
    QVariant replaceRow(const QString &iTableStr, const QVariantMap &iDataMap, const QStringList &iUniqueFields,
                        const QVariantMap &iUpdatePolicy = QVariantMap(),
                        const QStringList &iUpdateFields = QStringList(), const QString &iAutoIncrField = QString());
    //! Replaces a row described by a map (see TSqlInserterV2).
    QVariant replaceRow(const QVariantMap &iDataMap);
    //! Replaces a row described by an inserter.
    QVariant replaceRow(const TSqlInserterV2 &iSqlInserter);
    //! Updates the rows matching iWhere (text, map or column list); an empty
    //! condition updates nothing. Policies "JSON_MERGE" and "ARRAY_APPEND"
    //! merge into a column. Returns the affected rows, -1 when it failed.
    //! Keys (field names) and operators of a condition map are written into
    //! the SQL unchanged; only values are quoted: they must never come from
    //! untrusted input.
    int updateRow(const QString &iTableStr, const QVariantMap &iDataMap, const QVariant &iWhere,
                  const QVariantMap &iUpdatePolicy = QVariantMap(), const QStringList &iFields = QStringList());
    //! Updates rows described by an updater.
    int updateRow(const TSqlUpdaterV2 &iSqlUpdater);
    //! Updates rows described by a map (see TSqlUpdaterV2); its "where"
    //! field names and operators are SQL text, as for updateRow.
    int updateRow(const QVariantMap &iDataMap);
    //! SQL Server: switches explicit values for the identity column of a
    //! table ("ON"/"OFF"); true at once on PostgreSQL and SQLite, false elsewhere.
    bool setAutoIncrementStatus(const QString &iTableStr, const QString &iStatus);

    // ------------------------------------------------------------------
    // Schema operations

    //! The connection's user tables (no views, no system tables).
    QStringList getTableList();
    //! Whether the table is among getTableList(), compared case-sensitively.
    bool isTableExists(const QString &iTableStr);
    //! The table's column names in the driver's record order; empty for a missing table.
    QStringList getFieldList(const QString &iTableStr);
    //! Whether the table has a column of exactly that name.
    bool isFieldExists(const QString &iTableStr, const QString &iFieldStr);
    //! The table's structure map {"field": [...], "index": [...]} in portable
    //! type words; the empty map for a missing table.
    QVariantMap getTableStruct(const QString &iTableStr);
    //! The server's current date and time, "yyyy-MM-dd hh:mm:ss".
    QString getNow();
    //! The server's current date, "yyyy-MM-dd".
    QString getToday();
    //! Creates a table from a structure map: columns, keys and auto-increment
    //! columns in the dialect of the connection.
    bool createTable(const QString &iTableStr, const QVariantMap &iTableStructVarMap);
    //! Adds one column; true also when a column of that name exists already.
    bool addField(const QString &iTableStr, const QVariantMap &iFieldStructVarMap);
    //! Changes the type, length and NOT NULL flag of one column; a missing
    //! column is added, a column named "id" is left alone.
    bool alterField(const QString &iTableStr, const QVariantMap &iFieldStructVarMap);
    //! Renames a table.
    bool renameTable(const QString &iSrctableStr, const QString &iDesttableStr);
    //! Drops a table.
    bool dropTable(const QString &iTableStr);
    //! Drops one column; true also when the table has no such column.
    bool dropField(const QString &iTableStr, const QString &iFieldNameStr);
    //! Brings a table to the wanted structure map, keeping its rows and every
    //! column the map leaves out; a missing table is created.
    bool replaceTableStruct(const QString &iTableStr, const QVariantMap &iTableStructVarMap);

private:
    Q_DECLARE_PRIVATE_D(d, TSqlQueryV2)
    const std::unique_ptr<TSqlQueryV2Private> d;
    Q_DISABLE_COPY(TSqlQueryV2)
};

#endif // TSQLQUERYV2_H
