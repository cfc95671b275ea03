#ifndef TMIMECONTENTFORMATTER_H
#define TMIMECONTENTFORMATTER_H

#include "vekfoundation_export.h"

#include <QString>

/*!
 * Cuts an encoded part body into lines: plain mode for Base64 (lines of the
 * maximum length), quoted-printable mode with soft breaks that never split
 * an "=XY" escape.
 */
class VEKFOUNDATION_EXPORT TMimeContentFormatter
{
public:
    explicit TMimeContentFormatter(int iMaxLength = 76);

    void setMaxLength(int iLength);
    int maxLength() const;

    QString format(const QString &iContent, bool iQuotedPrintable = false) const;

private:
    int mMaxLength;
};

#endif // TMIMECONTENTFORMATTER_H
