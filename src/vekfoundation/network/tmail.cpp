#include "tmail.h"
#include "tmail_p.h"

#include "tlogger.h"

#include "tmimeattachment.h"
#include "tmimefile.h"
#include "tmimehtml.h"
#include "tmimeinlinefile.h"
#include "tmimemessage.h"
#include "tmimemessage_p.h"
#include "tmimemultipart.h"
#include "tmimepart_p.h"
#include "tquotedprintable.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QMessageAuthenticationCode>
#include <QRegularExpression>
#include <QSslSocket>

#include <typeinfo>

namespace {
const QString ErrorType = QStringLiteral("ERROR");
// After QUIT nothing more is expected of the server than a last word; a
// silent one must not hold up a mail that has already been accepted.
const int QuitWaitMsec = 2000;

QString showLineBreaks(QString iText)
{
    iText.replace(QLatin1Char('\r'), QLatin1String("\\r"));
    iText.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    return iText;
}

// Bytes waiting in the socket beyond this are written out before more are
// given to it, so a large mail never sits in memory whole.
const qint64 WriteHighWater = 1024 * 1024;
const qint64 WriteLowWater = 256 * 1024;

// The part classes of this library whose text the writer below knows how to
// produce itself; anything else (a caller's own part class) is asked for its
// text.
bool isOwnLeafPart(const TMimePart *iPart)
{
    const std::type_info &type = typeid(*iPart);
    return type == typeid(TMimePart) || type == typeid(TMimeText) || type == typeid(TMimeHtml)
           || type == typeid(TMimeFile) || type == typeid(TMimeAttachment) || type == typeid(TMimeInlineFile);
}
} // namespace

/*!
 * Writes a message after DATA the way TMimeMessage::toString() and
 * TMimePart::toString() build it, byte for byte, but one part (and one
 * slice of a large Base64 body) at a time, dot-stuffed on the way (RFC 5321
 * transparency: a line starting with "." gets a second one, so that a body
 * line "." cannot end the mail early).
 */
class TMailDataWriter
{
public:
    explicit TMailDataWriter(TMailPrivate *iMail)
        : mail(iMail)
    {}

    bool writeMessage(const TMimeMessage &iMessage)
    {
        if (typeid(iMessage) != typeid(TMimeMessage))
            return write(iMessage.toString().toUtf8());
        const TMimeMessagePrivate *message = TMimeMessagePrivate::get(iMessage);
        if (!write(message->headerText().toUtf8()))
            return false;
        return !message->content || writePart(message->content, false);
    }

private:
    // iPrepare: the part is built anew (a multipart prepares every child);
    // otherwise a part that holds its text already sends that.
    bool writePart(TMimePart *iPart, bool iPrepare)
    {
        TMimePartPrivate *part = TMimePartPrivate::get(iPart);
        const bool fresh = iPrepare || !part->prepared;
        if (fresh && typeid(*iPart) == typeid(TMimeMultiPart) && part->encoding == TMimePart::Encoding8Bit) {
            const QString delimiter = QLatin1String("--") + part->boundary;
            if (!write(part->headerText(TMimePart::Encoding8Bit).toUtf8()))
                return false;
            const QList<TMimePart *> children = static_cast<TMimeMultiPart *>(iPart)->parts();
            for (TMimePart *child : children) {
                if (!write((delimiter + QLatin1String("\r\n")).toUtf8()) || !writePart(child, true))
                    return false;
            }
            return write((delimiter + QLatin1String("--\r\n")).toUtf8()) && write(QByteArrayLiteral("\r\n"));
        }
        if (fresh && isOwnLeafPart(iPart)) {
            part->deferText = true;
            iPart->prepare();
            part->deferText = false;
            return write(part->headerText(part->preparedEncoding).toUtf8()) && writeBody(part)
                   && write(QByteArrayLiteral("\r\n"));
        }
        if (iPrepare)
            iPart->prepare();
        return write(iPart->toString().toUtf8());
    }

