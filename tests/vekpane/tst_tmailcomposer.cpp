// Mail composition: the address book, the sender dialog, and a mail composed
// in them and sent through TMail to a recording SMTP server.
#include "dialogtest.h"
#include "smtppeer.h"
#include "vektestfiles.h"

#include "tdialogbuttonbox.h"
#include "tmail.h"
#include "tmailadressdialog.h"
#include "tmailattachmentlistwidget.h"
#include "tmailsenderdialog.h"
#include "tmessagebox.h"
#include "tsearchentry.h"
#include "ttableview.h"
#include "ttextedit.h"
#include "ttreeview.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QJsonArray>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <memory>

using dialogtest::whenShown;

namespace {

QVariantList categories()
{
    return {QVariantMap {{"name", "eng"},
                         {"text", "Engineering"},
                         {"icon", "cogs"},
                         {"CHILDREN", QVariantList {QVariantMap {{"name", "cam"}, {"text", "CAM"}}}}},
            QVariantMap {{"name", "qa"}, {"text", "Quality"}}};
}

QVariantList contacts()
{
    return {QVariantList {"Anna Weber", "anna@example.org", "eng"}, QVariantList {"Bo Lin", "bo@example.org", "qa"},
            QVariantList {"Cem Arslan", "cem@example.org", "cam"}, QVariantList {"Dora Kim", "dora@example.org", "qa"},
            QVariantMap {{"name", "Stray"}, {"mail", "stray@example.org"}, {"group", "qa"}}};
}

// The names of a table's shown rows in order.
QStringList shownNames(TTableView *iView)
{
    QStringList names;
    const QVariantList rows = iView->allDataMap(QString(), QString(), true);
    for (int r = 0; r < rows.size(); ++r) {
        if (!iView->isRowHidden(r))
            names << rows.at(r).toMap().value("name").toString();
    }
    return names;
}

// The parts of an address book, one the test owns or one another dialog made.
struct Book
{
    explicit Book(TMailAdressDialog *iDialog = nullptr)
        : owned(iDialog ? nullptr : new TMailAdressDialog)
        , dialog(iDialog ? *iDialog : *owned)
    {
        contactsTable = dialog.findChild<TTableView *>("contactTable");
        toTable = dialog.findChild<TTableView *>("toTable");
        ccTable = dialog.findChild<TTableView *>("ccTable");
        bccTable = dialog.findChild<TTableView *>("bccTable");
        tree = dialog.findChild<TTreeView *>();
    }
    void click(const char *iName) { dialog.findChild<QPushButton *>(QLatin1String(iName))->click(); }
    void selectContacts(const QStringList &iNames)
    {
        contactsTable->clearSelection();
        contactsTable->selectRows(QVariantList(iNames.cbegin(), iNames.cend()));
    }
    void chooseCategory(const QString &iName)
    {
        tree->unselectAll();
        tree->selectRow(QVariant(iName));
    }

    std::unique_ptr<TMailAdressDialog> owned;
    TMailAdressDialog &dialog;
    TTableView *contactsTable;
    TTableView *toTable;
    TTableView *ccTable;
    TTableView *bccTable;
    TTreeView *tree;
};

TTextEdit *field(QWidget *iDialog, const char *iName) { return iDialog->findChild<TTextEdit *>(QLatin1String(iName)); }

} // namespace

class tst_TMailComposer : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();

    void bookCategories();
    void bookAddsByDisplayName();
    void bookRecipientTextRoundTrip_data();
    void bookRecipientTextRoundTrip();
    void bookRunCancelAndPartialPointers();
    void bookSearch();

    void senderFieldsSplitAtSemicolons();
    void senderAttachmentsShowList();
    void senderRefusesEmptyTo();
    void senderClosedGivesEmptyMap();
    void senderHandsFieldsToBook();
    void senderDeletedWhileRunning();

    void composeAndSend();
    void lineBreakInRecipientIsRefused();

private:
    QTemporaryDir mDir;
};

void tst_TMailComposer::initTestCase()
{
    qRegisterMetaType<TError>();
    QVERIFY(mDir.isValid());
}

