#ifndef TSTYLEDITEMDELEGATE_P_H
#define TSTYLEDITEMDELEGATE_P_H

#include "tstyleditemdelegate.h"

#include <QHash>
#include <QUrl>
#include <QVariant>

class TStyledItemDelegatePrivate
{
    Q_DECLARE_PUBLIC(TStyledItemDelegate)
public:
    explicit TStyledItemDelegatePrivate(TStyledItemDelegate *iPublic)
        : q_ptr(iPublic)
    {}

    void paintGridLines(QPainter *iPainter, const QStyleOptionViewItem &iOption) const;
    void placeButton(const QModelIndex &iIndex) const;

    int gridLineMode = 0;
    // Images of cell texts that the image budget refused, by name: what the
    // cells show for them instead.
    QHash<QUrl, QVariant> refusedImages;
    TStyledItemDelegate *q_ptr;
};

#endif // TSTYLEDITEMDELEGATE_P_H
