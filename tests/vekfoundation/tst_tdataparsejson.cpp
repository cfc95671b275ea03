#include "tdataparse.h"
#include "terror.h"

#include <QtTest>

class tst_TDataParseJson : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void jsonParseFailures_data();
    void jsonParseFailures();
    void jsonRoundTrip_data();
    void jsonRoundTrip();
    void variant2JsonStrForms();
    void replaceDollar_data();
    void replaceDollar();
    void capDollar();
    void uuidShape();
    void variantMd5();
    void base64Twice();
    void emptyValueHandling();
    void fetchHelpers();
    void headerItem2searchList();
    void sqlArrayData2MapList();
    void numberTests_data();
    void numberTests();
    void alternatingLists();
    void stringMaps();
};

void tst_TDataParseJson::jsonParseFailures_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << "";
    QTest::newRow("bare number") << "12";
    QTest::newRow("bare string") << "\"x\"";
    QTest::newRow("object left open") << "{\"a\":";
    QTest::newRow("trailing garbage") << "{} x";
}

void tst_TDataParseJson::jsonParseFailures()
{
    QFETCH(QString, text);
    TError err;
    err.setCode(QStringLiteral("OLD"));
    const QVariant v = TDataParse::jsonStr2Variant(text, &err);
    QVERIFY(!v.isValid());
    QCOMPARE(err.type(), QStringLiteral("Error"));
    QVERIFY(!err.text().isEmpty());
    QCOMPARE(err.code(), QString());
    QCOMPARE(err.trace(), QString());
    // Without a record it must not crash.
    QVERIFY(!TDataParse::jsonStr2Variant(text).isValid());
}

void tst_TDataParseJson::jsonRoundTrip_data()
{
    QTest::addColumn<QVariant>("value");
    const QVariantMap inner {{"id", 7}, {"tags", QVariantList {"a", "b"}}, {"none", QVariant()}};
    QTest::newRow("flat list") << QVariant(QVariantList {1, 2.5, "x", true});
    QTest::newRow("nested map") << QVariant(
            QVariantMap {{"job", "PCB-01"},
                         {"layers", QVariantList {inner, QVariantList {1, QVariantList {2}}}},
                         {"meta", QVariantMap {{"deep", QVariantMap {{"deeper", "ü板"}}}}},
                         {"empty", QVariantMap()}});
    QTest::newRow("list of maps") << QVariant(QVariantList {inner, inner, QVariantMap()});
}

void tst_TDataParseJson::jsonRoundTrip()
{
    QFETCH(QVariant, value);
    for (bool compact : {true, false}) {
        const QString text = TDataParse::variant2JsonStr(value, compact);
        QCOMPARE(text.contains('\n'), !compact);
        TError err;
        const QVariant back = TDataParse::jsonStr2Variant(text, &err);
        QVERIFY(!err.isValid());
        // Numbers come back as doubles: compare through JSON again.
        QCOMPARE(TDataParse::variant2JsonStr(back, true), TDataParse::variant2JsonStr(value, true));
        QCOMPARE(back.userType(), value.userType());
    }
}

void tst_TDataParseJson::variant2JsonStrForms()
{
    QCOMPARE(TDataParse::variant2JsonStr(QVariantMap {{"b", 1}, {"a", 2}}, true), QStringLiteral("{\"a\":2,\"b\":1}"));
    QCOMPARE(TDataParse::variant2JsonStr(QStringList {"x", "y"}, true), QStringLiteral("[\"x\",\"y\"]"));
    QCOMPARE(TDataParse::variant2JsonStr(QStringLiteral("x"), true), QStringLiteral("x"));
    QCOMPARE(TDataParse::variant2JsonStr(42, false), QStringLiteral("42"));
    QCOMPARE(TDataParse::variant2JsonStr(QVariantHash {{"a", 1}}, true), QString());
    QCOMPARE(TDataParse::variant2JsonStr(QVariant(), true), QString());
    QCOMPARE(TDataParse::jsonStr2Variant("[1,2]").toList(), (QVariantList {1.0, 2.0}));
}

