#include "tsqlmysqldialect_p.h"

#include "tsqldatautilv2.h"

#include <QSqlDatabase>
#include <QSqlQuery>

namespace {

QString autoIncrementFlag(const TSqlFieldDef &iField)
{
    return iField.type == QLatin1String("SERIAL") ? QStringLiteral(" AUTO_INCREMENT") : QString();
}

} // namespace

TSqlMySqlDialect::TSqlMySqlDialect(bool iNoBackslashEscapes)
    : noBackslashEscapes(iNoBackslashEscapes)
{}

QString TSqlMySqlDialect::noBackslashEscapesType() { return QStringLiteral("QMYSQL_NO_BACKSLASH_ESCAPES"); }

QString TSqlMySqlDialect::driverName() const { return QStringLiteral("QMYSQL"); }

QString TSqlMySqlDialect::probeSql() const { return QStringLiteral("SELECT curdate()"); }

QString TSqlMySqlDialect::identifierQuote() const { return QStringLiteral("`"); }

bool TSqlMySqlDialect::literalsDependOnSession() const { return true; }

// A session in NO_BACKSLASH_ESCAPES mode takes a backslash as it stands.
QString TSqlMySqlDialect::sessionLiteralType(const QSqlDatabase &iDatabase) const
{
    QSqlQuery query(iDatabase);
    bool escapesOff = false;
    if (query.exec(QStringLiteral("SELECT @@SESSION.sql_mode")) && query.next()) {
        const QStringList modes = query.value(0).toString().toUpper().split(QLatin1Char(','));
        escapesOff = modes.contains(QLatin1String("NO_BACKSLASH_ESCAPES"));
    }
    return escapesOff ? noBackslashEscapesType() : driverName();
}

QString TSqlMySqlDialect::stringLiteral(const QString &iText) const
{
    return noBackslashEscapes ? TSqlDialect::stringLiteral(iText) : TSqlDataUtilV2::singleQuote(iText);
}

QString TSqlMySqlDialect::clockSql(bool iDateOnly) const
{
    return iDateOnly ? QStringLiteral("SELECT curdate()") : QStringLiteral("SELECT now()");
}

QString TSqlMySqlDialect::typeText(const QString &iWord, int iLength, bool, TypeUse iUse) const
{
    if (iWord == QLatin1String("SERIAL") || iWord == QLatin1String("INTEGER")) {
        return QStringLiteral("INT");
    }
    if (iWord == QLatin1String("DOUBLE") || iWord == QLatin1String("TEXT") || iWord == QLatin1String("DATE")) {
        return iWord;
    }
    if (iWord == QLatin1String("BYTEA")) {
        return QStringLiteral("BLOB");
    }
    if (iWord == QLatin1String("TIMESTAMP")) {
        return QStringLiteral("DATETIME");
    }
    if (iWord == QLatin1String("VARCHAR")) {
        return (iLength == 0 || iLength >= 4000) ? QStringLiteral("TEXT") : lengthType(iWord, iLength);
    }
    return iUse == TypeUse::Create ? QString() : iWord;
}

QString TSqlMySqlDialect::constraintSql(const QString &iTable) const
{
    return QStringLiteral("SHOW INDEX FROM `%1`").arg(escapeName(iTable));
}

bool TSqlMySqlDialect::constraintCounts(const QVariantMap &iRow) const
{
    return rowInt(iRow, QStringLiteral("non_unique")) == 0;
}

QString TSqlMySqlDialect::constraintName(const QVariantMap &iRow) const
{
    return rowText(iRow, QStringLiteral("key_name"));
}

QString TSqlMySqlDialect::constraintKind(const QVariantMap &iRow) const
{
    return constraintName(iRow).toUpper() == QLatin1String("PRIMARY") ? QStringLiteral("PRIMARY")
                                                                      : QStringLiteral("UNIQUE");
}

bool TSqlMySqlDialect::isUniqueConstraint(const QVariantMap &iRow) const
{
    return constraintCounts(iRow) && constraintName(iRow) != QLatin1String("PRIMARY");
}

QString TSqlMySqlDialect::columnSql(const QString &iTable) const
{
    return QStringLiteral("SHOW COLUMNS FROM `%1`").arg(escapeName(iTable));
}

