#include "tmimecontentformatter.h"

namespace {
void appendLineBreak(QByteArray &ioText) { ioText.append("\r\n", 2); }
void appendLineBreak(QString &ioText) { ioText.append(QLatin1String("\r\n")); }

// Plain mode never looks at the characters, so whole slices will do; this is
// the hot path for large attachments.
template<typename Text>
Text sliced(const Text &iContent, int iMaxLength)
{
    const int len = iContent.size();
    const int step = qMax(1, iMaxLength);
    Text out;
    out.reserve(len + (len / step + 1) * 2);
    for (int pos = 0; pos < len; pos += step) {
        if (pos > 0)
            appendLineBreak(out);
        out.append(iContent.constData() + pos, qMin(step, len - pos));
    }
    return out;
}
} // namespace

TMimeContentFormatter::TMimeContentFormatter(int iMaxLength)
    : mMaxLength(iMaxLength)
{}

void TMimeContentFormatter::setMaxLength(int iLength) { mMaxLength = iLength; }
int TMimeContentFormatter::maxLength() const { return mMaxLength; }

QString TMimeContentFormatter::format(const QString &iContent, bool iQuotedPrintable) const
{
    if (!iQuotedPrintable)
        return sliced(iContent, mMaxLength);

    QString out;
    out.reserve(iContent.size() + iContent.size() / qMax(1, mMaxLength) * 3 + 3);
    int chars = 0;
    for (const QChar c : iContent) {
        ++chars;
        if (c == QLatin1Char('\n')) {
            out += c;
            chars = 0;
            continue;
        }
        // Leave room for the soft-break "=" and keep an "=XY" escape whole.
        if (chars > mMaxLength - 1 || (c == QLatin1Char('=') && chars > mMaxLength - 3)) {
            out += QLatin1String("=\r\n");
            chars = 1;
        }
        out += c;
    }
    return out;
}

QByteArray TMimeContentFormatter::format(const QByteArray &iContent) const { return sliced(iContent, mMaxLength); }
