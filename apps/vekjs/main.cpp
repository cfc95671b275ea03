// vekjs SCRIPT [ARGFILE]: evaluates one script file in a VekJsEngine whose
// working folder is the script's folder. The production service starts it
// for every JavaScript task, so it does as little as it can before the
// script runs. The event loop runs only when the script starts it (the
// package "tui" does).

#include "vekjsengine.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJSValue>
#include <QLibrary>
#include <QTextStream>

#include <cstdio>
#include <memory>

namespace {

bool hasDisplay()
{
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    return true;
#else
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
           || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
#endif
}

// The widget module beside the program: on Linux found through the
// program's own path, elsewhere through the library search, which starts
// at the program's folder.
QString guiModulePath()
{
#ifdef Q_OS_LINUX
    const QFileInfo self(QStringLiteral("/proc/self/exe"));
    return QFileInfo(self.symLinkTarget()).absoluteDir().filePath(QStringLiteral("vekjsgui"));
#else
    return QStringLiteral("vekjsgui");
#endif
}

// A QApplication when there is a display and the widget module loads, else
// a QCoreApplication.
QCoreApplication *createApplication(int &argc, char **argv)
{
    if (hasDisplay()) {
        using Factory = QCoreApplication *(*) (int &, char **);
        QLibrary module(guiModulePath());
        if (auto create = reinterpret_cast<Factory>(module.resolve("vekJsCreateGuiApplication")))
            return create(argc, argv);
        QTextStream(stderr) << "vekjs: no widget support (" << module.errorString() << ")\n";
    }
    return new QCoreApplication(argc, argv);
}

int fail(const QString &iText, int iCode)
{
    QTextStream err(stderr);
    err << iText << '\n';
    return iCode;
}

} // namespace

int main(int argc, char *argv[])
{
    const std::unique_ptr<QCoreApplication> app(createApplication(argc, argv));
    QCoreApplication::setApplicationVersion(QStringLiteral(VEK_VERSION));

    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 2)
        return fail(QStringLiteral("Usage: vekjs SCRIPT [ARGFILE]"), 2);

    const QFileInfo script(args.at(1));
    QFile file(script.absoluteFilePath());
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return fail(QStringLiteral("ERROR: cannot open script file [%1].").arg(args.at(1)), 2);
    QTextStream in(&file);
    in.setCodec("UTF-8");
    const QString source = in.readAll();
    file.close();

    int code = 0;
    {
        VekJsEngine engine;
        engine.setWorkingDir(script.absolutePath());
        const QJSValue result = engine.evaluate(source, script.absoluteFilePath(), 1);
        if (result.isError()) {
            code = fail(QStringLiteral("ERROR: Line %1: %2")
                                .arg(result.property(QStringLiteral("lineNumber")).toInt())
                                .arg(result.toString()),
                        1);
        }
    }
    return code;
}
