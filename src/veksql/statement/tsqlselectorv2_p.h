#ifndef TSQLSELECTORV2_P_H
#define TSQLSELECTORV2_P_H

#include "tsqlselectorv2.h"

#include "tsqldialect_p.h"

struct TSqlSelectorV2Data
{
    QString connectionName {QLatin1String("")};
    QString table {QLatin1String("")};
    QStringList field;
    TSqlWhereCompsiteV2 where;
    QStringList group;
    QStringList order;
    int offset = 0;
    int limit = -1;
    QString uniqueField {QLatin1String("")};
    int fieldCaseType = -1;
    bool returnRowCount = false;
    QVariant userData;
    QVariantMap fieldFormat;
    QString databaseType {TSqlDialect::defaultDriverName()};
    QString valueField;
};

class TSqlSelectorV2Private : public TSqlSelectorV2Data
{
    Q_DECLARE_PUBLIC(TSqlSelectorV2)
public:
    explicit TSqlSelectorV2Private(TSqlSelectorV2 *qptr)
        : q_ptr(qptr)
    {}

    void readMap(const QVariantMap &iMap);
    // SELECT, columns, FROM, WHERE and GROUP BY: the statement before any
    // ordering or paging.
    QString plainSelect() const;
    QString whereClause() const;
    QString groupClause() const;
    QString orderClause() const;

    TSqlSelectorV2 *q_ptr;
};

#endif // TSQLSELECTORV2_P_H
