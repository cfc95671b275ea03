#include "tcircleshape.h"

#include <QPainter>

TCircleShape::TCircleShape(const QPoint &iStart, const QPoint &iEnd, const QPen &iPen, const QBrush &iBrush,
                           const QFont &iFont, QObject *iParent)
    : TShape(iStart, iEnd, iPen, iBrush, iFont, iParent)
{}

TCircleShape::~TCircleShape() = default;

void TCircleShape::paint(QPainter *iPainter, bool iSelected)
{
    iPainter->save();
    preparePainter(iPainter, iSelected);
    iPainter->setRenderHint(QPainter::Antialiasing, true);
    iPainter->drawEllipse(rect().adjusted(3, 3, 0, 0));
    iPainter->setRenderHint(QPainter::Antialiasing, false);
    if (iSelected)
        paintHandle(iPainter);
    iPainter->restore();
}