    bool writeBody(const TMimePartPrivate *iPart)
    {
        const QByteArray &content = iPart->content;
        switch (iPart->preparedEncoding) {
        case TMimePart::Encoding7Bit:
            return write(QString::fromUtf8(QString::fromUtf8(content).toLatin1()).toUtf8());
        case TMimePart::Encoding8Bit:
            return write(QString::fromUtf8(content).toUtf8());
        case TMimePart::EncodingBase64: {
            const int lineLength = iPart->formatter.maxLength();
            if (lineLength <= 0 || lineLength % 4 != 0)
                return write(iPart->formatter.format(content.toBase64()));
            // Whole lines of whole Base64 groups per slice: the slices'
            // lines joined by line ends are the lines of the whole.
            const int step = lineLength / 4 * 3 * 512;
            for (int pos = 0; pos < content.size(); pos += step) {
                const QByteArray slice
                        = QByteArray::fromRawData(content.constData() + pos, qMin(step, content.size() - pos));
                if ((pos > 0 && !write(QByteArrayLiteral("\r\n"))) || !write(iPart->formatter.format(slice.toBase64())))
                    return false;
            }
            return true;
        }
        case TMimePart::EncodingQuotedPrintable:
            return write(iPart->formatter.format(TQuotedPrintable::encode(content), true).toUtf8());
        default:
            return true;
        }
    }

    bool write(const QByteArray &iBytes)
    {
        if (iBytes.isEmpty())
            return true;
        const bool stuff = (atLineStart && iBytes.startsWith('.')) || iBytes.contains("\n.");
        if (stuff) {
            QByteArray out;
            out.reserve(iBytes.size() + 64);
            int from = 0;
            if (atLineStart && iBytes.startsWith('.'))
                out += '.';
            for (int hit = iBytes.indexOf("\n.", from); hit >= 0; hit = iBytes.indexOf("\n.", from)) {
                out.append(iBytes.constData() + from, hit + 1 - from);
                out += '.';
                from = hit + 1;
            }
            out.append(iBytes.constData() + from, iBytes.size() - from);
            mail->socket->write(out);
        } else {
            mail->socket->write(iBytes);
        }
        atLineStart = iBytes.endsWith('\n');
        return mail->socket->bytesToWrite() <= WriteHighWater || mail->flushWrites(WriteLowWater);
    }

    TMailPrivate *mail;
    bool atLineStart = true;
};

void TMailPrivate::raiseError(const QString &iCode, const QString &iText)
{
    Q_Q(TMail);
    lastError.setError(iText, ErrorType, iCode, QString());
    Q_EMIT q->errorRaised(lastError);
}

QTcpSocket *TMailPrivate::createSocket(int iType)
{
    Q_Q(TMail);
    switch (iType) {
    case TMail::Tcp:
        socket = new QTcpSocket(q);
        break;
    case TMail::Ssl:
    case TMail::Tls:
        socket = new QSslSocket(q);
        break;
    default:
        break;
    }
    return socket;
}

bool TMailPrivate::isConnected() const { return socket && socket->state() == QAbstractSocket::ConnectedState; }

bool TMailPrivate::requireConnection()
{
    if (isConnected())
        return true;
    raiseError(QStringLiteral("NotConnected"), QStringLiteral("Not Connected!"));
    return false;
}

bool TMailPrivate::flushWrites(qint64 iKeep)
{
    // Each wait only needs some progress: a large mail to a slow reader may
    // take far longer than the time-out as a whole.
    auto *ssl = qobject_cast<QSslSocket *>(socket.data());
    for (;;) {
        qint64 pending = socket->bytesToWrite();
        if (ssl)
            pending += ssl->encryptedBytesToWrite();
        if (pending <= iKeep)
            return true;
        if (!socket->waitForBytesWritten(responseTimeout)) {
            raiseError(QStringLiteral("ResponseTimeout"), QStringLiteral("Response Timeout!"));
            return false;
        }
    }
}

bool TMailPrivate::readBufferedReply(bool iRaiseErrors)
{
    while (socket->canReadLine()) {
        const QByteArray line = socket->readLine();
        responseText = QString::fromUtf8(line);
        bool isNumber = false;
        const int code = line.left(3).toInt(&isNumber);
        responseCode = isNumber ? code : 0;
        if (iRaiseErrors) {
            if (responseCode / 100 == 4)
                raiseError(QStringLiteral("ServerError"), QStringLiteral("Server Error!"));
            else if (responseCode / 100 == 5)
                raiseError(QStringLiteral("ClientError"), QStringLiteral("Client Error!"));
        }
        // Only a hyphen continues a reply; a bare code ends it.
        if (line.size() < 4 || line.at(3) != '-')
            return true;
    }
    return false;
}

