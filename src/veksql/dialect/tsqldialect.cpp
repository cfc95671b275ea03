#include "tsqldialect_p.h"

#include "tsqlmysqldialect_p.h"
#include "tsqloracledialect_p.h"
#include "tsqlpostgresdialect_p.h"
#include "tsqlqueryv2.h"
#include "tsqlsqlitedialect_p.h"
#include "tsqlsqlserverdialect_p.h"

#include <QRegularExpression>

namespace {

const QString kFieldKey = QStringLiteral("field");
const QString kIndexKey = QStringLiteral("index");

void appendOnce(QStringList &ioList, const QString &iText)
{
    if (!ioList.contains(iText)) {
        ioList.append(iText);
    }
}

bool isAsciiLetter(ushort iCode) { return (iCode >= 'a' && iCode <= 'z') || (iCode >= 'A' && iCode <= 'Z'); }

bool isAsciiDigit(ushort iCode) { return iCode >= '0' && iCode <= '9'; }

// The length of the plain identifier at iPos, 0 when none starts there.
// Letters, digits and marks beyond ASCII count as every server reads them
// bare; a surrogate only in a whole pair, which the text codecs keep.
int plainLength(const QString &iName, int iPos)
{
    const int size = iName.size();
    int i = iPos;
    while (i < size) {
        const QChar c = iName.at(i);
        const bool first = i == iPos;
        if (c.isHighSurrogate()) {
            if (i + 1 >= size || !iName.at(i + 1).isLowSurrogate()) {
                break;
            }
            i += 2;
            continue;
        }
        const ushort code = c.unicode();
        const bool ok = code < 0x80
                                ? isAsciiLetter(code) || code == '_' || (!first && (isAsciiDigit(code) || code == '$'))
                                : !c.isSurrogate() && (c.isLetter() || (!first && (c.isNumber() || c.isMark())));
        if (!ok) {
            break;
        }
        ++i;
    }
    return i - iPos;
}

// The length of the identifier between iQuote quotes at iPos, the quote
// doubled inside; 0 when none starts there. It may not be empty, and NUL and
// broken surrogates, which the drivers cut or replace, may not stand in it.
int quotedLength(const QString &iName, int iPos, QChar iQuote)
{
    const int size = iName.size();
    if (iPos >= size || iName.at(iPos) != iQuote) {
        return 0;
    }
    for (int i = iPos + 1; i < size; ++i) {
        const QChar c = iName.at(i);
        if (c.isNull() || (c.isHighSurrogate() && (i + 1 >= size || !iName.at(i + 1).isLowSurrogate()))
            || (c.isLowSurrogate() && !iName.at(i - 1).isHighSurrogate())) {
            return 0;
        }
        if (c != iQuote) {
            continue;
        }
        if (i + 1 < size && iName.at(i + 1) == iQuote) {
            ++i;
            continue;
        }
        return i > iPos + 1 ? i + 1 - iPos : 0;
    }
    return 0;
}

// Where the dotted name at the start of iName ends: at most iMaxParts plain
// or quoted parts, the last of them "*" when iStar. -1 when none starts there.
int nameEnd(const QString &iName, QChar iQuote, int iMaxParts, bool iStar)
{
    const int size = iName.size();
    int pos = 0;
    for (int part = 1;; ++part) {
        if (iStar && pos < size && iName.at(pos) == QLatin1Char('*')) {
            return pos + 1;
        }
        int length = quotedLength(iName, pos, iQuote);
        if (length == 0) {
            length = plainLength(iName, pos);
        }
        if (length == 0) {
            return -1;
        }
        pos += length;
        if (part == iMaxParts || pos >= size || iName.at(pos) != QLatin1Char('.')) {
            return pos;
        }
        ++pos;
    }
}

// A column, or a position in the select list.
int termEnd(const QString &iName, QChar iQuote)
{
    int digits = 0;
    while (digits < iName.size() && isAsciiDigit(iName.at(digits).unicode())) {
        ++digits;
    }
    return digits > 0 ? digits : nameEnd(iName, iQuote, 3, false);
}

} // namespace

TSqlFieldDef::TSqlFieldDef(const QVariant &iField)
{
    const QVariantMap map = iField.toMap();
    name = map.value(QStringLiteral("name")).toString();
    storedType = map.value(QStringLiteral("type")).toString();
    type = storedType.toUpper();
    length = map.value(QStringLiteral("length")).toInt();
    notNull = map.value(QStringLiteral("notnull")).toBool();
}

TSqlDialect::~TSqlDialect() = default;

