#include "tcodehighlighter.h"
#include "tcodehighlighter_p.h"

namespace {

// Block state of a block that ends inside a /* comment.
const int InComment = 1;

} // namespace

TCodeHighlighter::TCodeHighlighter(QTextDocument *iParent)
    : QSyntaxHighlighter(iParent)
    , d(new TCodeHighlighterPrivate(this))
{
    QTextCharFormat keywordFormat;
    keywordFormat.setForeground(Qt::darkBlue);
    keywordFormat.setFontWeight(QFont::Bold);
    const char *const keywords[]
            = {"break", "case",     "catch",  "continue", "default",    "delete", "do",     "else",   "finally",
               "for",   "function", "if",     "in",       "instanceof", "new",    "return", "switch", "this",
               "throw", "try",      "typeof", "var",      "void",       "while",  "with"};
    for (const char *keyword : keywords) {
        d->highlightingRules.append(
                {QRegularExpression(QStringLiteral("\\b%1\\b").arg(QLatin1String(keyword))), keywordFormat});
    }

    // Greedy: from the first to the last double quote of the block.
    QTextCharFormat quotationFormat;
    quotationFormat.setForeground(Qt::darkGreen);
    d->highlightingRules.append({QRegularExpression(QStringLiteral("\".*\"")), quotationFormat});

    QTextCharFormat functionFormat;
    functionFormat.setFontItalic(true);
    functionFormat.setForeground(Qt::blue);
    d->highlightingRules.append({QRegularExpression(QStringLiteral("\\b[A-Za-z0-9_]+(?=\\()")), functionFormat});

    QTextCharFormat numberFormat;
    numberFormat.setForeground(Qt::blue);
    d->highlightingRules.append(
            {QRegularExpression(QStringLiteral("\\b[-+]?[0-9]*\\.?[0-9]+([eE][-+]?[0-9]+)?\\b")), numberFormat});

    d->singleLineCommentFormat.setForeground(Qt::red);
    d->highlightingRules.append({QRegularExpression(QStringLiteral("//[^\n]*")), d->singleLineCommentFormat});

    d->multiLineCommentFormat.setForeground(Qt::red);
}

TCodeHighlighter::~TCodeHighlighter() = default;

void TCodeHighlighter::highlightBlock(const QString &iText)
{
    for (const auto &rule : qAsConst(d->highlightingRules)) {
        QRegularExpressionMatchIterator it = rule.pattern.globalMatch(iText);
        while (it.hasNext()) {
            const QRegularExpressionMatch match = it.next();
            setFormat(match.capturedStart(), match.capturedLength(), rule.format);
        }
    }

    setCurrentBlockState(0);
    int startIndex = 0;
    if (previousBlockState() != InComment)
        startIndex = iText.indexOf(d->commentStartExpression);

    while (startIndex >= 0) {
        const QRegularExpressionMatch endMatch = d->commentEndExpression.match(iText, startIndex);
        int commentLength;
        if (!endMatch.hasMatch()) {
            setCurrentBlockState(InComment);
            commentLength = iText.length() - startIndex;
        } else {
            commentLength = endMatch.capturedEnd() - startIndex;
        }
        setFormat(startIndex, commentLength, d->multiLineCommentFormat);
        startIndex = iText.indexOf(d->commentStartExpression, startIndex + commentLength);
    }
}
