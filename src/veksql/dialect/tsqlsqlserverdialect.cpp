#include "tsqlsqlserverdialect_p.h"

#include "tsqlqueryv2.h"

namespace {

QString identityFlag(const TSqlFieldDef &iField)
{
    return iField.type == QLatin1String("SERIAL") ? QStringLiteral(" IDENTITY(1,1)") : QString();
}

QString timestampType(int iLength, bool iOldServer, TSqlDialect::TypeUse iUse)
{
    if (iUse == TSqlDialect::TypeUse::MigrateAdd) {
        return iLength <= 3 ? QStringLiteral("DATETIME") : QStringLiteral("DATETIME2(%1)").arg(iLength);
    }
    if (iOldServer && iUse != TSqlDialect::TypeUse::AlterField) {
        return QStringLiteral("VARCHAR(32)");
    }
    return iLength != 0 ? QStringLiteral("DATETIME2(%1)").arg(iLength) : QStringLiteral("DATETIME");
}

} // namespace

QString TSqlSqlServerDialect::driverName() const { return QStringLiteral("QODBC"); }

QString TSqlSqlServerDialect::probeSql() const { return QStringLiteral("SELECT GETDATE()"); }

QString TSqlSqlServerDialect::connectionDatabaseName(const QString &iHost, const QString &iName) const
{
    return QStringLiteral("DRIVER={SQL SERVER};SERVER=%1;DATABASE=%2").arg(iHost, iName);
}

QString TSqlSqlServerDialect::pagedSelect(const QString &iSelect, const QString &iOrderClause,
                                          const QStringList &iOrderTerms, int iLimit, int iOffset) const
{
    if (iLimit <= 0 && iOffset <= 0) {
        return iSelect + iOrderClause;
    }
    // SQL Server takes no ORDER BY inside a derived table and wants every
    // derived table named; without order terms the numbering is arbitrary.
    const QString rowOrder
            = iOrderTerms.isEmpty() ? QStringLiteral("(SELECT NULL)") : iOrderTerms.join(QLatin1Char(','));
    return QLatin1String("SELECT * FROM (SELECT ROW_NUMBER() OVER (ORDER BY ") + rowOrder
           + QLatin1String(") AS \"row__number\", ROWNUM__ALIAS__TABLE.* FROM (") + iSelect
           + QLatin1String(") AS ROWNUM__ALIAS__TABLE) AS ROWNUM__ALIAS__OUTER WHERE ")
           + rowNumberBounds(iOffset, iLimit) + iOrderClause;
}

QString TSqlSqlServerDialect::identityInsertSql(const QString &iTable, const QString &iStatus) const
{
    return QStringLiteral("SET IDENTITY_INSERT %1 %2;").arg(iTable, iStatus);
}

QString TSqlSqlServerDialect::clockSql(bool iDateOnly) const
{
    return iDateOnly ? QStringLiteral("SELECT CONVERT(VARCHAR(10),GETDATE(),20)")
                     : QStringLiteral("SELECT CONVERT(VARCHAR(100), CURRENT_TIMESTAMP, 120)");
}

QString TSqlSqlServerDialect::typeText(const QString &iWord, int iLength, bool iOldServer, TypeUse iUse) const
{
    if (iWord == QLatin1String("SERIAL") || iWord == QLatin1String("INTEGER")) {
        return QStringLiteral("INT");
    }
    if (iWord == QLatin1String("DOUBLE")) {
        return QStringLiteral("FLOAT");
    }
    if (iWord == QLatin1String("BYTEA")) {
        return QStringLiteral("VARBINARY(MAX)");
    }
    if (iWord == QLatin1String("DATE")) {
        const bool old = iUse == TypeUse::AddField
                         || (iOldServer && (iUse == TypeUse::Create || iUse == TypeUse::MigrateAlter));
        return old ? QStringLiteral("VARCHAR(16)") : iWord;
    }
    if (iWord == QLatin1String("TIMESTAMP")) {
        return timestampType(iLength, iOldServer, iUse);
    }
    if (iWord == QLatin1String("VARCHAR")) {
        return iLength >= 1 ? lengthType(iWord, iLength) : QStringLiteral("VARCHAR(MAX)");
    }
    return iUse == TypeUse::Create && iWord != QLatin1String("TEXT") ? QString() : iWord;
}