void tst_TMailComposer::bookCategories()
{
    Book b;
    QAbstractItemModelTester tester(b.tree->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    QVERIFY(b.contactsTable && b.toTable && b.ccTable && b.bccTable && b.tree);
    b.dialog.setCategoryList({});
    QCOMPARE(b.tree->model()->rowCount(), 1);
    QCOMPARE(b.tree->allDataMap().value(0).toMap().value("name").toString(), QString("All"));

    b.dialog.loadData(categories(), contacts());
    QCOMPARE(b.tree->model()->rowCount(), 3);
    QCOMPARE(shownNames(b.contactsTable).size(), 5);
    b.chooseCategory("qa");
    // A contact given as a map never matches a category.
    QCOMPARE(shownNames(b.contactsTable), QStringList({"Bo Lin", "Dora Kim"}));
    b.chooseCategory("cam");
    QCOMPARE(shownNames(b.contactsTable), QStringList({"Cem Arslan"}));
    b.chooseCategory("All");
    QCOMPARE(shownNames(b.contactsTable).size(), 5);
}

void tst_TMailComposer::bookAddsByDisplayName()
{
    Book b;
    b.dialog.loadData(categories(), contacts(), {"<Anna Weber>other@example.org"});
    b.selectContacts({"Anna Weber", "Bo Lin"});
    b.click("addToButton");
    // Anna is there already (with another address): only Bo is added.
    QCOMPARE(b.dialog.getToList(), QStringList({"<Anna Weber>other@example.org", "<Bo Lin>bo@example.org"}));
    b.click("addCcButton");
    QCOMPARE(b.dialog.getCcList(), QStringList({"<Anna Weber>anna@example.org", "<Bo Lin>bo@example.org"}));
    b.click("allAddCcButton");
    QCOMPARE(b.dialog.getCcList().size(), 5);
    b.ccTable->clearSelection();
    b.ccTable->selectRows(QVariantList {"Bo Lin"});
    b.click("removeCcButton");
    QCOMPARE(b.dialog.getCcList().size(), 4);
    QVERIFY(!b.dialog.getCcList().contains("<Bo Lin>bo@example.org"));
    b.click("allRemoveToButton");
    QCOMPARE(b.dialog.getToList(), QStringList());
    b.click("allRemoveCcButton");
    QCOMPARE(b.dialog.getCcList(), QStringList());
    // Adding with nothing selected adds nothing.
    b.contactsTable->clearSelection();
    b.click("addToButton");
    QCOMPARE(b.dialog.getToList(), QStringList());
}

void tst_TMailComposer::bookRecipientTextRoundTrip_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("mail");
    QTest::addColumn<QString>("back");
    QTest::newRow("name and address") << "<Anna Weber>anna@example.org"
                                      << "Anna Weber"
                                      << "anna@example.org"
                                      << "<Anna Weber>anna@example.org";
    QTest::newRow("address alone") << "bo@example.org"
                                   << ""
                                   << "bo@example.org"
                                   << "<>bo@example.org";
    QTest::newRow("common form") << "Bo <bo@example.org>"
                                 << "bo@example.org"
                                 << ""
                                 << "<bo@example.org>";
    QTest::newRow("empty") << ""
                           << ""
                           << ""
                           << "<>";
}

void tst_TMailComposer::bookRecipientTextRoundTrip()
{
    QFETCH(QString, entry);
    QFETCH(QString, name);
    QFETCH(QString, mail);
    QFETCH(QString, back);
    Book b;
    b.dialog.setToList({entry});
    const QVariantMap row = b.toTable->allDataMap().value(0).toMap();
    QCOMPARE(row.value("name").toString(), name);
    QCOMPARE(row.value("mail").toString(), mail);
    QCOMPARE(b.dialog.getToList(), QStringList({back}));
    b.dialog.setToList(b.dialog.getToList());
    QCOMPARE(b.dialog.getToList(), QStringList({back}));
}

void tst_TMailComposer::bookRunCancelAndPartialPointers()
{
    Book b;
    b.dialog.loadData(categories(), contacts(), {"<A>a@x"}, {"<C>c@x"}, {"<H>h@x"});
    // The Bcc list has no place on screen but passes through.
    QVERIFY(!b.bccTable->isVisibleTo(&b.dialog));
    QCOMPARE(b.dialog.getBccList(), QStringList({"<H>h@x"}));

    QStringList to {"keep"};
    QStringList cc {"keep"};
    QStringList bcc {"keep"};
    whenShown<TMailAdressDialog>([](TMailAdressDialog *shown) {
        shown->findChild<TDialogButtonBox *>()->findChild<QPushButton *>("Cancel")->click();
    });
    QVERIFY(!b.dialog.run(&to, &cc, &bcc));
    QCOMPARE(to, QStringList({"keep"}));
    QCOMPARE(bcc, QStringList({"keep"}));

    whenShown<TMailAdressDialog>([](TMailAdressDialog *shown) {
        shown->findChild<TDialogButtonBox *>()->findChild<QPushButton *>("Ok")->click();
    });
    QVERIFY(b.dialog.run(&to));
    QCOMPARE(to, QStringList({"<A>a@x"}));
    QCOMPARE(cc, QStringList({"keep"}));
}

