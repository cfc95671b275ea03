#include "tresource.h"
#include "tdataparse.h"
#include "terror.h"
#include "timagebudget.h"
#include "tlogger.h"
#include "tresource_p.h"
#include "ttheme.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QResource>
#include <QtEndian>

#include <limits>
#include <vector>

#include <zlib.h>
#include <zstd.h>

namespace {

bool isFile(const QString &iPath) { return QFileInfo(iPath).isFile(); }

QStringList existingDirs(const QStringList &iPaths)
{
    QStringList out;
    for (const QString &path : iPaths) {
        if (QDir(path).exists())
            out.append(path);
    }
    return out;
}

QString fileVersion(const QString &iPath)
{
    const QFileInfo info(iPath);
    return QStringLiteral("%1_%2_%3")
            .arg(info.absoluteFilePath())
            .arg(info.lastModified().toMSecsSinceEpoch())
            .arg(info.size());
}

} // namespace

bool TResourcePrivate::iconFits(const QString &iPath)
{
    const QString version = fileVersion(iPath);
    const auto known = iconVerdicts.constFind(version);
    if (known != iconVerdicts.constEnd())
        return known.value();
    const bool fits = TImageBudget::fitsFile(iPath);
    iconVerdicts.insert(version, fits);
    return fits;
}

QIcon TResourcePrivate::budgetedIconFile(const QString &iPath)
{
    const QString version = fileVersion(iPath);
    if (!iconVerdicts.value(version, true))
        return QIcon();
    TError refusal;
    const QIcon icon = TImageBudget::iconFile(iPath, &refusal);
    if (refusal.isValid())
        iconVerdicts.insert(version, false);
    return icon;
}

void TResourcePrivate::addPath(QStringList &ioList, const QString &iPath, bool iFront)
{
    const QString path = QDir(iPath).absolutePath();
    if (iFront)
        ioList.prepend(path);
    else
        ioList.append(path);
    ioList.removeDuplicates();
}

QString TResourcePrivate::themeColorText(const QString &iColor)
{
    if (iColor.startsWith(QLatin1Char('$')))
        return TTheme::instance()->value(iColor.mid(1)).toString();
    return iColor;
}

QPixmap TResourcePrivate::composePixmap(const QPixmap &iPixmap, const QString &iColor)
{
    if (iPixmap.isNull())
        return iPixmap;
    QColor color = TDataParse::str2Color(iColor);
    if (!color.isValid())
        color = Qt::black;
    // Source-in keeps each pixel's coverage and replaces its colour, so the
    // shape and the soft edges of the icon survive.
    // An opaque icon file is held without an alpha channel, which would make
    // the result opaque: paint on a copy that has one.
    QImage out = iPixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&out);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(out.rect(), color);
    painter.end();
    QPixmap pixmap = QPixmap::fromImage(out);
    pixmap.setDevicePixelRatio(iPixmap.devicePixelRatio());
    return pixmap;
}

TResource::TResource()
    : QObject(nullptr)
    , d(new TResourcePrivate(this))
{}

TResource::~TResource() = default;

TResource *TResource::instance()
{
    static TResource resource;
    return &resource;
}

void TResource::setRccDir(const QString &iDirStr) { d->rccDir = iDirStr; }

