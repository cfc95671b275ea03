#ifndef TLOGITEM_P_H
#define TLOGITEM_P_H

#include "tlogitem.h"

class TLogItemPrivate
{
    Q_DECLARE_PUBLIC(TLogItem)
public:
    explicit TLogItemPrivate(TLogItem *qptr)
        : q_ptr(qptr)
    {}

    void copyFields(const TLogItemPrivate &iOther)
    {
        when = iOther.when;
        who = iOther.who;
        what = iOther.what;
        where = iOther.where;
        remark = iOther.remark;
        icon = iOther.icon;
        category = iOther.category;
        tag = iOther.tag;
        data = iOther.data;
    }

    QString when {QLatin1String("")};
    QString who {QLatin1String("")};
    QString what {QLatin1String("")};
    QString where {QLatin1String("")};
    QString remark {QLatin1String("")};
    QString icon {QLatin1String("")};
    QString category {QLatin1String("")};
    QString tag {QLatin1String("")};
    QString data {QLatin1String("")};
    TLogItem *q_ptr;
};

#endif // TLOGITEM_P_H
