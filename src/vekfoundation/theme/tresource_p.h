#ifndef TRESOURCE_P_H
#define TRESOURCE_P_H

#include "tresource.h"

#include <QHash>
#include <QIcon>
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

    // Whether the image budget lets an icon file be decoded, asked once
    // per version of the file (path, time and size, as Qt's own pixmap
    // cache tells versions apart): icons are asked for at every paint of a
    // cell or a button, and a refusal is logged once, not at every paint.
    bool iconFits(const QString &iPath);
    // A refused icon that is no icon file of the icon folders (an image
    // file's own path) keeps its verdict here too.
    QIcon budgetedIconFile(const QString &iPath);

    QHash<QString, bool> iconVerdicts;
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
