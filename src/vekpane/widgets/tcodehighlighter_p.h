#ifndef TCODEHIGHLIGHTER_P_H
#define TCODEHIGHLIGHTER_P_H

#include "tcodehighlighter.h"

#include <QRegularExpression>
#include <QTextCharFormat>
#include <QVector>

class TCodeHighlighterPrivate
{
    Q_DECLARE_PUBLIC(TCodeHighlighter)
public:
    explicit TCodeHighlighterPrivate(TCodeHighlighter *iPublic)
        : q_ptr(iPublic)
    {}

    struct HighlightingRule
    {
        QRegularExpression pattern;
        QTextCharFormat format;
    };

    // Applied in order: a later rule wins where two overlap.
    QVector<HighlightingRule> highlightingRules;
    QRegularExpression commentStartExpression {QStringLiteral("/\\*")};
    QRegularExpression commentEndExpression {QStringLiteral("\\*/")};
    QTextCharFormat singleLineCommentFormat;
    QTextCharFormat multiLineCommentFormat;
    TCodeHighlighter *q_ptr;
};

#endif // TCODEHIGHLIGHTER_P_H
