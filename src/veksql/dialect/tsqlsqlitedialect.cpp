#include "tsqlsqlitedialect_p.h"

#include "tsqlqueryv2.h"

#include <QMap>

QString TSqlSqliteDialect::driverName() const { return QStringLiteral("QSQLITE"); }

// A file opened is a file that answers.
QString TSqlSqliteDialect::probeSql() const { return QString(); }

bool TSqlSqliteDialect::connectsToServer() const { return false; }

bool TSqlSqliteDialect::takesExplicitKeys() const { return true; }

QString TSqlSqliteDialect::clockSql(bool iDateOnly) const
{
    return iDateOnly ? QStringLiteral("SELECT DATE(CURRENT_TIMESTAMP,'localtime')")
                     : QStringLiteral("SELECT DATETIME(CURRENT_TIMESTAMP,'localtime')");
}

QString TSqlSqliteDialect::typeText(const QString &iWord, int iLength, bool, TypeUse iUse) const
{
    if (iWord == QLatin1String("SERIAL") || iWord == QLatin1String("INTEGER")) {
        return QStringLiteral("INTEGER");
    }
    if (iWord == QLatin1String("DOUBLE") || iWord == QLatin1String("TEXT") || iWord == QLatin1String("BYTEA")
        || iWord == QLatin1String("DATE")) {
        return iWord;
    }
    if (iWord == QLatin1String("TIMESTAMP") || iWord == QLatin1String("VARCHAR")) {
        return iLength > 0 ? lengthType(iWord, iLength) : iWord;
    }
    return iUse == TypeUse::Create ? QString() : iWord;
}

void TSqlSqliteDialect::readKeys(TSqlQueryV2 &iQuery, const QString &iTable, TableKeys &ioKeys) const
{
    ioKeys.columnRows = selectRows(iQuery, columnSql(iTable));
    QMap<int, QString> keyColumns;
    for (const QVariant &row : qAsConst(ioKeys.columnRows)) {
        const QVariantMap map = row.toMap();
        const int position = rowInt(map, QStringLiteral("pk"));
        if (position > 0) {
            keyColumns.insert(position, rowText(map, QStringLiteral("name")));
        }
    }
    // Only a single-column key is the row number that "SERIAL" stands for.
    if (keyColumns.size() == 1) {
        ioKeys.keyColumn = keyColumns.first();
    }
    if (!keyColumns.isEmpty()) {
        ioKeys.indexes.append(
                indexMap(QStringLiteral("PRIMARY"), QStringList(keyColumns.values()).join(QLatin1Char(','))));
    }
    ioKeys.indexes += uniqueIndexes(iQuery, iTable, ioKeys.keyColumn);
}

QVariantList TSqlSqliteDialect::uniqueIndexes(TSqlQueryV2 &iQuery, const QString &iTable,
                                              const QString &iKeyColumn) const
{
    QVariantList indexes;
    const QVariantList indexRows
            = selectRows(iQuery, QStringLiteral("PRAGMA INDEX_LIST('%1')").arg(literalName(iTable)));
    for (const QVariant &row : indexRows) {
        const QVariantMap map = row.toMap();
        if (rowInt(map, QStringLiteral("unique")) == 0
            || rowText(map, QStringLiteral("origin")) == QLatin1String("pk")) {
            continue;
        }
        const QVariantList infoRows = selectRows(
                iQuery,
                QStringLiteral("PRAGMA INDEX_INFO('%1')").arg(literalName(rowText(map, QStringLiteral("name")))));
        QStringList columns;
        for (const QVariant &info : infoRows) {
            columns.append(rowText(info.toMap(), QStringLiteral("name")));
        }
        if (columns.size() == 1 && !iKeyColumn.isEmpty() && columns.first() == iKeyColumn) {
            continue;
        }
        indexes.append(indexMap(QStringLiteral("UNIQUE"), columns.join(QLatin1Char(','))));
    }
    return indexes;
}

// The key pass has read the columns already.
QVariantList TSqlSqliteDialect::readColumnRows(TSqlQueryV2 &, const QString &, const TableKeys &iKeys) const
{
    return iKeys.columnRows;
}

