#ifndef TMIMEMESSAGE_P_H
#define TMIMEMESSAGE_P_H

#include "tmimemessage.h"
#include "tmimepart.h"

class TMimeMessagePrivate
{
    Q_DECLARE_PUBLIC(TMimeMessage)
public:
    explicit TMimeMessagePrivate(TMimeMessage *qptr)
        : q_ptr(qptr)
    {}

    static const TMimeMessagePrivate *get(const TMimeMessage &iMessage) { return iMessage.d_ptr; }

    //! The message's header lines, up to the content's own headers.
    QString headerText() const;
    QString encodedText(const QString &iText) const;
    QString participant(const TMailUser &iUser) const;
    QString participantList(const QList<TMailUser> &iUsers) const;

    TMailUser sender;
    QList<TMailUser> to;
    QList<TMailUser> cc;
    QList<TMailUser> bcc;
    QString subject;
    TMimePart *content {nullptr};
    int headerEncoding {TMimePart::Encoding8Bit};
    TMimeMessage *q_ptr;
};

#endif // TMIMEMESSAGE_P_H
