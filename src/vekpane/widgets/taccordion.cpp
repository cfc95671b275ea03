#include "taccordion.h"
#include "taccordion_p.h"

#include "tresource.h"
#include "ttheme.h"
#include "ttoolbutton.h"

TToolButton *TAccordionPrivate::makeButton(QWidget *iParent)
{
    Q_Q(TAccordion);
    TTheme *theme = TTheme::instance();
    auto *button = new TToolButton(iParent);
    button->setFixedSize(theme->dp(16), theme->dp(24));
    button->setTuiStyle(QStringLiteral("button_style=icon type=flat"));
    button->setStyleSheet(QStringLiteral("padding:0px;"));
    QObject::connect(button, &QAbstractButton::clicked, q, &TAccordion::onHandBtnClicked);
    return button;
}

void TAccordionPrivate::relayout()
{
    Q_Q(TAccordion);
    if (!expandButton || !collapseButton)
        return;
    const int w = q->width();
    const int h = q->height();
    if (expanded) {
        q->show();
        expandButton->hide();
        collapseButton->show();
        if (collapseAttached) {
            const int bw = collapseButton->width();
            const int bh = collapseButton->height();
            QPoint at;
            switch (location) {
            case TAccordion::LeftSide:
                at = QPoint(w + collapseX - bw, collapseY);
                break;
            case TAccordion::RightSide:
                at = QPoint(collapseX, collapseY);
                break;
            case TAccordion::UpperSide:
                at = QPoint((w - bw) / 2 + collapseX, h + collapseY - bh);
                break;
            case TAccordion::LowerSide:
                // Mirrors the upper side: centred on the panel's upper edge.
                at = QPoint((w - bw) / 2 + collapseX, collapseY);
                break;
            }
            collapseButton->move(at);
        }
        collapseButton->raise();
        return;
    }
    QWidget *parent = q->parentWidget();
    if (!parent)
        return;
    q->hide();
    collapseButton->hide();
    expandButton->show();
    if (expandAttached) {
        const int pw = parent->width();
        const int ph = parent->height();
        const int bw = expandButton->width();
        const int bh = expandButton->height();
        QPoint at;
        switch (location) {
        case TAccordion::LeftSide:
            at = QPoint(expandX, expandY);
            break;
        case TAccordion::RightSide:
            at = QPoint(pw + expandX - bw, expandY);
            break;
        case TAccordion::UpperSide:
            at = QPoint((pw - bw) / 2 + expandX, expandY);
            break;
        case TAccordion::LowerSide:
            // Mirrors the upper side: centred on the parent's lower edge.
            at = QPoint((pw - bw) / 2 + expandX, ph + expandY - bh);
            break;
        }
        expandButton->move(at);
    }
    expandButton->raise();
}

TAccordion::TAccordion(QWidget *iParent)
    : QFrame(iParent)
    , TUiInterface()
    , d(new TAccordionPrivate(this))
{}

TAccordion::~TAccordion()
{
    // The expand button sits on the parent: it must not outlive the panel it brings back.
    if (d->expandButton && d->expandButton->parent() != this)
        delete d->expandButton.data();
}

TUI_WRAPPER_COMMON_KEYS_ONLY(TAccordion)

void TAccordion::setAccordionLocation(TAccordion::AccordionLocation iLocation)
{
    d->location = iLocation;
    if (int(iLocation) < LeftSide || int(iLocation) > LowerSide)
        return;
    // Without a parent the expand button stays on the panel rather than become a window of its own.
    if (!d->expandButton)
        d->expandButton = d->makeButton(parentWidget() ? parentWidget() : this);
    if (!d->collapseButton)
        d->collapseButton = d->makeButton(this);

    static const char *const arrows[4][2] = {{"angle-right", "angle-left"},
                                             {"angle-left", "angle-right"},
                                             {"angle-down", "angle-up"},
                                             {"angle-up", "angle-down"}};
    TResource *resource = TResource::instance();
    const QString button = QStringLiteral("button");
    const QString body = QStringLiteral("body");
    d->expandButton->setIcon(resource->icon(QLatin1String(arrows[iLocation][0]), button, body));
    d->collapseButton->setIcon(resource->icon(QLatin1String(arrows[iLocation][1]), button, body));
    d->relayout();
}

TAccordion::AccordionLocation TAccordion::accordionLocation() const { return d->location; }

void TAccordion::setExpandButtonOffset(int iXoffsetInt, int iYoffsetInt)
{
    d->expandX = iXoffsetInt;
    d->expandY = iYoffsetInt;
}

void TAccordion::setCollapseButtonOffset(int iXoffsetInt, int iYoffsetInt)
{
    d->collapseX = iXoffsetInt;
    d->collapseY = iYoffsetInt;
}

void TAccordion::setAnimationDuration(int iDurationInt) { d->animationDuration = iDurationInt; }

int TAccordion::animationDuration() const { return d->animationDuration; }

void TAccordion::setIsExpanded(bool iIsExpandedBol)
{
    d->expanded = iIsExpandedBol;
    d->relayout();
}

bool TAccordion::isExpanded() const { return d->expanded; }

QToolButton *TAccordion::expandButton() const { return d->expandButton.data(); }

QToolButton *TAccordion::collapseButton() const { return d->collapseButton.data(); }

void TAccordion::setExpandButtonDetached(bool iDetachedBol) { d->expandAttached = !iDetachedBol; }

void TAccordion::setCollapseButtonDetached(bool iDetachedBol) { d->collapseAttached = !iDetachedBol; }

void TAccordion::resizeEvent(QResizeEvent *iEvent)
{
    d->relayout();
    QFrame::resizeEvent(iEvent);
}

void TAccordion::onHandBtnClicked()
{
    d->expanded = !d->expanded;
    d->relayout();
}
