// The WHERE text of the search entry run on the real servers: it selects the
// rows meant, and no search text gets out of its quotes.
#include "tsearchentry.h"
#include "vektestservers.h"

#include <QLineEdit>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QVariantMap option(const QString &iName, const QString &iType = QString())
{
    QVariantMap map {{QStringLiteral("text"), iName}, {QStringLiteral("name"), iName}};
    if (!iType.isEmpty())
        map.insert(QStringLiteral("userData"), QVariantMap {{QStringLiteral("type"), iType}});
    return map;
}

const QStringList Drivers {QStringLiteral("QSQLITE"), QStringLiteral("QPSQL"), QStringLiteral("QMYSQL")};

} // namespace

class tst_TSearchEntrySql : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void selects_data();
    void selects();
    void dates_data();
    void dates();

private:
    QSqlDatabase open(const QString &iDriver);
    QList<int> select(const QString &iDriver, const QString &iWhere);

    QTemporaryDir mDir;
};

QSqlDatabase tst_TSearchEntrySql::open(const QString &iDriver)
{
    QSqlDatabase db = QSqlDatabase::database(iDriver, false);
    if (db.isValid())
        return db;
    db = QSqlDatabase::addDatabase(iDriver, iDriver);
    if (iDriver == QLatin1String("QSQLITE")) {
        db.setDatabaseName(mDir.filePath(QStringLiteral("search.db")));
    } else {
        VekTest::ServerParams params;
        QString why;
        if (!VekTest::serverParams(iDriver, &params, &why))
            qFatal("%s", qPrintable(why));
        db.setHostName(params.host);
        db.setPort(params.port);
        db.setUserName(params.user);
        db.setPassword(params.password);
        db.setDatabaseName(params.database);
    }
    return db;
}

void tst_TSearchEntrySql::initTestCase()
{
    QVERIFY(mDir.isValid());
    for (const QString &driver : Drivers) {
        QSqlDatabase db = open(driver);
        QVERIFY2(db.open(), qPrintable(driver + QLatin1String(": ") + db.lastError().text()));
        QSqlQuery query(db);
        // A temporary table: other tests share these servers at the same time.
        QVERIFY2(query.exec(QStringLiteral("CREATE TEMPORARY TABLE search_parts (id INTEGER, name VARCHAR(64), "
                                           "code VARCHAR(64), width DOUBLE PRECISION, created DATE)")),
                 qPrintable(driver + QLatin1String(": ") + query.lastError().text()));
        const QList<QVariantList> rows {
                {1, "Copper foil", "CF-01", 0.5, "2024-01-05"},
                {2, "O'Neil drill", "DR-02", 1234567.0, "2024-01-10"},
                {3, "Solder mask", "SM\\03", 2.25, "2024-02-01"},
                {4, "Laminate 12", "LM-12", 12.0, "2023-12-31"},
                {5, "Copper plate", "CP-05", 1234568.0, "2024-01-06"},
        };
        for (const QVariantList &row : rows) {
            QVERIFY(query.prepare(QStringLiteral("INSERT INTO search_parts VALUES (?, ?, ?, ?, ?)")));
            for (int i = 0; i < row.size(); ++i)
                query.bindValue(i, i == 4 ? QVariant(QDate::fromString(row.at(i).toString(), Qt::ISODate)) : row.at(i));
            QVERIFY2(query.exec(), qPrintable(driver + QLatin1String(": ") + query.lastError().text()));
        }
    }
}

void tst_TSearchEntrySql::cleanupTestCase()
{
    for (const QString &driver : Drivers) {
        {
            QSqlDatabase db = QSqlDatabase::database(driver, false);
            if (db.isValid())
                db.close();
        }
        QSqlDatabase::removeDatabase(driver);
    }
}

QList<int> tst_TSearchEntrySql::select(const QString &iDriver, const QString &iWhere)
{
    QSqlQuery query(QSqlDatabase::database(iDriver));
    QList<int> ids;
    if (!query.exec(QStringLiteral("SELECT id FROM search_parts WHERE %1 ORDER BY id").arg(iWhere))) {
        qWarning("%s: %s", qPrintable(iWhere), qPrintable(query.lastError().text()));
        return QList<int> {-1};
    }
    while (query.next())
        ids.append(query.value(0).toInt());
    return ids;
}

