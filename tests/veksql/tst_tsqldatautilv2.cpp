#include "tsqldatautilv2.h"
#include "tsqlwherecompsitev2.h"
#include "tsqlwheresimplev2.h"

#include <QJSEngine>
#include <QtTest>

class tst_TSqlDataUtilV2 : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void quoting_data();
    void quoting();
    void dialectLiteral_data();
    void dialectLiteral();
    void variantToSqlValue_data();
    void variantToSqlValue();
    void nullBecomesNullString();
    void arrayElementsReadBack_data();
    void arrayElementsReadBack();
    void formatSqlValue_data();
    void formatSqlValue();
    void sqlArrayToList_data();
    void sqlArrayToList();
    void fillWhere_data();
    void fillWhere();
    void fillWhereBuildsSimpleNodes();
    void equalWhere_data();
    void equalWhere();
    void andWhere_data();
    void andWhere();
    void scriptValues();
    void placeholders();
};

void tst_TSqlDataUtilV2::quoting_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("single");
    QTest::addColumn<QString>("dbl");
    QTest::newRow("plain") << "abc"
                           << "'abc'"
                           << "\"abc\"";
    QTest::newRow("empty") << ""
                           << "''"
                           << "\"\"";
    QTest::newRow("single quote") << "O'Brien"
                                  << "'O''Brien'"
                                  << "\"O'Brien\"";
    QTest::newRow("backslash") << "C:\\temp"
                               << "'C:\\\\temp'"
                               << "\"C:\\temp\"";
    QTest::newRow("double quote") << "say \"hi\""
                                  << "'say \"hi\"'"
                                  << "\"say \\\"hi\\\"\"";
    QTest::newRow("backslash before quote") << "\\'"
                                            << "'\\\\'''"
                                            << "\"\\'\"";
}

void tst_TSqlDataUtilV2::quoting()
{
    QFETCH(QString, text);
    QFETCH(QString, single);
    QFETCH(QString, dbl);
    QCOMPARE(TSqlDataUtilV2::singleQuote(text), single);
    QCOMPARE(TSqlDataUtilV2::doubleQuote(text), dbl);
}

void tst_TSqlDataUtilV2::dialectLiteral_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("databaseType");
    QTest::addColumn<QString>("expected");
    QTest::newRow("pg backslash") << "C:\\temp"
                                  << "QPSQL"
                                  << "E'C:\\\\temp'";
    QTest::newRow("pg quote") << "O'Neil"
                              << "QPSQL"
                              << "'O''Neil'";
    QTest::newRow("pg both") << "a\\'b"
                             << "QPSQL"
                             << "E'a\\\\''b'";
    QTest::newRow("sqlite") << "C:\\it's"
                            << "QSQLITE"
                            << "'C:\\it''s'";
    QTest::newRow("odbc") << "C:\\temp"
                          << "QODBC"
                          << "'C:\\temp'";
    QTest::newRow("oci") << "C:\\temp"
                         << "QOCI"
                         << "'C:\\temp'";
    QTest::newRow("mysql") << "C:\\it's"
                           << "QMYSQL"
                           << "'C:\\\\it''s'";
    QTest::newRow("no type") << "C:\\temp"
                             << ""
                             << "'C:\\\\temp'";
    QTest::newRow("names compare exactly") << "C:\\temp"
                                           << "qpsql"
                                           << "'C:\\\\temp'";
}

void tst_TSqlDataUtilV2::dialectLiteral()
{
    QFETCH(QString, text);
    QFETCH(QString, databaseType);
    QFETCH(QString, expected);
    QCOMPARE(TSqlDataUtilV2::singleQuote(text, databaseType), expected);
}

