// jsonStr2Variant / variant2JsonStr on a ~20 MB document against the raw
// QJsonDocument calls, in time and in peak memory.
//
//   bench_tdataparsejson [megabytes]     (default 20)
//
// Every case runs in a child process of its own, so that its peak resident
// size is its own: the figure is the growth of the peak over the input that
// the case starts from. The raw parse starts from the UTF-8 bytes, the
// helper from the text a caller holds; both write from the same variant.
#include "tdataparse.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QProcess>

#include <sys/resource.h>

#include <cstdio>

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
        json += "{\"id\":" + QByteArray::number(i) + ",\"job\":\"PCB-" + QByteArray::number(i * 7) +
                "\",\"layers\":[1,2,3,4],\"ok\":true,\"thickness\":1.6,"
                "\"meta\":{\"customer\":\"Quendal\",\"remark\":\"drill \\u00fc\\u677f\",\"none\":null}}";
    }
    json += "]";
    return json;
}

int runCase(const QString &name, int megabytes)
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
    QElapsedTimer timer;
    timer.start();
    qint64 size = 0;
    if (name == "parse-raw") {
        const QVariant v = QJsonDocument::fromJson(bytes).toVariant();
        size = v.toList().size();
    } else if (name == "parse-helper") {
        const QVariant v = TDataParse::jsonStr2Variant(text);
        size = v.toList().size();
    } else if (name == "write-raw") {
        size = QJsonDocument::fromVariant(value).toJson(QJsonDocument::Compact).size();
    } else if (name == "write-helper") {
        size = TDataParse::variant2JsonStr(value, true).size();
    }
    const double ms = timer.nsecsElapsed() / 1e6;
    std::printf("%.1f %ld %lld\n", ms, peakKb() - before, size);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() > 2 && args.at(1) == "--case")
        return runCase(args.at(2), args.value(3, "20").toInt());
    const int megabytes = args.size() > 1 ? args.at(1).toInt() : 20;

    auto measure = [&](const QString &name, double *ms, long *kb) {
        QProcess child;
        child.start(app.applicationFilePath(), {"--case", name, QString::number(megabytes)});
        child.waitForFinished(-1);
        const QList<QByteArray> parts = child.readAllStandardOutput().trimmed().split(' ');
        *ms = parts.value(0).toDouble();
        *kb = parts.value(1).toLong();
    };
    std::printf("document: %d MB\n%-8s %12s %12s %12s %12s %8s %8s\n", megabytes, "op", "helper ms", "raw ms",
                "helper MB", "raw MB", "time x", "mem x");
    for (const QString op : {"parse", "write"}) {
        double helperMs = 0, rawMs = 0;
        long helperKb = 0, rawKb = 0;
        measure(op + "-helper", &helperMs, &helperKb);
        measure(op + "-raw", &rawMs, &rawKb);
        std::printf("%-8s %12.1f %12.1f %12.1f %12.1f %8.2f %8.2f\n", qPrintable(op), helperMs, rawMs,
                    helperKb / 1024.0, rawKb / 1024.0, helperMs / rawMs, double(helperKb) / rawKb);
    }
    return 0;
}
