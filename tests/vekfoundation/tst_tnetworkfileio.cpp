#include "httppeer.h"
#include "terror.h"
#include "tnetworkfileio.h"
#include "vektestfiles.h"

#include <QJsonDocument>
#include <QTimer>
#include <QtTest>

namespace {
using VekTest::md5Of;
using VekTest::readFile;
using VekTest::writeFile;

struct Progress
{
    qint64 done;
    qint64 total;
    int number;
    int count;
};
} // namespace

class tst_TNetworkFileIo : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();

    void downloadsWhatIsMissing();
    void downloadQueriesEvenWithNothingToAsk();
    void sharedDigestsAreAllFetched();
    void badDownloadKeepsOldFile_data();
    void badDownloadKeepsOldFile();
    void unwritableTargetIsSkipped();
    void failedQueryListsOnlyGoodCopies_data();
    void failedQueryListsOnlyGoodCopies();
    void stopDuringSlowBody();
    void stopDuringQuery();
    void specialNamesReachTheRightFile();
    void uploadsWhatTheServiceLacks();
    void uploadReportsExactlyTheFailures();
    void callsWithoutServerOrFilesFail();

private:
    TNetworkFileIo *newClient(QObject *iOwner, const QString &iDir = QStringLiteral("plant/cam"));
    QString localDir(const QString &iName) const { return mLocal.path() + QLatin1Char('/') + iName + QLatin1Char('/'); }
    QStringList requestsTo(const QString &iEndpoint);

    HttpPeer mPeer;
    QTemporaryDir mLocal;
};

void tst_TNetworkFileIo::initTestCase()
{
    QString why;
    QVERIFY2(mPeer.start(&why), qPrintable(why));
    QVERIFY(mLocal.isValid());
}

void tst_TNetworkFileIo::init() { mPeer.control(QStringLiteral("reset")); }

TNetworkFileIo *tst_TNetworkFileIo::newClient(QObject *iOwner, const QString &iDir)
{
    auto *io = new TNetworkFileIo(iOwner);
    io->setConnectParameter(mPeer.baseUrl());
    io->setServerDir(iDir);
    return io;
}

QStringList tst_TNetworkFileIo::requestsTo(const QString &iEndpoint)
{
    QStringList result;
    for (const QVariant &entry : mPeer.requestLog()) {
        const QVariantMap map = entry.toMap();
        if (map.value("path").toString().endsWith(iEndpoint))
            result.append(iEndpoint == QLatin1String("getFileExists") ? map.value("body").toString()
                                                                      : map.value("rawQuery").toString());
    }
    return result;
}

void tst_TNetworkFileIo::downloadsWhatIsMissing()
{
    const QString dir = localDir("down");
    const QByteArray a = QByteArray("first file ").repeated(3000);
    const QByteArray b = QByteArray("second file").repeated(5000);
    const QByteArray c("already here");
    const QString md5a = mPeer.storeFile("plant/cam", a);
    const QString md5b = mPeer.storeFile("plant/cam", b);
    const QString md5c = mPeer.storeFile("plant/cam", c);
    const QString md5gone = md5Of("the service lacks this one");
    QVERIFY(writeFile(dir + "c.txt", c));
    QVERIFY(writeFile(dir + "a.txt", "stale copy of a"));

    QObject owner;
    TNetworkFileIo *io = newClient(&owner);
    QList<Progress> progress;
    connect(io, &TNetworkFileIo::processInfo, [&](qint64 done, qint64 total, int number, int count) {
        progress.append({done, total, number, count});
    });
    QSignalSpy ends(io, &TNetworkFileIo::eventloopStoped);
    TError error;
    const QStringList result = io->downloadFiles(
            {{"a.txt", md5a}, {"sub/dir/b.bin", md5b}, {"c.txt", md5c}, {"gone.txt", md5gone}}, dir, &error);
    // One end per request: the query and two downloads.
    QCOMPARE(ends.count(), 3);

    QCOMPARE(result, QStringList({dir + "a.txt", dir + "c.txt", dir + "gone.txt", dir + "sub/dir/b.bin"}));
    QVERIFY2(!error.isValid(), qPrintable(error.text()));
    QCOMPARE(readFile(dir + "a.txt"), a);
    QCOMPARE(readFile(dir + "sub/dir/b.bin"), b);
    QCOMPARE(readFile(dir + "c.txt"), c);
    QVERIFY(!QFile::exists(dir + "gone.txt"));

    // The up-to-date copy is neither asked about nor fetched.
    QCOMPARE(requestsTo("getFileExists"),
             QStringList {QStringLiteral(R"({"dir":"plant/cam","md5":["%1","%2","%3"]})").arg(md5a, md5gone, md5b)});
    QCOMPARE(requestsTo("downloadFile"), QStringList({"dir=plant%2Fcam&md5=" + md5a + "&filename=a.txt",
                                                      "dir=plant%2Fcam&md5=" + md5b + "&filename=sub%2Fdir%2Fb.bin"}));

    // Progress runs through file 1 then file 2, each up to its full size, of a constant count.
    QVERIFY(!progress.isEmpty());
    int lastNumber = 1;
    qint64 lastDone = 0;
    for (const Progress &p : progress) {
        QCOMPARE(p.count, 2);
        QVERIFY(p.number == lastNumber || p.number == lastNumber + 1);
        if (p.number != lastNumber)
            lastDone = 0;
        QVERIFY(p.done >= lastDone);
        lastNumber = p.number;
        lastDone = p.done;
    }
    QCOMPARE(progress.first().number, 1);
    QCOMPARE(progress.last().number, 2);
    QCOMPARE(progress.last().done, qint64(b.size()));
}

