#ifndef TSQLMYSQLDIALECT_P_H
#define TSQLMYSQLDIALECT_P_H

#include "tsqldialect_p.h"

// MySQL and MariaDB ("QMYSQL"): backquoted names, keys read from its index
// list, and every ALTER committed at once.
class TSqlMySqlDialect : public TSqlDialect
{
public:
    // iNoBackslashEscapes: literals for a session in NO_BACKSLASH_ESCAPES
    // mode, where a backslash is an ordinary character.
    explicit TSqlMySqlDialect(bool iNoBackslashEscapes = false);

    // The database type under which literals are written for a session in
    // NO_BACKSLASH_ESCAPES mode: only quotes are doubled.
    static QString noBackslashEscapesType();

    QString driverName() const override;
    QString probeSql() const override;
    QString identifierQuote() const override;
    bool literalsDependOnSession() const override;
    QString sessionLiteralType(const QSqlDatabase &iDatabase) const override;
    QString stringLiteral(const QString &iText) const override;
    QString clockSql(bool iDateOnly) const override;
    QString typeText(const QString &iWord, int iLength, bool iOldServer, TypeUse iUse) const override;

    QString constraintSql(const QString &iTable) const override;
    bool isUniqueConstraint(const QVariantMap &iRow) const override;
    QString constraintName(const QVariantMap &iRow) const override;

    void addKey(TSqlCreatePlan &ioPlan, bool iPrimary, const QStringList &iColumns,
                const QString &iQuotedColumns) const override;
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
    bool commitsEachStatement() const override;

protected:
    bool constraintCounts(const QVariantMap &iRow) const override;
    QString constraintKind(const QVariantMap &iRow) const override;
    QString columnSql(const QString &iTable) const override;
    QVariantMap fieldFromRow(const QVariantMap &iRow, const QString &iKeyColumn) const override;

private:
    const bool noBackslashEscapes;
    QString modifyColumnSql(const QString &iTable, const TSqlFieldDef &iField, const QString &iType) const;
};

#endif // TSQLMYSQLDIALECT_P_H
