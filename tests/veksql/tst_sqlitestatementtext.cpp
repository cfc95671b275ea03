#include "tsqldatautilv2.h"
#include "tsqldeleterv2.h"
#include "tsqlselectorv2.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

// Rendered conditions run against a real SQLite database and must select
// exactly the rows they describe.
class tst_SqliteStatementText : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void conditionsSelectIntendedRows_data();
    void conditionsSelectIntendedRows();
    void arrayLiteralReadsBack();
    void pagingAndCount();
    void deleteAndUpdateConditions();

private:
    QList<int> ids(const QString &iSql);
    QSqlDatabase mDb;
};

static const QString kConnection = QStringLiteral("tst_sqlitestatementtext");

void tst_SqliteStatementText::initTestCase()
{
    QVERIFY2(QSqlDatabase::isDriverAvailable("QSQLITE"), "the Qt SQLite driver is not installed");
    mDb = QSqlDatabase::addDatabase("QSQLITE", kConnection);
    mDb.setDatabaseName(":memory:");
    QVERIFY2(mDb.open(), qPrintable(mDb.lastError().text()));

    QSqlQuery q(mDb);
    QVERIFY(q.exec("CREATE TABLE parts (id INTEGER PRIMARY KEY, name TEXT, path TEXT, tags TEXT)"));
    // Stored through bound values, so the rows hold exactly these texts.
    const QList<QVariantList> rows {
            {1, "Board Alpha", "C:\\temp", TSqlDataUtilV2::variantToSqlValue(QStringList {"a", "b c"})},
            {2, "board beta", "C:\\\\temp", "{x}"},
            {3, "O'Neil", "D:/x", TSqlDataUtilV2::variantToSqlValue(QStringList {"a", "b"})},
            {4, "alpha_x", "C:tempo", QVariant(QVariant::String)},
    };
    QVERIFY(q.prepare("INSERT INTO parts (id, name, path, tags) VALUES (?, ?, ?, ?)"));
    for (const QVariantList &row : rows) {
        for (int i = 0; i < row.size(); ++i)
            q.bindValue(i, row.at(i));
        QVERIFY2(q.exec(), qPrintable(q.lastError().text()));
    }
}

void tst_SqliteStatementText::cleanupTestCase()
{
    mDb.close();
    mDb = QSqlDatabase();
    QSqlDatabase::removeDatabase(kConnection);
}

QList<int> tst_SqliteStatementText::ids(const QString &iSql)
{
    QList<int> result;
    QSqlQuery q(mDb);
    if (!q.exec(iSql)) {
        qWarning("%s: %s", qPrintable(iSql), qPrintable(q.lastError().text()));
        return {-1};
    }
    while (q.next())
        result << q.value(0).toInt();
    return result;
}

void tst_SqliteStatementText::conditionsSelectIntendedRows_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QList<int>>("expected");

    auto select = [](const QVariantMap &iWhere) {
        return TSqlSelectorV2(QVariantMap {{"TABLE", "parts"}, {"FIELD", "id"}, {"ORDER", "id ASC"}, {"WHERE", iWhere}})
                .setDatabaseType("QSQLITE")
                .toSql();
    };
    auto op = [](const QVariant &iValue, const char *iOperator) {
        return QVariantMap {{"value", iValue}, {"operator", iOperator}};
    };

    QTest::newRow("LIKE from a map") << select({{"name", op("board%", "like")}}) << QList<int> {1, 2};
    QTest::newRow("LIKE list") << select({{"name", op(QStringList {"%alpha%", "O'%"}, "LIKE")}})
                               << QList<int> {1, 3, 4};
    QTest::newRow("NOT LIKE keeps _ a wildcard")
            << select({{"name", op("alpha_%", "NOT LIKE")}}) << QList<int> {1, 2, 3};
    QTest::newRow("backslash value") << select({{"path", "C:\\temp"}}) << QList<int> {1};
    QTest::newRow("double backslash value") << select({{"path", "C:\\\\temp"}}) << QList<int> {2};
    QTest::newRow("quote value") << select({{"name", "O'Neil"}}) << QList<int> {3};
    QTest::newRow("array literal") << select({{"tags", op(QStringList {"a", "b c"}, "==")}}) << QList<int> {1};
    QTest::newRow("IN list with quote") << select({{"name", QVariantList {"O'Neil", "board beta"}}})
                                        << QList<int> {2, 3};
    QTest::newRow("NOT IN") << select({{"id", op(QVariantList {1, 2}, "!=")}}) << QList<int> {3, 4};
    QTest::newRow("IS NULL") << select({{"tags", QVariant()}}) << QList<int> {4};
    QTest::newRow("numbers as literals") << select({{"id", op(3, ">=")}}) << QList<int> {3, 4};
}

void tst_SqliteStatementText::conditionsSelectIntendedRows()
{
    QFETCH(QString, sql);
    QFETCH(QList<int>, expected);
    QCOMPARE(ids(sql), expected);
}

void tst_SqliteStatementText::arrayLiteralReadsBack()
{
    QSqlQuery q(mDb);
    QVERIFY(q.exec("SELECT tags FROM parts WHERE id = 1"));
    QVERIFY(q.next());
    QCOMPARE(TSqlDataUtilV2::formatSqlValue(q.value(0), "ARRAY"), QVariant(QStringList {"a", "b c"}));
}

void tst_SqliteStatementText::pagingAndCount()
{
    TSqlSelectorV2 s("parts");
    s.setField("id").addOrder("id", Qt::AscendingOrder).setPage(2, 2).setDatabaseType("QSQLITE");
    QCOMPARE(ids(s.toSql()), QList<int>({3, 4}));
    s.setWhere("name", "%a%", "LIKE");
    QCOMPARE(ids(s.toSelectCountSql()), QList<int> {3});
}

void tst_SqliteStatementText::deleteAndUpdateConditions()
{
    // What the executor writes for an update with a where map, and for a delete.
    QSqlQuery q(mDb);
    QVERIFY(q.exec("UPDATE parts SET name = 'renamed' WHERE "
                   + TSqlDataUtilV2::variant2AndWhere(QVariantMap {{"path", "C:\\temp"}}, QVariantMap(), QString(),
                                                      "QSQLITE")));
    QCOMPARE(q.numRowsAffected(), 1);
    QCOMPARE(ids("SELECT id FROM parts WHERE name = 'renamed'"), QList<int> {1});

    const TSqlDeleterV2 del(QVariantMap {{"TABLE", "parts"}, {"WHERE", QVariantMap {{"name", "O'Neil"}}}});
    QVERIFY(q.exec("DELETE FROM " + del.table() + " WHERE " + del.where().toSql("QSQLITE")));
    QCOMPARE(q.numRowsAffected(), 1);
    QCOMPARE(ids("SELECT id FROM parts ORDER BY id"), QList<int>({1, 2, 4}));
}

QTEST_GUILESS_MAIN(tst_SqliteStatementText)
#include "tst_sqlitestatementtext.moc"
