#ifndef TDATAPARSE_H
#define TDATAPARSE_H

#include "vekfoundationcore_export.h"

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>
#ifdef QT_GUI_LIB
#include <QColor>
#endif

class TError;

/*!
 * Static conversions between JSON text, XML, CSV, command strings, geometry,
 * colours and variants. Holds no state, never throws and never logs.
 */
class VEKFOUNDATIONCORE_EXPORT TDataParse
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
    static QVariantMap mergeVariantMap(const QVariantMap &iBase, const QVariantMap &iOther, bool iSkipEmpty = false);
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
    static QVariantMap fetchVariantMapField(const QVariantMap &iMap, const QString &iKeys, bool iKeepMissing = false);
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

    //! Splits "command[/id],key=value,..." into a map: "COM", "UID" when the
    //! command has an id, and one entry per option. A comma or equals sign
    //! after a backslash does not separate. iKeyCase "UPPER" or "LOWER" (any
    //! case) cases the option keys; a key equal to "uid" in any case is
    //! stored as "UID". An empty command gives an empty map.
    static QVariantMap commandStr2Map(const QString &iCommand, const QString &iKeyCase = QString(),
                                      TError *oErr = nullptr);

    //! Reads comma-separated records with double-quoted fields ("" inside
    //! quotes is one quote). An unclosed quote sets oErr and drops the
    //! unfinished record.
    static QList<QStringList> csvStr2List(const QString &iText, TError *oErr = nullptr);

    //! The first record of csvStr2List, or an empty list.
    static QStringList csvLine2List(const QString &iText, TError *oErr = nullptr);

    //! One CSV line without a line end; a field holding a comma or a double
    //! quote is quoted, its quotes written as backslash and quote.
    static QString stringList2Csv(const QStringList &iFields);

    // ------------------------------------------------------------------
    // XML conversions

    //! The root's child elements as tag name -> trimmed whole text. iCase
    //! "UPPER" or "LOWER" (any case) cases the keys. Bad XML sets oErr and
    //! gives an empty map; so does nesting deeper than XmlDepthLimit.
    static QVariantMap simpleXml2Map(const QString &iXml, const QString &iCase = QString(), TError *oErr = nullptr);

    //! Converts the element named iRootName (the document element when empty
    //! or equal to it; else the first descendant of that name) into a tree of
    //! maps, lists and strings. Repeated tags become lists, and so does a
    //! single child that iArrayFlags names by its tag or by a path of
    //! ancestor tags ("order/lines/item"). An element's text is stored under
    //! iTextKey; with the option "recursively_text" false it is the
    //! element's own text only. Bad XML or no such element give an empty map;
    //! bad XML also sets oErr when given.
    static QVariant xmlStr2Variant(const QString &iXml, const QStringList &iArrayFlags = QStringList(),
                                   const QString &iRootName = QString(), const QString &iTextKey = QString(),
                                   const QVariantMap &iOptions = QVariantMap(), TError *oErr = nullptr);

    //! Elements nested deeper than this are refused before any parsing (by
    //! both XML conversions), as bad XML.
    static constexpr int XmlDepthLimit = 1024;

    //! Escapes &, <, >, ' and " for XML text and attribute values.
    static QString strEscapeXml(const QString &iText);

    // ------------------------------------------------------------------
    // Geometry, lengths, colours, Roman numerals and rich text

    // Format words are compared upper-cased. Points: "," gives "x,y", "MAP"
    // gives {x, y}; sizes: "X" gives "WxH", "MAP" gives {width, height}; any
    // other word gives the value itself.
    static QVariant point2Variant(const QPoint &iPoint, const QString &iFormat = QStringLiteral("MAP"));
    static QVariant pointf2Variant(const QPointF &iPoint, const QString &iFormat = QStringLiteral("MAP"));
    static QVariant size2Variant(const QSize &iSize, const QString &iFormat = QStringLiteral("MAP"));
    static QVariant sizef2Variant(const QSizeF &iSize, const QString &iFormat = QStringLiteral("MAP"));
    // Rectangles and margins: "MAP" or "STRING"; any other word gives an invalid variant.
    static QVariant rect2Variant(const QRect &iRect, const QString &iFormat = QStringLiteral("MAP"));
    static QVariant rectf2Variant(const QRectF &iRect, const QString &iFormat = QStringLiteral("MAP"));
    static QVariant margins2Variant(const QMargins &iMargins, const QString &iFormat = QStringLiteral("MAP"));
    static QVariant marginsf2Variant(const QMarginsF &iMargins, const QString &iFormat = QStringLiteral("MAP"));

    // The reverse: the zero value for anything unreadable.
    static QPoint variant2Point(const QVariant &iVar);
    static QPointF variant2PointF(const QVariant &iVar);
    static QSize variant2Size(const QVariant &iVar);
    static QSizeF variant2SizeF(const QVariant &iVar);
    static QRect variant2Rect(const QVariant &iVar);
    static QRectF variant2RectF(const QVariant &iVar);
    static QMargins variant2Margins(const QVariant &iVar);
    static QMarginsF variant2MarginsF(const QVariant &iVar);

    /*!
     * The length in a text such as "25.4mm" or "1 inch" in the target unit
     * (MIL, IN, INCH, UM, MM); a text without unit is taken to be in the target
     * unit already. A precision above 0 rounds to that many decimals.
     */
    static double lengthValueConvert(const QString &iText, const QString &iTargetUnit, int iPrecision = 0);
    // Between inches and mm, mil, micron, um and their squares (sq_mm, …);
    // other units have the factor 1.
    static double valueFromInch(double iInch, const QString &iUnit);
    static double valueToInch(double iValue, const QString &iUnit);

    // Screen pixels and typographic points at the primary screen's logical DPI (96 without a screen).
    static double pixel2point(int iPixel);
    static int point2pixel(double iPoint);

#ifdef QT_GUI_LIB
    /*!
     * A colour text: exactly nine characters beginning with "#" are #RRGGBBAA
     * with the alpha last; anything else is read by QColor::setNamedColor().
     * Written here rather than in the library, which needs no Qt Gui: every
     * program that has Qt Gui gets it.
     */
    static QColor str2Color(const QString &iColorStr)
    {
        if (iColorStr.size() == 9 && iColorStr.startsWith(QLatin1Char('#'))) {
            QColor color(iColorStr.left(7));
            bool ok = false;
            const int alpha = iColorStr.rightRef(2).toInt(&ok, 16);
            color.setAlpha(ok ? alpha : 0);
            return color;
        }
        QColor color;
        color.setNamedColor(iColorStr);
        return color;
    }
#endif

    // Roman numerals in upper case; numbers below 1 give an empty text.
    static QString numberToRoman(int iNumber);
    static int romanToNumber(const QString &iRoman);

    // Plain text to a small RTF document with GBK-escaped Chinese text, and back.
    static QString txt2rtf(const QString &iText);
    static QString rtf2txt(const QString &iRtf);

private:
    // What follows a backslash: 0 text, 1 control word, 2 escaped character.
    static int rtfParseCtrlWord(const QString &iRtf, int iPos);

public:
    // ------------------------------------------------------------------

private:
    TDataParse() = delete;
};

#endif // TDATAPARSE_H
