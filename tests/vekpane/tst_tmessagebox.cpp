// The message box and its static helpers, answered by timers.
#include "fakeframelesshelper.h"
#include "tdialogbuttonbox.h"
#include "tframelesswindowbar.h"
#include "tmessagebox.h"
#include "ttheme.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QTextBrowser>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace {

// Acts on the message box once it runs modally.
void whenShown(std::function<void(TMessageBox *)> iAct)
{
    auto *timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, iAct] {
        auto *box = qobject_cast<TMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        timer->stop();
        timer->deleteLater();
        iAct(box);
    });
    timer->start();
    // Bounded: a box that never shows fails the test instead of hanging it.
    QTimer::singleShot(10000, timer, [timer] {
        timer->stop();
        timer->deleteLater();
    });
}

void clickButton(const QString &iName)
{
    whenShown([iName](TMessageBox *box) {
        auto *button = box->findChild<QPushButton *>(iName);
        QVERIFY2(button, qPrintable(iName));
        button->click();
    });
}

QStringList buttonNames(TMessageBox *iBox)
{
    QStringList names;
    for (QAbstractButton *b : iBox->findChild<TDialogButtonBox *>()->buttons())
        names << b->objectName();
    names.sort();
    return names;
}

} // namespace

class tst_TMessageBox : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void infoAnswersOk();
    void parentDeletedWhileAsking();
    void closedWithoutButtonAnswersEmpty_data();
    void closedWithoutButtonAnswersEmpty();
    void questionYesNo_data();
    void questionYesNo();
    void iconStyling_data();
    void iconStyling();
    void ownButtonsAndDefault();
    void noButtons();
    void detailGrowsBox();
    void titles_data();
    void titles();
};

void tst_TMessageBox::infoAnswersOk()
{
    QStringList names;
    whenShown([&names](TMessageBox *box) {
        names = buttonNames(box);
        QCOMPARE(box->text(), QString("Saved."));
        box->findChild<QPushButton *>("Ok")->click();
    });
    QCOMPARE(TMessageBox::info(nullptr, "Saved."), QString("Ok"));
    QCOMPARE(names, QStringList {"Ok"});
}

void tst_TMessageBox::closedWithoutButtonAnswersEmpty_data()
{
    QTest::addColumn<int>("how");
    QTest::newRow("title bar close button") << 0;
    QTest::newRow("escape") << 1;
    QTest::newRow("rejected") << 2;
}

void tst_TMessageBox::closedWithoutButtonAnswersEmpty()
{
    QFETCH(int, how);
    whenShown([how](TMessageBox *box) {
        if (how == 0)
            box->windowTitleBar()->windowCloseButton()->click();
        else if (how == 1)
            QTest::keyClick(box, Qt::Key_Escape);
        else
            box->reject();
    });
    QCOMPARE(TMessageBox::warning(nullptr, "Careful"), QString());
}

void tst_TMessageBox::questionYesNo_data()
{
    QTest::addColumn<QStringList>("buttons");
    QTest::addColumn<QString>("click");
    QTest::newRow("empty list, yes") << QStringList() << "Yes";
    QTest::newRow("yes and no given, no") << QStringList {"Yes", "No"} << "No";
}

void tst_TMessageBox::questionYesNo()
{
    QFETCH(QStringList, buttons);
    QFETCH(QString, click);
    QVariantMap colours;
    whenShown([&colours, click](TMessageBox *box) {
        for (const char *name : {"Yes", "No"})
            colours.insert(name, box->findChild<QPushButton *>(name)->property("SS_COLOR"));
        box->findChild<QPushButton *>(click)->click();
    });
    QCOMPARE(TMessageBox::question(nullptr, "Delete?", QString(), QString(), buttons), click);
    QCOMPARE(colours, (QVariantMap {{"Yes", "PRIMARY"}, {"No", "ERROR"}}));
}

void tst_TMessageBox::iconStyling_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("ssType");
    QTest::addColumn<QString>("ssColor");
    QTest::newRow("critical") << "Critical"
                              << "ERROR"
                              << "ERROR"
                              << "ERROR";
    QTest::newRow("question") << "Question"
                              << "ASK"
                              << "ASK"
                              << "WARN";
    QTest::newRow("warning") << "warning"
                             << "WARN"
                             << "WARN"
                             << "WARN";
    QTest::newRow("kept as given") << "Info"
                                   << "Info"
                                   << "INFO"
                                   << "INFO";
}

