#include "tdataparse.h"
#include "terror.h"

// ======================================================================
// JSON, variant and text conversions

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QRegularExpression>
#include <QUuid>

namespace {

// JSON text of a map, list or text list; other values give no document.
bool toJsonDocument(const QVariant &iVariant, QJsonDocument *oDoc)
{
    switch (iVariant.userType()) {
    case QMetaType::QVariantMap:
        *oDoc = QJsonDocument(QJsonObject::fromVariantMap(*static_cast<const QVariantMap *>(iVariant.constData())));
        return true;
    case QMetaType::QVariantList:
        *oDoc = QJsonDocument(QJsonArray::fromVariantList(*static_cast<const QVariantList *>(iVariant.constData())));
        return true;
    case QMetaType::QStringList:
        *oDoc = QJsonDocument(QJsonArray::fromStringList(*static_cast<const QStringList *>(iVariant.constData())));
        return true;
    default:
        return false;
    }
}

bool isEmptyValue(const QVariant &iValue)
{
    if (!iValue.isValid() || iValue.isNull())
        return true;
    return iValue.userType() == QMetaType::QString && iValue.toString().isEmpty();
}

// The UTF-8 bytes of a text up to its first zero byte.
QByteArray utf8UpToZero(const QString &iStr)
{
    const QByteArray bytes = iStr.toUtf8();
    const int zero = bytes.indexOf('\0');
    return zero < 0 ? bytes : bytes.left(zero);
}

} // namespace

QVariant TDataParse::jsonStr2Variant(const QString &iJsonStr, TError *iErr)
{
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(iJsonStr.toUtf8(), &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        if (iErr)
            iErr->setError(parseError.errorString(), QStringLiteral("Error"));
        return QVariant();
    }
    if (doc.isArray())
        return doc.array().toVariantList();
    return doc.object().toVariantMap();
}

QString TDataParse::variant2JsonStr(const QVariant &iVariant, bool iCompact)
{
    QJsonDocument doc;
    if (!toJsonDocument(iVariant, &doc))
        return iVariant.toString();
    return QString::fromUtf8(doc.toJson(iCompact ? QJsonDocument::Compact : QJsonDocument::Indented));
}

QString TDataParse::strReplaceDollar(const QString &iStr, const QVariantMap &iValueMap)
{
    QString result = iStr;
    for (auto it = iValueMap.cbegin(); it != iValueMap.cend(); ++it) {
        const QString pattern = QLatin1String("${") + it.key() + QLatin1Char('}');
        if (result.contains(pattern))
            result.replace(pattern, it.value().toString(), Qt::CaseSensitive);
    }
    return result;
}

QStringList TDataParse::strCapDollar(const QString &iStr)
{
    static const QRegularExpression placeholder(QStringLiteral("\\$\\{([^${ }]+)\\}"));
    QStringList names;
    QRegularExpressionMatchIterator it = placeholder.globalMatch(iStr);
    while (it.hasNext())
        names.append(it.next().captured(1));
    return names;
}

QString TDataParse::getUuid()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

QString TDataParse::getVariantMd5(const QVariant &iVariant)
{
    QJsonDocument doc;
    const QByteArray bytes = toJsonDocument(iVariant, &doc) ? doc.toJson(QJsonDocument::Indented)
                                                             : iVariant.toString().toUtf8();
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex());
}

QString TDataParse::encryptBase64(const QString &iStr)
{
    const QByteArray once = utf8UpToZero(iStr.trimmed()).toBase64();
    return QString::fromLatin1(once.toBase64()).trimmed();
}

QString TDataParse::decryptBase64(const QString &iStr)
{
    return QString::fromUtf8(QByteArray::fromBase64(QByteArray::fromBase64(utf8UpToZero(iStr))));
}

QVariantMap TDataParse::mergeVariantMap(const QVariantMap &iBase, const QVariantMap &iOther, bool iSkipEmpty)
{
    QVariantMap result = iBase;
    for (auto it = iOther.cbegin(); it != iOther.cend(); ++it) {
        if (!iSkipEmpty || !isEmptyValue(it.value()))
            result.insert(it.key(), it.value());
    }
    return result;
}

