#ifndef SMTPPEER_H
#define SMTPPEER_H

// Starts the Python SMTP peers of the mail tests and benchmarks as child
// processes on 127.0.0.1 and reads back what they recorded.

#include "peerprocess.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QTemporaryDir>

class SmtpPeer
{
public:
    SmtpPeer() = default;
    SmtpPeer(const SmtpPeer &) = delete;
    SmtpPeer &operator=(const SmtpPeer &) = delete;
    ~SmtpPeer() { stop(); }

    static QString peerDir() { return QStringLiteral(VEK_SOURCE_DIR "/tests/vekfoundation/peers"); }

    // Whether the peer's certificate is made trusted (the default) or left
    // as a stranger's.
    void setTrustCertificate(bool iTrusted) { mTrusted = iTrusted; }

    // A self-signed certificate for 127.0.0.1, trusted by every QSslSocket
    // made afterwards in this process unless setTrustCertificate(false).
    bool makeCertificate(QString *oError)
    {
        if (!mCertFile.isEmpty())
            return true;
        const QString cert = mDir.filePath(QStringLiteral("cert.pem"));
        const QString key = mDir.filePath(QStringLiteral("key.pem"));
        QProcess openssl;
        openssl.start(QStringLiteral("openssl"),
                      {"req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes", "-keyout",
                       key, "-out", cert, "-days", "2", "-subj", "/CN=127.0.0.1", "-addext",
                       "subjectAltName=IP:127.0.0.1"});
        if (!openssl.waitForFinished(30000) || openssl.exitCode() != 0) {
            *oError = QStringLiteral("openssl failed: ") + QString::fromLocal8Bit(openssl.readAllStandardError())
                      + openssl.errorString();
            return false;
        }
        const QList<QSslCertificate> certs = QSslCertificate::fromPath(cert);
        if (certs.isEmpty()) {
            *oError = QStringLiteral("no certificate in ") + cert;
            return false;
        }
        if (mTrusted) {
            QSslConfiguration config = QSslConfiguration::defaultConfiguration();
            config.setCaCertificates(config.caCertificates() + certs);
            QSslConfiguration::setDefaultConfiguration(config);
        }
        mCertFile = cert;
        mKeyFile = key;
        return true;
    }

    // aiosmtpd recording every mail; mode is "plain", "starttls" or "ssl".
    bool startRecording(const QString &iMode, QString *oError, bool iRawOnly = false)
    {
        if (iMode != QLatin1String("plain") && !makeCertificate(oError))
            return false;
        mRecordDir = mDir.filePath(QStringLiteral("record-") + iMode);
        QDir().mkpath(mRecordDir);
        QStringList args {peerDir() + QStringLiteral("/smtp_recording_server.py"), "--mode", iMode, "--record",
                          mRecordDir};
        if (iMode != QLatin1String("plain"))
            args << "--cert" << mCertFile << "--key" << mKeyFile;
        if (iRawOnly)
            args << "--raw-only";
        return start(args, oError);
    }

    // The scripted peer; iScript is the JSON list of steps.
    bool startScripted(const QByteArray &iScript, QString *oError)
    {
        mScripted = true;
        return start({peerDir() + QStringLiteral("/smtp_scripted_server.py"), QString::fromUtf8(iScript)}, oError);
    }

    int port() const { return mProcess.port(); }

    QJsonObject record(int iNumber) const
    {
        QFile f(QStringLiteral("%1/%2.json").arg(mRecordDir).arg(iNumber));
        if (!f.open(QIODevice::ReadOnly))
            return QJsonObject();
        return QJsonDocument::fromJson(f.readAll()).object();
    }

    QByteArray raw(int iNumber) const
    {
        QFile f(QStringLiteral("%1/%2.eml").arg(mRecordDir).arg(iNumber));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    int recordCount(const QString &iSuffix = QStringLiteral("json")) const
    {
        return QDir(mRecordDir).entryList({QStringLiteral("*.") + iSuffix}, QDir::Files).size();
    }

    // Everything the peer printed so far (the scripted one prints what it got).
    QString output()
    {
        while (mProcess.process().waitForReadyRead(200)) {
        }
        mOutput += QString::fromUtf8(mProcess.process().readAllStandardOutput());
        return mOutput;
    }

    QString tempPath(const QString &iName) const { return mDir.filePath(iName); }

    void stop()
    {
        // The recording server ends when its input closes; the scripted one
        // has nothing to finish and is simply ended.
        mProcess.stop(mScripted);
    }

private:
    bool start(const QStringList &iArgs, QString *oError) { return mProcess.start(iArgs, oError); }

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
