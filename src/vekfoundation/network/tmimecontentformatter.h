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
    // Plain mode on ASCII bytes (Base64 text): the same lines without
    // widening a large body to UTF-16 first.
    QByteArray format(const QByteArray &iContent) const;

private:
    int mMaxLength;
};

#endif // TMIMECONTENTFORMATTER_H
