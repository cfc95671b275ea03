// Replays corpus and regression files through a fuzz target's entry point, so
// the inputs that once found faults run in every test run without a fuzzing
// engine. Arguments are files or folders (read one level deep).

#include "fuzzcommon.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace {

bool replayFile(const QString &iPath)
{
    QFile file(iPath);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(iPath));
        return false;
    }
    const QByteArray bytes = file.readAll();
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()));
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    fuzzSilenceQtMessages();
    int files = 0;
    for (int i = 1; i < argc; ++i) {
        const QString path = QString::fromLocal8Bit(argv[i]);
        const QFileInfo info(path);
        if (info.isDir()) {
            const QFileInfoList entries = QDir(path).entryInfoList(QDir::Files, QDir::Name);
            for (const QFileInfo &entry : entries) {
                if (!replayFile(entry.filePath()))
                    return 1;
                ++files;
            }
        } else {
            if (!replayFile(path))
                return 1;
            ++files;
        }
    }
    if (files == 0) {
        std::fprintf(stderr, "no input replayed\n");
        return 1;
    }
    std::printf("%d inputs replayed\n", files);
    return 0;
}
