#include "tsqloracledialect_p.h"

#include "tsqlqueryv2.h"

namespace {

bool isLargeObject(const QString &iType) { return iType == QLatin1String("TEXT") || iType == QLatin1String("BYTEA"); }

} // namespace

QString TSqlOracleDialect::driverName() const { return QStringLiteral("QOCI"); }

QString TSqlOracleDialect::probeSql() const { return QStringLiteral("SELECT count(1) FROM DUAL"); }

QString TSqlOracleDialect::pagedSelect(const QString &iSelect, const QString &iOrderClause, const QStringList &,
                                       int iLimit, int iOffset) const
{
    const QString sql = iSelect + iOrderClause;
    if (iLimit <= 0 && iOffset <= 0) {
        return sql;
    }
    return QLatin1String("SELECT * FROM (SELECT ROWNUM AS \"row__number\", ROWNUM__ALIAS__TABLE.* FROM (") + sql
           + QLatin1String(" ) ROWNUM__ALIAS__TABLE ) WHERE ") + rowNumberBounds(iOffset, iLimit);
}

QString TSqlOracleDialect::clockSql(bool iDateOnly) const
{
    return iDateOnly ? QStringLiteral("SELECT TO_CHAR(SYSDATE,'YYYY-MM-DD') FROM DUAL")
                     : QStringLiteral("SELECT TO_CHAR(SYSDATE,'YYYY-MM-DD HH24:MI:SS') FROM DUAL");
}

QString TSqlOracleDialect::typeText(const QString &iWord, int iLength, bool, TypeUse iUse) const
{
    if (iWord == QLatin1String("SERIAL") || iWord == QLatin1String("INTEGER")) {
        return QStringLiteral("NUMBER");
    }
    if (iWord == QLatin1String("DOUBLE")) {
        return QStringLiteral("FLOAT");
    }
    if (iWord == QLatin1String("TEXT")) {
        return iUse == TypeUse::MigrateAlter ? iWord : QStringLiteral("CLOB");
    }
    if (iWord == QLatin1String("BYTEA")) {
        return iUse == TypeUse::MigrateAlter ? iWord : QStringLiteral("BLOB");
    }
    if (iWord == QLatin1String("DATE")) {
        return QStringLiteral("VARCHAR(10)");
    }
    if (iWord == QLatin1String("TIMESTAMP")) {
        return lengthType(QStringLiteral("VARCHAR"), iLength + 20);
    }
    if (iWord == QLatin1String("VARCHAR")) {
        return (iLength == 0 || iLength >= 4000) ? QStringLiteral("CLOB") : lengthType(iWord, iLength);
    }
    return iUse == TypeUse::Create ? QString() : iWord;
}

QString TSqlOracleDialect::constraintSql(const QString &iTable) const
{
    return QStringLiteral("SELECT CU.*,\nAU.CONSTRAINT_TYPE\nFROM USER_CONS_COLUMNS CU,\n"
                          "USER_CONSTRAINTS AU\nWHERE CU.CONSTRAINT_NAME = AU.CONSTRAINT_NAME\n"
                          "AND AU.TABLE_NAME = '%1'")
            .arg(literalName(iTable));
}

bool TSqlOracleDialect::constraintCounts(const QVariantMap &iRow) const
{
    const QString type = rowText(iRow, QStringLiteral("constraint_type"));
    return type == QLatin1String("U") || type == QLatin1String("P");
}

bool TSqlOracleDialect::isUniqueConstraint(const QVariantMap &iRow) const
{
    return rowText(iRow, QStringLiteral("constraint_type")) == QLatin1String("U");
}

QString TSqlOracleDialect::columnSql(const QString &iTable) const
{
    return QStringLiteral("SELECT T.*,\nC.COMMENTS\nFROM USER_TAB_COLUMNS T,\n"
                          "USER_COL_COMMENTS C\nWHERE T.TABLE_NAME = C.TABLE_NAME\n"
                          "AND T.COLUMN_NAME = C.COLUMN_NAME\nAND T.TABLE_NAME = '%1'")
            .arg(literalName(iTable));
}

