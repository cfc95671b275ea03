#ifndef FUZZCOMMON_H
#define FUZZCOMMON_H

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// The fuzz targets share the libFuzzer entry point; under GCC the replay
// driver calls it once per corpus and regression file.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *iData, size_t iSize);

inline QByteArray fuzzBytes(const uint8_t *iData, size_t iSize)
{
    return QByteArray(reinterpret_cast<const char *>(iData), int(iSize));
}

inline QString fuzzText(const uint8_t *iData, size_t iSize) { return QString::fromUtf8(fuzzBytes(iData, iSize)); }

// A property that must hold whatever the input: a failure stops the run so
// the engine keeps the input.
#define FUZZ_CHECK(condition)                                                                                          \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);                         \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (false)

// Qt's own messages (parse failures, leftover theme variables) are expected
// noise for hostile input.
void fuzzSilenceQtMessages();

#endif // FUZZCOMMON_H
