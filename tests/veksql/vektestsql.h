#ifndef VEKTESTSQL_H
#define VEKTESTSQL_H

// Shared by the database tests: executors on the servers that
// scripts/test.sh starts, on SQLite or on the recording driver.

#include "veklogcapture.h"

#include <QString>
#include <QVariantMap>

#include <memory>

class TSqlQueryV2;

// Parameter map of the PostgreSQL ("QPSQL") or MariaDB ("QMYSQL") test server,
// read from VEK_TEST_PG_* / VEK_TEST_MYSQL_*. Empty, with *oWhy set, when the
// environment does not name one: the caller fails the test.
QVariantMap vekTestServerParams(const QString &iDriver, QString *oWhy);

// Parameter map for any dialect the tests use: the servers above, an SQLite
// file in iDir, or the recording driver for "QODBC" and "QOCI". Empty, with
// *oWhy set, when a server is not configured.
QVariantMap vekTestParams(const QString &iDriver, const QString &iDir, QString *oWhy);

// An executor on a pooled connection of the dialect (base name = driver
// name); null, with *oWhy set, when the server is not configured.
std::unique_ptr<TSqlQueryV2> vekTestQuery(const QString &iDriver, const QString &iDir, QString *oWhy);

// Declares iVar as such an executor, or fails the calling test function.
#define VEK_TEST_QUERY(iVar, iDriver, iDir)                                                                            \
    QString iVar##Why_;                                                                                                \
    auto iVar = vekTestQuery((iDriver), (iDir), &iVar##Why_);                                                          \
    QVERIFY2(iVar, qPrintable(iVar##Why_))

#endif // VEKTESTSQL_H
