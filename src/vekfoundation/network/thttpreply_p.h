#ifndef THTTPREPLY_P_H
#define THTTPREPLY_P_H

#include "thttpreply.h"

class THttpReplyPrivate
{
    Q_DECLARE_PUBLIC(THttpReply)
public:
    explicit THttpReplyPrivate(THttpReply *qptr)
        : q_ptr(qptr)
    {}

    void copyFields(const THttpReplyPrivate &iOther)
    {
        byteData = iOther.byteData;
        errorCode = iOther.errorCode;
        errorString = iOther.errorString;
    }

    QByteArray byteData;
    QNetworkReply::NetworkError errorCode = QNetworkReply::NoError;
    QString errorString;
    THttpReply *q_ptr;
};

#endif // THTTPREPLY_P_H
