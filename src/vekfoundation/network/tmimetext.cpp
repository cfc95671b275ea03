#include "tmimetext.h"
#include "tmimetext_p.h"

namespace {
// RFC 5321 limits a line to 1000 octets including its CRLF.
const int MaxLineOctets = 998;

QByteArray crlfLines(const QString &iText)
{
    QByteArray bytes = iText.toUtf8();
    bytes.replace("\r\n", "\n");
    bytes.replace('\r', '\n');
    bytes.replace("\n", "\r\n");
    return bytes;
}

bool hasOverlongLine(const QByteArray &iCrlfText)
{
    int start = 0;
    while (start <= iCrlfText.size()) {
        int end = iCrlfText.indexOf("\r\n", start);
        if (end < 0)
            end = iCrlfText.size();
        if (end - start > MaxLineOctets)
            return true;
        start = end + 2;
    }
    return false;
}
} // namespace

TMimeText::TMimeText(const QString &iText, QObject *iParent)
    : TMimeText(*new TMimeTextPrivate(this), iText, iParent)
{}

TMimeText::TMimeText(TMimeTextPrivate &iPrivate, const QString &iText, QObject *iParent)
    : TMimePart(iPrivate, iParent)
{
    Q_D(TMimeText);
    d->text = iText;
    d->contentType = QStringLiteral("text/plain");
    d->charset = QStringLiteral("utf-8");
    d->encoding = Encoding8Bit;
}

TMimeText::~TMimeText() = default;

void TMimeText::setText(const QString &iText)
{
    Q_D(TMimeText);
    d->text = iText;
}
QString TMimeText::text() const
{
    Q_D(const TMimeText);
    return d->text;
}

void TMimeText::prepare()
{
    Q_D(TMimeText);
    d->content = crlfLines(d->text);
    int encoding = d->encoding;
    if ((encoding == Encoding7Bit || encoding == Encoding8Bit) && hasOverlongLine(d->content))
        encoding = EncodingBase64;
    writeMimeString(encoding);
}
