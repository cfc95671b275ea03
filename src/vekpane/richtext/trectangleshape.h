#ifndef TRECTANGLESHAPE_H
#define TRECTANGLESHAPE_H

#include "tshape.h"

// A rectangle outline (filled with the brush). Internal to the capture tool.
class VEKPANE_EXPORT TRectangleShape : public TShape
{
    Q_OBJECT
public:
    TRectangleShape(const QPoint &iStart, const QPoint &iEnd, const QPen &iPen, const QBrush &iBrush,
                    const QFont &iFont, QObject *iParent = nullptr);
    ~TRectangleShape() override;

    void paint(QPainter *iPainter, bool iSelected) override;

private:
    Q_DISABLE_COPY(TRectangleShape)
};

#endif // TRECTANGLESHAPE_H
