#ifndef TSQLCONNECTIONPOOLV2_H
#define TSQLCONNECTIONPOOLV2_H

#include "veksql_export.h"

#include <memory>

#include <QObject>
#include <QSqlDatabase>
#include <QVariant>

class TSqlConnectionPoolV2Private;

/*!
 * The process-wide source of database connections. A connection belongs to
 * one thread at a time: a thread gets the connection it already holds, or a
 * released one of the same base name, or a new one. A released connection
 * stays open for reuse and is closed when nobody takes it back within the
 * auto-close time-out. The idle timers live in the thread that first called
 * instance(); that thread must run an event loop.
 */
class VEKSQL_EXPORT TSqlConnectionPoolV2 : public QObject
{
    Q_OBJECT

public:
    //! The single pool, created on first use; it lives until the process ends.
    static TSqlConnectionPoolV2 *instance();
    ~TSqlConnectionPoolV2() override;

public Q_SLOTS:
    //! Stores the parameter set (map, JSON or XML text) of a connection base;
    //! it is read each time a new connection of the base is made.
    void setConnectParameter(const QVariant &iParamVar, const QString &iCntName = QString());
    //! The stored parameter set of a base, or an invalid variant.
    QVariant connectParameter(const QString &iCntName = QString());
    //! Hands a connection of the base to the calling thread, opened when possible.
    QSqlDatabase getSqlDatabase(const QString &iCntName = QString());
    //! Copies the parameter set of base iCntName to base iNewCntName and hands
    //! out a connection of the new base.
    QSqlDatabase newSqlDatabase(const QString &iNewCntName, const QString &iCntName = QString());
    //! Gives a connection (its full connection name) back to the pool; it is
    //! closed after the auto-close time-out unless a thread takes it again.
    void releaseConnection(const QString &iCntName = QString());
    //! Closes and forgets one connection, or every connection of a base. A
    //! connection another thread holds is closed when that thread releases it.
    void removeSqlDatabase(const QString &iCntName);
    //! Sets the idle time-out, in milliseconds, for later releases.
    void setAutocloseTimeout(long iMs);
    //! The idle time-out in milliseconds (120000 unless changed).
    long autocloseTimeout();

private:
    explicit TSqlConnectionPoolV2(QObject *iParent = nullptr);

    Q_DECLARE_PRIVATE_D(d, TSqlConnectionPoolV2)
    const std::unique_ptr<TSqlConnectionPoolV2Private> d;
    Q_DISABLE_COPY(TSqlConnectionPoolV2)
};

#endif // TSQLCONNECTIONPOOLV2_H
