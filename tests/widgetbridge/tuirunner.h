#ifndef TUIRUNNER_H
#define TUIRUNNER_H

// Runs the real script runner on scripts that import "tui", either from the
// build folder or from a product folder laid out in a temporary folder
// (program folder with the runner, its widget module and the package
// folder, and the resource folder beside it), with a chosen environment.

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

struct TuiRun
{
    int exitCode = -1;
    bool crashed = true;
    bool finished = false;
    QByteArray out;
    QByteArray err;

    QStringList outLines() const
    {
        QStringList lines = QString::fromUtf8(out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        return lines;
    }
};

class TuiRunner
{
public:
    // Imports "sys" first for out(), which prints strings as they are and
    // everything else as JSON, and flushes at once.
    static QString prelude()
    {
        return QStringLiteral(
                "var sys = __package__.import('sys');"
                "function out(v) { sys.stdoutWrite((typeof v === 'string' ? v : JSON.stringify(v)) + '\\n'); }\n");
    }

    static QString buildRunner() { return QStringLiteral(VEK_BIN_DIR "/vekjs"); }

    // The environment of a runner on the given platform; an empty platform
    // leaves no display at all.
    static QProcessEnvironment environment(const QString &iPlatform, const QString &iDisplay = QString())
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.remove(QStringLiteral("QT_SCALE_FACTOR"));
        env.remove(QStringLiteral("QT_AUTO_SCREEN_SCALE_FACTOR"));
        if (iPlatform.isEmpty()) {
            env.remove(QStringLiteral("DISPLAY"));
            env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        } else {
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), iPlatform);
            if (!iDisplay.isEmpty())
                env.insert(QStringLiteral("DISPLAY"), iDisplay);
        }
        return env;
    }

    QString path(const QString &iRelative = QString()) const
    {
        return iRelative.isEmpty() ? m_dir.path() : m_dir.filePath(iRelative);
    }

    void write(const QString &iRelative, const QByteArray &iContent) const
    {
        const QString file = path(iRelative);
        QVERIFY(QDir().mkpath(QFileInfo(file).absolutePath()));
        QFile f(file);
        QVERIFY2(f.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(file));
        f.write(iContent);
    }

    // A program folder at iBinDir (relative) holding a copy of the runner:
    // the runner finds its widget module and the packages beside its own
    // file, and the plug-in its resources from the program folder.
    QString installRunner(const QString &iBinDir) const
    {
        const QString bin = path(iBinDir);
        if (!QDir().mkpath(bin))
            return QString();
        const QString runner = bin + QStringLiteral("/vekjs");
        if (!QFile::copy(buildRunner(), runner))
            return QString();
        QFile::link(QStringLiteral(VEK_BIN_DIR "/libvekjsgui.so"), bin + QStringLiteral("/libvekjsgui.so"));
        // The packages lie beside the program, or beside the bundle.
        const QString packages = QDir(bin).dirName() == QLatin1String("MacOS")
                                         ? QDir::cleanPath(bin + QStringLiteral("/../../.."))
                                         : bin;
        QFile::link(QStringLiteral(VEK_BIN_DIR "/vekjslib"), packages + QStringLiteral("/vekjslib"));
        return runner;
    }

    // Writes the script as main.js and runs it; iOnLine, when given, sees
    // each line of standard output as it arrives.
    TuiRun run(const QString &iSource, const QProcessEnvironment &iEnv, const QString &iRunner = QString(),
               const std::function<void(const QByteArray &)> &iOnLine = {}, int iTimeoutMs = 60000) const
    {
        TuiRun result;
        write(QStringLiteral("main.js"), iSource.toUtf8());
        QProcess process;
        process.setProcessEnvironment(iEnv);
        process.setWorkingDirectory(path());
        process.start(iRunner.isEmpty() ? buildRunner() : iRunner, {path(QStringLiteral("main.js"))});
        if (!process.waitForStarted(10000)) {
            qWarning("cannot start the runner: %s", qPrintable(process.errorString()));
            return result;
        }
        process.closeWriteChannel();
        QElapsedTimer clock;
        clock.start();
        while (process.state() != QProcess::NotRunning && clock.elapsed() < iTimeoutMs) {
            process.waitForReadyRead(100);
            while (process.canReadLine()) {
                const QByteArray line = process.readLine();
                result.out += line;
                if (iOnLine)
                    iOnLine(line.trimmed());
            }
        }
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(5000);
            qWarning("the runner did not finish");
            return result;
        }
        result.finished = true;
        result.crashed = process.exitStatus() != QProcess::NormalExit;
        result.exitCode = process.exitCode();
        result.out += process.readAllStandardOutput();
        result.err = process.readAllStandardError();
        return result;
    }

