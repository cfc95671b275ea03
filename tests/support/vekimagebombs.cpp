#include "vekimagebombs.h"

#include <QBuffer>
#include <QDataStream>
#include <QImage>

namespace {

quint32 crc32(const QByteArray &iData)
{
    static quint32 table[256];
    static bool filled = false;
    if (!filled) {
        for (quint32 n = 0; n < 256; ++n) {
            quint32 c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[n] = c;
        }
        filled = true;
    }
    quint32 crc = 0xFFFFFFFFu;
    for (const char byte : iData)
        crc = table[(crc ^ quint8(byte)) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

QByteArray bigEndian(quint32 iValue)
{
    QByteArray out;
    QDataStream(&out, QIODevice::WriteOnly) << iValue;
    return out;
}

QByteArray pngChunk(const char *iType, const QByteArray &iData)
{
    const QByteArray typed = QByteArray(iType) + iData;
    return bigEndian(quint32(iData.size())) + typed + bigEndian(crc32(typed));
}

// Deflate's bits go in from the lowest bit of each byte; Huffman codes go in
// from their highest bit.
class BitWriter
{
public:
    void bits(quint32 iValue, int iCount)
    {
        for (int i = 0; i < iCount; ++i)
            bit((iValue >> i) & 1);
    }
    void code(quint32 iCode, int iLength)
    {
        for (int i = iLength - 1; i >= 0; --i)
            bit((iCode >> i) & 1);
    }
    QByteArray finish()
    {
        if (mCount > 0)
            mOut.append(char(mByte));
        return mOut;
    }

private:
    void bit(quint32 iBit)
    {
        mByte |= quint8(iBit << mCount);
        if (++mCount == 8) {
            mOut.append(char(mByte));
            mByte = 0;
            mCount = 0;
        }
    }
    QByteArray mOut;
    quint8 mByte = 0;
    int mCount = 0;
};

// A zlib stream of iCount zero bytes: one literal, then copies of 258 bytes
// from one byte back, in a block of the fixed codes.
QByteArray zlibZeros(qint64 iCount)
{
    BitWriter out;
    out.bits(1, 1);                   // the last block
    out.bits(1, 2);                   // fixed codes
    const quint32 literalZero = 0x30; // 8 bits
    const quint32 length258 = 0xC5;   // 8 bits, no extra bits
    qint64 left = iCount;
    if (left > 0) {
        out.code(literalZero, 8);
        --left;
    }
    for (; left >= 258; left -= 258) {
        out.code(length258, 8);
        out.code(0, 5); // distance 1
    }
    for (; left > 0; --left)
        out.code(literalZero, 8);
    out.code(0, 7); // end of block
    // Adler-32 of zeros: the sum stays 1, the sum of sums counts the bytes.
    const quint32 adler = (quint32(iCount % 65521) << 16) | 1u;
    return QByteArray("\x78\x01", 2) + out.finish() + bigEndian(adler);
}

} // namespace

QByteArray VekImageBombs::gif(const QSize &iScreen, int iFrames)
{
    // Header, screen and a two-colour table; then per frame its descriptor
    // and its pixel; then the trailer.
    QByteArray out = QByteArray::fromHex("474946383961"
                                         "00000000800000"
                                         "000000ffffff");
    for (int i = 0; i < iFrames; ++i)
        out += QByteArray::fromHex("2c000000000100010000"
                                   "0202440100");
    out += ';';
    out[6] = char(iScreen.width() & 0xFF);
    out[7] = char((iScreen.width() >> 8) & 0xFF);
    out[8] = char(iScreen.height() & 0xFF);
    out[9] = char((iScreen.height() >> 8) & 0xFF);
    return out;
}

QByteArray VekImageBombs::jpeg(const QSize &iSize)
{
    QImage grey(8, 8, QImage::Format_Grayscale8);
    grey.fill(128);
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    grey.save(&buffer, "JPEG");
    // The frame header (FF C0, length, precision) holds height, then width.
    const int frame = out.indexOf("\xFF\xC0");
    if (frame < 0)
        return QByteArray();
    out[frame + 5] = char((iSize.height() >> 8) & 0xFF);
    out[frame + 6] = char(iSize.height() & 0xFF);
    out[frame + 7] = char((iSize.width() >> 8) & 0xFF);
    out[frame + 8] = char(iSize.width() & 0xFF);
    return out;
}

QByteArray VekImageBombs::png(const QSize &iSize)
{
    QByteArray header = bigEndian(quint32(iSize.width())) + bigEndian(quint32(iSize.height()));
    header.append("\x08\x02\x00\x00\x00", 5); // 8 bits, RGB, no interlace
    // Each row: the filter byte and three bytes a pixel, all zero.
    const qint64 raw = qint64(iSize.height()) * (1 + 3 * qint64(iSize.width()));
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + pngChunk("IHDR", header) + pngChunk("IDAT", zlibZeros(raw))
           + pngChunk("IEND", QByteArray());
}

QByteArray VekImageBombs::icoHolding(const QByteArray &iPng)
{
    QByteArray out;
    QDataStream stream(&out, QIODevice::WriteOnly);
    stream.setByteOrder(QDataStream::LittleEndian);
    stream << quint16(0) << quint16(1) << quint16(1); // an icon, one entry
    stream << quint8(16) << quint8(16) << quint8(0) << quint8(0) << quint16(1) << quint16(32) << quint32(iPng.size())
           << quint32(6 + 16);
    return out + iPng;
}
