#ifndef TTABLEITEM_P_H
#define TTABLEITEM_P_H

#include "titemmodelsupport_p.h"
#include "ttableitem.h"

class TTableItemPrivate
{
public:
    TRowValues values;
    bool visible = true;
    TTableModel *model = nullptr;
};

#endif // TTABLEITEM_P_H
