#include "tsqlwheresimplev2.h"
#include "tsqlwherestringv2.h"

#include <QtTest>

class tst_TSqlWhereSimpleV2 : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void rendering_data();
    void rendering();
    void defaultsAndCopies();
    void stringNode();
};

void tst_TSqlWhereSimpleV2::rendering_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("op");
    QTest::addColumn<QString>("nodeType");   // empty: the node gets no type of its own
    QTest::addColumn<QString>("renderType"); // empty: toSql() without a dialect
    QTest::addColumn<QString>("expected");

    const QVariant none;
    const QVariant emptyList = QVariant(QStringList());
    const QVariant pair = QVariant(QVariantList {1, 2});

    QTest::newRow("= scalar") << "a" << QVariant(1) << "="
                              << ""
                              << ""
                              << "a = '1'";
    QTest::newRow("= null") << "a" << none << "="
                            << ""
                            << ""
                            << "a IS NULL";
    QTest::newRow("= list") << "a" << pair << "="
                            << ""
                            << ""
                            << "a IN ('1','2')";
    QTest::newRow("= empty list") << "a" << emptyList << "="
                                  << ""
                                  << ""
                                  << "(1=0)";
    QTest::newRow("== list") << "a" << pair << "=="
                             << ""
                             << ""
                             << "a = '{1,2}'";
    QTest::newRow("== null") << "a" << none << "=="
                             << ""
                             << ""
                             << "a IS NULL";
    QTest::newRow("!= null") << "field" << none << "!="
                             << ""
                             << ""
                             << "field IS NOT NULL";
    QTest::newRow("!= empty list") << "a" << emptyList << "!="
                                   << ""
                                   << ""
                                   << "(1=1)";
    QTest::newRow("!= list") << "a" << pair << "!="
                             << ""
                             << ""
                             << "a NOT IN ('1','2')";
    QTest::newRow("!= scalar") << "a" << QVariant("x") << "!="
                               << ""
                               << ""
                               << "a != 'x'";
    QTest::newRow("like empty list") << "a" << emptyList << "LIKE"
                                     << ""
                                     << ""
                                     << "(1=0)";
    QTest::newRow("like list") << "a" << QVariant(QStringList {"x%", "y%"}) << "like"
                               << ""
                               << ""
                               << "(a ILIKE 'x%' OR a ILIKE 'y%')";
    QTest::newRow("like pg") << "name" << QVariant("ab%") << "LIKE"
                             << "QPSQL"
                             << ""
                             << "name ILIKE 'ab%'";
    QTest::newRow("like mysql") << "name" << QVariant("ab%") << "LIKE"
                                << "QMYSQL"
                                << ""
                                << "name LIKE 'ab%'";
    QTest::newRow("like null") << "a" << none << "LIKE"
                               << ""
                               << ""
                               << "a ILIKE ''";
    QTest::newRow("not like empty list") << "a" << emptyList << "NOT LIKE"
                                         << ""
                                         << ""
                                         << "(1=1)";
    QTest::newRow("notlike list") << "a" << QVariant(QStringList {"x", "y"}) << "notlike"
                                  << ""
                                  << ""
                                  << "(a NOT LIKE 'x' AND a NOT LIKE 'y')";
    QTest::newRow("not like on pg") << "a" << QVariant("x%") << "not like"
                                    << "QPSQL"
                                    << ""
                                    << "a NOT LIKE 'x%'";
    QTest::newRow("number quoted") << "age" << QVariant(5) << ">="
                                   << ""
                                   << ""
                                   << "age >= '5'";
    QTest::newRow("other word as written") << "a" << QVariant("^x") << "regexp"
                                           << ""
                                           << ""
                                           << "a regexp '^x'";
    QTest::newRow("ilike is not LIKE") << "a" << QVariant("x") << "ilike"
                                       << "QMYSQL"
                                       << ""
                                       << "a ilike 'x'";
    QTest::newRow("single quote") << "n" << QVariant("O'Neil") << "="
                                  << ""
                                  << ""
                                  << "n = 'O''Neil'";
    QTest::newRow("expression field") << "lower(n)" << QVariant("x") << "<>"
                                      << ""
                                      << ""
                                      << "lower(n) <> 'x'";

    // Which dialect a node writes: its own type when it was given one,
    // otherwise the one it is rendered for, otherwise PostgreSQL.
    QTest::newRow("follows render type") << "n" << QVariant("a%") << "LIKE"
                                         << ""
                                         << "QSQLITE"
                                         << "n LIKE 'a%'";
    QTest::newRow("own type wins") << "n" << QVariant("a%") << "LIKE"
                                   << "QPSQL"
                                   << "QMYSQL"
                                   << "n ILIKE 'a%'";
    QTest::newRow("pg backslash") << "p" << QVariant("C:\\temp") << "="
                                  << ""
                                  << ""
                                  << "p = E'C:\\\\temp'";
    QTest::newRow("sqlite backslash") << "p" << QVariant("C:\\temp") << "="
                                      << ""
                                      << "QSQLITE"
                                      << "p = 'C:\\temp'";
    QTest::newRow("mysql backslash") << "p" << QVariant("C:\\temp") << "LIKE"
                                     << ""
                                     << "QMYSQL"
                                     << "p LIKE 'C:\\\\temp'";
    QTest::newRow("oci list backslash") << "p" << QVariant(QStringList {"a\\b"}) << "!="
                                        << "QOCI"
                                        << ""
                                        << "p NOT IN ('a\\b')";
}

