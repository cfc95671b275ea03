#include "terror.h"
#include "tfileio.h"

#include <QTemporaryDir>
#include <QTextCodec>
#include <QtTest>

#include <functional>

class tst_TFileIo : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();

    void readString_data();
    void readString();
    void writeString_data();
    void writeString();
    void stringRoundTripGbkAndUtf8();
    void openFailures_data();
    void openFailures();
    void failedWriteIsReported_data();
    void failedWriteIsReported();
    void base64Levels();
    void base64RejectsUncompressedData();
    void copyFile();
    void deleteFile();
    void makePath();
    void fileInfo();
    void dirInfoList();
    void dirInfoListStopsAtLinkLoops();
    void md5AndUuid();
    void openFileWithoutDesktop();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    void put(const QString &name, const QByteArray &bytes);
    QByteArray get(const QString &name) const;
    QScopedPointer<QTemporaryDir> m_dir;
};

void tst_TFileIo::init()
{
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
}

void tst_TFileIo::put(const QString &name, const QByteArray &bytes)
{
    QFile f(path(name));
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), qint64(bytes.size()));
}

QByteArray tst_TFileIo::get(const QString &name) const
{
    QFile f(path(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

static QByteArray gbk(const QString &text) { return QTextCodec::codecForName("GBK")->fromUnicode(text); }

static const QString kChinese = QString::fromUtf8("钻孔 程序");

void tst_TFileIo::readString_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("codec");
    QTest::addColumn<QString>("expected");
    const QByteArray bom("\xef\xbb\xbf");
    const QByteArray latinBom("\xc3\xaf\xc2\xbb\xc2\xbf");
    QTest::newRow("utf-8") << kChinese.toUtf8() << "UTF-8" << kChinese;
    QTest::newRow("utf-8 with bom") << bom + kChinese.toUtf8() << "UTF-8" << kChinese;
    QTest::newRow("gbk") << gbk(kChinese) << "GBK" << kChinese;
    QTest::newRow("utf-8 bom overrides gbk") << bom + kChinese.toUtf8() << "GBK" << kChinese;
    QTest::newRow("latin-1 bom, upper") << latinBom + "x"
                                        << "UTF-8"
                                        << "x";
    QTest::newRow("latin-1 bom, lower") << latinBom + "x"
                                        << "utf-8"
                                        << "x";
    QTest::newRow("latin-1 bom, other codec") << latinBom + "x"
                                              << "ISO-8859-1" << QString::fromLatin1(latinBom + "x");
    QTest::newRow("crlf") << QByteArray("a\r\nb\n") << "UTF-8"
                          << "a\nb\n";
    QTest::newRow("unknown codec falls back to locale") << kChinese.toUtf8() << "no-such-codec" << kChinese;
    QTest::newRow("empty") << QByteArray() << "UTF-8"
                           << "";
}

void tst_TFileIo::readString()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, codec);
    QFETCH(QString, expected);
    put("in.txt", bytes);
    TError err;
    const QString text = TFileIo::readFileString(path("in.txt"), codec, &err);
    QCOMPARE(text, expected);
    QVERIFY(!text.isNull());
    QVERIFY(!err.isValid());
}

void tst_TFileIo::writeString_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("codec");
    QTest::addColumn<bool>("bom");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("utf-8") << kChinese << "UTF-8" << false << kChinese.toUtf8();
    QTest::newRow("utf-8 bom") << kChinese << "UTF-8" << true << QByteArray("\xef\xbb\xbf") + kChinese.toUtf8();
    QTest::newRow("gbk") << kChinese << "GBK" << false << gbk(kChinese);
    QTest::newRow("gbk, no mark exists") << kChinese << "GBK" << true << gbk(kChinese);
    QTest::newRow("line ends kept") << "a\r\nb\n"
                                    << "UTF-8" << false << QByteArray("a\r\nb\n");
}

void tst_TFileIo::writeString()
{
    QFETCH(QString, text);
    QFETCH(QString, codec);
    QFETCH(bool, bom);
    QFETCH(QByteArray, bytes);
    put("out.txt", "old content that is longer than the new one, and must go");
    TError err;
    QVERIFY(TFileIo::writeFileString(text, path("out.txt"), codec, bom, &err));
    QVERIFY(!err.isValid());
    QCOMPARE(get("out.txt"), bytes);
}