bool TSqlSqlServerDialect::isOldServer(TSqlQueryV2 &iQuery) const
{
    return iQuery.selectValue(QStringLiteral("SELECT SERVERPROPERTY('productversion')"), QVariantMap(), QVariantMap())
            .toString()
            .startsWith(QLatin1Char('9'));
}

QString TSqlSqlServerDialect::constraintSql(const QString &iTable) const
{
    return QStringLiteral("SELECT Tab.constraint_name,\nCol.column_name,\nTab.constraint_type\n"
                          "FROM INFORMATION_SCHEMA.TABLE_CONSTRAINTS AS Tab\n"
                          "INNER JOIN INFORMATION_SCHEMA.CONSTRAINT_COLUMN_USAGE AS Col\n"
                          "ON Tab.Constraint_Name = Col.Constraint_Name\nAND Col.Table_Name = '%1'")
            .arg(literalName(iTable));
}

QString TSqlSqlServerDialect::columnSql(const QString &iTable) const
{
    return QStringLiteral("SELECT column_name,is_nullable,\ndata_type,datetime_precision,\n"
                          "character_maximum_length\nFROM INFORMATION_SCHEMA.COLUMNS\n"
                          "WHERE table_name = '%1' ORDER BY ordinal_position")
            .arg(literalName(iTable));
}

QVariantMap TSqlSqlServerDialect::fieldFromRow(const QVariantMap &iRow, const QString &iKeyColumn) const
{
    const QString name = rowText(iRow, QStringLiteral("column_name"));
    const bool notNull = rowText(iRow, QStringLiteral("is_nullable")).toUpper() == QLatin1String("NO");
    const QString t = rowText(iRow, QStringLiteral("data_type")).toUpper();
    QString word;
    int length = 0;
    if (t == QLatin1String("INT")) {
        word = name == iKeyColumn ? QStringLiteral("SERIAL") : QStringLiteral("INTEGER");
    } else if (t == QLatin1String("FLOAT")) {
        word = QStringLiteral("DOUBLE");
    } else if (t == QLatin1String("VARCHAR")) {
        word = QStringLiteral("VARCHAR");
        // -1 stands for VARCHAR(MAX).
        length = qMax(rowInt(iRow, QStringLiteral("character_maximum_length")), 0);
    } else if (t == QLatin1String("TEXT") || t == QLatin1String("DATE")) {
        word = t;
    } else if (t == QLatin1String("VARBINARY")) {
        word = QStringLiteral("BYTEA");
    } else if (t == QLatin1String("DATETIME")) {
        word = QStringLiteral("TIMESTAMP");
    } else if (t == QLatin1String("DATETIME2")) {
        word = QStringLiteral("TIMESTAMP");
        length = rowInt(iRow, QStringLiteral("datetime_precision"));
    }
    return fieldMap(name, word, length, notNull);
}

