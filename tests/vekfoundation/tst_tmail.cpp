#include "peers/smtppeer.h"

#include "tmail.h"
#include "tmimeattachment.h"
#include "tmimehtml.h"
#include "tmimeinlinefile.h"
#include "tmimemessage.h"
#include "tmimemultipart.h"

#include <QCryptographicHash>
#include <QSignalSpy>
#include <QSslSocket>
#include <QTcpServer>
#include <QtTest>

// Opens the protected dialogue steps to the tests.
class MailClient : public TMail
{
public:
    using TMail::sendMail;
    using TMail::TMail;
};

class tst_TMail : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();

    void parseUser_data();
    void parseUser();
    void recipientTexts();
    void enumerationTexts();
    void connectionTypeCreatesSocket();
    void loginWithoutPasswordSendsNothing();
    void ntlmIsRefused();

    void replies_data();
    void replies();
    void silentServer_data();
    void silentServer();
    void refusedConnection();
    void startTlsRejectsInjectedReplies();
    void lineBreakInAddressSendsNothing_data();
    void lineBreakInAddressSendsNothing();
    void unreadableAttachment();
    void largeMailToSlowReader();

    void connectionsAndLogins_data();
    void connectionsAndLogins();
    void refusedPassword_data();
    void refusedPassword();
    void fullMail();
    void inlineImage();
    void transparencyAndLongLines_data();
    void transparencyAndLongLines();
    void wireBytesAreTheMessageText();
    void secondSendOnSameObject_data();
    void secondSendOnSameObject();
    void untrustedCertificate_data();
    void untrustedCertificate();

private:
    static QStringList errorTexts(const QSignalSpy &iSpy);
};

static const char User[] = "alice@example.org";
static const char Password[] = "secret";

QStringList tst_TMail::errorTexts(const QSignalSpy &iSpy)
{
    QStringList texts;
    for (const QList<QVariant> &args : iSpy)
        texts << args.at(0).value<TError>().text();
    return texts;
}

static QString writeFile(const QString &iPath, const QByteArray &iBytes)
{
    QFile f(iPath);
    if (f.open(QIODevice::WriteOnly))
        f.write(iBytes);
    return iPath;
}

// Loopback peers answer at once; the generous time-outs only guard a loaded machine.
static void setTimeouts(TMail &ioMail, int iMsec = 10000)
{
    ioMail.setConnectionTimeout(iMsec);
    ioMail.setResponseTimeout(iMsec);
}

static QByteArray md5Hex(const QByteArray &iBytes)
{
    return QCryptographicHash::hash(iBytes, QCryptographicHash::Md5).toHex();
}

void tst_TMail::initTestCase()
{
    qRegisterMetaType<TError>();
    QVERIFY2(QFile::exists("/usr/bin/python3"), "the mail tests need /usr/bin/python3 with python3-aiosmtpd");
    QVERIFY2(QSslSocket::supportsSsl(), "Qt has no TLS backend");
}

void tst_TMail::parseUser_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("name");
    QTest::newRow("plain address") << "a@example.org"
                                   << "a@example.org"
                                   << "";
    QTest::newRow("name then address") << "<Anna Weber>a@example.org"
                                       << "a@example.org"
                                       << "Anna Weber";
    QTest::newRow("common form reads the other way") << "Anna <a@example.org>"
                                                     << ""
                                                     << "a@example.org";
    QTest::newRow("address kept untrimmed") << "<N> a@x "
                                            << " a@x "
                                            << "N";
    QTest::newRow("first match counts") << "x<A>b<C>d"
                                        << "b<C>d"
                                        << "A";
    QTest::newRow("line break stays in address") << "<N>a@x\r\nRCPT TO:<b@x>"
                                                 << "a@x\r\nRCPT TO:<b@x>"
                                                 << "N";
}

void tst_TMail::parseUser()
{
    QFETCH(QString, entry);
    QFETCH(QString, address);
    QFETCH(QString, name);
    QString a = "old";
    QString n = "old";
    QVERIFY(TMail::parseUser(entry, &a, &n));
    QCOMPARE(a, address);
    QCOMPARE(n, name);
    QVERIFY(TMail::parseUser(entry, nullptr, nullptr));
}