void tst_TFileIo::stringRoundTripGbkAndUtf8()
{
    for (const QString codec : {"UTF-8", "GBK"}) {
        for (bool bom : {false, true}) {
            QVERIFY(TFileIo::writeFileString(kChinese, path("rt.txt"), codec, bom));
            QCOMPARE(TFileIo::readFileString(path("rt.txt"), codec), kChinese);
        }
    }
}

void tst_TFileIo::openFailures_data()
{
    QTest::addColumn<int>("which");
    QTest::newRow("readFileString") << 0;
    QTest::newRow("readFileByteArray") << 1;
    QTest::newRow("readFileBase64") << 2;
    QTest::newRow("getFileMd5") << 3;
    QTest::newRow("writeFileString") << 4;
    QTest::newRow("writeFileByteArray") << 5;
}

void tst_TFileIo::openFailures()
{
    QFETCH(int, which);
    const QString missing = path(which < 4 ? "missing.txt" : "no/such/folder/out.txt");
    TError err;
    bool failed = false;
    switch (which) {
    case 0: {
        const QString s = TFileIo::readFileString(missing, "UTF-8", &err);
        failed = s.isNull();
        break;
    }
    case 1:
        failed = TFileIo::readFileByteArray(missing, &err).isEmpty();
        break;
    case 2:
        failed = TFileIo::readFileBase64(missing, 9, &err).isEmpty();
        break;
    case 3:
        failed = TFileIo::getFileMd5(missing, &err).isEmpty();
        break;
    case 4:
        failed = !TFileIo::writeFileString("x", missing, "UTF-8", false, &err);
        break;
    case 5:
        failed = !TFileIo::writeFileByteArray("x", missing, &err);
        break;
    }
    QVERIFY(failed);
    QFile probe(missing);
    probe.open(which < 4 ? QIODevice::ReadOnly : QIODevice::WriteOnly);
    QCOMPARE(err.text(), QStringLiteral("open file %1 failed, error : %2").arg(missing, probe.errorString()));
    QCOMPARE(err.type(), QStringLiteral("Error"));
    QVERIFY(err.code().isEmpty() && err.trace().isEmpty());
}

void tst_TFileIo::failedWriteIsReported_data()
{
    QTest::addColumn<int>("which");
    QTest::newRow("writeFileString") << 0;
    QTest::newRow("writeFileByteArray") << 1;
    QTest::newRow("writeFileBase64") << 2;
}

void tst_TFileIo::failedWriteIsReported()
{
    // /dev/full opens for writing and refuses every byte.
    if (!QFileInfo::exists("/dev/full"))
        QSKIP("needs /dev/full");
    QFETCH(int, which);
    const QByteArray payload(100000, 'x');
    TError err;
    bool ok = true;
    switch (which) {
    case 0:
        ok = TFileIo::writeFileString(QString::fromLatin1(payload), "/dev/full", "UTF-8", false, &err);
        break;
    case 1:
        ok = TFileIo::writeFileByteArray(payload, "/dev/full", &err);
        break;
    case 2:
        ok = TFileIo::writeFileBase64(qCompress(payload).toBase64(), "/dev/full", &err);
        break;
    }
    QVERIFY(!ok);
    QVERIFY2(err.text().startsWith("write file /dev/full failed, error : "), qPrintable(err.text()));
    QCOMPARE(err.type(), QStringLiteral("Error"));
}

void tst_TFileIo::base64Levels()
{
    QByteArray content;
    for (int i = 0; i < 5000; ++i)
        content += QByteArray::number(i % 97) + '\n';
    put("src.bin", content);

    QCOMPARE(TFileIo::readFileBase64(path("src.bin")), content.toBase64());
    QCOMPARE(TFileIo::readFileBase64(path("src.bin"), 0), content.toBase64());
    for (int level : {-1, 1, 9}) {
        const QByteArray packed = TFileIo::readFileBase64(path("src.bin"), level);
        const QByteArray raw = QByteArray::fromBase64(packed);
        // Uncompressed length first, most significant byte first.
        QCOMPARE(quint32((uchar(raw[0]) << 24) | (uchar(raw[1]) << 16) | (uchar(raw[2]) << 8) | uchar(raw[3])),
                 quint32(content.size()));
        QVERIFY(TFileIo::writeFileBase64(packed, path("copy.bin")));
        QCOMPARE(get("copy.bin"), content);
    }

    put("empty.bin", QByteArray());
    QVERIFY(TFileIo::writeFileBase64(TFileIo::readFileBase64(path("empty.bin"), 9), path("copy.bin")));
    QCOMPARE(get("copy.bin"), QByteArray());
}