QString TSqlSqliteDialect::columnSql(const QString &iTable) const
{
    return QStringLiteral("PRAGMA TABLE_INFO('%1')").arg(literalName(iTable));
}

QVariantMap TSqlSqliteDialect::fieldFromRow(const QVariantMap &iRow, const QString &iKeyColumn) const
{
    const QString name = rowText(iRow, QStringLiteral("name"));
    const bool notNull = rowInt(iRow, QStringLiteral("notnull")) == 1;
    const QString t = rowText(iRow, QStringLiteral("type")).toUpper();
    QString word;
    int length = 0;
    if (t == QLatin1String("INTEGER")) {
        word = name == iKeyColumn ? QStringLiteral("SERIAL") : QStringLiteral("INTEGER");
    } else if (t == QLatin1String("DOUBLE") || t == QLatin1String("TEXT") || t == QLatin1String("BYTEA")
               || t == QLatin1String("DATE")) {
        word = t;
    } else if (t.startsWith(QLatin1String("VARCHAR"))) {
        word = QStringLiteral("VARCHAR");
        length = declaredLength(t);
    } else if (t.startsWith(QLatin1String("TIMESTAMP"))) {
        word = QStringLiteral("TIMESTAMP");
        length = declaredLength(t);
    }
    return fieldMap(name, word, length, notNull);
}

void TSqlSqliteDialect::addKey(TSqlCreatePlan &ioPlan, bool iPrimary, const QStringList &iColumns,
                               const QString &iQuotedColumns) const
{
    if (!iPrimary) {
        ioPlan.keyClauses.append(QStringLiteral("UNIQUE (%1)").arg(iQuotedColumns));
    } else if (!ioPlan.primarySeen) {
        // A single key column carries the key in its definition (and with it
        // the auto-increment); a composite key is a clause.
        ioPlan.primarySeen = true;
        if (iColumns.size() == 1) {
            ioPlan.primaryColumn = iColumns.first();
        } else if (iColumns.size() > 1) {
            ioPlan.keyClauses.append(QStringLiteral("PRIMARY KEY (%1)").arg(iQuotedColumns));
        }
    }
}

QString TSqlSqliteDialect::columnFlags(TSqlCreatePlan &ioPlan, const QVariantMap &, const TSqlFieldDef &iField,
                                       QString *ioType) const
{
    if (ioPlan.nativeTypes.contains(iField.name)) {
        *ioType = ioPlan.nativeTypes.value(iField.name);
    }
    QString flags;
    if (iField.name == ioPlan.primaryColumn) {
        flags += QStringLiteral(" PRIMARY KEY ");
    }
    if (iField.type == QLatin1String("SERIAL")) {
        flags += QStringLiteral(" AUTOINCREMENT ");
    }
    if (iField.notNull) {
        flags += QStringLiteral(" NOT NULL");
    }
    return flags;
}

bool TSqlSqliteDialect::rebuildsTables() const { return true; }

QHash<QString, QString> TSqlSqliteDialect::declaredTypes(TSqlQueryV2 &iQuery, const QString &iTable) const
{
    QHash<QString, QString> types;
    const QVariantList rows = selectRows(iQuery, columnSql(iTable));
    for (const QVariant &row : rows) {
        const QVariantMap map = row.toMap();
        types.insert(rowText(map, QStringLiteral("name")), rowText(map, QStringLiteral("type")));
    }
    return types;
}

// Renaming a table rewrites the references to it unless the legacy rule is on.
bool TSqlSqliteDialect::beginRebuild(TSqlQueryV2 &iQuery) const
{
    const bool legacy
            = iQuery.selectValue(QStringLiteral("PRAGMA legacy_alter_table"), QVariantMap(), QVariantMap()).toInt()
              != 0;
    if (legacy) {
        return false;
    }
    iQuery.execSql(QStringLiteral("PRAGMA legacy_alter_table=ON"));
    return true;
}

void TSqlSqliteDialect::endRebuild(TSqlQueryV2 &iQuery) const
{
    iQuery.execSql(QStringLiteral("PRAGMA legacy_alter_table=OFF"));
}