void tst_TSearchEntrySql::selects_data()
{
    QTest::addColumn<QString>("driver");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("ids");

    const QStringList all;
    for (const QString &driver : Drivers) {
        const auto row = [&driver](const char *iName) -> QTestData & {
            return QTest::newRow(qPrintable(driver + QLatin1String(": ") + QLatin1String(iName))) << driver;
        };
        row("quote in the name") << QStringList {"name"} << "o'neil" << QList<int> {2};
        row("star as any text") << QStringList {"code"} << "c*0" << QList<int> {1, 5};
        row("upper case typed") << QStringList {"name"} << "COPPER" << QList<int> {1, 5};
        row("every field") << all << "12" << QList<int> {4};
        row("number in full precision") << QStringList {"width"} << "1234567" << QList<int> {2};
        row("integer") << QStringList {"id"} << "3" << QList<int> {3};
        // The text that would end the literal where a backslash escapes the quote.
        row("escaped quote, one field") << QStringList {"name"} << "\\' OR 1=1 -- " << QList<int> {};
        row("escaped quote, every field") << all << "\\' OR 1=1 -- " << QList<int> {};
        row("plain quote, every field") << all << "' OR 1=1 -- " << QList<int> {};
        row("trailing backslash") << QStringList {"name", "code"} << "x\\" << QList<int> {};
        row("quote after backslashes") << QStringList {"name"} << "\\\\' OR 'a'='a" << QList<int> {};
    }
}

void tst_TSearchEntrySql::selects()
{
    QFETCH(QString, driver);
    QFETCH(QStringList, fields);
    QFETCH(QString, text);
    QFETCH(QList<int>, ids);

    TSearchEntry entry;
    entry.setOptionList(QVariantList {option(QStringLiteral("id"), QStringLiteral("int")),
                                      option(QStringLiteral("name")), option(QStringLiteral("code")),
                                      option(QStringLiteral("width"), QStringLiteral("number"))});
    entry.setActiveOptions(fields);
    entry.setText(text);
    const QString where = entry.sqlWhere();
    QVERIFY(!where.isEmpty());
    QCOMPARE(select(driver, where), ids);
}

void tst_TSearchEntrySql::dates_data()
{
    QTest::addColumn<QString>("driver");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("ids");

    for (const QString &driver : Drivers) {
        const auto row = [&driver](const char *iName) -> QTestData & {
            return QTest::newRow(qPrintable(driver + QLatin1String(": ") + QLatin1String(iName))) << driver;
        };
        row("one day") << QStringList {"created"} << "20240105" << QList<int> {1};
        row("one day, short year") << QStringList {"created"} << "240110" << QList<int> {2};
        row("range, end excluded") << QStringList {"created"} << "2024-01-01~2024-02-01" << QList<int> {1, 2, 5};
        row("range over the new year") << QStringList {"created"} << "2023-12-31,2024-01-06" << QList<int> {1, 4};
        // Digits typed with a date field among the active ones.
        row("digits, every field") << QStringList() << "20240201" << QList<int> {3};
    }
}

void tst_TSearchEntrySql::dates()
{
    QFETCH(QString, driver);
    QFETCH(QStringList, fields);
    QFETCH(QString, text);
    QFETCH(QList<int>, ids);

    TSearchEntry entry;
    entry.setOptionList(QVariantList {option(QStringLiteral("id"), QStringLiteral("int")),
                                      option(QStringLiteral("name")), option(QStringLiteral("code")),
                                      option(QStringLiteral("created"), QStringLiteral("date"))});
    entry.setActiveOptions(fields);
    entry.setText(text);
    const QString where = entry.sqlWhere();
    QCOMPARE(select(driver, where), ids);
    QVERIFY2(where.contains(QLatin1String("(created >= '")), qPrintable(where));
}

QTEST_MAIN(tst_TSearchEntrySql)
#include "tst_tsearchentrysql.moc"
