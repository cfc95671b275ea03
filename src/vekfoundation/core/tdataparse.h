#ifndef TDATAPARSE_H
#define TDATAPARSE_H

#include "vekfoundation_export.h"

#include <QColor>
#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>
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


    // ------------------------------------------------------------------
    // XML conversions


    // ------------------------------------------------------------------
    // Geometry, lengths, colours, Roman numerals and rich text

    /*!
     * A colour text: exactly nine characters beginning with "#" are #RRGGBBAA
     * with the alpha last; anything else is read by QColor::setNamedColor().
     */
    static QColor str2Color(const QString &iColorStr);


    // ------------------------------------------------------------------

private:
    TDataParse() = delete;
};

#endif // TDATAPARSE_H