void tst_TMessageBox::iconStyling()
{
    QFETCH(QString, word);
    QFETCH(QString, stored);
    QFETCH(QString, ssType);
    QFETCH(QString, ssColor);
    TMessageBox box;
    box.setIcon(word);
    QCOMPARE(box.icon(), stored);
    QCOMPARE(box.property("icon").toString(), stored);
    QCOMPARE(box.windowTitleBar()->property("SS_TYPE").toString(), ssType);
    QCOMPARE(box.windowTitleBar()->property("SS_COLOR").toString(), ssColor);
    QVERIFY(!box.windowIcon().isNull());
}

void tst_TMessageBox::ownButtonsAndDefault()
{
    bool retryIsDefault = false;
    bool cancelIsDefault = true;
    whenShown([&](TMessageBox *box) {
        retryIsDefault = box->findChild<QPushButton *>("retry")->isDefault();
        cancelIsDefault = box->findChild<QPushButton *>("cancel")->isDefault();
        box->findChild<QPushButton *>("cancel")->click();
    });
    const QString answer = TMessageBox::msgbox(nullptr, "Failed", "", "Error", "Upload",
                                               {"Cancel:cancel:Reject", "Retry:retry:Accept"}, "retry");
    QCOMPARE(answer, QString("cancel")); // a reject-role button is still the answer
    QVERIFY(retryIsDefault);
    QVERIFY(!cancelIsDefault);

    clickButton("retry");
    QCOMPARE(TMessageBox::msgbox(nullptr, "Failed", "", "Error", "Upload",
                                 {"Cancel:cancel:Reject", "Retry:retry:Accept"}, "retry"),
             QString("retry"));
}

void tst_TMessageBox::noButtons()
{
    int count = -1;
    whenShown([&count](TMessageBox *box) {
        count = box->findChild<TDialogButtonBox *>()->buttons().size();
        box->close();
    });
    QCOMPARE(TMessageBox::msgbox(nullptr, "Wait", "", "Info", "", {}, ""), QString());
    QCOMPARE(count, 0);
}

void tst_TMessageBox::detailGrowsBox()
{
    TMessageBox box;
    auto *view = box.findChild<QTextBrowser *>();
    QVERIFY(!view->isVisibleTo(&box));
    const int before = box.minimumHeight();

    box.setDetail("line <b>one</b>\nline two\nline three\nline four");
    QVERIFY(view->isVisibleTo(&box));
    QCOMPARE(box.detail(), QString("line <b>one</b>\nline two\nline three\nline four")); // plain, not markup
    QVERIFY(box.minimumWidth() > 76);

    QString many;
    for (int i = 0; i < 200; ++i)
        many += QString("paragraph %1\n").arg(i);
    box.setDetail(many);
    QCOMPARE(box.minimumHeight(), TTheme::instance()->dp(700));
    QVERIFY(box.minimumHeight() > before);
    QVERIFY(box.minimumWidth() <= TTheme::instance()->dp(800 + 76));

    box.setDetail(QString());
    QVERIFY(!view->isVisibleTo(&box));
}

void tst_TMessageBox::titles_data()
{
    QTest::addColumn<int>("helper");
    QTest::addColumn<QString>("title");
    QTest::newRow("info") << 0 << "Information";
    QTest::newRow("warning") << 1 << "Warning";
    QTest::newRow("error") << 2 << "Error";
    QTest::newRow("ok") << 3 << "Ok";
    QTest::newRow("question") << 4 << "Ask";
}

void tst_TMessageBox::titles()
{
    QFETCH(int, helper);
    QFETCH(QString, title);
    QString seen;
    QString seenIcon;
    whenShown([&](TMessageBox *box) {
        seen = box->windowTitle();
        seenIcon = box->icon();
        box->reject();
    });
    switch (helper) {
    case 0:
        TMessageBox::info(nullptr, "t");
        break;
    case 1:
        TMessageBox::warning(nullptr, "t");
        break;
    case 2:
        TMessageBox::error(nullptr, "t");
        break;
    case 3:
        TMessageBox::ok(nullptr, "t");
        break;
    default:
        TMessageBox::question(nullptr, "t");
        break;
    }
    QCOMPARE(seen, title);
    QVERIFY(!seenIcon.isEmpty());
}

void tst_TMessageBox::parentDeletedWhileAsking()
{
    auto *parent = new QWidget;
    whenShown([parent](TMessageBox *) { delete parent; });
    QCOMPARE(TMessageBox::msgbox(parent, "Sure?", QString(), "Question", "Question", {"Yes", "No"}, QString()),
             QString());
}

QTEST_MAIN(tst_TMessageBox)
#include "tst_tmessagebox.moc"
