#include "httppeer.h"
#include "thttpreply.h"
#include "thttprequest.h"
#include "thttputil.h"
#include "tjsonapiresponse.h"
#include "vektestfiles.h"

#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QTcpServer>
#include <QtTest>

namespace {
QVariantMap echoOf(const THttpReply &iReply) { return QJsonDocument::fromJson(iReply.byteData()).toVariant().toMap(); }

using VekTest::md5Of;
using VekTest::readFile;
using VekTest::writeFile;
} // namespace

class tst_THttpUtil : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();

    void requestPathReplacesBasePath();
    void queryValuesReachThePeer_data();
    void queryValuesReachThePeer();
    void getSendsHeaders();
    void postJson();
    void postJsonKeepsCallersContentType();
    void postRawBody();
    void putAndDeleteThroughReplyData();
    void replyDataOfFinishedReply();
    void statusCodesMapToErrors_data();
    void statusCodesMapToErrors();
    void refusedConnection();
    void utilBuildsRequests();

    void downloadReplacesFileOnSuccess();
    void downloadFailureKeepsOldFile_data();
    void downloadFailureKeepsOldFile();
    void downloadIntoUnwritablePlace();
    void uploadFileAndBytes();
    void uploadOfUnreadableFileSendsNothing();

private:
    HttpPeer mPeer;
    QTemporaryDir mLocal;
};

void tst_THttpUtil::initTestCase()
{
    QString why;
    QVERIFY2(mPeer.start(&why), qPrintable(why));
    QVERIFY(mLocal.isValid());
}

void tst_THttpUtil::init() { mPeer.control(QStringLiteral("reset")); }

void tst_THttpUtil::requestPathReplacesBasePath()
{
    THttpRequest request;
    request.setUrl(mPeer.baseUrl() + QStringLiteral("/api/v1?old=1")).setPath(QStringLiteral("/echo/items"));
    const QUrl url = request.buildRequest().url();
    QCOMPARE(url.path(), QStringLiteral("/echo/items"));
    QVERIFY(!url.hasQuery());
    QCOMPARE(echoOf(request.httpGet()).value("path").toString(), QStringLiteral("/echo/items"));
}

void tst_THttpUtil::queryValuesReachThePeer_data()
{
    QTest::addColumn<QVariantMap>("params");
    QTest::addColumn<QString>("rawQuery");
    QTest::newRow("plain, in name order") << QVariantMap {{"b", "2"}, {"a", "one.txt"}} << "a=one.txt&b=2";
    QTest::newRow("reserved characters") << QVariantMap {{"name", "a&b=c#d?e%f+g h\"i\\j"}}
                                         << "name=a%26b%3Dc%23d%3Fe%25f%2Bg%20h%22i%5Cj";
    QTest::newRow("non-ASCII") << QVariantMap {{"n", QString::fromUtf8("板-ü")}} << "n=%E6%9D%BF-%C3%BC";
}

void tst_THttpUtil::queryValuesReachThePeer()
{
    QFETCH(QVariantMap, params);
    QFETCH(QString, rawQuery);
    THttpRequest request;
    request.setUrl(mPeer.baseUrl()).setPath(QStringLiteral("/echo")).setQueryParam(params);
    const QVariantMap echo = echoOf(request.httpGet());
    QCOMPARE(echo.value("rawQuery").toString(), rawQuery);
    const QVariantMap query = echo.value("query").toMap();
    QCOMPARE(query.size(), params.size());
    for (auto it = params.cbegin(); it != params.cend(); ++it)
        QCOMPARE(query.value(it.key()).toList().value(0).toString(), it.value().toString());
}

void tst_THttpUtil::getSendsHeaders()
{
    THttpRequest request;
    request.setUrl(mPeer.baseUrl()).setPath("/echo").addHeader("X-Plant", "P1").addHeader("X-Line", "L2");
    QCOMPARE(request.header("X-Plant"), QStringLiteral("P1"));
    const THttpReply reply = request.httpGet();
    QCOMPARE(reply.errorCode(), QNetworkReply::NoError);
    const QVariantMap echo = echoOf(reply);
    QCOMPARE(echo.value("method").toString(), QStringLiteral("GET"));
    QCOMPARE(echo.value("headers").toMap().value("x-plant").toString(), QStringLiteral("P1"));
    QCOMPARE(echo.value("headers").toMap().value("x-line").toString(), QStringLiteral("L2"));
}