void tst_TMail::recipientTexts()
{
    TMail mail;
    mail.setToUsers(QString("a@x;;b@x;"));
    QCOMPARE(mail.toUsers(), QStringList({"a@x", "b@x"}));
    mail.setCcUsers(QString(" c@x ; d@x"));
    QCOMPARE(mail.ccUsers(), QStringList({" c@x ", " d@x"}));
    mail.setBccUsers(QStringList({"", "e@x"}));
    QCOMPARE(mail.bccUsers(), QStringList({"", "e@x"}));
}

void tst_TMail::enumerationTexts()
{
    TMail mail;
    QCOMPARE(mail.host(), QString("localhost"));
    QCOMPARE(mail.port(), 25);
    QCOMPARE(mail.connectionTimeout(), 60000);
    QCOMPARE(mail.responseTimeout(), 60000);
    const QList<QPair<QString, QString>> methods {
            {"plain", "PLAIN"}, {"Login", "LOGIN"}, {"ntlm", "NTLM"}, {"cram-md5", "CRAM-MD5"}, {"xoauth2", "None"}};
    for (const auto &m : methods) {
        mail.setAuthMethod(m.first);
        QCOMPARE(mail.authMethodString(), m.second);
    }
    mail.setAuthMethod(TMail::AuthMethod(9));
    QCOMPARE(mail.authMethodString(), QString("None"));
    mail.setConnectionType(TMail::ConnectionType(7));
    QCOMPARE(mail.connectionTypeString(), QString("Tcp"));
    mail.setConnectionType(QString("tls"));
    QCOMPARE(mail.connectionTypeString(), QString("Tls"));
    mail.setConnectionType(QString("anything"));
    QCOMPARE(mail.connectionType(), int(TMail::Tcp));
}

void tst_TMail::connectionTypeCreatesSocket()
{
    TMail mail;
    QVERIFY(mail.socket() == nullptr);
    mail.setConnectionType(QString("ssl"));
    QVERIFY(qobject_cast<QSslSocket *>(mail.socket()));
    QCOMPARE(mail.socket()->parent(), &mail);
    mail.setConnectionType(TMail::Tcp);
    QVERIFY(!qobject_cast<QSslSocket *>(mail.socket()));

    TMail withSocket("127.0.0.1", 2525, TMail::Tls);
    QVERIFY(qobject_cast<QSslSocket *>(withSocket.socket()));
    QCOMPARE(withSocket.port(), 2525);
}

void tst_TMail::loginWithoutPasswordSendsNothing()
{
    TMail mail;
    for (TMail::AuthMethod m :
         {TMail::AuthNone, TMail::AuthPlain, TMail::AuthLogin, TMail::AuthNtlm, TMail::AuthCramMd5})
        QVERIFY(mail.login("user", QString(), m));
    QVERIFY(!mail.lastError().isValid());
}

void tst_TMail::ntlmIsRefused()
{
    TMail mail;
    QSignalSpy spy(&mail, &TMail::errorRaised);
    QVERIFY(!mail.login("user", "pw", TMail::AuthNtlm));
    QCOMPARE(mail.lastError().code(), QString("UnsupportedAuthMethod"));
    QCOMPARE(spy.count(), 1);
}

void tst_TMail::replies_data()
{
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<bool>("result");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("errors");

    QTest::newRow("multi-line reply") << QByteArray(
            R"([["send","220 hi\r\n"],["expect"],["send","250-vek\r\n250-SIZE 1\r\n250 HELP\r\n"],["silent"]])")
                                      << true << 250 << "250 HELP\r\n"
                                      << QStringList();
    QTest::newRow("continuation in another packet")
            << QByteArray(R"([["send","220-a\r\n"],["send","220 b\r\n"],["expect"],["send","250 ok\r\n"],["silent"]])")
            << true << 250 << "250 ok\r\n"
            << QStringList();
    QTest::newRow("bare code is final") << QByteArray(
            R"([["send","220\r\n"],["expect"],["send","250\r\n"],["silent"]])")
                                        << true << 250 << "250\r\n"
                                        << QStringList();
    QTest::newRow("greeting 421") << QByteArray(R"([["send","421 busy\r\n"],["silent"]])") << false << 421
                                  << "421 busy\r\n"
                                  << QStringList({"Server Error!", "Server Error"});
    QTest::newRow("EHLO refused") << QByteArray(
            R"([["send","220 hi\r\n"],["expect"],["send","550 go away\r\n"],["silent"]])")
                                  << false << 550 << "550 go away\r\n"
                                  << QStringList({"Client Error!", "Server Error"});
    QTest::newRow("code that is no number")
            << QByteArray(R"([["send","2x0 odd\r\n"],["silent"]])") << false << 0 << "2x0 odd\r\n"
            << QStringList({"Server Error"});
    QTest::newRow("UTF-8 reply text") << QByteArray(
            R"([["send","220 Grüße\r\n"],["expect"],["send","250 ok\r\n"],["silent"]])")
                                      << true << 250 << "250 ok\r\n"
                                      << QStringList();
}

