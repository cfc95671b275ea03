// The image budget: the size read from the header (an animation's logical
// screen, an icon file's embedded PNG), refusal before decoding with one
// error line naming the source, and the icons of the resource finder.
#include "terror.h"
#include "timagebudget.h"
#include "tresource.h"
#include "vekimagebombs.h"
#include "veklogcapture.h"

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray smallPng()
{
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return out;
}

QByteArray svg(const QSize &iSize)
{
    return QStringLiteral("<svg xmlns='http://www.w3.org/2000/svg' width='%1' height='%2'>"
                          "<rect width='10' height='10' fill='#336699'/></svg>")
            .arg(iSize.width())
            .arg(iSize.height())
            .toUtf8();
}

QString sizeText(const QSize &iSize) { return QStringLiteral("%1 x %2 pixels").arg(iSize.width()).arg(iSize.height()); }

} // namespace

class tst_TImageBudget : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void decodedSize_data();
    void decodedSize();
    void budgetBoundary();
    void refusedBeforeDecoding_data();
    void refusedBeforeDecoding();
    void iconFile_data();
    void iconFile();
    void resourceIcons_data();
    void resourceIcons();

private:
    QString write(const QString &iName, const QByteArray &iData);

    QTemporaryDir mDir;
};

QString tst_TImageBudget::write(const QString &iName, const QByteArray &iData)
{
    const QString path = mDir.filePath(iName);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(iData) != iData.size())
        return QString();
    return path;
}

void tst_TImageBudget::initTestCase()
{
    QVERIFY(mDir.isValid());
    // Names without a dot are looked up in the icon folders.
    QVERIFY(!mDir.path().contains(QLatin1Char('.')));
}

void tst_TImageBudget::decodedSize_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QSize>("size");
    QTest::newRow("gif: its logical screen, not its 1 x 1 frame")
            << VekImageBombs::gif(QSize(16000, 16000)) << QSize(16000, 16000);
    QTest::newRow("jpeg") << VekImageBombs::jpeg(QSize(65000, 65000)) << QSize(65000, 65000);
    QTest::newRow("png") << VekImageBombs::png(QSize(8200, 8200)) << QSize(8200, 8200);
    QTest::newRow("icon file: its PNG entry, not the listed 16 x 16")
            << VekImageBombs::icoHolding(VekImageBombs::png(QSize(8200, 8200))) << QSize(8200, 8200);
    QTest::newRow("small png") << smallPng() << QSize(64, 48);
    QTest::newRow("no image") << QByteArray("plain text, no image") << QSize();
}

void tst_TImageBudget::decodedSize()
{
    QFETCH(QByteArray, data);
    QFETCH(QSize, size);
    QBuffer buffer(&data);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    QImageReader reader(&buffer);
    QCOMPARE(TImageBudget::decodedSize(reader), size);
    // Reading the size leaves the reader at the start of the image.
    if (size == QSize(64, 48))
        QCOMPARE(reader.read().size(), size);
}

void tst_TImageBudget::budgetBoundary()
{
    // A GIF's screen is what its decoder allocates: exactly the budget fits,
    // one row more does not. Only the header is read.
    QCOMPARE(qint64(8192) * 8192, TImageBudget::MaxPixels);
    VekLogCapture log;
    QByteArray atBudget = VekImageBombs::gif(QSize(8192, 8192));
    QBuffer fitting(&atBudget);
    fitting.open(QIODevice::ReadOnly);
    QImageReader fittingReader(&fitting);
    QVERIFY(TImageBudget::fits(fittingReader, QStringLiteral("at budget")));
    QVERIFY(log.texts().isEmpty());

    QByteArray overBudget = VekImageBombs::gif(QSize(8192, 8193));
    QBuffer over(&overBudget);
    over.open(QIODevice::ReadOnly);
    QImageReader overReader(&over);
    TError error;
    QVERIFY(!TImageBudget::fits(overReader, QStringLiteral("one row over"), &error));
    QCOMPARE(log.texts(QStringLiteral("error")).size(), 1);
    QVERIFY(error.isValid());
    QCOMPARE(error.text(), log.texts().value(0));
}

void tst_TImageBudget::refusedBeforeDecoding_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QSize>("claimed"); // invalid: the image fits
    QTest::newRow("35-byte gif") << VekImageBombs::gif(QSize(16000, 16000)) << QSize(16000, 16000);
    QTest::newRow("jpeg") << VekImageBombs::jpeg(QSize(65000, 65000)) << QSize(65000, 65000);
    QTest::newRow("png") << VekImageBombs::png(QSize(8200, 8200)) << QSize(8200, 8200);
    QTest::newRow("icon file holding a png")
            << VekImageBombs::icoHolding(VekImageBombs::png(QSize(8200, 8200))) << QSize(8200, 8200);
    QTest::newRow("small png") << smallPng() << QSize();
    QTest::newRow("small gif") << VekImageBombs::gif(QSize(100, 50)) << QSize();
}

void tst_TImageBudget::refusedBeforeDecoding()
{
    QFETCH(QByteArray, data);
    QFETCH(QSize, claimed);
    QVERIFY2(data.size() < 2 * 1024 * 1024, "the fixture is a small file");
    const QString path = write(QStringLiteral("image"), data);
    QVERIFY(!path.isEmpty());
    const QString source = QStringLiteral("bytes of the test");

    VekLogCapture log;
    TError fileError;
    const QImage fromFile = TImageBudget::readFile(path, &fileError);
    TError dataError;
    const QImage fromData = TImageBudget::readData(data, source, &dataError);

    const QStringList lines = log.texts(QStringLiteral("error"));
    if (!claimed.isValid()) {
        QVERIFY(!fromFile.isNull());
        QCOMPARE(fromData.size(), fromFile.size());
        QVERIFY(lines.isEmpty());
        QVERIFY(!fileError.isValid());
        return;
    }
    // Refused like data that is no image, with one line for each source.
    QVERIFY(fromFile.isNull());
    QVERIFY(fromData.isNull());
    QCOMPARE(lines.size(), 2);
    QVERIFY2(lines.at(0).contains(path) && lines.at(0).contains(sizeText(claimed)), qPrintable(lines.at(0)));
    QVERIFY2(lines.at(1).contains(source) && lines.at(1).contains(sizeText(claimed)), qPrintable(lines.at(1)));
    QCOMPARE(fileError.text(), lines.at(0));
    QCOMPARE(dataError.text(), lines.at(1));
}

