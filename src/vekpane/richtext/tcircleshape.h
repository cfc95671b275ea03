#ifndef TCIRCLESHAPE_H
#define TCIRCLESHAPE_H

#include "tshape.h"

// An ellipse inside the shape's rectangle. Internal to the capture tool.
class VEKPANE_EXPORT TCircleShape : public TShape
{
    Q_OBJECT
public:
    TCircleShape(const QPoint &iStart, const QPoint &iEnd, const QPen &iPen, const QBrush &iBrush, const QFont &iFont,
                 QObject *iParent = nullptr);
    ~TCircleShape() override;

    void paint(QPainter *iPainter, bool iSelected) override;

private:
    Q_DISABLE_COPY(TCircleShape)
};

#endif // TCIRCLESHAPE_H
