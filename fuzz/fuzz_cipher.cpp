// The cipher: any text decrypts or is refused unchanged, and every plain text
// comes back from its encrypted form.

#include "fuzzcommon.h"

#include "norvex.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *iData, size_t iSize)
{
    const QByteArray input = fuzzBytes(iData, iSize);
    QByteArray data = input;
    if (!Norvex::d2(data))
        FUZZ_CHECK(data == input);
    QByteArray round = Norvex::e2(input);
    FUZZ_CHECK(Norvex::d2(round));
    FUZZ_CHECK(round == input);
    return 0;
}