void tst_TDataParseJson::replaceDollar_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QVariantMap>("values");
    QTest::addColumn<QString>("expected");
    QTest::newRow("chained later key") << "${a}-${b}-${c}" << QVariantMap {{"a", 1}, {"b", "${c}"}, {"c", "z"}}
                                       << "1-z-z";
    QTest::newRow("earlier key stays") << "${b}" << QVariantMap {{"a", "A"}, {"b", "${a}"}} << "${a}";
    QTest::newRow("unknown keys stay") << "${a}-${b}-${c}" << QVariantMap {{"a", 1}} << "1-${b}-${c}";
    QTest::newRow("case sensitive") << "${A}" << QVariantMap {{"a", 1}} << "${A}";
    QTest::newRow("literal replacement") << "${p}/x" << QVariantMap {{"p", "C:\\a$1\\1"}} << "C:\\a$1\\1/x";
    QTest::newRow("regex chars in key") << "${a.b*}" << QVariantMap {{"a.b*", "ok"}} << "ok";
    QTest::newRow("every occurrence") << "${APP_ROOT_PATH}/bin:${APP_ROOT_PATH}"
                                      << QVariantMap {{"APP_ROOT_PATH", "/opt/vek"}} << "/opt/vek/bin:/opt/vek";
}

void tst_TDataParseJson::replaceDollar()
{
    QFETCH(QString, text);
    QFETCH(QVariantMap, values);
    QFETCH(QString, expected);
    QCOMPARE(TDataParse::strReplaceDollar(text, values), expected);
}

void tst_TDataParseJson::capDollar()
{
    QCOMPARE(TDataParse::strCapDollar("${a} ${b} ${a} ${} ${x y}"), (QStringList {"a", "b", "a"}));
    QCOMPARE(TDataParse::strCapDollar("$${a}}${b${c}"), (QStringList {"a", "c"}));
    QCOMPARE(TDataParse::strCapDollar(QString()), QStringList());
}

void tst_TDataParseJson::uuidShape()
{
    const QString a = TDataParse::getUuid();
    QCOMPARE(a.size(), 36);
    for (int i : {8, 13, 18, 23})
        QCOMPARE(a.at(i), QLatin1Char('-'));
    QVERIFY(QRegularExpression("^[0-9a-f-]{36}$").match(a).hasMatch());
    QVERIFY(a != TDataParse::getUuid());
}

void tst_TDataParseJson::variantMd5()
{
    QVariantMap one;
    one.insert("z", 1);
    one.insert("a", QVariantList {"x"});
    QVariantMap two;
    two.insert("a", QVariantList {"x"});
    two.insert("z", 1);
    QCOMPARE(TDataParse::getVariantMd5(one), TDataParse::getVariantMd5(two));
    QCOMPARE(TDataParse::getVariantMd5(QVariantList {"p", "q"}), TDataParse::getVariantMd5(QStringList {"p", "q"}));
    // A plain value hashes its text; "abc" has a well-known digest.
    QCOMPARE(TDataParse::getVariantMd5(QStringLiteral("abc")), QStringLiteral("900150983cd24fb0d6963f7d28e17f72"));
    QCOMPARE(TDataParse::getVariantMd5(one).size(), 32);
    QVERIFY(TDataParse::getVariantMd5(one) != TDataParse::getVariantMd5(QVariantMap {{"z", 2}}));
}

void tst_TDataParseJson::base64Twice()
{
    QCOMPARE(TDataParse::encryptBase64(QStringLiteral("  secret  ")), QStringLiteral("YzJWamNtVjA="));
    for (const QString &text : {QStringLiteral(" pass word "), QString::fromUtf8("密码ü"), QString()})
        QCOMPARE(TDataParse::decryptBase64(TDataParse::encryptBase64(text)), text.trimmed());
    QString withZero = QStringLiteral("ab");
    withZero.append(QChar(0)).append(QStringLiteral("cd"));
    QCOMPARE(TDataParse::decryptBase64(TDataParse::encryptBase64(withZero)), QStringLiteral("ab"));
}