QString TResourcePrivate::bundleFault(const QByteArray &iBundle)
{
    // The binary format that rcc writes, all numbers big-endian: "qres", the
    // version (1 to 3), the offsets of the tree, the data and the names, and
    // from version 3 on a flag word. The tree is an array of fixed-size
    // entries, the root first: the name's offset (4), flags (2), then for a
    // folder the number of children (4) and the index of the first (4), for
    // a file country and language (2 + 2) and the data's offset (4); from
    // version 2 on each entry ends with a modification time (8). A name is
    // its length in UTF-16 units (2), a hash (4) and the text; data is its
    // length (4) and the bytes. Qt trusts every one of these numbers.
    const qint64 size = iBundle.size();
    const auto *bytes = reinterpret_cast<const uchar *>(iBundle.constData());
    const auto u16 = [bytes](qint64 iAt) { return quint16((bytes[iAt] << 8) | bytes[iAt + 1]); };
    const auto u32 = [bytes](qint64 iAt) {
        return quint32(bytes[iAt]) << 24 | quint32(bytes[iAt + 1]) << 16 | quint32(bytes[iAt + 2]) << 8
               | quint32(bytes[iAt + 3]);
    };
    // Qt reads the offsets as signed numbers.
    const auto s32 = [&u32](qint64 iAt) { return qint64(qint32(u32(iAt))); };
    const auto inside
            = [size](qint64 iAt, qint64 iLength) { return iAt >= 0 && iLength >= 0 && iAt + iLength <= size; };

    if (size == 0)
        return QStringLiteral("is empty");
    if (size < 4 || !iBundle.startsWith("qres"))
        return QStringLiteral("is not a resource bundle (no \"qres\" header)");
    if (size < 20)
        return QStringLiteral("is damaged: its header is cut off");
    const quint32 version = u32(4);
    if (version < 1 || version > 3)
        return QStringLiteral("has the unknown format version %1").arg(version);
    const qint64 headerSize = version >= 3 ? 24 : 20;
    if (size < headerSize)
        return QStringLiteral("is damaged: its header is cut off");
    const qint64 tree = s32(8);
    const qint64 data = s32(12);
    const qint64 names = s32(16);
    for (const qint64 section : {tree, data, names}) {
        if (section < headerSize || section >= size)
            return QStringLiteral("is damaged: a section starts outside the file");
    }

    const qint64 entrySize = version >= 2 ? 22 : 14;
    const qint64 entries = (size - tree) / entrySize;
    enum { Compressed = 0x01, Directory = 0x02, CompressedZstd = 0x04 };
    constexpr int kMaxDepth = 256;
    if (entries < 1 || !(u16(tree + 4) & Directory))
        return QStringLiteral("is damaged: its root is not a folder");
    std::vector<bool> reached(size_t(entries), false);
    reached[0] = true;
    QVector<QPair<qint64, int>> pending {{0, 0}};
    while (!pending.isEmpty()) {
        const qint64 node = pending.last().first;
        const int depth = pending.last().second;
        pending.removeLast();
        const qint64 at = tree + node * entrySize;
        const qint64 name = names + s32(at);
        if (!inside(name, 6) || !inside(name + 6, 2 * qint64(u16(name))))
            return QStringLiteral("is damaged: the name of entry %1 lies outside the file").arg(node);
        // A name is one step of a path: an empty one, "." or ".." or one with
        // a slash would make a folder its own child for everything that
        // walks the resources by path.
        if (node != 0) {
            const int length = u16(name);
            bool dots = length <= 2;
            for (int i = 0; i < length; ++i) {
                const quint16 unit = u16(name + 6 + 2 * i);
                if (unit == '/')
                    return QStringLiteral("is damaged: the name of entry %1 holds a slash").arg(node);
                dots = dots && unit == '.';
            }
            if (dots)
                return QStringLiteral("is damaged: entry %1 has no usable name").arg(node);
        }
        const quint16 flags = u16(at + 4);
        if (flags & Directory) {
            const qint64 count = s32(at + 6);
            const qint64 first = s32(at + 10);
            if (count < 0 || first < 0 || (count > 0 && first + count > entries))
                return QStringLiteral("is damaged: the children of entry %1 lie outside the file").arg(node);
            if (count > 0 && depth >= kMaxDepth)
                return QStringLiteral("is damaged: its folders nest deeper than %1 levels").arg(kMaxDepth);
            for (qint64 child = first; child < first + count; ++child) {
                if (reached[size_t(child)])
                    return QStringLiteral("is damaged: entry %1 is reached twice").arg(child);
                reached[size_t(child)] = true;
                pending.append({child, depth + 1});
            }
        } else {
            const qint64 content = data + s32(at + 10);
            if (!inside(content, 4) || !inside(content + 4, qint64(u32(content))))
                return QStringLiteral("is damaged: the data of entry %1 lies outside the file").arg(node);
            // Compressed data starts with its unpacked length.
            if ((flags & Compressed) && u32(content) < 4)
                return QStringLiteral("is damaged: the compressed data of entry %1 is cut off").arg(node);
            if (flags & (Compressed | CompressedZstd)) {
                const QString fault = unpackFault(bytes + content + 4, u32(content), !(flags & Compressed));
                if (!fault.isEmpty())
                    return QStringLiteral("is damaged: entry %1 %2").arg(node).arg(fault);
            }
        }
    }
    return QString();
}

