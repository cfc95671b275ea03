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
 *
 * A parameter set is a QVariantMap, or JSON text ("{...}") or simple XML text
 * ("<db><database_type>QSQLITE</database_type>...</db>", tag names in any
 * case), with the keys:
 *
 *   database_type     Qt SQL driver: QPSQL (when absent), QSQLITE, QMYSQL,
 *                     QODBC (SQL Server), QOCI
 *   database_host     host name, optionally ":" and the port
 *   database_name     database name; the file for QSQLITE
 *   database_user     user name
 *   database_pwd      password, plain or as database_encrypt says
 *   database_encrypt  "EB642" (any case): database_pwd is Base64-encoded twice
 *   database_options  the driver's connect options, unchanged
 *
 * Other keys are ignored; there is no port key. QSQLITE uses no host, user or
 * password. A set is checked only when a connection is made from it: a bad
 * one is logged then, and the connection handed out is invalid.
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
    long autocloseTimeout() const;

private:
    explicit TSqlConnectionPoolV2(QObject *iParent = nullptr);

    Q_DECLARE_PRIVATE_D(d, TSqlConnectionPoolV2)
    const std::unique_ptr<TSqlConnectionPoolV2Private> d;
    Q_DISABLE_COPY(TSqlConnectionPoolV2)
};

#endif // TSQLCONNECTIONPOOLV2_H
