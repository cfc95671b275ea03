#include "veklogcapture.h"

#include "tlogger.h"

VekLogCapture::VekLogCapture()
{
    mOldLevel = TLogger::instance()->debugLevel();
    TLogger::instance()->setDebugLevel(5);
    // Direct: the line is taken on the logging thread; the receiver must not log.
    connect(
            TLogger::instance(), &TLogger::logWrited, this,
            [this](const QString &iText, const QString &iType, const QString &, const QString &, const QString &) {
                QMutexLocker locker(&mMutex);
                mLines.append(qMakePair(iText, iType));
            },
            Qt::DirectConnection);
}

VekLogCapture::~VekLogCapture()
{
    disconnect(TLogger::instance(), nullptr, this, nullptr);
    TLogger::instance()->setDebugLevel(mOldLevel);
}

QStringList VekLogCapture::texts(const QString &iType) const
{
    QMutexLocker locker(&mMutex);
    QStringList result;
    for (const auto &line : mLines) {
        if (iType.isEmpty() || line.second.compare(iType, Qt::CaseInsensitive) == 0) {
            result.append(line.first);
        }
    }
    return result;
}

void VekLogCapture::clear()
{
    QMutexLocker locker(&mMutex);
    mLines.clear();
}
