#include "veklogin.h"

#include "tlogger.h"
#include "tresource.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

class tst_VekLogin : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void fieldsAndFixedAnswers();
    void products();
    void productIconIsWhiteWithAlpha();
    void closableGuardsRejectAndClose();
    void languageChangeKeepsProduct();
    void destructorLogsItsLine();

private:
    static QListWidgetItem *addProduct(VekLogin &iLogin, const QString &iText, const QString &iName,
                                       const QString &iIcon = QString());
    QTemporaryDir mIconDir;
};

QListWidgetItem *tst_VekLogin::addProduct(VekLogin &iLogin, const QString &iText, const QString &iName,
                                          const QString &iIcon)
{
    auto *item = new QListWidgetItem(iText, iLogin.findChild<QListWidget *>(QStringLiteral("productList")));
    item->setData(Qt::UserRole, iName);
    item->setData(Qt::UserRole + 1, iIcon);
    return item;
}

void tst_VekLogin::initTestCase()
{
    // A red, partly transparent icon: the product icon must come out white with alpha AF anyway.
    QVERIFY(mIconDir.isValid());
    QFile svg(mIconDir.filePath(QStringLiteral("mes.svg")));
    QVERIFY(svg.open(QIODevice::WriteOnly));
    svg.write("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"16\" height=\"16\">"
              "<rect x=\"2\" y=\"2\" width=\"12\" height=\"12\" fill=\"#FF0000\"/></svg>");
    svg.close();
    TResource::instance()->appendIconPath(mIconDir.path());
}

void tst_VekLogin::fieldsAndFixedAnswers()
{
    VekLogin login;
    login.setUserName(QStringLiteral("operator7"));
    login.setPassword(QStringLiteral("s3cret"));
    login.setRemPassword(true);
    auto *user = login.findChild<QLineEdit *>(QStringLiteral("userName"));
    auto *password = login.findChild<QLineEdit *>(QStringLiteral("password"));
    QVERIFY(user && password);
    QCOMPARE(user->text(), QStringLiteral("operator7"));
    QCOMPARE(password->text(), QStringLiteral("s3cret"));
    QCOMPARE(password->echoMode(), QLineEdit::Password);
    QVERIFY(login.findChild<QCheckBox *>(QStringLiteral("remPassword"))->isChecked());
    login.setRemPassword(false);
    QVERIFY(!login.findChild<QCheckBox *>(QStringLiteral("remPassword"))->isChecked());

    // The dialog checks nothing, and the theme is fixed.
    QVERIFY(login.loginVerify());
    login.setUserName(QString());
    login.setPassword(QString());
    QVERIFY(login.loginVerify());
    login.setTheme(QStringLiteral("dark"));
    QCOMPARE(login.theme(), QStringLiteral("default"));
    // The list setters load nothing.
    login.setProductList({QStringLiteral("mes")});
    QCOMPARE(login.findChild<QListWidget *>(QStringLiteral("productList"))->count(), 0);
    QCOMPARE(login.currentProduct(), QString());
    QCOMPARE(login.langeuage(), QString());
}

void tst_VekLogin::products()
{
    VekLogin login;
    addProduct(login, QStringLiteral("Planning"), QStringLiteral("plan"));
    QListWidgetItem *firstMes = addProduct(login, QStringLiteral("MES"), QStringLiteral("mes"));
    addProduct(login, QStringLiteral("MES again"), QStringLiteral("mes"));
    auto *list = login.findChild<QListWidget *>(QStringLiteral("productList"));

    login.setCurrentProduct(QStringLiteral("mes"));
    QCOMPARE(list->currentItem(), firstMes);
    QCOMPARE(login.currentProduct(), QStringLiteral("mes"));
    QCOMPARE(login.windowTitle(), QStringLiteral("MES"));

    // An unknown name, or a name that differs only in case, keeps the selection.
    login.setCurrentProduct(QStringLiteral("MES"));
    login.setCurrentProduct(QStringLiteral("nothing"));
    QCOMPARE(list->currentItem(), firstMes);

    login.setCurrentProduct(QStringLiteral("plan"));
    QCOMPARE(login.currentProduct(), QStringLiteral("plan"));
    QCOMPARE(login.windowTitle(), QStringLiteral("Planning"));

    // No current item: empty title.
    list->setCurrentItem(nullptr);
    QCOMPARE(login.currentProduct(), QString());
    QCOMPARE(login.windowTitle(), QString());
}

