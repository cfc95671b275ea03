#ifndef TSQLPOSTGRESDIALECT_P_H
#define TSQLPOSTGRESDIALECT_P_H

#include "tsqldialect_p.h"

// PostgreSQL ("QPSQL"): keys are added after the table, columns are altered
// in place, and a name "schema.table" is read in that schema.
class TSqlPostgresDialect : public TSqlDialect
{
public:
    QString driverName() const override;
    QString probeSql() const override;
    QString stringLiteral(const QString &iText) const override;
    QString likeOperator() const override;
    bool takesExplicitKeys() const override;
    QString clockSql(bool iDateOnly) const override;
    QString typeText(const QString &iWord, int iLength, bool iOldServer, TypeUse iUse) const override;

    QString constraintSql(const QString &iTable) const override;

    void addKey(TSqlCreatePlan &ioPlan, bool iPrimary, const QStringList &iColumns,
                const QString &iQuotedColumns) const override;
    QString columnFlags(TSqlCreatePlan &ioPlan, const QVariantMap &iEntry, const TSqlFieldDef &iField,
                        QString *ioType) const override;
    TSqlStatementBatch createStatements(const TSqlCreatePlan &iPlan) const override;

    TSqlStatementBatch alterColumnStatements(TSqlQueryV2 &iQuery, const QString &iTable, const TSqlFieldDef &iField,
                                             const QString &iType) const override;
    QStringList migrateAlterStatements(const QString &iTable, const TSqlFieldDef &iWanted, const TSqlFieldDef &iCurrent,
                                       bool iOldServer) const override;

protected:
    QString columnSql(const QString &iTable) const override;
    QVariantMap fieldFromRow(const QVariantMap &iRow, const QString &iKeyColumn) const override;

private:
    QString typeStatement(const QString &iTable, const QString &iColumn, const QString &iType, bool iSized,
                          int iLength) const;
    QString nullStatement(const QString &iTable, const QString &iColumn, bool iNotNull) const;
};

#endif // TSQLPOSTGRESDIALECT_P_H
