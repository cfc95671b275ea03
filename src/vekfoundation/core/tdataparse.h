#ifndef TDATAPARSE_H
#define TDATAPARSE_H

#include "vekfoundation_export.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>

class TError;

/*!
 * Static conversions between JSON text, XML, CSV, command strings, geometry,
 * colours and variants. Holds no state, never throws and never logs.
 */
class VEKFOUNDATION_EXPORT TDataParse
{
public:
    // ------------------------------------------------------------------
    // JSON, variant and text conversions

    //! Parses a JSON object or array; invalid variant and a filled iErr ("Error") when it does not parse.
    static QVariant jsonStr2Variant(const QString &iJsonStr, TError *iErr = nullptr);
    //! Maps, lists and text lists as JSON text; any other value as its plain text.
    static QString variant2JsonStr(const QVariant &iVariant, bool iCompact = false);
    //! Replaces every "${key}" by the key's value, keys applied in ascending order.
    static QString strReplaceDollar(const QString &iStr, const QVariantMap &iValueMap);
    //! The names of the "${name}" placeholders in order of appearance.
    static QStringList strCapDollar(const QString &iStr);
    //! A fresh UUID, 36 lower-case characters without braces.
    static QString getUuid();
    //! MD5 (32 lower-case hex digits) of the indented JSON of a record, or of the text of a plain value.
    static QString getVariantMd5(const QVariant &iVariant);
    //! The trimmed text encoded twice in Base64.
    static QString encryptBase64(const QString &iStr);
    //! The text decoded twice from Base64.
    static QString decryptBase64(const QString &iStr);
    //! iBase with the entries of iOther over it; empty values of iOther are skipped when iSkipEmpty.
    static QVariantMap mergeVariantMap(const QVariantMap &iBase, const QVariantMap &iOther,
                                       bool iSkipEmpty = false);
    //! The map without its empty (invalid, null or empty-text) values.
    static QVariantMap removeVariantMapEmptyItem(const QVariantMap &iMap);
    //! The map with its empty values replaced by iReplacement.
    static QVariantMap replaceVariantMapEmptyItem(const QVariantMap &iMap, const QVariant &iReplacement = QVariant());
    //! The "text" of each named enumeration entry (the name itself when it has none), joined.
    static QString fetchEnumText(const QVariantList &iEnumList, const QStringList &iNames,
                                 const QString &iSeparator = QStringLiteral(","));
    //! The value of iKey in each element taken as a map, one per element.
    static QVariantList fetchVariantListField(const QVariantList &iList, const QString &iKey);
    //! The entries of iKeys (trimmed); missing keys as invalid values when iKeepMissing.
    static QVariantMap fetchVariantMapField(const QVariantMap &iMap, const QStringList &iKeys,
                                            bool iKeepMissing = false);
    //! As above with the keys separated by commas.
    static QVariantMap fetchVariantMapField(const QVariantMap &iMap, const QString &iKeys,
                                            bool iKeepMissing = false);
    //! Search entries ("name", "text", "userData") of the columns that carry iTypeKey.
    static QVariantList headerItem2searchList(const QVariantList &iHeaderItem, const QString &iTypeKey,
                                              const QString &iCaseSensitiveKey);
    //! Row maps from {"field": [...], "data": [[...], ...]}.
    static QVariantList sqlArrayData2MapList(const QVariantMap &iData);
    //! True for an optional sign and digits only.
    static bool strIsInteger(const QString &iStr);
    //! True for an optional sign and a decimal number with at most one point.
    static bool strIsNumber(const QString &iStr);
    //! A map from alternating keys and values.
    static QVariantMap stringList2VariantMap(const QStringList &iList);
    //! Each string wrapped as a variant.
    static QVariantMap stringMap2VariantMap(QMap<QString, QString> iMap);
    //! A map from alternating keys and values.
    static QVariantMap variantList2Map(const QVariantList &iList);
    //! The text of each element.
    static QStringList variantList2StringList(const QVariantList &iList);
    //! The text of each value.
    static QMap<QString, QString> variantMap2StringMap(QVariantMap iMap);


    // ------------------------------------------------------------------
    // Command strings and CSV


    // ------------------------------------------------------------------
    // XML conversions


    // ------------------------------------------------------------------
    // Geometry, lengths, colours, Roman numerals and rich text


    // ------------------------------------------------------------------

private:
    TDataParse() = delete;
};

#endif // TDATAPARSE_H
