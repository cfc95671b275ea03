#include "tdataresponse.h"
#include "terror.h"
#include "tmsgbarinfo.h"

#include <QtTest>

class tst_TDataResponse : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fromMap_data();
    void fromMap();
    void mapRoundTrip();
    void errors_data();
    void errors();
    void copiesAreIndependent();

    void msgFactories_data();
    void msgFactories();
    void msgIconType_data();
    void msgIconType();
    void msgMapForm();
    void msgCopy();
};

void tst_TDataResponse::fromMap_data()
{
    QTest::addColumn<QVariantMap>("in");
    QTest::addColumn<QVariantMap>("out");
    QTest::addColumn<bool>("hasError");

    const QVariantMap empty {{"data", QVariant()},          {"errCode", ""}, {"errText", ""},
                             {"debugInfo", QVariantList()}, {"key", ""},     {"dataCount", 0},
                             {"userData", QVariant()}};
    QVariantMap mixed = empty;
    mixed["data"] = 5;
    mixed["errCode"] = "E1";
    mixed["dataCount"] = 3;
    QTest::newRow("keys in any case") << QVariantMap {{"Data", 5}, {"errcode", "E1"}, {"DataCount", "3"}, {"other", 1}}
                                      << mixed << true;
    QTest::newRow("empty map") << QVariantMap() << empty << false;
    QVariantMap full = empty;
    full["key"] = "k";
    full["errText"] = "failed";
    full["debugInfo"] = QVariantList {"a", 1};
    full["userData"] = QVariantMap {{"u", true}};
    QTest::newRow("every field") << QVariantMap {{"KEY", "k"},
                                                 {"ERRTEXT", "failed"},
                                                 {"debuginfo", QVariantList {"a", 1}},
                                                 {"UserData", QVariantMap {{"u", true}}}}
                                 << full << true;
    QVariantMap bad = empty;
    QTest::newRow("unconvertible values are neutral")
            << QVariantMap {{"dataCount", "many"}, {"debugInfo", "not a list"}} << bad << false;
    QVariantMap later = empty;
    later["key"] = "lower";
    QTest::newRow("later form of a key wins") << QVariantMap {{"KEY", "upper"}, {"key", "lower"}} << later << false;
}

void tst_TDataResponse::fromMap()
{
    QFETCH(QVariantMap, in);
    QFETCH(QVariantMap, out);
    QFETCH(bool, hasError);
    const TDataResponse r(in);
    QCOMPARE(r.toVariantMap(), out);
    QCOMPARE(r.hasError(), hasError);
    QCOMPARE(r.toVariantMap().value("dataCount").userType(), int(QMetaType::Int));
}

void tst_TDataResponse::mapRoundTrip()
{
    TDataResponse r;
    r.setKey("k");
    r.setErrCode("C");
    r.setErrText("T");
    r.setData(QVariantList {1, "x"});
    r.setDebugInfo({"step"});
    r.setDataCount(7);
    r.setUserData(3.5);
    const TDataResponse back(r.toVariantMap());
    QCOMPARE(back.toVariantMap(), r.toVariantMap());
    QCOMPARE(back.key(), QStringLiteral("k"));
    QCOMPARE(back.dataCount(), 7);
    QCOMPARE(back.userData(), QVariant(3.5));
}

void tst_TDataResponse::errors_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("hasError");
    QTest::newRow("text only") << "boom"
                               << "" << true;
    QTest::newRow("code only") << ""
                               << "E" << true;
    QTest::newRow("neither") << ""
                             << "" << false;
}

void tst_TDataResponse::errors()
{
    QFETCH(QString, text);
    QFETCH(QString, code);
    QFETCH(bool, hasError);
    const TError err(text, QStringLiteral("Error"), code);
    const TDataResponse r(err, 9);
    QCOMPARE(r.hasError(), hasError);
    QCOMPARE(r.errText(), text);
    QCOMPARE(r.errCode(), code);
    QCOMPARE(r.data(), QVariant(9));

    TDataResponse s;
    s.setKey("keep");
    s.setError(err);
    QCOMPARE(s.hasError(), hasError);
    QCOMPARE(s.key(), QStringLiteral("keep"));
}

void tst_TDataResponse::copiesAreIndependent()
{
    TDataResponse a;
    a.setKey("a");
    TDataResponse b(a);
    b.setKey("b");
    TDataResponse c;
    c = b;
    c.setDataCount(2);
    c = c;
    QCOMPARE(a.key(), QStringLiteral("a"));
    QCOMPARE(b.key(), QStringLiteral("b"));
    QCOMPARE(c.key(), QStringLiteral("b"));
    QCOMPARE(c.dataCount(), 2);
    QCOMPARE(b.dataCount(), 0);
    const QVariant v = QVariant::fromValue(c);
    QCOMPARE(v.value<TDataResponse>().key(), QStringLiteral("b"));
}

