#include "tmimemessage.h"
#include "tmimemessage_p.h"
#include "tmimemultipart.h"
#include "tmimepart_p.h"

namespace {

// The "Q" text of an encoded word. Only letters, digits and the few marks
// that may stand in a phrase are written as they are; the space becomes "_",
// and "_", "=", "?", ":" and every other byte are escaped, since a reader
// takes "_" for a space and "?=" for the end of the word.
QByteArray qEncodedWordText(const QByteArray &iBytes)
{
    static const char hex[] = "0123456789ABCDEF";
    QByteArray out;
    out.reserve(iBytes.size() * 3);
    for (const char c : iBytes) {
        const uchar b = uchar(c);
        if ((b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9') || b == '!' || b == '*'
            || b == '+' || b == '-' || b == '/') {
            out += c;
        } else if (b == ' ') {
            out += '_';
        } else {
            out += '=';
            out += hex[b >> 4];
            out += hex[b & 0xF];
        }
    }
    return out;
}

} // namespace

QString TMimeMessagePrivate::encodedText(const QString &iText) const
{
    const QString text = vekMimeHeaderSafe(iText);
    switch (headerEncoding) {
    case TMimePart::EncodingBase64:
        return QLatin1String("=?utf-8?B?") + QString::fromLatin1(text.toUtf8().toBase64()) + QLatin1String("?=");
    case TMimePart::EncodingQuotedPrintable:
        return QLatin1String("=?utf-8?Q?") + QString::fromLatin1(qEncodedWordText(text.toUtf8())) + QLatin1String("?=");
    default:
        return text;
    }
}

QString TMimeMessagePrivate::participant(const TMailUser &iUser) const
{
    QString s;
    if (!iUser.name().isEmpty())
        s += QLatin1Char(' ') + encodedText(iUser.name());
    return s + QLatin1String(" <") + vekMimeHeaderSafe(iUser.address()) + QLatin1Char('>');
}

QString TMimeMessagePrivate::participantList(const QList<TMailUser> &iUsers) const
{
    QString s;
    for (int i = 0; i < iUsers.size(); ++i) {
        if (i > 0)
            s += QLatin1Char(',');
        s += participant(iUsers.at(i));
    }
    return s + QLatin1String("\r\n");
}

TMimeMessage::TMimeMessage(bool iCreateContent)
    : d_ptr(new TMimeMessagePrivate(this))
{
    if (iCreateContent)
        d_ptr->content = new TMimeMultiPart(TMimeMultiPart::Related);
}

TMimeMessage::~TMimeMessage()
{
    delete d_ptr->content;
    delete d_ptr;
}

void TMimeMessage::setSender(const QString &iAddress, const QString &iName)
{
    Q_D(TMimeMessage);
    d->sender.setAddress(iAddress);
    d->sender.setName(iName);
}

TMailUser TMimeMessage::sender() const
{
    Q_D(const TMimeMessage);
    return TMailUser(d->sender.address(), d->sender.name());
}

void TMimeMessage::addRecipient(const QString &iAddress, const QString &iName, int iType)
{
    Q_D(TMimeMessage);
    switch (iType) {
    case To:
        d->to.append(TMailUser(iAddress, iName));
        break;
    case Cc:
        d->cc.append(TMailUser(iAddress, iName));
        break;
    case Bcc:
        d->bcc.append(TMailUser(iAddress, iName));
        break;
    default:
        break;
    }
}

void TMimeMessage::addTo(const QString &iAddress, const QString &iName) { addRecipient(iAddress, iName, To); }
void TMimeMessage::addCc(const QString &iAddress, const QString &iName) { addRecipient(iAddress, iName, Cc); }
void TMimeMessage::addBcc(const QString &iAddress, const QString &iName) { addRecipient(iAddress, iName, Bcc); }

QList<TMailUser> TMimeMessage::recipients(int iType) const
{
    Q_D(const TMimeMessage);
    switch (iType) {
    case Cc:
        return d->cc;
    case Bcc:
        return d->bcc;
    default:
        return d->to;
    }
}

void TMimeMessage::setSubject(const QString &iSubject)
{
    Q_D(TMimeMessage);
    d->subject = iSubject;
}
QString TMimeMessage::subject() const
{
    Q_D(const TMimeMessage);
    return d->subject;
}

void TMimeMessage::setContent(TMimePart *iContent)
{
    Q_D(TMimeMessage);
    if (iContent == d->content)
        return;
    delete d->content;
    d->content = iContent;
}

TMimePart *TMimeMessage::content() const
{
    Q_D(const TMimeMessage);
    return d->content;
}

void TMimeMessage::addPart(TMimePart *iPart)
{
    Q_D(TMimeMessage);
    if (auto *multi = dynamic_cast<TMimeMultiPart *>(d->content))
        multi->addPart(iPart);
}

QList<TMimePart *> TMimeMessage::parts() const
{
    Q_D(const TMimeMessage);
    if (auto *multi = dynamic_cast<TMimeMultiPart *>(d->content))
        return multi->parts();
    return QList<TMimePart *>() << d->content;
}

void TMimeMessage::setHeaderEncoding(int iEncoding)
{
    Q_D(TMimeMessage);
    d->headerEncoding = iEncoding;
}
int TMimeMessage::headerEncoding() const
{
    Q_D(const TMimeMessage);
    return d->headerEncoding;
}

QString TMimeMessagePrivate::headerText() const
{
    QString s;
    s += QLatin1String("From:") + participant(sender) + QLatin1String("\r\n");
    s += QLatin1String("To:") + participantList(to);
    if (!cc.isEmpty())
        s += QLatin1String("Cc:") + participantList(cc);
    s += QLatin1String("Subject: ") + encodedText(subject) + QLatin1String("\r\n");
    s += QLatin1String("MIME-Version: 1.0\r\n");
    return s;
}

QString TMimeMessage::toString() const
{
    Q_D(const TMimeMessage);
    QString s = d->headerText();
    if (d->content)
        s += d->content->toString();
    return s;
}
