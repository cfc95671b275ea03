#ifndef TARROWSSHAPE_H
#define TARROWSSHAPE_H

#include "tshape.h"

#include <QPolygonF>

// An arrow from the start to the end, its head at the end. Internal to the capture tool.
class VEKPANE_EXPORT TArrowsShape : public TShape
{
    Q_OBJECT
public:
    TArrowsShape(const QPoint &iStart, const QPoint &iEnd, const QPen &iPen, const QBrush &iBrush, const QFont &iFont,
                 QObject *iParent = nullptr);
    ~TArrowsShape() override;

    void paint(QPainter *iPainter, bool iSelected) override;
    void paintFinal(QPainter *iPainter) override;

    // The arrow's outline (start, head and tip) for a given adjusted rectangle's corners.
    static QPolygonF arrowPolygon(const QPointF &iStart, const QPointF &iEnd);

private:
    Q_DISABLE_COPY(TArrowsShape)
};

#endif // TARROWSSHAPE_H
