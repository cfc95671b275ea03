// The mail address book and the mail sender dialog shown on an X display.
#include "onscreencheck.h"

#include "tdialogbuttonbox.h"
#include "tmailadressdialog.h"
#include "tmailattachmentlistwidget.h"
#include "tmailsenderdialog.h"
#include "ttableview.h"
#include "ttextedit.h"
#include "ttitlebox.h"
#include "ttreeview.h"

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

using onscreencheck::checkParts;

class tst_MailOnScreen : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void addressBook();
    void senderDialog();
};

void tst_MailOnScreen::addressBook()
{
    TMailAdressDialog book;
    book.loadData(
            {QVariantMap {{"name", "qa"}, {"text", "Quality"}}},
            {QVariantList {"Anna Weber", "anna@example.org", "qa"}, QVariantList {"Bo Lin", "bo@example.org", "qa"}},
            {"<Anna Weber>anna@example.org"}, {"<Bo Lin>bo@example.org"});
    book.show();
    QVERIFY(QTest::qWaitForWindowExposed(&book));
    std::vector<QWidget *> parts {book.findChild<TTitleBox *>(),
                                  book.findChild<TTreeView *>(),
                                  book.findChild<TTableView *>("contactTable"),
                                  book.findChild<TTableView *>("toTable"),
                                  book.findChild<TTableView *>("ccTable"),
                                  book.findChild<TDialogButtonBox *>()};
    for (const char *name : {"allAddToButton", "addToButton", "removeToButton", "allRemoveToButton", "allAddCcButton",
                             "addCcButton", "removeCcButton", "allRemoveCcButton"})
        parts.push_back(book.findChild<QPushButton *>(QLatin1String(name)));
    for (QWidget *part : parts)
        QVERIFY(part);
    const QString problem = checkParts(&book, parts, "mail_address_book");
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    QVERIFY(!book.findChild<TTableView *>("bccTable")->isVisible());
}

void tst_MailOnScreen::senderDialog()
{
    QTemporaryDir dir;
    const QString file = dir.filePath("report.txt");
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write("x") == 1);
    f.close();

    QPointer<TMailSenderDialog> dialog = new TMailSenderDialog;
    dialog->setToList("<Anna Weber>anna@example.org");
    dialog->setSubject("Shift report");
    dialog->setContent("<p>Line <b>3</b> stopped at 14:10.</p>");
    dialog->setAttachments({file});
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.data()));
    // The recipient fields find their height when first painted; the layout follows.
    auto *body = dialog->findChild<TTextEdit *>("contentTextEdit");
    QTRY_VERIFY_WITH_TIMEOUT(body->height() > dialog->height() / 2, 5000);
    std::vector<QWidget *> parts {
            dialog->findChild<TTextEdit *>("toTextEdit"),      dialog->findChild<TTextEdit *>("ccTextEdit"),
            dialog->findChild<QLineEdit *>("subjectLineEdit"), dialog->findChild<TTextEdit *>("contentTextEdit"),
            dialog->findChild<TMailAttachmentListWidget *>(),  dialog->findChild<QPushButton *>("toButton"),
            dialog->findChild<QPushButton *>("ccButton")};
    for (QToolBar *bar : dialog->findChildren<QToolBar *>())
        parts.push_back(bar);
    for (QWidget *part : parts)
        QVERIFY(part);
    const QString problem = checkParts(dialog, parts, "mail_sender");
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    QVERIFY(!dialog->findChild<TTextEdit *>("bccTextEdit")->isVisible());
    // The body takes the room left; the recipient fields stay a few rows high.
    auto *to = dialog->findChild<TTextEdit *>("toTextEdit");
    QVERIFY(to->height() < body->height() / 4);
    QVERIFY(to->height() >= to->fontMetrics().height());
    delete dialog.data();
}

QTEST_MAIN(tst_MailOnScreen)
#include "tst_mailonscreen.moc"