void tst_VekLogin::productIconIsWhiteWithAlpha()
{
    VekLogin login;
    addProduct(login, QStringLiteral("MES"), QStringLiteral("mes"), QStringLiteral("mes"));
    login.setCurrentProduct(QStringLiteral("mes"));
    const QImage image = login.windowIcon().pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
    QVERIFY(!image.isNull());
    const QColor inside = image.pixelColor(8, 8);
    QCOMPARE(inside.red(), 255);
    QCOMPARE(inside.green(), 255);
    QCOMPARE(inside.blue(), 255);
    QCOMPARE(inside.alpha(), 0xAF);
    // Outside the drawn shape the icon stays transparent.
    QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
}

void tst_VekLogin::closableGuardsRejectAndClose()
{
    VekLogin login;
    QVERIFY(login.closable());
    login.show();
    QVERIFY(QTest::qWaitForWindowExposed(&login));

    login.setClosable(false);
    QSignalSpy rejected(&login, &QDialog::rejected);
    login.reject();
    QTest::keyClick(&login, Qt::Key_Escape);
    QVERIFY(!login.close());
    QVERIFY(login.isVisible());
    QCOMPARE(rejected.count(), 0);

    login.setClosable(true);
    login.reject();
    QCOMPARE(rejected.count(), 1);
    QCOMPARE(login.result(), int(QDialog::Rejected));
    QVERIFY(!login.isVisible());

    login.show();
    QVERIFY(login.close());
    QVERIFY(!login.isVisible());
}

void tst_VekLogin::languageChangeKeepsProduct()
{
    VekLogin login;
    addProduct(login, QStringLiteral("MES"), QStringLiteral("mes"));
    addProduct(login, QStringLiteral("Planning"), QStringLiteral("plan"));
    login.setCurrentProduct(QStringLiteral("plan"));
    auto *languages = login.findChild<QComboBox *>(QStringLiteral("language"));
    QVERIFY(languages);
    languages->addItem(QStringLiteral("English"), QStringLiteral("en"));
    languages->addItem(QStringLiteral("no code"));
    languages->addItem(QStringLiteral("zhcn"), QStringLiteral("zhcn"));
    languages->setCurrentIndex(2);
    QCOMPARE(login.langeuage(), QStringLiteral("zhcn"));
    QCOMPARE(login.currentProduct(), QStringLiteral("plan"));
    languages->setCurrentIndex(1);
    QCOMPARE(login.langeuage(), QString());
    QCOMPARE(login.currentProduct(), QStringLiteral("plan"));
}

void tst_VekLogin::destructorLogsItsLine()
{
    TLogger *logger = TLogger::instance();
    QTemporaryDir logDir;
    logger->setLogDir(logDir.path());
    logger->setDebugLevel(5);
    QSignalSpy lines(logger, &TLogger::logWrited);
    delete new VekLogin;
    logger->setDebugLevel(0);
    QCOMPARE(lines.count(), 1);
    QCOMPARE(lines.at(0).at(0).toString(), QStringLiteral("VekLogin destroyed"));
    QCOMPARE(lines.at(0).at(1).toString().toLower(), QStringLiteral("debug"));
    QVERIFY(lines.at(0).at(3).toString().startsWith(QLatin1String("File:veklogin.cpp, Line:")));
    QVERIFY(lines.at(0).at(3).toString().endsWith(QLatin1String(", Func:VekLogin::~VekLogin")));
    QCOMPARE(lines.at(0).at(4).toString(), QStringLiteral("5"));
}

QTEST_MAIN(tst_VekLogin)
#include "tst_veklogin.moc"
