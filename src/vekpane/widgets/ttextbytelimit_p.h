#ifndef TTEXTBYTELIMIT_P_H
#define TTEXTBYTELIMIT_P_H

#include <QString>

class QTextCursor;

/*
 * The byte limit of the text edits: the text, encoded in the local 8-bit
 * encoding, may take at most a given number of bytes. An edit that goes over
 * is cut back from the cursor, removing the fewest characters before it that
 * make the text fit.
 */
namespace TTextByteLimit {

// How many characters before iCursorPos to remove so that iText fits in
// iMaxBytes: 0 when it fits already, and also when no cut that ends at the
// cursor can make it fit. A surrogate pair is never split. Linear in the text.
int charsToCut(const QString &iText, int iCursorPos, int iMaxBytes);

// Applies the limit (negative: none) to the document of iCursor, the widget's
// text cursor: the cut goes through a copy of it. The removal changes the text
// again, which the caller's next check finds within the limit.
void enforce(const QString &iPlainText, const QTextCursor &iCursor, int iMaxBytes);

// The check an edit (a QTextEdit or a QPlainTextEdit) runs on every change of
// its text; without a limit the text is not even read.
template<class Edit>
void enforceOn(const Edit *iEdit, int iMaxBytes)
{
    if (iMaxBytes >= 0)
        enforce(iEdit->toPlainText(), iEdit->textCursor(), iMaxBytes);
}

} // namespace TTextByteLimit

#endif // TTEXTBYTELIMIT_P_H
