#ifndef TJSONAPIERROR_H
#define TJSONAPIERROR_H

#include "vekfoundation_export.h"

#include <QString>
#include <QVariantMap>

class TJsonApiErrorPrivate;

/*!
 * One error object of a JSON:API document: code, title, detail, status and
 * the source map. Setters return the object for chaining.
 */
class VEKFOUNDATION_EXPORT TJsonApiError
{
public:
    TJsonApiError();
    TJsonApiError(const TJsonApiError &iOther);
    explicit TJsonApiError(const QVariantMap &iMap);
    TJsonApiError(QString iCode, const QString &iTitle, const QString &iDetail);
    TJsonApiError &operator=(const TJsonApiError &iOther);
    ~TJsonApiError();

    QString code() const;
    QString title() const;
    QString status() const;
    QString detail() const;
    QVariantMap source() const;

    TJsonApiError &setCode(const QString &iCode);
    TJsonApiError &setTitle(const QString &iTitle);
    TJsonApiError &setStatus(const QString &iStatus);
    TJsonApiError &setDetail(const QString &iDetail);
    TJsonApiError &setSource(const QVariantMap &iSource);
    TJsonApiError &addSource(const QString &iKey, const QString &iValue);

    //! The document form: only the members that are not empty.
    QVariantMap toVariantMap() const;

private:
    TJsonApiErrorPrivate *d_ptr;
    Q_DECLARE_PRIVATE(TJsonApiError)
};

#endif // TJSONAPIERROR_H
