#include "tmimeattachment.h"

TMimeAttachment::TMimeAttachment(const QString &iFilePath, QObject *iParent)
    : TMimeFile(iFilePath, iParent)
{}

TMimeAttachment::~TMimeAttachment() = default;

void TMimeAttachment::prepare()
{
    // The lower-case "d" is what receivers have always seen from us; header
    // names are case-insensitive anyway.
    addDispositionLine(QStringLiteral("Content-disposition: attachment"));
    TMimeFile::prepare();
}
