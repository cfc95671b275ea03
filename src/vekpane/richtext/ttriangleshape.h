#ifndef TTRIANGLESHAPE_H
#define TTRIANGLESHAPE_H

#include "tshape.h"

// A triangle standing on the bottom edge of the shape's rectangle, apex at the top centre. Internal to the capture tool.
class VEKPANE_EXPORT TTriangleShape : public TShape
{
    Q_OBJECT
public:
    TTriangleShape(const QPoint &iStart, const QPoint &iEnd, const QPen &iPen, const QBrush &iBrush, const QFont &iFont,
                   QObject *iParent = nullptr);
    ~TTriangleShape() override;

    void paint(QPainter *iPainter, bool iSelected) override;

private:
    Q_DISABLE_COPY(TTriangleShape)
};

#endif // TTRIANGLESHAPE_H