QVariantMap TSqlMySqlDialect::fieldFromRow(const QVariantMap &iRow, const QString &iKeyColumn) const
{
    const QString name = rowText(iRow, QStringLiteral("field"));
    const bool notNull = rowText(iRow, QStringLiteral("null")).toUpper() == QLatin1String("NO");
    const QString t = rowText(iRow, QStringLiteral("type")).toUpper();
    QString word;
    int length = 0;
    if (t.startsWith(QLatin1String("INT"))) {
        word = name == iKeyColumn ? QStringLiteral("SERIAL") : QStringLiteral("INTEGER");
    } else if (t == QLatin1String("DOUBLE") || t == QLatin1String("TEXT") || t == QLatin1String("DATE")) {
        word = t;
    } else if (t.startsWith(QLatin1String("VARCHAR"))) {
        word = QStringLiteral("VARCHAR");
        length = declaredLength(t);
        if (length >= 2148) {
            length = 0;
        }
    } else if (t == QLatin1String("BLOB")) {
        word = QStringLiteral("BYTEA");
    } else if (t == QLatin1String("DATETIME")) {
        word = QStringLiteral("TIMESTAMP");
    }
    return fieldMap(name, word, length, notNull);
}

void TSqlMySqlDialect::addKey(TSqlCreatePlan &ioPlan, bool iPrimary, const QStringList &,
                              const QString &iQuotedColumns) const
{
    ioPlan.keyClauses.append(
            (iPrimary ? QStringLiteral("PRIMARY KEY (%1)") : QStringLiteral("UNIQUE KEY (%1)")).arg(iQuotedColumns));
}

QString TSqlMySqlDialect::columnFlags(TSqlCreatePlan &, const QVariantMap &, const TSqlFieldDef &iField,
                                      QString *) const
{
    QString flags;
    if (iField.notNull) {
        flags += QStringLiteral(" NOT NULL");
    }
    if (iField.type == QLatin1String("SERIAL")) {
        flags += QStringLiteral(" AUTO_INCREMENT ");
    }
    return flags;
}

TSqlStatementBatch TSqlMySqlDialect::addColumnStatements(const QString &iTable, const TSqlFieldDef &iField,
                                                         const QString &iDefinition) const
{
    TSqlStatementBatch batch;
    batch.statements.append(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2;")
                                    .arg(quoteName(iTable), iDefinition + autoIncrementFlag(iField)));
    return batch;
}

QString TSqlMySqlDialect::modifyColumnSql(const QString &iTable, const TSqlFieldDef &iField, const QString &iType) const
{
    return QStringLiteral("ALTER TABLE %1 MODIFY COLUMN %2 %3").arg(quoteName(iTable), quoteName(iField.name), iType)
           + (iField.notNull ? QStringLiteral(" NOT NULL") : QStringLiteral(" NULL")) + autoIncrementFlag(iField)
           + QLatin1Char(';');
}

TSqlStatementBatch TSqlMySqlDialect::alterColumnStatements(TSqlQueryV2 &, const QString &iTable,
                                                           const TSqlFieldDef &iField, const QString &iType) const
{
    TSqlStatementBatch batch;
    batch.statements.append(modifyColumnSql(iTable, iField, iType));
    return batch;
}

QString TSqlMySqlDialect::renameTableSql(const QString &iFrom, const QString &iTo) const
{
    return QStringLiteral("RENAME TABLE %1 TO %2;").arg(quoteName(iFrom), quoteName(iTo));
}

// Every column in both structures is modified, also when nothing changed.
QStringList TSqlMySqlDialect::migrateAlterStatements(const QString &iTable, const TSqlFieldDef &iWanted,
                                                     const TSqlFieldDef &, bool iOldServer) const
{
    return QStringList {modifyColumnSql(iTable, iWanted,
                                        typeText(iWanted.type, iWanted.length, iOldServer, TypeUse::MigrateAlter))};
}

QString TSqlMySqlDialect::migrateAddStatement(const QString &iTable, const TSqlFieldDef &iWanted, bool iOldServer) const
{
    return QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3")
                   .arg(quoteName(iTable), quoteName(iWanted.name),
                        typeText(iWanted.type, iWanted.length, iOldServer, TypeUse::MigrateAdd))
           + (iWanted.notNull ? QStringLiteral(" NOT NULL") : QString()) + autoIncrementFlag(iWanted)
           + QLatin1Char(';');
}

QString TSqlMySqlDialect::dropUniqueSql(const QString &iTable, const QString &iName) const
{
    return QStringLiteral("ALTER TABLE %1 DROP INDEX %2;").arg(quoteName(iTable), quoteName(iName));
}

bool TSqlMySqlDialect::commitsEachStatement() const { return true; }
