#ifndef TMAIL_P_H
#define TMAIL_P_H

#include "tmail.h"

#include <QPointer>
#include <QTcpSocket>

class TMimeMessage;

class TMailPrivate
{
    Q_DECLARE_PUBLIC(TMail)
public:
    explicit TMailPrivate(TMail *qptr)
        : q_ptr(qptr)
    {}

    void raiseError(const QString &iCode, const QString &iText);
    QTcpSocket *createSocket(int iType);
    bool isConnected() const;
    bool requireConnection();
    //! Waits until at most iKeep bytes are still to be written.
    bool flushWrites(qint64 iKeep = 0);
    int exchange(const QString &iLine);
    bool serverStep(const QString &iLine, int iExpectedCode);
    bool checkAddresses(const TMimeMessage &iMessage);
    bool readBufferedReply(bool iRaiseErrors);
    bool authExchange(const QList<QByteArray> &iLines, int iFinalCode);

    QPointer<QTcpSocket> socket;
    QString host {QStringLiteral("localhost")};
    int port {25};
    int connectionType {TMail::Tcp};
    QString user;
    QString password;
    int authMethod {TMail::AuthNone};
    int connectionTimeout {60000};
    int responseTimeout {60000};
    QString responseText;
    int responseCode {0};
    QString subject;
    QString content;
    QStringList toUsers;
    QStringList ccUsers;
    QStringList bccUsers;
    QStringList attachments;
    TError lastError;
    TMail *q_ptr;
};

#endif // TMAIL_P_H
