#include "tshape.h"
#include "tshape_p.h"

#include <QPainter>

TShape::TShape(QObject *iParent)
    : QObject(iParent)
    , d(new TShapePrivate(this))
{}

TShape::TShape(const QPoint &iStart, const QPoint &iEnd, const QPen &iPen, const QBrush &iBrush, const QFont &iFont,
               QObject *iParent)
    : TShape(iParent)
{
    d->start = iStart;
    d->end = iEnd;
    d->pen = iPen;
    d->brush = iBrush;
    d->font = iFont;
}

TShape::~TShape() = default;

QPoint TShape::startPoint() const { return d->start; }

void TShape::setStartPoint(const QPoint &iPoint, bool iMove)
{
    if (iMove)
        d->end += iPoint - d->start;
    d->start = iPoint;
}

QPoint TShape::endPoint() const { return d->end; }

void TShape::setEndPoint(const QPoint &iPoint, bool iMove)
{
    if (iMove)
        d->start += iPoint - d->end;
    d->end = iPoint;
}

QPen TShape::pen() const { return d->pen; }

void TShape::setPen(const QPen &iPen) { d->pen = iPen; }

QBrush TShape::brush() const { return d->brush; }

void TShape::setBrush(const QBrush &iBrush) { d->brush = iBrush; }

QFont TShape::font() const { return d->font; }

void TShape::setFont(const QFont &iFont) { d->font = iFont; }

bool TShape::isSelected() const { return d->selected; }

void TShape::setSelected(bool iSelected) { d->selected = iSelected; }

int TShape::contains(const QPoint &iPoint) const
{
    if (resizeHandleRect().contains(iPoint))
        return ResizeHit;
    if (bodyRect().contains(iPoint))
        return BodyHit;
    if (textRect().contains(iPoint))
        return TextHit;
    return NoHit;
}

QRect TShape::bodyRect() const { return rect().adjusted(1, 1, -3, -3); }

QRect TShape::resizeHandleRect() const
{
    // A 7 x 7 square at the end corner, on the side that faces the start.
    const int x1 = d->start.x();
    const int y1 = d->start.y();
    const int x2 = d->end.x();
    const int y2 = d->end.y();
    if (x1 > x2 && y1 > y2)
        return QRect(d->end, QPoint(x2 + 6, y2 + 6));
    if (x1 <= x2 && y1 <= y2)
        return QRect(QPoint(x2 - 6, y2 - 6), d->end);
    if (x1 < x2 && y1 > y2)
        return QRect(QPoint(x2 - 6, y2 + 6), d->end);
    if (x1 > x2 && y1 < y2)
        return QRect(d->end, QPoint(x2 + 6, y2 - 6));
    return QRect();
}

QRect TShape::textRect() const { return QRect(0, 0, 0, 0); }

QRect TShape::rect() const { return QRect(d->start, d->end); }

void TShape::paint(QPainter *iPainter, bool iSelected)
{
    Q_UNUSED(iPainter)
    d->selected = iSelected;
}

void TShape::paintFinal(QPainter *iPainter) { paint(iPainter, false); }

void TShape::restoreGeometry(const QPoint &iStart, const QPoint &iEnd, const QList<QPoint> &iPoints)
{
    Q_UNUSED(iPoints)
    setCorners(iStart, iEnd);
    Q_EMIT update();
}

void TShape::preparePainter(QPainter *iPainter, bool iSelected)
{
    d->selected = iSelected;
    QPen pen = d->pen;
    if (iSelected)
        pen.setWidthF(pen.widthF() + 1);
    iPainter->setPen(pen);
    iPainter->setBrush(d->brush);
    iPainter->setFont(d->font);
}

void TShape::paintHandle(QPainter *iPainter)
{
    iPainter->setBrush(QBrush(Qt::white, Qt::SolidPattern));
    iPainter->drawRect(resizeHandleRect().adjusted(0, 0, -1, -1));
}

void TShape::setCorners(const QPoint &iStart, const QPoint &iEnd)
{
    d->start = iStart;
    d->end = iEnd;
}
