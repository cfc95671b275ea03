// Command strings: every value and key the parser returns is trimmed text
// taken from the input.

#include "fuzzcommon.h"

#include "tdataparse.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *iData, size_t iSize)
{
    const QString command = fuzzText(iData, iSize);
    for (const QString &keyCase : {QString(), QStringLiteral("UPPER"), QStringLiteral("lower")}) {
        const QVariantMap map = TDataParse::commandStr2Map(command, keyCase);
        FUZZ_CHECK(command.isEmpty() == map.isEmpty());
        for (auto it = map.cbegin(); it != map.cend(); ++it) {
            const QString value = it.value().toString();
            FUZZ_CHECK(value == value.trimmed());
            FUZZ_CHECK(value.size() <= command.size());
        }
    }
    return 0;
}
