#include "tarrowsshape.h"

#include <QPainter>
#include <QTransform>
#include <QtMath>

TArrowsShape::TArrowsShape(const QPoint &iStart, const QPoint &iEnd, const QPen &iPen, const QBrush &iBrush,
                           const QFont &iFont, QObject *iParent)
    : TShape(iStart, iEnd, iPen, iBrush, iFont, iParent)
{}

TArrowsShape::~TArrowsShape() = default;

QPolygonF TArrowsShape::arrowPolygon(const QPointF &iStart, const QPointF &iEnd)
{
    const QPointF delta = iEnd - iStart;
    const double length = std::sqrt(delta.x() * delta.x() + delta.y() * delta.y());
    // The head's base sits 9 * sqrt(3) before the tip; a shorter arrow puts it
    // behind the start, which still draws a (crossed) polygon.
    const double base = length - 9.0 * std::sqrt(3.0);
    // A vertical arrow has dx == 0: atan2 gives the same angle as atan(dy/dx)
    // would in the limit, without dividing by zero.
    const double angle = qRadiansToDegrees(std::atan2(delta.y(), delta.x()));
    QTransform transform;
    transform.translate(iStart.x(), iStart.y());
    transform.rotate(angle);
    const QPointF p0 = transform.map(QPointF(base, 9));
    const QPointF p1 = transform.map(QPointF(base, 4.5));
    const QPointF p2 = transform.map(QPointF(base, -4.5));
    const QPointF p3 = transform.map(QPointF(base, -9));
    QPolygonF polygon;
    polygon << iStart << p1 << p0 << iEnd << p3 << p2;
    return polygon;
}

void TArrowsShape::paint(QPainter *iPainter, bool iSelected)
{
    iPainter->save();
    preparePainter(iPainter, iSelected);
    const QRect r = rect().adjusted(3, 3, 0, 0);
    iPainter->setRenderHint(QPainter::Antialiasing, true);
    iPainter->drawPolygon(arrowPolygon(r.topLeft(), r.bottomRight()), Qt::OddEvenFill);
    iPainter->setRenderHint(QPainter::Antialiasing, false);
    if (iSelected)
        paintHandle(iPainter);
    iPainter->restore();
}

void TArrowsShape::paintFinal(QPainter *iPainter)
{
    const QPen saved = iPainter->pen();
    iPainter->setPen(pen());
    const QRect r = rect().adjusted(3, 3, 0, 0);
    const bool antialiased = iPainter->testRenderHint(QPainter::Antialiasing);
    iPainter->setRenderHint(QPainter::Antialiasing, true);
    iPainter->drawPolygon(arrowPolygon(r.topLeft(), r.bottomRight()), Qt::OddEvenFill);
    iPainter->setRenderHint(QPainter::Antialiasing, antialiased);
    iPainter->setPen(saved);
}