QString TResourcePrivate::unpackFault(const uchar *iData, qint64 iSize, bool iZstd)
{
    const QString tooLarge = QStringLiteral("unpacks to more than %1 MB").arg(MaxUnpacked / (1024 * 1024));
    if (iZstd) {
        // Qt reserves the frame's content size and unpacks no more than that.
        const unsigned long long claimed = ZSTD_getFrameContentSize(iData, size_t(iSize));
        if (claimed == ZSTD_CONTENTSIZE_ERROR || claimed == ZSTD_CONTENTSIZE_UNKNOWN)
            return QStringLiteral("holds no zstd frame of known size");
        return claimed > quint64(MaxUnpacked) ? tooLarge : QString();
    }
    // zlib: Qt reserves the size the entry claims, then doubles the buffer
    // for as long as the stream holds more; the stream is what counts.
    const quint64 claimed = qFromBigEndian<quint32>(iData);
    if (claimed > quint64(MaxUnpacked))
        return tooLarge;
    z_stream stream {};
    if (inflateInit(&stream) != Z_OK)
        return QStringLiteral("cannot be unpacked: %1").arg(QLatin1String(stream.msg ? stream.msg : "no memory"));
    stream.next_in = const_cast<Bytef *>(iData + 4);
    QString fault;
    qint64 left = iSize - 4;
    qint64 unpacked = 0;
    std::vector<Bytef> scratch(64 * 1024);
    int result = Z_OK;
    while (result == Z_OK) {
        if (stream.avail_in == 0) {
            stream.avail_in = uInt(qMin<qint64>(left, std::numeric_limits<uInt>::max()));
            left -= stream.avail_in;
        }
        stream.next_out = scratch.data();
        stream.avail_out = uInt(scratch.size());
        result = inflate(&stream, Z_NO_FLUSH);
        unpacked += qint64(scratch.size() - stream.avail_out);
        if (unpacked > MaxUnpacked) {
            fault = tooLarge;
            break;
        }
        // No input left and no room used: the stream ends early.
        if (result == Z_BUF_ERROR && stream.avail_in == 0 && left == 0)
            break;
        if (result == Z_BUF_ERROR)
            result = Z_OK;
    }
    if (fault.isEmpty() && result != Z_STREAM_END)
        fault = QStringLiteral("holds damaged compressed data");
    inflateEnd(&stream);
    return fault;
}