void tst_TSqlDataUtilV2::variantToSqlValue_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QVariant>("expected");
    const QDateTime dt(QDate(2024, 2, 29), QTime(13, 4, 5));
    QTest::newRow("map as compact json") << QVariant(QVariantMap {{"b", 1}, {"a", "x"}})
                                         << QVariant("{\"a\":\"x\",\"b\":1}");
    QTest::newRow("list: number, quote, null")
            << QVariant(QVariantList {1, "x\"y", QVariant()}) << QVariant("{1,x\\\"y,null}");
    QTest::newRow("list of numbers") << QVariant(QVariantList {1.5, qlonglong(7), -2, true})
                                     << QVariant("{1.5,7,-2,true}");
    QTest::newRow("string list quoted where needed")
            << QVariant(QStringList {"a", "b c", "", "NULL", "Null", "{x}", "a,b", "back\\slash"})
            << QVariant("{a,\"b c\",\"\",\"NULL\",\"Null\",\"{x}\",\"a,b\",\"back\\\\slash\"}");
    QTest::newRow("empty list") << QVariant(QVariantList()) << QVariant();
    QTest::newRow("empty string list") << QVariant(QStringList()) << QVariant();
    QTest::newRow("date") << QVariant(QDate(2024, 2, 29)) << QVariant("2024-02-29");
    QTest::newRow("date-time") << QVariant(dt) << QVariant("2024-02-29 13:04:05");
    QTest::newRow("time") << QVariant(QTime(13, 4, 5)) << QVariant("13:04:05");
    QTest::newRow("string") << QVariant("text") << QVariant("text");
    QTest::newRow("bool") << QVariant(false) << QVariant(false);
    QTest::newRow("int") << QVariant(0) << QVariant(0);
    QTest::newRow("double") << QVariant(2.5) << QVariant(2.5);
    QTest::newRow("long long") << QVariant(qlonglong(1) << 40) << QVariant(qlonglong(1) << 40);
    QTest::newRow("bytes") << QVariant(QByteArray("\x01\x02", 2)) << QVariant(QByteArray("\x01\x02", 2));
    QTest::newRow("other type as text") << QVariant(5u) << QVariant("5");
}

void tst_TSqlDataUtilV2::variantToSqlValue()
{
    QFETCH(QVariant, value);
    QFETCH(QVariant, expected);
    const QVariant result = TSqlDataUtilV2::variantToSqlValue(value);
    QCOMPARE(result.userType(), expected.userType());
    QCOMPARE(result, expected);
}

void tst_TSqlDataUtilV2::nullBecomesNullString()
{
    // Binds as SQL NULL, not as an empty text.
    for (const QVariant &value : {QVariant(), QVariant(QString()), QVariant(QDate())}) {
        const QVariant result = TSqlDataUtilV2::variantToSqlValue(value);
        QCOMPARE(result.userType(), int(QMetaType::QString));
        QVERIFY(result.isNull());
    }
}

void tst_TSqlDataUtilV2::arrayElementsReadBack_data()
{
    QTest::addColumn<QStringList>("elements");
    QTest::newRow("plain") << QStringList {"a", "b"};
    QTest::newRow("separators") << QStringList {"a,b", "{x}", "}", "{"};
    QTest::newRow("white space") << QStringList {" lead", "trail ", "in side", "\ttab"};
    QTest::newRow("escapes") << QStringList {"q\"uote", "back\\slash", "\\\"", "\\"};
    QTest::newRow("null words") << QStringList {"NULL", "null", "nUlL"};
    QTest::newRow("empty ones") << QStringList {"", "a", ""};
    QTest::newRow("only empty") << QStringList {""};
    QTest::newRow("non-latin") << QStringList {"Lötstopplack", "板"};
}

void tst_TSqlDataUtilV2::arrayElementsReadBack()
{
    QFETCH(QStringList, elements);
    const QString literal = TSqlDataUtilV2::variantToSqlValue(elements).toString();
    QCOMPARE(TSqlDataUtilV2::sqlArrayToList(literal), elements);
}

