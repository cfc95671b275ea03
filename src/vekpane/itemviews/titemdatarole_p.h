#ifndef TITEMDATAROLE_P_H
#define TITEMDATAROLE_P_H

#include "titemdatarole.h"

#include <QMap>
#include <QVariant>

class TItemDataRolePrivate
{
    Q_DECLARE_PUBLIC(TItemDataRole)
public:
    explicit TItemDataRolePrivate(TItemDataRole *iPublic)
        : q_ptr(iPublic)
    {}

    // Name -> number, ordered by name; built on first use and never changed.
    static const QMap<QString, int> &roleMap();

    // A stored cell value as the view wants it for a role: texts name icons, fonts,
    // alignments and colours; check states are stored as 1/0/-1. Table and tree
    // models share it so that a column description means the same in both.
    static QVariant convert(int iRole, const QVariant &iValue);

    TItemDataRole *q_ptr;

private:
    static QMap<QString, int> initRoleMap();
};

#endif // TITEMDATAROLE_P_H
