#include "ttriangleshape.h"

#include <QPainter>
#include <QPolygon>

TTriangleShape::TTriangleShape(const QPoint &iStart, const QPoint &iEnd, const QPen &iPen, const QBrush &iBrush,
                               const QFont &iFont, QObject *iParent)
    : TShape(iStart, iEnd, iPen, iBrush, iFont, iParent)
{}

TTriangleShape::~TTriangleShape() = default;

void TTriangleShape::paint(QPainter *iPainter, bool iSelected)
{
    iPainter->save();
    preparePainter(iPainter, iSelected);
    const QRect r = rect().adjusted(3, 3, 0, 0);
    QPolygon polygon;
    polygon << QPoint(r.center().x(), r.top()) << QPoint(r.right(), r.bottom()) << QPoint(r.left(), r.bottom());
    iPainter->setRenderHint(QPainter::Antialiasing, true);
    iPainter->drawPolygon(polygon, Qt::OddEvenFill);
    iPainter->setRenderHint(QPainter::Antialiasing, false);
    if (iSelected)
        paintHandle(iPainter);
    iPainter->restore();
}
