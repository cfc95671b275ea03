#include "tdataparse.h"
#include "terror.h"

#include <QtTest>

class tst_TDataParseCsv : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void commandStr2Map_data();
    void commandStr2Map();
    void longCommand();
    void csvStr2List_data();
    void csvStr2List();
    void csvLine2List_data();
    void csvLine2List();
    void stringList2Csv_data();
    void stringList2Csv();
};

void tst_TDataParseCsv::commandStr2Map_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("keyCase");
    QTest::addColumn<QVariantMap>("expected");

    QTest::newRow("empty") << ""
                           << "" << QVariantMap();
    QTest::newRow("id is trimmed") << "open/ 42 "
                                   << "" << QVariantMap {{"COM", "open"}, {"UID", "42"}};
    QTest::newRow("command alone") << "open"
                                   << "" << QVariantMap {{"COM", "open"}};
    QTest::newRow("no comma reads no option") << "a=b"
                                              << "" << QVariantMap {{"COM", "a=b"}};
    QTest::newRow("second slash stays in id") << " open/a/b ,x=1"
                                              << "" << QVariantMap {{"COM", "open"}, {"UID", "a/b"}, {"x", "1"}};
    QTest::newRow("option replaces id") << "open/42, Mode = fast ,uid=7"
                                        << "UPPER" << QVariantMap {{"COM", "open"}, {"MODE", "fast"}, {"UID", "7"}};
    QTest::newRow("uid in any case without casing")
            << "open/42,uId=7,Mode=fast"
            << "" << QVariantMap {{"COM", "open"}, {"UID", "7"}, {"Mode", "fast"}};
    QTest::newRow("lower in any case") << "open,Mode=Fast"
                                       << "lOwEr" << QVariantMap {{"COM", "open"}, {"mode", "Fast"}};
    QTest::newRow("other word keeps case") << "open,Mode=Fast"
                                           << "camel" << QVariantMap {{"COM", "open"}, {"Mode", "Fast"}};
    QTest::newRow("escaped comma joins the part") << "run,a\\,b=1"
                                                  << "" << QVariantMap {{"COM", "run"}, {"a\\,b", "1"}};
    QTest::newRow("escaped equals belongs to the key") << "run,x\\=y=2"
                                                       << "" << QVariantMap {{"COM", "run"}, {"x\\=y", "2"}};
    QTest::newRow("incomplete options are skipped") << "run,=1,k=,k2"
                                                    << "" << QVariantMap {{"COM", "run"}};
    QTest::newRow("blank key or value is skipped") << "run, =1,k= "
                                                   << "" << QVariantMap {{"COM", "run"}};
    QTest::newRow("leading comma separates") << ",a=1"
                                             << "" << QVariantMap {{"COM", ""}, {"a", "1"}};
    QTest::newRow("first part is read as option too") << "a=b,c=d"
                                                      << "" << QVariantMap {{"COM", "a=b"}, {"a", "b"}, {"c", "d"}};
    QTest::newRow("later option wins, com replaced") << "open/1,k=1,k=2,COM=close"
                                                     << "" << QVariantMap {{"COM", "close"}, {"UID", "1"}, {"k", "2"}};
}

void tst_TDataParseCsv::commandStr2Map()
{
    QFETCH(QString, command);
    QFETCH(QString, keyCase);
    QFETCH(QVariantMap, expected);
    TError err;
    QCOMPARE(TDataParse::commandStr2Map(command, keyCase, &err), expected);
    QVERIFY(!err.isValid());
}