void tst_TMailComposer::bookSearch()
{
    Book b;
    b.dialog.loadData(categories(), contacts());
    TSearchEntry *search = b.dialog.findChild<TSearchEntry *>();
    QVERIFY(search);
    QSignalSpy searched(search, &TSearchEntry::search);
    search->setText("BO");
    QVERIFY(searched.wait(5000));
    QCOMPARE(shownNames(b.contactsTable), QStringList({"Bo Lin"}));
    // The address alone: a name that matches no longer counts.
    search->setActiveOptions({"mail"});
    search->setText("weber");
    QVERIFY(searched.wait(5000));
    QCOMPARE(shownNames(b.contactsTable), QStringList());
    search->setText("A@");
    QVERIFY(searched.wait(5000));
    QCOMPARE(shownNames(b.contactsTable), QStringList({"Anna Weber", "Dora Kim"}));
    // Add-all takes the hidden contacts too.
    b.click("allAddToButton");
    QCOMPARE(b.dialog.getToList().size(), 5);
    // A category change reloads the table and shows all its rows again.
    b.dialog.setCategoryList(categories());
    b.chooseCategory("qa");
    QCOMPARE(shownNames(b.contactsTable), QStringList({"Bo Lin", "Dora Kim"}));
}

void tst_TMailComposer::senderFieldsSplitAtSemicolons()
{
    auto *dialog = new TMailSenderDialog;
    QCOMPARE(dialog->getToList(), QStringList());
    dialog->setToList("  ");
    QCOMPARE(dialog->getToList(), QStringList());
    dialog->setCcList("<A>a@x;;b@x ");
    QCOMPARE(dialog->getCcList(), QStringList({"<A>a@x", "", "b@x"}));
    dialog->setToList("<A>a@x");
    dialog->setToList("<B>b@x");
    // Only ";" separates: the line break stays inside one recipient.
    QCOMPARE(dialog->getToList(), QStringList({"<A>a@x\n<B>b@x"}));
    dialog->setBccList("<H>h@x");
    QCOMPARE(dialog->getBccList(), QStringList({"<H>h@x"}));
    dialog->setSubject("Shift report");
    QCOMPARE(dialog->getSubject(), QString("Shift report"));
    dialog->setContent("<p>Line <b>3</b></p>");
    QVERIFY(dialog->getContent().contains("font-weight:600;\">3</span>"));
    dialog->setDefaultAttachmentDir(mDir.path());
    QCOMPARE(dialog->defaultAttachmentDir(), mDir.path());
    dialog->setDefaultImageDir(mDir.path());
    QCOMPARE(dialog->defaultImageDir(), mDir.path());
    delete dialog;
}

void tst_TMailComposer::senderAttachmentsShowList()
{
    const QString a = mDir.filePath("a.txt");
    const QString b = mDir.filePath("b.txt");
    QVERIFY(VekTest::writeFile(a, "a") && VekTest::writeFile(b, "b"));
    TMailSenderDialog dialog;
    auto *list = dialog.findChild<TMailAttachmentListWidget *>();
    QVERIFY(!list->isVisibleTo(&dialog));
    dialog.setAttachments({a, mDir.filePath("missing")});
    QVERIFY(list->isVisibleTo(&dialog));
    dialog.setAttachments({b});
    QCOMPARE(dialog.getAttachments(), QStringList({a, b}));
    list->setAttachments({});
    QVERIFY(!list->isVisibleTo(&dialog));
}

void tst_TMailComposer::senderRefusesEmptyTo()
{
    QWidget host;
    QPointer<TMailSenderDialog> dialog = new TMailSenderDialog(&host);
    dialog->setCcList("<C>c@x");
    int messages = 0;
    QString messageText;
    QTimer::singleShot(0, dialog, [&] {
        // A mail with Cc recipients alone is refused; the window stays.
        whenShown<TMessageBox>([&](TMessageBox *box) {
            ++messages;
            messageText = box->text();
            box->findChild<QPushButton *>("Ok")->click();
        });
        dialog->findChild<QAction *>("sendAction")->trigger();
        QVERIFY(dialog->isVisible());
        dialog->setToList("<A>a@x");
        dialog->findChild<QAction *>("sendAction")->trigger();
    });
    const QVariantMap mail = dialog->run();
    QCOMPARE(messages, 1);
    QCOMPARE(messageText, QString("Recipients can not be empty!"));
    QCOMPARE(mail.keys(), QStringList({"attachments", "bcc", "cc", "content", "subject", "to"}));
    QCOMPARE(mail.value("to").toStringList(), QStringList({"<A>a@x"}));
    QCOMPARE(mail.value("bcc").toStringList(), QStringList());
    // Gone at the next pass of the event loop.
    QVERIFY(dialog);
    QTRY_VERIFY_WITH_TIMEOUT(dialog.isNull(), 5000);
}