void tst_TDataParseJson::emptyValueHandling()
{
    const QVariantMap base {{"k", 1}, {"keep", "b"}};
    const QVariantMap other {
            {"k", ""}, {"n", QVariant()}, {"zero", 0}, {"list", QVariantList()}, {"nullstr", QString()}, {"f", false}};
    const QVariantMap skipped = TDataParse::mergeVariantMap(base, other, true);
    QCOMPARE(skipped.value("k"), QVariant(1));
    QVERIFY(!skipped.contains("n"));
    QVERIFY(!skipped.contains("nullstr"));
    QCOMPARE(skipped.value("zero"), QVariant(0));
    QCOMPARE(skipped.value("list"), QVariant(QVariantList()));
    QCOMPARE(skipped.value("keep"), QVariant("b"));
    const QVariantMap all = TDataParse::mergeVariantMap(base, other, false);
    QCOMPARE(all.value("k"), QVariant(""));
    QVERIFY(all.contains("n"));

    const QVariantMap removed = TDataParse::removeVariantMapEmptyItem(other);
    QCOMPARE(removed.keys(), (QStringList {"f", "list", "zero"}));

    const QVariantMap replaced = TDataParse::replaceVariantMapEmptyItem(other, "-");
    QCOMPARE(replaced.size(), other.size());
    QCOMPARE(replaced.value("k"), QVariant("-"));
    QCOMPARE(replaced.value("n"), QVariant("-"));
    QCOMPARE(replaced.value("nullstr"), QVariant("-"));
    QCOMPARE(replaced.value("zero"), QVariant(0));
    QCOMPARE(replaced.value("f"), QVariant(false));
}

void tst_TDataParseJson::fetchHelpers()
{
    const QVariantList enums {QVariantMap {{"name", "A"}, {"text", "Alpha"}},
                              QVariantMap {{"name", "C"}, {"text", "Old"}},
                              QVariantMap {{"name", "C"}, {"text", "Charlie"}}, QVariantMap {{"name", "D"}}};
    QCOMPARE(TDataParse::fetchEnumText(enums, {"A", "B", "C", "D"}, ","), QStringLiteral("Alpha,B,Charlie,D"));

    const QVariantList rows {QVariantMap {{"id", 1}}, "not a map", QVariantMap {{"other", 2}}};
    const QVariantList ids = TDataParse::fetchVariantListField(rows, "id");
    QCOMPARE(ids.size(), 3);
    QCOMPARE(ids.at(0), QVariant(1));
    QVERIFY(!ids.at(1).isValid() && !ids.at(2).isValid());

    const QVariantMap map {{"a", 1}, {"b", 2}, {"", 3}, {"c", 4}};
    QCOMPARE(TDataParse::fetchVariantMapField(map, QStringLiteral(" a , b ")), (QVariantMap {{"a", 1}, {"b", 2}}));
    QCOMPARE(TDataParse::fetchVariantMapField(map, QStringLiteral("a,,x"), false), (QVariantMap {{"a", 1}, {"", 3}}));
    const QVariantMap kept = TDataParse::fetchVariantMapField(map, QStringList {"x", " c"}, true);
    QCOMPARE(kept.keys(), (QStringList {"c", "x"}));
    QVERIFY(!kept.value("x").isValid());
}

void tst_TDataParseJson::headerItem2searchList()
{
    const QVariantList header {
            QVariantMap {{"name", "code"}, {"display", "Code"}, {"search", "string"}, {"cs", true}},
            QVariant(),
            QVariantMap {{"name", "qty"}, {"display", "Qty"}},
            QVariantMap {{"name", "lot"}, {"display", "Lot"}, {"search", "int"}},
    };
    const QVariantList entries = TDataParse::headerItem2searchList(header, "search", "cs");
    QCOMPARE(entries.size(), 2);
    QCOMPARE(entries.at(0).toMap(),
             (QVariantMap {{"name", "code"},
                           {"text", "Code"},
                           {"userData", QVariantMap {{"type", "string"}, {"caseSensitive", true}}}}));
    const QVariantMap lotUser = entries.at(1).toMap().value("userData").toMap();
    QCOMPARE(lotUser.value("type"), QVariant("int"));
    QVERIFY(lotUser.contains("caseSensitive"));
    QVERIFY(!lotUser.value("caseSensitive").isValid());
}