void tst_TNetworkFileIo::downloadQueriesEvenWithNothingToAsk()
{
    const QString dir = localDir("uptodate");
    QVERIFY(writeFile(dir + "x.txt", "x"));
    QObject owner;
    TNetworkFileIo *io = newClient(&owner);
    // An empty digest and a missing file match: nothing to fetch.
    const QStringList result = io->downloadFiles({{"x.txt", md5Of("x")}, {"none.txt", ""}}, dir);
    QCOMPARE(result, QStringList({dir + "none.txt", dir + "x.txt"}));
    QCOMPARE(requestsTo("getFileExists"), QStringList {R"({"dir":"plant/cam","md5":[]})"});
    QVERIFY(requestsTo("downloadFile").isEmpty());
}

void tst_TNetworkFileIo::sharedDigestsAreAllFetched()
{
    const QString dir = localDir("shared");
    const QString md5 = mPeer.storeFile("plant/cam", "same content");
    QObject owner;
    TNetworkFileIo *io = newClient(&owner);
    const QStringList result = io->downloadFiles({{"one.txt", md5}, {"two.txt", md5}}, dir);
    QCOMPARE(result, QStringList({dir + "one.txt", dir + "two.txt"}));
    QCOMPARE(readFile(dir + "one.txt"), QByteArray("same content"));
    QCOMPARE(readFile(dir + "two.txt"), QByteArray("same content"));
}

void tst_TNetworkFileIo::badDownloadKeepsOldFile_data()
{
    QTest::addColumn<QString>("control");
    QTest::newRow("corrupted body") << "corrupt?endpoint=downloadFile";
    QTest::newRow("server error") << "fail?endpoint=downloadFile&status=500";
}

void tst_TNetworkFileIo::badDownloadKeepsOldFile()
{
    QFETCH(QString, control);
    const QString dir = localDir("bad");
    QVERIFY(writeFile(dir + "job.tgz", "old good copy"));
    QVERIFY(writeFile(dir + "other.txt", "old other"));
    const QString md5 = mPeer.storeFile("plant/cam", "new release");
    const QString md5Other = mPeer.storeFile("plant/cam", "new other");
    mPeer.control(control);

    QObject owner;
    TNetworkFileIo *io = newClient(&owner);
    QSignalSpy ends(io, &TNetworkFileIo::eventloopStoped);
    TError error;
    const QStringList result = io->downloadFiles({{"job.tgz", md5}, {"other.txt", md5Other}}, dir, &error);
    QCOMPARE(ends.count(), 3);
    // The failed file is left out and reported; the walk goes on with the next one.
    QCOMPARE(result, QStringList {dir + "other.txt"});
    QCOMPARE(readFile(dir + "job.tgz"), QByteArray("old good copy"));
    QCOMPARE(readFile(dir + "other.txt"), QByteArray("new other"));
    QVERIFY(error.isValid());
    QVERIFY2(error.text().contains("job.tgz"), qPrintable(error.text()));
    QCOMPARE(QDir(dir).entryList(QDir::Files), QStringList({"job.tgz", "other.txt"}));
}

void tst_TNetworkFileIo::unwritableTargetIsSkipped()
{
    const QString dir = localDir("blocked");
    QVERIFY(writeFile(dir + "blocker", "a plain file where a folder is needed"));
    const QString md5 = mPeer.storeFile("plant/cam", "cannot land");
    const QString md5Ok = mPeer.storeFile("plant/cam", "lands");

    QObject owner;
    TNetworkFileIo *io = newClient(&owner);
    TError error;
    const QStringList result = io->downloadFiles({{"blocker/x.txt", md5}, {"ok.txt", md5Ok}}, dir, &error);
    QCOMPARE(result, QStringList {dir + "ok.txt"});
    QVERIFY2(error.text().contains("blocker/x.txt"), qPrintable(error.text()));
    QCOMPARE(readFile(dir + "ok.txt"), QByteArray("lands"));
    // Nothing is fetched that could not be stored.
    QCOMPARE(requestsTo("downloadFile").size(), 1);
}

