// A "tui" form from process start to its first painted frame and exit, a
// main window of N labelled line edits, at 20 and 100 fields, built three
// ways:
//   - "C++ Qt program" (bench_tuiformcpp): plain Qt widgets, no theme;
//   - "C++ vekpane host" (bench_tuiformvek): a C++ host that loads the icon
//     bundle and the default theme the way the package "tui" does and builds
//     the form from the same framework widgets the script makes;
//   - "vekjs + tui script": the script runner with a script that builds the
//     form through the package "tui".
// The first two differ by what the theme and the framework widgets cost, the
// last two by what the script runtime costs. Beside the wall time: the CPU
// time and the peak resident size of each child, each against the plain Qt
// program, and one more line sets the script against the C++ host.
//
//   bench_tuiformstartup [ROUNDS]      (default 5)
//
// Each side runs in a process of its own; the rounds rotate which side goes
// first and every child is pinned to the same processor. All sides end the
// same way: the Qt plug-in "benchframeprobe" (built beside this program)
// ends the event loop once the first window has been painted. The display
// is the one in DISPLAY (xcb), else the offscreen platform.

#include "benchprocess.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

QString formScript(int iFields)
{
    return QStringLiteral("var tui = __package__.import('tui');\n"
                          "var win = tui.newMainWindow();\n"
                          "var body = tui.newWidget();\n"
                          "var form = tui.newFormLayout(body);\n"
                          "for (var i = 0; i < %1; ++i)\n"
                          "    form.packWidget(tui.newLineEdit(body), 'Field ' + (i + 1), '');\n"
                          "win.setBodyWidget(body);\n"
                          "win.show();\n"
                          "tui.exec();\n")
            .arg(iFields);
}

// The median of iValues over the median of iBase, as printed in a ratio column.
QString ratio(const std::vector<double> &iValues, const std::vector<double> &iBase)
{
    return QString::number(benchprocess::median(iValues) / benchprocess::median(iBase), 'f', 2);
}

// The median of iValues less the median of iBase, as printed in the extra column.
QString extra(const std::vector<double> &iValues, const std::vector<double> &iBase)
{
    return QString::number(benchprocess::median(iValues) - benchprocess::median(iBase), 'f', 1);
}

struct Side
{
    QString name;
    QString program;
    QStringList arguments;
    std::vector<double> wallMs, cpuMs, rssMiB;
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? qBound(1, QByteArray(argv[1]).toInt(), 1000) : 5;
    const QString benchDir = QCoreApplication::applicationDirPath();

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!env.contains(QStringLiteral("DISPLAY")) && !env.contains(QStringLiteral("QT_QPA_PLATFORM")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("QT_PLUGIN_PATH"), benchDir + QStringLiteral("/plugins"));
    env.insert(QStringLiteral("QT_QPA_GENERIC_PLUGINS"), QStringLiteral("benchframeprobe"));

    // The folder the package "tui" loads its theme from: beside the runner's folder.
    const QString resourceDir = QStringLiteral(VEK_BIN_DIR "/../resource");
    QTemporaryDir dir;
    QTextStream out(stdout);
    const int cpu = benchprocess::pinToOneCpu();
    out << "platform " << env.value(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"))
        << ", pinned to processor " << cpu << ", median of " << rounds << " rounds, each side in its own process\n";

    for (const int fields : {20, 100}) {
        const QString script = dir.filePath(QStringLiteral("form%1.js").arg(fields));
        QFile file(script);
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        file.write(formScript(fields).toUtf8());
        file.close();
        Side sides[]
                = {{QStringLiteral("C++ Qt program"),
                    benchDir + QStringLiteral("/bench_tuiformcpp"),
                    {QString::number(fields)},
                    {},
                    {},
                    {}},
                   {QStringLiteral("C++ vekpane host"),
                    benchDir + QStringLiteral("/bench_tuiformvek"),
                    {QString::number(fields), resourceDir},
                    {},
                    {},
                    {}},
                   {QStringLiteral("vekjs + tui script"), QStringLiteral(VEK_BIN_DIR "/vekjs"), {script}, {}, {}, {}}};
        constexpr int sideCount = int(sizeof(sides) / sizeof(sides[0]));
        // Once each unmeasured: the file cache holds every library afterwards.
        for (const Side &side : sides)
            benchprocess::run(side.program, side.arguments, env);
        for (int round = 0; round < rounds; ++round) {
            for (int i = 0; i < sideCount; ++i) {
                Side &side = sides[(i + round) % sideCount];
                const benchprocess::ChildRun r = benchprocess::run(side.program, side.arguments, env);
                if (!r.ok) {
                    out << side.name << " failed or did not paint within the time\n";
                    return 1;
                }
                side.wallMs.push_back(r.wallMs);
                side.cpuMs.push_back(r.cpuMs);
                side.rssMiB.push_back(r.maxRssMiB);
            }
        }
        const Side &base = sides[0];
        const Side &host = sides[1];
        const Side &tui = sides[2];
        out << "\n" << fields << " fields                wall ms   ratio    cpu ms   ratio  peak MiB   extra\n";
        for (const Side &side : sides) {
            const double wall = benchprocess::median(side.wallMs);
            const double cpuMs = benchprocess::median(side.cpuMs);
            const double rss = benchprocess::median(side.rssMiB);
            out << qSetFieldWidth(22) << Qt::left << side.name << qSetFieldWidth(9) << Qt::right
                << QString::number(wall, 'f', 1) << ratio(side.wallMs, base.wallMs) << QString::number(cpuMs, 'f', 1)
                << ratio(side.cpuMs, base.cpuMs) << QString::number(rss, 'f', 1) << extra(side.rssMiB, base.rssMiB)
                << qSetFieldWidth(0) << "\n";
        }
        // The script runtime alone: the script against the host with the same look.
        out << qSetFieldWidth(22) << Qt::left << "tui vs vekpane host" << qSetFieldWidth(9) << Qt::right << ""
            << ratio(tui.wallMs, host.wallMs) << "" << ratio(tui.cpuMs, host.cpuMs) << ""
            << extra(tui.rssMiB, host.rssMiB) << qSetFieldWidth(0) << "\n";
        out.flush();
    }
    return 0;
}
