#ifndef TLINESHAPE_H
#define TLINESHAPE_H

#include "tshape.h"

#include <QList>

class TLineShapePrivate;

// A free-hand path (also the translucent highlighter). Moving its end
// collects a point; its rectangle is the path's bounding box. Internal to the
// capture tool.
class VEKPANE_EXPORT TLineShape : public TShape
{
    Q_OBJECT
public:
    TLineShape(const QPoint &iStart, const QPoint &iEnd, const QPen &iPen, const QBrush &iBrush, const QFont &iFont,
               QObject *iParent = nullptr);
    ~TLineShape() override;

    void setStartPoint(const QPoint &iPoint, bool iMove) override;
    void setEndPoint(const QPoint &iPoint, bool iMove) override;
    QRect rect() const override;
    void paint(QPainter *iPainter, bool iSelected) override;
    void paintFinal(QPainter *iPainter) override;
    void restoreGeometry(const QPoint &iStart, const QPoint &iEnd, const QList<QPoint> &iPoints) override;

    QList<QPoint> points() const;
    void setPoints(const QList<QPoint> &iPoints);

private:
    Q_DISABLE_COPY(TLineShape)
    Q_DECLARE_PRIVATE_D(d, TLineShape)
    const std::unique_ptr<TLineShapePrivate> d;
};

#endif // TLINESHAPE_H