void tst_THttpUtil::postJson()
{
    THttpRequest request;
    request.setUrl(mPeer.baseUrl())
            .setPath("/echo")
            .addBodyParam("name", "a \"quoted\" \\ name")
            .addBodyParam("rows", QVariantList {1, 2})
            .setBodyByteArray("raw bytes");
    const QVariantMap echo = echoOf(request.httpPost(QStringLiteral("json")));
    QCOMPARE(echo.value("method").toString(), QStringLiteral("POST"));
    QCOMPARE(echo.value("body").toString(), QStringLiteral(R"({"name":"a \"quoted\" \\ name","rows":[1,2]})"));
    QCOMPARE(echo.value("headers").toMap().value("content-type").toString(),
             QStringLiteral("application/json;charset=utf8"));
    // The request keeps what the JSON post changed.
    QVERIFY(!request.bodyParams().contains(THttpRequest::bodyByteArrayKey));
    QCOMPARE(request.header("Content-Type"), QStringLiteral("application/json;charset=utf8"));
}

void tst_THttpUtil::postJsonKeepsCallersContentType()
{
    THttpRequest request;
    request.setUrl(mPeer.baseUrl()).setPath("/echo").addHeader("content-TYPE", "application/vnd.api+json");
    const QVariantMap echo = echoOf(request.httpPost(QStringLiteral("JSON")));
    QCOMPARE(echo.value("headers").toMap().value("content-type").toString(),
             QStringLiteral("application/vnd.api+json"));
    QCOMPARE(echo.value("body").toString(), QStringLiteral("{}"));
    QCOMPARE(request.headers().size(), 1);
}

void tst_THttpUtil::postRawBody()
{
    const QByteArray xml("<?xml version=\"1.0\"?><panel id=\"7\"/>");
    THttpRequest request;
    request.setUrl(mPeer.baseUrl())
            .setPath("/echo")
            .addHeader("Content-Type", "text/xml")
            .addBodyParam("ignored", 1)
            .setBodyByteArray(xml);
    QVariantMap echo = echoOf(request.httpPost(QStringLiteral("XML")));
    QCOMPARE(echo.value("body").toString().toUtf8(), xml);
    QCOMPARE(echo.value("headers").toMap().value("content-type").toString(), QStringLiteral("text/xml"));
    QVERIFY(request.bodyParams().contains(THttpRequest::bodyByteArrayKey));

    THttpRequest empty;
    empty.setUrl(mPeer.baseUrl()).setPath("/echo").addHeader("Content-Type", "text/xml");
    echo = echoOf(empty.httpPost(QStringLiteral("Xml")));
    QCOMPARE(echo.value("body").toString(), QString());
}

void tst_THttpUtil::putAndDeleteThroughReplyData()
{
    THttpRequest request;
    request.setUrl(mPeer.baseUrl()).setPath("/echo/item/7").addHeader("Content-Type", "application/json");
    QNetworkAccessManager manager;

    QNetworkReply *put = manager.put(request.buildRequest(), QByteArray(R"({"layers":8})"));
    QVariantMap echo = echoOf(THttpRequest::getReplyData(put));
    QCOMPARE(echo.value("method").toString(), QStringLiteral("PUT"));
    QCOMPARE(echo.value("body").toString(), QStringLiteral(R"({"layers":8})"));
    delete put;

    QNetworkReply *del = manager.deleteResource(request.buildRequest());
    echo = echoOf(THttpRequest::getReplyData(del));
    QCOMPARE(echo.value("method").toString(), QStringLiteral("DELETE"));
    QCOMPARE(echo.value("path").toString(), QStringLiteral("/echo/item/7"));
    delete del;
}

void tst_THttpUtil::replyDataOfFinishedReply()
{
    THttpRequest request;
    request.setUrl(mPeer.baseUrl()).setPath("/echo/done");
    QNetworkAccessManager manager;
    QNetworkReply *reply = manager.get(request.buildRequest());
    QSignalSpy finished(reply, &QNetworkReply::finished);
    QVERIFY(finished.wait(10000));
    // Must return what is buffered instead of waiting for a signal that has gone.
    const THttpReply outcome = THttpRequest::getReplyData(reply);
    QCOMPARE(echoOf(outcome).value("path").toString(), QStringLiteral("/echo/done"));
    delete reply;
}

void tst_THttpUtil::statusCodesMapToErrors_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("code");
    QTest::newRow("400") << 400 << int(QNetworkReply::ProtocolInvalidOperationError);
    QTest::newRow("403") << 403 << int(QNetworkReply::ContentAccessDenied);
    QTest::newRow("404") << 404 << int(QNetworkReply::ContentNotFoundError);
    QTest::newRow("410") << 410 << int(QNetworkReply::ContentGoneError);
    QTest::newRow("500") << 500 << int(QNetworkReply::InternalServerError);
    QTest::newRow("503") << 503 << int(QNetworkReply::ServiceUnavailableError);
}

