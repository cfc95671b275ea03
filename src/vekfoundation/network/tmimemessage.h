#ifndef TMIMEMESSAGE_H
#define TMIMEMESSAGE_H

#include "vekfoundation_export.h"

#include "tmailuser.h"

#include <QList>
#include <QString>

class TMimePart;
class TMimeMessagePrivate;

/*!
 * One mail message: sender, recipients, subject and one content part
 * (by default a "multipart/related" container). toString() gives the text
 * that goes out after DATA. Blind-copy recipients are kept for the envelope
 * only; they never appear in the text.
 */
class VEKFOUNDATION_EXPORT TMimeMessage
{
public:
    enum RecipientType { To = 0, Cc = 1, Bcc = 2 };

    explicit TMimeMessage(bool iCreateContent = true);
    virtual ~TMimeMessage();

    void setSender(const QString &iAddress, const QString &iName = QString());
    TMailUser sender() const;

    void addRecipient(const QString &iAddress, const QString &iName = QString(), int iType = To);
    void addTo(const QString &iAddress, const QString &iName = QString());
    void addCc(const QString &iAddress, const QString &iName = QString());
    void addBcc(const QString &iAddress, const QString &iName = QString());
    QList<TMailUser> recipients(int iType = To) const;

    void setSubject(const QString &iSubject);
    QString subject() const;

    // The message owns its content: a replaced one is deleted.
    void setContent(TMimePart *iContent);
    TMimePart *content() const;

    void addPart(TMimePart *iPart);
    QList<TMimePart *> parts() const;

    void setHeaderEncoding(int iEncoding);
    int headerEncoding() const;

    virtual QString toString() const;

private:
    Q_DISABLE_COPY(TMimeMessage)
    TMimeMessagePrivate *d_ptr;
    Q_DECLARE_PRIVATE(TMimeMessage)
    friend class TMimeMessagePrivate;
};

#endif // TMIMEMESSAGE_H
