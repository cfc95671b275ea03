#ifndef TSQLSQLSERVERDIALECT_P_H
#define TSQLSQLSERVERDIALECT_P_H

#include "tsqldialect_p.h"

// SQL Server through ODBC ("QODBC"): identity columns, constraint names in
// brackets, and dates kept as text on a server of version 9.
class TSqlSqlServerDialect : public TSqlDialect
{
public:
    QString driverName() const override;
    QString probeSql() const override;
    QString connectionDatabaseName(const QString &iHost, const QString &iName) const override;
    QString pagedSelect(const QString &iSelect, const QString &iOrderClause, const QStringList &iOrderTerms, int iLimit,
                        int iOffset) const override;
    QString identityInsertSql(const QString &iTable, const QString &iStatus) const override;
    QString clockSql(bool iDateOnly) const override;
    QString typeText(const QString &iWord, int iLength, bool iOldServer, TypeUse iUse) const override;
    bool isOldServer(TSqlQueryV2 &iQuery) const override;

    QString constraintSql(const QString &iTable) const override;

    QString columnFlags(TSqlCreatePlan &ioPlan, const QVariantMap &iEntry, const TSqlFieldDef &iField,
                        QString *ioType) const override;

    TSqlStatementBatch addColumnStatements(const QString &iTable, const TSqlFieldDef &iField,
                                           const QString &iDefinition) const override;
    TSqlStatementBatch alterColumnStatements(TSqlQueryV2 &iQuery, const QString &iTable, const TSqlFieldDef &iField,
                                             const QString &iType) const override;
    QString renameTableSql(const QString &iFrom, const QString &iTo) const override;

    QStringList migrateAlterStatements(const QString &iTable, const TSqlFieldDef &iWanted, const TSqlFieldDef &iCurrent,
                                       bool iOldServer) const override;
    QString migrateAddStatement(const QString &iTable, const TSqlFieldDef &iWanted, bool iOldServer) const override;
    QString dropUniqueSql(const QString &iTable, const QString &iName) const override;

protected:
    QString columnSql(const QString &iTable) const override;
    QVariantMap fieldFromRow(const QVariantMap &iRow, const QString &iKeyColumn) const override;
    void completeField(TSqlQueryV2 &iQuery, const QString &iTable, QVariantMap &ioField) const override;

private:
    QString alterColumnSql(const QString &iTable, const TSqlFieldDef &iField, const QString &iType) const;
};

#endif // TSQLSQLSERVERDIALECT_P_H