QVariantMap TDataParse::removeVariantMapEmptyItem(const QVariantMap &iMap)
{
    QVariantMap result;
    for (auto it = iMap.cbegin(); it != iMap.cend(); ++it) {
        if (!isEmptyValue(it.value()))
            result.insert(it.key(), it.value());
    }
    return result;
}

QVariantMap TDataParse::replaceVariantMapEmptyItem(const QVariantMap &iMap, const QVariant &iReplacement)
{
    QVariantMap result = iMap;
    for (auto it = result.begin(); it != result.end(); ++it) {
        if (isEmptyValue(it.value()))
            it.value() = iReplacement;
    }
    return result;
}

QString TDataParse::fetchEnumText(const QVariantList &iEnumList, const QStringList &iNames, const QString &iSeparator)
{
    QHash<QString, QVariantMap> byName;
    for (const QVariant &entry : iEnumList) {
        const QVariantMap map = entry.toMap();
        byName.insert(map.value(QStringLiteral("name")).toString(), map);
    }
    QStringList texts;
    texts.reserve(iNames.size());
    for (const QString &name : iNames) {
        const QString text = byName.value(name).value(QStringLiteral("text")).toString();
        texts.append(text.isEmpty() ? name : text);
    }
    return texts.join(iSeparator);
}

QVariantList TDataParse::fetchVariantListField(const QVariantList &iList, const QString &iKey)
{
    QVariantList result;
    result.reserve(iList.size());
    for (const QVariant &element : iList)
        result.append(element.toMap().value(iKey));
    return result;
}

QVariantMap TDataParse::fetchVariantMapField(const QVariantMap &iMap, const QStringList &iKeys, bool iKeepMissing)
{
    QVariantMap result;
    for (const QString &rawKey : iKeys) {
        const QString key = rawKey.trimmed();
        auto found = iMap.constFind(key);
        if (found != iMap.cend())
            result.insert(key, found.value());
        else if (iKeepMissing)
            result.insert(key, QVariant());
    }
    return result;
}

QVariantMap TDataParse::fetchVariantMapField(const QVariantMap &iMap, const QString &iKeys, bool iKeepMissing)
{
    return fetchVariantMapField(iMap, iKeys.split(QLatin1Char(','), Qt::KeepEmptyParts), iKeepMissing);
}

QVariantList TDataParse::headerItem2searchList(const QVariantList &iHeaderItem, const QString &iTypeKey,
                                               const QString &iCaseSensitiveKey)
{
    QVariantList result;
    for (const QVariant &item : iHeaderItem) {
        if (!item.isValid())
            continue;
        const QVariantMap column = item.toMap();
        if (!column.contains(iTypeKey))
            continue;
        const QVariantMap userData {
            {QStringLiteral("type"), column.value(iTypeKey)},
            {QStringLiteral("caseSensitive"), column.value(iCaseSensitiveKey)},
        };
        result.append(QVariantMap {
            {QStringLiteral("name"), column.value(QStringLiteral("name"))},
            {QStringLiteral("text"), column.value(QStringLiteral("display"))},
            {QStringLiteral("userData"), userData},
        });
    }
    return result;
}

QVariantList TDataParse::sqlArrayData2MapList(const QVariantMap &iData)
{
    QVariantList result;
    if (iData.isEmpty())
        return result;
    const QVariantList fields = iData.value(QStringLiteral("field")).toList();
    const QVariantList rows = iData.value(QStringLiteral("data")).toList();
    QStringList names;
    names.reserve(fields.size());
    for (const QVariant &field : fields)
        names.append(field.toString());
    result.reserve(rows.size());
    for (const QVariant &rowVar : rows) {
        const QVariantList row = rowVar.toList();
        QVariantMap map;
        for (int i = 0; i < names.size(); ++i)
            map.insert(names.at(i), row.value(i));
        result.append(map);
    }
    return result;
}

bool TDataParse::strIsInteger(const QString &iStr)
{
    static const QRegularExpression integer(QStringLiteral("^[+-]?(\\d+)$"));
    return integer.match(iStr).hasMatch();
}

bool TDataParse::strIsNumber(const QString &iStr)
{
    static const QRegularExpression number(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\d*\\.?\\d+)$"));
    return number.match(iStr).hasMatch();
}

