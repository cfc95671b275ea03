#include "tsqlselectorv2.h"
#include "tsqlselectorv2_p.h"

#include "tsqldatautilv2.h"
#include "tsqldialect_p.h"
#include "tsqlliteral_p.h"
#include "tsqlstatementdata_p.h"

void TSqlSelectorV2Private::readMap(const QVariantMap &iMap)
{
    using TSqlStatementKeys::is;
    TSqlStatementKeys::forEach(iMap, [&](const QString &key, const QVariant &value) {
        if (TSqlStatementKeys::readCommon(key, value, connectionName, table, userData))
            return;
        if (is(key, "FIELD")) {
            TSqlStatementKeys::appendTexts(field, value);
        } else if (is(key, "WHERE")) {
            TSqlDataUtilV2::fillWhere(where, value);
        } else if (is(key, "GROUP")) {
            TSqlStatementKeys::appendTexts(group, value);
        } else if (is(key, "ORDER")) {
            if (TSqlLiteral::isList(value))
                TSqlStatementKeys::appendTexts(order, value);
            else if (value.isValid() && !value.isNull() && !value.toString().isEmpty())
                order << value.toString();
        } else if (is(key, "OFFSET")) {
            offset = value.toInt();
        } else if (is(key, "LIMIT")) {
            limit = value.toInt();
        } else if (is(key, "CASETYPE", "CASE_TYPE")) {
            fieldCaseType = value.toInt();
        } else if (is(key, "UNIQUEFIELD", "UNIQUE_FIELD")) {
            uniqueField = value.toString();
        } else if (is(key, "RETURNROWCOUNT", "RETURN_ROW_COUNT")) {
            returnRowCount = value.toBool();
        } else if (is(key, "DATABASETYPE", "DATABASE_TYPE")) {
            databaseType = value.toString();
        } else if (is(key, "FIELDFORMAT", "FIELD_FORMAT")) {
            fieldFormat = value.toMap();
        } else if (is(key, "VALUEFIELD", "VALUE_FIELD")) {
            valueField = value.toString();
        }
    });
}

QString TSqlSelectorV2Private::whereClause() const
{
    // Conditions follow the statement's dialect unless a node has its own.
    const QString sql = where.toSql(databaseType);
    return sql.isEmpty() ? QString() : QLatin1String(" WHERE ") + sql;
}

QString TSqlSelectorV2Private::orderClause() const
{
    return order.isEmpty() ? QString() : QLatin1String(" ORDER BY ") + order.join(QLatin1Char(','));
}

QString TSqlSelectorV2Private::groupClause() const
{
    return group.isEmpty() ? QString() : QLatin1String(" GROUP BY ") + group.join(QLatin1Char(','));
}

QString TSqlSelectorV2Private::plainSelect() const
{
    return QLatin1String("SELECT ") + (field.isEmpty() ? QStringLiteral("*") : field.join(QLatin1Char(',')))
           + QLatin1String(" FROM ") + table + whereClause() + groupClause();
}

TSqlSelectorV2::TSqlSelectorV2()
    : d_ptr(new TSqlSelectorV2Private(this))
{}

TSqlSelectorV2::TSqlSelectorV2(const QString &iTable)
    : d_ptr(new TSqlSelectorV2Private(this))
{
    d_ptr->table = iTable;
}

TSqlSelectorV2::TSqlSelectorV2(const QVariantMap &iMap)
    : d_ptr(new TSqlSelectorV2Private(this))
{
    d_ptr->readMap(iMap);
}

TSqlSelectorV2::TSqlSelectorV2(const TSqlSelectorV2 &iOther)
    : d_ptr(new TSqlSelectorV2Private(this))
{
    static_cast<TSqlSelectorV2Data &>(*d_ptr) = *iOther.d_ptr;
}

TSqlSelectorV2 &TSqlSelectorV2::operator=(const TSqlSelectorV2 &iOther)
{
    if (&iOther != this)
        static_cast<TSqlSelectorV2Data &>(*d_ptr) = *iOther.d_ptr;
    return *this;
}

TSqlSelectorV2::~TSqlSelectorV2() { delete d_ptr; }

QString TSqlSelectorV2::connectionName() const
{
    Q_D(const TSqlSelectorV2);
    return d->connectionName;
}

TSqlSelectorV2 &TSqlSelectorV2::setConnectionName(const QString &iName)
{
    Q_D(TSqlSelectorV2);
    d->connectionName = iName;
    return *this;
}

QString TSqlSelectorV2::table() const
{
    Q_D(const TSqlSelectorV2);
    return d->table;
}

TSqlSelectorV2 &TSqlSelectorV2::setTable(const QString &iTable)
{
    Q_D(TSqlSelectorV2);
    d->table = iTable;
    return *this;
}

QStringList TSqlSelectorV2::field() const
{
    Q_D(const TSqlSelectorV2);
    return d->field;
}

QStringList &TSqlSelectorV2::fieldRef()
{
    Q_D(TSqlSelectorV2);
    return d->field;
}

