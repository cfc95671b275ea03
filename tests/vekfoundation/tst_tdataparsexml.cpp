#include "tdataparse.h"
#include "terror.h"

#include <QtTest>

class tst_TDataParseXml : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void simpleXml2Map_data();
    void simpleXml2Map();
    void simpleXml2MapBadXml();
    void xmlStr2Variant_data();
    void xmlStr2Variant();
    void deepNesting_data();
    void deepNesting();
    void xmlStr2VariantBadXml();
    void strEscapeXml_data();
    void strEscapeXml();
};

void tst_TDataParseXml::simpleXml2Map_data()
{
    QTest::addColumn<QString>("xml");
    QTest::addColumn<QString>("keyCase");
    QTest::addColumn<QVariantMap>("expected");

    const QString conn = "<Conn><Database_Type>QPSQL</Database_Type>"
                         "<DATABASE_HOST> h:5432 </DATABASE_HOST></Conn>";
    const QVariantMap lower {{"database_type", "QPSQL"}, {"database_host", "h:5432"}};
    QTest::newRow("Lower") << conn << "Lower" << lower;
    QTest::newRow("lOWer") << conn << "lOWer" << lower;
    QTest::newRow("upper") << conn << "upper" << QVariantMap {{"DATABASE_TYPE", "QPSQL"}, {"DATABASE_HOST", "h:5432"}};
    const QVariantMap kept {{"Database_Type", "QPSQL"}, {"DATABASE_HOST", "h:5432"}};
    QTest::newRow("other word keeps case") << conn << "camel" << kept;
    QTest::newRow("empty word keeps case") << conn << "" << kept;
    QTest::newRow("later wins, trimmed") << "<c><a> 1 </a><a>2</a></c>"
                                         << "" << QVariantMap {{"a", "2"}};
    QTest::newRow("nested text concatenated, attributes ignored") << "<c><a k='v'><x>1</x><y>2</y></a></c>"
                                                                  << "" << QVariantMap {{"a", "12"}};
    QTest::newRow("comment gives empty key") << "<c><!--n--><a>1</a></c>"
                                             << "" << QVariantMap {{"", ""}, {"a", "1"}};
    QTest::newRow("text under root gives empty key") << "<c>t<a>1</a></c>"
                                                     << "" << QVariantMap {{"", ""}, {"a", "1"}};
    QTest::newRow("empty root") << "<c/>"
                                << "" << QVariantMap();
}

void tst_TDataParseXml::simpleXml2Map()
{
    QFETCH(QString, xml);
    QFETCH(QString, keyCase);
    QFETCH(QVariantMap, expected);
    TError err;
    QCOMPARE(TDataParse::simpleXml2Map(xml, keyCase, &err), expected);
    QVERIFY(!err.isValid());
}

void tst_TDataParseXml::simpleXml2MapBadXml()
{
    TError err;
    QCOMPARE(TDataParse::simpleXml2Map("<c><a>1</c>", "Lower", &err), QVariantMap());
    QVERIFY(err.text().startsWith("Parse Xml data failed at line 1 column "));
    QVERIFY(err.text().contains(", error: "));
    QVERIFY(err.text().endsWith('\n'));
    QCOMPARE(err.type(), QStringLiteral("Error"));
    QVERIFY(err.code().isEmpty());
    // Without a record the failure is silent.
    QCOMPARE(TDataParse::simpleXml2Map("<c>", "Lower"), QVariantMap());
}

