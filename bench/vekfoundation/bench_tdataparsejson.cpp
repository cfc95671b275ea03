// jsonStr2Variant / variant2JsonStr on a ~20 MB document against the raw
// QJsonDocument calls, in time and in peak memory.
//
//   bench_tdataparsejson [megabytes]     (default 20)
//
// Time: both sides run in this process, alternating, three rounds after a
// warm-up; the best round of each counts (the machine may be busy).
// Memory: each case runs once more in a child process of its own, so that its
// peak resident size is its own; the figure is the growth of the peak over
// the input that the case starts from. The raw parse starts from the UTF-8
// bytes, the helper from the text a caller holds; both write from the same
// variant.
#include "tdataparse.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QProcess>

#include <sys/resource.h>

#include <cstdio>
#include <functional>

namespace {

long peakKb()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

QByteArray document(int megabytes)
{
    QByteArray json;
    json.reserve(megabytes * 1024 * 1024 + 4096);
    json += "[";
    for (int i = 0; json.size() < megabytes * 1024 * 1024; ++i) {
        if (i)
            json += ",";
        json += "{\"id\":" + QByteArray::number(i) + ",\"job\":\"PCB-" + QByteArray::number(i * 7)
                + "\",\"layers\":[1,2,3,4],\"ok\":true,\"thickness\":1.6,"
                  "\"meta\":{\"customer\":\"Quendal\",\"remark\":\"drill \\u00fc\\u677f\",\"none\":null}}";
    }
    json += "]";
    return json;
}

qint64 parseRaw(const QByteArray &bytes) { return QJsonDocument::fromJson(bytes).toVariant().toList().size(); }
qint64 parseHelper(const QString &text) { return TDataParse::jsonStr2Variant(text).toList().size(); }
qint64 writeRaw(const QVariant &v) { return QJsonDocument::fromVariant(v).toJson(QJsonDocument::Compact).size(); }
qint64 writeHelper(const QVariant &v) { return TDataParse::variant2JsonStr(v, true).size(); }

// One case in a child process: prints the growth of the peak resident size in KiB.
int memoryCase(const QString &name, int megabytes)
{
    QByteArray bytes = document(megabytes);
    QString text;
    QVariant value;
    if (name == "parse-helper") {
        text = QString::fromUtf8(bytes);
        bytes = QByteArray();
    } else if (name.startsWith("write")) {
        value = QJsonDocument::fromJson(bytes).toVariant();
        bytes = QByteArray();
    }
    const long before = peakKb();
    qint64 size = 0;
    if (name == "parse-raw")
        size = parseRaw(bytes);
    else if (name == "parse-helper")
        size = parseHelper(text);
    else if (name == "write-raw")
        size = writeRaw(value);
    else if (name == "write-helper")
        size = writeHelper(value);
    std::printf("%ld %lld\n", peakKb() - before, size);
    return 0;
}

double bestMs(const std::function<void()> &work, double best)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return qMin(best, timer.nsecsElapsed() / 1e6);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() > 2 && args.at(1) == "--case")
        return memoryCase(args.at(2), args.value(3, "20").toInt());
    const int megabytes = args.size() > 1 ? args.at(1).toInt() : 20;

    // Children first: Linux hands a child the peak resident size of its
    // parent, so the parent must still be small here.
    auto peakMb = [&](const QString &name) {
        QProcess child;
        child.start(app.applicationFilePath(), {"--case", name, QString::number(megabytes)});
        if (!child.waitForFinished(-1) || child.exitCode() != 0)
            std::fprintf(stderr, "child %s failed: %s\n", qPrintable(name), child.readAllStandardError().constData());
        return child.readAllStandardOutput().trimmed().split(' ').value(0).toLong() / 1024.0;
    };
    const double parseHelperMb = peakMb("parse-helper"), parseRawMb = peakMb("parse-raw");
    const double writeHelperMb = peakMb("write-helper"), writeRawMb = peakMb("write-raw");

    const QByteArray bytes = document(megabytes);
    const QString text = QString::fromUtf8(bytes);
    const QVariant value = QJsonDocument::fromJson(bytes).toVariant();
    double parseHelperMs = 1e12, parseRawMs = 1e12, writeHelperMs = 1e12, writeRawMs = 1e12;
    parseRaw(bytes); // warm-up
    writeRaw(value);
    for (int round = 0; round < 3; ++round) {
        parseHelperMs = bestMs([&] { parseHelper(text); }, parseHelperMs);
        parseRawMs = bestMs([&] { parseRaw(bytes); }, parseRawMs);
        writeHelperMs = bestMs([&] { writeHelper(value); }, writeHelperMs);
        writeRawMs = bestMs([&] { writeRaw(value); }, writeRawMs);
    }

    std::printf("document: %d MB\n%-8s %12s %12s %12s %12s %8s %8s\n", megabytes, "op", "helper ms", "raw ms",
                "helper MB", "raw MB", "time x", "mem x");
    std::printf("%-8s %12.1f %12.1f %12.1f %12.1f %8.2f %8.2f\n", "parse", parseHelperMs, parseRawMs, parseHelperMb,
                parseRawMb, parseHelperMs / parseRawMs, parseHelperMb / parseRawMb);
    std::printf("%-8s %12.1f %12.1f %12.1f %12.1f %8.2f %8.2f\n", "write", writeHelperMs, writeRawMs, writeHelperMb,
                writeRawMb, writeHelperMs / writeRawMs, writeHelperMb / writeRawMb);
    return 0;
}