int TMailPrivate::exchange(const QString &iLine)
{
    Q_Q(TMail);
    q->sendMessage(iLine);
    return q->waitForResponse() ? responseCode : -1;
}

bool TMailPrivate::serverStep(const QString &iLine, int iExpectedCode)
{
    // A failed read has reported itself; only a wrong answer is a server error.
    const int code = exchange(iLine);
    if (code < 0)
        return false;
    if (code != iExpectedCode) {
        raiseError(QStringLiteral("ServerError"), QStringLiteral("Server Error"));
        return false;
    }
    return true;
}

bool TMailPrivate::checkAddresses(const TMimeMessage &iMessage)
{
    QList<TMailUser> users;
    users << iMessage.sender() << iMessage.recipients(TMimeMessage::To) << iMessage.recipients(TMimeMessage::Cc)
          << iMessage.recipients(TMimeMessage::Bcc);
    for (const TMailUser &user : qAsConst(users)) {
        const QString address = user.address();
        if (address.contains(QLatin1Char('\r')) || address.contains(QLatin1Char('\n'))) {
            raiseError(QStringLiteral("InvalidAddress"),
                       QStringLiteral("mail address [%1] holds a line break").arg(showLineBreaks(address)));
            return false;
        }
    }
    return true;
}

bool TMailPrivate::authExchange(const QList<QByteArray> &iLines, int iFinalCode)
{
    Q_Q(TMail);
    for (int i = 0; i < iLines.size(); ++i) {
        const int expected = i + 1 < iLines.size() ? 334 : iFinalCode;
        q->sendMessage(QString::fromUtf8(iLines.at(i)));
        if (!q->waitForResponse() || responseCode != expected) {
            raiseError(QStringLiteral("AuthenticationFailed"), QStringLiteral("Authentcation Failed!"));
            return false;
        }
    }
    return true;
}

TMail::TMail(QObject *iParent)
    : QObject(iParent)
    , d(new TMailPrivate(this))
{}

TMail::TMail(const QString &iHostStr, int iPortInt, ConnectionType iConnectionType, QObject *iParent)
    : QObject(iParent)
    , d(new TMailPrivate(this))
{
    d->host = iHostStr;
    d->port = iPortInt;
    setConnectionType(iConnectionType);
    if (d->socket) {
        connect(d->socket, &QAbstractSocket::stateChanged, this, &TMail::onSocketStateChanged);
        connect(d->socket, &QAbstractSocket::errorOccurred, this, &TMail::onSocketError);
        connect(d->socket, &QIODevice::readyRead, this, &TMail::onSocketReadyRead);
    }
}

TMail::~TMail() = default;

