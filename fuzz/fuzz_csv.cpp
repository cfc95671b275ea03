// CSV reading and writing: the reader must never fail on a line the writer
// produced from fields without quotes or line feeds, and must read it back.

#include "fuzzcommon.h"

#include "tdataparse.h"
#include "terror.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *iData, size_t iSize)
{
    const QString text = fuzzText(iData, iSize);
    TError err;
    const QList<QStringList> records = TDataParse::csvStr2List(text, &err);
    TDataParse::csvLine2List(text);
    for (const QStringList &record : records) {
        QStringList fields;
        for (const QString &field : record) {
            QString plain = field;
            plain.remove(QLatin1Char('"')).remove(QLatin1Char('\n')).remove(QLatin1Char('\r'));
            fields << plain;
        }
        const QString line = TDataParse::stringList2Csv(fields);
        TError lineErr;
        const QStringList back = TDataParse::csvLine2List(line, &lineErr);
        FUZZ_CHECK(!lineErr.isValid());
        // A record of one empty field writes an empty line, which holds no record.
        FUZZ_CHECK(back == fields || (fields == QStringList {QString()} && back.isEmpty()));
    }
    return 0;
}