void tst_TMail::replies()
{
    QFETCH(QByteArray, script);
    QFETCH(bool, result);
    QFETCH(int, code);
    QFETCH(QString, text);
    QFETCH(QStringList, errors);

    SmtpPeer peer;
    QString error;
    QVERIFY2(peer.startScripted(script, &error), qPrintable(error));
    TMail mail("127.0.0.1", peer.port(), TMail::Tcp);
    setTimeouts(mail, 5000);
    QSignalSpy spy(&mail, &TMail::errorRaised);
    QCOMPARE(mail.connectToHost(), result);
    QCOMPARE(mail.responseCode(), code);
    QCOMPARE(mail.responseText(), text);
    QCOMPARE(errorTexts(spy), errors);
    QVERIFY(peer.output().contains("C: EHLO 127.0.0.1") || !result);
}

void tst_TMail::silentServer_data()
{
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("error");
    QTest::newRow("no greeting") << QByteArray(R"([["silent"]])") << int(TMail::Tcp) << "Response Timeout!";
    QTest::newRow("reply never ends") << QByteArray(
            R"([["send","220 hi\r\n"],["expect"],["send","250-more to come\r\n"],["silent"]])")
                                      << int(TMail::Tcp) << "Response Timeout!";
    QTest::newRow("no handshake after STARTTLS")
            << QByteArray(R"([["send","220 hi\r\n"],["expect"],["send","250 STARTTLS\r\n"],["expect"],)"
                          R"(["send","220 go ahead\r\n"],["silent"]])")
            << int(TMail::Tls) << "Connection Timeout";
    QTest::newRow("no handshake on SSL connect")
            << QByteArray(R"([["silent"]])") << int(TMail::Ssl) << "Connection Timeout";
}

void tst_TMail::silentServer()
{
    QFETCH(QByteArray, script);
    QFETCH(int, type);
    QFETCH(QString, error);

    SmtpPeer peer;
    QString startError;
    QVERIFY2(peer.startScripted(script, &startError), qPrintable(startError));
    const int timeout = 1200;
    TMail mail("127.0.0.1", peer.port(), TMail::ConnectionType(type));
    setTimeouts(mail, timeout);
    QElapsedTimer timer;
    timer.start();
    QVERIFY(!mail.connectToHost());
    const qint64 elapsed = timer.elapsed();
    QCOMPARE(mail.lastError().text(), error);
    QCOMPARE(mail.lastError().type(), QString("ERROR"));
    // It waited for the set time, and not for the default minute.
    QVERIFY2(elapsed >= timeout - 100 && elapsed < timeout + 20000, qPrintable(QString::number(elapsed)));
}

void tst_TMail::refusedConnection()
{
    QTcpServer probe;
    QVERIFY(probe.listen(QHostAddress::LocalHost));
    const quint16 port = probe.serverPort();
    probe.close();

    TMail mail("127.0.0.1", port, TMail::Tcp);
    mail.setConnectionTimeout(3000);
    QSignalSpy spy(&mail, &TMail::errorRaised);
    QVERIFY(!mail.connectToHost());
    QCOMPARE(mail.lastError().code(), QString("ConnectionTimeout"));
    QCOMPARE(errorTexts(spy), QStringList({"Connection Timeout"}));
}

