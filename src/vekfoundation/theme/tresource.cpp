#include "tresource.h"
#include "tdataparse.h"
#include "timagebudget.h"
#include "tresource_p.h"
#include "ttheme.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QResource>

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

} // namespace

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

bool TResource::loadRcc(const QString &iRccNameStr)
{
    if (d->rccList.contains(iRccNameStr))
        return true;
    if (d->rccDir.isEmpty()) {
        qDebug() << "TResource::loadRcc"
                 << "rcc dir is not setted.";
        return false;
    }
    if (!QResource::registerResource(d->rccDir + QDir::separator() + iRccNameStr))
        return false;
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
    if (!TImageBudget::fitsFile(path))
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
        return TImageBudget::iconFile(iNameStr);
    if (!TImageBudget::fitsFile(path))
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
