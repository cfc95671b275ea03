#ifndef SMTPPEER_H
#define SMTPPEER_H

// Starts the Python SMTP peers of the mail tests and benchmarks as child
// processes on 127.0.0.1 and reads back what they recorded.

#include "peerprocess.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QTemporaryDir>

class SmtpPeer
{
public:
    SmtpPeer() = default;
    SmtpPeer(const SmtpPeer &) = delete;
    SmtpPeer &operator=(const SmtpPeer &) = delete;
    ~SmtpPeer();

    static QString peerDir() { return PeerProcess::peerDir(); }

    // Whether the peer's certificate is made trusted (the default) or left
    // as a stranger's.
    void setTrustCertificate(bool iTrusted) { mTrusted = iTrusted; }

    // A self-signed certificate for 127.0.0.1, trusted by every QSslSocket
    // made afterwards in this process unless setTrustCertificate(false).
    bool makeCertificate(QString *oError);

    // aiosmtpd recording every mail; mode is "plain", "starttls" or "ssl".
    bool startRecording(const QString &iMode, QString *oError, bool iRawOnly = false);

    // The scripted peer; iScript is the JSON list of steps.
    bool startScripted(const QByteArray &iScript, QString *oError);

    int port() const { return mProcess.port(); }

    QJsonObject record(int iNumber) const;
    QByteArray raw(int iNumber) const;
    int recordCount(const QString &iSuffix = QStringLiteral("json")) const;

    // Everything the peer printed so far (the scripted one prints what it got).
    QString output();

    QString tempPath(const QString &iName) const { return mDir.filePath(iName); }

    void stop();

private:
    QTemporaryDir mDir;
    PeerProcess mProcess;
    QString mRecordDir;
    QString mCertFile;
    QString mKeyFile;
    QString mOutput;
    bool mScripted {false};
    bool mTrusted {true};
};

#endif // SMTPPEER_H