void tst_TMail::startTlsRejectsInjectedReplies()
{
    SmtpPeer peer;
    QString error;
    QVERIFY2(peer.startScripted(R"([["send","220 hi\r\n"],["expect"],["send","250 STARTTLS\r\n"],["expect"],)"
                                R"(["send","220 go ahead\r\n250 forged\r\n"],["silent"]])",
                                &error),
             qPrintable(error));
    TMail mail("127.0.0.1", peer.port(), TMail::Tls);
    setTimeouts(mail, 3000);
    QVERIFY(!mail.connectToHost());
    QCOMPARE(mail.lastError().text(), QString("Server Error"));
}

void tst_TMail::lineBreakInAddressSendsNothing_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QStringList>("to");
    QTest::addColumn<QStringList>("cc");
    QTest::addColumn<QStringList>("bcc");
    const QStringList ok {"<Ok>ok@example.org"};
    QTest::newRow("sender") << "<Me>me@example.org\r\nRSET" << ok << QStringList() << QStringList();
    QTest::newRow("to") << "me@example.org" << QStringList({"a@x", "b@x\nDATA"}) << QStringList() << QStringList();
    QTest::newRow("cc") << "me@example.org" << ok << QStringList({"<C>c@x\r"}) << QStringList();
    QTest::newRow("bcc") << "me@example.org" << ok << QStringList() << QStringList({"\nb@x"});
}

void tst_TMail::lineBreakInAddressSendsNothing()
{
    QFETCH(QString, user);
    QFETCH(QStringList, to);
    QFETCH(QStringList, cc);
    QFETCH(QStringList, bcc);

    SmtpPeer peer;
    QString error;
    QVERIFY2(peer.startScripted(R"([["auto"]])", &error), qPrintable(error));
    TMail mail("127.0.0.1", peer.port(), TMail::Tcp);
    mail.setResponseTimeout(3000);
    QVERIFY(!mail.sendMail(user, QString(), to, "s", "b", QStringList(), cc, bcc));
    QCOMPARE(mail.lastError().code(), QString("InvalidAddress"));
    QVERIFY(!mail.lastError().text().contains('\n'));
    QVERIFY(!peer.output().contains("CONNECTED"));

    // The same refusal holds for a message handed over on an open connection.
    MailClient client("127.0.0.1", peer.port(), TMail::Tcp);
    client.setResponseTimeout(3000);
    QVERIFY(client.connectToHost());
    TMimeMessage message;
    QString address, name;
    TMail::parseUser(user, &address, &name);
    message.setSender(address, name);
    for (const QString &t : to) {
        TMail::parseUser(t, &address, &name);
        message.addTo(address, name);
    }
    for (const QString &c : cc)
        message.addCc(c);
    for (const QString &b : bcc)
        message.addBcc(b);
    QVERIFY(!client.sendMail(message));
    QCOMPARE(client.lastError().code(), QString("InvalidAddress"));
    QVERIFY(!peer.output().contains("C: MAIL"));
}

void tst_TMail::unreadableAttachment()
{
    SmtpPeer peer;
    QString error;
    QVERIFY2(peer.startScripted(R"([["auto"]])", &error), qPrintable(error));
    // A folder exists but cannot be read as a file, even by root.
    const QString folder = peer.tempPath("folder.pdf");
    QVERIFY(QDir().mkpath(folder));
    TMail mail("127.0.0.1", peer.port(), TMail::Tcp);
    QSignalSpy spy(&mail, &TMail::errorRaised);
    QVERIFY(!mail.sendMail("me@x", QString(), {"a@x"}, "s", "b", {folder}));
    QVERIFY2(mail.lastError().text().startsWith(QString("open file %1 failed, error : ").arg(folder)),
             qPrintable(mail.lastError().text()));
    QVERIFY(mail.lastError().text().size() > QString("open file %1 failed, error : ").arg(folder).size());
    QCOMPARE(spy.count(), 1);
    QVERIFY(!peer.output().contains("CONNECTED"));
}