bool TResource::loadRcc(const QString &iRccNameStr)
{
    if (d->rccList.contains(iRccNameStr))
        return true;
    const bool absolute = QDir::isAbsolutePath(iRccNameStr);
    if (!absolute && d->rccDir.isEmpty()) {
        qDebug() << "TResource::loadRcc"
                 << "rcc dir is not setted.";
        return false;
    }
    const QString path = absolute ? iRccNameStr : d->rccDir + QDir::separator() + iRccNameStr;
    QString fault;
    QByteArray bundle;
    QFile file(path);
    if (!QFileInfo::exists(path)) {
        fault = QStringLiteral("does not exist");
    } else if (!file.open(QIODevice::ReadOnly)) {
        fault = QStringLiteral("cannot be read: %1").arg(file.errorString());
    } else if (file.size() > std::numeric_limits<qint32>::max()) {
        // The format's offsets are 32-bit numbers.
        fault = QStringLiteral("is too large for a resource bundle");
    } else {
        bundle = file.readAll();
        fault = file.error() == QFileDevice::NoError ? TResourcePrivate::bundleFault(bundle)
                                                     : QStringLiteral("cannot be read: %1").arg(file.errorString());
    }
    // Registering the bytes that were checked, not the file again, leaves no
    // moment for the file to change in between.
    if (fault.isEmpty() && !QResource::registerResource(reinterpret_cast<const uchar *>(bundle.constData())))
        fault = QStringLiteral("is refused by Qt's resource system");
    if (!fault.isEmpty()) {
        VEK_LOG(QStringLiteral("resource bundle [%1] %2").arg(QDir::toNativeSeparators(QDir::cleanPath(path)), fault),
                "error", 0);
        return false;
    }
    d->rccData.append(bundle);
    d->rccList.append(iRccNameStr);
    autoFindPathList();
    return true;
}

void TResource::appendResourcePath(const QString &iPathStr)
{
    TResourcePrivate::addPath(d->resourcePathList, iPathStr, false);
}

void TResource::prependResourcePath(const QString &iPathStr)
{
    TResourcePrivate::addPath(d->resourcePathList, iPathStr, true);
}

void TResource::removeResourcePath(const QString &iPathStr)
{
    d->resourcePathList.removeAll(QDir(iPathStr).absolutePath());
}

void TResource::clearResourcePath() { d->resourcePathList.clear(); }

QStringList TResource::resourcePathList() const { return d->resourcePathList; }

void TResource::appendIconPath(const QString &iPathStr) { TResourcePrivate::addPath(d->iconPathList, iPathStr, false); }

void TResource::prependIconPath(const QString &iPathStr) { TResourcePrivate::addPath(d->iconPathList, iPathStr, true); }

void TResource::removeIconPath(const QString &iPathStr) { d->iconPathList.removeAll(QDir(iPathStr).absolutePath()); }

void TResource::clearIconPath() { d->iconPathList.clear(); }

QStringList TResource::iconPathList() const { return d->iconPathList; }

void TResource::autoFindPathList()
{
    QStringList icons = d->iconPathList;
    QStringList resources = d->resourcePathList;
    const QDir::Filters dirsOnly = QDir::Dirs | QDir::NoDotAndDotDot;
    const QFileInfoList tops = QDir(QStringLiteral(":/")).entryInfoList(dirsOnly, QDir::Name);
    for (const QFileInfo &top : tops) {
        const QFileInfoList subs = QDir(top.absoluteFilePath()).entryInfoList(dirsOnly, QDir::Name);
        for (const QFileInfo &sub : subs) {
            const QString base = sub.baseName().toUpper();
            if (base == QLatin1String("ICON"))
                icons.append(sub.absoluteFilePath());
            else if (base == QLatin1String("IMAGE") || base == QLatin1String("IMAGES") || base == QLatin1String("FILE")
                     || base == QLatin1String("FILES"))
                resources.append(sub.absoluteFilePath());
        }
    }
    icons.removeDuplicates();
    resources.removeDuplicates();
    d->iconPathList = existingDirs(icons);
    d->resourcePathList = existingDirs(resources);
}