void tst_TSqlDataUtilV2::formatSqlValue_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QVariant>("expected");
    const QDate d(2024, 2, 29);
    const QDateTime dt(d, QTime(13, 4, 5));
    QTest::newRow("invalid") << QVariant() << "" << QVariant();
    QTest::newRow("null string") << QVariant(QString()) << "JSON" << QVariant();
    QTest::newRow("date, no format") << QVariant(d) << "" << QVariant("2024-02-29");
    QTest::newRow("date, month") << QVariant(d) << "yyyy-mm" << QVariant("2024-02");
    QTest::newRow("date, time format kept") << QVariant(d) << "YYYY-MM-DD HH:MM:SS" << QVariant(d);
    QTest::newRow("date-time, no format") << QVariant(dt) << "" << QVariant("2024-02-29 13:04:05");
    QTest::newRow("date-time, minutes") << QVariant(dt) << "YYYY-MM-DD HH:MM" << QVariant("2024-02-29 13:04");
    QTest::newRow("date-time, hours") << QVariant(dt) << "YYYY-MM-DD HH" << QVariant("2024-02-29 13");
    QTest::newRow("date-time, date") << QVariant(dt) << "yyyy-mm-dd" << QVariant("2024-02-29");
    QTest::newRow("date-time, month kept") << QVariant(dt) << "YYYY-MM" << QVariant(dt);
    QTest::newRow("array") << QVariant("{a,\"b c\"}") << "array" << QVariant(QStringList {"a", "b c"});
    QTest::newRow("json object") << QVariant("{\"k\":1}") << "json" << QVariant(QVariantMap {{"k", 1}});
    QTest::newRow("jsonb array") << QVariant("[1,2]") << "JSONB" << QVariant(QVariantList {1, 2});
    QTest::newRow("bad json") << QVariant("{\"k\":") << "JSON" << QVariant();
    QTest::newRow("long long as text") << QVariant(qlonglong(9007199254740993LL)) << "string"
                                       << QVariant("9007199254740993");
    QTest::newRow("unsigned as text") << QVariant(qulonglong(18446744073709551615ULL)) << "STRING"
                                      << QVariant("18446744073709551615");
    QTest::newRow("int kept under STRING") << QVariant(5) << "STRING" << QVariant(5);
    QTest::newRow("unknown format") << QVariant("x") << "WHATEVER" << QVariant("x");
    QTest::newRow("string, no format") << QVariant("{a}") << "" << QVariant("{a}");
}

void tst_TSqlDataUtilV2::formatSqlValue()
{
    QFETCH(QVariant, value);
    QFETCH(QString, format);
    QFETCH(QVariant, expected);
    const QVariant result = TSqlDataUtilV2::formatSqlValue(value, format);
    QCOMPARE(result.isValid(), expected.isValid());
    if (expected.isValid()) {
        QCOMPARE(result.userType(), expected.userType());
        QCOMPARE(result, expected);
    }
}

void tst_TSqlDataUtilV2::sqlArrayToList_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("plain, comma, escaped quote") << "{a,\"b,c\",\"d\\\"e\"}" << QStringList {"a", "b,c", "d\"e"};
    QTest::newRow("empty array") << "{}" << QStringList();
    QTest::newRow("trailing comma") << "{a,}" << QStringList {"a"};
    QTest::newRow("leading comma") << "{,a}" << QStringList {"", "a"};
    QTest::newRow("quoted empty last") << "{a,\"\"}" << QStringList {"a", ""};
    QTest::newRow("too short") << "ab" << QStringList();
    QTest::newRow("backslash escapes unquoted too") << "{a\\b,x\\\"y}" << QStringList {"ab", "x\"y"};
    QTest::newRow("escaped backslash") << "{\"x\\\\y\"}" << QStringList {"x\\y"};
    QTest::newRow("not trimmed") << "{ a , b }" << QStringList {" a ", " b "};
    QTest::newRow("NULL stays text") << "{NULL}" << QStringList {"NULL"};
    QTest::newRow("no braces") << "abc" << QStringList {"b"};
}

void tst_TSqlDataUtilV2::sqlArrayToList()
{
    QFETCH(QString, text);
    QFETCH(QStringList, expected);
    QCOMPARE(TSqlDataUtilV2::sqlArrayToList(text), expected);
}