bool TMail::parseUser(const QString &iUserStr, QString *oAddress, QString *oName)
{
    static const QRegularExpression pattern(QStringLiteral("<([^<>]*)>(.*)"),
                                            QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = pattern.match(iUserStr);
    // Everything after ">" is the address, line breaks included, so that a
    // forged entry is refused as a whole instead of being cut short.
    const QString name = match.hasMatch() ? match.captured(1) : QString(QLatin1String(""));
    const QString address = match.hasMatch() ? match.captured(2) : iUserStr;
    if (oAddress)
        *oAddress = address;
    if (oName)
        *oName = name;
    return true;
}

QString TMail::host() const { return d->host; }
void TMail::setHost(const QString &iHostStr) { d->host = iHostStr; }
int TMail::port() const { return d->port; }
void TMail::setPort(int iPortInt) { d->port = iPortInt; }
int TMail::connectionType() const { return d->connectionType; }

QString TMail::connectionTypeString() const
{
    switch (d->connectionType) {
    case Ssl:
        return QStringLiteral("Ssl");
    case Tls:
        return QStringLiteral("Tls");
    default:
        return QStringLiteral("Tcp");
    }
}

void TMail::setConnectionType(ConnectionType iConnectionType)
{
    d->connectionType = iConnectionType;
    d->createSocket(iConnectionType);
}

void TMail::setConnectionType(const QString &iConnectionTypeStr)
{
    const QString type = iConnectionTypeStr.toUpper();
    if (type == QLatin1String("SSL"))
        setConnectionType(Ssl);
    else if (type == QLatin1String("TLS"))
        setConnectionType(Tls);
    else
        setConnectionType(Tcp);
}

QString TMail::user() const { return d->user; }
void TMail::setUser(const QString &iUserStr) { d->user = iUserStr; }
QString TMail::password() const { return d->password; }
void TMail::setPassword(const QString &iPasswordStr) { d->password = iPasswordStr; }
QStringList TMail::toUsers() const { return d->toUsers; }
void TMail::setToUsers(const QStringList &iVarLst) { d->toUsers = iVarLst; }
void TMail::setToUsers(const QString &iStr) { setToUsers(iStr.split(QLatin1Char(';'), Qt::SkipEmptyParts)); }
QStringList TMail::ccUsers() const { return d->ccUsers; }
void TMail::setCcUsers(const QStringList &iVarLst) { d->ccUsers = iVarLst; }
void TMail::setCcUsers(const QString &iStr) { setCcUsers(iStr.split(QLatin1Char(';'), Qt::SkipEmptyParts)); }
QStringList TMail::bccUsers() const { return d->bccUsers; }
void TMail::setBccUsers(const QStringList &iVarLst) { d->bccUsers = iVarLst; }
void TMail::setBccUsers(const QString &iStr) { setBccUsers(iStr.split(QLatin1Char(';'), Qt::SkipEmptyParts)); }
QString TMail::subject() const { return d->subject; }
void TMail::setSubject(const QString &iSubjectStr) { d->subject = iSubjectStr; }
QString TMail::content() const { return d->content; }
void TMail::setContent(const QString &iContentStr) { d->content = iContentStr; }
QStringList TMail::attachments() const { return d->attachments; }
void TMail::setAttachments(const QStringList &iAttsStrLst) { d->attachments = iAttsStrLst; }
int TMail::authMethod() const { return d->authMethod; }

QString TMail::authMethodString() const
{
    switch (d->authMethod) {
    case AuthPlain:
        return QStringLiteral("PLAIN");
    case AuthLogin:
        return QStringLiteral("LOGIN");
    case AuthNtlm:
        return QStringLiteral("NTLM");
    case AuthCramMd5:
        return QStringLiteral("CRAM-MD5");
    default:
        return QStringLiteral("None");
    }
}

void TMail::setAuthMethod(AuthMethod iMethod) { d->authMethod = iMethod; }

void TMail::setAuthMethod(const QString &iMethodStr)
{
    const QString method = iMethodStr.toUpper();
    if (method == QLatin1String("LOGIN"))
        setAuthMethod(AuthLogin);
    else if (method == QLatin1String("PLAIN"))
        setAuthMethod(AuthPlain);
    else if (method == QLatin1String("NTLM"))
        setAuthMethod(AuthNtlm);
    else if (method == QLatin1String("CRAM-MD5"))
        setAuthMethod(AuthCramMd5);
    else
        setAuthMethod(AuthNone);
}

QString TMail::responseText() const { return d->responseText; }
int TMail::responseCode() const { return d->responseCode; }
int TMail::connectionTimeout() const { return d->connectionTimeout; }
void TMail::setConnectionTimeout(int iMsecInt) { d->connectionTimeout = iMsecInt; }
int TMail::responseTimeout() const { return d->responseTimeout; }
void TMail::setResponseTimeout(int iMsecInt) { d->responseTimeout = iMsecInt; }
QTcpSocket *TMail::socket() const { return d->socket; }

bool TMail::connectToHost()
{
    if (d->socket && d->socket->state() != QAbstractSocket::UnconnectedState)
        d->socket->abort();
    auto *ssl = qobject_cast<QSslSocket *>(d->socket.data());
    // A socket that went through a handshake before starts over from a
    // fresh one rather than from whatever state its encryption was left in.
    if (!d->socket || (ssl && ssl->mode() != QSslSocket::UnencryptedMode)) {
        delete d->socket;
        if (!d->createSocket(d->connectionType))
            d->createSocket(Tcp);
        ssl = qobject_cast<QSslSocket *>(d->socket.data());
    }

    bool connected = false;
    if (ssl && d->connectionType == Ssl) {
        ssl->connectToHostEncrypted(d->host, quint16(d->port));
        connected = ssl->waitForEncrypted(d->connectionTimeout);
    } else {
        d->socket->connectToHost(d->host, quint16(d->port), QIODevice::ReadWrite, QAbstractSocket::AnyIPProtocol);
        connected = d->socket->waitForConnected(d->connectionTimeout);
    }
    if (!connected) {
        qDebug() << "TMail::connectToHost" << d->socket->errorString();
        d->raiseError(QStringLiteral("ConnectionTimeout"), QStringLiteral("Connection Timeout"));
        return false;
    }

    if (!waitForResponse())
        return false;
    if (d->responseCode != 220) {
        d->raiseError(QStringLiteral("ServerError"), QStringLiteral("Server Error"));
        return false;
    }
    const QString ehlo = QLatin1String("EHLO ") + d->host;
    if (!d->serverStep(ehlo, 250))
        return false;
    if (d->connectionType != Tls || !ssl)
        return true;

    // Bytes that came with the STARTTLS answer were never meant for the
    // encrypted session; taking them as its replies would let a man in the
    // middle speak for the server.
    if (!d->serverStep(QStringLiteral("STARTTLS"), 220))
        return false;
    if (ssl->bytesAvailable() > 0) {
        d->raiseError(QStringLiteral("ServerError"), QStringLiteral("Server Error"));
        return false;
    }
    ssl->startClientEncryption();
    if (!ssl->waitForEncrypted(d->connectionTimeout)) {
        qDebug() << "TMail::connectToHost" << ssl->errorString();
        d->raiseError(QStringLiteral("ConnectionTimeout"), QStringLiteral("Connection Timeout"));
        return false;
    }
    return d->serverStep(ehlo, 250);
}

bool TMail::login() { return login(d->user, d->password, AuthMethod(d->authMethod)); }

bool TMail::login(const QString &iUserStr, const QString &iPwdStr, AuthMethod iMethod)
{
    if (iMethod != AuthPlain && iMethod != AuthLogin && iMethod != AuthNtlm && iMethod != AuthCramMd5)
        return true;
    if (iPwdStr.isEmpty())
        return true;
    if (iMethod == AuthNtlm) {
        d->raiseError(QStringLiteral("UnsupportedAuthMethod"),
                      QStringLiteral("Authentication method NTLM is not supported!"));
        return false;
    }
    if (!d->requireConnection())
        return false;

    const QByteArray user = iUserStr.toUtf8();
    const QByteArray password = iPwdStr.toUtf8();
    switch (iMethod) {
    case AuthPlain: {
        sendMessage(QLatin1String("AUTH PLAIN ")
                    + QString::fromLatin1((QByteArray(1, '\0') + user + '\0' + password).toBase64()));
        if (!waitForResponse())
            return false;
        if (d->responseCode != 235) {
            d->raiseError(QStringLiteral("AuthenticationFailed"), QStringLiteral("Authentcation Failed!"));
            return false;
        }
        return true;
    }
    case AuthLogin:
        return d->authExchange({"AUTH LOGIN", user.toBase64(), password.toBase64()}, 235);
    case AuthCramMd5: {
        if (!d->authExchange({"AUTH CRAM-MD5"}, 334))
            return false;
        // RFC 2195: the answer is the user and the keyed MD5 of the challenge.
        const QByteArray challenge = QByteArray::fromBase64(d->responseText.mid(4).trimmed().toLatin1());
        const QByteArray digest
                = QMessageAuthenticationCode::hash(challenge, password, QCryptographicHash::Md5).toHex();
        return d->authExchange({(user + ' ' + digest).toBase64()}, 235);
    }
    default:
        return true;
    }
}

bool TMail::quit()
{
    if (!d->requireConnection())
        return false;
    sendMessage(QStringLiteral("QUIT"));
    const int wait = qMin(d->responseTimeout, QuitWaitMsec);
    d->socket->waitForBytesWritten(wait);
    // The answer (221) or the server's close, whichever comes first; neither
    // changes the outcome, so no error is raised here.
    while (!d->readBufferedReply(false) && d->socket->waitForReadyRead(wait)) {
    }
    d->socket->disconnectFromHost();
    if (d->socket->state() != QAbstractSocket::UnconnectedState)
        d->socket->abort();
    return true;
}

bool TMail::send()
{
    return sendMail(d->user, d->password, d->toUsers, d->subject, d->content, d->attachments, d->ccUsers, d->bccUsers);
}

bool TMail::sendMail(const QString &iUserStr, const QString &iPasswordStr, const QStringList &iToStrLst,
                     const QString &iSubjectStr, const QString &iBodyStr, const QStringList &iAttachmentsStrLst,
                     const QStringList &iCcStrLst, const QStringList &iBccStrLst)
{
    QString address;
    QString name;
    parseUser(iUserStr, &address, &name);
    d->user = address;
    d->password = iPasswordStr;

    // The message owns its container and the container every part added
    // here, so nothing outlives this call.
    TMimeMessage message;
    message.setSender(address, name);
    const QList<QPair<const QStringList *, int>> lists {
            {&iToStrLst, TMimeMessage::To}, {&iCcStrLst, TMimeMessage::Cc}, {&iBccStrLst, TMimeMessage::Bcc}};
    for (const auto &list : lists) {
        for (const QString &entry : *list.first) {
            parseUser(entry, &address, &name);
            message.addRecipient(address, name, list.second);
        }
    }
    message.setSubject(iSubjectStr);
    message.addPart(new TMimeHtml(iBodyStr));

    for (const QString &path : iAttachmentsStrLst) {
        if (!QFileInfo::exists(path)) {
            // Level 0: a mail that goes out without an attachment the user
            // named should leave a trace in every log.
            VEK_LOG(QStringLiteral("attachment file [%1] does not exist, skipped").arg(path), "warn", 0);
            continue;
        }
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            d->lastError.setError(QStringLiteral("open file %1 failed, error : %2").arg(path, file.errorString()),
                                  ErrorType, QStringLiteral("OpenFileFailed"), QString());
            Q_EMIT errorRaised(d->lastError);
            return false;
        }
        file.close();
        message.addPart(new TMimeAttachment(path));
    }

    if (!d->checkAddresses(message))
        return false;
    if (!connectToHost() || !login() || !sendMail(message))
        return false;
    quit();
    return true;
}

