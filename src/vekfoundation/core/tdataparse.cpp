#include "tdataparse.h"
#include "terror.h"

#include <QCoreApplication>
#include <QHash>
#include <QRegularExpression>
#include <QTextCodec>

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
bool variantToJsonDocument(const QVariant &iVariant, QJsonDocument *oDoc)
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

bool isEmptyMapValue(const QVariant &iValue)
{
    if (!iValue.isValid() || iValue.isNull())
        return true;
    return iValue.userType() == QMetaType::QString && iValue.toString().isEmpty();
}

// The UTF-8 bytes of a text up to its first zero byte.
QByteArray utf8BeforeZero(const QString &iStr)
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
    if (!variantToJsonDocument(iVariant, &doc))
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

QString TDataParse::getUuid() { return QUuid::createUuid().toString(QUuid::WithoutBraces); }

QString TDataParse::getVariantMd5(const QVariant &iVariant)
{
    QJsonDocument doc;
    const QByteArray bytes = variantToJsonDocument(iVariant, &doc) ? doc.toJson(QJsonDocument::Indented)
                                                                   : iVariant.toString().toUtf8();
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex());
}

QString TDataParse::encryptBase64(const QString &iStr)
{
    const QByteArray once = utf8BeforeZero(iStr.trimmed()).toBase64();
    return QString::fromLatin1(once.toBase64()).trimmed();
}

QString TDataParse::decryptBase64(const QString &iStr)
{
    return QString::fromUtf8(QByteArray::fromBase64(QByteArray::fromBase64(utf8BeforeZero(iStr))));
}

QVariantMap TDataParse::mergeVariantMap(const QVariantMap &iBase, const QVariantMap &iOther, bool iSkipEmpty)
{
    QVariantMap result = iBase;
    for (auto it = iOther.cbegin(); it != iOther.cend(); ++it) {
        if (!iSkipEmpty || !isEmptyMapValue(it.value()))
            result.insert(it.key(), it.value());
    }
    return result;
}

QVariantMap TDataParse::removeVariantMapEmptyItem(const QVariantMap &iMap)
{
    QVariantMap result;
    for (auto it = iMap.cbegin(); it != iMap.cend(); ++it) {
        if (!isEmptyMapValue(it.value()))
            result.insert(it.key(), it.value());
    }
    return result;
}