void tst_TMailComposer::senderClosedGivesEmptyMap()
{
    QPointer<TMailSenderDialog> dialog = new TMailSenderDialog;
    dialog->setToList("<A>a@x");
    QTimer::singleShot(0, dialog, [&dialog] { dialog->close(); });
    QCOMPARE(dialog->run(), QVariantMap());
    QTRY_VERIFY_WITH_TIMEOUT(dialog.isNull(), 5000);
}

void tst_TMailComposer::senderHandsFieldsToBook()
{
    TMailSenderDialog dialog;
    dialog.setCategoryList(categories());
    dialog.setMailList(contacts());
    dialog.setToList("<A>a@x;;b@x");
    dialog.setBccList("<H>h@x");
    QStringList bookTo;
    QStringList bookBcc;
    int contactRows = 0;
    whenShown<TMailAdressDialog>([&](TMailAdressDialog *book) {
        bookTo = book->getToList();
        bookBcc = book->getBccList();
        contactRows = book->findChild<TTableView *>("contactTable")->model()->rowCount();
        book->setCcList({"<Dora Kim>dora@example.org"});
        book->accept();
    });
    dialog.findChild<QPushButton *>("ccButton")->click();
    // The empty part between the two ";" became a row of its own.
    QCOMPARE(bookTo, QStringList({"<A>a@x", "<>", "<>b@x"}));
    QCOMPARE(bookBcc, QStringList({"<H>h@x"}));
    QCOMPARE(contactRows, 5);
    QCOMPARE(dialog.getToList(), QStringList({"<A>a@x", "<>", "<>b@x"}));
    QCOMPARE(dialog.getCcList(), QStringList({"<Dora Kim>dora@example.org"}));
    QCOMPARE(dialog.getBccList(), QStringList({"<H>h@x"}));
    // The address book lived only while it ran.
    QVERIFY(dialog.findChildren<TMailAdressDialog *>().isEmpty());

    whenShown<TMailAdressDialog>([](TMailAdressDialog *book) {
        book->setCcList({});
        book->reject();
    });
    dialog.findChild<QPushButton *>("toButton")->click();
    QCOMPARE(dialog.getCcList(), QStringList({"<Dora Kim>dora@example.org"}));
}

void tst_TMailComposer::senderDeletedWhileRunning()
{
    auto *host = new QWidget;
    QPointer<TMailSenderDialog> dialog = new TMailSenderDialog(host);
    QTimer::singleShot(0, host, [host] { delete host; });
    // The owner goes while run() waits: run() ends instead of waiting for ever.
    QCOMPARE(dialog->run(), QVariantMap());
    QVERIFY(dialog.isNull());
}

