#include "tmaskframe.h"
#include "tmaskframe_p.h"

#include <QEvent>

void TMaskFramePrivate::updateGeometry()
{
    Q_Q(TMaskFrame);
    QWidget *parent = q->parentWidget();
    if (target.isNull() || !parent)
        return;
    // Through global coordinates: the target need not be a descendant of the parent.
    q->setGeometry(QRect(parent->mapFromGlobal(target->mapToGlobal(QPoint(0, 0))), target->size()));
}

TMaskFrame::TMaskFrame(QWidget *iParent)
    : QFrame(iParent)
    , d(new TMaskFramePrivate(this))
{}

TMaskFrame::~TMaskFrame()
{
    if (d->target)
        d->target->removeEventFilter(this);
}

QWidget *TMaskFrame::targetWidget() const { return d->target.data(); }

void TMaskFrame::setTargetWidget(QWidget *iTargetWidget)
{
    if (d->target.data() == iTargetWidget)
        return;
    if (d->target)
        d->target->removeEventFilter(this);
    d->target = iTargetWidget;
    if (iTargetWidget)
        iTargetWidget->installEventFilter(this);
}

void TMaskFrame::showMask(QWidget *iTargetWidget)
{
    setTargetWidget(iTargetWidget);
    d->updateGeometry();
    show();
    raise();
}

bool TMaskFrame::eventFilter(QObject *iWatched, QEvent *iEvent)
{
    if (iWatched == d->target.data() && iEvent->type() == QEvent::Resize)
        d->updateGeometry();
    return QFrame::eventFilter(iWatched, iEvent);
}
