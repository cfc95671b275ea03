#ifndef PEERPROCESS_H
#define PEERPROCESS_H

// A Python peer run as a child process of one test program. Every peer prints
// "PORT <n>" once it listens on 127.0.0.1 and ends when its standard input
// closes, so it never outlives the test.

#include <QElapsedTimer>
#include <QProcess>
#include <QString>
#include <QStringList>

class PeerProcess
{
public:
    PeerProcess() = default;
    PeerProcess(const PeerProcess &) = delete;
    PeerProcess &operator=(const PeerProcess &) = delete;
    ~PeerProcess() { stop(); }

    //! Starts /usr/bin/python3 with iArgs and waits for its port; false with the reason when it does not come up.
    bool start(const QStringList &iArgs, QString *oWhy)
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

    int port() const { return mPort; }
    QProcess &process() { return mProcess; }

    //! Closes the peer's input (or kills it) and waits for it to end.
    void stop(bool iKill = false)
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

private:
    QProcess mProcess;
    int mPort = 0;
};

#endif // PEERPROCESS_H
