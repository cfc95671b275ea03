#ifndef TMIMEPART_H
#define TMIMEPART_H

#include "vekfoundation_export.h"

#include <QByteArray>
#include <QObject>
#include <QString>

class TMimePartPrivate;

/*!
 * The base of every MIME part: standard part headers, extra header lines and
 * a body that goes out in one of four transfer encodings. The finished text
 * is built by prepare() and cached; toString() prepares on first use.
 */
class VEKFOUNDATION_EXPORT TMimePart : public QObject
{
public:
    enum Encoding { Encoding7Bit = 0, Encoding8Bit = 1, EncodingBase64 = 2, EncodingQuotedPrintable = 3 };

    explicit TMimePart(QObject *iParent = nullptr);
    TMimePart(const TMimePart &iOther);
    TMimePart &operator=(const TMimePart &iOther);
    ~TMimePart() override;

    void setHeader(const QString &iHeader);
    QString header() const;
    void addHeaderLine(const QString &iLine);

    void setContent(const QByteArray &iContent);
    QByteArray content() const;

    void setContentId(const QString &iId);
    QString contentId() const;

    void setContentName(const QString &iName);
    QString contentName() const;

    void setContentType(const QString &iType);
    QString contentType() const;

    void setCharset(const QString &iCharset);
    QString charset() const;

    void setBoundary(const QString &iBoundary);
    QString boundary() const;

    void setEncoding(int iEncoding);
    int encoding() const;

    QString mimeString() const;
    bool isPrepared() const;

    virtual QString toString();
    virtual void prepare();

protected:
    TMimePart(TMimePartPrivate &iPrivate, QObject *iParent);
    // Builds the part text with the given transfer encoding, which lets a
    // subclass pick a safer one for this run without changing the field.
    void writeMimeString(int iEncoding);

    TMimePartPrivate *d_ptr;

private:
    Q_DECLARE_PRIVATE(TMimePart)
    friend class TMimePartPrivate;
};

#endif // TMIMEPART_H