TSqlSelectorV2 &TSqlSelectorV2::setField(const QString &iField) { return setField(QStringList {iField}); }

TSqlSelectorV2 &TSqlSelectorV2::setField(const QStringList &iFields)
{
    Q_D(TSqlSelectorV2);
    d->field = iFields;
    return *this;
}

TSqlSelectorV2 &TSqlSelectorV2::addField(const QString &iField)
{
    Q_D(TSqlSelectorV2);
    d->field.append(iField);
    return *this;
}

TSqlSelectorV2 &TSqlSelectorV2::removeField(const QString &iField)
{
    Q_D(TSqlSelectorV2);
    d->field.removeAll(iField);
    return *this;
}

TSqlWhereCompsiteV2 TSqlSelectorV2::where() const
{
    Q_D(const TSqlSelectorV2);
    return d->where;
}

TSqlWhereCompsiteV2 &TSqlSelectorV2::whereRef()
{
    Q_D(TSqlSelectorV2);
    return d->where;
}

TSqlSelectorV2 &TSqlSelectorV2::setWhere(const QString &iSql)
{
    Q_D(TSqlSelectorV2);
    d->where.clear().append(iSql);
    return *this;
}

TSqlSelectorV2 &TSqlSelectorV2::setWhere(const QString &iField, const QVariant &iValue, const QString &iOperator)
{
    Q_D(TSqlSelectorV2);
    d->where.clear().append(iField, iValue, iOperator);
    return *this;
}

TSqlSelectorV2 &TSqlSelectorV2::setWhere(const TSqlWhereCompsiteV2 &iWhere)
{
    Q_D(TSqlSelectorV2);
    d->where = iWhere;
    return *this;
}

TSqlSelectorV2 &TSqlSelectorV2::addWhere(const QString &iSql)
{
    Q_D(TSqlSelectorV2);
    d->where.append(iSql);
    return *this;
}

TSqlSelectorV2 &TSqlSelectorV2::addWhere(const QString &iField, const QVariant &iValue, const QString &iOperator)
{
    Q_D(TSqlSelectorV2);
    d->where.append(iField, iValue, iOperator);
    return *this;
}

TSqlSelectorV2 &TSqlSelectorV2::addWhere(const TSqlWhereAbsV2 &iNode)
{
    Q_D(TSqlSelectorV2);
    d->where.append(iNode);
    return *this;
}

QStringList TSqlSelectorV2::group() const
{
    Q_D(const TSqlSelectorV2);
    return d->group;
}

QStringList &TSqlSelectorV2::groupRef()
{
    Q_D(TSqlSelectorV2);
    return d->group;
}

TSqlSelectorV2 &TSqlSelectorV2::setGroup(const QString &iField) { return setGroup(QStringList {iField}); }

TSqlSelectorV2 &TSqlSelectorV2::setGroup(const QStringList &iFields)
{
    Q_D(TSqlSelectorV2);
    d->group = iFields;
    return *this;
}

TSqlSelectorV2 &TSqlSelectorV2::addGroup(const QString &iField)
{
    Q_D(TSqlSelectorV2);
    d->group.append(iField);
    return *this;
}

TSqlSelectorV2 &TSqlSelectorV2::removeGroup(const QString &iField)
{
    Q_D(TSqlSelectorV2);
    d->group.removeAll(iField);
    return *this;
}

QStringList TSqlSelectorV2::order() const
{
    Q_D(const TSqlSelectorV2);
    return d->order;
}

QStringList &TSqlSelectorV2::orderRef()
{
    Q_D(TSqlSelectorV2);
    return d->order;
}

TSqlSelectorV2 &TSqlSelectorV2::setOrder(const QString &iField, Qt::SortOrder iOrder)
{
    Q_D(TSqlSelectorV2);
    d->order.clear();
    return addOrder(iField, iOrder);
}

TSqlSelectorV2 &TSqlSelectorV2::setOrder(const QStringList &iOrders)
{
    Q_D(TSqlSelectorV2);
    d->order = iOrders;
    return *this;
}

TSqlSelectorV2 &TSqlSelectorV2::addOrder(const QString &iField, Qt::SortOrder iOrder)
{
    Q_D(TSqlSelectorV2);
    d->order.append(iField + (iOrder == Qt::AscendingOrder ? QLatin1String(" ASC") : QLatin1String(" DESC")));
    return *this;
}

int TSqlSelectorV2::offset() const
{
    Q_D(const TSqlSelectorV2);
    return d->offset;
}

TSqlSelectorV2 &TSqlSelectorV2::setOffset(int iOffset)
{
    Q_D(TSqlSelectorV2);
    d->offset = iOffset;
    return *this;
}

int TSqlSelectorV2::limit() const
{
    Q_D(const TSqlSelectorV2);
    return d->limit;
}

TSqlSelectorV2 &TSqlSelectorV2::setLimit(int iLimit)
{
    Q_D(TSqlSelectorV2);
    d->limit = iLimit;
    return *this;
}

