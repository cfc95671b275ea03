#include "tmailuser.h"
#include "tmimeattachment.h"
#include "tmimecontentformatter.h"
#include "tmimefile.h"
#include "tmimehtml.h"
#include "tmimeinlinefile.h"
#include "tmimemessage.h"
#include "tmimemultipart.h"
#include "tmimetext.h"
#include "tquotedprintable.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QPointer>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

class tst_TMimeMessage : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void formatter_data();
    void formatter();
    void quotedPrintable_data();
    void quotedPrintable();
    void partText_data();
    void partText();
    void textLineEnds_data();
    void textLineEnds();
    void multipartWithoutParts();
    void boundaryIsRandomHex();
    void attachmentPart();
    void inlineFileAndCachedText();
    void messageText();
    void messageWithoutNamesOrCc();
    void headerValuesCannotBreakLines();
    void headerEncodings_data();
    void headerEncodings();
    void encodedHeadersDecodeExactly();
    void recipientsAndParts();
    void messageWithoutContent();
    void mailUserCopy();
};

static QString repeated(char c, int n) { return QString(n, QLatin1Char(c)); }

static bool writeFile(const QString &iPath, const QByteArray &iBytes)
{
    QFile f(iPath);
    return f.open(QIODevice::WriteOnly) && f.write(iBytes) == iBytes.size();
}

void tst_TMimeMessage::formatter_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<bool>("quotedPrintable");
    QTest::addColumn<QString>("expected");

    QTest::newRow("plain empty") << "" << false << "";
    QTest::newRow("plain 76 stays one line") << repeated('a', 76) << false << repeated('a', 76);
    QTest::newRow("plain 77th starts a line") << repeated('a', 77) << false << repeated('a', 76) + "\r\na";
    QTest::newRow("plain two full lines")
            << repeated('b', 152) << false << repeated('b', 76) + "\r\n" + repeated('b', 76);
    QTest::newRow("qp 75 stays one line") << repeated('a', 75) << true << repeated('a', 75);
    QTest::newRow("qp 76th gets a soft break") << repeated('a', 76) << true << repeated('a', 75) + "=\r\na";
    QTest::newRow("qp escape not at 74") << repeated('a', 73) + "=3D" << true << repeated('a', 73) + "=\r\n=3D";
    QTest::newRow("qp escape at 73 fits") << repeated('a', 72) + "=3D" << true << repeated('a', 72) + "=3D";
    QTest::newRow("qp line feed resets") << repeated('a', 70) + "\n" + repeated('a', 70) << true
                                         << repeated('a', 70) + "\n" + repeated('a', 70);
}

void tst_TMimeMessage::formatter()
{
    QFETCH(QString, input);
    QFETCH(bool, quotedPrintable);
    QFETCH(QString, expected);
    TMimeContentFormatter formatter;
    QCOMPARE(formatter.maxLength(), 76);
    QCOMPARE(formatter.format(input, quotedPrintable), expected);
}

void tst_TMimeMessage::quotedPrintable_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("expected");
    QTest::newRow("printable and blank") << QByteArray("Hello, World ~!") << "Hello, World ~!";
    QTest::newRow("equals sign") << QByteArray("a=b") << "a=3Db";
    QTest::newRow("line ends") << QByteArray("a\r\nb") << "a=0D=0Ab";
    QTest::newRow("tab and delete") << QByteArray("\t\x7f") << "=09=7F";
    QTest::newRow("utf-8") << QString::fromUtf8("é").toUtf8() << "=C3=A9";
    QTest::newRow("zero byte") << QByteArray(1, '\0') << "=00";
}

void tst_TMimeMessage::quotedPrintable()
{
    QFETCH(QByteArray, input);
    QFETCH(QString, expected);
    QCOMPARE(TQuotedPrintable::encode(input), expected);
}

