#ifndef TESTS_HTTPPEER_H
#define TESTS_HTTPPEER_H

// Starts peers/httppeer.py as a child process for one test program. The peer
// exits when its standard input closes, so it never outlives the test.

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QEventLoop>
#include <QFile>
#include <QDir>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <QVariant>

class HttpPeer
{
public:
    ~HttpPeer()
    {
        if (mProcess.state() != QProcess::NotRunning) {
            mProcess.closeWriteChannel();
            if (!mProcess.waitForFinished(3000)) {
                mProcess.kill();
                mProcess.waitForFinished(3000);
            }
        }
    }

    //! Starts the peer on a fresh store folder; false with a reason when it cannot.
    bool start(QString *oWhy)
    {
        if (!mStore.isValid()) {
            *oWhy = QStringLiteral("no temporary folder for the store");
            return false;
        }
        const QString script = QStringLiteral(VEK_SOURCE_DIR "/tests/vekfoundation/peers/httppeer.py");
        mProcess.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        mProcess.start(QStringLiteral("/usr/bin/python3"), {script, QStringLiteral("--store"), mStore.path()});
        if (!mProcess.waitForStarted(10000)) {
            *oWhy = QStringLiteral("cannot start /usr/bin/python3: %1").arg(mProcess.errorString());
            return false;
        }
        QElapsedTimer timer;
        timer.start();
        while (!mProcess.canReadLine() && timer.elapsed() < 15000) {
            if (!mProcess.waitForReadyRead(500) && mProcess.state() == QProcess::NotRunning)
                break;
        }
        const QByteArray line = mProcess.readLine().trimmed();
        if (!line.startsWith("PORT ")) {
            *oWhy = QStringLiteral("the HTTP peer printed no port: \"%1\"").arg(QString::fromUtf8(line));
            return false;
        }
        mPort = line.mid(5).toInt();
        return mPort > 0;
    }

    QString baseUrl() const { return QStringLiteral("http://127.0.0.1:%1").arg(mPort); }
    QString storePath() const { return mStore.path(); }

    //! Stores content under <dir>/<md5> as the service keeps it; returns the digest.
    QString storeFile(const QString &iDir, const QByteArray &iContent, const QString &iAsDigest = QString())
    {
        const QString digest = iAsDigest.isEmpty()
            ? QString::fromLatin1(QCryptographicHash::hash(iContent, QCryptographicHash::Md5).toHex())
            : iAsDigest;
        QDir().mkpath(mStore.path() + QLatin1Char('/') + iDir);
        QFile file(mStore.path() + QLatin1Char('/') + iDir + QLatin1Char('/') + digest);
        if (file.open(QIODevice::WriteOnly))
            file.write(iContent);
        return digest;
    }

    //! A GET on /control/<what>; the parsed JSON answer.
    QVariantMap control(const QString &iWhat)
    {
        QNetworkAccessManager manager;
        QNetworkReply *reply = manager.get(QNetworkRequest(QUrl(baseUrl() + QStringLiteral("/control/") + iWhat)));
        QEventLoop loop;
        QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        loop.exec();
        const QVariantMap answer = QJsonDocument::fromJson(reply->readAll()).toVariant().toMap();
        delete reply;
        return answer;
    }

    //! The requests the peer has seen since the last reset, oldest first.
    QVariantList requestLog() { return control(QStringLiteral("log")).value(QStringLiteral("log")).toList(); }

private:
    QProcess mProcess;
    QTemporaryDir mStore;
    int mPort = 0;
};

#endif // TESTS_HTTPPEER_H
