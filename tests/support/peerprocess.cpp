#include "peerprocess.h"

#include <QElapsedTimer>

PeerProcess::~PeerProcess() { stop(); }

QString PeerProcess::peerDir() { return QStringLiteral(VEK_PEER_DIR); }

bool PeerProcess::start(const QStringList &iArgs, QString *oWhy)
{
    mProcess.setProgram(QStringLiteral("/usr/bin/python3"));
    mProcess.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    mProcess.setArguments(QStringList {QStringLiteral("-u")} + iArgs);
    mProcess.start();
    if (!mProcess.waitForStarted(10000)) {
        *oWhy = QStringLiteral("cannot start /usr/bin/python3: ") + mProcess.errorString();
        return false;
    }
    QElapsedTimer timer;
    timer.start();
    QByteArray seen;
    while (timer.elapsed() < 20000) {
        while (mProcess.canReadLine()) {
            const QByteArray line = mProcess.readLine().trimmed();
            if (line.startsWith("PORT ")) {
                mPort = line.mid(5).toInt();
                return mPort > 0;
            }
            seen += line + '\n';
        }
        if (!mProcess.waitForReadyRead(500) && mProcess.state() == QProcess::NotRunning)
            break;
    }
    *oWhy = QStringLiteral("peer %1 printed no port: \"%2\"").arg(iArgs.value(0), QString::fromUtf8(seen));
    return false;
}

void PeerProcess::stop(bool iKill)
{
    if (mProcess.state() == QProcess::NotRunning)
        return;
    if (iKill)
        mProcess.kill();
    else
        mProcess.closeWriteChannel();
    if (!mProcess.waitForFinished(3000)) {
        mProcess.kill();
        mProcess.waitForFinished(3000);
    }
}