void tst_TMail::largeMailToSlowReader()
{
    SmtpPeer peer;
    QString error;
    // About 40 MB of mail text read at about 12 MB/s: the upload as a whole
    // takes several times the response time-out.
    QVERIFY2(peer.startScripted(R"([["auto",{"rate":12000000}]])", &error), qPrintable(error));
    QByteArray bytes(30 * 1024 * 1024, '\0');
    for (int i = 0; i < bytes.size(); i += 4096)
        bytes[i] = char(i / 4096);
    const QString path = writeFile(peer.tempPath("big.bin"), bytes);

    const int timeout = 1500;
    TMail mail("127.0.0.1", peer.port(), TMail::Tcp);
    setTimeouts(mail, timeout);
    QElapsedTimer timer;
    timer.start();
    const bool sent = mail.sendMail("me@x", QString(), {"a@x"}, "big", "see attachment", {path});
    const qint64 elapsed = timer.elapsed();
    QVERIFY2(sent, qPrintable(mail.lastError().text()));
    QVERIFY2(elapsed > timeout, "the peer read too fast to show anything");
    const QString out = peer.output();
    QVERIFY2(out.contains(QRegularExpression("DATA 4\\d{7}\\n")), qPrintable(out.right(300)));
    QVERIFY(out.contains("C: QUIT"));
}

void tst_TMail::connectionsAndLogins_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("method");
    QTest::addColumn<QString>("mechanism");

    QTest::newRow("plain, no login") << "plain" << int(TMail::Tcp) << int(TMail::AuthNone) << QString();
    QTest::newRow("plain, PLAIN") << "plain" << int(TMail::Tcp) << int(TMail::AuthPlain) << QString("PLAIN");
    QTest::newRow("plain, LOGIN") << "plain" << int(TMail::Tcp) << int(TMail::AuthLogin) << QString("LOGIN");
    QTest::newRow("plain, CRAM-MD5") << "plain" << int(TMail::Tcp) << int(TMail::AuthCramMd5) << QString("CRAM-MD5");
    QTest::newRow("STARTTLS, PLAIN") << "starttls" << int(TMail::Tls) << int(TMail::AuthPlain) << QString("PLAIN");
    QTest::newRow("STARTTLS, CRAM-MD5") << "starttls" << int(TMail::Tls) << int(TMail::AuthCramMd5)
                                        << QString("CRAM-MD5");
    QTest::newRow("SSL, LOGIN") << "ssl" << int(TMail::Ssl) << int(TMail::AuthLogin) << QString("LOGIN");
    QTest::newRow("SSL, no login") << "ssl" << int(TMail::Ssl) << int(TMail::AuthNone) << QString();
}

void tst_TMail::connectionsAndLogins()
{
    QFETCH(QString, mode);
    QFETCH(int, type);
    QFETCH(int, method);
    QFETCH(QString, mechanism);

    SmtpPeer peer;
    QString error;
    QVERIFY2(peer.startRecording(mode, &error), qPrintable(error));
    TMail mail("127.0.0.1", peer.port(), TMail::ConnectionType(type));
    setTimeouts(mail);
    mail.setAuthMethod(TMail::AuthMethod(method));
    QSignalSpy spy(&mail, &TMail::errorRaised);
    const bool sent = mail.sendMail(QString("<Plant>%1").arg(User), Password, {"to@example.org"}, "hello", "<p>hi</p>");
    QVERIFY2(sent, qPrintable(mail.lastError().text() + " / " + mail.responseText()));
    QCOMPARE(spy.count(), 0);
    QCOMPARE(mail.user(), QString(User));

    const QJsonObject rec = peer.record(1);
    QCOMPARE(rec.value("tls").toBool(), mode != QLatin1String("plain"));
    QCOMPARE(rec.value("auth_mechanism").toString(), mechanism);
    QCOMPARE(rec.value("login").toString(), mechanism.isEmpty() ? QString() : QString(User));
    QCOMPARE(rec.value("mail_from").toString(), QString("alice@example.org"));
    QCOMPARE(rec.value("rcpt_tos").toArray().toVariantList(), QVariantList({"to@example.org"}));
    // The connection was closed after QUIT.
    QCOMPARE(mail.socket()->state(), QAbstractSocket::UnconnectedState);
    QVERIFY2(mail.responseText().startsWith("221"), qPrintable(mail.responseText()));
}

void tst_TMail::refusedPassword_data()
{
    QTest::addColumn<int>("method");
    QTest::newRow("PLAIN") << int(TMail::AuthPlain);
    QTest::newRow("LOGIN") << int(TMail::AuthLogin);
    QTest::newRow("CRAM-MD5") << int(TMail::AuthCramMd5);
}