TError TMail::lastError() const { return d->lastError; }
void TMail::clearError() { d->lastError.clearError(); }

void TMail::onSocketStateChanged(QAbstractSocket::SocketState iState) { Q_UNUSED(iState) }
void TMail::onSocketError(QAbstractSocket::SocketError iError) { Q_UNUSED(iError) }
void TMail::onSocketReadyRead() {}

bool TMail::sendMail(TMimeMessage &iMessage)
{
    if (!d->checkAddresses(iMessage) || !d->requireConnection())
        return false;
    if (d->exchange(QLatin1String("MAIL FROM: <") + iMessage.sender().address() + QLatin1Char('>')) != 250)
        return false;
    for (int type : {TMimeMessage::To, TMimeMessage::Cc, TMimeMessage::Bcc}) {
        const QList<TMailUser> users = iMessage.recipients(type);
        for (const TMailUser &user : users) {
            if (d->exchange(QLatin1String("RCPT TO: <") + user.address() + QLatin1Char('>')) != 250)
                return false;
        }
    }
    if (d->exchange(QStringLiteral("DATA")) != 354)
        return false;

    TMailDataWriter writer(d.get());
    if (!writer.writeMessage(iMessage))
        return false;
    d->socket->write("\r\n.\r\n");
    return waitForResponse() && d->responseCode == 250;
}

qint64 TMail::sendMessage(const QString &iText)
{
    if (!d->socket)
        return -1;
    return d->socket->write(iText.toUtf8() + "\r\n");
}

bool TMail::waitForResponse()
{
    if (!d->socket)
        return false;
    if (!d->flushWrites())
        return false;
    while (!d->readBufferedReply(true)) {
        if (!d->socket->waitForReadyRead(d->responseTimeout)) {
            d->raiseError(QStringLiteral("ResponseTimeout"), QStringLiteral("Response Timeout!"));
            return false;
        }
    }
    return true;
}