QVariantMap TDataParse::replaceVariantMapEmptyItem(const QVariantMap &iMap, const QVariant &iReplacement)
{
    QVariantMap result = iMap;
    for (auto it = result.begin(); it != result.end(); ++it) {
        if (isEmptyMapValue(it.value()))
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
QVariantMap alternatingPairsToMap(const List &iList)
{
    QVariantMap result;
    for (int i = 0; i + 1 < iList.size(); i += 2)
        result.insert(QVariant(iList.at(i)).toString(), QVariant(iList.at(i + 1)));
    return result;
}

} // namespace

QVariantMap TDataParse::stringList2VariantMap(const QStringList &iList) { return alternatingPairsToMap(iList); }

QVariantMap TDataParse::stringMap2VariantMap(QMap<QString, QString> iMap)
{
    QVariantMap result;
    for (auto it = iMap.cbegin(); it != iMap.cend(); ++it)
        result.insert(it.key(), it.value());
    return result;
}

QVariantMap TDataParse::variantList2Map(const QVariantList &iList) { return alternatingPairsToMap(iList); }

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
// The first ISEP at or after IFROM that no backslash precedes; the text
// before ISTART counts as absent, so a separator right at ISTART separates.
int unescapedIndexOf(const QString &iText, QChar iSep, int iFrom, int iStart = 0)
{
    int pos = iText.indexOf(iSep, iFrom);
    while (pos > iStart && iText.at(pos - 1) == QLatin1Char('\\'))
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

    // The parts are cut at offsets into the one text: copying the rest of
    // the text at every comma would make a long command quadratic.
    QStringList parts;
    int start = 0;
    for (int comma = unescapedIndexOf(iCommand, QLatin1Char(','), start, start); comma >= 0;
         comma = unescapedIndexOf(iCommand, QLatin1Char(','), start, start)) {
        parts.append(iCommand.mid(start, comma - start).trimmed());
        start = comma + 1;
    }
    parts.append(iCommand.mid(start).trimmed());
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
#include <QXmlStreamReader>

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

struct XmlParseFailure
{
    int line = 0;
    int column = 0;
    QString message;
};

// The deepest element nesting a plain scan of the markup sees: comments,
// processing instructions, CDATA sections and the document type are skipped
// and quoted attribute values are not read as markup. Stops at the first
// element past iLimit and gives its offset.
int markupDepthPast(const QString &iXml, int iLimit)
{
    const int size = iXml.size();
    int depth = 0;
    int i = 0;
    auto skipPast = [&iXml, size, &i](QLatin1String iEnd) {
        const int at = iXml.indexOf(iEnd, i);
        i = at < 0 ? size : at + iEnd.size();
    };
    while (i < size) {
        const int open = iXml.indexOf(QLatin1Char('<'), i);
        if (open < 0)
            break;
        i = open + 1;
        const QStringRef rest = iXml.midRef(i, 8);
        if (rest.startsWith(QLatin1String("!--"))) {
            skipPast(QLatin1String("-->"));
            continue;
        }
        if (rest.startsWith(QLatin1String("![CDATA["))) {
            skipPast(QLatin1String("]]>"));
            continue;
        }
        if (rest.startsWith(QLatin1Char('?'))) {
            skipPast(QLatin1String("?>"));
            continue;
        }
        if (rest.startsWith(QLatin1Char('!'))) {
            // The document type; its internal subset holds declarations in brackets.
            for (int brackets = 0; i < size; ++i) {
                const QChar c = iXml.at(i);
                if (c == QLatin1Char('['))
                    ++brackets;
                else if (c == QLatin1Char(']'))
                    --brackets;
                else if (c == QLatin1Char('>') && brackets <= 0) {
                    ++i;
                    break;
                }
            }
            continue;
        }
        const bool closing = i < size && iXml.at(i) == QLatin1Char('/');
        bool selfClosing = false;
        QChar quote;
        for (; i < size; ++i) {
            const QChar c = iXml.at(i);
            if (!quote.isNull()) {
                if (c == quote)
                    quote = QChar();
            } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
                quote = c;
            } else if (c == QLatin1Char('>')) {
                selfClosing = iXml.at(i - 1) == QLatin1Char('/');
                ++i;
                break;
            }
        }
        if (closing)
            --depth;
        else if (!selfClosing && ++depth > iLimit)
            return open;
    }
    return -1;
}

// The DOM parser and every walk over its tree recurse once per level, so a
// document nested deeper than the limit is refused before it is parsed. One
// streaming pass finds the depth; other faults are left to the DOM parser,
// which reports them in its own words. The streaming reader stops at the
// first thing it refuses, which the DOM parser may still read past: then a
// plain scan of the markup judges the rest.
bool xmlDepthWithinLimit(const QString &iXml, XmlParseFailure *oFailure)
{
    const QString message = QStringLiteral("elements nested deeper than %1 levels").arg(TDataParse::XmlDepthLimit);
    QXmlStreamReader reader(iXml);
    int depth = 0;
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (++depth > TDataParse::XmlDepthLimit) {
                oFailure->line = int(reader.lineNumber());
                oFailure->column = int(reader.columnNumber());
                oFailure->message = message;
                return false;
            }
        } else if (token == QXmlStreamReader::EndElement) {
            --depth;
        }
    }
    if (!reader.hasError())
        return true;
    const int offset = markupDepthPast(iXml, TDataParse::XmlDepthLimit);
    if (offset < 0)
        return true;
    const int lineStart = iXml.lastIndexOf(QLatin1Char('\n'), offset) + 1;
    oFailure->line = int(iXml.leftRef(offset).count(QLatin1Char('\n'))) + 1;
    oFailure->column = offset - lineStart + 1;
    oFailure->message = message;
    return false;
}

bool parseXmlDocument(const QString &iXml, QDomDocument *oDoc, XmlParseFailure *oFailure)
{
    if (!xmlDepthWithinLimit(iXml, oFailure))
        return false;
    return oDoc->setContent(iXml, false, &oFailure->message, &oFailure->line, &oFailure->column);
}

QString xmlFailureText(const XmlParseFailure &iFailure)
{
    return QStringLiteral("Parse Xml data failed at line %1 column %2, error: %3\n")
            .arg(iFailure.line)
            .arg(iFailure.column)
            .arg(iFailure.message);
}

