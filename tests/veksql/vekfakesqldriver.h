#ifndef VEKFAKESQLDRIVER_H
#define VEKFAKESQLDRIVER_H

// A recording driver for the dialects that have no server here (SQL Server
// through ODBC, Oracle). It accepts every statement, records its text, its
// bound values and the transaction calls, and answers selects with the rows
// that a test has queued. A database whose name holds "vek_no_such_db" does
// not open.

#include <QMutex>
#include <QSqlDriver>
#include <QStringList>
#include <QVariantList>

class VekFakeSqlDriver : public QSqlDriver
{
    Q_OBJECT

public:
    explicit VekFakeSqlDriver(QObject *iParent = nullptr);

    // Registers the driver under the names "QODBC" and "QOCI".
    static void registerDrivers();

    bool hasFeature(DriverFeature iFeature) const override;
    bool open(const QString &iDb, const QString &iUser, const QString &iPassword, const QString &iHost, int iPort,
              const QString &iOptions) override;
    void close() override;
    QSqlResult *createResult() const override;
    bool beginTransaction() override;
    bool commitTransaction() override;
    bool rollbackTransaction() override;
    // The catalogue that VekFakeSqlLog::setTables and setRecord describe.
    QStringList tables(QSql::TableType iType) const override;
    QSqlRecord record(const QString &iTableName) const override;
};

// What every fake connection did, in order, shared by all of them.
class VekFakeSqlLog
{
public:
    // Statement texts as run, and "BEGIN", "COMMIT", "ROLLBACK".
    static QStringList events();
    // Bound values of every statement run, one list per run.
    static QList<QVariantList> boundValues();
    // The next statement that contains iText answers with these columns and rows.
    static void queueResult(const QString &iText, const QStringList &iColumns, const QList<QVariantList> &iRows);
    // Statements containing this text fail with a statement error.
    static void setFailingText(const QString &iText);
    // Scripted answers kept in a queue: the first queued answer whose text the
    // statement contains answers it, once.
    static void addResult(const QString &iText, const QStringList &iColumns, const QList<QVariantList> &iRows);
    // The tables the catalogue lists, and the columns of one of them.
    static void setTables(const QStringList &iTables);
    static void setRecord(const QString &iTable, const QStringList &iColumns);
    static void clear();
};

#endif // VEKFAKESQLDRIVER_H