QVariantMap TSqlOracleDialect::fieldFromRow(const QVariantMap &iRow, const QString &iKeyColumn) const
{
    const QString name = rowText(iRow, QStringLiteral("column_name"));
    const bool notNull = rowText(iRow, QStringLiteral("nullable")).toUpper() == QLatin1String("N");
    const QString t = rowText(iRow, QStringLiteral("data_type")).toUpper();
    QString word;
    int length = 0;
    if (t == QLatin1String("NUMBER")) {
        word = name == iKeyColumn ? QStringLiteral("SERIAL") : QStringLiteral("INTEGER");
    } else if (t == QLatin1String("FLOAT")) {
        word = QStringLiteral("DOUBLE");
    } else if (t == QLatin1String("VARCHAR2")) {
        word = QStringLiteral("VARCHAR");
        length = rowInt(iRow, QStringLiteral("data_length"));
        if (length >= 4000) {
            length = 0;
        }
    } else if (t == QLatin1String("CLOB")) {
        word = QStringLiteral("TEXT");
    } else if (t == QLatin1String("BLOB")) {
        word = QStringLiteral("BYTEA");
    } else if (t.startsWith(QLatin1String("TIMESTAMP"))) {
        word = QStringLiteral("TIMESTAMP");
        length = rowInt(iRow, QStringLiteral("data_scale"));
    } else if (t == QLatin1String("DATE")) {
        word = t;
    }
    return fieldMap(name, word, length, notNull);
}

QString TSqlOracleDialect::columnFlags(TSqlCreatePlan &ioPlan, const QVariantMap &, const TSqlFieldDef &iField,
                                       QString *) const
{
    if (iField.type == QLatin1String("SERIAL")) {
        ioPlan.serialColumns.append(iField.name);
    }
    return iField.notNull ? QStringLiteral(" NOT NULL") : QString();
}

QStringList TSqlOracleDialect::serialStatements(const QString &iTable, const QString &iColumn) const
{
    const QString sequence = escapeName(QStringLiteral("%1_%2_SEQ").arg(iTable, iColumn));
    const QString trigger = escapeName(QStringLiteral("%1_%2_TRIGGER").arg(iTable, iColumn));
    return QStringList {
            QStringLiteral("CREATE SEQUENCE \"%1\" INCREMENT BY 1 \nSTART WITH 1 NOMAXVALUE NOMINVALUE NOCACHE")
                    .arg(sequence),
            QStringLiteral("CREATE OR REPLACE TRIGGER \"%1\"\nBEFORE INSERT ON \"%2\"\nFOR EACH ROW\nBEGIN\n"
                           "SELECT \"%3\".NEXTVAL INTO :NEW.\"%4\" FROM DUAL;\nEND;")
                    .arg(trigger, escapeName(iTable), sequence, escapeName(iColumn))};
}

TSqlStatementBatch TSqlOracleDialect::createStatements(const TSqlCreatePlan &iPlan) const
{
    TSqlStatementBatch batch;
    batch.run = TSqlStatementBatch::Run::DirectList;
    batch.statements = iPlan.statements;
    batch.statements.append(
            QStringLiteral("CREATE TABLE %1 (\n %2 \n)")
                    .arg(quoteName(iPlan.table), (iPlan.definitions + iPlan.keyClauses).join(QStringLiteral(",\n"))));
    for (const QString &column : iPlan.serialColumns) {
        batch.statements += serialStatements(iPlan.table, column);
    }
    return batch;
}

