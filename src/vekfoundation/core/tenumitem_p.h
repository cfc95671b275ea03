#ifndef TENUMITEM_P_H
#define TENUMITEM_P_H

#include "tenumitem.h"

class TEnumItemPrivate
{
    Q_DECLARE_PUBLIC(TEnumItem)
public:
    explicit TEnumItemPrivate(TEnumItem *qptr)
        : q_ptr(qptr)
    {}

    int num {0};
    QString name;
    QString text;
    QString icon;
    QString remark;
    QVariant data;
    TEnumItem *q_ptr;
};

#endif // TENUMITEM_P_H