void tst_TMimeMessage::partText_data()
{
    QTest::addColumn<int>("encoding");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("encodingLine");
    QTest::addColumn<QString>("body");

    const QByteArray utf8 = QString::fromUtf8("Grüße €").toUtf8();
    QTest::newRow("7bit flattens non-ASCII") << int(TMimePart::Encoding7Bit) << utf8 << "7bit\r\n"
                                             << QString::fromUtf8(QString::fromUtf8(utf8).toLatin1());
    QTest::newRow("8bit keeps UTF-8") << int(TMimePart::Encoding8Bit) << utf8 << "8bit\r\n"
                                      << QString::fromUtf8("Grüße €");
    QTest::newRow("base64") << int(TMimePart::EncodingBase64) << QByteArray("hello") << "base64\r\n"
                            << "aGVsbG8=";
    QTest::newRow("quoted-printable") << int(TMimePart::EncodingQuotedPrintable) << QByteArray("a=b\n")
                                      << "quoted-printable\r\n"
                                      << "a=3Db=0A";
    QTest::newRow("unknown writes no value and no body") << 9 << QByteArray("x") << ""
                                                         << "";
}

void tst_TMimeMessage::partText()
{
    QFETCH(int, encoding);
    QFETCH(QByteArray, content);
    QFETCH(QString, encodingLine);
    QFETCH(QString, body);

    TMimePart part;
    part.setContentType("application/x-test");
    part.setContentName("report.bin");
    part.setCharset("utf-8");
    part.setContentId("id-1");
    part.addHeaderLine("X-Extra: 1");
    part.setEncoding(encoding);
    part.setContent(content);
    QVERIFY(!part.isPrepared());

    const QString expected = "Content-Type: application/x-test; name=\"report.bin\"; charset=utf-8\r\n"
                             "Content-Transfer-Encoding: "
                             + encodingLine
                             + "Content-ID: <id-1>\r\n"
                               "X-Extra: 1\r\n"
                               "\r\n"
                             + body + "\r\n";
    QCOMPARE(part.toString(), expected);
    QVERIFY(part.isPrepared());
}

void tst_TMimeMessage::textLineEnds_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("encodingLine");
    QTest::addColumn<QByteArray>("wireBody");

    QTest::newRow("mixed line ends become CRLF") << "a\nb\r\nc\rd"
                                                 << "8bit" << QByteArray("a\r\nb\r\nc\r\nd");
    QTest::newRow("998 octets stay 8bit") << repeated('x', 998) << "8bit" << repeated('x', 998).toUtf8();
    const QString longLine = "short\n" + repeated('y', 999) + "\n.";
    QTest::newRow("999 octets go base64")
            << longLine << "base64" << QByteArray("short\r\n") + repeated('y', 999).toUtf8() + "\r\n.";
    // 333 three-octet characters are 999 octets although only 333 characters.
    const QString wide = QString(333, QChar(0x20AC));
    QTest::newRow("limit counts octets") << wide << "base64" << wide.toUtf8();
}

void tst_TMimeMessage::textLineEnds()
{
    QFETCH(QString, text);
    QFETCH(QString, encodingLine);
    QFETCH(QByteArray, wireBody);

    TMimeText part(text);
    const QString s = part.toString();
    QVERIFY2(s.contains("Content-Transfer-Encoding: " + encodingLine + "\r\n"), qPrintable(s.left(200)));
    QCOMPARE(part.encoding(), int(TMimePart::Encoding8Bit));
    const QString body = s.mid(s.indexOf("\r\n\r\n") + 4).chopped(2);
    if (encodingLine == QLatin1String("base64")) {
        for (const QString &line : body.split("\r\n"))
            QVERIFY(line.size() <= 76);
        QCOMPARE(QByteArray::fromBase64(body.toLatin1()), wireBody);
    } else {
        QCOMPARE(body.toUtf8(), wireBody);
    }
}

void tst_TMimeMessage::multipartWithoutParts()
{
    TMimeMultiPart multi(TMimeMultiPart::Mixed);
    const QString b = multi.boundary();
    QCOMPARE(multi.toString(), "Content-Type: multipart/mixed; boundary=" + b
                                       + "\r\n"
                                         "Content-Transfer-Encoding: 8bit\r\n"
                                         "\r\n"
                                         "--"
                                       + b
                                       + "--\r\n"
                                         "\r\n");
    multi.setType(TMimeMultiPart::Alternative);
    QCOMPARE(multi.type(), int(TMimeMultiPart::Alternative));
    QCOMPARE(multi.contentType(), QString("multipart/alternative"));
}

