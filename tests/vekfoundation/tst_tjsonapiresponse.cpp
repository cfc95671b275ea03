#include "tjsonapierror.h"
#include "tjsonapiresponse.h"

#include <QtTest>

class tst_TJsonApiResponse : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void unusableTextGivesEmptyDocument_data();
    void unusableTextGivesEmptyDocument();
    void readsWholeDocument();
    void errorMembersReadAsText_data();
    void errorMembersReadAsText();
    void writesOnlyMembersThatAreSet();
    void compactJsonInKeyOrder();
    void settersChainAndReplace();
    void firstErrorOfEmptyListIsDefault();
    void copiesAreIndependent();
};

void tst_TJsonApiResponse::unusableTextGivesEmptyDocument_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty object") << "{}";
    QTest::newRow("not json") << "this is { not json";
    QTest::newRow("empty text") << "";
    QTest::newRow("array") << "[{\"errors\":[{\"code\":\"1\"}]}]";
    QTest::newRow("number") << "42";
}

void tst_TJsonApiResponse::unusableTextGivesEmptyDocument()
{
    QFETCH(QString, text);
    const TJsonApiResponse response(text);
    QVERIFY(!response.hasError());
    QVERIFY(!response.data().isValid());
    QVERIFY(response.id().isEmpty());
    QVERIFY(response.links().isEmpty());
    QVERIFY(response.meta().isEmpty());
    QCOMPARE(response.toJsonString(), QStringLiteral("{}"));
}

void tst_TJsonApiResponse::readsWholeDocument()
{
    const QString text = QStringLiteral(R"({
        "id": "doc-1",
        "data": [{"type": "panel", "id": "7", "attributes": {"layers": 6}}],
        "included": [{"type": "lot", "id": "L1"}],
        "links": {"self": "/panels?page=1"},
        "meta": {"total": 12},
        "errors": [
            {"code": "E1", "title": "first", "status": 404, "detail": "d1", "source": {"pointer": "/data/0"}},
            {"code": 2, "title": "second"}
        ]})");
    const TJsonApiResponse response(text);
    QCOMPARE(response.id(), QStringLiteral("doc-1"));
    QCOMPARE(response.data().toList().size(), 1);
    QCOMPARE(response.data().toList().at(0).toMap().value("attributes").toMap().value("layers").toInt(), 6);
    QCOMPARE(response.links().value("self").toString(), QStringLiteral("/panels?page=1"));
    QCOMPARE(response.meta().value("total").toInt(), 12);
    QVERIFY(response.hasError());
    QCOMPARE(response.errors().size(), 2);
    QCOMPARE(response.errors().at(0).title(), QStringLiteral("first"));
    QCOMPARE(response.errors().at(1).title(), QStringLiteral("second"));
    QCOMPARE(response.errors().at(1).code(), QStringLiteral("2"));
    const TJsonApiError first = response.firstError();
    QCOMPARE(first.code(), QStringLiteral("E1"));
    QCOMPARE(first.status(), QStringLiteral("404"));
    QCOMPARE(first.detail(), QStringLiteral("d1"));
    QCOMPARE(first.source().value("pointer").toString(), QStringLiteral("/data/0"));
    // Members the record does not hold ("included") are not written back.
    QVERIFY(!response.toVariantMap().contains("included"));
}

void tst_TJsonApiResponse::errorMembersReadAsText_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("number") << QVariant(404.0) << "404";
    QTest::newRow("boolean") << QVariant(true) << "true";
    QTest::newRow("object") << QVariant(QVariantMap {{"a", 1}}) << "";
    QTest::newRow("array") << QVariant(QVariantList {1}) << "";
    QTest::newRow("missing") << QVariant() << "";
}

