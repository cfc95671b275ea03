#include "thttpwire_p.h"

#include <QDir>
#include <QFileInfo>
#include <QNetworkReply>

QString THttpWire::encodeQuery(const QueryItems &iItems)
{
    QByteArray query;
    for (const auto &item : iItems) {
        if (!query.isEmpty())
            query += '&';
        query += QUrl::toPercentEncoding(item.first) + '=' + QUrl::toPercentEncoding(item.second);
    }
    return QString::fromLatin1(query);
}

void THttpWire::setQuery(QUrl &ioUrl, const QueryItems &iItems)
{
    if (iItems.isEmpty())
        ioUrl.setQuery(QString());
    else
        ioUrl.setQuery(encodeQuery(iItems), QUrl::StrictMode);
}

void THttpWire::waitForReply(QNetworkReply *iReply, const std::function<void()> &iOnData,
                             QEventLoop::ProcessEventsFlags iFlags)
{
    QEventLoop loop;
    if (iOnData)
        QObject::connect(iReply, &QNetworkReply::readyRead, &loop, iOnData);
    QObject::connect(iReply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(iReply, &QNetworkReply::aboutToClose, &loop, &QEventLoop::quit);
    // A quit before exec() would be lost, so a reply that is already done is not waited for.
    if (iReply->isOpen() && !iReply->isFinished())
        loop.exec(iFlags);
    if (iOnData)
        iOnData();
}

TDownloadSink::~TDownloadSink() { discard(); }

bool TDownloadSink::open(const QString &iPath)
{
    mError.clear();
    mHash.reset();
    mFile.setFileName(iPath);
    const QFileInfo info(iPath);
    if (!QDir().mkpath(info.absolutePath())) {
        mError = QStringLiteral("can not create folder %1").arg(info.absolutePath());
        return false;
    }
    if (!mFile.open(QIODevice::WriteOnly)) {
        mError = mFile.errorString();
        return false;
    }
    return true;
}

bool TDownloadSink::write(const QByteArray &iBytes)
{
    if (iBytes.isEmpty())
        return true;
    if (mFile.write(iBytes) != iBytes.size()) {
        mError = mFile.errorString();
        return false;
    }
    mHash.addData(iBytes);
    return true;
}

QString TDownloadSink::md5() const { return QString::fromLatin1(mHash.result().toHex()); }

bool TDownloadSink::commit()
{
    if (!mFile.isOpen())
        return false;
    if (!mFile.commit()) {
        mError = mFile.errorString();
        return false;
    }
    return true;
}

void TDownloadSink::discard()
{
    if (!mFile.isOpen())
        return;
    // Committing a cancelled save file removes the temporary file and leaves the target alone.
    mFile.cancelWriting();
    mFile.commit();
}

bool TDownloadSink::targetExists() const { return QFileInfo::exists(mFile.fileName()); }

QString TDownloadSink::path() const { return mFile.fileName(); }

QString TDownloadSink::errorString() const { return mError; }
