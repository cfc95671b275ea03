#ifndef TMIMEPART_P_H
#define TMIMEPART_P_H

#include "tmimecontentformatter.h"
#include "tmimepart.h"

// A header value may come from users (subjects, names, file names); a line
// break in it would start a header of its own, so it becomes a blank.
inline QString vekMimeHeaderSafe(QString iValue)
{
    iValue.replace(QLatin1Char('\r'), QLatin1Char(' '));
    iValue.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return iValue;
}

class TMimePartPrivate
{
    Q_DECLARE_PUBLIC(TMimePart)
public:
    explicit TMimePartPrivate(TMimePart *qptr)
        : q_ptr(qptr)
    {}
    virtual ~TMimePartPrivate() = default;

    void copyFields(const TMimePartPrivate &iOther)
    {
        header = iOther.header;
        content = iOther.content;
        contentId = iOther.contentId;
        contentName = iOther.contentName;
        contentType = iOther.contentType;
        charset = iOther.charset;
        boundary = iOther.boundary;
        encoding = iOther.encoding;
        mimeString = iOther.mimeString;
        prepared = iOther.prepared;
        formatter = iOther.formatter;
    }

    static TMimePartPrivate *get(TMimePart *iPart) { return iPart->d_ptr; }

    //! The standard part headers, the extra header lines and the empty line
    //! that ends them, for a body in iEncoding.
    QString headerText(int iEncoding) const;

    QString header;
    QByteArray content;
    QString contentId;
    QString contentName;
    QString contentType;
    QString charset;
    QString boundary;
    int encoding {TMimePart::Encoding7Bit};
    QString mimeString;
    bool prepared {false};
    TMimeContentFormatter formatter {76};
    // Set by the mail client while it sends: prepare() then loads the content
    // and picks the encoding (kept in preparedEncoding) but builds no text,
    // and the client writes the part's bytes to the socket itself.
    bool deferText {false};
    int preparedEncoding {TMimePart::Encoding7Bit};
    TMimePart *q_ptr;
};

#endif // TMIMEPART_P_H
