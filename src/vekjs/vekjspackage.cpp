#include "vekjspackage.h"
#include "vekjsapppath.h"
#include "vekjsengine.h"
#include "vekjspackage_p.h"
#include "vekjsplugin.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QPluginLoader>
#include <QQmlEngine>
#include <QTextCodec>
#include <QTextStream>

#include <cstdio>

namespace {

// The entry of DIR named NAME in any letter case, or an empty string. An
// exact match wins, so a case-insensitive file system and the common case
// cost one stat.
QString findEntry(const QString &iDir, const QString &iName, QDir::Filters iFilter)
{
    QDir dir(iDir);
    const QFileInfo exact(dir.filePath(iName));
    if (exact.exists() && ((iFilter & QDir::Dirs) ? exact.isDir() : exact.isFile()))
        return exact.absoluteFilePath();
    // Unsorted: a script's folder may hold many files.
    QDirIterator it(dir.path(), iFilter | QDir::Hidden | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        if (it.fileName().compare(iName, Qt::CaseInsensitive) == 0)
            return it.fileInfo().absoluteFilePath();
    }
    return QString();
}

} // namespace

void VekJsPackagePrivate::writeMessage(const QString &iText) const
{
    // Messages go to standard output, one per line, so that the runner's
    // caller sees them in order with what the script prints itself.
    QTextStream out(stdout);
    out << iText << '\n';
    out.flush();
}

VekJsPackage::VekJsPackage(VekJsEngine *iEngine)
    : QObject(iEngine)
    , d(new VekJsPackagePrivate(this, iEngine))
{
    const QDir appDir(vekJsAppBinPath());
    addLibraryPath(appDir.filePath(QStringLiteral("vekjslib")));
    addLibraryPath(appDir.filePath(QStringLiteral("vekjssite")));
}

VekJsPackage::~VekJsPackage() = default;

void VekJsPackage::setWorkingDir(const QString &iWorkingDir) { d->workingDir = iWorkingDir; }

VekJsEngine *VekJsPackage::jsEngine() const { return d->engine; }

void VekJsPackage::addLibraryPath(const QVariant &iPath)
{
    QVariant path = iPath;
    // A script array arrives as a QJSValue inside the variant. Only its own
    // elements can be paths: nothing below them is converted, so that a
    // nested value cannot drive the engine's conversion without end.
    if (path.userType() == qMetaTypeId<QJSValue>()) {
        const QJSValue js = path.value<QJSValue>();
        QVariantList elements;
        // A script may claim any length for a sparse array: reading what it
        // claims could take billions of reads.
        constexpr int maxPaths = 4096;
        const int length = js.isArray() ? js.property(QStringLiteral("length")).toInt() : 0;
        if (length > maxPaths)
            d->writeMessage(QStringLiteral("WARNING: only the first %1 of %2 library paths are taken.")
                                    .arg(maxPaths)
                                    .arg(length));
        for (int i = 0; i < qMin(length, maxPaths); ++i) {
            const QJSValue element = js.property(quint32(i));
            elements.append(element.isObject() ? QVariant() : element.toVariant());
        }
        path = js.isArray() ? QVariant(elements) : QVariant();
    }
    switch (path.userType()) {
    case QMetaType::QString:
        d->libraryPaths.prepend(path.toString().trimmed());
        break;
    case QMetaType::QVariantList:
    case QMetaType::QStringList: {
        const QStringList paths = path.toStringList();
        for (const QString &p : paths)
            d->libraryPaths.prepend(p.trimmed());
        break;
    }
    default:
        break;
    }
}

void VekJsPackage::setLibraryPaths(const QVariant &iPaths)
{
    d->libraryPaths.clear();
    addLibraryPath(iPaths);
}

QVariant VekJsPackage::libraryPaths() const { return d->libraryPaths; }

QJSValue VekJsPackage::import(const QString &iPackage)
{
    if (!d->engine)
        return QJSValue();

    const QString name = iPackage.trimmed();
    const QString key = name.toUpper();
    auto cached = d->packages.constFind(key);
    if (cached != d->packages.constEnd())
        return cached.value();

    const QString jsName = name + QStringLiteral(".js");
    // An empty working folder is none: not the process's current folder.
    const QString localFile = d->workingDir.isEmpty() ? QString() : findEntry(d->workingDir, jsName, QDir::Files);
    bool found = !localFile.isEmpty() && loadJsFile(name, localFile);

    for (int i = 0; !found && i < d->libraryPaths.size(); ++i) {
        const QString packageDir = findEntry(d->libraryPaths.at(i), name, QDir::Dirs);
        if (packageDir.isEmpty())
            continue;
        const QString jsFile = findEntry(packageDir, jsName, QDir::Files);
        if (!jsFile.isEmpty() && loadJsFile(name, jsFile)) {
            found = true;
            break;
        }
        const QString pluginFile = findEntry(packageDir, getPluginFileName(name), QDir::Files);
        if (pluginFile.isEmpty())
            continue;

        // Plug-ins are never unloaded: their root object is process-wide.
        QPluginLoader loader(pluginFile);
        QObject *root = loader.instance();
        VekJsPlugin *plugin = qobject_cast<VekJsPlugin *>(root);
        if (!plugin) {
            d->writeMessage(QStringLiteral("ERROR: load plugin %1 failed!").arg(pluginFile));
            continue;
        }
        plugin->jsEngine = d->engine;
        plugin->initPlugin();
        // The root object outlives every engine that wraps it.
        QQmlEngine::setObjectOwnership(root, QQmlEngine::CppOwnership);
        d->packages.insert(key, d->engine->newQObject(root));
        found = true;
    }

    cached = d->packages.constFind(key);
    if (cached != d->packages.constEnd())
        return cached.value();
    d->writeMessage(QStringLiteral("ERROR: cannot found package %1.").arg(iPackage));
    return QJSValue();
}

QString VekJsPackage::getPluginFileName(const QString &iName) const
{
#if defined(Q_OS_WIN)
    return iName + QStringLiteral("plugin.dll");
#elif defined(Q_OS_MACOS)
    return iName + QStringLiteral("plugin.dylib");
#else
    return iName + QStringLiteral("plugin.so");
#endif
}

bool VekJsPackage::loadJsFile(const QString &iName, const QString &iPath)
{
    QFile file(iPath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    QTextStream in(&file);
    in.setCodec("UTF-8");
    const QString source = in.readAll();
    file.close();

    const QJSValue result = d->engine->evaluate(source, iPath, 1);
    if (result.isError()) {
        d->writeMessage(QStringLiteral("ERROR: Line %1: %2")
                                .arg(result.property(QStringLiteral("lineNumber")).toInt())
                                .arg(result.toString()));
        return false;
    }
    d->packages.insert(iName.trimmed().toUpper(), result);
    return true;
}