void tst_TDataResponse::msgFactories_data()
{
    QTest::addColumn<QVariantMap>("map");
    QTest::addColumn<QVariantMap>("expected");
    QTest::addColumn<int>("iconType");
    QTest::newRow("loading") << TMsgBarInfo::LoadingMsg("Wait", "r", 40).toVariantMap()
                             << QVariantMap {{"type", "Loading"}, {"text", "Wait"}, {"remark", "r"}, {"percent", 40}}
                             << 0;
    QTest::newRow("start") << TMsgBarInfo::StartMsg(500, "Go", "").toVariantMap()
                           << QVariantMap {{"type", "Loading"}, {"start", 500}, {"text", "Go"}, {"remark", ""}} << 0;
    QTest::newRow("ok") << TMsgBarInfo::OkMsg(3000, "Saved", "").toVariantMap()
                        << QVariantMap {{"type", "Ok"}, {"end", 3000}, {"text", "Saved"}, {"remark", ""}} << 3;
    QTest::newRow("warning") << TMsgBarInfo::WarningMsg("Careful", "r", 10).toVariantMap()
                             << QVariantMap {{"type", "Warn"}, {"end", 10}, {"text", "Careful"}, {"remark", "r"}} << 5;
    QTest::newRow("error") << TMsgBarInfo::ErrorMsg("Failed", "why", 20).toVariantMap()
                           << QVariantMap {{"type", "Error"}, {"end", 20}, {"text", "Failed"}, {"remark", "why"}} << 4;
}

void tst_TDataResponse::msgFactories()
{
    QFETCH(QVariantMap, map);
    QFETCH(QVariantMap, expected);
    QFETCH(int, iconType);
    QCOMPARE(map, expected);
    const TMsgBarInfo info(map);
    QCOMPARE(int(info.iconType()), iconType);
    QVERIFY(!info.closable());
    QVERIFY(!info.cancelable());
    QVERIFY(!info.showMask());
    QVERIFY(!info.parent());
}

void tst_TDataResponse::msgIconType_data()
{
    QTest::addColumn<QVariant>("word");
    QTest::addColumn<int>("type");
    QTest::newRow("lower case") << QVariant("warn") << 5;
    QTest::newRow("upper case") << QVariant("PROGRESS") << 1;
    QTest::newRow("info") << QVariant("Info") << 2;
    QTest::newRow("unknown") << QVariant("Fatal") << 0;
    QTest::newRow("missing") << QVariant() << 0;
}

void tst_TDataResponse::msgIconType()
{
    QFETCH(QVariant, word);
    QFETCH(int, type);
    QVariantMap map;
    if (word.isValid())
        map.insert("type", word);
    TMsgBarInfo info(map);
    QCOMPARE(int(info.iconType()), type);
    QCOMPARE(info.iconTypeName(), word.toString());
    info.setIconType(static_cast<TMsgBarInfo::IconType>(7));
    QCOMPARE(info.iconTypeName(), word.toString());
    info.setIconType(TMsgBarInfo::Error);
    QCOMPARE(info.iconTypeName(), QStringLiteral("Error"));
}

void tst_TDataResponse::msgMapForm()
{
    TMsgBarInfo info;
    QCOMPARE(info.text(), QString());
    QCOMPARE(info.percent(), 0);
    QVERIFY(!info.data().isValid());
    info.setText("t");
    info.setRemark("r");
    info.setClosable(true);
    info.setCancelable(true);
    info.setPercent(50);
    info.setStartDelay(1);
    info.setEndDelay(2);
    info.setShowMask(true);
    info.setData(QVariantList {1});
    QCOMPARE(info.toVariantMap(), QVariantMap({{"text", "t"},
                                               {"remark", "r"},
                                               {"closable", true},
                                               {"cancelable", true},
                                               {"percent", 50},
                                               {"start", 1},
                                               {"end", 2},
                                               {"showMask", true},
                                               {"data", QVariantList {1}}}));
    info.setVariantMap({{"percent", "x"}, {"closable", "true"}});
    QCOMPARE(info.percent(), 0);
    QVERIFY(info.closable());
    QCOMPARE(info.text(), QString());
    info.clear();
    QVERIFY(info.toVariantMap().isEmpty());
}

void tst_TDataResponse::msgCopy()
{
    QObject parent;
    TMsgBarInfo a(QVariantMap {{"text", "a"}}, &parent);
    TMsgBarInfo b(a);
    QCOMPARE(b.parent(), &parent);
    QCOMPARE(b.text(), QStringLiteral("a"));
    b.setText("b");
    QCOMPARE(a.text(), QStringLiteral("a"));
    TMsgBarInfo c;
    c = b;
    c = c;
    QCOMPARE(c.text(), QStringLiteral("b"));
    QVERIFY(!c.parent());
}

QTEST_GUILESS_MAIN(tst_TDataResponse)
#include "tst_tdataresponse.moc"
