#ifndef TSQLSQLITEDIALECT_P_H
#define TSQLSQLITEDIALECT_P_H

#include "tsqldialect_p.h"

// SQLite ("QSQLITE"): a table changes by a rebuild through a backup table,
// its structure is read from pragmas, and a single key column carries the
// key (and with it the auto-increment) in its own definition.
class TSqlSqliteDialect : public TSqlDialect
{
public:
    QString driverName() const override;
    QString probeSql() const override;
    bool connectsToServer() const override;
    bool takesExplicitKeys() const override;
    QString clockSql(bool iDateOnly) const override;
    QString typeText(const QString &iWord, int iLength, bool iOldServer, TypeUse iUse) const override;

    void addKey(TSqlCreatePlan &ioPlan, bool iPrimary, const QStringList &iColumns,
                const QString &iQuotedColumns) const override;
    QString columnFlags(TSqlCreatePlan &ioPlan, const QVariantMap &iEntry, const TSqlFieldDef &iField,
                        QString *ioType) const override;

    bool rebuildsTables() const override;
    QHash<QString, QString> declaredTypes(TSqlQueryV2 &iQuery, const QString &iTable) const override;
    bool beginRebuild(TSqlQueryV2 &iQuery) const override;
    void endRebuild(TSqlQueryV2 &iQuery) const override;

protected:
    void readKeys(TSqlQueryV2 &iQuery, const QString &iTable, TableKeys &ioKeys) const override;
    QVariantList readColumnRows(TSqlQueryV2 &iQuery, const QString &iTable, const TableKeys &iKeys) const override;
    QString columnSql(const QString &iTable) const override;
    QVariantMap fieldFromRow(const QVariantMap &iRow, const QString &iKeyColumn) const override;

private:
    // The unique indexes other than the key, read index by index.
    QVariantList uniqueIndexes(TSqlQueryV2 &iQuery, const QString &iTable, const QString &iKeyColumn) const;
};

#endif // TSQLSQLITEDIALECT_P_H
