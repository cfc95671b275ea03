#include "ttextbytelimit_p.h"

#include <QTextCodec>
#include <QTextCursor>

namespace {

// Bytes of the iCount UTF-16 units at iChars (one character: a unit or a surrogate pair).
int charBytes(QTextCodec *iCodec, bool iUtf8, const QChar *iChars, int iCount)
{
    if (iUtf8 && iCount == 1) {
        const ushort u = iChars[0].unicode();
        if (u < 0x80)
            return 1;
        if (u < 0x800)
            return 2;
        if (!QChar::isSurrogate(u))
            return 3;
    }
    if (iUtf8 && iCount == 2)
        return 4;
    return iCodec->fromUnicode(iChars, iCount).size();
}

} // namespace

int TTextByteLimit::charsToCut(const QString &iText, int iCursorPos, int iMaxBytes)
{
    if (iMaxBytes < 0)
        return 0;
    QTextCodec *codec = QTextCodec::codecForLocale();
    const bool utf8 = codec->mibEnum() == 106;
    // UTF-8 takes at most three bytes per UTF-16 unit: short texts need no encoding.
    if (utf8 && qint64(iText.size()) * 3 <= iMaxBytes)
        return 0;
    const int total = codec->fromUnicode(iText).size();
    if (total <= iMaxBytes)
        return 0;

    const int excess = total - iMaxBytes;
    const QChar *chars = iText.constData();
    int pos = qBound(0, iCursorPos, iText.size());
    int removedBytes = 0;
    int cut = 0;
    while (pos > 0) {
        int step = 1;
        if (pos >= 2 && chars[pos - 1].isLowSurrogate() && chars[pos - 2].isHighSurrogate())
            step = 2;
        removedBytes += charBytes(codec, utf8, chars + pos - step, step);
        pos -= step;
        cut += step;
        if (removedBytes >= excess)
            return cut;
    }
    return 0;
}

void TTextByteLimit::enforce(const QString &iPlainText, const QTextCursor &iCursor, int iMaxBytes)
{
    const int end = iCursor.position();
    const int cut = charsToCut(iPlainText, end, iMaxBytes);
    if (cut <= 0)
        return;
    QTextCursor cursor(iCursor);
    cursor.setPosition(end - cut);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
}
