// JSON text to variants and back: whatever parses must write out as JSON
// that parses to the same variant.

#include "fuzzcommon.h"

#include "tdataparse.h"
#include "terror.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *iData, size_t iSize)
{
    TError err;
    const QVariant value = TDataParse::jsonStr2Variant(fuzzText(iData, iSize), &err);
    if (err.isValid() || !value.isValid())
        return 0;
    const QString written = TDataParse::variant2JsonStr(value, true);
    TError again;
    const QVariant reread = TDataParse::jsonStr2Variant(written, &again);
    FUZZ_CHECK(!again.isValid());
    FUZZ_CHECK(TDataParse::variant2JsonStr(reread, true) == written);
    TDataParse::getVariantMd5(value);
    return 0;
}