void tst_TSqlWhereSimpleV2::rendering()
{
    QFETCH(QString, field);
    QFETCH(QVariant, value);
    QFETCH(QString, op);
    QFETCH(QString, nodeType);
    QFETCH(QString, renderType);
    QFETCH(QString, expected);

    TSqlWhereSimpleV2 node(field, value, op);
    if (!nodeType.isEmpty())
        node.setDatabaseType(nodeType);
    QCOMPARE(renderType.isEmpty() ? node.toSql() : node.toSql(renderType), expected);

    // Rendering through the base class gives the same text.
    const TSqlWhereAbsV2 &base = node;
    QCOMPARE(renderType.isEmpty() ? base.toSql() : base.toSql(renderType), expected);
}

void tst_TSqlWhereSimpleV2::defaultsAndCopies()
{
    TSqlWhereSimpleV2 node;
    QCOMPARE(node.field(), QString(""));
    QVERIFY(!node.value().isValid());
    QCOMPARE(node.getOperator(), QString("="));
    QCOMPARE(node.databaseType(), QString("QPSQL"));

    node.setField("n").setValue("a%").setOperator("LIKE").setDatabaseType("QMYSQL");
    QScopedPointer<TSqlWhereAbsV2> clone(node.clone());
    auto *copy = dynamic_cast<TSqlWhereSimpleV2 *>(clone.data());
    QVERIFY(copy);
    QCOMPARE(copy->field(), QString("n"));
    QCOMPARE(copy->value(), QVariant("a%"));
    QCOMPARE(copy->getOperator(), QString("LIKE"));
    QCOMPARE(copy->databaseType(), QString("QMYSQL"));

    TSqlWhereSimpleV2 assigned;
    assigned = node;
    node.setValue("changed");
    QCOMPARE(assigned.toSql(), QString("n LIKE 'a%'"));
    QCOMPARE(TSqlWhereSimpleV2(assigned).toSql("QPSQL"), QString("n LIKE 'a%'"));
}

void tst_TSqlWhereSimpleV2::stringNode()
{
    TSqlWhereStringV2 node("a LIKE 'C:\\x'");
    // Raw SQL is the caller's own: never rewritten for a dialect.
    QCOMPARE(node.toSql("QPSQL"), QString("a LIKE 'C:\\x'"));
    QScopedPointer<TSqlWhereAbsV2> clone(node.clone());
    node.setString("b = 1");
    QCOMPARE(clone->toSql(), QString("a LIKE 'C:\\x'"));
    QCOMPARE(node.string(), QString("b = 1"));
    QCOMPARE(TSqlWhereStringV2().toSql(), QString(""));
    QVERIFY(!TSqlWhereAbsV2().clone());
    QVERIFY(TSqlWhereAbsV2().toSql("QPSQL").isEmpty());
}

QTEST_GUILESS_MAIN(tst_TSqlWhereSimpleV2)
#include "tst_tsqlwheresimplev2.moc"
