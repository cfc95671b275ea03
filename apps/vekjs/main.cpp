// vekjs SCRIPT [ARGFILE]: evaluates one script file in a VekJsEngine whose
// working folder is the script's folder (none for a task script of the
// production service, see packageFolder). The service starts it for every
// JavaScript task, so it does as little as it can before the script runs.
// The event loop runs only when the script starts it (the package "tui"
// does).

#include "vekjsengine.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJSValue>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLibrary>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#ifdef Q_OS_LINUX
#include <pthread.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>
#endif

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
    // No Qt::AA_ShareOpenGLContexts: with it the application makes an OpenGL
    // context as it starts, and on X that loads the GL driver (some 60 MB,
    // and a second on a software renderer) for every form. Qt WebEngine,
    // the one user of shared contexts, comes only with a web view and makes
    // its context then.
    if (hasDisplay()) {
        using Factory = QCoreApplication *(*) (int &, char **);
        QLibrary module(guiModulePath());
        if (auto create = reinterpret_cast<Factory>(module.resolve("vekJsCreateGuiApplication")))
            return create(argc, argv);
        QTextStream(stderr) << "vekjs: no widget support (" << module.errorString() << ")\n";
    }
    return new QCoreApplication(argc, argv);
}

#ifdef Q_OS_LINUX
// Deeply nested data (JSON.stringify of an array nested 200,000 deep) runs
// the engine's C++ recursion far past the usual 8 MB. The main thread's
// stack grows up to the soft limit in force when it grows, so the limit is
// raised before the engine exists; a stack overflow that still happens ends
// the runner with a script error instead of a crash.
constexpr rlim_t kScriptStack = rlim_t(256) * 1024 * 1024;
uintptr_t g_stackLow = 0;
uintptr_t g_stackHigh = 0;

void onSegv(int, siginfo_t *iInfo, void *)
{
    const uintptr_t address = reinterpret_cast<uintptr_t>(iInfo->si_addr);
    // Only a fault at the end of the stack is an overflow; anything else is
    // a crash and is left to the default action.
    if (address + 1024 * 1024 >= g_stackLow && address < g_stackHigh) {
        static const char text[] = "ERROR: script nested too deeply (stack overflow)\n";
        const ssize_t written = write(STDERR_FILENO, text, sizeof(text) - 1);
        Q_UNUSED(written)
        _exit(1);
    }
    signal(SIGSEGV, SIG_DFL);
}

void prepareScriptStack()
{
    rlimit limit {};
    if (getrlimit(RLIMIT_STACK, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY && limit.rlim_cur < kScriptStack) {
        limit.rlim_cur = limit.rlim_max == RLIM_INFINITY ? kScriptStack : std::min(limit.rlim_max, kScriptStack);
        setrlimit(RLIMIT_STACK, &limit);
    }
    // The stack's top as the current frame tells it, its lowest address by
    // the limit now in force.
    char here = 0;
    g_stackHigh = reinterpret_cast<uintptr_t>(&here) + 64 * 1024;
    if (getrlimit(RLIMIT_STACK, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY)
        g_stackLow = g_stackHigh - std::min<uintptr_t>(limit.rlim_cur, g_stackHigh);

    static char altStack[64 * 1024];
    stack_t alt {};
    alt.ss_sp = altStack;
    alt.ss_size = sizeof(altStack);
    if (g_stackLow != 0 && sigaltstack(&alt, nullptr) == 0) {
        struct sigaction action
        {};
        action.sa_sigaction = onSegv;
        action.sa_flags = SA_SIGINFO | SA_ONSTACK;
        sigemptyset(&action.sa_mask);
        sigaction(SIGSEGV, &action, nullptr);
    }
}
#else
void prepareScriptStack() {}
#endif

bool isSameFolder(const QString &iA, const QString &iB)
{
    const QFileInfo a(iA);
    const QFileInfo b(iB);
    const QString canonicalA = a.canonicalFilePath();
    return canonicalA.isEmpty() ? QDir::cleanPath(a.absoluteFilePath()) == QDir::cleanPath(b.absoluteFilePath())
                                : canonicalA == b.canonicalFilePath();
}

// The folder searched first for a package's ".js" file: the script's own.
// The production service writes the scripts of all its tasks into its
// temporary folder, which its argument file names as "app_temp_path": a
// script there finds only its own file beside it, never a package, or a
// task script named like one would answer every other task's import.
QString packageFolder(const QFileInfo &iScript, const QStringList &iArgs)
{
    const QString folder = iScript.absolutePath();
    if (iArgs.size() < 3)
        return folder;
    QFile argFile(iArgs.at(2));
    if (!argFile.open(QIODevice::ReadOnly))
        return folder;
    const QString tempPath
            = QJsonDocument::fromJson(argFile.readAll()).object().value(QStringLiteral("app_temp_path")).toString();
    return !tempPath.isEmpty() && isSameFolder(tempPath, folder) ? QString() : folder;
}

int fail(const QString &iText, int iCode)
{
    QTextStream err(stderr);
    err << iText << '\n';
    return iCode;
}

} // namespace

int runScript(int argc, char *argv[]);

int main(int argc, char *argv[])
{
    // The engine keeps script values on a stack of its own, 4 MB unless told
    // otherwise, and deep recursion in its built-ins (JSON.stringify) runs
    // past its end unchecked. The space is only reserved until used.
    if (!qEnvironmentVariableIsSet("QV4_JS_MAX_STACK_SIZE"))
        qputenv("QV4_JS_MAX_STACK_SIZE", QByteArray::number(64 * 1024 * 1024));
    prepareScriptStack();
    // A script that asks for more memory than there is (a string past a
    // gigabyte) ends with a script error, where the engine lets the failure
    // through to here.
    try {
        return runScript(argc, argv);
    } catch (const std::bad_alloc &) {
        std::fputs("ERROR: out of memory\n", stderr);
        return 1;
    }
}

int runScript(int argc, char *argv[])
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
        engine.setWorkingDir(packageFolder(script, args));
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