// 1.6 MB of options, escaped commas among them, read in one pass.
void tst_TDataParseCsv::longCommand()
{
    const int options = 150000;
    QString command = QStringLiteral("run/7");
    for (int i = 0; i < options; ++i)
        command += QStringLiteral(",k%1=v\\,%1").arg(i);
    QVERIFY(command.size() > 1600000);
    const QVariantMap map = TDataParse::commandStr2Map(command);
    QCOMPARE(map.size(), options + 2);
    QCOMPARE(map.value(QStringLiteral("UID")).toString(), QStringLiteral("7"));
    QCOMPARE(map.value(QStringLiteral("k0")).toString(), QStringLiteral("v\\,0"));
    QCOMPARE(map.value(QStringLiteral("k149999")).toString(), QStringLiteral("v\\,149999"));
}

void tst_TDataParseCsv::csvStr2List_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<QStringList>>("expected");
    QTest::addColumn<bool>("unclosed");

    QTest::newRow("empty") << "" << QList<QStringList>() << false;
    QTest::newRow("quoted comma, doubled quote, CR LF")
            << "a,\"b,c\"\r\n\"x\"\"y\"," << QList<QStringList> {{"a", "b,c"}, {"x\"y", ""}} << false;
    QTest::newRow("line feed inside quotes") << "\"a\nb\",c\n" << QList<QStringList> {{"a\nb", "c"}} << false;
    QTest::newRow("single line feed") << "\n" << QList<QStringList> {{""}} << false;
    QTest::newRow("text around quotes joins the field") << "a\"b,c\"d" << QList<QStringList> {{"ab,cd"}} << false;
    QTest::newRow("lone carriage return is text") << "a\rb, c " << QList<QStringList> {{"a\rb", " c "}} << false;
    QTest::newRow("empty lines are records") << "a\n\nb" << QList<QStringList> {{"a"}, {""}, {"b"}} << false;
    QTest::newRow("unclosed quote") << "a,\"b" << QList<QStringList>() << true;
    QTest::newRow("unclosed quote keeps earlier records") << "x\ny,\"z\nw" << QList<QStringList> {{"x"}} << true;
}

void tst_TDataParseCsv::csvStr2List()
{
    QFETCH(QString, text);
    QFETCH(QList<QStringList>, expected);
    QFETCH(bool, unclosed);
    TError err;
    QCOMPARE(TDataParse::csvStr2List(text, &err), expected);
    QCOMPARE(err.isValid(), unclosed);
    if (unclosed) {
        QCOMPARE(err.text(), QStringLiteral("Double quotation marks do not match!"));
        QVERIFY(err.type().isEmpty() && err.code().isEmpty() && err.trace().isEmpty());
    }
    // The error record is optional.
    QCOMPARE(TDataParse::csvStr2List(text), expected);
}

void tst_TDataParseCsv::csvLine2List_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<bool>("unclosed");
    QTest::newRow("first record") << "x,y\nz" << QStringList {"x", "y"} << false;
    QTest::newRow("empty") << "" << QStringList() << false;
    QTest::newRow("unclosed") << "\"x,y" << QStringList() << true;
}

void tst_TDataParseCsv::csvLine2List()
{
    QFETCH(QString, text);
    QFETCH(QStringList, expected);
    QFETCH(bool, unclosed);
    TError err;
    QCOMPARE(TDataParse::csvLine2List(text, &err), expected);
    QCOMPARE(err.isValid(), unclosed);
}

void tst_TDataParseCsv::stringList2Csv_data()
{
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QString>("expected");
    QTest::newRow("comma and quote are quoted") << QStringList {"a", "b,c", "d\"e"} << "a,\"b,c\",\"d\\\"e\"";
    QTest::newRow("empty fields keep their commas") << QStringList {"", "a", ""} << ",a,";
    QTest::newRow("line feed is not quoted") << QStringList {"a\nb"} << "a\nb";
    QTest::newRow("no fields") << QStringList() << "";
}

void tst_TDataParseCsv::stringList2Csv()
{
    QFETCH(QStringList, fields);
    QFETCH(QString, expected);
    QCOMPARE(TDataParse::stringList2Csv(fields), expected);
}

QTEST_GUILESS_MAIN(tst_TDataParseCsv)
#include "tst_tdataparsecsv.moc"
