#ifndef TCODEHIGHLIGHTER_H
#define TCODEHIGHLIGHTER_H

#include <QSyntaxHighlighter>

#include <memory>

class TCodeHighlighterPrivate;

/*
 * Colours JavaScript source: keywords, double-quoted text, called names,
 * numbers, line comments and block comments that may span blocks. Internal to
 * the library; the code edit installs it on its document.
 */
class TCodeHighlighter : public QSyntaxHighlighter
{
    Q_OBJECT
public:
    explicit TCodeHighlighter(QTextDocument *iParent);
    ~TCodeHighlighter() override;

protected:
    void highlightBlock(const QString &iText) override;

private:
    Q_DISABLE_COPY(TCodeHighlighter)
    Q_DECLARE_PRIVATE_D(d, TCodeHighlighter)
    const std::unique_ptr<TCodeHighlighterPrivate> d;
};

#endif // TCODEHIGHLIGHTER_H
