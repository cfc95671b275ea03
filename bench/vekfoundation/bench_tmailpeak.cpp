// Peak memory of one mail with a large attachment (10, 30 and 60 MB) sent to
// a loopback aiosmtpd: TMail in a process of its own against Python's
// smtplib sending the same mail. Median of three rounds each.
// Run by hand: build/bench/bench_tmailpeak [rounds]

#include "../../tests/vekfoundation/peers/smtppeer.h"

#include "tmail.h"

#include <QCoreApplication>
#include <QTextStream>

#include <sys/resource.h>

#include <algorithm>
#include <vector>

namespace {

// Child mode: one mail, then the peak resident size in kilobytes.
int sendOne(quint16 iPort, const QString &iPath)
{
    TMail mail(QStringLiteral("127.0.0.1"), iPort, TMail::Tcp);
    mail.setResponseTimeout(120000);
    if (!mail.sendMail(QStringLiteral("<Bench>bench@example.org"), QString(), {QStringLiteral("<To>to@example.org")},
                       QStringLiteral("peak"), QStringLiteral("<p>peak</p>"), {iPath}))
        return 1;
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    QTextStream(stdout) << "PEAK " << usage.ru_maxrss << Qt::endl;
    return 0;
}

qint64 peakOf(QProcess &ioProcess)
{
    if (!ioProcess.waitForFinished(600000) || ioProcess.exitCode() != 0)
        return -1;
    for (const QByteArray &line : ioProcess.readAllStandardOutput().split('\n')) {
        if (line.startsWith("PEAK "))
            return line.mid(5).trimmed().toLongLong();
    }
    return -1;
}

qint64 median(std::vector<qint64> iValues)
{
    std::sort(iValues.begin(), iValues.end());
    return iValues[iValues.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 4 && QByteArray(argv[1]) == "send")
        return sendOne(quint16(QByteArray(argv[2]).toUInt()), QString::fromLocal8Bit(argv[3]));

    QTextStream out(stdout);
    const int rounds = argc > 1 ? QByteArray(argv[1]).toInt() : 3;
    SmtpPeer peer;
    QString error;
    if (!peer.startRecording(QStringLiteral("plain"), &error, true)) {
        out << "cannot start the SMTP server: " << error << Qt::endl;
        return 1;
    }
    out << "one mail with an attachment, peak resident memory, median of " << rounds << " rounds" << Qt::endl;
    for (const int mb : {10, 30, 60}) {
        const QString path = peer.tempPath(QStringLiteral("attachment-%1.bin").arg(mb));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        QByteArray block(1024 * 1024, '\0');
        for (int i = 0; i < block.size(); ++i)
            block[i] = char((i * 131) >> 3);
        for (int i = 0; i < mb; ++i)
            file.write(block);
        file.close();

        std::vector<qint64> ours, theirs;
        for (int round = 0; round < rounds; ++round) {
            QProcess client;
            client.start(QCoreApplication::applicationFilePath(),
                         {QStringLiteral("send"), QString::number(peer.port()), path});
            ours.push_back(peakOf(client));
            QProcess python;
            python.start(QStringLiteral("/usr/bin/python3"),
                         {QStringLiteral(VEK_SOURCE_DIR "/bench/vekfoundation/smtp_smtplib_sender.py"),
                          QString::number(peer.port()), QStringLiteral("1"), path, QStringLiteral("--peak")});
            theirs.push_back(peakOf(python));
        }
        const qint64 a = median(ours);
        const qint64 b = median(theirs);
        if (a <= 0 || b <= 0) {
            out << mb << " MB: a send failed" << Qt::endl;
            return 1;
        }
        out << mb << " MB: TMail " << a / 1024 << " MiB, smtplib " << b / 1024 << " MiB, ratio "
            << QString::number(double(a) / double(b), 'f', 2) << Qt::endl;
        QFile::remove(path);
    }
    return 0;
}