void tst_TMail::refusedPassword()
{
    QFETCH(int, method);
    SmtpPeer peer;
    QString error;
    QVERIFY2(peer.startRecording("plain", &error), qPrintable(error));
    TMail mail("127.0.0.1", peer.port(), TMail::Tcp);
    mail.setResponseTimeout(10000);
    QVERIFY(mail.connectToHost());
    QSignalSpy spy(&mail, &TMail::errorRaised);
    QVERIFY(!mail.login(QString(User), "wrong", TMail::AuthMethod(method)));
    QCOMPARE(mail.lastError().text(), QString("Authentcation Failed!"));
    QCOMPARE(mail.lastError().code(), QString("AuthenticationFailed"));
    QCOMPARE(errorTexts(spy).last(), QString("Authentcation Failed!"));
    QCOMPARE(peer.recordCount(), 0);
}

void tst_TMail::fullMail()
{
    SmtpPeer peer;
    QString error;
    QVERIFY2(peer.startRecording("plain", &error), qPrintable(error));
    QByteArray binary;
    for (int i = 0; i < 70000; ++i)
        binary += char((i * 7) & 0xff);
    const QString report = writeFile(peer.tempPath(QString::fromUtf8("Prüfbericht Größe.pdf")), binary);
    const QString notes = writeFile(peer.tempPath(QString::fromUtf8("说明.txt")), "notes\n");
    const QString missing = peer.tempPath("not-there.csv");

    TMail mail("127.0.0.1", peer.port(), TMail::Tcp);
    mail.setResponseTimeout(10000);
    mail.setAuthMethod("PLAIN");
    mail.setToUsers(QString::fromUtf8("<Jürgen Maß>j@example.org;k@example.org"));
    mail.setCcUsers(QString::fromUtf8("<Cé>c@example.org"));
    mail.setBccUsers(QString("<Hidden>h@example.org"));
    mail.setSubject(QString::fromUtf8("Schichtbericht – Linie 3"));
    const QString body = QString::fromUtf8("<html><body><p>Übersicht</p>\n<p>2 Anhänge</p></body></html>");
    mail.setContent(body);
    mail.setAttachments({report, missing, notes});
    mail.setUser(QString("<Plant>%1").arg(User));
    mail.setPassword(Password);
    QVERIFY2(mail.send(), qPrintable(mail.lastError().text()));
    QCOMPARE(peer.record(1).value("auth_mechanism").toString(), QString("PLAIN"));
    // The parts built for the mail went with it; only the socket is left.
    const QObjectList children = mail.children();
    QCOMPARE(children.size(), 1);
    QCOMPARE(children.first(), mail.socket());

    const QJsonObject rec = peer.record(1);
    QCOMPARE(rec.value("rcpt_tos").toArray().toVariantList(),
             QVariantList({"j@example.org", "k@example.org", "c@example.org", "h@example.org"}));
    const QJsonObject msg = rec.value("message").toObject();
    QCOMPARE(msg.value("content_type").toString(), QString("multipart/related"));
    QCOMPARE(msg.value("defects").toArray().size(), 0);
    const QJsonObject headers = msg.value("headers").toObject();
    QVERIFY(!headers.contains("Bcc"));
    QVERIFY(!peer.raw(1).contains("h@example.org"));
    QCOMPARE(headers.value("Subject").toString(), QString::fromUtf8("Schichtbericht – Linie 3"));
    QCOMPARE(msg.value("to_names").toArray().toVariantList(), QVariantList({QString::fromUtf8("Jürgen Maß"), ""}));
    QCOMPARE(msg.value("to_addresses").toArray().toVariantList(), QVariantList({"j@example.org", "k@example.org"}));
    QVERIFY(headers.value("Cc").toString().contains("c@example.org"));

    const QJsonArray parts = msg.value("parts").toArray();
    QCOMPARE(parts.size(), 3);
    QCOMPARE(parts.at(0).toObject().value("content_type").toString(), QString("text/html"));
    QCOMPARE(parts.at(0).toObject().value("text").toString().replace("\r\n", "\n"), body);
    const QJsonObject pdf = parts.at(1).toObject();
    QCOMPARE(pdf.value("filename").toString(), QString::fromUtf8("Prüfbericht Größe.pdf"));
    QCOMPARE(pdf.value("disposition").toString(), QString("attachment"));
    QCOMPARE(pdf.value("md5").toString().toLatin1(), md5Hex(binary));
    const QJsonObject txt = parts.at(2).toObject();
    QCOMPARE(txt.value("filename").toString(), QString::fromUtf8("说明.txt"));
    QCOMPARE(txt.value("md5").toString().toLatin1(), md5Hex("notes\n"));
}

