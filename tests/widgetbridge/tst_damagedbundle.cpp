// The product bundle "zul.rcc" as the build makes it, damaged: missing,
// empty, foreign, cut short, with tree entries that point out of the file,
// and with random bytes over its tree; and bundles whose compressed entries
// unpack to more than an entry may take, or to nothing sound. A bad bundle
// is refused with one error line naming it and registers nothing; a damaged
// one that passes the check serves its icons without crashing; the good
// bundle works afterwards.

#include "tlogger.h"
#include "tresource.h"

#include <QApplication>
#include <QDirIterator>
#include <QProcess>
#include <QRandomGenerator>
#include <QResource>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

namespace {

const QString kGoodBundle = QStringLiteral(VEK_ZUL_RCC_DIR "/zul.rcc");
const QString kIconFolder = QStringLiteral(":/system/icon");

quint32 read32(const QByteArray &iBytes, int iAt) { return qFromBigEndian<quint32>(iBytes.constData() + iAt); }

void write32(QByteArray &ioBytes, int iAt, quint32 iValue) { qToBigEndian(iValue, ioBytes.data() + iAt); }

// Where the parts of a well-formed bundle lie.
struct Layout
{
    explicit Layout(const QByteArray &iBytes)
        : tree(int(read32(iBytes, 8)))
        , data(int(read32(iBytes, 12)))
        , names(int(read32(iBytes, 16)))
        , entrySize(read32(iBytes, 4) >= 2 ? 22 : 14)
    {}
    int entry(int iNode) const { return tree + iNode * entrySize; }
    int tree;
    int data;
    int names;
    int entrySize;
};

// The entries of the good bundle: the root, ":/system", ":/system/icon",
// then the icons.
constexpr int kRoot = 0;
constexpr int kSystem = 1;
constexpr int kIcons = 2;
constexpr int kFirstIcon = 3;

} // namespace

class tst_DamagedBundle : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void refused_data();
    void refused();
    void goodBundleStillWorks();
    void olderFormats_data();
    void olderFormats();
    void randomBytesOverTheTree_data();
    void randomBytesOverTheTree();
    void unpackedSize_data();
    void unpackedSize();

private:
    bool write(const QString &iName, const QByteArray &iBytes);
    // Has rcc pack iFiles (path below ":/<iTag>/": content) into the bundle
    // "<iTag>.rcc" of the test folder; compressed above ten bytes.
    bool makeBundle(const QString &iTag, const QString &iVersion, const QString &iAlgorithm,
                    const QMap<QString, QByteArray> &iFiles);
    // Reads and draws every icon of the good bundle, and lists the whole
    // resource tree: what the first icon lookups do.
    void lookUpEverything();

    QTemporaryDir m_dir;
    QByteArray m_good;
    QMap<QString, QByteArray> m_icons; // name: content
};

bool tst_DamagedBundle::write(const QString &iName, const QByteArray &iBytes)
{
    QFile file(m_dir.filePath(iName));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(iBytes) == iBytes.size();
}

bool tst_DamagedBundle::makeBundle(const QString &iTag, const QString &iVersion, const QString &iAlgorithm,
                                   const QMap<QString, QByteArray> &iFiles)
{
    const QString work = m_dir.filePath(iTag);
    QString qrc = QStringLiteral("<RCC><qresource prefix=\"/%1\">").arg(iTag);
    for (auto it = iFiles.cbegin(); it != iFiles.cend(); ++it) {
        if (!QDir().mkpath(QFileInfo(work + QLatin1Char('/') + it.key()).absolutePath())
            || !write(iTag + QLatin1Char('/') + it.key(), it.value()))
            return false;
        qrc += QStringLiteral("<file>%1</file>").arg(it.key());
    }
    if (!write(iTag + QStringLiteral("/b.qrc"), (qrc + QStringLiteral("</qresource></RCC>")).toUtf8()))
        return false;
    QProcess rcc;
    rcc.start(QStringLiteral(VEK_RCC),
              {QStringLiteral("--binary"), QStringLiteral("--format-version"), iVersion,
               QStringLiteral("--compress-algo"), iAlgorithm, QStringLiteral("--threshold"), QStringLiteral("10"),
               work + QStringLiteral("/b.qrc"), QStringLiteral("-o"), m_dir.filePath(iTag + QStringLiteral(".rcc"))});
    if (!rcc.waitForFinished(60000) || rcc.exitStatus() != QProcess::NormalExit || rcc.exitCode() != 0) {
        qWarning("rcc: %s", rcc.readAllStandardError().constData());
        return false;
    }
    return true;
}

