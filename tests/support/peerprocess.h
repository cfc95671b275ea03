#ifndef PEERPROCESS_H
#define PEERPROCESS_H

// A Python peer run as a child process of one test program. Every peer prints
// "PORT <n>" once it listens on 127.0.0.1 and ends when its standard input
// closes, so it never outlives the test.

#include <QProcess>
#include <QString>
#include <QStringList>

class PeerProcess
{
public:
    PeerProcess() = default;
    PeerProcess(const PeerProcess &) = delete;
    PeerProcess &operator=(const PeerProcess &) = delete;
    ~PeerProcess();

    //! The folder of the peer scripts.
    static QString peerDir();

    //! Starts /usr/bin/python3 with iArgs and waits for its port; false with the reason when it does not come up.
    bool start(const QStringList &iArgs, QString *oWhy);

    int port() const { return mPort; }
    QProcess &process() { return mProcess; }

    //! Closes the peer's input (or kills it) and waits for it to end.
    void stop(bool iKill = false);

private:
    QProcess mProcess;
    int mPort = 0;
};

#endif // PEERPROCESS_H