void tst_TMimeMessage::boundaryIsRandomHex()
{
    QSet<QString> seen;
    const QRegularExpression hex("^[0-9a-f]{32}$");
    for (int i = 0; i < 50; ++i) {
        TMimeMultiPart multi;
        QVERIFY2(hex.match(multi.boundary()).hasMatch(), qPrintable(multi.boundary()));
        seen.insert(multi.boundary());
    }
    QCOMPARE(seen.size(), 50);
}

void tst_TMimeMessage::attachmentPart()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QString::fromUtf8("Prüfbericht 7.bin"));
    QByteArray bytes;
    for (int i = 0; i < 200; ++i)
        bytes += char(i);
    QVERIFY(writeFile(path, bytes));

    TMimeAttachment att(path);
    QCOMPARE(att.fileName(), path);
    QCOMPARE(att.contentName(), QString::fromUtf8("Prüfbericht 7.bin"));
    att.prepare();
    att.prepare();
    const QString s = att.toString();
    QCOMPARE(s.count("Content-disposition: attachment\r\n"), 1);
    QVERIFY(s.startsWith(QString::fromUtf8("Content-Type: application/octet-stream; name=\"Prüfbericht 7.bin\"\r\n"
                                           "Content-Transfer-Encoding: base64\r\n"
                                           "Content-disposition: attachment\r\n"
                                           "\r\n")));
    const QString body = s.mid(s.indexOf("\r\n\r\n") + 4).chopped(2);
    const QStringList lines = body.split("\r\n");
    QCOMPARE(lines.first().size(), 76);
    QCOMPARE(QByteArray::fromBase64(body.toLatin1()), bytes);

    // A file that is gone by the time the part is written still yields a
    // well-formed part, with an empty body.
    TMimeAttachment missing(dir.filePath("nothing-here.pdf"));
    QCOMPARE(missing.toString(), QString("Content-Type: application/octet-stream; name=\"nothing-here.pdf\"\r\n"
                                         "Content-Transfer-Encoding: base64\r\n"
                                         "Content-disposition: attachment\r\n"
                                         "\r\n"
                                         "\r\n"));
}

void tst_TMimeMessage::inlineFileAndCachedText()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("logo.png");
    QVERIFY(writeFile(path, "PNGDATA"));

    TMimeInlineFile image(path);
    image.setContentType("image/png");
    image.setContentId("logo");
    const QString first = image.toString();
    QVERIFY(first.contains("Content-ID: <logo>\r\nContent-Disposition: inline\r\n\r\nUE5HREFUQQ==\r\n"));

    // toString() keeps its first text; only prepare() reads the file again.
    QVERIFY(writeFile(path, "OTHER"));
    QCOMPARE(image.toString(), first);
    image.prepare();
    QVERIFY(image.toString().contains("T1RIRVI="));
    QCOMPARE(image.toString().count("Content-Disposition: inline"), 1);
}

void tst_TMimeMessage::messageText()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("data.txt");
    QVERIFY(writeFile(path, "0123456789"));

    TMimeMessage message;
    message.setSender("sender@example.org", "Plant A");
    message.addTo("first@example.org", "First");
    message.addTo("second@example.org");
    message.addCc("cc@example.org", "Copy");
    message.addBcc("hidden@example.org", "Hidden");
    message.setSubject("Daily report");
    message.addPart(new TMimeHtml("<b>ok</b>"));
    message.addPart(new TMimeAttachment(path));
    const QString b = message.content()->boundary();

    const QString expected = "From: Plant A <sender@example.org>\r\n"
                             "To: First <first@example.org>, <second@example.org>\r\n"
                             "Cc: Copy <cc@example.org>\r\n"
                             "Subject: Daily report\r\n"
                             "MIME-Version: 1.0\r\n"
                             "Content-Type: multipart/related; boundary="
                             + b
                             + "\r\n"
                               "Content-Transfer-Encoding: 8bit\r\n"
                               "\r\n"
                               "--"
                             + b
                             + "\r\n"
                               "Content-Type: text/html; charset=utf-8\r\n"
                               "Content-Transfer-Encoding: 8bit\r\n"
                               "\r\n"
                               "<b>ok</b>\r\n"
                               "--"
                             + b
                             + "\r\n"
                               "Content-Type: application/octet-stream; name=\"data.txt\"\r\n"
                               "Content-Transfer-Encoding: base64\r\n"
                               "Content-disposition: attachment\r\n"
                               "\r\n"
                               "MDEyMzQ1Njc4OQ==\r\n"
                               "--"
                             + b
                             + "--\r\n"
                               "\r\n";
    QCOMPARE(message.toString(), expected);
    QVERIFY(!message.toString().contains("hidden@example.org"));
    QCOMPARE(message.recipients(TMimeMessage::Bcc).size(), 1);
}