void tst_TMailComposer::composeAndSend()
{
    SmtpPeer peer;
    QString error;
    QVERIFY2(peer.startRecording("plain", &error), qPrintable(error));
    QByteArray binary;
    for (int i = 0; i < 5000; ++i)
        binary += char((i * 13) & 0xff);
    const QString report = mDir.filePath("Line 3 #2 report.pdf");
    QVERIFY(VekTest::writeFile(report, binary));

    QWidget host;
    QPointer<TMailSenderDialog> dialog = new TMailSenderDialog(&host);
    dialog->setCategoryList(categories());
    dialog->setMailList(contacts());
    QTimer::singleShot(0, dialog, [&] {
        whenShown<TMailAdressDialog>([](TMailAdressDialog *shown) {
            Book book(shown);
            book.chooseCategory("eng");
            QCOMPARE(shownNames(book.contactsTable), QStringList({"Anna Weber"}));
            book.chooseCategory("All");
            book.selectContacts({"Anna Weber", "Bo Lin"});
            book.click("addToButton");
            book.selectContacts({"Dora Kim"});
            book.click("addCcButton");
            shown->findChild<TDialogButtonBox *>()->findChild<QPushButton *>("Ok")->click();
        });
        dialog->findChild<QPushButton *>("toButton")->click();
        dialog->findChild<QLineEdit *>("subjectLineEdit")->setText(QString::fromUtf8("Schichtbericht – Linie 3"));
        field(dialog, "contentTextEdit")->setHtml(QString::fromUtf8("<p>Ausschuss <b>2 %</b> über Soll</p>"));
        dialog->setAttachments({report});
        dialog->findChild<QAction *>("sendAction")->trigger();
    });
    const QVariantMap composed = dialog->run();
    QCOMPARE(composed.value("to").toStringList(),
             QStringList({"<Anna Weber>anna@example.org", "<Bo Lin>bo@example.org"}));
    QCOMPARE(composed.value("cc").toStringList(), QStringList({"<Dora Kim>dora@example.org"}));

    TMail mail("127.0.0.1", peer.port(), TMail::Tcp);
    mail.setConnectionTimeout(10000);
    mail.setResponseTimeout(10000);
    const bool sent = mail.sendMail("<Plant 4>plant@example.org", QString(), composed.value("to").toStringList(),
                                    composed.value("subject").toString(), composed.value("content").toString(),
                                    composed.value("attachments").toStringList(), composed.value("cc").toStringList(),
                                    composed.value("bcc").toStringList());
    QVERIFY2(sent, qPrintable(mail.lastError().text()));

    QTRY_COMPARE_WITH_TIMEOUT(peer.recordCount(), 1, 10000);
    const QJsonObject rec = peer.record(1);
    QCOMPARE(rec.value("mail_from").toString(), QString("plant@example.org"));
    QCOMPARE(rec.value("rcpt_tos").toArray().toVariantList(),
             QVariantList({"anna@example.org", "bo@example.org", "dora@example.org"}));
    const QJsonObject msg = rec.value("message").toObject();
    QCOMPARE(msg.value("defects").toArray().size(), 0);
    QCOMPARE(msg.value("to_names").toArray().toVariantList(), QVariantList({"Anna Weber", "Bo Lin"}));
    const QJsonObject headers = msg.value("headers").toObject();
    QCOMPARE(headers.value("Subject").toString(), QString::fromUtf8("Schichtbericht – Linie 3"));
    QVERIFY(headers.value("Cc").toString().contains("dora@example.org"));
    const QJsonArray parts = msg.value("parts").toArray();
    QCOMPARE(parts.size(), 2);
    QCOMPARE(parts.at(0).toObject().value("content_type").toString(), QString("text/html"));
    const QString html = parts.at(0).toObject().value("text").toString();
    QVERIFY2(html.contains(QString::fromUtf8("über Soll")), qPrintable(html));
    QVERIFY(html.contains("2 %</span>"));
    const QJsonObject attachment = parts.at(1).toObject();
    QCOMPARE(attachment.value("filename").toString(), QString("Line 3 #2 report.pdf"));
    QCOMPARE(attachment.value("disposition").toString(), QString("attachment"));
    QCOMPARE(attachment.value("md5").toString(), VekTest::md5Of(binary));
}

void tst_TMailComposer::lineBreakInRecipientIsRefused()
{
    SmtpPeer peer;
    QString error;
    QVERIFY2(peer.startRecording("plain", &error), qPrintable(error));
    QPointer<TMailSenderDialog> dialog = new TMailSenderDialog;
    // Two paragraphs where the user meant two recipients: one entry with a line break.
    dialog->setToList("<A>a@example.org");
    dialog->setToList("<B>b@example.org");
    dialog->setSubject("x");
    QTimer::singleShot(0, dialog, [&dialog] { dialog->findChild<QAction *>("sendAction")->trigger(); });
    const QVariantMap composed = dialog->run();
    QCOMPARE(composed.value("to").toStringList().size(), 1);

    TMail mail("127.0.0.1", peer.port(), TMail::Tcp);
    mail.setConnectionTimeout(10000);
    mail.setResponseTimeout(10000);
    QSignalSpy errors(&mail, &TMail::errorRaised);
    QVERIFY(!mail.sendMail("plant@example.org", QString(), composed.value("to").toStringList(), "x"));
    QCOMPARE(mail.lastError().code(), QString("InvalidAddress"));
    QVERIFY(errors.count() >= 1);
    QCOMPARE(peer.recordCount(), 0);
}

QTEST_MAIN(tst_TMailComposer)
#include "tst_tmailcomposer.moc"
