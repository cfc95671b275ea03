// Sends 200 mails with a 100 KB attachment each to a loopback aiosmtpd, once
// with TMail and once with Python's smtplib, and prints both times.

#include "smtppeer.h"

#include "tmail.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const int count = argc > 1 ? QByteArray(argv[1]).toInt() : 200;

    SmtpPeer peer;
    QString error;
    if (!peer.startRecording(QStringLiteral("plain"), &error, true)) {
        out << "cannot start the SMTP server: " << error << Qt::endl;
        return 1;
    }
    QByteArray bytes(100 * 1024, '\0');
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = char((i * 131) >> 3);
    const QString path = peer.tempPath(QStringLiteral("report.bin"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return 1;
    file.close();

    TMail mail(QStringLiteral("127.0.0.1"), peer.port(), TMail::Tcp);
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < count; ++i) {
        if (!mail.sendMail(QStringLiteral("<Bench>bench@example.org"), QString(),
                           {QStringLiteral("<To>to@example.org")}, QStringLiteral("bench %1").arg(i),
                           QStringLiteral("<p>bench mail %1</p>").arg(i), {path})) {
            out << "send " << i << " failed: " << mail.lastError().text() << Qt::endl;
            return 1;
        }
    }
    const qint64 ours = timer.elapsed();

    QProcess python;
    python.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    python.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral(VEK_SOURCE_DIR "/bench/vekfoundation/smtp_smtplib_sender.py"),
                  QString::number(peer.port()), QString::number(count), path});
    if (!python.waitForFinished(600000) || python.exitCode() != 0) {
        out << "smtplib run failed" << Qt::endl;
        return 1;
    }
    const QByteArray line = python.readAllStandardOutput().trimmed();
    const double theirs = line.mid(QByteArray("SMTPLIB ").size()).toDouble();

    out << "mails: " << count << " x " << bytes.size() / 1024 << " KB attachment, one connection each\n";
    out << "TMail:   " << ours << " ms (" << QString::number(double(ours) / count, 'f', 2) << " ms/mail)\n";
    out << "smtplib: " << QString::number(theirs, 'f', 0) << " ms (" << QString::number(theirs / count, 'f', 2)
        << " ms/mail)\n";
    out << "recorded by the server: " << peer.recordCount(QStringLiteral("eml")) << " (expected " << 2 * count << ")"
        << Qt::endl;
    return 0;
}
