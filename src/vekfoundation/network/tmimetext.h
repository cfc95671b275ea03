#ifndef TMIMETEXT_H
#define TMIMETEXT_H

#include "tmimepart.h"

class TMimeTextPrivate;

/*!
 * A UTF-8 text part ("text/plain", 8bit). Line ends go out as CRLF; a text
 * with a line longer than SMTP allows is sent Base64-encoded instead.
 */
class VEKFOUNDATION_EXPORT TMimeText : public TMimePart
{
public:
    explicit TMimeText(const QString &iText = QString(), QObject *iParent = nullptr);
    ~TMimeText() override;

    void setText(const QString &iText);
    QString text() const;

    void prepare() override;

protected:
    TMimeText(TMimeTextPrivate &iPrivate, const QString &iText, QObject *iParent);

private:
    Q_DECLARE_PRIVATE(TMimeText)
};

#endif // TMIMETEXT_H
