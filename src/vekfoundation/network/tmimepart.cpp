#include "tmimepart.h"
#include "tmimepart_p.h"
#include "tquotedprintable.h"

TMimePart::TMimePart(QObject *iParent)
    : QObject(iParent)
    , d_ptr(new TMimePartPrivate(this))
{}

TMimePart::TMimePart(TMimePartPrivate &iPrivate, QObject *iParent)
    : QObject(iParent)
    , d_ptr(&iPrivate)
{}

TMimePart::TMimePart(const TMimePart &iOther)
    : QObject(iOther.parent())
    , d_ptr(new TMimePartPrivate(this))
{
    d_ptr->copyFields(*iOther.d_ptr);
}

TMimePart &TMimePart::operator=(const TMimePart &iOther)
{
    if (&iOther != this)
        d_ptr->copyFields(*iOther.d_ptr);
    return *this;
}

TMimePart::~TMimePart() { delete d_ptr; }

void TMimePart::setHeader(const QString &iHeader)
{
    Q_D(TMimePart);
    d->header = iHeader;
}
QString TMimePart::header() const
{
    Q_D(const TMimePart);
    return d->header;
}

void TMimePart::addHeaderLine(const QString &iLine)
{
    Q_D(TMimePart);
    d->header += iLine + QLatin1String("\r\n");
}

void TMimePart::setContent(const QByteArray &iContent)
{
    Q_D(TMimePart);
    d->content = iContent;
}
QByteArray TMimePart::content() const
{
    Q_D(const TMimePart);
    return d->content;
}
void TMimePart::setContentId(const QString &iId)
{
    Q_D(TMimePart);
    d->contentId = iId;
}
QString TMimePart::contentId() const
{
    Q_D(const TMimePart);
    return d->contentId;
}
void TMimePart::setContentName(const QString &iName)
{
    Q_D(TMimePart);
    d->contentName = iName;
}
QString TMimePart::contentName() const
{
    Q_D(const TMimePart);
    return d->contentName;
}
void TMimePart::setContentType(const QString &iType)
{
    Q_D(TMimePart);
    d->contentType = iType;
}
QString TMimePart::contentType() const
{
    Q_D(const TMimePart);
    return d->contentType;
}
void TMimePart::setCharset(const QString &iCharset)
{
    Q_D(TMimePart);
    d->charset = iCharset;
}
QString TMimePart::charset() const
{
    Q_D(const TMimePart);
    return d->charset;
}
void TMimePart::setBoundary(const QString &iBoundary)
{
    Q_D(TMimePart);
    d->boundary = iBoundary;
}
QString TMimePart::boundary() const
{
    Q_D(const TMimePart);
    return d->boundary;
}
void TMimePart::setEncoding(int iEncoding)
{
    Q_D(TMimePart);
    d->encoding = iEncoding;
}
int TMimePart::encoding() const
{
    Q_D(const TMimePart);
    return d->encoding;
}
QString TMimePart::mimeString() const
{
    Q_D(const TMimePart);
    return d->mimeString;
}
bool TMimePart::isPrepared() const
{
    Q_D(const TMimePart);
    return d->prepared;
}

QString TMimePart::toString()
{
    Q_D(TMimePart);
    if (!d->prepared)
        prepare();
    return d->mimeString;
}

void TMimePart::prepare()
{
    Q_D(TMimePart);
    writeMimeString(d->encoding);
}

QString TMimePartPrivate::headerText(int iEncoding) const
{
    QString s;
    s += QLatin1String("Content-Type: ") + vekMimeHeaderSafe(contentType);
    if (!contentName.isEmpty())
        s += QLatin1String("; name=\"") + vekMimeHeaderSafe(contentName) + QLatin1Char('"');
    if (!charset.isEmpty())
        s += QLatin1String("; charset=") + vekMimeHeaderSafe(charset);
    if (!boundary.isEmpty())
        s += QLatin1String("; boundary=") + vekMimeHeaderSafe(boundary);
    s += QLatin1String("\r\n");

    s += QLatin1String("Content-Transfer-Encoding: ");
    switch (iEncoding) {
    case TMimePart::Encoding7Bit:
        s += QLatin1String("7bit\r\n");
        break;
    case TMimePart::Encoding8Bit:
        s += QLatin1String("8bit\r\n");
        break;
    case TMimePart::EncodingBase64:
        s += QLatin1String("base64\r\n");
        break;
    case TMimePart::EncodingQuotedPrintable:
        s += QLatin1String("quoted-printable\r\n");
        break;
    default:
        break;
    }
    if (!contentId.isEmpty())
        s += QLatin1String("Content-ID: <") + vekMimeHeaderSafe(contentId) + QLatin1String(">\r\n");
    s += header + QLatin1String("\r\n");
    return s;
}

void TMimePart::writeMimeString(int iEncoding)
{
    Q_D(TMimePart);
    if (d->deferText) {
        d->preparedEncoding = iEncoding;
        d->prepared = false;
        return;
    }
    QString s = d->headerText(iEncoding);

    switch (iEncoding) {
    case Encoding7Bit:
        // Only ASCII survives unchanged; anything else is flattened on purpose.
        s += QString::fromUtf8(QString::fromUtf8(d->content).toLatin1());
        break;
    case Encoding8Bit:
        s += QString::fromUtf8(d->content);
        break;
    case EncodingBase64:
        s += QLatin1String(d->formatter.format(d->content.toBase64()));
        break;
    case EncodingQuotedPrintable:
        s += d->formatter.format(TQuotedPrintable::encode(d->content), true);
        break;
    default:
        break;
    }
    s += QLatin1String("\r\n");
    d->mimeString = s;
    d->prepared = true;
}