namespace {

// Alternating keys and values, shared by the list and text-list forms.
template<typename List>
QVariantMap alternatingToMap(const List &iList)
{
    QVariantMap result;
    for (int i = 0; i + 1 < iList.size(); i += 2)
        result.insert(QVariant(iList.at(i)).toString(), QVariant(iList.at(i + 1)));
    return result;
}

} // namespace

QVariantMap TDataParse::stringList2VariantMap(const QStringList &iList)
{
    return alternatingToMap(iList);
}

QVariantMap TDataParse::stringMap2VariantMap(QMap<QString, QString> iMap)
{
    QVariantMap result;
    for (auto it = iMap.cbegin(); it != iMap.cend(); ++it)
        result.insert(it.key(), it.value());
    return result;
}

QVariantMap TDataParse::variantList2Map(const QVariantList &iList)
{
    return alternatingToMap(iList);
}

QStringList TDataParse::variantList2StringList(const QVariantList &iList)
{
    QStringList result;
    result.reserve(iList.size());
    for (const QVariant &element : iList)
        result.append(element.toString());
    return result;
}

QMap<QString, QString> TDataParse::variantMap2StringMap(QVariantMap iMap)
{
    QMap<QString, QString> result;
    for (auto it = iMap.cbegin(); it != iMap.cend(); ++it)
        result.insert(it.key(), it.value().toString());
    return result;
}


// ======================================================================
// Command strings and CSV

#include <QDebug>

namespace {

// "COM" and, when the first part has a slash, "UID" of a command string.
void putCommandHead(QVariantMap &oMap, const QString &iHead)
{
    const int slash = iHead.indexOf(QLatin1Char('/'));
    if (slash < 0) {
        oMap.insert(QStringLiteral("COM"), iHead.trimmed());
        return;
    }
    oMap.insert(QStringLiteral("COM"), iHead.left(slash).trimmed());
    oMap.insert(QStringLiteral("UID"), iHead.mid(slash + 1).trimmed());
}

// Index of the first SEP at or after FROM that no backslash precedes, or -1.
int unescapedIndexOf(const QString &iText, QChar iSep, int iFrom)
{
    int pos = iText.indexOf(iSep, iFrom);
    while (pos > 0 && iText.at(pos - 1) == QLatin1Char('\\'))
        pos = iText.indexOf(iSep, pos + 1);
    return pos;
}

} // namespace

QVariantMap TDataParse::commandStr2Map(const QString &iCommand, const QString &iKeyCase, TError *oErr)
{
    Q_UNUSED(oErr)
    QVariantMap map;
    if (iCommand.isEmpty()) {
        qDebug().noquote() << QStringLiteral("Url can not be null.");
        return map;
    }
    if (!iCommand.contains(QLatin1Char(','))) {
        putCommandHead(map, iCommand);
        return map;
    }

    QStringList parts;
    QString rest = iCommand;
    for (int comma = unescapedIndexOf(rest, QLatin1Char(','), 0); comma >= 0;
         comma = unescapedIndexOf(rest, QLatin1Char(','), 0)) {
        parts.append(rest.left(comma).trimmed());
        rest = rest.mid(comma + 1);
    }
    parts.append(rest.trimmed());
    putCommandHead(map, parts.first());

    const QString keyCase = iKeyCase.toUpper();
    for (const QString &part : qAsConst(parts)) {
        const int first = part.indexOf(QLatin1Char('='));
        if (first <= 0 || first == part.size() - 1)
            continue;
        const int eq = unescapedIndexOf(part, QLatin1Char('='), first);
        if (eq < 0)
            continue;
        QString key = part.left(eq).trimmed();
        const QString value = part.mid(eq + 1).trimmed();
        if (key.isEmpty() || value.isEmpty())
            continue;
        if (keyCase == QLatin1String("UPPER"))
            key = key.toUpper();
        else if (keyCase == QLatin1String("LOWER"))
            key = key.toLower();
        if (key.toUpper() == QLatin1String("UID"))
            key = QStringLiteral("UID");
        map.insert(key, value);
    }
    return map;
}