const TSqlDialect *TSqlDialect::forDriver(const QString &iDriverName)
{
    static const TSqlPostgresDialect postgres;
    static const TSqlSqliteDialect sqlite;
    static const TSqlSqlServerDialect sqlServer;
    static const TSqlMySqlDialect mySql;
    static const TSqlOracleDialect oracle;
    static const TSqlDialect *const dialects[] = {&postgres, &sqlite, &sqlServer, &mySql, &oracle};
    for (const TSqlDialect *dialect : dialects) {
        if (iDriverName == dialect->driverName()) {
            return dialect;
        }
    }
    return nullptr;
}

const TSqlDialect *TSqlDialect::forLiteralType(const QString &iType)
{
    static const TSqlMySqlDialect noBackslashEscapes(true);
    if (iType == TSqlMySqlDialect::noBackslashEscapesType()) {
        return &noBackslashEscapes;
    }
    return forDriver(iType);
}

QString TSqlDialect::defaultDriverName() { return TSqlPostgresDialect().driverName(); }

QString TSqlDialect::identifierQuote() const { return QStringLiteral("\""); }

QString TSqlDialect::escapeName(const QString &iName) const { return escapeName(iName, identifierQuote()); }

QString TSqlDialect::quoteName(const QString &iName) const { return quoteName(iName, identifierQuote()); }

QString TSqlDialect::escapeName(const QString &iName, const QString &iQuote)
{
    return QString(iName).replace(iQuote, iQuote + iQuote);
}

QString TSqlDialect::quoteName(const QString &iName, const QString &iQuote)
{
    return iQuote + escapeName(iName, iQuote) + iQuote;
}

bool TSqlDialect::acceptsName(const QString &iName, TSqlNameUse iUse) const
{
    return acceptsName(iName, iUse, identifierQuote());
}

bool TSqlDialect::acceptsName(const QString &iName, TSqlNameUse iUse, const QString &iQuote)
{
    if (iUse == TSqlNameUse::Catalog) {
        // The driver writes the name between single quotes without doubling them.
        return !iName.isEmpty() && !iName.contains(QLatin1Char('\'')) && !iName.contains(QChar(0));
    }
    const QChar quote = iQuote.isEmpty() ? QLatin1Char('"') : iQuote.at(0);
    switch (iUse) {
    case TSqlNameUse::Table:
        return nameEnd(iName, quote, 2, false) == iName.size();
    case TSqlNameUse::Column:
        return nameEnd(iName, quote, 3, false) == iName.size();
    case TSqlNameUse::SelectItem:
        return nameEnd(iName, quote, 3, true) == iName.size();
    case TSqlNameUse::GroupTerm:
        return termEnd(iName, quote) == iName.size();
    case TSqlNameUse::OrderTerm: {
        static const QRegularExpression direction(QStringLiteral("^(\\s+(ASC|DESC))?(\\s+NULLS\\s+(FIRST|LAST))?\\z"),
                                                  QRegularExpression::CaseInsensitiveOption);
        const int end = termEnd(iName, quote);
        return end > 0 && direction.match(iName.mid(end)).hasMatch();
    }
    case TSqlNameUse::Catalog:
        break;
    }
    return false;
}

bool TSqlDialect::literalsDependOnSession() const { return false; }

QString TSqlDialect::sessionLiteralType(const QSqlDatabase &) const { return driverName(); }

bool TSqlDialect::connectsToServer() const { return true; }

QString TSqlDialect::connectionDatabaseName(const QString &, const QString &iName) const { return iName; }

QString TSqlDialect::stringLiteral(const QString &iText) const
{
    return QLatin1Char('\'') + QString(iText).replace(QLatin1Char('\''), QLatin1String("''")) + QLatin1Char('\'');
}

QString TSqlDialect::likeOperator() const { return QStringLiteral(" LIKE "); }

QString TSqlDialect::pagedSelect(const QString &iSelect, const QString &iOrderClause, const QStringList &, int iLimit,
                                 int iOffset) const
{
    return limitOffsetSelect(iSelect + iOrderClause, iLimit, iOffset);
}

QString TSqlDialect::limitOffsetSelect(const QString &iSelect, int iLimit, int iOffset)
{
    QString sql = iSelect;
    if (iLimit > 0)
        sql += QLatin1String(" LIMIT ") + QString::number(iLimit);
    if (iOffset > 0)
        sql += QLatin1String(" OFFSET ") + QString::number(iOffset);
    return sql;
}

QString TSqlDialect::rowNumberBounds(int iOffset, int iLimit)
{
    const qint64 first = qMax(iOffset, 0) + qint64(1);
    QStringList bounds;
    if (iOffset > 0)
        bounds << QStringLiteral("\"row__number\" >= ") + QString::number(first);
    if (iLimit > 0)
        bounds << QStringLiteral("\"row__number\" < ") + QString::number(first + iLimit);
    return bounds.join(QLatin1String(" AND "));
}

bool TSqlDialect::takesExplicitKeys() const { return false; }

