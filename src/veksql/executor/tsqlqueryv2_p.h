#ifndef TSQLQUERYV2_P_H
#define TSQLQUERYV2_P_H

#include "tsqlqueryv2.h"

#include "terror.h"

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
    QStringList names;       // every column, in result order
    QVector<int> columns;    // the column indexes shown, the paging column left out
    QStringList formats;     // field format per column index

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
    void recordError(const QSqlError &iError);
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
    bool runSelect(const QString &iSqlStr, const QVariantMap &iFieldFormat,
                   const QVariantMap &iParamMap, bool iCheckPrepared, bool iFirstRowOnly,
                   const std::function<void(const TSqlSelectRun &)> &iHeader,
                   const std::function<void(const TSqlSelectRun &)> &iRow);
    // The value of a key or value field in a row: a column, or a template.
    static QVariant fieldValue(const QString &iField, const QStringList &iTemplateNames,
                               bool iTemplate, const QVariantMap &iRow);

    int updateRow(const QString &iTableStr, const QVariantMap &iDataMap, const QVariant &iWhere,
                  const QVariantMap &iUpdatePolicy, const QStringList &iFields, bool *oFailed);

    int transNum = 0;
    QSqlDatabase database;
    TError error;
    QString lastErrorText;
    bool closed = false;
    // Whether the outermost begin got a transaction from the driver, so that a
    // refused commit can be told from a commit with nothing to commit.
    bool transactionStarted = false;
    TSqlQueryV2 *q_ptr;
};

#endif // TSQLQUERYV2_P_H