void tst_TJsonApiResponse::errorMembersReadAsText()
{
    QFETCH(QVariant, value);
    QFETCH(QString, text);
    QVariantMap map;
    if (value.isValid())
        map.insert("status", value);
    map.insert("source", "not an object");
    const TJsonApiError error(map);
    QCOMPARE(error.status(), text);
    QVERIFY(error.source().isEmpty());

    // An error element that is not an object reads as an empty error.
    const TJsonApiResponse response(QVariantMap {{"errors", QVariantList {value, map}}});
    QCOMPARE(response.errors().size(), 2);
    QVERIFY(response.firstError().toVariantMap().isEmpty());
}

void tst_TJsonApiResponse::writesOnlyMembersThatAreSet()
{
    TJsonApiError titleOnly;
    titleOnly.setTitle(QStringLiteral("only"));
    QCOMPARE(titleOnly.toVariantMap(), (QVariantMap {{"title", "only"}}));

    TJsonApiResponse response;
    response.setData(QVariant());
    QVERIFY(!response.toVariantMap().contains("data"));
    response.setData(QVariant(QVariant::String)); // a null value
    QVERIFY(!response.toVariantMap().contains("data"));
    response.setData(QVariantList());
    QVERIFY(response.toVariantMap().contains("data"));
}

void tst_TJsonApiResponse::compactJsonInKeyOrder()
{
    TJsonApiResponse response;
    response.setId(QStringLiteral("9"))
            .setData(QVariantMap {{"b", 2}, {"a", 1}})
            .addMeta(QStringLiteral("count"), 3)
            .addLink(QStringLiteral("next"), QStringLiteral("/p2"))
            .addError(
                    TJsonApiError(QStringLiteral("E7"), QStringLiteral("bad"), QString()).addSource("parameter", "q"));
    QCOMPARE(
            response.toJsonString(),
            QStringLiteral(R"({"data":{"a":1,"b":2},"errors":[{"code":"E7","source":{"parameter":"q"},"title":"bad"}],)"
                           R"("id":"9","links":{"next":"/p2"},"meta":{"count":3}})"));
    // What is written reads back to the same document.
    QCOMPARE(TJsonApiResponse(response.toJsonString()).toVariantMap(), response.toVariantMap());
}

void tst_TJsonApiResponse::settersChainAndReplace()
{
    TJsonApiResponse response;
    response.addLink("self", "/a").addLink("self", "/b").addMeta("m", 1).addMeta("m", 2);
    QCOMPARE(response.links(), (QVariantMap {{"self", "/b"}}));
    QCOMPARE(response.meta(), (QVariantMap {{"m", 2}}));

    TJsonApiError error;
    error.setCode("1").setTitle("t").setStatus("500").setDetail("d").setSource({{"x", "1"}}).addSource("x", "2");
    QCOMPARE(error.source(), (QVariantMap {{"x", "2"}}));
    response.setErrors({error, error});
    QCOMPARE(response.errors().size(), 2);
    response.setErrors({});
    QVERIFY(!response.hasError());
}

void tst_TJsonApiResponse::firstErrorOfEmptyListIsDefault()
{
    const TJsonApiResponse response;
    QVERIFY(!response.hasError());
    const TJsonApiError error = response.firstError();
    QVERIFY(error.code().isEmpty());
    QVERIFY(error.title().isEmpty());
    QVERIFY(error.toVariantMap().isEmpty());
}

void tst_TJsonApiResponse::copiesAreIndependent()
{
    TJsonApiResponse original;
    original.setId("a").addError(TJsonApiError("1", "t", "d"));
    TJsonApiResponse copy(original);
    TJsonApiResponse assigned;
    assigned = original;
    original.setId("b").setErrors({});
    QCOMPARE(copy.id(), QStringLiteral("a"));
    QCOMPARE(assigned.firstError().detail(), QStringLiteral("d"));

    TJsonApiError error("1", "t", "d");
    TJsonApiError errorCopy = error;
    error.setTitle("changed");
    QCOMPARE(errorCopy.title(), QStringLiteral("t"));
}

QTEST_GUILESS_MAIN(tst_TJsonApiResponse)
#include "tst_tjsonapiresponse.moc"