void tst_TSqlDataUtilV2::fillWhere_data()
{
    QTest::addColumn<QVariant>("condition");
    QTest::addColumn<QString>("expected");
    QTest::newRow("map, key order, operator forms")
            << QVariant(QVariantMap {{"c", QVariantMap {{"value", 3}}},
                                     {"b", QVariantMap {{"value", "x%"}, {"operator", "like"}}},
                                     {"a", 1},
                                     {"d", QVariantMap {{"operator", "!="}}}})
            << "((a = '1') AND (b ILIKE 'x%') AND (c = '3') AND (d IS NOT NULL))";
    QTest::newRow("list of maps and texts")
            << QVariant(QVariantList {QVariantMap {{"a", 1}}, "x > 2", QVariantMap {{"b", QVariantList {1, 2}}}})
            << "((a = '1') AND (x > 2) AND (b IN ('1','2')))";
    QTest::newRow("string list as raw texts") << QVariant(QStringList {"a = 1", "b = 2"}) << "((a = 1) AND (b = 2))";
    QTest::newRow("text") << QVariant("id = 5") << "((id = 5))";
    QTest::newRow("nothing") << QVariant() << "";
    QTest::newRow("empty map") << QVariant(QVariantMap()) << "";
}

void tst_TSqlDataUtilV2::fillWhere()
{
    QFETCH(QVariant, condition);
    QFETCH(QString, expected);
    TSqlWhereCompsiteV2 where;
    TSqlDataUtilV2::fillWhere(where, condition);
    QCOMPARE(where.toSql(), expected);
}

void tst_TSqlDataUtilV2::fillWhereBuildsSimpleNodes()
{
    TSqlWhereCompsiteV2 where;
    where.append("kept = 1");
    TSqlDataUtilV2::fillWhere(where, QVariantMap {{"name", QVariantMap {{"value", "a%"}, {"operator", "LIKE"}}}});
    const QList<TSqlWhereAbsV2 *> items = where.items();
    QCOMPARE(items.size(), 2);
    const auto *simple = dynamic_cast<TSqlWhereSimpleV2 *>(items.at(1));
    QVERIFY(simple);
    QCOMPARE(simple->field(), QString("name"));
    QCOMPARE(simple->value(), QVariant("a%"));
    QCOMPARE(simple->getOperator(), QString("LIKE"));
    // Filled conditions follow the dialect of the statement that renders them.
    QCOMPARE(where.toSql("QMYSQL"), QString("((kept = 1) AND (name LIKE 'a%'))"));
    QCOMPARE(where.toSql("QPSQL"), QString("((kept = 1) AND (name ILIKE 'a%'))"));
}

void tst_TSqlDataUtilV2::equalWhere_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("quote");
    QTest::addColumn<bool>("listAsIn");
    QTest::addColumn<QString>("databaseType");
    QTest::addColumn<QString>("expected");
    QTest::newRow("invalid") << "a" << QVariant() << "" << true << ""
                             << "a IS NULL";
    QTest::newRow("null string") << "a" << QVariant(QString()) << "\"" << true << ""
                                 << "\"a\" IS NULL";
    QTest::newRow("empty list as IN") << "a" << QVariant(QVariantList()) << "" << true << ""
                                      << "(1=0)";
    QTest::newRow("list as IN") << "a" << QVariant(QVariantList {1, "x"}) << "\"" << true << ""
                                << "\"a\" IN ('1','x')";
    QTest::newRow("list as literal") << "a" << QVariant(QVariantList {1, "x"}) << "" << false << ""
                                     << "a = '{1,x}'";
    QTest::newRow("number quoted") << "a" << QVariant(5) << "`" << true << ""
                                   << "`a` = '5'";
    QTest::newRow("quote doubled") << "a" << QVariant("O'Neil") << "" << true << "QSQLITE"
                                   << "a = 'O''Neil'";
    QTest::newRow("pg backslash") << "a" << QVariant("C:\\temp") << "" << true << "QPSQL"
                                  << "a = E'C:\\\\temp'";
    QTest::newRow("sqlite backslash") << "a" << QVariant("C:\\temp") << "" << true << "QSQLITE"
                                      << "a = 'C:\\temp'";
    QTest::newRow("in list for a dialect") << "a" << QVariant(QStringList {"x\\y"}) << "" << true << "QODBC"
                                           << "a IN ('x\\y')";
}

