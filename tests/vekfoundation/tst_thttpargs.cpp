#include "thttpargs.h"

#include <QJSEngine>
#include <QtTest>

class tst_THttpArgs : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void defaults();
    void formatNames_data();
    void formatNames();
    void formatNameOfOutOfRangeValue();
    void headersAccumulate();
    void roundTripKeepsEveryField();
    void fromVariantMap_data();
    void fromVariantMap();
    void copyAndAssignmentKeepParentRules();
    void scriptsFillItThroughSlots();
};

void tst_THttpArgs::defaults()
{
    THttpArgs args;
    QCOMPARE(args.requestFormat(), THttpArgs::Xml);
    QCOMPARE(args.requestFormatName(), QStringLiteral("Xml"));
    QCOMPARE(args.replyFormat(), THttpArgs::String);
    QCOMPARE(args.replyFormatName(), QStringLiteral("String"));
    QVERIFY(args.url().isEmpty());
    QVERIFY(args.requestString().isEmpty());
    QVERIFY(args.replyCodec().isEmpty());
    QVERIFY(args.replyXmlRoot().isEmpty());
    QVERIFY(args.replyXmlArrayNode().isEmpty());
    QVERIFY(args.headerList().isEmpty());
    QVERIFY(!args.requestData().isValid());
}

void tst_THttpArgs::formatNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("format");
    QTest::newRow("Json") << "Json" << 1;
    QTest::newRow("JSON media type in capitals") << "APPLICATION/JSON" << 1;
    QTest::newRow("json5 ends otherwise") << "json5" << 0;
    QTest::newRow("xml lower case") << "xml" << 2;
    QTest::newRow("XML media type") << "text/xml" << 2;
    QTest::newRow("String") << "String" << 0;
    QTest::newRow("other text") << "yaml" << 0;
    QTest::newRow("empty") << "" << 0;
}

void tst_THttpArgs::formatNames()
{
    QFETCH(QString, name);
    QFETCH(int, format);
    QCOMPARE(int(THttpArgs::str2DataFormat(name)), format);

    THttpArgs args;
    args.setReplyFormatName(name);
    args.setRequestFromatName(name);
    QCOMPARE(int(args.replyFormat()), format);
    QCOMPARE(int(args.requestFormat()), format);
    QCOMPARE(args.requestFormatName(), THttpArgs::dataFromat2Str(THttpArgs::DataFormat(format)));
}

void tst_THttpArgs::formatNameOfOutOfRangeValue()
{
    QCOMPARE(THttpArgs::dataFromat2Str(THttpArgs::DataFormat(7)), QStringLiteral("String"));
    QCOMPARE(THttpArgs::dataFromat2Str(THttpArgs::Json), QStringLiteral("Json"));
    QCOMPARE(THttpArgs::dataFromat2Str(THttpArgs::Xml), QStringLiteral("Xml"));
}

void tst_THttpArgs::headersAccumulate()
{
    THttpArgs args;
    args.addHeader(QStringLiteral("Accept"), QStringLiteral("a"));
    args.addHeader(QStringLiteral("Accept"), QStringLiteral("b"));
    const QVariantList headers = args.headerList();
    QCOMPARE(headers.size(), 2);
    QCOMPARE(headers.at(0).toStringList(), QStringList({"Accept", "a"}));
    QCOMPARE(headers.at(1).toStringList(), QStringList({"Accept", "b"}));
}

void tst_THttpArgs::roundTripKeepsEveryField()
{
    THttpArgs args;
    args.setUrl(QStringLiteral("http://127.0.0.1:1/x"));
    args.addHeader(QStringLiteral("X-Token"), QStringLiteral("t"));
    args.setRequestString(QStringLiteral("<a/>"));
    args.setRequestData(QVariantMap {{"k", 1}});
    args.setRequestFromat(THttpArgs::Json);
    args.setReplyFormat(THttpArgs::Xml);
    args.setReplyCodec(QStringLiteral("GBK"));
    args.setReplyXmlRoot(QStringLiteral("root"));
    args.setReplyXmlArrayNode({QStringLiteral("row"), QStringLiteral("item")});

    const QVariantMap map = args.toVariantMap();
    QCOMPARE(map.keys(), QStringList({"URL", "headerList", "replyCodec", "replyFormat", "replyXmlArrayNode",
                                      "replyXmlRoot", "requestData", "requestFormat", "requestString"}));
    QCOMPARE(map.value("requestFormat").toString(), QStringLiteral("Json"));
    QCOMPARE(map.value("replyFormat").toString(), QStringLiteral("Xml"));

    THttpArgs back = THttpArgs::fromVariantMap(map);
    QCOMPARE(back.toVariantMap(), map);
    QCOMPARE(back.requestFormat(), THttpArgs::Json);
    QCOMPARE(back.replyFormat(), THttpArgs::Xml);
}

