#include "twebviewengine_p.h"
#include "twebviewengineloader_p.h"

#include "tlogger.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPluginLoader>

#ifdef Q_OS_UNIX
#include <dlfcn.h>
#endif

namespace {

struct LoaderState
{
    QString file;
    QString error;
    TWebViewEngine *engine = nullptr;
    bool tried = false;
};

LoaderState &state()
{
    static LoaderState s;
    return s;
}

// The folder of the widget library: the programs' folder in the build and
// in an installed tree alike, wherever the program itself lies (the tests
// and benchmarks have folders of their own).
QString libraryDir()
{
#ifdef Q_OS_UNIX
    Dl_info info {};
    if (dladdr(reinterpret_cast<void *>(&TWebViewEngineLoader::engine), &info) != 0 && info.dli_fname)
        return QFileInfo(QFile::decodeName(info.dli_fname)).absolutePath();
#endif
    // Elsewhere the libraries lie beside the programs.
    return QCoreApplication::applicationDirPath();
}

} // namespace

QString TWebViewEngineLoader::moduleFile()
{
    if (!state().file.isEmpty())
        return state().file;
#ifdef Q_OS_WIN
    const QString suffix = QStringLiteral(".dll");
#else
    const QString suffix = QStringLiteral(".so");
#endif
    return QDir(libraryDir()).filePath(QStringLiteral("vekpanewebengine") + suffix);
}

void TWebViewEngineLoader::setModuleFile(const QString &iFile)
{
    LoaderState &s = state();
    s.file = iFile;
    if (!s.engine) {
        s.tried = false;
        s.error.clear();
    }
}

TWebViewEngine *TWebViewEngineLoader::engine()
{
    LoaderState &s = state();
    if (s.engine || s.tried)
        return s.engine;
    s.tried = true;

    const QString file = moduleFile();
    // Never unloaded: the engine's threads and views outlive any owner here.
    auto *loader = new QPluginLoader(file);
    QObject *root = loader->instance();
    s.engine = qobject_cast<TWebViewEngine *>(root);
    if (s.engine)
        return s.engine;

    const QString reason = root ? QStringLiteral("it is not the web engine module") : loader->errorString();
    delete loader;
    s.error = QCoreApplication::translate("TWebView", "Web pages cannot be shown here: the web engine module "
                                                      "is not installed or does not load.");
    VEK_LOG(QStringLiteral("web view: cannot load the web engine module [%1] (%2); web views stay empty")
                    .arg(QDir::toNativeSeparators(file), reason),
            "error", 0);
    return nullptr;
}

QString TWebViewEngineLoader::errorText() { return state().error; }
