#ifndef TTABLEITEM_P_H
#define TTABLEITEM_P_H

#include "ttableitem.h"

class TTableItemPrivate
{
public:
    QList<QVariant> values;
    bool visible = true;
    TTableModel *model = nullptr;
};

#endif // TTABLEITEM_P_H