void tst_TMail::inlineImage()
{
    SmtpPeer peer;
    QString error;
    QVERIFY2(peer.startRecording("starttls", &error), qPrintable(error));
    const QByteArray png = QByteArray::fromBase64(
            "iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR42mP8z8BQDwAEhQGAhKmMIQAAAABJRU5ErkJggg==");
    const QString imagePath = writeFile(peer.tempPath("pixel.png"), png);

    MailClient mail("127.0.0.1", peer.port(), TMail::Tls);
    setTimeouts(mail);
    QVERIFY2(mail.connectToHost(), qPrintable(mail.lastError().text()));
    QVERIFY(mail.login(QString(User), Password, TMail::AuthLogin));

    TMimeMessage message;
    message.setSender("me@example.org", "Me");
    message.addTo("you@example.org");
    message.setSubject("capture");
    message.addPart(new TMimeHtml("<p><img src=\"cid:pixel\"></p>"));
    auto *image = new TMimeInlineFile(imagePath);
    image->setContentType("image/png");
    image->setContentId("pixel");
    message.addPart(image);
    QVERIFY2(mail.sendMail(message), qPrintable(mail.lastError().text()));
    QVERIFY(mail.quit());

    const QJsonObject rec = peer.record(1);
    QVERIFY(rec.value("tls").toBool());
    const QJsonArray parts = rec.value("message").toObject().value("parts").toArray();
    QCOMPARE(parts.size(), 2);
    const QJsonObject img = parts.at(1).toObject();
    QCOMPARE(img.value("content_type").toString(), QString("image/png"));
    QCOMPARE(img.value("content_id").toString(), QString("<pixel>"));
    QCOMPARE(img.value("disposition").toString(), QString("inline"));
    QCOMPARE(img.value("md5").toString().toLatin1(), md5Hex(png));
}

void tst_TMail::transparencyAndLongLines_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("encoding");
    const QString dots = ".\n.x\n..y\nend\n.";
    QTest::newRow("lines of dots") << dots << "8bit";
    QString longLine(2 * 1024 * 1024, QLatin1Char('z'));
    for (int i = 0; i < longLine.size(); i += 1000)
        longLine[i] = QLatin1Char('.');
    QTest::newRow("dots and a 2 MB line") << dots + "\n" + longLine + "\n."
                                          << "base64";
}

void tst_TMail::transparencyAndLongLines()
{
    QFETCH(QString, body);
    QFETCH(QString, encoding);
    SmtpPeer peer;
    QString error;
    QVERIFY2(peer.startRecording("ssl", &error), qPrintable(error));
    TMail mail("127.0.0.1", peer.port(), TMail::Ssl);
    setTimeouts(mail);
    QVERIFY2(mail.sendMail("me@example.org", QString(), {"you@example.org"}, "dots", body),
             qPrintable(mail.lastError().text() + " / " + mail.responseText()));
    const QJsonObject part = peer.record(1).value("message").toObject().value("parts").toArray().at(0).toObject();
    QCOMPARE(part.value("transfer_encoding").toString(), encoding);
    QString received = part.value("text").toString().replace("\r\n", "\n");
    QCOMPARE(received.size(), body.size());
    QVERIFY(received == body);
}

