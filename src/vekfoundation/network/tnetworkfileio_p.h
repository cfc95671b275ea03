#ifndef TNETWORKFILEIO_P_H
#define TNETWORKFILEIO_P_H

#include "thttpwire_p.h"
#include "tnetworkfileio.h"

#include <QNetworkAccessManager>
#include <QPointer>

#include <memory>

struct TNetworkFileRecord
{
    QString name; // download: relative to the local folder; upload: the path as passed
    QString md5;
    bool onServer = false;
    bool upToDate = false; // the local copy has the expected digest
    int index = -1;        // position in the input; -1 when none is current or its transfer failed
};

class TNetworkFileIoPrivate
{
    Q_DECLARE_PUBLIC(TNetworkFileIo)
public:
    enum Phase { Idle = 0, Downloading = 1, Checking = 2, Uploading = 3 };

    explicit TNetworkFileIoPrivate(TNetworkFileIo *qptr)
        : q_ptr(qptr)
    {}

    // Every request ends exactly one wait: beginStep() before it is sent,
    // endStep() once from whichever notice finishes it.
    void beginStep() { stepDone = false; }
    void endStep();
    void runStep();

    QUrl serviceUrl(const QString &iPath, const THttpWire::QueryItems &iQuery) const;
    void resetTransfer();
    void failCurrent(const QString &iText);
    bool isCurrent(QNetworkReply *iReply) const;

    QNetworkAccessManager *manager = nullptr;
    QPointer<QNetworkReply> downloadReply;
    QPointer<QNetworkReply> uploadReply;
    int fileNumber = -1;
    int fileCount = 0;
    QString localDir;
    QString server;
    QString serverDir;
    QString uploadDir;
    QStringList uploadResult;
    int phase = Idle;
    QList<TNetworkFileRecord> files;
    TNetworkFileRecord current;
    bool uploadStarted = false;
    bool stopped = false;

    QPointer<QNetworkReply> queryReply;
    QString queryDir;     // the directory the existence query names
    QString queryError;   // why the last existence query gave no usable answer
    QStringList failures; // one text per failed transfer of the running call
    std::unique_ptr<TDownloadSink> sink;
    bool stepDone = true;
    TNetworkFileIo *q_ptr;
};

#endif // TNETWORKFILEIO_P_H
