// Pasting 100 kB into text edits capped at 1000 bytes, against a plain
// QTextEdit paste of the same text. Run by hand: build/bench/bench_textpaste [rounds]
#include "tplaintextedit.h"
#include "ttextedit.h"

#include "benchtiming.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTextCodec>
#include <QTextEdit>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

using benchtiming::bestMs;

// About iBytes of UTF-8 in lines, a fifth of the characters taking two bytes.
QString pasteText(int iBytes)
{
    QString text;
    int bytes = 0;
    int n = 0;
    while (bytes < iBytes) {
        const QString line = QStringLiteral("Panel %1 drill 0.30 mm \u00e9tape %2\n").arg(n).arg(n * 7);
        text += line;
        bytes += line.toUtf8().size();
        ++n;
    }
    return text;
}

template<typename Edit>
double pasteInto(int iRounds, const QString &iText, int iLimit, int *oBytes)
{
    return bestMs(iRounds, [&]() {
        Edit edit;
        if (iLimit >= 0)
            edit.setMaxByteCount(iLimit);
        edit.insertPlainText(iText);
        *oBytes = edit.toPlainText().toUtf8().size();
    });
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QApplication app(argc, argv);
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    const QString text = pasteText(100 * 1024);
    std::printf("paste of %d UTF-16 units (%d bytes), best of %d rounds\n", int(text.size()), int(text.toUtf8().size()),
                rounds);

    int bytes = 0;
    // Fonts and layout caches load on the first paste; keep that out of the figures.
    pasteInto<TTextEdit>(1, text, 1000, &bytes);
    const double plain = bestMs(rounds, [&]() {
        QTextEdit edit;
        edit.insertPlainText(text);
        bytes = edit.toPlainText().toUtf8().size();
    });
    std::printf("  QTextEdit, no limit:            %8.2f ms  (%d bytes kept)\n", plain, bytes);
    const double limited = pasteInto<TTextEdit>(rounds, text, 1000, &bytes);
    std::printf("  TTextEdit, 1000-byte limit:     %8.2f ms  (%d bytes kept)  %.2fx\n", limited, bytes,
                limited / plain);
    const double plainLimited = pasteInto<TPlainTextEdit>(rounds, text, 1000, &bytes);
    std::printf("  TPlainTextEdit, 1000-byte limit:%8.2f ms  (%d bytes kept)  %.2fx\n", plainLimited, bytes,
                plainLimited / plain);
    const double unlimited = pasteInto<TTextEdit>(rounds, text, -1, &bytes);
    std::printf("  TTextEdit, no limit:            %8.2f ms  (%d bytes kept)  %.2fx\n", unlimited, bytes,
                unlimited / plain);
    return 0;
}
