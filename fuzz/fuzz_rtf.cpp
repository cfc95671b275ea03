// Rich text: any text read as RTF, and plain text through RTF and back.

#include "fuzzcommon.h"

#include "tdataparse.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *iData, size_t iSize)
{
    const QString text = fuzzText(iData, iSize);
    TDataParse::rtf2txt(text);
    TDataParse::rtf2txt(TDataParse::txt2rtf(text));
    return 0;
}