// The client writes a message part by part (and a large attachment slice by
// slice); what arrives must be the message's text all the same, byte for byte.
void tst_TMail::wireBytesAreTheMessageText()
{
    SmtpPeer peer;
    QString error;
    QVERIFY2(peer.startRecording("plain", &error), qPrintable(error));
    QByteArray binary;
    for (int i = 0; i < 200000; ++i)
        binary += char((i * 31 + i / 7) & 0xff);
    const QString big = writeFile(peer.tempPath("big.bin"), binary);

    TMimeMessage message;
    message.setSender("me@example.org", QString::fromUtf8("Mé"));
    message.addTo("you@example.org");
    message.setSubject("bytes");
    // Dots at the start of a write, of a line inside one, and at the very end.
    message.addPart(new TMimeHtml(QString::fromUtf8(".<p>Ä</p>\n.\n..x\n.")));
    auto *flattened = new TMimeText(QString::fromUtf8("7bit Ü\n.end"));
    flattened->setEncoding(TMimePart::Encoding7Bit);
    message.addPart(flattened);
    auto *quoted = new TMimeText(QString::fromUtf8("quoted = printable ü ") + QString(200, QLatin1Char('q')));
    quoted->setEncoding(TMimePart::EncodingQuotedPrintable);
    message.addPart(quoted);
    auto *raw = new TMimePart;
    raw->setContentType("application/x-raw");
    raw->setEncoding(TMimePart::Encoding8Bit);
    raw->setContent(QByteArray("raw \xff\xfe bytes\r\n.\r\n"));
    message.addPart(raw);
    auto *alternative = new TMimeMultiPart(TMimeMultiPart::Alternative);
    alternative->addPart(new TMimeText("plain"));
    alternative->addPart(new TMimeHtml("<b>html</b>"));
    message.addPart(alternative);
    message.addPart(new TMimeAttachment(big));

    MailClient mail("127.0.0.1", peer.port(), TMail::Tcp);
    setTimeouts(mail);
    QVERIFY(mail.connectToHost());
    QVERIFY2(mail.sendMail(message), qPrintable(mail.lastError().text()));
    const QByteArray expected = message.toString().toUtf8() + "\r\n";
    const QByteArray received = peer.raw(1);
    QCOMPARE(received.size(), expected.size());
    QVERIFY(received == expected);
    // The text is still there to be had from the parts after the send.
    QVERIFY(message.parts().last()->toString().contains(QString::fromLatin1(binary.left(300).toBase64().left(76))));
}

void tst_TMail::secondSendOnSameObject_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("type");
    QTest::newRow("plain") << "plain" << int(TMail::Tcp);
    QTest::newRow("STARTTLS") << "starttls" << int(TMail::Tls);
    QTest::newRow("SSL") << "ssl" << int(TMail::Ssl);
}

void tst_TMail::secondSendOnSameObject()
{
    QFETCH(QString, mode);
    QFETCH(int, type);
    SmtpPeer peer;
    QString error;
    QVERIFY2(peer.startRecording(mode, &error), qPrintable(error));
    TMail mail("127.0.0.1", peer.port(), TMail::ConnectionType(type));
    setTimeouts(mail);
    mail.setAuthMethod(TMail::AuthCramMd5);
    mail.setUser(User);
    mail.setPassword(Password);
    mail.setToUsers(QString("a@example.org"));
    for (int i = 1; i <= 2; ++i) {
        mail.setSubject(QString("mail %1").arg(i));
        QVERIFY2(mail.send(), qPrintable(QString("send %1: %2").arg(i).arg(mail.lastError().text())));
        QCOMPARE(peer.recordCount(), i);
        QCOMPARE(peer.record(i).value("message").toObject().value("headers").toObject().value("Subject").toString(),
                 QString("mail %1").arg(i));
    }
    // A connection left open by a failed step is replaced, not reused.
    QVERIFY(mail.connectToHost());
    QVERIFY(mail.connectToHost());
    QVERIFY(mail.quit());
}

void tst_TMail::untrustedCertificate_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("type");
    QTest::newRow("STARTTLS") << "starttls" << int(TMail::Tls);
    QTest::newRow("SSL") << "ssl" << int(TMail::Ssl);
}

void tst_TMail::untrustedCertificate()
{
    QFETCH(QString, mode);
    QFETCH(int, type);
    SmtpPeer peer;
    peer.setTrustCertificate(false);
    QString error;
    QVERIFY2(peer.startRecording(mode, &error), qPrintable(error));
    TMail mail("127.0.0.1", peer.port(), TMail::ConnectionType(type));
    setTimeouts(mail);
    QVERIFY(!mail.sendMail("me@example.org", QString(), {"you@example.org"}, "s", "b"));
    QCOMPARE(mail.lastError().text(), QString("Connection Timeout"));
    QCOMPARE(peer.recordCount(), 0);
}

QTEST_GUILESS_MAIN(tst_TMail)
#include "tst_tmail.moc"
