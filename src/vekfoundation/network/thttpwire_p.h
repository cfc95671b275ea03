#ifndef THTTPWIRE_P_H
#define THTTPWIRE_P_H

// Code shared by the HTTP client and the file transfer: query encoding, the
// wait on one reply, and the temporary file a download is written to.

#include <QCryptographicHash>
#include <QEventLoop>
#include <QList>
#include <QPair>
#include <QSaveFile>
#include <QString>
#include <QUrl>

#include <functional>

class QNetworkReply;

namespace THttpWire {

using QueryItems = QList<QPair<QString, QString>>;

//! Names and values percent-encoded ("+", "&", "#" included), joined in the given order.
QString encodeQuery(const QueryItems &iItems);

//! Sets the URL's query from the items; no items leave it without a query.
void setQuery(QUrl &ioUrl, const QueryItems &iItems);

//! Runs a local loop until the reply has finished or closed; a reply that has
//! already finished is not waited for. iOnData is called for every batch of
//! data and once more afterwards for what is still buffered.
void waitForReply(QNetworkReply *iReply, const std::function<void()> &iOnData, QEventLoop::ProcessEventsFlags iFlags);

//! Bytes a download reply may hold before the network layer pauses; keeps
//! memory flat when the disk is slower than the network.
constexpr qint64 kReadBufferSize = 1024 * 1024;

} // namespace THttpWire

/*!
 * Where a download goes: a temporary file beside the target, hashed while it
 * is written. The target is replaced only by commit(); otherwise the old file
 * stays and the temporary one is removed.
 */
class TDownloadSink
{
public:
    TDownloadSink() = default;
    ~TDownloadSink();

    //! Creates missing parent folders and opens the temporary file.
    bool open(const QString &iPath);
    bool write(const QByteArray &iBytes);
    QString md5() const;
    bool commit();
    void discard();

    bool targetExists() const;
    QString path() const;
    QString errorString() const;

private:
    Q_DISABLE_COPY(TDownloadSink)
    QSaveFile mFile;
    QCryptographicHash mHash {QCryptographicHash::Md5};
    QString mError;
};

#endif // THTTPWIRE_P_H