TSqlSelectorV2 &TSqlSelectorV2::setPage(int iPage, int iPageSize)
{
    Q_D(TSqlSelectorV2);
    d->limit = iPageSize;
    d->offset = (iPage - 1) * iPageSize;
    return *this;
}

QString TSqlSelectorV2::uniqueField() const
{
    Q_D(const TSqlSelectorV2);
    return d->uniqueField;
}

TSqlSelectorV2 &TSqlSelectorV2::setUniqueField(const QString &iField)
{
    Q_D(TSqlSelectorV2);
    d->uniqueField = iField;
    return *this;
}

int TSqlSelectorV2::fieldCaseType() const
{
    Q_D(const TSqlSelectorV2);
    return d->fieldCaseType;
}

TSqlSelectorV2 &TSqlSelectorV2::setFieldCaseType(int iType)
{
    Q_D(TSqlSelectorV2);
    d->fieldCaseType = iType;
    return *this;
}

bool TSqlSelectorV2::isReturnRowCount() const
{
    Q_D(const TSqlSelectorV2);
    return d->returnRowCount;
}

TSqlSelectorV2 &TSqlSelectorV2::setReturnRowCount(bool iReturn)
{
    Q_D(TSqlSelectorV2);
    d->returnRowCount = iReturn;
    return *this;
}

QVariant TSqlSelectorV2::userData() const
{
    Q_D(const TSqlSelectorV2);
    return d->userData;
}

TSqlSelectorV2 &TSqlSelectorV2::setUserData(const QVariant &iData)
{
    Q_D(TSqlSelectorV2);
    d->userData = iData;
    return *this;
}

QVariantMap TSqlSelectorV2::fieldFormat() const
{
    Q_D(const TSqlSelectorV2);
    return d->fieldFormat;
}

QVariant TSqlSelectorV2::fieldFormat(const QString &iField) const
{
    Q_D(const TSqlSelectorV2);
    return d->fieldFormat.value(iField);
}

TSqlSelectorV2 &TSqlSelectorV2::setFieldFormat(const QVariantMap &iFormats)
{
    Q_D(TSqlSelectorV2);
    d->fieldFormat = iFormats;
    return *this;
}

TSqlSelectorV2 &TSqlSelectorV2::setFieldFormat(const QString &iField, const QVariant &iFormat)
{
    Q_D(TSqlSelectorV2);
    d->fieldFormat.insert(iField, iFormat);
    return *this;
}

QString TSqlSelectorV2::databaseType() const
{
    Q_D(const TSqlSelectorV2);
    return d->databaseType;
}

TSqlSelectorV2 &TSqlSelectorV2::setDatabaseType(const QString &iType)
{
    Q_D(TSqlSelectorV2);
    d->databaseType = iType.toUpper();
    return *this;
}

QString TSqlSelectorV2::valueField() const
{
    Q_D(const TSqlSelectorV2);
    return d->valueField;
}

TSqlSelectorV2 &TSqlSelectorV2::setValueField(const QString &iField)
{
    Q_D(TSqlSelectorV2);
    d->valueField = iField;
    return *this;
}

TSqlSelectorV2 &TSqlSelectorV2::clear()
{
    Q_D(TSqlSelectorV2);
    const QString databaseType = d->databaseType;
    const bool returnRowCount = d->returnRowCount;
    static_cast<TSqlSelectorV2Data &>(*d) = TSqlSelectorV2Data();
    d->connectionName = QString();
    d->table = QString();
    d->uniqueField = QString();
    d->databaseType = databaseType;
    d->returnRowCount = returnRowCount;
    return *this;
}

QString TSqlSelectorV2::toSql() const
{
    Q_D(const TSqlSelectorV2);
    const TSqlDialect *dialect = TSqlDialect::forLiteralType(d->databaseType);
    if (!dialect) {
        return TSqlDialect::limitOffsetSelect(d->plainSelect() + d->orderClause(), d->limit, d->offset);
    }
    return dialect->pagedSelect(d->plainSelect(), d->orderClause(), d->order, d->limit, d->offset);
}

QString TSqlSelectorV2::toSelectCountSql() const
{
    Q_D(const TSqlSelectorV2);
    return QLatin1String("SELECT COUNT(*) FROM ") + d->table + d->whereClause() + d->groupClause();
}

QString TSqlSelectorV2::sortOrderToString(Qt::SortOrder iOrder)
{
    return iOrder == Qt::DescendingOrder ? QStringLiteral("Descending") : QStringLiteral("Ascending");
}

Qt::SortOrder TSqlSelectorV2::sortOrderFromString(const QString &iStr)
{
    if (iStr.contains(QLatin1String("asc"), Qt::CaseInsensitive))
        return Qt::AscendingOrder;
    if (iStr.contains(QLatin1String("desc"), Qt::CaseInsensitive))
        return Qt::DescendingOrder;
    return Qt::AscendingOrder;
}