void tst_TFileIo::base64RejectsUncompressedData()
{
    put("target.bin", "precious");
    TError err;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("qUncompress"));
    QVERIFY(!TFileIo::writeFileBase64(QByteArray("not compressed at all").toBase64(), path("target.bin"), &err));
    QVERIFY(err.text().startsWith("write file " + path("target.bin") + " failed, error : "));
    QCOMPARE(get("target.bin"), QByteArray("precious"));

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("qUncompress"));
    QVERIFY(!TFileIo::writeFileBase64(QByteArray(), path("new.bin"), &err));
    QVERIFY(!QFile::exists(path("new.bin")));
}

void tst_TFileIo::copyFile()
{
    put("a.txt", "A");
    QVERIFY(TFileIo::copyFile(path("a.txt"), path("b.txt")));
    QCOMPARE(get("b.txt"), QByteArray("A"));

    put("c.txt", "C");
    TError err;
    QVERIFY(!TFileIo::copyFile(path("a.txt"), path("c.txt"), &err));
    QCOMPARE(err.text(), QStringLiteral("copy %1 to %2 failed.").arg(path("a.txt"), path("c.txt")));
    QCOMPARE(err.type(), QString());
    QCOMPARE(get("c.txt"), QByteArray("C"));

    QVERIFY(!TFileIo::copyFile(path("none.txt"), path("d.txt"), &err));
    QVERIFY(!QFile::exists(path("d.txt")));
}

void tst_TFileIo::deleteFile()
{
    put("gone.txt", "x");
    TError err;
    QVERIFY(TFileIo::deleteFile(path("gone.txt"), &err));
    QVERIFY(!err.isValid());
    QVERIFY(!QFile::exists(path("gone.txt")));

    QVERIFY(QDir(m_dir->path()).mkdir("folder"));
    for (const QString &target : {path("folder"), path("gone.txt")}) {
        QVERIFY(!TFileIo::deleteFile(target, &err));
        QCOMPARE(err.text(), QStringLiteral("File: %1 is not a file, or is not existed.").arg(target));
    }
    QVERIFY(QFileInfo(path("folder")).isDir());
}

void tst_TFileIo::makePath()
{
    TError err;
    QVERIFY(TFileIo::makePath(m_dir->path(), &err));
    QVERIFY(!err.isValid());
    QVERIFY(TFileIo::makePath(path("a/b/c"), &err));
    QVERIFY(QFileInfo(path("a/b/c")).isDir());
    QVERIFY(!err.isValid());

    put("plain", "x");
    QVERIFY(!TFileIo::makePath(path("plain/sub"), &err));
    QCOMPARE(err.text(), QStringLiteral("Create Dir %1 failed").arg(path("plain/sub")));
    QCOMPARE(err.type(), QStringLiteral("Error"));

    QVERIFY(TFileIo::isDir(path("a/b")));
    QVERIFY(!TFileIo::isDir(path("plain")));
    QVERIFY(TFileIo::isFileExist(path("plain")));
    QVERIFY(TFileIo::isFileExist(path("a")));
    QVERIFY(!TFileIo::isFileExist(path("nothing")));
}

void tst_TFileIo::fileInfo()
{
    put("job.tar.gz", "x");
    const QVariantMap info = TFileIo::getFileInfo(path("job.tar.gz"));
    QCOMPARE(info.value("name").toString(), QStringLiteral("job.tar.gz"));
    QCOMPARE(info.value("absolutePath").toString(), QFileInfo(m_dir->path()).absoluteFilePath());
    QCOMPARE(info.value("baseName").toString(), QStringLiteral("job"));
    QCOMPARE(info.value("completeBaseName").toString(), QStringLiteral("job.tar"));
    QCOMPARE(info.value("suffix").toString(), QStringLiteral("gz"));
    QCOMPARE(info.value("completeSuffix").toString(), QStringLiteral("tar.gz"));
    for (const char *key : {"created", "lastModified", "lastRead"}) {
        const QDateTime t = QDateTime::fromString(info.value(key).toString(), "yyyy-MM-dd hh:mm:ss");
        QVERIFY2(t.isValid(), key);
        QVERIFY(qAbs(t.secsTo(QDateTime::currentDateTime())) < 120);
    }
    QCOMPARE(info.size(), 9);

    TError err;
    QVERIFY(TFileIo::getFileInfo(m_dir->path(), QVariantMap(), &err).isEmpty());
    QCOMPARE(err.text(), QStringLiteral("File: %1 is not a file, or is not existed.").arg(m_dir->path()));
}

