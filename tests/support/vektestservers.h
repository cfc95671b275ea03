#ifndef VEKTESTSERVERS_H
#define VEKTESTSERVERS_H

// The database servers that scripts/test.sh starts for the suite and names in
// VEK_TEST_PG_* (PostgreSQL) and VEK_TEST_MYSQL_* (MariaDB).

#include <QString>

namespace VekTest {

struct ServerParams
{
    QString host;
    int port = 0;
    QString user;
    QString password;
    QString database;
};

//! The server of iDriver ("QPSQL" or "QMYSQL"). False, with *oWhy set, when
//! the environment does not name one: the caller fails the test.
bool serverParams(const QString &iDriver, ServerParams *oParams, QString *oWhy);

} // namespace VekTest

#endif // VEKTESTSERVERS_H
