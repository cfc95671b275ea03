#include "tsqlqueryv2.h"
#include "tsqlqueryv2_p.h"

#include "tsqlconnectionpoolv2.h"
#include "tsqldatautilv2.h"
#include "tsqldeleterv2.h"
#include "tsqlinserterv2.h"
#include "tsqlliteral_p.h"
#include "tsqlselectorv2.h"
#include "tsqlupdaterv2.h"

#include "tlogger.h"
#include "tscriptvalue.h"

#include <QDebug>
#include <QSqlDriver>
#include <QSqlRecord>

namespace {

QString addressText(const void *iPointer) { return QString::number(quintptr(iPointer), 16); }

QVariantMap plainMap(const QVariantMap &iMap) { return TScriptValue::toPlain(QVariant(iMap)).toMap(); }

// An update or a delete never runs without a condition: an empty one matches
// no row.
QString conditionOrNone(const QString &iWhere) { return iWhere.isEmpty() ? QStringLiteral("(1=0)") : iWhere; }

} // namespace

// ----------------------------------------------------------------------
// TSqlSelectRun

QVariant TSqlSelectRun::value(int iColumn) const
{
    QVariant cell = query.value(iColumn);
    // Without a format only dates change; every other value goes through as
    // the helper would give it, without a call per cell of a large result.
    const int type = cell.userType();
    if (formats.at(iColumn).isEmpty() && type != QMetaType::QDate && type != QMetaType::QDateTime) {
        return cell.isNull() ? QVariant() : cell;
    }
    return TSqlDataUtilV2::formatSqlValue(cell, formats.at(iColumn));
}

QVariantMap TSqlSelectRun::rowMap() const
{
    QVariantMap row;
    for (int column : columns) {
        row.insert(names.at(column), value(column));
    }
    return row;
}

QVariantList TSqlSelectRun::rowList() const
{
    QVariantList row;
    row.reserve(columns.size());
    for (int column : columns) {
        row.append(value(column));
    }
    return row;
}

QStringList TSqlSelectRun::fieldNames() const
{
    QStringList fields;
    for (int column : columns) {
        fields.append(names.at(column));
    }
    return fields;
}

QString TSqlSelectRun::shownName(int iPosition) const
{
    return iPosition < columns.size() ? names.at(columns.at(iPosition)) : QString();
}

// ----------------------------------------------------------------------
// TSqlQueryV2Private

TSqlQueryV2Private::TSqlQueryV2Private(TSqlQueryV2 *iQ)
    : q_ptr(iQ)
{}

void TSqlQueryV2Private::checkQueryError(const QSqlQuery &iQuery) { checkQueryError(iQuery.lastError()); }

void TSqlQueryV2Private::checkQueryError(const QSqlError &iError)
{
    if (!iError.isValid()) {
        return;
    }
    const QString text = iError.text();
    VEK_LOG(QStringLiteral("SQL_QUERY_ERROR[%1]:%2").arg(int(iError.type())).arg(text), "debug", 5);
    if (text == lastErrorText) {
        return;
    }
    lastErrorText = text;
    error.setError(error.text() + text + QLatin1Char('\n'), QString(QChar(int(iError.type()))),
                   QStringLiteral("SQL_QUERY_ERROR"), QString());
}

QString TSqlQueryV2Private::literalType() const
{
    const QString driver = database.driverName();
    if (dialect) {
        if (!dialect->literalsDependOnSession() || !database.isOpen())
            return driver;
        const QString key
                = database.connectionName() + QLatin1Char('@') + QString::number(quintptr(database.driver()), 16);
        if (key != literalTypeConnection) {
            literalTypeConnection = key;
            literalTypeCache = dialect->sessionLiteralType(database);
        }
        return literalTypeCache;
    }
    if (driver != QLatin1String("QMYSQL") || !database.isOpen())
        return driver;
    // The connection name and the driver object tell one connection from the
    // next one of the same name.
    const QString key = database.connectionName() + QLatin1Char('@') + QString::number(quintptr(database.driver()), 16);
    if (key != literalTypeConnection) {
        QSqlQuery query(database);
        bool noBackslashEscapes = false;
        if (query.exec(QStringLiteral("SELECT @@SESSION.sql_mode")) && query.next()) {
            const QStringList modes = query.value(0).toString().toUpper().split(QLatin1Char(','));
            noBackslashEscapes = modes.contains(QLatin1String("NO_BACKSLASH_ESCAPES"));
        }
        literalTypeConnection = key;
        literalTypeCache = noBackslashEscapes ? TSqlLiteral::mysqlNoBackslashEscapes() : driver;
    }
    return literalTypeCache;
}

namespace {

bool holdsNul(const QVariant &iValue)
{
    const QVariant value = TSqlDataUtilV2::variantToSqlValue(iValue);
    return value.userType() == QMetaType::QString && value.toString().contains(QChar(0));
}

// The first key of a condition map (or of the maps in a condition list)
// whose value holds U+0000.
QString nulConditionField(const QVariant &iWhere)
{
    const QVariant where = TScriptValue::toPlain(iWhere);
    if (where.userType() == QMetaType::QVariantMap) {
        const QVariantMap map = where.toMap();
        for (auto it = map.cbegin(); it != map.cend(); ++it) {
            const QVariant value = it.value().userType() == QMetaType::QVariantMap
                                           ? it.value().toMap().value(QStringLiteral("value"))
                                           : it.value();
            if (holdsNul(value))
                return it.key();
        }
    } else if (TSqlLiteral::isList(where)) {
        const QVariantList list = where.toList();
        for (const QVariant &element : list) {
            const QString field = nulConditionField(element);
            if (!field.isEmpty())
                return field;
        }
    }
    return QString();
}

} // namespace

void TSqlQueryV2Private::setNulError(const QString &iField)
{
    const QString text
            = iField.isEmpty()
                      ? QStringLiteral("A value in the statement holds a NUL character (U+0000), which the database "
                                       "cannot take; nothing was sent.")
                      : QStringLiteral("The value of field \"%1\" holds a NUL character (U+0000), which the database "
                                       "cannot take; nothing was sent.")
                                .arg(iField);
    TLogger::instance()->writeLog(QStringLiteral("SQL_QUERY_ERROR:%1").arg(text), QStringLiteral("debug"), QString(),
                                  TLOG_POS, 5);
    lastErrorText = text;
    error.setError(error.text() + text + QLatin1Char('\n'), QString(QChar(int(QSqlError::StatementError))),
                   QStringLiteral("SQL_QUERY_ERROR"), QString());
}

bool TSqlQueryV2Private::refuseNulValues(const QVariantMap &iData, const QStringList &iFields)
{
    const QStringList fields = iFields.isEmpty() ? QStringList(iData.keys()) : iFields;
    for (const QString &field : fields) {
        if (holdsNul(iData.value(field))) {
            setNulError(field);
            return true;
        }
    }
    return false;
}

bool TSqlQueryV2Private::refuseNulCondition(const QString &iSqlStr, const QVariant &iWhere)
{
    if (!iSqlStr.contains(QChar(0)))
        return false;
    setNulError(nulConditionField(iWhere));
    return true;
}

void TSqlQueryV2Private::logSql(const QString &iSqlStr) const
{
    if (TLogger::instance()->debugLevel() >= 4) {
        TLogger::instance()->writeLog(iSqlStr, QStringLiteral("sql"), QString(), QString(), 4);
    }
}

QString TSqlQueryV2Private::identifierQuote() const
{
    if (dialect) {
        return dialect->identifierQuote();
    }
    return database.driverName() == QLatin1String("QMYSQL") ? QStringLiteral("`") : QStringLiteral("\"");
}

QString TSqlQueryV2Private::escapeName(const QString &iName) const
{
    const QString quote = identifierQuote();
    return QString(iName).replace(quote, quote + quote);
}

QString TSqlQueryV2Private::quoteName(const QString &iName) const
{
    const QString quote = identifierQuote();
    return quote + escapeName(iName) + quote;
}

QSqlQuery TSqlQueryV2Private::preparedInsert(const QString &iSqlStr, bool *oPrepared)
{
    const auto it = insertCache.constFind(iSqlStr);
    if (it != insertCache.constEnd()) {
        *oPrepared = false;
        return it.value();
    }
    // Inserts of many shapes: keep a bounded set.
    if (insertCache.size() >= 32) {
        insertCache.clear();
    }
    *oPrepared = true;
    QSqlQuery query(database);
    query.prepare(iSqlStr);
    // A failed prepare is not kept: the next call prepares and reports again.
    if (!query.lastError().isValid()) {
        insertCache.insert(iSqlStr, query);
    }
    return query;
}

void TSqlQueryV2Private::dropPreparedInserts() { insertCache.clear(); }

void TSqlQueryV2Private::setConnection(const QSqlDatabase &iDatabase)
{
    database = iDatabase;
    dialect = TSqlDialect::forDriver(iDatabase.driverName());
}

bool TSqlQueryV2Private::runSelect(const QString &iSqlStr, const QVariantMap &iFieldFormat,
                                   const QVariantMap &iParamMap, bool iCheckPrepared, bool iFirstRowOnly,
                                   const std::function<void(const TSqlSelectRun &)> &iHeader,
                                   const std::function<void(const TSqlSelectRun &)> &iRow)
{
    Q_Q(TSqlQueryV2);
    const QVariantMap params = plainMap(iParamMap);
    if (refuseNulCondition(iSqlStr, QVariant()) || refuseNulValues(params, QStringList())) {
        return false;
    }
    if (!q->begin(true)) {
        return false;
    }
    const QVariantMap formats = plainMap(iFieldFormat);

    TSqlSelectRun run;
    run.query = QSqlQuery(database);
    logSql(iSqlStr);
    run.query.setForwardOnly(true);
    run.query.prepare(iSqlStr);
    if (iCheckPrepared) {
        checkQueryError(run.query);
    }
    for (auto it = params.constBegin(); it != params.constEnd(); ++it) {
        run.query.bindValue(QLatin1Char(':') + it.key(), TSqlDataUtilV2::variantToSqlValue(it.value()));
    }
    run.query.exec();

    const QSqlRecord record = run.query.record();
    int paging = -1;
    for (int i = 0; i < record.count(); ++i) {
        const QString name = record.fieldName(i);
        run.names.append(name);
        run.formats.append(formats.value(name).toString());
        if (paging < 0 && name.compare(QLatin1String("row__number"), Qt::CaseInsensitive) == 0) {
            paging = i;
        } else {
            run.columns.append(i);
        }
    }
    if (iHeader) {
        iHeader(run);
    }
    while (run.query.next()) {
        iRow(run);
        if (iFirstRowOnly) {
            break;
        }
    }
    checkQueryError(run.query);
    // Rows left unread keep the statement running, and SQLite and MySQL then
    // refuse the commit.
    run.query.finish();
    q->commit();
    return true;
}