void tst_TSqlDataUtilV2::equalWhere()
{
    QFETCH(QString, field);
    QFETCH(QVariant, value);
    QFETCH(QString, quote);
    QFETCH(bool, listAsIn);
    QFETCH(QString, databaseType);
    QFETCH(QString, expected);
    QCOMPARE(TSqlDataUtilV2::variant2EqualWhere(field, value, quote, listAsIn, databaseType), expected);
}

void tst_TSqlDataUtilV2::andWhere_data()
{
    QTest::addColumn<QVariant>("condition");
    QTest::addColumn<QVariantMap>("values");
    QTest::addColumn<QString>("quote");
    QTest::addColumn<QString>("expected");
    const QVariantMap onlyA {{"a", 1}};
    QTest::newRow("text trimmed") << QVariant("  id = 5 \n") << QVariantMap() << ""
                                  << "id = 5";
    QTest::newRow("blank text") << QVariant("   ") << QVariantMap() << ""
                                << "";
    QTest::newRow("map in key order") << QVariant(QVariantMap {{"b", 2}, {"a", 1}}) << QVariantMap() << ""
                                      << "a = '1' AND b = '2'";
    QTest::newRow("map with list") << QVariant(QVariantMap {{"id", QVariantList {1, 2}}}) << QVariantMap() << "\""
                                   << "\"id\" IN ('1','2')";
    QTest::newRow("names, one missing") << QVariant(QVariantList {"a", "b"}) << onlyA << ""
                                        << "a = '1' AND b IS NULL";
    QTest::newRow("string list names") << QVariant(QStringList {"a"}) << onlyA << "`"
                                       << "`a` = '1'";
    QTest::newRow("number") << QVariant(5) << onlyA << ""
                            << "";
    QTest::newRow("empty map") << QVariant(QVariantMap()) << onlyA << ""
                               << "";
}

void tst_TSqlDataUtilV2::andWhere()
{
    QFETCH(QVariant, condition);
    QFETCH(QVariantMap, values);
    QFETCH(QString, quote);
    QFETCH(QString, expected);
    QCOMPARE(TSqlDataUtilV2::variant2AndWhere(condition, values, quote), expected);
}

void tst_TSqlDataUtilV2::scriptValues()
{
    QJSEngine engine;
    auto js = [&engine](const char *script) {
        const QJSValue value = engine.evaluate(QString::fromLatin1(script));
        return QVariant::fromValue(value);
    };

    QCOMPARE(TSqlDataUtilV2::variantToSqlValue(js("['a', 'b c']")), QVariant("{a,\"b c\"}"));
    QCOMPARE(TSqlDataUtilV2::variantToSqlValue(js("({k: 'v'})")), QVariant("{\"k\":\"v\"}"));
    QVERIFY(TSqlDataUtilV2::variantToSqlValue(js("null")).isNull());

    TSqlWhereCompsiteV2 where;
    TSqlDataUtilV2::fillWhere(where, js("({id: ['1', '2'], name: {value: 'a%', operator: 'like'}})"));
    QCOMPARE(where.toSql(), QString("((id IN ('1','2')) AND (name ILIKE 'a%'))"));

    QCOMPARE(TSqlDataUtilV2::variant2AndWhere(js("({id: ['7']})"), QVariantMap(), QString()), QString("id IN ('7')"));
    QCOMPARE(TSqlDataUtilV2::variant2AndWhere(js("['id']"), QVariantMap {{"id", js("['7']")}}, QString()),
             QString("id IN ('7')"));
}

void tst_TSqlDataUtilV2::placeholders()
{
    QCOMPARE(TSqlDataUtilV2::strCapDollar("${a} ${b c} ${a} ${} $x ${x${y}}"), QStringList({"a", "a", "y"}));
    QCOMPARE(TSqlDataUtilV2::strReplaceDollar("a=${a}, b=${b}, a=${a}, c=${c}", {"a", "b"}, {{"a", 1}}),
             QString("a=1, b=, a=1, c=${c}"));
    // Values go in unquoted and case matters in names.
    QCOMPARE(TSqlDataUtilV2::strReplaceDollar("x = ${A}", {"a", "A"}, {{"A", "'q'"}}), QString("x = 'q'"));
}

QTEST_GUILESS_MAIN(tst_TSqlDataUtilV2)
#include "tst_tsqldatautilv2.moc"