void tst_TImageBudget::iconFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<bool>("refused");
    QTest::newRow("gif") << "bomb.gif" << VekImageBombs::gif(QSize(16000, 16000)) << true;
    QTest::newRow("jpeg") << "bomb.jpg" << VekImageBombs::jpeg(QSize(65000, 65000)) << true;
    QTest::newRow("png") << "bomb.png" << VekImageBombs::png(QSize(8200, 8200)) << true;
    QTest::newRow("icon file holding a png")
            << "bomb.ico" << VekImageBombs::icoHolding(VekImageBombs::png(QSize(8200, 8200))) << true;
    // Each frame fits, but QIcon decodes all five at once.
    QTest::newRow("gif of frames that fit one by one")
            << "frames.gif" << VekImageBombs::gif(QSize(4096, 4096), 5) << true;
    QTest::newRow("small png") << "small.png" << smallPng() << false;
    QTest::newRow("small gif of frames") << "frames-small.gif" << VekImageBombs::gif(QSize(32, 32), 5) << false;
    // Drawn at the size asked for: nothing to refuse.
    QTest::newRow("svg claiming a huge page") << "page.svg" << svg(QSize(20000, 20000)) << false;
    QTest::newRow("no such file") << QString() << QByteArray() << false;
}

void tst_TImageBudget::iconFile()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, data);
    QFETCH(bool, refused);
    const QString path = name.isEmpty() ? mDir.filePath(QStringLiteral("missing.png")) : write(name, data);
    QVERIFY(!path.isEmpty());
    VekLogCapture log;
    const QIcon icon = TImageBudget::iconFile(path);
    const QStringList lines = log.texts(QStringLiteral("error"));
    if (refused) {
        QVERIFY(icon.isNull());
        QCOMPARE(lines.size(), 1);
        QVERIFY2(lines.at(0).contains(path), qPrintable(lines.at(0)));
    } else {
        QVERIFY(lines.isEmpty());
        QCOMPARE(icon.pixmap(16, 16).isNull(), name.isEmpty());
    }
}

void tst_TImageBudget::resourceIcons_data()
{
    QTest::addColumn<QString>("name"); // what TResource is asked for; %1 is the folder
    QTest::addColumn<QString>("file"); // the file named in the error line; empty: not refused
    QTest::newRow("icon: gif") << "bombgif"
                               << "bombgif";
    QTest::newRow("icon: jpeg") << "bombjpeg"
                                << "bombjpeg";
    QTest::newRow("icon: png") << "bombpng"
                               << "bombpng";
    QTest::newRow("icon: svg drawn at the size it claims") << "huge"
                                                           << "huge.svg";
    QTest::newRow("icon: small") << "small" << QString();
    QTest::newRow("icon: small svg") << "vector" << QString();
    QTest::newRow("icon with a colour: gif") << "bombgif.#FF0000"
                                             << "bombgif";
    QTest::newRow("icon by path with a suffix: gif") << "%1/bomb.gif"
                                                     << "bomb.gif";
    QTest::newRow("icon by path with a suffix: small") << "%1/small.png" << QString();
}

void tst_TImageBudget::resourceIcons()
{
    QFETCH(QString, name);
    QFETCH(QString, file);
    for (const auto &entry :
         {qMakePair(QStringLiteral("bombgif"), VekImageBombs::gif(QSize(16000, 16000))),
          qMakePair(QStringLiteral("bombjpeg"), VekImageBombs::jpeg(QSize(65000, 65000))),
          qMakePair(QStringLiteral("bombpng"), VekImageBombs::png(QSize(8200, 8200))),
          qMakePair(QStringLiteral("bomb.gif"), VekImageBombs::gif(QSize(16000, 16000))),
          qMakePair(QStringLiteral("huge.svg"), svg(QSize(20000, 20000))),
          qMakePair(QStringLiteral("vector.svg"), svg(QSize(24, 24))), qMakePair(QStringLiteral("small"), smallPng()),
          qMakePair(QStringLiteral("small.png"), smallPng())})
        QVERIFY(!write(entry.first, entry.second).isEmpty());
    TResource *resource = TResource::instance();
    resource->prependIconPath(mDir.path());

    VekLogCapture log;
    const QString asked = QString(name).replace(QLatin1String("%1"), mDir.path());
    // Asked for again at every paint: a refusal is named once.
    QIcon icon;
    for (int paint = 0; paint < 3; ++paint)
        icon = resource->icon(asked, QStringLiteral("button"), QStringLiteral("body"));
    const QStringList lines = log.texts(QStringLiteral("error"));
    resource->removeIconPath(mDir.path());
    if (file.isEmpty()) {
        QVERIFY(lines.isEmpty());
        QVERIFY(!icon.pixmap(16, 16).isNull());
        return;
    }
    QVERIFY(icon.isNull());
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines.at(0).contains(mDir.filePath(file)), qPrintable(lines.at(0)));
}

QTEST_MAIN(tst_TImageBudget)
#include "tst_timagebudget.moc"
