#ifndef HTTPPEER_H
#define HTTPPEER_H

// Starts peers/httppeer.py as a child process for one test program. The peer
// exits when its standard input closes, so it never outlives the test.

#include "peerprocess.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <QVariant>

class HttpPeer
{
public:
    //! Starts the peer on a fresh store folder; false with a reason when it cannot.
    bool start(QString *oWhy);

    QString baseUrl() const { return QStringLiteral("http://127.0.0.1:%1").arg(mProcess.port()); }
    QString storePath() const { return mStore.path(); }

    //! Stores content under <dir>/<md5> as the service keeps it; returns the digest.
    QString storeFile(const QString &iDir, const QByteArray &iContent, const QString &iAsDigest = QString());

    //! A GET on /control/<what>; the parsed JSON answer.
    QVariantMap control(const QString &iWhat);

    //! The requests the peer has seen since the last reset, oldest first.
    QVariantList requestLog();

private:
    // Declared first, so the store outlives the peer that serves it.
    QTemporaryDir mStore;
    PeerProcess mProcess;
};

#endif // HTTPPEER_H