QString TSqlDialect::identityInsertSql(const QString &, const QString &) const { return QString(); }

bool TSqlDialect::isOldServer(TSqlQueryV2 &) const { return false; }

// ----------------------------------------------------------------------
// Table structure

QVariantMap TSqlDialect::readStructure(TSqlQueryV2 &iQuery, const QString &iTable) const
{
    TableKeys keys;
    readKeys(iQuery, iTable, keys);
    QVariantList fields;
    const QVariantList rows = readColumnRows(iQuery, iTable, keys);
    for (const QVariant &row : rows) {
        QVariantMap field = fieldFromRow(row.toMap(), keys.keyColumn);
        completeField(iQuery, iTable, field);
        fields.append(field);
    }
    QVariantMap structure;
    structure.insert(kFieldKey, fields);
    structure.insert(kIndexKey, keys.indexes);
    return structure;
}

void TSqlDialect::readKeys(TSqlQueryV2 &iQuery, const QString &iTable, TableKeys &ioKeys) const
{
    const QVariantList rows = selectRows(iQuery, constraintSql(iTable));
    QStringList names;
    for (const QVariant &row : rows) {
        const QVariantMap map = row.toMap();
        if (!constraintCounts(map)) {
            continue;
        }
        const QString name = constraintName(map);
        if (!name.isEmpty()) {
            appendOnce(names, name);
        }
        if (constraintKind(map) == QLatin1String("PRIMARY")) {
            ioKeys.keyColumn = rowText(map, QStringLiteral("column_name"));
        }
    }
    for (const QString &name : qAsConst(names)) {
        QStringList columns;
        QString type;
        for (const QVariant &row : rows) {
            const QVariantMap map = row.toMap();
            if (!constraintCounts(map) || constraintName(map) != name) {
                continue;
            }
            columns.append(rowText(map, QStringLiteral("column_name")));
            const QString kind = constraintKind(map);
            if (!kind.isEmpty()) {
                type = kind;
            }
        }
        ioKeys.indexes.append(indexMap(type, columns.join(QLatin1Char(','))));
    }
}

QString TSqlDialect::constraintSql(const QString &) const { return QString(); }

bool TSqlDialect::constraintCounts(const QVariantMap &) const { return true; }

QString TSqlDialect::constraintName(const QVariantMap &iRow) const
{
    return rowText(iRow, QStringLiteral("constraint_name"));
}

QString TSqlDialect::constraintKind(const QVariantMap &iRow) const
{
    const QString type = rowText(iRow, QStringLiteral("constraint_type")).toUpper();
    if (type == QLatin1String("UNIQUE") || type == QLatin1String("U")) {
        return QStringLiteral("UNIQUE");
    }
    if (type == QLatin1String("PRIMARY KEY") || type == QLatin1String("P")) {
        return QStringLiteral("PRIMARY");
    }
    return QString();
}

bool TSqlDialect::isUniqueConstraint(const QVariantMap &iRow) const
{
    return rowText(iRow, QStringLiteral("constraint_type")) == QLatin1String("UNIQUE");
}

QVariantList TSqlDialect::readColumnRows(TSqlQueryV2 &iQuery, const QString &iTable, const TableKeys &) const
{
    return selectRows(iQuery, columnSql(iTable));
}

void TSqlDialect::completeField(TSqlQueryV2 &, const QString &, QVariantMap &) const {}

// ----------------------------------------------------------------------
// Creation and changes: the standard forms, which most databases share

void TSqlDialect::addKey(TSqlCreatePlan &ioPlan, bool iPrimary, const QStringList &,
                         const QString &iQuotedColumns) const
{
    ioPlan.keyClauses.append(
            (iPrimary ? QStringLiteral("PRIMARY KEY (%1)") : QStringLiteral("UNIQUE (%1)")).arg(iQuotedColumns));
}

QString TSqlDialect::columnFlags(TSqlCreatePlan &, const QVariantMap &, const TSqlFieldDef &iField, QString *) const
{
    return iField.notNull ? QStringLiteral(" NOT NULL") : QString();
}

TSqlStatementBatch TSqlDialect::createStatements(const TSqlCreatePlan &iPlan) const
{
    TSqlStatementBatch batch;
    batch.statements.append(
            QStringLiteral("CREATE TABLE %1 (\n %2 \n);")
                    .arg(quoteName(iPlan.table), (iPlan.definitions + iPlan.keyClauses).join(QStringLiteral(",\n"))));
    return batch;
}

bool TSqlDialect::rebuildsTables() const { return false; }

QHash<QString, QString> TSqlDialect::declaredTypes(TSqlQueryV2 &, const QString &) const
{
    return QHash<QString, QString>();
}

bool TSqlDialect::beginRebuild(TSqlQueryV2 &) const { return false; }

