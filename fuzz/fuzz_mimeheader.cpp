// Encoded subjects: the subject line of a message, decoded as RFC 2047 says,
// gives back the subject (line breaks become blanks in headers), in both the
// base64 and the Q encoding.

#include "fuzzcommon.h"

#include "tmimemessage.h"
#include "tmimepart.h"
#include "tmimetext.h"

namespace {

int hexValue(char iChar)
{
    if (iChar >= '0' && iChar <= '9')
        return iChar - '0';
    if (iChar >= 'A' && iChar <= 'F')
        return iChar - 'A' + 10;
    return -1;
}

// The text of one encoded word "=?utf-8?X?...?=", or a null string when the
// word is not well formed.
QString decodeWord(const QByteArray &iWord)
{
    const QByteArray head = iWord.left(10);
    if (!iWord.endsWith("?=") || (head != "=?utf-8?B?" && head != "=?utf-8?Q?"))
        return QString();
    const QByteArray body = iWord.mid(10, iWord.size() - 12);
    if (body.contains('?') || body.contains(' '))
        return QString();
    if (head == "=?utf-8?B?")
        return QString::fromUtf8(QByteArray::fromBase64(body));
    QByteArray bytes;
    for (int i = 0; i < body.size(); ++i) {
        const char c = body.at(i);
        if (c == '_') {
            bytes += ' ';
        } else if (c == '=') {
            if (i + 2 >= body.size())
                return QString();
            const int high = hexValue(body.at(i + 1));
            const int low = hexValue(body.at(i + 2));
            if (high < 0 || low < 0)
                return QString();
            bytes += char(high * 16 + low);
            i += 2;
        } else {
            // Only the phrase-safe characters may stand as they are.
            const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '!'
                               || c == '*' || c == '+' || c == '-' || c == '/';
            if (!plain)
                return QString();
            bytes += c;
        }
    }
    return QString::fromUtf8(bytes);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *iData, size_t iSize)
{
    QString subject = fuzzText(iData, iSize);
    for (const int encoding : {TMimePart::EncodingBase64, TMimePart::EncodingQuotedPrintable}) {
        TMimeMessage message;
        message.setHeaderEncoding(encoding);
        message.setSender(QStringLiteral("a@example.org"), subject);
        message.setSubject(subject);
        message.setContent(new TMimeText(QStringLiteral("x")));
        const QByteArray text = message.toString().toUtf8();
        const int start = text.indexOf("\r\nSubject: ") + 11;
        FUZZ_CHECK(start > 11);
        const int end = text.indexOf("\r\n", start);
        FUZZ_CHECK(end >= start);
        const QString decoded = decodeWord(text.mid(start, end - start));
        QString expected = subject;
        expected.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
        FUZZ_CHECK(decoded == expected);
    }
    return 0;
}
