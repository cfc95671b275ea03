#ifndef THTTPARGS_P_H
#define THTTPARGS_P_H

#include "thttpargs.h"

class THttpArgsPrivate
{
    Q_DECLARE_PUBLIC(THttpArgs)
public:
    explicit THttpArgsPrivate(THttpArgs *qptr)
        : q_ptr(qptr)
    {}

    // Copies the data fields only; the back pointer stays with its owner.
    void copyFields(const THttpArgsPrivate &iOther)
    {
        headerList = iOther.headerList;
        url = iOther.url;
        requestString = iOther.requestString;
        requestData = iOther.requestData;
        requestFormat = iOther.requestFormat;
        replyFormat = iOther.replyFormat;
        replyCodec = iOther.replyCodec;
        replyXmlRoot = iOther.replyXmlRoot;
        replyXmlArrayNode = iOther.replyXmlArrayNode;
    }

    QVariantList headerList;
    QString url;
    QString requestString;
    QVariant requestData;
    THttpArgs::DataFormat requestFormat = THttpArgs::Xml;
    THttpArgs::DataFormat replyFormat = THttpArgs::String;
    QString replyCodec;
    QString replyXmlRoot;
    QStringList replyXmlArrayNode;
    THttpArgs *q_ptr;
};

#endif // THTTPARGS_P_H