void TSqlSqlServerDialect::completeField(TSqlQueryV2 &iQuery, const QString &iTable, QVariantMap &ioField) const
{
    if (ioField.value(QStringLiteral("type")).toString() != QLatin1String("SERIAL")) {
        return;
    }
    // The next number the column would hand out. Both names are the
    // catalogue's own: one that cannot stand bare is quoted, which keeps it
    // exact here, as quotes do not change how SQL Server compares names.
    const QString column = ioField.value(QStringLiteral("name")).toString();
    const auto written = [this](const QString &iName, TSqlNameUse iUse) {
        return acceptsName(iName, iUse) ? iName : quoteName(iName);
    };
    // The column's name is raw, never SQL: a dot or a leading quote is part
    // of it and would otherwise name another column.
    const bool plainColumn = !column.contains(QLatin1Char('.')) && !column.startsWith(identifierQuote());
    const qlonglong maximum
            = iQuery.selectValue(QStringLiteral("SELECT max(%1) FROM %2")
                                         .arg(plainColumn ? written(column, TSqlNameUse::Column) : quoteName(column),
                                              written(iTable, TSqlNameUse::Table)),
                                 QVariantMap(), QVariantMap())
                      .toLongLong();
    ioField.insert(QStringLiteral("next_value"), maximum + 1);
}

QString TSqlSqlServerDialect::columnFlags(TSqlCreatePlan &, const QVariantMap &, const TSqlFieldDef &iField,
                                          QString *) const
{
    QString flags;
    if (iField.notNull) {
        flags += QStringLiteral(" NOT NULL");
    }
    if (iField.type == QLatin1String("SERIAL")) {
        flags += QStringLiteral(" IDENTITY(1,1) ");
    }
    return flags;
}

TSqlStatementBatch TSqlSqlServerDialect::addColumnStatements(const QString &iTable, const TSqlFieldDef &iField,
                                                             const QString &iDefinition) const
{
    TSqlStatementBatch batch;
    batch.statements.append(
            QStringLiteral("ALTER TABLE %1 ADD %2;").arg(quoteName(iTable), iDefinition + identityFlag(iField)));
    return batch;
}

QString TSqlSqlServerDialect::alterColumnSql(const QString &iTable, const TSqlFieldDef &iField,
                                             const QString &iType) const
{
    return QStringLiteral("ALTER TABLE %1 ALTER COLUMN %2 %3").arg(quoteName(iTable), quoteName(iField.name), iType)
           + (iField.notNull ? QStringLiteral(" NOT NULL") : QStringLiteral(" NULL")) + identityFlag(iField)
           + QLatin1Char(';');
}

TSqlStatementBatch TSqlSqlServerDialect::alterColumnStatements(TSqlQueryV2 &, const QString &iTable,
                                                               const TSqlFieldDef &iField, const QString &iType) const
{
    TSqlStatementBatch batch;
    batch.statements.append(alterColumnSql(iTable, iField, iType));
    return batch;
}

QString TSqlSqlServerDialect::renameTableSql(const QString &iFrom, const QString &iTo) const
{
    return QStringLiteral("EXEC sp_rename %1, %2;").arg(quoteName(iFrom), quoteName(iTo));
}

// Every column in both structures is altered, also when nothing changed.
QStringList TSqlSqlServerDialect::migrateAlterStatements(const QString &iTable, const TSqlFieldDef &iWanted,
                                                         const TSqlFieldDef &, bool iOldServer) const
{
    return QStringList {
            alterColumnSql(iTable, iWanted, typeText(iWanted.type, iWanted.length, iOldServer, TypeUse::MigrateAlter))};
}

QString TSqlSqlServerDialect::migrateAddStatement(const QString &iTable, const TSqlFieldDef &iWanted,
                                                  bool iOldServer) const
{
    return QStringLiteral("ALTER TABLE %1 ADD %2 %3")
                   .arg(quoteName(iTable), quoteName(iWanted.name),
                        typeText(iWanted.type, iWanted.length, iOldServer, TypeUse::MigrateAdd))
           + (iWanted.notNull ? QStringLiteral(" NOT NULL") : QString()) + identityFlag(iWanted) + QLatin1Char(';');
}

QString TSqlSqlServerDialect::dropUniqueSql(const QString &iTable, const QString &iName) const
{
    return QStringLiteral("ALTER TABLE %1 DROP CONSTRAINT [%2];")
            .arg(quoteName(iTable), QString(iName).replace(QLatin1Char(']'), QStringLiteral("]]")));
}