void tst_TDataParseJson::sqlArrayData2MapList()
{
    const QVariantMap data {{"field", QVariantList {"x", "y"}},
                            {"data", QVariantList {QVariantList {1}, QVariantList {2, 3, 4}}}};
    const QVariantList rows = TDataParse::sqlArrayData2MapList(data);
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows.at(0).toMap().value("x"), QVariant(1));
    QVERIFY(rows.at(0).toMap().contains("y"));
    QVERIFY(!rows.at(0).toMap().value("y").isValid());
    QCOMPARE(rows.at(1).toMap(), (QVariantMap {{"x", 2}, {"y", 3}}));
    QVERIFY(TDataParse::sqlArrayData2MapList(QVariantMap()).isEmpty());
}

void tst_TDataParseJson::numberTests_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("integer");
    QTest::addColumn<bool>("number");
    QTest::newRow("+007") << "+007" << true << true;
    QTest::newRow("-12") << "-12" << true << true;
    QTest::newRow("1.0") << "1.0" << false << true;
    QTest::newRow("-.5") << "-.5" << false << true;
    QTest::newRow("5.") << "5." << false << true;
    QTest::newRow("dot") << "." << false << false;
    QTest::newRow("empty") << "" << false << false;
    QTest::newRow("exponent") << "1e5" << false << false;
    QTest::newRow("two points") << "1.2.3" << false << false;
    QTest::newRow("blank") << " 1" << false << false;
    QTest::newRow("sign only") << "-" << false << false;
    QTest::newRow("arabic-indic digit") << QString(QChar(0x0663)) << false << false;
    QTest::newRow("trailing line feed") << "12\n" << true << true;
}

void tst_TDataParseJson::numberTests()
{
    QFETCH(QString, text);
    QFETCH(bool, integer);
    QFETCH(bool, number);
    QCOMPARE(TDataParse::strIsInteger(text), integer);
    QCOMPARE(TDataParse::strIsNumber(text), number);
}

void tst_TDataParseJson::alternatingLists()
{
    QCOMPARE(TDataParse::variantList2Map({"a", 1, "b"}), (QVariantMap {{"a", 1}}));
    QCOMPARE(TDataParse::variantList2Map({"a", 1, "a", QVariantList {2}}), (QVariantMap {{"a", QVariantList {2}}}));
    QCOMPARE(TDataParse::variantList2Map({}), QVariantMap());
    const QVariantMap fromText = TDataParse::stringList2VariantMap({"k", "v", "n", "1", "dangling"});
    QCOMPARE(fromText, (QVariantMap {{"k", "v"}, {"n", "1"}}));
    QCOMPARE(fromText.value("n").userType(), int(QMetaType::QString));
}

void tst_TDataParseJson::stringMaps()
{
    QMap<QString, QString> texts {{"a", "1"}, {"b", ""}};
    const QVariantMap wrapped = TDataParse::stringMap2VariantMap(texts);
    QCOMPARE(wrapped.value("a").userType(), int(QMetaType::QString));
    QCOMPARE(TDataParse::variantMap2StringMap(wrapped), texts);
    QCOMPARE(TDataParse::variantMap2StringMap({{"n", 2}, {"d", QDate(2026, 12, 9)}}),
             (QMap<QString, QString> {{"n", "2"}, {"d", "2026-12-09"}}));
    QCOMPARE(TDataParse::variantList2StringList({1, "x", true, QVariant()}), (QStringList {"1", "x", "true", ""}));
}

QTEST_GUILESS_MAIN(tst_TDataParseJson)
#include "tst_tdataparsejson.moc"