void TSqlDialect::endRebuild(TSqlQueryV2 &) const {}

TSqlStatementBatch TSqlDialect::addColumnStatements(const QString &iTable, const TSqlFieldDef &,
                                                    const QString &iDefinition) const
{
    TSqlStatementBatch batch;
    batch.statements.append(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2;").arg(quoteName(iTable), iDefinition));
    return batch;
}

TSqlStatementBatch TSqlDialect::alterColumnStatements(TSqlQueryV2 &, const QString &, const TSqlFieldDef &,
                                                      const QString &) const
{
    return TSqlStatementBatch();
}

QString TSqlDialect::renameTableSql(const QString &iFrom, const QString &iTo) const
{
    return QStringLiteral("ALTER TABLE %1 RENAME TO %2;").arg(quoteName(iFrom), quoteName(iTo));
}

QString TSqlDialect::dropTableSql(const QString &iTable) const
{
    return QStringLiteral("DROP TABLE %1;").arg(quoteName(iTable));
}

QString TSqlDialect::dropColumnSql(const QString &iTable, const QString &iColumn) const
{
    return QStringLiteral("ALTER TABLE %1 DROP COLUMN %2;").arg(quoteName(iTable), quoteName(iColumn));
}

QStringList TSqlDialect::migrateAlterStatements(const QString &, const TSqlFieldDef &, const TSqlFieldDef &, bool) const
{
    return QStringList();
}

QString TSqlDialect::migrateAddStatement(const QString &iTable, const TSqlFieldDef &iWanted, bool iOldServer) const
{
    return QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3")
                   .arg(quoteName(iTable), quoteName(iWanted.name),
                        typeText(iWanted.type, iWanted.length, iOldServer, TypeUse::MigrateAdd))
           + (iWanted.notNull ? QStringLiteral(" NOT NULL") : QString()) + QLatin1Char(';');
}

QString TSqlDialect::dropUniqueSql(const QString &iTable, const QString &iName) const
{
    return QStringLiteral("ALTER TABLE %1 DROP CONSTRAINT %2;").arg(quoteName(iTable), quoteName(iName));
}

QString TSqlDialect::addUniqueSql(const QString &iTable, const QString &iQuotedColumns) const
{
    return QStringLiteral("ALTER TABLE %1 ADD UNIQUE (%2);").arg(quoteName(iTable), iQuotedColumns);
}

bool TSqlDialect::commitsEachStatement() const { return false; }

bool TSqlDialect::runsStatementsDirectly() const { return false; }

// ----------------------------------------------------------------------
// Helpers

QVariant TSqlDialect::rowValue(const QVariantMap &iRow, const QString &iName)
{
    for (auto it = iRow.constBegin(); it != iRow.constEnd(); ++it) {
        if (it.key().compare(iName, Qt::CaseInsensitive) == 0) {
            return it.value();
        }
    }
    return QVariant();
}

QString TSqlDialect::rowText(const QVariantMap &iRow, const QString &iName) { return rowValue(iRow, iName).toString(); }

int TSqlDialect::rowInt(const QVariantMap &iRow, const QString &iName) { return rowValue(iRow, iName).toInt(); }

QString TSqlDialect::literalName(const QString &iName)
{
    return QString(iName).replace(QLatin1Char('\''), QStringLiteral("''"));
}

QVariantList TSqlDialect::selectRows(TSqlQueryV2 &iQuery, const QString &iSql)
{
    return iQuery.selectArrayMap(iSql, QVariantMap(), QVariantMap());
}

QVariantMap TSqlDialect::indexMap(const QString &iType, const QString &iFields)
{
    QVariantMap index;
    index.insert(QStringLiteral("type"), iType);
    index.insert(kFieldKey, iFields);
    return index;
}

QVariantMap TSqlDialect::fieldMap(const QString &iName, const QString &iWord, int iLength, bool iNotNull)
{
    const bool known = !iWord.isEmpty();
    const int length = known ? iLength : 255;
    QVariantMap field;
    field.insert(QStringLiteral("name"), iName);
    field.insert(QStringLiteral("type"), known ? iWord : QStringLiteral("VARCHAR"));
    field.insert(QStringLiteral("notnull"), iNotNull);
    if (length > 0) {
        field.insert(QStringLiteral("length"), length);
    }
    return field;
}

QString TSqlDialect::lengthType(const QString &iWord, int iLength)
{
    return QStringLiteral("%1(%2)").arg(iWord).arg(iLength);
}

int TSqlDialect::declaredLength(const QString &iUpperType)
{
    static const QRegularExpression pattern(QStringLiteral("^([A-Z]+)\\((\\d+)\\)$"));
    const QRegularExpressionMatch match = pattern.match(iUpperType);
    return match.hasMatch() ? match.captured(2).toInt() : 0;
}
