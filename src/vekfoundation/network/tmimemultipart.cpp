#include "tmimemultipart.h"
#include "tmimemultipart_p.h"

#include <QRandomGenerator>

namespace {
const char *const MultiPartContentTypes[] = {
        "multipart/mixed",  "multipart/digest", "multipart/alternative", "multipart/related",
        "multipart/report", "multipart/signed", "multipart/encrypted",
};
const int MultiPartTypeCount = int(sizeof(MultiPartContentTypes) / sizeof(MultiPartContentTypes[0]));

QString contentTypeOf(int iType)
{
    if (iType < 0 || iType >= MultiPartTypeCount)
        return QString();
    return QLatin1String(MultiPartContentTypes[iType]);
}

// A boundary must never occur inside the parts; 128 bits from the system
// generator make a collision with real content practically impossible.
QString randomBoundary()
{
    quint32 words[4];
    QRandomGenerator::system()->fillRange(words);
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char *>(words), sizeof(words)).toHex());
}
} // namespace

TMimeMultiPart::TMimeMultiPart(int iType, QObject *iParent)
    : TMimePart(*new TMimeMultiPartPrivate(this), iParent)
{
    Q_D(TMimeMultiPart);
    d->type = iType;
    d->contentType = contentTypeOf(iType);
    d->encoding = Encoding8Bit;
    d->boundary = randomBoundary();
}

TMimeMultiPart::~TMimeMultiPart() = default;

void TMimeMultiPart::addPart(TMimePart *iPart)
{
    Q_D(TMimeMultiPart);
    if (!iPart)
        return;
    if (!iPart->parent())
        iPart->setParent(this);
    d->parts.append(iPart);
}

QList<TMimePart *> TMimeMultiPart::parts() const
{
    Q_D(const TMimeMultiPart);
    return d->parts;
}

void TMimeMultiPart::setType(int iType)
{
    Q_D(TMimeMultiPart);
    d->type = iType;
    d->contentType = contentTypeOf(iType);
}

int TMimeMultiPart::type() const
{
    Q_D(const TMimeMultiPart);
    return d->type;
}

void TMimeMultiPart::prepare()
{
    Q_D(TMimeMultiPart);
    const QString delimiter = QLatin1String("--") + d->boundary;
    QString body;
    for (TMimePart *part : qAsConst(d->parts)) {
        body += delimiter + QLatin1String("\r\n");
        part->prepare();
        body += part->toString();
    }
    body += delimiter + QLatin1String("--\r\n");
    d->content = body.toUtf8();
    TMimePart::prepare();
}
