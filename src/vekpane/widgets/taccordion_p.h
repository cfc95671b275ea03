#ifndef TACCORDION_P_H
#define TACCORDION_P_H

#include "taccordion.h"
#include "tuiwrapper_p.h"

#include <QPointer>

class TToolButton;

class TAccordionPrivate
{
    Q_DECLARE_PUBLIC(TAccordion)
public:
    explicit TAccordionPrivate(TAccordion *iPublic)
        : q_ptr(iPublic)
    {}

    TToolButton *makeButton(QWidget *iParent);
    void relayout();

    int animationDuration = 300;
    TAccordion::AccordionLocation location = TAccordion::LeftSide;
    bool expanded = true;
    // The expand button lives on the parent, which may delete it first.
    QPointer<TToolButton> expandButton;
    int expandX = 0;
    int expandY = 0;
    bool expandAttached = true;
    QPointer<TToolButton> collapseButton;
    int collapseX = 0;
    int collapseY = 0;
    bool collapseAttached = true;
    TAccordion *q_ptr;
};

#endif // TACCORDION_P_H
