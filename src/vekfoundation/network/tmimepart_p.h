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
    TMimePart *q_ptr;
};

#endif // TMIMEPART_P_H
