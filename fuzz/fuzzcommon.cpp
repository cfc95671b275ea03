#include "fuzzcommon.h"

#include <QtGlobal>

namespace {

void dropMessage(QtMsgType iType, const QMessageLogContext &, const QString &iText)
{
    if (iType == QtFatalMsg) {
        std::fprintf(stderr, "fatal: %s\n", qPrintable(iText));
        std::abort();
    }
}

} // namespace

void fuzzSilenceQtMessages() { qInstallMessageHandler(dropMessage); }

#ifdef VEK_LIBFUZZER
extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzzSilenceQtMessages();
    return 0;
}
#endif