static QStringList names(const QVariantList &entries)
{
    QStringList result;
    for (const QVariant &e : entries)
        result << e.toMap().value("name").toString();
    return result;
}

void tst_TFileIo::dirInfoList()
{
    QVERIFY(TFileIo::makePath(path("root/Beta/inner")));
    QVERIFY(TFileIo::makePath(path("root/empty")));
    put("root/alpha.txt", "a");
    put("root/.hidden", "h");
    put("root/Beta/inner/deep.txt", "d");
    put("root/Beta/b.txt", "b");

    const QVariantList flat = TFileIo::getDirInfoList(path("root"));
    QCOMPARE(names(flat), (QStringList {"alpha.txt", "Beta", "empty"}));
    for (const QVariant &e : flat)
        QVERIFY(!e.toMap().contains("CHILDREN"));

    const QVariantList tree = TFileIo::getDirInfoList(path("root"), true);
    QCOMPARE(names(tree), (QStringList {"alpha.txt", "Beta", "empty"}));
    QCOMPARE(tree.at(0).toMap().value("type").toString(), QStringLiteral("file"));
    const QVariantMap beta = tree.at(1).toMap();
    QCOMPARE(beta.value("type").toString(), QStringLiteral("dir"));
    const QVariantList betaChildren = beta.value("CHILDREN").toList();
    QCOMPARE(names(betaChildren), (QStringList {"b.txt", "inner"}));
    QCOMPARE(names(betaChildren.at(1).toMap().value("CHILDREN").toList()), QStringList {"deep.txt"});
    const QVariantMap empty = tree.at(2).toMap();
    QCOMPARE(empty.value("type").toString(), QStringLiteral("dir"));
    QVERIFY(!empty.contains("CHILDREN"));
    QVERIFY(QDateTime::fromString(empty.value("lastModified").toString(), "yyyy-MM-dd hh:mm:ss").isValid());

    QVERIFY(TFileIo::getDirInfoList(path("root/alpha.txt"), true).isEmpty());
    QVERIFY(TFileIo::getDirInfoList(path("nowhere"), true).isEmpty());
}

void tst_TFileIo::dirInfoListStopsAtLinkLoops()
{
    QVERIFY(TFileIo::makePath(path("loop/sub")));
    put("loop/sub/f.txt", "f");
    QVERIFY(QFile::link(path("loop"), path("loop/sub/back")));
    const QVariantList tree = TFileIo::getDirInfoList(path("loop"), true);
    QCOMPARE(names(tree), QStringList {"sub"});
    const QVariantList sub = tree.at(0).toMap().value("CHILDREN").toList();
    QCOMPARE(names(sub), (QStringList {"back", "f.txt"}));
    // The link back to an ancestor is listed but not entered.
    QCOMPARE(sub.at(0).toMap().value("type").toString(), QStringLiteral("dir"));
    QVERIFY(!sub.at(0).toMap().contains("CHILDREN"));
}

void tst_TFileIo::md5AndUuid()
{
    put("abc.txt", "abc");
    QCOMPARE(TFileIo::getFileMd5(path("abc.txt")), QStringLiteral("900150983cd24fb0d6963f7d28e17f72"));
    put("empty.txt", "");
    QCOMPARE(TFileIo::getFileMd5(path("empty.txt")), QStringLiteral("d41d8cd98f00b204e9800998ecf8427e"));

    const QString uuid = TFileIo::createUuid();
    QVERIFY(QRegularExpression("^[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12}$")
                    .match(uuid)
                    .hasMatch());
    QVERIFY(uuid != TFileIo::createUuid());
}

void tst_TFileIo::openFileWithoutDesktop()
{
    // No GUI application here: the request fails and says so.
    put("doc.txt", "x");
    TError err;
    QVERIFY(!TFileIo::openFile(path("doc.txt"), &err));
    QCOMPARE(err.text(), QStringLiteral("open %1 failed, maybe it does not existed.").arg(path("doc.txt")));
}

QTEST_GUILESS_MAIN(tst_TFileIo)
#include "tst_tfileio.moc"
