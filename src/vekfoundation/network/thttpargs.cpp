#include "thttpargs.h"
#include "thttpargs_p.h"
#include "tscriptvalue.h"

THttpArgs::THttpArgs(QObject *iParent)
    : QObject(iParent)
    , d_ptr(new THttpArgsPrivate(this))
{}

THttpArgs::THttpArgs(const THttpArgs &iOther)
    : QObject(iOther.parent())
    , d_ptr(new THttpArgsPrivate(this))
{
    d_ptr->copyFields(*iOther.d_ptr);
}

THttpArgs &THttpArgs::operator=(const THttpArgs &iOther)
{
    if (&iOther != this)
        d_ptr->copyFields(*iOther.d_ptr);
    return *this;
}

THttpArgs::~THttpArgs() { delete d_ptr; }

QString THttpArgs::dataFromat2Str(DataFormat iFormat)
{
    switch (iFormat) {
    case Json:
        return QStringLiteral("Json");
    case Xml:
        return QStringLiteral("Xml");
    default:
        return QStringLiteral("String");
    }
}

THttpArgs::DataFormat THttpArgs::str2DataFormat(const QString &iFormatStr)
{
    // Matching the end lets media types such as "application/json" name a format.
    if (iFormatStr.endsWith(QLatin1String("json"), Qt::CaseInsensitive))
        return Json;
    if (iFormatStr.endsWith(QLatin1String("xml"), Qt::CaseInsensitive))
        return Xml;
    return String;
}

THttpArgs THttpArgs::fromVariantMap(const QVariantMap &iMap)
{
    THttpArgs args;
    THttpArgsPrivate *d = args.d_ptr;
    for (auto it = iMap.cbegin(); it != iMap.cend(); ++it) {
        const QString key = it.key().toUpper();
        const QVariant &value = it.value();
        if (key == QLatin1String("HEADERLIST"))
            d->headerList = TScriptValue::toPlain(value).toList();
        else if (key == QLatin1String("REPLYFORMAT"))
            d->replyFormat = str2DataFormat(value.toString());
        else if (key == QLatin1String("REPLYXMLARRAYNODE"))
            d->replyXmlArrayNode = value.toStringList();
        else if (key == QLatin1String("REPLYXMLROOT"))
            d->replyXmlRoot = value.toString();
        else if (key == QLatin1String("REPLYCODEC"))
            d->replyCodec = value.toString();
        else if (key == QLatin1String("REQUESTDATA"))
            d->requestData = TScriptValue::toPlain(value);
        else if (key == QLatin1String("REQUESTFORMAT"))
            d->requestFormat = str2DataFormat(value.toString());
        else if (key == QLatin1String("REQUESTSTRING"))
            d->requestString = value.toString();
        else if (key == QLatin1String("URL"))
            d->url = value.toString();
    }
    return args;
}

QString THttpArgs::url()
{
    Q_D(THttpArgs);
    return d->url;
}
void THttpArgs::setUrl(QString iUrlStr)
{
    Q_D(THttpArgs);
    d->url = iUrlStr;
}

QVariantList THttpArgs::headerList()
{
    Q_D(THttpArgs);
    return d->headerList;
}
void THttpArgs::setHeaderList(QVariantList iVarList)
{
    Q_D(THttpArgs);
    d->headerList = TScriptValue::toPlain(iVarList).toList();
}

void THttpArgs::addHeader(QString iHeaderNameStr, QString iHeaderValueStr)
{
    Q_D(THttpArgs);
    d->headerList.append(QVariant(QStringList {iHeaderNameStr, iHeaderValueStr}));
}

QString THttpArgs::requestString()
{
    Q_D(THttpArgs);
    return d->requestString;
}
void THttpArgs::setRequestString(QString iStr)
{
    Q_D(THttpArgs);
    d->requestString = iStr;
}

QVariant THttpArgs::requestData()
{
    Q_D(THttpArgs);
    return d->requestData;
}
void THttpArgs::setRequestData(QVariant iVar)
{
    Q_D(THttpArgs);
    d->requestData = TScriptValue::toPlain(iVar);
}

THttpArgs::DataFormat THttpArgs::requestFormat()
{
    Q_D(THttpArgs);
    return d->requestFormat;
}
void THttpArgs::setRequestFromat(DataFormat iFormat)
{
    Q_D(THttpArgs);
    d->requestFormat = iFormat;
}
QString THttpArgs::requestFormatName()
{
    Q_D(THttpArgs);
    return dataFromat2Str(d->requestFormat);
}
void THttpArgs::setRequestFromatName(QString iFormatStr)
{
    Q_D(THttpArgs);
    d->requestFormat = str2DataFormat(iFormatStr);
}

QString THttpArgs::replyCodec()
{
    Q_D(THttpArgs);
    return d->replyCodec;
}
void THttpArgs::setReplyCodec(QString iCodecStr)
{
    Q_D(THttpArgs);
    d->replyCodec = iCodecStr;
}

THttpArgs::DataFormat THttpArgs::replyFormat()
{
    Q_D(THttpArgs);
    return d->replyFormat;
}
void THttpArgs::setReplyFormat(DataFormat iFormat)
{
    Q_D(THttpArgs);
    d->replyFormat = iFormat;
}
QString THttpArgs::replyFormatName()
{
    Q_D(THttpArgs);
    return dataFromat2Str(d->replyFormat);
}
void THttpArgs::setReplyFormatName(QString iFormatStr)
{
    Q_D(THttpArgs);
    d->replyFormat = str2DataFormat(iFormatStr);
}

QString THttpArgs::replyXmlRoot()
{
    Q_D(THttpArgs);
    return d->replyXmlRoot;
}
void THttpArgs::setReplyXmlRoot(QString iRootStr)
{
    Q_D(THttpArgs);
    d->replyXmlRoot = iRootStr;
}

QStringList THttpArgs::replyXmlArrayNode()
{
    Q_D(THttpArgs);
    return d->replyXmlArrayNode;
}
void THttpArgs::setReplyXmlArrayNode(QStringList iNodesStrLst)
{
    Q_D(THttpArgs);
    d->replyXmlArrayNode = iNodesStrLst;
}

QVariantMap THttpArgs::toVariantMap()
{
    Q_D(THttpArgs);
    QVariantMap map;
    map.insert(QStringLiteral("headerList"), d->headerList);
    map.insert(QStringLiteral("replyFormat"), dataFromat2Str(d->replyFormat));
    map.insert(QStringLiteral("replyXmlArrayNode"), d->replyXmlArrayNode);
    map.insert(QStringLiteral("replyXmlRoot"), d->replyXmlRoot);
    map.insert(QStringLiteral("replyCodec"), d->replyCodec);
    map.insert(QStringLiteral("requestData"), d->requestData);
    map.insert(QStringLiteral("requestFormat"), dataFromat2Str(d->requestFormat));
    map.insert(QStringLiteral("requestString"), d->requestString);
    map.insert(QStringLiteral("URL"), d->url);
    return map;
}
