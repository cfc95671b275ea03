#ifndef TACCORDION_H
#define TACCORDION_H

#include "tuiwrapper.h"

#include <QFrame>

class QToolButton;
class TAccordionPrivate;

/*!
 * A side panel that folds away completely into its parent: while collapsed
 * only a small arrow button on the parent's edge is left, which brings it
 * back; while expanded an arrow button on the panel's inner edge folds it.
 * Nothing moves until setAccordionLocation() has made the two buttons.
 * Only the common keys.
 */
class VEKPANE_EXPORT TAccordion : public QFrame, public TUiInterface
{
    Q_OBJECT
public:
    //! The side of the parent at which the panel sits.
    enum AccordionLocation { LeftSide = 0, RightSide = 1, UpperSide = 2, LowerSide = 3 };
    Q_ENUM(AccordionLocation)

    explicit TAccordion(QWidget *iParent = nullptr);

    TUI_WRAPPER(TAccordion)

public Q_SLOTS:
    //! Sets the side, makes the two buttons when missing, gives them that side's arrows and lays them out.
    void setAccordionLocation(TAccordion::AccordionLocation iLocation);
    //! The side; LeftSide at first.
    TAccordion::AccordionLocation accordionLocation() const;
    //! Shifts the expand button from its place; applied at the next layout.
    void setExpandButtonOffset(int iXoffsetInt = 0, int iYoffsetInt = 0);
    //! Shifts the collapse button from its place; applied at the next layout.
    void setCollapseButtonOffset(int iXoffsetInt = 0, int iYoffsetInt = 0);
    //! Stores a duration in ms (300 at first); nothing animates with it yet.
    void setAnimationDuration(int iDurationInt);
    //! The stored duration.
    int animationDuration() const;
    //! Expands (shows) or collapses (hides) the panel and lays the buttons out.
    void setIsExpanded(bool iIsExpandedBol);
    //! Whether the panel is expanded; true at first.
    bool isExpanded() const;
    //! The button on the parent that expands the panel; null before setAccordionLocation().
    QToolButton *expandButton() const;
    //! The button on the panel that collapses it; null before setAccordionLocation().
    QToolButton *collapseButton() const;
    //! A detached expand button is shown and hidden, never moved.
    void setExpandButtonDetached(bool iDetachedBol);
    //! A detached collapse button is shown and hidden, never moved.
    void setCollapseButtonDetached(bool iDetachedBol);

protected:
    void resizeEvent(QResizeEvent *iEvent) override;

private Q_SLOTS:
    void onHandBtnClicked();
};

#endif // TACCORDION_H
