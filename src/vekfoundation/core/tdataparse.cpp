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

QString TDataParse::getUuid()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

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

QVariantMap TDataParse::stringList2VariantMap(const QStringList &iList)
{
    return alternatingPairsToMap(iList);
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
    return alternatingPairsToMap(iList);
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


// ======================================================================
// XML conversions


// ======================================================================
// Geometry, lengths, colours, Roman numerals and rich text


// ======================================================================