QList<QStringList> TDataParse::csvStr2List(const QString &iText, TError *oErr)
{
    QList<QStringList> records;
    if (iText.isEmpty())
        return records;
    QString text = iText;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    if (!text.endsWith(QLatin1Char('\n')))
        text.append(QLatin1Char('\n'));

    const QChar quote(QLatin1Char('"'));
    bool quoted = false;
    QString field;
    QStringList record;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c != quote) {
                field.append(c);
            } else if (i + 1 < text.size() && text.at(i + 1) == quote) {
                field.append(quote);
                ++i;
            } else {
                quoted = false;
            }
        } else if (c == QLatin1Char('\n')) {
            record.append(field);
            records.append(record);
            field.clear();
            record.clear();
        } else if (c == QLatin1Char(',')) {
            record.append(field);
            field.clear();
        } else if (c == quote) {
            quoted = true;
        } else {
            field.append(c);
        }
    }
    if (quoted && oErr)
        oErr->setError(QStringLiteral("Double quotation marks do not match!"));
    return records;
}

QStringList TDataParse::csvLine2List(const QString &iText, TError *oErr)
{
    const QList<QStringList> records = csvStr2List(iText, oErr);
    return records.isEmpty() ? QStringList() : records.first();
}

QString TDataParse::stringList2Csv(const QStringList &iFields)
{
    QStringList fields;
    fields.reserve(iFields.size());
    for (QString field : iFields) {
        if (field.contains(QLatin1Char(',')) || field.contains(QLatin1Char('"'))) {
            field.replace(QLatin1String("\""), QLatin1String("\\\""));
            field = QLatin1Char('"') + field + QLatin1Char('"');
        }
        fields.append(field);
    }
    return fields.join(QLatin1Char(','));
}


// ======================================================================
// XML conversions

#include <QDomDocument>
#include <QDomElement>
#include <QDomNamedNodeMap>
#include <QHash>

namespace {

QDomElement findXmlChild(const QDomElement &iElement, const QString &iTagName)
{
    for (QDomNode node = iElement.firstChild(); !node.isNull(); node = node.nextSibling()) {
        const QDomElement child = node.toElement();
        if (!child.isNull() && child.tagName() == iTagName)
            return child;
        if (node.hasChildNodes()) {
            const QDomElement found = findXmlChild(node.toElement(), iTagName);
            if (!found.isNull())
                return found;
        }
    }
    return QDomElement();
}

QDomElement xmlDataRoot(const QString &iXml, const QString &iRootName)
{
    if (iXml.isEmpty())
        return QDomElement();
    QDomDocument doc;
    QString message;
    int line = 0;
    int column = 0;
    if (!doc.setContent(iXml, false, &message, &line, &column)) {
        qDebug().noquote() << QStringLiteral("Parser Xml Stream failed at line %1 column %2, error: %3!\n")
                                  .arg(line).arg(column).arg(message);
        return QDomElement();
    }
    if (doc.isNull()) {
        qDebug().noquote() << QStringLiteral("document is null.");
        return QDomElement();
    }
    const QDomElement root = doc.documentElement();
    if (iRootName.isEmpty() || root.tagName() == iRootName)
        return root;
    return findXmlChild(root, iRootName);
}

// The first flag that names ELEMENT by its tag, or by a path of its own and
// its nearest ancestors' tags.
QString findXmlArrayFlag(const QDomElement &iElement, const QStringList &iArrayFlags)
{
    for (const QString &flag : iArrayFlags) {
        if (flag.isEmpty())
            continue;
        if (flag == iElement.tagName())
            return flag;
        QStringList parts = flag.split(QLatin1Char('/'));
        if (parts.first().isEmpty())
            parts.removeFirst();
        QDomNode node = iElement;
        bool matches = true;
        while (!parts.isEmpty()) {
            const QString tag = node.toElement().tagName();
            if (tag.isEmpty() || tag != parts.last()) {
                matches = false;
                break;
            }
            parts.removeLast();
            node = node.parentNode();
        }
        if (matches)
            return flag;
    }
    return QString();
}

// The text of the element's own text and CDATA children, leaving out what
// its child elements hold.
QString xmlOwnText(const QDomElement &iElement)
{
    QString text;
    for (QDomNode node = iElement.firstChild(); !node.isNull(); node = node.nextSibling()) {
        if (node.isText())  // CDATA sections are text nodes too
            text += node.toText().data();
    }
    return text;
}

QVariant xmlDom2Variant(const QDomElement &iElement, const QStringList &iArrayFlags,
                        const QString &iTextKey, bool iOwnText)
{
    QVariantMap map;
    const QString fullText = iElement.text();
    if (!fullText.isEmpty()) {
        const QString text = iOwnText ? xmlOwnText(iElement) : fullText;
        if (!text.isEmpty())
            map.insert(iTextKey, text);
    }
    const QDomNamedNodeMap attributes = iElement.attributes();
    for (int i = 0; i < attributes.count(); ++i) {
        const QDomAttr attribute = attributes.item(i).toAttr();
        map.insert(attribute.name(), attribute.value());
    }
    if (!iElement.hasChildNodes())
        return map;

    QStringList tags;
    QHash<QString, QVariantList> values;
    QHash<QString, QDomElement> lastSeen;
    for (QDomNode node = iElement.firstChild(); !node.isNull(); node = node.nextSibling()) {
        const QDomElement child = node.toElement();
        if (child.isNull() || child.tagName().isEmpty())
            continue;
        const QString tag = child.tagName();
        if (!values.contains(tag))
            tags.append(tag);
        values[tag].append(xmlDom2Variant(child, iArrayFlags, iTextKey, iOwnText));
        lastSeen.insert(tag, child);
    }
    for (const QString &tag : qAsConst(tags)) {
        const QVariantList list = values.value(tag);
        if (list.size() > 1 || !findXmlArrayFlag(lastSeen.value(tag), iArrayFlags).isEmpty())
            map.insert(tag, list);
        else
            map.insert(tag, list.first());
    }

    if (!iOwnText)
        return (map.size() == 1 && !fullText.isEmpty()) ? QVariant(fullText) : QVariant(map);
    if (map.isEmpty() && !fullText.isEmpty())
        return fullText;
    if (map.size() == 1 && map.constBegin().key() == iTextKey)
        return map.constBegin().value();
    return map;
}

} // namespace

