#include "tquotedprintable.h"

QString TQuotedPrintable::encode(const QByteArray &iInput)
{
    static const char hex[] = "0123456789ABCDEF";
    QString out;
    out.reserve(iInput.size() * 3);
    for (const char c : iInput) {
        const uchar b = uchar(c);
        if (b == ' ' || (b >= 33 && b <= 126 && b != '=')) {
            out += QLatin1Char(char(b));
        } else {
            out += QLatin1Char('=');
            out += QLatin1Char(hex[b >> 4]);
            out += QLatin1Char(hex[b & 0x0F]);
        }
    }
    return out;
}