void tst_TNetworkFileIo::failedQueryListsOnlyGoodCopies_data()
{
    QTest::addColumn<QString>("control");
    QTest::newRow("query fails") << "fail?endpoint=getFileExists&status=503";
    QTest::newRow("answer is not json") << "garbage?endpoint=getFileExists";
}

void tst_TNetworkFileIo::failedQueryListsOnlyGoodCopies()
{
    QFETCH(QString, control);
    const QString dir = localDir("query");
    QVERIFY(writeFile(dir + "good.txt", "good"));
    const QString md5 = mPeer.storeFile("plant/cam", "fresh");
    mPeer.control(control);

    QObject owner;
    TNetworkFileIo *io = newClient(&owner);
    TError error;
    const QStringList result = io->downloadFiles({{"good.txt", md5Of("good")}, {"fresh.txt", md5}}, dir, &error);
    QCOMPARE(result, QStringList {dir + "good.txt"});
    QVERIFY(error.isValid());
    QVERIFY(requestsTo("downloadFile").isEmpty());
    QVERIFY(!QFile::exists(dir + "fresh.txt"));
}

void tst_TNetworkFileIo::stopDuringSlowBody()
{
    const QString dir = localDir("slow");
    QVERIFY(writeFile(dir + "big.bin", "old big"));
    // Dribbled for about ten seconds: only a working stop leaves the old file in place.
    const QByteArray big = QByteArray(1024 * 1024, 'b');
    const QString md5 = mPeer.storeFile("plant/cam", big);
    mPeer.control("dribble?chunk=2048&delay=20");

    QObject owner;
    TNetworkFileIo *io = newClient(&owner);
    int stopsAt = -1;
    connect(io, &TNetworkFileIo::processInfo, io, [&](qint64 done, qint64) {
        if (done > 0 && stopsAt < 0) {
            stopsAt = int(done);
            io->stop();
        }
    });
    const QStringList result = io->downloadFiles({{"big.bin", md5}}, dir);
    QVERIFY(stopsAt > 0 && stopsAt < big.size());
    QVERIFY(result.isEmpty());
    QCOMPARE(readFile(dir + "big.bin"), QByteArray("old big"));
    QCOMPARE(QDir(dir).entryList(QDir::Files), QStringList {"big.bin"});

    // The same object works again after a stop.
    mPeer.control("reset");
    disconnect(io, &TNetworkFileIo::processInfo, io, nullptr);
    QCOMPARE(io->downloadFiles({{"big.bin", md5}}, dir), QStringList {dir + "big.bin"});
    QCOMPARE(readFile(dir + "big.bin"), big);
}

void tst_TNetworkFileIo::stopDuringQuery()
{
    const QString dir = localDir("stopq");
    const QString md5 = mPeer.storeFile("plant/cam", "q");
    QObject owner;
    TNetworkFileIo *io = newClient(&owner);
    QTimer::singleShot(0, io, &TNetworkFileIo::stop);
    QVERIFY(io->downloadFiles({{"q.txt", md5}}, dir).isEmpty());
    QVERIFY(!QFile::exists(dir + "q.txt"));

    QCOMPARE(io->downloadFiles({{"q.txt", md5}}, dir), QStringList {dir + "q.txt"});
    QCOMPARE(readFile(dir + "q.txt"), QByteArray("q"));
}

