// Executor and pool figures, side by side with plain QSqlQuery loops.
//
// Needs a PostgreSQL server: VEK_TEST_PG_{HOST,PORT,USER,PASSWORD,DATABASE}
// (or the libpq PG* variables), e.g.
//   pg_virtualenv -t bash -c 'VEK_TEST_PG_HOST=127.0.0.1 build/bench/bench_tsqlqueryv2'

#include "tsqlconnectionpoolv2.h"
#include "tsqlqueryv2.h"

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QThread>
#include <QVariantMap>

#include <cstdio>
#include <ctime>
#include <vector>

namespace {

QString env(const char *iVekName, const char *iPgName)
{
    const QByteArray value = qgetenv(iVekName);
    return QString::fromLocal8Bit(value.isEmpty() ? qgetenv(iPgName) : value);
}

double msSince(const QElapsedTimer &iTimer) { return iTimer.nsecsElapsed() / 1e6; }

// Processor time of this process in ms: the client's own work, less exposed
// than the wall clock to other load on the machine.
double cpuMs()
{
    timespec ts;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

// Best of several rounds, wall clock and client processor time.
struct Figure
{
    double wall = 1e18;
    double cpu = 1e18;
    void take(double iWall, double iCpu)
    {
        wall = qMin(wall, iWall);
        cpu = qMin(cpu, iCpu);
    }
};

void report(const char *iWhat, const Figure &iOurs, const Figure &iPlain)
{
    std::printf("%-40s wall: executor %7.1f ms, plain QSqlQuery %7.1f ms, ratio %.2fx\n", iWhat, iOurs.wall,
                iPlain.wall, iOurs.wall / iPlain.wall);
    std::printf("%-40s cpu:  executor %7.1f ms, plain QSqlQuery %7.1f ms, ratio %.2fx\n", "", iOurs.cpu, iPlain.cpu,
                iOurs.cpu / iPlain.cpu);
}

// The plain loop a caller would write to get the same row maps.
QVariantList plainArrayMap(QSqlDatabase iDb, const QString &iSql)
{
    QVariantList rows;
    QSqlQuery query(iDb);
    query.setForwardOnly(true);
    query.exec(iSql);
    const QSqlRecord record = query.record();
    QStringList names;
    for (int i = 0; i < record.count(); ++i)
        names.append(record.fieldName(i));
    while (query.next()) {
        QVariantMap row;
        for (int i = 0; i < names.size(); ++i) {
            QVariant value = query.value(i);
            if (value.type() == QVariant::Date)
                value = value.toDate().toString(QStringLiteral("yyyy-MM-dd"));
            row.insert(names.at(i), value);
        }
        rows.append(row);
    }
    return rows;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // insertRow prints every statement on the debug output; keep the terminal
    // (and the figures) free of it.
    qInstallMessageHandler([](QtMsgType iType, const QMessageLogContext &, const QString &iMsg) {
        if (iType != QtDebugMsg)
            std::fprintf(stderr, "%s\n", qPrintable(iMsg));
    });

    TSqlConnectionPoolV2 *pool = TSqlConnectionPoolV2::instance();
    const QString host = env("VEK_TEST_PG_HOST", "PGHOST");
    if (host.isEmpty()) {
        std::fprintf(stderr, "no PostgreSQL server: set VEK_TEST_PG_* or PG*\n");
        return 1;
    }
    pool->setConnectParameter(QVariantMap {{"database_host", QString(host + ":" + env("VEK_TEST_PG_PORT", "PGPORT"))},
                                           {"database_name", env("VEK_TEST_PG_DATABASE", "PGDATABASE")},
                                           {"database_user", env("VEK_TEST_PG_USER", "PGUSER")},
                                           {"database_pwd", env("VEK_TEST_PG_PASSWORD", "PGPASSWORD")}},
                              QStringLiteral("bench"));
    QSqlDatabase db = pool->getSqlDatabase(QStringLiteral("bench"));
    if (!db.isOpen()) {
        std::fprintf(stderr, "cannot open: %s\n", qPrintable(db.lastError().text()));
        return 1;
    }
    TSqlQueryV2 query(db);

    // selectArrayMap: 100,000 rows of 10 columns.
    query.execSql(QStringLiteral("DROP TABLE IF EXISTS bench_rows"));
    query.execSql(
            QStringLiteral("CREATE TABLE bench_rows AS SELECT g AS c0, g * 2 AS c1, 'name ' || g AS c2, g / 7.0 AS c3, "
                           "DATE '2026-01-01' + (g % 365) AS c4, 'code' || (g % 100) AS c5, g % 3 = 0 AS c6, "
                           "CAST(g AS BIGINT) * 1000 AS c7, 'remark of row ' || g AS c8, g % 11 AS c9 "
                           "FROM generate_series(1, 100000) AS g"));
    const QString selectSql = QStringLiteral("SELECT * FROM bench_rows");
    Figure ours;
    Figure plain;
    for (int round = 0; round < 5; ++round) {
        QElapsedTimer timer;
        timer.start();
        double cpu = cpuMs();
        const QVariantList a = query.selectArrayMap(selectSql, QVariantMap());
        ours.take(msSince(timer), cpuMs() - cpu);
        timer.restart();
        cpu = cpuMs();
        const QVariantList b = plainArrayMap(db, selectSql);
        plain.take(msSince(timer), cpuMs() - cpu);
        if (a.size() != 100000 || a != b) {
            std::fprintf(stderr, "selectArrayMap and the plain loop differ\n");
            return 1;
        }
    }
    report("selectArrayMap, 100000 rows x 10 columns", ours, plain);

    // 10,000 insertRow calls in one transaction against a prepared loop.
    query.execSql(QStringLiteral("DROP TABLE IF EXISTS bench_insert"));
    query.execSql(
            QStringLiteral("CREATE TABLE bench_insert (id SERIAL, a INTEGER, b TEXT, c DOUBLE PRECISION, d DATE)"));
    const int inserts = 10000;
    ours = Figure();
    plain = Figure();
    for (int round = 0; round < 5; ++round) {
        query.execSql(QStringLiteral("TRUNCATE bench_insert"));
        QElapsedTimer timer;
        timer.start();
        double cpu = cpuMs();
        query.begin();
        for (int i = 0; i < inserts; ++i) {
            query.insertRow(QStringLiteral("bench_insert"),
                            QVariantMap {{"a", i},
                                         {"b", QStringLiteral("row %1").arg(i)},
                                         {"c", i / 3.0},
                                         {"d", QDate(2026, 1, 1).addDays(i % 365)}},
                            QStringList());
        }
        query.commit();
        ours.take(msSince(timer), cpuMs() - cpu);

        query.execSql(QStringLiteral("TRUNCATE bench_insert"));
        timer.restart();
        cpu = cpuMs();
        db.transaction();
        QSqlQuery prepared(db);
        prepared.prepare(QStringLiteral(R"(INSERT INTO bench_insert ("a","b","c","d") VALUES (?,?,?,?))"));
        for (int i = 0; i < inserts; ++i) {
            prepared.bindValue(0, i);
            prepared.bindValue(1, QStringLiteral("row %1").arg(i));
            prepared.bindValue(2, i / 3.0);
            prepared.bindValue(3, QDate(2026, 1, 1).addDays(i % 365).toString(QStringLiteral("yyyy-MM-dd")));
            prepared.exec();
        }
        db.commit();
        plain.take(msSince(timer), cpuMs() - cpu);
    }
    if (query.selectValue(QStringLiteral("SELECT COUNT(*) FROM bench_insert"), QVariantMap()).toInt() != inserts) {
        std::fprintf(stderr, "insert count is off\n");
        return 1;
    }
    report("insertRow x 10000 in one transaction", ours, plain);
    query.execSql(QStringLiteral("DROP TABLE bench_rows"));
    query.execSql(QStringLiteral("DROP TABLE bench_insert"));

    // getSqlDatabase for a thread that already holds its connection.
    const int calls = 20000;
    for (int threads : {1, 8}) {
        std::vector<QThread *> workers;
        QElapsedTimer timer;
        timer.start();
        for (int t = 0; t < threads; ++t) {
            workers.push_back(QThread::create([pool, calls] {
                const QString name = pool->getSqlDatabase(QStringLiteral("bench")).connectionName();
                for (int i = 0; i < calls; ++i)
                    pool->getSqlDatabase(QStringLiteral("bench"));
                pool->releaseConnection(name);
            }));
            workers.back()->start();
        }
        for (QThread *worker : workers) {
            worker->wait();
            delete worker;
        }
        const double ms = msSince(timer);
        std::printf("getSqlDatabase, held connection, %d thread(s) x %d calls: %9.1f ms, %.2f us per call\n", threads,
                    calls, ms, ms * 1000.0 / (double(threads) * calls));
    }
    return 0;
}
