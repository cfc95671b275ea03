#ifndef TMULTICHECKBOX_P_H
#define TMULTICHECKBOX_P_H

#include "tmulticheckbox.h"

#include <QPointer>
#include <QSet>

class QLayout;

class TMultiCheckBoxPrivate
{
    Q_DECLARE_PUBLIC(TMultiCheckBox)
public:
    explicit TMultiCheckBoxPrivate(TMultiCheckBox *iPublic)
        : q_ptr(iPublic)
    {}

    // The listed boxes that still exist, in order.
    QList<TCheckBox *> liveButtons() const;
    void spacing(int *oMargin, int *oHSpacing, int *oVSpacing) const;
    // The boxes this group lays out: all but the merged ones.
    QList<TCheckBox *> placedButtons() const;
    void place(TCheckBox *iBox, int iIndex, Qt::Alignment iAlignment);

    int columnCount = -1;
    QVariantList itemList;
    // Guarded: merged and added boxes belong to others, who may delete them.
    QList<QPointer<TCheckBox>> buttons;
    // The boxes made from the item list: the only ones this group deletes.
    QSet<TCheckBox *> ownButtons;
    // Merged boxes stay in their own group's layout.
    QSet<TCheckBox *> mergedButtons;
    QPointer<QAbstractButton> parentButton;
    QString lastValue;
    QLayout *layout = nullptr;
    // Inside a box's signal: a listener may rebuild the boxes, and the
    // sending one must outlive its own signal.
    int reporting = 0;
    TMultiCheckBox *q_ptr;
};

#endif // TMULTICHECKBOX_P_H