void tst_THttpUtil::statusCodesMapToErrors()
{
    QFETCH(int, status);
    QFETCH(int, code);
    THttpRequest request;
    request.setUrl(mPeer.baseUrl()).setPath(QStringLiteral("/status/%1").arg(status));
    const THttpReply reply = request.httpGet();
    QCOMPARE(int(reply.errorCode()), code);
    QVERIFY(!reply.errorString().isEmpty());
    // The peer sent a JSON:API body; the reply keeps no bytes of it.
    QVERIFY(reply.byteData().isEmpty());

    const TJsonApiResponse response = reply.toJsonApiResponse();
    QCOMPARE(response.errors().size(), 1);
    QCOMPARE(response.firstError().code(), QString::number(code));
    QCOMPARE(response.firstError().title(), reply.errorString());
    QVERIFY(response.firstError().detail().isEmpty());
    QVERIFY(!response.data().isValid());
}

void tst_THttpUtil::refusedConnection()
{
    // A port that was free a moment ago: nothing listens there.
    QTcpServer probe;
    QVERIFY(probe.listen(QHostAddress::LocalHost));
    const quint16 port = probe.serverPort();
    probe.close();
    THttpRequest request;
    request.setUrl(QStringLiteral("http://127.0.0.1:%1").arg(port)).setPath("/echo");
    const THttpReply reply = request.httpGet();
    QCOMPARE(reply.errorCode(), QNetworkReply::ConnectionRefusedError);
    QCOMPARE(reply.toJsonApiResponse().firstError().code(), QStringLiteral("1"));
}

void tst_THttpUtil::utilBuildsRequests()
{
    THttpUtil util;
    util.setUrl(mPeer.baseUrl()).addHeader("X-A", "1").addHeader("X-B", "2").addHeader("X-A", "3").removeHeader("X-B");
    QCOMPARE(util.headers(), (QVariantMap {{"X-A", "3"}}));
    QCOMPARE(util.header("X-B"), QString());

    THttpRequest request = util.httpRequest(QStringLiteral("/echo/api"), {{"lot", "L-9"}});
    QCOMPARE(request.url(), mPeer.baseUrl());
    QVERIFY(request.queryParams().isEmpty());
    const THttpReply reply = request.httpPost("json");
    const QVariantMap echo = echoOf(reply);
    QCOMPARE(echo.value("headers").toMap().value("x-a").toString(), QStringLiteral("3"));
    QCOMPARE(echo.value("body").toString(), QStringLiteral(R"({"lot":"L-9"})"));

    // A JSON:API answer read through the reply.
    THttpRequest api = util.httpRequest(QStringLiteral("/status/409"));
    QCOMPARE(api.httpGet().toJsonApiResponse().firstError().code(),
             QString::number(QNetworkReply::ContentConflictError));

    THttpUtil copy(util);
    util.clearHeader();
    QCOMPARE(copy.header("X-A"), QStringLiteral("3"));
    QVERIFY(util.headers().isEmpty());
}

void tst_THttpUtil::downloadReplacesFileOnSuccess()
{
    const QByteArray content = QByteArray("panel data ").repeated(5000);
    const QString md5 = mPeer.storeFile(QStringLiteral("cam/jobs"), content);
    const QString target = mLocal.path() + QStringLiteral("/new/nested/job 1&2.tgz");
    THttpUtil util;
    util.setUrl(mPeer.baseUrl()).addHeader("X-Not-Sent", "1");

    THttpReply reply = util.downloadFile(QStringLiteral("cam/jobs"), md5, target);
    QCOMPARE(reply.errorCode(), QNetworkReply::NoError);
    QVERIFY(reply.byteData().isEmpty());
    QCOMPARE(readFile(target), content);

    const QVariantMap logged = mPeer.requestLog().last().toMap();
    QCOMPARE(logged.value("rawQuery").toString(), QStringLiteral("dir=cam%2Fjobs&filename=job%201%262.tgz&md5=") + md5);

    // An existing, writable file is replaced.
    const QByteArray other("second version");
    reply = util.downloadFile(QStringLiteral("cam/jobs"), mPeer.storeFile("cam/jobs", other), target);
    QCOMPARE(reply.errorCode(), QNetworkReply::NoError);
    QCOMPARE(readFile(target), other);
    QCOMPARE(QDir(QFileInfo(target).path()).entryList(QDir::Files), QStringList {"job 1&2.tgz"});
}

