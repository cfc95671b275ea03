// Both XML conversions on any text, with and without own-text mode.

#include "fuzzcommon.h"

#include "tdataparse.h"
#include "terror.h"

#include <QStringList>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *iData, size_t iSize)
{
    const QString xml = fuzzText(iData, iSize);
    TError err;
    TDataParse::simpleXml2Map(xml, QStringLiteral("lower"), &err);
    const QStringList flags {QStringLiteral("item"), QStringLiteral("/a/b"), QStringLiteral("x/y/z")};
    TDataParse::xmlStr2Variant(xml, flags, QString(), QStringLiteral("v"));
    TDataParse::xmlStr2Variant(xml, flags, QStringLiteral("b"), QStringLiteral("v"),
                               {{QStringLiteral("recursively_text"), false}});
    const QString escaped = TDataParse::strEscapeXml(xml);
    FUZZ_CHECK(!escaped.contains(QLatin1Char('<')) && !escaped.contains(QLatin1Char('"')));
    return 0;
}
