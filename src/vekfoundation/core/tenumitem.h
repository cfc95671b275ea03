#ifndef TENUMITEM_H
#define TENUMITEM_H

#include "vekfoundationcore_export.h"

#include <memory>

#include <QObject>
#include <QString>
#include <QVariant>

class TEnumItemPrivate;

/*!
 * One entry of an enumeration for user interfaces: number, name, display
 * text, icon name, remark and free user data.
 */
class VEKFOUNDATIONCORE_EXPORT TEnumItem : public QObject
{
    Q_OBJECT
public:
    explicit TEnumItem(QObject *iParent = nullptr, int iNumInt = 0, const QString &iNameStr = QString(),
                       const QString &iTextStr = QString(), const QString &iIconStr = QString(),
                       const QString &iRemarkStr = QString(), const QVariant &iDataVar = QVariant());
    ~TEnumItem() override;

public Q_SLOTS:
    /*! The number; it orders the entries of a list. */
    int num() const;
    /*! Sets the number. */
    void setNum(int iNumInt);
    /*! The name. */
    QString name() const;
    /*! Sets the name; a list keeps the entry under the name it was added with. */
    void setName(const QString &iNameStr);
    /*! The icon name. */
    QString icon() const;
    /*! Sets the icon name. */
    void setIcon(const QString &iIconStr);
    /*! The display text, or the name while the text is empty. */
    QString text() const;
    /*! Sets the display text. */
    void setText(const QString &iTextStr);
    /*! The remark. */
    QString remark() const;
    /*! Sets the remark. */
    void setRemark(const QString &iRemarkStr);
    /*! The user data. */
    QVariant data() const;
    /*! Sets the user data. */
    void setData(const QVariant &iDataVar);

private:
    Q_DISABLE_COPY(TEnumItem)
    Q_DECLARE_PRIVATE_D(d, TEnumItem)
    const std::unique_ptr<TEnumItemPrivate> d;
};

#endif // TENUMITEM_H