void tst_TMimeMessage::messageWithoutNamesOrCc()
{
    TMimeMessage message;
    message.setSender("s@example.org");
    const QString s = message.toString();
    QVERIFY(s.startsWith("From: <s@example.org>\r\nTo:\r\nSubject: \r\nMIME-Version: 1.0\r\n"));
    QVERIFY(!s.contains("Cc:"));
}

void tst_TMimeMessage::headerValuesCannotBreakLines()
{
    TMimeMessage message;
    message.setSender("s@example.org", "Evil\r\nBcc: victim@example.org");
    message.addTo("t@example.org", "Name\nX-Injected: 1");
    message.setSubject("Hello\r\nX-Injected: 2");
    auto *text = new TMimeText("body");
    text->setContentName("a\r\nX-Injected: 3");
    message.addPart(text);

    const QString s = message.toString();
    QVERIFY(!s.contains("\nX-Injected"));
    QVERIFY(!s.contains("\nBcc:"));
    QVERIFY(s.contains("From: Evil  Bcc: victim@example.org <s@example.org>\r\n"));
    QVERIFY(s.contains("Subject: Hello  X-Injected: 2\r\n"));
    QVERIFY(s.contains("To: Name X-Injected: 1 <t@example.org>\r\n"));
}

void tst_TMimeMessage::headerEncodings_data()
{
    QTest::addColumn<int>("encoding");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("subject");
    QTest::addColumn<QString>("fromLine");
    QTest::addColumn<QString>("subjectLine");

    QTest::newRow("as is") << 1 << "Max: Mü"
                           << "Grüße" << QString::fromUtf8("From: Max: Mü <a@b.c>")
                           << QString::fromUtf8("Subject: Grüße");
    QTest::newRow("base64") << 2 << "Max: Mü"
                            << "Grüße"
                            << "From: =?utf-8?B?TWF4OiBNw7w=?= <a@b.c>"
                            << "Subject: =?utf-8?B?R3LDvMOfZQ==?=";
    QTest::newRow("quoted-printable") << 3 << "Max: Mü"
                                      << "a b"
                                      << "From: =?utf-8?Q?Max=3A_M=C3=BC?= <a@b.c>"
                                      << "Subject: =?utf-8?Q?a_b?=";
    QTest::newRow("empty subject still encoded") << 2 << ""
                                                 << ""
                                                 << "From: <a@b.c>"
                                                 << "Subject: =?utf-8?B?"
                                                    "?=";
}

void tst_TMimeMessage::headerEncodings()
{
    QFETCH(int, encoding);
    QFETCH(QString, name);
    QFETCH(QString, subject);
    QFETCH(QString, fromLine);
    QFETCH(QString, subjectLine);

    TMimeMessage message;
    message.setHeaderEncoding(encoding);
    message.setSender("a@b.c", name);
    message.setSubject(subject);
    const QStringList lines = message.toString().split("\r\n");
    QCOMPARE(lines.at(0), fromLine);
    QCOMPARE(lines.at(2), subjectLine);
}

