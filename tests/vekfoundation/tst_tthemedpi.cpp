// The DPI ratio is fixed when the theme is first created, from the primary
// screen of the running application; each case therefore runs in a child
// process of this test, on its own platform or X screen.
#include "tdataparse.h"
#include "ttheme.h"

#include <QApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QScreen>
#include <QtTest>

namespace {

int runChild(int argc, char **argv, bool iGui)
{
    QScopedPointer<QCoreApplication> app(iGui ? new QApplication(argc, argv) : new QCoreApplication(argc, argv));
    QJsonObject out;
    const QScreen *screen = iGui ? QGuiApplication::primaryScreen() : nullptr;
    out.insert(QStringLiteral("width"), screen ? screen->geometry().width() : -1);
    out.insert(QStringLiteral("dpi"), screen ? screen->logicalDotsPerInch() : -1.0);
    out.insert(QStringLiteral("ratio"), TTheme::instance()->dpRatio());
    out.insert(QStringLiteral("points"), TDataParse::pixel2point(96));
    out.insert(QStringLiteral("pixels"), TDataParse::point2pixel(72.0));
    printf("%s\n", QJsonDocument(out).toJson(QJsonDocument::Compact).constData());
    return 0;
}

// An X server of our own with a screen of the given width.
class OwnXvfb
{
public:
    ~OwnXvfb()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.terminate();
            if (!m_process.waitForFinished(3000))
                m_process.kill();
        }
    }

    QString start(int iWidth)
    {
        for (int n = 150; n < 200; ++n) {
            if (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n))
                || QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(n)))
                continue;
            m_process.start(QStringLiteral("Xvfb"), {QStringLiteral(":%1").arg(n), QStringLiteral("-screen"),
                                                     QStringLiteral("0"), QStringLiteral("%1x1080x24").arg(iWidth),
                                                     QStringLiteral("-nolisten"), QStringLiteral("tcp")});
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

} // namespace

class tst_TThemeDpi : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void ratio_data();
    void ratio();

private:
    QJsonObject child(const QString &iMode, const QProcessEnvironment &iEnv);
};

QJsonObject tst_TThemeDpi::child(const QString &iMode, const QProcessEnvironment &iEnv)
{
    QProcess p;
    p.setProcessEnvironment(iEnv);
    p.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child"), iMode});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) {
        qWarning("child failed: %s", p.readAllStandardError().constData());
        return QJsonObject();
    }
    const QList<QByteArray> lines = p.readAllStandardOutput().trimmed().split('\n');
    return QJsonDocument::fromJson(lines.last()).object();
}

void tst_TThemeDpi::ratio_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("platform");
    QTest::addColumn<int>("xvfbWidth");
    QTest::addColumn<int>("width");
    QTest::addColumn<double>("ratio");
    QTest::newRow("no GUI application") << "core"
                                        << "offscreen" << 0 << -1 << 1.0;
    QTest::newRow("offscreen") << "gui"
                               << "offscreen" << 0 << 800 << 1.0;
    QTest::newRow("X screen 1920 wide") << "gui"
                                        << "xcb" << 1920 << 1920 << 1.0;
    QTest::newRow("X screen 1921 wide") << "gui"
                                        << "xcb" << 1921 << 1921 << 1.5;
    QTest::newRow("X screen 2560 wide") << "gui"
                                        << "xcb" << 2560 << 2560 << 1.5;
    QTest::newRow("shared test display") << "gui"
                                         << "xcb" << 0 << 0 << 0.0;
}

void tst_TThemeDpi::ratio()
{
    QFETCH(QString, mode);
    QFETCH(QString, platform);
    QFETCH(int, xvfbWidth);
    QFETCH(int, width);
    QFETCH(double, ratio);

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    env.remove(QStringLiteral("QT_SCALE_FACTOR"));
    env.remove(QStringLiteral("QT_AUTO_SCREEN_SCALE_FACTOR"));
    OwnXvfb xvfb;
    if (xvfbWidth > 0) {
        const QString display = xvfb.start(xvfbWidth);
        QVERIFY2(!display.isEmpty(), "could not start Xvfb (package xvfb)");
        env.insert(QStringLiteral("DISPLAY"), display);
    } else if (platform == QLatin1String("xcb")) {
        QVERIFY2(!env.value(QStringLiteral("DISPLAY")).isEmpty(), "no X display: run through scripts/test.sh");
    }

    const QJsonObject out = child(mode, env);
    QVERIFY(!out.isEmpty());
    const int actualWidth = out.value(QStringLiteral("width")).toInt();
    if (width == 0) { // whatever the shared display is, the rule must hold
        width = actualWidth;
        ratio = actualWidth > 1920 ? 1.5 : 1.0;
    }
    QCOMPARE(actualWidth, width);
    QCOMPARE(out.value(QStringLiteral("ratio")).toDouble(), ratio);

    const double dpi = mode == QLatin1String("core") ? 96.0 : out.value(QStringLiteral("dpi")).toDouble();
    QVERIFY(dpi > 0);
    QCOMPARE(out.value(QStringLiteral("points")).toDouble(), 96 * 72.0 / dpi);
    QCOMPARE(out.value(QStringLiteral("pixels")).toInt(), static_cast<int>(dpi));
}

int main(int argc, char **argv)
{
    if (argc >= 3 && qstrcmp(argv[1], "--child") == 0)
        return runChild(argc, argv, qstrcmp(argv[2], "gui") == 0);
    QCoreApplication app(argc, argv);
    tst_TThemeDpi test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_tthemedpi.moc"
