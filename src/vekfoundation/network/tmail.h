#ifndef TMAIL_H
#define TMAIL_H

#include "vekfoundation_export.h"

#include "terror.h"

#include <memory>

#include <QAbstractSocket>
#include <QObject>
#include <QStringList>

class QTcpSocket;
class TMimeMessage;
class TMailPrivate;

/*!
 * A synchronous SMTP client. Every wait is one of the socket's own blocking
 * waits, bounded by the connection and response time-outs, so no event loop
 * is needed. Failures return false, are kept as lastError() and are emitted
 * through errorRaised().
 */
class VEKFOUNDATION_EXPORT TMail : public QObject
{
    Q_OBJECT
public:
    enum ConnectionType { Tcp = 0, Ssl = 1, Tls = 2 };
    Q_ENUM(ConnectionType)

    enum AuthMethod { AuthNone = 0, AuthPlain = 1, AuthLogin = 2, AuthNtlm = 3, AuthCramMd5 = 4 };
    Q_ENUM(AuthMethod)

    explicit TMail(QObject *iParent = nullptr);
    TMail(const QString &iHostStr, int iPortInt, ConnectionType iConnectionType, QObject *iParent = nullptr);
    ~TMail() override;

    /*!
     * Splits a recipient entry "<Name>address" into address and display name;
     * an entry without angle brackets is all address. Null pointers are
     * skipped. Always true.
     */
    static bool parseUser(const QString &iUserStr, QString *oAddress, QString *oName);

Q_SIGNALS:
    void errorRaised(TError iError);

public Q_SLOTS:
    /*! The SMTP server's host name or address. */
    QString host() const;
    /*! Sets the SMTP server's host name or address. */
    void setHost(const QString &iHostStr);
    /*! The SMTP server's port. */
    int port() const;
    /*! Sets the SMTP server's port. */
    void setPort(int iPortInt);
    /*! The connection type (Tcp, Ssl or Tls). */
    int connectionType() const;
    /*! The connection type as "Tcp", "Ssl" or "Tls". */
    QString connectionTypeString() const;
    /*! Stores the connection type and creates a socket for it. */
    void setConnectionType(ConnectionType iConnectionType);
    /*! Stores the connection type named "SSL", "TLS" or anything else for Tcp. */
    void setConnectionType(const QString &iConnectionTypeStr);
    /*! The login user. */
    QString user() const;
    /*! Sets the login user. */
    void setUser(const QString &iUserStr);
    /*! The login password. */
    QString password() const;
    /*! Sets the login password. */
    void setPassword(const QString &iPasswordStr);
    /*! The recipient entries for send(). */
    QStringList toUsers() const;
    /*! Sets the recipient entries for send(). */
    void setToUsers(const QStringList &iVarLst);
    /*! Sets the recipient entries for send() from a ";"-separated text. */
    void setToUsers(const QString &iStr);
    /*! The copy recipient entries for send(). */
    QStringList ccUsers() const;
    /*! Sets the copy recipient entries for send(). */
    void setCcUsers(const QStringList &iVarLst);
    /*! Sets the copy recipient entries for send() from a ";"-separated text. */
    void setCcUsers(const QString &iStr);
    /*! The blind-copy recipient entries for send(). */
    QStringList bccUsers() const;
    /*! Sets the blind-copy recipient entries for send(). */
    void setBccUsers(const QStringList &iVarLst);
    /*! Sets the blind-copy recipient entries for send() from a ";"-separated text. */
    void setBccUsers(const QString &iStr);
    /*! The subject for send(). */
    QString subject() const;
    /*! Sets the subject for send(). */
    void setSubject(const QString &iSubjectStr);
    /*! The HTML body for send(). */
    QString content() const;
    /*! Sets the HTML body for send(). */
    void setContent(const QString &iContentStr);
    /*! The attachment file paths for send(). */
    QStringList attachments() const;
    /*! Sets the attachment file paths for send(). */
    void setAttachments(const QStringList &iAttsStrLst);
    /*! The authentication method. */
    int authMethod() const;
    /*! The authentication method as "None", "PLAIN", "LOGIN", "NTLM" or "CRAM-MD5". */
    QString authMethodString() const;
    /*! Sets the authentication method. */
    void setAuthMethod(AuthMethod iMethod);
    /*! Sets the authentication method by name ("PLAIN", "LOGIN", "CRAM-MD5", ...). */
    void setAuthMethod(const QString &iMethodStr);
    /*! The last reply line read, line end included. */
    QString responseText() const;
    /*! The code of the last reply line read. */
    int responseCode() const;
    /*! The time-out of connecting and of the encryption handshake, in milliseconds. */
    int connectionTimeout() const;
    /*! Sets the time-out of connecting and of the encryption handshake, in milliseconds. */
    void setConnectionTimeout(int iMsecInt);
    /*! The longest silence allowed while waiting for a reply or writing, in milliseconds. */
    int responseTimeout() const;
    /*! Sets the longest silence allowed while waiting for a reply or writing, in milliseconds. */
    void setResponseTimeout(int iMsecInt);
    /*! The current socket, or null. */
    QTcpSocket *socket() const;
    /*! Connects, reads the greeting and says EHLO (with STARTTLS for Tls). */
    bool connectToHost();
    /*! Logs in with the stored user, password and method. */
    bool login();
    /*! Logs in with the given user, password and method. */
    bool login(const QString &iUserStr, const QString &iPwdStr = QString(), AuthMethod iMethod = AuthLogin);
    /*! Says QUIT, waits briefly for the answer and closes the connection. */
    bool quit();
    /*! Sends the stored mail (sendMail with the stored fields). */
    bool send();
    /*!
     * Connects, logs in and sends one HTML mail with attachments. Entries are
     * "<Name>address" or plain addresses.
     */
    bool sendMail(const QString &iUserStr, const QString &iPasswordStr, const QStringList &iToStrLst,
                  const QString &iSubjectStr = QString(), const QString &iBodyStr = QString(),
                  const QStringList &iAttachmentsStrLst = QStringList(), const QStringList &iCcStrLst = QStringList(),
                  const QStringList &iBccStrLst = QStringList());
    /*! A copy of the last error. */
    TError lastError() const;
    /*! Empties the last error. */
    void clearError();

protected Q_SLOTS:
    void onSocketStateChanged(QAbstractSocket::SocketState iState);
    void onSocketError(QAbstractSocket::SocketError iError);
    void onSocketReadyRead();

protected:
    bool sendMail(TMimeMessage &iMessage);
    qint64 sendMessage(const QString &iText);
    bool waitForResponse();

private:
    Q_DECLARE_PRIVATE_D(d, TMail)
    const std::unique_ptr<TMailPrivate> d;
};

#endif // TMAIL_H