// The subjects and the senders' display names as a mail reader decodes them,
// in both encoded ways; one reader process decodes every message.
void tst_TMimeMessage::encodedHeadersDecodeExactly()
{
    const QStringList texts {QStringLiteral("snake_case_name"),
                             QStringLiteral("What? Why?"),
                             QStringLiteral("a=b =?utf-8?Q?x?= c"),
                             QStringLiteral("Weber, Anna: \"QA\" <lead>"),
                             QString::fromUtf8("Grüße \xF0\x9F\x8E\x89 J. R."),
                             QStringLiteral("100% (a;b) [c]_ ?="),
                             QStringLiteral("x")};
    QJsonArray messages;
    QStringList expected;
    for (const int encoding : {TMimePart::EncodingBase64, TMimePart::EncodingQuotedPrintable}) {
        for (const QString &text : texts) {
            TMimeMessage message;
            message.setHeaderEncoding(encoding);
            message.setSender(QStringLiteral("a@example.org"), text);
            message.setSubject(text);
            message.setContent(new TMimeText(QStringLiteral("body")));
            messages.append(message.toString());
            expected << QStringLiteral("%1 subject: %2").arg(encoding).arg(text)
                     << QStringLiteral("%1 name: %2").arg(encoding).arg(text);
        }
    }

    QProcess python;
    python.start(QStringLiteral("python3"),
                 {QStringLiteral("-c"),
                  QStringLiteral("import sys, json, email\n"
                                 "from email import policy\n"
                                 "out = []\n"
                                 "for text in json.load(sys.stdin):\n"
                                 "    m = email.message_from_string(text, policy=policy.default)\n"
                                 "    out += [str(m['subject']), m['from'].addresses[0].display_name]\n"
                                 "print(json.dumps(out))\n")});
    QVERIFY2(python.waitForStarted(10000), "the mail tests need python3");
    python.write(QJsonDocument(messages).toJson());
    python.closeWriteChannel();
    QVERIFY(python.waitForFinished(60000));
    QVERIFY2(python.exitCode() == 0, python.readAllStandardError().constData());
    const QJsonArray decoded = QJsonDocument::fromJson(python.readAllStandardOutput()).array();
    QStringList actual;
    for (int i = 0; i < decoded.size(); ++i) {
        const QString &label = expected.at(i);
        actual << label.left(label.indexOf(QLatin1String(": ")) + 2) + decoded.at(i).toString();
    }
    QCOMPARE(actual, expected);
}

void tst_TMimeMessage::recipientsAndParts()
{
    TMimeMessage message;
    message.addRecipient("to@x", "T", TMimeMessage::To);
    message.addRecipient("cc@x", "C", TMimeMessage::Cc);
    message.addRecipient("bcc@x", "B", TMimeMessage::Bcc);
    message.addRecipient("lost@x", "L", 7);
    QCOMPARE(message.recipients(TMimeMessage::To).size(), 1);
    QCOMPARE(message.recipients(TMimeMessage::Cc).first().address(), QString("cc@x"));
    QCOMPARE(message.recipients(TMimeMessage::Bcc).first().name(), QString("B"));
    QCOMPARE(message.recipients(42).first().address(), QString("to@x"));

    // A part without a parent is owned by the container; one with a parent
    // stays with its owner.
    QObject owner;
    QPointer<TMimePart> owned = new TMimeText("a");
    auto *foreign = new TMimeText("b", &owner);
    {
        TMimeMessage scoped;
        scoped.addPart(owned);
        scoped.addPart(foreign);
        QCOMPARE(scoped.parts().size(), 2);
        QCOMPARE(owned->parent(), scoped.content());
        QCOMPARE(foreign->parent(), &owner);
    }
    QVERIFY(owned.isNull());
    QCOMPARE(owner.children().size(), 1);

    // With a single part as content there is nothing to add to.
    TMimeMessage single(false);
    auto *text = new TMimeText("only");
    single.setContent(text);
    single.addPart(new TMimeText("ignored", &owner));
    QCOMPARE(single.parts(), QList<TMimePart *>() << text);
}

void tst_TMimeMessage::messageWithoutContent()
{
    TMimeMessage message(false);
    QVERIFY(message.content() == nullptr);
    message.setSender("a@b.c");
    QVERIFY(message.toString().endsWith("MIME-Version: 1.0\r\n"));
}

void tst_TMimeMessage::mailUserCopy()
{
    QObject parent;
    TMailUser *user = new TMailUser("a@b.c", "A", &parent);
    TMailUser copy(*user);
    QCOMPARE(copy.parent(), &parent);
    QCOMPARE(copy.address(), QString("a@b.c"));
    QCOMPARE(copy.name(), QString("A"));
    copy.setParent(nullptr);
    TMailUser assigned;
    assigned = *user;
    QCOMPARE(assigned.name(), QString("A"));
    QVERIFY(assigned.parent() == nullptr);
}

QTEST_GUILESS_MAIN(tst_TMimeMessage)
#include "tst_tmimemessage.moc"