void tst_DamagedBundle::lookUpEverything()
{
    TResource *resource = TResource::instance();
    for (const QString &name : m_icons.keys()) {
        QFile file(kIconFolder + QLatin1Char('/') + name + QStringLiteral(".svg"));
        if (file.open(QIODevice::ReadOnly))
            file.readAll();
        resource->icon(name).pixmap(16, 16);
    }
    int listed = 0;
    QDirIterator it(QStringLiteral(":/"), QDir::AllEntries | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext() && listed < 100000) {
        it.next();
        ++listed;
    }
    QVERIFY(listed < 100000);
}

void tst_DamagedBundle::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QFile good(kGoodBundle);
    QVERIFY2(good.open(QIODevice::ReadOnly), qPrintable(kGoodBundle));
    m_good = good.readAll();
    // The shape the damage below is aimed at.
    const Layout layout(m_good);
    QCOMPARE(read32(m_good, 4), 3u);
    QCOMPARE(qFromBigEndian<quint16>(m_good.constData() + layout.entry(kIcons) + 4) & 2, 2);
    QVERIFY(qFromBigEndian<quint16>(m_good.constData() + layout.entry(kFirstIcon) + 4) == 0);

    // Its icons: the files of ":/system/icon", read straight from the bytes.
    const int count = int(read32(m_good, layout.entry(kIcons) + 6));
    QCOMPARE(int(read32(m_good, layout.entry(kIcons) + 10)), kFirstIcon);
    for (int node = kFirstIcon; node < kFirstIcon + count; ++node) {
        const int name = layout.names + int(read32(m_good, layout.entry(node)));
        const int length = qFromBigEndian<quint16>(m_good.constData() + name);
        QString file(length, Qt::Uninitialized);
        qFromBigEndian<quint16>(m_good.constData() + name + 6, length, file.data());
        QVERIFY2(file.endsWith(QLatin1String(".svg")), qPrintable(file));
        const int content = layout.data + int(read32(m_good, layout.entry(node) + 10));
        m_icons.insert(file.chopped(4), m_good.mid(content + 4, int(read32(m_good, content))));
    }
    QVERIFY(m_icons.size() > 10);

    TResource::instance()->setRccDir(m_dir.path());
}

