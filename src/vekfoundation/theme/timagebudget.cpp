#include "timagebudget.h"

#include "terror.h"
#include "tlogger.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <QMimeDatabase>

#include <limits>

namespace {

quint32 littleEndian(const QByteArray &iData, int iAt, int iBytes)
{
    quint32 value = 0;
    for (int i = iBytes - 1; i >= 0; --i)
        value = (value << 8) | quint8(iData.at(iAt + i));
    return value;
}

quint32 bigEndian(const QByteArray &iData, int iAt)
{
    quint32 value = 0;
    for (int i = 0; i < 4; ++i)
        value = (value << 8) | quint8(iData.at(iAt + i));
    return value;
}

QSize sizeOf(quint32 iWidth, quint32 iHeight)
{
    const quint32 most = std::numeric_limits<int>::max();
    return QSize(int(qMin(iWidth, most)), int(qMin(iHeight, most)));
}

// The logical screen of an animation, which the decoder allocates for every
// frame: Qt's reader reports the first frame's size instead. Empty for other
// data.
QSize canvasSize(const QByteArray &iHead)
{
    if ((iHead.startsWith("GIF87a") || iHead.startsWith("GIF89a")) && iHead.size() >= 10)
        return sizeOf(littleEndian(iHead, 6, 2), littleEndian(iHead, 8, 2));
    // An extended WebP (the only kind that animates) keeps its canvas, less
    // one, in 24 bits each.
    if (iHead.startsWith("RIFF") && iHead.mid(8, 8) == "WEBPVP8X" && iHead.size() >= 30)
        return sizeOf(littleEndian(iHead, 24, 3) + 1, littleEndian(iHead, 27, 3) + 1);
    if (iHead.startsWith("\x8aMNG\r\n\x1a\n") && iHead.mid(12, 4) == "MHDR" && iHead.size() >= 24)
        return sizeOf(bigEndian(iHead, 16), bigEndian(iHead, 20));
    return QSize();
}

// An icon file lists sizes of at most 256 pixels, and its reader reports
// those; an entry that is a PNG is decoded at the size of its own header.
QSize largestIconEntry(QIODevice *ioDevice)
{
    QSize largest;
    if (ioDevice->isSequential())
        return largest;
    const QByteArray head = ioDevice->peek(6);
    if (head.size() < 6)
        return largest;
    const int count = int(littleEndian(head, 4, 2));
    const QByteArray entries = ioDevice->peek(6 + 16 * count);
    const qint64 start = ioDevice->pos();
    for (int i = 0; i < count && 6 + 16 * (i + 1) <= entries.size(); ++i) {
        const int at = 6 + 16 * i;
        const int width = quint8(entries.at(at));
        const int height = quint8(entries.at(at + 1));
        largest = largest.expandedTo(QSize(width ? width : 256, height ? height : 256));
        if (!ioDevice->seek(start + littleEndian(entries, at + 12, 4)))
            continue;
        const QByteArray png = ioDevice->read(24);
        if (png.size() == 24 && png.startsWith("\x89PNG\r\n\x1a\n") && png.mid(12, 4) == "IHDR")
            largest = largest.expandedTo(sizeOf(bigEndian(png, 16), bigEndian(png, 20)));
    }
    ioDevice->seek(start);
    return largest;
}

qint64 pixelsOf(const QSize &iSize) { return qint64(iSize.width()) * iSize.height(); }

void refuse(const QString &iText, TError *oErr)
{
    VEK_LOG(iText, "error", 0);
    if (oErr)
        oErr->setError(iText, QStringLiteral("Error"));
}

bool withinBudget(const QSize &iSize, const QString &iSource, TError *oErr)
{
    if (iSize.isEmpty()) {
        refuse(QStringLiteral("%1: the size of the image cannot be read; not decoded").arg(iSource), oErr);
        return false;
    }
    if (pixelsOf(iSize) > TImageBudget::MaxPixels) {
        refuse(QStringLiteral("%1 is %2 x %3 pixels, more than the %4 pixels an image may have; not decoded")
                       .arg(iSource)
                       .arg(iSize.width())
                       .arg(iSize.height())
                       .arg(TImageBudget::MaxPixels),
               oErr);
        return false;
    }
    return true;
}

} // namespace

QSize TImageBudget::decodedSize(QImageReader &ioReader)
{
    if (!ioReader.canRead())
        return QSize();
    // The header is looked at before the reader takes the size: some readers
    // leave the device elsewhere.
    QSize wider;
    if (QIODevice *device = ioReader.device()) {
        wider = canvasSize(device->peek(32));
        const QByteArray format = ioReader.format();
        if (format == "ico" || format == "cur")
            wider = wider.expandedTo(largestIconEntry(device));
    }
    const QSize size = ioReader.size();
    return size.isValid() && wider.isValid() ? size.expandedTo(wider) : size;
}

bool TImageBudget::fits(QImageReader &ioReader, const QString &iSource, TError *oErr)
{
    // Data that is no image stays as quiet as its failed decoding would be.
    if (!ioReader.canRead())
        return false;
    return withinBudget(decodedSize(ioReader), iSource, oErr);
}

QImage TImageBudget::read(QImageReader &ioReader, const QString &iSource, TError *oErr)
{
    return fits(ioReader, iSource, oErr) ? ioReader.read() : QImage();
}

QImage TImageBudget::readFile(const QString &iFileName, TError *oErr)
{
    QImageReader reader(iFileName);
    return read(reader, iFileName, oErr);
}

QImage TImageBudget::readData(const QByteArray &iData, const QString &iSource, TError *oErr)
{
    QByteArray data = iData;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    return read(reader, iSource, oErr);
}

bool TImageBudget::fitsFile(const QString &iFileName, TError *oErr)
{
    QImageReader reader(iFileName);
    return fits(reader, iFileName, oErr);
}

QIcon TImageBudget::iconFile(const QString &iFileName, TError *oErr)
{
    // QIcon picks its engine by the suffix, or by the content's type when
    // there is none. The vector engine draws at the size asked for, so
    // nothing is decoded here; every other file is decoded at once, all of
    // its frames or entries.
    const QFileInfo info(iFileName);
    QString suffix = info.suffix();
    if (suffix.isEmpty() && info.isFile())
        suffix = QMimeDatabase().mimeTypeForFile(info).preferredSuffix();
    if (suffix.compare(QLatin1String("svg"), Qt::CaseInsensitive) == 0
        || suffix.compare(QLatin1String("svgz"), Qt::CaseInsensitive) == 0)
        return QIcon(iFileName);

    QImageReader reader(iFileName);
    if (!reader.canRead())
        return QIcon(iFileName);
    const QSize size = decodedSize(reader);
    if (!withinBudget(size, iFileName, oErr))
        return QIcon();
    const int count = qMax(1, reader.imageCount());
    if (count > 1 && pixelsOf(size) * count > MaxPixels) {
        refuse(QStringLiteral("%1 holds %2 images of up to %3 x %4 pixels, more than the %5 pixels an icon may "
                              "decode at once; not decoded")
                       .arg(iFileName)
                       .arg(count)
                       .arg(size.width())
                       .arg(size.height())
                       .arg(MaxPixels),
               oErr);
        return QIcon();
    }
    return QIcon(iFileName);
}

QString TImageBudget::dataUrlSource(const QString &iUrl)
{
    const int shown = 48;
    return QStringLiteral("data: URL \"%1%2\"")
            .arg(iUrl.left(shown), iUrl.size() > shown ? QStringLiteral("...") : QString());
}
