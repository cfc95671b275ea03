#include "vekfakesqldriver.h"

#include <QHash>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlField>
#include <QSqlRecord>
#include <QSqlResult>

namespace {

struct FakeState
{
    QMutex mutex;
    QStringList events;
    QList<QVariantList> bound;
    QString resultText;
    QStringList columns;
    QList<QVariantList> rows;
    QString failing;
    struct Scripted
    {
        QString text;
        QStringList columns;
        QList<QVariantList> rows;
    };
    QList<Scripted> scripted;
    QStringList tables;
    QHash<QString, QStringList> records;
};

FakeState &state()
{
    static FakeState s;
    return s;
}

class VekFakeSqlResult : public QSqlResult
{
public:
    explicit VekFakeSqlResult(const QSqlDriver *iDriver)
        : QSqlResult(iDriver)
    {}

protected:
    bool reset(const QString &iQuery) override
    {
        setQuery(iQuery);
        return run(QVariantList());
    }
    bool prepare(const QString &iQuery) override
    {
        setQuery(iQuery);
        return true;
    }
    bool exec() override { return run(boundValues().toList()); }
    bool fetch(int iIndex) override
    {
        if (iIndex < 0 || iIndex >= mRows.size()) {
            return false;
        }
        setAt(iIndex);
        return true;
    }
    bool fetchFirst() override { return fetch(0); }
    bool fetchLast() override { return fetch(mRows.size() - 1); }
    QVariant data(int iField) override { return mRows.value(at()).value(iField); }
    bool isNull(int iField) override { return data(iField).isNull(); }
    int size() override { return mRows.size(); }
    int numRowsAffected() override { return isActive() ? mRows.size() : -1; }
    QSqlRecord record() const override
    {
        QSqlRecord rec;
        for (const QString &column : mColumns) {
            rec.append(QSqlField(column, QVariant::String));
        }
        return rec;
    }

private:
    bool run(const QVariantList &iValues)
    {
        FakeState &s = state();
        QMutexLocker locker(&s.mutex);
        s.events.append(lastQuery());
        s.bound.append(iValues);
        mColumns.clear();
        mRows.clear();
        if (!s.failing.isEmpty() && lastQuery().contains(s.failing)) {
            setLastError(QSqlError(QStringLiteral("fake driver"), QStringLiteral("statement refused"),
                                   QSqlError::StatementError));
            setActive(false);
            return false;
        }
        if (!s.resultText.isEmpty() && lastQuery().contains(s.resultText)) {
            mColumns = s.columns;
            mRows = s.rows;
            s.resultText.clear();
            s.columns.clear();
            s.rows.clear();
        } else {
            for (int i = 0; i < s.scripted.size(); ++i) {
                if (lastQuery().contains(s.scripted.at(i).text)) {
                    const FakeState::Scripted answer = s.scripted.takeAt(i);
                    mColumns = answer.columns;
                    mRows = answer.rows;
                    break;
                }
            }
        }
        setSelect(!mColumns.isEmpty());
        setActive(true);
        setAt(QSql::BeforeFirstRow);
        return true;
    }

    QStringList mColumns;
    QList<QVariantList> mRows;
};

bool recordEvent(const QString &iEvent)
{
    FakeState &s = state();
    QMutexLocker locker(&s.mutex);
    s.events.append(iEvent);
    return true;
}

} // namespace

VekFakeSqlDriver::VekFakeSqlDriver(QObject *iParent)
    : QSqlDriver(iParent)
{}

void VekFakeSqlDriver::registerDrivers()
{
    QSqlDatabase::registerSqlDriver(QStringLiteral("QODBC"), new QSqlDriverCreator<VekFakeSqlDriver>);
    QSqlDatabase::registerSqlDriver(QStringLiteral("QOCI"), new QSqlDriverCreator<VekFakeSqlDriver>);
}

bool VekFakeSqlDriver::hasFeature(DriverFeature iFeature) const
{
    switch (iFeature) {
    case Transactions:
    case PreparedQueries:
    case PositionalPlaceholders:
    case QuerySize:
        return true;
    default:
        return false;
    }
}

bool VekFakeSqlDriver::open(const QString &iDb, const QString &iUser, const QString &iPassword, const QString &, int,
                            const QString &)
{
    // As some ODBC drivers do, the complaint repeats the connection string.
    if (iDb.contains(QLatin1String("vek_no_such_db"))) {
        setLastError(QSqlError(QStringLiteral("cannot connect with %1;UID=%2;PWD=%3").arg(iDb, iUser, iPassword),
                               QString(), QSqlError::ConnectionError));
        setOpenError(true);
        return false;
    }
    setOpen(true);
    setOpenError(false);
    return true;
}

void VekFakeSqlDriver::close() { setOpen(false); }

QSqlResult *VekFakeSqlDriver::createResult() const { return new VekFakeSqlResult(this); }

bool VekFakeSqlDriver::beginTransaction() { return recordEvent(QStringLiteral("BEGIN")); }

bool VekFakeSqlDriver::commitTransaction() { return recordEvent(QStringLiteral("COMMIT")); }

bool VekFakeSqlDriver::rollbackTransaction() { return recordEvent(QStringLiteral("ROLLBACK")); }

QStringList VekFakeSqlDriver::tables(QSql::TableType iType) const
{
    QMutexLocker locker(&state().mutex);
    return iType == QSql::Tables ? state().tables : QStringList();
}

QSqlRecord VekFakeSqlDriver::record(const QString &iTableName) const
{
    QMutexLocker locker(&state().mutex);
    QSqlRecord rec;
    for (const QString &column : state().records.value(iTableName)) {
        rec.append(QSqlField(column, QVariant::String));
    }
    return rec;
}

QStringList VekFakeSqlLog::events()
{
    QMutexLocker locker(&state().mutex);
    return state().events;
}

QList<QVariantList> VekFakeSqlLog::boundValues()
{
    QMutexLocker locker(&state().mutex);
    return state().bound;
}

void VekFakeSqlLog::queueResult(const QString &iText, const QStringList &iColumns, const QList<QVariantList> &iRows)
{
    QMutexLocker locker(&state().mutex);
    state().resultText = iText;
    state().columns = iColumns;
    state().rows = iRows;
}

void VekFakeSqlLog::setFailingText(const QString &iText)
{
    QMutexLocker locker(&state().mutex);
    state().failing = iText;
}

void VekFakeSqlLog::addResult(const QString &iText, const QStringList &iColumns, const QList<QVariantList> &iRows)
{
    QMutexLocker locker(&state().mutex);
    state().scripted.append(FakeState::Scripted {iText, iColumns, iRows});
}

void VekFakeSqlLog::setTables(const QStringList &iTables)
{
    QMutexLocker locker(&state().mutex);
    state().tables = iTables;
}

void VekFakeSqlLog::setRecord(const QString &iTable, const QStringList &iColumns)
{
    QMutexLocker locker(&state().mutex);
    state().records.insert(iTable, iColumns);
}

void VekFakeSqlLog::clear()
{
    QMutexLocker locker(&state().mutex);
    state().events.clear();
    state().bound.clear();
    state().resultText.clear();
    state().columns.clear();
    state().rows.clear();
    state().failing.clear();
    state().scripted.clear();
    state().tables.clear();
    state().records.clear();
}
