#include "tmimeinlinefile.h"

TMimeInlineFile::TMimeInlineFile(const QString &iFilePath, QObject *iParent)
    : TMimeFile(iFilePath, iParent)
{}

TMimeInlineFile::~TMimeInlineFile() = default;

void TMimeInlineFile::prepare()
{
    addDispositionLine(QStringLiteral("Content-Disposition: inline"));
    TMimeFile::prepare();
}
