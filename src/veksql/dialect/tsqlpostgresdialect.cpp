#include "tsqlpostgresdialect_p.h"

#include "tsqldatautilv2.h"

namespace {

// PostgreSQL reads one schema: "public" for a plain name, the named one for "schema.table".
void splitName(const QString &iTable, QString *oSchema, QString *oTable)
{
    const int dot = iTable.indexOf(QLatin1Char('.'));
    *oSchema = dot < 0 ? QStringLiteral("public") : iTable.left(dot);
    *oTable = dot < 0 ? iTable : iTable.mid(dot + 1);
}

} // namespace

QString TSqlPostgresDialect::driverName() const { return QStringLiteral("QPSQL"); }

QString TSqlPostgresDialect::probeSql() const { return QStringLiteral("SELECT DATE 'now'"); }

// A backslash is an escape only in an E'' literal.
QString TSqlPostgresDialect::stringLiteral(const QString &iText) const
{
    if (iText.contains(QLatin1Char('\\'))) {
        return QLatin1Char('E') + TSqlDataUtilV2::singleQuote(iText);
    }
    return TSqlDialect::stringLiteral(iText);
}

QString TSqlPostgresDialect::likeOperator() const { return QStringLiteral(" ILIKE "); }

bool TSqlPostgresDialect::takesExplicitKeys() const { return true; }

QString TSqlPostgresDialect::clockSql(bool iDateOnly) const
{
    return iDateOnly ? QStringLiteral("SELECT DATE 'now'")
                     : QStringLiteral("SELECT TO_CHAR(TIMESTAMP 'now', 'YYYY-MM-DD HH24:MI:SS')");
}

QString TSqlPostgresDialect::typeText(const QString &iWord, int iLength, bool, TypeUse iUse) const
{
    if (iWord == QLatin1String("DOUBLE")) {
        return QStringLiteral("DOUBLE PRECISION");
    }
    if (iUse == TypeUse::AlterField || iUse == TypeUse::MigrateAlter) {
        // The alter statements append the length themselves.
        return iWord;
    }
    if (iWord == QLatin1String("TIMESTAMP")) {
        return QStringLiteral("TIMESTAMP(%1) WITHOUT TIME ZONE").arg(iLength);
    }
    if (iWord == QLatin1String("VARCHAR") && iLength > 0) {
        return lengthType(iWord, iLength);
    }
    return iWord;
}

QString TSqlPostgresDialect::constraintSql(const QString &iTable) const
{
    QString schema;
    QString table;
    splitName(iTable, &schema, &table);
    return QStringLiteral("SELECT T.table_catalog,\nT.table_schema,\nT.table_name,\nTCU.constraint_name,\n"
                          "TCU.column_name,\nTCU.ordinal_position,\nTC.constraint_type \n"
                          "FROM INFORMATION_SCHEMA.TABLES AS T\n"
                          "LEFT JOIN INFORMATION_SCHEMA.TABLE_CONSTRAINTS AS TC\n"
                          "ON tc.table_catalog = t.table_catalog\nAND tc.table_schema = t.table_schema\n"
                          "AND tc.table_name = t.table_name\n"
                          "LEFT JOIN INFORMATION_SCHEMA.KEY_COLUMN_USAGE AS TCU\n"
                          "ON TCU.table_catalog = TC.table_catalog\nAND TCU.table_schema = TC.table_schema\n"
                          "AND TCU.table_name = TC.table_name\nAND TCU.constraint_name = TC.constraint_name\n"
                          "WHERE T.table_schema = '%2' AND t.table_name = '%1' ORDER BY ordinal_position ASC")
            .arg(literalName(table), literalName(schema));
}

QString TSqlPostgresDialect::columnSql(const QString &iTable) const
{
    QString schema;
    QString table;
    splitName(iTable, &schema, &table);
    return QStringLiteral("SELECT column_name,is_nullable,\ndata_type,character_maximum_length,\n"
                          "datetime_precision\nFROM information_schema.columns\n"
                          "WHERE table_name = '%1' AND table_schema = '%2' ORDER BY ordinal_position")
            .arg(literalName(table), literalName(schema));
}

QVariantMap TSqlPostgresDialect::fieldFromRow(const QVariantMap &iRow, const QString &iKeyColumn) const
{
    const QString name = rowText(iRow, QStringLiteral("column_name"));
    const bool notNull = rowText(iRow, QStringLiteral("is_nullable")).toUpper() == QLatin1String("NO");
    const QString t = rowText(iRow, QStringLiteral("data_type")).toUpper();
    QString word;
    int length = 0;
    if (t == QLatin1String("INTEGER")) {
        word = name == iKeyColumn ? QStringLiteral("SERIAL") : QStringLiteral("INTEGER");
    } else if (t == QLatin1String("DOUBLE PRECISION")) {
        word = QStringLiteral("DOUBLE");
    } else if (t == QLatin1String("CHARACTER VARYING")) {
        word = QStringLiteral("VARCHAR");
        length = rowInt(iRow, QStringLiteral("character_maximum_length"));
    } else if (t == QLatin1String("TEXT") || t == QLatin1String("BYTEA") || t == QLatin1String("DATE")) {
        word = t;
    } else if (t.startsWith(QLatin1String("TIMESTAMP"))) {
        word = QStringLiteral("TIMESTAMP");
        length = rowInt(iRow, QStringLiteral("datetime_precision"));
    } else if (t == QLatin1String("JSON") || t == QLatin1String("JSONB")) {
        word = QStringLiteral("TEXT");
    }
    return fieldMap(name, word, length, notNull);
}