QString TSqlQueryV2Private::insertSql(const QString &iTableStr, const QStringList &iFields) const
{
    QStringList columns;
    QStringList marks;
    for (const QString &field : iFields) {
        columns.append(quoteName(field));
        marks.append(QStringLiteral("?"));
    }
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
            .arg(iTableStr, columns.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
}

int TSqlQueryV2Private::updateRow(const QString &iTableStr, const QVariantMap &iDataMap, const QVariant &iWhere,
                                  const QVariantMap &iUpdatePolicy, const QStringList &iFields, bool *oFailed)
{
    Q_Q(TSqlQueryV2);
    *oFailed = true;
    const QString where = conditionOrNone(TSqlDataUtilV2::variant2AndWhere(iWhere, iDataMap, QString(), literalType()));
    const QStringList fields = iFields.isEmpty() ? QStringList(iDataMap.keys()) : iFields;
    if (refuseNulCondition(where, iWhere) || refuseNulValues(iDataMap, fields)) {
        return -1;
    }
    QStringList assignments;
    for (const QString &field : fields) {
        const QString name = quoteName(field);
        const QString policy = iUpdatePolicy.value(field).toString().toUpper();
        if (policy == QLatin1String("JSON_MERGE")) {
            assignments.append(name + QStringLiteral(" = COALESCE(") + name + QStringLiteral(", '{}'::jsonb) || ?"));
        } else if (policy == QLatin1String("ARRAY_APPEND")) {
            assignments.append(name + QStringLiteral(" = ") + name + QStringLiteral(" || ?"));
        } else {
            assignments.append(name + QStringLiteral(" =  ?"));
        }
    }
    if (!q->begin(true)) {
        return 0;
    }
    const QString sql
            = QStringLiteral("UPDATE %1 SET %2 WHERE %3").arg(iTableStr, assignments.join(QLatin1Char(',')), where);
    logSql(sql);
    QSqlQuery query(database);
    query.prepare(sql);
    checkQueryError(query);
    for (int i = 0; i < fields.size(); ++i) {
        query.bindValue(i, TSqlDataUtilV2::variantToSqlValue(iDataMap.value(fields.at(i))));
    }
    *oFailed = !query.exec();
    checkQueryError(query);
    q->commit();
    return query.numRowsAffected();
}

// ----------------------------------------------------------------------
// Construction, connection and transactions

TSqlQueryV2::TSqlQueryV2(QObject *iParent)
    : QObject(iParent)
    , d(new TSqlQueryV2Private(this))
{
    VEK_LOG(QStringLiteral("New TSqlQueryV2 0x%1").arg(addressText(this)), "debug", 5);
}

TSqlQueryV2::TSqlQueryV2(const QSqlDatabase &iDatabase, QObject *iParent)
    : QObject(iParent)
    , d(new TSqlQueryV2Private(this))
{
    VEK_LOG(QStringLiteral("New TSqlQueryV2 0x%1").arg(addressText(this)), "debug", 5);
    d->setConnection(iDatabase);
}

TSqlQueryV2::~TSqlQueryV2() { close(); }

bool TSqlQueryV2::open(bool iCheckConnectionBol)
{
    if (!d->database.isOpen()) {
        if (d->database.open()) {
            return true;
        }
    } else if (!iCheckConnectionBol || isConnected()) {
        return true;
    } else {
        d->dropPreparedInserts();
        d->database.close();
        qDebug() << "close table.....";
        if (d->database.open()) {
            return true;
        }
    }
    const QSqlError dbError = d->database.lastError();
    d->error.setError(dbError.text(), QString(QChar(int(dbError.type()))), QStringLiteral("OPEN_DATABASE_FAILED"),
                      QString());
    qDebug() << "OpenDatabaseError:" << d->error.text();
    return false;
}

bool TSqlQueryV2::isConnected()
{
    if (d->dialect) {
        const QString probe = d->dialect->probeSql();
        if (probe.isEmpty()) {
            return true;
        }
        QSqlQuery query(d->database);
        return query.exec(probe);
    }
    const QString type = d->database.driverName();
    QString probe;
    if (type == QLatin1String("QSQLITE")) {
        return true;
    } else if (type == QLatin1String("QPSQL")) {
        probe = QStringLiteral("SELECT DATE 'now'");
    } else if (type == QLatin1String("QODBC")) {
        probe = QStringLiteral("SELECT GETDATE()");
    } else if (type == QLatin1String("QMYSQL")) {
        probe = QStringLiteral("SELECT curdate()");
    } else if (type == QLatin1String("QOCI")) {
        probe = QStringLiteral("SELECT count(1) FROM DUAL");
    }
    if (probe.isEmpty()) {
        return false;
    }
    QSqlQuery query(d->database);
    return query.exec(probe);
}

bool TSqlQueryV2::close()
{
    if (d->closed) {
        return false;
    }
    VEK_LOG(QStringLiteral("Close TSqlQueryV2 0x%1").arg(addressText(this)), "debug", 5);
    if (d->transNum > 0) {
        d->database.rollback();
        d->transNum = 0;
        d->transactionStarted = false;
    }
    d->dropPreparedInserts();
    TSqlConnectionPoolV2::instance()->releaseConnection(d->database.connectionName());
    d->closed = true;
    return true;
}

bool TSqlQueryV2::begin(bool iCheckConnectionBol)
{
    ++d->transNum;
    if (d->transNum > 1) {
        return true;
    }
    if (!open(iCheckConnectionBol)) {
        d->transNum = 0;
        return false;
    }
    d->lastErrorText.clear();
    d->error.clearError();
    d->transactionStarted = d->database.transaction();
    d->transNum = 1;
    VEK_LOG(QStringLiteral("Begin Transaction"), "debug", 5);
    return true;
}

int TSqlQueryV2::commit()
{
    if (d->transNum <= 1) {
        VEK_LOG(QStringLiteral("Commit Transaction"), "debug", 5);
        const bool started = d->transNum == 1 && d->transactionStarted;
        // A server that refuses the commit (PostgreSQL after a failed
        // statement rolls back instead) has lost the work: say so.
        if (!d->database.commit() && started) {
            d->checkQueryError(d->database.lastError());
        }
        d->transactionStarted = false;
        d->transNum = 1;
        if (d->error.isValid()) {
            VEK_LOG(d->error.text(), "error", 0);
        }
    }
    return --d->transNum;
}

int TSqlQueryV2::rollback()
{
    if (d->transNum <= 1) {
        VEK_LOG(QStringLiteral("Rollback Transaction"), "debug", 5);
        d->database.rollback();
        d->transactionStarted = false;
        d->transNum = 1;
    }
    return --d->transNum;
}

bool TSqlQueryV2::resetTransNum()
{
    if (d->transNum >= 1) {
        d->database.rollback();
        d->transactionStarted = false;
        d->transNum = 0;
        return false;
    }
    return true;
}

bool TSqlQueryV2::execSql(const QString &iSqlStr)
{
    if (iSqlStr.trimmed().isEmpty()) {
        return false;
    }
    if (!begin(true)) {
        return false;
    }
    QSqlQuery query(d->database);
    d->logSql(iSqlStr);
    const bool ok = query.exec(iSqlStr);
    d->checkQueryError(query);
    commit();
    return ok;
}

TError TSqlQueryV2::lastError() const { return d->error; }

QString TSqlQueryV2::errorString() const { return d->error.text(); }

void TSqlQueryV2::clearError()
{
    d->lastErrorText.clear();
    d->error.clearError();
}

QString TSqlQueryV2::databaseType() const { return d->database.driverName(); }

TSqlQueryV2 &TSqlQueryV2::setDatabase(const QSqlDatabase &iDatabase)
{
    d->dropPreparedInserts();
    d->setConnection(iDatabase);
    return *this;
}

QSqlDatabase TSqlQueryV2::sqlDatabase() const { return d->database; }

// ----------------------------------------------------------------------
// Selects

// The selector overloads build the statement for the dialect of the
// connection actually used, whatever type the caller's selector carries.
TSqlSelectorV2 TSqlQueryV2Private::forConnection(const TSqlSelectorV2 &iSelector) const
{
    TSqlSelectorV2 selector(iSelector);
    selector.setDatabaseType(literalType());
    return selector;
}

namespace {

TSqlSelectorV2 selectorFromMap(const QVariantMap &iDataMap) { return TSqlSelectorV2(plainMap(iDataMap)); }

// A key or value field of the keyed selects: a column name, or a template
// (any text with a "$") whose "${column}" placeholders are filled from the row.
class TSqlFieldPick
{
public:
    TSqlFieldPick() = default;
    explicit TSqlFieldPick(const QString &iField)
        : name(iField)
        , isTemplate(iField.contains(QLatin1Char('$')))
    {
        if (isTemplate) {
            templateNames = TSqlDataUtilV2::strCapDollar(iField);
        }
    }

    // The row's entry under the name (invalid when none), or the filled
    // template as text.
    QVariant value(const QVariantMap &iRow) const
    {
        if (isTemplate) {
            return QVariant(TSqlDataUtilV2::strReplaceDollar(name, templateNames, iRow));
        }
        return iRow.value(name);
    }

    QString name;
    bool isTemplate = false;
    QStringList templateNames;
};

// A key or value field as given, or the name of the result's shown column
// iPosition when it is empty.
QString orColumn(const QString &iField, const TSqlSelectRun &iRun, int iPosition)
{
    return iField.isEmpty() ? iRun.shownName(iPosition) : iField;
}

} // namespace

QVariantList TSqlQueryV2::selectArray(const TSqlSelectorV2 &iSqlSelector)
{
    return d->bySelector(iSqlSelector, &TSqlQueryV2::selectArray);
}

QVariantList TSqlQueryV2::selectArray(const QVariantMap &iDataMap) { return selectArray(selectorFromMap(iDataMap)); }

QVariantList TSqlQueryV2::selectArray(const QString &iSqlStr, const QVariantMap &iFieldFormat, QVariantMap iParamMap)
{
    QVariantList result;
    d->runSelect(iSqlStr, iFieldFormat, iParamMap, true, true, nullptr,
                 [&result](const TSqlSelectRun &iRun) { result = iRun.rowList(); });
    return result;
}

QVariantMap TSqlQueryV2::selectMap(const TSqlSelectorV2 &iSqlSelector)
{
    return d->bySelector(iSqlSelector, &TSqlQueryV2::selectMap);
}

QVariantMap TSqlQueryV2::selectMap(const QVariantMap &iDataMap) { return selectMap(selectorFromMap(iDataMap)); }

QVariantMap TSqlQueryV2::selectMap(const QString &iSqlStr, const QVariantMap &iFieldFormat, QVariantMap iParamMap)
{
    QVariantMap result;
    d->runSelect(iSqlStr, iFieldFormat, iParamMap, false, true, nullptr,
                 [&result](const TSqlSelectRun &iRun) { result = iRun.rowMap(); });
    return result;
}

QVariant TSqlQueryV2::selectValue(const TSqlSelectorV2 &iSqlSelector)
{
    return d->bySelector(iSqlSelector, &TSqlQueryV2::selectValue);
}

QVariant TSqlQueryV2::selectValue(const QVariantMap &iDataMap) { return selectValue(selectorFromMap(iDataMap)); }

QVariant TSqlQueryV2::selectValue(const QString &iSqlStr, const QVariantMap &iFieldFormat, QVariantMap iParamMap)
{
    QVariant result;
    d->runSelect(iSqlStr, iFieldFormat, iParamMap, true, true, nullptr, [&result](const TSqlSelectRun &iRun) {
        if (!iRun.columns.isEmpty()) {
            result = iRun.value(iRun.columns.first());
        }
    });
    return result;
}

QVariantList TSqlQueryV2::selectArrayArray(const TSqlSelectorV2 &iSqlSelector)
{
    return d->bySelector(iSqlSelector, &TSqlQueryV2::selectArrayArray);
}

QVariantList TSqlQueryV2::selectArrayArray(const QVariantMap &iDataMap)
{
    return selectArrayArray(selectorFromMap(iDataMap));
}

QVariantList TSqlQueryV2::selectArrayArray(const QString &iSqlStr, const QVariantMap &iFieldFormat,
                                           QVariantMap iParamMap)
{
    QVariantList result;
    d->runSelect(iSqlStr, iFieldFormat, iParamMap, true, false, nullptr,
                 [&result](const TSqlSelectRun &iRun) { result.append(QVariant(iRun.rowList())); });
    return result;
}

QVariantList TSqlQueryV2::selectArrayMap(const TSqlSelectorV2 &iSqlSelector)
{
    return d->bySelector(iSqlSelector, &TSqlQueryV2::selectArrayMap);
}

QVariantList TSqlQueryV2::selectArrayMap(const QVariantMap &iDataMap)
{
    return selectArrayMap(selectorFromMap(iDataMap));
}

QVariantList TSqlQueryV2::selectArrayMap(const QString &iSqlStr, const QVariantMap &iFieldFormat, QVariantMap iParamMap)
{
    QVariantList result;
    d->runSelect(iSqlStr, iFieldFormat, iParamMap, true, false, nullptr,
                 [&result](const TSqlSelectRun &iRun) { result.append(QVariant(iRun.rowMap())); });
    return result;
}

QVariantMap TSqlQueryV2::selectArrayData(const TSqlSelectorV2 &iSqlSelector)
{
    return d->bySelector(iSqlSelector, &TSqlQueryV2::selectArrayData);
}

QVariantMap TSqlQueryV2::selectArrayData(const QVariantMap &iDataMap)
{
    return selectArrayData(selectorFromMap(iDataMap));
}

QVariantMap TSqlQueryV2::selectArrayData(const QString &iSqlStr, const QVariantMap &iFieldFormat, QVariantMap iParamMap)
{
    QStringList fields;
    QVariantList rows;
    QVariantMap result;
    const bool ran = d->runSelect(
            iSqlStr, iFieldFormat, iParamMap, true, false,
            [&fields](const TSqlSelectRun &iRun) { fields = iRun.fieldNames(); },
            [&rows](const TSqlSelectRun &iRun) { rows.append(QVariant(iRun.rowList())); });
    if (ran) {
        result.insert(QStringLiteral("field"), fields);
        result.insert(QStringLiteral("data"), rows);
    }
    return result;
}

QVariantList TSqlQueryV2::selectArrayValue(const TSqlSelectorV2 &iSqlSelector)
{
    const TSqlSelectorV2 selector = d->forConnection(iSqlSelector);
    return selectArrayValue(selector.toSql(), selector.valueField(), selector.fieldFormat(), QVariantMap());
}

QVariantList TSqlQueryV2::selectArrayValue(const QVariantMap &iDataMap)
{
    return selectArrayValue(selectorFromMap(iDataMap));
}

QVariantList TSqlQueryV2::selectArrayValue(const QString &iSqlStr, const QString &iValueField,
                                           const QVariantMap &iFieldFormat, QVariantMap iParamMap)
{
    // The template test looks at the caller's text only: a column name put in
    // for an empty field is read as a plain column even when it holds a "$".
    TSqlFieldPick value(iValueField);
    QVariantList result;
    d->runSelect(
            iSqlStr, iFieldFormat, iParamMap, true, false,
            [&value](const TSqlSelectRun &iRun) {
                if (value.name.isEmpty()) {
                    value.name = iRun.shownName(0);
                }
            },
            [&](const TSqlSelectRun &iRun) { result.append(value.value(iRun.rowMap())); });
    return result;
}

QVariantMap TSqlQueryV2::selectMapMap(const TSqlSelectorV2 &iSqlSelector)
{
    const TSqlSelectorV2 selector = d->forConnection(iSqlSelector);
    return selectMapMap(selector.toSql(), selector.uniqueField(), selector.fieldFormat(), QVariantMap());
}

QVariantMap TSqlQueryV2::selectMapMap(const QVariantMap &iDataMap) { return selectMapMap(selectorFromMap(iDataMap)); }

QVariantMap TSqlQueryV2::selectMapMap(const QString &iSqlStr, const QString &iKeyField, const QVariantMap &iFieldFormat,
                                      QVariantMap iParamMap)
{
    TSqlFieldPick key;
    QVariantMap result;
    d->runSelect(
            iSqlStr, iFieldFormat, iParamMap, true, false,
            [&](const TSqlSelectRun &iRun) { key = TSqlFieldPick(orColumn(iKeyField, iRun, 0)); },
            [&](const TSqlSelectRun &iRun) {
                const QVariantMap row = iRun.rowMap();
                result.insert(key.value(row).toString(), row);
            });
    return result;
}

QVariantMap TSqlQueryV2::selectMapValue(const TSqlSelectorV2 &iSqlSelector)
{
    const TSqlSelectorV2 selector = d->forConnection(iSqlSelector);
    return selectMapValue(selector.toSql(), selector.uniqueField(), selector.valueField(), selector.fieldFormat(),
                          QVariantMap());
}

QVariantMap TSqlQueryV2::selectMapValue(const QVariantMap &iDataMap)
{
    return selectMapValue(selectorFromMap(iDataMap));
}

QVariantMap TSqlQueryV2::selectMapValue(const QString &iSqlStr, const QString &iKeyField, const QString &iValueField,
                                        const QVariantMap &iFieldFormat, QVariantMap iParamMap)
{
    // Here a column name put in for an empty field is a template when it holds a "$".
    TSqlFieldPick key;
    TSqlFieldPick value;
    QVariantMap result;
    d->runSelect(
            iSqlStr, iFieldFormat, iParamMap, true, false,
            [&](const TSqlSelectRun &iRun) {
                key = TSqlFieldPick(orColumn(iKeyField, iRun, 0));
                value = TSqlFieldPick(orColumn(iValueField, iRun, 1));
            },
            [&](const TSqlSelectRun &iRun) {
                const QVariantMap row = iRun.rowMap();
                result.insert(key.value(row).toString(), value.value(row));
            });
    return result;
}

int TSqlQueryV2::selectCount(const TSqlSelectorV2 &iSqlSelector)
{
    return selectValue(iSqlSelector.toSelectCountSql(), QVariantMap(), QVariantMap()).toInt();
}

// ----------------------------------------------------------------------
// Row writes and updates

QVariant TSqlQueryV2::insertRow(const QString &iTableStr, const QVariantMap &iDataMap, const QStringList &iFields,
                                bool iReturnLastInsertId, const QString &iReturnField)
{
    const QVariantMap data = plainMap(iDataMap);
    const QStringList fields = iFields.isEmpty() ? QStringList(data.keys()) : iFields;
    if (d->refuseNulValues(data, fields)) {
        return QVariant();
    }
    if (!begin(true)) {
        return QVariant();
    }
    QString sql = d->insertSql(iTableStr, fields);
    if (!iReturnField.isEmpty()) {
        sql += QStringLiteral(" RETURNING %1").arg(iReturnField);
    }
    qDebug() << "sqlStr:" << sql;
    d->logSql(sql);
    bool prepared = false;
    QSqlQuery query = d->preparedInsert(sql, &prepared);
    if (prepared) {
        d->checkQueryError(query);
    }
    for (int i = 0; i < fields.size(); ++i) {
        const QVariant value = data.value(fields.at(i));
        query.bindValue(i, TSqlDataUtilV2::variantToSqlValue(value),
                        value.type() == QVariant::ByteArray ? QSql::In | QSql::Binary : QSql::In);
    }
    query.exec();
    QVariant result;
    if (iReturnLastInsertId && !iReturnField.isEmpty()) {
        if (query.next()) {
            result = TSqlDataUtilV2::formatSqlValue(query.value(0), QStringLiteral("STRING"));
        }
        qDebug() << "result=" << result;
    } else if (iReturnLastInsertId) {
        result = query.lastInsertId();
    }
    d->checkQueryError(query);
    query.finish();
    commit();
    return result;
}

QVariant TSqlQueryV2::insertRow(const QVariantMap &iDataMap) { return insertRow(TSqlInserterV2(plainMap(iDataMap))); }

QVariant TSqlQueryV2::insertRow(const TSqlInserterV2 &iSqlInserter)
{
    return insertRow(iSqlInserter.table(), iSqlInserter.data(), iSqlInserter.field(),
                     !iSqlInserter.autoIncrementField().isEmpty(), iSqlInserter.autoIncrementField());
}

void TSqlQueryV2::batchInsert(const QString &iTableStr, const QStringList &iFields, const QVariantList &iDataList)
{
    const QVariantList rows = TScriptValue::toPlain(QVariant(iDataList)).toList();
    for (const QVariant &row : rows) {
        const QVariantMap values = row.type() == QVariant::Map ? row.toMap() : QVariantMap();
        QVariantMap byField = values;
        if (row.type() != QVariant::Map) {
            const QVariantList list = row.toList();
            for (int i = 0; i < iFields.size(); ++i)
                byField.insert(iFields.at(i), list.value(i));
        }
        if (d->refuseNulValues(byField, iFields)) {
            return;
        }
    }
    if (!begin(true)) {
        return;
    }
    const QString sql = d->insertSql(iTableStr, iFields);
    d->logSql(sql);
    QSqlQuery query(d->database);
    query.prepare(sql);
    d->checkQueryError(query);
    for (int i = 0; i < iFields.size(); ++i) {
        QVariantList values;
        values.reserve(rows.size());
        for (const QVariant &row : rows) {
            const QVariant value
                    = row.type() == QVariant::Map ? row.toMap().value(iFields.at(i)) : row.toList().value(i);
            values.append(TSqlDataUtilV2::variantToSqlValue(value));
        }
        query.addBindValue(values);
    }
    query.execBatch();
    d->checkQueryError(query);
    commit();
}

int TSqlQueryV2::deleteRow(const QString &iTableStr, const QVariant &iWhere)
{
    const QString where = conditionOrNone(TSqlDataUtilV2::variant2AndWhere(TScriptValue::toPlain(iWhere), QVariantMap(),
                                                                           QString(), d->literalType()));
    if (d->refuseNulCondition(where, iWhere)) {
        return -1;
    }
    if (!begin(true)) {
        return 0;
    }
    const QString sql = QStringLiteral("DELETE FROM %1 WHERE %2").arg(iTableStr, where);
    d->logSql(sql);
    QSqlQuery query(d->database);
    query.exec(sql);
    d->checkQueryError(query);
    commit();
    return query.numRowsAffected();
}

int TSqlQueryV2::deleteRow(const QVariantMap &iDataMap) { return deleteRow(TSqlDeleterV2(plainMap(iDataMap))); }

int TSqlQueryV2::deleteRow(const TSqlDeleterV2 &iSqlDeleter)
{
    return deleteRow(iSqlDeleter.table(), QVariant(iSqlDeleter.where().toSql(d->literalType())));
}

QVariant TSqlQueryV2::replaceRow(const QString &iTableStr, const QVariantMap &iDataMap,
                                 const QStringList &iUniqueFields, const QVariantMap &iUpdatePolicy,
                                 const QStringList &iUpdateFields, const QString &iAutoIncrField)
{
    const QVariantMap data = plainMap(iDataMap);
    if (iUniqueFields.isEmpty()) {
        return insertRow(iTableStr, data, iUpdateFields, !iAutoIncrField.isEmpty(), iAutoIncrField);
    }
    // Refused before the count, which would otherwise fail and let an
    // insert through.
    if (d->refuseNulValues(data, iUniqueFields) || d->refuseNulValues(data, iUpdateFields)) {
        return QVariant();
    }
    QStringList conditions;
    for (const QString &field : iUniqueFields) {
        conditions.append(TSqlDataUtilV2::variant2EqualWhere(d->escapeName(field), data.value(field),
                                                             d->identifierQuote(), false, d->literalType()));
    }
    const QString condition = conditions.join(QStringLiteral(" AND "));
    // A count always comes back as a row: no value means the test failed, and
    // inserting then could duplicate an existing row.
    const QVariant count = selectValue(
            QStringLiteral("SELECT COUNT(*) FROM ") + iTableStr + QStringLiteral(" WHERE ") + condition, QVariantMap());
    if (!count.isValid()) {
        return QVariant();
    }
    if (count.toInt() < 1) {
        return insertRow(iTableStr, data, iUpdateFields, !iAutoIncrField.isEmpty(), iAutoIncrField);
    }
    bool failed = false;
    d->updateRow(iTableStr, data, QVariant(condition), plainMap(iUpdatePolicy), iUpdateFields, &failed);
    if (failed || iAutoIncrField.isEmpty()) {
        return QVariant();
    }
    if (data.contains(iAutoIncrField)) {
        return data.value(iAutoIncrField);
    }
    return selectValue(QStringLiteral("SELECT ") + d->quoteName(iAutoIncrField) + QStringLiteral(" FROM ") + iTableStr
                               + QStringLiteral(" WHERE ") + condition,
                       QVariantMap());
}

QVariant TSqlQueryV2::replaceRow(const QVariantMap &iDataMap) { return replaceRow(TSqlInserterV2(plainMap(iDataMap))); }

QVariant TSqlQueryV2::replaceRow(const TSqlInserterV2 &iSqlInserter)
{
    return replaceRow(iSqlInserter.table(), iSqlInserter.data(), iSqlInserter.uniqueField(),
                      iSqlInserter.updatePolicy(), iSqlInserter.field(), iSqlInserter.autoIncrementField());
}

int TSqlQueryV2::updateRow(const QString &iTableStr, const QVariantMap &iDataMap, const QVariant &iWhere,
                           const QVariantMap &iUpdatePolicy, const QStringList &iFields)
{
    bool failed = false;
    return d->updateRow(iTableStr, plainMap(iDataMap), TScriptValue::toPlain(iWhere), plainMap(iUpdatePolicy), iFields,
                        &failed);
}

int TSqlQueryV2::updateRow(const TSqlUpdaterV2 &iSqlUpdater)
{
    return updateRow(iSqlUpdater.table(), iSqlUpdater.data(), QVariant(iSqlUpdater.where().toSql(d->literalType())),
                     iSqlUpdater.updatePolicy(), iSqlUpdater.field());
}

int TSqlQueryV2::updateRow(const QVariantMap &iDataMap) { return updateRow(TSqlUpdaterV2(plainMap(iDataMap))); }

bool TSqlQueryV2::setAutoIncrementStatus(const QString &iTableStr, const QString &iStatus)
{
    if (d->dialect) {
        if (d->dialect->takesExplicitKeys()) {
            return true;
        }
        // No such statement: execSql refuses the empty text.
        return execSql(d->dialect->identityInsertSql(iTableStr, iStatus));
    }
    const QString type = databaseType();
    if (type == QLatin1String("QPSQL") || type == QLatin1String("QSQLITE")) {
        return true;
    }
    if (type == QLatin1String("QODBC")) {
        return execSql(QStringLiteral("SET IDENTITY_INSERT %1 %2;").arg(iTableStr, iStatus));
    }
    return false;
}

// ----------------------------------------------------------------------
// Schema operations

#include <QRegularExpression>

#include <algorithm>

namespace {

using SchemaDialect = TSqlQueryV2Private::SchemaDialect;

// Where a column type is written: adding and altering spell a few words
// differently from creating, and the migration differently again.
enum class TypeUse { Create, AddField, AlterField, MigrateAlter, MigrateAdd };

const QString kFieldKey = QStringLiteral("field");
const QString kIndexKey = QStringLiteral("index");
const QString kIdColumn = QStringLiteral("id");

// A name inside a single-quoted literal.
QString literalName(const QString &iName) { return QString(iName).replace(QLatin1Char('\''), QStringLiteral("''")); }

// Metadata rows come keyed by the server's own letter case of the column names.
QVariant rowValue(const QVariantMap &iRow, const QString &iName)
{
    for (auto it = iRow.constBegin(); it != iRow.constEnd(); ++it) {
        if (it.key().compare(iName, Qt::CaseInsensitive) == 0) {
            return it.value();
        }
    }
    return QVariant();
}

QString rowText(const QVariantMap &iRow, const QString &iName) { return rowValue(iRow, iName).toString(); }

int rowInt(const QVariantMap &iRow, const QString &iName) { return rowValue(iRow, iName).toInt(); }

void appendOnce(QStringList &ioList, const QString &iText)
{
    if (!ioList.contains(iText)) {
        ioList.append(iText);
    }
}

QStringList splitFieldText(const QString &iText) { return iText.split(QLatin1Char(','), Qt::SkipEmptyParts); }

using FieldDef = TSqlFieldDef;

QString lengthType(const QString &iWord, int iLength) { return QStringLiteral("%1(%2)").arg(iWord).arg(iLength); }

// The column type that a dialect writes for a portable type word. Words
// outside the eight stand for themselves, except in a created table of the
// dialects other than PostgreSQL, which writes no type for them.
QString typeText(SchemaDialect iDialect, const QString &iWord, int iLength, bool iOldServer, TypeUse iUse)
{
    const int n = iLength;
    const QString other = (iUse == TypeUse::Create && iDialect != SchemaDialect::Postgres) ? QString() : iWord;
    const bool serial = iWord == QLatin1String("SERIAL");
    const bool integer = serial || iWord == QLatin1String("INTEGER");
    switch (iDialect) {
    case SchemaDialect::Postgres:
        if (iUse == TypeUse::AlterField || iUse == TypeUse::MigrateAlter) {
            // The alter statements append the length themselves.
            return iWord == QLatin1String("DOUBLE") ? QStringLiteral("DOUBLE PRECISION") : iWord;
        }
        if (serial || iWord == QLatin1String("INTEGER") || iWord == QLatin1String("TEXT")
            || iWord == QLatin1String("BYTEA") || iWord == QLatin1String("DATE")) {
            return iWord;
        }
        if (iWord == QLatin1String("DOUBLE")) {
            return QStringLiteral("DOUBLE PRECISION");
        }
        if (iWord == QLatin1String("TIMESTAMP")) {
            return QStringLiteral("TIMESTAMP(%1) WITHOUT TIME ZONE").arg(n);
        }
        if (iWord == QLatin1String("VARCHAR")) {
            return n > 0 ? lengthType(iWord, n) : iWord;
        }
        return other;
    case SchemaDialect::Sqlite:
        if (integer) {
            return QStringLiteral("INTEGER");
        }
        if (iWord == QLatin1String("DOUBLE") || iWord == QLatin1String("TEXT") || iWord == QLatin1String("BYTEA")
            || iWord == QLatin1String("DATE")) {
            return iWord;
        }
        if (iWord == QLatin1String("TIMESTAMP") || iWord == QLatin1String("VARCHAR")) {
            return n > 0 ? lengthType(iWord, n) : iWord;
        }
        return other;
    case SchemaDialect::SqlServer:
        if (integer) {
            return QStringLiteral("INT");
        }
        if (iWord == QLatin1String("DOUBLE")) {
            return QStringLiteral("FLOAT");
        }
        if (iWord == QLatin1String("TEXT")) {
            return iWord;
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
            if (iUse == TypeUse::MigrateAdd) {
                return n <= 3 ? QStringLiteral("DATETIME") : lengthType(QStringLiteral("DATETIME2"), n);
            }
            if (iOldServer && iUse != TypeUse::AlterField) {
                return QStringLiteral("VARCHAR(32)");
            }
            return n != 0 ? lengthType(QStringLiteral("DATETIME2"), n) : QStringLiteral("DATETIME");
        }
        if (iWord == QLatin1String("VARCHAR")) {
            return n >= 1 ? lengthType(iWord, n) : QStringLiteral("VARCHAR(MAX)");
        }
        return other;
    case SchemaDialect::MySql:
        if (integer) {
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
            return (n == 0 || n >= 4000) ? QStringLiteral("TEXT") : lengthType(iWord, n);
        }
        return other;
    case SchemaDialect::Oracle:
        if (integer) {
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
            return lengthType(QStringLiteral("VARCHAR"), n + 20);
        }
        if (iWord == QLatin1String("VARCHAR")) {
            return (n == 0 || n >= 4000) ? QStringLiteral("CLOB") : lengthType(iWord, n);
        }
        return other;
    case SchemaDialect::None:
        break;
    }
    return QString();
}

// The length that a native type text declares, "VARCHAR(40)" giving 40; 0 when none.
int declaredLength(const QString &iUpperType)
{
    static const QRegularExpression pattern(QStringLiteral("^([A-Z]+)\\((\\d+)\\)$"));
    const QRegularExpressionMatch match = pattern.match(iUpperType);
    return match.hasMatch() ? match.captured(2).toInt() : 0;
}

// Maps one row of a dialect's column statement to a field map.
QVariantMap fieldFromRow(SchemaDialect iDialect, const QVariantMap &iRow, const QString &iKeyColumn)
{
    QString name;
    bool notNull = false;
    QString native;
    switch (iDialect) {
    case SchemaDialect::Postgres:
    case SchemaDialect::SqlServer:
        name = rowText(iRow, QStringLiteral("column_name"));
        notNull = rowText(iRow, QStringLiteral("is_nullable")).toUpper() == QLatin1String("NO");
        native = rowText(iRow, QStringLiteral("data_type"));
        break;
    case SchemaDialect::Sqlite:
        name = rowText(iRow, QStringLiteral("name"));
        notNull = rowInt(iRow, QStringLiteral("notnull")) == 1;
        native = rowText(iRow, QStringLiteral("type"));
        break;
    case SchemaDialect::MySql:
        name = rowText(iRow, QStringLiteral("field"));
        notNull = rowText(iRow, QStringLiteral("null")).toUpper() == QLatin1String("NO");
        native = rowText(iRow, QStringLiteral("type"));
        break;
    case SchemaDialect::Oracle:
        name = rowText(iRow, QStringLiteral("column_name"));
        notNull = rowText(iRow, QStringLiteral("nullable")).toUpper() == QLatin1String("N");
        native = rowText(iRow, QStringLiteral("data_type"));
        break;
    case SchemaDialect::None:
        break;
    }
    const QString t = native.toUpper();
    const QString integerWord = name == iKeyColumn ? QStringLiteral("SERIAL") : QStringLiteral("INTEGER");
    QString word;
    int length = 0;
    auto is = [&t](const char *iText) { return t == QLatin1String(iText); };
    switch (iDialect) {
    case SchemaDialect::Postgres:
        if (is("INTEGER")) {
            word = integerWord;
        } else if (is("DOUBLE PRECISION")) {
            word = QStringLiteral("DOUBLE");
        } else if (is("CHARACTER VARYING")) {
            word = QStringLiteral("VARCHAR");
            length = rowInt(iRow, QStringLiteral("character_maximum_length"));
        } else if (is("TEXT") || is("BYTEA") || is("DATE")) {
            word = t;
        } else if (t.startsWith(QLatin1String("TIMESTAMP"))) {
            word = QStringLiteral("TIMESTAMP");
            length = rowInt(iRow, QStringLiteral("datetime_precision"));
        } else if (is("JSON") || is("JSONB")) {
            word = QStringLiteral("TEXT");
        }
        break;
    case SchemaDialect::Sqlite:
        if (is("INTEGER")) {
            word = integerWord;
        } else if (is("DOUBLE") || is("TEXT") || is("BYTEA") || is("DATE")) {
            word = t;
        } else if (t.startsWith(QLatin1String("VARCHAR"))) {
            word = QStringLiteral("VARCHAR");
            length = declaredLength(t);
        } else if (t.startsWith(QLatin1String("TIMESTAMP"))) {
            word = QStringLiteral("TIMESTAMP");
            length = declaredLength(t);
        }
        break;
    case SchemaDialect::SqlServer:
        if (is("INT")) {
            word = integerWord;
        } else if (is("FLOAT")) {
            word = QStringLiteral("DOUBLE");
        } else if (is("VARCHAR")) {
            word = QStringLiteral("VARCHAR");
            length = rowInt(iRow, QStringLiteral("character_maximum_length"));
            if (length == -1) {
                length = 0;
            }
        } else if (is("TEXT") || is("DATE")) {
            word = t;
        } else if (is("VARBINARY")) {
            word = QStringLiteral("BYTEA");
        } else if (is("DATETIME")) {
            word = QStringLiteral("TIMESTAMP");
        } else if (is("DATETIME2")) {
            word = QStringLiteral("TIMESTAMP");
            length = rowInt(iRow, QStringLiteral("datetime_precision"));
        }
        break;
    case SchemaDialect::MySql:
        if (t.startsWith(QLatin1String("INT"))) {
            word = integerWord;
        } else if (is("DOUBLE") || is("TEXT") || is("DATE")) {
            word = t;
        } else if (t.startsWith(QLatin1String("VARCHAR"))) {
            word = QStringLiteral("VARCHAR");
            length = declaredLength(t);
            if (length >= 2148) {
                length = 0;
            }
        } else if (is("BLOB")) {
            word = QStringLiteral("BYTEA");
        } else if (is("DATETIME")) {
            word = QStringLiteral("TIMESTAMP");
        }
        break;
    case SchemaDialect::Oracle:
        if (is("NUMBER")) {
            word = integerWord;
        } else if (is("FLOAT")) {
            word = QStringLiteral("DOUBLE");
        } else if (is("VARCHAR2")) {
            word = QStringLiteral("VARCHAR");
            length = rowInt(iRow, QStringLiteral("data_length"));
            if (length >= 4000) {
                length = 0;
            }
        } else if (is("CLOB")) {
            word = QStringLiteral("TEXT");
        } else if (is("BLOB")) {
            word = QStringLiteral("BYTEA");
        } else if (t.startsWith(QLatin1String("TIMESTAMP"))) {
            word = QStringLiteral("TIMESTAMP");
            length = rowInt(iRow, QStringLiteral("data_scale"));
        } else if (is("DATE")) {
            word = t;
        }
        break;
    case SchemaDialect::None:
        break;
    }
    if (word.isEmpty()) {
        word = QStringLiteral("VARCHAR");
        length = 255;
    }
    QVariantMap field;
    field.insert(QStringLiteral("name"), name);
    field.insert(QStringLiteral("type"), word);
    field.insert(QStringLiteral("notnull"), notNull);
    if (length > 0) {
        field.insert(QStringLiteral("length"), length);
    }
    return field;
}

QVariantMap indexMap(const QString &iType, const QString &iFields)
{
    QVariantMap index;
    index.insert(QStringLiteral("type"), iType);
    index.insert(kFieldKey, iFields);
    return index;
}

// PostgreSQL reads one schema: "public" for a plain name, the named one for "schema.table".
void splitPostgresName(const QString &iTableStr, QString *oSchema, QString *oTable)
{
    const int dot = iTableStr.indexOf(QLatin1Char('.'));
    *oSchema = dot < 0 ? QStringLiteral("public") : iTableStr.left(dot);
    *oTable = dot < 0 ? iTableStr : iTableStr.mid(dot + 1);
}

QString postgresConstraintSql(const QString &iTableStr)
{
    QString schema;
    QString table;
    splitPostgresName(iTableStr, &schema, &table);
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

QString sqlServerConstraintSql(const QString &iTableStr)
{
    return QStringLiteral("SELECT Tab.constraint_name,\nCol.column_name,\nTab.constraint_type\n"
                          "FROM INFORMATION_SCHEMA.TABLE_CONSTRAINTS AS Tab\n"
                          "INNER JOIN INFORMATION_SCHEMA.CONSTRAINT_COLUMN_USAGE AS Col\n"
                          "ON Tab.Constraint_Name = Col.Constraint_Name\nAND Col.Table_Name = '%1'")
            .arg(literalName(iTableStr));
}

QString oracleConstraintSql(const QString &iTableStr)
{
    return QStringLiteral("SELECT CU.*,\nAU.CONSTRAINT_TYPE\nFROM USER_CONS_COLUMNS CU,\n"
                          "USER_CONSTRAINTS AU\nWHERE CU.CONSTRAINT_NAME = AU.CONSTRAINT_NAME\n"
                          "AND AU.TABLE_NAME = '%1'")
            .arg(literalName(iTableStr));
}

QString doubleQuotedName(const QString &iName)
{
    return QString(iName).replace(QLatin1Char('"'), QStringLiteral("\"\""));
}

// The sequence and the trigger that number an Oracle "SERIAL" column.
QStringList oracleSerialStatements(const QString &iTableStr, const QString &iColumn)
{
    const QString sequence = doubleQuotedName(QStringLiteral("%1_%2_SEQ").arg(iTableStr, iColumn));
    const QString trigger = doubleQuotedName(QStringLiteral("%1_%2_TRIGGER").arg(iTableStr, iColumn));
    return QStringList {
            QStringLiteral("CREATE SEQUENCE \"%1\" INCREMENT BY 1 \nSTART WITH 1 NOMAXVALUE NOMINVALUE NOCACHE")
                    .arg(sequence),
            QStringLiteral("CREATE OR REPLACE TRIGGER \"%1\"\nBEFORE INSERT ON \"%2\"\nFOR EACH ROW\nBEGIN\n"
                           "SELECT \"%3\".NEXTVAL INTO :NEW.\"%4\" FROM DUAL;\nEND;")
                    .arg(trigger, doubleQuotedName(iTableStr), sequence, doubleQuotedName(iColumn))};
}

// The checks that adding and altering a field share; false with the
// executor's error set when the request cannot be served.
bool readFieldRequest(TSqlQueryV2 *iQuery, TSqlQueryV2Private *iD, const QString &iTableStr, const FieldDef &iField)
{
    if (!iQuery->isTableExists(iTableStr)) {
        iD->setSchemaError(QStringLiteral("%1 not exists").arg(iTableStr), QStringLiteral("Table error"));
        return false;
    }
    if (iField.isEmpty()) {
        iD->setSchemaError(QStringLiteral("Field name or type is empty"), QStringLiteral("Field error"));
        return false;
    }
    return true;
}

QVariantMap namedFieldMap(const QVariantList &iFields, const QString &iName)
{
    for (const QVariant &field : iFields) {
        const QVariantMap map = field.toMap();
        if (map.value(QStringLiteral("name")).toString() == iName) {
            return map;
        }
    }
    return QVariantMap();
}

QStringList fieldNames(const QVariantList &iFields)
{
    QStringList names;
    for (const QVariant &field : iFields) {
        names.append(field.toMap().value(QStringLiteral("name")).toString());
    }
    return names;
}

} // namespace

TSqlQueryV2Private::SchemaDialect TSqlQueryV2Private::schemaDialect() const
{
    const QString type = database.driverName();
    if (type == QLatin1String("QPSQL")) {
        return SchemaDialect::Postgres;
    }
    if (type == QLatin1String("QSQLITE")) {
        return SchemaDialect::Sqlite;
    }
    if (type == QLatin1String("QODBC")) {
        return SchemaDialect::SqlServer;
    }
    if (type == QLatin1String("QMYSQL")) {
        return SchemaDialect::MySql;
    }
    if (type == QLatin1String("QOCI")) {
        return SchemaDialect::Oracle;
    }
    return SchemaDialect::None;
}

void TSqlQueryV2Private::setSchemaError(const QString &iText, const QString &iType)
{
    error.setError(iText, iType, QStringLiteral("SQL_QUERY_ERROR"), QString());
}

bool TSqlQueryV2Private::isOldSqlServer()
{
    Q_Q(TSqlQueryV2);
    return q->selectValue(QStringLiteral("SELECT SERVERPROPERTY('productversion')"), QVariantMap(), QVariantMap())
            .toString()
            .startsWith(QLatin1Char('9'));
}

bool TSqlQueryV2Private::runStatementList(const QStringList &iStatements, bool iDirect)
{
    Q_Q(TSqlQueryV2);
    if (!q->begin(true)) {
        return false;
    }
    QSqlQuery query(database);
    for (const QString &statement : iStatements) {
        bool ok = false;
        if (iDirect) {
            ok = query.exec(statement);
            if (!ok) {
                checkQueryError(query);
            }
        } else {
            ok = q->execSql(statement);
        }
        if (!ok) {
            q->rollback();
            return false;
        }
    }
    if (iDirect) {
        checkQueryError(query);
    }
    q->commit();
    return true;
}

bool TSqlQueryV2Private::runBatch(const TSqlStatementBatch &iBatch)
{
    Q_Q(TSqlQueryV2);
    if (!iBatch.refusal.isEmpty()) {
        setSchemaError(iBatch.refusal, QStringLiteral("Field error"));
        return false;
    }
    switch (iBatch.run) {
    case TSqlStatementBatch::Run::Single:
        return q->execSql(iBatch.statements.value(0));
    case TSqlStatementBatch::Run::List:
        return runStatementList(iBatch.statements, false);
    case TSqlStatementBatch::Run::DirectList:
        return runStatementList(iBatch.statements, true);
    }
    return false;
}

// Keys: table clauses, or statements after the table, as the dialect writes them.
void TSqlQueryV2Private::addCreateKeys(TSqlCreatePlan &ioPlan, const QVariantList &iIndexes) const
{
    for (const QVariant &entry : iIndexes) {
        const QVariantMap index = entry.toMap();
        const QString type = index.value(QStringLiteral("type")).toString().toUpper();
        const bool primary = type == QLatin1String("PRIMARY");
        if (!primary && type != QLatin1String("UNIQUE")) {
            continue;
        }
        const QStringList keyColumns = splitFieldText(index.value(kFieldKey).toString());
        QStringList quoted;
        for (const QString &column : keyColumns) {
            quoted.append(quoteName(column));
        }
        dialect->addKey(ioPlan, primary, keyColumns, quoted.join(QLatin1Char(',')));
    }
}

QHash<QString, QString> TSqlQueryV2Private::sqliteDeclaredTypes(const QString &iTableStr)
{
    Q_Q(TSqlQueryV2);
    QHash<QString, QString> types;
    const QVariantList rows = q->selectArrayMap(QStringLiteral("PRAGMA TABLE_INFO('%1')").arg(literalName(iTableStr)),
                                                QVariantMap(), QVariantMap());
    for (const QVariant &row : rows) {
        const QVariantMap map = row.toMap();
        types.insert(rowText(map, QStringLiteral("name")), rowText(map, QStringLiteral("type")));
    }
    return types;
}

bool TSqlQueryV2Private::createTableWith(const QString &iTableStr, const QVariantMap &iTableStructVarMap,
                                         const QHash<QString, QString> &iNativeTypes)
{
    Q_Q(TSqlQueryV2);
    if (dialect) {
        TSqlCreatePlan plan;
        plan.table = iTableStr;
        plan.nativeTypes = iNativeTypes;
        plan.oldServer = dialect->isOldServer(*q);
        addCreateKeys(plan, iTableStructVarMap.value(kIndexKey).toList());
        for (const QVariant &entry : iTableStructVarMap.value(kFieldKey).toList()) {
            const TSqlFieldDef field(entry);
            if (field.isEmpty()) {
                continue;
            }
            QString type = dialect->typeText(field.type, field.length, plan.oldServer, TSqlDialect::TypeUse::Create);
            const QString flags = dialect->columnFlags(plan, entry.toMap(), field, &type);
            plan.definitions.append(quoteName(field.name) + QLatin1Char(' ') + type + flags);
        }
        return runBatch(dialect->createStatements(plan));
    }
    const SchemaDialect schema = schemaDialect();
    if (schema == SchemaDialect::None) {
        return false;
    }
    const QString table = escapeName(iTableStr);
    const bool oldServer = schema == SchemaDialect::SqlServer && isOldSqlServer();

    // Keys: table clauses, or on PostgreSQL statements after the table.
    QStringList keyClauses;
    QStringList keyStatements;
    QString sqlitePrimary;
    bool sqlitePrimarySeen = false;
    for (const QVariant &entry : iTableStructVarMap.value(kIndexKey).toList()) {
        const QVariantMap index = entry.toMap();
        const QString type = index.value(QStringLiteral("type")).toString().toUpper();
        const bool primary = type == QLatin1String("PRIMARY");
        if (!primary && type != QLatin1String("UNIQUE")) {
            continue;
        }
        const QStringList keyColumns = splitFieldText(index.value(kFieldKey).toString());
        QStringList quoted;
        for (const QString &column : keyColumns) {
            quoted.append(quoteName(column));
        }
        const QString columns = quoted.join(QLatin1Char(','));
        switch (schema) {
        case SchemaDialect::Postgres:
            keyStatements.append((primary ? QStringLiteral("ALTER TABLE \"%1\" ADD PRIMARY KEY (%2);")
                                          : QStringLiteral("ALTER TABLE \"%1\" ADD UNIQUE (%2);"))
                                         .arg(table, columns));
            break;
        case SchemaDialect::Sqlite:
            if (!primary) {
                keyClauses.append(QStringLiteral("UNIQUE (%1)").arg(columns));
            } else if (!sqlitePrimarySeen) {
                // A single key column carries the key in its definition (and
                // with it the auto-increment); a composite key is a clause.
                sqlitePrimarySeen = true;
                if (keyColumns.size() == 1) {
                    sqlitePrimary = keyColumns.first();
                } else if (keyColumns.size() > 1) {
                    keyClauses.append(QStringLiteral("PRIMARY KEY (%1)").arg(columns));
                }
            }
            break;
        case SchemaDialect::MySql:
            keyClauses.append(
                    (primary ? QStringLiteral("PRIMARY KEY (%1)") : QStringLiteral("UNIQUE KEY (%1)")).arg(columns));
            break;
        default:
            keyClauses.append(
                    (primary ? QStringLiteral("PRIMARY KEY (%1)") : QStringLiteral("UNIQUE (%1)")).arg(columns));
            break;
        }
    }

    QStringList definitions;
    QStringList statements;
    QStringList oracleSerials;
    for (const QVariant &entry : iTableStructVarMap.value(kFieldKey).toList()) {
        const FieldDef field(entry);
        if (field.isEmpty()) {
            continue;
        }
        const bool serial = field.type == QLatin1String("SERIAL");
        QString type = typeText(schema, field.type, field.length, oldServer, TypeUse::Create);
        QString flags;
        switch (schema) {
        case SchemaDialect::Postgres:
            if (serial && entry.toMap().contains(QStringLiteral("next_value"))) {
                const QString sequence = QStringLiteral("%1_%2_seq").arg(iTableStr, field.name);
                statements.append(QStringLiteral("DROP SEQUENCE IF EXISTS %1;").arg(sequence));
                statements.append(QStringLiteral("CREATE SEQUENCE %1 START %2;")
                                          .arg(sequence)
                                          .arg(entry.toMap().value(QStringLiteral("next_value")).toLongLong()));
                type = QStringLiteral("INTEGER");
                flags = QStringLiteral(" DEFAULT nextval('%1')").arg(literalName(sequence));
            }
            if (field.notNull) {
                flags += QStringLiteral(" NOT NULL");
            }
            break;
        case SchemaDialect::Sqlite:
            if (iNativeTypes.contains(field.name)) {
                type = iNativeTypes.value(field.name);
            }
            if (field.name == sqlitePrimary) {
                flags += QStringLiteral(" PRIMARY KEY ");
            }
            if (serial) {
                flags += QStringLiteral(" AUTOINCREMENT ");
            }
            if (field.notNull) {
                flags += QStringLiteral(" NOT NULL");
            }
            break;
        case SchemaDialect::SqlServer:
        case SchemaDialect::MySql:
            if (field.notNull) {
                flags += QStringLiteral(" NOT NULL");
            }
            if (serial) {
                flags += schema == SchemaDialect::MySql ? QStringLiteral(" AUTO_INCREMENT ")
                                                        : QStringLiteral(" IDENTITY(1,1) ");
            }
            break;
        case SchemaDialect::Oracle:
            if (field.notNull) {
                flags += QStringLiteral(" NOT NULL");
            }
            if (serial) {
                oracleSerials.append(field.name);
            }
            break;
        case SchemaDialect::None:
            break;
        }
        definitions.append(quoteName(field.name) + QLatin1Char(' ') + type + flags);
    }

    switch (schema) {
    case SchemaDialect::Postgres:
        statements.append(QStringLiteral("CREATE TABLE \"%1\" (\n %2 \n) WITH (OIDS=FALSE);")
                                  .arg(table, definitions.join(QStringLiteral(",\n"))));
        return runStatementList(statements + keyStatements, false);
    case SchemaDialect::MySql:
        return q->execSql(QStringLiteral("CREATE TABLE `%1` (\n %2 \n);")
                                  .arg(table, (definitions + keyClauses).join(QStringLiteral(",\n"))));
    case SchemaDialect::Oracle:
        statements.append(QStringLiteral("CREATE TABLE \"%1\" (\n %2 \n)")
                                  .arg(table, (definitions + keyClauses).join(QStringLiteral(",\n"))));
        for (const QString &column : oracleSerials) {
            statements += oracleSerialStatements(iTableStr, column);
        }
        return runStatementList(statements, true);
    default:
        return q->execSql(QStringLiteral("CREATE TABLE \"%1\" (\n %2 \n);")
                                  .arg(table, (definitions + keyClauses).join(QStringLiteral(",\n"))));
    }
}

bool TSqlQueryV2Private::rebuildSqliteTable(
        const QString &iTableStr, const std::function<void(QVariantMap &, QStringList &, QStringList &)> &iChange)
{
    Q_Q(TSqlQueryV2);
    if (!q->begin(true)) {
        return false;
    }
    const QString backup = QStringLiteral("%1_bakeup").arg(iTableStr);
    QVariantMap structure = q->getTableStruct(iTableStr);
    QHash<QString, QString> nativeTypes = sqliteDeclaredTypes(iTableStr);
    QStringList copy;
    QStringList redefined;
    iChange(structure, copy, redefined);
    for (const QString &name : redefined) {
        nativeTypes.remove(name);
    }
    QStringList quoted;
    for (const QString &name : copy) {
        quoted.append(quoteName(name));
    }
    const QString columns = quoted.join(QLatin1Char(','));

    // Other tables' keys, views and triggers name the table: keep them
    // pointing at the name, not at the backup.
    const bool legacy
            = q->selectValue(QStringLiteral("PRAGMA legacy_alter_table"), QVariantMap(), QVariantMap()).toInt() != 0;
    if (!legacy) {
        q->execSql(QStringLiteral("PRAGMA legacy_alter_table=ON"));
    }
    bool ok = q->renameTable(iTableStr, backup);
    if (ok) {
        const bool created = createTableWith(iTableStr, structure, nativeTypes);
        ok = created
             && q->execSql(QStringLiteral("INSERT INTO \"%1\"(%2) SELECT %3 FROM \"%4\";")
                                   .arg(escapeName(iTableStr), columns, columns, escapeName(backup)))
             && q->dropTable(backup);
        // Inside a caller's transaction the rollback below only counts down:
        // put the table back under its own name first. The backup is gone
        // when the server has rolled back by itself, and then so is the rename.
        if (!ok && q->isTableExists(backup)) {
            if (created) {
                q->dropTable(iTableStr);
            }
            q->renameTable(backup, iTableStr);
        }
    }
    if (!legacy) {
        q->execSql(QStringLiteral("PRAGMA legacy_alter_table=OFF"));
    }
    if (!ok) {
        q->rollback();
        return false;
    }
    q->commit();
    return true;
}

QStringList TSqlQueryV2::getTableList()
{
    if (!begin(true)) {
        return QStringList();
    }
    const QStringList tables = d->database.tables(QSql::Tables);
    commit();
    return tables;
}

bool TSqlQueryV2::isTableExists(const QString &iTableStr)
{
    return getTableList().contains(iTableStr, Qt::CaseSensitive);
}

QStringList TSqlQueryV2::getFieldList(const QString &iTableStr)
{
    if (!begin(true)) {
        return QStringList();
    }
    const QSqlRecord record = d->database.record(iTableStr);
    QStringList fields;
    fields.reserve(record.count());
    for (int i = 0; i < record.count(); ++i) {
        fields.append(record.fieldName(i));
    }
    commit();
    return fields;
}

bool TSqlQueryV2::isFieldExists(const QString &iTableStr, const QString &iFieldStr)
{
    return getFieldList(iTableStr).contains(iFieldStr, Qt::CaseSensitive);
}

QVariantMap TSqlQueryV2::getTableStruct(const QString &iTableStr)
{
    if (!isTableExists(iTableStr)) {
        return QVariantMap();
    }
    if (d->dialect) {
        return d->dialect->readStructure(*this, iTableStr);
    }
    QVariantList fields;
    QVariantList indexes;
    const SchemaDialect dialect = d->schemaDialect();
    const QString literal = literalName(iTableStr);
    auto rowsOf = [this](const QString &iSql) { return selectArrayMap(iSql, QVariantMap(), QVariantMap()); };
    QString keyColumn;
    QVariantList columnRows;

    // Constraint pass: the key column and the index entries.
    if (dialect == SchemaDialect::Postgres || dialect == SchemaDialect::SqlServer || dialect == SchemaDialect::MySql
        || dialect == SchemaDialect::Oracle) {
        QVariantList rows;
        if (dialect == SchemaDialect::Postgres) {
            rows = rowsOf(postgresConstraintSql(iTableStr));
        } else if (dialect == SchemaDialect::SqlServer) {
            rows = rowsOf(sqlServerConstraintSql(iTableStr));
        } else if (dialect == SchemaDialect::MySql) {
            rows = rowsOf(QStringLiteral("SHOW INDEX FROM `%1`").arg(d->escapeName(iTableStr)));
        } else {
            rows = rowsOf(oracleConstraintSql(iTableStr));
        }
        // Which rows count, their constraint name and their kind, per dialect.
        auto counts = [dialect](const QVariantMap &iRow) {
            if (dialect == SchemaDialect::MySql) {
                return rowInt(iRow, QStringLiteral("non_unique")) == 0;
            }
            if (dialect == SchemaDialect::Oracle) {
                const QString type = rowText(iRow, QStringLiteral("constraint_type"));
                return type == QLatin1String("U") || type == QLatin1String("P");
            }
            return true;
        };
        auto nameOf = [dialect](const QVariantMap &iRow) {
            return rowText(iRow, dialect == SchemaDialect::MySql ? QStringLiteral("key_name")
                                                                 : QStringLiteral("constraint_name"));
        };
        auto kindOf = [dialect](const QVariantMap &iRow) {
            if (dialect == SchemaDialect::MySql) {
                return rowText(iRow, QStringLiteral("key_name")).toUpper() == QLatin1String("PRIMARY")
                               ? QStringLiteral("PRIMARY")
                               : QStringLiteral("UNIQUE");
            }
            const QString type = rowText(iRow, QStringLiteral("constraint_type")).toUpper();
            if (type == QLatin1String("UNIQUE") || type == QLatin1String("U")) {
                return QStringLiteral("UNIQUE");
            }
            if (type == QLatin1String("PRIMARY KEY") || type == QLatin1String("P")) {
                return QStringLiteral("PRIMARY");
            }
            return QString();
        };
        QStringList names;
        for (const QVariant &row : rows) {
            const QVariantMap map = row.toMap();
            if (!counts(map)) {
                continue;
            }
            if (!nameOf(map).isEmpty()) {
                appendOnce(names, nameOf(map));
            }
            if (kindOf(map) == QLatin1String("PRIMARY")) {
                keyColumn = rowText(map, QStringLiteral("column_name"));
            }
        }
        for (const QString &name : names) {
            QStringList columns;
            QString type;
            for (const QVariant &row : rows) {
                const QVariantMap map = row.toMap();
                if (!counts(map) || nameOf(map) != name) {
                    continue;
                }
                columns.append(rowText(map, QStringLiteral("column_name")));
                const QString kind = kindOf(map);
                if (!kind.isEmpty()) {
                    type = kind;
                }
            }
            indexes.append(indexMap(type, columns.join(QLatin1Char(','))));
        }
    } else if (dialect == SchemaDialect::Sqlite) {
        columnRows = rowsOf(QStringLiteral("PRAGMA TABLE_INFO('%1')").arg(literal));
        QMap<int, QString> keyColumns;
        for (const QVariant &row : columnRows) {
            const QVariantMap map = row.toMap();
            const int position = rowInt(map, QStringLiteral("pk"));
            if (position > 0) {
                keyColumns.insert(position, rowText(map, QStringLiteral("name")));
            }
        }
        // Only a single-column key is the row number that "SERIAL" stands for.
        if (keyColumns.size() == 1) {
            keyColumn = keyColumns.first();
        }
        if (!keyColumns.isEmpty()) {
            indexes.append(
                    indexMap(QStringLiteral("PRIMARY"), QStringList(keyColumns.values()).join(QLatin1Char(','))));
        }
        const QVariantList indexRows = rowsOf(QStringLiteral("PRAGMA INDEX_LIST('%1')").arg(literal));
        for (const QVariant &row : indexRows) {
            const QVariantMap map = row.toMap();
            if (rowInt(map, QStringLiteral("unique")) == 0
                || rowText(map, QStringLiteral("origin")) == QLatin1String("pk")) {
                continue;
            }
            const QVariantList infoRows = rowsOf(
                    QStringLiteral("PRAGMA INDEX_INFO('%1')").arg(literalName(rowText(map, QStringLiteral("name")))));
            QStringList columns;
            for (const QVariant &info : infoRows) {
                columns.append(rowText(info.toMap(), QStringLiteral("name")));
            }
            if (columns.size() == 1 && !keyColumn.isEmpty() && columns.first() == keyColumn) {
                continue;
            }
            indexes.append(indexMap(QStringLiteral("UNIQUE"), columns.join(QLatin1Char(','))));
        }
    }

    // Column pass.
    if (dialect == SchemaDialect::Postgres) {
        QString schema;
        QString table;
        splitPostgresName(iTableStr, &schema, &table);
        columnRows = rowsOf(QStringLiteral("SELECT column_name,is_nullable,\ndata_type,character_maximum_length,\n"
                                           "datetime_precision\nFROM information_schema.columns\n"
                                           "WHERE table_name = '%1' AND table_schema = '%2' ORDER BY ordinal_position")
                                    .arg(literalName(table), literalName(schema)));
    } else if (dialect == SchemaDialect::SqlServer) {
        columnRows = rowsOf(QStringLiteral("SELECT column_name,is_nullable,\ndata_type,datetime_precision,\n"
                                           "character_maximum_length\nFROM INFORMATION_SCHEMA.COLUMNS\n"
                                           "WHERE table_name = '%1' ORDER BY ordinal_position")
                                    .arg(literal));
    } else if (dialect == SchemaDialect::MySql) {
        columnRows = rowsOf(QStringLiteral("SHOW COLUMNS FROM `%1`").arg(d->escapeName(iTableStr)));
    } else if (dialect == SchemaDialect::Oracle) {
        columnRows = rowsOf(QStringLiteral("SELECT T.*,\nC.COMMENTS\nFROM USER_TAB_COLUMNS T,\n"
                                           "USER_COL_COMMENTS C\nWHERE T.TABLE_NAME = C.TABLE_NAME\n"
                                           "AND T.COLUMN_NAME = C.COLUMN_NAME\nAND T.TABLE_NAME = '%1'")
                                    .arg(literal));
    }
    for (const QVariant &row : columnRows) {
        QVariantMap field = fieldFromRow(dialect, row.toMap(), keyColumn);
        if (dialect == SchemaDialect::SqlServer
            && field.value(QStringLiteral("type")).toString() == QLatin1String("SERIAL")) {
            // The next number the column would hand out.
            const qlonglong maximum
                    = selectValue(QStringLiteral("SELECT max(%1) FROM %2")
                                          .arg(field.value(QStringLiteral("name")).toString(), iTableStr),
                                  QVariantMap(), QVariantMap())
                              .toLongLong();
            field.insert(QStringLiteral("next_value"), maximum + 1);
        }
        fields.append(field);
    }

    QVariantMap structure;
    structure.insert(kFieldKey, fields);
    structure.insert(kIndexKey, indexes);
    return structure;
}

namespace {

// The statement that asks the server for its clock: the date and time, or the date alone.
QString clockSql(SchemaDialect iDialect, bool iDateOnly)
{
    switch (iDialect) {
    case SchemaDialect::Postgres:
        return iDateOnly ? QStringLiteral("SELECT DATE 'now'")
                         : QStringLiteral("SELECT TO_CHAR(TIMESTAMP 'now', 'YYYY-MM-DD HH24:MI:SS')");
    case SchemaDialect::SqlServer:
        return iDateOnly ? QStringLiteral("SELECT CONVERT(VARCHAR(10),GETDATE(),20)")
                         : QStringLiteral("SELECT CONVERT(VARCHAR(100), CURRENT_TIMESTAMP, 120)");
    case SchemaDialect::MySql:
        return iDateOnly ? QStringLiteral("SELECT curdate()") : QStringLiteral("SELECT now()");
    case SchemaDialect::Oracle:
        return iDateOnly ? QStringLiteral("SELECT TO_CHAR(SYSDATE,'YYYY-MM-DD') FROM DUAL")
                         : QStringLiteral("SELECT TO_CHAR(SYSDATE,'YYYY-MM-DD HH24:MI:SS') FROM DUAL");
    case SchemaDialect::Sqlite:
        return iDateOnly ? QStringLiteral("SELECT DATE(CURRENT_TIMESTAMP,'localtime')")
                         : QStringLiteral("SELECT DATETIME(CURRENT_TIMESTAMP,'localtime')");
    case SchemaDialect::None:
        break;
    }
    return QString();
}

} // namespace

QString TSqlQueryV2::getNow()
{
    const QString sql = d->dialect ? d->dialect->clockSql(false) : clockSql(d->schemaDialect(), false);
    return sql.isEmpty() ? QString() : selectValue(sql, QVariantMap(), QVariantMap()).toString();
}

QString TSqlQueryV2::getToday()
{
    const QString sql = d->dialect ? d->dialect->clockSql(true) : clockSql(d->schemaDialect(), true);
    return sql.isEmpty() ? QString() : selectValue(sql, QVariantMap(), QVariantMap()).toString();
}

bool TSqlQueryV2::createTable(const QString &iTableStr, const QVariantMap &iTableStructVarMap)
{
    return d->createTableWith(iTableStr, plainMap(iTableStructVarMap), QHash<QString, QString>());
}

bool TSqlQueryV2::addField(const QString &iTableStr, const QVariantMap &iFieldStructVarMap)
{
    const QVariantMap fieldMap = plainMap(iFieldStructVarMap);
    const FieldDef field {QVariant(fieldMap)};
    if (!readFieldRequest(this, d.get(), iTableStr, field)) {
        return false;
    }
    if (isFieldExists(iTableStr, field.name)) {
        return true;
    }
    if (d->dialect) {
        if (d->dialect->rebuildsTables()) {
            return d->rebuildSqliteTable(iTableStr,
                                         [&](QVariantMap &ioStruct, QStringList &oCopy, QStringList &oRedefined) {
                                             QVariantList fields = ioStruct.value(kFieldKey).toList();
                                             oCopy = fieldNames(fields);
                                             fields.append(fieldMap);
                                             ioStruct.insert(kFieldKey, fields);
                                             oRedefined.append(field.name);
                                         });
        }
        const bool oldServer = d->dialect->isOldServer(*this);
        const QString definition
                = d->quoteName(field.name) + QLatin1Char(' ')
                  + d->dialect->typeText(field.type, field.length, oldServer, TSqlDialect::TypeUse::AddField)
                  + (field.notNull ? QStringLiteral(" NOT NULL") : QString());
        return d->runBatch(d->dialect->addColumnStatements(iTableStr, field, definition));
    }
    const SchemaDialect dialect = d->schemaDialect();
    const QString table = d->escapeName(iTableStr);
    const bool serial = field.type == QLatin1String("SERIAL");
    const QString notNull = field.notNull ? QStringLiteral(" NOT NULL") : QString();
    auto definition = [&](bool iOldServer) -> QString {
        return d->quoteName(field.name) + QLatin1Char(' ')
               + typeText(dialect, field.type, field.length, iOldServer, TypeUse::AddField) + notNull;
    };
    switch (dialect) {
    case SchemaDialect::Postgres:
        return execSql(QStringLiteral("ALTER TABLE \"%1\" ADD COLUMN %2;").arg(table, definition(false)));
    case SchemaDialect::Sqlite:
        return d->rebuildSqliteTable(iTableStr,
                                     [&](QVariantMap &ioStruct, QStringList &oCopy, QStringList &oRedefined) {
                                         QVariantList fields = ioStruct.value(kFieldKey).toList();
                                         oCopy = fieldNames(fields);
                                         fields.append(fieldMap);
                                         ioStruct.insert(kFieldKey, fields);
                                         oRedefined.append(field.name);
                                     });
    case SchemaDialect::SqlServer: {
        const QString text = definition(d->isOldSqlServer()) + (serial ? QStringLiteral(" IDENTITY(1,1)") : QString());
        return execSql(QStringLiteral("ALTER TABLE \"%1\" ADD %2;").arg(table, text));
    }
    case SchemaDialect::MySql:
        return execSql(
                QStringLiteral("ALTER TABLE `%1` ADD COLUMN %2;")
                        .arg(table, definition(false) + (serial ? QStringLiteral(" AUTO_INCREMENT") : QString())));
    case SchemaDialect::Oracle: {
        QStringList statements {QStringLiteral("ALTER TABLE \"%1\" ADD (%2)").arg(table, definition(false))};
        if (serial) {
            statements += oracleSerialStatements(iTableStr, field.name);
        }
        return d->runStatementList(statements, true);
    }
    case SchemaDialect::None:
        break;
    }
    return false;
}

bool TSqlQueryV2::alterField(const QString &iTableStr, const QVariantMap &iFieldStructVarMap)
{
    const QVariantMap fieldMap = plainMap(iFieldStructVarMap);
    const FieldDef field {QVariant(fieldMap)};
    if (!readFieldRequest(this, d.get(), iTableStr, field)) {
        return false;
    }
    if (field.name == QLatin1String("id")) {
        return true;
    }
    if (!isFieldExists(iTableStr, field.name)) {
        return addField(iTableStr, fieldMap);
    }
    if (d->dialect) {
        if (d->dialect->rebuildsTables()) {
            return d->rebuildSqliteTable(
                    iTableStr, [&](QVariantMap &ioStruct, QStringList &oCopy, QStringList &oRedefined) {
                        QVariantList fields = ioStruct.value(kFieldKey).toList();
                        oCopy = fieldNames(fields);
                        for (QVariant &entry : fields) {
                            if (entry.toMap().value(QStringLiteral("name")).toString() == field.name) {
                                entry = fieldMap;
                                break;
                            }
                        }
                        ioStruct.insert(kFieldKey, fields);
                        oRedefined.append(field.name);
                    });
        }
        const QString type = d->dialect->typeText(field.type, field.length, false, TSqlDialect::TypeUse::AlterField);
        return d->runBatch(d->dialect->alterColumnStatements(*this, iTableStr, field, type));
    }
    const SchemaDialect dialect = d->schemaDialect();
    const QString table = d->escapeName(iTableStr);
    const QString column = d->escapeName(field.name);
    const bool serial = field.type == QLatin1String("SERIAL");
    const QString type = typeText(dialect, field.type, field.length, false, TypeUse::AlterField);
    const QString nullFlag = field.notNull ? QStringLiteral(" NOT NULL") : QStringLiteral(" NULL");
    switch (dialect) {
    case SchemaDialect::Postgres: {
        const bool sized = (field.type == QLatin1String("VARCHAR") || field.type == QLatin1String("TIMESTAMP"))
                           && field.length >= 1;
        const QString typeStatement
                = sized ? QStringLiteral("ALTER TABLE \"%1\" ALTER \"%2\" TYPE %3(%4);")
                                  .arg(table, column, type)
                                  .arg(field.length)
                        : QStringLiteral("ALTER TABLE \"%1\" ALTER \"%2\" TYPE %3;").arg(table, column, type);
        const QString nullStatement
                = (field.notNull ? QStringLiteral("ALTER TABLE \"%1\" ALTER COLUMN \"%2\" SET NOT NULL;")
                                 : QStringLiteral("ALTER TABLE \"%1\" ALTER COLUMN \"%2\" DROP NOT NULL;"))
                          .arg(table, column);
        return d->runStatementList(QStringList {typeStatement, nullStatement}, false);
    }
    case SchemaDialect::Sqlite:
        return d->rebuildSqliteTable(iTableStr,
                                     [&](QVariantMap &ioStruct, QStringList &oCopy, QStringList &oRedefined) {
                                         QVariantList fields = ioStruct.value(kFieldKey).toList();
                                         oCopy = fieldNames(fields);
                                         for (QVariant &entry : fields) {
                                             if (entry.toMap().value(QStringLiteral("name")).toString() == field.name) {
                                                 entry = fieldMap;
                                                 break;
                                             }
                                         }
                                         ioStruct.insert(kFieldKey, fields);
                                         oRedefined.append(field.name);
                                     });
    case SchemaDialect::SqlServer:
        return execSql(QStringLiteral("ALTER TABLE \"%1\" ALTER COLUMN \"%2\" %3").arg(table, column, type) + nullFlag
                       + (serial ? QStringLiteral(" IDENTITY(1,1)") : QString()) + QLatin1Char(';'));
    case SchemaDialect::MySql:
        return execSql(QStringLiteral("ALTER TABLE `%1` MODIFY COLUMN `%2` %3").arg(table, column, type) + nullFlag
                       + (serial ? QStringLiteral(" AUTO_INCREMENT") : QString()) + QLatin1Char(';'));
    case SchemaDialect::Oracle: {
        if (field.type == QLatin1String("TEXT") || field.type == QLatin1String("BYTEA")) {
            d->setSchemaError(QStringLiteral("Oracle can't modify clob blob field"), QStringLiteral("Field error"));
            return false;
        }
        QString sql = QStringLiteral("ALTER TABLE \"%1\" MODIFY \"%2\" %3").arg(table, column, type);
        const bool current = namedFieldMap(getTableStruct(iTableStr).value(kFieldKey).toList(), field.name)
                                     .value(QStringLiteral("notnull"))
                                     .toBool();
        if (current != field.notNull) {
            sql += nullFlag;
        }
        return execSql(sql);
    }
    case SchemaDialect::None:
        break;
    }
    return false;
}

bool TSqlQueryV2::renameTable(const QString &iSrctableStr, const QString &iDesttableStr)
{
    if (d->dialect) {
        return execSql(d->dialect->renameTableSql(iSrctableStr, iDesttableStr));
    }
    const QString from = d->escapeName(iSrctableStr);
    const QString to = d->escapeName(iDesttableStr);
    QString sql;
    switch (d->schemaDialect()) {
    case SchemaDialect::Postgres:
    case SchemaDialect::Sqlite:
        sql = QStringLiteral("ALTER TABLE \"%1\" RENAME TO \"%2\";").arg(from, to);
        break;
    case SchemaDialect::Oracle:
        sql = QStringLiteral("RENAME \"%1\" TO \"%2\";").arg(from, to);
        break;
    case SchemaDialect::SqlServer:
        sql = QStringLiteral("EXEC sp_rename \"%1\", \"%2\";").arg(from, to);
        break;
    case SchemaDialect::MySql:
        sql = QStringLiteral("RENAME TABLE `%1` TO `%2`;").arg(from, to);
        break;
    case SchemaDialect::None:
        break;
    }
    return execSql(sql);
}

bool TSqlQueryV2::dropTable(const QString &iTableStr)
{
    if (d->dialect) {
        return execSql(d->dialect->dropTableSql(iTableStr));
    }
    if (d->schemaDialect() == SchemaDialect::MySql) {
        return execSql(QStringLiteral("DROP TABLE `%1`;").arg(d->escapeName(iTableStr)));
    }
    return execSql(QStringLiteral("DROP TABLE \"%1\";").arg(d->escapeName(iTableStr)));
}

bool TSqlQueryV2::dropField(const QString &iTableStr, const QString &iFieldNameStr)
{
    if (!isTableExists(iTableStr)) {
        d->setSchemaError(QStringLiteral("%1 not exists").arg(iTableStr), QStringLiteral("Table error"));
        return false;
    }
    if (!isFieldExists(iTableStr, iFieldNameStr)) {
        return true;
    }
    if (d->dialect && !d->dialect->rebuildsTables()) {
        return execSql(d->dialect->dropColumnSql(iTableStr, iFieldNameStr));
    }
    const QString table = d->escapeName(iTableStr);
    const QString column = d->escapeName(iFieldNameStr);
    switch (d->schemaDialect()) {
    case SchemaDialect::Postgres:
    case SchemaDialect::SqlServer:
        return execSql(QStringLiteral("ALTER TABLE \"%1\" DROP COLUMN \"%2\";").arg(table, column));
    case SchemaDialect::MySql:
        return execSql(QStringLiteral("ALTER TABLE `%1` DROP COLUMN `%2`;").arg(table, column));
    case SchemaDialect::Oracle:
        return execSql(QStringLiteral("ALTER TABLE \"%1\" DROP(\"%2\")").arg(table, column));
    case SchemaDialect::Sqlite:
        return d->rebuildSqliteTable(iTableStr, [&](QVariantMap &ioStruct, QStringList &oCopy, QStringList &) {
            QVariantList kept;
            for (const QVariant &entry : ioStruct.value(kFieldKey).toList()) {
                const QString name = entry.toMap().value(QStringLiteral("name")).toString();
                if (name != iFieldNameStr) {
                    kept.append(entry);
                    oCopy.append(name);
                }
            }
            // A key or unique entry over the dropped column cannot be made again.
            QVariantList indexes;
            for (const QVariant &entry : ioStruct.value(kIndexKey).toList()) {
                if (!splitFieldText(entry.toMap().value(kFieldKey).toString()).contains(iFieldNameStr)) {
                    indexes.append(entry);
                }
            }
            ioStruct.insert(kFieldKey, kept);
            ioStruct.insert(kIndexKey, indexes);
        });
    case SchemaDialect::None:
        break;
    }
    return false;
}

bool TSqlQueryV2::replaceTableStruct(const QString &iTableStr, const QVariantMap &iTableStructVarMap)
{
    const QVariantMap wanted = plainMap(iTableStructVarMap);
    if (!getTableList().contains(iTableStr, Qt::CaseSensitive)) {
        return createTable(iTableStr, wanted);
    }
    if (d->dialect) {
        return d->dialect->rebuildsTables() ? d->migrateByRebuild(iTableStr, wanted)
                                            : d->migrateInPlace(iTableStr, wanted);
    }
    const SchemaDialect dialect = d->schemaDialect();
    if (dialect == SchemaDialect::None) {
        return false;
    }
    const QVariantList wantedFields = wanted.value(kFieldKey).toList();

    if (dialect == SchemaDialect::Sqlite) {
        return d->rebuildSqliteTable(
                iTableStr, [&](QVariantMap &ioStruct, QStringList &oCopy, QStringList &oRedefined) {
                    QMap<QString, QVariantMap> byName;
                    for (const QVariant &entry : wantedFields) {
                        const FieldDef field(entry);
                        if (!field.isEmpty()) {
                            byName.insert(field.name, entry.toMap());
                        }
                    }
                    QVariantList fields;
                    for (const QVariant &entry : ioStruct.value(kFieldKey).toList()) {
                        const QVariantMap current = entry.toMap();
                        const QString name = current.value(QStringLiteral("name")).toString();
                        oCopy.append(name);
                        if (!byName.contains(name)) {
                            fields.append(current);
                            continue;
                        }
                        const QVariantMap target = byName.take(name);
                        const FieldDef now(current);
                        const FieldDef then(target);
                        // A column wanted as it reads now keeps its declared type.
                        if (now.type != then.type || now.length != then.length || now.notNull != then.notNull) {
                            oRedefined.append(name);
                        }
                        fields.append(target);
                    }
                    for (auto it = byName.constBegin(); it != byName.constEnd(); ++it) {
                        fields.append(it.value());
                        oRedefined.append(it.key());
                    }
                    ioStruct = wanted;
                    ioStruct.insert(kFieldKey, fields);
                });
    }

    const bool oldServer = dialect == SchemaDialect::SqlServer && d->isOldSqlServer();
    const QVariantList currentFields = getTableStruct(iTableStr).value(kFieldKey).toList();
    const QString table = d->escapeName(iTableStr);
    const QString id = QStringLiteral("id");
    QStringList statements;

    // Changed columns.
    for (const QVariant &wantedEntry : wantedFields) {
        FieldDef w(wantedEntry);
        if (w.name == id || w.isEmpty()) {
            continue;
        }
        for (const QVariant &currentEntry : currentFields) {
            const FieldDef e(currentEntry);
            if (e.name == id || e.name != w.name) {
                continue;
            }
            const QString column = d->escapeName(w.name);
            const bool serial = w.type == QLatin1String("SERIAL");
            const QString nullFlag = w.notNull ? QStringLiteral(" NOT NULL") : QStringLiteral(" NULL");
            switch (dialect) {
            case SchemaDialect::Postgres: {
                // Only the key reads back as "SERIAL"; elsewhere the column is a
                // plain integer, and "SERIAL" is no type an ALTER accepts.
                if (serial && e.type != QLatin1String("SERIAL")) {
                    w.type = QStringLiteral("INTEGER");
                }
                const bool sizable = w.type == QLatin1String("VARCHAR") || w.type == QLatin1String("TIMESTAMP");
                const QString type = typeText(dialect, w.type, w.length, oldServer, TypeUse::MigrateAlter);
                const QString sized = QStringLiteral("ALTER TABLE \"%1\" ALTER \"%2\" TYPE %3(%4);")
                                              .arg(table, column, type)
                                              .arg(w.length);
                const QString plain
                        = QStringLiteral("ALTER TABLE \"%1\" ALTER \"%2\" TYPE %3;").arg(table, column, type);
                if (w.type != e.type) {
                    statements.append(sizable && w.length > 0 ? sized : plain);
                }
                if (w.notNull != e.notNull) {
                    statements.append(
                            (w.notNull ? QStringLiteral("ALTER TABLE \"%1\" ALTER COLUMN \"%2\" SET NOT NULL;")
                                       : QStringLiteral("ALTER TABLE \"%1\" ALTER COLUMN \"%2\" DROP NOT NULL;"))
                                    .arg(table, column));
                }
                if (w.type == e.type && sizable && w.length != e.length) {
                    // A VARCHAR without a length has no limit; PostgreSQL refuses a length of 0.
                    const bool unlimited = w.type == QLatin1String("VARCHAR") && w.length <= 0;
                    statements.append(unlimited ? plain : sized);
                }
                break;
            }
            case SchemaDialect::SqlServer:
                statements.append(QStringLiteral("ALTER TABLE \"%1\" ALTER COLUMN \"%2\" %3")
                                          .arg(table, column,
                                               typeText(dialect, w.type, w.length, oldServer, TypeUse::MigrateAlter))
                                  + nullFlag + (serial ? QStringLiteral(" IDENTITY(1,1)") : QString())
                                  + QLatin1Char(';'));
                break;
            case SchemaDialect::MySql:
                statements.append(QStringLiteral("ALTER TABLE `%1` MODIFY COLUMN `%2` %3")
                                          .arg(table, column,
                                               typeText(dialect, w.type, w.length, oldServer, TypeUse::MigrateAlter))
                                  + nullFlag + (serial ? QStringLiteral(" AUTO_INCREMENT") : QString())
                                  + QLatin1Char(';'));
                break;
            case SchemaDialect::Oracle: {
                // Oracle's current type is compared as stored.
                const QString currentType = currentEntry.toMap().value(QStringLiteral("type")).toString();
                if (currentType == QLatin1String("TEXT") || currentType == QLatin1String("BYTEA")) {
                    break;
                }
                statements.append(QStringLiteral("ALTER TABLE \"%1\" MODIFY \"%2\" %3")
                                          .arg(table, column,
                                               typeText(dialect, w.type, w.length, oldServer, TypeUse::MigrateAlter))
                                  + (w.notNull != e.notNull ? nullFlag : QString()));
                break;
            }
            default:
                break;
            }
        }
    }

    // Added columns.
    const QStringList existing = fieldNames(currentFields);
    for (const QVariant &wantedEntry : wantedFields) {
        const FieldDef w(wantedEntry);
        if (w.name == id || existing.contains(w.name) || w.isEmpty()) {
            continue;
        }
        const QString column = d->escapeName(w.name);
        const bool serial = w.type == QLatin1String("SERIAL");
        const QString type = typeText(dialect, w.type, w.length, oldServer, TypeUse::MigrateAdd);
        const QString notNull = w.notNull ? QStringLiteral(" NOT NULL") : QString();
        switch (dialect) {
        case SchemaDialect::Postgres:
            statements.append(QStringLiteral("ALTER TABLE \"%1\" ADD COLUMN \"%2\" %3").arg(table, column, type)
                              + notNull + QLatin1Char(';'));
            break;
        case SchemaDialect::SqlServer:
            statements.append(QStringLiteral("ALTER TABLE \"%1\" ADD \"%2\" %3").arg(table, column, type) + notNull
                              + (serial ? QStringLiteral(" IDENTITY(1,1)") : QString()) + QLatin1Char(';'));
            break;
        case SchemaDialect::MySql:
            statements.append(QStringLiteral("ALTER TABLE `%1` ADD COLUMN `%2` %3").arg(table, column, type) + notNull
                              + (serial ? QStringLiteral(" AUTO_INCREMENT") : QString()) + QLatin1Char(';'));
            break;
        case SchemaDialect::Oracle:
            statements.append(QStringLiteral("ALTER TABLE \"%1\" ADD \"%2\" %3").arg(table, column, type) + notNull);
            break;
        default:
            break;
        }
    }

    // Unique constraints: every existing one is dropped first, in descending
    // name order, and the wanted ones are added last.
    QVariantList constraintRows;
    if (dialect == SchemaDialect::Postgres) {
        constraintRows = selectArrayMap(postgresConstraintSql(iTableStr), QVariantMap(), QVariantMap());
    } else if (dialect == SchemaDialect::SqlServer) {
        constraintRows = selectArrayMap(sqlServerConstraintSql(iTableStr), QVariantMap(), QVariantMap());
    } else if (dialect == SchemaDialect::MySql) {
        constraintRows
                = selectArrayMap(QStringLiteral("SHOW INDEX FROM `%1`").arg(table), QVariantMap(), QVariantMap());
    } else {
        constraintRows = selectArrayMap(oracleConstraintSql(iTableStr), QVariantMap(), QVariantMap());
    }
    QStringList uniqueNames;
    for (const QVariant &row : constraintRows) {
        const QVariantMap map = row.toMap();
        bool unique = false;
        QString name = rowText(map, QStringLiteral("constraint_name"));
        if (dialect == SchemaDialect::MySql) {
            name = rowText(map, QStringLiteral("key_name"));
            unique = rowInt(map, QStringLiteral("non_unique")) == 0 && name != QLatin1String("PRIMARY");
        } else {
            const QString type = rowText(map, QStringLiteral("constraint_type"));
            unique = type == (dialect == SchemaDialect::Oracle ? QLatin1String("U") : QLatin1String("UNIQUE"));
        }
        if (unique) {
            appendOnce(uniqueNames, name);
        }
    }
    std::sort(uniqueNames.begin(), uniqueNames.end());
    for (const QString &name : qAsConst(uniqueNames)) {
        QString drop;
        if (dialect == SchemaDialect::Postgres) {
            drop = QStringLiteral("ALTER TABLE \"%1\" DROP CONSTRAINT \"%2\";").arg(table, d->escapeName(name));
        } else if (dialect == SchemaDialect::SqlServer) {
            drop = QStringLiteral("ALTER TABLE \"%1\" DROP CONSTRAINT [%2];")
                           .arg(table, QString(name).replace(QLatin1Char(']'), QStringLiteral("]]")));
        } else if (dialect == SchemaDialect::MySql) {
            drop = QStringLiteral("ALTER TABLE `%1` DROP INDEX `%2`;").arg(table, d->escapeName(name));
        } else {
            drop = QStringLiteral("ALTER TABLE \"%1\" DROP CONSTRAINT \"%2\"").arg(table, d->escapeName(name));
        }
        statements.prepend(drop);
    }
    QStringList uniqueColumns;
    for (const QVariant &entry : wanted.value(kIndexKey).toList()) {
        const QVariantMap index = entry.toMap();
        if (index.value(QStringLiteral("type")).toString().toUpper() != QLatin1String("UNIQUE")) {
            continue;
        }
        QStringList quoted;
        for (const QString &column : splitFieldText(index.value(kFieldKey).toString())) {
            quoted.append(d->quoteName(column));
            appendOnce(uniqueColumns, column);
        }
        const QString columns = quoted.join(QLatin1Char(','));
        if (dialect == SchemaDialect::MySql) {
            statements.append(QStringLiteral("ALTER TABLE `%1` ADD UNIQUE (%2);").arg(table, columns));
        } else if (dialect == SchemaDialect::Oracle) {
            statements.append(QStringLiteral("ALTER TABLE \"%1\" ADD UNIQUE (%2)").arg(table, columns));
        } else {
            statements.append(QStringLiteral("ALTER TABLE \"%1\" ADD UNIQUE (%2);").arg(table, columns));
        }
    }
    if (statements.isEmpty()) {
        return true;
    }
    if (dialect == SchemaDialect::MySql) {
        // MySQL commits every ALTER at once, so nothing could undo the
        // statements before a failing one: refuse a unique key over a column
        // the table will not have before anything runs.
        for (const QString &column : qAsConst(uniqueColumns)) {
            const bool added = std::any_of(wantedFields.cbegin(), wantedFields.cend(), [&](const QVariant &iEntry) {
                const FieldDef w(iEntry);
                return !w.isEmpty() && w.name != id && w.name == column;
            });
            if (!existing.contains(column) && !added) {
                d->setSchemaError(QStringLiteral("%1 not exists").arg(column), QStringLiteral("Field error"));
                return false;
            }
        }
    }
    return d->runStatementList(statements, dialect == SchemaDialect::Oracle);
}

bool TSqlQueryV2Private::migrateByRebuild(const QString &iTableStr, const QVariantMap &iWanted)
{
    const QVariantList wantedFields = iWanted.value(kFieldKey).toList();
    return rebuildSqliteTable(iTableStr, [&](QVariantMap &ioStruct, QStringList &oCopy, QStringList &oRedefined) {
        QMap<QString, QVariantMap> byName;
        for (const QVariant &entry : wantedFields) {
            const TSqlFieldDef field(entry);
            if (!field.isEmpty()) {
                byName.insert(field.name, entry.toMap());
            }
        }
        QVariantList fields;
        for (const QVariant &entry : ioStruct.value(kFieldKey).toList()) {
            const QVariantMap current = entry.toMap();
            const QString name = current.value(QStringLiteral("name")).toString();
            oCopy.append(name);
            if (!byName.contains(name)) {
                fields.append(current);
                continue;
            }
            const QVariantMap target = byName.take(name);
            const TSqlFieldDef now(current);
            const TSqlFieldDef then(target);
            // A column wanted as it reads now keeps its declared type.
            if (now.type != then.type || now.length != then.length || now.notNull != then.notNull) {
                oRedefined.append(name);
            }
            fields.append(target);
        }
        for (auto it = byName.constBegin(); it != byName.constEnd(); ++it) {
            fields.append(it.value());
            oRedefined.append(it.key());
        }
        ioStruct = iWanted;
        ioStruct.insert(kFieldKey, fields);
    });
}

// The in-place statements run as drops of the unique constraints, then
// alters and adds in wanted-field order, then the wanted unique constraints.
bool TSqlQueryV2Private::migrateInPlace(const QString &iTableStr, const QVariantMap &iWanted)
{
    Q_Q(TSqlQueryV2);
    const QVariantList wantedFields = iWanted.value(kFieldKey).toList();
    const bool oldServer = dialect->isOldServer(*q);
    const QVariantList currentFields = q->getTableStruct(iTableStr).value(kFieldKey).toList();
    const QStringList existing = fieldNames(currentFields);
    QStringList statements = migrationAlters(iTableStr, wantedFields, currentFields, oldServer)
                             + migrationAdds(iTableStr, wantedFields, existing, oldServer);
    statements = uniqueDrops(iTableStr) + statements;
    QStringList uniqueColumns;
    statements += uniqueAdds(iTableStr, iWanted.value(kIndexKey).toList(), &uniqueColumns);
    if (statements.isEmpty()) {
        return true;
    }
    // Where every statement commits at once, nothing could undo the ones
    // before a failing one: refuse a unique key over a column the table will
    // not have before anything runs.
    if (dialect->commitsEachStatement() && !uniqueColumnsExist(uniqueColumns, wantedFields, existing)) {
        return false;
    }
    return runStatementList(statements, dialect->runsStatementsDirectly());
}

// A column "id" is neither altered nor added.
QStringList TSqlQueryV2Private::migrationAlters(const QString &iTableStr, const QVariantList &iWanted,
                                                const QVariantList &iCurrent, bool iOldServer) const
{
    QStringList statements;
    for (const QVariant &wantedEntry : iWanted) {
        const TSqlFieldDef w(wantedEntry);
        if (w.name == kIdColumn || w.isEmpty()) {
            continue;
        }
        for (const QVariant &currentEntry : iCurrent) {
            const TSqlFieldDef e(currentEntry);
            if (e.name != kIdColumn && e.name == w.name) {
                statements += dialect->migrateAlterStatements(iTableStr, w, e, iOldServer);
            }
        }
    }
    return statements;
}

QStringList TSqlQueryV2Private::migrationAdds(const QString &iTableStr, const QVariantList &iWanted,
                                              const QStringList &iExisting, bool iOldServer) const
{
    QStringList statements;
    for (const QVariant &wantedEntry : iWanted) {
        const TSqlFieldDef w(wantedEntry);
        if (w.name != kIdColumn && !iExisting.contains(w.name) && !w.isEmpty()) {
            statements.append(dialect->migrateAddStatement(iTableStr, w, iOldServer));
        }
    }
    return statements;
}

QStringList TSqlQueryV2Private::uniqueDrops(const QString &iTableStr)
{
    Q_Q(TSqlQueryV2);
    const QVariantList rows = q->selectArrayMap(dialect->constraintSql(iTableStr), QVariantMap(), QVariantMap());
    QStringList names;
    for (const QVariant &row : rows) {
        const QVariantMap map = row.toMap();
        if (dialect->isUniqueConstraint(map)) {
            appendOnce(names, dialect->constraintName(map));
        }
    }
    std::sort(names.begin(), names.end());
    QStringList drops;
    for (const QString &name : qAsConst(names)) {
        drops.prepend(dialect->dropUniqueSql(iTableStr, name));
    }
    return drops;
}

QStringList TSqlQueryV2Private::uniqueAdds(const QString &iTableStr, const QVariantList &iIndexes,
                                           QStringList *oColumns) const
{
    QStringList statements;
    for (const QVariant &entry : iIndexes) {
        const QVariantMap index = entry.toMap();
        if (index.value(QStringLiteral("type")).toString().toUpper() != QLatin1String("UNIQUE")) {
            continue;
        }
        QStringList quoted;
        for (const QString &column : splitFieldText(index.value(kFieldKey).toString())) {
            quoted.append(quoteName(column));
            appendOnce(*oColumns, column);
        }
        statements.append(dialect->addUniqueSql(iTableStr, quoted.join(QLatin1Char(','))));
    }
    return statements;
}

bool TSqlQueryV2Private::uniqueColumnsExist(const QStringList &iColumns, const QVariantList &iWanted,
                                            const QStringList &iExisting)
{
    for (const QString &column : iColumns) {
        const bool added = std::any_of(iWanted.cbegin(), iWanted.cend(), [&](const QVariant &iEntry) {
            const TSqlFieldDef w(iEntry);
            return !w.isEmpty() && w.name != kIdColumn && w.name == column;
        });
        if (!iExisting.contains(column) && !added) {
            setSchemaError(QStringLiteral("%1 not exists").arg(column), QStringLiteral("Field error"));
            return false;
        }
    }
    return true;
}
