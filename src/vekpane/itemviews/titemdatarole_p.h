#ifndef TITEMDATAROLE_P_H
#define TITEMDATAROLE_P_H

#include "titemdatarole.h"

#include <QMap>

class TItemDataRolePrivate
{
    Q_DECLARE_PUBLIC(TItemDataRole)
public:
    explicit TItemDataRolePrivate(TItemDataRole *iPublic)
        : q_ptr(iPublic)
    {}

    // Name -> number, ordered by name; built on first use and never changed.
    static const QMap<QString, int> &roleMap();

    TItemDataRole *q_ptr;

private:
    static QMap<QString, int> initRoleMap();
};

#endif // TITEMDATAROLE_P_H
