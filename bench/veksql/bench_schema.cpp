#include "tsqlconnectionpoolv2.h"
#include "tsqlqueryv2.h"
#include "vektestsql.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>

#include <functional>

// Migrating a table to the structure it already has, on a table of 100,000
// rows, against reading that structure alone. SQLite rebuilds the table on
// every call; PostgreSQL compares and runs only what differs.
// PostgreSQL comes from VEK_TEST_PG_* (run under scripts/test.sh's servers).

namespace {

const int kRows = 100000;
const QString kTable = QStringLiteral("bench_schema");

QString fillSql(const QString &iDriver)
{
    if (iDriver == QLatin1String("QPSQL")) {
        return QStringLiteral("INSERT INTO bench_schema (code, qty, price, note, at) "
                              "SELECT 'PCB-' || g, g, g * 0.5, 'panel', now() FROM generate_series(1, %1) AS g")
                .arg(kRows);
    }
    return QStringLiteral("WITH RECURSIVE s(g) AS (SELECT 1 UNION ALL SELECT g + 1 FROM s WHERE g < %1) "
                          "INSERT INTO bench_schema (code, qty, price, note, at) "
                          "SELECT 'PCB-' || g, g, g * 0.5, 'panel', datetime('now') FROM s")
            .arg(kRows);
}

double millisecondsPerCall(int iCalls, const std::function<bool()> &iCall)
{
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < iCalls; ++i) {
        if (!iCall()) {
            return -1;
        }
    }
    return double(timer.nsecsElapsed()) / 1e6 / iCalls;
}

bool run(const QString &iDriver, const QVariantMap &iParams, int iCalls, QTextStream &ioOut)
{
    TSqlConnectionPoolV2::instance()->setConnectParameter(iParams, iDriver);
    TSqlQueryV2 q(TSqlConnectionPoolV2::instance()->getSqlDatabase(iDriver));
    if (q.isTableExists(kTable)) {
        q.dropTable(kTable);
    }
    const QVariantMap structure {
            {"field",
             QVariantList {QVariantMap {{"name", "id"}, {"type", "SERIAL"}, {"notnull", true}},
                           QVariantMap {{"name", "code"}, {"type", "VARCHAR"}, {"length", 40}, {"notnull", true}},
                           QVariantMap {{"name", "qty"}, {"type", "INTEGER"}},
                           QVariantMap {{"name", "price"}, {"type", "DOUBLE"}},
                           QVariantMap {{"name", "note"}, {"type", "TEXT"}},
                           QVariantMap {{"name", "at"}, {"type", "TIMESTAMP"}}}},
            {"index", QVariantList {QVariantMap {{"type", "PRIMARY"}, {"field", "id"}}}}};
    if (!q.createTable(kTable, structure) || !q.execSql(fillSql(iDriver))) {
        ioOut << iDriver << ": setup failed: " << q.lastError().text() << '\n';
        return false;
    }
    const QVariantMap current = q.getTableStruct(kTable);
    const double read = millisecondsPerCall(iCalls, [&q]() { return !q.getTableStruct(kTable).isEmpty(); });
    const double migrate
            = millisecondsPerCall(iCalls, [&q, &current]() { return q.replaceTableStruct(kTable, current); });
    const int rows = q.selectValue(QStringLiteral("SELECT COUNT(*) FROM bench_schema"), QVariantMap()).toInt();
    ioOut << QStringLiteral("%1: %2 rows, %3 calls each: getTableStruct %4 ms/call, replaceTableStruct (unchanged) %5 "
                            "ms/call\n")
                     .arg(iDriver)
                     .arg(rows)
                     .arg(iCalls)
                     .arg(read, 0, 'f', 2)
                     .arg(migrate, 0, 'f', 2);
    q.dropTable(kTable);
    return migrate >= 0 && rows == kRows;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir dir;
    QString why;
    bool ok = run(QStringLiteral("QSQLITE"), vekTestParams(QStringLiteral("QSQLITE"), dir.path(), &why), 5, out);
    const QVariantMap pg = vekTestServerParams(QStringLiteral("QPSQL"), &why);
    if (pg.isEmpty()) {
        out << "QPSQL: " << why << '\n';
        return 1;
    }
    ok = run(QStringLiteral("QPSQL"), pg, 20, out) && ok;
    out.flush();
    return ok ? 0 : 1;
}