void tst_TDataParseXml::xmlStr2Variant_data()
{
    QTest::addColumn<QString>("xml");
    QTest::addColumn<QStringList>("flags");
    QTest::addColumn<QString>("root");
    QTest::addColumn<QString>("textKey");
    QTest::addColumn<bool>("ownText");
    QTest::addColumn<QVariant>("expected");

    QTest::newRow("own text: repeated tags, attributes")
            << "<a><b>x</b><c n=\"1\">y</c><c>z</c></a>" << QStringList() << ""
            << "value" << true
            << QVariant(QVariantMap {{"b", "x"}, {"c", QVariantList {QVariantMap {{"n", "1"}, {"value", "y"}}, "z"}}});
    QTest::newRow("whole text under the text key")
            << "<a><b>x</b></a>" << QStringList() << ""
            << "#text" << false << QVariant(QVariantMap {{"#text", "x"}, {"b", "x"}});
    QTest::newRow("repeated tags, whole text")
            << "<a><c>1</c><c>2</c></a>" << QStringList() << ""
            << "v" << false << QVariant(QVariantMap {{"v", "12"}, {"c", QVariantList {"1", "2"}}});
    QTest::newRow("leaf is a string") << "<a>x</a>" << QStringList() << ""
                                      << "v" << false << QVariant("x");
    QTest::newRow("empty text key is a key") << "<a n='1'>x</a>" << QStringList() << ""
                                             << "" << false << QVariant(QVariantMap {{"", "x"}, {"n", "1"}});
    QTest::newRow("attribute replaces text entry") << "<a v='attr'>x</a>" << QStringList() << ""
                                                   << "v" << false << QVariant("x");
    QTest::newRow("attributes only") << "<a x='1' y='2'/>" << QStringList() << ""
                                     << "v" << false << QVariant(QVariantMap {{"x", "1"}, {"y", "2"}});
    QTest::newRow("empty element") << "<a/>" << QStringList() << ""
                                   << "v" << true << QVariant(QVariantMap());

    const QString deep = "<r><a><b><c n='2'><d>1</d></c></b></a><c>other</c></r>";
    QTest::newRow("root is the document element") << "<r><d>1</d><e>2</e></r>" << QStringList() << "r"
                                                  << "v" << true << QVariant(QVariantMap {{"d", "1"}, {"e", "2"}});
    QTest::newRow("root three levels down, depth first")
            << deep << QStringList() << "c"
            << "v" << true << QVariant(QVariantMap {{"n", "2"}, {"d", "1"}});
    QTest::newRow("unknown root") << deep << QStringList() << "zz"
                                  << "v" << true << QVariant(QVariantMap());
    QTest::newRow("bad xml") << "<r><a></r>" << QStringList() << ""
                             << "v" << true << QVariant(QVariantMap());
    QTest::newRow("empty xml") << "" << QStringList() << ""
                               << "v" << true << QVariant(QVariantMap());

    const QString order = "<order><lines><item>1</item></lines></order>";
    const QVariant single(QVariantMap {{"lines", QVariantMap {{"item", "1"}}}});
    const QVariant listed(QVariantMap {{"lines", QVariantMap {{"item", QVariantList {"1"}}}}});
    QTest::newRow("single child") << order << QStringList() << ""
                                  << "v" << true << single;
    QTest::newRow("flag by tag") << order << QStringList {"item"} << ""
                                 << "v" << true << listed;
    QTest::newRow("flag by parent path") << order << QStringList {"x", "lines/item"} << ""
                                         << "v" << true << listed;
    QTest::newRow("leading slash ignored") << order << QStringList {"/lines/item"} << ""
                                           << "v" << true << listed;
    QTest::newRow("full path") << order << QStringList {"order/lines/item"} << ""
                               << "v" << true << listed;
    QTest::newRow("other parent") << order << QStringList {"head/item"} << ""
                                  << "v" << true << single;
    QTest::newRow("path above the document") << order << QStringList {"x/order/lines/item"} << ""
                                             << "v" << true << single;
    QTest::newRow("empty flag never matches") << order << QStringList {""} << ""
                                              << "v" << true << single;
    QTest::newRow("tag names are case-sensitive") << order << QStringList {"ITEM"} << ""
                                                  << "v" << true << single;

    QTest::newRow("own text before and after children")
            << "<a>pre<b>x</b>post</a>" << QStringList() << ""
            << "v" << true << QVariant(QVariantMap {{"v", "prepost"}, {"b", "x"}});
    QTest::newRow("own text holding a child's text") << "<a>xy<b>x</b></a>" << QStringList() << ""
                                                     << "v" << true << QVariant(QVariantMap {{"v", "xy"}, {"b", "x"}});
    QTest::newRow("own text from CDATA") << "<a><![CDATA[<raw>]]><b>1</b></a>" << QStringList() << ""
                                         << "v" << true << QVariant(QVariantMap {{"v", "<raw>"}, {"b", "1"}});
    QTest::newRow("own text alone is the value")
            << "<a><b n='1'>x</b></a>" << QStringList() << ""
            << "v" << true << QVariant(QVariantMap {{"b", QVariantMap {{"n", "1"}, {"v", "x"}}}});
}

