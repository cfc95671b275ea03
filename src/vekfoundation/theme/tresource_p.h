#ifndef TRESOURCE_P_H
#define TRESOURCE_P_H

#include "tresource.h"

#include <QPixmap>

class TResourcePrivate
{
    Q_DECLARE_PUBLIC(TResource)
public:
    explicit TResourcePrivate(TResource *qptr)
        : q_ptr(qptr)
    {}

    static void addPath(QStringList &ioList, const QString &iPath, bool iFront);
    static QString themeColorText(const QString &iColor);
    static QPixmap composePixmap(const QPixmap &iPixmap, const QString &iColor);
    static QString bundleFault(const QByteArray &iBundle);
    // Why the compressed data of one bundle entry (the bytes after its
    // length) cannot be unpacked within MaxUnpacked; empty when it can.
    static QString unpackFault(const uchar *iData, qint64 iSize, bool iZstd);

    // The most one entry of a bundle may unpack to. Qt reserves what an
    // entry claims and, for zlib, grows the buffer for whatever more the
    // stream holds, up to 2 GB.
    static constexpr qint64 MaxUnpacked = 64 * 1024 * 1024;

    QStringList resourcePathList;
    QStringList iconPathList;
    QString rccDir;
    QStringList rccList;
    // Qt reads a bundle registered from memory in place for as long as the
    // process lives: these are the very bytes that were checked.
    QList<QByteArray> rccData;
    TResource *q_ptr;
};

#endif // TRESOURCE_P_H