void tst_THttpUtil::downloadFailureKeepsOldFile_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("code");
    QTest::newRow("unknown digest") << "" << int(QNetworkReply::ContentNotFoundError);
    QTest::newRow("server error") << "fail?endpoint=downloadFile&status=500" << int(QNetworkReply::InternalServerError);
}

void tst_THttpUtil::downloadFailureKeepsOldFile()
{
    QFETCH(QString, control);
    QFETCH(int, code);
    if (!control.isEmpty())
        mPeer.control(control);
    const QString target = mLocal.path() + QStringLiteral("/keep.bin");
    QVERIFY(writeFile(target, "good copy"));
    THttpUtil util;
    util.setUrl(mPeer.baseUrl());
    const QString md5 = control.isEmpty() ? md5Of("never stored") : mPeer.storeFile("d", "new content");
    const THttpReply reply = util.downloadFile(QStringLiteral("d"), md5, target);
    QCOMPARE(int(reply.errorCode()), code);
    QCOMPARE(readFile(target), QByteArray("good copy"));
    QCOMPARE(QDir(mLocal.path()).entryList({"keep*"}, QDir::Files), QStringList {"keep.bin"});
}

void tst_THttpUtil::downloadIntoUnwritablePlace()
{
    const QString md5 = mPeer.storeFile("d", "x");
    THttpUtil util;
    util.setUrl(mPeer.baseUrl());

    // The target is a folder: it exists and cannot be replaced by a file.
    const QString folder = mLocal.path() + QStringLiteral("/a-folder");
    QVERIFY(QDir().mkpath(folder));
    THttpReply reply = util.downloadFile("d", md5, folder);
    QCOMPARE(reply.errorCode(), QNetworkReply::ContentAccessDenied);
    QCOMPARE(reply.errorString(), QStringLiteral("file %1 alrealy exists and can not be replaced!").arg(folder));
    QVERIFY(QFileInfo(folder).isDir());

    // A parent that is a plain file cannot hold the new file.
    const QString plain = mLocal.path() + QStringLiteral("/plain");
    QVERIFY(writeFile(plain, "p"));
    const QString below = plain + QStringLiteral("/x.bin");
    reply = util.downloadFile("d", md5, below);
    QCOMPARE(reply.errorCode(), QNetworkReply::ContentAccessDenied);
    QCOMPARE(reply.errorString(), QStringLiteral("can not write file %1 !").arg(below));
    QCOMPARE(readFile(plain), QByteArray("p"));
}

void tst_THttpUtil::uploadFileAndBytes()
{
    const QByteArray content = QByteArray("gerber\n").repeated(20000);
    const QString path = mLocal.path() + QStringLiteral("/up load.gbr");
    QVERIFY(writeFile(path, content));
    THttpUtil util;
    util.setUrl(mPeer.baseUrl()).addHeader("X-Not-Sent", "1");

    THttpReply reply = util.uploadFile(path, QStringLiteral("up/dir #1"));
    QCOMPARE(reply.errorCode(), QNetworkReply::NoError);
    QCOMPARE(QJsonDocument::fromJson(reply.byteData()).toVariant().toMap().value("md5").toString(), md5Of(content));
    QCOMPARE(readFile(mPeer.storePath() + "/up/dir #1/" + md5Of(content)), content);

    reply = util.uploadByteArray("small bytes", QStringLiteral("up"));
    QCOMPARE(reply.errorCode(), QNetworkReply::NoError);
    QCOMPARE(readFile(mPeer.storePath() + "/up/" + md5Of("small bytes")), QByteArray("small bytes"));

    const QVariantList log = mPeer.requestLog();
    QCOMPARE(log.size(), 2);
    QCOMPARE(log.at(0).toMap().value("rawQuery").toString(), "dir=up%2Fdir%20%231&md5=" + md5Of(content));
    QCOMPARE(log.at(1).toMap().value("path").toString(), QStringLiteral("/system/uploadFile"));
}

void tst_THttpUtil::uploadOfUnreadableFileSendsNothing()
{
    THttpUtil util;
    util.setUrl(mPeer.baseUrl());
    const QString missing = mLocal.path() + QStringLiteral("/missing.bin");
    const THttpReply reply = util.uploadFile(missing, QStringLiteral("up"));
    QCOMPARE(reply.errorCode(), QNetworkReply::ContentNotFoundError);
    QVERIFY(reply.errorString().startsWith(QStringLiteral("open file %1 failed, error : ").arg(missing)));
    QVERIFY(mPeer.requestLog().isEmpty());
}

QTEST_GUILESS_MAIN(tst_THttpUtil)
#include "tst_thttputil.moc"
