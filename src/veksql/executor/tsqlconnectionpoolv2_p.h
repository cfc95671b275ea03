#ifndef TSQLCONNECTIONPOOLV2_P_H
#define TSQLCONNECTIONPOOLV2_P_H

#include "tsqlconnectionpoolv2.h"

#include <QMap>
#include <QPointer>
#include <QRecursiveMutex>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlDriver>

#include <atomic>

class QThread;
class QTimer;

class TSqlConnectionPoolV2Private
{
    Q_DECLARE_PUBLIC(TSqlConnectionPoolV2)

public:
    explicit TSqlConnectionPoolV2Private(TSqlConnectionPoolV2 *iQ);
    // The idle timers have no parent (they are made in whichever thread asks
    // first): the pool frees the ones it still holds.
    ~TSqlConnectionPoolV2Private();

    static QString normalizeConnectionName(const QString &iName);
    // iText with every occurrence of the connection's password masked.
    static QString maskPassword(const QSqlDatabase &iDatabase, QString iText);
    // One error line for a connection that did not open, naming its driver,
    // host and database and never its password; the driver's own complaint
    // still goes to Qt's debug output as well.
    static void logOpenFailure(const QSqlDatabase &iDatabase);
    QSqlDatabase createSqlDatabase(const QString &iCntName, const QVariant &iParamVar);

    // Moves the connection's driver into the calling thread when it belongs to
    // no thread; false when another thread still has it.
    bool pullDriver(const QString &iName);
    // Closes and forgets one connection; a connection that another thread
    // holds is only marked and closed when that thread releases it. True when
    // a registered connection was closed; *oDatabaseName is its database.
    bool removeConnection(const QString &iName, QString *oDatabaseName);
    void onIdleTimeout(const QString &iName);

    QMap<QString, QVariant> paramMap;
    QMap<QString, QThread *> ownerMap;
    QMap<QString, QTimer *> timerMap;
    // Qt refuses a connection in a thread other than its driver's: a released
    // driver is pushed to no thread and pulled by whoever takes it next.
    QMap<QString, QPointer<QSqlDriver>> driverMap;
    QSet<QString> pendingRemoval;
    std::atomic<long> autocloseTimeout {120000};
    QRecursiveMutex mutex;
    TSqlConnectionPoolV2 *q_ptr;
};

#endif // TSQLCONNECTIONPOOLV2_P_H
