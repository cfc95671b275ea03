#include "smtppeer.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QProcess>
#include <QSslCertificate>
#include <QSslConfiguration>

SmtpPeer::~SmtpPeer() { stop(); }

bool SmtpPeer::makeCertificate(QString *oError)
{
    if (!mCertFile.isEmpty())
        return true;
    const QString cert = mDir.filePath(QStringLiteral("cert.pem"));
    const QString key = mDir.filePath(QStringLiteral("key.pem"));
    QProcess openssl;
    openssl.start(QStringLiteral("openssl"),
                  {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"), QStringLiteral("ec"),
                   QStringLiteral("-pkeyopt"), QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes"),
                   QStringLiteral("-keyout"), key, QStringLiteral("-out"), cert, QStringLiteral("-days"),
                   QStringLiteral("2"), QStringLiteral("-subj"), QStringLiteral("/CN=127.0.0.1"),
                   QStringLiteral("-addext"), QStringLiteral("subjectAltName=IP:127.0.0.1")});
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

bool SmtpPeer::startRecording(const QString &iMode, QString *oError, bool iRawOnly)
{
    if (iMode != QLatin1String("plain") && !makeCertificate(oError))
        return false;
    mRecordDir = mDir.filePath(QStringLiteral("record-") + iMode);
    QDir().mkpath(mRecordDir);
    QStringList args {peerDir() + QStringLiteral("/smtp_recording_server.py"), QStringLiteral("--mode"), iMode,
                      QStringLiteral("--record"), mRecordDir};
    if (iMode != QLatin1String("plain"))
        args << QStringLiteral("--cert") << mCertFile << QStringLiteral("--key") << mKeyFile;
    if (iRawOnly)
        args << QStringLiteral("--raw-only");
    return mProcess.start(args, oError);
}

bool SmtpPeer::startScripted(const QByteArray &iScript, QString *oError)
{
    mScripted = true;
    return mProcess.start({peerDir() + QStringLiteral("/smtp_scripted_server.py"), QString::fromUtf8(iScript)}, oError);
}

QJsonObject SmtpPeer::record(int iNumber) const
{
    QFile f(QStringLiteral("%1/%2.json").arg(mRecordDir).arg(iNumber));
    if (!f.open(QIODevice::ReadOnly))
        return QJsonObject();
    return QJsonDocument::fromJson(f.readAll()).object();
}

QByteArray SmtpPeer::raw(int iNumber) const
{
    QFile f(QStringLiteral("%1/%2.eml").arg(mRecordDir).arg(iNumber));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

int SmtpPeer::recordCount(const QString &iSuffix) const
{
    return QDir(mRecordDir).entryList({QStringLiteral("*.") + iSuffix}, QDir::Files).size();
}

QString SmtpPeer::output()
{
    while (mProcess.process().waitForReadyRead(200)) {
    }
    mOutput += QString::fromUtf8(mProcess.process().readAllStandardOutput());
    return mOutput;
}

void SmtpPeer::stop()
{
    // The recording server ends when its input closes; the scripted one
    // has nothing to finish and is simply ended.
    mProcess.stop(mScripted);
}
