#ifndef TDATARESPONSE_H
#define TDATARESPONSE_H

#include "vekfoundationcore_export.h"

#include <QMetaType>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>

class TError;
class TDataResponsePrivate;

/*!
 * The result of a data operation: payload, count, error code and text,
 * debugging information, user data and a key. Travels as a variant map
 * (toVariantMap() and the map constructor read each other back).
 */
class VEKFOUNDATIONCORE_EXPORT TDataResponse
{
public:
    TDataResponse();
    TDataResponse(const TError &iError, const QVariant &iData = QVariant());
    //! Keys are matched upper-cased: KEY, DATA, DEBUGINFO, ERRCODE, ERRTEXT, DATACOUNT, USERDATA.
    explicit TDataResponse(const QVariantMap &iMap);
    TDataResponse(const TDataResponse &iOther);
    TDataResponse &operator=(const TDataResponse &iOther);
    ~TDataResponse();

    void setError(const TError &iError);
    bool hasError() const;
    QVariantMap toVariantMap() const;

    QString key() const;
    void setKey(const QString &iKey);
    QString errCode() const;
    void setErrCode(const QString &iCode);
    QString errText() const;
    void setErrText(const QString &iText);
    QVariant data() const;
    void setData(const QVariant &iData);
    QVariantList debugInfo() const;
    void setDebugInfo(const QVariantList &iInfo);
    int dataCount() const;
    void setDataCount(int iCount);
    QVariant userData() const;
    void setUserData(const QVariant &iData);

private:
    TDataResponsePrivate *d_ptr;
    Q_DECLARE_PRIVATE(TDataResponse)
};

Q_DECLARE_METATYPE(TDataResponse)

#endif // TDATARESPONSE_H
