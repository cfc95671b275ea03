#include "tlineshape.h"
#include "tlineshape_p.h"

#include <QPainter>
#include <QPolygon>

TLineShape::TLineShape(const QPoint &iStart, const QPoint &iEnd, const QPen &iPen, const QBrush &iBrush,
                       const QFont &iFont, QObject *iParent)
    : TShape(iStart, iEnd, iPen, iBrush, iFont, iParent)
    , d(new TLineShapePrivate(this))
{}

TLineShape::~TLineShape() = default;

void TLineShape::setStartPoint(const QPoint &iPoint, bool iMove)
{
    // The path is what is drawn, so a move shifts the path; the corners of the
    // base stay where they are.
    if (!iMove)
        return;
    const QPoint shift = iPoint - rect().topLeft();
    for (QPoint &point : d->points)
        point += shift;
}

void TLineShape::setEndPoint(const QPoint &iPoint, bool iMove)
{
    if (iMove)
        TShape::setStartPoint(startPoint() + (iPoint - endPoint()), false);
    d->points.append(iPoint);
}

QRect TLineShape::rect() const
{
    // An empty path yields this inverted box, which contains no point.
    int minX = 1000000;
    int minY = 1000000;
    int maxX = -1000000;
    int maxY = -1000000;
    for (const QPoint &point : d->points) {
        minX = qMin(minX, point.x());
        minY = qMin(minY, point.y());
        maxX = qMax(maxX, point.x());
        maxY = qMax(maxY, point.y());
    }
    return QRect(QPoint(minX, minY), QPoint(maxX, maxY));
}

void TLineShape::paint(QPainter *iPainter, bool iSelected)
{
    iPainter->save();
    preparePainter(iPainter, iSelected);
    iPainter->setRenderHint(QPainter::Antialiasing, true);
    if (!d->points.isEmpty())
        iPainter->drawPolyline(QPolygon(d->points.toVector()));
    iPainter->setRenderHint(QPainter::Antialiasing, false);
    iPainter->restore();
}

void TLineShape::paintFinal(QPainter *iPainter)
{
    const QPen saved = iPainter->pen();
    const bool antialiased = iPainter->testRenderHint(QPainter::Antialiasing);
    iPainter->setPen(pen());
    iPainter->setRenderHint(QPainter::Antialiasing, true);
    if (!d->points.isEmpty())
        iPainter->drawPolyline(QPolygon(d->points.toVector()));
    iPainter->setRenderHint(QPainter::Antialiasing, antialiased);
    iPainter->setPen(saved);
}

void TLineShape::restoreGeometry(const QPoint &iStart, const QPoint &iEnd, const QList<QPoint> &iPoints)
{
    d->points = iPoints;
    TShape::restoreGeometry(iStart, iEnd, iPoints);
}

QList<QPoint> TLineShape::points() const { return d->points; }

void TLineShape::setPoints(const QList<QPoint> &iPoints) { d->points = iPoints; }