void tst_TNetworkFileIo::specialNamesReachTheRightFile()
{
    const QString serverDir = QStringLiteral("line 3/a&b#c?d%e+f");
    const QString dir = localDir("special");
    const QStringList names {"a&b #1?.txt", "c%2B+d.txt", "quote\"back\\slash.txt", QString::fromUtf8("板 ü.txt")};
    QVariantMap files;
    for (const QString &name : names)
        files.insert(name, mPeer.storeFile(serverDir, name.toUtf8()));

    QObject owner;
    TNetworkFileIo *io = newClient(&owner, serverDir);
    TError error;
    const QStringList result = io->downloadFiles(files, dir, &error);
    QVERIFY2(!error.isValid(), qPrintable(error.text()));
    QCOMPARE(result.size(), names.size());
    for (const QString &name : names)
        QCOMPARE(readFile(dir + name), name.toUtf8());

    // The peer decoded the same names and folder that were sent.
    for (const QVariant &entry : mPeer.requestLog()) {
        const QVariantMap map = entry.toMap();
        if (!map.value("path").toString().endsWith("downloadFile"))
            continue;
        const QVariantMap query = map.value("query").toMap();
        QCOMPARE(query.value("dir").toList().value(0).toString(), serverDir);
        QVERIFY(names.contains(query.value("filename").toList().value(0).toString()));
    }
    QVERIFY(requestsTo("getFileExists").value(0).contains(R"("dir":"line 3/a&b#c?d%e+f")"));
}

void tst_TNetworkFileIo::uploadsWhatTheServiceLacks()
{
    const QString dir = localDir("up");
    const QByteArray one = QByteArray("one ").repeated(40000);
    const QByteArray two("two");
    const QByteArray held("held");
    QVERIFY(writeFile(dir + "one.bin", one));
    QVERIFY(writeFile(dir + "two.txt", two));
    QVERIFY(writeFile(dir + "held.txt", held));
    mPeer.storeFile("uploads/new", held);

    QObject owner;
    TNetworkFileIo *io = newClient(&owner);
    QList<Progress> progress;
    connect(io, &TNetworkFileIo::processInfo, [&](qint64 done, qint64 total, int number, int count) {
        progress.append({done, total, number, count});
    });
    TError error;
    const QStringList failed = io->uploadFiles({dir + "one.bin", dir + "held.txt", dir + "two.txt"},
                                               QStringLiteral("uploads/new"), &error);
    QVERIFY2(failed.isEmpty(), qPrintable(failed.join(", ")));
    QVERIFY(!error.isValid());
    QCOMPARE(readFile(mPeer.storePath() + "/uploads/new/" + md5Of(one)), one);
    QCOMPARE(readFile(mPeer.storePath() + "/uploads/new/" + md5Of(two)), two);
    // The upload directory names both the query and the uploads.
    QCOMPARE(requestsTo("getFileExists"), QStringList {QStringLiteral(R"({"dir":"uploads/new","md5":["%1","%2","%3"]})")
                                                               .arg(md5Of(one), md5Of(held), md5Of(two))});
    QCOMPARE(requestsTo("uploadFile"),
             QStringList({"dir=uploads%2Fnew&md5=" + md5Of(one), "dir=uploads%2Fnew&md5=" + md5Of(two)}));
    QVERIFY(!progress.isEmpty());
    QCOMPARE(progress.first().number, 1);
    QCOMPARE(progress.last().number, 2);
    for (const Progress &p : progress)
        QCOMPARE(p.count, 2);
}

void tst_TNetworkFileIo::uploadReportsExactlyTheFailures()
{
    const QString dir = localDir("upfail");
    QVERIFY(writeFile(dir + "rejected.txt", "rejected"));
    QVERIFY(writeFile(dir + "fine.txt", "fine"));
    const QString missing = dir + "missing.txt";
    mPeer.control("fail?endpoint=uploadFile&status=500&count=1");

    QObject owner;
    TNetworkFileIo *io = newClient(&owner, QStringLiteral("up2"));
    TError error;
    const QStringList failed = io->uploadFiles({dir + "rejected.txt", missing, dir + "fine.txt"}, QString(), &error);
    QCOMPARE(failed, QStringList({dir + "rejected.txt", missing}));
    QVERIFY(error.isValid());
    QVERIFY(error.text().contains("missing.txt"));
    QCOMPARE(readFile(mPeer.storePath() + "/up2/" + md5Of("fine")), QByteArray("fine"));
    QCOMPARE(requestsTo("uploadFile").size(), 2);
}

void tst_TNetworkFileIo::callsWithoutServerOrFilesFail()
{
    TNetworkFileIo io;
    TError error;
    QVERIFY(io.downloadFiles({{"a", "b"}}, localDir("none"), &error).isEmpty());
    QVERIFY(error.isValid());
    error.clearError();
    QCOMPARE(io.uploadFiles({"/tmp/x"}, "d", &error), QStringList {"/tmp/x"});
    QVERIFY(error.isValid());

    io.setConnectParameter(QString());
    error.clearError();
    QVERIFY(io.downloadFiles({{"a", "b"}}, localDir("none"), &error).isEmpty());
    QVERIFY(error.isValid());

    io.setConnectParameter(mPeer.baseUrl());
    error.clearError();
    QVERIFY(io.downloadFiles(QVariantMap(), localDir("none"), &error).isEmpty());
    QCOMPARE(error.text(), QStringLiteral("File info is invalid!"));
    QVERIFY(mPeer.requestLog().isEmpty());
}

QTEST_GUILESS_MAIN(tst_TNetworkFileIo)
#include "tst_tnetworkfileio.moc"