void tst_TDataParseXml::xmlStr2Variant()
{
    QFETCH(QString, xml);
    QFETCH(QStringList, flags);
    QFETCH(QString, root);
    QFETCH(QString, textKey);
    QFETCH(bool, ownText);
    QFETCH(QVariant, expected);
    const QVariantMap options = ownText ? QVariantMap {{"recursively_text", false}} : QVariantMap();
    QCOMPARE(TDataParse::xmlStr2Variant(xml, flags, root, textKey, options), expected);
    if (!ownText) {
        // A true option reads like no option.
        QCOMPARE(TDataParse::xmlStr2Variant(xml, flags, root, textKey, {{"recursively_text", true}}), expected);
    }
}

namespace {

QString nested(int iDepth, const QString &iInner)
{
    return QStringLiteral("<e>").repeated(iDepth) + iInner + QStringLiteral("</e>").repeated(iDepth);
}

} // namespace

void tst_TDataParseXml::deepNesting_data()
{
    QTest::addColumn<int>("depth");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("at the limit") << TDataParse::XmlDepthLimit << true;
    QTest::newRow("one past the limit") << TDataParse::XmlDepthLimit + 1 << false;
    // Deep enough to overflow the stack of a recursive parser.
    QTest::newRow("30,000 levels") << 30000 << false;
}

void tst_TDataParseXml::deepNesting()
{
    QFETCH(int, depth);
    QFETCH(bool, accepted);
    const QString text = QStringLiteral("deep text ").repeated(1000);
    const QString xml = nested(depth, text);

    TError simpleErr;
    const QVariantMap simple = TDataParse::simpleXml2Map(xml, QString(), &simpleErr);
    TError treeErr;
    const QVariant tree
            = TDataParse::xmlStr2Variant(xml, QStringList(), QString(), QStringLiteral("v"), QVariantMap(), &treeErr);
    if (!accepted) {
        const QString message = QStringLiteral("nested deeper than %1 levels").arg(TDataParse::XmlDepthLimit);
        QVERIFY(simple.isEmpty());
        QVERIFY2(simpleErr.text().startsWith(QLatin1String("Parse Xml data failed at line 1 column ")),
                 qPrintable(simpleErr.text()));
        QVERIFY2(simpleErr.text().contains(message), qPrintable(simpleErr.text()));
        QCOMPARE(tree, QVariant(QVariantMap()));
        QCOMPARE(treeErr.text(), simpleErr.text());
        return;
    }

    QVERIFY(simpleErr.text().isEmpty());
    QCOMPARE(simple, (QVariantMap {{QStringLiteral("e"), text.trimmed()}}));
    QVERIFY(treeErr.text().isEmpty());
    // Every level above the last holds the whole text and its one child.
    QVariant level = tree;
    for (int i = 1; i < depth; ++i) {
        const QVariantMap map = level.toMap();
        QCOMPARE(map.size(), 2);
        QCOMPARE(map.value(QStringLiteral("v")).toString(), text);
        level = map.value(QStringLiteral("e"));
    }
    QCOMPARE(level.toString(), text);
}

void tst_TDataParseXml::xmlStr2VariantBadXml()
{
    TError err;
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QStringLiteral("^Parser Xml Stream failed at line 1 column")));
    QCOMPARE(TDataParse::xmlStr2Variant(QStringLiteral("<c><a>1</c>"), {}, {}, {}, {}, &err), QVariant(QVariantMap()));
    QVERIFY2(err.text().startsWith(QLatin1String("Parse Xml data failed at line 1 column ")), qPrintable(err.text()));
    QCOMPARE(err.type(), QStringLiteral("Error"));
}

void tst_TDataParseXml::strEscapeXml_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("markup and quotes") << "a<b & \"c\""
                                       << "a&lt;b &amp; &quot;c&quot;";
    QTest::newRow("apostrophe and greater") << "'>"
                                            << "&apos;&gt;";
    QTest::newRow("entities are escaped once") << "&amp;<"
                                               << "&amp;amp;&lt;";
}

void tst_TDataParseXml::strEscapeXml()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(TDataParse::strEscapeXml(text), expected);
}

QTEST_GUILESS_MAIN(tst_TDataParseXml)
#include "tst_tdataparsexml.moc"
