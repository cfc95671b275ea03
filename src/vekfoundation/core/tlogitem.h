#ifndef TLOGITEM_H
#define TLOGITEM_H

#include "vekfoundationcore_export.h"

#include <memory>

#include <QObject>
#include <QString>

class TLogItemPrivate;

/*!
 * A log entry as a record of nine texts, for views and scripts that pass
 * entries around; it has a compact JSON form.
 */
class VEKFOUNDATIONCORE_EXPORT TLogItem : public QObject
{
    Q_OBJECT
public:
    explicit TLogItem(QObject *iParent = nullptr);
    //! Same parent as iOther, same nine texts.
    TLogItem(const TLogItem &iOther);
    TLogItem &operator=(const TLogItem &iOther);
    ~TLogItem() override;

public Q_SLOTS:
    //! When it happened.
    QString when() const;
    //! Sets when it happened.
    void setWhen(const QString &iWhen);
    //! Who caused it.
    QString who() const;
    //! Sets who caused it.
    void setWho(const QString &iWho);
    //! What happened.
    QString what() const;
    //! Sets what happened.
    void setWhat(const QString &iWhat);
    //! Where it happened.
    QString where() const;
    //! Sets where it happened.
    void setWhere(const QString &iWhere);
    //! A free remark.
    QString remark() const;
    //! Sets the free remark.
    void setRemark(const QString &iRemark);
    //! Icon name shown with the entry.
    QString icon() const;
    //! Sets the icon name.
    void setIcon(const QString &iIcon);
    //! Category of the entry.
    QString category() const;
    //! Sets the category.
    void setCategory(const QString &iCategory);
    //! Tag of the entry.
    QString tag() const;
    //! Sets the tag.
    void setTag(const QString &iTag);
    //! Attached data as text.
    QString data() const;
    //! Sets the attached data.
    void setData(const QString &iData);

    //! Compact JSON array of the nine texts: when, who, what, where, remark, icon, category, tag, data.
    QString toJsonString() const;

private:
    Q_DECLARE_PRIVATE_D(d, TLogItem)
    const std::unique_ptr<TLogItemPrivate> d;
};

#endif // TLOGITEM_H