QVariantMap TDataParse::simpleXml2Map(const QString &iXml, const QString &iCase, TError *oErr)
{
    QVariantMap map;
    QDomDocument doc;
    QString message;
    int line = 0;
    int column = 0;
    if (!doc.setContent(iXml, false, &message, &line, &column)) {
        if (oErr) {
            oErr->setError(QStringLiteral("Parse Xml data failed at line %1 column %2, error: %3\n")
                               .arg(line).arg(column).arg(message),
                           QStringLiteral("Error"));
        }
        return map;
    }
    const QString keyCase = iCase.toUpper();
    for (QDomNode node = doc.documentElement().firstChild(); !node.isNull(); node = node.nextSibling()) {
        const QDomElement element = node.toElement();
        QString key = element.tagName();
        if (keyCase == QLatin1String("UPPER"))
            key = key.toUpper();
        else if (keyCase == QLatin1String("LOWER"))
            key = key.toLower();
        map.insert(key, element.text().trimmed());
    }
    return map;
}

QVariant TDataParse::xmlStr2Variant(const QString &iXml, const QStringList &iArrayFlags,
                                    const QString &iRootName, const QString &iTextKey,
                                    const QVariantMap &iOptions)
{
    const QDomElement root = xmlDataRoot(iXml, iRootName);
    if (root.isNull())
        return QVariantMap();
    const auto option = iOptions.constFind(QStringLiteral("recursively_text"));
    const bool ownText = option != iOptions.constEnd() && !option.value().toBool();
    return xmlDom2Variant(root, iArrayFlags, iTextKey, ownText);
}

QString TDataParse::strEscapeXml(const QString &iText)
{
    QString text = iText;
    text.replace(QLatin1Char('&'), QLatin1String("&amp;"));
    text.replace(QLatin1Char('<'), QLatin1String("&lt;"));
    text.replace(QLatin1Char('>'), QLatin1String("&gt;"));
    text.replace(QLatin1Char('\''), QLatin1String("&apos;"));
    text.replace(QLatin1Char('"'), QLatin1String("&quot;"));
    return text;
}


// ======================================================================
// Geometry, lengths, colours, Roman numerals and rich text


// ======================================================================
