// What the item model benchmarks share: memory figures of this process, and
// every case run in a child process of its own so that each peak-memory
// figure starts from a clean process.
#ifndef MODELBENCH_H
#define MODELBENCH_H

#include <QCoreApplication>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QStringList>
#include <QTextStream>

namespace modelbench {

// A field of /proc/self/status in KiB; -1 when it cannot be read.
inline qint64 statusKb(const char *iField)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> lines = status.readAll().split('\n');
    for (const QByteArray &line : lines) {
        if (line.startsWith(iField))
            return line.mid(qstrlen(iField)).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

// Starts the peak (VmHWM) afresh from the present size.
inline void resetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

// "key=value key=value" as a map.
inline QMap<QString, QString> parseLine(const QString &iLine)
{
    QMap<QString, QString> result;
    for (const QString &pair : iLine.trimmed().split(QLatin1Char(' '), Qt::SkipEmptyParts))
        result.insert(pair.section(QLatin1Char('='), 0, 0), pair.section(QLatin1Char('='), 1));
    return result;
}

// One case on one side in a child process; its figures, or an error entry.
inline QMap<QString, QString> runChild(const QString &iCase, const QString &iSide)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--case"), iCase, QStringLiteral("--side"), iSide});
    if (!child.waitForFinished(600000) || child.exitCode() != 0)
        return {{QStringLiteral("error"), QStringLiteral("child failed")}};
    return parseLine(QString::fromUtf8(child.readAllStandardOutput()));
}

// Runs the case "--case NAME --side ours|qt" names, when the command line
// names one, and gives its exit code; -1 when it names none.
template<typename RunCase>
int runNamedCase(const QStringList &iArgs, RunCase iRunCase)
{
    const int caseAt = iArgs.indexOf(QStringLiteral("--case"));
    const int sideAt = iArgs.indexOf(QStringLiteral("--side"));
    if (caseAt > 0 && sideAt > 0)
        return iRunCase(iArgs.value(caseAt + 1), iArgs.value(sideAt + 1));
    return -1;
}

// One side's figures on a line of the table, without those named in iHidden.
inline void printFigures(QTextStream &iOut, const char *iSide, const QMap<QString, QString> &iFigures,
                         const QStringList &iHidden = QStringList())
{
    iOut << "  " << iSide;
    for (auto it = iFigures.cbegin(); it != iFigures.cend(); ++it) {
        if (!iHidden.contains(it.key()))
            iOut << "  " << it.key() << '=' << it.value();
    }
    iOut << '\n';
}

// The line "ratio ours/qt" of the two sides' "ms" figures, when both have one.
inline void printRatio(QTextStream &iOut, const QMap<QString, QString> &iOurs, const QMap<QString, QString> &iQt)
{
    const double ours = iOurs.value(QStringLiteral("ms")).toDouble();
    const double qt = iQt.value(QStringLiteral("ms")).toDouble();
    if (ours > 0 && qt > 0)
        iOut << "  ratio ours/qt: " << QString::number(ours / qt, 'f', 2) << '\n';
}

} // namespace modelbench

#endif // MODELBENCH_H
