#ifndef TENUMLIST_H
#define TENUMLIST_H

#include "vekfoundationcore_export.h"

#include <memory>

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

class TEnumItem;
class TEnumListPrivate;

/*!
 * A named enumeration: entries held by name and handed out in number order,
 * also as the item list that choice controls read (toComboList()).
 */
class VEKFOUNDATIONCORE_EXPORT TEnumList : public QObject
{
    Q_OBJECT
public:
    explicit TEnumList(const QString &iNameStr = QString(), const QString &iTextStr = QString(),
                       QObject *iParent = nullptr);
    ~TEnumList() override;

public Q_SLOTS:
    /*! The name of the enumeration. */
    QString name() const;
    /*! Sets the name of the enumeration. */
    void setName(const QString &iNameStr);
    /*! The display text of the enumeration. */
    QString text() const;
    /*! Sets the display text of the enumeration. */
    void setText(const QString &iTextStr);
    /*! The entry held under a name, or null. */
    TEnumItem *item(const QString &iNameStr) const;
    /*! Holds an entry under its current name, replacing any entry of that name; a parentless entry becomes the list's child. */
    void addItem(TEnumItem *iItemPtr);
    /*! Creates an entry owned by the list and holds it under its name, replacing any entry of that name. */
    void addItem(int iNumInt, const QString &iNameStr, const QString &iTextStr = QString(),
                 const QString &iIconStr = QString(), const QString &iRemarkStr = QString(),
                 const QVariant &iDataVar = QVariant());
    /*! The text of the entry of a name, or the name itself when there is none. */
    QString itemText(const QString &iNameStr) const;
    /*! The icon name of the entry of a name, or empty. */
    QString itemIcon(const QString &iNameStr) const;
    /*! The remark of the entry of a name, or empty. */
    QString itemRemark(const QString &iNameStr) const;
    /*! The user data of the entry of a name, or invalid. */
    QVariant itemData(const QString &iNameStr) const;
    /*! One map per entry in number order, with the keys "icon", "name", "text" and "user_data". */
    QVariantList toComboList() const;
    /*! The entries' texts in number order. */
    QStringList getTextList() const;
    /*! The entries in number order. */
    QList<TEnumItem *> items() const;

private:
    Q_DISABLE_COPY(TEnumList)
    Q_DECLARE_PRIVATE_D(d, TEnumList)
    const std::unique_ptr<TEnumListPrivate> d;
};

#endif // TENUMLIST_H
