#ifndef TERROR_H
#define TERROR_H

#include "vekfoundationcore_export.h"

#include <QMetaType>
#include <QString>

class TErrorPrivate;

/*!
 * The one failure record of the framework: text, type, code and trace.
 * Static helpers fill one through an optional trailing TError*, stateful
 * objects keep their last one. A record is an error when its text or its
 * code is set.
 */
class VEKFOUNDATIONCORE_EXPORT TError
{
public:
    TError();
    TError(const QString &iText, const QString &iType = QString(), const QString &iCode = QString(),
           const QString &iTrace = QString());
    TError(const TError &iOther);
    TError &operator=(const TError &iOther);
    ~TError();

    QString text() const;
    QString type() const;
    QString code() const;
    QString trace() const;

    void setText(const QString &iText);
    void setType(const QString &iType);
    void setCode(const QString &iCode);
    void setTrace(const QString &iTrace);

    void setError(const QString &iText, const QString &iType = QString(), const QString &iCode = QString(),
                  const QString &iTrace = QString());
    void clearError();
    bool isValid() const;

private:
    TErrorPrivate *d_ptr;
    Q_DECLARE_PRIVATE(TError)
};

Q_DECLARE_METATYPE(TError)

#endif // TERROR_H
