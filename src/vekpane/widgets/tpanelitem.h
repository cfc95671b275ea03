#ifndef TPANELITEM_H
#define TPANELITEM_H

#include "vekpane_export.h"

#include <QHash>
#include <QVariant>
#include <QWidget>

#include <memory>

class TPanelItemPrivate;

/*!
 * One row of the panel menu with its nested rows below it. Which map keys
 * hold text, icon, children and the rest is given by setKeys(). Activation
 * climbs to the parent: a child that becomes active makes its parent active
 * and unfolded and deactivates its siblings.
 */
class VEKPANE_EXPORT TPanelItem : public QWidget
{
    Q_OBJECT
public:
    explicit TPanelItem(QWidget *iParent = nullptr, int iLevel = 0);
    ~TPanelItem() override;

    //! Builds the row and its children from \a iData, read through the key names.
    void setData(const QVariantMap &iData);
    //! The map last set, with the tool tip and unfold state it has now.
    QVariantMap getData() const;
    //! The names under which the items hold their values (key-name key -> name).
    void setKeys(const QHash<QString, QString> &iKeys);
    void setUserData(const QVariant &iData);
    QVariant getUserData() const;
    //! Highlights the row (or not); a row that becomes inactive deactivates its children.
    void setActive(bool iActive);
    bool isActive() const;
    bool childrenVisible() const;
    //! The rows one level below.
    QList<TPanelItem *> childList() const;
    //! The nesting depth, 0 for first-level rows.
    int level() const;
    //! The row's text.
    QString text() const;

public Q_SLOTS:
    //! Unfolds (shows) or folds the child rows.
    void setChildrenVisible(bool iVisible);

Q_SIGNALS:
    void activeChange(bool iActive);
    void selectChange(const QVariant &iData);
    void clicked(const QVariant &iData);

private Q_SLOTS:
    void onClick();
    void onActiveChange(bool iActive);
    void selected(const QVariant &iData);
    void click(const QVariant &iData);

private:
    Q_DISABLE_COPY(TPanelItem)
    Q_DECLARE_PRIVATE_D(d, TPanelItem)
    const std::unique_ptr<TPanelItemPrivate> d;
};

#endif // TPANELITEM_H
