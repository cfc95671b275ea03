// The web view on a real X display: a local page loads and reports its title.
#include "controlstest.h"
#include "twebview.h"

#include <QLayout>
#include <QTemporaryDir>
#include <QWebEngineView>
#include <QtTest>

class tst_TWebView : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void fillsWithoutMargins();
    void valueLoadsLocalPage();
    void navigateKeepsTheAddress_data();
    void navigateKeepsTheAddress();
    void fromScript();

private:
    QTemporaryDir m_dir;
    QString m_page;
};

void tst_TWebView::initTestCase()
{
    QVERIFY2(QGuiApplication::platformName() == QLatin1String("xcb"), "needs the X display of the test set-up");
    QVERIFY(m_dir.isValid());
    m_page = m_dir.filePath("report.html");
    QFile page(m_page);
    QVERIFY(page.open(QIODevice::WriteOnly));
    page.write("<html><head><title>Panel report</title></head>"
               "<body style='background:#204060'><h1>Lot 4711</h1></body></html>");
}

void tst_TWebView::fillsWithoutMargins()
{
    TWebView view;
    QVERIFY(view.webView());
    QCOMPARE(view.webView()->parentWidget(), &view);
    QCOMPARE(view.layout()->contentsMargins(), QMargins(0, 0, 0, 0));
    QCOMPARE(view.layout()->spacing(), 0);
    view.resize(300, 200);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QCOMPARE(view.webView()->geometry(), QRect(0, 0, 300, 200));
    QVERIFY(view.url().isEmpty());
    QCOMPARE(view.getAttr("value"), QVariant(QString()));
}

void tst_TWebView::valueLoadsLocalPage()
{
    TWebView view;
    view.resize(400, 300);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QSignalSpy loaded(view.webView(), &QWebEngineView::loadFinished);
    QSignalSpy events(&view, &TWebView::signal);
    const QString address = QUrl::fromLocalFile(m_page).toString();
    view.setAttr("value", address);
    QCOMPARE(view.getAttr("value"), QVariant(address));
    QTRY_VERIFY_WITH_TIMEOUT(!loaded.isEmpty(), 60000);
    QCOMPARE(loaded.at(0).at(0), QVariant(true));
    QTRY_COMPARE_WITH_TIMEOUT(view.webView()->title(), QString("Panel report"), 10000);
    QCOMPARE(view.webView()->url(), QUrl::fromLocalFile(m_page));
    QVERIFY(events.isEmpty()); // the view sends no events of its own

    // The page is painted: its background colour shows inside the view.
    QTest::qWait(300);
    const QImage image = view.grab().toImage();
    const QColor centre = image.pixelColor(image.width() / 2, image.height() - 10);
    QCOMPARE(centre, QColor("#204060"));
}

void tst_TWebView::navigateKeepsTheAddress_data()
{
    QTest::addColumn<QString>("given");
    QTest::addColumn<bool>("asUrl");
    QTest::newRow("text") << "file:///nowhere/a.html" << false;
    QTest::newRow("url") << "file:///nowhere/b.html" << true;
    QTest::newRow("text with blanks") << "file:///nowhere/a b.html" << false;
}

void tst_TWebView::navigateKeepsTheAddress()
{
    QFETCH(QString, given);
    QFETCH(bool, asUrl);
    TWebView view;
    if (asUrl)
        view.navigate(QUrl(given));
    else
        view.navigate(given);
    // Read back while (or after failing at) loading.
    QCOMPARE(view.url(), given);
    QCOMPARE(view.getAttr("value"), QVariant(given));
}

void tst_TWebView::fromScript()
{
    TWebView view;
    QJSEngine engine;
    controlstest::expose(engine, "w", &view);
    engine.globalObject().setProperty("page", QUrl::fromLocalFile(m_page).toString());
    const QJSValue r = CONTROLS_EVAL(engine, "w.navigate(page); w.url() === page && w.getAttr('value') === page");
    QVERIFY(r.toBool());
    QSignalSpy loaded(view.webView(), &QWebEngineView::loadFinished);
    QTRY_VERIFY_WITH_TIMEOUT(!loaded.isEmpty(), 60000);
    QTRY_COMPARE_WITH_TIMEOUT(view.webView()->title(), QString("Panel report"), 10000);
}

QTEST_MAIN(tst_TWebView)
#include "tst_twebview.moc"