QDomElement xmlDataRoot(const QDomDocument &iDoc, const QString &iRootName)
{
    const QDomElement root = iDoc.documentElement();
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
        if (node.isText()) // CDATA sections are text nodes too
            text += node.toText().data();
    }
    return text;
}

// The element's text is gathered once, from its children's results, so a
// deep tree is read in linear time; ioFullText receives what
// QDomElement::text() would give (text, CDATA and child elements' text).
QVariant xmlDom2Variant(const QDomElement &iElement, const QStringList &iArrayFlags, const QString &iTextKey,
                        bool iOwnText, QString *oFullText)
{
    QStringList tags;
    QHash<QString, QVariantList> values;
    QHash<QString, QDomElement> lastSeen;
    QString fullText;
    int textPieces = 0;
    const auto addText = [&fullText, &textPieces](const QString &iPiece) {
        if (iPiece.isEmpty())
            return;
        // A lone piece is shared rather than copied, so a text deep down a
        // chain of single children is not copied at every level.
        if (textPieces++ == 0)
            fullText = iPiece;
        else
            fullText += iPiece;
    };
    for (QDomNode node = iElement.firstChild(); !node.isNull(); node = node.nextSibling()) {
        if (node.isText()) { // CDATA sections are text nodes too
            addText(node.toText().data());
            continue;
        }
        const QDomElement child = node.toElement();
        if (child.isNull() || child.tagName().isEmpty())
            continue;
        const QString tag = child.tagName();
        if (!values.contains(tag))
            tags.append(tag);
        QString childText;
        values[tag].append(xmlDom2Variant(child, iArrayFlags, iTextKey, iOwnText, &childText));
        addText(childText);
        lastSeen.insert(tag, child);
    }
    *oFullText = fullText;

    QVariantMap map;
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
    XmlParseFailure failure;
    if (!parseXmlDocument(iXml, &doc, &failure)) {
        if (oErr)
            oErr->setError(xmlFailureText(failure), QStringLiteral("Error"));
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

QVariant TDataParse::xmlStr2Variant(const QString &iXml, const QStringList &iArrayFlags, const QString &iRootName,
                                    const QString &iTextKey, const QVariantMap &iOptions, TError *oErr)
{
    if (iXml.isEmpty())
        return QVariantMap();
    QDomDocument doc;
    XmlParseFailure failure;
    if (!parseXmlDocument(iXml, &doc, &failure)) {
        qDebug().noquote() << QStringLiteral("Parser Xml Stream failed at line %1 column %2, error: %3!\n")
                                      .arg(failure.line)
                                      .arg(failure.column)
                                      .arg(failure.message);
        if (oErr)
            oErr->setError(xmlFailureText(failure), QStringLiteral("Error"));
        return QVariantMap();
    }
    if (doc.isNull()) {
        qDebug().noquote() << QStringLiteral("document is null.");
        return QVariantMap();
    }
    const QDomElement root = xmlDataRoot(doc, iRootName);
    if (root.isNull())
        return QVariantMap();
    const auto option = iOptions.constFind(QStringLiteral("recursively_text"));
    const bool ownText = option != iOptions.constEnd() && !option.value().toBool();
    QString fullText;
    return xmlDom2Variant(root, iArrayFlags, iTextKey, ownText, &fullText);
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

namespace {

const QString kFormatMap = QStringLiteral("MAP");
const QString kFormatString = QStringLiteral("STRING");

template<typename PointT>
QVariant pointVariant(const PointT &iPoint, const QString &iFormat)
{
    const QString word = iFormat.toUpper();
    if (word == QLatin1String(","))
        return QStringLiteral("%1,%2").arg(iPoint.x()).arg(iPoint.y());
    if (word == kFormatMap)
        return QVariantMap {{QStringLiteral("x"), iPoint.x()}, {QStringLiteral("y"), iPoint.y()}};
    return QVariant::fromValue(iPoint);
}

template<typename SizeT>
QVariant sizeVariant(const SizeT &iSize, const QString &iFormat)
{
    const QString word = iFormat.toUpper();
    if (word == QLatin1String("X"))
        return QStringLiteral("%1x%2").arg(iSize.width()).arg(iSize.height());
    if (word == kFormatMap)
        return QVariantMap {{QStringLiteral("width"), iSize.width()}, {QStringLiteral("height"), iSize.height()}};
    return QVariant::fromValue(iSize);
}

template<typename RectT>
QVariant rectVariant(const RectT &iRect, const QString &iFormat)
{
    const QString word = iFormat.toUpper();
    if (word == kFormatMap)
        return QVariantMap {{QStringLiteral("x"), iRect.x()},
                            {QStringLiteral("y"), iRect.y()},
                            {QStringLiteral("width"), iRect.width()},
                            {QStringLiteral("height"), iRect.height()}};
    if (word == kFormatString)
        return QStringLiteral("x1:%1, y1:%2, x2:%3, y2:%4, width:%5, height:%6")
                .arg(iRect.left())
                .arg(iRect.top())
                .arg(iRect.right())
                .arg(iRect.bottom())
                .arg(iRect.width())
                .arg(iRect.height());
    return QVariant();
}

template<typename MarginsT>
QVariant marginsVariant(const MarginsT &iMargins, const QString &iFormat)
{
    const QString word = iFormat.toUpper();
    if (word == kFormatMap)
        return QVariantMap {{QStringLiteral("left"), iMargins.left()},
                            {QStringLiteral("top"), iMargins.top()},
                            {QStringLiteral("right"), iMargins.right()},
                            {QStringLiteral("bottom"), iMargins.bottom()}};
    if (word == kFormatString)
        return QStringLiteral("left:%1, top:%2, right:%3, bottom:%4")
                .arg(iMargins.left())
                .arg(iMargins.top())
                .arg(iMargins.right())
                .arg(iMargins.bottom());
    return QVariant();
}

// Whole numbers for the integer geometry types, reals for the others.
template<typename T>
T numberOf(const QVariant &iVar);
template<>
int numberOf<int>(const QVariant &iVar)
{
    return iVar.toInt();
}
template<>
qreal numberOf<qreal>(const QVariant &iVar)
{
    return iVar.toDouble();
}
template<typename T>
T numberOf(const QString &iText);
template<>
int numberOf<int>(const QString &iText)
{
    return iText.toInt();
}
template<>
qreal numberOf<qreal>(const QString &iText)
{
    return iText.toDouble();
}

// The integer point takes a real one to the nearest whole numbers.
template<typename PointT>
PointT fromPointF(const QPointF &iPoint);
template<>
QPoint fromPointF<QPoint>(const QPointF &iPoint)
{
    return iPoint.toPoint();
}
template<>
QPointF fromPointF<QPointF>(const QPointF &iPoint)
{
    return iPoint;
}

template<typename PointT, typename N>
PointT variantPoint(const QVariant &iVar)
{
    switch (static_cast<int>(iVar.type())) {
    case QMetaType::QString: {
        const QStringList parts = iVar.toString().split(QLatin1Char(','), Qt::SkipEmptyParts);
        return PointT(numberOf<N>(parts.value(0)), numberOf<N>(parts.value(1)));
    }
    case QMetaType::QVariantMap: {
        const QVariantMap map = iVar.toMap();
        return PointT(numberOf<N>(map.value(QStringLiteral("x"))), numberOf<N>(map.value(QStringLiteral("y"))));
    }
    case QMetaType::QPoint:
    case QMetaType::QPointF:
        return fromPointF<PointT>(iVar.toPointF());
    default:
        return PointT();
    }
}

template<typename SizeT, typename N>
SizeT variantSize(const QVariant &iVar)
{
    switch (static_cast<int>(iVar.type())) {
    case QMetaType::QString: {
        static const QRegularExpression by(QStringLiteral("[xX]"));
        const QStringList parts = iVar.toString().split(by, Qt::SkipEmptyParts);
        return SizeT(numberOf<N>(parts.value(0)), numberOf<N>(parts.value(1)));
    }
    case QMetaType::QVariantMap: {
        const QVariantMap map = iVar.toMap();
        return SizeT(numberOf<N>(map.value(QStringLiteral("width"))), numberOf<N>(map.value(QStringLiteral("height"))));
    }
    default:
        return SizeT();
    }
}

template<typename RectT, typename N>
RectT variantRect(const QVariant &iVar)
{
    RectT rect;
    if (iVar.type() != QVariant::Map)
        return rect;
    const QVariantMap map = iVar.toMap();
    rect.setLeft(numberOf<N>(map.value(QStringLiteral("x"))));
    rect.setTop(numberOf<N>(map.value(QStringLiteral("y"))));
    rect.setWidth(numberOf<N>(map.value(QStringLiteral("width"))));
    rect.setHeight(numberOf<N>(map.value(QStringLiteral("height"))));
    return rect;
}

template<typename MarginsT, typename N>
MarginsT variantMargins(const QVariant &iVar)
{
    if (iVar.type() != QVariant::Map)
        return MarginsT();
    const QVariantMap map = iVar.toMap();
    return MarginsT(numberOf<N>(map.value(QStringLiteral("left"))), numberOf<N>(map.value(QStringLiteral("top"))),
                    numberOf<N>(map.value(QStringLiteral("right"))), numberOf<N>(map.value(QStringLiteral("bottom"))));
}

double inchesPerUnit(const QString &iUnit, bool *oKnown)
{
    static const QHash<QString, double> table {
            {QStringLiteral("MIL"), 0.001},        {QStringLiteral("IN"), 1.0},        {QStringLiteral("INCH"), 1.0},
            {QStringLiteral("UM"), 1.0 / 25400.0}, {QStringLiteral("MM"), 1.0 / 25.4},
    };
    const auto it = table.constFind(iUnit);
    *oKnown = it != table.cend();
    return *oKnown ? it.value() : 1.0;
}

double unitsPerInch(const QString &iUnit)
{
    static const QHash<QString, double> table {
            {QStringLiteral("mm"), 25.4},
            {QStringLiteral("mil"), 1000.0},
            {QStringLiteral("micron"), 25400.0},
            {QStringLiteral("um"), 25400.0},
            {QStringLiteral("sq_mm"), 645.16},
            {QStringLiteral("sq_mil"), 1000000.0},
            {QStringLiteral("sq_micron"), 645160000.0},
            {QStringLiteral("sq_um"), 645160000.0},
    };
    return table.value(iUnit.toLower(), 1.0);
}

double logicalDpi()
{
    // Without a GUI application there is no screen; 96 is the desktop's usual
    // value. The screen is read through the meta-object system, so this library
    // needs no Qt Gui of its own.
    const QCoreApplication *app = QCoreApplication::instance();
    if (!app || !app->inherits("QGuiApplication"))
        return 96.0;
    // Qt Gui registers the screen's pointer type only when something asks for
    // it; known by name as a QObject pointer, the property can be read here.
    if (QMetaType::type("QScreen*") == QMetaType::UnknownType)
        qRegisterMetaType<QObject *>("QScreen*");
    const QObject *screen = app->property("primaryScreen").value<QObject *>();
    const QVariant dpi = screen ? screen->property("logicalDotsPerInch") : QVariant();
    return dpi.isValid() ? dpi.toDouble() : 96.0;
}

const int kRomanValues[] = {1000, 900, 500, 400, 100, 90, 50, 40, 10, 9, 5, 4, 1};
const char *const kRomanSymbols[] = {"M", "CM", "D", "CD", "C", "XC", "L", "XL", "X", "IX", "V", "IV", "I"};

int romanLetterValue(QChar iChar)
{
    switch (iChar.unicode()) {
    case 'I':
        return 1;
    case 'V':
        return 5;
    case 'X':
        return 10;
    case 'L':
        return 50;
    case 'C':
        return 100;
    case 'D':
        return 500;
    case 'M':
        return 1000;
    default:
        return 0;
    }
}

QTextCodec *gbkCodec()
{
    static QTextCodec *codec = QTextCodec::codecForName("GBK");
    return codec;
}

bool isHexDigit(QChar iChar)
{
    return (iChar >= QLatin1Char('0') && iChar <= QLatin1Char('9'))
           || (iChar >= QLatin1Char('a') && iChar <= QLatin1Char('f'))
           || (iChar >= QLatin1Char('A') && iChar <= QLatin1Char('F'));
}

} // namespace

QVariant TDataParse::point2Variant(const QPoint &iPoint, const QString &iFormat)
{
    return pointVariant(iPoint, iFormat);
}
QVariant TDataParse::pointf2Variant(const QPointF &iPoint, const QString &iFormat)
{
    return pointVariant(iPoint, iFormat);
}
QVariant TDataParse::size2Variant(const QSize &iSize, const QString &iFormat) { return sizeVariant(iSize, iFormat); }
QVariant TDataParse::sizef2Variant(const QSizeF &iSize, const QString &iFormat) { return sizeVariant(iSize, iFormat); }
QVariant TDataParse::rect2Variant(const QRect &iRect, const QString &iFormat) { return rectVariant(iRect, iFormat); }
QVariant TDataParse::rectf2Variant(const QRectF &iRect, const QString &iFormat) { return rectVariant(iRect, iFormat); }
QVariant TDataParse::margins2Variant(const QMargins &iMargins, const QString &iFormat)
{
    return marginsVariant(iMargins, iFormat);
}
QVariant TDataParse::marginsf2Variant(const QMarginsF &iMargins, const QString &iFormat)
{
    return marginsVariant(iMargins, iFormat);
}

QPoint TDataParse::variant2Point(const QVariant &iVar) { return variantPoint<QPoint, int>(iVar); }
QPointF TDataParse::variant2PointF(const QVariant &iVar) { return variantPoint<QPointF, qreal>(iVar); }
QSize TDataParse::variant2Size(const QVariant &iVar)
{
    if (iVar.type() == QVariant::Size || iVar.type() == QVariant::SizeF)
        return iVar.toSizeF().toSize();
    return variantSize<QSize, int>(iVar);
}
QSizeF TDataParse::variant2SizeF(const QVariant &iVar)
{
    if (iVar.type() == QVariant::Size || iVar.type() == QVariant::SizeF)
        return iVar.toSizeF();
    return variantSize<QSizeF, qreal>(iVar);
}
QRect TDataParse::variant2Rect(const QVariant &iVar) { return variantRect<QRect, int>(iVar); }
QRectF TDataParse::variant2RectF(const QVariant &iVar) { return variantRect<QRectF, qreal>(iVar); }
QMargins TDataParse::variant2Margins(const QVariant &iVar) { return variantMargins<QMargins, int>(iVar); }
QMarginsF TDataParse::variant2MarginsF(const QVariant &iVar) { return variantMargins<QMarginsF, qreal>(iVar); }

double TDataParse::lengthValueConvert(const QString &iText, const QString &iTargetUnit, int iPrecision)
{
    static const QRegularExpression re(QStringLiteral("([+|-]?(?:\\d+\\.?\\d*|\\d*\\.?\\d+))(mil|in|inch|um|mm)?"),
                                       QRegularExpression::CaseInsensitiveOption);
    QString text = iText;
    text.remove(QLatin1Char(' '));
    const QRegularExpressionMatch m = re.match(text);
    double value = m.hasMatch() ? m.captured(1).toDouble() : 0.0;
    const QString source = m.captured(2).toUpper();
    const QString target = iTargetUnit.toUpper();
    if (!source.isEmpty() && source != target) {
        bool sourceKnown = false;
        bool targetKnown = false;
        const double from = inchesPerUnit(source, &sourceKnown);
        const double to = inchesPerUnit(target, &targetKnown);
        if (sourceKnown && targetKnown)
            value = value * from / to;
    }
    if (iPrecision > 0)
        value = QString::number(value, 'f', iPrecision).toDouble();
    return value;
}

double TDataParse::valueFromInch(double iInch, const QString &iUnit) { return iInch * unitsPerInch(iUnit); }

double TDataParse::valueToInch(double iValue, const QString &iUnit) { return iValue / unitsPerInch(iUnit); }

double TDataParse::pixel2point(int iPixel) { return iPixel * 72.0 / logicalDpi(); }

int TDataParse::point2pixel(double iPoint) { return static_cast<int>(iPoint / 72.0 * logicalDpi()); }

QString TDataParse::numberToRoman(int iNumber)
{
    QString out;
    for (int i = 0; i < 13 && iNumber > 0; ++i) {
        while (iNumber >= kRomanValues[i]) {
            out += QLatin1String(kRomanSymbols[i]);
            iNumber -= kRomanValues[i];
        }
    }
    return out;
}

int TDataParse::romanToNumber(const QString &iRoman)
{
    if (iRoman.isEmpty())
        return 0;
    int total = romanLetterValue(iRoman.at(0));
    for (int i = 1; i < iRoman.size(); ++i) {
        const int previous = romanLetterValue(iRoman.at(i - 1));
        const int current = romanLetterValue(iRoman.at(i));
        total += previous < current ? current - 2 * previous : current;
    }
    return total;
}

QString TDataParse::txt2rtf(const QString &iText)
{
    QString body;
    body.reserve(iText.size() * 2);
    const QVector<uint> codePoints = iText.toUcs4();
    for (uint c : codePoints) {
        if (c == '\\' || c == '{' || c == '}') {
            body += QLatin1Char('\\');
            body += QChar(c);
        } else if (c >= 32 && c <= 126) {
            body += QChar(c);
        } else if (c == '\n') {
            body += QLatin1String("\\par ");
        } else if (c == '\t') {
            body += QLatin1String("\\tab ");
        } else if (c > 127) {
            const QByteArray bytes = gbkCodec()->fromUnicode(QString::fromUcs4(&c, 1));
            for (char byte : bytes)
                body += QStringLiteral("\\'%1").arg(static_cast<uchar>(byte), 2, 16, QLatin1Char('0'));
        }
    }
    return QStringLiteral("{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fnil\\fcharset134 Arial;}}\n"
                          "\\viewkind4\\uc1\\pard\\lang2052\\f0\\fs18 ")
           + body + QStringLiteral("\n\\par }");
}

int TDataParse::rtfParseCtrlWord(const QString &iRtf, int iPos)
{
    if (iPos >= iRtf.size())
        return 1;
    const QChar c = iRtf.at(iPos);
    if (c == QLatin1Char(' ') || c == QLatin1Char('\'') || c == QLatin1Char('n'))
        return 0;
    if (c == QLatin1Char('\\') || c == QLatin1Char('{') || c == QLatin1Char('}'))
        return 2;
    return 1;
}

QString TDataParse::rtf2txt(const QString &iRtf)
{
    // Text outside groups that follows a closing brace is kept; control words
    // are dropped up to the blank that ends them. Paragraph and tab marks and
    // "\n" become line feeds and tabs, "\'hh" runs are GBK bytes, and an
    // escaped backslash or brace is that character.
    QString out;
    QByteArray gbk;
    int depth = 0;
    bool group = false;
    bool skip = false;
    int finalParagraph = -1;

    auto flushGbk = [&]() {
        if (!gbk.isEmpty()) {
            out += gbkCodec()->toUnicode(gbk);
            gbk.clear();
        }
    };
    auto text = [&](QChar c) {
        if (group)
            return;
        if (skip) {
            if (c == QLatin1Char(' '))
                skip = false;
            return;
        }
        flushGbk();
        out += c;
    };
    // A mark that clears a pending control word and stands for one character.
    auto mark = [&](QChar c) {
        skip = false;
        if (!group) {
            flushGbk();
            out += c;
        }
    };

    const int size = iRtf.size();
    for (int i = 0; i < size; ++i) {
        const QChar c = iRtf.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            continue;
        if (c == QLatin1Char('{')) {
            ++depth;
            group = true;
            continue;
        }
        if (c == QLatin1Char('}')) {
            --depth;
            group = false;
            if (depth == 0)
                break;
            continue;
        }
        if (c != QLatin1Char('\\')) {
            text(c);
            continue;
        }
        const QStringRef rest = iRtf.midRef(i + 1);
        if (rest.startsWith(QLatin1String("par ")) || rest.startsWith(QLatin1String("tab "))) {
            const bool paragraph = rest.startsWith(QLatin1String("par"));
            mark(paragraph ? QLatin1Char('\n') : QLatin1Char('\t'));
            i += 4;
            if (paragraph && !group)
                finalParagraph = out.size();
            continue;
        }
        switch (rtfParseCtrlWord(iRtf, i + 1)) {
        case 0:
            if (rest.startsWith(QLatin1Char('n'))) {
                mark(QLatin1Char('\n'));
                ++i;
            } else if (rest.size() >= 3 && rest.at(0) == QLatin1Char('\'') && isHexDigit(rest.at(1))
                       && isHexDigit(rest.at(2))) {
                skip = false;
                if (!group)
                    gbk.append(static_cast<char>(rest.mid(1, 2).toInt(nullptr, 16)));
                i += 3;
            } else {
                mark(QLatin1Char('\\'));
            }
            break;
        case 2:
            text(rest.at(0));
            ++i;
            break;
        default:
            skip = true;
            break;
        }
    }
    flushGbk();
    // The paragraph mark that closes the document ends the last line; it adds none.
    if (finalParagraph >= 0 && finalParagraph == out.size())
        out.chop(1);
    return out;
}

// ======================================================================
