#include "tsqlqueryv2.h"
#include "tsqlqueryv2_p.h"

#include "tsqlconnectionpoolv2.h"
#include "tsqlconnectionpoolv2_p.h"
#include "tsqldatautilv2.h"
#include "tsqldeleterv2.h"
#include "tsqlinserterv2.h"
#include "tsqlliteral_p.h"
#include "tsqlselectorv2.h"
#include "tsqlupdaterv2.h"
#include "tsqlwherecompsitev2.h"
#include "tsqlwheresimplev2.h"

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
    if (!dialect || !dialect->literalsDependOnSession() || !database.isOpen())
        return database.driverName();
    // The connection name and the driver object tell one connection from the
    // next one of the same name.
    const QString key = database.connectionName() + QLatin1Char('@') + QString::number(quintptr(database.driver()), 16);
    if (key != literalTypeConnection) {
        literalTypeConnection = key;
        literalTypeCache = dialect->sessionLiteralType(database);
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

namespace {

// A where tree nested deeper than this is refused rather than walked.
const int kMaxWhereDepth = 256;

const QString kNameRefused = QStringLiteral("SQL_NAME_REFUSED");

} // namespace

void TSqlQueryV2Private::setRefusal(const QString &iText)
{
    // Outside a transaction the refusal is the call's only failure and no
    // commit will report it; inside one it joins the errors that the
    // caller's commit reports.
    if (transNum > 0) {
        VEK_LOG(QStringLiteral("%1:%2").arg(kNameRefused, iText), "debug", 5);
        lastErrorText = iText;
        error.setError(error.text() + iText + QLatin1Char('\n'), QStringLiteral("Name error"), kNameRefused, QString());
        return;
    }
    VEK_LOG(iText, "error", 0);
    lastErrorText.clear();
    failedStatement.clear();
    error.setError(iText, QStringLiteral("Name error"), kNameRefused, QString());
}

bool TSqlQueryV2Private::refuseName(const QString &iName, TSqlNameUse iUse, const QString &iRole)
{
    const QString quote = identifierQuote();
    if (TSqlDialect::acceptsName(iName, iUse, quote)) {
        return false;
    }
    QString rule;
    switch (iUse) {
    case TSqlNameUse::Catalog:
        rule = QStringLiteral("the driver writes it into a literal of its own, so it is not empty and holds no "
                              "single quote or NUL");
        break;
    case TSqlNameUse::OrderTerm:
    case TSqlNameUse::GroupTerm:
        rule = QStringLiteral("a term is a column name or a column position, ASC or DESC after it in an order");
        break;
    default:
        rule = QStringLiteral("a name is an identifier (letters, digits, \"_\" and \"$\") or an identifier "
                              "between %1 quotes, optionally qualified")
                       .arg(quote);
        break;
    }
    setRefusal(QStringLiteral("Refused %1 \"%2\": %3; nothing was sent.").arg(iRole, iName, rule));
    return true;
}

bool TSqlQueryV2Private::refuseNames(const QStringList &iNames, TSqlNameUse iUse, const QString &iRole)
{
    for (const QString &name : iNames) {
        if (refuseName(name, iUse, iRole)) {
            return true;
        }
    }
    return false;
}

bool TSqlQueryV2Private::refuseNames(const QList<TSqlBareName> &iNames)
{
    for (const TSqlBareName &name : iNames) {
        if (refuseName(name.name, name.use, name.role)) {
            return true;
        }
    }
    return false;
}

bool TSqlQueryV2Private::refuseConditionNames(const QVariant &iWhere)
{
    const QVariant where = TScriptValue::toPlain(iWhere);
    if (where.userType() == QMetaType::QVariantMap) {
        return refuseNames(where.toMap().keys(), TSqlNameUse::Column, QStringLiteral("where field"));
    }
    if (TSqlLiteral::isList(where)) {
        return refuseNames(where.toStringList(), TSqlNameUse::Column, QStringLiteral("where field"));
    }
    return false;
}

bool TSqlQueryV2Private::refuseWhereNames(const TSqlWhereAbsV2 &iNode, int iDepth)
{
    if (const auto *simple = dynamic_cast<const TSqlWhereSimpleV2 *>(&iNode)) {
        return refuseName(simple->field(), TSqlNameUse::Column, QStringLiteral("where field"));
    }
    const auto *composite = dynamic_cast<const TSqlWhereCompsiteV2 *>(&iNode);
    if (!composite) {
        return false;
    }
    if (iDepth >= kMaxWhereDepth) {
        setRefusal(QStringLiteral("Refused a where tree nested deeper than %1 levels; nothing was sent.")
                           .arg(kMaxWhereDepth));
        return true;
    }
    const QList<TSqlWhereAbsV2 *> items = composite->items();
    for (const TSqlWhereAbsV2 *item : items) {
        if (item && refuseWhereNames(*item, iDepth + 1)) {
            return true;
        }
    }
    return false;
}

bool TSqlQueryV2Private::refuseSelectorNames(const TSqlSelectorV2 &iSelector)
{
    return refuseName(iSelector.table(), TSqlNameUse::Table, QStringLiteral("table name"))
           || refuseNames(iSelector.field(), TSqlNameUse::SelectItem, QStringLiteral("select field"))
           || refuseNames(iSelector.group(), TSqlNameUse::GroupTerm, QStringLiteral("group term"))
           || refuseNames(iSelector.order(), TSqlNameUse::OrderTerm, QStringLiteral("order term"))
           || refuseWhereNames(iSelector.where());
}

void TSqlQueryV2Private::logSql(const QString &iSqlStr) const
{
    if (TLogger::instance()->debugLevel() >= 4) {
        TLogger::instance()->writeLog(iSqlStr, QStringLiteral("sql"), QString(), QString(), 4);
    }
}

QString TSqlQueryV2Private::identifierQuote() const
{
    return dialect ? dialect->identifierQuote() : QStringLiteral("\"");
}

QString TSqlQueryV2Private::escapeName(const QString &iName) const
{
    return TSqlDialect::escapeName(iName, identifierQuote());
}

QString TSqlQueryV2Private::quoteName(const QString &iName) const
{
    return TSqlDialect::quoteName(iName, identifierQuote());
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
    // The statement's first failure is its cause: after a failed prepare or
    // execute the later steps fail too, with texts that no longer say why.
    QSqlError firstError = run.query.lastError();
    if (iCheckPrepared) {
        checkQueryError(firstError);
    }
    for (auto it = params.constBegin(); it != params.constEnd(); ++it) {
        run.query.bindValue(QLatin1Char(':') + it.key(), TSqlDataUtilV2::variantToSqlValue(it.value()));
    }
    run.query.exec();
    if (!firstError.isValid()) {
        firstError = run.query.lastError();
    }

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
    if (!firstError.isValid()) {
        firstError = run.query.lastError();
    }
    checkQueryError(firstError);
    if (firstError.isValid() && failedStatement.isEmpty()) {
        // Bound values stay out of the log; the text is cut where a long
        // inline list would swamp the line.
        const int maxShown = 2000;
        failedStatement = iSqlStr.size() > maxShown ? iSqlStr.left(maxShown) + QStringLiteral("...") : iSqlStr;
    }
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
    if (refuseName(iTableStr, TSqlNameUse::Table, QStringLiteral("table name")) || refuseConditionNames(iWhere)) {
        return -1;
    }
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
    qDebug() << "OpenDatabaseError:" << TSqlConnectionPoolV2Private::maskPassword(d->database, d->error.text());
    TSqlConnectionPoolV2Private::logOpenFailure(d->database);
    return false;
}

bool TSqlQueryV2::isConnected()
{
    if (!d->dialect) {
        return false;
    }
    const QString probe = d->dialect->probeSql();
    if (probe.isEmpty()) {
        return true;
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
    d->failedStatement.clear();
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
            VEK_LOG(d->failedStatement.isEmpty() ? d->error.text()
                                                 : d->error.text() + QStringLiteral("SQL: ") + d->failedStatement,
                    "error", 0);
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
    d->failedStatement.clear();
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
    if (d->refuseSelectorNames(iSqlSelector)) {
        return QVariantList();
    }
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
    if (d->refuseSelectorNames(iSqlSelector)) {
        return QVariantMap();
    }
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
    if (d->refuseSelectorNames(iSqlSelector)) {
        return QVariantMap();
    }
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
    if (d->refuseSelectorNames(iSqlSelector)) {
        return 0;
    }
    return selectValue(iSqlSelector.toSelectCountSql(), QVariantMap(), QVariantMap()).toInt();
}

// ----------------------------------------------------------------------
// Row writes and updates

QVariant TSqlQueryV2::insertRow(const QString &iTableStr, const QVariantMap &iDataMap, const QStringList &iFields,
                                bool iReturnLastInsertId, const QString &iReturnField)
{
    if (d->refuseName(iTableStr, TSqlNameUse::Table, QStringLiteral("table name"))
        || (!iReturnField.isEmpty()
            && d->refuseName(iReturnField, TSqlNameUse::Column, QStringLiteral("returned field")))) {
        return QVariant();
    }
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
    if (d->refuseName(iTableStr, TSqlNameUse::Table, QStringLiteral("table name"))) {
        return;
    }
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
    // Read once: a script value may answer differently the next time, and the
    // names checked must be the names written.
    const QVariant plainWhere = TScriptValue::toPlain(iWhere);
    if (d->refuseName(iTableStr, TSqlNameUse::Table, QStringLiteral("table name"))
        || d->refuseConditionNames(plainWhere)) {
        return -1;
    }
    const QString where
            = conditionOrNone(TSqlDataUtilV2::variant2AndWhere(plainWhere, QVariantMap(), QString(), d->literalType()));
    if (d->refuseNulCondition(where, plainWhere)) {
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
    if (d->refuseWhereNames(iSqlDeleter.where())) {
        return -1;
    }
    return deleteRow(iSqlDeleter.table(), QVariant(iSqlDeleter.where().toSql(d->literalType())));
}

QVariant TSqlQueryV2::replaceRow(const QString &iTableStr, const QVariantMap &iDataMap,
                                 const QStringList &iUniqueFields, const QVariantMap &iUpdatePolicy,
                                 const QStringList &iUpdateFields, const QString &iAutoIncrField)
{
    // Checked before the count: a refused insert must not follow a count that ran.
    if (d->refuseName(iTableStr, TSqlNameUse::Table, QStringLiteral("table name"))
        || (!iAutoIncrField.isEmpty()
            && d->refuseName(iAutoIncrField, TSqlNameUse::Column, QStringLiteral("returned field")))) {
        return QVariant();
    }
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
    if (d->refuseWhereNames(iSqlUpdater.where())) {
        return -1;
    }
    return updateRow(iSqlUpdater.table(), iSqlUpdater.data(), QVariant(iSqlUpdater.where().toSql(d->literalType())),
                     iSqlUpdater.updatePolicy(), iSqlUpdater.field());
}

int TSqlQueryV2::updateRow(const QVariantMap &iDataMap) { return updateRow(TSqlUpdaterV2(plainMap(iDataMap))); }

bool TSqlQueryV2::setAutoIncrementStatus(const QString &iTableStr, const QString &iStatus)
{
    if (!d->dialect) {
        return false;
    }
    if (d->dialect->takesExplicitKeys()) {
        return true;
    }
    const QString sql = d->dialect->identityInsertSql(iTableStr, iStatus);
    if (!sql.isEmpty()) {
        if (d->refuseName(iTableStr, TSqlNameUse::Table, QStringLiteral("table name"))) {
            return false;
        }
        if (iStatus.compare(QLatin1String("ON"), Qt::CaseInsensitive) != 0
            && iStatus.compare(QLatin1String("OFF"), Qt::CaseInsensitive) != 0) {
            d->setRefusal(QStringLiteral("Refused identity insert status \"%1\": it is ON or OFF; nothing was sent.")
                                  .arg(iStatus));
            return false;
        }
    }
    // A database without the switch has no statement, which execSql refuses.
    return execSql(sql);
}

// ----------------------------------------------------------------------
// Schema operations

#include <algorithm>

namespace {

const QString kFieldKey = QStringLiteral("field");
const QString kIndexKey = QStringLiteral("index");
// A column "id" is neither altered nor added by a migration in place.
const QString kIdColumn = QStringLiteral("id");

void appendOnce(QStringList &ioList, const QString &iText)
{
    if (!ioList.contains(iText)) {
        ioList.append(iText);
    }
}

QStringList splitFieldText(const QString &iText) { return iText.split(QLatin1Char(','), Qt::SkipEmptyParts); }

// The checks that adding and altering a field share; false with the
// executor's error set when the request cannot be served.
bool readFieldRequest(TSqlQueryV2 *iQuery, TSqlQueryV2Private *iD, const QString &iTableStr, const TSqlFieldDef &iField)
{
    // The column check below reads the table through the driver's catalogue.
    if (iD->refuseName(iTableStr, TSqlNameUse::Catalog, QStringLiteral("table name"))) {
        return false;
    }
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

QStringList fieldNames(const QVariantList &iFields)
{
    QStringList names;
    for (const QVariant &field : iFields) {
        names.append(field.toMap().value(QStringLiteral("name")).toString());
    }
    return names;
}

} // namespace

void TSqlQueryV2Private::setSchemaError(const QString &iText, const QString &iType)
{
    error.setError(iText, iType, QStringLiteral("SQL_QUERY_ERROR"), QString());
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

bool TSqlQueryV2Private::createTableWith(const QString &iTableStr, const QVariantMap &iTableStructVarMap,
                                         const QHash<QString, QString> &iNativeTypes)
{
    Q_Q(TSqlQueryV2);
    if (!dialect) {
        return false;
    }
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
    if (refuseNames(plan.bareNames)) {
        return false;
    }
    return runBatch(dialect->createStatements(plan));
}

bool TSqlQueryV2Private::rebuildTable(const QString &iTableStr,
                                      const std::function<void(QVariantMap &, QStringList &, QStringList &)> &iChange)
{
    Q_Q(TSqlQueryV2);
    if (!q->begin(true)) {
        return false;
    }
    const QString backup = QStringLiteral("%1_bakeup").arg(iTableStr);
    QVariantMap structure = q->getTableStruct(iTableStr);
    QHash<QString, QString> nativeTypes = dialect->declaredTypes(*q, iTableStr);
    QStringList copy;
    QStringList redefined;
    iChange(structure, copy, redefined);
    for (const QString &name : qAsConst(redefined)) {
        nativeTypes.remove(name);
    }
    QStringList quoted;
    for (const QString &name : qAsConst(copy)) {
        quoted.append(quoteName(name));
    }
    const QString columns = quoted.join(QLatin1Char(','));

    const bool guarded = dialect->beginRebuild(*q);
    bool ok = q->renameTable(iTableStr, backup);
    if (ok) {
        const bool created = createTableWith(iTableStr, structure, nativeTypes);
        ok = created
             && q->execSql(QStringLiteral("INSERT INTO %1(%2) SELECT %3 FROM %4;")
                                   .arg(quoteName(iTableStr), columns, columns, quoteName(backup)))
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
    if (guarded) {
        dialect->endRebuild(*q);
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
    if (d->refuseName(iTableStr, TSqlNameUse::Catalog, QStringLiteral("table name"))) {
        return QStringList();
    }
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
    QVariantMap structure;
    structure.insert(kFieldKey, QVariantList());
    structure.insert(kIndexKey, QVariantList());
    return structure;
}

QString TSqlQueryV2::getNow()
{
    const QString sql = d->dialect ? d->dialect->clockSql(false) : QString();
    return sql.isEmpty() ? QString() : selectValue(sql, QVariantMap(), QVariantMap()).toString();
}

QString TSqlQueryV2::getToday()
{
    const QString sql = d->dialect ? d->dialect->clockSql(true) : QString();
    return sql.isEmpty() ? QString() : selectValue(sql, QVariantMap(), QVariantMap()).toString();
}

bool TSqlQueryV2::createTable(const QString &iTableStr, const QVariantMap &iTableStructVarMap)
{
    return d->createTableWith(iTableStr, plainMap(iTableStructVarMap), QHash<QString, QString>());
}

bool TSqlQueryV2::addField(const QString &iTableStr, const QVariantMap &iFieldStructVarMap)
{
    const QVariantMap fieldMap = plainMap(iFieldStructVarMap);
    const TSqlFieldDef field {QVariant(fieldMap)};
    if (!readFieldRequest(this, d.get(), iTableStr, field)) {
        return false;
    }
    if (isFieldExists(iTableStr, field.name)) {
        return true;
    }
    if (!d->dialect) {
        return false;
    }
    if (d->dialect->rebuildsTables()) {
        return d->rebuildTable(iTableStr, [&](QVariantMap &ioStruct, QStringList &oCopy, QStringList &oRedefined) {
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

bool TSqlQueryV2::alterField(const QString &iTableStr, const QVariantMap &iFieldStructVarMap)
{
    const QVariantMap fieldMap = plainMap(iFieldStructVarMap);
    const TSqlFieldDef field {QVariant(fieldMap)};
    if (!readFieldRequest(this, d.get(), iTableStr, field)) {
        return false;
    }
    if (field.name == kIdColumn) {
        return true;
    }
    if (!isFieldExists(iTableStr, field.name)) {
        return addField(iTableStr, fieldMap);
    }
    if (!d->dialect) {
        return false;
    }
    if (d->dialect->rebuildsTables()) {
        return d->rebuildTable(iTableStr, [&](QVariantMap &ioStruct, QStringList &oCopy, QStringList &oRedefined) {
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

bool TSqlQueryV2::renameTable(const QString &iSrctableStr, const QString &iDesttableStr)
{
    // An unknown driver gets no statement, which execSql refuses.
    return execSql(d->dialect ? d->dialect->renameTableSql(iSrctableStr, iDesttableStr) : QString());
}

bool TSqlQueryV2::dropTable(const QString &iTableStr)
{
    return execSql(d->dialect ? d->dialect->dropTableSql(iTableStr)
                              : QStringLiteral("DROP TABLE %1;").arg(d->quoteName(iTableStr)));
}

bool TSqlQueryV2::dropField(const QString &iTableStr, const QString &iFieldNameStr)
{
    // The column check below reads the table through the driver's catalogue.
    if (d->refuseName(iTableStr, TSqlNameUse::Catalog, QStringLiteral("table name"))) {
        return false;
    }
    if (!isTableExists(iTableStr)) {
        d->setSchemaError(QStringLiteral("%1 not exists").arg(iTableStr), QStringLiteral("Table error"));
        return false;
    }
    if (!isFieldExists(iTableStr, iFieldNameStr)) {
        return true;
    }
    if (!d->dialect) {
        return false;
    }
    if (!d->dialect->rebuildsTables()) {
        return execSql(d->dialect->dropColumnSql(iTableStr, iFieldNameStr));
    }
    return d->rebuildTable(iTableStr, [&](QVariantMap &ioStruct, QStringList &oCopy, QStringList &) {
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
}

bool TSqlQueryV2::replaceTableStruct(const QString &iTableStr, const QVariantMap &iTableStructVarMap)
{
    const QVariantMap wanted = plainMap(iTableStructVarMap);
    if (!getTableList().contains(iTableStr, Qt::CaseSensitive)) {
        return createTable(iTableStr, wanted);
    }
    if (!d->dialect) {
        return false;
    }
    return d->dialect->rebuildsTables() ? d->migrateByRebuild(iTableStr, wanted) : d->migrateInPlace(iTableStr, wanted);
}

bool TSqlQueryV2Private::migrateByRebuild(const QString &iTableStr, const QVariantMap &iWanted)
{
    const QVariantList wantedFields = iWanted.value(kFieldKey).toList();
    return rebuildTable(iTableStr, [&](QVariantMap &ioStruct, QStringList &oCopy, QStringList &oRedefined) {
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