TSqlStatementBatch TSqlOracleDialect::addColumnStatements(const QString &iTable, const TSqlFieldDef &iField,
                                                          const QString &iDefinition) const
{
    TSqlStatementBatch batch;
    batch.run = TSqlStatementBatch::Run::DirectList;
    batch.statements.append(QStringLiteral("ALTER TABLE %1 ADD (%2)").arg(quoteName(iTable), iDefinition));
    if (iField.type == QLatin1String("SERIAL")) {
        batch.statements += serialStatements(iTable, iField.name);
    }
    return batch;
}

QString TSqlOracleDialect::modifySql(const QString &iTable, const TSqlFieldDef &iField, const QString &iType,
                                     bool iCurrentNotNull) const
{
    QString sql = QStringLiteral("ALTER TABLE %1 MODIFY %2 %3").arg(quoteName(iTable), quoteName(iField.name), iType);
    // Oracle refuses to set the null flag a column already has.
    if (iCurrentNotNull != iField.notNull) {
        sql += iField.notNull ? QStringLiteral(" NOT NULL") : QStringLiteral(" NULL");
    }
    return sql;
}

TSqlStatementBatch TSqlOracleDialect::alterColumnStatements(TSqlQueryV2 &iQuery, const QString &iTable,
                                                            const TSqlFieldDef &iField, const QString &iType) const
{
    TSqlStatementBatch batch;
    if (isLargeObject(iField.type)) {
        batch.refusal = QStringLiteral("Oracle can't modify clob blob field");
        return batch;
    }
    bool currentNotNull = false;
    const QVariantList fields = iQuery.getTableStruct(iTable).value(QStringLiteral("field")).toList();
    for (const QVariant &field : fields) {
        const QVariantMap map = field.toMap();
        if (map.value(QStringLiteral("name")).toString() == iField.name) {
            currentNotNull = map.value(QStringLiteral("notnull")).toBool();
            break;
        }
    }
    batch.statements.append(modifySql(iTable, iField, iType, currentNotNull));
    return batch;
}

QString TSqlOracleDialect::renameTableSql(const QString &iFrom, const QString &iTo) const
{
    return QStringLiteral("RENAME %1 TO %2;").arg(quoteName(iFrom), quoteName(iTo));
}

QString TSqlOracleDialect::dropColumnSql(const QString &iTable, const QString &iColumn) const
{
    return QStringLiteral("ALTER TABLE %1 DROP(%2)").arg(quoteName(iTable), quoteName(iColumn));
}

// A column whose current type is compared as stored: CLOB and BLOB stay.
QStringList TSqlOracleDialect::migrateAlterStatements(const QString &iTable, const TSqlFieldDef &iWanted,
                                                      const TSqlFieldDef &iCurrent, bool iOldServer) const
{
    if (isLargeObject(iCurrent.storedType)) {
        return QStringList();
    }
    return QStringList {modifySql(iTable, iWanted,
                                  typeText(iWanted.type, iWanted.length, iOldServer, TypeUse::MigrateAlter),
                                  iCurrent.notNull)};
}

QString TSqlOracleDialect::migrateAddStatement(const QString &iTable, const TSqlFieldDef &iWanted,
                                               bool iOldServer) const
{
    return QStringLiteral("ALTER TABLE %1 ADD %2 %3")
                   .arg(quoteName(iTable), quoteName(iWanted.name),
                        typeText(iWanted.type, iWanted.length, iOldServer, TypeUse::MigrateAdd))
           + (iWanted.notNull ? QStringLiteral(" NOT NULL") : QString());
}

QString TSqlOracleDialect::dropUniqueSql(const QString &iTable, const QString &iName) const
{
    return QStringLiteral("ALTER TABLE %1 DROP CONSTRAINT %2").arg(quoteName(iTable), quoteName(iName));
}

QString TSqlOracleDialect::addUniqueSql(const QString &iTable, const QString &iQuotedColumns) const
{
    return QStringLiteral("ALTER TABLE %1 ADD UNIQUE (%2)").arg(quoteName(iTable), iQuotedColumns);
}

bool TSqlOracleDialect::runsStatementsDirectly() const { return true; }
