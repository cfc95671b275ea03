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
    //! gives an empty map.
    static QVariantMap simpleXml2Map(const QString &iXml, const QString &iCase = QString(),
                                     TError *oErr = nullptr);

    //! Converts the element named iRootName (the document element when empty
    //! or equal to it; else the first descendant of that name) into a tree of
    //! maps, lists and strings. Repeated tags become lists, and so does a
    //! single child that iArrayFlags names by its tag or by a path of
    //! ancestor tags ("order/lines/item"). An element's text is stored under
    //! iTextKey; with the option "recursively_text" false it is the
    //! element's own text only. Bad XML or no such element give an empty map.
    static QVariant xmlStr2Variant(const QString &iXml, const QStringList &iArrayFlags = QStringList(),
                                   const QString &iRootName = QString(),
                                   const QString &iTextKey = QString(),
                                   const QVariantMap &iOptions = QVariantMap());

    //! Escapes &, <, >, ' and " for XML text and attribute values.
    static QString strEscapeXml(const QString &iText);

    // ------------------------------------------------------------------
    // Geometry, lengths, colours, Roman numerals and rich text


    // ------------------------------------------------------------------

private:
    TDataParse() = delete;
};

#endif // TDATAPARSE_H
