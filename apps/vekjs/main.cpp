// vekjs SCRIPT [ARGFILE]: evaluates one script file in a VekJsEngine whose
// working folder is the script's folder. The production service starts it
// for every JavaScript task, so it does as little as it can before the
// script runs. The event loop runs only when the script starts it (the
// package "tui" does).

#include "vekjsengine.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QJSValue>
#include <QTextStream>

#include <cstdio>
#include <memory>

namespace {

bool hasDisplay()
{
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    return true;
#else
    return !qEnvironmentVariableIsEmpty("DISPLAY")
        || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
#endif
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
    std::unique_ptr<QCoreApplication> app;
    if (hasDisplay())
        app.reset(new QApplication(argc, argv));
    else
        app.reset(new QCoreApplication(argc, argv));
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