void tst_DamagedBundle::refused_data()
{
    QTest::addColumn<QByteArray>("bytes"); // the file; null: no file at all
    QTest::addColumn<QString>("reason");   // in the error line

    const QByteArray good = m_good;
    const Layout at(good);
    const auto damaged = [&good](int iAt, quint32 iValue) {
        QByteArray bytes = good;
        write32(bytes, iAt, iValue);
        return bytes;
    };

    QTest::newRow("missing") << QByteArray() << "does not exist";
    QTest::newRow("empty") << QByteArray("") << "is empty";
    QTest::newRow("foreign: an image") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) << "is not a resource bundle";
    QTest::newRow("foreign: three letters") << QByteArray("qre") << "is not a resource bundle";
    QTest::newRow("cut inside the header") << good.left(12) << "header is cut off";
    QTest::newRow("cut before the tree") << good.left(at.tree) << "starts outside the file";
    QTest::newRow("cut inside the tree") << good.left(good.size() - 30) << "lie outside the file";
    QTest::newRow("cut by one byte") << good.left(good.size() - 1) << "lie outside the file";
    QTest::newRow("unknown version") << damaged(4, 9) << "unknown format version 9";
    QTest::newRow("tree offset past the end") << damaged(8, quint32(good.size())) << "starts outside the file";
    QTest::newRow("negative names offset") << damaged(16, 0xFFFFFFF0u) << "starts outside the file";
    {
        QByteArray bytes = good;
        bytes[at.entry(kRoot) + 5] = 0; // the folder flag
        QTest::newRow("root is a file") << bytes << "root is not a folder";
    }
    QTest::newRow("first child far out") << damaged(at.entry(kRoot) + 10, 0x7FFFFFFF) << "children of entry 0";
    QTest::newRow("negative child count") << damaged(at.entry(kIcons) + 6, 0xFFFFFFFF) << "children of entry 2";
    QTest::newRow("children past the last entry")
            << damaged(at.entry(kIcons) + 6, read32(good, at.entry(kIcons) + 6) + 1) << "children of entry 2";
    QTest::newRow("name past the end") << damaged(at.entry(kSystem), quint32(good.size() - at.names - 3))
                                       << "name of entry 1";
    QTest::newRow("negative name offset") << damaged(at.entry(kFirstIcon), 0xFFFF0000u) << "name of entry 3";
    {
        // The name's length (in UTF-16 units) reaches past the end.
        QByteArray bytes = good;
        const int name = at.names + int(read32(good, at.entry(kFirstIcon)));
        bytes[name] = char(0xFF);
        bytes[name + 1] = char(0xFF);
        QTest::newRow("name longer than the file") << bytes << "name of entry 3";
    }
    {
        const int name = at.names + int(read32(good, at.entry(kIcons)));
        QByteArray bytes = good;
        bytes[name] = 0;
        bytes[name + 1] = 0;
        QTest::newRow("a folder without a name") << bytes << "entry 2 has no usable name";
        bytes = good;
        bytes[name + 1] = 2;
        bytes[name + 6] = 0;
        bytes[name + 7] = '.';
        bytes[name + 8] = 0;
        bytes[name + 9] = '.';
        QTest::newRow("a folder named ..") << bytes << "entry 2 has no usable name";
        bytes = good;
        bytes[name + 7] = '/';
        QTest::newRow("a name with a slash") << bytes << "name of entry 2 holds a slash";
    }
    QTest::newRow("data far out") << damaged(at.entry(kFirstIcon) + 10, 0x7FFFFFF0) << "data of entry 3";
    QTest::newRow("negative data offset") << damaged(at.entry(kFirstIcon) + 10, 0x80000000u) << "data of entry 3";
    {
        const int content = at.data + int(read32(good, at.entry(kFirstIcon) + 10));
        QTest::newRow("data longer than the file") << damaged(content, 0xFFFFFFFFu) << "data of entry 3";
    }
    {
        // Compressed data that cannot even hold its unpacked length.
        QByteArray bytes = damaged(at.data + int(read32(good, at.entry(kFirstIcon) + 10)), 2);
        bytes[at.entry(kFirstIcon) + 5] = 1;
        QTest::newRow("compressed data cut off") << bytes << "compressed data of entry 3";
    }
    QTest::newRow("a folder that holds its parent") << damaged(at.entry(kIcons) + 10, kSystem) << "reached twice";
    QTest::newRow("a folder that holds the root") << damaged(at.entry(kSystem) + 10, kRoot) << "reached twice";
}

void tst_DamagedBundle::refused()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);

    const QString name
            = QStringLiteral("%1.rcc").arg(QTest::currentDataTag()).replace(QLatin1Char(' '), QLatin1Char('-'));
    if (!bytes.isNull())
        QVERIFY(write(name, bytes));
    TResource *resource = TResource::instance();
    const QStringList iconsBefore = resource->iconPathList();
    QSignalSpy logged(TLogger::instance(), &TLogger::logWrited);
    QVERIFY(!resource->loadRcc(name));

    QStringList errors;
    for (const QList<QVariant> &line : qAsConst(logged)) {
        if (line.at(1).toString().compare(QLatin1String("error"), Qt::CaseInsensitive) == 0)
            errors.append(line.at(0).toString());
    }
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors.first().contains(QDir::toNativeSeparators(m_dir.filePath(name))), qPrintable(errors.first()));
    QVERIFY2(errors.first().contains(reason), qPrintable(errors.first()));
    // Nothing was registered.
    QCOMPARE(resource->iconPathList(), iconsBefore);
    QVERIFY(!QFile::exists(kIconFolder));
    lookUpEverything();
}

void tst_DamagedBundle::goodBundleStillWorks()
{
    QVERIFY(write(QStringLiteral("zul.rcc"), m_good));
    TResource *resource = TResource::instance();
    QSignalSpy logged(TLogger::instance(), &TLogger::logWrited);
    QVERIFY(resource->loadRcc(QStringLiteral("zul.rcc")));
    for (const QList<QVariant> &line : qAsConst(logged))
        QVERIFY2(line.at(1).toString().compare(QLatin1String("error"), Qt::CaseInsensitive) != 0,
                 qPrintable(line.at(0).toString()));
    QVERIFY(resource->iconPathList().contains(kIconFolder));
    for (auto it = m_icons.cbegin(); it != m_icons.cend(); ++it) {
        const QString &name = it.key();
        QFile icon(resource->iconFilePath(name));
        QVERIFY(icon.open(QIODevice::ReadOnly));
        QCOMPARE(icon.fileName(), kIconFolder + QLatin1Char('/') + name + QStringLiteral(".svg"));
        QCOMPARE(icon.readAll(), it.value());
        QVERIFY2(!resource->icon(name).pixmap(16, 16).isNull(), qPrintable(name));
    }
}

