#ifndef TENUMLIST_P_H
#define TENUMLIST_P_H

#include "tenumitem.h"
#include "tenumlist.h"

#include <QMap>
#include <QPointer>

class TEnumListPrivate
{
    Q_DECLARE_PUBLIC(TEnumList)
public:
    explicit TEnumListPrivate(TEnumList *qptr)
        : q_ptr(qptr)
    {}

    TEnumItem *find(const QString &iName) const;

    QString name;
    QString text;
    // Guarded: an entry whose parent is elsewhere may be deleted behind the list's back.
    QMap<QString, QPointer<TEnumItem>> itemMap;
    TEnumList *q_ptr;
};

#endif // TENUMLIST_P_H
