#include "tsqldatautilv2.h"

#include "tsqldialect_p.h"
#include "tsqlliteral_p.h"
#include "tsqlwherecompsitev2.h"

#include "tdataparse.h"
#include "tscriptvalue.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

namespace {

// An array element must be double-quoted when the server (or sqlArrayToList)
// would otherwise split it, trim it, read it as NULL or lose its escapes. A
// double quote alone needs no quoting: it is written backslash-escaped, which
// the server reads back as the quote itself.
bool arrayElementNeedsQuotes(const QString &iText)
{
    if (iText.isEmpty() || iText.compare(QLatin1String("NULL"), Qt::CaseInsensitive) == 0)
        return true;
    for (const QChar c : iText) {
        switch (c.unicode()) {
        case ',':
        case '{':
        case '}':
        case '\\':
            return true;
        default:
            if (c.isSpace())
                return true;
        }
    }
    return false;
}

QString arrayElement(const QVariant &iElement)
{
    if (!iElement.isValid() || iElement.isNull())
        return QStringLiteral("null");
    switch (iElement.userType()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
        return iElement.toString();
    default:
        break;
    }
    QString text = iElement.toString();
    if (!arrayElementNeedsQuotes(text))
        return text.replace(QLatin1Char('"'), QLatin1String("\\\""));
    text.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    text.replace(QLatin1Char('"'), QLatin1String("\\\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QVariant formatDate(const QDate &iDate, const QString &iFormat)
{
    if (iFormat == QLatin1String("YYYY-MM-DD"))
        return iDate.toString(QStringLiteral("yyyy-MM-dd"));
    if (iFormat == QLatin1String("YYYY-MM"))
        return iDate.toString(QStringLiteral("yyyy-MM"));
    return QVariant();
}

QVariant formatDateTime(const QDateTime &iDateTime, const QString &iFormat)
{
    static const QMap<QString, QString> patterns {
            {QStringLiteral("YYYY-MM-DD HH:MM:SS"), QStringLiteral("yyyy-MM-dd hh:mm:ss")},
            {QStringLiteral("YYYY-MM-DD HH:MM"), QStringLiteral("yyyy-MM-dd hh:mm")},
            {QStringLiteral("YYYY-MM-DD HH"), QStringLiteral("yyyy-MM-dd hh")},
            {QStringLiteral("YYYY-MM-DD"), QStringLiteral("yyyy-MM-dd")},
    };
    const auto it = patterns.constFind(iFormat);
    return it == patterns.cend() ? QVariant() : QVariant(iDateTime.toString(*it));
}

// One condition per key of a map, whether it came as the condition itself
// or as an element of a list.
void appendMapConditions(TSqlWhereCompsiteV2 &oWhere, const QVariantMap &iMap)
{
    for (auto it = iMap.cbegin(); it != iMap.cend(); ++it) {
        if (it.value().userType() == QMetaType::QVariantMap) {
            const QVariantMap condition = it.value().toMap();
            const QString op = condition.contains(QStringLiteral("operator"))
                                       ? condition.value(QStringLiteral("operator")).toString()
                                       : QStringLiteral("=");
            oWhere.append(it.key(), condition.value(QStringLiteral("value")), op);
        } else {
            oWhere.append(it.key(), it.value(), QStringLiteral("="));
        }
    }
}

} // namespace

bool TSqlLiteral::isList(const QVariant &iValue)
{
    const int type = iValue.userType();
    return type == QMetaType::QVariantList || type == QMetaType::QStringList;
}

QString TSqlLiteral::quote(const QVariant &iValue, const QString &iDatabaseType)
{
    return TSqlDataUtilV2::singleQuote(TSqlDataUtilV2::variantToSqlValue(iValue).toString(), iDatabaseType);
}

QString TSqlDataUtilV2::doubleQuote(const QString &iStr)
{
    QString text = iStr;
    text.replace(QLatin1Char('"'), QLatin1String("\\\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QString TSqlDataUtilV2::singleQuote(const QString &iStr)
{
    QString text = iStr;
    text.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    text.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

QString TSqlDataUtilV2::singleQuote(const QString &iStr, const QString &iDatabaseType)
{
    // A backslash is an escape only in MySQL literals and PostgreSQL E'' ones;
    // the standard literal of the other servers takes it as it stands.
    const TSqlDialect *dialect = TSqlDialect::forLiteralType(iDatabaseType);
    return dialect ? dialect->stringLiteral(iStr) : singleQuote(iStr);
}

QVariant TSqlDataUtilV2::variantToSqlValue(const QVariant &iValue)
{
    const QVariant value = TScriptValue::toPlain(iValue);
    if (!value.isValid() || value.isNull())
        return QVariant(QMetaType::QString, nullptr);

    switch (value.userType()) {
    case QMetaType::QVariantMap:
        return TDataParse::variant2JsonStr(value, true);
    case QMetaType::QVariantList:
    case QMetaType::QStringList: {
        const QVariantList list = value.toList();
        if (list.isEmpty())
            return QVariant();
        QStringList elements;
        elements.reserve(list.size());
        for (const QVariant &e : list)
            elements << arrayElement(e);
        return QString(QLatin1Char('{') + elements.join(QLatin1Char(',')) + QLatin1Char('}'));
    }
    case QMetaType::QDate:
        return value.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    case QMetaType::QDateTime:
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    case QMetaType::QTime:
        return value.toTime().toString(QStringLiteral("hh:mm:ss"));
    case QMetaType::QString:
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::Double:
    case QMetaType::LongLong:
    case QMetaType::QByteArray:
        return value;
    default:
        return value.toString();
    }
}

QVariant TSqlDataUtilV2::formatSqlValue(const QVariant &iValue, const QString &iFormat)
{
    if (!iValue.isValid() || iValue.isNull())
        return QVariant();

    const int type = iValue.userType();
    QString format = iFormat.toUpper();
    if (format.isEmpty()) {
        if (type == QMetaType::QDate)
            format = QStringLiteral("YYYY-MM-DD");
        else if (type == QMetaType::QDateTime)
            format = QStringLiteral("YYYY-MM-DD HH:MM:SS");
        else
            return iValue;
    }

    QVariant result;
    switch (type) {
    case QMetaType::QDate:
        result = formatDate(iValue.toDate(), format);
        break;
    case QMetaType::QDateTime:
        result = formatDateTime(iValue.toDateTime(), format);
        break;
    case QMetaType::QString:
        if (format == QLatin1String("ARRAY"))
            return sqlArrayToList(iValue.toString());
        if (format == QLatin1String("JSON") || format == QLatin1String("JSONB"))
            return TDataParse::jsonStr2Variant(iValue.toString(), nullptr);
        break;
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        if (format == QLatin1String("STRING"))
            return iValue.toString();
        break;
    default:
        break;
    }
    return result.isValid() ? result : iValue;
}

QStringList TSqlDataUtilV2::sqlArrayToList(const QString &iStr)
{
    QStringList result;
    if (iStr.size() < 3)
        return result;

    bool quoted = false;
    bool escaped = false;
    // A last element written as "" is an empty text, not a trailing comma.
    bool hadQuotes = false;
    QString element;
    for (int i = 1; i < iStr.size() - 1; ++i) {
        const QChar c = iStr.at(i);
        // The server honours a backslash escape outside quotes as well, and
        // unquoted elements written by variantToSqlValue rely on it.
        if (escaped) {
            element += c;
            escaped = false;
        } else if (c == QLatin1Char('\\')) {
            escaped = true;
        } else if (!quoted) {
            if (c == QLatin1Char('"')) {
                quoted = true;
                hadQuotes = true;
            } else if (c == QLatin1Char(',')) {
                result << element;
                element.clear();
                hadQuotes = false;
            } else {
                element += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = false;
        } else {
            element += c;
        }
    }
    if (!element.isEmpty() || hadQuotes)
        result << element;
    return result;
}

void TSqlDataUtilV2::fillWhere(TSqlWhereCompsiteV2 &oWhere, const QVariant &iCondition)
{
    const QVariant condition = TScriptValue::toPlain(iCondition);
    if (condition.userType() == QMetaType::QVariantMap) {
        appendMapConditions(oWhere, condition.toMap());
        return;
    }
    if (TSqlLiteral::isList(condition)) {
        const QVariantList elements = condition.toList();
        for (const QVariant &e : elements) {
            if (e.userType() == QMetaType::QVariantMap)
                appendMapConditions(oWhere, e.toMap());
            else
                oWhere.append(e.toString());
        }
        return;
    }
    oWhere.append(condition.toString());
}

QString TSqlDataUtilV2::variant2EqualWhere(const QString &iField, const QVariant &iValue, const QString &iQuote,
                                           bool iListAsIn, const QString &iDatabaseType)
{
    const QString field = iQuote + iField + iQuote;
    if (!iValue.isValid() || iValue.isNull())
        return field + QLatin1String(" IS NULL");
    if (iListAsIn && TSqlLiteral::isList(iValue)) {
        const QVariantList elements = iValue.toList();
        if (elements.isEmpty())
            return QStringLiteral("(1=0)");
        QStringList literals;
        literals.reserve(elements.size());
        for (const QVariant &e : elements)
            literals << TSqlLiteral::quote(e, iDatabaseType);
        return field + QLatin1String(" IN (") + literals.join(QLatin1Char(',')) + QLatin1Char(')');
    }
    return field + QLatin1String(" = ") + TSqlLiteral::quote(iValue, iDatabaseType);
}

QString TSqlDataUtilV2::variant2AndWhere(const QVariant &iCondition, const QVariantMap &iValueMap,
                                         const QString &iQuote, const QString &iDatabaseType)
{
    const QVariant condition = TScriptValue::toPlain(iCondition);
    if (condition.userType() == QMetaType::QString)
        return condition.toString().trimmed();

    QStringList parts;
    if (condition.userType() == QMetaType::QVariantMap) {
        const QVariantMap map = condition.toMap();
        for (auto it = map.cbegin(); it != map.cend(); ++it)
            parts << variant2EqualWhere(it.key(), it.value(), iQuote, true, iDatabaseType);
    } else if (TSqlLiteral::isList(condition)) {
        const QVariantMap values = TScriptValue::toPlain(iValueMap).toMap();
        const QVariantList names = condition.toList();
        for (const QVariant &name : names) {
            const QString field = name.toString();
            parts << variant2EqualWhere(field, values.value(field), iQuote, true, iDatabaseType);
        }
    }
    return parts.join(QLatin1String(" AND "));
}

QStringList TSqlDataUtilV2::strCapDollar(const QString &iStr) { return TDataParse::strCapDollar(iStr); }

QString TSqlDataUtilV2::strReplaceDollar(const QString &iStr, const QStringList &iNames, const QVariantMap &iValues)
{
    QString text = iStr;
    for (const QString &name : iNames)
        text.replace(QLatin1String("${") + name + QLatin1Char('}'), iValues.value(name).toString());
    return text;
}
