#include "pushpoint.h"
#include "pushpoint_p.h"

#include <QMouseEvent>
#include <QPixmap>

bool PushPointPrivate::editingAllowed = true;

PushPoint::PushPoint(QWidget *iParent)
    : QLabel(nullptr)
    , d(new PushPointPrivate(this))
{
    setParent(iParent);
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_MouseTracking);
    QPixmap dot(4, 4);
    dot.fill(Qt::blue);
    setPixmap(dot);
    setAlignment(Qt::AlignCenter);
    setFixedSize(12, 12);
    show();
}

PushPoint::~PushPoint() = default;

int PushPoint::index() const { return d->index; }

void PushPoint::setIndex(int iIndex)
{
    d->index = iIndex;
    setCursor(cursorForIndex(iIndex));
}

Qt::CursorShape PushPoint::cursorForIndex(int iIndex)
{
    switch (iIndex) {
    case 0:
    case 4:
        return Qt::SizeFDiagCursor;
    case 1:
    case 3:
        return Qt::SizeBDiagCursor;
    case 2:
    case 5:
        return Qt::SizeVerCursor;
    case 6:
    case 7:
        return Qt::SizeHorCursor;
    default:
        return Qt::ArrowCursor;
    }
}

bool PushPoint::isEditingAllowed() { return PushPointPrivate::editingAllowed; }

void PushPoint::setEditingAllowed(bool iAllowed) { PushPointPrivate::editingAllowed = iAllowed; }

void PushPoint::mousePressEvent(QMouseEvent *iEvent)
{
    if (iEvent->button() != Qt::LeftButton) {
        QLabel::mousePressEvent(iEvent);
        return;
    }
    // Frozen handles still take the press, so that it does not fall through
    // to the layer below and drag the whole selection.
    iEvent->accept();
    if (!PushPointPrivate::editingAllowed)
        return;
    // In the parent's coordinates, so the offset survives the handle moving.
    d->grabOffset = mapToParent(iEvent->pos()) - pos();
}

void PushPoint::mouseMoveEvent(QMouseEvent *iEvent)
{
    if (!(iEvent->buttons() & Qt::LeftButton)) {
        QLabel::mouseMoveEvent(iEvent);
        return;
    }
    iEvent->accept();
    if (!PushPointPrivate::editingAllowed)
        return;
    QPoint target = mapToParent(iEvent->pos()) - d->grabOffset;
    // The middle handles move along one axis only.
    if (d->index == 2 || d->index == 5)
        target.setX(x());
    if (d->index == 6 || d->index == 7)
        target.setY(y());
    move(target);
    Q_EMIT moved(target);
}
