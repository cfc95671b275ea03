#include "tdataparse.h"
#include "terror.h"

// ======================================================================
// JSON, variant and text conversions


// ======================================================================
// Command strings and CSV


// ======================================================================
// XML conversions


// ======================================================================
// Geometry, lengths, colours, Roman numerals and rich text

QColor TDataParse::str2Color(const QString &iColorStr)
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


// ======================================================================