void tst_THttpArgs::fromVariantMap_data()
{
    QTest::addColumn<QVariantMap>("map");
    QTest::addColumn<QString>("url");
    QTest::addColumn<int>("requestFormat");
    QTest::addColumn<int>("headerCount");
    QTest::newRow("empty map gives defaults") << QVariantMap() << "" << 2 << 0;
    QTest::newRow("lower-case url wins over URL")
            << QVariantMap {{"URL", "http://a"}, {"url", "http://b"}} << "http://b" << 2 << 0;
    QTest::newRow("keys in any case") << QVariantMap {{"Url", "http://c"},
                                                      {"REQUESTFORMAT", "json"},
                                                      {"HeaderList", QVariantList {QStringList {"A", "1"}}}}
                                      << "http://c" << 1 << 1;
    QTest::newRow("header list as plain text is dropped") << QVariantMap {{"headerList", "Accept: x"}} << "" << 2 << 0;
    QTest::newRow("unknown keys ignored") << QVariantMap {{"method", "GET"}} << "" << 2 << 0;
}

void tst_THttpArgs::fromVariantMap()
{
    QFETCH(QVariantMap, map);
    QFETCH(QString, url);
    QFETCH(int, requestFormat);
    QFETCH(int, headerCount);
    THttpArgs args = THttpArgs::fromVariantMap(map);
    QCOMPARE(args.url(), url);
    QCOMPARE(int(args.requestFormat()), requestFormat);
    QCOMPARE(args.headerList().size(), headerCount);
    QVERIFY(args.parent() == nullptr);
}

void tst_THttpArgs::copyAndAssignmentKeepParentRules()
{
    QObject parentA;
    QObject parentB;
    THttpArgs source(&parentA);
    source.setUrl(QStringLiteral("http://src"));
    source.setReplyFormat(THttpArgs::Json);

    THttpArgs copy(source);
    QCOMPARE(copy.parent(), &parentA);
    QCOMPARE(copy.toVariantMap(), source.toVariantMap());
    copy.setParent(nullptr);

    THttpArgs target(&parentB);
    target = source;
    QCOMPARE(target.parent(), &parentB);
    QCOMPARE(target.url(), QStringLiteral("http://src"));
    target.setParent(nullptr);

    source.setUrl(QStringLiteral("http://changed"));
    QCOMPARE(target.url(), QStringLiteral("http://src"));
    source.setParent(nullptr);
}

void tst_THttpArgs::scriptsFillItThroughSlots()
{
    QJSEngine engine;
    QObject owner; // an object with a parent stays owned by C++
    THttpArgs &args = *new THttpArgs(&owner);
    engine.globalObject().setProperty(QStringLiteral("args"), engine.newQObject(&args));
    const QJSValue result = engine.evaluate(QStringLiteral("args.setUrl('http://h/p');"
                                                           "args.addHeader('Accept', 'application/json');"
                                                           "args.setRequestData({rows: [1, 2], name: 'x'});"
                                                           "args.setReplyFormatName('application/xml');"
                                                           "args.setReplyXmlArrayNode(['row']);"
                                                           "args.replyFormatName();"));
    QVERIFY2(!result.isError(), qPrintable(result.toString()));
    QCOMPARE(result.toString(), QStringLiteral("Xml"));
    QCOMPARE(args.url(), QStringLiteral("http://h/p"));
    QCOMPARE(args.replyXmlArrayNode(), QStringList {"row"});
    // Script objects arrive as plain maps and lists, not as wrapped script values.
    const QVariant data = args.requestData();
    QCOMPARE(data.userType(), int(QMetaType::QVariantMap));
    QCOMPARE(data.toMap().value("rows").toList(), (QVariantList {1, 2}));
    QCOMPARE(data.toMap().value("name").toString(), QStringLiteral("x"));
}

QTEST_GUILESS_MAIN(tst_THttpArgs)
#include "tst_thttpargs.moc"
