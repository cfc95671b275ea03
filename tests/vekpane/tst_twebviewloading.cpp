// Qt WebEngine is mapped with the first web view, never with the widget
// library: the program's own memory map and the library's dependencies show it.
#include "tlineedit.h"
#include "tmainwindow.h"
#include "tpushbutton.h"
#include "twebview.h"
#include "twebviewengineloader_p.h"
#include "veklogcapture.h"

#include <QLabel>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QtTest>

namespace {

// The files mapped into this process whose path contains iPart.
QStringList mappedFiles(const QString &iPart)
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return {QStringLiteral("<cannot read /proc/self/maps>")};
    QStringList files;
    const QList<QByteArray> lines = maps.readAll().split('\n');
    for (const QByteArray &line : lines) {
        const int slash = line.indexOf('/');
        if (slash < 0)
            continue;
        const QString path = QString::fromLocal8Bit(line.mid(slash));
        if (path.contains(iPart) && !files.contains(path))
            files.append(path);
    }
    return files;
}

} // namespace

class tst_TWebViewLoading : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void libraryDoesNotLinkTheEngine();
    void ordinaryWidgetsMapNoEngine();
    void missingModuleShowsMessage();
    void webViewMapsTheEngine();
};

void tst_TWebViewLoading::initTestCase()
{
    QVERIFY2(QGuiApplication::platformName() == QLatin1String("xcb"), "needs the X display of the test set-up");
}

void tst_TWebViewLoading::libraryDoesNotLinkTheEngine()
{
    const QStringList library = mappedFiles(QStringLiteral("/libvekpane.so"));
    QCOMPARE(library.size(), 1);
    QProcess ldd;
    ldd.start(QStringLiteral("ldd"), {library.first()});
    QVERIFY(ldd.waitForFinished(30000));
    const QString out = QString::fromLocal8Bit(ldd.readAllStandardOutput());
    QVERIFY2(out.contains(QLatin1String("libQt5Widgets")), qPrintable(out));
    QVERIFY2(!out.contains(QLatin1String("WebEngine")), qPrintable(out));
    QVERIFY2(!out.contains(QLatin1String("libQt5Quick")), qPrintable(out));
}

void tst_TWebViewLoading::ordinaryWidgetsMapNoEngine()
{
    TMainWindow window;
    auto *pane = new QWidget;
    auto *layout = new QVBoxLayout(pane);
    layout->addWidget(new TLineEdit);
    layout->addWidget(new TPushButton);
    window.setCentralWidget(pane);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(mappedFiles(QStringLiteral("WebEngine")), QStringList());
    QCOMPARE(mappedFiles(QStringLiteral("vekpanewebengine")), QStringList());
}

void tst_TWebViewLoading::missingModuleShowsMessage()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString missing = dir.filePath(QStringLiteral("vekpanewebengine.so"));
    TWebViewEngineLoader::setModuleFile(missing);
    const auto restore = qScopeGuard([] { TWebViewEngineLoader::setModuleFile(QString()); });
    VekLogCapture log;
    for (int i = 0; i < 2; ++i) {
        TWebView view;
        QVERIFY(!view.webView());
        auto *message = view.findChild<QLabel *>(QStringLiteral("webEngineMissing"));
        QVERIFY(message);
        QVERIFY(message->text().contains(QLatin1String("web engine module")));
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QVERIFY(message->isVisible());
        // The address is still kept and read back.
        view.setAttr(QStringLiteral("value"), QStringLiteral("file:///nowhere/a.html"));
        QCOMPARE(view.url(), QStringLiteral("file:///nowhere/a.html"));
    }
    // One error for the process, not one per view.
    const QStringList errors = log.texts(QStringLiteral("error"));
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors.first().contains(missing), qPrintable(errors.first()));
    QCOMPARE(mappedFiles(QStringLiteral("WebEngine")), QStringList());
}

void tst_TWebViewLoading::webViewMapsTheEngine()
{
    TWebView view;
    QVERIFY(view.webView());
    QVERIFY(!view.findChild<QLabel *>(QStringLiteral("webEngineMissing")));
    QCOMPARE(mappedFiles(QStringLiteral("vekpanewebengine")).size(), 1);
    QVERIFY(!mappedFiles(QStringLiteral("libQt5WebEngineCore")).isEmpty());
}

QTEST_MAIN(tst_TWebViewLoading)
#include "tst_twebviewloading.moc"