void TSqlPostgresDialect::addKey(TSqlCreatePlan &ioPlan, bool iPrimary, const QStringList &,
                                 const QString &iQuotedColumns) const
{
    ioPlan.keyStatements.append((iPrimary ? QStringLiteral("ALTER TABLE %1 ADD PRIMARY KEY (%2);")
                                          : QStringLiteral("ALTER TABLE %1 ADD UNIQUE (%2);"))
                                        .arg(quoteName(ioPlan.table), iQuotedColumns));
}

QString TSqlPostgresDialect::columnFlags(TSqlCreatePlan &ioPlan, const QVariantMap &iEntry, const TSqlFieldDef &iField,
                                         QString *ioType) const
{
    QString flags;
    // A serial column that goes on from a given number draws from a sequence
    // of its own, which starts there.
    if (iField.type == QLatin1String("SERIAL") && iEntry.contains(QStringLiteral("next_value"))) {
        // Written bare, so that its case folds the way the nextval literal's does.
        const QString sequence = QStringLiteral("%1_%2_seq").arg(ioPlan.table, iField.name);
        ioPlan.bareNames.append(TSqlBareName {
                sequence, TSqlNameUse::Table,
                QStringLiteral("sequence name (table \"%1\", column \"%2\")").arg(ioPlan.table, iField.name)});
        ioPlan.statements.append(QStringLiteral("DROP SEQUENCE IF EXISTS %1;").arg(sequence));
        ioPlan.statements.append(QStringLiteral("CREATE SEQUENCE %1 START %2;")
                                         .arg(sequence)
                                         .arg(iEntry.value(QStringLiteral("next_value")).toLongLong()));
        *ioType = QStringLiteral("INTEGER");
        flags = QStringLiteral(" DEFAULT nextval('%1')").arg(literalName(sequence));
    }
    if (iField.notNull) {
        flags += QStringLiteral(" NOT NULL");
    }
    return flags;
}

TSqlStatementBatch TSqlPostgresDialect::createStatements(const TSqlCreatePlan &iPlan) const
{
    TSqlStatementBatch batch;
    batch.run = TSqlStatementBatch::Run::List;
    batch.statements = iPlan.statements;
    batch.statements.append(QStringLiteral("CREATE TABLE %1 (\n %2 \n) WITH (OIDS=FALSE);")
                                    .arg(quoteName(iPlan.table), iPlan.definitions.join(QStringLiteral(",\n"))));
    batch.statements += iPlan.keyStatements;
    return batch;
}

QString TSqlPostgresDialect::typeStatement(const QString &iTable, const QString &iColumn, const QString &iType,
                                           bool iSized, int iLength) const
{
    if (!iSized) {
        return QStringLiteral("ALTER TABLE %1 ALTER %2 TYPE %3;").arg(quoteName(iTable), quoteName(iColumn), iType);
    }
    return QStringLiteral("ALTER TABLE %1 ALTER %2 TYPE %3(%4);")
            .arg(quoteName(iTable), quoteName(iColumn), iType)
            .arg(iLength);
}

QString TSqlPostgresDialect::nullStatement(const QString &iTable, const QString &iColumn, bool iNotNull) const
{
    return (iNotNull ? QStringLiteral("ALTER TABLE %1 ALTER COLUMN %2 SET NOT NULL;")
                     : QStringLiteral("ALTER TABLE %1 ALTER COLUMN %2 DROP NOT NULL;"))
            .arg(quoteName(iTable), quoteName(iColumn));
}

TSqlStatementBatch TSqlPostgresDialect::alterColumnStatements(TSqlQueryV2 &, const QString &iTable,
                                                              const TSqlFieldDef &iField, const QString &iType) const
{
    const bool sized = (iField.type == QLatin1String("VARCHAR") || iField.type == QLatin1String("TIMESTAMP"))
                       && iField.length >= 1;
    TSqlStatementBatch batch;
    batch.run = TSqlStatementBatch::Run::List;
    batch.statements = QStringList {typeStatement(iTable, iField.name, iType, sized, iField.length),
                                    nullStatement(iTable, iField.name, iField.notNull)};
    return batch;
}

QStringList TSqlPostgresDialect::migrateAlterStatements(const QString &iTable, const TSqlFieldDef &iWanted,
                                                        const TSqlFieldDef &iCurrent, bool iOldServer) const
{
    TSqlFieldDef w = iWanted;
    // Only the key reads back as "SERIAL"; elsewhere the column is a plain
    // integer, and "SERIAL" is no type an ALTER accepts.
    if (w.type == QLatin1String("SERIAL") && iCurrent.type != QLatin1String("SERIAL")) {
        w.type = QStringLiteral("INTEGER");
    }
    const bool sizable = w.type == QLatin1String("VARCHAR") || w.type == QLatin1String("TIMESTAMP");
    const QString type = typeText(w.type, w.length, iOldServer, TypeUse::MigrateAlter);
    QStringList statements;
    if (w.type != iCurrent.type) {
        statements.append(typeStatement(iTable, w.name, type, sizable && w.length > 0, w.length));
    }
    if (w.notNull != iCurrent.notNull) {
        statements.append(nullStatement(iTable, w.name, w.notNull));
    }
    if (w.type == iCurrent.type && sizable && w.length != iCurrent.length) {
        // A VARCHAR without a length has no limit; PostgreSQL refuses a length of 0.
        const bool unlimited = w.type == QLatin1String("VARCHAR") && w.length <= 0;
        statements.append(typeStatement(iTable, w.name, type, !unlimited, w.length));
    }
    return statements;
}
