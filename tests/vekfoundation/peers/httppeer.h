#ifndef TESTS_HTTPPEER_H
#define TESTS_HTTPPEER_H

// Starts peers/httppeer.py as a child process for one test program. The peer
// exits when its standard input closes, so it never outlives the test.

#include "peerprocess.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QString>
#include <QTemporaryDir>
#include <QVariant>

class HttpPeer
{
public:
    //! Starts the peer on a fresh store folder; false with a reason when it cannot.
    bool start(QString *oWhy)
    {
        if (!mStore.isValid()) {
            *oWhy = QStringLiteral("no temporary folder for the store");
            return false;
        }
        const QString script = QStringLiteral(VEK_SOURCE_DIR "/tests/vekfoundation/peers/httppeer.py");
        return mProcess.start({script, QStringLiteral("--store"), mStore.path()}, oWhy);
    }

    QString baseUrl() const { return QStringLiteral("http://127.0.0.1:%1").arg(mProcess.port()); }
    QString storePath() const { return mStore.path(); }

    //! Stores content under <dir>/<md5> as the service keeps it; returns the digest.
    QString storeFile(const QString &iDir, const QByteArray &iContent, const QString &iAsDigest = QString())
    {
        const QString digest
                = iAsDigest.isEmpty()
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
    // Declared first, so the store outlives the peer that serves it.
    QTemporaryDir mStore;
    PeerProcess mProcess;
};

#endif // TESTS_HTTPPEER_H