private:
    QTemporaryDir m_dir;
};

// An X server of our own with a screen of the given size.
class OwnXvfb
{
public:
    ~OwnXvfb()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.terminate();
            if (!m_process.waitForFinished(3000))
                m_process.kill();
            m_process.waitForFinished(3000);
        }
    }

    QString start(int iWidth, int iHeight)
    {
        for (int n = 200; n < 260; ++n) {
            if (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n))
                || QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(n)))
                continue;
            m_process.start(QStringLiteral("Xvfb"),
                            {QStringLiteral(":%1").arg(n), QStringLiteral("-screen"), QStringLiteral("0"),
                             QStringLiteral("%1x%2x24").arg(iWidth).arg(iHeight), QStringLiteral("-nolisten"),
                             QStringLiteral("tcp")});
            if (!m_process.waitForStarted(5000))
                return QString();
            for (int t = 0; t < 100; ++t) {
                if (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)))
                    return QStringLiteral(":%1").arg(n);
                if (m_process.waitForFinished(50))
                    break; // display taken meanwhile: try the next one
            }
        }
        return QString();
    }

private:
    QProcess m_process;
};

// The report that data/form.js prints once its window is laid out: for each
// control [x, y, width, height, visible] in its parent's coordinates.
struct FormReport
{
    QJsonObject boxes;
    QStringList events;

    static QRect rect(const QJsonValue &iBox)
    {
        const QJsonArray a = iBox.toArray();
        return QRect(a.at(0).toInt(), a.at(1).toInt(), a.at(2).toInt(), a.at(3).toInt());
    }
    static bool visible(const QJsonValue &iBox) { return iBox.toArray().at(4).toBool(); }

    static QStringList controls() { return {"order", "quantity", "line", "save", "cancel"}; }

    // Reads the run's output and checks that every control is visible,
    // inside the pane, clear of the others, and in form order.
    static FormReport check(const TuiRun &iRun)
    {
        FormReport report;
        const QStringList lines = iRun.outLines();
        const int shown = lines.indexOf(QStringLiteral("shown"));
        [&] {
            QVERIFY2(shown > 0, iRun.out.constData());
            QCOMPARE(lines.mid(shown + 2), QStringList {QStringLiteral("after exec")});
        }();
        if (shown <= 0)
            return report;
        report.boxes = QJsonDocument::fromJson(lines.at(shown - 1).toUtf8()).object();
        const QJsonArray events = QJsonDocument::fromJson(lines.at(shown + 1).toUtf8())
                                          .object()
                                          .value(QStringLiteral("events"))
                                          .toArray();
        for (const QJsonValue &e : events)
            report.events.append(e.toString());
        [&] {
            QVERIFY(visible(report.boxes.value(QStringLiteral("window"))));
            QVERIFY(visible(report.boxes.value(QStringLiteral("pane"))));
            const QRect pane(QPoint(0, 0), rect(report.boxes.value(QStringLiteral("pane"))).size());
            QList<QRect> rects;
            for (const QString &name : controls()) {
                const QJsonValue box = report.boxes.value(name);
                QVERIFY2(visible(box), qPrintable(name));
                const QRect r = rect(box);
                QVERIFY2(r.width() > 10 && r.height() > 10, qPrintable(name));
                QVERIFY2(pane.contains(r), qPrintable(name));
                for (const QRect &other : qAsConst(rects))
                    QVERIFY2(!other.intersects(r), qPrintable(name));
                rects.append(r);
            }
            // One row each for the fields, then the buttons side by side.
            QVERIFY(rects.at(0).bottom() < rects.at(1).top());
            QVERIFY(rects.at(1).bottom() < rects.at(2).top());
            QVERIFY(rects.at(2).bottom() < rects.at(3).top());
            QCOMPARE(rects.at(3).top(), rects.at(4).top());
            QVERIFY(rects.at(3).right() < rects.at(4).left());
            QCOMPARE(report.boxes.value(QStringLiteral("line_text")).toString(), QStringLiteral("Line 2 (plating)"));
            QVERIFY2(report.events.contains(QStringLiteral("order:value_changed")), events.size() ? "" : "no events");
            QVERIFY(report.events.contains(QStringLiteral("order:editing_finished")));
            QVERIFY(report.events.contains(QStringLiteral("save:clicked")));
        }();
        return report;
    }
};

#endif // TUIRUNNER_H
