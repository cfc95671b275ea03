// Downloads a large file from the loopback HTTP peer with MD5 verification and
// compares it, in the same run, with `curl -s -o` followed by `md5sum`.
// Prints wall times, the ratio and the peak resident memory of the download.
//
//   bench_tnetworkfileio [size in MB, default 200] [rounds, default 3]

#include "httppeer.h"
#include "terror.h"
#include "thttputil.h"
#include "tnetworkfileio.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

// Peak resident set size of this process in KiB since the last reset.
qint64 peakRssKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

void resetPeakRss()
{
    QFile clearRefs(QStringLiteral("/proc/self/clear_refs"));
    if (clearRefs.open(QIODevice::WriteOnly))
        clearRefs.write("5");
}

QString makeContent(HttpPeer &iPeer, qint64 iBytes)
{
    // Varied content so that nothing in the path can shortcut it.
    QByteArray block(1 << 20, Qt::Uninitialized);
    quint32 x = 2463534242u;
    QCryptographicHash hash(QCryptographicHash::Md5);
    const QString tmp = iPeer.storePath() + QStringLiteral("/big.tmp");
    QFile file(tmp);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    for (qint64 written = 0; written < iBytes; written += block.size()) {
        for (int i = 0; i < block.size(); i += 4) {
            x ^= x << 13;
            x ^= x >> 17;
            x ^= x << 5;
            memcpy(block.data() + i, &x, 4);
        }
        file.write(block);
        hash.addData(block);
    }
    file.close();
    const QString md5 = QString::fromLatin1(hash.result().toHex());
    QDir().mkpath(iPeer.storePath() + QStringLiteral("/bench"));
    QFile::rename(tmp, iPeer.storePath() + QStringLiteral("/bench/") + md5);
    return md5;
}

double timeIt(const std::function<bool()> &iRun, bool *oOk)
{
    QElapsedTimer timer;
    timer.start();
    *oOk = iRun() && *oOk;
    return timer.nsecsElapsed() / 1e9;
}

double median(QVector<double> iValues)
{
    std::sort(iValues.begin(), iValues.end());
    return iValues.at(iValues.size() / 2);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const qint64 megabytes = args.size() > 1 ? args.at(1).toLongLong() : 200;
    const int rounds = args.size() > 2 ? args.at(2).toInt() : 3;
    QTextStream out(stdout);

    HttpPeer peer;
    QString why;
    if (!peer.start(&why)) {
        out << "cannot start the HTTP peer: " << why << "\n";
        return 1;
    }
    const QString md5 = makeContent(peer, megabytes * 1024 * 1024);
    QTemporaryDir local;
    const QString folder = local.path() + QLatin1Char('/');
    const QString url
            = peer.baseUrl() + QStringLiteral("/system/downloadFile?dir=bench&md5=%1&filename=big.bin").arg(md5);
    out << "file: " << megabytes << " MB, md5 " << md5 << ", rounds: " << rounds << "\n";
    out.flush();

    bool ok = true;
    QVector<double> fileIo, util, curl;
    qint64 peakFileIo = 0, peakUtil = 0;
    const qint64 baseRss = peakRssKiB();
    for (int round = 0; round < rounds; ++round) {
        QFile::remove(folder + QStringLiteral("big.bin"));
        resetPeakRss();
        fileIo.append(timeIt(
                [&]() {
                    TNetworkFileIo io;
                    io.setConnectParameter(peer.baseUrl());
                    io.setServerDir(QStringLiteral("bench"));
                    TError error;
                    const QStringList done = io.downloadFiles({{QStringLiteral("big.bin"), md5}}, folder, &error);
                    return done.size() == 1 && !error.isValid();
                },
                &ok));
        peakFileIo = std::max(peakFileIo, peakRssKiB());

        QFile::remove(folder + QStringLiteral("big.bin"));
        resetPeakRss();
        util.append(timeIt(
                [&]() {
                    THttpUtil client;
                    client.setUrl(peer.baseUrl());
                    const THttpReply reply
                            = client.downloadFile(QStringLiteral("bench"), md5, folder + QStringLiteral("big.bin"));
                    return reply.errorCode() == QNetworkReply::NoError;
                },
                &ok));
        peakUtil = std::max(peakUtil, peakRssKiB());

        QFile::remove(folder + QStringLiteral("curl.bin"));
        curl.append(timeIt(
                [&]() {
                    const QString target = folder + QStringLiteral("curl.bin");
                    if (QProcess::execute(QStringLiteral("curl"),
                                          {QStringLiteral("-s"), QStringLiteral("--noproxy"), QStringLiteral("*"),
                                           QStringLiteral("-o"), target, url})
                        != 0)
                        return false;
                    QProcess sum;
                    sum.start(QStringLiteral("md5sum"), {target});
                    sum.waitForFinished(-1);
                    return sum.readAllStandardOutput().startsWith(md5.toLatin1());
                },
                &ok));
    }

    const double ratio = median(fileIo) / median(curl);
    out << QStringLiteral("TNetworkFileIo::downloadFiles  median %1 s  (%2 MB/s)\n")
                    .arg(median(fileIo), 0, 'f', 3)
                    .arg(megabytes / median(fileIo), 0, 'f', 0);
    out << QStringLiteral("THttpUtil::downloadFile        median %1 s  (%2 MB/s)\n")
                    .arg(median(util), 0, 'f', 3)
                    .arg(megabytes / median(util), 0, 'f', 0);
    out << QStringLiteral("curl -s -o + md5sum            median %1 s  (%2 MB/s)\n")
                    .arg(median(curl), 0, 'f', 3)
                    .arg(megabytes / median(curl), 0, 'f', 0);
    out << QStringLiteral("ratio TNetworkFileIo / curl+md5sum: %1 (target 1.3)\n").arg(ratio, 0, 'f', 2);
    out << QStringLiteral("peak RSS: at start %1 MiB, TNetworkFileIo %2 MiB, THttpUtil %3 MiB\n")
                    .arg(baseRss / 1024.0, 0, 'f', 1)
                    .arg(peakFileIo / 1024.0, 0, 'f', 1)
                    .arg(peakUtil / 1024.0, 0, 'f', 1);
    if (!ok)
        out << "FAILED: a download did not complete or its digest did not match\n";
    return ok ? 0 : 1;
}
