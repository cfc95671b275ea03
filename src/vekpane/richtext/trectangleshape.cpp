#include "trectangleshape.h"

#include <QPainter>

TRectangleShape::TRectangleShape(const QPoint &iStart, const QPoint &iEnd, const QPen &iPen, const QBrush &iBrush,
                                 const QFont &iFont, QObject *iParent)
    : TShape(iStart, iEnd, iPen, iBrush, iFont, iParent)
{}

TRectangleShape::~TRectangleShape() = default;

void TRectangleShape::paint(QPainter *iPainter, bool iSelected)
{
    iPainter->save();
    preparePainter(iPainter, iSelected);
    iPainter->setRenderHint(QPainter::Antialiasing, false);
    iPainter->drawRect(rect().adjusted(3, 3, 0, 0));
    if (iSelected)
        paintHandle(iPainter);
    iPainter->restore();
}
