#ifndef VEKTESTSQL_H
#define VEKTESTSQL_H

// Shared by the database tests: connection parameters of the servers that
// scripts/test.sh starts, and a capture of the log lines.

#include <QMutex>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

// Parameter map of the PostgreSQL ("QPSQL") or MariaDB ("QMYSQL") test server,
// read from VEK_TEST_PG_* / VEK_TEST_MYSQL_*. Empty, with *oWhy set, when the
// environment does not name one: the caller fails the test.
QVariantMap vekTestServerParams(const QString &iDriver, QString *oWhy);

// Parameter map for any dialect the tests use: the servers above, an SQLite
// file in iDir, or the recording driver for "QODBC" and "QOCI". Empty, with
// *oWhy set, when a server is not configured.
QVariantMap vekTestParams(const QString &iDriver, const QString &iDir, QString *oWhy);

// Fails the calling test function when the server parameters are missing.
#define VEK_REQUIRE_SERVER(driver, params)                                         \
    QString vekWhy_;                                                               \
    const QVariantMap params = vekTestServerParams(QStringLiteral(driver), &vekWhy_); \
    if (params.isEmpty())                                                          \
        QFAIL(qPrintable(vekWhy_));

// Collects every log line (text and type) that passes the logger's filter,
// from any thread, while it lives. Raises the logger's level to 5.
class VekLogCapture : public QObject
{
    Q_OBJECT

public:
    VekLogCapture();
    ~VekLogCapture() override;

    QStringList texts(const QString &iType = QString()) const;
    void clear();

private:
    mutable QMutex mMutex;
    QList<QPair<QString, QString>> mLines;
    int mOldLevel;
};

#endif // VEKTESTSQL_H
