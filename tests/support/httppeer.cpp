#include "httppeer.h"

#include <QCryptographicHash>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTimer>

bool HttpPeer::start(QString *oWhy)
{
    if (!mStore.isValid()) {
        *oWhy = QStringLiteral("no temporary folder for the store");
        return false;
    }
    const QString script = PeerProcess::peerDir() + QStringLiteral("/httppeer.py");
    return mProcess.start({script, QStringLiteral("--store"), mStore.path()}, oWhy);
}

QString HttpPeer::storeFile(const QString &iDir, const QByteArray &iContent, const QString &iAsDigest)
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

QVariantMap HttpPeer::control(const QString &iWhat)
{
    QNetworkAccessManager manager;
    QNetworkReply *reply = manager.get(QNetworkRequest(QUrl(baseUrl() + QStringLiteral("/control/") + iWhat)));
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    // A peer that hangs must not hang the test with it.
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    loop.exec();
    const QVariantMap answer = QJsonDocument::fromJson(reply->readAll()).toVariant().toMap();
    delete reply;
    return answer;
}

QVariantList HttpPeer::requestLog() { return control(QStringLiteral("log")).value(QStringLiteral("log")).toList(); }
