#ifndef TQUOTEDPRINTABLE_H
#define TQUOTEDPRINTABLE_H

#include "vekfoundation_export.h"

#include <QByteArray>
#include <QString>

/*!
 * The quoted-printable encoder of the mail parts: printable ASCII and the
 * blank pass, every other byte (line ends and "=" included) becomes "=XY".
 */
class VEKFOUNDATION_EXPORT TQuotedPrintable
{
public:
    static QString encode(const QByteArray &iInput);
};

#endif // TQUOTEDPRINTABLE_H
