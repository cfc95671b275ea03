#include "tsqlqueryv2.h"
#include "tsqlqueryv2_p.h"

#include "tsqlconnectionpoolv2.h"
#include "tsqldatautilv2.h"
#include "tsqldeleterv2.h"
#include "tsqlinserterv2.h"
#include "tsqlselectorv2.h"
#include "tsqlupdaterv2.h"

#include "tlogger.h"
#include "tscriptvalue.h"

#include <QDebug>
#include <QSqlDriver>
#include <QSqlRecord>

// Lines about the executor itself carry the position of the calling function.
#define TSQL_DEBUG_LOG(text) \
    TLogger::instance()->writeLog((text), QStringLiteral("debug"), QString(), TLOG_POS, 5)

namespace {

QString addressText(const void *iPointer)
{
    return QString::number(quintptr(iPointer), 16);
}

QVariantMap plainMap(const QVariantMap &iMap)
{
    return TScriptValue::toPlain(QVariant(iMap)).toMap();
}

} // namespace

// ----------------------------------------------------------------------
// TSqlSelectRun

QVariant TSqlSelectRun::value(int iColumn) const
{
    return TSqlDataUtilV2::formatSqlValue(query.value(iColumn), formats.at(iColumn));
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
{
}

void TSqlQueryV2Private::checkQueryError(const QSqlQuery &iQuery)
{
    recordError(iQuery.lastError());
}

void TSqlQueryV2Private::recordError(const QSqlError &iError)
{
    if (!iError.isValid()) {
        return;
    }
    const QString text = iError.text();
    TLogger::instance()->writeLog(QStringLiteral("SQL_QUERY_ERROR[%1]:%2").arg(int(iError.type())).arg(text),
                                  QStringLiteral("debug"), QString(),
                                  TLOG_POS, 5);
    if (text == lastErrorText) {
        return;
    }
    lastErrorText = text;
    error.setError(error.text() + text + QLatin1Char('\n'), QString(QChar(int(iError.type()))),
                   QStringLiteral("SQL_QUERY_ERROR"), QString());
}

void TSqlQueryV2Private::logSql(const QString &iSqlStr) const
{
    TLogger::instance()->writeLog(iSqlStr, QStringLiteral("sql"), QString(), QString(), 4);
}

QString TSqlQueryV2Private::identifierQuote() const
{
    return database.driverName() == QLatin1String("QMYSQL") ? QStringLiteral("`")
                                                             : QStringLiteral("\"");
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

bool TSqlQueryV2Private::runSelect(const QString &iSqlStr, const QVariantMap &iFieldFormat,
                                   const QVariantMap &iParamMap, bool iCheckPrepared,
                                   bool iFirstRowOnly,
                                   const std::function<void(const TSqlSelectRun &)> &iHeader,
                                   const std::function<void(const TSqlSelectRun &)> &iRow)
{
    Q_Q(TSqlQueryV2);
    if (!q->begin(true)) {
        return false;
    }
    const QVariantMap formats = plainMap(iFieldFormat);
    const QVariantMap params = plainMap(iParamMap);

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

QVariant TSqlQueryV2Private::fieldValue(const QString &iField, const QStringList &iTemplateNames,
                                        bool iTemplate, const QVariantMap &iRow)
{
    if (iTemplate) {
        return QVariant(TSqlDataUtilV2::strReplaceDollar(iField, iTemplateNames, iRow));
    }
    return iRow.value(iField);
}

int TSqlQueryV2Private::updateRow(const QString &iTableStr, const QVariantMap &iDataMap,
                                  const QVariant &iWhere, const QVariantMap &iUpdatePolicy,
                                  const QStringList &iFields, bool *oFailed)
{
    Q_Q(TSqlQueryV2);
    *oFailed = true;
    QString where = TSqlDataUtilV2::variant2AndWhere(iWhere, iDataMap, QString(),
                                                     database.driverName());
    if (where.isEmpty()) {
        where = QStringLiteral("(1=0)");
    }
    const QStringList fields = iFields.isEmpty() ? QStringList(iDataMap.keys()) : iFields;
    QStringList assignments;
    for (const QString &field : fields) {
        const QString name = quoteName(field);
        const QString policy = iUpdatePolicy.value(field).toString().toUpper();
        if (policy == QLatin1String("JSON_MERGE")) {
            assignments.append(name + QStringLiteral(" = COALESCE(") + name
                               + QStringLiteral(", '{}'::jsonb) || ?"));
        } else if (policy == QLatin1String("ARRAY_APPEND")) {
            assignments.append(name + QStringLiteral(" = ") + name + QStringLiteral(" || ?"));
        } else {
            assignments.append(name + QStringLiteral(" =  ?"));
        }
    }
    if (!q->begin(true)) {
        return 0;
    }
    const QString sql = QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                            .arg(iTableStr, assignments.join(QLatin1Char(',')), where);
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
    : QObject(iParent), d_ptr(new TSqlQueryV2Private(this))
{
    TSQL_DEBUG_LOG(QStringLiteral("New TSqlQueryV2 0x%1").arg(addressText(this)));
}

TSqlQueryV2::TSqlQueryV2(const QSqlDatabase &iDatabase, QObject *iParent)
    : QObject(iParent), d_ptr(new TSqlQueryV2Private(this))
{
    TSQL_DEBUG_LOG(QStringLiteral("New TSqlQueryV2 0x%1").arg(addressText(this)));
    d_ptr->database = iDatabase;
}

TSqlQueryV2::~TSqlQueryV2()
{
    close();
    delete d_ptr;
}

bool TSqlQueryV2::open(bool iCheckConnectionBol)
{
    Q_D(TSqlQueryV2);
    if (!d->database.isOpen()) {
        if (d->database.open()) {
            return true;
        }
    } else if (!iCheckConnectionBol || isConnected()) {
        return true;
    } else {
        d->database.close();
        qDebug() << "close table.....";
        if (d->database.open()) {
            return true;
        }
    }
    const QSqlError dbError = d->database.lastError();
    d->error.setError(dbError.text(), QString(QChar(int(dbError.type()))),
                      QStringLiteral("OPEN_DATABASE_FAILED"), QString());
    qDebug() << "OpenDatabaseError:" << d->error.text();
    return false;
}

bool TSqlQueryV2::isConnected()
{
    Q_D(TSqlQueryV2);
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
    Q_D(TSqlQueryV2);
    if (d->closed) {
        return false;
    }
    TSQL_DEBUG_LOG(QStringLiteral("Close TSqlQueryV2 0x%1").arg(addressText(this)));
    if (d->transNum > 0) {
        d->database.rollback();
        d->transNum = 0;
        d->transactionStarted = false;
    }
    TSqlConnectionPoolV2::instance()->releaseConnection(d->database.connectionName());
    d->closed = true;
    return true;
}

bool TSqlQueryV2::begin(bool iCheckConnectionBol)
{
    Q_D(TSqlQueryV2);
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
    TSQL_DEBUG_LOG(QStringLiteral("Begin Transaction"));
    return true;
}

int TSqlQueryV2::commit()
{
    Q_D(TSqlQueryV2);
    if (d->transNum <= 1) {
        TSQL_DEBUG_LOG(QStringLiteral("Commit Transaction"));
        const bool started = d->transNum == 1 && d->transactionStarted;
        // A server that refuses the commit (PostgreSQL after a failed
        // statement rolls back instead) has lost the work: say so.
        if (!d->database.commit() && started) {
            d->recordError(d->database.lastError());
        }
        d->transactionStarted = false;
        d->transNum = 1;
        if (d->error.isValid()) {
            TLogger::instance()->writeLog(d->error.text(), QStringLiteral("error"), QString(),
                                          TLOG_POS, 0);
        }
    }
    return --d->transNum;
}

int TSqlQueryV2::rollback()
{
    Q_D(TSqlQueryV2);
    if (d->transNum <= 1) {
        TSQL_DEBUG_LOG(QStringLiteral("Rollback Transaction"));
        d->database.rollback();
        d->transactionStarted = false;
        d->transNum = 1;
    }
    return --d->transNum;
}

bool TSqlQueryV2::resetTransNum()
{
    Q_D(TSqlQueryV2);
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
    Q_D(TSqlQueryV2);
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

TError TSqlQueryV2::lastError()
{
    Q_D(TSqlQueryV2);
    return d->error;
}

QString TSqlQueryV2::errorString()
{
    Q_D(TSqlQueryV2);
    return d->error.text();
}

void TSqlQueryV2::clearError()
{
    Q_D(TSqlQueryV2);
    d->lastErrorText.clear();
    d->error.clearError();
}

QString TSqlQueryV2::databaseType()
{
    Q_D(TSqlQueryV2);
    return d->database.driverName();
}

TSqlQueryV2 &TSqlQueryV2::setDatabase(const QSqlDatabase &iDatabase)
{
    Q_D(TSqlQueryV2);
    d->database = iDatabase;
    return *this;
}

QSqlDatabase TSqlQueryV2::sqlDatabase()
{
    Q_D(TSqlQueryV2);
    return d->database;
}

// ----------------------------------------------------------------------
// Selects

namespace {

// The selector overloads build the statement for the dialect of the
// connection actually used, whatever type the caller's selector carries.
TSqlSelectorV2 forConnection(const TSqlSelectorV2 &iSelector, const QString &iDatabaseType)
{
    TSqlSelectorV2 selector(iSelector);
    selector.setDatabaseType(iDatabaseType);
    return selector;
}

TSqlSelectorV2 selectorFromMap(const QVariantMap &iDataMap)
{
    return TSqlSelectorV2(plainMap(iDataMap));
}

} // namespace

QVariantList TSqlQueryV2::selectArray(const TSqlSelectorV2 &iSqlSelector)
{
    TSqlSelectorV2 selector = forConnection(iSqlSelector, databaseType());
    return selectArray(selector.toSql(), selector.fieldFormat(), QVariantMap());
}

QVariantList TSqlQueryV2::selectArray(const QVariantMap &iDataMap)
{
    return selectArray(selectorFromMap(iDataMap));
}

QVariantList TSqlQueryV2::selectArray(const QString &iSqlStr, const QVariantMap &iFieldFormat,
                                      QVariantMap iParamMap)
{
    Q_D(TSqlQueryV2);
    QVariantList result;
    d->runSelect(iSqlStr, iFieldFormat, iParamMap, true, true, nullptr,
                 [&result](const TSqlSelectRun &iRun) { result = iRun.rowList(); });
    return result;
}

QVariantMap TSqlQueryV2::selectMap(const TSqlSelectorV2 &iSqlSelector)
{
    TSqlSelectorV2 selector = forConnection(iSqlSelector, databaseType());
    return selectMap(selector.toSql(), selector.fieldFormat(), QVariantMap());
}

QVariantMap TSqlQueryV2::selectMap(const QVariantMap &iDataMap)
{
    return selectMap(selectorFromMap(iDataMap));
}

QVariantMap TSqlQueryV2::selectMap(const QString &iSqlStr, const QVariantMap &iFieldFormat,
                                   QVariantMap iParamMap)
{
    Q_D(TSqlQueryV2);
    QVariantMap result;
    d->runSelect(iSqlStr, iFieldFormat, iParamMap, false, true, nullptr,
                 [&result](const TSqlSelectRun &iRun) { result = iRun.rowMap(); });
    return result;
}

QVariant TSqlQueryV2::selectValue(const TSqlSelectorV2 &iSqlSelector)
{
    TSqlSelectorV2 selector = forConnection(iSqlSelector, databaseType());
    return selectValue(selector.toSql(), selector.fieldFormat(), QVariantMap());
}

QVariant TSqlQueryV2::selectValue(const QVariantMap &iDataMap)
{
    return selectValue(selectorFromMap(iDataMap));
}

QVariant TSqlQueryV2::selectValue(const QString &iSqlStr, const QVariantMap &iFieldFormat,
                                  QVariantMap iParamMap)
{
    Q_D(TSqlQueryV2);
    QVariant result;
    d->runSelect(iSqlStr, iFieldFormat, iParamMap, true, true, nullptr,
                 [&result](const TSqlSelectRun &iRun) {
                     if (!iRun.columns.isEmpty()) {
                         result = iRun.value(iRun.columns.first());
                     }
                 });
    return result;
}

QVariantList TSqlQueryV2::selectArrayArray(const TSqlSelectorV2 &iSqlSelector)
{
    TSqlSelectorV2 selector = forConnection(iSqlSelector, databaseType());
    return selectArrayArray(selector.toSql(), selector.fieldFormat(), QVariantMap());
}

QVariantList TSqlQueryV2::selectArrayArray(const QVariantMap &iDataMap)
{
    return selectArrayArray(selectorFromMap(iDataMap));
}

QVariantList TSqlQueryV2::selectArrayArray(const QString &iSqlStr,
                                           const QVariantMap &iFieldFormat, QVariantMap iParamMap)
{
    Q_D(TSqlQueryV2);
    QVariantList result;
    d->runSelect(iSqlStr, iFieldFormat, iParamMap, true, false, nullptr,
                 [&result](const TSqlSelectRun &iRun) { result.append(QVariant(iRun.rowList())); });
    return result;
}

QVariantList TSqlQueryV2::selectArrayMap(const TSqlSelectorV2 &iSqlSelector)
{
    TSqlSelectorV2 selector = forConnection(iSqlSelector, databaseType());
    return selectArrayMap(selector.toSql(), selector.fieldFormat(), QVariantMap());
}

QVariantList TSqlQueryV2::selectArrayMap(const QVariantMap &iDataMap)
{
    return selectArrayMap(selectorFromMap(iDataMap));
}

QVariantList TSqlQueryV2::selectArrayMap(const QString &iSqlStr, const QVariantMap &iFieldFormat,
                                         QVariantMap iParamMap)
{
    Q_D(TSqlQueryV2);
    QVariantList result;
    d->runSelect(iSqlStr, iFieldFormat, iParamMap, true, false, nullptr,
                 [&result](const TSqlSelectRun &iRun) { result.append(QVariant(iRun.rowMap())); });
    return result;
}

QVariantMap TSqlQueryV2::selectArrayData(const TSqlSelectorV2 &iSqlSelector)
{
    TSqlSelectorV2 selector = forConnection(iSqlSelector, databaseType());
    return selectArrayData(selector.toSql(), selector.fieldFormat(), QVariantMap());
}

QVariantMap TSqlQueryV2::selectArrayData(const QVariantMap &iDataMap)
{
    return selectArrayData(selectorFromMap(iDataMap));
}

QVariantMap TSqlQueryV2::selectArrayData(const QString &iSqlStr, const QVariantMap &iFieldFormat,
                                         QVariantMap iParamMap)
{
    Q_D(TSqlQueryV2);
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
    TSqlSelectorV2 selector = forConnection(iSqlSelector, databaseType());
    return selectArrayValue(selector.toSql(), selector.valueField(), selector.fieldFormat(),
                            QVariantMap());
}

QVariantList TSqlQueryV2::selectArrayValue(const QVariantMap &iDataMap)
{
    return selectArrayValue(selectorFromMap(iDataMap));
}

QVariantList TSqlQueryV2::selectArrayValue(const QString &iSqlStr, const QString &iValueField,
                                           const QVariantMap &iFieldFormat, QVariantMap iParamMap)
{
    Q_D(TSqlQueryV2);
    // The template test looks at the caller's text only: a column name put in
    // for an empty field is read as a plain column even when it holds a "$".
    const bool isTemplate = iValueField.contains(QLatin1Char('$'));
    const QStringList names = isTemplate ? TSqlDataUtilV2::strCapDollar(iValueField) : QStringList();
    QString valueName = iValueField;
    QVariantList result;
    d->runSelect(
        iSqlStr, iFieldFormat, iParamMap, true, false,
        [&valueName](const TSqlSelectRun &iRun) {
            if (valueName.isEmpty()) {
                valueName = iRun.shownName(0);
            }
        },
        [&](const TSqlSelectRun &iRun) {
            result.append(TSqlQueryV2Private::fieldValue(valueName, names, isTemplate, iRun.rowMap()));
        });
    return result;
}

QVariantMap TSqlQueryV2::selectMapMap(const TSqlSelectorV2 &iSqlSelector)
{
    TSqlSelectorV2 selector = forConnection(iSqlSelector, databaseType());
    return selectMapMap(selector.toSql(), selector.uniqueField(), selector.fieldFormat(),
                        QVariantMap());
}

QVariantMap TSqlQueryV2::selectMapMap(const QVariantMap &iDataMap)
{
    return selectMapMap(selectorFromMap(iDataMap));
}

QVariantMap TSqlQueryV2::selectMapMap(const QString &iSqlStr, const QString &iKeyField,
                                      const QVariantMap &iFieldFormat, QVariantMap iParamMap)
{
    Q_D(TSqlQueryV2);
    QString keyName = iKeyField;
    bool isTemplate = false;
    QStringList names;
    QVariantMap result;
    d->runSelect(
        iSqlStr, iFieldFormat, iParamMap, true, false,
        [&](const TSqlSelectRun &iRun) {
            if (keyName.isEmpty()) {
                keyName = iRun.shownName(0);
            }
            isTemplate = keyName.contains(QLatin1Char('$'));
            if (isTemplate) {
                names = TSqlDataUtilV2::strCapDollar(keyName);
            }
        },
        [&](const TSqlSelectRun &iRun) {
            const QVariantMap row = iRun.rowMap();
            result.insert(TSqlQueryV2Private::fieldValue(keyName, names, isTemplate, row).toString(),
                          row);
        });
    return result;
}

QVariantMap TSqlQueryV2::selectMapValue(const TSqlSelectorV2 &iSqlSelector)
{
    TSqlSelectorV2 selector = forConnection(iSqlSelector, databaseType());
    return selectMapValue(selector.toSql(), selector.uniqueField(), selector.valueField(),
                          selector.fieldFormat(), QVariantMap());
}

QVariantMap TSqlQueryV2::selectMapValue(const QVariantMap &iDataMap)
{
    return selectMapValue(selectorFromMap(iDataMap));
}

QVariantMap TSqlQueryV2::selectMapValue(const QString &iSqlStr, const QString &iKeyField,
                                        const QString &iValueField,
                                        const QVariantMap &iFieldFormat, QVariantMap iParamMap)
{
    Q_D(TSqlQueryV2);
    QString keyName = iKeyField;
    QString valueName = iValueField;
    bool keyTemplate = false;
    bool valueTemplate = false;
    QStringList keyNames;
    QStringList valueNames;
    QVariantMap result;
    d->runSelect(
        iSqlStr, iFieldFormat, iParamMap, true, false,
        [&](const TSqlSelectRun &iRun) {
            if (keyName.isEmpty()) {
                keyName = iRun.shownName(0);
            }
            if (valueName.isEmpty()) {
                valueName = iRun.shownName(1);
            }
            keyTemplate = keyName.contains(QLatin1Char('$'));
            valueTemplate = valueName.contains(QLatin1Char('$'));
            if (keyTemplate) {
                keyNames = TSqlDataUtilV2::strCapDollar(keyName);
            }
            if (valueTemplate) {
                valueNames = TSqlDataUtilV2::strCapDollar(valueName);
            }
        },
        [&](const TSqlSelectRun &iRun) {
            const QVariantMap row = iRun.rowMap();
            result.insert(TSqlQueryV2Private::fieldValue(keyName, keyNames, keyTemplate, row).toString(),
                          TSqlQueryV2Private::fieldValue(valueName, valueNames, valueTemplate, row));
        });
    return result;
}

int TSqlQueryV2::selectCount(const TSqlSelectorV2 &iSqlSelector)
{
    return selectValue(iSqlSelector.toSelectCountSql(), QVariantMap(), QVariantMap()).toInt();
}

// ----------------------------------------------------------------------
// Row writes and updates

QVariant TSqlQueryV2::insertRow(const QString &iTableStr, const QVariantMap &iDataMap,
                                const QStringList &iFields, bool iReturnLastInsertId,
                                const QString &iReturnField)
{
    Q_D(TSqlQueryV2);
    const QVariantMap data = plainMap(iDataMap);
    const QStringList fields = iFields.isEmpty() ? QStringList(data.keys()) : iFields;
    QStringList columns;
    QStringList marks;
    for (const QString &field : fields) {
        columns.append(d->quoteName(field));
        marks.append(QStringLiteral("?"));
    }
    if (!begin(true)) {
        return QVariant();
    }
    QString sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                      .arg(iTableStr, columns.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
    if (!iReturnField.isEmpty()) {
        sql += QStringLiteral(" RETURNING %1").arg(iReturnField);
    }
    qDebug() << "sqlStr:" << sql;
    d->logSql(sql);
    QSqlQuery query(d->database);
    query.prepare(sql);
    d->checkQueryError(query);
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

QVariant TSqlQueryV2::insertRow(const QVariantMap &iDataMap)
{
    return insertRow(TSqlInserterV2(plainMap(iDataMap)));
}

QVariant TSqlQueryV2::insertRow(const TSqlInserterV2 &iSqlInserter)
{
    return insertRow(iSqlInserter.table(), iSqlInserter.data(), iSqlInserter.field(),
                     !iSqlInserter.autoIncrementField().isEmpty(),
                     iSqlInserter.autoIncrementField());
}

void TSqlQueryV2::batchInsert(const QString &iTableStr, const QStringList &iFields,
                              const QVariantList &iDataList)
{
    Q_D(TSqlQueryV2);
    const QVariantList rows = TScriptValue::toPlain(QVariant(iDataList)).toList();
    QStringList columns;
    QStringList marks;
    for (const QString &field : iFields) {
        columns.append(d->quoteName(field));
        marks.append(QStringLiteral("?"));
    }
    if (!begin(true)) {
        return;
    }
    const QString sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                            .arg(iTableStr, columns.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
    d->logSql(sql);
    QSqlQuery query(d->database);
    query.prepare(sql);
    d->checkQueryError(query);
    for (int i = 0; i < iFields.size(); ++i) {
        QVariantList values;
        values.reserve(rows.size());
        for (const QVariant &row : rows) {
            const QVariant value = row.type() == QVariant::Map ? row.toMap().value(iFields.at(i))
                                                               : row.toList().value(i);
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
    Q_D(TSqlQueryV2);
    QString where = TSqlDataUtilV2::variant2AndWhere(TScriptValue::toPlain(iWhere), QVariantMap(),
                                                     QString(), databaseType());
    // A delete never runs without a condition.
    if (where.isEmpty()) {
        where = QStringLiteral("(1=0)");
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

int TSqlQueryV2::deleteRow(const QVariantMap &iDataMap)
{
    return deleteRow(TSqlDeleterV2(plainMap(iDataMap)));
}

int TSqlQueryV2::deleteRow(const TSqlDeleterV2 &iSqlDeleter)
{
    return deleteRow(iSqlDeleter.table(), QVariant(iSqlDeleter.where().toSql(databaseType())));
}

QVariant TSqlQueryV2::replaceRow(const QString &iTableStr, const QVariantMap &iDataMap,
                                 const QStringList &iUniqueFields, const QVariantMap &iUpdatePolicy,
                                 const QStringList &iUpdateFields, const QString &iAutoIncrField)
{
    Q_D(TSqlQueryV2);
    const QVariantMap data = plainMap(iDataMap);
    if (iUniqueFields.isEmpty()) {
        return insertRow(iTableStr, data, iUpdateFields, !iAutoIncrField.isEmpty(), iAutoIncrField);
    }
    QStringList conditions;
    for (const QString &field : iUniqueFields) {
        conditions.append(TSqlDataUtilV2::variant2EqualWhere(d->escapeName(field), data.value(field),
                                                             d->identifierQuote(), false,
                                                             databaseType()));
    }
    const QString condition = conditions.join(QStringLiteral(" AND "));
    // A count always comes back as a row: no value means the test failed, and
    // inserting then could duplicate an existing row.
    const QVariant count = selectValue(QStringLiteral("SELECT COUNT(*) FROM ") + iTableStr
                                           + QStringLiteral(" WHERE ") + condition,
                                       QVariantMap());
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
    return selectValue(QStringLiteral("SELECT ") + d->quoteName(iAutoIncrField)
                           + QStringLiteral(" FROM ") + iTableStr + QStringLiteral(" WHERE ") + condition,
                       QVariantMap());
}

QVariant TSqlQueryV2::replaceRow(const QVariantMap &iDataMap)
{
    return replaceRow(TSqlInserterV2(plainMap(iDataMap)));
}

QVariant TSqlQueryV2::replaceRow(const TSqlInserterV2 &iSqlInserter)
{
    return replaceRow(iSqlInserter.table(), iSqlInserter.data(), iSqlInserter.uniqueField(),
                      iSqlInserter.updatePolicy(), iSqlInserter.field(),
                      iSqlInserter.autoIncrementField());
}

int TSqlQueryV2::updateRow(const QString &iTableStr, const QVariantMap &iDataMap,
                           const QVariant &iWhere, const QVariantMap &iUpdatePolicy,
                           const QStringList &iFields)
{
    Q_D(TSqlQueryV2);
    bool failed = false;
    return d->updateRow(iTableStr, plainMap(iDataMap), TScriptValue::toPlain(iWhere),
                        plainMap(iUpdatePolicy), iFields, &failed);
}

int TSqlQueryV2::updateRow(const TSqlUpdaterV2 &iSqlUpdater)
{
    return updateRow(iSqlUpdater.table(), iSqlUpdater.data(),
                     QVariant(iSqlUpdater.where().toSql(databaseType())),
                     iSqlUpdater.updatePolicy(), iSqlUpdater.field());
}

int TSqlQueryV2::updateRow(const QVariantMap &iDataMap)
{
    return updateRow(TSqlUpdaterV2(plainMap(iDataMap)));
}

bool TSqlQueryV2::setAutoIncrementStatus(const QString &iTableStr, const QString &iStatus)
{
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
