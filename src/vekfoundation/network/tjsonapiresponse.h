#ifndef TJSONAPIRESPONSE_H
#define TJSONAPIRESPONSE_H

#include "tjsonapierror.h"
#include "vekfoundation_export.h"

#include <QList>
#include <QString>
#include <QVariant>
#include <QVariantMap>

class TJsonApiResponsePrivate;

/*!
 * One JSON:API document: primary data, id, links, meta and the error list.
 * Reads from a map or JSON text, writes a map or compact JSON text with the
 * empty members left out. Setters return the object for chaining.
 */
class VEKFOUNDATION_EXPORT TJsonApiResponse
{
public:
    TJsonApiResponse();
    TJsonApiResponse(const TJsonApiResponse &iOther);
    explicit TJsonApiResponse(const QVariantMap &iMap);
    //! Text that is not a JSON object gives an empty document.
    explicit TJsonApiResponse(const QString &iJsonStr);
    TJsonApiResponse &operator=(const TJsonApiResponse &iOther);
    ~TJsonApiResponse();

    QVariant data() const;
    QString id() const;
    QVariantMap links() const;
    QVariantMap meta() const;
    QList<TJsonApiError> errors() const;

    bool hasError() const;
    //! The first error; a default (empty) record when there is none.
    TJsonApiError firstError() const;

    TJsonApiResponse &setData(const QVariant &iData);
    TJsonApiResponse &setId(const QString &iId);
    TJsonApiResponse &setLinks(const QVariantMap &iLinks);
    TJsonApiResponse &setMeta(const QVariantMap &iMeta);
    TJsonApiResponse &setErrors(const QList<TJsonApiError> &iErrors);
    TJsonApiResponse &addError(const TJsonApiError &iError);
    TJsonApiResponse &addLink(const QString &iKey, const QString &iValue);
    TJsonApiResponse &addMeta(const QString &iKey, const QVariant &iValue);

    QVariantMap toVariantMap() const;
    QString toJsonString() const;

private:
    TJsonApiResponsePrivate *d_ptr;
    Q_DECLARE_PRIVATE(TJsonApiResponse)
};

#endif // TJSONAPIRESPONSE_H
