#ifndef TPANELITEM_P_H
#define TPANELITEM_P_H

#include "tpanelitem.h"

class QLabel;
class QPushButton;
class QToolButton;
class QVBoxLayout;

class TPanelItemPrivate
{
    Q_DECLARE_PUBLIC(TPanelItem)
public:
    explicit TPanelItemPrivate(TPanelItem *iPublic)
        : q_ptr(iPublic)
    {}

    QString key(const char *iKeyName) const;
    QString colourSuffix() const;
    void refreshRightIcon();

    QToolButton *leftIcon = nullptr;
    QString iconName;
    QToolButton *rightIcon = nullptr;
    QLabel *textLabel = nullptr;
    QList<TPanelItem *> children;
    QVBoxLayout *layout = nullptr;
    QVariant userData;
    bool childrenVisible = false;
    QPushButton *rowButton = nullptr;
    int level = 0;
    bool active = false;
    QVariantMap data;
    QHash<QString, QString> keys;
    QString rightIconName;
    TPanelItem *q_ptr;
};

namespace TPanelMenuKeys {
// The key-name keys with their default names.
QHash<QString, QString> defaults();
} // namespace TPanelMenuKeys

#endif // TPANELITEM_P_H
