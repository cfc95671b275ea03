#ifndef TSQLORACLEDIALECT_P_H
#define TSQLORACLEDIALECT_P_H

#include "tsqldialect_p.h"

// Oracle ("QOCI"): serial columns numbered by a sequence and a trigger,
// statements run one at a time and never joined, and CLOB and BLOB columns
// left as they are.
class TSqlOracleDialect : public TSqlDialect
{
public:
    QString driverName() const override;
    QString probeSql() const override;
    QString pagedSelect(const QString &iSelect, const QString &iOrderClause, const QStringList &iOrderTerms, int iLimit,
                        int iOffset) const override;
    QString clockSql(bool iDateOnly) const override;
    QString typeText(const QString &iWord, int iLength, bool iOldServer, TypeUse iUse) const override;

    QString constraintSql(const QString &iTable) const override;
    bool isUniqueConstraint(const QVariantMap &iRow) const override;

    QString columnFlags(TSqlCreatePlan &ioPlan, const QVariantMap &iEntry, const TSqlFieldDef &iField,
                        QString *ioType) const override;
    TSqlStatementBatch createStatements(const TSqlCreatePlan &iPlan) const override;

    TSqlStatementBatch addColumnStatements(const QString &iTable, const TSqlFieldDef &iField,
                                           const QString &iDefinition) const override;
    TSqlStatementBatch alterColumnStatements(TSqlQueryV2 &iQuery, const QString &iTable, const TSqlFieldDef &iField,
                                             const QString &iType) const override;
    QString renameTableSql(const QString &iFrom, const QString &iTo) const override;
    QString dropColumnSql(const QString &iTable, const QString &iColumn) const override;

    QStringList migrateAlterStatements(const QString &iTable, const TSqlFieldDef &iWanted, const TSqlFieldDef &iCurrent,
                                       bool iOldServer) const override;
    QString migrateAddStatement(const QString &iTable, const TSqlFieldDef &iWanted, bool iOldServer) const override;
    QString dropUniqueSql(const QString &iTable, const QString &iName) const override;
    QString addUniqueSql(const QString &iTable, const QString &iQuotedColumns) const override;
    bool runsStatementsDirectly() const override;

protected:
    bool constraintCounts(const QVariantMap &iRow) const override;
    QString columnSql(const QString &iTable) const override;
    QVariantMap fieldFromRow(const QVariantMap &iRow, const QString &iKeyColumn) const override;

private:
    // The sequence and the trigger that number a "SERIAL" column.
    QStringList serialStatements(const QString &iTable, const QString &iColumn) const;
    QString modifySql(const QString &iTable, const TSqlFieldDef &iField, const QString &iType,
                      bool iCurrentNotNull) const;
};

#endif // TSQLORACLEDIALECT_P_H
