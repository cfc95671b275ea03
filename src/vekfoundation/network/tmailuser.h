#ifndef TMAILUSER_H
#define TMAILUSER_H

#include "vekfoundation_export.h"

#include <memory>

#include <QObject>
#include <QString>

class TMailUserPrivate;

/*!
 * One mail participant: an address and an optional display name.
 * Copies take the Qt parent of the object they copy.
 */
class VEKFOUNDATION_EXPORT TMailUser : public QObject
{
    Q_OBJECT
public:
    explicit TMailUser(QObject *iParent = nullptr);
    TMailUser(const QString &iAddress, const QString &iName, QObject *iParent = nullptr);
    TMailUser(const TMailUser &iOther);
    TMailUser &operator=(const TMailUser &iOther);
    ~TMailUser() override;

    void setAddress(const QString &iAddress);
    QString address() const;

    void setName(const QString &iName);
    QString name() const;

private:
    Q_DECLARE_PRIVATE_D(d, TMailUser)
    const std::unique_ptr<TMailUserPrivate> d;
};

#endif // TMAILUSER_H