QIcon TResource::icon(const QString &iNameStr, const QString &iColorTypeStr, const QString &iBgType)
{
    if (iNameStr.contains(QLatin1Char('.')))
        return colorIcon(iNameStr);

    const QString kind = iColorTypeStr.toUpper();
    const QString bg = iBgType.toUpper();

    TTheme *theme = TTheme::instance();
    auto themeText = [theme](const char *iKey) { return theme->value(QLatin1String(iKey)).toString(); };
    QString normal;
    QString on;
    QString disabled;
    if (kind == QLatin1String("BUTTON")) {
        const bool dark
                = bg == QLatin1String("DARK") || (bg == QLatin1String("BODY") && theme->bgType() == TTheme::Dark);
        normal = themeText(dark ? "COLOR_DARK_BRIGHT_TEXT" : "COLOR_LIGHT_NORMAL_ICON");
        on = themeText("COLOR_ACCENT_4");
        disabled = themeText(dark ? "COLOR_DARK_DISABLED_TEXT" : "COLOR_LIGHT_DISABLED_ICON");
    } else if (kind == QLatin1String("TAB")) {
        normal = themeText("COLOR_LIGHT_NORMAL_ICON");
        on = themeText(bg == QLatin1String("DARK") ? "COLOR_LIGHT_PANEL" : "COLOR_PRIMARY_5");
        disabled = themeText("COLOR_LIGHT_DISABLED_ICON");
    }

    const QString path = iconFilePath(iNameStr);
    if (path.isEmpty()) {
        QPixmap placeholder(10, 10);
        placeholder.fill(Qt::transparent);
        return QIcon(placeholder);
    }
    // The header is read before anything is decoded. An SVG file is drawn
    // at the size it declares, so that size is checked like any other.
    if (!d->iconFits(path))
        return QIcon();
    const QPixmap pixmap(path);
    if (pixmap.isNull())
        return QIcon();
    QIcon result;
    result.addPixmap(normal.isEmpty() ? pixmap : TResourcePrivate::composePixmap(pixmap, normal));
    if (!on.isEmpty())
        result.addPixmap(TResourcePrivate::composePixmap(pixmap, on), QIcon::Normal, QIcon::On);
    if (!disabled.isEmpty()) {
        const QPixmap grey = TResourcePrivate::composePixmap(pixmap, disabled);
        result.addPixmap(grey, QIcon::Disabled, QIcon::On);
        result.addPixmap(grey, QIcon::Disabled, QIcon::Off);
    }
    return result;
}

QIcon TResource::colorIcon(const QString &iNameStr)
{
    const QStringList parts = iNameStr.split(QLatin1Char('.'), Qt::SkipEmptyParts);
    const QString path = iconFilePath(parts.value(0));
    const QString color = TResourcePrivate::themeColorText(parts.value(1));
    if (path.isEmpty())
        return d->budgetedIconFile(iNameStr);
    if (!d->iconFits(path))
        return QIcon();
    QPixmap pixmap(path);
    if (pixmap.isNull())
        return QIcon();
    const QString word = color.toUpper();
    if (!color.isEmpty() && word != QLatin1String("ORG") && word != QLatin1String("TRANSPARENT"))
        pixmap = TResourcePrivate::composePixmap(pixmap, color);
    return QIcon(pixmap);
}

QString TResource::resourceFilePath(const QString &iNameStr)
{
    if (iNameStr.isEmpty())
        return QString();
    for (const QString &dir : qAsConst(d->resourcePathList)) {
        const QString path = QStringLiteral("%1/%2").arg(dir, iNameStr);
        if (QFileInfo::exists(path))
            return path;
    }
    return QFileInfo::exists(iNameStr) ? iNameStr : QString();
}

QString TResource::iconFilePath(const QString &iNameStr)
{
    for (const QString &dir : qAsConst(d->iconPathList)) {
        const QString path = QStringLiteral("%1/%2").arg(dir, iNameStr);
        const QString svg = path + QLatin1String(".svg");
        if (isFile(svg))
            return svg;
        if (isFile(path))
            return path;
    }
    return isFile(iNameStr) ? iNameStr : QString();
}

QIcon TResource::refillIcon(const QIcon &iIcon, const QString &iColor)
{
    const QString color = TResourcePrivate::themeColorText(iColor);
    if (color.isEmpty() || color.toUpper() == QLatin1String("ORG"))
        return iIcon;
    const QPixmap pixmap = iIcon.pixmap(QSize(128, 128), QIcon::Normal, QIcon::Off);
    if (pixmap.isNull())
        return iIcon;
    return QIcon(TResourcePrivate::composePixmap(pixmap, color));
}
