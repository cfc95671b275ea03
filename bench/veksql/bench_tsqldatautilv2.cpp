#include "tsqldatautilv2.h"
#include "tsqlselectorv2.h"

#include <QtTest>

// The value helpers run once per result cell and once per bound value; the
// selector renders once per select. These show what that costs.
class bench_TSqlDataUtilV2 : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void formatCells_data();
    void formatCells();
    void bindValues();
    void renderSelect();
};

void bench_TSqlDataUtilV2::formatCells_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("format");
    QTest::newRow("text, no format") << QVariant("PCB-2024-000123") << "";
    QTest::newRow("int, no format") << QVariant(4711) << "";
    QTest::newRow("date-time, no format") << QVariant(QDateTime(QDate(2024, 2, 29), QTime(13, 4, 5))) << "";
    QTest::newRow("array") << QVariant("{a,\"b c\",d,e,f}") << "ARRAY";
    QTest::newRow("json") << QVariant("{\"layer\":4,\"finish\":\"ENIG\",\"size\":[100,80]}") << "JSON";
}

void bench_TSqlDataUtilV2::formatCells()
{
    QFETCH(QVariant, value);
    QFETCH(QString, format);
    QBENCHMARK
    {
        for (int i = 0; i < 1000; ++i)
            TSqlDataUtilV2::formatSqlValue(value, format);
    }
}

void bench_TSqlDataUtilV2::bindValues()
{
    const QVariantList values {QVariant("PCB-2024-000123"), 4711, QDate(2024, 2, 29),
                               QVariantList {1, "a b", QVariant(), "x"}, QVariantMap {{"k", 1}}};
    QBENCHMARK
    {
        for (int i = 0; i < 200; ++i) {
            for (const QVariant &v : values)
                TSqlDataUtilV2::variantToSqlValue(v);
        }
    }
}

void bench_TSqlDataUtilV2::renderSelect()
{
    TSqlSelectorV2 s("mes_prod_tooling_request");
    s.setField(QStringList {"id", "job", "state", "attr_data"}).setPage(3, 50).addOrder("id", Qt::DescendingOrder);
    for (int i = 0; i < 10; ++i)
        s.addWhere(QStringLiteral("f%1").arg(i), QVariantList {i, "x", "y"}, i % 2 ? "=" : "LIKE");
    QBENCHMARK { s.toSql(); }
}

QTEST_GUILESS_MAIN(bench_TSqlDataUtilV2)
#include "bench_tsqldatautilv2.moc"
