#ifndef THTTPARGS_H
#define THTTPARGS_H

#include "vekfoundation_export.h"

#include <memory>

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>

class THttpArgsPrivate;

/*!
 * Describes one HTTP call as plain data: target, headers, body and how the
 * reply is to be decoded. Scripts fill and read it through its slots; it
 * converts to and from a variant map so a description can be stored. It
 * sends nothing itself.
 *
 * Copyable although it is a QObject: a copy takes the source's parent,
 * assignment keeps the target's parent.
 */
class VEKFOUNDATION_EXPORT THttpArgs : public QObject
{
    Q_OBJECT
public:
    enum DataFormat { String = 0, Json = 1, Xml = 2 };

    explicit THttpArgs(QObject *iParent = nullptr);
    THttpArgs(const THttpArgs &iOther);
    THttpArgs &operator=(const THttpArgs &iOther);
    virtual ~THttpArgs();

    static QString dataFromat2Str(DataFormat iFormat);
    static DataFormat str2DataFormat(const QString &iFormatStr);
    static THttpArgs fromVariantMap(const QVariantMap &iMap);

public Q_SLOTS:
    /*! The target URL. */
    QString url();
    /*! Replaces the target URL. */
    void setUrl(QString iUrlStr);

    /*! The request headers, each a list of name and value. */
    QVariantList headerList();
    /*! Replaces the whole header list. */
    void setHeaderList(QVariantList iVarList);
    /*! Appends one header; earlier headers of the same name stay. */
    void addHeader(QString iHeaderNameStr, QString iHeaderValueStr);

    /*! The request body written as text. */
    QString requestString();
    /*! Replaces the request body written as text. */
    void setRequestString(QString iStr);

    /*! The request body given as a variant. */
    QVariant requestData();
    /*! Replaces the request body given as a variant. */
    void setRequestData(QVariant iVar);

    /*! The format the request body is written in. */
    DataFormat requestFormat();
    /*! Sets the format the request body is written in. */
    void setRequestFromat(DataFormat iFormat);
    /*! The request format's name: "String", "Json" or "Xml". */
    QString requestFormatName();
    /*! Sets the request format from a name or media type ending in Json or Xml. */
    void setRequestFromatName(QString iFormatStr);

    /*! The name of the text codec that decodes the reply. */
    QString replyCodec();
    /*! Replaces the reply codec name. */
    void setReplyCodec(QString iCodecStr);

    /*! The format the reply is to be read as. */
    DataFormat replyFormat();
    /*! Sets the format the reply is to be read as. */
    void setReplyFormat(DataFormat iFormat);
    /*! The reply format's name: "String", "Json" or "Xml". */
    QString replyFormatName();
    /*! Sets the reply format from a name or media type ending in Json or Xml. */
    void setReplyFormatName(QString iFormatStr);

    /*! The root element of an XML reply. */
    QString replyXmlRoot();
    /*! Replaces the root element name of an XML reply. */
    void setReplyXmlRoot(QString iRootStr);

    /*! The element names of an XML reply that hold arrays. */
    QStringList replyXmlArrayNode();
    /*! Replaces the element names of an XML reply that hold arrays. */
    void setReplyXmlArrayNode(QStringList iNodesStrLst);

    /*! The whole description as a map (read back by fromVariantMap). */
    QVariantMap toVariantMap();

private:
    Q_DECLARE_PRIVATE_D(d, THttpArgs)
    const std::unique_ptr<THttpArgsPrivate> d;
};

#endif // THTTPARGS_H
