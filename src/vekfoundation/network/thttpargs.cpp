#include "thttpargs.h"
#include "thttpargs_p.h"
#include "tscriptvalue.h"

THttpArgs::THttpArgs(QObject *iParent)
    : QObject(iParent)
    , d(new THttpArgsPrivate(this))
{}

THttpArgs::THttpArgs(const THttpArgs &iOther)
    : QObject(iOther.parent())
    , d(new THttpArgsPrivate(this))
{
    d->copyFields(*iOther.d);
}

THttpArgs &THttpArgs::operator=(const THttpArgs &iOther)
{
    if (&iOther != this)
        d->copyFields(*iOther.d);
    return *this;
}

THttpArgs::~THttpArgs() = default;

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
    THttpArgsPrivate *const argsD = args.d.get();
    for (auto it = iMap.cbegin(); it != iMap.cend(); ++it) {
        const QString key = it.key().toUpper();
        const QVariant &value = it.value();
        if (key == QLatin1String("HEADERLIST"))
            argsD->headerList = TScriptValue::toPlain(value).toList();
        else if (key == QLatin1String("REPLYFORMAT"))
            argsD->replyFormat = str2DataFormat(value.toString());
        else if (key == QLatin1String("REPLYXMLARRAYNODE"))
            argsD->replyXmlArrayNode = value.toStringList();
        else if (key == QLatin1String("REPLYXMLROOT"))
            argsD->replyXmlRoot = value.toString();
        else if (key == QLatin1String("REPLYCODEC"))
            argsD->replyCodec = value.toString();
        else if (key == QLatin1String("REQUESTDATA"))
            argsD->requestData = TScriptValue::toPlain(value);
        else if (key == QLatin1String("REQUESTFORMAT"))
            argsD->requestFormat = str2DataFormat(value.toString());
        else if (key == QLatin1String("REQUESTSTRING"))
            argsD->requestString = value.toString();
        else if (key == QLatin1String("URL"))
            argsD->url = value.toString();
    }
    return args;
}

QString THttpArgs::url() { return d->url; }
void THttpArgs::setUrl(QString iUrlStr) { d->url = iUrlStr; }

QVariantList THttpArgs::headerList() { return d->headerList; }
void THttpArgs::setHeaderList(QVariantList iVarList) { d->headerList = TScriptValue::toPlain(iVarList).toList(); }

void THttpArgs::addHeader(QString iHeaderNameStr, QString iHeaderValueStr)
{
    d->headerList.append(QVariant(QStringList {iHeaderNameStr, iHeaderValueStr}));
}

QString THttpArgs::requestString() { return d->requestString; }
void THttpArgs::setRequestString(QString iStr) { d->requestString = iStr; }

QVariant THttpArgs::requestData() { return d->requestData; }
void THttpArgs::setRequestData(QVariant iVar) { d->requestData = TScriptValue::toPlain(iVar); }

THttpArgs::DataFormat THttpArgs::requestFormat() { return d->requestFormat; }
void THttpArgs::setRequestFromat(DataFormat iFormat) { d->requestFormat = iFormat; }
QString THttpArgs::requestFormatName() { return dataFromat2Str(d->requestFormat); }
void THttpArgs::setRequestFromatName(QString iFormatStr) { d->requestFormat = str2DataFormat(iFormatStr); }

QString THttpArgs::replyCodec() { return d->replyCodec; }
void THttpArgs::setReplyCodec(QString iCodecStr) { d->replyCodec = iCodecStr; }

THttpArgs::DataFormat THttpArgs::replyFormat() { return d->replyFormat; }
void THttpArgs::setReplyFormat(DataFormat iFormat) { d->replyFormat = iFormat; }
QString THttpArgs::replyFormatName() { return dataFromat2Str(d->replyFormat); }
void THttpArgs::setReplyFormatName(QString iFormatStr) { d->replyFormat = str2DataFormat(iFormatStr); }

QString THttpArgs::replyXmlRoot() { return d->replyXmlRoot; }
void THttpArgs::setReplyXmlRoot(QString iRootStr) { d->replyXmlRoot = iRootStr; }

QStringList THttpArgs::replyXmlArrayNode() { return d->replyXmlArrayNode; }
void THttpArgs::setReplyXmlArrayNode(QStringList iNodesStrLst) { d->replyXmlArrayNode = iNodesStrLst; }

QVariantMap THttpArgs::toVariantMap()
{
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