void tst_DamagedBundle::olderFormats_data()
{
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("algorithm");
    QTest::newRow("version 1") << "1"
                               << "zlib";
    QTest::newRow("version 2") << "2"
                               << "zlib";
    QTest::newRow("version 3, zlib") << "3"
                                     << "zlib";
    QTest::newRow("version 3, zstd") << "3"
                                     << "zstd";
}

void tst_DamagedBundle::olderFormats()
{
    // Every format rcc writes passes the check: nested folders, a file that
    // is stored compressed and a small one that is not.
    QFETCH(QString, version);
    QFETCH(QString, algorithm);
    const QString tag = QStringLiteral("v%1%2").arg(version, algorithm);
    const QByteArray big = QByteArray("line of text\n").repeated(400);
    const QByteArray small("x");
    QVERIFY(makeBundle(tag, version, algorithm, {{"a/b/big.txt", big}, {"a/small.txt", small}}));

    QSignalSpy logged(TLogger::instance(), &TLogger::logWrited);
    QVERIFY(TResource::instance()->loadRcc(tag + QStringLiteral(".rcc")));
    QVERIFY2(logged.isEmpty(), logged.isEmpty() ? "" : qPrintable(logged.first().first().toString()));
    QFile bigFile(QStringLiteral(":/%1/a/b/big.txt").arg(tag));
    QFile smallFile(QStringLiteral(":/%1/a/small.txt").arg(tag));
    QVERIFY(bigFile.open(QIODevice::ReadOnly) && smallFile.open(QIODevice::ReadOnly));
    QCOMPARE(bigFile.readAll(), big);
    QCOMPARE(smallFile.readAll(), small);
    QVERIFY(QResource(bigFile.fileName()).compressionAlgorithm() != QResource::NoCompression);
}

void tst_DamagedBundle::randomBytesOverTheTree_data()
{
    QTest::addColumn<quint32>("seed");
    for (quint32 seed = 1; seed <= 12; ++seed)
        QTest::addRow("seed %u", seed) << seed;
}

void tst_DamagedBundle::randomBytesOverTheTree()
{
    // A few bytes changed anywhere in the tree. Whether the check refuses
    // the result depends on where they fall; either way nothing crashes and
    // the good bundle, registered before, still serves every icon.
    QFETCH(quint32, seed);
    QByteArray bytes = m_good;
    const Layout at(bytes);
    QRandomGenerator random(seed);
    for (int i = 0; i < 4; ++i)
        bytes[at.tree + random.bounded(bytes.size() - at.tree)] = char(random.bounded(256));
    const QString name = QStringLiteral("seed-%1.rcc").arg(seed);
    QVERIFY(write(name, bytes));

    QSignalSpy logged(TLogger::instance(), &TLogger::logWrited);
    const bool loaded = TResource::instance()->loadRcc(name);
    QStringList errors;
    for (const QList<QVariant> &line : qAsConst(logged)) {
        if (line.at(1).toString().compare(QLatin1String("error"), Qt::CaseInsensitive) == 0)
            errors.append(line.at(0).toString());
    }
    if (loaded) {
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join(QLatin1Char('\n'))));
    } else {
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors.first().contains(QDir::toNativeSeparators(m_dir.filePath(name))), qPrintable(errors.first()));
    }
    qInfo("seed %u: %s", seed, loaded ? "passed the check" : qPrintable(errors.first()));
    lookUpEverything();
    for (const QString &icon : m_icons.keys())
        QVERIFY2(!TResource::instance()->iconFilePath(icon).isEmpty(), qPrintable(icon));
}

