#ifndef TSHAPE_H
#define TSHAPE_H

#include "vekpane_export.h"

#include <QBrush>
#include <QFont>
#include <QObject>
#include <QPen>
#include <QPoint>
#include <QRect>

#include <memory>

class QPainter;
class TShapePrivate;

/*
 * A drawable annotation on a captured screen region, owned by the annotation
 * canvas. The figure spans start to end (not normalised: the end may lie
 * left of or above the start). Internal to the capture tool; exported only so
 * that its tests can drive it.
 */
class VEKPANE_EXPORT TShape : public QObject
{
    Q_OBJECT
public:
    // Hit-test answers of contains(), read by the canvas as gestures.
    enum Hit { NoHit = 0, BodyHit = 1, ResizeHit = 2, TextHit = 3 };

    explicit TShape(QObject *iParent = nullptr);
    TShape(const QPoint &iStart, const QPoint &iEnd, const QPen &iPen, const QBrush &iBrush, const QFont &iFont,
           QObject *iParent = nullptr);
    ~TShape() override;

    virtual QPoint startPoint() const;
    // With iMove the whole figure shifts so that its start lands on iPoint.
    virtual void setStartPoint(const QPoint &iPoint, bool iMove);
    virtual QPoint endPoint() const;
    // With iMove the whole figure shifts so that its end lands on iPoint.
    virtual void setEndPoint(const QPoint &iPoint, bool iMove);
    virtual QPen pen() const;
    virtual void setPen(const QPen &iPen);
    virtual QBrush brush() const;
    virtual void setBrush(const QBrush &iBrush);
    virtual QFont font() const;
    virtual void setFont(const QFont &iFont);
    virtual bool isSelected() const;
    virtual void setSelected(bool iSelected);
    virtual int contains(const QPoint &iPoint) const;
    virtual QRect bodyRect() const;
    virtual QRect resizeHandleRect() const;
    virtual QRect textRect() const;
    virtual QRect rect() const;
    virtual void paint(QPainter *iPainter, bool iSelected);
    virtual void paintFinal(QPainter *iPainter);

    // Puts the figure back where an earlier snapshot had it (undo of a move or
    // resize); unlike the setters it applies no gesture rules.
    virtual void restoreGeometry(const QPoint &iStart, const QPoint &iEnd, const QList<QPoint> &iPoints);

Q_SIGNALS:
    void update();

protected:
    // Shared by the kinds that draw a figure inside their rectangle: stores
    // the selection flag and sets the pen (widened when selected), brush and
    // font on the painter. The caller restores the painter.
    void preparePainter(QPainter *iPainter, bool iSelected);
    // The white resize handle drawn over a selected figure.
    void paintHandle(QPainter *iPainter);
    // Sets the two corners without any gesture rule.
    void setCorners(const QPoint &iStart, const QPoint &iEnd);

private:
    Q_DISABLE_COPY(TShape)
    Q_DECLARE_PRIVATE_D(d, TShape)
    const std::unique_ptr<TShapePrivate> d;
};

#endif // TSHAPE_H