void tst_DamagedBundle::unpackedSize_data()
{
    // A resource that compresses a thousandfold or more: what the bundle
    // holds says nothing of what Qt reserves when the entry is opened.
    QTest::addColumn<QString>("algorithm");
    QTest::addColumn<int>("megabytes"); // of zeros in the one file
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("reason"); // in the error line; empty: accepted

    QTest::newRow("zlib, 80 MB") << "zlib" << 80 << QString() << "entry 2 unpacks to more than 64 MB";
    QTest::newRow("zstd, 80 MB") << "zstd" << 80 << QString() << "entry 2 unpacks to more than 64 MB";
    QTest::newRow("zlib, 48 MB") << "zlib" << 48 << QString() << QString();
    QTest::newRow("zstd, 48 MB") << "zstd" << 48 << QString() << QString();
    // Qt grows the buffer for whatever more than the claim the stream holds.
    QTest::newRow("zlib, 80 MB claimed as 16 bytes") << "zlib" << 80 << "claim 16"
                                                     << "entry 2 unpacks to more than 64 MB";
    QTest::newRow("zlib, 1 MB claimed as 4 GB") << "zlib" << 1 << "claim 4294967295"
                                                << "entry 2 unpacks to more than 64 MB";
    QTest::newRow("zlib, damaged stream") << "zlib" << 1 << "overwrite"
                                          << "entry 2 holds damaged compressed data";
    QTest::newRow("zlib, stream cut short") << "zlib" << 1 << "shorten"
                                            << "entry 2 holds damaged compressed data";
    QTest::newRow("zstd, frame overwritten") << "zstd" << 1 << "overwrite"
                                             << "entry 2 holds no zstd frame";
}

void tst_DamagedBundle::unpackedSize()
{
    QFETCH(QString, algorithm);
    QFETCH(int, megabytes);
    QFETCH(QString, damage);
    QFETCH(QString, reason);
    const QString tag = QStringLiteral("unpack%1").arg(QTest::currentDataTag()).remove(QRegularExpression("\\W"));
    const QByteArray zeros(megabytes * 1024 * 1024, '\0');
    QVERIFY(makeBundle(tag, QStringLiteral("3"), algorithm, {{"zeros.bin", zeros}}));
    QFile file(m_dir.filePath(tag + QStringLiteral(".rcc")));
    QVERIFY(file.open(QIODevice::ReadWrite));
    QByteArray bytes = file.readAll();
    QVERIFY(bytes.size() < megabytes * 1024 * 64);

    // Entry 2 is the file, below the root and the prefix folder; its data
    // is its length, then (zlib) the claimed size and the stream.
    const Layout at(bytes);
    QVERIFY(qFromBigEndian<quint16>(bytes.constData() + at.entry(2) + 4) & (algorithm == "zlib" ? 1 : 4));
    const int content = at.data + int(read32(bytes, at.entry(2) + 10));
    const int length = int(read32(bytes, content));
    if (damage.startsWith(QLatin1String("claim ")))
        write32(bytes, content + 4, damage.mid(6).toUInt());
    else if (damage == QLatin1String("overwrite"))
        bytes.replace(content + (algorithm == "zlib" ? 8 : 4), 16, QByteArray(16, '\x5a'));
    else if (damage == QLatin1String("shorten"))
        write32(bytes, content, quint32(length / 2));
    QVERIFY(file.seek(0) && file.write(bytes) == bytes.size());
    file.close();

    QSignalSpy logged(TLogger::instance(), &TLogger::logWrited);
    const bool loaded = TResource::instance()->loadRcc(tag + QStringLiteral(".rcc"));
    QStringList errors;
    for (const QList<QVariant> &line : qAsConst(logged)) {
        if (line.at(1).toString().compare(QLatin1String("error"), Qt::CaseInsensitive) == 0)
            errors.append(line.at(0).toString());
    }
    QFile entry(QStringLiteral(":/%1/zeros.bin").arg(tag));
    if (reason.isEmpty()) {
        QVERIFY2(loaded && errors.isEmpty(), qPrintable(errors.join(QLatin1Char('\n'))));
        QVERIFY(entry.open(QIODevice::ReadOnly));
        QVERIFY(entry.readAll() == zeros);
        return;
    }
    QVERIFY(!loaded);
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors.first().contains(QDir::toNativeSeparators(file.fileName())), qPrintable(errors.first()));
    QVERIFY2(errors.first().contains(reason), qPrintable(errors.first()));
    QVERIFY(!entry.exists());
}

QTEST_MAIN(tst_DamagedBundle)
#include "tst_damagedbundle.moc"
